#include "ui/schema2d/SchemaCursors.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace {

constexpr int kSize = 32;

// The plain arrow with its tip at (1, 1): a white body with a black outline.
void Arrow(QPainter& p)
{
    const QPointF shape[] = {{1, 1}, {1, 17}, {5, 13}, {8, 20}, {10, 19}, {7, 12}, {12, 12}};
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(Qt::white);
    p.drawPolygon(shape, int(std::size(shape)));
}

void Magnifier(QPainter& p, int sign)
{
    p.setPen(QPen(Qt::black, 2));
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(12, 12), 8, 8);
    p.setPen(QPen(Qt::black, 4, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(18, 18), QPointF(27, 27));
    p.setPen(QPen(Qt::black, 2));
    if (sign != 0)
        p.drawLine(QPointF(8, 12), QPointF(16, 12));
    if (sign > 0)
        p.drawLine(QPointF(12, 8), QPointF(12, 16));
}

void Hand(QPainter& p)
{
    // A mitten: palm, four fingers and a thumb, outlined.
    QPainterPath hand;
    hand.addRoundedRect(QRectF(8, 13, 16, 13), 4, 4);
    for (int i = 0; i < 4; ++i)
        hand.addRoundedRect(QRectF(8.5 + 4 * i, 5 + (i == 0 || i == 3 ? 3 : 0), 3.5, 12), 1.7, 1.7);
    hand.addRoundedRect(QRectF(3, 14, 8, 3.5), 1.7, 1.7);
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(Qt::white);
    p.drawPath(hand.simplified());
}

void FourArrows(QPainter& p)
{
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(Qt::white);
    QPainterPath path;
    const QPointF c(15.5, 15.5);
    for (int quarter = 0; quarter < 4; ++quarter) {
        QTransform t;
        t.translate(c.x(), c.y());
        t.rotate(90 * quarter);
        const QPolygonF head({{0, -14}, {-5, -8}, {-2, -8}, {-2, -1}, {2, -1}, {2, -8}, {5, -8}});
        path.addPolygon(t.map(head));
        path.closeSubpath();
    }
    p.drawPath(path.simplified());
}

void Cross(QPainter& p)
{
    p.setPen(QPen(Qt::white, 3));
    p.drawLine(QPointF(15.5, 3), QPointF(15.5, 28));
    p.drawLine(QPointF(3, 15.5), QPointF(28, 15.5));
    p.setPen(QPen(Qt::black, 1));
    p.drawLine(QPointF(15.5, 3), QPointF(15.5, 28));
    p.drawLine(QPointF(3, 15.5), QPointF(28, 15.5));
}

void Rotate(QPainter& p)
{
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(Qt::white, 4));
    p.drawArc(QRectF(6, 6, 19, 19), 30 * 16, 280 * 16);
    p.setPen(QPen(Qt::black, 2));
    p.drawArc(QRectF(6, 6, 19, 19), 30 * 16, 280 * 16);
    p.setBrush(Qt::black);
    const QPointF head[] = {{19, 3}, {27, 9}, {18, 12}};
    p.drawPolygon(head, 3);
}

}  // namespace

QCursor SchemaCursor(const QString& name)
{
    QPixmap pixmap(kSize, kSize);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    QPoint hot(1, 1);
    if (name == QLatin1String("MOVEHAND")) {
        Hand(p);
        hot = QPoint(15, 15);
    } else if (name == QLatin1String("SCALEPLUS") || name == QLatin1String("SCALEMINUS") ||
               name == QLatin1String("SCALE")) {
        Magnifier(p, name == QLatin1String("SCALEPLUS") ? 1 : name == QLatin1String("SCALEMINUS") ? -1 : 0);
        hot = QPoint(12, 12);
    } else if (name == QLatin1String("MOVEMAP")) {
        FourArrows(p);
        hot = QPoint(15, 15);
    } else if (name == QLatin1String("CROSS")) {
        Cross(p);
        hot = QPoint(15, 15);
    } else if (name == QLatin1String("ArrowRotate")) {
        Rotate(p);
        hot = QPoint(15, 15);
    } else if (name == QLatin1String("TEXTBLOCK")) {
        Cross(p);
        p.setPen(QPen(Qt::black, 2));
        p.setFont(QFont(QStringLiteral("Liberation Serif"), 11, QFont::Bold));
        p.drawText(QRectF(18, 18, 13, 13), Qt::AlignCenter, QStringLiteral("T"));
        hot = QPoint(15, 15);
    } else {
        Arrow(p);
        // What the arrow is over, beside its tail.
        p.setPen(QPen(Qt::black, 1.5));
        if (name == QLatin1String("ARROWUZEL")) {
            p.setBrush(Qt::white);
            p.drawEllipse(QPointF(22, 23), 5, 5);
        } else if (name == QLatin1String("ARROWBRANCH")) {
            p.setPen(QPen(Qt::black, 3));
            p.drawLine(QPointF(14, 28), QPointF(29, 18));
        } else if (name == QLatin1String("ARROWDEVICE")) {
            // A gate: two triangles tip to tip.
            p.setBrush(Qt::black);
            const QPointF left[] = {{14, 18}, {14, 28}, {21, 23}};
            const QPointF right[] = {{28, 18}, {28, 28}, {21, 23}};
            p.drawPolygon(left, 3);
            p.drawPolygon(right, 3);
        } else if (name == QLatin1String("SELECT")) {
            p.setBrush(Qt::NoBrush);
            p.setPen(QPen(Qt::black, 1, Qt::DotLine));
            p.drawRect(QRectF(13.5, 15.5, 15, 12));
        }
    }
    p.end();
    return QCursor(pixmap, hot.x(), hot.y());
}
