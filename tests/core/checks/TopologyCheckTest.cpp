#include "CheckFixture.h"

#include <stdexcept>

namespace {
using TopologyCheck = CheckFixture;

struct RecordingProgress : ICheckProgress {
    QStringList captions;
    qint64 total = -1;
    qint64 done = 0;
    int finished = 0;
    bool busyWhileRunning = false;
    TBusyCounter* busy = nullptr;
    int throwAtStep = -1;
    int steps = 0;

    void Start(const QString& caption, qint64 t) override
    {
        captions << caption;
        total = t;
    }
    void SetCaption(const QString& caption) override { captions << caption; }
    void Step(qint64 d) override
    {
        EXPECT_GE(d, done);
        done = d;
        busyWhileRunning = busy && busy->Busy();
        if (++steps == throwAtStep)
            throw std::runtime_error("interrupted");
    }
    void Finish() override { ++finished; }
};
}  // namespace

TEST_F(TopologyCheck, ASoundMineEndsEveryPhaseWithOk)
{
    BuildFedHydrant();
    EXPECT_EQ(Topology(), (QStringList{kUzelsOk, kBranchesOk, kNetworkOk}));
    EXPECT_FALSE(last.HasFindings());
    EXPECT_EQ(last.FirstLine, 0);
}

TEST_F(TopologyCheck, AMineWithoutNodesOrBranchesGetsOneErrorOnly)
{
    EXPECT_EQ(Topology(), QStringList{Err(1, "Топология шахты определена не полностью")});
    EXPECT_TRUE(last.ErrorsFound);
    b.uzel(1);
    EXPECT_EQ(Topology(), QStringList{Err(1, "Топология шахты определена не полностью")}) << "nodes but no branches";
    EXPECT_FALSE(list.Line(0).HasObject());
}

TEST_F(TopologyCheck, ANodeNumberErrorLeavesEveryLaterPhaseWithoutOk)
{
    TUzel* first5 = b.uzel(5, 0, 0, 0);
    TUzel* zero = b.uzel(0, 1, 0, 0);
    b.uzel(6, 10, 0, 0);
    TUzel* second5 = b.uzel(5, 2, 0, 0);
    TUzel* second6 = b.uzel(6, 3, 0, 0);
    TUzel* third5 = b.uzel(5, 4, 0, 0);
    b.branch(1, 5, 6);

    EXPECT_EQ(Topology(), (QStringList{
                              "Проверка номеров узлов ... ",
                              Err(1, "неверный номер узла"),
                              Err(2, "повторяется узел 5"),
                              Err(3, "повторяется узел 5"),
                              Err(4, "повторяется узел 6"),
                              "",
                              "Проверка номеров выработок ... ",
                              "",
                              "Проверка топологической сети ... ",
                              Err(5, "найден изолированный узел 0"),
                              Err(6, "найден изолированный узел 5"),
                              Err(7, "найден изолированный узел 6"),
                              Err(8, "найден изолированный узел 5"),
                              "",
                          }));
    // Repeats are reported on the later node, grouped after the first of their number.
    EXPECT_EQ(list.Resolve(1, b.mine()), zero);
    EXPECT_EQ(list.Resolve(2, b.mine()), second5);
    EXPECT_EQ(list.Resolve(3, b.mine()), third5);
    EXPECT_EQ(list.Resolve(4, b.mine()), second6);
    EXPECT_NE(list.Resolve(2, b.mine()), first5);
}

TEST_F(TopologyCheck, BranchNumbersAndEndsAreCheckedInTheirOrder)
{
    b.uzel(1, 0, 0, 0);
    b.uzel(2, 10, 0, 0);
    b.uzel(3, 20, 0, 0);
    b.branch(1, 1, 2);
    TBranch* repeat = b.branch(1, 2, 3);
    b.branch(0, 2, 2);
    b.branch(-4, 3, 9);
    b.branch(5, 8, 8);

    EXPECT_EQ(Topology(), (QStringList{
                              kUzelsOk,
                              "Проверка номеров выработок ... ",
                              Err(1, "неверный номер ветви"),
                              Err(2, "неверный номер ветви"),
                              Err(3, "повторяется выработка 1"),
                              Err(4, "выработка 0 - одинаковые номера начального и конечного узлов"),
                              Err(5, "выработка -4 - узел 9 не определен"),
                              Err(6, "выработка 5 - одинаковые номера начального и конечного узлов"),
                              Err(7, "выработка 5 - узел 8 не определен"),
                              "",
                              "Проверка топологической сети ... ",
                              Err(8, "выработка 0 - длина = 0"),
                              Err(9, "выработка -4 - длина = 0"),
                              Err(10, "выработка 5 - длина = 0"),
                              "",
                          }));
    EXPECT_EQ(list.Resolve(4, b.mine()), repeat);
}

TEST_F(TopologyCheck, NodeRulesTakeTheFirstMatchOnly)
{
    TUzel* top = b.uzel(1, 0, 0, 100);
    top->SetSurface(true);
    b.uzel(10, 0, 0, 0);
    for (int i = 0; i < 7; ++i)
        b.uzel(20 + i, 10.0 * (i + 1), 0, 0);
    TUzel* crowdedSurface = b.uzel(30, 0, 50, 0);
    crowdedSurface->SetSurface(true);
    b.uzel(99, 0, 0, -5);

    b.branch(1, 1, 10);
    b.branch(2, 10, 1);
    for (int i = 0; i < 6; ++i)
        b.branch(10 + i, 10, 20 + i);
    // Seven workings at a surface node: the surface rule, not the "more than 6" one.
    for (int i = 0; i < 7; ++i)
        b.branch(40 + i, 30, 20 + i);

    EXPECT_EQ(Topology(), (QStringList{
                              kUzelsOk,
                              kBranchesOk,
                              "Проверка топологической сети ... ",
                              Err(1, "с поверхностным узлом №1 соединено более 1-й выработок"),
                              Err(2, "с узлом №10 соединено более 6-ти выработок"),
                              Err(3, "с поверхностным узлом №30 соединено более 1-й выработок"),
                              Err(4, "найден изолированный узел 99"),
                              "",
                          }));
}

TEST_F(TopologyCheck, AWorkingCutOffFromTheRestIsIsolatedButTheOnlyWorkingIsNot)
{
    b.uzel(1, 0, 0, 0);
    b.uzel(2, 10, 0, 0);
    b.uzel(3, 20, 0, 0);
    b.uzel(5, 0, 50, 0);
    b.uzel(6, 10, 50, 0);
    b.branch(1, 1, 2);
    EXPECT_EQ(Topology(), (QStringList{kUzelsOk, kBranchesOk, "Проверка топологической сети ... ",
                                       Err(1, "найден изолированный узел 3"), Err(2, "найден изолированный узел 5"),
                                       Err(3, "найден изолированный узел 6"), ""}))
        << "the only working of a mine is not cut off from anything";

    b.branch(2, 2, 3);
    TBranch* apart = b.branch(4, 5, 6);
    EXPECT_EQ(Topology(), (QStringList{kUzelsOk, kBranchesOk, "Проверка топологической сети ... ",
                                       Err(1, "найдена изолированная выработка 4"), ""}));
    EXPECT_EQ(list.Resolve(3, b.mine()), apart);
}

TEST_F(TopologyCheck, ProgressRunsFromStartToFinishWhileTheDocumentIsBusy)
{
    BuildFedHydrant();
    TBusyCounter busy;
    RecordingProgress progress;
    progress.busy = &busy;
    options.Progress = &progress;
    options.Busy = &busy;
    Topology();
    EXPECT_EQ(progress.captions, (QStringList{"Проверка номеров узлов ... ", "Проверка номеров узлов ... ",
                                              "Проверка номеров выработок ... ", "Проверка топологической сети ... "}));
    EXPECT_EQ(progress.total, 3 * 3 + 4 * 2);
    EXPECT_EQ(progress.done, progress.total);
    EXPECT_EQ(progress.finished, 1);
    EXPECT_TRUE(progress.busyWhileRunning);
    EXPECT_FALSE(busy.Busy());
}

TEST_F(TopologyCheck, AnInterruptedCheckStillEndsTheProgressAndFreesTheDocument)
{
    BuildFedHydrant();
    TBusyCounter busy;
    RecordingProgress progress;
    progress.throwAtStep = 2;
    options.Progress = &progress;
    options.Busy = &busy;
    EXPECT_THROW(Pipeline(), std::runtime_error);
    EXPECT_EQ(progress.finished, 1);
    EXPECT_FALSE(busy.Busy());
}
