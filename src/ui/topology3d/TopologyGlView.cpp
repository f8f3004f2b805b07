#include "ui/topology3d/TopologyGlView.h"

#include "core/model/Branch.h"
#include "core/model/Mine.h"
#include "core/model/Uzel.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QOpenGLContext>
#include <QPainter>
#include <QSurfaceFormat>

#include <GL/gl.h>
#include <GL/glu.h>

#include <algorithm>
#include <limits>
#include <vector>

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

// Selection buffers grow up to this many names' worth when a pick overflows.
constexpr size_t kMaxSelectionWords = 2'000'000;  // 8 000 000 bytes
constexpr double kSphereRadius = 2;

void Color(const TTopologyScene::Rgb& c) { glColor3f(c.R, c.G, c.B); }

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
    numbers_ = new TPaintedOverlay(this, [this](QPainter& p) { PaintNumbers(p); });
}

void TTopologyGlView::resizeEvent(QResizeEvent* event)
{
    QOpenGLWidget::resizeEvent(event);
    numbers_->setGeometry(rect());
}

TTopologyGlView::~TTopologyGlView()
{
    if (sphereList_ && context()) {
        makeCurrent();
        glDeleteLists(sphereList_, 1);
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

void TTopologyGlView::SetScene(TTopologyScene scene)
{
    scene_ = std::move(scene);
    update();
}

void TTopologyGlView::SetGrid(TTopologyGrid grid, bool shown)
{
    grid_ = std::move(grid);
    gridShown_ = shown;
    update();
}

void TTopologyGlView::DrawGrid()
{
    // Seen from above the lines are dark green-grey and the centre lines green; from below
    // grey, the centre lines half-transparent.
    const bool above = view_.Alpha() >= 0;
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glEnableClientState(GL_VERTEX_ARRAY);
    glLineWidth(1.f);
    if (!grid_.Lines.empty()) {
        above ? glColor3f(0.2f, 0.4f, 0.2f) : glColor3f(0.4f, 0.4f, 0.4f);
        glVertexPointer(3, GL_FLOAT, 0, grid_.Lines.data());
        glDrawArrays(GL_LINES, 0, GLsizei(grid_.Lines.size() / 3));
    }
    if (!grid_.CentreLines.empty()) {
        above ? glColor4f(0, 0.7f, 0, 1) : glColor4f(0.7f, 0.7f, 0.7f, 0.5f);
        glVertexPointer(3, GL_FLOAT, 0, grid_.CentreLines.data());
        glDrawArrays(GL_LINES, 0, GLsizei(grid_.CentreLines.size() / 3));
    }
    if (grid_.Area.size() == 12) {
        glColor4f(0.5f, 0.5f, 0.5f, 0.5f);
        glDepthMask(GL_FALSE);
        glVertexPointer(3, GL_FLOAT, 0, grid_.Area.data());
        glDrawArrays(GL_QUADS, 0, 4);
        glDepthMask(GL_TRUE);
    }
    glDisableClientState(GL_VERTEX_ARRAY);
    glDisable(GL_BLEND);
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

void TTopologyGlView::DrawScene(bool picking)
{
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glEnableClientState(GL_VERTEX_ARRAY);
    if (!picking) {
        glEnableClientState(GL_COLOR_ARRAY);
        glLineWidth(solid_ ? 3.f : 1.f);
        if (!scene_.BranchVertices.empty()) {
            glVertexPointer(3, GL_FLOAT, 0, scene_.BranchVertices.data());
            glColorPointer(3, GL_FLOAT, 0, scene_.BranchColors.data());
            glDrawArrays(GL_LINES, 0, GLsizei(scene_.BranchVertices.size() / 3));
        }
        if (!scene_.PipeVertices.empty()) {
            glLineWidth(2.f);
            glVertexPointer(3, GL_FLOAT, 0, scene_.PipeVertices.data());
            glColorPointer(3, GL_FLOAT, 0, scene_.PipeColors.data());
            glDrawArrays(GL_LINES, 0, GLsizei(scene_.PipeVertices.size() / 3));
        }
        glDisableClientState(GL_COLOR_ARRAY);
        if (!solid_ && !scene_.NodeVertices.empty()) {
            glEnableClientState(GL_COLOR_ARRAY);
            glPointSize(5.f);
            glVertexPointer(3, GL_FLOAT, 0, scene_.NodeVertices.data());
            glColorPointer(3, GL_FLOAT, 0, scene_.NodeColors.data());
            glDrawArrays(GL_POINTS, 0, GLsizei(scene_.NodeVertices.size() / 3));
            glDisableClientState(GL_COLOR_ARRAY);
        } else if (solid_) {
            // One sphere compiled once into this context's display list, replayed for every node.
            if (!sphereList_) {
                sphereList_ = glGenLists(1);
                GLUquadric* q = gluNewQuadric();
                glNewList(sphereList_, GL_COMPILE);
                gluSphere(q, kSphereRadius, 4, 2);
                glEndList();
                gluDeleteQuadric(q);
            }
            for (size_t i = 0; i < scene_.Nodes.size(); ++i) {
                Color(scene_.NodeColors[i]);
                glPushMatrix();
                glTranslatef(scene_.NodeVertices[3 * i], scene_.NodeVertices[3 * i + 1], scene_.NodeVertices[3 * i + 2]);
                glCallList(sphereList_);
                glPopMatrix();
            }
        }
        glDisableClientState(GL_VERTEX_ARRAY);
        return;
    }
    // Picking: every object under its own name.
    glLineWidth(3.f);
    glPointSize(5.f);
    for (size_t i = 0; i < scene_.BranchNames.size(); ++i) {
        glLoadName(scene_.BranchNames[i]);
        glVertexPointer(3, GL_FLOAT, 0, scene_.BranchVertices.data() + 6 * i);
        glDrawArrays(GL_LINES, 0, 2);
    }
    for (size_t i = 0; i < scene_.NodeNames.size(); ++i) {
        glLoadName(scene_.NodeNames[i]);
        glVertexPointer(3, GL_FLOAT, 0, scene_.NodeVertices.data() + 3 * i);
        glDrawArrays(GL_POINTS, 0, 1);
    }
    glDisableClientState(GL_VERTEX_ARRAY);
}

void TTopologyGlView::paintGL()
{
    if (!failure_.isEmpty())
        return;
    glEnable(GL_DEPTH_TEST);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    const qreal ratio = devicePixelRatioF();
    glViewport(0, 0, GLsizei(width() * ratio), GLsizei(height() * ratio));
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    LoadMatrix(size());
    DrawScene(false);
    // The grid last, so its half-transparent area lies over what is below it.
    if (gridShown_)
        DrawGrid();
    glDisable(GL_DEPTH_TEST);

    numbers_->update();
}

void TTopologyGlView::PaintNumbers(QPainter& p)
{
    // Numbers over the drawing, in the window's own text, on a plain widget above the GL
    // surface; those outside are skipped before they are measured.
    if (solid_ || !(nodeNumbers_ || branchNumbers_) || !mine_ || !failure_.isEmpty())
        return;
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPointSizeF(std::clamp(std::round(8 * view_.Zoom()), 1.0, 10.0));
    p.setFont(font);
    const QRect area = rect();
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

quint32 TTopologyGlView::PickAt(QPoint position)
{
    if (!failure_.isEmpty() || !isValid())
        return 0;
    makeCurrent();
    const qreal ratio = devicePixelRatioF();
    GLint viewport[4] = {0, 0, GLint(width() * ratio), GLint(height() * ratio)};
    std::vector<GLuint> buffer(4096);
    GLint hits = -1;
    // An overflowing buffer gives -1: grow it and pick again, up to the limit.
    while (true) {
        glSelectBuffer(GLsizei(buffer.size()), buffer.data());
        glRenderMode(GL_SELECT);
        glInitNames();
        glPushName(0);
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        // The pick matrix first, 3 x 3 pixels scaled like the screen, then the view.
        gluPickMatrix(position.x() * ratio, viewport[3] - position.y() * ratio, 3 * ratio, 3 * ratio, viewport);
        LoadMatrix(size());
        glEnable(GL_DEPTH_TEST);
        DrawScene(true);
        hits = glRenderMode(GL_RENDER);
        if (hits >= 0 || buffer.size() >= kMaxSelectionWords)
            break;
        buffer.resize(std::min(buffer.size() * 4, kMaxSelectionWords));
    }
    doneCurrent();
    // The nearest hit wins: each record is count, min depth, max depth, names.
    quint32 best = 0;
    GLuint bestDepth = std::numeric_limits<GLuint>::max();
    size_t at = 0;
    for (GLint h = 0; h < hits && at + 3 <= buffer.size(); ++h) {
        const GLuint count = buffer[at];
        if (at + 3 + count > buffer.size())
            break;
        if (count > 0 && buffer[at + 1] <= bestDepth) {
            bestDepth = buffer[at + 1];
            best = buffer[at + 3 + count - 1];
        }
        at += 3 + count;
    }
    return best;
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
    case 2: view_.Set(v.Pan(), v.Alpha() + d.y(), v.Beta() + d.x(), v.Zoom()); break;
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
