#pragma once

#include "core/model/MineLists.h"
#include "core/model/MineWatch.h"

#include <memory>
#include <unordered_set>
#include <vector>

class TBranch;
class TMine;
class TUzel;

// The rows of a document's node and branch tables: all nodes or the surface nodes; all
// branches in the document's display order (stored in the network file) or the branches
// joined to one node.
//
// The mine tells about changes only that they happened. Whenever an object of the mine was
// freed, or the number of nodes or branches differs from what the rows were built for, the
// rows are stale: row access then
// answers null rather than follow a pointer that may have died, until Sync() rebuilds them.
class TDocumentRows {
public:
    enum TUzelFilter { AllUzels = 0, SurfaceUzels = 1 };
    enum TBranchFilter { AllBranches = 0, IncidentBranches = 1 };

    explicit TDocumentRows(TMine* mine);
    TDocumentRows(const TDocumentRows&) = delete;
    TDocumentRows& operator=(const TDocumentRows&) = delete;

    // A new mine (after reading a file): the display order as stored, filters off. The
    // order names live branches (of any mine), each once or more.
    void Reset(TMine* mine, const std::vector<TBranch*>& branchOrder = {});

    TMine* Mine() const { return mine_; }

    // Cheap; called on every change the mine reports. True when the rows became stale.
    bool MineChanged();
    bool Stale() const;
    // Rebuilds the rows from the mine: gone objects leave, new branches join the display
    // order at its end. Never follows a pointer to an object that no longer exists.
    void Sync();

    TUzelFilter UzelFilter() const { return uzelFilter_; }
    TBranchFilter BranchFilter() const { return branchFilter_; }
    void SetUzelFilter(TUzelFilter filter);
    // The incident filter shows the branches joined to the node (none without a node).
    void SetBranchFilter(TBranchFilter filter, TUzel* uzel = nullptr);
    TUzel* FilterUzel() const { return filterUzel_; }

    int UzelCount() const;
    int BranchCount() const;
    // Null when the row is outside the table or the rows are stale.
    TUzel* UzelAt(int row) const;
    TBranch* BranchAt(int row) const;
    int UzelRow(const TUzel* uzel) const;
    int BranchRow(const TBranch* branch) const;

    // Every branch in display order (the file's branch order), whatever the filter.
    const TInfoBranchList& BranchOrder() const { return *order_; }
    std::vector<TBranch*> BranchOrderVector() const { return order_->ToVector(); }
    // The display order Sync would make, without making it.
    std::vector<TBranch*> LiveBranchOrder() const;
    // A new display order (the schema's drawing order): branches it leaves out, or that are no
    // longer in the mine, are made whole as Sync does.
    void SetBranchOrder(const std::vector<TBranch*>& order);

    // Sorting the tables. Sorting the same column again reverses the order; the node
    // table sorts the mine's own node list (its file order).
    void SortUzels(int order);
    void SortBranches(int order);
    int LastUzelSort() const { return lastUzelSort_; }
    int LastBranchSort() const { return lastBranchSort_; }

private:
    void RefillIncident();
    void Recount();
    // The order names every branch of the mine exactly once.
    bool IsWholeOrder(const std::vector<TBranch*>& order) const;

    TMine* mine_;
    // Objects freed since the rows were built: their places may already hold new objects,
    // which must not be taken for them.
    TMineWatcher watcher_;
    std::unordered_set<const void*> gone_;
    std::unique_ptr<TInfoBranchList> order_;
    std::unique_ptr<TInfoBranchList> incident_;
    TUzelFilter uzelFilter_ = AllUzels;
    TBranchFilter branchFilter_ = AllBranches;
    TUzel* filterUzel_ = nullptr;
    int knownUzels_ = 0;
    int knownBranches_ = 0;
    bool stale_ = false;
    int lastUzelSort_ = -1;
    int lastBranchSort_ = -1;
};
