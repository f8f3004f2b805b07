// The undo history on generated mines: undoing and redoing one table cell, undoing a
// transformation of every node, what recording costs a cell edit, and the memory of a
// hundred recorded cell edits.

#include "BenchMines.h"

#include "core/exchange/MineGenerator.h"
#include "core/file/NetworkFile.h"
#include "core/history/EditHistory.h"
#include "core/history/EditTransaction.h"
#include "core/model/Branch.h"
#include "core/model/Mine.h"
#include "core/model/Uzel.h"
#include "core/schema/SchemaPositions.h"
#include "core/services/NodeTransform.h"
#include "core/tables/DocumentRows.h"
#include "core/tables/TableCells.h"
#include "core/tables/TableEdits.h"

#include <benchmark/benchmark.h>

#include <map>
#include <memory>

namespace {

// A document of its own per size: the mine, its rows and its history, which these
// benchmarks fill.
struct Document {
    std::unique_ptr<TMine> Mine;
    std::unique_ptr<TDocumentRows> Rows;
    std::unique_ptr<TEditHistory> History;
};

Document& HistoryDocument(int branches)
{
    static std::map<int, Document> documents;
    Document& d = documents[branches];
    if (!d.Mine) {
        d.Mine = MineGenerator::Generate(branches, 3);
        d.Rows = std::make_unique<TDocumentRows>(d.Mine.get());
        // A window listens to every change: the rows learn whether they went stale.
        TDocumentRows* rows = d.Rows.get();
        d.Mine->OnChange = [rows](TMine*, bool) { rows->MineChanged(); };
        d.History = std::make_unique<TEditHistory>(TEditTarget{d.Mine.get(), d.Rows.get(), {}, {}});
    }
    d.History->Clear();
    return d;
}

// The table's path for a typed node coordinate: the row's node, the editor's text, the
// value applied, the cell shown again.
void TypeUzelX(TDocumentRows& rows, int row, const QString& text)
{
    TUzel* u = rows.UzelAt(row);
    benchmark::DoNotOptimize(TableCells::UzelEditText(*u, upX));
    TableEdits::ApplyUzelCell(*u, upX, text, TSchemaFrame{});
    benchmark::DoNotOptimize(TableCells::UzelText(*u, upX));
}

void TypeUzelXRecorded(Document& d, int row, const QString& text)
{
    TEditTransaction tx(d.History.get(), QStringLiteral("Изменение ячейки"), TEditScope::Objects);
    tx.Touch(d.Rows->UzelAt(row));
    TypeUzelX(*d.Rows, row, text);
    tx.Commit();
}

// A row whose node lies inside the mine's extent, and two X values near it taken in turn:
// every edit changes the cell, and none moves the mine's bounds (which would cost a pass
// over every node, the edit's own price rather than the history's).
struct CellEdit {
    int Row = 0;
    QString Texts[2];
    const QString& Text(int64_t i) const { return Texts[i % 2]; }
};

CellEdit InnerCell(const Document& d)
{
    CellEdit e;
    for (e.Row = d.Rows->UzelCount() / 2; e.Row < d.Rows->UzelCount() - 1; ++e.Row) {
        const double x = d.Rows->UzelAt(e.Row)->X();
        if (x > d.Mine->MinX() + 10 && x < d.Mine->MaxX() - 10)
            break;
    }
    const double x = d.Rows->UzelAt(e.Row)->X();
    e.Texts[0] = TableCells::ShortestText(x + 0.25);
    e.Texts[1] = TableCells::ShortestText(x + 0.5);
    return e;
}

void UndoRedoUzelCell(benchmark::State& state)
{
    Document& d = HistoryDocument(static_cast<int>(state.range(0)));
    const CellEdit e = InnerCell(d);
    TypeUzelXRecorded(d, e.Row, e.Text(0));
    if (d.History->Count() != 1)
        state.SkipWithError("the edit was not recorded");
    for (auto _ : state) {
        d.History->Undo();
        d.History->Redo();
    }
}

void UndoRedoBranchRemark(benchmark::State& state)
{
    Document& d = HistoryDocument(static_cast<int>(state.range(0)));
    TBranch* b = d.Rows->BranchAt(d.Rows->BranchCount() / 2);
    {
        TEditTransaction tx(d.History.get(), QStringLiteral("Изменение ячейки"), TEditScope::Objects);
        tx.Touch(b);
        TableEdits::ApplyBranchCell(*b, bpRemark, b->Remark() + QStringLiteral(" (проверен)"));
        tx.Commit();
    }
    for (auto _ : state) {
        d.History->Undo();
        d.History->Redo();
    }
}

// Recording a transformation of every node: the transformation alone is RotateAll.
void TransformAllRecorded(benchmark::State& state)
{
    Document& d = HistoryDocument(static_cast<int>(state.range(0)));
    const std::vector<TUzel*> nodes = d.Mine->Uzels.ToVector();
    for (auto _ : state) {
        TEditTransaction tx(d.History.get(), QStringLiteral("Трансформация"));
        NodeTransform::Apply(*d.Mine, nodes, BenchRotation());
        tx.Commit();
    }
    state.counters["StepMB"] = static_cast<double>(d.History->Step(d.History->Position() - 1).Footprint()) / (1 << 20);
    // Against the mine's own file body, unpacked.
    state.counters["BodyMB"] =
        static_cast<double>(NetworkFile::WriteBody(*d.Mine, TDocumentSettings::Defaults(), {}, kCurrentStreamVersion).size()) /
        (1 << 20);
    d.History->Clear();
}

void UndoTransformAll(benchmark::State& state)
{
    Document& d = HistoryDocument(static_cast<int>(state.range(0)));
    {
        TEditTransaction tx(d.History.get(), QStringLiteral("Трансформация"));
        NodeTransform::Apply(*d.Mine, d.Mine->Uzels.ToVector(), BenchRotation());
        tx.Commit();
    }
    for (auto _ : state) {
        d.History->Undo();
        state.PauseTiming();
        d.History->Redo();
        state.ResumeTiming();
    }
    d.History->Clear();
}

void UzelCellAlone(benchmark::State& state)
{
    Document& d = HistoryDocument(static_cast<int>(state.range(0)));
    const CellEdit e = InnerCell(d);
    int64_t i = 0;
    for (auto _ : state)
        TypeUzelX(*d.Rows, e.Row, e.Text(i++));
}

void UzelCellRecorded(benchmark::State& state)
{
    Document& d = HistoryDocument(static_cast<int>(state.range(0)));
    const CellEdit e = InnerCell(d);
    int64_t i = 0;
    for (auto _ : state)
        TypeUzelXRecorded(d, e.Row, e.Text(i++));
    d.History->Clear();
}

// A hundred node coordinates typed one after another in different rows (each keeps its
// node and the branches at it), then a hundred branch remarks.
void HundredCellEditsFootprint(benchmark::State& state)
{
    Document& d = HistoryDocument(static_cast<int>(state.range(0)));
    const bool remarks = state.range(1) != 0;
    int64_t round = 0;
    for (auto _ : state) {
        state.PauseTiming();
        d.History->Clear();
        state.ResumeTiming();
        for (int k = 0; k < 100; ++k) {
            const int row = (k * 977) % d.Rows->UzelCount();
            if (remarks) {
                TBranch* b = d.Rows->BranchAt(row);
                TEditTransaction tx(d.History.get(), QStringLiteral("Изменение ячейки"), TEditScope::Objects);
                tx.Touch(b);
                TableEdits::ApplyBranchCell(*b, bpRemark, QStringLiteral("правка %1.%2").arg(round).arg(k));
                tx.Commit();
            } else {
                const double x = d.Rows->UzelAt(row)->X();
                TypeUzelXRecorded(d, row, TableCells::ShortestText(x + 0.5));
            }
        }
        ++round;
    }
    state.counters["Steps"] = d.History->Count();
    state.counters["FootprintMB"] = static_cast<double>(d.History->Footprint()) / (1 << 20);
    d.History->Clear();
}

}  // namespace

BENCHMARK(UndoRedoUzelCell)->Arg(100000)->Unit(benchmark::kMicrosecond);
BENCHMARK(UndoRedoBranchRemark)->Arg(100000)->Unit(benchmark::kMicrosecond);
BENCHMARK(TransformAllRecorded)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(UndoTransformAll)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(UzelCellAlone)->Arg(10000)->Unit(benchmark::kMicrosecond);
BENCHMARK(UzelCellRecorded)->Arg(10000)->Unit(benchmark::kMicrosecond);
BENCHMARK(HundredCellEditsFootprint)->Args({100000, 0})->Args({100000, 1})->Unit(benchmark::kMillisecond);
