// The editing windows and the undo history: the device dialog's OK, the pipe window's fields
// and device deletion are one step each; a window bound to an object that an undo or redo
// takes away empties or closes itself, through chains of undo and redo over deletion and
// re-creation, and never reads the freed object.

#include "ui/document/DocumentTestSupport.h"

#include "core/file/NetworkFile.h"
#include "core/history/EditTransaction.h"
#include "core/model/Branch.h"
#include "core/model/Device.h"
#include "core/model/DeviceKinds.h"
#include "core/model/Mine.h"
#include "core/model/Pipe.h"
#include "core/model/Uzel.h"
#include "ui/app/DevicePanel.h"
#include "ui/app/MainForm.h"
#include "ui/editing/EditDeviceForm.h"
#include "ui/editing/EditPipeForm.h"
#include "ui/editing/PropertyWindows.h"

#include <QAction>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>

namespace {

class UndoWindows : public DocumentTest {
protected:
    void SetUp() override
    {
        doc = NewForm();
        ASSERT_TRUE(doc->OpenFile(WriteMine(QStringLiteral("w.irv"), [](MineBuilder& mb) {
            Line(mb);
            mb.device<TGate>(mb.mine().Branches.Items(1), dkGate, 0.5, 5);
        })));
        uncaptured = TEditTransaction::UncapturedTotal();
    }
    void TearDown() override
    {
        doc.reset();
        EXPECT_EQ(TEditTransaction::UncapturedTotal(), uncaptured) << "a change was made outside what was kept";
    }
    QByteArray Body() const
    {
        return NetworkFile::WriteBody(*doc->Mine(), doc->DocumentSettings(), doc->Rows().BranchOrderVector(), 17);
    }
    TBranch* BranchNo(int number) const
    {
        for (TBranch* b : doc->Mine()->Branches)
            if (b->Number() == number)
                return b;
        return nullptr;
    }
    TDevice* DeviceNo(int number) const
    {
        for (TBranch* b : doc->Mine()->Branches)
            for (TPipe* p : b->Pipes)
                for (TDevice* d : p->Devices)
                    if (d->Number() == number)
                        return d;
        return nullptr;
    }
    static void Type(QLineEdit* edit, const QString& text)
    {
        edit->setText(text);
        edit->setModified(true);
        emit edit->editingFinished();
    }
    TEditHistory& History() { return doc->History(); }

    std::unique_ptr<TChildForm> doc;
    int uncaptured = 0;
};

}  // namespace

// OK of the device dialog adds a device as one step "Добавление устройства", and changes one
// as "Изменение устройства"; undo takes each back to the file's bytes before it.
TEST_F(UndoWindows, DeviceDialogOkIsOneStep)
{
    const QByteArray before = Body();
    TEditDeviceForm adding(BranchNo(10), nullptr, dkGate, 0);
    adding.findChild<QSpinBox*>(QStringLiteral("numberSpin"))->setValue(9);
    Type(adding.findChild<QLineEdit*>(QStringLiteral("fromStart")), QStringLiteral("30"));
    ASSERT_TRUE(adding.Confirm());
    ASSERT_NE(DeviceNo(9), nullptr);
    EXPECT_EQ(History().UndoCaption(), QStringLiteral("Добавление устройства"));
    const QByteArray added = Body();

    TEditDeviceForm editing(nullptr, DeviceNo(9), 0, 0);
    Type(editing.findChild<QLineEdit*>(QStringLiteral("fromStart")), QStringLiteral("60"));
    ASSERT_TRUE(editing.Confirm());
    EXPECT_NEAR(DeviceNo(9)->Position(), 0.6, 1e-9);
    EXPECT_EQ(History().UndoCaption(), QStringLiteral("Изменение устройства"));
    EXPECT_EQ(History().Count(), 2);

    ASSERT_TRUE(History().Undo());
    EXPECT_EQ(Body(), added);
    ASSERT_TRUE(History().Undo());
    EXPECT_EQ(Body(), before);
    EXPECT_EQ(DeviceNo(9), nullptr);
}

// An open device dialog whose device an undo takes away lets go of it at once and closes as
// cancelled; so does one on the device re-created by a redo when the next undo takes it. Its
// fields then apply nothing.
TEST_F(UndoWindows, DeviceDialogClosesWhenItsDeviceIsUndone)
{
    {
        TEditDeviceForm adding(BranchNo(10), nullptr, dkGate, 0);
        adding.findChild<QSpinBox*>(QStringLiteral("numberSpin"))->setValue(9);
        Type(adding.findChild<QLineEdit*>(QStringLiteral("fromStart")), QStringLiteral("30"));
        ASSERT_TRUE(adding.Confirm());
    }
    for (int round = 0; round < 2; ++round) {
        TDevice* device = DeviceNo(9);
        ASSERT_NE(device, nullptr);
        TEditDeviceForm form(nullptr, device, 0, 0);
        form.show();
        Settle();
        ASSERT_TRUE(History().Undo());
        EXPECT_TRUE(form.Abandoned());
        EXPECT_EQ(form.Device(), nullptr);
        EXPECT_EQ(form.Branch(), nullptr);
        Type(form.findChild<QLineEdit*>(QStringLiteral("fromStart")), QStringLiteral("70"));
        EXPECT_FALSE(form.Confirm());
        Settle();
        EXPECT_FALSE(form.isVisible());
        EXPECT_EQ(form.result(), QDialog::Rejected);
        ASSERT_TRUE(History().Redo());
    }
    EXPECT_EQ(History().Count(), 1);
}

// A node property window empties itself when an undo removes its node (and the node's
// re-creation by a redo is another object: the window stays empty until it is bound to it);
// the branch window the same for its branch, through rounds of undo and redo.
TEST_F(UndoWindows, PropertyWindowsEmptyWhenUndoRemovesTheirObject)
{
    TMine& mine = *doc->Mine();
    {
        // A node and a branch to it, added as the tables add them.
        TEditTransaction tx(&History(), QStringLiteral("Добавление ветви"), TEditScope::Structure);
        TUzel::Create(&mine, 5);
        TBranch::Create(&mine, 50, 4, 5);
        tx.Commit();
    }
    TUzelPropForm uzel;
    TBranchPropForm branch({});
    for (int round = 0; round < 3; ++round) {
        ASSERT_NE(mine.FirstUzelWithNumber(5), nullptr);
        uzel.Bind(doc.get(), mine.FirstUzelWithNumber(5));
        branch.Bind(doc.get(), BranchNo(50));
        uzel.show();
        branch.show();
        EXPECT_EQ(uzel.windowTitle(), QStringLiteral("Узел № 5"));
        ASSERT_TRUE(History().Undo());
        EXPECT_EQ(uzel.Uzel(), nullptr);
        EXPECT_EQ(branch.Branch(), nullptr);
        uzel.grab();
        branch.grab();
        Settle();
        EXPECT_EQ(uzel.windowTitle(), QStringLiteral("Свойства узла"));
        EXPECT_EQ(branch.windowTitle(), QStringLiteral("Свойства ветви"));
        ASSERT_TRUE(History().Redo());
        Settle();
        EXPECT_EQ(uzel.Uzel(), nullptr);
    }
}

// The pipe window: a field left is one step, a device deleted is one step; their undo puts
// the file back, and the window shows the branch and devices as they are after each.
TEST_F(UndoWindows, PipeWindowChangesAreStepsAndFollowUndo)
{
    // The window follows the branch table's current branch, as when opened from it.
    doc->ShowBranch(BranchNo(20));
    TEditPipeForm window;
    window.resize(640, 560);
    window.Bind(doc.get(), BranchNo(20));
    window.show();
    Settle();
    const QByteArray before = Body();

    Type(window.findChild<QLineEdit*>(QStringLiteral("kEdit")), QStringLiteral("1.5"));
    EXPECT_EQ(History().UndoCaption(), QStringLiteral("Изменение трубопровода"));
    EXPECT_EQ(History().Count(), 1);

    ASSERT_EQ(window.ShownDevices().size(), 1u);
    window.SelectDevice(window.ShownDevices()[0]);
    messages.answers = {TMsgAnswer::Yes};
    window.DeleteDevice();
    EXPECT_EQ(DeviceNo(5), nullptr);
    EXPECT_EQ(History().UndoCaption(), QStringLiteral("Удаление устройства"));

    ASSERT_TRUE(History().Undo());
    Settle();
    ASSERT_EQ(window.ShownDevices().size(), 1u);
    EXPECT_EQ(window.ShownDevices()[0], DeviceNo(5));
    ASSERT_TRUE(History().Undo());
    Settle();
    EXPECT_EQ(Body(), before);
    EXPECT_EQ(window.Branch(), BranchNo(20));
    EXPECT_NE(window.findChild<QLineEdit*>(QStringLiteral("kEdit"))->text(), QStringLiteral("1.5"));
    ASSERT_TRUE(History().Redo());
    ASSERT_TRUE(History().Redo());
    Settle();
    EXPECT_TRUE(window.ShownDevices().empty());
}

// Gas pipes added and deleted and a water pipe laid (its box ticked) in the pipe window: one
// step each; undone, the branch is as the file had it and the window
// lists the pipes that are there.
TEST_F(UndoWindows, PipeWindowPipesComeAndGoByUndo)
{
    TEditPipeForm window;
    window.Bind(doc.get(), BranchNo(10));
    window.show();
    Settle();
    const QByteArray before = Body();
    auto* pipes = window.findChild<QListWidget*>(QStringLiteral("pipeList"));
    auto* add = window.findChild<QPushButton*>(QStringLiteral("addGasPipe"));
    ASSERT_TRUE(pipes && add);
    add->click();
    add->click();
    EXPECT_EQ(History().UndoCaption(), QStringLiteral("Добавление газопровода"));
    ASSERT_EQ(BranchNo(10)->Pipes.Count(), 5);
    pipes->setCurrentRow(3);
    messages.Answer(TMsgAnswer::Yes);
    window.findChild<QPushButton*>(QStringLiteral("deleteGasPipe"))->click();
    EXPECT_EQ(History().UndoCaption(), QStringLiteral("Удаление газопровода"));
    pipes->item(1)->setCheckState(Qt::Checked);
    EXPECT_EQ(History().UndoCaption(), QStringLiteral("Прокладка трубопровода"));
    EXPECT_EQ(History().Count(), 4);

    ASSERT_TRUE(History().Undo());
    ASSERT_TRUE(History().Undo());
    Settle();
    EXPECT_EQ(pipes->count(), 5) << "the deleted gas pipe is listed again";
    ASSERT_TRUE(History().GoTo(0));
    Settle();
    EXPECT_EQ(Body(), before);
    EXPECT_EQ(pipes->count(), 3);
    window.grab();
}

// The device panel's "delete" is one step, found through the main window's document; its
// undo brings the device back into the branch and the panel's list.
TEST_F(UndoWindows, DevicePanelDeleteIsUndone)
{
    doc.reset();
    TMainForm main(config);
    TChildForm* shown = main.OpenPath(WriteMine(QStringLiteral("m.irv"), [](MineBuilder& mb) {
        Line(mb);
        mb.device<TGate>(mb.mine().Branches.Items(1), dkGate, 0.5, 5);
    }));
    ASSERT_NE(shown, nullptr);
    TBranch* b20 = shown->Mine()->Branches.Items(1);
    shown->ShowBranch(b20);
    main.UpdateActions();
    main.DevicePanel()->DevBox()->setCurrentRow(0);
    messages.Answer(TMsgAnswer::Yes);
    main.Action(QStringLiteral("actDelDevice"))->trigger();
    ASSERT_EQ(b20->FirePipe()->Devices.Count(), 0);
    EXPECT_EQ(shown->History().UndoCaption(), QStringLiteral("Удаление устройства"));
    ASSERT_TRUE(shown->History().Undo());
    ASSERT_EQ(b20->FirePipe()->Devices.Count(), 1);
    EXPECT_EQ(b20->FirePipe()->Devices.Items(0)->Number(), 5);
    Settle();
    EXPECT_EQ(main.DevicePanel()->DevBox()->count(), 1);
}
