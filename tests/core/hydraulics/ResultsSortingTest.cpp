#include "core/file/DocumentSettings.h"
#include "core/hydraulics/ResultsSorting.h"
#include "core/model/PipePart.h"
#include "support/MineBuilder.h"

#include <gtest/gtest.h>

namespace {

TWaterPipePart* Section(TBranch* b, int i) { return dynamic_cast<TWaterPipePart*>(b->FirePipe()->GetSection(i)); }

// Three branches, the first with two sections (a hydrant in its middle), given rows out of
// the mine's order so that ties show which order they fall back to.
struct SortingMine {
    MineBuilder b;
    TBranch* b1;
    TBranch* b2;
    TBranch* b3;
    TCrane* h1;
    THydroResults results;

    SortingMine()
    {
        b.uzel(1, 0);
        b.uzel(2, 100);
        b.uzel(3, 300);
        b.uzel(4, 400);
        b1 = b.firePipe(30, 1, 2);
        b2 = b.firePipe(10, 2, 3);
        b3 = b.firePipe(20, 3, 4);
        h1 = b.device<TCrane>(b1, dkCrane, 0.5, 7);
        results.AddSection(b3, Section(b3, 0), {5, 0, 0, 90, 80});
        results.AddSection(b1, Section(b1, 1), {5, 0, 0, 150, 120});
        results.AddSection(b2, Section(b2, 0), {-2, 0, 0, 120, 90});
        results.AddSection(b1, Section(b1, 0), {7, 0, 0, 160, 150});
        results.Reindex();
    }

    std::vector<std::pair<int, int>> Order() const
    {
        std::vector<std::pair<int, int>> out;
        for (const THydroBranch& r : results.Sections)
            out.push_back({r.Branch->Number(), r.Section->GetIndex()});
        return out;
    }
};

using Rows = std::vector<std::pair<int, int>>;

TEST(ResultsSorting, SectionsAscendByTheColumnAndTiesFollowTheMine)
{
    SortingMine m;
    ResultsSorting::SortSections(m.results, hbpNum);
    // The first branch's two sections in their order along the pipe, whatever order they came in.
    EXPECT_EQ(m.Order(), (Rows{{10, 0}, {20, 0}, {30, 0}, {30, 1}}));
    // Signed flow; equal flows (5 and 5) in the branches' order in the mine (b1 before b3).
    ResultsSorting::SortSections(m.results, hbpQ);
    EXPECT_EQ(m.Order(), (Rows{{10, 0}, {30, 1}, {20, 0}, {30, 0}}));
    ResultsSorting::SortSections(m.results, hbpP1);
    EXPECT_EQ(m.Order(), (Rows{{20, 0}, {10, 0}, {30, 1}, {30, 0}}));
    // The first branch's halves tie at 50 m and keep their order along the pipe.
    ResultsSorting::SortSections(m.results, hbpL);
    EXPECT_EQ(m.Order(), (Rows{{30, 0}, {30, 1}, {20, 0}, {10, 0}}));
}

TEST(ResultsSorting, LookupsFollowTheNewOrder)
{
    SortingMine m;
    ResultsSorting::SortSections(m.results, hbpNum);
    EXPECT_EQ(m.results.FirstRowOf(m.b1), 2);
    EXPECT_EQ(m.results.RowOf(Section(m.b2, 0)), 0);
    ASSERT_NE(m.results.Find(Section(m.b1, 1)), nullptr);
    EXPECT_DOUBLE_EQ(m.results.Find(Section(m.b1, 1))->P1, 150);
}

TEST(ResultsSorting, CommentsCompareAsTextIgnoringCase)
{
    SortingMine m;
    m.b1->SetRemark(QStringLiteral("б"));
    m.b2->SetRemark(QStringLiteral("В"));
    m.b3->SetRemark(QStringLiteral("А"));
    ResultsSorting::SortSections(m.results, hbpRemark);
    EXPECT_EQ(m.Order(), (Rows{{20, 0}, {30, 0}, {30, 1}, {10, 0}}));
}

TEST(ResultsSorting, PlatesByPressureDiameterAndFittedOrifice)
{
    MineBuilder b;
    b.uzel(1, 0);
    b.uzel(2, 100);
    TBranch* br = b.firePipe(1, 1, 2);
    auto* h5 = b.device<TCrane>(br, dkCrane, 0.2, 5);
    auto* h3 = b.device<TCrane>(br, dkCrane, 0.4, 3);
    auto* h9 = b.device<TCrane>(br, dkCrane, 0.6, 9);
    h9->SetOrifice(true);
    h9->SetOrificeDiameter(12.5);
    h5->SetOrifice(true);
    h5->SetOrificeDiameter(20);
    THydroResults r;
    r.Washers = {{h5, 210, 4}, {h3, 170, 1}, {h9, 170, 2}};
    const auto numbers = [&r] {
        std::vector<int> out;
        for (const TWasherRow& w : r.Washers)
            out.push_back(w.Hydrant->Number());
        return out;
    };
    ResultsSorting::SortWashers(r, ResultsSorting::woNumber);
    EXPECT_EQ(numbers(), (std::vector<int>{3, 5, 9}));
    ResultsSorting::SortWashers(r, ResultsSorting::woPressure);
    EXPECT_EQ(numbers(), (std::vector<int>{3, 9, 5}));
    ResultsSorting::SortWashers(r, ResultsSorting::woFactDiameter);
    EXPECT_EQ(numbers(), (std::vector<int>{3, 9, 5}));  // "-" first, then 12.5, 20
    // A larger plate number drops more pressure.
    ResultsSorting::SortWashers(r, ResultsSorting::woDrop);
    EXPECT_EQ(numbers(), (std::vector<int>{3, 9, 5}));
    ResultsSorting::SortWashers(r, ResultsSorting::woPressureAfter);
    EXPECT_LE(r.Washers[0].Pressure - TCrane::WasherDrop(r.Washers[0].Washer),
              r.Washers[1].Pressure - TCrane::WasherDrop(r.Washers[1].Washer));

    r.Lowers = {{h9, 40}, {h3, 55}, {h5, 40}};
    ResultsSorting::SortLowers(r, ResultsSorting::loPressure);
    EXPECT_EQ(r.Lowers[0].Hydrant, h5);
    EXPECT_EQ(r.Lowers[1].Hydrant, h9);
    EXPECT_EQ(r.Lowers[2].Hydrant, h3);
    ResultsSorting::SortLowers(r, ResultsSorting::loNumber);
    EXPECT_EQ(r.Lowers[0].Hydrant, h3);
}

}  // namespace
