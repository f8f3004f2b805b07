#pragma once

#include "render/schema2d/SchemaDrawing.h"

#include <QPointF>
#include <QRectF>

#include <optional>

class TMineObject;
class TTextBlock2D;

// Everything one drawing of the schema needs besides the mine: what it shows (the drawing's
// description), where (the view) and onto what. A plain value, so the window, a picture, a
// printed sheet, the options preview and the legend each render with their own and never
// disturb each other.
struct TRenderContext : TSchemaDrawing {
    TRenderContext() = default;
    explicit TRenderContext(const TSchemaDrawing& drawing) : TSchemaDrawing(drawing) {}

    // Scale, factors, margin, origin, page offsets (pixels = off + s · schema units).
    TViewGeometry View;
    // Printing: fonts follow the target's resolution; the scale is not clamped.
    bool Printing = false;
    // Dots per inch of the target: fonts are sized in pixels from it (points × dpi / 72),
    // so a picture comes out the same on every machine.
    double Dpi = 96;
    // The area filled with the schema's back colour, and the part that needs drawing
    // (everything outside it is culled), both in target pixels. An empty clip is the area.
    QRectF Area;
    QRectF Clip;
    // Selected nodes are drawn displaced by this many pixels while they are dragged.
    QPointF DragVector;
    // While nodes are dragged the picture is drawn in two layers: what stays (kept as a
    // picture for the whole drag) and the branches with a selected end, drawn every frame.
    enum class TDragLayer : quint8 { All, Fixed, Moving };
    TDragLayer DragLayer = TDragLayer::All;
    // The object a search found: drawn in the selected-object colour.
    const TMineObject* Found = nullptr;
    // A label being dragged (a node's result label when Result): drawn at its offset plus the
    // vector, in the selected-object colour.
    struct TLabelDrag {
        const TMineObject* Owner = nullptr;
        bool Result = false;
        QPointF Vector;
    };
    TLabelDrag LabelDrag;
    // The text block selected in the editor mode: framed, with its rotation handle; while it
    // is dragged, drawn moved by the vector or turned to the angle.
    const TTextBlock2D* SelectedTextBlock = nullptr;
    QPointF TextBlockShift;
    std::optional<double> TextBlockAngle;

    QRectF EffectiveClip() const { return Clip.isEmpty() ? Area : Clip; }
};
