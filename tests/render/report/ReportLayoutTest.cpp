#include "render/report/ReportPainter.h"
#include "render/report/ReportFonts.h"
#include "render/report/ReportPages.h"

#include <QFontMetricsF>
#include <QImage>
#include <QRegularExpression>
#include <QPainter>
#include <gtest/gtest.h>

#include <algorithm>

namespace {

using namespace ReportUnits;

const QSizeF kA4(21.0 * kPerCm, 29.7 * kPerCm);

TReportTable NumberedTable(int rows)
{
    TReportTable table;
    table.Title = QStringLiteral("Таблица");
    table.Columns = {{QStringLiteral("Узел"), TReportAlign::Left, true, 3},
                     {QStringLiteral("Координата X\n[м]"), TReportAlign::Right, false, 3}};
    for (int i = 1; i <= rows; ++i)
        table.Rows.push_back({QString::number(i), QStringLiteral("%1.0").arg(i * 10)});
    return table;
}

std::vector<const TReportItem*> Texts(const TReportPage& page, const QString& text)
{
    std::vector<const TReportItem*> found;
    for (const TReportItem& item : page.Items)
        if (item.What == TReportItem::Text && item.String == text)
            found.push_back(&item);
    return found;
}

double LowestEdge(const TReportPage& page, TReportItem::Kind kind)
{
    double bottom = 0;
    for (const TReportItem& item : page.Items)
        if (item.What == kind)
            bottom = std::max(bottom, item.Box.bottom());
    return bottom;
}

double BodyBottom(const TReportPageSetup& setup) { return kA4.height() - setup.BottomCm * kPerCm; }

}  // namespace

TEST(ReportLayout, LongTableRepeatsItsHeadingAndKeepsRowsInOrderOnTheirPages)
{
    TReportContent content;
    content.Tables.push_back(NumberedTable(300));
    const TReportPageSetup setup{kA4};
    const std::vector<TReportPage> pages = TReportLayout(setup).Build(content);
    ASSERT_GT(pages.size(), 3u);

    int next = 1;
    for (size_t p = 0; p < pages.size(); ++p) {
        EXPECT_EQ(Texts(pages[p], QStringLiteral("Координата X\n[м]")).size(), 1u) << "page " << p + 1;
        EXPECT_EQ(Texts(pages[p], QStringLiteral("Таблица")).size(), p == 0 ? 1u : 0u);
        EXPECT_EQ(Texts(pages[p], QStringLiteral("Страница %1").arg(p + 1)).size(), 1u);
        EXPECT_LE(LowestEdge(pages[p], TReportItem::Frame), BodyBottom(setup) - 0.5 * kPerCm);
        while (!Texts(pages[p], QString::number(next)).empty())
            ++next;
    }
    EXPECT_EQ(next, 301);  // every row, in order, none lost at a page break
}

TEST(ReportLayout, RowTallerThanAPageStartsAFreshPageAndIsClippedThere)
{
    TReportTable table = NumberedTable(3);
    QStringList lines;
    for (int i = 0; i < 400; ++i)
        lines << QStringLiteral("строка %1").arg(i);
    table.Rows[1][1] = lines.join(u'\n');
    TReportContent content;
    content.PageNumbers = false;
    content.Tables.push_back(table);
    const TReportPageSetup setup{kA4};
    const std::vector<TReportPage> pages = TReportLayout(setup).Build(content);

    ASSERT_EQ(pages.size(), 3u);
    EXPECT_FALSE(Texts(pages[0], QStringLiteral("1")).empty());
    EXPECT_FALSE(Texts(pages[1], QStringLiteral("2")).empty());
    EXPECT_NEAR(LowestEdge(pages[1], TReportItem::Frame), BodyBottom(setup), 1.0);
    EXPECT_FALSE(Texts(pages[2], QStringLiteral("3")).empty());
}

TEST(ReportLayout, WideTableIsNarrowedToThePageAndItsTextsWrap)
{
    TReportTable table;
    table.Title = QStringLiteral("Широкая");
    for (int c = 0; c < 12; ++c)
        table.Columns.push_back({QStringLiteral("Комментарий длинный"), TReportAlign::Left, false, 5});
    table.Rows.push_back(QStringList(12, QStringLiteral("очень длинный текст комментария к выработке")));
    TReportContent content;
    content.Tables.push_back(table);
    const TReportPageSetup setup{kA4};
    const std::vector<TReportPage> pages = TReportLayout(setup).Build(content);
    ASSERT_EQ(pages.size(), 1u);
    double right = 0;
    for (const TReportItem& item : pages[0].Items)
        if (item.What == TReportItem::Frame)
            right = std::max(right, item.Box.right());
    EXPECT_LE(right, kA4.width() - setup.RightCm * kPerCm + 0.5);
    // The row grew to hold the wrapped text.
    EXPECT_GT(LowestEdge(pages[0], TReportItem::Frame) - 2 * kPerCm,
              TReportLayout::TextSize(QStringLiteral("x"), TReportFont{}, 0).height() * 2);
}

TEST(ReportLayout, NothingChosenGivesNoPagesAndNoDocument)
{
    TReportContent content;
    EXPECT_TRUE(content.Empty());
    const std::vector<TReportPage> pages = TReportLayout(TReportPageSetup{kA4}).Build(content);
    EXPECT_TRUE(pages.empty());
    EXPECT_TRUE(ReportPainter::Pdf(pages, QPageSize(QPageSize::A4), QPageLayout::Portrait).isEmpty());
}

TEST(ReportPainter, FramesAndTextsLandWhereTheLayoutPutThem)
{
    TReportContent content;
    content.Tables.push_back(NumberedTable(5));
    const std::vector<TReportPage> pages = TReportLayout(TReportPageSetup{kA4}).Build(content);
    ASSERT_EQ(pages.size(), 1u);

    const double dpi = 100;
    QImage image(int(21.0 / 2.54 * dpi), int(29.7 / 2.54 * dpi), QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        ReportPainter::PaintPage(painter, pages[0], dpi);
    }
    const auto dark = [&](const QRectF& layoutBox) {
        const QRect r = QRectF(layoutBox.topLeft() * dpi / kPerInch, layoutBox.size() * dpi / kPerInch)
                            .toAlignedRect()
                            .intersected(image.rect());
        int count = 0;
        for (int y = r.top(); y <= r.bottom(); ++y)
            for (int x = r.left(); x <= r.right(); ++x)
                count += qGray(image.pixel(x, y)) < 128;
        return count;
    };
    const TReportItem* title = Texts(pages[0], QStringLiteral("Таблица")).front();
    EXPECT_GT(dark(title->Box), 20);
    // Left of the page's margin nothing is drawn.
    EXPECT_EQ(dark(QRectF(0, 0, 1.5 * kPerCm, kA4.height())), 0);
    const TReportItem* five = Texts(pages[0], QStringLiteral("5")).front();
    EXPECT_GT(dark(five->Box), 3);
}

TEST(ReportLayout, MessagesFollowTheirTableUnderAHeadingEachWithASquare)
{
    TReportTable table = NumberedTable(2);
    table.NotesHeading = QStringLiteral("Сообщения");
    table.Notes = {QStringLiteral("первое"), QStringLiteral("второе")};
    TReportContent content;
    content.Tables.push_back(table);
    const std::vector<TReportPage> pages = TReportLayout(TReportPageSetup{kA4}).Build(content);
    ASSERT_EQ(pages.size(), 1u);
    const TReportItem* heading = Texts(pages[0], QStringLiteral("Сообщения")).front();
    EXPECT_TRUE(heading->Font.Underline);
    EXPECT_GT(heading->Box.top(), LowestEdge(pages[0], TReportItem::Frame));
    int squares = 0;
    for (const TReportItem& item : pages[0].Items)
        squares += item.What == TReportItem::Square && item.Box.top() > heading->Box.bottom();
    EXPECT_EQ(squares, 2);
}

// Squeezed headings break between words, never inside one: a word too wide for its column is
// set in a smaller font first, and the heading row is tall enough for every line ("[мм]" is
// never clipped).
TEST(ReportLayout, NarrowHeadingsShrinkBeforeBreakingAWordAndShowWhole)
{
    TReportTable table;
    table.Title = QStringLiteral("Таблица результатов");
    const QStringList headings = {QStringLiteral("Ветвь"), QStringLiteral("Диаметр трубы\n[мм]"),
                                  QStringLiteral("Пожарно-оросительный трубопровод"), QStringLiteral("Давление\n[м]")};
    const int columns = 13;  // too many for 9-point headings on A4, few enough for smaller ones
    for (int c = 0; c < columns; ++c)
        table.Columns.push_back({headings[c % headings.size()], TReportAlign::Right, false, 1.0});
    table.Rows.push_back(QStringList(columns, QStringLiteral("12")));
    TReportContent content;
    content.Tables.push_back(table);
    const std::vector<TReportPage> pages = TReportLayout(TReportPageSetup{kA4}).Build(content);
    ASSERT_FALSE(pages.empty());
    static const QRegularExpression spaces(QStringLiteral("\\s+|(?<=-)"));  // breaks after a hyphen too
    bool shrunk = false;
    int checked = 0;
    for (const TReportItem& item : pages[0].Items) {
        if (item.What != TReportItem::Text || !headings.contains(item.String))
            continue;
        ++checked;
        const QFontMetricsF fm(ReportFont(item.Font));
        for (const QString& word : item.String.split(spaces, Qt::SkipEmptyParts))
            EXPECT_LE(fm.horizontalAdvance(word), item.Box.width()) << word.toStdString() << " is broken";
        EXPECT_LE(TReportLayout::TextSize(item.String, item.Font, item.Box.width()).height(), item.Box.height() + 0.01)
            << item.String.toStdString() << " is clipped";
        shrunk = shrunk || item.Font.Points < 9;
    }
    EXPECT_EQ(checked, columns);
    EXPECT_TRUE(shrunk) << "the long word needed a smaller font";

    // What a person would look at: the first page.
    const QString dir = qEnvironmentVariable("IRVATA_SCREENSHOT_DIR");
    if (!dir.isEmpty()) {
        QImage image(QSize(827, 1169), QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        ReportPainter::PaintPage(painter, pages[0], 100);
        painter.end();
        image.save(dir + QStringLiteral("/report-narrow-headings.png"));
    }
}
