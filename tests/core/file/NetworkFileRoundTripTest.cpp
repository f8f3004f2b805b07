#include "SampleNetwork.h"

#include "core/file/AtomicFile.h"
#include "core/file/ByteReader.h"
#include "core/file/ByteWriter.h"
#include "core/file/MineStream.h"
#include "core/file/NetworkFile.h"
#include "core/file/VersionTable.h"
#include "core/file/Zlib.h"
#include "core/model/Branch.h"
#include "core/model/DeviceKinds.h"
#include "core/model/PipePart.h"
#include "core/model/Uzel.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace {

QByteArray WriteStream(const TMine& mine, int version)
{
    ByteWriter w;
    MineStream::Write(w, mine, version);
    return w.data();
}

int CountKind(const TMine& mine, int kind)
{
    int n = 0;
    for (const TBranch* b : mine.Branches)
        for (const TPipe* p : b->Pipes)
            for (const TDevice* d : p->Devices)
                n += d->GetKind() == kind ? 1 : 0;
    return n;
}

}  // namespace

TEST(NetworkFileRoundTrip, Version17BodyIsReproducedByteForByte)
{
    const SampleNetwork s = SampleNetwork::Make();
    const QByteArray body = NetworkFile::WriteBody(*s.mine, s.settings, s.order, 17);
    const TNetworkDocument doc = NetworkFile::ReadBody(body, 17, QStringLiteral("a.irv"));
    EXPECT_EQ(body.toHex(), NetworkFile::WriteBody(*doc.Mine, doc.Settings, doc.BranchOrder, 17).toHex());
}

TEST(NetworkFileRoundTrip, ReadingRestoresTheNetwork)
{
    const SampleNetwork s = SampleNetwork::Make();
    const TNetworkDocument doc =
        NetworkFile::ReadBody(NetworkFile::WriteBody(*s.mine, s.settings, s.order, 17), 17, QStringLiteral("a.irv"));
    const TMine& m = *doc.Mine;

    EXPECT_EQ(s.mine->Guid(), m.Guid());
    EXPECT_EQ(s.mine->Name(), m.Name());
    EXPECT_EQ(s.mine->Remark(), m.Remark());
    EXPECT_EQ(-340, m.CenterY());
    EXPECT_FALSE(m.Modified());
    EXPECT_FALSE(m.Loading());
    EXPECT_EQ(s.settings.BranchCols, doc.Settings.BranchCols);
    EXPECT_EQ(s.settings.UzelCols, doc.Settings.UzelCols);
    EXPECT_EQ(s.settings.ResultCols, doc.Settings.ResultCols);
    EXPECT_EQ(150, doc.Settings.DummyZ);
    EXPECT_EQ(7, doc.Settings.Reserved1);
    EXPECT_TRUE(doc.Settings.UseProjectedPipes);
    EXPECT_EQ(-7.0f, doc.Settings.OY);

    ASSERT_EQ(2, m.Layers.Count());
    EXPECT_FALSE(m.Layers.Items(1)->Visible());
    ASSERT_EQ(1, m.PLFPositions.Count());
    EXPECT_EQ(12, m.PLFPositions.Items(0)->PositionNo());

    const TUzel* u2 = m.Uzels.Items(1);
    EXPECT_TRUE(u2->PlacedByHand());
    EXPECT_EQ(260.5f, u2->SX());
    EXPECT_EQ((TLabelOffset{OddExtended(12), OddExtended(-12)}), u2->NumberLabelOffset());
    EXPECT_EQ(-50, m.MinX());
    EXPECT_EQ(400, m.MaxX());

    // The display order comes back as it was, and the tags carry it.
    ASSERT_EQ(3u, doc.BranchOrder.size());
    EXPECT_EQ(30, doc.BranchOrder[0]->Number());
    EXPECT_EQ(10, doc.BranchOrder[1]->Number());
    EXPECT_EQ(1, m.Branches.Items(0)->Tag());

    const TBranch* b1 = m.Branches.Items(0);
    EXPECT_EQ(0, b1->LayerIndex());
    EXPECT_EQ(0, b1->PLFIndex());
    EXPECT_FALSE(b1->AutoPlaceLabel());
    EXPECT_DOUBLE_EQ(s.mine->Branches.Items(0)->LabelAngle(), b1->LabelAngle());
    EXPECT_DOUBLE_EQ(s.mine->Branches.Items(0)->LabelDistance(), b1->LabelDistance());
    const TWaterPipe* fire = b1->FirePipe();
    EXPECT_TRUE(fire->Projected());
    EXPECT_EQ(0.05, fire->StartFrac());
    const auto* first = static_cast<const TWaterPipePart*>(fire->FirstSection());
    EXPECT_EQ((TLabelOffset{OddExtended(-20), OddExtended(30)}), first->LabelOffset());
    EXPECT_FALSE(first->AutoPlaceLabel());
    EXPECT_EQ(0x123456, b1->WaterPipe(1)->Color());

    ASSERT_EQ(7, fire->Devices.Count());
    const auto* pump = static_cast<const TPump*>(fire->Devices.Items(0));
    EXPECT_EQ(QStringLiteral("ППЗ-101"), pump->PPZNumber());
    EXPECT_EQ('Z', pump->Reserved[33]);
    EXPECT_EQ((TLabelOffset{OddExtended(7.5), Extended80::fromDouble(-3)}), pump->LabelOffset());
    const auto* reducer = static_cast<const TReducer*>(fire->Devices.Items(1));
    const auto* sampleReducer = static_cast<const TReducer*>(s.mine->Branches.Items(0)->FirePipe()->Devices.Items(1));
    EXPECT_EQ(3, reducer->Characteristic().NP());
    EXPECT_EQ(sampleReducer->Characteristic(), reducer->Characteristic());
    EXPECT_TRUE(reducer->HasCharacteristic());
    EXPECT_EQ(1, reducer->Direction());
    const auto* crane = static_cast<const TCrane*>(fire->Devices.Items(4));
    EXPECT_EQ(35.5, crane->Flow());
    EXPECT_EQ(7, crane->WasherIndex());
    EXPECT_EQ('b', crane->Reserved2[37]);
    // Devices standing at one position keep their order.
    EXPECT_EQ(108, b1->WaterPipe(1)->Devices.Items(0)->Number());
    EXPECT_EQ(109, b1->WaterPipe(1)->Devices.Items(1)->Number());

    const TBranch* b2 = m.Branches.Items(1);
    ASSERT_EQ(5, b2->Pipes.Count());
    const auto* gas = static_cast<const TGasPipe*>(b2->Pipes.Items(3));
    EXPECT_TRUE(gas->FixedFlow());
    const auto* slit = static_cast<const TSlit*>(gas->Devices.Items(1));
    ASSERT_EQ(2, slit->WellCount());
    EXPECT_EQ(-15, slit->Well(1)->Vacuum());
    EXPECT_EQ(76, slit->Well(1)->Diameter());
    EXPECT_EQ(-5, static_cast<const TVacuumPump*>(gas->Devices.Items(0))->Q2());
    EXPECT_EQ(4, m.DevicesByPipeKind[3].Count());
    EXPECT_EQ(7, m.DevicesByPipeKind[0].Count());
    EXPECT_EQ(2, m.DevicesByPipeKind[1].Count());

    EXPECT_EQ(nullptr, m.Branches.Items(2)->EndUzel());

    ASSERT_EQ(2, m.TextBlocks.Count());
    const TTextBlock2D* text = m.TextBlocks.Items(0);
    EXPECT_EQ(QStringLiteral("Ствол №1\r\nгор. -300"), text->Text());
    EXPECT_EQ(2, text->Lines().size());
    EXPECT_EQ(30, text->Angle());
    EXPECT_EQ(3, text->Font().Style);
    EXPECT_EQ(QStringLiteral("Times New Roman"), text->Font().Name);

    // The colour table is built from the fire-fighting pipes' stored colours.
    const int i159 = m.DiamColors.IndexOfDiameter(159);
    ASSERT_GE(i159, 0);
    EXPECT_EQ(fire->Color(), m.DiamColors.Entry(i159).Color);
}

// Reading what a version's layout holds and writing it again in that layout gives the
// same bytes: the reader and the writer agree on every field of every version.
TEST(NetworkFileRoundTrip, MineStreamOfEveryVersionIsStable)
{
    const SampleNetwork s = SampleNetwork::Make();
    for (int version = 0; version <= 17; ++version) {
        SCOPED_TRACE(version);
        const QByteArray first = WriteStream(*s.mine, version);
        TMine mine;
        ByteReader r(first);
        MineStream::Read(r, mine, version);
        EXPECT_TRUE(r.atEnd());
        EXPECT_EQ(first.toHex(), WriteStream(mine, version).toHex());
        EXPECT_EQ(version >= 17 ? 2 : 0, CountKind(mine, dkFireMachine));
        EXPECT_EQ(2, CountKind(mine, dkReducer));
    }
}

TEST(NetworkFileRoundTrip, SavedFileOpensAgain)
{
    const SampleNetwork s = SampleNetwork::Make();
    TestTempDir dir;
    const QString path = dir.file(QStringLiteral("сеть.irv"));
    NetworkFile::Write(path, *s.mine, s.settings, s.order, 17);

    const QByteArray file = ReadWholeFile(path);
    EXPECT_EQ(SignatureOf(17), file.first(16));
    ByteReader header(QByteArrayView(file).sliced(16, 8));
    const int32_t unpacked = header.i32();
    const int32_t packed = header.i32();
    EXPECT_EQ(file.size(), 24 + packed);
    EXPECT_EQ(NetworkFile::WriteBody(*s.mine, s.settings, s.order, 17),
              zlibInflateExact(QByteArrayView(file).sliced(24), unpacked));

    const TNetworkDocument doc = NetworkFile::Read(path);
    EXPECT_EQ(17, doc.Version);
    EXPECT_EQ(s.mine->Name(), doc.Mine->Name());
    EXPECT_EQ(4, doc.Mine->Uzels.Count());
}

TEST(NetworkFileRoundTrip, Version16LeavesFireEnginesAndTwoBranchColumnsOut)
{
    const SampleNetwork s = SampleNetwork::Make();
    TestTempDir dir;
    const QString path = dir.file(QStringLiteral("old.irv"));
    NetworkFile::Write(path, *s.mine, s.settings, s.order, 16);
    EXPECT_EQ(2, CountKind(*s.mine, dkFireMachine));  // the network itself keeps them

    const QByteArray file = ReadWholeFile(path);
    EXPECT_EQ(SignatureOf(16), file.first(16));
    const QByteArray body = zlibInflateExact(QByteArrayView(file).sliced(24), ByteReader(file.sliced(16, 4)).i32());
    // Twelve branch records after the four node records: the seam and plan-position columns
    // are gone and the others keep their display order (the sample swapped the first and
    // the last column).
    ByteReader r(body);
    r.skip(4 * 6);
    std::vector<int> params;
    for (int i = 0; i < 12; ++i) {
        params.push_back(r.u8());
        r.skip(5);
    }
    EXPECT_EQ((std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 0}), params);
    EXPECT_EQ(hbpNum, r.u8());  // the result columns follow at once

    const TNetworkDocument doc = NetworkFile::Read(path);
    EXPECT_EQ(16, doc.Version);
    const TMine& m = *doc.Mine;
    EXPECT_EQ(0, CountKind(m, dkFireMachine));
    EXPECT_EQ(2, CountKind(m, dkReducer));
    const TBranch* b1 = m.Branches.Items(0);
    ASSERT_EQ(6, b1->FirePipe()->Devices.Count());
    ASSERT_EQ(1, b1->WaterPipe(1)->Devices.Count());
    EXPECT_EQ(109, b1->WaterPipe(1)->Devices.Items(0)->Number());
    EXPECT_EQ(2, m.TextBlocks.Count());
    // Branch columns come back placed by parameter.
    EXPECT_EQ(33, doc.Settings.BranchCols[2].Width);
    EXPECT_FALSE(doc.Settings.BranchCols[4].Visible);
    EXPECT_EQ(bpNum, doc.Settings.BranchCols[0].Param);
}
