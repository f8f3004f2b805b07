#include "core/tables/DocumentRows.h"

#include "core/model/Branch.h"
#include "core/model/ListSorting.h"
#include "core/model/Mine.h"
#include "core/model/Uzel.h"

#include <unordered_set>

TDocumentRows::TDocumentRows(TMine* mine)
{
    Reset(mine);
}

void TDocumentRows::Reset(TMine* mine, const std::vector<TBranch*>& branchOrder)
{
    mine_ = mine;
    gone_.clear();
    // Only the pointer is kept: the object is half gone when this is heard.
    watcher_.Start(mine, [this](const TMineObject* gone) {
        stale_ = true;
        if (gone)
            gone_.insert(gone);
    });
    order_ = std::make_unique<TInfoBranchList>(mine);
    incident_ = std::make_unique<TInfoBranchList>(mine);
    uzelFilter_ = AllUzels;
    branchFilter_ = AllBranches;
    filterUzel_ = nullptr;
    lastUzelSort_ = -1;
    lastBranchSort_ = -1;
    order_->Reserve(static_cast<int>(branchOrder.size()));
    for (TBranch* b : branchOrder)
        order_->Add(b);
    if (IsWholeOrder(branchOrder)) {
        // The usual case, a file's own order: taken as it is, without a second pass.
        Recount();
        return;
    }
    // The stored order may be incomplete or name branches twice: Sync makes it whole.
    stale_ = true;
    Sync();
}

bool TDocumentRows::IsWholeOrder(const std::vector<TBranch*>& order) const
{
    const auto& branches = mine_->Branches;
    if (static_cast<int>(order.size()) != branches.Count())
        return false;
    // Every branch of the mine exactly once; the list knows each branch's place at once.
    std::vector<bool> seen(order.size(), false);
    for (const TBranch* b : order) {
        const int i = branches.IndexOf(b);
        if (i < 0 || seen[static_cast<size_t>(i)])
            return false;
        seen[static_cast<size_t>(i)] = true;
    }
    return true;
}

bool TDocumentRows::MineChanged()
{
    if (!stale_ && (mine_->Uzels.Count() != knownUzels_ || mine_->Branches.Count() != knownBranches_))
        stale_ = true;
    return stale_;
}

bool TDocumentRows::Stale() const
{
    return stale_ || mine_->Uzels.Count() != knownUzels_ || mine_->Branches.Count() != knownBranches_;
}

void TDocumentRows::Recount()
{
    knownUzels_ = mine_->Uzels.Count();
    knownBranches_ = mine_->Branches.Count();
    stale_ = false;
}

void TDocumentRows::SetBranchOrder(const std::vector<TBranch*>& order)
{
    // The order given names the branches as they are now, a new one perhaps where one went.
    gone_.clear();
    order_->Clear();
    order_->Reserve(static_cast<int>(order.size()));
    for (TBranch* b : order)
        order_->Add(b);
    Sync();
}

std::vector<TBranch*> TDocumentRows::LiveBranchOrder() const
{
    std::unordered_set<const TBranch*> live;
    live.reserve(static_cast<size_t>(mine_->Branches.Count()));
    for (const TBranch* b : mine_->Branches)
        live.insert(b);

    // Keep the order of the branches still alive, each once; new ones go to the end.
    std::unordered_set<const TBranch*> shown;
    shown.reserve(live.size());
    std::vector<TBranch*> order;
    order.reserve(live.size());
    for (TBranch* b : order_->ToVector())
        if (!gone_.count(b) && live.count(b) && shown.insert(b).second)
            order.push_back(b);
    for (TBranch* b : mine_->Branches)
        if (!shown.count(b))
            order.push_back(b);
    return order;
}

void TDocumentRows::Sync()
{
    const std::vector<TBranch*> order = LiveBranchOrder();
    order_->Clear();
    order_->Reserve(static_cast<int>(order.size()));
    for (TBranch* b : order)
        order_->Add(b);

    if (filterUzel_) {
        bool alive = false;
        if (!gone_.count(filterUzel_))
            for (const TUzel* u : mine_->Uzels)
                if (u == filterUzel_) {
                    alive = true;
                    break;
                }
        if (!alive)
            filterUzel_ = nullptr;
    }
    RefillIncident();
    Recount();
    gone_.clear();
}

void TDocumentRows::RefillIncident()
{
    incident_->Clear();
    if (filterUzel_)
        filterUzel_->CopyIncidentTo(*incident_, true);
}

void TDocumentRows::SetUzelFilter(TUzelFilter filter)
{
    uzelFilter_ = filter;
}

void TDocumentRows::SetBranchFilter(TBranchFilter filter, TUzel* uzel)
{
    branchFilter_ = filter;
    filterUzel_ = filter == IncidentBranches ? uzel : nullptr;
    RefillIncident();
}

int TDocumentRows::UzelCount() const
{
    return uzelFilter_ == SurfaceUzels ? mine_->SurfaceUzels.Count() : mine_->Uzels.Count();
}

int TDocumentRows::BranchCount() const
{
    return branchFilter_ == IncidentBranches ? incident_->Count() : order_->Count();
}

TUzel* TDocumentRows::UzelAt(int row) const
{
    // Both node views are the mine's own lists, always current.
    if (row < 0 || row >= UzelCount())
        return nullptr;
    return uzelFilter_ == SurfaceUzels ? mine_->SurfaceUzels.Items(row) : mine_->Uzels.Items(row);
}

TBranch* TDocumentRows::BranchAt(int row) const
{
    if (Stale() || row < 0 || row >= BranchCount())
        return nullptr;
    return branchFilter_ == IncidentBranches ? incident_->Items(row) : order_->Items(row);
}

int TDocumentRows::UzelRow(const TUzel* uzel) const
{
    if (!uzel)
        return -1;
    return uzelFilter_ == SurfaceUzels ? mine_->SurfaceUzels.IndexOf(uzel) : mine_->Uzels.IndexOf(uzel);
}

int TDocumentRows::BranchRow(const TBranch* branch) const
{
    if (!branch || Stale())
        return -1;
    return branchFilter_ == IncidentBranches ? incident_->IndexOf(branch) : order_->IndexOf(branch);
}

void TDocumentRows::SortUzels(int order)
{
    mine_->Uzels.Sort(order, order == lastUzelSort_);
    lastUzelSort_ = order;
    auto& surface = mine_->SurfaceUzels;
    surface.ReorderTo(ListSorting::SortedUzels(surface.ToVector(), order, mine_->Uzels.Descending()));
}

void TDocumentRows::SortBranches(int order)
{
    if (Stale())
        Sync();
    order_->Sort(order, order == lastBranchSort_);
    lastBranchSort_ = order;
    incident_->ReorderTo(ListSorting::SortedBranches(incident_->ToVector(), order, order_->Descending()));
}
