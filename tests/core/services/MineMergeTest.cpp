#include "core/services/MineMerge.h"
#include "core/schema/SchemaPositions.h"
#include "core/model/Layer.h"
#include "support/MineBuilder.h"

#include <gtest/gtest.h>

namespace {

QByteArray Bytes(const TMine& mine)
{
    return NetworkFile::WriteBody(mine, TDocumentSettings::Defaults(), {}, kCurrentStreamVersion);
}

template <class Action>
QString Refusal(Action action)
{
    try {
        action();
    } catch (const EMineError& e) {
        return e.Message();
    }
    return QString();
}

void AddLayer(TMine& mine, const QString& name)
{
    TLayer::Create(&mine)->SetName(name);
    TPLFPosition::Create(&mine)->SetName(name);
}

const TDevice* DeviceAt(const TBranch* b, int slot) { return b->Pipes.Items(slot)->Devices.First(); }

// Base "A": nodes 1, 2, 120 (1 on the surface), fire device 130, one seam and two plan
// positions (unequal counts, so shifting a branch's position by the seam count shows).
// Attached "B": nodes 1-3 (2 on the surface), fire devices 4 and 5, a drainage device 6, a
// degasification device 7, two seams and positions, a branch on the second seam and one on none.
struct MergeTwoMines : ::testing::Test {
    MineBuilder a, b;
    void SetUp() override
    {
        a.mine().SetName(QStringLiteral("A"));
        a.mine().SetRemark(QStringLiteral("заметки А"));
        AddLayer(a.mine(), QStringLiteral("пласт А"));
        TPLFPosition::Create(a.get())->SetName(QStringLiteral("позиция А2"));
        a.uzel(1, 0, 0, 0)->SetSurface(true);
        a.uzel(2, 100, 0, 0);
        a.uzel(120, 200, 0, 0);
        TBranch* a1 = a.firePipe(1, 1, 2);
        a1->SetLayerIndex(0);
        a.device(a1, dkGate, 0.5, 130);
        a.branch(2, 2, 120);

        b.mine().SetName(QStringLiteral("B"));
        AddLayer(b.mine(), QStringLiteral("пласт Б1"));
        AddLayer(b.mine(), QStringLiteral("пласт Б2"));
        b.uzel(1, 10, 20, 30);
        b.uzel(2, 50, 20, 30)->SetSurface(true);
        b.uzel(3, 90, 20, 30);
        TBranch* b1 = b.firePipe(1, 1, 2);
        b1->SetLayerIndex(1);
        b1->SetPLFIndex(0);
        b.device(b1, dkGate, 0.2, 4);
        b.device(b1, dkCrane, 0.8, 5);
        TBranch* b2 = b.firePipe(2, 2, 3);
        b2->WaterPipe(1)->SetPresent(true);
        b.device(b2, dkGate, 0.5, 6, 1);
        b.gasPipe(b2, 1);
        b.device(b2, dkSlit, 0.5, 7, 3);
    }
    TNetworkDocument Merge(const TMergeRequest& r)
    {
        return MineMerge::Merge(a.mine(), TDocumentSettings::Defaults(), {}, b.mine(), r);
    }
};

}  // namespace

TEST_F(MergeTwoMines, AttachedMineFollowsTheBaseNumbersAndOffset)
{
    EXPECT_EQ(MineMerge::DefaultFirstUzel(a.mine()), 131);
    EXPECT_EQ(MineMerge::DefaultFirstBranch(a.mine()), 3);
    const QByteArray baseBefore = Bytes(a.mine()), attachedBefore = Bytes(b.mine());
    TMergeRequest r;
    r.Dx = 1000;
    r.Dy = -500;
    r.FirstUzel = 200;
    r.SchemaFactor = SchemaFactor(kDefaultMapScale);
    const TNetworkDocument doc = Merge(r);
    const TMine& m = *doc.Mine;
    EXPECT_EQ(m.Name(), QStringLiteral("A + B"));
    EXPECT_EQ(m.Uzels.Count(), 6);
    EXPECT_EQ(m.Branches.Count(), 4);
    EXPECT_EQ(m.Layers.Count(), 3);
    EXPECT_EQ(m.PLFPositions.Count(), 4);
    EXPECT_EQ(m.Layers.Items(2)->Name(), QStringLiteral("пласт Б2"));
    EXPECT_EQ(m.PLFPositions.Items(1)->Name(), QStringLiteral("позиция А2"));
    EXPECT_EQ(m.PLFPositions.Items(2)->Name(), QStringLiteral("пласт Б1"));

    const TUzel* first = m.FirstUzelWithNumber(200);
    ASSERT_NE(first, nullptr);
    EXPECT_DOUBLE_EQ(first->X(), 1010);
    EXPECT_DOUBLE_EQ(first->Y(), -480);
    EXPECT_DOUBLE_EQ(first->Z(), 30);
    // The schema moves with the plan, so the attached mine is not drawn over the base.
    EXPECT_NEAR(first->SX(), 10 + 1000 * 1.9, 1e-3);
    EXPECT_NEAR(first->SY(), 20 - 500 * 1.9, 1e-3);
    EXPECT_TRUE(m.FirstUzelWithNumber(201)->Surface());
    EXPECT_EQ(m.SurfaceUzels.Count(), 2);

    const TBranch* b1 = m.Branches.Items(m.Branches.IndexOfNumber(3));
    const TBranch* b2 = m.Branches.Items(m.Branches.IndexOfNumber(4));
    EXPECT_EQ(b1->StartUzel(), first);
    EXPECT_EQ(b2->EndNumber(), 202);
    EXPECT_EQ(b1->LayerIndex(), 2);  // 1 + one base seam
    EXPECT_EQ(b1->PLFIndex(), 2);    // 0 + two base positions
    EXPECT_EQ(b2->LayerIndex(), -1);
    EXPECT_EQ(b2->PLFIndex(), -1);
    // Devices of every pipe get new numbers: 4, 5 -> 203, 204; drainage 6 -> 205; gas 7 -> 206.
    EXPECT_EQ(b1->FirePipe()->Devices.Items(0)->Number(), 203);
    EXPECT_EQ(b1->FirePipe()->Devices.Items(1)->Number(), 204);
    EXPECT_EQ(DeviceAt(b2, 1)->Number(), 205);
    EXPECT_EQ(DeviceAt(b2, 3)->Number(), 206);
    // The base mine comes unchanged.
    EXPECT_EQ(m.Branches.Items(0)->LayerIndex(), 0);
    EXPECT_EQ(DeviceAt(m.Branches.Items(0), 0)->Number(), 130);
    EXPECT_DOUBLE_EQ(m.FirstUzelWithNumber(2)->X(), 100);

    EXPECT_EQ(m.Remark(),
              QStringLiteral("Эта шахта была получена в результате объединения шахт \"A\" и \"B\". Сдвиг XY-координат "
                             "для второй шахты составил 1000.0 м и -500.0 м соответственно.\r\n\r\n"
                             "Заметки основной шахты (A).\r\nзаметки А\r\n\r\n"
                             "Заметки присоединенной шахты (B).\r\nотсутствуют"));
    EXPECT_EQ(Bytes(a.mine()), baseBefore);
    EXPECT_EQ(Bytes(b.mine()), attachedBefore);
}

TEST_F(MergeTwoMines, TooSmallFirstNumbersAndMissingPreconditionsAreRefused)
{
    TMergeRequest r;
    r.FirstUzel = 125;
    EXPECT_EQ(Refusal([&] { Merge(r); }), MineMerge::kUzelsFrom.arg(131));
    EXPECT_TRUE(MineMerge::kUzelsFrom.arg(131).startsWith(
        QStringLiteral("Номера узлов присоединяемой шахты должны начинаться с 131 или более.\r\n")));
    r.FirstUzel.reset();
    r.FirstBranch = 2;
    EXPECT_EQ(Refusal([&] { Merge(r); }), MineMerge::kBranchesFrom.arg(3));
    r.FirstBranch.reset();
    r.Dx = std::nan("");
    EXPECT_EQ(Refusal([&] { Merge(r); }), MineMerge::kBadNumber);

    EXPECT_EQ(Refusal([&] { MineMerge::CheckPreconditions(1, a.mine()); }), MineMerge::kTooFewDocuments);
    EXPECT_EQ(Refusal([&] { MineMerge::CheckPreconditions(2, a.mine()); }), QString());
    a.mine().FirstUzelWithNumber(1)->SetSurface(false);
    EXPECT_EQ(Refusal([&] { MineMerge::CheckPreconditions(2, a.mine()); }), MineMerge::kNoSurfaceUzels);
}

TEST(MineMerge, DefaultNumbersFollowTheLargestNodeOrDevice)
{
    MineBuilder base, attached;
    EXPECT_EQ(MineMerge::DefaultFirstUzel(base.mine()), 1);
    EXPECT_EQ(MineMerge::DefaultFirstBranch(base.mine()), 1);
    base.uzel(120);
    base.uzel(3);
    base.device(base.firePipe(7, 3, 120), dkCrane, 0.5, 130);
    EXPECT_EQ(MineMerge::DefaultFirstUzel(base.mine()), 131);
    EXPECT_EQ(MineMerge::DefaultFirstBranch(base.mine()), 8);
    // Attached nodes 1-10 and devices 11-15 from 200: nodes 200-209, devices 210-214.
    for (int n = 1; n <= 10; ++n)
        attached.uzel(n, n * 10.0);
    TBranch* br = attached.firePipe(1, 1, 2);
    for (int d = 11; d <= 15; ++d)
        attached.device(br, dkCrane, (d - 10) / 10.0, d);
    TMergeRequest r;
    r.FirstUzel = 200;
    const TNetworkDocument doc = MineMerge::Merge(base.mine(), TDocumentSettings::Defaults(), {}, attached.mine(), r);
    const TMine& m = *doc.Mine;
    for (int n = 200; n <= 209; ++n)
        EXPECT_NE(m.FirstUzelWithNumber(n), nullptr) << n;
    const TBranch* merged = m.Branches.Items(m.Branches.IndexOfNumber(8));
    ASSERT_EQ(merged->FirePipe()->Devices.Count(), 5);
    EXPECT_EQ(merged->FirePipe()->Devices.First()->Number(), 210);
    EXPECT_EQ(merged->FirePipe()->Devices.Last()->Number(), 214);
    EXPECT_EQ(merged->StartNumber(), 200);
}

// The attached numbers shift from the smallest of its node and fire-pipe device numbers: a
// device numbered below every node starts the run, and the nodes follow at the same distance.
TEST(MineMerge, TheSmallestAttachedNumberMayBeADevice)
{
    MineBuilder base, attached;
    base.uzel(1)->SetSurface(true);
    base.uzel(2, 10);
    base.branch(1, 1, 2);
    attached.uzel(10);
    attached.uzel(12, 20);
    TBranch* br = attached.firePipe(5, 10, 12);
    attached.device(br, dkCrane, 0.5, 3);
    TMergeRequest r;
    r.FirstUzel = 100;
    r.FirstBranch = 50;
    const TNetworkDocument doc = MineMerge::Merge(base.mine(), TDocumentSettings::Defaults(), {}, attached.mine(), r);
    const TMine& m = *doc.Mine;
    EXPECT_NE(m.FirstUzelWithNumber(107), nullptr);
    EXPECT_NE(m.FirstUzelWithNumber(109), nullptr);
    const TBranch* merged = m.Branches.Items(m.Branches.IndexOfNumber(50));
    EXPECT_EQ(merged->StartNumber(), 107);
    EXPECT_EQ(merged->EndNumber(), 109);
    EXPECT_EQ(merged->FirePipe()->Devices.First()->Number(), 100);
}
