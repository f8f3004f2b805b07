#include "ui/app/CommandIcons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <QPixmap>

#include <functional>
#include <map>

namespace {

constexpr int kSize = 24;
const QColor kInk(0x30, 0x30, 0x30);
const QColor kNode(0x1f, 0x5f, 0xbf);
const QColor kPlus(0x1a, 0x8a, 0x2e);
const QColor kMinus(0xc0, 0x28, 0x28);

using Painter = std::function<void(QPainter&)>;

void Plus(QPainter& p)
{
    p.setPen(QPen(kPlus, 2.4));
    p.drawLine(QPointF(17, 14), QPointF(17, 22));
    p.drawLine(QPointF(13, 18), QPointF(21, 18));
}

void Minus(QPainter& p)
{
    p.setPen(QPen(kMinus, 2.4));
    p.drawLine(QPointF(13, 18), QPointF(21, 18));
}

void Node(QPainter& p, QPointF centre, double radius = 4.5)
{
    p.setPen(QPen(kInk, 1.2));
    p.setBrush(kNode);
    p.drawEllipse(centre, radius, radius);
    p.setBrush(Qt::NoBrush);
}

void Working(QPainter& p)
{
    p.setPen(QPen(kInk, 2.0));
    p.drawLine(QPointF(4, 13), QPointF(15, 4));
    Node(p, QPointF(4, 13), 2.8);
    Node(p, QPointF(15, 4), 2.8);
}

void Sheet(QPainter& p, const QRectF& r)
{
    p.setPen(QPen(kInk, 1.2));
    p.setBrush(Qt::white);
    p.drawRect(r);
    p.setPen(QPen(QColor(0x90, 0x90, 0x90), 1.0));
    for (double y = r.top() + 4; y < r.bottom() - 2; y += 3)
        p.drawLine(QPointF(r.left() + 2.5, y), QPointF(r.right() - 2.5, y));
    p.setBrush(Qt::NoBrush);
}

// A bent arrow from the lower right back to the left: undo; mirrored, redo.
void BackArrow(QPainter& p)
{
    QPainterPath curve;
    curve.moveTo(20, 19);
    curve.cubicTo(21, 10.5, 15, 8, 8.5, 10);
    p.setPen(QPen(kNode, 2.6, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawPath(curve);
    p.setPen(QPen(kNode, 1.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(kNode);
    p.drawPolygon(QPolygonF({QPointF(2.5, 11.5), QPointF(10, 5), QPointF(10.5, 15)}));
    p.setBrush(Qt::NoBrush);
}

const std::map<QString, Painter>& Painters()
{
    static const std::map<QString, Painter> painters = {
        {QStringLiteral("actCutToClipboard"),
         [](QPainter& p) {
             p.setPen(QPen(kInk, 1.8));
             p.drawLine(QPointF(7, 3), QPointF(15, 15));
             p.drawLine(QPointF(17, 3), QPointF(9, 15));
             p.setPen(QPen(kMinus, 1.8));
             p.drawEllipse(QPointF(7, 18.5), 3.5, 3.5);
             p.drawEllipse(QPointF(17, 18.5), 3.5, 3.5);
         }},
        {QStringLiteral("actCopyToClipboard"),
         [](QPainter& p) {
             Sheet(p, QRectF(3.5, 3.5, 11, 14));
             Sheet(p, QRectF(9.5, 7.5, 11, 14));
         }},
        {QStringLiteral("actPasteFromClipboard"),
         [](QPainter& p) {
             p.setPen(QPen(kInk, 1.2));
             p.setBrush(QColor(0xc8, 0x9b, 0x5a));
             p.drawRoundedRect(QRectF(3.5, 4.5, 14, 17), 1.5, 1.5);
             p.setBrush(QColor(0xa0, 0xa0, 0xa0));
             p.drawRect(QRectF(7.5, 2.5, 6, 4));
             Sheet(p, QRectF(10.5, 9.5, 10, 12));
         }},
        {QStringLiteral("actUndo"), [](QPainter& p) { BackArrow(p); }},
        {QStringLiteral("actRedo"),
         [](QPainter& p) {
             p.translate(kSize, 0);
             p.scale(-1, 1);
             BackArrow(p);
         }},
        {QStringLiteral("actHistory"),
         [](QPainter& p) {
             // The list of steps with a clock over its corner.
             Sheet(p, QRectF(3.5, 2.5, 13, 17));
             p.setPen(QPen(kInk, 1.2));
             p.setBrush(Qt::white);
             p.drawEllipse(QPointF(16.5, 16.5), 5.5, 5.5);
             p.setPen(QPen(kNode, 1.6, Qt::SolidLine, Qt::RoundCap));
             p.drawLine(QPointF(16.5, 16.5), QPointF(16.5, 12.8));
             p.drawLine(QPointF(16.5, 16.5), QPointF(19.2, 17.8));
         }},
        {QStringLiteral("actGoto"),
         [](QPainter& p) {
             p.setPen(QPen(kInk, 2.0));
             p.setBrush(QColor(0xdd, 0xee, 0xff));
             p.drawEllipse(QPointF(10, 10), 6, 6);
             p.setPen(QPen(kInk, 3.0, Qt::SolidLine, Qt::RoundCap));
             p.drawLine(QPointF(14.5, 14.5), QPointF(20.5, 20.5));
         }},
        {QStringLiteral("actAddUzel"),
         [](QPainter& p) {
             Node(p, QPointF(9, 9), 6);
             Plus(p);
         }},
        {QStringLiteral("actDelUzel"),
         [](QPainter& p) {
             Node(p, QPointF(9, 9), 6);
             Minus(p);
         }},
        {QStringLiteral("actSurfacedUzel"),
         [](QPainter& p) {
             // A node on the ground line with the surface above it.
             p.fillRect(QRectF(2, 2, 20, 9), QColor(0xbf, 0xe3, 0xff));
             p.setPen(QPen(QColor(0x6b, 0x4a, 0x2b), 2.0));
             p.drawLine(QPointF(2, 11), QPointF(22, 11));
             p.setPen(QPen(kInk, 2.0));
             p.drawLine(QPointF(12, 11), QPointF(12, 21));
             Node(p, QPointF(12, 11), 3.5);
         }},
        {QStringLiteral("actAddBranch"),
         [](QPainter& p) {
             Working(p);
             Plus(p);
         }},
        {QStringLiteral("actDelBranch"),
         [](QPainter& p) {
             Working(p);
             Minus(p);
         }},
        {QStringLiteral("actCheckTopology"),
         [](QPainter& p) {
             p.setPen(QPen(kInk, 1.6));
             p.drawLine(QPointF(4, 18), QPointF(10, 6));
             p.drawLine(QPointF(10, 6), QPointF(18, 12));
             p.drawLine(QPointF(4, 18), QPointF(18, 12));
             Node(p, QPointF(4, 18), 2.5);
             Node(p, QPointF(10, 6), 2.5);
             Node(p, QPointF(18, 12), 2.5);
             p.setPen(QPen(kPlus, 2.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
             QPainterPath tick;
             tick.moveTo(12, 18);
             tick.lineTo(15, 21);
             tick.lineTo(22, 13);
             p.drawPath(tick);
         }},
        {QStringLiteral("actHydroCalc"),
         [](QPainter& p) {
             // A drop of water over a pipe with a pressure gauge.
             p.setPen(QPen(kInk, 1.2));
             p.setBrush(QColor(0x3f, 0x8f, 0xe0));
             QPainterPath drop;
             drop.moveTo(8, 2);
             drop.cubicTo(8, 2, 3, 9, 3, 11.5);
             drop.arcTo(QRectF(3, 6.5, 10, 10), 180, 180);
             drop.cubicTo(13, 9, 8, 2, 8, 2);
             p.drawPath(drop);
             p.setBrush(QColor(0xa0, 0xa0, 0xa0));
             p.drawRect(QRectF(2.5, 18.5, 19, 4));
             p.setBrush(Qt::white);
             p.drawEllipse(QPointF(17, 11), 5, 5);
             p.setPen(QPen(kMinus, 1.6, Qt::SolidLine, Qt::RoundCap));
             p.drawLine(QPointF(17, 11), QPointF(20, 8.5));
             p.setPen(QPen(kInk, 1.2));
             p.drawLine(QPointF(17, 16), QPointF(17, 18.5));
         }},
    };
    return painters;
}

}  // namespace

QIcon DrawnCommandIcon(const QString& commandName)
{
    const auto& painters = Painters();
    const auto found = painters.find(commandName);
    if (found == painters.end())
        return QIcon();
    QIcon icon;
    for (const int scale : {1, 2}) {
        QPixmap pixmap(kSize * scale, kSize * scale);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.scale(scale, scale);
        found->second(painter);
        painter.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

QIcon DrawnApplicationIcon()
{
    QIcon icon;
    for (const int size : {16, 32, 64}) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter p(&pixmap);
        p.setRenderHint(QPainter::Antialiasing);
        p.scale(size / 64.0, size / 64.0);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0x2b, 0x3a, 0x4a));
        p.drawRoundedRect(QRectF(2, 2, 60, 60), 8, 8);
        QPainterPath network;
        network.moveTo(12, 44);
        network.lineTo(28, 28);
        network.lineTo(44, 36);
        network.lineTo(54, 18);
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(QColor(0x3f, 0xa7, 0xff), 6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawPath(network);
        p.setPen(QPen(QColor(0xe0, 0x48, 0x48), 4, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(28, 28), QPointF(28, 52));
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0xff, 0xd2, 0x4a));
        for (const QPointF& node : {QPointF(12, 44), QPointF(28, 28), QPointF(44, 36), QPointF(54, 18)})
            p.drawEllipse(node, 5, 5);
        p.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}
