#include "render/schema2d/SymbolShapes.h"

#include "core/model/DeviceKinds.h"

#include <QPainter>

// Placeholder shapes until the full set is drawn.
void DrawSymbol(QPainter& painter, TSymbolShape, QPointF centre, double u, double, const TSymbolStyle& style)
{
    painter.setPen(QPen(style.BlackWhite ? Qt::black : style.Outline, style.PenWidth));
    painter.setBrush(style.BlackWhite ? QColor(Qt::white) : style.Fill);
    painter.drawEllipse(centre, 3 * u, 3 * u);
}

QRectF SymbolBounds(TSymbolShape) { return QRectF(-4, -4, 8, 8); }

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
