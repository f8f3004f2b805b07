#pragma once

#include "core/settings/Colors2D.h"
#include "core/settings/Params2D.h"
#include "render/schema2d/ViewGeometry.h"

#include <QPointF>
#include <QRectF>

#include <optional>
#include <unordered_set>

class TMineObject;
class TPipe;
class TTextBlock2D;

// The result kinds the schema labels show, one bit each (bit = action tag − 30).
enum TResultBit : quint16 {
    rbQ = 1 << 0,
    rbV = 1 << 1,
    rbR = 1 << 2,
    rb100i = 1 << 3,
    rbDP = 1 << 4,
    rbDZ = 1 << 5,
    rbH = 1 << 6,
    rbP = 1 << 7,
    rbManometer = 1 << 8,
    rbZ = 1 << 9,
};
inline constexpr quint16 kBranchResultBits = 0x007F;
inline constexpr quint16 kUzelResultBits = 0x0380;
inline constexpr quint16 kAllResultBits = kBranchResultBits | kUzelResultBits;

// Colouring modes of the schema.
enum TColorPaint : quint8 { cmStandard = 0, cmSeams = 1, cmPressures = 2, cmPositions = 3 };
// Device information beside the symbols.
enum TDevInfo : quint8 { diNone = 0, diNumbers = 1, diModels = 2, diParameters = 3, diPPZ = 4 };

// What the schema shows: the view switches of the schema window. The window keeps them in
// the application's TParams2D; a picture or a sheet may take another set.
struct TDisplaySwitches {
    qint32 PipeIndex = 0;  // -1 no pipe, 0 fire-fighting, 1 drainage, 2 compressed air, 3 degasification
    quint8 ColorPaint = cmStandard;
    quint8 BranchInfo = biNumbers;
    quint8 DevInfo = diNone;
    bool UzelNumbers = true;
    bool BranchLabels = false;
    bool Comments = false;
    bool Devices = true;
    bool OnlyDuct = false;
    bool WaterArrows = false;   // ActQArrow
    bool BranchArrows = false;  // ActBranchNapr
    bool AirArrows = false;     // ActAirNapr
    bool Grid = false;
    bool TextBlocks = true;
    bool ThickBranch = true;    // the stored value: bands, not lines
    quint16 ResultBits = 0;

    bool BranchResultsShown() const { return (ResultBits & kBranchResultBits) != 0; }
    bool UzelResultsShown() const { return (ResultBits & kUzelResultBits) != 0; }
    bool WaterPipeShown() const { return PipeIndex >= 0 && PipeIndex <= 2; }

    // The switches the options keep (result labels are the window's own and start off).
    static TDisplaySwitches FromParams(const TParams2D& params);
    // Writes the switches back into the options.
    void ToParams(TParams2D& params) const;
};

// The results a drawing may show. Until the hydraulic calculation fills it, tests and the
// document hand it in; without it the schema shows no results at all.
struct TSchemaResults {
    // The document holds results.
    bool Present = false;
    // Water pipes whose sections carry results (the pipe's results flag).
    std::unordered_set<const TPipe*> Pipes;
    bool PipeHasResults(const TPipe* pipe) const { return Present && Pipes.count(pipe) != 0; }
};

// Everything one drawing of the schema needs besides the mine: a plain value, so the
// window, a picture, a printed sheet, the options preview and the legend each render with
// their own and never disturb each other.
struct TRenderContext {
    // Scale, factors, margin, origin, page offsets (pixels = off + s · schema units).
    TViewGeometry View;
    TDisplaySwitches Show;
    TColors2D Colors;
    // Grid step in metres (the settings' "GridStep").
    int GridStepMetres = 200;
    // Printing: fonts follow the target's resolution; the scale is not clamped.
    bool Printing = false;
    // Black and white: every outline and text black, every fill white.
    bool BlackWhite = false;
    // Dots per inch of the target: fonts are sized in pixels from it (points × dpi / 72),
    // so a picture comes out the same on every machine.
    double Dpi = 96;
    // The area filled with the schema's back colour, and the part that needs drawing
    // (everything outside it is culled), both in target pixels. An empty clip is the area.
    QRectF Area;
    QRectF Clip;
    // Results to label; none when null.
    const TSchemaResults* Results = nullptr;
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
