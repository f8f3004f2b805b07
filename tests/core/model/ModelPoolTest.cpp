#include "core/model/GotoList.h"
#include "core/model/Layer.h"
#include "core/model/ModelPool.h"
#include "core/model/PipePart.h"
#include "core/model/SmallVector.h"
#include "support/MineBuilder.h"

#include <gtest/gtest.h>

#include <set>

TEST(ModelPool, FreedPlacesServeTheNextObjectOfTheirSizeOnly)
{
    TModelPool pool;
    void* a = pool.Allocate(40);
    void* b = pool.Allocate(48);
    TModelPool::Free(a, 40);
    void* c = pool.Allocate(64);
    EXPECT_NE(c, a);
    EXPECT_EQ(pool.Allocate(33), a);  // 33 and 40 take the same place
    // Enough objects to need more chunks: every place distinct.
    std::set<void*> seen{a, b, c};
    const auto objects = 3 * TModelPool::kChunkSize / 96;
    for (std::size_t i = 0; i < objects; ++i)
        ASSERT_TRUE(seen.insert(pool.Allocate(96)).second);
    EXPECT_GT(pool.ChunkCount(), 3u);
    // A place still taken when the pool goes keeps its chunk (a leak report otherwise).
    TModelPool::Free(a, 33);
    TModelPool::Free(b, 48);
    TModelPool::Free(c, 64);
    for (void* p : seen)
        if (p != a && p != b && p != c)
            TModelPool::Free(p, 96);
}

TEST(ModelPool, EditingAfterTheMineWasBuiltReusesAndKeepsEveryObjectIntact)
{
    MineBuilder b;
    b.uzel(1);
    b.uzel(2, 100);
    TBranch* br = b.firePipe(1, 1, 2);
    auto* gate = b.device<TGate>(br, dkGate, 0.3, 7);
    auto* crane = b.device<TCrane>(br, dkCrane, 0.6, 8);
    crane->SetFlow(4.5);
    br->FirePipe()->Devices.Remove(gate);
    auto* pump = b.device<TPump>(br, dkPump, 0.1, 9);
    auto* again = b.device<TGate>(br, dkGate, 0.8, 10);
    EXPECT_EQ(br->FirePipe()->Devices.Count(), 3);
    EXPECT_EQ(crane->Flow(), 4.5);
    EXPECT_EQ(pump->Number(), 9);
    EXPECT_EQ(again->Section()->OwnerDevice(), again);
    EXPECT_EQ(b.mine().DevicesByPipeKind[0].Count(), 3);
    b.mine().DeleteBranch(br);
    TBranch* next = b.branch(2, 2, 1);
    EXPECT_EQ(next->Pipes.Count(), 3);
    EXPECT_EQ(b.mine().DevicesByPipeKind[0].Count(), 0);
}

TEST(ModelPool, AnObjectMovedToAnotherMineOutlivesTheMineItCameFrom)
{
    auto other = std::make_unique<TMine>();
    TLayer* seam = nullptr;
    {
        MineBuilder b;
        for (int i = 0; i < 50; ++i)
            b.branch(i, 1, 2);
        seam = TLayer::Create(b.get());
        seam->SetName(QStringLiteral("Пласт"));
        seam->SetMine(other.get());
    }
    ASSERT_EQ(other->Layers.Count(), 1);
    EXPECT_EQ(seam->Name(), QStringLiteral("Пласт"));
    TLayer::Create(other.get());
    other->Layers.Remove(seam);  // frees the last object of the first mine's memory
    EXPECT_EQ(other->Layers.Count(), 1);
}

TEST(ModelPool, AMineDestroyedWhileOthersStillObserveItTakesNobodyWithIt)
{
    auto mine = std::make_unique<MineBuilder>();
    mine->uzel(1);
    mine->uzel(2, 50);
    TBranch* br = mine->firePipe(1, 1, 2);
    mine->device<TGate>(br, dkGate, 0.5, 3)->SetSelected(true);
    br->SetSelected(true);
    mine->mine().Uzels.First()->SetSelected(true);
    int heard = 0;
    mine->mine().Subscribe([&](TMine*, bool) { ++heard; });
    TInfoBranchList view(mine->get());
    view.Add(br);
    TInfoDeviceList devices(mine->get());
    devices.RebuildFrom(mine->mine().DevicesByPipeKind[0], 0);
    const std::vector<GotoEntry> entries = GotoNumberEntries(mine->mine(), GotoKind::FireDevice);
    EXPECT_EQ(entries.size(), 1u);
    mine.reset();
    EXPECT_EQ(heard, 0);
    view.Clear();
    EXPECT_EQ(devices.Count(), 1);  // the views drop their entries without touching them
}

TEST(SmallVector, GrowsPastItsOwnPlaceAndCopiesWhole)
{
    TSmallVector<double> v{0.5};
    v.push_back(1.5);
    v.push_back(2.5);
    const TSmallVector<double> copy = v;
    v.clear();
    v.push_back(9);
    ASSERT_EQ(copy.size(), 3u);
    EXPECT_EQ(copy[0] + copy[1] + copy[2], 4.5);
    EXPECT_EQ(v.size(), 1u);
    EXPECT_EQ(v[0], 9);
}
