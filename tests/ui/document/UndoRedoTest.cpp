// Undo and redo of the document window: the modified flag against the saved point, the table
// commands as single steps that undo to the very bytes the file would hold, the commands of
// the main window and the history window.

#include "DocumentTestSupport.h"

#include "core/file/NetworkFile.h"
#include "core/history/EditTransaction.h"
#include "core/model/Branch.h"
#include "core/model/ListSorting.h"
#include "core/model/Mine.h"
#include "core/model/Uzel.h"
#include "ui/app/MainForm.h"
#include "ui/document/GridModel.h"
#include "ui/document/GridView.h"
#include "ui/document/HistoryForm.h"
#include "ui/support/Pictures.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QTest>
#include <QToolBar>
#include <QToolButton>

namespace {

class UndoRedo : public DocumentTest {
protected:
    void Open(TChildForm& form)
    {
        ASSERT_TRUE(form.OpenFile(WriteMine(QStringLiteral("line.irv"), Line)));
        form.show();
        Settle();
    }

    // What the network file would hold of the document now.
    static QByteArray Body(TChildForm& form)
    {
        return NetworkFile::WriteBody(*form.Mine(), form.DocumentSettings(), form.Rows().BranchOrderVector(), 17);
    }

    static QStringList Captions(const TEditHistory& history)
    {
        QStringList out;
        for (int i = 0; i < history.Count(); ++i)
            out << history.Step(i).Caption;
        return out;
    }
};

TEST_F(UndoRedo, TheModifiedFlagFollowsTheSavedPoint)
{
    const int uncaptured = TEditTransaction::UncapturedTotal();
    auto form = NewForm();
    Open(*form);
    ASSERT_FALSE(form->IsModified());
    EXPECT_FALSE(form->CanUndo());

    TypeInto(*form, form->UzelGrid(), 1, upX, QStringLiteral("12,5"));
    EXPECT_TRUE(form->IsModified());
    EXPECT_EQ(form->History().UndoCaption(), QStringLiteral("Изменение ячейки"));

    // Back at the state the file keeps: not modified, neither is the window's mark.
    ASSERT_TRUE(form->Undo());
    EXPECT_DOUBLE_EQ(form->Rows().UzelAt(1)->X(), 100.0);
    EXPECT_FALSE(form->IsModified());
    EXPECT_FALSE(form->isWindowModified());
    EXPECT_TRUE(form->StatusText(3).isEmpty());

    ASSERT_TRUE(form->Redo());
    EXPECT_DOUBLE_EQ(form->Rows().UzelAt(1)->X(), 12.5);
    EXPECT_TRUE(form->IsModified());
    EXPECT_EQ(form->StatusText(3), ChildFormTexts::kModified);

    // Saving marks the point: undoing leaves it, redoing comes back to it.
    ASSERT_TRUE(form->SaveFile(false));
    EXPECT_FALSE(form->IsModified());
    ASSERT_TRUE(form->Undo());
    EXPECT_TRUE(form->IsModified());
    ASSERT_TRUE(form->Redo());
    EXPECT_FALSE(form->IsModified());

    // A change after an undo to the saved point is a change again.
    ASSERT_TRUE(form->Undo());
    ASSERT_TRUE(form->Redo());
    ASSERT_FALSE(form->IsModified());
    TypeInto(*form, form->UzelGrid(), 2, upY, QStringLiteral("7"));
    EXPECT_TRUE(form->IsModified());
    EXPECT_FALSE(form->CanRedo()) << "a new step ends the undone ones";

    // A refused value is no step and no change.
    const int steps = form->History().Count();
    TypeInto(*form, form->BranchGrid(), 0, bpFirePWall, QStringLiteral("75"));
    ASSERT_FALSE(messages.shown.empty());
    EXPECT_EQ(form->History().Count(), steps);
    EXPECT_EQ(TEditTransaction::UncapturedTotal(), uncaptured);
}

TEST_F(UndoRedo, AChangeBesideTheHistoryKeepsTheDocumentModified)
{
    auto form = NewForm();
    Open(*form);
    // A colour mode is no step of the history, yet the file keeps it.
    form->SetColorMode(1);
    TypeInto(*form, form->UzelGrid(), 0, upZ, QStringLiteral("3"));
    ASSERT_TRUE(form->Undo());
    EXPECT_TRUE(form->IsModified());
}

TEST_F(UndoRedo, NoStepIsTakenWhileACheckRuns)
{
    auto form = NewForm();
    Open(*form);
    TypeInto(*form, form->UzelGrid(), 1, upX, QStringLiteral("55"));
    form->Busy().Raise();
    EXPECT_FALSE(form->CanUndo());
    EXPECT_FALSE(form->Undo());
    EXPECT_FALSE(form->GoToStep(0));
    EXPECT_DOUBLE_EQ(form->Rows().UzelAt(1)->X(), 55.0);
    EXPECT_EQ(form->History().Position(), 1);
    form->Busy().Lower();
    EXPECT_TRUE(form->Undo());
    EXPECT_DOUBLE_EQ(form->Rows().UzelAt(1)->X(), 100.0);
}

// Every table command is one step; undoing them all gives the very bytes the file held, redoing
// them all the bytes after.
TEST_F(UndoRedo, TableCommandsUndoToTheWrittenBodyByteForByte)
{
    const int uncaptured = TEditTransaction::UncapturedTotal();
    auto form = NewForm();
    Open(*form);
    const QByteArray before = Body(*form);

    form->AddUzel();
    form->AddBranch();
    form->ToggleSurface();
    form->FocusGrid(form->BranchGrid());
    form->BranchGrid()->SetCurrentCell(form->Rows().BranchRow(form->Mine()->Branches.Items(1)), 0);
    messages.Answer(TMsgAnswer::Yes);
    form->DeleteBranch();
    // Node 1 with its branches.
    form->ShowUzel(form->Mine()->Uzels.Items(0));
    messages.Answer(TMsgAnswer::No);
    form->DeleteUzel();
    form->SortUzels(upX);
    form->SortUzels(upX);
    form->SortBranches(bsoLength);
    TBranch* thirty = nullptr;
    for (TBranch* b : form->Mine()->Branches)
        if (b->Number() == 30)
            thirty = b;
    ASSERT_NE(thirty, nullptr);
    form->ToggleFirePipeLaid(thirty);
    // Cut and paste a branch.
    form->FocusGrid(form->BranchGrid());
    form->BranchGrid()->SetCurrentCell(form->Rows().BranchRow(thirty), 0);
    form->CutToClipboard();
    form->PasteFromClipboard();
    Settle();
    EXPECT_EQ(TEditTransaction::UncapturedTotal(), uncaptured);

    const QStringList captions = Captions(form->History());
    EXPECT_EQ(captions,
              (QStringList{QStringLiteral("Добавление узла"), QStringLiteral("Добавление ветви"),
                           QStringLiteral("Поверхностный узел"), QStringLiteral("Удаление ветви"),
                           QStringLiteral("Удаление узла и ветвей (2)"), QStringLiteral("Сортировка узлов"),
                           QStringLiteral("Сортировка узлов"), QStringLiteral("Сортировка ветвей"),
                           QStringLiteral("Изменение ячейки"), QStringLiteral("Вырезание ветвей (1)"),
                           QStringLiteral("Вставка")}));
    const QByteArray after = Body(*form);
    ASSERT_NE(after, before);

    while (form->CanUndo())
        ASSERT_TRUE(form->Undo());
    EXPECT_EQ(Body(*form), before);
    EXPECT_EQ(form->Rows().UzelCount(), 4);
    EXPECT_EQ(form->Rows().BranchCount(), 4);
    EXPECT_FALSE(form->IsModified());
    while (form->CanRedo())
        ASSERT_TRUE(form->Redo());
    EXPECT_EQ(Body(*form), after);
    EXPECT_TRUE(form->IsModified());
    // One walk back and forth does the same.
    ASSERT_TRUE(form->GoToStep(0));
    EXPECT_EQ(Body(*form), before);
    ASSERT_TRUE(form->GoToStep(form->History().Count()));
    EXPECT_EQ(Body(*form), after);
    EXPECT_EQ(TEditTransaction::UncapturedTotal(), uncaptured);
}

TEST_F(UndoRedo, TheNumberPickersNumberIsOneStep)
{
    const int uncaptured = TEditTransaction::UncapturedTotal();
    auto form = NewForm();
    Open(*form);
    TGridView* grid = form->BranchGrid();
    form->FocusGrid(grid);
    form->SetEditorMode(true);
    const QModelIndex number = grid->model()->index(2, Column(grid, bpNum));
    grid->setCurrentIndex(number);
    grid->edit(number);
    ASSERT_TRUE(form->NumberPicker()->isVisible());
    form->GiveNumberToCell(77);
    Settle();
    EXPECT_EQ(form->Rows().BranchAt(2)->Number(), 77);
    EXPECT_EQ(form->History().Count(), 1);
    ASSERT_TRUE(form->Undo());
    EXPECT_EQ(form->Rows().BranchAt(2)->Number(), 30);
    EXPECT_EQ(TEditTransaction::UncapturedTotal(), uncaptured);
}

TEST_F(UndoRedo, AMapScaleStepPutsBackTheSchemaFrameAndThePositions)
{
    auto form = NewForm();
    Open(*form);
    form->SetOrigin(5, -7);
    form->SaveFile(false);
    const QByteArray before = Body(*form);
    const TSchemaFrame frame = form->SchemaFrame();
    config.Scale2D = config.Scale2D == 1000 ? 2000 : 1000;
    form->ApplySettings();
    ASSERT_EQ(form->History().UndoCaption(), QStringLiteral("Масштаб карты"));
    ASSERT_NE(form->SchemaFrame().F, frame.F);
    ASSERT_TRUE(form->Undo());
    EXPECT_EQ(Body(*form), before);
    EXPECT_EQ(form->SchemaFrame().F, frame.F);
    EXPECT_EQ(form->OX(), frame.OX);
    EXPECT_EQ(form->OY(), frame.OY);
    EXPECT_FALSE(form->IsModified());
    ASSERT_TRUE(form->Redo());
    EXPECT_EQ(form->SchemaFrame().F, SchemaFactor(config.Scale2D));
}

class UndoCommands : public UndoRedo {
protected:
    void SetUp() override
    {
        main = std::make_unique<TMainForm>(config);
        main->resize(1100, 700);
        main->show();
        QApplication::setActiveWindow(main.get());
        doc = main->OpenPath(WriteMine(QStringLiteral("line.irv"), Line));
        ASSERT_NE(doc, nullptr);
        Settle();
    }
    void TearDown() override
    {
        // The edited document closes without a question.
        messages.Answer(TMsgAnswer::No);
        main.reset();
    }

    QAction* Undo() const { return main->Action(QStringLiteral("actUndo")); }
    QAction* Redo() const { return main->Action(QStringLiteral("actRedo")); }

    std::unique_ptr<TMainForm> main;
    TChildForm* doc = nullptr;
};

TEST_F(UndoCommands, CtrlZUndoesACellAndTheTableShowsTheOldValue)
{
    EXPECT_FALSE(Undo()->isEnabled());
    EXPECT_EQ(Undo()->text(), QStringLiteral("&Отменить"));
    EXPECT_EQ(Redo()->shortcuts(), (QList<QKeySequence>{QKeySequence(QStringLiteral("Ctrl+Y")),
                                                        QKeySequence(QStringLiteral("Ctrl+Shift+Z"))}));
    const QString old = Text(doc->UzelGrid(), 1, upX);
    TypeInto(*doc, doc->UzelGrid(), 1, upX, QStringLiteral("12,5"));
    const QString edited = Text(doc->UzelGrid(), 1, upX);
    doc->SetEditorMode(false);
    main->UpdateActions();
    ASSERT_TRUE(Undo()->isEnabled());
    EXPECT_EQ(Undo()->text(), QStringLiteral("&Отменить Изменение ячейки"));
    ASSERT_NE(Text(doc->UzelGrid(), 1, upX), old);

    QTest::keyClick(doc->UzelGrid(), Qt::Key_Z, Qt::ControlModifier);
    Settle();
    EXPECT_EQ(Text(doc->UzelGrid(), 1, upX), old);
    EXPECT_FALSE(Undo()->isEnabled());
    EXPECT_EQ(Redo()->text(), QStringLiteral("&Повторить Изменение ячейки"));
    QTest::keyClick(doc->UzelGrid(), Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    Settle();
    EXPECT_EQ(Text(doc->UzelGrid(), 1, upX), edited);
    EXPECT_TRUE(Undo()->isEnabled());

    // A check running: the commands wait.
    doc->Busy().Raise();
    main->UpdateActions();
    EXPECT_FALSE(Undo()->isEnabled());
    Undo()->trigger();
    EXPECT_TRUE(doc->History().CanUndo());
    doc->Busy().Lower();
}

TEST_F(UndoCommands, TheHistoryWindowListsTheStepsAndWalksToAClickedOne)
{
    doc->History().SetLimits(3, TEditHistory::kMaxBytes);
    for (const char* x : {"1", "2", "3", "4"})
        TypeInto(*doc, doc->UzelGrid(), 1, upX, QString::fromLatin1(x));
    doc->AddUzel();
    Settle();
    main->Action(QStringLiteral("actHistory"))->trigger();
    THistoryForm* history = main->HistoryWindow();
    ASSERT_NE(history, nullptr);
    EXPECT_TRUE(history->isVisible());
    EXPECT_EQ(history->Document(), doc);
    QListWidget* list = history->List();
    ASSERT_EQ(list->count(), 4);
    EXPECT_TRUE(list->item(0)->text().contains(QStringLiteral("(исходное состояние)")));
    EXPECT_TRUE(list->item(3)->text().contains(QStringLiteral("Добавление узла")));
    EXPECT_TRUE(list->item(3)->font().bold());
    EXPECT_TRUE(history->DroppedLine()->isVisibleTo(history));
    EXPECT_EQ(history->DroppedLine()->text(), QStringLiteral("Ранние правки забыты: 2"));

    // A click on the second row: two steps undone, shown grey, the row marked.
    const QRect row = list->visualItemRect(list->item(1));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, row.center());
    Settle();
    EXPECT_EQ(doc->History().Position(), 1);
    EXPECT_EQ(doc->Rows().UzelAt(1)->X(), 3.0);
    EXPECT_EQ(doc->Rows().UzelCount(), 4);
    ASSERT_EQ(list->count(), 4);
    EXPECT_TRUE(list->item(1)->font().bold());
    EXPECT_FALSE(list->item(3)->font().bold());
    EXPECT_NE(list->item(3)->foreground().color(), list->item(1)->foreground().color());

    // The picture: the frame with the Правка menu open, its toolbar, the history window.
    doc->SetEditorMode(false);
    main->UpdateActions();
    QMenu* edit = nullptr;
    for (QAction* top : main->menuBar()->actions())
        if (top->menu() && top->menu()->objectName() == QStringLiteral("EditMenu"))
            edit = top->menu();
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(edit->actions().value(0), Undo());
    edit->popup(main->mapToGlobal(QPoint(40, main->menuBar()->height())));
    history->move(main->mapToGlobal(QPoint(main->width() - history->width() - 20, 90)));
    Settle();
    QImage frame = main->grab().toImage();
    {
        QPainter p(&frame);
        const qreal ratio = frame.devicePixelRatio();
        p.scale(1 / ratio, 1 / ratio);
        p.drawImage(main->mapFromGlobal(edit->pos()) * ratio, edit->grab().toImage());
        p.drawImage(main->mapFromGlobal(history->pos()) * ratio, history->grab().toImage());
    }
    edit->hide();
    QLabel shown;
    shown.setPixmap(QPixmap::fromImage(frame));
    shown.resize(frame.size() / frame.devicePixelRatio());
    const QImage picture = Pictures::Take(&shown, QStringLiteral("undo-history"));
    const QImage historyPicture = Pictures::Take(history, QStringLiteral("history-window"));
    const QImage bar = Pictures::Take(main->ToolBars().front(), QStringLiteral("standard-toolbar"));
    for (QAction* a : {Undo(), Redo(), main->Action(QStringLiteral("actHistory"))}) {
        QWidget* button = main->ToolBars().front()->widgetForAction(a);
        ASSERT_NE(button, nullptr) << a->objectName().toStdString();
        EXPECT_GT(Pictures::InkPixels(bar, Pictures::AreaOf(button, main->ToolBars().front(), bar)), 20);
    }
    EXPECT_GT(Pictures::InkPixels(historyPicture, Pictures::AreaOf(list->viewport(), history, historyPicture)), 200);
    EXPECT_FALSE(picture.isNull());

    // The window follows the document: closed, nothing is listed.
    messages.Answer(TMsgAnswer::No);
    main->MdiArea()->closeAllSubWindows();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    Settle();
    EXPECT_EQ(history->Document(), nullptr);
    EXPECT_EQ(list->count(), 1);
}

}  // namespace
