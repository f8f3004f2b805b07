#pragma once

// Label texts measured and drawn in one font: the renderer draws the schema's labels with it
// and the hit index measures them with it, so both agree on every label's box.

#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <QRectF>
#include <QSizeF>
#include <QString>

#include <unordered_map>

// Sizes of single-line texts, by text: repaints draw the same numbers again and again.
class TextSizes {
public:
    explicit TextSizes(const QFont& font) : font_(font), metrics_(font) {}
    const QFont& Font() const { return font_; }
    QSizeF Size(const QString& text)
    {
        if (text.contains(QLatin1Char('\n')))
            return metrics_.boundingRect(QRectF(0, 0, 1e6, 1e6), Qt::AlignLeft | Qt::AlignTop, text).size();
        const auto it = cache_.find(text);
        if (it != cache_.end())
            return it->second;
        const QSizeF size(metrics_.horizontalAdvance(text), metrics_.height());
        if (cache_.size() < 4096)
            cache_.emplace(text, size);
        return size;
    }
    double Height() const { return metrics_.height(); }
    // Draws the text's lines centred (or left-aligned) in the box, each at its baseline:
    // much cheaper than laying out a formatted text.
    void Draw(QPainter& painter, const QRectF& box, const QString& text, bool centred)
    {
        const double lineHeight = metrics_.height();
        double y = box.top() + metrics_.ascent();
        if (!text.contains(QLatin1Char('\n'))) {
            const double x = centred ? box.center().x() - Size(text).width() / 2 : box.left();
            painter.drawText(QPointF(x, y), text);
            return;
        }
        for (const QString& line : text.split(QLatin1Char('\n'))) {
            const double x = centred ? box.center().x() - metrics_.horizontalAdvance(line) / 2 : box.left();
            painter.drawText(QPointF(x, y), line);
            y += lineHeight;
        }
    }

private:
    QFont font_;
    QFontMetricsF metrics_;
    std::unordered_map<QString, QSizeF> cache_;
};

