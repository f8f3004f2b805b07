#include "core/file/NetworkFile.h"

#include "core/file/AtomicFile.h"
#include "core/file/ByteReader.h"
#include "core/file/ByteWriter.h"
#include "core/file/FileError.h"
#include "core/file/InflateStream.h"
#include "core/file/MineStream.h"
#include "core/file/SettingsBlock.h"
#include "core/file/ThreadedInflate.h"
#include "core/file/VersionTable.h"
#include "core/file/Zlib.h"
#include "core/model/Branch.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>
#include <unordered_set>
#include <vector>

namespace {

// From this version on the body is compressed.
constexpr int kFirstCompressedVersion = 6;
constexpr int kContainerHeaderSize = kSignatureSize + 4 + 4;
constexpr float kOriginLimit = 1e6f;

QString ReadErrorText(const QString& fileName)
{
    return QStringLiteral("Ошибка при чтении данных из файла %1").arg(fileName);
}

void RequireWritableVersion(int version)
{
    if (version != kOlderFileVersion && version != kCurrentFileVersion)
        throw std::invalid_argument("network files are written as version 16 or 17");
}

// A stored origin far outside any schema is a damaged value.
float Origin(float v) { return v >= -kOriginLimit && v <= kOriginLimit ? v : 0.0f; }

void ReadBranchOrder(ByteReader& r, TNetworkDocument& doc)
{
    // The stored values are each branch's row in the branch table.
    for (TBranch* b : doc.Mine->Branches)
        b->SetTag(r.i32());
    doc.BranchOrder = doc.Mine->Branches.ToVector();
    std::stable_sort(doc.BranchOrder.begin(), doc.BranchOrder.end(),
                     [](const TBranch* a, const TBranch* b) { return a->Tag() < b->Tag(); });
}

// Each branch's row in the display order; branches the order misses follow it in mine order.
// Rows are kept by the branch's index in the mine. A branch of this mine that its list no
// longer holds still takes a row of the order, as it always has.
void WriteBranchOrder(ByteWriter& w, const TMine& mine, const std::vector<TBranch*>& order)
{
    std::vector<int> row(static_cast<size_t>(mine.Branches.Count()), -1);
    std::unordered_set<const TBranch*> outside;
    int rows = 0;
    for (const TBranch* b : order) {
        if (!b || b->Mine() != &mine)
            continue;
        const int index = b->GetIndex();
        if (index >= 0) {
            if (row[static_cast<size_t>(index)] < 0)
                row[static_cast<size_t>(index)] = rows++;
        } else if (outside.insert(b).second) {
            ++rows;
        }
    }
    int next = rows;
    for (const int r : row)
        w.i32(r >= 0 ? r : next++);
}

// The body from the reader's first byte on. A failed read leaves nothing behind.
TNetworkDocument ReadFrom(ByteReader& r, int version, const QString& fileName)
{
    TNetworkDocument doc;
    doc.Version = version;
    doc.Mine = std::make_unique<TMine>();
    try {
        SettingsBlock::Read(r, version, doc.Settings);
        MineStream::Read(r, *doc.Mine, version);
        if (version >= 1)
            ReadBranchOrder(r, doc);
        else
            doc.BranchOrder = doc.Mine->Branches.ToVector();
        if (version >= 3) {
            doc.Settings.OX = Origin(r.f32());
            doc.Settings.OY = Origin(r.f32());
        }
    } catch (const EFileError& e) {
        if (e.Kind() == fekTruncated || e.Kind() == fekMalformed)
            throw EFileError(e.Kind(), ReadErrorText(fileName));
        throw;
    } catch (const EMineError&) {
        // The model refused something the record asked of it: the file is damaged.
        throw EFileError(fekMalformed, ReadErrorText(fileName));
    }
    doc.Mine->SetModified(false, false);
    return doc;
}

// The body is parsed as it inflates, so it is never held whole. A body of more than a few
// chunks inflates on a thread of its own, ahead of the parsing.
template <class Stream>
TNetworkDocument ReadInflatingWith(Stream& stream, qint64 unpacked, int version, const QString& fileName,
                                   qsizetype chunkSize)
{
    ByteReader r(stream, static_cast<qsizetype>(unpacked), chunkSize);
    TNetworkDocument doc;
    try {
        doc = ReadFrom(r, version, fileName);
    } catch (const EFileError& e) {
        // A damaged stream speaks first, as when the body was inflated before parsing.
        if (e.Kind() != fekZlib)
            stream.Finish();
        throw;
    }
    stream.Finish();
    return doc;
}

TNetworkDocument ReadInflating(QByteArrayView packed, qint64 unpacked, int version, const QString& fileName,
                               qsizetype chunkSize, const NetworkFile::ReadProgress& progress)
{
    constexpr int kThreadedChunks = 8;
    if (unpacked > kThreadedChunks * chunkSize) {
        ThreadedInflate stream(packed, unpacked, progress, chunkSize);
        return ReadInflatingWith(stream, unpacked, version, fileName, chunkSize);
    }
    InflateStream stream(packed, unpacked, progress);
    return ReadInflatingWith(stream, unpacked, version, fileName, chunkSize);
}

}  // namespace

namespace NetworkFile {

TNetworkDocument ReadBody(const QByteArray& body, int version, const QString& fileName)
{
    ByteReader r(body);
    return ReadFrom(r, version, fileName);
}

QByteArray WriteBody(const TMine& mine, const TDocumentSettings& settings, const std::vector<TBranch*>& branchOrder,
                     int version)
{
    RequireWritableVersion(version);
    ByteWriter w;
    SettingsBlock::Write(w, settings, version);
    MineStream::Write(w, mine, version);
    WriteBranchOrder(w, mine, branchOrder);
    w.f32(settings.OX);
    w.f32(settings.OY);
    return w.data();
}

TNetworkDocument Read(const QString& path, const ReadProgress& progress)
{
    return ReadFileBytes(ReadWholeFile(path), FileNameOnly(path), kReadChunkSize, progress);
}

TNetworkDocument ReadFileBytes(const QByteArray& data, const QString& fileName, qsizetype chunkSize,
                               const ReadProgress& progress)
{
    if (data.size() < kSignatureSize)
        throw EFileError(fekTruncated, ReadErrorText(fileName));
    const int version = FindVersion(QByteArrayView(data).first(kSignatureSize));
    if (version < 0)
        throw EFileError(fekMalformed,
                         QStringLiteral("Файл %1 имеет неизвестный программе формат или поврежден").arg(fileName));
    if (version < kFirstCompressedVersion) {
        // An old body is not packed: small and read at once.
        TNetworkDocument doc = ReadBody(data.sliced(kSignatureSize), version, fileName);
        if (progress)
            progress(100);
        return doc;
    }

    if (data.size() < kContainerHeaderSize)
        throw EFileError(fekTruncated, ReadErrorText(fileName));
    ByteReader header(QByteArrayView(data).sliced(kSignatureSize, 8));
    const int32_t unpacked = header.i32();
    const int32_t packed = header.i32();
    // A body cut short is left to zlib, which reports it in its own words.
    const qsizetype available = data.size() - kContainerHeaderSize;
    const qsizetype take = std::clamp<qsizetype>(packed, 0, available);
    return ReadInflating(QByteArrayView(data).sliced(kContainerHeaderSize, take), unpacked, version, fileName,
                         chunkSize, progress);
}

void Write(const QString& path, const TMine& mine, const TDocumentSettings& settings,
           const std::vector<TBranch*>& branchOrder, int version)
{
    RequireWritableVersion(version);
    const QByteArray body = WriteBody(mine, settings, branchOrder, version);
    const QByteArray packed = zlibCompress(body);
    ByteWriter w;
    w.bytes(SignatureOf(version));
    w.i32(static_cast<int32_t>(body.size()));
    w.i32(static_cast<int32_t>(packed.size()));
    w.bytes(packed);
    WriteFileAtomically(path, w.data());
}

}  // namespace NetworkFile
