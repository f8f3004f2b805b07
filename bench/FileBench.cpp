// Reading and writing network files of generated mines, beside zlib's own inflate and
// level-9 deflate of the same body: the floor that the file code cannot go below.
//
// Every benchmark reports bytes per second of the uncompressed body, so the ratios read
// straight off the output: Read / ZlibInflate and Write / ZlibDeflate9.

#include "core/exchange/MineGenerator.h"
#include "core/file/DocumentSettings.h"
#include "core/file/NetworkFile.h"
#include "core/model/Branch.h"
#include "core/model/Mine.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <libdeflate.h>
#include <zlib.h>

#include <map>
#include <memory>
#include <stdexcept>
#include <vector>

namespace {

constexpr uint64_t kSeed = 1;

// One generated mine per size, its body, the body deflated, and the file on disk.
struct Case {
    std::unique_ptr<TMine> mine;
    std::vector<TBranch*> order;
    TDocumentSettings settings = TDocumentSettings::Defaults();
    QByteArray body;
    QByteArray packed;
    QString path;
};

QTemporaryDir& Folder()
{
    // In memory where there is such a folder, so the disk does not time itself.
    static QTemporaryDir dir(QDir(QStringLiteral("/dev/shm")).exists()
                                 ? QStringLiteral("/dev/shm/irvata-bench-XXXXXX")
                                 : QDir::tempPath() + QStringLiteral("/irvata-bench-XXXXXX"));
    return dir;
}

QByteArray ZlibDeflate(const QByteArray& body, int level)
{
    uLongf size = compressBound(static_cast<uLong>(body.size()));
    QByteArray out(static_cast<qsizetype>(size), Qt::Uninitialized);
    if (compress2(reinterpret_cast<Bytef*>(out.data()), &size, reinterpret_cast<const Bytef*>(body.constData()),
                  static_cast<uLong>(body.size()), level) != Z_OK)
        throw std::runtime_error("deflate failed");
    out.truncate(static_cast<qsizetype>(size));
    return out;
}

QByteArray Deflate9(const QByteArray& body) { return ZlibDeflate(body, 9); }

// A zlib stream (header and Adler-32 as zlib writes them) made by libdeflate.
QByteArray LibdeflateZlib(const QByteArray& body, int level)
{
    std::unique_ptr<libdeflate_compressor, decltype(&libdeflate_free_compressor)> compressor(
        libdeflate_alloc_compressor(level), &libdeflate_free_compressor);
    if (!compressor)
        throw std::runtime_error("no compressor");
    QByteArray out(static_cast<qsizetype>(libdeflate_zlib_compress_bound(compressor.get(), static_cast<size_t>(body.size()))),
                   Qt::Uninitialized);
    const size_t size = libdeflate_zlib_compress(compressor.get(), body.constData(), static_cast<size_t>(body.size()),
                                                 out.data(), static_cast<size_t>(out.size()));
    if (size == 0)
        throw std::runtime_error("deflate failed");
    out.truncate(static_cast<qsizetype>(size));
    return out;
}

const Case& CaseFor(int branches)
{
    static std::map<int, std::unique_ptr<Case>> cases;
    auto& slot = cases[branches];
    if (!slot) {
        slot = std::make_unique<Case>();
        slot->mine = MineGenerator::Generate(branches, kSeed);
        slot->order = slot->mine->Branches.ToVector();
        slot->body = NetworkFile::WriteBody(*slot->mine, slot->settings, slot->order, 17);
        slot->packed = Deflate9(slot->body);
        slot->path = Folder().filePath(QStringLiteral("mine-%1.irv").arg(branches));
        NetworkFile::Write(slot->path, *slot->mine, slot->settings, slot->order, 17);
    }
    return *slot;
}

void Report(benchmark::State& state, const Case& c)
{
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * c.body.size());
    state.counters["body_MB"] = static_cast<double>(c.body.size()) / 1e6;
    state.counters["packed_MB"] = static_cast<double>(c.packed.size()) / 1e6;
}

void Read(benchmark::State& state)
{
    const Case& c = CaseFor(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        TNetworkDocument doc = NetworkFile::Read(c.path);
        benchmark::DoNotOptimize(doc.Mine.get());
        // Closing the mine is not reading it.
        state.PauseTiming();
        doc = TNetworkDocument();
        state.ResumeTiming();
    }
    Report(state, c);
}

// Reading and closing again, as a document window that opens and closes a file.
void ReadAndClose(benchmark::State& state)
{
    const Case& c = CaseFor(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        TNetworkDocument doc = NetworkFile::Read(c.path);
        benchmark::DoNotOptimize(doc.Mine.get());
    }
    Report(state, c);
}

void ZlibInflate(benchmark::State& state)
{
    const Case& c = CaseFor(static_cast<int>(state.range(0)));
    QByteArray out(c.body.size(), Qt::Uninitialized);
    for (auto _ : state) {
        uLongf size = static_cast<uLongf>(out.size());
        if (uncompress(reinterpret_cast<Bytef*>(out.data()), &size, reinterpret_cast<const Bytef*>(c.packed.constData()),
                       static_cast<uLong>(c.packed.size())) != Z_OK)
            state.SkipWithError("inflate failed");
        benchmark::DoNotOptimize(out.data());
    }
    Report(state, c);
}

void Write(benchmark::State& state)
{
    const Case& c = CaseFor(static_cast<int>(state.range(0)));
    const QString path = Folder().filePath(QStringLiteral("written-%1.irv").arg(state.range(0)));
    for (auto _ : state)
        NetworkFile::Write(path, *c.mine, c.settings, c.order, 17);
    Report(state, c);
    // The file as the writer packs it, beside zlib's level 9 of the same body (packed_MB).
    state.counters["file_MB"] = static_cast<double>(QFileInfo(path).size()) / 1e6;
}

void ZlibDeflate9(benchmark::State& state)
{
    const Case& c = CaseFor(static_cast<int>(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(Deflate9(c.body).size());
    Report(state, c);
}

// Candidates for the writer's compression: args (branches, level). "ratio" is the stream's
// size against zlib's level 9, the file as written before.
void ReportCandidate(benchmark::State& state, const Case& c, const QByteArray& packed)
{
    Report(state, c);
    state.counters["level"] = static_cast<double>(state.range(1));
    state.counters["ratio"] = static_cast<double>(packed.size()) / static_cast<double>(c.packed.size());
}

void ZlibDeflateN(benchmark::State& state)
{
    const Case& c = CaseFor(static_cast<int>(state.range(0)));
    QByteArray packed;
    for (auto _ : state)
        packed = ZlibDeflate(c.body, static_cast<int>(state.range(1)));
    ReportCandidate(state, c, packed);
}

void LibdeflateN(benchmark::State& state)
{
    const Case& c = CaseFor(static_cast<int>(state.range(0)));
    QByteArray packed;
    for (auto _ : state)
        packed = LibdeflateZlib(c.body, static_cast<int>(state.range(1)));
    ReportCandidate(state, c, packed);
}

// The parts without compression: parsing the body into a mine, and the body from a mine.
void ReadBody(benchmark::State& state)
{
    const Case& c = CaseFor(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        TNetworkDocument doc = NetworkFile::ReadBody(c.body, 17, QStringLiteral("bench.irv"));
        benchmark::DoNotOptimize(doc.Mine.get());
        state.PauseTiming();
        doc = TNetworkDocument();
        state.ResumeTiming();
    }
    Report(state, c);
}

void WriteBody(benchmark::State& state)
{
    const Case& c = CaseFor(static_cast<int>(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(NetworkFile::WriteBody(*c.mine, c.settings, c.order, 17).size());
    Report(state, c);
}

// Generating the mine in memory, for the record.
void Generate(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(MineGenerator::Generate(static_cast<int>(state.range(0)), kSeed).get());
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void Sizes(benchmark::internal::Benchmark* b)
{
    b->Arg(1'000)->Arg(10'000)->Arg(100'000)->Unit(benchmark::kMillisecond)->UseRealTime();
}

BENCHMARK(Read)->Apply(Sizes);
BENCHMARK(ReadAndClose)->Apply(Sizes);
BENCHMARK(ZlibInflate)->Apply(Sizes);
BENCHMARK(ReadBody)->Apply(Sizes);
BENCHMARK(Write)->Apply(Sizes);
BENCHMARK(ZlibDeflate9)->Apply(Sizes);
BENCHMARK(WriteBody)->Apply(Sizes);
BENCHMARK(ZlibDeflateN)
    ->ArgsProduct({{1'000, 10'000, 100'000}, {6, 7, 8}})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK(LibdeflateN)
    ->ArgsProduct({{1'000, 10'000, 100'000}, {6, 7, 8, 9, 10, 11, 12}})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK(Generate)->Apply(Sizes);

}  // namespace
