#pragma once

#include "render/report/ReportContent.h"

#include <QRectF>
#include <QSizeF>
#include <functional>
#include <vector>

// A table report laid out into pages. Coordinates are in layout units of 1/720 inch on the
// whole sheet (origin at the paper's top-left corner), whatever device the pages go to.
namespace ReportUnits {
inline constexpr double kPerInch = 720;
inline constexpr double kPerCm = kPerInch / 2.54;
inline constexpr double kPerPoint = kPerInch / 72;
}  // namespace ReportUnits

// One thing drawn on a page.
struct TReportItem {
    enum Kind { Text, Frame, Rule, Square };
    Kind What = Text;
    QRectF Box;            // text box, cell frame, rule (height 0) or filled square
    QString String;        // Text only
    TReportFont Font;      // Text only
    TReportAlign Align = TReportAlign::Left;
    bool Wrap = false;     // Text: wraps at word boundaries inside Box; clipped to Box
};

struct TReportPage {
    std::vector<TReportItem> Items;
};

struct TReportPageSetup {
    QSizeF Paper;                           // layout units
    double LeftCm = 2, TopCm = 1, RightCm = 1, BottomCm = 1.5;
};

// Lays out content into pages: the title page, then each table starting on a new page, its
// title above it and its heading row repeated on every page; a row that does not fit moves to
// the next page, and a row taller than a whole page starts a fresh page and is clipped there.
// betweenRows, when given, is called after every row (the program stays responsive).
class TReportLayout {
public:
    explicit TReportLayout(TReportPageSetup setup);

    std::vector<TReportPage> Build(const TReportContent& content,
                                   const std::function<void()>& betweenRows = {}) const;

    // The box text of the font takes when wrapped into width (layout units); for tests.
    static QSizeF TextSize(const QString& text, const TReportFont& font, double width = 0);

private:
    TReportPageSetup setup_;
};
