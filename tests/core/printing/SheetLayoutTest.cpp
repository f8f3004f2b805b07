#include "core/schema/SchemaPositions.h"
#include "core/printing/SheetLayout.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

// Nodes at (x, y) metres from the first at 1:2000: 100 m is 5 cm, 190 schema units.
TPrintExtent Nodes(double xMetres, double yMetres)
{
    const double f = SchemaFactor(2000);
    TPrintExtent e;
    e.Size = QSizeF(xMetres * f, yMetres * f);
    e.SymbolOverhang = QMarginsF(8, 8, 8, 8);
    e.TextOverhang = QMarginsF(4, 12, 20, 4);
    return e;
}

TSheetLayoutInput A4Portrait(const TPrintExtent& extent)
{
    TSheetLayoutInput in;
    in.Paper = PaperIndexByShortName(QStringLiteral("A4"));
    in.Extent = extent;
    return in;
}

}  // namespace

TEST(SheetLayout, PapersFollowTheirOrientationRules)
{
    ASSERT_EQ(PaperFormats().size(), 6u);
    EXPECT_EQ(PaperFormats()[size_t(DefaultPaperIndex())].Name, QStringLiteral("A4 (21см x 29.7см)"));
    const TPaperFormat& a3 = PaperFormats()[size_t(PaperIndexByShortName(QStringLiteral("a3")))];
    const TPaperFormat& a4 = PaperFormats()[size_t(PaperIndexByShortName(QStringLiteral("A4")))];
    // A3 is laid landscape even with the printer in portrait; A4 follows the printer.
    EXPECT_EQ(SheetSizeCm(a3, false), QSizeF(42, 29.7));
    EXPECT_EQ(SheetSizeCm(a4, false), QSizeF(21, 29.7));
    EXPECT_EQ(SheetSizeCm(a4, true), QSizeF(29.7, 21));
    EXPECT_EQ(PaperIndexByShortName(QStringLiteral("B5")), -1);
}

TEST(SheetLayout, KnownSchemasGiveTheirGrids)
{
    // Two nodes 200 m apart fit one A4 sheet; their centres are 10 cm apart at 100 %.
    const TSheetLayout one(A4Portrait(Nodes(200, 0)));
    EXPECT_NEAR(Nodes(200, 0).Size.width() / kPpcm, 10.0, 1e-9);
    EXPECT_EQ(one.PrintableCm(), QSizeF(19, 29.7 - 2 - 0.5));
    EXPECT_EQ(one.Columns(), 1);
    EXPECT_EQ(one.Rows(), 1);
    EXPECT_EQ(SheetLayout::SheetsLabel(std::vector<bool>(1, true), 1), QStringLiteral("1/1"));

    // 20 × 30 cm of positions: two sheets each way.
    const TSheetLayout four(A4Portrait(Nodes(400, 600)));
    EXPECT_EQ(four.Columns(), 2);
    EXPECT_EQ(four.Rows(), 2);
    EXPECT_EQ(four.SheetOriginCm(1, 1), QPointF(19, 27.2));
    std::vector<bool> selected(size_t(four.SheetCount()), true);
    selected[1] = false;
    EXPECT_EQ(SheetLayout::SheetsLabel(selected, 2), QStringLiteral("6/8"));
}

// Each margin narrows its own side: unequal margins on all four sides show a mix-up that
// equal ones hide, in the layout and in fitting to a paper.
TEST(SheetLayout, EachMarginCountsOnItsOwnSide)
{
    TSheetLayoutInput in = A4Portrait(Nodes(400, 600));
    in.Margins = TMarginsCm{2, 1.5, 1, 3};
    const TSheetLayout l(in);
    EXPECT_DOUBLE_EQ(l.PrintableCm().width(), 21 - 2 - 1);
    EXPECT_DOUBLE_EQ(l.PrintableCm().height(), 29.7 - 1.5 - 3 - 0.5);
    EXPECT_EQ(l.SheetOriginCm(1, 1), QPointF(18, 24.7));

    for (const bool landscape : {false, true}) {
        in.PrinterLandscape = landscape;
        in.Scale = 1;
        in.Scale = *SheetLayout::FitToPaper(in, in.Paper).Scale;
        const TSheetLayout fitted(in);
        EXPECT_EQ(fitted.SheetCount(), 1) << landscape;
        const bool widthFull = std::abs(fitted.TotalCm().width() - fitted.PrintableCm().width()) < 0.02;
        const bool heightFull = std::abs(fitted.TotalCm().height() - fitted.PrintableCm().height()) < 0.02;
        EXPECT_TRUE(widthFull || heightFull) << landscape;
    }
}

TEST(SheetLayout, SheetCountsAtExactMultiples)
{
    EXPECT_EQ(TSheetLayout::SheetsAlong(38.0, 19.0), 2);    // exactly two widths: not three
    EXPECT_EQ(TSheetLayout::SheetsAlong(38.005, 19.0), 2);  // a hair past two: still two
    EXPECT_EQ(TSheetLayout::SheetsAlong(38.02, 19.0), 3);
    EXPECT_EQ(TSheetLayout::SheetsAlong(37.995, 19.0), 2);  // nearly two sheets gets two
    EXPECT_EQ(TSheetLayout::SheetsAlong(0.001, 19.0), 1);
    EXPECT_EQ(TSheetLayout::SheetsAlong(0, 19.0), 1);
    EXPECT_EQ(TSheetLayout::SheetsAlong(50, 0), 1);
    EXPECT_EQ(TSheetLayout::SheetsAlong(50, -3), 1);
}

TEST(SheetLayout, PageNumbersStripCanAddARow)
{
    // Positions 27.5 cm high: over the 27.2 cm left above the strip, within 27.7 without it.
    TPrintExtent e = Nodes(100, 550);
    e.SymbolOverhang = e.TextOverhang = QMarginsF();
    TSheetLayoutInput in = A4Portrait(e);
    EXPECT_EQ(TSheetLayout(in).Rows(), 2);
    in.PageNumbers = false;
    EXPECT_EQ(TSheetLayout(in).Rows(), 1);
}

// Whether the title block lies wholly on one sheet.
static bool StampOnOneSheet(const TSheetLayout& l)
{
    const QSizeF p = l.PrintableCm();
    const auto same = [](double from, double length, double step) {
        return std::floor(from / step + 1e-9) == std::floor((from + length - 0.011) / step + 1e-9);
    };
    return same(l.StampLeftCm(), kTitleBlockWidthCm, p.width()) && same(l.StampTopCm(), kTitleBlockHeightCm, p.height());
}

TEST(SheetLayout, LegendAndTitleBlockReserves)
{
    TSheetLayoutInput in = A4Portrait(Nodes(200, 100));
    in.Paper = PaperIndexByShortName(QStringLiteral("A3"));
    in.Legend = true;
    in.LegendHeightCm = 20;
    const TSheetLayout l(in);
    EXPECT_DOUBLE_EQ(l.LegendReserveCm(), 12);
    // A schema narrower than the title block: the block reaches under the legend column
    // instead of widening the picture, so it sits under the legend's height.
    EXPECT_DOUBLE_EQ(l.TotalCm().width(), 12 + l.PrintedCm().width());
    EXPECT_DOUBLE_EQ(l.StampLeftCm(), l.TotalCm().width() - 18.5);
    EXPECT_LT(l.StampLeftCm(), 12);
    EXPECT_DOUBLE_EQ(l.StampTopCm(), 20);
    EXPECT_DOUBLE_EQ(l.StampBaseCm(), 20);
    EXPECT_DOUBLE_EQ(l.TotalCm().height(), 25.5);
    EXPECT_EQ(l.SheetCount(), 1);

    // A schema wider than the block: the block sits under the schema, beside the legend, and
    // the legend's height does not push it down.
    in.Extent = Nodes(400, 100);
    const TSheetLayout wide(in);
    EXPECT_GE(wide.StampLeftCm(), 12);
    EXPECT_DOUBLE_EQ(wide.StampTopCm(), wide.PrintedCm().height());
    EXPECT_DOUBLE_EQ(wide.TotalCm().height(), 20);
    in.Extent = Nodes(200, 100);

    // Moved up past its top, the block is raised to 0.
    in.StampOffsetCm = 30;
    EXPECT_DOUBLE_EQ(TSheetLayout(in).StampTopCm(), 0);
    EXPECT_DOUBLE_EQ(SheetLayout::StampPosition(20, 2.5), 17.5);
    EXPECT_EQ(SheetLayout::OffsetForPosition(20, 12), 8.0);
    EXPECT_FALSE(SheetLayout::OffsetForPosition(20, 120.5));

    // Nothing to show in the column: no legend reserve, the title block stays.
    in.StampOffsetCm = 0;
    in.LegendHasContent = false;
    const TSheetLayout noColumn(in);
    EXPECT_DOUBLE_EQ(noColumn.LegendReserveCm(), 0);
    EXPECT_DOUBLE_EQ(noColumn.TotalCm().width(), 18.5);
}

// The title block is never cut by a sheet's edge: across a column edge it moves left to end
// there (the paper under the schema is free), across a row edge down onto the next row. At
// 12 % on A3 the block under a 23 cm legend ran 1.3 cm over the sheet's bottom.
TEST(SheetLayout, TitleBlockIsNeverCutBySheetEdges)
{
    TSheetLayoutInput in = A4Portrait(Nodes(200, 100));
    in.Paper = PaperIndexByShortName(QStringLiteral("A3"));  // 40 × 27.2 cm of picture a sheet
    in.Legend = true;
    in.LegendHeightCm = 23;
    const TSheetLayout low(in);
    EXPECT_TRUE(StampOnOneSheet(low));
    EXPECT_DOUBLE_EQ(low.StampTopCm(), low.PrintableCm().height());
    EXPECT_EQ(low.Rows(), 2);

    // 600 m wide: the picture runs 3 cm into the second column, the block is moved left.
    in.LegendHeightCm = 10;
    in.Extent = Nodes(600, 100);
    const TSheetLayout wide(in);
    EXPECT_EQ(wide.Columns(), 2);
    EXPECT_DOUBLE_EQ(wide.StampLeftCm(), 40 - 18.5);
    EXPECT_TRUE(StampOnOneSheet(wide));

    // Whatever the scale, margins and offset.
    for (const double scale : {0.05, 0.12, 0.3, 0.5, 0.8, 1.0, 1.7, 2.6})
        for (const double legend : {5.0, 18.0, 23.0, 26.0})
            for (const double offset : {0.0, 3.0, -4.0})
                for (const char* paper : {"A4", "A3", "A2"}) {
                    TSheetLayoutInput any = A4Portrait(Nodes(900, 700));
                    any.Paper = PaperIndexByShortName(QString::fromLatin1(paper));
                    any.Scale = scale;
                    any.Legend = true;
                    any.LegendHeightCm = legend;
                    any.StampOffsetCm = offset;
                    const TSheetLayout l(any);
                    EXPECT_TRUE(StampOnOneSheet(l)) << paper << " at " << scale << ", legend " << legend << ", offset " << offset;
                    EXPECT_LE(l.StampLeftCm() + 18.5, l.TotalCm().width() + 1e-9);
                    EXPECT_LE(l.StampTopCm() + 5.5, l.TotalCm().height() + 1e-9);
                }
}

TEST(SheetLayout, FittingToAPaperFillsOneSheetOfIt)
{
    TSheetLayoutInput in = A4Portrait(Nodes(400, 600));
    for (const char* name : {"A4", "A3"}) {
        const int paper = PaperIndexByShortName(QString::fromLatin1(name));
        in.Paper = paper;
        const auto fit = SheetLayout::FitToPaper(in, paper);
        ASSERT_TRUE(fit.Scale) << name;
        in.Scale = *fit.Scale;
        const TSheetLayout l(in);
        // One sheet, and one side filled to within a hair: the page-number strip is counted.
        EXPECT_EQ(l.SheetCount(), 1) << name;
        const bool widthFull = std::abs(l.TotalCm().width() - l.PrintableCm().width()) < 0.02;
        const bool heightFull = std::abs(l.TotalCm().height() - l.PrintableCm().height()) < 0.02;
        EXPECT_TRUE(widthFull || heightFull) << name;
    }
    // A4 portrait: 30 cm of positions squeezed into about 26.7 cm less the overhangs.
    in.Paper = PaperIndexByShortName(QStringLiteral("A4"));
    in.Scale = 1;
    EXPECT_LT(*SheetLayout::FitToPaper(in, in.Paper).Scale, 0.89);
}

TEST(SheetLayout, FittingRefusesALegendTallerThanThePaper)
{
    TSheetLayoutInput in = A4Portrait(Nodes(400, 600));
    in.Legend = true;
    in.LegendHeightCm = 28;
    const auto fit = SheetLayout::FitToPaper(in, in.Paper);
    EXPECT_FALSE(fit.Scale);
    EXPECT_EQ(fit.Refusal,
              QStringLiteral("Нельзя задать размер схемы в соответствие\r\nс выбранным форматом при включенной легенде"));
    // A title block under the legend must fit beneath it, unless moved up.
    in.LegendHeightCm = 23;
    EXPECT_FALSE(SheetLayout::FitToPaper(in, in.Paper).Scale);
    in.StampOffsetCm = 2;
    EXPECT_TRUE(SheetLayout::FitToPaper(in, in.Paper).Scale);
    in.StampOffsetCm = 0;
    // With it, the width left for the schema is 7 cm on A4; the title block goes under the
    // legend, and all of it is one sheet.
    in.LegendHeightCm = 10;
    in.Scale = *SheetLayout::FitToPaper(in, in.Paper).Scale;
    EXPECT_EQ(TSheetLayout(in).SheetCount(), 1);
    EXPECT_LE(TSheetLayout(in).PrintedCm().width(), 7.01);
}

// With the legend on, fitting works wherever the paper can hold the legend, the schema and
// the title block on one sheet (A4 and A3 were both refused for the sample mine, whose legend
// is some 20 cm high), and is refused where it cannot.
TEST(SheetLayout, FittingWithTheLegendGivesOneSheetWhereThePaperHoldsIt)
{
    for (const double legend : {8.0, 15.0, 20.0, 21.5})
        for (const bool landscape : {false, true})
            for (const char* name : {"A4", "A3", "A2", "A1"}) {
                TSheetLayoutInput in = A4Portrait(Nodes(3000, 1800));
                in.PrinterLandscape = landscape;
                in.Legend = true;
                in.LegendHeightCm = legend;
                const int paper = PaperIndexByShortName(QString::fromLatin1(name));
                in.Paper = paper;
                const QSizeF room = TSheetLayout(in).PrintableCm();
                // The block goes beside the legend when the schema can be 18.5 cm wide, else under it.
                const bool holds = legend <= room.height() && (room.width() - 12 >= 18.5 || legend + 5.5 <= room.height());
                const auto fit = SheetLayout::FitToPaper(in, paper);
                if (!holds) {
                    EXPECT_FALSE(fit.Scale) << name << (landscape ? " landscape" : "") << ", legend " << legend;
                    continue;
                }
                ASSERT_TRUE(fit.Scale) << name << (landscape ? " landscape" : "") << ", legend " << legend;
                in.Scale = *fit.Scale;
                const TSheetLayout l(in);
                EXPECT_EQ(l.SheetCount(), 1) << name << ", legend " << legend;
                EXPECT_TRUE(StampOnOneSheet(l));
                // The schema fills the room it has on one side.
                const bool widthFull = std::abs(l.PrintedCm().width() - (room.width() - 12)) < 0.05;
                const bool heightFull = std::abs(std::max(l.StampTopCm(), l.PrintedCm().height()) + 5.5 - room.height()) < 0.05;
                EXPECT_TRUE(widthFull || heightFull) << name << ", legend " << legend;
            }
}

TEST(SheetLayout, ScaleAndMarginRefusals)
{
    TSheetLayoutInput in = A4Portrait(Nodes(200, 0));
    in.Scale = 0;
    EXPECT_EQ(SheetLayout::CheckScale(TSheetLayout(in)), QStringLiteral("Слишком маленький масштаб"));
    in.Scale = 1100;  // 10 cm of positions at 110 000 %
    EXPECT_EQ(SheetLayout::CheckScale(TSheetLayout(in)), QStringLiteral("Слишком большой масштаб"));
    in.Scale = 1;
    EXPECT_TRUE(SheetLayout::CheckScale(TSheetLayout(in)).isEmpty());
    // Within 10 000 cm but on margins leaving 1 cm: more sheets than any job.
    in.Scale = 900;
    in.Margins = TMarginsCm{10, 14, 10, 14};
    EXPECT_EQ(SheetLayout::CheckScale(TSheetLayout(in)), QStringLiteral("Слишком большой масштаб"));
    in.Margins = TMarginsCm{};

    const QSizeF a4(21, 29.7);
    EXPECT_FALSE(SheetLayout::CheckMargins(TMarginsCm{}, a4));
    const auto left = SheetLayout::CheckMargins(TMarginsCm{19.5, 1, 1, 1}, a4);
    ASSERT_TRUE(left);
    EXPECT_EQ(left->Side, SheetLayout::TMarginSide::Left);
    EXPECT_EQ(left->Text, QStringLiteral("Левое поле не должно превышать 19 см"));
    EXPECT_EQ(SheetLayout::CheckMargins(TMarginsCm{1, 28, 1, 1}, a4)->Text,
              QStringLiteral("Верхнее поле не должно превышать27 см"));
    EXPECT_EQ(SheetLayout::CheckMargins(TMarginsCm{1, -1, 1, 1}, a4)->Side, SheetLayout::TMarginSide::Top);
}
