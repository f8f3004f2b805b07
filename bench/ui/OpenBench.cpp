// The program's window with a large generated mine: opening a file until the window has
// painted once, the window's own share of it (everything after the mine is read), saving,
// and closing. Besides each time, "stall_ms" is the longest the event loop went without
// turning meanwhile: how long the window stood frozen. Run with QT_QPA_PLATFORM=offscreen.

#include "core/exchange/MineGenerator.h"
#include "core/file/NetworkFile.h"
#include "core/model/Mine.h"
#include "core/settings/Config.h"
#include "core/settings/SettingsStore.h"
#include "ui/app/MainForm.h"
#include "ui/document/ChildForm.h"
#include "ui/document/UzelTableModel.h"
#include "core/model/Uzel.h"
#include "ui/document/GridView.h"
#include "core/tables/TableColumns.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <QTemporaryDir>
#include <QTimer>

#include <benchmark/benchmark.h>

#include <map>
#include <memory>

namespace {

// Settings in a temporary folder and one main window for the whole run.
struct Desk {
    QTemporaryDir dir;
    SettingsStore user{dir.path() + QStringLiteral("/user.txt")};
    SettingsStore machine{dir.path() + QStringLiteral("/machine.txt"), SettingsStore::Access::ReadOnly};
    std::unique_ptr<TConfig> config;
    std::unique_ptr<TMainForm> main;
    std::map<int, QString> files;

    Desk()
    {
        TConfigPlaces places;
        places.CurrentUser = &user;
        places.LocalMachine = &machine;
        places.DocumentsDir = dir.path() + QStringLiteral("/Documents");
        places.ApplicationDir = dir.path() + QStringLiteral("/bin");
        config = std::make_unique<TConfig>(places);
        main = std::make_unique<TMainForm>(*config);
        main->resize(1600, 1000);
        main->show();
        QCoreApplication::processEvents();
    }

    // The network file of the generated mine of a size, written once per run.
    const QString& File(int branches)
    {
        QString& path = files[branches];
        if (path.isEmpty()) {
            const std::unique_ptr<TMine> mine = MineGenerator::Generate(branches, 1);
            path = dir.path() + QStringLiteral("/mine%1.irv").arg(branches);
            NetworkFile::Write(path, *mine, TDocumentSettings::Defaults(), mine->Branches.ToVector(), 17);
        }
        return path;
    }
};

// Freed before the application ends.
std::unique_ptr<Desk>& DeskSlot()
{
    static std::unique_ptr<Desk> desk;
    return desk;
}

Desk& TheDesk()
{
    if (!DeskSlot())
        DeskSlot() = std::make_unique<Desk>();
    return *DeskSlot();
}

// The longest gap between turns of the event loop while it lives: a 5 ms timer notes when
// it runs, and a turn that comes late shows how long nothing was painted.
class StallMeter {
public:
    StallMeter()
    {
        clock_.start();
        QObject::connect(&timer_, &QTimer::timeout, [this] { Tick(); });
        timer_.start(5);
    }
    double WorstMs()
    {
        Tick();
        return static_cast<double>(worst_) / 1e6;
    }

private:
    void Tick()
    {
        const qint64 now = clock_.nsecsElapsed();
        worst_ = std::max(worst_, now - last_);
        last_ = now;
    }
    QElapsedTimer clock_;
    QTimer timer_;
    qint64 last_ = 0;
    qint64 worst_ = 0;
};

// Turns the event loop until the branch table of the window has painted.
void UntilPainted(TChildForm* form)
{
    struct Watch : QObject {
        bool painted = false;
        bool eventFilter(QObject*, QEvent* e) override
        {
            if (e->type() == QEvent::Paint)
                painted = true;
            return false;
        }
    } watch;
    form->BranchGrid()->viewport()->installEventFilter(&watch);
    QElapsedTimer guard;
    guard.start();
    while (!watch.painted && guard.elapsed() < 30000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    form->BranchGrid()->viewport()->removeEventFilter(&watch);
}

// Closes every document window and lets them go, unmodified so nothing is asked.
void CloseAll(TMainForm& main)
{
    for (QMdiSubWindow* w : main.MdiArea()->subWindowList()) {
        if (auto* f = qobject_cast<TChildForm*>(w->widget()))
            f->SetModified(false);
        QPointer<QMdiSubWindow> gone(w);
        w->close();
        while (gone)
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    QCoreApplication::processEvents();
}

// From the file to the first painted window.
void BM_WindowOpen(benchmark::State& state)
{
    Desk& desk = TheDesk();
    const QString path = desk.File(static_cast<int>(state.range(0)));
    double stall = 0;
    for (auto _ : state) {
        StallMeter meter;
        TChildForm* form = desk.main->OpenPath(path);
        if (!form) {
            state.SkipWithError("not opened");
            break;
        }
        UntilPainted(form);
        stall = std::max(stall, meter.WorstMs());
        state.PauseTiming();
        CloseAll(*desk.main);
        state.ResumeTiming();
    }
    state.counters["stall_ms"] = stall;
}

// Reading the same file alone: the part of opening that is not the window's.
void BM_WindowOpenReadOnly(benchmark::State& state)
{
    const QString path = TheDesk().File(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        TNetworkDocument doc = NetworkFile::Read(path);
        benchmark::DoNotOptimize(doc.Mine.get());
        state.PauseTiming();
        doc.Mine.reset();
        state.ResumeTiming();
    }
}

// The window's own share: the mine already read, until the window has painted once.
void BM_WindowShowRead(benchmark::State& state)
{
    Desk& desk = TheDesk();
    const QString path = desk.File(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        state.PauseTiming();
        TNetworkDocument doc = NetworkFile::Read(path);
        state.ResumeTiming();
        TChildForm* form = desk.main->NewDocument();
        form->AdoptDocument(std::move(doc));
        UntilPainted(form);
        state.PauseTiming();
        CloseAll(*desk.main);
        state.ResumeTiming();
    }
}

// Saving the open mine through the window, until the window takes input again.
void BM_WindowSave(benchmark::State& state)
{
    Desk& desk = TheDesk();
    const QString path = desk.File(static_cast<int>(state.range(0)));
    TChildForm* form = desk.main->OpenPath(path);
    UntilPainted(form);
    double stall = 0;
    for (auto _ : state) {
        StallMeter meter;
        if (!form->SaveFile(false)) {
            state.SkipWithError("not saved");
            break;
        }
        stall = std::max(stall, meter.WorstMs());
    }
    state.counters["stall_ms"] = stall;
    CloseAll(*desk.main);
}

// Closing the window of an open, unmodified mine until it and its mine are gone.
void BM_WindowClose(benchmark::State& state)
{
    Desk& desk = TheDesk();
    const QString path = desk.File(static_cast<int>(state.range(0)));
    double stall = 0;
    for (auto _ : state) {
        state.PauseTiming();
        TChildForm* form = desk.main->OpenPath(path);
        UntilPainted(form);
        QPointer<QMdiSubWindow> window(desk.main->MdiArea()->activeSubWindow());
        state.ResumeTiming();
        StallMeter meter;
        window->close();
        // The window goes by deleteLater, which only a top-level event loop would run.
        while (window)
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        stall = std::max(stall, meter.WorstMs());
    }
    state.counters["stall_ms"] = stall;
}

// Destroying the mine alone, for the close above.
void BM_WindowCloseMineOnly(benchmark::State& state)
{
    const QString path = TheDesk().File(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        state.PauseTiming();
        TNetworkDocument doc = NetworkFile::Read(path);
        state.ResumeTiming();
        doc.Mine.reset();
    }
}

// A node's X typed into its cell in an open window (editor mode), until the window has taken
// the change in (the deferred refresh of the tables): the edit as the user makes it. The
// second argument 1 records it as a step of the history, 0 leaves the history out; the
// difference is what being undoable costs an edit.
void BM_WindowCellEdit(benchmark::State& state)
{
    Desk& desk = TheDesk();
    const QString path = desk.File(static_cast<int>(state.range(0)));
    TChildForm* form = desk.main->OpenPath(path);
    UntilPainted(form);
    form->SetEditorMode(true);
    TGridModel* model = form->UzelModel();
    if (state.range(1) == 0)
        model->SetHistory(nullptr);
    int column = -1;
    for (int c = 0; c < model->columnCount() && column < 0; ++c)
        if (model->ParamAt(c) == upX)
            column = c;
    // A node inside the extent: no edit moves the mine's bounds.
    TMine& mine = *form->Mine();
    int row = form->Rows().UzelCount() / 2;
    for (; row < form->Rows().UzelCount() - 1; ++row) {
        const double x = form->Rows().UzelAt(row)->X();
        if (x > mine.MinX() + 10 && x < mine.MaxX() - 10)
            break;
    }
    const double x = form->Rows().UzelAt(row)->X();
    const QString texts[2] = {QString::number(x + 1.5, 'f', 1), QString::number(x - 1.5, 'f', 1)};
    const QModelIndex index = model->index(row, column);
    int64_t i = 0;
    for (auto _ : state) {
        model->setData(index, texts[i++ % 2], Qt::EditRole);
        QCoreApplication::processEvents();
    }
    state.counters["steps"] = form->History().Count();
    model->SetHistory(&form->History());
    CloseAll(*desk.main);
}

void Sizes(benchmark::internal::Benchmark* b)
{
    b->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)->Iterations(3);
}

BENCHMARK(BM_WindowOpen)->Apply(Sizes);
BENCHMARK(BM_WindowOpenReadOnly)->Apply(Sizes);
BENCHMARK(BM_WindowShowRead)->Apply(Sizes);
BENCHMARK(BM_WindowSave)->Apply(Sizes);
BENCHMARK(BM_WindowClose)->Apply(Sizes);
BENCHMARK(BM_WindowCloseMineOnly)->Apply(Sizes);
BENCHMARK(BM_WindowCellEdit)->Args({10000, 0})->Args({10000, 1})->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);

}  // namespace

int main(int argc, char** argv)
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    DeskSlot().reset();
    return 0;
}
