#include "render/topology3d/TopologyPrint.h"

#include <QColor>
#include <QFont>
#include <QFontMetricsF>
#include <QImage>
#include <QPainter>
#include <QString>

#include <algorithm>

namespace TopologyPrint {

QImage OnPaper(const QImage& screen)
{
    QImage paper = screen.convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < paper.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(paper.scanLine(y));
        for (int x = 0; x < paper.width(); ++x) {
            const QColor c = QColor::fromRgb(line[x]);
            float h = 0, s = 0, l = 0;
            c.getHslF(&h, &s, &l);
            // Black goes to white; the middle (pure yellow, say) to a dark shade that still
            // reads on white; white to black.
            const float turned = l <= 0.5f ? 1 - 1.3f * l : 0.35f - 0.7f * (l - 0.5f);
            line[x] = QColor::fromHslF(h, s, std::clamp(turned, 0.0f, 1.0f)).rgb();
        }
    }
    return paper;
}

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
    p.drawImage(target, OnPaper(picture));
    p.setBrush(Qt::NoBrush);
    p.drawRect(target);
    return target;
}

}  // namespace TopologyPrint
