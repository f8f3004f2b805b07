#pragma once

class TDocumentRows;

// A click on a row of the node or branch table.
struct TRowClick {
    int Row = -1;
    bool Ctrl = false;
    bool Shift = false;
    bool Right = false;
};

// How clicks in the node and branch tables change the mine's selection, which the schemas
// share. Ctrl toggles the clicked object, Shift selects the run of rows from the row of the
// last plain click, a plain click starts afresh. In the branch table a branch carries its
// two end nodes along, and the current branch with its nodes always ends up selected.
class TRowSelection {
public:
    void ClickUzel(TDocumentRows& rows, const TRowClick& click);
    void ClickBranch(TDocumentRows& rows, const TRowClick& click);

    // Rows of the last plain clicks (−1 none); reset when the rows are rebuilt.
    int UzelAnchor() const { return uzelAnchor_; }
    int BranchAnchor() const { return branchAnchor_; }
    void ResetAnchors();

private:
    int uzelAnchor_ = -1;
    int branchAnchor_ = -1;
};
