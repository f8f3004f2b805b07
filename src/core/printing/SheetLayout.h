#pragma once

// How the printed schema is laid out on sheets of paper, in centimetres: the papers and
// their orientation, the printed size at a scale, the legend and title-block reserves, the
// grid of sheets, fitting to a paper format and the checks of scale and margins. Pure
// arithmetic: no printer is needed.

#include <QMarginsF>
#include <QPointF>
#include <QSizeF>
#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

struct TPaperFormat {
    QString Name;
    bool Default = false;
    // 1: always landscape; 2: landscape only when the printer is.
    int OrientationRule = 2;
    double LongCm = 0;
    double ShortCm = 0;
};

const std::vector<TPaperFormat>& PaperFormats();
int DefaultPaperIndex();
// The index of a paper by its short name ("A0"…"A5", any case), or -1.
int PaperIndexByShortName(const QString& name);
// The sheet's width and height in cm for the printer's orientation.
QSizeF SheetSizeCm(const TPaperFormat& paper, bool printerLandscape);

// The extent of what is printed, at scale 1, in schema units (kPpcm a centimetre): the
// rectangle of the positions and how far symbols (at symbol factor 1) and labels (at text
// factor 1) reach beyond it on each side.
struct TPrintExtent {
    QSizeF Size;
    QMarginsF SymbolOverhang;
    QMarginsF TextOverhang;
};

// How far symbols and label fonts follow the print scale.
struct TFactorLimits {
    double MinSymbol = 0.8;
    double MaxSymbol = 1.5;
    double MinFont = 0.8;
    double MaxFont = 1.5;
};

struct TMarginsCm {
    double Left = 1;
    double Top = 1;
    double Right = 1;
    double Bottom = 1;
};

inline constexpr double kPageNumberStripCm = 0.5;
inline constexpr double kLegendWidthCm = 12;
inline constexpr double kTitleBlockWidthCm = 18.5;
inline constexpr double kTitleBlockHeightCm = 5.5;
inline constexpr double kMaxPrintedCm = 10000;
// More sheets than this is no print job anyone wants, and the grid would not fit in memory.
inline constexpr int kMaxSheets = 10000;
inline constexpr double kStampOffsetMinCm = -100;
inline constexpr double kStampStepCm = 0.5;

// Everything the layout depends on.
struct TSheetLayoutInput {
    int Paper = 4;
    bool PrinterLandscape = false;
    TMarginsCm Margins;
    bool PageNumbers = true;
    double Scale = 1;
    TPrintExtent Extent;
    TFactorLimits Limits;
    // The legend box is checked; the passport prints a heading, the symbols or the signatures.
    bool Legend = false;
    bool LegendHasContent = true;
    // The legend column's height (the renderer measures it).
    double LegendHeightCm = 0;
    // The passport prints its title block.
    bool Stamp = true;
    // The user's shift of the title block, cm up.
    double StampOffsetCm = 0;
};

class TSheetLayout {
public:
    explicit TSheetLayout(const TSheetLayoutInput& input);

    const TSheetLayoutInput& Input() const { return in_; }
    QSizeF SheetCm() const { return sheet_; }
    // The part of a sheet the picture takes (sheet less margins and page-number strip).
    QSizeF PrintableCm() const { return printable_; }
    double StripCm() const { return in_.PageNumbers ? kPageNumberStripCm : 0; }

    double SymbolFactor() const { return symbolFactor_; }
    double TextFactor() const { return textFactor_; }
    // The schema's own printed size ("Длина", "Высота").
    QSizeF PrintedCm() const { return printed_; }

    bool LegendShown() const { return in_.Legend && in_.LegendHasContent; }
    bool StampShown() const { return in_.Legend && in_.Stamp; }
    double LegendReserveCm() const { return LegendShown() ? kLegendWidthCm : 0; }
    // The title block's top, cm from the picture's top, and its left. The block sits at the
    // right end of the picture under the schema; a schema narrower than the block leaves it
    // reaching under the legend column, and then it sits under the legend too. It is never cut
    // by a sheet's edge: across a column edge it moves left to end at that edge (there is only
    // paper beneath the schema there), across a row edge it moves down onto the next row.
    double StampTopCm() const { return stampTop_; }
    double StampLeftCm() const { return stampLeft_; }
    // The height the user's offset counts from ("Позиция, см" = this − offset).
    double StampBaseCm() const { return stampBase_; }

    // The whole picture: legend column, schema, title block.
    QSizeF TotalCm() const { return total_; }
    int Columns() const { return columns_; }
    int Rows() const { return rows_; }
    int SheetCount() const { return columns_ * rows_; }
    // Where a sheet starts in the picture, cm.
    QPointF SheetOriginCm(int column, int row) const;

    // Sheets along one direction: one more than whole printable lengths in the total, one
    // less when the total passes an exact multiple by under 0.01 cm; never fewer than one.
    static int SheetsAlong(double total, double printable);

private:
    TSheetLayoutInput in_;
    QSizeF sheet_;
    QSizeF printable_;
    double symbolFactor_ = 1;
    double textFactor_ = 1;
    QSizeF printed_;
    double stampTop_ = 0;
    double stampLeft_ = 0;
    double stampBase_ = 0;
    QSizeF total_;
    int columns_ = 1;
    int rows_ = 1;
};

namespace SheetLayout {

double Clamp(double value, double low, double high);

// The scale that fits the picture into the paper format (margins, page-number strip and
// reserves taken off), repeated while the factors change it (at most three passes). None with
// the refusal text when the legend (with the title block where it has to go under the legend)
// does not fit on one sheet of the paper, or nothing limits the scale.
struct TFitResult {
    std::optional<double> Scale;
    QString Refusal;
};
TFitResult FitToPaper(const TSheetLayoutInput& input, int paperIndex);

// "Слишком маленький масштаб" / "Слишком большой масштаб" (also for more than kMaxSheets
// sheets), or empty when the scale will do.
QString CheckScale(const TSheetLayout& layout);

enum class TMarginSide { Left, Top, Right, Bottom };
struct TMarginRefusal {
    TMarginSide Side;
    QString Text;
};
// Each margin must leave at least 1 cm of paper.
std::optional<TMarginRefusal> CheckMargins(const TMarginsCm& margins, QSizeF sheetCm);

// The title block's position shown in "Позиция, см" for an offset, and the offset that gives
// a typed position. An offset below -100 is refused (none).
double StampPosition(double baseCm, double offsetCm);
std::optional<double> OffsetForPosition(double baseCm, double positionCm);

// "%d/%d": the selected sheets times the copies over all sheets times the copies.
QString SheetsLabel(const std::vector<bool>& selected, int copies);

}  // namespace SheetLayout
