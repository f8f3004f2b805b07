#include "core/history/EditStep.h"

#include "core/history/EditTarget.h"
#include "core/model/Branch.h"
#include "core/model/Mine.h"
#include "core/model/Pipe.h"
#include "core/model/Uzel.h"
#include "core/tables/DocumentRows.h"

#include <algorithm>
#include <array>
#include <unordered_map>

namespace {

// Finds the objects of one of the mine's lists by serial: first at the place the step
// remembers (nearly always right), else through a map made on the first miss.
template <class T, class List>
class Finder {
public:
    explicit Finder(List& list) : list_(list) {}

    T* Find(uint64_t serial, int hint)
    {
        if (hint >= 0 && hint < list_.Count()) {
            T* at = list_.Items(hint);
            if (at->Serial() == serial)
                return at;
        }
        if (!mapped_) {
            map_.reserve(static_cast<size_t>(list_.Count()));
            for (T* item : list_)
                map_.emplace(item->Serial(), item);
            mapped_ = true;
        }
        const auto it = map_.find(serial);
        return it == map_.end() ? nullptr : it->second;
    }
    void Forget(uint64_t serial)
    {
        if (mapped_)
            map_.erase(serial);
    }
    void Learn(T* item)
    {
        if (mapped_)
            map_.emplace(item->Serial(), item);
    }

private:
    List& list_;
    bool mapped_ = false;
    std::unordered_map<uint64_t, T*> map_;
};

// The mine's change event waits for the end of the step, also when applying it fails.
class ChangeBatch {
public:
    explicit ChangeBatch(TMine& mine) : mine_(mine) { mine_.BeginChangeBatch(); }
    ~ChangeBatch() { mine_.EndChangeBatch(); }
    ChangeBatch(const ChangeBatch&) = delete;
    ChangeBatch& operator=(const ChangeBatch&) = delete;

private:
    TMine& mine_;
};

template <class T, class List>
std::vector<T*> Resolve(List& list, const std::vector<uint64_t>& serials)
{
    std::unordered_map<uint64_t, T*> bySerial;
    bySerial.reserve(static_cast<size_t>(list.Count()));
    for (T* item : list)
        bySerial.emplace(item->Serial(), item);
    std::vector<T*> out;
    out.reserve(serials.size());
    for (uint64_t s : serials)
        if (const auto it = bySerial.find(s); it != bySerial.end())
            out.push_back(it->second);
    return out;
}

// The display order brought to the side wanted: full orders, or the entries that left and
// came taken back out and put back in.
std::vector<uint64_t> DisplaySerials(const TOrderChange& change, const std::vector<uint64_t>& current, bool after)
{
    if (!change.Before.empty() || !change.After.empty())
        return after ? change.After : change.Before;
    const auto& out = after ? change.Left : change.Came;
    const auto& in = after ? change.Came : change.Left;
    std::vector<uint64_t> order;
    order.reserve(current.size());
    for (uint64_t s : current)
        if (std::none_of(out.begin(), out.end(), [s](const auto& e) { return e.second == s; }))
            order.push_back(s);
    for (const auto& [place, serial] : in)  // ascending places
        order.insert(order.begin() + std::clamp<std::ptrdiff_t>(place, 0, std::ssize(order)), serial);
    return order;
}

bool TableColoursHold(const TMine& mine, const std::vector<const TBranch*>& branches)
{
    for (const TBranch* b : branches)
        if (const TPipe* fire = b->FirePipe()) {
            const int i = mine.DiamColors.IndexOfDiameter(fire->Diameter());
            if (i < 0 || mine.DiamColors.Entry(i).Color != fire->Color())
                return false;
        }
    return true;
}

}  // namespace

qint64 TEditStep::Footprint() const
{
    qint64 bytes = static_cast<qint64>(sizeof(TEditStep)) + Caption.capacity() * 2 + SettingsBefore.capacity() +
                   SettingsAfter.capacity();
    for (const TUnitChange& c : Units) {
        bytes += static_cast<qint64>(sizeof(TUnitChange));
        if (c.Before)
            bytes += c.Before->Footprint();
        if (c.After)
            bytes += c.After->Footprint();
    }
    for (const TOrderChange& o : Orders)
        bytes += static_cast<qint64>(sizeof(TOrderChange) +
                                     (o.Before.capacity() + o.After.capacity()) * sizeof(uint64_t) +
                                     (o.Left.capacity() + o.Came.capacity()) * sizeof(std::pair<int, uint64_t>));
    return bytes;
}

void TEditStep::Apply(const TEditTarget& target, bool after) const
{
    TMine& mine = *target.Mine;
    ChangeBatch batch(mine);
    const auto want = [after](const TUnitChange& c) -> const std::optional<TUnitState>& {
        return after ? c.After : c.Before;
    };
    const auto have = [after](const TUnitChange& c) -> const std::optional<TUnitState>& {
        return after ? c.Before : c.After;
    };

    // The display order as it stands, taken before any branch goes: a branch that comes back
    // may be given the memory of one that went, and would then seem to stand in its row.
    std::vector<uint64_t> shown;
    if (target.Rows)
        for (const TOrderChange& o : Orders)
            if (o.List == TOrderList::Display && o.Before.empty() && o.After.empty()) {
                for (const TBranch* b : target.Rows->LiveBranchOrder())
                    shown.push_back(b->Serial());
                break;
            }

    // Mine-wide pieces first: seams that come back are there before branches name them.
    for (const TUnitChange& c : Units)
        if (const auto& w = want(c); w && w->Kind != TUnitKind::Uzel && w->Kind != TUnitKind::Branch)
            MineUnits::Restore(mine, *w);

    Finder<TUzel, TUzelList> uzels(mine.Uzels);
    Finder<TBranch, TBranchList> branches(mine.Branches);

    // The bounds follow node by node while few nodes move, else once over all nodes.
    bool wholeBounds = false;
    std::vector<std::pair<TUzel*, std::array<double, 3>>> moved;
    const auto nodeMoved = [&](TUzel* u, std::array<double, 3> old) {
        if (!wholeBounds && moved.size() < 16)
            moved.emplace_back(u, old);
        else
            wholeBounds = true;
    };

    // What the wanted side does not have goes: branches before nodes.
    for (const TUnitKind kind : {TUnitKind::Branch, TUnitKind::Uzel})
        for (const TUnitChange& c : Units) {
            const auto& h = have(c);
            if (want(c) || !h || h->Kind != kind)
                continue;
            if (kind == TUnitKind::Branch) {
                if (TBranch* b = branches.Find(h->Serial, h->Index)) {
                    branches.Forget(h->Serial);
                    mine.DeleteBranch(b);
                }
            } else if (TUzel* u = uzels.Find(h->Serial, h->Index)) {
                uzels.Forget(h->Serial);
                mine.DeleteUzel(u);
                wholeBounds = true;
            }
        }

    // Pieces on both sides take the wanted state in place; the rest come back, each at its
    // place, in ascending places so that every place is right when it is taken.
    std::vector<const TBranch*> branchesRead;
    std::vector<const TUnitState*> comeback;
    for (const TUnitChange& c : Units) {
        const auto& w = want(c);
        const auto& h = have(c);
        if (!w || (w->Kind != TUnitKind::Uzel && w->Kind != TUnitKind::Branch))
            continue;
        if (!h) {
            comeback.push_back(&*w);
            continue;
        }
        if (w->Kind == TUnitKind::Uzel) {
            if (TUzel* u = uzels.Find(h->Serial, h->Index)) {
                const std::array<double, 3> old{u->X(), u->Y(), u->Z()};
                MineUnits::Restore(*u, *w);
                nodeMoved(u, old);
            }
        } else if (TBranch* b = branches.Find(h->Serial, h->Index)) {
            MineUnits::Restore(*b, *w);
            branchesRead.push_back(b);
        }
    }
    std::stable_sort(comeback.begin(), comeback.end(),
                     [](const TUnitState* a, const TUnitState* b) { return a->Index < b->Index; });
    for (const TUnitKind kind : {TUnitKind::Uzel, TUnitKind::Branch})
        for (const TUnitState* s : comeback) {
            if (s->Kind != kind)
                continue;
            if (kind == TUnitKind::Uzel) {
                TUzel* u = MineUnits::RecreateUzel(mine, *s);
                const int from = mine.Uzels.Count() - 1;
                if (s->Index >= 0 && s->Index < from)
                    mine.Uzels.Move(from, s->Index);
                uzels.Learn(u);
                nodeMoved(u, {u->X(), u->Y(), u->Z()});
            } else {
                TBranch* b = MineUnits::RecreateBranch(mine, *s);
                const int from = mine.Branches.Count() - 1;
                if (s->Index >= 0 && s->Index < from)
                    mine.Branches.Move(from, s->Index);
                branches.Learn(b);
                branchesRead.push_back(b);
            }
        }

    for (const TOrderChange& o : Orders) {
        if (o.List == TOrderList::Uzels)
            mine.Uzels.ReorderTo(Resolve<TUzel>(mine.Uzels, after ? o.After : o.Before));
        else if (o.List == TOrderList::Branches)
            mine.Branches.ReorderTo(Resolve<TBranch>(mine.Branches, after ? o.After : o.Before));
        else if (target.Rows)
            target.Rows->SetBranchOrder(Resolve<TBranch>(mine.Branches, DisplaySerials(o, shown, after)));
    }

    const QByteArray& settings = after ? SettingsAfter : SettingsBefore;
    if (SettingsBefore != SettingsAfter && target.RestoreSettings)
        target.RestoreSettings(settings);

    if (wholeBounds) {
        mine.RecalcBounds();
    } else {
        for (const auto& [u, old] : moved)
            for (int axis = 0; axis < 3; ++axis)
                mine.CoordinateMoved(axis, old[static_cast<size_t>(axis)], axis == 0 ? u->X() : axis == 1 ? u->Y() : u->Z());
    }
    if (!branchesRead.empty() && !TableColoursHold(mine, branchesRead))
        mine.DiamColors.Rebuild();
    mine.SetModified(true, Structural);
}
