#pragma once

#include "core/tables/TableColumns.h"
#include "core/settings/Config.h"

#include <QColor>
#include <QFont>

// How the document's tables look under the current settings: the table font, the four
// cell styles, row and heading heights, initial column widths.
class TTableLook {
public:
    TTableLook() = default;
    explicit TTableLook(const TConfigData& config);

    enum TStyleKind { DataStyle, CurrentStyle, SelectedStyle, SurfaceStyle };

    const QFont& Font() const { return font_; }
    bool ShowDims() const { return showDims_; }
    const TCellStyle& Style(TStyleKind kind) const;
    QFont StyleFont(TStyleKind kind) const;
    QColor StyleText(TStyleKind kind) const { return ToQColor(Style(kind).TextColor); }
    QColor StyleBack(TStyleKind kind) const { return ToQColor(Style(kind).BackColor); }

    // Text height of "hy" plus 6.
    int RowHeight() const;
    // Twice (row height − 6) plus 6 when units are shown, else the row height.
    int HeadingHeight() const;
    // The largest of the text widths of "-99999", the heading and the unit line, plus 4.
    int InitialWidth(const TColumnDef& def) const;
    // The heading text of a column: the short title, and the unit line when units are on.
    QString HeadingText(const TColumnDef& def) const;

    static constexpr int kFixedColumnWidth = 28;

    // A Windows colour value (0x00BBGGRR) as a colour.
    static QColor ToQColor(quint32 color);
    // The inverse used for text on coloured cells: 0xFFFFFF minus the colour.
    static QColor Inverse(quint32 color);
    // Read-only cells: 20 darker in each of red, green and blue.
    static QColor Darkened(const QColor& color);

private:
    QFont font_;
    bool showDims_ = true;
    TCellStyle styles_[4] = {};
};
