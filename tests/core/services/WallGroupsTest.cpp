#include "support/MineBuilder.h"

#include "core/services/WallGroups.h"

#include <gtest/gtest.h>

namespace {

class WallGroupsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (int n = 1; n <= 5; ++n)
            mb.uzel(n, n * 100.0);
        a = mb.firePipe(1, 1, 2, 150);
        b = mb.firePipe(2, 2, 3, 100);
        c = mb.firePipe(3, 3, 4, 150);
        unlaid = mb.branch(4, 4, 5);
        unlaid->FirePipe()->SetDiameter(150);
        for (TBranch* br : {a, c})
            br->FirePipe()->SetWallThickness(5);
        b->FirePipe()->SetWallThickness(4);
    }
    MineBuilder mb;
    TBranch *a = nullptr, *b = nullptr, *c = nullptr, *unlaid = nullptr;
};

}  // namespace

TEST_F(WallGroupsTest, LaidPipesGroupByDiameterAndWallInBranchOrder)
{
    const auto groups = WallGroups::Build(mb.mine());
    ASSERT_EQ(groups.size(), 2u);
    EXPECT_EQ(groups[0].Diameter, 150);
    EXPECT_EQ(groups[0].Wall, 5);
    EXPECT_EQ(groups[0].Branches, std::vector<TBranch*>({a, c}));
    EXPECT_EQ(groups[1].NewDiameter, 100);
    EXPECT_EQ(groups[1].NewWall, 4);
    EXPECT_EQ(groups[1].Branches, std::vector<TBranch*>({b}));
}

// A group is one diameter with one wall: the same diameter with another wall (or the same
// wall on another diameter) is a group of its own.
TEST_F(WallGroupsTest, EqualDiametersWithOtherWallsAreGroupsOfTheirOwn)
{
    mb.uzel(6, 600.0);
    mb.uzel(7, 700.0);
    TBranch* thin = mb.firePipe(5, 5, 6, 150);
    thin->FirePipe()->SetWallThickness(4);
    TBranch* wide = mb.firePipe(6, 6, 7, 200);
    wide->FirePipe()->SetWallThickness(5);
    const auto groups = WallGroups::Build(mb.mine());
    ASSERT_EQ(groups.size(), 4u);
    EXPECT_EQ(groups[0].Branches, std::vector<TBranch*>({a, c}));
    EXPECT_EQ(groups[2].Diameter, 150);
    EXPECT_EQ(groups[2].Wall, 4);
    EXPECT_EQ(groups[2].Branches, std::vector<TBranch*>({thin}));
    EXPECT_EQ(groups[3].Diameter, 200);
    EXPECT_EQ(groups[3].Wall, 5);
    EXPECT_EQ(groups[3].Branches, std::vector<TBranch*>({wide}));
}

TEST_F(WallGroupsTest, AWallOfHalfTheDiameterIsRefusedBeforeAnythingChanges)
{
    auto groups = WallGroups::Build(mb.mine());
    groups[0].NewWall = 6;
    groups[1].NewDiameter = 100;
    groups[1].NewWall = 50;
    try {
        WallGroups::Apply(groups);
        FAIL() << "applied";
    } catch (const EWallGroupError& e) {
        EXPECT_EQ(e.Row(), 1);
        EXPECT_EQ(e.Message(), QStringLiteral("Неверная величина диаметра или толщины стенки"));
    }
    EXPECT_EQ(a->FirePipe()->WallThickness(), 5);

    groups[1].NewWall = 49;
    WallGroups::Apply(groups);
    EXPECT_EQ(a->FirePipe()->WallThickness(), 6);
    EXPECT_EQ(c->FirePipe()->WallThickness(), 6);
    EXPECT_EQ(b->FirePipe()->WallThickness(), 49);
    EXPECT_EQ(unlaid->FirePipe()->WallThickness(), 0);
}

TEST_F(WallGroupsTest, TakingAnotherGroupsSizeMergesTheRowsAndTheColour)
{
    auto groups = WallGroups::Build(mb.mine());
    groups[1].NewDiameter = 150;
    groups[1].NewWall = 5;
    WallGroups::Apply(groups);
    groups = WallGroups::Build(mb.mine());
    ASSERT_EQ(groups.size(), 1u);
    EXPECT_EQ(groups[0].Branches, std::vector<TBranch*>({a, b, c}));
    EXPECT_EQ(b->FirePipe()->Color(), a->FirePipe()->Color());
}

TEST(WallGroupCells, OnlyWholeNumbersAreTaken)
{
    EXPECT_EQ(WallGroups::ParseWholeNumber(QStringLiteral(" 120 ")), 120);
    for (const char* bad : {"", "12,5", "12.5", "abc", "99999999999"})
        EXPECT_FALSE(WallGroups::ParseWholeNumber(QString::fromLatin1(bad))) << bad;
}
