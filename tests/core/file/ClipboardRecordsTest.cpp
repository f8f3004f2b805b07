#include "core/file/ClipboardRecords.h"
#include "core/file/FileError.h"
#include "core/model/Branch.h"
#include "core/model/DeviceKinds.h"
#include "core/model/PipePart.h"
#include "core/model/Uzel.h"
#include "support/MineBuilder.h"

#include <gtest/gtest.h>

namespace {

// What a paste could disturb in the target mine.
struct MineState {
    int uzels, branches, devices, diameters, selected;
    bool modified;
    bool operator==(const MineState&) const = default;
};

MineState StateOf(const TMine& m)
{
    int devices = 0;
    for (const auto& view : m.DevicesByPipeKind)
        devices += view.Count();
    return {m.Uzels.Count(), m.Branches.Count(), devices, m.DiamColors.Count(), m.Selection.Count(), m.Modified()};
}

// A branch 10 from node 1 to node 2 with water and degasification devices.
TBranch* RichBranch(MineBuilder& source)
{
    source.uzel(1, 0, 0, 0);
    source.uzel(2, 100, 0, -5);
    TBranch* b = source.firePipe(10, 1, 2, 219);
    b->SetRemark(QStringLiteral("Уклон №3"));
    b->SetAirQ(4.5);
    auto* pump = source.device<TPump>(b, dkPump, 0.25, 501);
    pump->SetValue(3, 77);
    pump->Reserved[5] = 'x';
    auto* reducer = source.device<TReducer>(b, dkReducer, 0.5, 502);
    reducer->SetHasCharacteristic(true);
    reducer->Characteristic().Name = QStringLiteral("РД");
    source.device<TFireMachine>(b, dkFireMachine, 0.75, 503)->SetVolume(6);
    TGasPipe* gas = source.gasPipe(b, 9);
    gas->SetDiameter(325);
    source.device<TSlit>(b, dkSlit, 0.4, 504, 3)->AddWell();
    return b;
}

}  // namespace

TEST(ClipboardRecords, NodesTravelToAnotherMine)
{
    MineBuilder source;
    TUzel* a = source.uzel(5, 10.5, -20, -300);
    a->SetSurface(true);
    a->SetShowResult(true);
    a->SetNumberLabelOffset(TLabelOffset::Make(-8, 3.25));
    TUzel* b = source.uzel(6, 40, 50, -310);
    b->SetPlacedByHand(true);
    b->SetSX(1000);
    const std::vector<TUzel*> copied{a, b};
    const QByteArray block = EncodeUzels(copied);

    // The target already has a branch waiting for node 5.
    MineBuilder target;
    target.uzel(1);
    TBranch* waiting = target.branch(1, 1, 5);
    ASSERT_EQ(nullptr, waiting->EndUzel());

    const std::vector<TUzel*> pasted = DecodeUzels(target.mine(), block);
    ASSERT_EQ(2u, pasted.size());
    EXPECT_EQ(3, target.mine().Uzels.Count());
    EXPECT_EQ(5, pasted[0]->Number());
    EXPECT_EQ(-300, pasted[0]->Z());
    EXPECT_TRUE(pasted[0]->Surface());
    EXPECT_EQ(1, target.mine().SurfaceUzels.Count());
    EXPECT_EQ(TLabelOffset::Make(-8, 3.25), pasted[0]->NumberLabelOffset());
    EXPECT_EQ(1000.0f, pasted[1]->SX());
    EXPECT_EQ(pasted[0], waiting->EndUzel());
    EXPECT_EQ(-310, target.mine().MinZ());
    EXPECT_EQ(block, EncodeUzels(pasted));

    EXPECT_EQ(a->GetInfoText(true) + QStringLiteral("\r\n\r\n") + b->GetInfoText(true), ClipboardText(copied));
}

TEST(ClipboardRecords, BranchWithDevicesLinksToTheTargetsNodes)
{
    MineBuilder source;
    TBranch* original = RichBranch(source);
    const QByteArray block = EncodeBranches({original});

    MineBuilder target;
    TUzel* t1 = target.uzel(1, 0, 0, 0);
    TUzel* t2 = target.uzel(2, 0, 300, 0);
    target.firePipe(1, 2, 1, 219);
    const int knownColour = target.mine().Branches.Items(0)->FirePipe()->Color();

    const std::vector<TBranch*> pasted = DecodeBranches(target.mine(), block);
    ASSERT_EQ(1u, pasted.size());
    const TBranch* b = pasted[0];
    EXPECT_EQ(2, target.mine().Branches.Count());
    EXPECT_EQ(10, b->Number());
    EXPECT_EQ(t1, b->StartUzel());
    EXPECT_EQ(t2, b->EndUzel());
    EXPECT_EQ(2, t1->IncidentCount());
    EXPECT_DOUBLE_EQ(300, b->Length());
    EXPECT_EQ(QStringLiteral("Уклон №3"), b->Remark());
    EXPECT_EQ(4.5, b->AirQ());
    EXPECT_TRUE(b->FirePipe()->Present());
    EXPECT_EQ(original->FirePipe()->Color(), b->FirePipe()->Color());

    ASSERT_EQ(3, b->FirePipe()->Devices.Count());
    EXPECT_EQ(77, static_cast<const TPump*>(b->FirePipe()->Devices.Items(0))->Q2());
    EXPECT_EQ('x', static_cast<const TPump*>(b->FirePipe()->Devices.Items(0))->Reserved[5]);
    EXPECT_EQ(QStringLiteral("РД"), static_cast<const TReducer*>(b->FirePipe()->Devices.Items(1))->Characteristic().Name);
    EXPECT_EQ(dkFireMachine, b->FirePipe()->Devices.Items(2)->GetKind());
    ASSERT_EQ(4, b->Pipes.Count());
    EXPECT_EQ(9, static_cast<const TGasPipe*>(b->Pipes.Items(3))->PipeNo());
    EXPECT_EQ(1, static_cast<const TSlit*>(b->Pipes.Items(3)->Devices.Items(0))->WellCount());
    EXPECT_EQ(3, target.mine().DevicesByPipeKind[0].Count());
    EXPECT_EQ(1, target.mine().DevicesByPipeKind[3].Count());

    // The colour table of the target counts the pasted pipes under their diameters.
    const int i219 = target.mine().DiamColors.IndexOfDiameter(219);
    ASSERT_GE(i219, 0);
    EXPECT_EQ(knownColour, target.mine().DiamColors.Entry(i219).Color);
    EXPECT_EQ(2, target.mine().DiamColors.Entry(i219).LaidCount);
    EXPECT_GE(target.mine().DiamColors.IndexOfDiameter(325), 0);

    EXPECT_EQ(block, EncodeBranches(pasted));
    EXPECT_EQ(original->GetInfoText(true), ClipboardText(std::vector<TBranch*>{original}));
}

// A block cut anywhere, or with a count it cannot hold, is refused whole: the target keeps
// exactly what it had.
TEST(ClipboardRecords, DamagedBlockChangesNothing)
{
    MineBuilder source;
    TBranch* original = RichBranch(source);
    const QByteArray branches = EncodeBranches({original, original});
    const QByteArray uzels = EncodeUzels({source.mine().Uzels.Items(0), source.mine().Uzels.Items(1)});

    MineBuilder target;
    target.uzel(1);
    target.uzel(2);
    target.firePipe(7, 1, 2);
    target.mine().SetModified(false, false);
    int notified = 0;
    target.mine().OnChange = [&](TMine*, bool) { ++notified; };
    const MineState before = StateOf(target.mine());

    const auto refused = [&](const std::function<void()>& paste) {
        try {
            paste();
        } catch (const EFileError& e) {
            return e.Message() == QStringLiteral("Ошибка при чтении данных из буфера обмена");
        }
        return false;
    };
    for (qsizetype n = 0; n < branches.size(); n += 3)
        ASSERT_TRUE(refused([&] { DecodeBranches(target.mine(), branches.left(n)); })) << n;
    for (qsizetype n = 0; n < uzels.size(); ++n)
        ASSERT_TRUE(refused([&] { DecodeUzels(target.mine(), uzels.left(n)); })) << n;
    QByteArray negative = uzels;
    negative[3] = '\x80';
    EXPECT_TRUE(refused([&] { DecodeUzels(target.mine(), negative); }));
    QByteArray badKind = branches;
    const qsizetype pumpAt = branches.indexOf(QByteArray::fromHex("01F5010000"));  // kind code, number 501
    ASSERT_GE(pumpAt, 0);
    badKind[pumpAt] = 42;
    EXPECT_TRUE(refused([&] { DecodeBranches(target.mine(), badKind); }));

    EXPECT_EQ(before, StateOf(target.mine()));
    EXPECT_EQ(0, notified);

    // An empty block pastes nothing.
    EXPECT_TRUE(DecodeUzels(target.mine(), EncodeUzels({})).empty());
}
