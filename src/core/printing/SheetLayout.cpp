#include "core/printing/SheetLayout.h"

#include "core/schema/SchemaPositions.h"

#include <QPointF>

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

constexpr double kExactMultipleCm = 0.01;
constexpr int kMaxFitPasses = 3;
constexpr double kFitSettled = 0.001;

double Horizontal(const QMarginsF& m) { return m.left() + m.right(); }
double Vertical(const QMarginsF& m) { return m.top() + m.bottom(); }

}  // namespace

const std::vector<TPaperFormat>& PaperFormats()
{
    static const std::vector<TPaperFormat> papers{
        {QStringLiteral("A0 (84см x 118.8см)"), false, 2, 118.8, 84},
        {QStringLiteral("A1 (59.4см x 84см)"), false, 1, 84, 59.4},
        {QStringLiteral("A2 (42см x 59.4см)"), false, 2, 59.4, 42},
        {QStringLiteral("A3 (29.7см x 42см)"), false, 1, 42, 29.7},
        {QStringLiteral("A4 (21см x 29.7см)"), true, 2, 29.7, 21},
        {QStringLiteral("A5 (14.8см x 21см)"), false, 1, 21, 14.8},
    };
    return papers;
}

int DefaultPaperIndex()
{
    const auto& papers = PaperFormats();
    for (size_t i = 0; i < papers.size(); ++i)
        if (papers[i].Default)
            return int(i);
    return 0;
}

int PaperIndexByShortName(const QString& name)
{
    const auto& papers = PaperFormats();
    for (size_t i = 0; i < papers.size(); ++i)
        if (papers[i].Name.section(QLatin1Char(' '), 0, 0).compare(name.trimmed(), Qt::CaseInsensitive) == 0)
            return int(i);
    return -1;
}

QSizeF SheetSizeCm(const TPaperFormat& paper, bool printerLandscape)
{
    const bool landscape = paper.OrientationRule == 1 || printerLandscape;
    return landscape ? QSizeF(paper.LongCm, paper.ShortCm) : QSizeF(paper.ShortCm, paper.LongCm);
}

namespace SheetLayout {

double Clamp(double value, double low, double high)
{
    return std::max(low, std::min(high, value));
}

}  // namespace SheetLayout

TSheetLayout::TSheetLayout(const TSheetLayoutInput& input) : in_(input)
{
    const auto& papers = PaperFormats();
    const int paper = in_.Paper >= 0 && size_t(in_.Paper) < papers.size() ? in_.Paper : DefaultPaperIndex();
    sheet_ = SheetSizeCm(papers[size_t(paper)], in_.PrinterLandscape);
    const TMarginsCm& m = in_.Margins;
    printable_ = QSizeF(sheet_.width() - m.Left - m.Right, sheet_.height() - m.Top - m.Bottom - StripCm());

    symbolFactor_ = SheetLayout::Clamp(in_.Scale, in_.Limits.MinSymbol, in_.Limits.MaxSymbol);
    textFactor_ = SheetLayout::Clamp(in_.Scale, in_.Limits.MinFont, in_.Limits.MaxFont);
    const TPrintExtent& e = in_.Extent;
    printed_ = QSizeF((e.Size.width() * in_.Scale + Horizontal(e.SymbolOverhang) * symbolFactor_ +
                       Horizontal(e.TextOverhang) * textFactor_) / kPpcm,
                      (e.Size.height() * in_.Scale + Vertical(e.SymbolOverhang) * symbolFactor_ +
                       Vertical(e.TextOverhang) * textFactor_) / kPpcm);

    const double legend = LegendReserveCm();
    const double legendHeight = LegendShown() ? in_.LegendHeightCm : 0;
    double width = legend + printed_.width();
    double height = std::max(printed_.height(), legendHeight);
    if (StampShown()) {
        // At the right end, under the schema; a narrow schema lets the block reach under the
        // legend column rather than widen the picture, and then it goes below the legend too.
        width = std::max(width, kTitleBlockWidthCm);
        stampLeft_ = width - kTitleBlockWidthCm;
        const double pw = printable_.width();
        const double ph = printable_.height();
        // Across a column edge: left, to end at that edge.
        if (pw >= kTitleBlockWidthCm) {
            const double edge = (std::floor(stampLeft_ / pw + 1e-9) + 1) * pw;
            if (stampLeft_ + kTitleBlockWidthCm > edge + kExactMultipleCm)
                stampLeft_ = edge - kTitleBlockWidthCm;
        }
        const bool underLegend = stampLeft_ < legend - 1e-9;
        stampBase_ = underLegend ? std::max(printed_.height(), legendHeight) : printed_.height();
        stampTop_ = SheetLayout::StampPosition(stampBase_, in_.StampOffsetCm);
        // Across a row edge: down, onto the next row.
        if (ph >= kTitleBlockHeightCm) {
            const double edge = (std::floor(stampTop_ / ph + 1e-9) + 1) * ph;
            if (stampTop_ + kTitleBlockHeightCm > edge + kExactMultipleCm)
                stampTop_ = edge;
        }
        height = std::max(height, stampTop_ + kTitleBlockHeightCm);
    }
    total_ = QSizeF(width, height);
    columns_ = SheetsAlong(total_.width(), printable_.width());
    rows_ = SheetsAlong(total_.height(), printable_.height());
}

QPointF TSheetLayout::SheetOriginCm(int column, int row) const
{
    return QPointF(column * printable_.width(), row * printable_.height());
}

int TSheetLayout::SheetsAlong(double total, double printable)
{
    if (!(printable > 0) || !(total > 0) || !std::isfinite(total))
        return 1;
    // Far past any paper the count stops mattering; keep it an int.
    const double whole = std::floor(std::min(total / printable, 1e6));
    int count = int(whole) + 1;
    if (count > 1 && total - whole * printable < kExactMultipleCm)
        --count;
    return count;
}

namespace SheetLayout {

TFitResult FitToPaper(const TSheetLayoutInput& input, int paperIndex)
{
    const auto& papers = PaperFormats();
    if (paperIndex < 0 || size_t(paperIndex) >= papers.size())
        return {};
    const QSizeF sheet = SheetSizeCm(papers[size_t(paperIndex)], input.PrinterLandscape);
    const TMarginsCm& m = input.Margins;
    const bool legendShown = input.Legend && input.LegendHasContent;
    const bool stampShown = input.Legend && input.Stamp;
    const double strip = input.PageNumbers ? kPageNumberStripCm : 0;
    const double roomHeight = sheet.height() - m.Top - m.Bottom - strip;
    const QString legendRefusal =
        QStringLiteral("Нельзя задать размер схемы в соответствие\r\nс выбранным форматом при включенной легенде");
    // The legend's height does not shrink with the scale.
    if (legendShown && input.LegendHeightCm > roomHeight)
        return {std::nullopt, legendRefusal};

    const double availWidth = (sheet.width() - m.Left - m.Right - (legendShown ? kLegendWidthCm : 0)) * kPpcm;
    const double availHeight =
        (roomHeight - (stampShown ? std::max(0.0, kTitleBlockHeightCm - input.StampOffsetCm) : 0)) * kPpcm;
    const TPrintExtent& e = input.Extent;
    const TFactorLimits& l = input.Limits;

    double scale = input.Scale > 0 && std::isfinite(input.Scale) ? input.Scale : 1;
    bool limited = false;
    for (int pass = 0; pass < kMaxFitPasses; ++pass) {
        const double sf = Clamp(scale, l.MinSymbol, l.MaxSymbol);
        const double tf = Clamp(scale, l.MinFont, l.MaxFont);
        double next = std::numeric_limits<double>::infinity();
        // The overhangs keep their size through the factors; only the positions scale.
        if (e.Size.width() > 0)
            next = std::min(next, (availWidth - Horizontal(e.SymbolOverhang) * sf - Horizontal(e.TextOverhang) * tf) /
                                      e.Size.width());
        if (e.Size.height() > 0)
            next = std::min(next, (availHeight - Vertical(e.SymbolOverhang) * sf - Vertical(e.TextOverhang) * tf) /
                                      e.Size.height());
        if (!std::isfinite(next))
            break;
        limited = true;
        const bool settled = std::abs(next - scale) < kFitSettled;
        scale = next;
        if (settled)
            break;
    }
    if (!limited)
        return {};
    if (!(scale > 0))
        return {std::nullopt, QStringLiteral("Слишком маленький масштаб")};
    // The schema fits; with the legend, the legend and the title block must fit the sheet with
    // it (the block goes under the legend when the schema is narrower than the block).
    if (legendShown || stampShown) {
        TSheetLayoutInput fitted = input;
        fitted.Paper = paperIndex;
        fitted.Scale = scale;
        if (TSheetLayout(fitted).SheetCount() > 1)
            return {std::nullopt, legendRefusal};
    }
    return {scale, QString()};
}

QString CheckScale(const TSheetLayout& layout)
{
    const double scale = layout.Input().Scale;
    if (!(scale > 0) || !std::isfinite(scale))
        return QStringLiteral("Слишком маленький масштаб");
    if (layout.PrintedCm().width() > kMaxPrintedCm || layout.PrintedCm().height() > kMaxPrintedCm ||
        qint64(layout.Columns()) * layout.Rows() > kMaxSheets)
        return QStringLiteral("Слишком большой масштаб");
    return QString();
}

std::optional<TMarginRefusal> CheckMargins(const TMarginsCm& m, QSizeF sheet)
{
    const auto refuse = [](TMarginSide side, const char* text, double limit) {
        return TMarginRefusal{side, QString::fromUtf8(text) + QString::number(qint64(std::trunc(limit))) +
                                        QStringLiteral(" см")};
    };
    if (m.Left > sheet.width() - m.Right - 1)
        return refuse(TMarginSide::Left, "Левое поле не должно превышать ", sheet.width() - m.Right - 1);
    if (m.Top > sheet.height() - m.Bottom - 1)
        return refuse(TMarginSide::Top, "Верхнее поле не должно превышать", sheet.height() - m.Bottom - 1);
    if (m.Right > sheet.width() - m.Left - 1)
        return refuse(TMarginSide::Right, "Правое поле не должно превышать ", sheet.width() - m.Left - 1);
    if (m.Bottom > sheet.height() - m.Top - 1)
        return refuse(TMarginSide::Bottom, "Нижнее поле не должно превышать ", sheet.height() - m.Top - 1);
    if (m.Left < 0 || m.Top < 0 || m.Right < 0 || m.Bottom < 0) {
        // A negative margin reaches off the paper: nothing there can be printed.
        const TMarginSide side = m.Left < 0 ? TMarginSide::Left
                                 : m.Top < 0 ? TMarginSide::Top
                                 : m.Right < 0 ? TMarginSide::Right
                                               : TMarginSide::Bottom;
        return TMarginRefusal{side, QStringLiteral("Поле не может быть отрицательным")};
    }
    return std::nullopt;
}

double StampPosition(double baseCm, double offsetCm)
{
    return std::max(0.0, baseCm - offsetCm);
}

std::optional<double> OffsetForPosition(double baseCm, double positionCm)
{
    const double offset = baseCm - positionCm;
    if (!(offset >= kStampOffsetMinCm))
        return std::nullopt;
    return offset;
}

QString SheetsLabel(const std::vector<bool>& selected, int copies)
{
    const qint64 chosen = std::count(selected.begin(), selected.end(), true);
    return QStringLiteral("%1/%2").arg(chosen * copies).arg(qint64(selected.size()) * copies);
}

}  // namespace SheetLayout
