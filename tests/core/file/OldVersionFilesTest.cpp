#include "OldFormat.h"

#include "core/file/ByteReader.h"
#include "core/file/NetworkFile.h"
#include "core/file/SettingsBlock.h"
#include "core/file/VersionTable.h"
#include "core/file/Zlib.h"
#include "core/model/Branch.h"
#include "core/model/DeviceKinds.h"
#include "core/model/PipePart.h"
#include "core/model/Uzel.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <QFile>

namespace {

// The file as it lies on disk: signature, then the raw body up to version 5 and sizes plus
// the compressed body from version 6.
QByteArray Container(int version, const QByteArray& body)
{
    ByteWriter w;
    w.bytes(SignatureOf(version));
    if (version >= 6) {
        const QByteArray packed = zlibCompress(body);
        w.i32(static_cast<int32_t>(body.size()));
        w.i32(static_cast<int32_t>(packed.size()));
        w.bytes(packed);
    } else {
        w.bytes(body);
    }
    return w.data();
}

TNetworkDocument ReadFile(const QByteArray& file)
{
    TestTempDir dir;
    const QString path = dir.file(QStringLiteral("old.irv"));
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(file);
    f.close();
    return NetworkFile::Read(path);
}

std::vector<int> Params(const std::vector<TColumnLayout>& cols)
{
    std::vector<int> p;
    for (const TColumnLayout& c : cols)
        p.push_back(c.Param);
    return p;
}

TDocumentSettings ReadSettings(int version, const QByteArray& bytes)
{
    ByteReader r(bytes);
    TDocumentSettings s;
    SettingsBlock::Read(r, version, s);
    EXPECT_TRUE(r.atEnd());
    return s;
}

}  // namespace

TEST(OldVersionFiles, Version0OpensWithTheDefaultsOfLaterFields)
{
    OldFormat f(0);
    f.Columns();
    f.Settings(2, 120, 9);
    f.MineHead(QStringLiteral("Старая"));
    f.w.i32(3);
    f.Node(1, 0, 0, 0, 0, 0, true);
    f.Node(2, 100.4, 50, -10, 7, 8);
    f.Node(3, 200, 0, 0, 200, 0);
    f.w.i32(2);
    // Branch 20 comes first in the file; version 0 has no display order of its own.
    f.BranchHead(20, 2, 3, 3, QStringLiteral("вторая"));
    f.WaterPipe(0, 150);
    f.WaterPipe(1, 150, false);
    f.WaterPipe(2, 100);
    f.BranchHead(10, 1, 2);
    f.WaterPipe(0, 150);
    f.WaterPipe(1, 200, false);
    f.WaterPipe(2, 100, false);

    const TNetworkDocument doc = ReadFile(Container(0, f.bytes()));
    const TMine& mine = *doc.Mine;
    EXPECT_EQ(0, doc.Version);
    EXPECT_EQ(QStringLiteral("Старая"), mine.Name());
    EXPECT_FALSE(mine.Guid().isNull());
    EXPECT_EQ(2, mine.CenterY());
    EXPECT_EQ(2, doc.Settings.ColorMode);
    EXPECT_EQ(120, doc.Settings.DummyZ);
    EXPECT_EQ(9, doc.Settings.Reserved1);
    EXPECT_EQ(0.0f, doc.Settings.OX);
    EXPECT_FALSE(mine.Modified());
    EXPECT_EQ(kCurrentStreamVersion, mine.StreamVersion());
    EXPECT_FALSE(mine.Loading());

    ASSERT_EQ(3, mine.Uzels.Count());
    const TUzel* u2 = mine.Uzels.Items(1);
    EXPECT_EQ(100.4, u2->X());
    EXPECT_EQ(-10, u2->Z());
    EXPECT_EQ(7.0f, u2->SX());  // the stored schema position, not the rounded coordinate
    EXPECT_FALSE(u2->PlacedByHand());
    EXPECT_TRUE(mine.Uzels.Items(0)->Surface());
    EXPECT_EQ(1, mine.SurfaceUzels.Count());
    for (const TUzel* u : mine.Uzels) {
        EXPECT_EQ(TLabelOffset::Make(12, 12), u->NumberLabelOffset());
        EXPECT_EQ(TLabelOffset::Make(15, -15), u->ResultLabelOffset());
        EXPECT_FALSE(u->ShowResult());
        EXPECT_FALSE(u->LabelToggle());
    }
    EXPECT_EQ(0, mine.MinX());
    EXPECT_EQ(200, mine.MaxX());

    ASSERT_EQ(2, mine.Branches.Count());
    const TBranch* b20 = mine.Branches.Items(0);
    const TBranch* b10 = mine.Branches.Items(1);
    EXPECT_EQ(20, b20->Number());
    EXPECT_EQ(QStringLiteral("вторая"), b20->Remark());
    EXPECT_EQ(u2, b20->StartUzel());
    for (const TBranch* b : mine.Branches) {
        EXPECT_TRUE(b->ShowResult());
        EXPECT_EQ(-1, b->RawPLFIndex());
        EXPECT_EQ(0, b->AirQ());
        EXPECT_TRUE(b->Linked());
    }
    EXPECT_EQ((std::vector<TBranch*>{mine.Branches.Items(0), mine.Branches.Items(1)}), doc.BranchOrder);

    // Colours come from the diameter table: one colour per diameter.
    const int c150 = b20->FirePipe()->Color();
    EXPECT_EQ(c150, b20->WaterPipe(1)->Color());
    EXPECT_EQ(c150, b10->FirePipe()->Color());
    EXPECT_EQ(b20->WaterPipe(2)->Color(), b10->WaterPipe(2)->Color());
    ASSERT_EQ(1, mine.DiamColors.Count());
    EXPECT_EQ(150, mine.DiamColors.Entry(0).Diameter);
    EXPECT_EQ(c150, mine.DiamColors.Entry(0).Color);
    EXPECT_EQ(2, mine.DiamColors.Entry(0).LaidCount);

    // Six branch columns placed by parameter, then the remark column goes last.
    EXPECT_EQ((std::vector<int>{0, 1, 2, 3, 4, 6, 7, 8, 9, 10, 11, 12, 13, 5}), Params(doc.Settings.BranchCols));
    EXPECT_EQ(45, doc.Settings.BranchCols.back().Width);
    EXPECT_EQ(41, doc.Settings.UzelCols[1].Width);
    EXPECT_EQ(55, doc.Settings.ResultCols[15].Width);
    EXPECT_EQ(hbpDeltaP, doc.Settings.ResultCols[16].Param);
}

TEST(OldVersionFiles, Version12ReducerFlagHydrantFlowAndOrigin)
{
    OldFormat f(12);
    f.Columns();
    f.Settings();
    f.MineHead();
    f.w.i32(2);
    f.Node(1, 0, 0, 0, 0, 0);
    f.Node(2, 0, 100, 0, 0, 100);
    f.w.i32(1);
    FireBranch(f, 3, [](OldFormat& f) {
        // Flag 1: no characteristic, the legacy block instead.
        f.DeviceHead(dkReducer, 1, 0.2);
        f.w.u8(1);
        QByteArray legacy(56, '\x00');
        legacy[5] = 1;   // direction towards the start node
        legacy[14] = 1;  // off
        legacy[30] = '\x77';
        f.w.bytes(legacy);
        // Flag 0: the characteristic follows.
        f.DeviceHead(dkReducer, 2, 0.4);
        f.w.u8(0);
        f.w.string(QStringLiteral("РД-50"));
        f.w.i32(2);
        f.w.i32(3);
        for (double v : {10.0, 20.0, 5.0, 9.0, 1.0, 2.0, 3.0, 4.0, 3.5, 3.0, 8.5, 8.0, 7.5})
            f.w.f64(v);
        f.w.f64(6.5);     // locking pressure
        f.w.boolean(false);
        f.w.u8(0);
        // A hydrant whose flow exists only as a whole number.
        f.DeviceHead(dkCrane, 3, 0.6);
        f.w.boolean(true);
        f.w.u8(3);
        f.w.u16(35);
        f.w.boolean(true);
        f.w.f64(8.5);
    });
    f.Tail({0}, 5e6f, -2.5f);

    const TNetworkDocument doc = ReadFile(Container(12, f.bytes()));
    const TMine& mine = *doc.Mine;
    EXPECT_EQ(QUuid(QStringLiteral("{33221100-5544-7766-8899-aabbccddeeff}")), mine.Guid());
    EXPECT_EQ(0.0f, doc.Settings.OX);
    EXPECT_EQ(-2.5f, doc.Settings.OY);
    EXPECT_TRUE(mine.Uzels.Items(1)->ShowResult());
    EXPECT_EQ(TLabelOffset::Make(1, 2), mine.Uzels.Items(1)->NumberLabelOffset());

    const TBranch* b = mine.Branches.Items(0);
    EXPECT_DOUBLE_EQ(15, b->LabelDistance());
    const TPipe* fire = b->FirePipe();
    ASSERT_EQ(3, fire->Devices.Count());

    const auto* legacy = dynamic_cast<const TReducer*>(fire->Devices.Items(0));
    ASSERT_NE(nullptr, legacy);
    EXPECT_FALSE(legacy->HasCharacteristic());
    EXPECT_TRUE(legacy->Off());
    EXPECT_EQ(1, legacy->Direction());
    EXPECT_EQ(TReducerCharacter(), legacy->Characteristic());

    const auto* withCharacteristic = dynamic_cast<const TReducer*>(fire->Devices.Items(1));
    ASSERT_NE(nullptr, withCharacteristic);
    EXPECT_TRUE(withCharacteristic->HasCharacteristic());
    const TReducerCharacter& c = withCharacteristic->Characteristic();
    EXPECT_EQ(QStringLiteral("РД-50"), c.Name);
    ASSERT_EQ(2, c.NP());
    ASSERT_EQ(3, c.NQ());
    EXPECT_EQ(20.0, c.Inlet(1));
    EXPECT_EQ(9.0, c.Locking(1));
    EXPECT_EQ(3.0, c.Flow(2));
    EXPECT_EQ(4.0, c.Outlet(0, 0));
    EXPECT_EQ(7.5, c.Outlet(1, 2));
    EXPECT_EQ(6.5, withCharacteristic->LockingPressure());
    EXPECT_FALSE(withCharacteristic->Off());

    const auto* crane = dynamic_cast<const TCrane*>(fire->Devices.Items(2));
    ASSERT_NE(nullptr, crane);
    EXPECT_EQ(35.0, crane->Flow());
    EXPECT_TRUE(crane->Consumption());
    EXPECT_EQ(3, crane->ConsumerType());
    EXPECT_TRUE(crane->Orifice());
    EXPECT_EQ(8.5, crane->OrificeDiameter());
    EXPECT_EQ(TLabelOffset::Make(15, -15), crane->LabelOffset());
    const auto* section = dynamic_cast<const TWaterPipePart*>(crane->Section());
    ASSERT_NE(nullptr, section);
    EXPECT_EQ(TLabelOffset::Make(0, 35), section->LabelOffset());
    EXPECT_DOUBLE_EQ(35, section->LabelDistance());
}

TEST(OldVersionFiles, HydrantOfVersion13TakesTheWholeNumberFlowOnlyWhenItsFlowIsZero)
{
    for (double stored : {0.0, 12.75}) {
        const QByteArray body = BodyWith(13, 1, [&](OldFormat& f) {
            FireBranch(f, 1, [&](OldFormat& f) {
                f.DeviceHead(dkCrane, 3, 0.5);
                f.w.boolean(false);
                f.w.u8(0);
                f.w.u16(35);
                f.w.boolean(false);
                f.w.f64(5);
                f.w.zeros(8);
                f.w.f64(0);
                f.w.f64(stored);
                f.w.i32(4);
                f.w.zeros(38);
            });
        });
        const TNetworkDocument doc = NetworkFile::ReadBody(body, 13, QStringLiteral("x.irv"));
        const auto* crane = static_cast<const TCrane*>(doc.Mine->Branches.Items(0)->FirePipe()->Devices.Items(0));
        EXPECT_EQ(stored == 0 ? 35.0 : stored, crane->Flow());
        EXPECT_EQ(4, crane->WasherIndex());
    }
}

TEST(OldVersionFiles, PumpAndTankBlocksGrowWithTheVersion)
{
    for (int version : {1, 2, 3, 12, 13}) {
        SCOPED_TRACE(version);
        const QByteArray body = BodyWith(version, 1, [&](OldFormat& f) {
            FireBranch(f, 2, [&](OldFormat& f) {
                f.DeviceHead(dkPump, 1, 0.25);
                if (version >= 2) {
                    for (int i = 1; i <= 6; ++i)
                        f.w.f64(i);
                    f.w.u8(1);
                }
                if (version >= 3) {
                    f.w.boolean(true);
                    f.w.f64(2.5);
                    f.w.f64(3.5);
                    f.w.bytes(QByteArray(34, '\x11'));
                }
                f.DeviceHead(dkJetBreakTank, 2, 0.5);
                if (version >= 2) {
                    f.w.boolean(true);
                    f.w.bytes(QByteArray(7, '\x22'));  // ignored
                    f.w.f64(4);
                    f.w.f64(300);
                    f.w.f64(6);
                }
                if (version >= 13)
                    f.w.f64(1.5);
            });
        });
        const TNetworkDocument doc = NetworkFile::ReadBody(body, version, QStringLiteral("x.irv"));
        const TPipe* fire = doc.Mine->Branches.Items(0)->FirePipe();
        const auto* pump = static_cast<const TPump*>(fire->Devices.Items(0));
        const auto* tank = static_cast<const TJetBreakTank*>(fire->Devices.Items(1));
        EXPECT_EQ(version >= 2 ? 6.0 : 0.0, pump->B());
        EXPECT_EQ(version >= 2 ? 1 : 0, pump->HeadDirection());
        EXPECT_EQ(version >= 3, pump->Off());
        EXPECT_EQ(version >= 3 ? 3.5 : 0.0, pump->Manometer(2));
        EXPECT_EQ(version >= 3 ? QByteArray(34, '\x11') : QByteArray(34, '\0'),
                  QByteArray(pump->Reserved.data(), pump->Reserved.size()));
        EXPECT_EQ(version >= 2, tank->Bypass());
        EXPECT_EQ(version >= 2 ? 300.0 : 0.0, tank->Volume());
        EXPECT_EQ(version >= 13 ? 1.5 : 0.0, tank->Manometer());
        EXPECT_EQ(version >= 3 ? 7.0f : 0.0f, doc.Settings.OX);
    }
}

// The fixed blocks of nodes, branches, pipes and devices of every version: a gate and a
// degasification pipe with a numbered node, read through to the schema origin at the end.
TEST(OldVersionFiles, EveryVersionReadsToTheEnd)
{
    for (int version = 0; version <= 17; ++version) {
        SCOPED_TRACE(version);
        const QByteArray body = BodyWith(version, 1, [](OldFormat& f) {
            f.BranchHead(10, 1, 2, 4, QStringLiteral("штрек"));
            f.PipeHead(0, 159);
            f.w.i32(1);
            f.DeviceHead(dkGate, 7, 0.5);
            f.w.boolean(true);
            f.WaterTail(true, 1.2);
            f.WaterPipe(1, 100, false);
            f.WaterPipe(2, 50, false);
            f.PipeHead(3, 309);
            f.w.i32(1);
            f.DeviceHead(dkNumberDev, 8, 1.0, 3);
            f.GasTail(42);
        });
        const TNetworkDocument doc = NetworkFile::ReadBody(body, version, QStringLiteral("x.irv"));
        const TMine& mine = *doc.Mine;
        EXPECT_EQ(-10, mine.Uzels.Items(1)->Z());
        const TBranch* b = mine.Branches.Items(0);
        EXPECT_EQ(QStringLiteral("штрек"), b->Remark());
        EXPECT_EQ(b->StartUzel(), mine.Uzels.Items(0));
        EXPECT_EQ(159, b->FirePipe()->Diameter());
        EXPECT_EQ(1.2, b->FirePipe()->K());
        EXPECT_TRUE(static_cast<const TGate*>(b->FirePipe()->Devices.Items(0))->Closed());
        ASSERT_EQ(4, b->Pipes.Count());
        const auto* gas = static_cast<const TGasPipe*>(b->Pipes.Items(3));
        EXPECT_EQ(42, gas->PipeNo());
        EXPECT_EQ(8, gas->Devices.Items(0)->Number());
        EXPECT_EQ(1, mine.DevicesByPipeKind[3].Count());
        if (version >= 3) {
            EXPECT_EQ(7.0f, doc.Settings.OX);
            EXPECT_EQ(8.0f, doc.Settings.OY);
        }
        if (version >= 6) {
            EXPECT_EQ(0x0000FF, b->FirePipe()->Color());
        }
    }
}

TEST(OldVersionFiles, ColumnRecordsOfEachGeneration)
{
    // Versions 6-7: sixteen result columns; the pressure difference goes right after P2.
    {
        OldFormat f(6);
        f.Columns();
        f.Settings();
        const TDocumentSettings s = ReadSettings(6, f.bytes());
        EXPECT_EQ((std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 16, 15}), Params(s.ResultCols));
        EXPECT_EQ(53, s.BranchCols[13].Width);
    }
    // Versions 8-16: twelve branch records land on the columns of their parameters,
    // whatever order they come in.
    {
        OldFormat f(16);
        for (int i = 0; i < 4; ++i)
            f.Column(3 - i, 10 + i, true);
        for (int i = 11; i >= 0; --i)
            f.Column(i, 100 + i, i != 3);
        for (int i = 0; i < 17; ++i)
            f.Column(16 - i, 200 + i, true);
        f.Settings(0, 100, 0, true);
        const TDocumentSettings s = ReadSettings(16, f.bytes());
        EXPECT_EQ((std::vector<int>{3, 2, 1, 0}), Params(s.UzelCols));
        EXPECT_EQ((std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13}), Params(s.BranchCols));
        EXPECT_EQ(111, s.BranchCols[11].Width);
        EXPECT_FALSE(s.BranchCols[3].Visible);
        EXPECT_EQ(TDocumentSettings::Defaults().BranchCols[bpLayer], s.BranchCols[bpLayer]);
        EXPECT_EQ(16, s.ResultCols[0].Param);
        EXPECT_TRUE(s.UseProjectedPipes);
    }
    // Version 17: every record at its own position; a layout naming a column twice is
    // replaced by the default one.
    {
        OldFormat f(17);
        for (int i = 0; i < 4; ++i)
            f.Column(i, 10, true);
        for (int i = 0; i < 14; ++i)
            f.Column(13 - i, 20, true);
        for (int i = 0; i < 17; ++i)
            f.Column(i == 5 ? 4 : i, 30, true);
        f.Settings();
        const TDocumentSettings s = ReadSettings(17, f.bytes());
        EXPECT_EQ(13, s.BranchCols[0].Param);
        EXPECT_EQ(0, s.BranchCols[13].Param);
        EXPECT_EQ(TDocumentSettings::Defaults().ResultCols, s.ResultCols);
    }
}
