#include "support/MineBuilder.h"

#include "core/model/TextBlock2D.h"

#include <gtest/gtest.h>

#include <climits>

// Without the schema's measurer a block gets a rough size from its characters and font
// size; a font size from a damaged file saturates it instead of overflowing.
TEST(TextBlockMeasure, RoughSizeAndHugeFonts)
{
    MineBuilder b;
    TTextBlock2D* t = TTextBlock2D::Create(&b.mine().TextBlocks, 0, 0, QStringLiteral("abcdef\r\nab"));
    TBlockFont font = t->Font();
    font.Size = 9;
    t->SetFont(font);
    EXPECT_EQ(t->Width(), 6 * 9 * 2 / 3 + 2 * TTextBlock2D::kMarginX);
    EXPECT_EQ(t->Height(), 2 * 9 * 4 / 3 + 2 * TTextBlock2D::kMarginY);

    font.Size = 1090519040;
    t->SetFont(font);
    EXPECT_EQ(t->Width(), INT_MAX);
    EXPECT_EQ(t->Height(), INT_MAX);
    font.Size = INT_MIN;
    t->SetFont(font);
    EXPECT_EQ(t->Width(), 6 * 2 / 3 + 2 * TTextBlock2D::kMarginX) << "sizes below 1 count as 1";
}
