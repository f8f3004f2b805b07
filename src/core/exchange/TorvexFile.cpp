#include "core/exchange/TorvexFile.h"

#include "core/file/AtomicFile.h"
#include "core/file/ByteReader.h"
#include "core/file/ByteWriter.h"
#include "core/file/FileError.h"
#include "core/model/Branch.h"
#include "core/model/Mine.h"
#include "core/model/Uzel.h"

#include <QRegularExpression>
#include <cstdint>

namespace {

constexpr char kSignature[] = "Torvex   ";
constexpr qsizetype kSignatureSize = 9;
constexpr qsizetype kHeaderSize = 15;
constexpr qsizetype kSizeOffset = 11;
constexpr int kWrittenMajor = 1;
constexpr int kWrittenMinor = 9;
constexpr int kNewestVersion = 109;
constexpr int kSeamsSince = 109;
constexpr int kNodeTailSince = 106;
constexpr int kRecordCount = 15;  // the two-byte records after the notes
constexpr float kNoValue = -777777.0f;
constexpr qsizetype kStringMinSize = 4;
constexpr qsizetype kSeamMinSize = 1 + kStringMinSize + 4;

int EffectiveVersion(int major, int minor)
{
    const int version = major * 100 + minor;
    return version == 151 ? 105 : version;
}

qsizetype NodeSize(int version) { return version >= kNodeTailSince ? 21 : 17; }

qsizetype BranchSize(int version)
{
    if (version >= 109)
        return 76;
    return version >= 107 ? 72 : 63;
}

[[noreturn]] void Damaged() { throw EInOutError(TorvexFile::kCodeDamaged, TorvexFile::kDamaged); }

// Refuses counts whose records cannot all fit into the bytes left: a damaged count never
// makes the reader build (or reserve) anything.
void CheckFits(const ByteReader& r, int64_t count, qsizetype recordSize)
{
    if (count < 0 || count * recordSize > static_cast<int64_t>(r.remaining()))
        Damaged();
}

void CheckFits(const ByteReader& r, int64_t nodes, qsizetype nodeSize, int64_t branches, qsizetype branchSize)
{
    CheckFits(r, nodes, nodeSize);
    CheckFits(r, branches, branchSize);
    if (nodes * nodeSize + branches * branchSize > static_cast<int64_t>(r.remaining()))
        Damaged();
}

float FiniteFloat(ByteReader& r) { return static_cast<float>(ByteReader::finite(r.f32())); }

void ReadNode(ByteReader& r, TMine& mine, int version)
{
    const int number = r.i32();
    const float x = FiniteFloat(r);
    const float y = FiniteFloat(r);
    const float z = FiniteFloat(r);
    const bool surface = r.boolean();
    if (version >= kNodeTailSince)
        r.skip(4);
    TUzel* uzel = TUzel::Create(&mine, number);
    uzel->SetX(x);
    uzel->SetY(y);
    uzel->SetZ(z);
    uzel->SetSurface(surface);
}

void ReadBranch(ByteReader& r, TMine& mine, int version, int seamCount)
{
    const qsizetype start = r.position();
    r.skip(4);
    const int number = r.i32();
    const int from = r.i32();
    const int to = r.i32();
    const qsizetype size = BranchSize(version);
    int seam = -1;
    if (size == 76) {
        r.skip(72 - (r.position() - start));
        seam = r.i32();
        if (seam < 0 || seam >= seamCount)
            seam = -1;
    } else {
        r.skip(size - (r.position() - start));
    }
    const QString remark = r.string();
    TBranch* branch = TBranch::Create(&mine, number, from, to);
    branch->SetLayerIndex(seam);
    branch->SetRemark(remark);
}

void ReadBody(ByteReader& r, TMine& mine, int version)
{
    mine.SetName(r.string());
    r.skip(31);  // the sibling program's constants
    const int32_t nodes = r.i32();
    const int32_t branches = r.i32();
    const int32_t notes = r.i32();
    CheckFits(r, notes, kStringMinSize);
    const qsizetype nodeSize = NodeSize(version);
    const qsizetype branchSize = BranchSize(version) + kStringMinSize;
    CheckFits(r, nodes, nodeSize, branches, branchSize);

    QStringList lines;
    for (int i = 0; i < notes; ++i)
        lines << r.string();
    mine.SetRemark(TorvexFile::JoinNoteLines(lines));
    r.skip(2 * kRecordCount);

    int seamCount = 0;
    if (version >= kSeamsSince) {
        seamCount = r.i32();
        CheckFits(r, seamCount, kSeamMinSize);
        for (int i = 0; i < seamCount; ++i) {
            TLayer* seam = TLayer::Create(&mine);
            seam->SetVisible(r.boolean());
            seam->SetName(r.string());
            seam->SetColor(r.i32());
        }
    }

    // Strings and seams took their share: the records must still fit.
    CheckFits(r, nodes, nodeSize, branches, branchSize);
    for (int i = 0; i < nodes; ++i)
        ReadNode(r, mine, version);
    for (int i = 0; i < branches; ++i)
        ReadBranch(r, mine, version, seamCount);
}

void WriteBranch(ByteWriter& w, const TBranch& branch)
{
    w.i32(1);
    w.i32(branch.Number());
    w.i32(branch.StartNumber());
    w.i32(branch.EndNumber());
    w.f32(kNoValue);
    w.f32(kNoValue);
    w.u8(0);
    w.f32(1.0f);
    w.i32(0);
    w.u8(0);
    w.zeros(4);
    for (int i = 0; i < 3; ++i) {
        w.f32(1.0f);
        w.i32(0);
    }
    w.u8(0);
    w.u8(0);
    w.zeros(8);
    w.i32(branch.LayerIndex());
    w.string(branch.Remark());
}

}  // namespace

namespace TorvexFile {

QStringList NoteLines(const QString& remark)
{
    if (remark.isEmpty())
        return {};
    static const QRegularExpression breaks(QStringLiteral("\r\n|\r|\n"));
    // A closing line break gives an empty last line, so the notes come back exactly.
    return remark.split(breaks);
}

QString JoinNoteLines(const QStringList& lines) { return lines.join(QStringLiteral("\r\n")); }

std::unique_ptr<TMine> Parse(QByteArrayView data)
{
    if (data.size() < kHeaderSize || data.first(kSignatureSize) != QByteArrayView(kSignature, kSignatureSize))
        Damaged();
    ByteReader r(data);
    r.skip(kSignatureSize);
    const int major = r.u8();
    const int minor = r.u8();
    if (r.i32() != data.size())
        Damaged();
    const int version = EffectiveVersion(major, minor);
    if (version > kNewestVersion)
        throw EInOutError(kCodeTooNew, kTooNew);

    auto mine = std::make_unique<TMine>();
    try {
        ReadBody(r, *mine, version);
    } catch (const EFileError&) {
        Damaged();  // a read past the end or a non-finite coordinate
    }
    mine->DiamColors.Rebuild();
    mine->RecalcBounds();
    mine->SetModified(false, false);
    return mine;
}

QByteArray Build(const TMine& mine)
{
    ByteWriter w;
    w.bytes(QByteArrayView(kSignature, kSignatureSize));
    w.u8(kWrittenMajor);
    w.u8(kWrittenMinor);
    w.i32(0);
    w.string(mine.Name());

    const QStringList lines = NoteLines(mine.Remark());
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
    w.i32(mine.Uzels.Count());
    w.i32(mine.Branches.Count());
    w.i32(static_cast<int32_t>(lines.size()));
    for (const QString& line : lines)
        w.string(line);
    for (int i = 0; i < kRecordCount; ++i) {
        w.u8(static_cast<uint8_t>(i));
        w.u8(1);
    }

    w.i32(mine.Layers.Count());
    for (const TLayer* seam : mine.Layers) {
        w.boolean(seam->Visible());
        w.string(seam->Name());
        w.i32(seam->Color());
    }
    for (const TUzel* uzel : mine.Uzels) {
        w.i32(uzel->Number());
        w.f32(static_cast<float>(uzel->X()));
        w.f32(static_cast<float>(uzel->Y()));
        w.f32(static_cast<float>(uzel->Z()));
        w.boolean(uzel->Surface());
        w.i32(1);
    }
    for (const TBranch* branch : mine.Branches)
        WriteBranch(w, *branch);
    w.i32(0);
    w.patchI32(kSizeOffset, static_cast<int32_t>(w.size()));
    return w.data();
}

std::unique_ptr<TMine> Import(const QString& path)
{
    QByteArray data;
    try {
        data = ReadWholeFile(path);
    } catch (const EFileError&) {
        throw EInOutError(0, kImportFailed);
    }
    return Parse(data);
}

void Export(const QString& path, const TMine& mine)
{
    const QByteArray data = Build(mine);
    try {
        WriteFileAtomically(path, data);
    } catch (const EFileError&) {
        throw Exception(kExportFailed);
    }
}

}  // namespace TorvexFile
