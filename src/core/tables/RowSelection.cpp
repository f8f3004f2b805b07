#include "core/tables/RowSelection.h"

#include "core/tables/DocumentRows.h"
#include "core/model/Branch.h"
#include "core/model/Mine.h"
#include "core/model/Uzel.h"

#include <algorithm>

namespace {

void SelectBranch(TBranch* branch, bool value)
{
    if (!branch)
        return;
    branch->SetSelected(value);
    if (branch->StartUzel())
        branch->StartUzel()->SetSelected(value);
    if (branch->EndUzel())
        branch->EndUzel()->SetSelected(value);
}

}  // namespace

void TRowSelection::ResetAnchors()
{
    uzelAnchor_ = -1;
    branchAnchor_ = -1;
}

void TRowSelection::ClickUzel(TDocumentRows& rows, const TRowClick& click)
{
    TUzel* uzel = rows.UzelAt(click.Row);
    if (!uzel)
        return;
    TSelectionList& sel = rows.Mine()->Selection;
    if (click.Ctrl) {
        if (sel.UzelCount() == 0)
            if (TUzel* previous = rows.UzelAt(uzelAnchor_); previous && previous != uzel)
                previous->SetSelected(true);
        uzel->SetSelected(!uzel->Selected());
    } else if (click.Shift) {
        sel.RemoveClass<TUzel>();
        const int from = uzelAnchor_ >= 0 ? uzelAnchor_ : click.Row;
        for (int r = std::min(from, click.Row); r <= std::max(from, click.Row); ++r)
            if (TUzel* u = rows.UzelAt(r))
                u->SetSelected(true);
    } else {
        if (!(click.Right && uzel->Selected()))
            sel.RemoveClass<TUzel>();
        uzelAnchor_ = click.Row;
    }
}

void TRowSelection::ClickBranch(TDocumentRows& rows, const TRowClick& click)
{
    TBranch* branch = rows.BranchAt(click.Row);
    if (!branch)
        return;
    TSelectionList& sel = rows.Mine()->Selection;
    if (click.Ctrl) {
        if (sel.CountClass<TBranch>() == 0)
            if (TBranch* previous = rows.BranchAt(branchAnchor_); previous && previous != branch)
                SelectBranch(previous, true);
        SelectBranch(branch, !branch->Selected());
    } else if (click.Shift) {
        sel.RemoveClass<TBranch>();
        sel.RemoveClass<TUzel>();
        const int from = branchAnchor_ >= 0 ? branchAnchor_ : click.Row;
        for (int r = std::min(from, click.Row); r <= std::max(from, click.Row); ++r)
            SelectBranch(rows.BranchAt(r), true);
    } else {
        if (!(click.Right && branch->Selected())) {
            sel.RemoveClass<TBranch>();
            sel.RemoveClass<TUzel>();
        }
        branchAnchor_ = click.Row;
    }
    // The current branch stays selected with its nodes, whatever the click did.
    SelectBranch(branch, true);
}
