#pragma once

// The schema's ruler units, scale limits and display switches: one TParams2D for the whole
// run, read from the current user's settings store at start and written back at the end.
// Settings of the schema are application-wide, not per document.
//
// Stored under "\Software\korvelab\Irvata\1.0\2D\Units" and "...\2D\Scale". Switches are 1-byte
// binary values (any non-zero byte is on), "Line" is a 32-bit integer, "PipeIndex" a 4-byte
// binary value and the four limits 10-byte extended reals, as the program has always kept them.

#include <QString>
#include <QtGlobal>

class SettingsStore;

inline const QString kParams2DUnitsKey = QStringLiteral("\\Software\\korvelab\\Irvata\\1.0\\2D\\Units");
inline const QString kParams2DScaleKey = QStringLiteral("\\Software\\korvelab\\Irvata\\1.0\\2D\\Scale");

// The limits of the symbol and text factors, in both the stored values and the dialog's
// percentages (5 % … 3000 %).
inline constexpr double kScaleLimitLowest = 0.05;
inline constexpr double kScaleLimitHighest = 30.0;

// Ruler units.
enum TRulerUnits : quint8 { ruPixels = 0, ruCentimetres = 1 };
// What the branch labels show.
enum TBranchInfo : quint8 { biNumbers = 0, biLengths = 1, biAngles = 2 };
// Bits of VisibleObjects.
enum TVisibleObject : quint8 { voUzelNumbers = 1, voBranchLabels = 2, voComments = 16 };
// The displayed pipe type: -1 none, 0 fire-fighting, 1 drainage, 2 compressed air,
// 3 degasification.
inline constexpr qint32 kPipeIndexNone = -1;
inline constexpr qint32 kPipeIndexLast = 3;
inline constexpr quint8 kColorPaintLast = 3;
inline constexpr quint8 kDevInfoLast = 4;

// What a reset puts back: the units group ("Units", "Line", "HintVisible", "NumBranchesBottom"),
// the scale group (the four limits), both, or both with the display switches.
enum TParamsResetGroup { prgUnitsAndScale = 0, prgUnits = 1, prgScale = 2, prgAll = 3 };

struct TParams2D {
    // units group
    quint8 Units = ruCentimetres;
    bool Line = false;          // mouse line on the rulers
    bool HintVisible = true;    // hint while a device is moved
    bool NumBranchesBottom = true;  // branch numbers below the branch, section results above
    // scale group: limits of the symbol factor (Lim) and of the text factor (Font)
    double MinLimScale = 0.8;
    double MaxLimScale = 1.5;
    double MinFontScale = 0.8;
    double MaxFontScale = 1.5;
    // display switches
    bool GridVisible = false;
    bool BranchArrowVisible = false;
    bool ThickBranch = true;
    bool InfoPanelVisible = true;
    bool AirArrows = false;  // air-direction arrows (stored as "QArrow")
    qint32 PipeIndex = 0;
    bool DevVisible = true;
    quint8 VisibleObjects = voUzelNumbers;
    quint8 BranchInfo = biNumbers;
    quint8 ColorPaint = 0;  // colouring mode 0-3
    quint8 DevInfo = 0;     // device information 0-4
    bool TextBlockVisible = true;
    bool OnlyDuct = false;

    // Reads every value; one that is missing, of another type or size, or outside its range
    // keeps its default. A "PipeIndex" outside -1…3 reads as -1. When any limit lies outside
    // 0.05…30 or a lower limit exceeds its upper one, the whole scale group takes its defaults.
    void Load(const SettingsStore& store);
    // Writes every value into the store, creating the keys. The caller saves the store to its
    // file (the end of the run does that once for all settings). False when a write failed.
    bool Save(SettingsStore& store) const;
    void ResetDefaults(TParamsResetGroup group);

    // The scale group is usable: every limit within 0.05…30 and neither lower limit above its
    // upper one.
    bool ScaleLimitsValid() const;
    // The symbol factor's upper limit chosen in the scale box: the lower limit follows it
    // down when it would lie above it.
    void SetMaxLimScale(double limit);

    bool operator==(const TParams2D&) const = default;
};
