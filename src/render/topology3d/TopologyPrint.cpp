#include "render/topology3d/TopologyPrint.h"

#include <QFont>
#include <QFontMetricsF>
#include <QImage>
#include <QPainter>
#include <QString>

#include <algorithm>

namespace TopologyPrint {

QRectF PaintPage(QPainter& p, const QRectF& page, double dotsPerCm, const QImage& picture, const QString& caption)
{
    const double margin = dotsPerCm;  // 1 cm round everything
    QRectF area = page.adjusted(margin, margin, -margin, -margin);
    QFont font(QStringLiteral("Liberation Sans"));
    // 12 points: a point is 1/72 inch, 2.54 cm an inch.
    font.setPixelSize(std::max(1, int(12.0 / 72 * 2.54 * dotsPerCm)));
    p.setFont(font);
    p.setPen(Qt::black);
    const double line = QFontMetricsF(font, p.device()).height();
    p.drawText(QRectF(area.left(), area.top(), area.width(), line), Qt::AlignLeft | Qt::AlignVCenter, caption);
    area.setTop(area.top() + line + margin / 2);
    if (picture.isNull() || area.width() <= 0 || area.height() <= 0)
        return {};
    const QSizeF size = QSizeF(picture.size()).scaled(area.size(), Qt::KeepAspectRatio);
    const QRectF target(area.left() + (area.width() - size.width()) / 2, area.top(), size.width(), size.height());
    p.drawImage(target, picture);
    p.setBrush(Qt::NoBrush);
    p.drawRect(target);
    return target;
}

}  // namespace TopologyPrint
