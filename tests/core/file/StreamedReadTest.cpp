#include "SampleNetwork.h"

#include "core/exchange/MineGenerator.h"
#include "core/file/ByteWriter.h"
#include "core/file/FileError.h"
#include "core/file/NetworkFile.h"
#include "core/file/VersionTable.h"
#include "core/file/Zlib.h"
#include "core/model/Mine.h"

#include <gtest/gtest.h>

namespace {

const QString kReadError = QStringLiteral("Ошибка при чтении данных из файла сеть.irv");
const QString kTooSmall = QStringLiteral("ZLib error: target buffer may be too small");

// A version-17 file whose header announces `declared` body bytes over the deflated `body`.
QByteArray FileOf(const QByteArray& body, qsizetype declared)
{
    const QByteArray packed = zlibCompress(body);
    ByteWriter w;
    w.bytes(SignatureOf(17));
    w.i32(static_cast<int32_t>(declared));
    w.i32(static_cast<int32_t>(packed.size()));
    w.bytes(packed);
    return w.data();
}

QString ReadError(const QByteArray& file, qsizetype chunk)
{
    try {
        NetworkFile::ReadFileBytes(file, QStringLiteral("сеть.irv"), chunk);
    } catch (const EFileError& e) {
        return e.Message();
    }
    return QStringLiteral("<no error>");
}

QByteArray BodyOf(const TNetworkDocument& doc)
{
    return NetworkFile::WriteBody(*doc.Mine, doc.Settings, doc.BranchOrder, 17);
}

}  // namespace

// Records, strings and 80-bit numbers that straddle chunk boundaries, and strings longer
// than a chunk, read as from one buffer.
TEST(StreamedRead, TinyChunksReadTheSameMine)
{
    const SampleNetwork sample = SampleNetwork::Make();
    const QByteArray sampleBody = NetworkFile::WriteBody(*sample.mine, sample.settings, sample.order, 17);
    const std::unique_ptr<TMine> generated = MineGenerator::Generate(60, 7);
    const QByteArray generatedBody =
        NetworkFile::WriteBody(*generated, TDocumentSettings::Defaults(), generated->Branches.ToVector(), 17);

    for (const QByteArray& body : {sampleBody, generatedBody}) {
        const QByteArray expected = BodyOf(NetworkFile::ReadBody(body, 17, QStringLiteral("сеть.irv")));
        ASSERT_EQ(body, expected);
        for (qsizetype chunk : {1, 7, 64, 4096}) {
            const TNetworkDocument doc = NetworkFile::ReadFileBytes(FileOf(body, body.size()), QStringLiteral("сеть.irv"), chunk);
            EXPECT_EQ(expected, BodyOf(doc)) << "chunk " << chunk;
            EXPECT_FALSE(doc.Mine->Modified());
        }
    }
}

TEST(StreamedRead, BodyEndingInsideARecordAtAChunkBoundary)
{
    const std::unique_ptr<TMine> mine = MineGenerator::Generate(40, 3);
    const QByteArray body = NetworkFile::WriteBody(*mine, TDocumentSettings::Defaults(), mine->Branches.ToVector(), 17);
    constexpr qsizetype kChunk = 64;
    // Well inside the branch records, at the end of a chunk.
    const qsizetype cut = body.size() / 2 / kChunk * kChunk;
    const QByteArray shortBody = body.left(cut);

    // The stream and the header agree on a body that stops mid-record: a damaged file.
    EXPECT_EQ(kReadError, ReadError(FileOf(shortBody, cut), kChunk));
    // The stream gives out before the header's size: zlib's words, as when inflated whole.
    EXPECT_EQ(kTooSmall, ReadError(FileOf(shortBody, body.size()), kChunk));
    // The stream holds more than the header says, even though the records parse.
    EXPECT_EQ(kTooSmall, ReadError(FileOf(body + QByteArray(kChunk, 'x'), body.size()), kChunk));
    // A wrong checksum is reported as such, although the records stopped before it.
    QByteArray corrupt = FileOf(shortBody, cut);
    corrupt[corrupt.size() - 1] = static_cast<char>(corrupt[corrupt.size() - 1] ^ 0x55);
    EXPECT_EQ(QStringLiteral("Error"), ReadError(corrupt, kChunk));
}
