// Drainage and compressed-air pipes that are neither laid nor carry a device have no first
// section; it comes when the pipe is laid or takes a device and stays with the pipe.

#include "../history/HistoryDocument.h"
#include "support/MineBuilder.h"

#include "core/model/PipePart.h"

#include <gtest/gtest.h>

namespace {

QByteArray Body(TMine& mine)
{
    return NetworkFile::WriteBody(mine, TDocumentSettings::Defaults(), mine.Branches.ToVector(), kCurrentStreamVersion);
}

// Every pipe that is laid or carries devices has its first section, owned by the pipe, and
// the mine finds each section by its serial.
void ExpectSectionsSound(TMine& mine)
{
    for (TBranch* b : mine.Branches)
        for (TPipe* p : b->Pipes) {
            TPipePart* first = p->FirstSection();
            if (IsLaid(p) || !p->Devices.IsEmpty() || p->Kind() == pkFire) {
                ASSERT_NE(first, nullptr) << "branch " << b->Number() << " pipe " << p->SlotIndex();
            }
            if (!first)
                continue;
            EXPECT_EQ(first->OwnerPipe(), p);
            EXPECT_EQ(mine.FindObject(TObjectKind::PipePart, first->Serial()), first);
            for (TDevice* d : p->Devices)
                EXPECT_EQ(mine.FindObject(TObjectKind::PipePart, d->Section()->Serial()), d->Section());
        }
}

}  // namespace

TEST(SectionsOnDemand, OnlyPipesInUseHaveAFirstSection)
{
    MineBuilder b;
    b.uzel(1);
    b.uzel(2, 100);
    TBranch* br = b.branch(1, 1, 2);
    EXPECT_NE(br->FirePipe()->FirstSection(), nullptr) << "the fire pipe keeps its stored label";
    EXPECT_EQ(br->WaterPipe(1)->FirstSection(), nullptr);
    EXPECT_EQ(br->WaterPipe(2)->FirstSection(), nullptr);
    EXPECT_NE(b.gasPipe(br)->FirstSection(), nullptr);
    // Counting sections does not need the object, and the mine's lookups pass over the gap.
    EXPECT_EQ(br->WaterPipe(1)->SectionCount(), 1);
    EXPECT_EQ(br->WaterPipe(1)->GetSection(0), nullptr);
    EXPECT_EQ(b.mine().FindObject(TObjectKind::PipePart, 123456), nullptr);
}

TEST(SectionsOnDemand, APipeLaidAndUnlaidAgainKeepsItsSectionAndItsBytes)
{
    MineBuilder b;
    b.uzel(1);
    b.uzel(2, 100);
    TBranch* br = b.branch(1, 1, 2);
    const QByteArray unlaid = Body(b.mine());
    TWaterPipe* drain = br->WaterPipe(1);

    drain->SetPresent(true);
    TPipePart* first = drain->FirstSection();
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->OwnerPipe(), drain);
    EXPECT_DOUBLE_EQ(first->SectionLength(), 100);
    const QByteArray laid = Body(b.mine());
    EXPECT_NE(laid, unlaid);

    drain->SetPresent(false);
    EXPECT_EQ(drain->FirstSection(), first) << "windows may still show the section";
    EXPECT_EQ(Body(b.mine()), unlaid) << "a section that stays changes nothing the file keeps";
    drain->SetPresent(true);
    EXPECT_EQ(drain->FirstSection(), first);
    EXPECT_EQ(Body(b.mine()), laid);

    // The file read back makes the section only where the pipe is in use.
    drain->SetPresent(false);
    TNetworkDocument doc = NetworkFile::ReadBody(unlaid, kCurrentStreamVersion, QStringLiteral("t.dat"));
    EXPECT_EQ(doc.Mine->Branches.First()->WaterPipe(1)->FirstSection(), nullptr);
    EXPECT_EQ(Body(*doc.Mine), unlaid);
    doc = NetworkFile::ReadBody(laid, kCurrentStreamVersion, QStringLiteral("t.dat"));
    EXPECT_NE(doc.Mine->Branches.First()->WaterPipe(1)->FirstSection(), nullptr);
    EXPECT_EQ(Body(*doc.Mine), laid);
}

TEST(SectionsOnDemand, ADeviceMovedBetweenALaidAndAnUnlaidPipe)
{
    MineBuilder b;
    b.uzel(1);
    b.uzel(2, 100);
    b.uzel(3, 200);
    TBranch* laidBranch = b.branch(1, 1, 2);
    TBranch* bare = b.branch(2, 2, 3);
    laidBranch->WaterPipe(2)->SetPresent(true);
    TDevice* gate = b.device(laidBranch, dkGate, 0.5, 10, 2);
    ASSERT_EQ(bare->WaterPipe(2)->FirstSection(), nullptr);

    // Onto the unlaid pipe of another branch: the pipe takes a first section before the device.
    gate->MoveToBranch(bare);
    TWaterPipe* target = bare->WaterPipe(2);
    ASSERT_NE(target->FirstSection(), nullptr);
    EXPECT_EQ(gate->IncomingSection(), target->FirstSection());
    EXPECT_EQ(target->GetSection(1), gate->Section());
    EXPECT_EQ(target->FirstSection()->SectionEndNumbers(2), 10);
    EXPECT_FALSE(target->Present());
    ExpectSectionsSound(b.mine());

    // The pipe stays unlaid with its device; the file reads back to the same bytes and the
    // section is there again.
    const QByteArray body = Body(b.mine());
    TNetworkDocument doc = NetworkFile::ReadBody(body, kCurrentStreamVersion, QStringLiteral("t.dat"));
    ExpectSectionsSound(*doc.Mine);
    EXPECT_NE(doc.Mine->Branches.Items(1)->WaterPipe(2)->FirstSection(), nullptr);
    EXPECT_EQ(Body(*doc.Mine), body);

    // Back to the laid pipe, and then onto the unlaid drainage pipe of its own branch.
    gate->MoveToBranch(laidBranch);
    EXPECT_EQ(gate->IncomingSection(), laidBranch->WaterPipe(2)->FirstSection());
    EXPECT_NE(target->FirstSection(), nullptr) << "the section stays with the pipe it came to";
    TCrane* crane = b.device<TCrane>(laidBranch, dkCrane, 0.25, 11, 2);
    crane->MoveToPipe(laidBranch->WaterPipe(1));
    EXPECT_EQ(crane->IncomingSection(), laidBranch->WaterPipe(1)->FirstSection());
    ExpectSectionsSound(b.mine());
    EXPECT_EQ(Body(*NetworkFile::ReadBody(Body(b.mine()), kCurrentStreamVersion, QStringLiteral("t.dat")).Mine),
              Body(b.mine()));
}

TEST(SectionsOnDemand, UndoOfLayingAndOfADeviceOnABarePipe)
{
    MineBuilder b;
    b.uzel(1);
    b.uzel(2, 100);
    b.branch(1, 1, 2);
    HistoryDocument d(b.take());
    TBranch* br = d.Mine->Branches.First();
    const QByteArray before = d.Body();
    const int uncaptured = TEditTransaction::UncapturedTotal();

    {
        TEditTransaction tx(&d.History, QStringLiteral("Прокладка"), TEditScope::Objects);
        tx.Touch(br);
        br->WaterPipe(2)->SetPresent(true);
        tx.Commit();
    }
    {
        TEditTransaction tx(&d.History, QStringLiteral("Оборудование"), TEditScope::Objects);
        tx.Touch(br);
        TDevice* crane = TDevice::CreateDevice(br, br->WaterPipe(1), dkCrane);
        crane->SetPosition(0.5);
        tx.Commit();
    }
    const QByteArray after = d.Body();
    EXPECT_EQ(TEditTransaction::UncapturedTotal(), uncaptured);

    ASSERT_TRUE(d.History.Undo());
    ASSERT_TRUE(d.History.Undo());
    EXPECT_EQ(d.Body(), before);
    ExpectSectionsSound(*d.Mine);
    ASSERT_TRUE(d.History.Redo());
    ASSERT_TRUE(d.History.Redo());
    EXPECT_EQ(d.Body(), after);
    ExpectSectionsSound(*d.Mine);
    EXPECT_TRUE(BodyReadsBack(after));
}
