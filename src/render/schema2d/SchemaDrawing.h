#pragma once

// What one drawing of the technological schema shows: the description the schema window,
// picture export, sheet printing and the command line each fill once and hand to the
// renderer. Where it is drawn (scale, scroll, target) is the render context's; what a
// picture or a print job adds (export scale, paper, sheets) is theirs.

#include "core/hydraulics/HydroResults.h"
#include "core/settings/Colors2D.h"
#include "core/settings/Params2D.h"
#include "render/schema2d/ViewGeometry.h"

#include <QPointF>
#include <QRectF>

#include <optional>

class TPipe;
class TSchemaScene;

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
    bool WaterArrows = false;   // water-direction arrows (needs results)
    bool BranchArrows = false;  // branch-direction arrows
    bool AirArrows = false;     // air-direction arrows
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

// The description of a drawing.
struct TSchemaDrawing {
    // Switches: pipe type, colouring, labels, devices, arrows, grid, result labels.
    TDisplaySwitches Show;
    // The colour profile: colours, fonts and label figures of every role.
    TColors2D Colors;
    // How far symbols and fonts follow the scale.
    TScaleLimits Limits;
    // The frame: the map scale the positions are laid out in, and the schema position of
    // the mine's central point (the grid and the rulers start there).
    int MapScale = kDefaultMapScale;
    QPointF Origin;
    // Grid step in metres (the settings' "GridStep").
    int GridStepMetres = 200;
    // The document's calculation results to label, colour by and show by arrows; none
    // when null.
    const THydroResults* Results = nullptr;
    // Only this rectangle of the schema (schema units): the visible part or the selection.
    // None: the whole schema.
    std::optional<QRectF> Part;
    // Every outline and text black, every fill white.
    bool BlackWhite = false;
    bool Antialiasing = true;

    // The settings' switches and limits (result labels off), with the colours given.
    static TSchemaDrawing FromParams(const TParams2D& params, const TColors2D& colors = {});

    // The geometry the drawing lies in before any scale: the frame, the limits and the
    // extent — the part's, or the scene's as these switches and fonts show it (the scene's
    // extent is recomputed for them). The one place a drawing's frame is derived.
    TViewGeometry Frame(TSchemaScene& scene) const;
};
