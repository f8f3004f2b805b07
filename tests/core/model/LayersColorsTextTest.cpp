#include "support/MineBuilder.h"

#include <gtest/gtest.h>

TEST(Layers, DeletingASeamRenumbersTheBranchesAfterIt)
{
    MineBuilder b;
    TLayer::Create(b.get());
    TLayer* middle = TLayer::Create(b.get());
    TLayer::Create(b.get());
    TBranch* b0 = b.branch(1, 1, 2);
    TBranch* b1 = b.branch(2, 1, 2);
    TBranch* b2 = b.branch(3, 1, 2);
    b0->SetLayerIndex(0);
    b1->SetLayerIndex(1);
    b2->SetLayerIndex(2);
    b.mine().Layers.Remove(middle);
    EXPECT_EQ(b0->LayerIndex(), 0);
    EXPECT_EQ(b1->LayerIndex(), -1);
    EXPECT_EQ(b2->LayerIndex(), 1);
}

TEST(Layers, ClearingAllPlanPositionsLeavesNoBranchPointingAnywhere)
{
    MineBuilder b;
    for (int i = 0; i < 3; ++i)
        TPLFPosition::Create(b.get());
    TBranch* br = b.branch(1, 1, 2);
    br->SetPLFIndex(2);
    b.mine().PLFPositions.Clear();
    EXPECT_EQ(br->RawPLFIndex(), -1);
}

TEST(Layers, IndexesOutsideTheListReadAsNone)
{
    MineBuilder b;
    TLayer::Create(b.get());
    TBranch* br = b.branch(1, 1, 2);
    br->SetLayerIndex(5);
    br->SetPLFIndex(0);
    EXPECT_EQ(br->LayerIndex(), -1);
    EXPECT_EQ(br->PLFIndex(), -1);
    br->SetLayerIndex(0);
    EXPECT_EQ(br->LayerIndex(), 0);
}

TEST(Layers, MovingASeamToAnotherMine)
{
    MineBuilder a;
    MineBuilder other;
    TLayer* seam = TLayer::Create(a.get());
    seam->SetName(QStringLiteral("k5"));
    seam->SetMine(other.get());
    EXPECT_EQ(a.mine().Layers.Count(), 0);
    ASSERT_EQ(other.mine().Layers.Count(), 1);
    EXPECT_EQ(other.mine().Layers.Items(0)->Mine(), other.get());
}

TEST(DiamColors, CountsFollowPipesAndNeverGoNegative)
{
    MineBuilder b;
    auto& table = b.mine().DiamColors;
    TBranch* a = b.firePipe(1, 1, 2, 150);
    TBranch* c = b.firePipe(2, 1, 2, 150);
    TBranch* unlaid = b.branch(3, 1, 2);
    table.Rebuild();
    const int i = table.IndexOfDiameter(150);
    ASSERT_GE(i, 0);
    EXPECT_EQ(table.Entry(i).LaidCount, 2);
    EXPECT_EQ(table.Entry(i).UnlaidCount, 1);
    EXPECT_EQ(table.GetEntry(i, true).count, 2);
    EXPECT_EQ(table.GetEntry(i, false).count, 3);
    EXPECT_EQ(a->FirePipe()->Color(), c->FirePipe()->Color()) << "one diameter, one colour";

    table.UnregisterPipe(a->FirePipe());
    table.UnregisterPipe(c->FirePipe());
    EXPECT_EQ(table.UnregisterPipe(unlaid->FirePipe()), 0);
    EXPECT_EQ(table.IndexOfDiameter(150), -1);
    EXPECT_EQ(table.UnregisterPipe(a->FirePipe()), 0);

    table.Rebuild();
    table.Rebuild();
    EXPECT_EQ(table.Entry(table.IndexOfDiameter(150)).LaidCount, 2) << "rebuilding starts from empty";
}

TEST(DiamColors, SettingAColourRepaintsThePipesOfThatDiameter)
{
    MineBuilder b;
    TBranch* a = b.firePipe(1, 1, 2, 100);
    TBranch* c = b.firePipe(2, 1, 2, 200);
    auto& table = b.mine().DiamColors;
    EXPECT_FALSE(table.SetDiameterColor(123, 0x00FF00));
    EXPECT_TRUE(table.SetDiameterColor(100, 0x00FF00));
    EXPECT_EQ(a->FirePipe()->Color(), 0x00FF00);
    EXPECT_NE(c->FirePipe()->Color(), 0x00FF00);
}

TEST(DiamColors, LayingAPipeMovesItsCount)
{
    MineBuilder b;
    TBranch* br = b.branch(1, 1, 2);
    auto& table = b.mine().DiamColors;
    table.Rebuild();
    const int i = table.IndexOfDiameter(150);
    br->FirePipe()->SetPresent(true);
    EXPECT_EQ(table.Entry(i).LaidCount, 1);
    EXPECT_EQ(table.Entry(i).UnlaidCount, 0);
}

TEST(TextBlocks, TextSplitsAtEveryKindOfLineBreakWithoutLosingCharacters)
{
    MineBuilder b;
    TTextBlock2D* t = TTextBlock2D::Create(&b.mine().TextBlocks, 10, 20, QStringLiteral("A\r\nB"));
    EXPECT_EQ(t->Lines(), (QStringList{"A", "B"}));
    t->SetText(QStringLiteral("ab\ncd\ref\r\n"));
    EXPECT_EQ(t->Lines(), (QStringList{"ab", "cd", "ef", ""}));
    t->SetText(QStringLiteral("одна строка"));
    EXPECT_EQ(t->Lines(), (QStringList{"одна строка"}));
    EXPECT_EQ(t->Left(), 10);
    EXPECT_EQ(t->Top(), 20);
}

TEST(TextBlocks, AngleIsKeptWithinOneTurn)
{
    MineBuilder b;
    TTextBlock2D* t = TTextBlock2D::Create(&b.mine().TextBlocks, 0, 0, QString());
    t->SetAngle(-30);
    EXPECT_EQ(t->Angle(), 330);
    t->SetAngle(720);
    EXPECT_EQ(t->Angle(), 0);
    t->SetAngle(-1e-20);
    EXPECT_GE(t->Angle(), 0);
    EXPECT_LT(t->Angle(), 360);
}

TEST(TextBlocks, NullOwnerIsRefusedWithItsOwnText)
{
    try {
        TTextBlock2D::Create(nullptr, 0, 0, QString());
        FAIL();
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message(), QStringLiteral("constructor TTextBlock2D.Create: параметр aOwner не должен быть равен nil"));
    }
}
