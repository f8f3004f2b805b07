#include "CheckFindings.h"

#include "core/exchange/MineJson.h"
#include "core/exchange/SampleMine.h"
#include "core/file/NetworkFile.h"
#include "core/model/Branch.h"
#include "core/model/Device.h"
#include "core/model/Mine.h"
#include "core/model/Pipe.h"
#include "core/model/Uzel.h"

#include <gtest/gtest.h>

#include <map>

namespace {

const QString kExample = QStringLiteral(IRVATA_SOURCE_DIR "/examples/sample_mine.irv");

std::map<int, int> DevicesByKind(const TMine& mine)
{
    std::map<int, int> kinds;
    for (const TBranch* b : mine.Branches)
        for (const TPipe* p : b->Pipes)
            for (const TDevice* d : p->Devices)
                ++kinds[d->GetKind()];
    return kinds;
}

}  // namespace

TEST(SampleMine, IsASmallMineWithEverythingInIt)
{
    const auto mine = SampleMine::Build();
    EXPECT_EQ(mine->Name(), QStringLiteral("Шахта «Северная»"));
    EXPECT_EQ(mine->Uzels.Count(), 46);
    EXPECT_EQ(mine->Branches.Count(), 50);
    EXPECT_EQ(mine->Layers.Count(), 2);
    EXPECT_EQ(mine->PLFPositions.Count(), 2);
    EXPECT_EQ(mine->TextBlocks.Count(), 2);
    const auto kinds = DevicesByKind(*mine);
    for (int kind = 1; kind <= 10; ++kind)
        EXPECT_GT(kinds.count(kind) ? kinds.at(kind) : 0, 0) << TDevice::KindName(kind).toStdString();
    EXPECT_FALSE(mine->Modified());
}

TEST(SampleMine, ChecksFindNothing)
{
    const auto mine = SampleMine::Build();
    EXPECT_EQ(PipelineFindings(*mine), QStringList());
    EXPECT_EQ(SlotFindings(*mine, 3), QStringList()) << "the degasification pipes";
    EXPECT_EQ(DeviceNumberClashes(*mine), QStringList());
}

TEST(SampleMine, CommittedExampleIsWhatThePresetBuilds)
{
    const TNetworkDocument doc = NetworkFile::Read(kExample);
    EXPECT_EQ(doc.Version, 17);
    const auto built = SampleMine::Build();
    EXPECT_EQ(MineJson::Dump(doc),
              MineJson::Dump(*built, TDocumentSettings::Defaults(), built->Branches.ToVector(), 17))
        << "regenerate examples/sample_mine.irv with: irvata-cli generate --preset sample examples/sample_mine.irv";
}

TEST(SampleMine, CommittedExampleLoadsWithItsCounts)
{
    const TNetworkDocument doc = NetworkFile::Read(kExample);
    const TMine& mine = *doc.Mine;
    EXPECT_EQ(mine.Uzels.Count(), 46);
    EXPECT_EQ(mine.Branches.Count(), 50);
    EXPECT_EQ(mine.SurfaceUzels.Count(), 3);
    EXPECT_EQ(mine.Layers.Count(), 2);
    EXPECT_EQ(mine.PLFPositions.Count(), 2);
    EXPECT_EQ(mine.TextBlocks.Count(), 2);
    const auto kinds = DevicesByKind(mine);
    EXPECT_EQ(kinds.at(dkPump), 2);
    EXPECT_EQ(kinds.at(dkFireMachine), 1);
    EXPECT_EQ(kinds.at(dkVacuumPump), 1);
    EXPECT_EQ(kinds.size(), 10u);
    EXPECT_EQ(PipelineFindings(*doc.Mine), QStringList());
}
