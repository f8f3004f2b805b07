#include "ui/document/TableLook.h"

#include <QFontMetrics>
#include <algorithm>

TTableLook::TTableLook(const TConfigData& config) : showDims_(config.ShowDims)
{
    font_ = QFont(config.FontName.isEmpty() ? kDefaultTableFont : config.FontName);
    font_.setPointSize(std::clamp(config.FontSize, 4, 72));
    styles_[DataStyle] = config.DataCell;
    styles_[CurrentStyle] = config.CurCell;
    styles_[SelectedStyle] = config.SelCell;
    styles_[SurfaceStyle] = config.SurfacedCell;
    if (font_.pointSize() <= 0)
        font_.setPointSize(8);
}

const TCellStyle& TTableLook::Style(TStyleKind kind) const
{
    return styles_[kind];
}

QFont TTableLook::StyleFont(TStyleKind kind) const
{
    QFont f = font_;
    const quint8 s = styles_[kind].Style;
    f.setBold(s & TCellStyle::fsBold);
    f.setItalic(s & TCellStyle::fsItalic);
    f.setUnderline(s & TCellStyle::fsUnderline);
    f.setStrikeOut(s & TCellStyle::fsStrikeOut);
    return f;
}

int TTableLook::RowHeight() const
{
    return QFontMetrics(font_).height() + 6;
}

int TTableLook::HeadingHeight() const
{
    const int h = RowHeight();
    return showDims_ ? 2 * (h - 6) + 6 : h;
}

int TTableLook::InitialWidth(const TColumnDef& def) const
{
    const QFontMetrics fm(font_);
    int w = fm.horizontalAdvance(QStringLiteral("-99999"));
    w = std::max(w, fm.horizontalAdvance(def.Heading));
    QString unit = def.Unit;
    unit.remove(QLatin1Char('\r')).remove(QLatin1Char('\n'));
    if (showDims_)
        w = std::max(w, fm.horizontalAdvance(unit));
    return w + 4;
}

QString TTableLook::HeadingText(const TColumnDef& def) const
{
    if (!showDims_ || def.Unit.isEmpty())
        return def.Heading;
    QString unit = def.Unit;
    unit.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return def.Heading + unit;
}

QColor TTableLook::ToQColor(quint32 color)
{
    return QColor(static_cast<int>(color & 0xFF), static_cast<int>((color >> 8) & 0xFF),
                  static_cast<int>((color >> 16) & 0xFF));
}

QColor TTableLook::Inverse(quint32 color)
{
    return ToQColor(0xFFFFFFu - (color & 0xFFFFFFu));
}

QColor TTableLook::Darkened(const QColor& color)
{
    return QColor(std::max(color.red() - 20, 0), std::max(color.green() - 20, 0), std::max(color.blue() - 20, 0));
}
