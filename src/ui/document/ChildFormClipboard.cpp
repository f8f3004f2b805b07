// The document window's clipboard commands. What they may do and how they read is decided
// in the core; this side moves the records through the system clipboard.

#include "ui/document/ChildForm.h"

#include "core/tables/CopyTargets.h"
#include "core/tables/TableEdits.h"
#include "core/model/Mine.h"
#include "ui/common/MessageBoxes.h"
#include "ui/document/DocumentClipboard.h"

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
        TableEdits::DeleteUzels(*mine_, uzels);
    } else {
        const auto branches = BranchesToCopy();
        DocumentClipboard::PutBranches(branches);
        TableEdits::DeleteBranches(*mine_, branches);
    }
    SyncRows();
}

void TChildForm::PasteFromClipboard()
{
    SetCurrentPage(0);
    // The table of the pasted kind shows its last row.
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
    } catch (const Exception& e) {
        MessageBoxes::Error(this, e.Message());
    }
    Refresh();
}
