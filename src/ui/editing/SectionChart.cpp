#include "ui/editing/SectionChart.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

TSectionChart::TSectionChart(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("SectionChart"));
    setMinimumSize(300, 200);
}

void TSectionChart::SetBars(const std::vector<double>& values, const QStringList& labels, const QString& axisTitle)
{
    values_ = values;
    labels_ = labels;
    axisTitle_ = axisTitle;
    update();
}

void TSectionChart::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.fillRect(rect(), palette().color(QPalette::Base));
    const QFontMetrics metrics(font());
    const int line = metrics.height();
    p.setPen(palette().color(QPalette::Text));
    p.drawText(QRect(0, 4, width(), line), Qt::AlignHCenter, kTitle);
    // The plot: room for the axis title and numbers on the left, the labels below.
    const QRect plot(line * 2 + metrics.horizontalAdvance(QStringLiteral("-00000.0")), line * 2 + 8,
                     width() - line * 4 - metrics.horizontalAdvance(QStringLiteral("-00000.0")), height() - line * 5);
    if (plot.width() <= 0 || plot.height() <= 0)
        return;
    p.save();
    p.translate(line, plot.center().y());
    p.rotate(-90);
    p.drawText(QRect(-plot.height() / 2, -line, plot.height(), line), Qt::AlignCenter, axisTitle_);
    p.restore();
    double low = 0, high = 0;
    for (double v : values_)
        if (std::isfinite(v)) {
            low = std::min(low, v);
            high = std::max(high, v);
        }
    if (high == low)
        high = low + 1;
    auto yOf = [&](double v) { return plot.bottom() - (v - low) / (high - low) * plot.height(); };
    p.drawLine(plot.bottomLeft(), plot.topLeft());
    p.drawLine(QPointF(plot.left(), yOf(0)), QPointF(plot.right(), yOf(0)));
    for (double v : {low, high})
        p.drawText(QRectF(0, yOf(v) - line / 2.0, plot.left() - 4, line), Qt::AlignRight | Qt::AlignVCenter,
                   QString::number(v, 'f', 1));
    if (values_.empty())
        return;
    const double slot = double(plot.width()) / double(values_.size());
    for (size_t i = 0; i < values_.size(); ++i) {
        const double v = std::isfinite(values_[i]) ? values_[i] : 0;
        const double x = plot.left() + slot * double(i) + slot * 0.15;
        const QRectF bar(QPointF(x, yOf(std::max(v, 0.0))), QPointF(x + slot * 0.7, yOf(std::min(v, 0.0))));
        p.fillRect(bar, QColor(70, 110, 200));
        p.drawRect(bar);
        if (i < size_t(labels_.size()) && !labels_[int(i)].isEmpty())
            p.drawText(QRectF(plot.left() + slot * double(i), plot.bottom() + 4, slot, line), Qt::AlignHCenter,
                       labels_[int(i)]);
    }
}
