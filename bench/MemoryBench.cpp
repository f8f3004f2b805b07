// What a read mine keeps on the heap and what closing it costs.
//
// KeptMemory/N: heap in use after reading a generated mine of N branches minus before,
// per branch. Close/N: destroying the read
// mine, beside ReadOnly/N (the same read, so the two read straight against each other).
// A census of the model's object sizes runs once and is printed as counters of Sizes.

#include "core/exchange/MineGenerator.h"
#include "core/file/DocumentSettings.h"
#include "core/file/NetworkFile.h"
#include "core/model/Branch.h"
#include "core/model/Device.h"
#include "core/model/DeviceKinds.h"
#include "core/model/Mine.h"
#include "core/model/ModelPool.h"
#include "core/model/Pipe.h"
#include "core/model/PipePart.h"
#include "core/model/Uzel.h"

#include <QDir>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <malloc.h>

#include <map>
#include <memory>

namespace {

QTemporaryDir& Folder()
{
    static QTemporaryDir dir(QDir(QStringLiteral("/dev/shm")).exists()
                                 ? QStringLiteral("/dev/shm/irvata-membench-XXXXXX")
                                 : QDir::tempPath() + QStringLiteral("/irvata-membench-XXXXXX"));
    return dir;
}

// The file of a generated mine; the generated mine itself is gone before anything is measured.
const QString& FileFor(int branches)
{
    static std::map<int, QString> files;
    auto& path = files[branches];
    if (path.isEmpty()) {
        auto mine = MineGenerator::Generate(branches, 1);
        path = Folder().filePath(QStringLiteral("mine-%1.irv").arg(branches));
        NetworkFile::Write(path, *mine, TDocumentSettings::Defaults(), mine->Branches.ToVector(), 17);
    }
    return path;
}

size_t HeapInUse()
{
    const struct mallinfo2 m = mallinfo2();
    // Small blocks in the arena, blocks mapped on their own, and the model's pool chunks,
    // which are mapped outside the heap.
    return m.uordblks + m.hblkhd + TModelPool::MappedBytes();
}

void KeptMemory(benchmark::State& state)
{
    const int branches = static_cast<int>(state.range(0));
    const QString& path = FileFor(branches);
    double perBranch = 0;
    int devices = 0, pipes = 0, uzels = 0;
    for (auto _ : state) {
        const size_t before = HeapInUse();
        TNetworkDocument doc = NetworkFile::Read(path);
        perBranch = (static_cast<double>(HeapInUse()) - static_cast<double>(before)) / branches;
        devices = pipes = 0;
        uzels = doc.Mine->Uzels.Count();
        for (const TBranch* b : doc.Mine->Branches) {
            pipes += b->Pipes.Count();
            for (const TPipe* p : b->Pipes)
                devices += p->Devices.Count();
        }
        state.PauseTiming();
        doc = TNetworkDocument();
        state.ResumeTiming();
    }
    state.counters["bytes_per_branch"] = perBranch;
    state.counters["uzels_per_branch"] = static_cast<double>(uzels) / branches;
    state.counters["pipes_per_branch"] = static_cast<double>(pipes) / branches;
    state.counters["devices_per_branch"] = static_cast<double>(devices) / branches;
}

// The same read as Close tears down, for the ratio.
void ReadOnly(benchmark::State& state)
{
    const QString& path = FileFor(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        TNetworkDocument doc = NetworkFile::Read(path);
        benchmark::DoNotOptimize(doc.Mine.get());
        state.PauseTiming();
        doc = TNetworkDocument();
        state.ResumeTiming();
    }
}

void Close(benchmark::State& state)
{
    const QString& path = FileFor(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        state.PauseTiming();
        TNetworkDocument doc = NetworkFile::Read(path);
        state.ResumeTiming();
        doc = TNetworkDocument();
        benchmark::ClobberMemory();
    }
}

void Sizes(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(state.iterations());
    state.counters["TBranch"] = sizeof(TBranch);
    state.counters["TUzel"] = sizeof(TUzel);
    state.counters["TWaterPipe"] = sizeof(TWaterPipe);
    state.counters["TGasPipe"] = sizeof(TGasPipe);
    state.counters["TWaterPipePart"] = sizeof(TWaterPipePart);
    state.counters["TGasPipePart"] = sizeof(TGasPipePart);
    state.counters["TPump"] = sizeof(TPump);
    state.counters["TReducer"] = sizeof(TReducer);
    state.counters["TGate"] = sizeof(TGate);
    state.counters["TCrane"] = sizeof(TCrane);
    state.counters["TSlit"] = sizeof(TSlit);
    state.counters["TNumberDev"] = sizeof(TNumberDev);
}

void Counts(benchmark::internal::Benchmark* b)
{
    b->Arg(1'000)->Arg(10'000)->Arg(100'000)->Unit(benchmark::kMillisecond)->UseRealTime();
}

BENCHMARK(KeptMemory)->Apply(Counts)->Iterations(1);
BENCHMARK(ReadOnly)->Apply(Counts);
BENCHMARK(Close)->Apply(Counts);
BENCHMARK(Sizes)->Iterations(1);

}  // namespace
