// The service dialogs as steps of the document's undo history: each run from its command is
// one step with its caption, undone to the very bytes the file had and redone to the bytes it
// made; a refused or failed run leaves the mine as it was and no step.

#include "ui/document/DocumentTestSupport.h"

#include "core/history/EditTransaction.h"
#include "core/model/Errors.h"
#include "core/model/Layer.h"
#include "ui/app/MainForm.h"
#include "ui/editing/BranchBreakForm.h"
#include "ui/editing/EditDiamColorsForm.h"
#include "ui/editing/EditLayersForm.h"
#include "ui/editing/PropertyForm.h"
#include "ui/editing/RenumDevForm.h"
#include "ui/editing/ServiceSteps.h"
#include "ui/editing/TransForm.h"
#include "ui/editing/WallThickForm.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QSpinBox>
#include <QTimer>

namespace {

constexpr int kNewWall = 4;  // the wall form's "Новая толщина" column

// Runs fn on the modal dialog of type T once it is open.
template <typename T>
void WhenOpen(std::function<void(T*)> fn)
{
    QTimer::singleShot(0, [fn] {
        auto* form = qobject_cast<T*>(QApplication::activeModalWidget());
        ASSERT_NE(form, nullptr);
        fn(form);
    });
}

class ServiceTest : public DocumentTest {
protected:
    // The line of four nodes with two seams (branch 10 on the second), a plan position, and
    // two hydrants numbered 7 and 9 on the fire-fighting pipes of branches 20 and 30.
    static void ServiceMine(MineBuilder& mb)
    {
        Line(mb);
        TMine& mine = mb.mine();
        for (const char* name : {"k1", "k2"})
            TLayer::Create(&mine)->SetName(QString::fromUtf8(name));
        mine.Branches.Items(0)->SetLayerIndex(1);
        TPLFPosition::Create(&mine)->SetName(QStringLiteral("1"));
        mb.device<TCrane>(mine.Branches.Items(1), dkCrane, 0.5, 7);
        mb.device<TCrane>(mine.Branches.Items(2), dkCrane, 0.5, 9);
    }
};

QByteArray Body(TChildForm& doc)
{
    return NetworkFile::WriteBody(*doc.Mine(), doc.DocumentSettings(), doc.Rows().BranchOrderVector(), 17);
}

struct TServiceRun {
    const char* Name;
    const char* Action;
    QString Caption;
    // Makes the dialog do its work once the command has opened it.
    std::function<void(TChildForm&, ScriptedMessages&)> Script;
};

class ServiceUndo : public ServiceTest, public ::testing::WithParamInterface<TServiceRun> {};

TEST_P(ServiceUndo, OneRunIsOneStepUndoneAndRedoneByteForByte)
{
    const TServiceRun& run = GetParam();
    TMainForm main(config);
    TChildForm* doc = main.OpenPath(WriteMine(QStringLiteral("s.irv"), ServiceMine));
    ASSERT_NE(doc, nullptr);
    const QByteArray before = Body(*doc);
    const int uncaptured = TEditTransaction::UncapturedTotal();

    run.Script(*doc, messages);
    main.UpdateActions();
    QAction* action = main.Action(QString::fromUtf8(run.Action));
    ASSERT_TRUE(action->isEnabled());
    action->trigger();
    Settle();
    const QByteArray after = Body(*doc);
    ASSERT_NE(after, before);
    ASSERT_EQ(doc->History().Count(), 1);
    EXPECT_EQ(doc->History().UndoCaption(), run.Caption);

    ASSERT_TRUE(doc->History().Undo());
    Settle();
    EXPECT_EQ(Body(*doc), before);
    ASSERT_TRUE(doc->History().Redo());
    Settle();
    EXPECT_EQ(Body(*doc), after);
    ASSERT_TRUE(doc->History().Undo());
    Settle();
    EXPECT_EQ(Body(*doc), before);
    EXPECT_EQ(TEditTransaction::UncapturedTotal(), uncaptured);
    doc->SetModified(false);
}

const TServiceRun kRuns[] = {
    {"Transform", "actTransform", ServiceSteps::kTransform,
     [](TChildForm&, ScriptedMessages&) {
         WhenOpen<TTransForm>([](TTransForm* form) {
             form->Pages()->setCurrentIndex(0);
             form->WholeMine()->setChecked(true);
             form->ShiftField(0)->setText(QStringLiteral("100"));
             form->accept();
         });
     }},
    {"Split", "actBranchBreak", ServiceSteps::kSplit,
     [](TChildForm& doc, ScriptedMessages&) {
         doc.ShowBranch(doc.Mine()->Branches.Items(1));
         WhenOpen<TBranchBreakForm>([](TBranchBreakForm* form) {
             form->CountBox()->setValue(2);
             form->accept();
         });
     }},
    {"Renumber", "actRenumDevices", ServiceSteps::kRenumber,
     [](TChildForm&, ScriptedMessages&) {
         WhenOpen<TfrmRenumDev>([](TfrmRenumDev* form) {
             form->AfterMaxButton()->setChecked(true);
             form->accept();
         });
     }},
    {"Walls", "actAutoSetWallWidth", ServiceSteps::kWalls,
     [](TChildForm&, ScriptedMessages&) {
         WhenOpen<TAutoSetWallThickForm>([](TAutoSetWallThickForm* form) {
             ASSERT_TRUE(form->TakeCell(0, kNewWall, QStringLiteral("6")));
             ASSERT_TRUE(form->ApplyGroups());
             form->accept();
         });
     }},
    {"DiamColors", "actEditDiamColors", ServiceSteps::kDiamColors,
     [](TChildForm&, ScriptedMessages&) {
         WhenOpen<TfrmEditDiamColors>([](TfrmEditDiamColors* form) {
             form->List()->setCurrentRow(0);
             form->ColorSelected(QColor(10, 20, 30));
             form->accept();
         });
     }},
    {"AddSeam", "actEditLayers", ServiceSteps::kAddSeam,
     [](TChildForm&, ScriptedMessages&) {
         WhenOpen<TEditLayersForm>([](TEditLayersForm* form) {
             form->AddNamed(QStringLiteral("k3"));
             form->accept();
         });
     }},
    // The branches of a removed seam change too: the whole mine comes back.
    {"RemoveSeam", "actEditLayers", ServiceSteps::kRemoveSeam,
     [](TChildForm&, ScriptedMessages& messages) {
         messages.Answer(TMsgAnswer::Yes);
         WhenOpen<TEditLayersForm>([](TEditLayersForm* form) {
             form->List()->setCurrentRow(0);
             form->RemoveSelected();
             form->accept();
         });
     }},
    {"PositionColor", "actEditPLF", ServiceSteps::kPositionColor,
     [](TChildForm&, ScriptedMessages&) {
         WhenOpen<TEditLayersForm>([](TEditLayersForm* form) {
             form->List()->setCurrentRow(0);
             form->ColorSelected(QColor(200, 0, 0));
             form->accept();
         });
     }},
    {"MineProperties", "actMineProperties", ServiceSteps::kMineProperties,
     [](TChildForm&, ScriptedMessages&) {
         WhenOpen<TPropertyForm>([](TPropertyForm* form) {
             form->NameEdit()->setText(QStringLiteral("Северная"));
             form->accept();
         });
     }},
};

INSTANTIATE_TEST_SUITE_P(Services, ServiceUndo, ::testing::ValuesIn(kRuns),
                         [](const ::testing::TestParamInfo<TServiceRun>& info) { return info.param.Name; });

class ServiceFailure : public ServiceTest {
protected:
    void SetUp() override
    {
        doc = NewForm();
        ASSERT_TRUE(doc->OpenFile(WriteMine(QStringLiteral("f.irv"), ServiceMine)));
        before = Body(*doc);
        uncaptured = TEditTransaction::UncapturedTotal();
    }
    void TearDown() override
    {
        if (!doc)
            return;
        Settle();
        EXPECT_EQ(Body(*doc), before);
        EXPECT_EQ(doc->History().Count(), 0);
        EXPECT_EQ(TEditTransaction::UncapturedTotal(), uncaptured);
        doc->SetModified(false);
    }

    std::unique_ptr<TChildForm> doc;
    QByteArray before;
    int uncaptured = 0;
};

TEST_F(ServiceFailure, RefusedSplitWallsAndTransformChangeNothing)
{
    TMine& mine = *doc->Mine();
    {
        TBranchBreakForm form(mine, *mine.Branches.Items(1));
        form.SetHistory(&doc->History());
        form.CountBox()->setValue(2);
        form.Plan().Nodes[1].T = form.Plan().Nodes[0].T;
        form.accept();
        EXPECT_EQ(form.result(), QDialog::Rejected);
        EXPECT_TRUE(form.Pieces().empty());
    }
    {
        TAutoSetWallThickForm form(mine);
        form.SetHistory(&doc->History());
        ASSERT_TRUE(form.TakeCell(0, kNewWall, QStringLiteral("75")));
        EXPECT_FALSE(form.ApplyGroups());
        EXPECT_EQ(messages.LastText(), QStringLiteral("Неверная величина диаметра или толщины стенки"));
    }
    {
        TTransForm form(mine, false, nullptr, 1.9);
        form.SetHistory(&doc->History());
        form.Pages()->setCurrentIndex(0);
        form.ScaleBox()->setChecked(true);
        form.ScaleField(0)->setText(QStringLiteral("0"));
        form.accept();
        EXPECT_EQ(form.result(), QDialog::Rejected);
        EXPECT_EQ(messages.LastText(), QStringLiteral("Коэффициент увеличения не может быть равен нулю"));
    }
}

// A renumbering that stops after it has renumbered a hydrant is taken back whole before the
// error is shown.
TEST_F(ServiceFailure, RenumberingThatFailsMidwayIsPutBack)
{
    TMine& mine = *doc->Mine();
    int notices = 0;
    bool armed = true;
    const int token = mine.Subscribe([&](TMine*, bool) {
        if (armed && ++notices == 2) {
            armed = false;
            throw Exception(QStringLiteral("сбой"));
        }
    });
    TfrmRenumDev form(mine);
    form.SetHistory(&doc->History());
    form.AfterMaxButton()->setChecked(true);
    form.accept();
    mine.Unsubscribe(token);
    EXPECT_FALSE(armed);
    EXPECT_EQ(messages.LastText(), QStringLiteral("сбой"));
    EXPECT_EQ(form.result(), QDialog::Rejected);
}

}  // namespace
