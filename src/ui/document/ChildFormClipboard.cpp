// The document window's clipboard commands. What they may do and how they read is decided
// in the core; this side moves the records through the system clipboard.

#include "ui/document/ChildForm.h"

#include "core/history/EditTransaction.h"
#include "core/tables/CopyTargets.h"
#include "core/tables/TableEdits.h"
#include "core/model/Branch.h"
#include "core/model/Mine.h"
#include "core/model/Uzel.h"
#include "ui/common/MessageBoxes.h"
#include "ui/document/DocumentClipboard.h"

namespace {

const QString kCutUzelsStep = QStringLiteral("Вырезание узлов (%1)");
const QString kCutBranchesStep = QStringLiteral("Вырезание ветвей (%1)");
const QString kPasteStep = QStringLiteral("Вставка");

}  // namespace

std::vector<TUzel*> TChildForm::UzelsToCopy() const
{
    return CopyTargets::Uzels(*mine_, CurrentUzel());
}

std::vector<TBranch*> TChildForm::BranchesToCopy() const
{
    return CopyTargets::Branches(*mine_, rows_->BranchOrder(), CurrentBranch());
}

ClipboardRules::TPasteKind TChildForm::PasteKind() const
{
    return ClipboardRules::PasteKind(DocumentClipboard::HasUzels(), DocumentClipboard::HasBranches());
}

bool TChildForm::CanCutCopy() const
{
    return ClipboardRules::CanCutCopy(*rows_, lastFocused_ == uzelGrid_, CurrentPage());
}

bool TChildForm::CanPaste() const
{
    return ClipboardRules::CanPaste(PasteKind());
}

QString TChildForm::CopyCaption() const
{
    return ClipboardRules::CopyCaption(*mine_, lastFocused_ == uzelGrid_);
}

QString TChildForm::CutCaption() const
{
    return ClipboardRules::CutCaption(*mine_, lastFocused_ == uzelGrid_);
}

QString TChildForm::PasteCaption() const
{
    return ClipboardRules::PasteCaption(PasteKind());
}

void TChildForm::CopyToClipboard()
{
    if (rows_->Stale())
        SyncRows();
    if (lastFocused_ == uzelGrid_)
        DocumentClipboard::PutUzels(UzelsToCopy());
    else
        DocumentClipboard::PutBranches(BranchesToCopy());
    emit StateChanged();
}

void TChildForm::CutToClipboard()
{
    if (rows_->Stale())
        SyncRows();
    if (lastFocused_ == uzelGrid_) {
        const auto uzels = UzelsToCopy();
        DocumentClipboard::PutUzels(uzels);
        TEditTransaction tx(&history_, kCutUzelsStep.arg(uzels.size()), TEditScope::Structure);
        for (const TUzel* u : uzels)
            tx.Touch(u);
        TableEdits::DeleteUzels(*mine_, uzels);
        tx.Commit();
    } else {
        const auto branches = BranchesToCopy();
        DocumentClipboard::PutBranches(branches);
        TEditTransaction tx(&history_, kCutBranchesStep.arg(branches.size()), TEditScope::Structure);
        for (const TBranch* b : branches)
            tx.Touch(b);
        TableEdits::DeleteBranches(*mine_, branches);
        tx.Commit();
    }
    SyncRows();
}

void TChildForm::PasteFromClipboard()
{
    SetCurrentPage(0);
    // The table of the pasted kind shows its last row.
    // Pasted branches join the mine's nodes and the selection changes: the whole mine.
    TEditTransaction tx(&history_, kPasteStep, TEditScope::WholeMine);
    try {
        switch (PasteKind()) {
        case ClipboardRules::TPasteKind::Uzels:
            DocumentClipboard::PasteUzels(*mine_);
            SyncRows();
            if (rows_->UzelCount() > 0)
                uzelGrid_->SetCurrentCell(rows_->UzelCount() - 1, 0);
            break;
        case ClipboardRules::TPasteKind::Branches:
            DocumentClipboard::PasteBranches(*mine_);
            SyncRows();
            if (rows_->BranchCount() > 0)
                branchGrid_->SetCurrentCell(rows_->BranchCount() - 1, 0);
            break;
        case ClipboardRules::TPasteKind::None:
            break;
        }
        tx.Commit();
    } catch (const Exception& e) {
        // A damaged block changed nothing; the step closes before the message waits.
        tx.Commit();
        MessageBoxes::Error(this, e.Message());
    }
    Refresh();
}
