// Picture export of a big mine: a 10 000 × 6 000 JPEG of the generated 20 000-branch mine,
// drawn and compressed band by band. Target: 4 s and a peak of 300 MB resident memory, the
// mine included. The peak is the kernel's high-water mark, reset before each run.

#include "render/export/PictureExport.h"
#include "render/schema2d/SchemaScene.h"

#include "BenchMines.h"

#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

constexpr int kBranches = 20000;
constexpr QSize kPicture(10000, 6000);

// Resident memory's high-water mark in MB (VmHWM), and its reset.
double PeakMegabytes()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').front().toDouble() / 1024.0;
    return 0;
}

void ResetPeak()
{
    QFile refs(QStringLiteral("/proc/self/clear_refs"));
    if (refs.open(QIODevice::WriteOnly))
        refs.write("5");
}

void Export(benchmark::State& state, const QString& name, const TPictureOptions& options)
{
    TSchemaScene scene(BenchMine(kBranches));
    TSchemaPictureRequest request;
    request.Drawing.Show.BranchLabels = true;
    request.Fit = kPicture;
    QTemporaryDir dir;
    const QString path = dir.filePath(name);
    double peak = 0;
    for (auto _ : state) {
        ResetPeak();
        PictureExport::Write(path, *PictureExport::FormatOf(path), scene, request, options);
        peak = std::max(peak, PeakMegabytes());
    }
    state.counters["peak MB"] = peak;
    state.counters["file MB"] = QFile(path).size() / 1048576.0;
}

void ExportJpeg10000x6000(benchmark::State& state)
{
    TPictureOptions options;
    options.Jpeg.Progressive = state.range(0) != 0;
    Export(state, QStringLiteral("big.jpg"), options);
}

void ExportBmp8Bit10000x6000(benchmark::State& state)
{
    Export(state, QStringLiteral("big.bmp"), TPictureOptions());
}

}  // namespace

BENCHMARK(ExportJpeg10000x6000)->Arg(0)->Arg(1)->ArgName("progressive")->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK(ExportBmp8Bit10000x6000)->Unit(benchmark::kMillisecond)->Iterations(1);
