#include "core/schema/TextBlockRestyle.h"
#include "core/model/TextBlock2D.h"
#include "core/settings/Colors2D.h"
#include "support/MineBuilder.h"

#include <gtest/gtest.h>

namespace {

// Two blocks, one of them given its own look by the user.
struct Blocks {
    MineBuilder builder;
    TTextBlock2D* plain = TTextBlock2D::Create(&builder.mine().TextBlocks, 0, 0, QStringLiteral("a"));
    TTextBlock2D* custom = TTextBlock2D::Create(&builder.mine().TextBlocks, 10, 10, QStringLiteral("b"));
    Blocks()
    {
        custom->SetBackColor(0x00FF00);
        custom->SetFont(TBlockFont{QStringLiteral("Courier New"), 14, 0, 0x0000FF});
        builder.mine().SetModified(false, false);
    }
};

}  // namespace

TEST(TextBlockRestyleTest, OnlyTheFontNameGoesWithoutAsking)
{
    const TProfile before = TColors2D()[cpTextBlock];
    TProfile after = before;
    after.Font.Name = QStringLiteral("Times New Roman");
    const TTextBlockProfileChanges changes = TextBlockRestyle::Compare(before, after);
    EXPECT_TRUE(changes.FontName);
    EXPECT_FALSE(changes.AnyButFontName());

    Blocks blocks;
    EXPECT_FALSE(TextBlockRestyle::NeedsQuestion(blocks.builder.mine(), changes));
    EXPECT_EQ(TextBlockRestyle::Apply(blocks.builder.mine().TextBlocks, after, changes, false), 2);
    EXPECT_EQ(blocks.custom->Font().Name, QStringLiteral("Times New Roman"));
    EXPECT_EQ(blocks.custom->Font().Size, 14) << "the size waits for the question";
    EXPECT_TRUE(blocks.builder.mine().Modified());
}

TEST(TextBlockRestyleTest, ChangedPropertiesOnlyAndTransparencyOffBringsItsColour)
{
    const TProfile before = TColors2D()[cpTextBlock];  // transparent back and border, Arial 8
    TProfile after = before;
    after.Font.Size = 12;
    after.TransparentBack = false;      // back colour itself unchanged (white)
    after.BorderColor = 0x0000FF;       // border stays transparent
    const TTextBlockProfileChanges changes = TextBlockRestyle::Compare(before, after);
    EXPECT_TRUE(changes.FontSize && changes.TransparentBack && changes.BorderColor);
    EXPECT_FALSE(changes.FontName || changes.FontStyle || changes.FontColor || changes.BackColor
                 || changes.TransparentBorder);

    Blocks blocks;
    EXPECT_TRUE(TextBlockRestyle::NeedsQuestion(blocks.builder.mine(), changes));
    EXPECT_FALSE(TextBlockRestyle::NeedsQuestion(MineBuilder().mine(), changes)) << "no blocks, no question";

    // "Нет": nothing but a changed name would be given.
    EXPECT_EQ(TextBlockRestyle::Apply(blocks.builder.mine().TextBlocks, after, changes, false), 0);
    EXPECT_EQ(blocks.custom->BackColor(), 0x00FF00);

    // "Да".
    EXPECT_EQ(TextBlockRestyle::Apply(blocks.builder.mine().TextBlocks, after, changes, true), 2);
    for (TTextBlock2D* b : {blocks.plain, blocks.custom}) {
        EXPECT_EQ(b->Font().Size, 12);
        EXPECT_FALSE(b->Transparent());
        EXPECT_EQ(b->BackColor(), 0xFFFFFF) << "the back that now shows takes the profile's colour";
        EXPECT_EQ(b->FrameColor(), 0x0000FF);
        EXPECT_TRUE(b->NoFrame());
    }
    EXPECT_EQ(blocks.custom->Font().Name, QStringLiteral("Courier New")) << "the name did not change";
    EXPECT_EQ(blocks.custom->Font().Color, 0x0000FF) << "the colour did not change";
}
