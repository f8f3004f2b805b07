#include "DocumentTestSupport.h"

#include "core/checks/MessageList.h"
#include "ui/document/DocumentClipboard.h"
#include "ui/document/MessagePanel.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QListView>
#include <QMimeData>
#include <gtest/gtest.h>

namespace {

using DocumentClipboardTest = DocumentTest;
using DocumentChecks = DocumentTest;

TEST_F(DocumentClipboardTest, TwoCopiedNodesArePastedIntoAnotherDocument)
{
    auto source = NewForm();
    ASSERT_TRUE(source->OpenFile(WriteMine(QStringLiteral("a.irv"), Line)));
    source->Rows().UzelAt(1)->SetSelected(true);
    source->Rows().UzelAt(3)->SetSelected(true);
    source->FocusGrid(source->UzelGrid());
    EXPECT_TRUE(source->CanCutCopy());
    EXPECT_EQ(source->CopyCaption(), QStringLiteral("&Копировать узлы (2)"));
    EXPECT_EQ(source->CutCaption(), QStringLiteral("&Вырезать узлы (2)"));
    source->CopyToClipboard();
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    ASSERT_NE(data, nullptr);
    EXPECT_TRUE(data->hasFormat(DocumentClipboard::kUzelsMime));
    // Plain text too: both descriptions, an empty line between them.
    EXPECT_EQ(data->text().count(QStringLiteral("Узел №")), 2);
    EXPECT_TRUE(data->text().contains(QStringLiteral("\r\n\r\n")));

    auto target = NewForm();
    EXPECT_TRUE(target->CanPaste());
    EXPECT_EQ(target->PasteCaption(), QStringLiteral("В&ставить узлы"));
    target->PasteFromClipboard();
    ASSERT_EQ(target->Mine()->Uzels.Count(), 2);
    const TUzel* a = target->Mine()->Uzels.Items(0);
    const TUzel* b = target->Mine()->Uzels.Items(1);
    EXPECT_EQ(a->Number(), 2);
    EXPECT_DOUBLE_EQ(a->X(), 100.0);
    EXPECT_EQ(b->Number(), 4);
    EXPECT_DOUBLE_EQ(b->X(), 300.0);
    EXPECT_TRUE(a->Selected());
    EXPECT_TRUE(b->Selected());
    EXPECT_EQ(target->UzelGrid()->currentIndex().row(), 1);
    EXPECT_TRUE(target->IsModified());
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(DocumentClipboardTest, CutBranchesAndPasteThemWithoutSeams)
{
    auto source = NewForm();
    ASSERT_TRUE(source->OpenFile(WriteMine(QStringLiteral("a.irv"), [](MineBuilder& mb) {
        Line(mb);
        TLayer::Create(mb.get());
        mb.mine().Branches.Items(0)->SetLayerIndex(0);
    })));
    source->FocusGrid(source->BranchGrid());
    source->BranchGrid()->SetCurrentCell(0, 0);  // nothing selected: the current branch goes
    EXPECT_EQ(source->CutCaption(), QStringLiteral("&Вырезать ветви (1)"));
    source->CutToClipboard();
    EXPECT_EQ(source->Mine()->Branches.Count(), 3);
    EXPECT_EQ(source->Rows().BranchCount(), 3);

    auto target = NewForm();
    TUzel::Create(target->Mine(), 1);
    TUzel::Create(target->Mine(), 2);
    TLayer::Create(target->Mine());
    EXPECT_EQ(target->PasteCaption(), QStringLiteral("В&ставить ветви"));
    target->PasteFromClipboard();
    ASSERT_EQ(target->Mine()->Branches.Count(), 1);
    const TBranch* b = target->Mine()->Branches.Items(0);
    EXPECT_EQ(b->Number(), 10);
    EXPECT_EQ(b->LayerIndex(), -1);
    EXPECT_NE(b->StartUzel(), nullptr);
    EXPECT_EQ(target->Rows().BranchCount(), 1);
}

TEST_F(DocumentClipboardTest, ADamagedBlockIsRefusedAsAWhole)
{
    auto target = NewForm();
    TUzel::Create(target->Mine(), 7)->SetSelected(true);
    Settle();
    auto* data = new QMimeData;
    QByteArray block("\x05\x00\x00\x00garbage", 11);
    data->setData(DocumentClipboard::kUzelsMime, block);
    QGuiApplication::clipboard()->setMimeData(data);
    target->PasteFromClipboard();
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].Caption, QStringLiteral("Ошибка"));
    EXPECT_EQ(target->Mine()->Uzels.Count(), 1);
    EXPECT_TRUE(target->Mine()->Uzels.Items(0)->Selected()) << "the selection stays as it was";
}

TEST_F(DocumentChecks, FindingsLeadToTheirObjectsAndSayWhenTheObjectIsGone)
{
    auto form = NewForm();
    ASSERT_TRUE(form->OpenFile(WriteMine(QStringLiteral("faults.irv"), [](MineBuilder& mb) {
        Line(mb);
        mb.uzel(9, 50, 50, 0);      // isolated node
        mb.branch(50, 4, 4);        // both ends at one node
    })));
    form->show();
    EXPECT_FALSE(form->MessagesVisible());
    form->CheckTopology();
    EXPECT_TRUE(form->MessagesVisible()) << "findings open the panel";
    EXPECT_EQ(form->Busy().Count(), 0);
    const TMessageList& list = form->Messages();
    int uzelLine = -1, branchLine = -1;
    for (int i = 0; i < list.Count(); ++i) {
        if (list.Line(i).Target == TMessageTarget::Uzel && uzelLine < 0)
            uzelLine = i;
        if (list.Line(i).Target == TMessageTarget::Branch && branchLine < 0)
            branchLine = i;
    }
    ASSERT_GE(uzelLine, 0);
    ASSERT_GE(branchLine, 0);
    EXPECT_GE(form->MessagePanel()->CurrentLine(), 0) << "the first line of the run is selected";

    form->GotoSource(uzelLine);
    ASSERT_NE(form->CurrentUzel(), nullptr);
    EXPECT_EQ(form->CurrentUzel()->Number(), 9);
    form->GotoSource(branchLine);
    ASSERT_NE(form->CurrentBranch(), nullptr);
    EXPECT_EQ(form->CurrentBranch()->Number(), 50);
    EXPECT_TRUE(messages.shown.empty());

    // The node goes; its finding says so instead of jumping anywhere.
    form->UzelGrid()->SetCurrentCell(form->Rows().UzelRow(form->CurrentUzel()), 0);
    messages.Answer(TMsgAnswer::Yes);
    form->DeleteUzel();
    ASSERT_EQ(messages.shown.size(), 1u);
    form->GotoSource(uzelLine);
    ASSERT_EQ(messages.shown.size(), 2u);
    EXPECT_EQ(messages.shown[1].Text, QStringLiteral("Узел не найден"));
    EXPECT_EQ(messages.shown[1].Caption, QStringLiteral("Сообщение"));

    form->BranchGrid()->SetCurrentCell(form->Rows().BranchRow(form->CurrentBranch()), 0);
    messages.Answer(TMsgAnswer::Yes);
    form->DeleteBranch();
    form->GotoSource(branchLine);
    EXPECT_EQ(messages.LastText(), QStringLiteral("Выработка не найдена"));
}

TEST_F(DocumentChecks, GoingToAFilteredOutNodeShowsAllNodes)
{
    auto form = NewForm();
    ASSERT_TRUE(form->OpenFile(WriteMine(QStringLiteral("iso.irv"), [](MineBuilder& mb) {
        Line(mb);
        mb.uzel(9, 50, 50, 0);
    })));
    form->SetUzelFilter(1);
    EXPECT_EQ(form->Rows().UzelCount(), 0);
    form->CheckTopology();
    int line = -1;
    for (int i = 0; i < form->Messages().Count(); ++i)
        if (form->Messages().Line(i).Target == TMessageTarget::Uzel)
            line = i;
    ASSERT_GE(line, 0);
    form->GotoSource(line);
    EXPECT_EQ(form->UzelFilter(), 0);
    EXPECT_EQ(form->CurrentUzel()->Number(), 9);
}

// A check that finds nothing still answers: the panel opens on its "Ok" lines.
TEST_F(DocumentChecks, CleanMineOpensThePanelOnItsOkLines)
{
    auto form = NewForm();
    ASSERT_TRUE(form->OpenFile(WriteMine(QStringLiteral("clean.irv"), Line)));
    form->CheckTopology();
    EXPECT_TRUE(form->MessagesVisible());
    EXPECT_GT(form->Messages().Count(), 0);
    EXPECT_TRUE(form->Messages().Line(0).Text.endsWith(QStringLiteral("Ok")));
    EXPECT_EQ(form->MessagePanel()->CurrentLine(), 0);
    form->SetMessagesVisible(false);
    form->CheckPipeline();
    EXPECT_TRUE(form->MessagesVisible());
    form->FindFreeNumbers();
    EXPECT_TRUE(form->MessagesVisible());
    form->ClearAllMessages();
    EXPECT_EQ(form->Messages().Count(), 0);
    EXPECT_EQ(form->MessagePanel()->ListView()->model()->rowCount(), 0);
}

}  // namespace
