// Cases the random edits seldom reach: a seam taken from the middle, the display order
// sorted, long walks, the history's bounds and actions that fail halfway.

#include "HistoryDocument.h"

#include "core/exchange/MineGenerator.h"
#include "core/model/Layer.h"
#include "core/services/BranchSplit.h"
#include "core/services/LayerEdits.h"
#include "core/services/NodeTransform.h"
#include "core/schema/SchemaPositions.h"
#include "core/tables/TableEdits.h"
#include "support/MineBuilder.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

std::unique_ptr<TMine> ThreeSeams()
{
    MineBuilder mb;
    for (int i = 1; i <= 4; ++i)
        mb.uzel(i, 10.0 * i, 5.0 * i, -1.0 * i);
    for (const char* name : {"Верхний", "Средний", "Нижний"})
        TLayer::Create(mb.get())->SetName(QString::fromUtf8(name));
    for (int i = 1; i <= 3; ++i)
        mb.firePipe(i, i, i + 1)->SetLayerIndex(i - 1);
    return mb.take();
}

std::vector<uint64_t> SerialsOf(const std::vector<TBranch*>& branches)
{
    std::vector<uint64_t> out;
    for (const TBranch* b : branches)
        out.push_back(b->Serial());
    return out;
}

void SetRemark(HistoryDocument& d, TBranch* b, const QString& remark)
{
    TEditTransaction tx(&d.History, QStringLiteral("Изменение ячейки"), TEditScope::Objects);
    tx.Touch(b);
    TableEdits::ApplyBranchCell(*b, bpRemark, remark);
    tx.Commit();
}

TEST(EditHistory, SeamTakenFromTheMiddleComesBackWithItsBranches)
{
    HistoryDocument d(ThreeSeams());
    const uint64_t middle = d.Mine->Layers.Items(1)->Serial();
    const QByteArray before = d.Body();
    {
        TEditTransaction tx(&d.History, QStringLiteral("Удаление пласта"));
        ASSERT_TRUE(LayerEdits::Remove(*d.Mine, TLayerKind::Seams, 1));
        tx.Commit();
    }
    ASSERT_EQ(d.Mine->Layers.Count(), 2);
    EXPECT_EQ(d.Mine->Branches.Items(2)->LayerIndex(), 1) << "the lower seam moved up";
    const QByteArray after = d.Body();

    ASSERT_TRUE(d.History.Undo());
    EXPECT_EQ(d.Body(), before);
    ASSERT_EQ(d.Mine->Layers.Count(), 3);
    EXPECT_EQ(d.Mine->Layers.Items(1)->Serial(), middle);
    EXPECT_EQ(d.Mine->FindObject(TObjectKind::Layer, middle), d.Mine->Layers.Items(1));
    EXPECT_EQ(d.Mine->Branches.Items(1)->LayerIndex(), 1);
    EXPECT_EQ(d.Mine->Branches.Items(2)->LayerIndex(), 2);

    ASSERT_TRUE(d.History.Redo());
    EXPECT_EQ(d.Body(), after);
    EXPECT_EQ(d.Mine->FindObject(TObjectKind::Layer, middle), nullptr);
}

TEST(EditHistory, DisplayOrderSortIsUndoneAndRedone)
{
    HistoryDocument d(MineGenerator::Generate(80, 5));
    const std::vector<TBranch*> stored = d.Rows->BranchOrderVector();
    const QByteArray before = d.Body();
    {
        TEditTransaction tx(&d.History, QStringLiteral("Сортировка ветвей"), TEditScope::Structure);
        d.Rows->SortBranches(bpRemark);
        d.Rows->SortBranches(bpRemark);  // descending
        EXPECT_TRUE(tx.Commit());
    }
    const std::vector<TBranch*> sorted = d.Rows->BranchOrderVector();
    ASSERT_NE(sorted, stored);
    EXPECT_TRUE(d.History.Step(0).Structural);

    ASSERT_TRUE(d.History.Undo());
    EXPECT_EQ(d.Rows->BranchOrderVector(), stored);
    EXPECT_EQ(d.Body(), before);
    ASSERT_TRUE(d.History.Redo());
    EXPECT_EQ(d.Rows->BranchOrderVector(), sorted);

    // A branch deleted after the sort comes back at its sorted place.
    TBranch* gone = sorted[sorted.size() / 2];
    const uint64_t serial = gone->Serial();
    {
        TEditTransaction tx(&d.History, QStringLiteral("Удаление ветви"), TEditScope::Structure);
        tx.Touch(gone);
        TableEdits::DeleteBranch(*d.Mine, gone);
        tx.Commit();
    }
    d.Settle();
    ASSERT_TRUE(d.History.Undo());
    d.Settle();
    const std::vector<TBranch*> back = d.Rows->BranchOrderVector();
    ASSERT_EQ(back.size(), sorted.size());
    EXPECT_EQ(back[sorted.size() / 2]->Serial(), serial);
    EXPECT_TRUE(d.RowsSound());
}

TEST(EditHistory, GoToWalksManyStepsWithOneNotice)
{
    HistoryDocument d(MineGenerator::Generate(60, 3));
    std::vector<QByteArray> bodies{d.Body()};
    const TSchemaFrame frame;
    for (int i = 0; i < 30; ++i) {
        if (i % 3 == 0) {
            TEditTransaction tx(&d.History, QStringLiteral("Добавление узла"), TEditScope::Structure);
            TableEdits::ApplyUzelCell(*TableEdits::AddUzel(*d.Mine), upY, QString::number(i), frame);
            tx.Commit();
        } else if (i % 3 == 1) {
            TBranch* b = d.Mine->Branches.Items(i);
            TEditTransaction tx(&d.History, QStringLiteral("Удаление ветви"), TEditScope::Structure);
            tx.Touch(b);
            TableEdits::DeleteBranch(*d.Mine, b);
            tx.Commit();
        } else {
            SetRemark(d, d.Mine->Branches.Items(i), QStringLiteral("шаг %1").arg(i));
        }
        bodies.push_back(d.Body());
    }
    ASSERT_EQ(d.History.Position(), 30);

    int notices = 0, applied = 0;
    d.Mine->Subscribe([&](TMine*, bool) { ++notices; });
    d.History.OnApplied = [&] { ++applied; };
    for (const int to : {0, 30, 15, 16, 2}) {
        notices = applied = 0;
        ASSERT_TRUE(d.History.GoTo(to));
        EXPECT_EQ(notices, 1) << to;
        EXPECT_EQ(applied, 1) << to;
        EXPECT_EQ(d.Body(), bodies[static_cast<size_t>(to)]) << to;
        EXPECT_TRUE(d.RowsSound());
    }
    EXPECT_FALSE(d.History.GoTo(31));
    EXPECT_FALSE(d.History.GoTo(-1));
    EXPECT_EQ(d.History.Position(), 2);
}

TEST(EditHistory, BoundsLetTheOldestStepsGoAndTheSavedPointWithThem)
{
    MineBuilder mb;
    mb.uzel(1);
    mb.uzel(2, 10);
    TBranch* b = mb.firePipe(1, 1, 2);
    HistoryDocument d(mb.take());
    d.History.SetLimits(3, qint64(1) << 30);

    SetRemark(d, b, QStringLiteral("первое"));
    d.History.MarkSaved();
    EXPECT_TRUE(d.History.AtSavedPoint());
    for (int i = 2; i <= 5; ++i)
        SetRemark(d, b, QStringLiteral("правка %1").arg(i));
    EXPECT_EQ(d.History.Count(), 3);
    EXPECT_EQ(d.History.DroppedSteps(), 2);
    EXPECT_EQ(d.History.Position(), 3);
    // The saved state is gone from the history: no undo comes back to it.
    for (int i = 0; i < 3; ++i) {
        EXPECT_FALSE(d.History.AtSavedPoint());
        ASSERT_TRUE(d.History.Undo());
    }
    EXPECT_FALSE(d.History.AtSavedPoint());
    EXPECT_FALSE(d.History.CanUndo());
    EXPECT_EQ(b->Remark(), QStringLiteral("правка 2"));

    // A byte bound smaller than any step still keeps the newest one.
    d.History.SetLimits(100, 1);
    EXPECT_EQ(d.History.Count(), 3) << "undone steps are not let go";
    ASSERT_TRUE(d.History.Redo());
    SetRemark(d, b, QStringLiteral("последняя"));
    EXPECT_EQ(d.History.Count(), 1);
    EXPECT_EQ(d.History.Position(), 1);
    EXPECT_GT(d.History.Footprint(), 0);
    ASSERT_TRUE(d.History.Undo());
    EXPECT_EQ(b->Remark(), QStringLiteral("правка 3"));
}

TEST(EditHistory, SavedPointIsFoundAgainByUndoAndLostByANewBranch)
{
    MineBuilder mb;
    mb.uzel(1);
    mb.uzel(2, 10);
    TBranch* b = mb.firePipe(1, 1, 2);
    HistoryDocument d(mb.take());
    SetRemark(d, b, QStringLiteral("а"));
    d.History.MarkSaved();
    SetRemark(d, b, QStringLiteral("б"));
    EXPECT_FALSE(d.History.AtSavedPoint());
    ASSERT_TRUE(d.History.Undo());
    EXPECT_TRUE(d.History.AtSavedPoint());
    ASSERT_TRUE(d.History.Undo());
    SetRemark(d, b, QStringLiteral("в"));
    EXPECT_FALSE(d.History.AtSavedPoint());
    ASSERT_TRUE(d.History.Undo());
    EXPECT_FALSE(d.History.AtSavedPoint()) << "the saved step was cut off";
}

// An action that throws halfway, in each scope: the mine is put back, identities included,
// and nothing is recorded.
class Rollback : public ::testing::TestWithParam<TEditScope> {};

TEST_P(Rollback, ActionThatThrowsHalfwayLeavesTheMineAsItWas)
{
    HistoryDocument d(MineGenerator::Generate(70, 9));
    const QByteArray before = d.Body();
    const std::vector<uint64_t> identities = d.Identities();
    const int uncaptured = TEditTransaction::UncapturedTotal();
    TBranch* gone = d.Mine->Branches.Items(5);
    TUzel* moved = d.Mine->Uzels.Items(7);
    const uint64_t goneSerial = gone->Serial();
    try {
        TEditTransaction tx(&d.History, QStringLiteral("Правка"), GetParam());
        tx.Touch(moved);
        tx.TouchHeader();
        tx.TouchSeams();
        d.Mine->SetName(QStringLiteral("Другая"));
        moved->SetZ(moved->Z() - 40);
        if (GetParam() != TEditScope::Objects) {
            tx.Touch(gone);
            TableEdits::DeleteBranch(*d.Mine, gone);
            TableEdits::AddUzel(*d.Mine);
            d.Rows->SortBranches(bpNum);
            d.Rows->SortBranches(bpNum);
        }
        LayerEdits::Add(*d.Mine, TLayerKind::Seams, QStringLiteral("Новый"));
        throw std::runtime_error("отказ");
    } catch (const std::runtime_error&) {
    }
    d.Settle();
    EXPECT_EQ(d.Body(), before);
    EXPECT_EQ(d.Identities(), identities);
    EXPECT_NE(d.Mine->FindObject(TObjectKind::Branch, goneSerial), nullptr);
    EXPECT_EQ(d.History.Count(), 0);
    EXPECT_FALSE(d.History.Open());
    EXPECT_EQ(d.Mine->EditRecorder(), nullptr);
    EXPECT_EQ(TEditTransaction::UncapturedTotal(), uncaptured);
    EXPECT_TRUE(d.RowsSound());

    // The history still records afterwards.
    SetRemark(d, d.Mine->Branches.Items(0), QStringLiteral("после отказа"));
    EXPECT_EQ(d.History.Count(), 1);
}

INSTANTIATE_TEST_SUITE_P(Scopes, Rollback,
                         ::testing::Values(TEditScope::Objects, TEditScope::Structure, TEditScope::WholeMine));

TEST(EditHistory, NewNodeThatJoinsALooseBranchGivesItsLabelsBack)
{
    // Node 3 is missing: the branch to it waits for a node with that number.
    MineBuilder mb;
    mb.uzel(1, 0, 0);
    mb.uzel(2, 100, 0);
    mb.firePipe(1, 1, 2);
    TBranch* loose = mb.firePipe(2, 2, 3);
    HistoryDocument d(mb.take());
    const QByteArray before = d.Body();
    const TLabelOffset label = loose->NumberLabelOffset();
    {
        TEditTransaction tx(&d.History, QStringLiteral("Добавление узла"), TEditScope::Structure);
        TUzel* u = TableEdits::AddUzel(*d.Mine);
        ASSERT_EQ(u->Number(), 3);
        TableEdits::ApplyUzelCell(*u, upX, QStringLiteral("100"), TSchemaFrame());
        TableEdits::ApplyUzelCell(*u, upY, QStringLiteral("80"), TSchemaFrame());
        tx.Commit();
    }
    ASSERT_TRUE(loose->Linked());
    ASSERT_FALSE(loose->NumberLabelOffset() == label) << "the label turned with the branch";
    const QByteArray after = d.Body();

    ASSERT_TRUE(d.History.Undo());
    EXPECT_EQ(d.Body(), before);
    EXPECT_TRUE(loose->NumberLabelOffset() == label);
    ASSERT_TRUE(d.History.Redo());
    EXPECT_EQ(d.Body(), after);
}

TEST(EditHistory, SplitRedoneShowsItsPiecesInTheRowsTheyHad)
{
    MineBuilder mb;
    for (int i = 1; i <= 6; ++i)
        mb.uzel(i, 50.0 * i, 10.0 * i);
    for (int i = 1; i <= 5; ++i)
        mb.firePipe(i, i, i + 1);
    HistoryDocument d(mb.take());
    TBranch* second = d.Mine->Branches.Items(1);
    const TSplitPlan plan = BranchSplit::Plan(*d.Mine, *second, 2, TSplitNumbering::AfterMax, TSplitNumbering::AfterMax);
    {
        TEditTransaction tx(&d.History, QStringLiteral("Разделение ветви"), TEditScope::Structure);
        tx.Touch(second);
        BranchSplit::Execute(*d.Mine, plan);
        tx.Commit();
    }
    const QByteArray split = d.Body();
    const std::vector<uint64_t> rows = SerialsOf(d.Rows->BranchOrderVector());
    ASSERT_EQ(rows.size(), 7u);

    ASSERT_TRUE(d.History.Undo());
    d.Settle();
    ASSERT_TRUE(d.History.Redo());
    d.Settle();
    EXPECT_EQ(SerialsOf(d.Rows->BranchOrderVector()), rows);
    EXPECT_EQ(d.Body(), split);
    EXPECT_TRUE(d.RowsSound());
}

TEST(EditHistory, WholeMineTransformIsUndoneAsOneStep)
{
    HistoryDocument d(MineGenerator::Generate(120, 4));
    const QByteArray before = d.Body();
    TTransformRequest r;
    r.Kind = TTransformKind::Rotate;
    r.AngleDegrees = 30;
    r.SchemaFactor = SchemaFactor(kDefaultMapScale);
    {
        TEditTransaction tx(&d.History, QStringLiteral("Трансформация"));
        NodeTransform::Apply(*d.Mine, d.Mine->Uzels.ToVector(), r);
        tx.Commit();
    }
    const double maxX = d.Mine->MaxX();
    const QByteArray after = d.Body();
    ASSERT_NE(after, before);
    ASSERT_TRUE(d.History.Undo());
    EXPECT_EQ(d.Body(), before);
    ASSERT_TRUE(d.History.Redo());
    EXPECT_EQ(d.Body(), after);
    EXPECT_DOUBLE_EQ(d.Mine->MaxX(), maxX) << "the bounds follow the nodes";
}

TEST(EditHistory, WholeMineStepKeepsItsRecordsWithoutSlack)
{
    // Every node and branch changes; the step keeps each record before and after.
    HistoryDocument d(MineGenerator::Generate(2000, 6));
    const qsizetype body = d.Body().size();
    TTransformRequest r;
    r.Kind = TTransformKind::SwapXY;
    r.SchemaFactor = SchemaFactor(kDefaultMapScale);
    {
        TEditTransaction tx(&d.History, QStringLiteral("Трансформация"));
        NodeTransform::Apply(*d.Mine, d.Mine->Uzels.ToVector(), r);
        tx.Commit();
    }
    ASSERT_EQ(d.History.Count(), 1);
    EXPECT_GT(d.History.Step(0).Units.size(), static_cast<size_t>(d.Mine->Uzels.Count()));
    const double ratio = static_cast<double>(d.History.Footprint()) / static_cast<double>(body);
    EXPECT_LT(ratio, 4.0) << "twice the records and their bookkeeping, not the writers' spare room";
}

}  // namespace
