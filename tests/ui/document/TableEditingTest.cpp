#include "DocumentTestSupport.h"

#include "core/model/Layer.h"
#include "ui/document/BranchTableModel.h"
#include "ui/document/GridDelegate.h"
#include "ui/document/GridHeader.h"
#include "ui/document/GridView.h"
#include "ui/support/Pictures.h"
#include "ui/document/GridModel.h"
#include "ui/document/UzelTableModel.h"

#include <QHeaderView>
#include <QLineEdit>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

namespace {

class TableEditing : public DocumentTest {
protected:
    void SetUp() override
    {
        form = NewForm();
        ASSERT_TRUE(form->OpenFile(WriteMine(QStringLiteral("line.irv"), Line)));
        form->show();
        Settle();
    }

    TGridModel* ModelOf(TGridView* grid) { return grid->GridModel(); }
    // Types into a cell of this test's window.
    void TypeInto(TGridView* grid, int row, int param, const QString& typed)
    {
        DocumentTest::TypeInto(*form, grid, row, param, typed);
    }
    TBranch* Branch(int row) { return form->Rows().BranchAt(row); }

    std::unique_ptr<TChildForm> form;
};

TEST_F(TableEditing, ValidTextIsAppliedAndConvertedSeparatorsAccepted)
{
    TypeInto(form->UzelGrid(), 1, upX, QStringLiteral("12,5"));
    EXPECT_DOUBLE_EQ(form->Rows().UzelAt(1)->X(), 12.5);
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_TRUE(form->IsModified());
    // Characters the column does not take never reach the cell.
    TypeInto(form->UzelGrid(), 1, upNum, QStringLiteral("7x-"));
    EXPECT_EQ(form->Rows().UzelAt(1)->Number(), 7);
}

TEST_F(TableEditing, AnEditedCoordinateMovesTheNodeThroughTheDocumentsSchemaFrame)
{
    // The document takes a new map scale with the settings: 3.8 schema units a metre.
    config.Scale2D = 1000;
    form->ApplySettings();
    form->SetOrigin(5, -7);
    const TMine& mine = *form->Mine();
    TUzel* u = form->Rows().UzelAt(1);
    TypeInto(form->UzelGrid(), 1, upX, QStringLiteral("12,5"));
    TypeInto(form->UzelGrid(), 1, upY, QStringLiteral("-4"));
    EXPECT_FLOAT_EQ(u->SX(), static_cast<float>(3.8 * (12.5 - mine.CenterX()) + 5));
    EXPECT_FLOAT_EQ(u->SY(), static_cast<float>(3.8 * (-4 - mine.CenterY()) - 7));
}

TEST_F(TableEditing, TextThatIsNoNumberIsRefusedWithAMessageAndTheValueStays)
{
    TypeInto(form->UzelGrid(), 2, upY, QStringLiteral("1,2,3"));
    EXPECT_DOUBLE_EQ(form->Rows().UzelAt(2)->Y(), 0.0);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].Caption, QStringLiteral("Ошибка"));
    EXPECT_EQ(messages.shown[0].Text, QStringLiteral("Неверно указано число"));
    // An emptied number cell is refused in the same words and keeps its number.
    const int number = form->Rows().UzelAt(2)->Number();
    TypeInto(form->UzelGrid(), 2, upNum, QString());
    EXPECT_EQ(form->Rows().UzelAt(2)->Number(), number);
    ASSERT_EQ(messages.shown.size(), 2u);
    EXPECT_EQ(messages.shown[1].Text, QStringLiteral("Неверно указано число"));
}

TEST_F(TableEditing, DiameterAndWallAreValidatedTogether)
{
    TBranch* b = Branch(0);
    b->FirePipe()->SetWallThickness(5);
    TypeInto(form->BranchGrid(), 0, bpFirePDiam, QStringLiteral("10"));
    EXPECT_EQ(b->FirePipe()->Diameter(), 150);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.LastText(), QStringLiteral("Неверно указан диаметр трубы или толщина стенки"));
    TypeInto(form->BranchGrid(), 0, bpFirePWall, QStringLiteral("75"));
    EXPECT_EQ(b->FirePipe()->WallThickness(), 5);
    EXPECT_EQ(messages.shown.size(), 2u);
    TypeInto(form->BranchGrid(), 0, bpFirePDiam, QStringLiteral("100"));
    EXPECT_EQ(b->FirePipe()->Diameter(), 100);
    EXPECT_EQ(Text(form->BranchGrid(), 0, bpFirePDiam), QStringLiteral("100"));
}

TEST_F(TableEditing, ClearingTheDiameterTakesThePipeOffAndLocksItsColumns)
{
    TypeInto(form->BranchGrid(), 1, bpFirePDiam, QString());
    TBranch* b = Branch(1);
    EXPECT_FALSE(b->FirePipe()->Present());
    auto* model = form->BranchGrid()->model();
    for (int p : {bpFirePDiam, bpFirePWall, bpFirePFromS, bpFirePFromE, bpFirePK})
        EXPECT_TRUE(Text(form->BranchGrid(), 1, p).isEmpty()) << p;
    for (int p : {bpFirePWall, bpFirePFromS, bpFirePFromE, bpFirePK})
        EXPECT_FALSE(model->flags(model->index(1, Column(form->BranchGrid(), p))) & Qt::ItemIsEditable) << p;
    EXPECT_TRUE(model->index(1, Column(form->BranchGrid(), bpFirePDiam)).data(CheckBoxRole).isValid());
    EXPECT_FALSE(model->index(1, Column(form->BranchGrid(), bpFirePDiam)).data(CheckBoxRole).toBool());
}

TEST_F(TableEditing, DistanceFromStartKeepsThePipeEnd)
{
    TBranch* b = Branch(0);  // 100 m
    b->FirePipe()->SetExtent(2, 0.9);
    TypeInto(form->BranchGrid(), 0, bpFirePFromS, QStringLiteral("20"));
    EXPECT_DOUBLE_EQ(b->FirePipe()->StartFrac(), 0.2);
    EXPECT_DOUBLE_EQ(b->FirePipe()->EndFrac(), 0.9);
    TypeInto(form->BranchGrid(), 0, bpFirePFromE, QStringLiteral("30"));
    EXPECT_DOUBLE_EQ(b->FirePipe()->EndFrac(), 0.7);
    EXPECT_DOUBLE_EQ(b->FirePipe()->StartFrac(), 0.2);
    EXPECT_EQ(Text(form->BranchGrid(), 0, bpFirePFromS), QStringLiteral("20.0"));
}

TEST_F(TableEditing, SeamAndPlanPositionCellsNeverEdit)
{
    TLayer::Create(form->Mine())->SetName(QStringLiteral("k5"));
    Branch(0)->SetLayerIndex(0);
    form->FocusGrid(form->BranchGrid());
    form->SetEditorMode(true);
    auto* model = form->BranchGrid()->model();
    for (int p : {bpLayer, bpPLF}) {
        const QModelIndex idx = model->index(0, Column(form->BranchGrid(), p));
        EXPECT_FALSE(model->flags(idx) & Qt::ItemIsEditable);
        EXPECT_FALSE(model->setData(idx, QStringLiteral("0")));
    }
    EXPECT_EQ(Branch(0)->LayerIndex(), 0);
    EXPECT_EQ(Text(form->BranchGrid(), 0, bpLayer), QStringLiteral("k5"));
}

TEST_F(TableEditing, EnterWalksEditableCellsAndAddsARowAfterTheLast)
{
    TGridView* grid = form->UzelGrid();
    form->FocusGrid(grid);
    form->SetEditorMode(true);
    const int last = form->Rows().UzelCount() - 1;
    grid->SetCurrentCell(last, Column(grid, upY));
    QTest::keyClick(grid, Qt::Key_Return);
    EXPECT_EQ(grid->currentIndex().column(), Column(grid, upZ));
    QTest::keyClick(grid, Qt::Key_Return);
    ASSERT_EQ(form->Mine()->Uzels.Count(), 5);
    EXPECT_EQ(form->Mine()->Uzels.Last()->Number(), 5);
    EXPECT_EQ(grid->currentIndex().row(), last + 1);
    EXPECT_EQ(grid->currentIndex().column(), grid->FirstEditableColumn(last + 1));

    // In the branch table the same walk skips the computed columns.
    TGridView* bg = form->BranchGrid();
    form->FocusGrid(bg);
    form->SetEditorMode(true);
    bg->SetCurrentCell(0, Column(bg, bpNumE));
    QTest::keyClick(bg, Qt::Key_Return);
    EXPECT_EQ(bg->currentIndex().column(), Column(bg, bpRemark));
}

TEST_F(TableEditing, NewBranchTakesTheLargestNumberPlusOne)
{
    form->SortBranches(bsoNumber);
    form->SortBranches(bsoNumber);  // descending: the last row has the smallest number
    form->AddBranch();
    EXPECT_EQ(form->CurrentBranch()->Number(), 41);
    EXPECT_EQ(form->BranchGrid()->currentIndex().row(), form->Rows().BranchCount() - 1);
}

TEST_F(TableEditing, DeletingANodeWithNoDeletesExactlyItsBranches)
{
    form->UzelGrid()->SetCurrentCell(0, 0);  // node 1: branches 10 and 40
    messages.Answer(TMsgAnswer::No);
    form->DeleteUzel();
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].Caption, QStringLiteral("Подтверждение"));
    EXPECT_EQ(messages.shown[0].Buttons, TMsgButtons::YesNoCancel);
    EXPECT_TRUE(messages.shown[0].Text.startsWith(QStringLiteral("Узел №1 имеет инцидентные выработки в количестве 2.")));
    ASSERT_EQ(form->Mine()->Branches.Count(), 2);
    EXPECT_EQ(form->Rows().BranchCount(), 2);
    EXPECT_EQ(form->Rows().BranchAt(0)->Number(), 20);
    EXPECT_EQ(form->Rows().BranchAt(1)->Number(), 30);
    EXPECT_EQ(form->Mine()->Uzels.Count(), 3);

    // Cancel leaves everything; Yes takes only the node.
    form->UzelGrid()->SetCurrentCell(0, 0);  // node 2
    messages.Answer(TMsgAnswer::Cancel);
    form->DeleteUzel();
    EXPECT_EQ(form->Mine()->Uzels.Count(), 3);
    messages.Answer(TMsgAnswer::Yes);
    form->DeleteUzel();
    EXPECT_EQ(form->Mine()->Uzels.Count(), 2);
    EXPECT_EQ(form->Mine()->Branches.Count(), 2);
}

TEST_F(TableEditing, MovingAColumnMovesItsDescriptorAndMarksTheDocument)
{
    QHeaderView* header = form->BranchGrid()->horizontalHeader();
    form->BranchGrid()->setColumnWidth(Column(form->BranchGrid(), bpNumS), 91);
    header->moveSection(bpNumS, 5);
    EXPECT_TRUE(form->IsModified());
    EXPECT_EQ(form->BranchColumns().ParamAt(5), bpNumS);
    EXPECT_EQ(form->BranchColumns().At(5).Width, 91);
    EXPECT_EQ(header->visualIndex(5), 5) << "the header keeps no order of its own";
    EXPECT_EQ(Text(form->BranchGrid(), 0, bpNumS), QStringLiteral("1"));
    EXPECT_EQ(form->BranchGrid()->model()->headerData(5, Qt::Horizontal).toString(), QStringLiteral("Начал.\nузел"));
    EXPECT_EQ(form->DocumentSettings().BranchCols[5].Param, bpNumS);
}

TEST_F(TableEditing, ClickingAHeadingSortsAndAgainReverses)
{
    TGridView* grid = form->BranchGrid();
    const int col = Column(grid, bpNum);
    emit grid->horizontalHeader()->sectionClicked(col);
    EXPECT_EQ(form->Rows().BranchAt(0)->Number(), 10);
    emit grid->horizontalHeader()->sectionClicked(col);
    EXPECT_EQ(form->Rows().BranchAt(0)->Number(), 40);
    EXPECT_TRUE(form->IsModified());
    // The distance columns do not sort.
    emit grid->horizontalHeader()->sectionClicked(Column(grid, bpFirePFromS));
    EXPECT_EQ(form->Rows().BranchAt(0)->Number(), 40);
}

TEST_F(TableEditing, TheCheckBoxAndSpaceLayThePipeAndCtrlDelAsksBeforeDeleting)
{
    TGridView* grid = form->BranchGrid();
    const QModelIndex idx = grid->model()->index(2, Column(grid, bpFirePDiam));
    grid->scrollTo(idx);
    const QRect box = TGridDelegate::CheckBoxRect(grid->visualRect(idx));
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, Qt::NoModifier, box.center());
    EXPECT_FALSE(Branch(2)->FirePipe()->Present());
    QTest::keyClick(grid, Qt::Key_Space);
    EXPECT_TRUE(Branch(2)->FirePipe()->Present());

    messages.Answer(TMsgAnswer::No);
    QTest::keyClick(grid, Qt::Key_Delete, Qt::ControlModifier);
    EXPECT_EQ(messages.LastText(), QStringLiteral("Удалить выработку №30?"));
    EXPECT_EQ(form->Mine()->Branches.Count(), 4);
    messages.Answer(TMsgAnswer::Yes);
    QTest::keyClick(grid, Qt::Key_Delete, Qt::ControlModifier);
    EXPECT_EQ(form->Mine()->Branches.Count(), 3);
    EXPECT_EQ(form->Rows().BranchCount(), 3);
}

TEST_F(TableEditing, ClickingABranchSelectsItWithItsNodesForTheStatusBar)
{
    TGridView* grid = form->BranchGrid();
    const QRect cell = grid->visualRect(grid->model()->index(0, Column(grid, bpNum)));
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, Qt::NoModifier, cell.center());
    const QRect next = grid->visualRect(grid->model()->index(1, Column(grid, bpNum)));
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, Qt::ShiftModifier, next.center());
    EXPECT_TRUE(Branch(0)->Selected());
    EXPECT_TRUE(Branch(1)->Selected());
    EXPECT_TRUE(form->Rows().UzelAt(2)->Selected());
    EXPECT_EQ(form->StatusText(5), QStringLiteral("Суммарная длина = 200.0 м"));
    EXPECT_EQ(form->StatusText(2), QStringLiteral("2/4"));
}

TEST_F(TableEditing, RowsFollowDeletionsMadeOutsideTheTable)
{
    // Another window deletes a branch: the table must not show a dead row.
    form->Mine()->DeleteBranch(form->Mine()->Branches.Items(0));
    EXPECT_TRUE(form->Rows().Stale());
    form->BranchGrid()->viewport()->repaint();
    Settle();
    EXPECT_FALSE(form->Rows().Stale());
    EXPECT_EQ(form->BranchModel()->rowCount(), 3);
}

}  // namespace

TEST_F(TableEditing, TheNumberPickerShowsBesideANumberCellAndGivesTheChosenNumber)
{
    TGridView* grid = form->UzelGrid();
    form->FocusGrid(grid);
    form->SetEditorMode(true);
    const QModelIndex x = grid->model()->index(1, Column(grid, upX));
    grid->setCurrentIndex(x);
    grid->edit(x);
    EXPECT_FALSE(form->NumberPicker()->isVisible());
    grid->CommitEditor();

    const QModelIndex number = grid->model()->index(1, Column(grid, upNum));
    grid->setCurrentIndex(number);
    grid->edit(number);
    ASSERT_TRUE(form->NumberPicker()->isVisible());
    form->GiveNumberToCell(9);
    Settle();
    EXPECT_EQ(form->Rows().UzelAt(1)->Number(), 9);
    EXPECT_FALSE(form->NumberPicker()->isVisible());
}

namespace {

using TableFont = DocumentTest;

// A larger table font widens what it must: every heading shows whole and a number such as
// 12000.0 is never shown with its first digits cut off.
TEST_F(TableFont, ALargerFontGrowsHeadingsAndNumberColumns)
{
    auto form = NewForm();
    ASSERT_TRUE(form->OpenFile(WriteMine(QStringLiteral("far.irv"), [](MineBuilder& mb) {
        mb.uzel(1, 12000.0, -7000.5, 250);
        mb.uzel(2, 12100.0, -7000.5, 250);
        mb.firePipe(10, 1, 2);
    })));
    form->show();
    config.FontSize = 12;
    form->ApplySettings();
    Settle();
    for (TGridView* grid : {form->UzelGrid(), form->BranchGrid()}) {
        auto* header = static_cast<TGridHeader*>(grid->horizontalHeader());
        EXPECT_GE(header->height(), header->NeededHeight(0));
        const QFontMetrics fm(grid->font());
        for (int c = 0; c < grid->model()->columnCount(); ++c) {
            if (grid->isColumnHidden(c))
                continue;
            EXPECT_GE(grid->columnWidth(c), header->NeededWidth(c)) << c;
            const QString first = grid->model()->index(0, c).data().toString();
            if (grid == form->UzelGrid()) {  // the cell paints its text 2 pixels in from each side
                EXPECT_GE(grid->columnWidth(c), fm.horizontalAdvance(first) + 4) << first.toStdString();
            }
        }
    }
    EXPECT_EQ(form->UzelGrid()->model()->index(0, 1).data().toString(), QStringLiteral("12000.0"));
    Pictures::Take(form.get(), QStringLiteral("tables-font-12"));
}

}  // namespace
