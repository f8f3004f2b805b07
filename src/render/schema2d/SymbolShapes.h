#pragma once

// The equipment symbols of the schema. One routine draws them on the schema (laid along the
// branch, the unit being the symbol factor), in the legend and in the table cells (upright,
// with the caller's unit).

#include <QColor>
#include <QPointF>
#include <QRectF>

class QPainter;
class TDevice;

enum class TSymbolShape {
    FireNozzle,        // hydrant: fire branch pipe
    WaterCurtain,      // hydrant: water curtain
    AutoExtinguisher,  // hydrant: automatic fire-extinguishing installation
    TechNeeds,         // hydrant: technological needs
    Gate,
    Reducer,
    Pump,
    JetBreakTank,
    VacuumPump,
    WellCluster,
    Connection,
    NumberedNode,
    FireEngine,
    SurfaceNode,
};
inline constexpr int kSymbolShapeCount = 14;

struct TSymbolStyle {
    QColor Fill = QColor(255, 0, 0);     // the kind's state colour
    QColor Outline = QColor(0, 0, 0);
    double PenWidth = 1;
    // Black and white: outlines black, fills white.
    bool BlackWhite = false;
    // Pump and reducer: the head (wedge) points to the start of the branch, not its end.
    bool TowardsStart = false;
};

// Draws the shape around the centre. u is the size unit (every k·u rounded to whole pixels);
// angle, in degrees clockwise on the screen, lays the shape's x axis along a branch.
void DrawSymbol(QPainter& painter, TSymbolShape shape, QPointF centre, double u, double angle,
                const TSymbolStyle& style);

// The shape's hit rectangle at unit 1, relative to its centre, unrotated.
QRectF SymbolBounds(TSymbolShape shape);

// The shape a device is drawn with.
TSymbolShape SymbolOf(const TDevice& device);
