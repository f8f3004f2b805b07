#include "ui/schema2d/SchemaRuler.h"

#include "render/schema2d/RulerTicks.h"

#include <QPainter>

TSchemaRuler::TSchemaRuler(Qt::Orientation orientation, QWidget* parent)
    : QWidget(parent), orientation_(orientation), background_(palette().color(QPalette::Button))
{
    setObjectName(orientation == Qt::Horizontal ? QStringLiteral("TopBox") : QStringLiteral("LeftBox"));
    if (orientation == Qt::Horizontal)
        setFixedHeight(kThickness);
    else
        setFixedWidth(kThickness);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void TSchemaRuler::SetScale(double zero, double scale, bool centimetres)
{
    if (zero == zero_ && scale == scale_ && centimetres == centimetres_)
        return;
    zero_ = zero;
    scale_ = scale;
    centimetres_ = centimetres;
    update();
}

void TSchemaRuler::SetBackground(const QColor& colour)
{
    if (colour == background_)
        return;
    background_ = colour;
    update();
}

void TSchemaRuler::SetMouse(std::optional<double> position)
{
    if (position == mouse_)
        return;
    mouse_ = position;
    update();
}

void TSchemaRuler::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.fillRect(rect(), background_);
    const bool horizontal = orientation_ == Qt::Horizontal;
    const int length = horizontal ? width() : height();
    const int inner = horizontal ? height() : width();  // ticks grow from this edge
    QFont font(QStringLiteral("Arial"));
    font.setPointSize(7);
    p.setFont(font);
    p.setPen(Qt::black);
    const QFontMetrics metrics(font);
    // Labels are spaced by the width of this font's digits, so they never run together.
    const double digit = metrics.horizontalAdvance(QLatin1Char('0'));
    for (const TRulerTick& tick : RulerTicks(zero_, length, scale_, centimetres_, digit)) {
        const double at = tick.Position;
        if (horizontal)
            p.drawLine(QPointF(at, inner - tick.Length), QPointF(at, inner));
        else
            p.drawLine(QPointF(inner - tick.Length, at), QPointF(inner, at));
        if (tick.Label.isEmpty())
            continue;
        const int w = metrics.horizontalAdvance(tick.Label);
        if (horizontal) {
            p.drawText(QPointF(at - w / 2.0, metrics.ascent()), tick.Label);
        } else {
            // Written upwards along the ruler, centred on the tick.
            p.save();
            p.translate(metrics.ascent(), at + w / 2.0);
            p.rotate(-90);
            p.drawText(QPointF(0, 0), tick.Label);
            p.restore();
        }
    }
    if (mouse_) {
        p.setPen(QColor(128, 128, 128));
        if (horizontal)
            p.drawLine(QPointF(*mouse_, 0), QPointF(*mouse_, inner));
        else
            p.drawLine(QPointF(0, *mouse_), QPointF(inner, *mouse_));
    }
    p.setPen(QColor(128, 128, 128));
    if (horizontal)
        p.drawLine(0, inner - 1, length, inner - 1);
    else
        p.drawLine(inner - 1, 0, inner - 1, length);
}
