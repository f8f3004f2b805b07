#include "render/report/ReportPages.h"

#include "render/report/ReportFonts.h"

#include <QFontMetricsF>
#include <QRegularExpression>
#include <QTextLayout>
#include <QTextOption>

#include <algorithm>

using namespace ReportUnits;

namespace {

const TReportFont kTitleFont{TReportFace::Sans, 13, true, false};
const TReportFont kHeadingFont{TReportFace::Sans, 9, true, false};
const TReportFont kCellFont{TReportFace::Sans, 8, false, false};
const TReportFont kNotesHeadingFont{TReportFace::Sans, 12, true, true};
const TReportFont kNoteFont{TReportFace::Sans, 10, false, false};
const TReportFont kPageNumberFont{TReportFace::Sans, 8, false, false};

constexpr double kPadX = 0.1 * kPerCm;
// Text measured on one device may come out a hair wider on another: a line that fits exactly
// would wrap there and lose its second line to the clip.
constexpr double kSlack = 0.05 * kPerCm;
constexpr double kPadY = 0.05 * kPerCm;
constexpr double kPageNumberStrip = 0.6 * kPerCm;
constexpr double kRuleGap = 0.3 * kPerCm;
constexpr double kAfterTitle = 0.2 * kPerCm;
constexpr double kBeforeNotes = 0.5 * kPerCm;
// A wrapping text column is not squeezed below this to make room for headings.
constexpr double kWrapFloor = 2.0 * kPerCm;
// A heading word that does not fit its column is set smaller, down to this, before it is broken.
constexpr double kSmallestHeadingPoints = 5.0;

double LineHeight(const TReportFont& font)
{
    return QFontMetricsF(ReportFont(font)).height();
}

// The widest word of a text: narrower than that, a column would break words. A line may
// also break after a hyphen, so "Пожарно-оросительный" is two words here.
double WidestWord(const QString& text, const QFontMetricsF& fm)
{
    static const QRegularExpression spaces(QStringLiteral("\\s+|(?<=-)"));
    double widest = 0;
    for (const QString& word : text.split(spaces, Qt::SkipEmptyParts))
        widest = std::max(widest, fm.horizontalAdvance(word));
    return widest;
}

double WidestLine(const QString& text, const QFontMetricsF& fm)
{
    double widest = 0;
    for (const QString& line : text.split(u'\n'))
        widest = std::max(widest, fm.horizontalAdvance(line));
    return widest;
}

TReportFont CellFont(const TReportColumn& column)
{
    TReportFont font = kCellFont;
    font.Bold = column.Bold;
    return font;
}

// Column widths: each column wants its widest cell (up to its limit, longer texts wrap) and
// its widest heading word. When the page is too narrow for that, every column keeps at least
// its cells' width (a wrapping column a little of it) and shares out what is left in
// proportion to what it lacks; only when even that does not fit are all narrowed alike.
std::vector<double> ColumnWidths(const TReportTable& table, double available)
{
    const QFontMetricsF headingFm(ReportFont(kHeadingFont));
    const size_t count = table.Columns.size();
    std::vector<double> least(count), wanted(count);
    double leastSum = 0, wantedSum = 0;
    for (size_t c = 0; c < count; ++c) {
        const TReportColumn& column = table.Columns[c];
        const QFontMetricsF cellFm(ReportFont(CellFont(column)));
        const double limit = column.MaxWidthCm * kPerCm;
        double cells = 0;
        for (const QStringList& row : table.Rows)
            if (c < size_t(row.size()))
                cells = std::max(cells, WidestLine(row[int(c)], cellFm));
        least[c] = std::min(cells, std::min(limit, kWrapFloor)) + 2 * kPadX + kSlack;
        const double heading = std::max(std::min(WidestLine(column.Heading, headingFm), limit),
                                        WidestWord(column.Heading, headingFm));
        wanted[c] = std::max(least[c], std::max(std::min(cells, limit), heading) + 2 * kPadX + kSlack);
        leastSum += least[c];
        wantedSum += wanted[c];
    }
    if (wantedSum <= available)
        return wanted;
    std::vector<double> widths(count);
    if (leastSum <= available) {
        const double share = (available - leastSum) / (wantedSum - leastSum);
        for (size_t c = 0; c < count; ++c)
            widths[c] = least[c] + (wanted[c] - least[c]) * share;
    } else {
        for (size_t c = 0; c < count; ++c)
            widths[c] = least[c] * available / leastSum;
    }
    return widths;
}

class TPager {
public:
    TPager(const TReportPageSetup& setup, bool pageNumbers)
        : left_(setup.LeftCm * kPerCm),
          top_(setup.TopCm * kPerCm),
          right_(setup.Paper.width() - setup.RightCm * kPerCm),
          bottom_(setup.Paper.height() - setup.BottomCm * kPerCm - (pageNumbers ? kPageNumberStrip : 0))
    {
        // Margins wider than the paper leave a sliver rather than a negative page.
        right_ = std::max(right_, left_ + kPerCm);
        bottom_ = std::max(bottom_, top_ + kPerCm);
    }

    double Left() const { return left_; }
    double Width() const { return right_ - left_; }
    double Bottom() const { return bottom_; }
    double Room() const { return bottom_ - y; }

    void NewPage()
    {
        pages.emplace_back();
        y = top_;
    }
    void Add(TReportItem item) { pages.back().Items.push_back(std::move(item)); }
    void AddText(const QRectF& box, const QString& text, const TReportFont& font,
                 TReportAlign align = TReportAlign::Left, bool wrap = false)
    {
        TReportItem item;
        item.What = TReportItem::Text;
        item.Box = box;
        item.String = text;
        item.Font = font;
        item.Align = align;
        item.Wrap = wrap;
        Add(std::move(item));
    }
    void AddShape(TReportItem::Kind kind, const QRectF& box)
    {
        TReportItem item;
        item.What = kind;
        item.Box = box;
        Add(std::move(item));
    }

    std::vector<TReportPage> pages;
    double y = 0;

private:
    double left_, top_, right_, bottom_;
};

void PlaceTitlePage(TPager& pager, const std::vector<TTitleLine>& lines)
{
    pager.NewPage();
    for (const TTitleLine& line : lines) {
        pager.y += line.GapBeforeCm * kPerCm;
        const double h = LineHeight(line.Font);
        const QRectF box(pager.Left(), pager.y, pager.Width(), h);
        if (!line.Left.isEmpty())
            pager.AddText(box, line.Left, line.Font);
        if (!line.Right.isEmpty())
            pager.AddText(box, line.Right, line.Font, TReportAlign::Right);
        pager.y += h;
        if (line.RuleBelow) {
            pager.y += kRuleGap;
            pager.AddShape(TReportItem::Rule, QRectF(pager.Left(), pager.y, pager.Width(), 0));
        }
    }
}

class TTablePlacer {
public:
    TTablePlacer(TPager& pager, const TReportTable& table)
        : pager_(pager), table_(table), widths_(ColumnWidths(table, pager.Width()))
    {
        headingHeight_ = 0;
        for (size_t c = 0; c < table.Columns.size(); ++c) {
            headingFonts_.push_back(HeadingFont(table.Columns[c].Heading, HeadingRoom(c)));
            // Measured a hair narrower than painted: a device whose text comes out wider still
            // has the lines it needs ("[мм]" is never clipped).
            const double lines = TReportLayout::TextSize(table.Columns[c].Heading, headingFonts_[c], HeadingRoom(c)).height();
            headingHeight_ = std::max(headingHeight_, lines + 2 * kPadY);
        }
    }

    void Place(const std::function<void()>& betweenRows)
    {
        pager_.NewPage();
        const double titleHeight = LineHeight(kTitleFont);
        pager_.AddText(QRectF(pager_.Left(), pager_.y, pager_.Width(), titleHeight), table_.Title, kTitleFont,
                       TReportAlign::Left, true);
        pager_.y += titleHeight + kAfterTitle;
        PlaceHeading();
        for (const QStringList& row : table_.Rows) {
            PlaceRow(row);
            if (betweenRows)
                betweenRows();
        }
        PlaceNotes();
    }

private:
    double HeadingRoom(size_t column) const { return std::max(1.0, widths_[column] - 2 * kPadX - kSlack); }

    // The heading font of a column: the usual one when every word of the heading fits the
    // column, else smaller until the widest word fits, so headings break between words.
    static TReportFont HeadingFont(const QString& heading, double room)
    {
        TReportFont font = kHeadingFont;
        while (font.Points > kSmallestHeadingPoints
               && WidestWord(heading, QFontMetricsF(ReportFont(font))) > room)
            font.Points = std::max(kSmallestHeadingPoints, font.Points - 0.5);
        return font;
    }

    double CellHeight(const QString& text, const TReportFont& font, size_t column) const
    {
        const double inner = std::max(1.0, widths_[column] - 2 * kPadX);
        return TReportLayout::TextSize(text, font, inner).height() + 2 * kPadY;
    }

    void PlaceCells(const QStringList& texts, double height, bool heading)
    {
        double x = pager_.Left();
        for (size_t c = 0; c < widths_.size(); ++c) {
            const QRectF cell(x, pager_.y, widths_[c], height);
            pager_.AddShape(TReportItem::Frame, cell);
            const QString text = c < size_t(texts.size()) ? texts[int(c)] : QString();
            if (!text.isEmpty()) {
                const TReportColumn& column = table_.Columns[c];
                pager_.AddText(cell.adjusted(kPadX, kPadY, -kPadX, -kPadY), text,
                               heading ? headingFonts_[c] : CellFont(column),
                               heading ? TReportAlign::Center : column.Align, true);
            }
            x += widths_[c];
        }
        pager_.y += height;
    }

    void PlaceHeading()
    {
        QStringList headings;
        for (const TReportColumn& column : table_.Columns)
            headings << column.Heading;
        // A heading taller than the page is clipped like any row.
        PlaceCells(headings, std::min(headingHeight_, std::max(0.0, pager_.Room())), true);
        rowsOnPage_ = 0;
    }

    void PlaceRow(const QStringList& row)
    {
        double height = 0;
        for (size_t c = 0; c < widths_.size(); ++c)
            height = std::max(height, CellHeight(c < size_t(row.size()) ? row[int(c)] : QString(),
                                                 CellFont(table_.Columns[c]), c));
        // Moves on only from a page that holds rows already: a row taller than a fresh page
        // is clipped there instead of moving on for ever.
        if (height > pager_.Room() && rowsOnPage_ > 0) {
            pager_.NewPage();
            PlaceHeading();
        }
        PlaceCells(row, std::min(height, std::max(0.0, pager_.Room())), false);
        ++rowsOnPage_;
    }

    void PlaceNotes()
    {
        if (table_.NotesHeading.isEmpty() && table_.Notes.isEmpty())
            return;
        const double headingHeight = LineHeight(kNotesHeadingFont);
        const double noteHeight = LineHeight(kNoteFont);
        pager_.y += kBeforeNotes;
        if (headingHeight + noteHeight > pager_.Room())
            pager_.NewPage();
        pager_.AddText(QRectF(pager_.Left(), pager_.y, pager_.Width(), headingHeight), table_.NotesHeading,
                       kNotesHeadingFont);
        pager_.y += headingHeight + kPadY;
        const double square = noteHeight * 0.3;
        const double indent = noteHeight;
        for (const QString& note : table_.Notes) {
            const double h = TReportLayout::TextSize(note, kNoteFont, pager_.Width() - indent).height();
            if (h > pager_.Room())
                pager_.NewPage();
            const double lineH = std::min(h, pager_.Room());
            pager_.AddShape(TReportItem::Square,
                            QRectF(pager_.Left() + (indent - square) / 2, pager_.y + (noteHeight - square) / 2, square, square));
            pager_.AddText(QRectF(pager_.Left() + indent, pager_.y, pager_.Width() - indent, lineH), note, kNoteFont,
                           TReportAlign::Left, true);
            pager_.y += lineH;
        }
    }

    TPager& pager_;
    const TReportTable& table_;
    std::vector<double> widths_;
    std::vector<TReportFont> headingFonts_;
    double headingHeight_ = 0;
    int rowsOnPage_ = 0;
};

}  // namespace

TReportLayout::TReportLayout(TReportPageSetup setup) : setup_(setup) {}

QSizeF TReportLayout::TextSize(const QString& text, const TReportFont& font, double width)
{
    const QFontMetricsF fm(ReportFont(font));
    if (text.isEmpty())
        return QSizeF(0, fm.height());
    if (width <= 0)
        return QSizeF(WidestLine(text, fm), fm.height() * (text.count(u'\n') + 1));
    // Most cells hold one short line: no layout needed.
    if (!text.contains(u'\n')) {
        const double advance = fm.horizontalAdvance(text);
        if (advance <= width)
            return QSizeF(advance, fm.height());
    }
    // Lines break at word boundaries, and inside a word only when the word alone is wider
    // than the box, as the painter breaks them.
    double height = 0;
    double widest = 0;
    const QFont qfont = ReportFont(font);
    for (const QString& paragraph : text.split(u'\n')) {
        QTextLayout layout(paragraph, qfont);
        QTextOption option;
        option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
        layout.setTextOption(option);
        layout.beginLayout();
        for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
            line.setLineWidth(width);
            height += line.height();
            widest = std::max(widest, line.naturalTextWidth());
        }
        layout.endLayout();
    }
    return QSizeF(widest, std::max(height, fm.height()));
}

std::vector<TReportPage> TReportLayout::Build(const TReportContent& content,
                                              const std::function<void()>& betweenRows) const
{
    TPager pager(setup_, content.PageNumbers);
    if (!content.TitlePage.empty())
        PlaceTitlePage(pager, content.TitlePage);
    for (const TReportTable& table : content.Tables)
        TTablePlacer(pager, table).Place(betweenRows);

    if (content.PageNumbers) {
        const double h = LineHeight(kPageNumberFont);
        const double y = pager.Bottom() + (kPageNumberStrip - h) / 2;
        for (size_t i = 0; i < pager.pages.size(); ++i) {
            TReportItem item;
            item.Box = QRectF(pager.Left(), y, pager.Width(), h);
            item.String = QStringLiteral("Страница %1").arg(i + 1);
            item.Font = kPageNumberFont;
            item.Align = TReportAlign::Right;
            pager.pages[i].Items.push_back(std::move(item));
        }
    }
    return std::move(pager.pages);
}
