#include "support/MineBuilder.h"

#include "core/schema/SchemaPositions.h"
#include "core/hydraulics/HydroResults.h"
#include "core/model/Branch.h"
#include "core/model/Pipe.h"
#include "core/model/PipePart.h"
#include "core/model/Uzel.h"
#include "render/print/SchemaSheets.h"
#include "render/print/TitleBlockPainter.h"
#include "render/schema2d/PressureColouring.h"
#include "render/schema2d/SchemaScene.h"

#include <QBuffer>
#include <QImage>
#include <QPainter>
#include <QPdfWriter>
#include <gtest/gtest.h>

#include <set>

namespace {

// Nodes at metres on a 1:2000 map, placed on the schema as the document places them.
struct TwoNodes {
    MineBuilder m;
    TUzel* a;
    TUzel* b;
    TwoNodes(double bx, double by)
    {
        const double f = SchemaFactor(2000);
        a = m.uzel(1, 0, 0);
        b = m.uzel(2, bx, by);
        b->SetSX(float(bx * f));
        b->SetSY(float(-by * f));
        m.firePipe(1, 1, 2);
    }
};

TSchemaDrawing Look(bool blackWhite = false)
{
    TSchemaDrawing drawing;
    drawing.MapScale = 2000;
    drawing.BlackWhite = blackWhite;
    return drawing;
}

const TPaperUnits kScreenPaper = TPaperUnits::ForDpi(96, 96);  // 38 px a cm

QImage PaintPage(const TSheetPainter& sheets, int column, int row)
{
    const QSizeF cm = sheets.Layout().SheetCm();
    QImage page(QSize(int(cm.width() * kScreenPaper.X), int(cm.height() * kScreenPaper.Y)), QImage::Format_RGB32);
    page.fill(Qt::white);
    QPainter painter(&page);
    sheets.PaintSheet(painter, column, row);
    return page;
}

bool Inked(const QImage& image, QRect area)
{
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (image.pixelColor(x, y) != Qt::white)
                return true;
    return false;
}

}  // namespace

TEST(SchemaSheets, OneA4SheetHoldsNodesTenCentimetresApart)
{
    TwoNodes mine(200, 0);
    TSchemaScene scene(mine.m.mine());
    TSheetJob job;
    const TSheetPainter sheets(scene, Look(), job, TPaperUnits::ForDpi(600, 600));
    EXPECT_EQ(sheets.Layout().Columns(), 1);
    EXPECT_EQ(sheets.Layout().Rows(), 1);
    const QPointF a = sheets.PagePoint(QPointF(mine.a->SX(), mine.a->SY()), 0, 0);
    const QPointF b = sheets.PagePoint(QPointF(mine.b->SX(), mine.b->SY()), 0, 0);
    EXPECT_NEAR(b.x() - a.x(), 10 * 236, 1);  // round(600 / 2.54) px a cm
    EXPECT_NEAR(b.y(), a.y(), 1e-6);
    // Inside the printable area, right of the left margin.
    EXPECT_GT(a.x(), 1 * 236);
    EXPECT_TRUE(sheets.PrintableRect().contains(b));
}

// A printer may resolve its two axes differently, and sheets lie in rows as well as columns:
// each axis takes its own resolution and its own sheet offset.
TEST(SchemaSheets, EachAxisTakesItsOwnResolutionAndSheetOffset)
{
    TwoNodes mine(400, 600);
    TSchemaScene scene(mine.m.mine());
    TSheetJob job;
    const TSheetPainter sheets(scene, Look(), job, TPaperUnits::ForDpi(600, 300));
    ASSERT_EQ(sheets.Layout().Columns(), 2);
    ASSERT_EQ(sheets.Layout().Rows(), 2);
    const QPointF a = sheets.PagePoint(QPointF(mine.a->SX(), mine.a->SY()), 0, 0);
    const QPointF b = sheets.PagePoint(QPointF(mine.b->SX(), mine.b->SY()), 0, 0);
    EXPECT_NEAR(b.x() - a.x(), 20 * 236, 1);  // 400 m at 1:2000, 236 px a cm across
    EXPECT_NEAR(a.y() - b.y(), 30 * 118, 1);  // 600 m north, 118 px a cm down the page
    const QPointF far = sheets.PagePoint(QPointF(mine.b->SX(), mine.b->SY()), 1, 1);
    EXPECT_NEAR(b.x() - far.x(), 19 * 236, 1e-6);
    EXPECT_NEAR(b.y() - far.y(), 27.2 * 118, 1e-6);
}

TEST(SchemaSheets, ASheetHasItsSchemaMarginsCutLinesAndNumber)
{
    TwoNodes mine(200, 0);
    TSchemaScene scene(mine.m.mine());
    TSheetJob job;
    const TSheetPainter sheets(scene, Look(), job, kScreenPaper);
    const QImage page = PaintPage(sheets, 0, 0);
    const QPointF a = sheets.PagePoint(QPointF(mine.a->SX(), mine.a->SY()), 0, 0);
    EXPECT_TRUE(Inked(page, QRect(a.toPoint() - QPoint(2, 2), QSize(5, 5))));
    // Margins white, the cut line on the printable area's frame.
    EXPECT_FALSE(Inked(page, QRect(0, 0, 30, 30)));
    const QRect printable = sheets.PrintableRect().toAlignedRect();
    EXPECT_EQ(page.pixelColor(printable.left(), printable.center().y()), QColor(Qt::black));
    // "Страница 1" in the strip under the printable area, left.
    EXPECT_TRUE(Inked(page, QRect(printable.left() + 1, printable.bottom() + 3, 60, 14)));

    job.CutLines = false;
    job.Layout.PageNumbers = false;
    const QImage bare = PaintPage(TSheetPainter(scene, Look(), job, kScreenPaper), 0, 0);
    EXPECT_NE(bare.pixelColor(printable.left(), printable.center().y()), QColor(Qt::black));
    EXPECT_FALSE(Inked(bare, QRect(printable.left() + 1, printable.bottom() + 3, 60, 14)));
}

TEST(SchemaSheets, BlackAndWhiteHasTwoColours)
{
    TwoNodes mine(200, 100);
    TSchemaScene scene(mine.m.mine());
    TSheetJob job;
    job.Layout.Legend = true;
    const QImage page = PaintPage(TSheetPainter(scene, Look(true), job, kScreenPaper), 0, 0);
    std::set<QRgb> colours;
    for (int y = 0; y < page.height(); ++y)
        for (int x = 0; x < page.width(); ++x)
            colours.insert(page.pixel(x, y));
    EXPECT_EQ(colours.size(), 2u);
}

TEST(SchemaSheets, PrintsCopiesThenRowsThenColumnsOfTheSelectedSheets)
{
    TwoNodes mine(400, 600);
    TSchemaScene scene(mine.m.mine());
    TSheetJob job;
    job.Copies = 2;
    job.Selected = {true, false, true, true};
    const TSheetPainter sheets(scene, Look(), job, TPaperUnits::ForDpi(300, 300));
    ASSERT_EQ(sheets.Layout().Columns(), 2);
    ASSERT_EQ(sheets.Layout().Rows(), 2);
    const auto order = SchemaSheets::PrintOrder(sheets.Layout(), job.Selected, job.Copies);
    ASSERT_EQ(order.size(), 6u);
    EXPECT_EQ(order[1].Column, 0);
    EXPECT_EQ(order[1].Row, 1);
    EXPECT_EQ(order[2].Column, 1);
    EXPECT_EQ(order[3].Row, 0);
    EXPECT_EQ(SchemaSheets::SheetNumber(1, 1, 2), 4);

    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter pdf(&buffer);
    pdf.setResolution(300);
    ASSERT_TRUE(SchemaSheets::PreparePage(pdf, sheets.Layout()));
    QPainter painter(&pdf);
    EXPECT_EQ(SchemaSheets::Print(painter, pdf, sheets), 6);
    int aborts = 0;
    EXPECT_EQ(SchemaSheets::Print(painter, pdf, sheets, [&] { return ++aborts > 2; }), 2);
}

TEST(SchemaSheets, LegendColumnGrowsWithItsContent)
{
    const TSymbolTable symbols = DefaultSymbols();
    TPasport passport;
    const double full = TLegendColumn(passport, symbols, {{100, Qt::red}, {150, Qt::blue}}, kScreenPaper).HeightCm();
    passport.Name.PrintTitle = false;
    const double noHeading = TLegendColumn(passport, symbols, {{100, Qt::red}, {150, Qt::blue}}, kScreenPaper).HeightCm();
    // The ten symbols and two diameters are rows of 1 cm.
    EXPECT_GT(noHeading, 12);
    EXPECT_GT(full, noHeading + 3);
    passport.PrintLegend = false;
    passport.Label.Enabled = false;
    EXPECT_DOUBLE_EQ(TLegendColumn(passport, symbols, {}, kScreenPaper).HeightCm(), 0);
}

TEST(SchemaSheets, TitleBlockShowsItsHeadersAndCells)
{
    TShapka shapka;
    shapka.Cells[44] = QStringLiteral("Схема");
    QImage image(int(19 * 38), int(6 * 38), QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        TitleBlockPainter::Paint(painter, shapka, QPointF(0, 0), kScreenPaper);
    }
    // The header row of table 1 (row 2) holds bold text; the name cell of table 2 its text.
    EXPECT_TRUE(Inked(image, QRect(5, int(1.05 * 38), 50, 15)));
    EXPECT_TRUE(Inked(image, QRect(int(11 * 38), int(0.5 * 38), 60, 20)));
    // Empty cells are empty.
    EXPECT_FALSE(Inked(image, QRect(int(7 * 38), int(2.8 * 38), 80, 20)));
}

// A sheet coloured by pressures carries the scale in its legend (all four colours, though the
// schema shows three of them); in black and white it stays two colours. Pictures of both go to
// $IRVATA_SCREENSHOT_DIR when it is given.
TEST(SchemaSheets, ColouredByPressuresWithTheScaleInTheLegend)
{
    TwoNodes mine(300, 100);
    TBranch* b = mine.m.mine().Branches.Items(0);
    THydroResults results;
    results.AddSection(b, static_cast<TWaterPipePart*>(b->FirePipe()->GetSection(0)), {12, 0, 130, 170, 40});
    results.Reindex();
    TSchemaScene scene(mine.m.mine());
    TSheetJob job;
    job.Layout.Legend = true;
    auto page = [&](bool blackWhite) {
        TSchemaDrawing drawing = Look(blackWhite);
        drawing.Show.ColorPaint = cmPressures;
        drawing.Show.ResultBits = rbQ | rbP;
        drawing.Show.WaterArrows = true;
        drawing.Results = &results;
        return PaintPage(TSheetPainter(scene, drawing, job, kScreenPaper), 0, 0);
    };
    const QImage colour = page(false);
    const QImage bw = page(true);
    std::set<QRgb> colours;
    for (const QImage* image : {&colour, &bw})
        for (int y = 0; y < image->height(); ++y)
            for (int x = 0; x < image->width(); ++x)
                colours.insert(image->pixel(x, y));
    for (int c = 0; c < kPressureClasses; ++c)
        EXPECT_TRUE(colours.count(PressureColouring::Color(TPressureClass(c)).rgb())) << c;
    std::set<QRgb> twoColours;
    for (int y = 0; y < bw.height(); ++y)
        for (int x = 0; x < bw.width(); ++x)
            twoColours.insert(bw.pixel(x, y));
    EXPECT_EQ(twoColours.size(), 2u);
    if (const QString dir = qEnvironmentVariable("IRVATA_SCREENSHOT_DIR"); !dir.isEmpty()) {
        colour.save(dir + QStringLiteral("/sheet-pressures.png"));
        bw.save(dir + QStringLiteral("/sheet-pressures-bw.png"));
    }
}
