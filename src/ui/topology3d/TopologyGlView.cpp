#include "ui/topology3d/TopologyGlView.h"

#include "core/model/Branch.h"
#include "core/model/Mine.h"
#include "core/model/Uzel.h"
#include "ui/topology3d/TopologyGl.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QOpenGLContext>
#include <QPainter>
#include <QSurfaceFormat>

#include <GL/gl.h>

#include <algorithm>
#include <cmath>

namespace {

// A transparent widget over the GL surface that the mouse passes through.
class TPaintedOverlay : public QWidget {
public:
    TPaintedOverlay(QWidget* parent, std::function<void(QPainter&)> paint) : QWidget(parent), paint_(std::move(paint))
    {
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setAttribute(Qt::WA_NoSystemBackground);
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        paint_(p);
    }

private:
    std::function<void(QPainter&)> paint_;
};

}  // namespace

TTopologyGlView::TTopologyGlView(QWidget* parent) : QOpenGLWidget(parent)
{
    QSurfaceFormat format;
    format.setRenderableType(QSurfaceFormat::OpenGL);
    format.setProfile(QSurfaceFormat::CompatibilityProfile);
    format.setVersion(2, 1);
    format.setDepthBufferSize(24);
    setFormat(format);
    setFocusPolicy(Qt::StrongFocus);
    setMinimumSize(200, 150);
    numbers_ = new TPaintedOverlay(this, [this](QPainter& p) { PaintOverlay(p); });
}

void TTopologyGlView::resizeEvent(QResizeEvent* event)
{
    QOpenGLWidget::resizeEvent(event);
    numbers_->setGeometry(rect());
}

TTopologyGlView::~TTopologyGlView()
{
    if ((lists_.Nodes || lists_.Branches) && context()) {
        makeCurrent();
        lists_.Forget();
        doneCurrent();
    }
}

void TTopologyGlView::SetMine(const TMine* mine)
{
    mine_ = mine;
    box_ = mine ? TModelBox::Of(*mine) : TModelBox{};
    if (autoZoom_)
        view_.Set(view_.Pan(), view_.Alpha(), view_.Beta(), view_.FitZoom(size(), box_));
    update();
}

void TTopologyGlView::ForgetObjects(bool mineGone)
{
    scene_.Branches.clear();
    scene_.Nodes.clear();
    if (mineGone)
        mine_ = nullptr;
}

void TTopologyGlView::SetScene(TTopologyScene scene)
{
    scene_ = std::move(scene);
    // The solid drawing's lists hold the old scene.
    if ((lists_.Nodes || lists_.Branches) && context()) {
        makeCurrent();
        lists_.Forget();
        doneCurrent();
    }
    update();
}

void TTopologyGlView::SetGrid(TTopologyGrid grid, bool shown)
{
    grid_ = std::move(grid);
    gridShown_ = shown;
    update();
}


void TTopologyGlView::SetSolid(bool on)
{
    solid_ = on;
    update();
}

void TTopologyGlView::SetNumbers(bool nodes, bool branches)
{
    nodeNumbers_ = nodes;
    branchNumbers_ = branches;
    update();
}

void TTopologyGlView::SetAutoZoom(bool on)
{
    autoZoom_ = on;
    if (on)
        view_.Set(view_.Pan(), view_.Alpha(), view_.Beta(), view_.FitZoom(size(), box_));
    update();
    emit ViewChanged();
}

void TTopologyGlView::SetLineSmooth(bool on)
{
    lineSmooth_ = on;
    update();
}

void TTopologyGlView::initializeGL()
{
    if (!context() || !context()->isValid()) {
        failure_ = QStringLiteral("Не удалось создать контекст OpenGL");
        return;
    }
    glClearColor(0, 0, 0, 1);
}

void TTopologyGlView::resizeGL(int, int)
{
    if (autoZoom_) {
        view_.Set(view_.Pan(), view_.Alpha(), view_.Beta(), view_.FitZoom(size(), box_));
        emit ViewChanged();
    }
}

void TTopologyGlView::LoadMatrix(QSize client)
{
    const QMatrix4x4 m = view_.Matrix(client, box_);
    glMultMatrixf(m.constData());
}


void TTopologyGlView::paintGL()
{
    if (!failure_.isEmpty())
        return;
    // At its first paint the widget has its size: the first view shows the whole mine.
    if (fitPending_ && mine_ && width() > 0 && height() > 0) {
        fitPending_ = false;
        view_.Set(view_.Pan(), view_.Alpha(), view_.Beta(), FitZoom());
        emit ViewChanged();
    }
    glEnable(GL_DEPTH_TEST);
    if (lineSmooth_) {
        glEnable(GL_LINE_SMOOTH);
        glHint(GL_LINE_SMOOTH_HINT, GL_NICEST);
    } else {
        glDisable(GL_LINE_SMOOTH);
    }
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    const qreal ratio = devicePixelRatioF();
    glViewport(0, 0, GLsizei(width() * ratio), GLsizei(height() * ratio));
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    LoadMatrix(size());
    TopologyGl::Draw(scene_, Solid(), lists_);
    // The grid last, so its half-transparent area lies over what is below it.
    if (gridShown_)
        TopologyGl::DrawGrid(grid_, view_.Alpha() >= 0);
    glDisable(GL_DEPTH_TEST);

    numbers_->update();
}

void TTopologyGlView::PaintOverlay(QPainter& p)
{
    // Over the drawing, in the window's own painting, on a plain widget above the GL surface:
    // the direction marks and the numbers. Those outside are skipped before they are measured.
    if (!mine_ || !failure_.isEmpty())
        return;
    const QRect area = rect();
    if (!scene_.DirectionColors.empty()) {
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(Qt::NoPen);
        for (size_t i = 0; i < scene_.DirectionColors.size(); ++i) {
            const float* v = &scene_.DirectionVertices[6 * i];
            const QVector3D from = view_.ProjectGl(QVector3D(v[0], v[1], v[2]), size(), box_);
            const QVector3D to = view_.ProjectGl(QVector3D(v[3], v[4], v[5]), size(), box_);
            const QPointF mid((from.x() + to.x()) / 2, (from.y() + to.y()) / 2);
            QPointF way(to.x() - from.x(), to.y() - from.y());
            const qreal length = std::hypot(way.x(), way.y());
            // Seen end on, a pipe has no way to show.
            if (!area.contains(mid.toPoint()) || length < 1e-6)
                continue;
            way /= length;
            const QPointF across(-way.y(), way.x());
            const auto& c = scene_.DirectionColors[i];
            p.setBrush(QColor::fromRgbF(c.R, c.G, c.B));
            const QPointF head[3] = {mid + way * 6, mid - way * 5 + across * 4, mid - way * 5 - across * 4};
            p.drawPolygon(head, 3);
        }
        p.setRenderHint(QPainter::Antialiasing, false);
    }
    if (Solid() || !(nodeNumbers_ || branchNumbers_))
        return;
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPointSizeF(std::clamp(std::round(8 * view_.Zoom()), 1.0, 10.0));
    p.setFont(font);
    const int ascent = p.fontMetrics().ascent();
    auto label = [&](const QVector3D& at, int number, bool highlighted) {
        const QVector3D s = view_.Project(at, size(), box_);
        if (!area.contains(QPoint(int(s.x()), int(s.y()))))
            return;
        p.setPen(highlighted ? QColor(255, 255, 0) : QColor(Qt::white));
        p.drawText(QPointF(s.x() + 3, s.y() + ascent), QString::number(number));
    };
    if (nodeNumbers_)
        for (const TUzel* u : scene_.Nodes)
            label(QVector3D(float(u->X()), float(u->Y()), float(u->Z())), u->Number(), u->Selected());
    if (branchNumbers_)
        for (const TBranch* b : scene_.Branches) {
            const TUzel* a = b->StartUzel();
            const TUzel* e = b->EndUzel();
            label(QVector3D(float(a->X() + e->X()) / 2, float(a->Y() + e->Y()) / 2, float(a->Z() + e->Z()) / 2),
                  b->Number(), b->Selected());
        }
}

QImage TTopologyGlView::Picture()
{
    if (!failure_.isEmpty() || !isValid())
        return {};
    QImage picture = grabFramebuffer();
    QPainter p(&picture);
    PaintOverlay(p);
    return picture;
}

quint32 TTopologyGlView::PickAt(QPoint position)
{
    if (!failure_.isEmpty() || !isValid())
        return 0;
    makeCurrent();
    const qreal ratio = devicePixelRatioF();
    const quint32 name = TopologyGl::Pick(scene_, view_.Matrix(size(), box_), QPointF(position) * ratio,
                                          QSize(int(width() * ratio), int(height() * ratio)), ratio);
    doneCurrent();
    return name;
}

void TTopologyGlView::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    pressAt_ = event->position().toPoint();
    pressView_ = view_;
    moved_ = false;
    mode_ = event->modifiers() & Qt::ControlModifier ? 2 : event->modifiers() & Qt::ShiftModifier ? 3 : 1;
    setCursor(mode_ == 2 ? Qt::SizeAllCursor : mode_ == 3 ? Qt::SizeVerCursor : Qt::ClosedHandCursor);
}

void TTopologyGlView::mouseMoveEvent(QMouseEvent* event)
{
    if (!mode_)
        return;
    const QPoint d = event->position().toPoint() - pressAt_;
    if (d.manhattanLength() > 2)
        moved_ = true;
    if (!moved_)
        return;
    const TTopologyView& v = pressView_;
    switch (mode_) {
    case 1: view_.Set(v.Pan() + QPoint(d.x(), -d.y()), v.Alpha(), v.Beta(), v.Zoom()); break;
    case 2:
        view_.Set(v.Pan(), v.Alpha() + d.y(), v.Beta() + d.x(), v.Zoom());
        if (autoZoom_)
            view_.Set(view_.Pan(), view_.Alpha(), view_.Beta(), FitZoom());
        break;
    case 3:
        if (!autoZoom_)
            view_.Set(v.Pan(), v.Alpha(), v.Beta(), v.Zoom() - d.y() / 100.0);
        break;
    }
    update();
    emit ViewChanged();
}

void TTopologyGlView::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || !mode_)
        return;
    const bool click = !moved_;
    mode_ = 0;
    unsetCursor();
    if (!click)
        return;
    const quint32 name = PickAt(event->position().toPoint());
    const bool ctrl = event->modifiers() & Qt::ControlModifier;
    const quint32 branches = mine_ ? quint32(mine_->Branches.Count()) : 0;
    if (!mine_ || name == 0)
        emit Picked(nullptr, nullptr, ctrl);
    else if (name <= branches)
        emit Picked(mine_->Branches.Items(int(name) - 1), nullptr, ctrl);
    else if (name - branches <= quint32(mine_->Uzels.Count()))
        emit Picked(nullptr, mine_->Uzels.Items(int(name - branches) - 1), ctrl);
}

void TTopologyGlView::keyPressEvent(QKeyEvent* event)
{
    // Esc puts the view back where the drag began.
    if (event->key() == Qt::Key_Escape && mode_) {
        view_ = pressView_;
        mode_ = 0;
        unsetCursor();
        update();
        emit ViewChanged();
        return;
    }
    QOpenGLWidget::keyPressEvent(event);
}
