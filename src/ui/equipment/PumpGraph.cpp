#include "ui/equipment/PumpGraph.h"

#include <QContextMenuEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

#include <cmath>

namespace {
constexpr int kLeftMargin = 48;
constexpr int kRightMargin = 16;
constexpr int kTopMargin = 22;
constexpr int kBottomMargin = 34;
constexpr double kHitPixels = 3;
constexpr int kGridLines = 5;
}  // namespace

TPumpGraph::TPumpGraph(QWidget* parent) : QWidget(parent)
{
    setMouseTracking(true);
    setMinimumSize(320, 240);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::white);
    setPalette(pal);
}

void TPumpGraph::SetStore(const TPumpStore* store)
{
    store_ = store;
    dragPoint_ = -1;
    dragOperating_ = 0;
    update();
}

void TPumpGraph::SetEditorMode(bool editor)
{
    editor_ = editor;
    update();
}

void TPumpGraph::SetCurrentPoint(int index)
{
    current_ = index;
    update();
}

void TPumpGraph::SetOperatingPoints(double q1, double q2, const std::optional<TPumpFit>& fit)
{
    q1_ = q1;
    q2_ = q2;
    fit_ = fit;
    update();
}

double TPumpGraph::Range(TPumpRange r) const
{
    if (store_)
        return store_->Range(r);
    static const TPumpStore defaults;
    return defaults.Range(r);
}

QRectF TPumpGraph::PlotArea() const
{
    return QRectF(kLeftMargin, kTopMargin, std::max(1, width() - kLeftMargin - kRightMargin),
                  std::max(1, height() - kTopMargin - kBottomMargin));
}

bool TPumpGraph::HasScale() const
{
    const double dq = Range(prMaxQ) - Range(prMinQ);
    const double dh = Range(prMaxH) - Range(prMinH);
    return dq != 0 && dh != 0 && std::isfinite(dq) && std::isfinite(dh);
}

QPointF TPumpGraph::ToPixels(double q, double h) const
{
    const QRectF a = PlotArea();
    const double sx = HasScale() ? std::abs(a.width() / (Range(prMaxQ) - Range(prMinQ))) : 0;
    const double sy = HasScale() ? std::abs(a.height() / (Range(prMaxH) - Range(prMinH))) : 0;
    return {a.left() + (q - Range(prMinQ)) * sx, a.bottom() - (h - Range(prMinH)) * sy};
}

TBasePoint TPumpGraph::ToValues(QPointF pixel) const
{
    if (!HasScale())
        return {Range(prMinQ), Range(prMinH)};
    const QRectF a = PlotArea();
    const double sx = std::abs(a.width() / (Range(prMaxQ) - Range(prMinQ)));
    const double sy = std::abs(a.height() / (Range(prMaxH) - Range(prMinH)));
    return {Range(prMinQ) + (pixel.x() - a.left()) / sx, Range(prMinH) + (a.bottom() - pixel.y()) / sy};
}

int TPumpGraph::HitPoint(QPointF pixel) const
{
    if (!store_ || !HasScale())
        return -1;
    const std::vector<TBasePoint>& points = store_->Points().Points();
    for (size_t i = 0; i < points.size(); ++i) {
        const QPointF at = ToPixels(points[i].Q, points[i].H);
        if (std::abs(at.x() - pixel.x()) <= kHitPixels && std::abs(at.y() - pixel.y()) <= kHitPixels)
            return static_cast<int>(i);
    }
    return -1;
}

int TPumpGraph::HitOperatingPoint(QPointF pixel) const
{
    if (!store_ || !HasScale())
        return 0;
    int which = 1;
    for (double q : {q1_, q2_}) {
        const double h = EvaluateHead(store_->Points(), q);
        const QPointF at = ToPixels(q, h);
        if (!std::isnan(h) && std::abs(at.x() - pixel.x()) <= kHitPixels && std::abs(at.y() - pixel.y()) <= kHitPixels)
            return which;
        ++which;
    }
    return 0;
}

QString TPumpGraph::PointerText(const TBasePoint& at)
{
    return QStringLiteral("Q = %1     H = %2  ").arg(at.Q, 0, 'f', 1).arg(at.H, 0, 'f', 1);
}

void TPumpGraph::PaintAxes(QPainter& p) const
{
    const QRectF a = PlotArea();
    const QFontMetrics fm(font());
    p.setPen(QPen(QColor(0xC0, 0xC0, 0xC0), 0, Qt::DotLine));
    for (int i = 1; i <= kGridLines; ++i) {
        const double x = a.left() + a.width() * i / kGridLines;
        const double y = a.bottom() - a.height() * i / kGridLines;
        p.drawLine(QPointF(x, a.top()), QPointF(x, a.bottom()));
        p.drawLine(QPointF(a.left(), y), QPointF(a.right(), y));
    }
    p.setPen(Qt::black);
    p.drawLine(a.bottomLeft(), a.topLeft());
    p.drawLine(a.bottomLeft(), a.bottomRight());
    p.drawText(QPointF(4, fm.ascent() + 2), QStringLiteral("H, м"));
    const QString qTitle = QStringLiteral("Q, м3/ч");
    p.drawText(QPointF(width() - fm.horizontalAdvance(qTitle) - 4, height() - 3), qTitle);
    if (!HasScale())
        return;
    const double q0 = Range(prMinQ), dq = Range(prMaxQ) - q0;
    const double h0 = Range(prMinH), dh = Range(prMaxH) - h0;
    for (int i = 0; i <= kGridLines; ++i) {
        const double x = a.left() + a.width() * i / kGridLines;
        const double y = a.bottom() - a.height() * i / kGridLines;
        const QString qText = FlowAxisLabel(q0 + dq * i / kGridLines, dq * i / kGridLines);
        const QString hText = QString::number(h0 + dh * i / kGridLines, 'f', 0);
        p.drawLine(QPointF(x, a.bottom()), QPointF(x, a.bottom() + 3));
        p.drawLine(QPointF(a.left() - 3, y), QPointF(a.left(), y));
        p.drawText(QPointF(x - fm.horizontalAdvance(qText) / 2.0, a.bottom() + 4 + fm.ascent()), qText);
        p.drawText(QPointF(a.left() - 5 - fm.horizontalAdvance(hText), y + fm.ascent() / 2.0 - 1), hText);
    }
}

void TPumpGraph::PaintCurves(QPainter& p) const
{
    if (!store_ || !HasScale())
        return;
    const auto polyline = [&](const std::vector<TBasePoint>& line) {
        QPainterPath path;
        for (size_t i = 0; i < line.size(); ++i) {
            const QPointF at = ToPixels(line[i].Q, line[i].H);
            if (i == 0)
                path.moveTo(at);
            else
                path.lineTo(at);
        }
        p.drawPath(path);
    };
    p.setClipRect(PlotArea().adjusted(-5, -5, 5, 5));
    p.setPen(QPen(Qt::blue, 2));
    polyline(CurvePolyline(store_->Points()));
    const auto circle = [&](QPointF at, double r, const QColor& fill) {
        p.setBrush(fill);
        p.drawEllipse(at, r, r);
    };
    if (editor_) {
        p.setPen(QPen(Qt::black, 1));
        const std::vector<TBasePoint>& points = store_->Points().Points();
        for (size_t i = 0; i < points.size(); ++i)
            circle(ToPixels(points[i].Q, points[i].H), 3, static_cast<int>(i) == current_ ? Qt::yellow : Qt::white);
        return;
    }
    if (fit_ && fit_->Q1 != fit_->Q2) {
        p.setPen(QPen(Qt::red, 1, Qt::DotLine));
        polyline(FitPolyline(*fit_, Range(prMinQ), Range(prMaxQ)));
    }
    int which = 1;
    for (double q : {q1_, q2_}) {
        const double h = EvaluateHead(store_->Points(), q);
        if (!std::isnan(h)) {
            const QPointF at = ToPixels(q, h);
            if (which == dragOperating_) {
                p.setPen(QPen(Qt::darkGray, 1, Qt::DashLine));
                p.drawLine(QPointF(PlotArea().left(), at.y()), QPointF(PlotArea().right(), at.y()));
                p.drawLine(QPointF(at.x(), PlotArea().top()), QPointF(at.x(), PlotArea().bottom()));
            }
            p.setPen(QPen(Qt::black, 1));
            circle(at, 4, which == 1 ? Qt::green : Qt::magenta);
        }
        ++which;
    }
}

void TPumpGraph::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing, true);
    PaintAxes(p);
    PaintCurves(p);
}

void TPumpGraph::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || !store_)
        return;
    if (editor_)
        dragPoint_ = HitPoint(event->position());
    else
        dragOperating_ = HitOperatingPoint(event->position());
    update();
}

void TPumpGraph::mouseMoveEvent(QMouseEvent* event)
{
    const TBasePoint at = ToValues(event->position());
    emit PointerMoved(PointerText(at));
    if (editor_ && dragPoint_ >= 0)
        emit PointDragged(dragPoint_, at.Q, at.H);
    else if (!editor_ && dragOperating_ != 0)
        emit OperatingPointDragged(dragOperating_, at.Q);
}

void TPumpGraph::mouseReleaseEvent(QMouseEvent*)
{
    dragPoint_ = -1;
    dragOperating_ = 0;
    update();
}

void TPumpGraph::contextMenuEvent(QContextMenuEvent* event)
{
    if (!editor_ || !store_ || !HasScale())
        return;
    const int hit = HitPoint(event->pos());
    const TBasePoint at = ToValues(event->pos());
    QMenu menu(this);
    if (hit < 0)
        connect(menu.addAction(QStringLiteral("&Добавить точку")), &QAction::triggered, this,
                [this, at] { emit AddPointRequested(at.Q, at.H); });
    else
        connect(menu.addAction(QStringLiteral("&Удалить точку")), &QAction::triggered, this,
                [this, hit] { emit DeletePointRequested(hit); });
    menu.exec(event->globalPos());
}
