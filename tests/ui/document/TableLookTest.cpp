#include "ui/document/TableLook.h"

#include <gtest/gtest.h>

namespace {

TEST(TableLook, WindowsColoursAndDarkenedCells)
{
    // 0x00BBGGRR
    EXPECT_EQ(TTableLook::ToQColor(0x800000), QColor(0, 0, 0x80));
    EXPECT_EQ(TTableLook::ToQColor(0x0000FF), QColor(0xFF, 0, 0));
    EXPECT_EQ(TTableLook::Inverse(0xFFE682), QColor(0xFF - 0x82, 0xFF - 0xE6, 0));
    EXPECT_EQ(TTableLook::Darkened(QColor(10, 100, 255)), QColor(0, 80, 235));
}

TEST(TableLook, HeadingsGrowASecondLineWithUnits)
{
    TConfigData data;
    data.CurCell.Style = TCellStyle::fsBold | TCellStyle::fsItalic;
    TTableLook withUnits(data);
    const TColumnDef& x = TableColumns::Defs(TTableKind::Uzels)[upX];
    EXPECT_EQ(withUnits.HeadingText(x), QStringLiteral("Х\n[м]"));
    EXPECT_EQ(withUnits.HeadingHeight(), 2 * (withUnits.RowHeight() - 6) + 6);
    EXPECT_TRUE(withUnits.StyleFont(TTableLook::CurrentStyle).bold());
    EXPECT_TRUE(withUnits.StyleFont(TTableLook::CurrentStyle).italic());
    EXPECT_FALSE(withUnits.StyleFont(TTableLook::DataStyle).bold());
    data.ShowDims = false;
    TTableLook plain(data);
    EXPECT_EQ(plain.HeadingText(x), QStringLiteral("Х"));
    EXPECT_EQ(plain.HeadingHeight(), plain.RowHeight());
    EXPECT_GE(plain.InitialWidth(x), plain.InitialWidth(TableColumns::Defs(TTableKind::Uzels)[upNum]) - 1);
}

}  // namespace
