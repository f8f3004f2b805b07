#include "core/exchange/ExchangeFormats.h"
#include "core/exchange/TorvexFile.h"
#include "core/file/ByteWriter.h"
#include "core/model/Branch.h"
#include "core/model/Mine.h"
#include "core/model/Uzel.h"
#include "support/LockedFolder.h"
#include "support/MineBuilder.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <QFile>
#include <cmath>
#include <functional>
#include <limits>

namespace {

// Offsets of the fields the damage tests change.
constexpr qsizetype kSizeField = 11;
constexpr qsizetype kMinorField = 10;
constexpr qsizetype kCountsOfOneLetterName = 15 + 5 + 31;  // node, branch and note counts

struct NodeRow {
    int number;
    float x, y, z;
    bool surface;
};

struct BranchRow {
    int number, from, to, seam;
    QByteArray remark;
};

// A file laid out field by field as the sibling program writes it (no seams).
QByteArray HandFile(const QByteArray& name, const std::vector<NodeRow>& nodes, const std::vector<BranchRow>& branches,
                    int major = 1, int minor = 9)
{
    const int version = major * 100 + minor == 151 ? 105 : major * 100 + minor;
    ByteWriter w;
    w.bytes("Torvex   ");
    w.u8(static_cast<uint8_t>(major));
    w.u8(static_cast<uint8_t>(minor));
    w.i32(0);
    w.i32(static_cast<int32_t>(name.size()));
    w.bytes(name);
    w.i32(20);
    w.f32(1.0f);
    w.u8(1);
    w.i32(10);
    w.i32(5);
    w.f32(4.0f);
    w.i32(0);
    w.f32(10.0f);
    w.u8(0);
    w.u8(0);
    w.i32(static_cast<int32_t>(nodes.size()));
    w.i32(static_cast<int32_t>(branches.size()));
    w.i32(0);
    for (int i = 0; i < 15; ++i) {
        w.u8(static_cast<uint8_t>(i));
        w.u8(1);
    }
    if (version >= 109)
        w.i32(0);
    for (const NodeRow& n : nodes) {
        w.i32(n.number);
        w.f32(n.x);
        w.f32(n.y);
        w.f32(n.z);
        w.u8(n.surface ? 1 : 0);
        if (version >= 106)
            w.i32(1);
    }
    for (const BranchRow& b : branches) {
        w.i32(1);
        w.i32(b.number);
        w.i32(b.from);
        w.i32(b.to);
        w.u32(0xC93DE310);
        w.u32(0xC93DE310);
        w.u8(0);
        w.f32(1.0f);
        w.i32(0);
        w.u8(0);
        w.zeros(4);
        for (int i = 0; i < 3; ++i) {
            w.f32(1.0f);
            w.i32(0);
        }
        if (version >= 107) {
            w.zeros(2 + 8);
            if (version >= 109)
                w.i32(b.seam);
        } else {
            w.zeros(1);  // 63 bytes in the oldest files
        }
        w.i32(static_cast<int32_t>(b.remark.size()));
        w.bytes(b.remark);
    }
    w.i32(0);
    w.patchI32(kSizeField, static_cast<int32_t>(w.size()));
    return w.data();
}

QByteArray KnownFile()
{
    return HandFile("M", {{1, 0, 0, 0, true}, {2, 100.5f, 0, 0, false}}, {{1, 1, 2, -1, {}}});
}

void PutI32(QByteArray& data, qsizetype offset, int32_t v)
{
    for (int i = 0; i < 4; ++i)
        data[offset + i] = static_cast<char>((static_cast<uint32_t>(v) >> (8 * i)) & 0xFF);
}

// The code of the refusal, 0 when the bytes were read.
int CodeOf(const QByteArray& data)
{
    try {
        TorvexFile::Parse(data);
    } catch (const EInOutError& e) {
        EXPECT_EQ(e.Code() == TorvexFile::kCodeTooNew ? TorvexFile::kTooNew : TorvexFile::kDamaged, e.Message());
        return e.Code();
    }
    return 0;
}

}  // namespace

TEST(TorvexFile, TheKnownFileImportsAndExportsByteForByte)
{
    const QByteArray file = KnownFile();
    ASSERT_EQ(223, file.size());

    const std::unique_ptr<TMine> mine = TorvexFile::Parse(file);
    EXPECT_EQ(QStringLiteral("M"), mine->Name());
    ASSERT_EQ(2, mine->Uzels.Count());
    EXPECT_TRUE(mine->Uzels.Items(0)->Surface());
    EXPECT_FALSE(mine->Uzels.Items(1)->Surface());
    ASSERT_EQ(1, mine->Branches.Count());
    EXPECT_DOUBLE_EQ(100.5, mine->Branches.Items(0)->Length());
    EXPECT_EQ(-1, mine->Branches.Items(0)->LayerIndex());
    EXPECT_FALSE(mine->Modified());

    EXPECT_EQ(file, TorvexFile::Build(*mine));
}

TEST(TorvexFile, HeaderRefusalsCarryTheirCodes)
{
    QByteArray wrongSize = KnownFile();
    PutI32(wrongSize, kSizeField, 224);
    EXPECT_EQ(106, CodeOf(wrongSize));

    QByteArray tooNew = KnownFile();
    tooNew[kMinorField] = 10;  // 1.10 is version 110
    EXPECT_EQ(107, CodeOf(tooNew));

    EXPECT_EQ(106, CodeOf(QByteArray(100, '\0')));
    EXPECT_EQ(106, CodeOf(QByteArray()));
    EXPECT_EQ(106, CodeOf(KnownFile().left(14)));
    EXPECT_EQ(0, CodeOf(KnownFile()));
}

TEST(TorvexFile, DamagedCountsAndLengthsAreRefusedBeforeAnythingIsBuilt)
{
    for (const int32_t bad : {-1, 3, 1000000, std::numeric_limits<int32_t>::max()}) {
        for (qsizetype field = 0; field < 3; ++field) {
            QByteArray data = KnownFile();
            PutI32(data, kCountsOfOneLetterName + 4 * field, bad);
            EXPECT_EQ(106, CodeOf(data)) << "count " << field << " = " << bad;
        }
    }
    QByteArray longName = KnownFile();
    PutI32(longName, 15, 0x7FFFFFF0);
    EXPECT_EQ(106, CodeOf(longName));

    const QByteArray longRemark = HandFile("M", {{1, 0, 0, 0, false}}, {{1, 1, 1, -1, "ab"}});
    QByteArray damaged = longRemark;
    PutI32(damaged, longRemark.size() - 4 - 2 - 4, 1000);  // the comment's length
    EXPECT_EQ(106, CodeOf(damaged));
}

TEST(TorvexFile, NonFiniteCoordinatesAreRefusedAndStraySeamIndexesReadAsNone)
{
    const float inf = std::numeric_limits<float>::infinity();
    EXPECT_EQ(106, CodeOf(HandFile("M", {{1, inf, 0, 0, false}}, {})));
    EXPECT_EQ(106, CodeOf(HandFile("M", {{1, 0, 0, std::nanf(""), false}}, {})));

    for (const int seam : {0, 5, -7}) {
        const auto mine = TorvexFile::Parse(HandFile("M", {{1, 0, 0, 0, false}}, {{1, 1, 1, seam, {}}}));
        EXPECT_EQ(-1, mine->Branches.Items(0)->RawLayerIndex()) << seam;
    }
}

TEST(TorvexFile, OlderVersionsReadTheirShorterRecords)
{
    // 1.51 is read as 1.05: 17-byte nodes, 63-byte branches, no seams. Each record length
    // is tried on both sides of the version that changed it: nodes grew at 1.06, branches at
    // 1.07 and again (with the seams) at 1.09.
    for (const auto& [major, minor] : {std::pair{1, 51}, std::pair{1, 5}, std::pair{1, 6}, std::pair{1, 7},
                                       std::pair{1, 8}, std::pair{1, 9}}) {
        const auto mine = TorvexFile::Parse(HandFile("Old", {{4, 1, 2, 3, true}, {5, 4, 6, 3, false}}, {{9, 4, 5, 0, "ok"}}, major, minor));
        ASSERT_EQ(2, mine->Uzels.Count());
        EXPECT_EQ(5, mine->Uzels.Items(1)->Number());
        EXPECT_DOUBLE_EQ(6.0, mine->Uzels.Items(1)->Y());
        ASSERT_EQ(1, mine->Branches.Count());
        EXPECT_EQ(9, mine->Branches.Items(0)->Number());
        EXPECT_EQ(5, mine->Branches.Items(0)->EndNumber());
        EXPECT_EQ(-1, mine->Branches.Items(0)->RawLayerIndex());
        EXPECT_EQ(QStringLiteral("ok"), mine->Branches.Items(0)->Remark());
    }
    // The record lengths themselves, not only the reader's agreement with this file: a node
    // record of 1.06 is 4 bytes longer than one of 1.05, a branch record of 1.07 9 bytes
    // longer than one of 1.06.
    const auto size = [](int minor, int nodes, int branches) {
        std::vector<NodeRow> n(size_t(nodes), NodeRow{1, 0, 0, 0, false});
        std::vector<BranchRow> b(size_t(branches), BranchRow{1, 1, 1, 0, {}});
        return HandFile("M", n, b, 1, minor).size();
    };
    EXPECT_EQ(17, size(5, 1, 0) - size(5, 0, 0));
    EXPECT_EQ(21, size(6, 1, 0) - size(6, 0, 0));
    EXPECT_EQ(63 + 4, size(6, 0, 1) - size(6, 0, 0));
    EXPECT_EQ(72 + 4, size(7, 0, 1) - size(7, 0, 0));
    EXPECT_EQ(76 + 4, size(9, 0, 1) - size(9, 0, 0));
}

TEST(TorvexFile, AMineRoundTripsWithNotesSeamsAndComments)
{
    MineBuilder b;
    b.mine().SetName(QStringLiteral("Шахта «Северная»"));
    b.mine().SetRemark(QStringLiteral("Первая строка\r\nВторая строка\r\n\r\nпосле пустой"));
    TLayer* seam = TLayer::Create(b.get());
    seam->SetName(QStringLiteral("Пласт k5"));
    seam->SetColor(0x00A5FF);
    seam->SetVisible(false);
    b.uzel(1, 10.25, -20.5, 300.1);
    b.uzel(2, 1e6 / 3, 0, -100);
    b.uzel(7, 0, 0, 0)->SetSurface(true);
    TBranch* first = b.branch(3, 1, 2);
    first->SetRemark(QStringLiteral("Штрек №3"));
    first->SetLayerIndex(0);
    b.branch(4, 2, 7);

    const auto back = TorvexFile::Parse(TorvexFile::Build(b.mine()));
    EXPECT_EQ(b.mine().Name(), back->Name());
    EXPECT_EQ(b.mine().Remark(), back->Remark());
    ASSERT_EQ(1, back->Layers.Count());
    EXPECT_EQ(QStringLiteral("Пласт k5"), back->Layers.Items(0)->Name());
    EXPECT_EQ(0x00A5FF, back->Layers.Items(0)->Color());
    EXPECT_FALSE(back->Layers.Items(0)->Visible());
    ASSERT_EQ(3, back->Uzels.Count());
    for (int i = 0; i < 3; ++i) {
        const TUzel* was = b.mine().Uzels.Items(i);
        const TUzel* is = back->Uzels.Items(i);
        EXPECT_EQ(was->Number(), is->Number());
        EXPECT_EQ(static_cast<float>(was->X()), is->X());
        EXPECT_EQ(static_cast<float>(was->Y()), is->Y());
        EXPECT_EQ(static_cast<float>(was->Z()), is->Z());
        EXPECT_EQ(was->Surface(), is->Surface());
    }
    ASSERT_EQ(2, back->Branches.Count());
    EXPECT_EQ(QStringLiteral("Штрек №3"), back->Branches.Items(0)->Remark());
    EXPECT_EQ(0, back->Branches.Items(0)->LayerIndex());
    EXPECT_EQ(-1, back->Branches.Items(1)->LayerIndex());
    EXPECT_EQ(7, back->Branches.Items(1)->EndNumber());
}

TEST(TorvexFile, NotesAreSplitIntoLinesAndJoinedWithCrLf)
{
    EXPECT_TRUE(TorvexFile::NoteLines(QString()).isEmpty());
    EXPECT_EQ((QStringList{u"a"_qs, u"b"_qs, u""_qs, u"c"_qs, u""_qs}), TorvexFile::NoteLines(u"a\nb\r\n\rc\r\n"_qs));
    for (const QString& notes : {u"a\r\nb"_qs, u"\r\n"_qs, u"a\r\n\r\n"_qs})
        EXPECT_EQ(notes, TorvexFile::JoinNoteLines(TorvexFile::NoteLines(notes)));
}

TEST(TorvexFile, AFailedExportLeavesThePreviousFileIntact)
{
    TestTempDir dir;
    const QString path = dir.file(QStringLiteral("шахта.mdf"));
    MineBuilder b;
    b.uzel(1);
    TorvexFile::Export(path, b.mine());
    const auto first = TorvexFile::Import(path);
    EXPECT_EQ(1, first->Uzels.Count());

    b.uzel(2);
    LockedFolder lock(dir.path());
    if (!lock.locked())
        GTEST_SKIP() << "the folder cannot be locked here";
    try {
        TorvexFile::Export(path, b.mine());
        ADD_FAILURE() << "the export into a locked folder succeeded";
    } catch (const Exception& e) {
        EXPECT_EQ(TorvexFile::kExportFailed, e.Message());
    }
    EXPECT_EQ(1, TorvexFile::Import(path)->Uzels.Count());
}

TEST(TorvexFile, AMissingFileIsAnImportError)
{
    TestTempDir dir;
    try {
        TorvexFile::Import(dir.file(QStringLiteral("нет.mdf")));
        ADD_FAILURE();
    } catch (const EInOutError& e) {
        EXPECT_EQ(TorvexFile::kImportFailed, e.Message());
    }
}

TEST(ExchangeFormats, TheExtensionDecidesInAnyLetterCase)
{
    EXPECT_EQ(TFileFormat::Torvex, ExchangeFormats::FormatOf(u"/дом/шахта.MDF"_qs));
    EXPECT_EQ(TFileFormat::ResultsText, ExchangeFormats::FormatOf(u"итоги.Txt"_qs));
    EXPECT_EQ(TFileFormat::Network, ExchangeFormats::FormatOf(u"a.b/шахта.irv"_qs));
    EXPECT_EQ(TFileFormat::Unknown, ExchangeFormats::FormatOf(u"шахта.dat"_qs));
    EXPECT_EQ(TFileFormat::Unknown, ExchangeFormats::FormatOf(u"a.mdf/шахта"_qs));
    EXPECT_EQ(u"шахта.irv"_qs, ExchangeFormats::ImportedDocumentName(u"/дом/шахта.MDF"_qs));
    EXPECT_EQ(u"сеть.irv"_qs, ExchangeFormats::ImportedDocumentName(u"сеть"_qs));
}
