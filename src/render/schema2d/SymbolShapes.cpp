#include "render/schema2d/SymbolShapes.h"

#include "core/model/DeviceKinds.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

#include <algorithm>
#include <cmath>

namespace {

const QColor kGreen(0, 128, 0);
const QColor kTankWater(0, 0, 255);

// Paints one symbol in a frame whose origin is the centre and whose x axis lies along the
// branch. Every length is a whole number of pixels; the fixed colours of a shape give way to
// black outlines and white fills in black-and-white output.
class TSymbolPainter {
public:
    TSymbolPainter(QPainter& painter, double u, const TSymbolStyle& style, double halfPixel)
        : p(painter), u_(u), style_(style), halfPixel_(halfPixel)
    {
    }

    QPainter& p;

    // k units, rounded to whole pixels.
    double R(double k) const { return std::round(k * u_); }
    QPointF P(double kx, double ky) const { return QPointF(R(kx), R(ky)); }
    double Unit() const { return u_; }
    bool TowardsStart() const { return style_.TowardsStart; }
    // The half pixel the frame is shifted by for antialiased odd-width outlines; even-width
    // lines take it back.
    double HalfPixel() const { return halfPixel_; }

    QColor Fill() const { return style_.BlackWhite ? QColor(Qt::white) : style_.Fill; }
    QColor Outline() const { return style_.BlackWhite ? QColor(Qt::black) : style_.Outline; }
    QColor Fixed(const QColor& c) const { return style_.BlackWhite ? QColor(Qt::black) : c; }
    QColor FixedFill(const QColor& c) const { return style_.BlackWhite ? QColor(Qt::white) : c; }

    void Use(const QColor& pen, const QBrush& brush, double widthFactor = 1, Qt::PenCapStyle cap = Qt::SquareCap)
    {
        p.setPen(QPen(pen, style_.PenWidth * widthFactor, Qt::SolidLine, cap, Qt::BevelJoin));
        p.setBrush(brush);
    }
    // Lines only, nothing filled.
    void UseLines(const QColor& pen, double widthFactor = 1, Qt::PenCapStyle cap = Qt::SquareCap)
    {
        Use(pen, Qt::NoBrush, widthFactor, cap);
    }

    void Circle(double kr, double minRadius = 0) { Circle(QPointF(), kr, minRadius); }
    void Circle(QPointF centre, double kr, double minRadius = 0)
    {
        const double r = std::max(R(kr), minRadius);
        p.drawEllipse(centre, r, r);
    }
    void Polygon(std::initializer_list<QPointF> points) { p.drawPolygon(QPolygonF(points)); }
    void Polyline(std::initializer_list<QPointF> points) { p.drawPolyline(QPolygonF(points)); }

private:
    double u_;
    const TSymbolStyle& style_;
    double halfPixel_;
};

using TShapeDraw = void (*)(TSymbolPainter&);

void DrawFireNozzle(TSymbolPainter& s)
{
    s.Use(s.Outline(), s.Fill());
    s.Circle(3);
}

void DrawWaterCurtain(TSymbolPainter& s)
{
    s.UseLines(s.Outline());
    s.p.drawLine(s.P(-4, 0), s.P(4, 0));
    s.Polyline({s.P(4, -6), s.P(-4, -6), s.P(-4, 6), s.P(4, 6)});
    // Three nozzles along the open side: squares of three units covering the pixels from -u
    // up to, not including, 2u about each point.
    s.Use(s.Outline(), s.Fill());
    for (double ky : {-6.0, 0.0, 6.0}) {
        const QPointF c = s.P(4, ky);
        s.p.drawRect(QRectF(c + s.P(-1, -1), c + s.P(2, 2) - QPointF(1, 1)));
    }
}

void DrawAutoExtinguisher(TSymbolPainter& s)
{
    s.Use(s.Outline(), s.FixedFill(Qt::white));
    s.Polygon({s.P(-7, 0), s.P(0, -7), s.P(7, 0), s.P(0, 7)});
    s.Use(s.Outline(), s.Fill());
    s.Circle(2, 2);
}

void DrawTechNeeds(TSymbolPainter& s)
{
    s.UseLines(s.Outline());
    s.Polyline({s.P(6, -6), s.P(0, 0), s.P(6, 6)});
    s.Use(s.Outline(), s.Fill());
    s.Circle(3);
}

// Two triangles meeting at the centre, 16 units wide and 6 high.
void DrawValveBody(TSymbolPainter& s)
{
    s.Use(s.Outline(), s.Fill());
    s.Polygon({s.P(-8, -3), s.P(0, 0), s.P(-8, 3)});
    s.Polygon({s.P(8, -3), s.P(0, 0), s.P(8, 3)});
}

void DrawGate(TSymbolPainter& s)
{
    DrawValveBody(s);
    s.UseLines(s.Outline());
    s.p.drawLine(s.P(0, -3), s.P(0, 3));
}

// The valve body with a stem carrying a pennant that points the way the reducer works.
void DrawReducer(TSymbolPainter& s)
{
    DrawValveBody(s);
    s.UseLines(s.Outline());
    s.p.drawLine(s.P(0, 0), s.P(0, -8));
    const double side = s.TowardsStart() ? -1 : 1;
    s.Use(s.Outline(), s.Fill());
    s.Polygon({s.P(0, -8), s.P(5 * side, -6), s.P(0, -4)});
}

void DrawPump(TSymbolPainter& s)
{
    s.Use(s.Outline(), s.FixedFill(Qt::white));
    s.Circle(4);
    const double d = s.TowardsStart() ? -1 : 1;
    s.Use(s.Outline(), s.Fill());
    s.Polygon({s.P(3 * d, 0), s.P(-2 * d, -2.5), s.P(-2 * d, 2.5)});
}

void DrawJetBreakTank(TSymbolPainter& s)
{
    const double halfWidth = s.R(0.75 * 6);
    const double halfHeight = s.R(5);
    const QRectF body(-halfWidth, -halfHeight, 2 * halfWidth, 2 * halfHeight);
    s.Use(s.Outline(), s.FixedFill(Qt::white));
    s.p.drawRect(body);
    s.Use(s.Outline(), s.FixedFill(kTankWater));
    s.p.drawRect(QRectF(body.left(), 0, body.width(), halfHeight));
}

void DrawVacuumPump(TSymbolPainter& s)
{
    s.Use(s.Fixed(kGreen), s.FixedFill(Qt::white));
    s.Circle(2.4, 1);
}

void DrawWellCluster(TSymbolPainter& s)
{
    s.UseLines(s.Fixed(kGreen), 1, Qt::FlatCap);
    for (double kx : {-6.0, 0.0, 6.0})
        s.p.drawLine(s.P(0, 6), s.P(kx, -6));
}

void DrawConnection(TSymbolPainter& s)
{
    s.UseLines(s.Fixed(kGreen), 2, Qt::FlatCap);
    const QPointF back(-s.HalfPixel(), -s.HalfPixel());
    s.p.drawLine(s.P(0, -3) + back, s.P(0, 3) + back);
}

void DrawNumberedNode(TSymbolPainter& s)
{
    s.Use(s.Outline(), s.FixedFill(kGreen));
    s.Circle(3);
}

// A fire truck facing +x: a box body with a ladder on its roof, a cab with a sloping
// windscreen and a window, two wheels. Laid out on a 20 × 13 unit grid.
void DrawFireEngine(TSymbolPainter& s)
{
    QPainterPath body;
    body.moveTo(s.P(-10, 3));
    body.lineTo(s.P(-10, -4));
    body.lineTo(s.P(6, -4));
    body.lineTo(s.P(9, -1));
    body.lineTo(s.P(10, -1));
    body.lineTo(s.P(10, 3));
    body.closeSubpath();
    s.Use(s.Outline(), s.Fill());
    s.p.drawPath(body);

    // The cab's door line and window; too small to tell apart at the smallest unit.
    if (s.Unit() >= 1.5) {
        s.UseLines(s.Outline());
        s.p.drawLine(s.P(2, -4), s.P(2, 3));
        s.Use(s.Outline(), s.FixedFill(Qt::white));
        s.Polygon({s.P(4, -3), s.P(6, -3), s.P(8, -1), s.P(4, -1)});
    }

    // Ladder: two rails with rungs, on two posts standing on the roof.
    s.UseLines(s.Outline());
    s.p.drawLine(s.P(-9, -7), s.P(1, -7));
    s.p.drawLine(s.P(-9, -6), s.P(1, -6));
    for (double kx : {-8.0, 0.0})
        s.p.drawLine(s.P(kx, -6), s.P(kx, -4));
    if (s.Unit() >= 1.5)
        for (double kx = -9; kx <= 1; kx += 1)
            s.p.drawLine(s.P(kx, -7), s.P(kx, -6));

    s.Use(s.Outline(), s.Outline());
    s.Circle(s.P(-6, 3), 2, 1);
    s.Circle(s.P(6, 3), 2, 1);
}

void DrawSurfaceNode(TSymbolPainter& s)
{
    const double r = s.R(4.5);
    const QRectF box(-r, -r, 2 * r, 2 * r);
    s.Use(s.Fixed(Qt::black), s.FixedFill(Qt::white));
    s.p.drawEllipse(box);
    // The half below the rising diagonal.
    s.Use(s.Fixed(Qt::black), QColor(Qt::black));
    s.p.drawChord(box, -135 * 16, 180 * 16);
}

struct TShapeInfo {
    TShapeDraw Draw;
    QRectF Bounds;  // at unit 1, whole units
};

const TShapeInfo kShapes[kSymbolShapeCount] = {
    {DrawFireNozzle, QRectF(-3, -3, 6, 6)},
    {DrawWaterCurtain, QRectF(-4, -7, 10, 15)},
    {DrawAutoExtinguisher, QRectF(-7, -7, 14, 14)},
    {DrawTechNeeds, QRectF(-3, -6, 9, 12)},
    {DrawGate, QRectF(-8, -3, 16, 6)},
    {DrawReducer, QRectF(-8, -8, 16, 11)},
    {DrawPump, QRectF(-4, -4, 8, 8)},
    {DrawJetBreakTank, QRectF(-5, -5, 10, 10)},
    {DrawVacuumPump, QRectF(-3, -3, 6, 6)},
    {DrawWellCluster, QRectF(-6, -6, 12, 12)},
    {DrawConnection, QRectF(-1, -3, 2, 6)},
    {DrawNumberedNode, QRectF(-3, -3, 6, 6)},
    {DrawFireEngine, QRectF(-10, -8, 20, 13)},
    {DrawSurfaceNode, QRectF(-5, -5, 10, 10)},
};

const TShapeInfo& InfoOf(TSymbolShape shape)
{
    const int index = static_cast<int>(shape);
    return kShapes[index >= 0 && index < kSymbolShapeCount ? index : static_cast<int>(TSymbolShape::NumberedNode)];
}

}  // namespace

void DrawSymbol(QPainter& painter, TSymbolShape shape, QPointF centre, double u, double angle,
                const TSymbolStyle& style)
{
    if (!(u > 0) || !std::isfinite(u) || !std::isfinite(angle))
        return;
    painter.save();
    // Antialiased one-pixel outlines on whole coordinates would straddle two pixels; half a
    // pixel puts them on one, the same pixels aliased drawing covers.
    const bool oddPen = std::lround(style.PenWidth) % 2 == 1;
    const double half = painter.testRenderHint(QPainter::Antialiasing) && oddPen ? 0.5 : 0;
    painter.translate(centre + QPointF(half, half));
    painter.rotate(angle);
    TSymbolPainter s(painter, u, style, half);
    InfoOf(shape).Draw(s);
    painter.restore();
}

QRectF SymbolBounds(TSymbolShape shape) { return InfoOf(shape).Bounds; }

TSymbolShape SymbolOf(const TDevice& device)
{
    switch (device.GetKind()) {
    case dkPump: return TSymbolShape::Pump;
    case dkReducer: return TSymbolShape::Reducer;
    case dkGate: return TSymbolShape::Gate;
    case dkCrane:
        switch (static_cast<const TCrane&>(device).ConsumerType()) {
        case 1: return TSymbolShape::WaterCurtain;
        case 2: return TSymbolShape::AutoExtinguisher;
        case 3: return TSymbolShape::TechNeeds;
        default: return TSymbolShape::FireNozzle;
        }
    case dkJetBreakTank: return TSymbolShape::JetBreakTank;
    case dkVacuumPump: return TSymbolShape::VacuumPump;
    case dkSlit: return TSymbolShape::WellCluster;
    case dkConnection: return TSymbolShape::Connection;
    case dkNumberDev: return TSymbolShape::NumberedNode;
    case dkFireMachine: return TSymbolShape::FireEngine;
    default: return TSymbolShape::NumberedNode;
    }
}
