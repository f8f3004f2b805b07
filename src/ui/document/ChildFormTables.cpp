// The document window's table commands: the current rows, filters and sorting, clicks,
// keys and the tables' menu, adding and deleting nodes and branches.

#include "ui/document/ChildForm.h"

#include "core/history/EditTransaction.h"
#include "core/tables/TableEdits.h"
#include "core/model/Branch.h"
#include "core/model/Mine.h"
#include "core/model/Uzel.h"
#include "ui/common/MessageBoxes.h"
#include "ui/document/BranchTableModel.h"
#include "ui/document/UzelTableModel.h"

#include <QMenu>

namespace {

const QString kDeleteLoneUzel = QStringLiteral("Узел №%1 не имеет инцидентных выработок.\r\nУдалить узел?");
const QString kDeleteUzelWithBranches = QStringLiteral(
    "Узел №%1 имеет инцидентные выработки в количестве %2.\r\nВы можете удалить только узел либо всю \"связку\" "
    "целиком\r\n\r\nДа\t- удалить только узел\r\nНет\t- удалить узел и связанные с ним выработки\r\nОтмена\t- "
    "закрытие окна без удаления");
const QString kDeleteBranch = QStringLiteral("Удалить выработку №%1?");

// Captions of the table commands in the undo history.
const QString kAddUzelStep = QStringLiteral("Добавление узла");
const QString kAddBranchStep = QStringLiteral("Добавление ветви");
const QString kDeleteUzelStep = QStringLiteral("Удаление узла");
const QString kDeleteUzelWithBranchesStep = QStringLiteral("Удаление узла и ветвей (%1)");
const QString kDeleteBranchStep = QStringLiteral("Удаление ветви");
const QString kSurfaceStep = QStringLiteral("Поверхностный узел");
const QString kSortUzelsStep = QStringLiteral("Сортировка узлов");
const QString kSortBranchesStep = QStringLiteral("Сортировка ветвей");
const QString kCellStep = QStringLiteral("Изменение ячейки");

// Sort order of a heading click, or −1 for columns that do not sort.
int UzelSortOf(int param)
{
    return param >= upNum && param <= upZ ? param : -1;
}

int BranchSortOf(int param)
{
    switch (param) {
    case bpNum:
        return bsoNumber;
    case bpNumS:
        return bsoStartNumber;
    case bpNumE:
        return bsoEndNumber;
    case bpL:
        return bsoLength;
    case bpAngle:
        return bsoAngle;
    case bpRemark:
        return bsoRemark;
    case bpFirePDiam:
        return bsoFireDiameter;
    case bpFirePWall:
        return bsoFireWall;
    case bpFirePK:
        return bsoFireK;
    default:
        return -1;
    }
}

}  // namespace

// ---------------------------------------------------------------------------------------
// Current rows

TUzel* TChildForm::CurrentUzel() const
{
    const QModelIndex i = uzelGrid_->currentIndex();
    return i.isValid() ? rows_->UzelAt(i.row()) : nullptr;
}

TBranch* TChildForm::CurrentBranch() const
{
    const QModelIndex i = branchGrid_->currentIndex();
    return i.isValid() ? rows_->BranchAt(i.row()) : nullptr;
}

void TChildForm::ShowUzel(TUzel* uzel)
{
    if (!uzel)
        return;
    SetCurrentPage(0);
    if (rows_->UzelRow(uzel) < 0 && rows_->UzelFilter() != TDocumentRows::AllUzels)
        SetUzelFilter(TDocumentRows::AllUzels);
    const int row = rows_->UzelRow(uzel);
    if (row < 0)
        return;
    const QModelIndex cur = uzelGrid_->currentIndex();
    uzelGrid_->SetCurrentCell(row, cur.isValid() ? cur.column() : 0);
    uzelGrid_->setFocus();
}

void TChildForm::ShowBranch(TBranch* branch, bool firstPage)
{
    if (!branch)
        return;
    if (firstPage)
        SetCurrentPage(0);
    SelectBranchRow(branch);
    if (rows_->BranchRow(branch) >= 0)
        branchGrid_->setFocus();
}

void TChildForm::SelectBranchRow(TBranch* branch)
{
    if (rows_->Stale())
        SyncRows();
    if (rows_->BranchRow(branch) < 0 && rows_->BranchFilter() != TDocumentRows::AllBranches)
        SetBranchFilter(TDocumentRows::AllBranches);
    const int row = rows_->BranchRow(branch);
    if (row < 0)
        return;
    const QModelIndex cur = branchGrid_->currentIndex();
    branchGrid_->SetCurrentCell(row, cur.isValid() ? cur.column() : 0);
}

bool TChildForm::EditorMode() const
{
    return lastFocused_->GridModel()->EditorMode();
}

void TChildForm::SetEditorMode(bool on)
{
    TGridView* grid = lastFocused_;
    grid->GridModel()->SetEditorMode(on);
    grid->setEditTriggers(on ? QAbstractItemView::AnyKeyPressed | QAbstractItemView::DoubleClicked
                                   | QAbstractItemView::EditKeyPressed | QAbstractItemView::SelectedClicked
                             : QAbstractItemView::NoEditTriggers);
    if (!on)
        grid->CommitEditor();
    emit StateChanged();
}

// ---------------------------------------------------------------------------------------
// Filters and sorting

int TChildForm::UzelFilter() const
{
    return rows_->UzelFilter();
}

int TChildForm::BranchFilter() const
{
    return rows_->BranchFilter();
}

void TChildForm::SetUzelFilter(int filter)
{
    uzelModel_->BeginReload();
    rows_->SetUzelFilter(filter == 1 ? TDocumentRows::SurfaceUzels : TDocumentRows::AllUzels);
    uzelModel_->EndReload();
    selection_.ResetAnchors();
    uzelGrid_->SetCurrentCell(0, 0);
    emit StateChanged();
}

void TChildForm::SetBranchFilter(int filter)
{
    if (rows_->Stale())
        SyncRows();
    branchModel_->BeginReload();
    rows_->SetBranchFilter(filter == 1 ? TDocumentRows::IncidentBranches : TDocumentRows::AllBranches, CurrentUzel());
    branchModel_->EndReload();
    selection_.ResetAnchors();
    branchGrid_->SetCurrentCell(0, 0);
    emit StateChanged();
}

void TChildForm::SortUzels(int order)
{
    TUzel* current = CurrentUzel();
    // The node table shows the mine's own node list: sorting reorders the mine.
    TEditTransaction tx(&history_, kSortUzelsStep, TEditScope::Structure);
    uzelModel_->BeginReload();
    rows_->SortUzels(order);
    uzelModel_->EndReload();
    tx.Commit();
    selection_.ResetAnchors();
    if (current)
        ShowUzel(current);
    SetModified(true);
}

void TChildForm::SortBranches(int order)
{
    if (rows_->Stale())
        SyncRows();
    TBranch* current = CurrentBranch();
    TEditTransaction tx(&history_, kSortBranchesStep, TEditScope::Structure);
    branchModel_->BeginReload();
    rows_->SortBranches(order);
    branchModel_->EndReload();
    tx.Commit();
    selection_.ResetAnchors();
    if (current)
        ShowBranch(current);
    SetModified(true);
}

void TChildForm::OnHeaderClicked(TGridView* grid, int column)
{
    const int param = grid->GridModel()->ParamAt(column);
    if (grid == uzelGrid_) {
        if (const int order = UzelSortOf(param); order >= 0)
            SortUzels(order);
    } else if (const int order = BranchSortOf(param); order >= 0) {
        SortBranches(order);
    }
}

// ---------------------------------------------------------------------------------------
// Clicks, keys and the menu

void TChildForm::OnUzelClicked(const TRowClick& click)
{
    selection_.ClickUzel(*rows_, click);
    if (rows_->BranchFilter() == TDocumentRows::IncidentBranches)
        SetBranchFilter(TDocumentRows::IncidentBranches);
    Refresh();
}

void TChildForm::OnBranchClicked(const TRowClick& click)
{
    if (rows_->Stale())
        SyncRows();
    selection_.ClickBranch(*rows_, click);
    uzelGrid_->viewport()->update();
    emit CurrentBranchChanged();
    Refresh();
}

void TChildForm::OnCommandKey(TGridView* grid, TGridView::TCommandKey key)
{
    lastFocused_ = grid;
    const bool uzels = grid == uzelGrid_;
    switch (key) {
    case TGridView::CopyKey:
        if (CanCutCopy())
            CopyToClipboard();
        break;
    case TGridView::CutKey:
        if (CanCutCopy())
            CutToClipboard();
        break;
    case TGridView::PasteKey:
        if (CanPaste())
            PasteFromClipboard();
        break;
    case TGridView::DeleteKey:
        uzels ? DeleteUzel() : DeleteBranch();
        break;
    case TGridView::AddKey:
        uzels ? AddUzel() : AddBranch();
        break;
    case TGridView::ToggleLaidKey:
        ToggleFirePipeLaid(CurrentBranch());
        break;
    }
}

void TChildForm::ShowEditError(const QString& message)
{
    MessageBoxes::Error(this, message);
}

void TChildForm::ShowGridMenu(TGridView* grid, const QPoint& globalPos)
{
    // The menu's commands act on the table it was opened in, whichever had the focus: that
    // table becomes the focused one first, so the main window names its objects.
    FocusGrid(grid);
    if (!actionLookup_)
        return;
    const bool uzels = grid == uzelGrid_;
    QStringList names = {QStringLiteral("actEditorMode"), QStringLiteral("-"), QStringLiteral("actCutToClipboard"),
                         QStringLiteral("actCopyToClipboard"), QStringLiteral("actPasteFromClipboard"),
                         QStringLiteral("-")};
    if (uzels)
        names << QStringLiteral("actAddUzel") << QStringLiteral("actDelUzel") << QStringLiteral("actSurfacedUzel")
              << QStringLiteral("actTransform");
    else
        names << QStringLiteral("actAddBranch") << QStringLiteral("actDelBranch") << QStringLiteral("actBranchBreak");
    names << QStringLiteral("-") << QStringLiteral("actShowOnSchema");
    if (!uzels)
        names << QStringLiteral("actEditLayers") << QStringLiteral("actEditPipe");
    names << QStringLiteral("-") << QStringLiteral("actUzelGrid") << QStringLiteral("actBranchGrid")
          << QStringLiteral("actMessageView");
    gridMenu_->clear();
    for (const QString& name : names) {
        if (name == QStringLiteral("-")) {
            if (!gridMenu_->actions().isEmpty() && !gridMenu_->actions().constLast()->isSeparator())
                gridMenu_->addSeparator();
        } else if (QAction* a = actionLookup_(name)) {
            gridMenu_->addAction(a);
        }
    }
    if (!gridMenu_->actions().isEmpty())
        gridMenu_->popup(globalPos);
}

// ---------------------------------------------------------------------------------------
// Adding and deleting

void TChildForm::AddUzel()
{
    SetCurrentPage(0);
    if (rows_->UzelFilter() != TDocumentRows::AllUzels)
        SetUzelFilter(TDocumentRows::AllUzels);
    TEditTransaction tx(&history_, kAddUzelStep, TEditScope::Structure);
    TUzel* uzel = TableEdits::AddUzel(*mine_);
    tx.Commit();
    SyncRows();
    const int row = rows_->UzelRow(uzel);
    uzelGrid_->SetCurrentCell(row, std::max(uzelGrid_->FirstEditableColumn(row), 0));
    uzelGrid_->setFocus();
}

void TChildForm::AddBranch()
{
    SetCurrentPage(0);
    SyncRows();
    if (rows_->BranchFilter() != TDocumentRows::AllBranches)
        SetBranchFilter(TDocumentRows::AllBranches);
    TEditTransaction tx(&history_, kAddBranchStep, TEditScope::Structure);
    TBranch* branch = TableEdits::AddBranch(*mine_, defaultLayer_, defaultPLF_);
    tx.Commit();
    SyncRows();
    const int row = rows_->BranchRow(branch);
    branchGrid_->SetCurrentCell(row, std::max(branchGrid_->FirstEditableColumn(row), 0));
    branchGrid_->setFocus();
}

void TChildForm::DeleteUzel()
{
    TUzel* uzel = CurrentUzel();
    if (!uzel)
        return;
    bool withBranches = false;
    if (uzel->IncidentCount() == 0) {
        if (MessageBoxes::Ask(this, kDeleteLoneUzel.arg(uzel->Number()), TMsgButtons::YesNo) != TMsgAnswer::Yes)
            return;
    } else {
        const TMsgAnswer a = MessageBoxes::Ask(this, kDeleteUzelWithBranches.arg(uzel->Number()).arg(uzel->IncidentCount()),
                                               TMsgButtons::YesNoCancel);
        if (a != TMsgAnswer::Yes && a != TMsgAnswer::No)
            return;
        withBranches = a == TMsgAnswer::No;
    }
    {
        // The node's branches are kept with it: they lose their end or go with it.
        TEditTransaction tx(&history_, kDeleteUzelStep, TEditScope::Structure);
        tx.Touch(uzel);
        const int deleted = TableEdits::DeleteUzel(*mine_, uzel, withBranches);
        if (deleted > 0)
            tx.SetCaption(kDeleteUzelWithBranchesStep.arg(deleted));
        tx.Commit();
    }
    SyncRows();
}

void TChildForm::ToggleSurface()
{
    if (TUzel* uzel = CurrentUzel()) {
        {
            TEditTransaction tx(&history_, kSurfaceStep, TEditScope::Objects);
            tx.Touch(uzel);
            TableEdits::ToggleSurface(*uzel);
            tx.Commit();
        }
        if (rows_->UzelFilter() == TDocumentRows::SurfaceUzels)
            SyncRows();
        Refresh();
    }
}

void TChildForm::ToggleFirePipeLaid(TBranch* branch)
{
    if (!branch || !branch->FirePipe())
        return;
    TEditTransaction tx(&history_, kCellStep, TEditScope::Objects);
    tx.Touch(branch);
    TableEdits::SetFirePipeLaid(*branch, !branch->FirePipe()->Present());
    tx.Commit();
}

void TChildForm::DeleteBranch()
{
    if (rows_->Stale())
        SyncRows();
    TBranch* branch = CurrentBranch();
    if (!branch)
        return;
    if (MessageBoxes::Ask(this, kDeleteBranch.arg(branch->Number()), TMsgButtons::YesNo) != TMsgAnswer::Yes)
        return;
    {
        TEditTransaction tx(&history_, kDeleteBranchStep, TEditScope::Structure);
        tx.Touch(branch);
        TableEdits::DeleteBranch(*mine_, branch);
        tx.Commit();
    }
    SyncRows();
}
