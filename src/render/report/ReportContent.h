#pragma once

#include <QString>
#include <QStringList>
#include <vector>

// What a table report holds before it is laid out into pages: a title page of text lines and
// tables of text cells. Everything is text already formatted; sizes are in centimetres and
// font points, so the same content lays out on any paper and prints on any device.

enum class TReportFace { Sans, Serif };  // Arial and Times New Roman metrics

struct TReportFont {
    TReportFace Face = TReportFace::Sans;
    double Points = 10;
    bool Bold = false;
    bool Underline = false;
};

// One line of the title page. Right, when given, is right-aligned on the same line.
struct TTitleLine {
    QString Left;
    QString Right;
    TReportFont Font;
    double GapBeforeCm = 0;  // extra space above the line
    bool RuleBelow = false;  // a horizontal rule 0.3 cm below the line
};

enum class TReportAlign { Left, Right, Center };

struct TReportColumn {
    QString Heading;  // lines separated by "\n"
    TReportAlign Align = TReportAlign::Left;
    bool Bold = false;        // the number column
    double MaxWidthCm = 4.0;  // wider text wraps
};

struct TReportTable {
    QString Title;
    std::vector<TReportColumn> Columns;
    std::vector<QStringList> Rows;  // one text per column
    // Printed after the rows: a heading and lines each with a small filled square before it.
    QString NotesHeading;
    QStringList Notes;
};

struct TReportContent {
    std::vector<TTitleLine> TitlePage;  // no title page when empty
    std::vector<TReportTable> Tables;
    bool PageNumbers = true;

    bool Empty() const { return TitlePage.empty() && Tables.empty(); }
};
