// The main window's device and pipe commands.

#include "ui/document/DocumentTestSupport.h"

#include "ui/app/DevicePanel.h"
#include "ui/app/MainForm.h"
#include "ui/editing/DeviceChoosers.h"
#include "ui/editing/EditPipeForm.h"

#include <QAction>
#include <QListWidget>
#include <QMdiArea>

namespace {

class EditingCommands : public DocumentTest {};

TEST_F(EditingCommands, PipeWindowFollowsTheDocumentAndGoesWithIt)
{
    const QString path = WriteMine(QStringLiteral("p.irv"), [](MineBuilder& mb) {
        Line(mb);
        mb.device<TGate>(mb.mine().Branches.Items(1), dkGate, 0.5, 5);
    });
    auto main = std::make_unique<TMainForm>(config);
    TChildForm* doc = main->OpenPath(path);
    ASSERT_NE(doc, nullptr);
    TMine& mine = *doc->Mine();
    TBranch* b20 = mine.Branches.Items(1);
    doc->ShowBranch(b20);
    main->UpdateActions();

    // The device dialog reaches the pump and reducer databases through the main window.
    EXPECT_TRUE(DeviceChoosers::PumpChooser());
    EXPECT_TRUE(DeviceChoosers::ReducerChooser());

    QAction* pipe = main->Action(QStringLiteral("actEditPipe"));
    ASSERT_TRUE(pipe->isVisible());
    EXPECT_EQ(pipe->shortcut(), QKeySequence(QStringLiteral("Ctrl+E")));
    pipe->trigger();
    QPointer<TEditPipeForm> window = main->PipeEditor();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->Branch(), b20);

    // The device panel's delete command asks first.
    main->DevicePanel()->DevBox()->setCurrentRow(0);
    QAction* del = main->Action(QStringLiteral("actDelDevice"));
    ASSERT_TRUE(del->isEnabled());
    messages.Answer(TMsgAnswer::Yes);
    del->trigger();
    EXPECT_EQ(messages.LastText(), QStringLiteral("Удалить Задвижка 5?"));
    EXPECT_EQ(b20->FirePipe()->Devices.Count(), 0);

    // Its branch deleted from the table: the window shows the branch that is current then.
    messages.Answer(TMsgAnswer::Yes);
    doc->DeleteBranch();
    Settle();
    ASSERT_NE(window, nullptr);
    EXPECT_NE(window->Branch(), nullptr);
    EXPECT_EQ(window->Branch(), doc->CurrentBranch());

    // The document closes: so does the window.
    doc->SetModified(false);
    main->MdiArea()->closeAllSubWindows();
    Settle();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(window, nullptr);
    main.reset();
    EXPECT_FALSE(DeviceChoosers::PumpChooser()) << "the hooks go with the main window";
}

}  // namespace
