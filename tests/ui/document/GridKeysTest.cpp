#include "DocumentTestSupport.h"

#include "ui/document/GridModel.h"

#include <QTest>
#include <gtest/gtest.h>

namespace {

class GridKeys : public DocumentTest {
protected:
    void SetUp() override
    {
        form = NewForm();
        ASSERT_TRUE(form->OpenFile(WriteMine(QStringLiteral("line.irv"), Line)));
        form->show();
        Settle();
    }
    int Column(TGridView* grid, int param) { return grid->GridModel()->Columns().IndexOfParam(param); }
    int CurrentParam(TGridView* grid) { return grid->GridModel()->ParamAt(grid->currentIndex().column()); }

    std::unique_ptr<TChildForm> form;
};

TEST_F(GridKeys, LeftAndRightSkipReadOnlyColumnsHomeAndEndStayOnEditableOnes)
{
    TGridView* grid = form->BranchGrid();
    form->FocusGrid(grid);
    grid->SetCurrentCell(0, Column(grid, bpNumE));
    QTest::keyClick(grid, Qt::Key_Right);
    EXPECT_EQ(CurrentParam(grid), bpRemark) << "length and angle are skipped";
    QTest::keyClick(grid, Qt::Key_Left);
    EXPECT_EQ(CurrentParam(grid), bpNumE);
    QTest::keyClick(grid, Qt::Key_End);
    EXPECT_EQ(CurrentParam(grid), bpFirePK) << "seam and position are read-only";
    QTest::keyClick(grid, Qt::Key_Home);
    EXPECT_EQ(CurrentParam(grid), bpNum);
    QTest::keyClick(grid, Qt::Key_End, Qt::ControlModifier);
    EXPECT_EQ(grid->currentIndex().row(), 3);
    QTest::keyClick(grid, Qt::Key_Home, Qt::ControlModifier);
    EXPECT_EQ(grid->currentIndex().row(), 0);
    EXPECT_EQ(form->StatusText(2), QStringLiteral("1/4"));
}

TEST_F(GridKeys, WithoutEditorModeNothingEdits)
{
    TGridView* grid = form->UzelGrid();
    form->FocusGrid(grid);
    form->SetEditorMode(false);
    const QModelIndex idx = grid->model()->index(0, Column(grid, upX));
    EXPECT_FALSE(grid->model()->flags(idx) & Qt::ItemIsEditable);
    grid->setCurrentIndex(idx);
    QTest::keyClick(grid, Qt::Key_5);
    EXPECT_FALSE(grid->Editing());
    EXPECT_DOUBLE_EQ(form->Rows().UzelAt(0)->X(), 0.0);
    form->SetEditorMode(true);
    EXPECT_TRUE(form->EditorMode());
    QTest::keyClick(grid, Qt::Key_5);
    EXPECT_TRUE(grid->Editing()) << "a typed digit opens the editor in editor mode";
    QTest::keyClick(grid->viewport()->focusWidget() ? grid->viewport()->focusWidget() : grid, Qt::Key_Escape);
    Settle();
    EXPECT_DOUBLE_EQ(form->Rows().UzelAt(0)->X(), 0.0) << "Escape cancels";
}

TEST_F(GridKeys, IncidentFilterFollowsTheClickedNode)
{
    form->SetBranchFilter(1);
    TGridView* nodes = form->UzelGrid();
    const QRect second = nodes->visualRect(nodes->model()->index(2, 0));  // node 3: branches 20, 30, 40
    QTest::mouseClick(nodes->viewport(), Qt::LeftButton, Qt::NoModifier, second.center());
    ASSERT_EQ(form->Rows().BranchCount(), 3);
    std::vector<int> numbers;
    for (int r = 0; r < 3; ++r)
        numbers.push_back(form->Rows().BranchAt(r)->Number());
    std::sort(numbers.begin(), numbers.end());
    EXPECT_EQ(numbers, (std::vector<int>{20, 30, 40}));
    form->SetBranchFilter(0);
    EXPECT_EQ(form->Rows().BranchCount(), 4);
}

TEST_F(GridKeys, SortingKeepsTheCurrentNodeAndSurfaceFilterShowsSurfaceNodes)
{
    TGridView* grid = form->UzelGrid();
    grid->SetCurrentCell(1, 0);  // node 2
    form->SortUzels(usoX);
    form->SortUzels(usoX);  // descending
    EXPECT_EQ(form->Rows().UzelAt(0)->Number(), 4);
    EXPECT_EQ(form->CurrentUzel()->Number(), 2);
    EXPECT_TRUE(form->IsModified());
    form->ToggleSurface();
    form->SetUzelFilter(1);
    ASSERT_EQ(form->Rows().UzelCount(), 1);
    EXPECT_EQ(form->Rows().UzelAt(0)->Number(), 2);
    EXPECT_EQ(grid->model()->index(0, 0).data(StyleRole).toInt(), TTableLook::SurfaceStyle);
}

}  // namespace
