#include "CheckFindings.h"

#include "core/exchange/MineGenerator.h"
#include "core/exchange/MineJson.h"
#include "core/file/DocumentSettings.h"
#include "core/model/Branch.h"
#include "core/model/Device.h"
#include "core/model/Mine.h"
#include "core/model/Pipe.h"
#include "core/model/Uzel.h"

#include <gtest/gtest.h>

#include <set>

namespace {

QByteArray DumpOf(const TMine& mine)
{
    return MineJson::Dump(mine, TDocumentSettings::Defaults(), mine.Branches.ToVector(), 17);
}

std::set<int> KindsIn(const TMine& mine)
{
    std::set<int> kinds;
    for (const TBranch* b : mine.Branches)
        for (const TPipe* p : b->Pipes)
            for (const TDevice* d : p->Devices)
                kinds.insert(d->GetKind());
    return kinds;
}

}  // namespace

TEST(MineGenerator, GivesExactlyTheAskedNumberOfBranches)
{
    for (int n : {1, 2, 3, 7, 30, 150, 1000, 3001})
        EXPECT_EQ(MineGenerator::Generate(n, 5)->Branches.Count(), n) << n;
    EXPECT_EQ(MineGenerator::Generate(0, 5)->Branches.Count(), 1) << "at least one working";
}

TEST(MineGenerator, SameSeedSameMineOtherSeedOtherMine)
{
    const auto a = MineGenerator::Generate(600, 42);
    const auto b = MineGenerator::Generate(600, 42);
    const auto c = MineGenerator::Generate(600, 43);
    EXPECT_EQ(a->Guid(), b->Guid());
    EXPECT_NE(a->Guid(), c->Guid());
    const QByteArray da = DumpOf(*a);
    EXPECT_EQ(da, DumpOf(*b)) << "every value, colours included, follows from the seed";
    EXPECT_NE(da, DumpOf(*c));
}

TEST(MineGenerator, DefaultMineHasEveryKindOfEquipmentAndStructure)
{
    const auto mine = MineGenerator::Generate(MineGenerator::kDefaultBranches, 1);
    EXPECT_EQ(KindsIn(*mine), (std::set<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10}));
    EXPECT_GE(mine->Layers.Count(), 2);
    EXPECT_GE(mine->PLFPositions.Count(), 2);
    EXPECT_GE(mine->TextBlocks.Count(), 1);
    EXPECT_GE(mine->SurfaceUzels.Count(), 3);

    // Loops: more branches than a tree over the nodes would have.
    EXPECT_GT(mine->Branches.Count(), mine->Uzels.Count());

    int inclined = 0, drainage = 0, air = 0, gas = 0, onSeams = 0, withPlf = 0;
    for (const TBranch* b : mine->Branches) {
        inclined += b->Angle() > 5 ? 1 : 0;
        drainage += IsLaid(b->WaterPipe(1)) ? 1 : 0;
        air += IsLaid(b->WaterPipe(2)) ? 1 : 0;
        gas += b->GasPipeCount() > 0 ? 1 : 0;
        onSeams += b->LayerIndex() >= 0 ? 1 : 0;
        withPlf += b->PLFIndex() >= 0 ? 1 : 0;
    }
    EXPECT_GT(inclined, 20);
    EXPECT_GT(drainage, 10);
    EXPECT_GT(air, 100);
    EXPECT_GT(gas, 5);
    EXPECT_GT(onSeams, 300);
    EXPECT_EQ(withPlf, mine->Branches.Count());
}

TEST(MineGenerator, ChecksFindNothingAtAnySize)
{
    for (int n : {1, 2, 5, 12, 40, 200, 1000, 4000}) {
        const auto mine = MineGenerator::Generate(n, static_cast<uint64_t>(n) * 7 + 1);
        EXPECT_EQ(PipelineFindings(*mine), QStringList()) << n << " branches";
        EXPECT_EQ(DeviceNumberClashes(*mine), QStringList()) << n << " branches";
    }
}

TEST(MineGenerator, HydrantsEveryFewTensOfMetresAlongLaidPipes)
{
    const auto mine = MineGenerator::Generate(1000, 3);
    double laid = 0;
    int hydrants = 0;
    for (const TBranch* b : mine->Branches) {
        const TPipe* p = b->FirePipe();
        if (!IsLaid(p) || p->Projected())
            continue;
        laid += p->PipeLength();
        for (const TDevice* d : p->Devices)
            hydrants += d->GetKind() == dkCrane ? 1 : 0;
    }
    ASSERT_GT(hydrants, 0);
    const double spacing = laid / hydrants;
    EXPECT_GT(spacing, 20);
    EXPECT_LT(spacing, 200);
}

TEST(MineGenerator, CoordinatesArePlausibleMetres)
{
    const auto mine = MineGenerator::Generate(2000, 9);
    for (const TUzel* u : mine->Uzels) {
        EXPECT_GT(u->Z(), -1000);
        EXPECT_LT(u->Z(), 300);
        if (u->Surface()) {
            EXPECT_GT(u->Z(), 100);
        }
    }
    for (const TBranch* b : mine->Branches) {
        EXPECT_GT(b->Length(), 10) << b->Number();
        EXPECT_LT(b->Length(), 3000) << b->Number();
    }
}
