#include "core/tables/TableColumns.h"

#include <gtest/gtest.h>

namespace {

TEST(TableColumns, DefinitionsFollowTheColumnTypes)
{
    EXPECT_EQ(TableColumns::Count(TTableKind::Uzels), kUzelColCount);
    EXPECT_EQ(TableColumns::Count(TTableKind::Branches), kBranchColCount);
    EXPECT_EQ(TableColumns::Count(TTableKind::Results), kResultColCount);
    for (auto kind : {TTableKind::Uzels, TTableKind::Branches, TTableKind::Results})
        for (int i = 0; i < TableColumns::Count(kind); ++i)
            EXPECT_EQ(TableColumns::Defs(kind)[static_cast<size_t>(i)].Param, i);
    const auto& b = TableColumns::Defs(TTableKind::Branches);
    EXPECT_EQ(b[bpFirePDiam].Heading, QStringLiteral("D трубы"));
    EXPECT_EQ(b[bpFirePDiam].Unit, QStringLiteral("\r\n[мм]"));
    EXPECT_EQ(b[bpFirePK].Decimals, 2);
    EXPECT_EQ(b[bpAirQ].Align, caRight);
    EXPECT_FALSE(b[bpL].Editable);
    EXPECT_FALSE(b[bpLayer].Editable);
    EXPECT_EQ(TableColumns::Defs(TTableKind::Uzels)[upX].Heading, QStringLiteral("\u0425"));
}

TEST(TableColumns, MoveKeepsTheDescriptorWithItsColumn)
{
    TColumnSet set(TTableKind::Branches);
    EXPECT_EQ(set.At(bpRemark).Width, TableColumns::kRemarkWidth);
    set.At(bpNumS).Width = 77;
    ASSERT_TRUE(set.Move(bpNumS, 5));
    EXPECT_EQ(set.ParamAt(5), bpNumS);
    EXPECT_EQ(set.At(5).Width, 77);
    EXPECT_EQ(set.ParamAt(1), bpNumE);
    EXPECT_FALSE(set.Move(0, 0));
    EXPECT_FALSE(set.Move(0, 14));
}

TEST(TableColumns, AnyStoredLayoutGivesACompleteTable)
{
    TColumnSet set(TTableKind::Uzels);
    set.ApplyLayout({{upZ, 50, false}, {upZ, 60, true}, {99, 10, true}, {upNum, -5, true}});
    ASSERT_EQ(set.Count(), 4);
    EXPECT_EQ(set.ParamAt(0), upZ);
    EXPECT_EQ(set.At(0).Width, 50);
    EXPECT_FALSE(set.At(0).Visible);
    EXPECT_EQ(set.ParamAt(1), upNum);
    EXPECT_EQ(set.At(1).Width, 0);
    EXPECT_EQ(set.ParamAt(2), upX);
    EXPECT_EQ(set.ParamAt(3), upY);
    const auto layout = set.Layout();
    TColumnSet again(TTableKind::Uzels);
    again.ApplyLayout(layout);
    EXPECT_EQ(again.Layout(), layout);
}

}  // namespace
