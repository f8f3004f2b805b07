#include "core/history/EditTransaction.h"

#include "core/history/EditHistory.h"
#include "core/model/Branch.h"
#include "core/model/Device.h"
#include "core/model/PipePart.h"
#include "core/model/Uzel.h"
#include "core/tables/DocumentRows.h"

#include <QDebug>
#include <atomic>
#include <unordered_set>

namespace {

std::atomic<int> uncapturedTotal{0};

std::vector<uint64_t> DisplayOrderOf(const TEditTarget& target)
{
    std::vector<uint64_t> out;
    if (target.Rows)
        for (const TBranch* b : target.Rows->LiveBranchOrder())
            out.push_back(b->Serial());
    return out;
}

// The entries of both orders in each order; equal when the survivors kept their places.
bool SurvivorsKeptOrder(const std::vector<uint64_t>& before, const std::vector<uint64_t>& after)
{
    const std::unordered_set<uint64_t> inAfter(after.begin(), after.end());
    const std::unordered_set<uint64_t> inBefore(before.begin(), before.end());
    size_t j = 0;
    for (uint64_t s : before) {
        if (!inAfter.count(s))
            continue;
        while (j < after.size() && !inBefore.count(after[j]))
            ++j;
        if (j >= after.size() || after[j] != s)
            return false;
        ++j;
    }
    return true;
}

// How an order went from before to after; nothing when it did not change.
std::optional<TOrderChange> OrderChange(TOrderList list, const std::vector<uint64_t>& before,
                                        const std::vector<uint64_t>& after, bool placesOnly)
{
    if (before == after)
        return std::nullopt;
    TOrderChange change;
    change.List = list;
    if (!SurvivorsKeptOrder(before, after)) {
        change.Before = before;
        change.After = after;
        return change;
    }
    // The pieces that came and went carry their places in the mine's lists themselves.
    if (placesOnly)
        return std::nullopt;
    const std::unordered_set<uint64_t> inAfter(after.begin(), after.end());
    const std::unordered_set<uint64_t> inBefore(before.begin(), before.end());
    for (size_t i = 0; i < before.size(); ++i)
        if (!inAfter.count(before[i]))
            change.Left.emplace_back(static_cast<int>(i), before[i]);
    for (size_t i = 0; i < after.size(); ++i)
        if (!inBefore.count(after[i]))
            change.Came.emplace_back(static_cast<int>(i), after[i]);
    return change;
}

template <class T, class List>
T* FindBySerial(const List& list, uint64_t serial, int hint, std::unordered_map<uint64_t, T*>& map)
{
    if (hint >= 0 && hint < list.Count() && list.Items(hint)->Serial() == serial)
        return list.Items(hint);
    if (map.empty())
        for (T* item : list)
            map.emplace(item->Serial(), item);
    const auto it = map.find(serial);
    return it == map.end() ? nullptr : it->second;
}

void AddChange(TEditStep& step, std::optional<TUnitState> before, std::optional<TUnitState> after)
{
    if (before && after && before->SameAs(*after))
        return;
    // Records are written with room to grow, up to as much again: what a step keeps, it
    // keeps without the room (a whole-mine step keeps every record twice).
    for (std::optional<TUnitState>* state : {&before, &after})
        if (*state) {
            (*state)->Bytes.squeeze();
            (*state)->Inner.shrink_to_fit();
        }
    step.Units.push_back({std::move(before), std::move(after)});
}

}  // namespace

TEditTransaction::TEditTransaction(TEditHistory* history, const QString& caption, TEditScope scope)
    : history_(history), caption_(caption), scope_(scope)
{
    if (!history_ || !history_->Target().Mine) {
        history_ = nullptr;
        return;
    }
    if (history_->open_) {
        outer_ = history_->open_;
        return;
    }
    const TEditTarget& target = history_->Target();
    history_->open_ = this;
    mine_ = target.Mine;
    firstNewSerial_ = mine_->LastSerial() + 1;
    uzelCount_ = mine_->Uzels.Count();
    branchCount_ = mine_->Branches.Count();
    formerRecorder_ = mine_->EditRecorder();
    mine_->SetEditRecorder(this);
    if (scope_ != TEditScope::Objects) {
        ordersKept_ = true;
        uzelOrder_ = MineUnits::SerialsOf(mine_->Uzels);
        branchOrder_ = MineUnits::SerialsOf(mine_->Branches);
        displayOrder_ = DisplayOrderOf(target);
    }
    if (scope_ == TEditScope::Structure) {
        // A node that comes (added, pasted, a split) joins the branches waiting for its
        // number without telling them, and their labels turn as it is placed: branches
        // missing a node are kept before that can happen.
        for (const TBranch* b : mine_->Branches)
            if (!b->Linked())
                KeepBranch(*b);
    }
    if (scope_ == TEditScope::WholeMine) {
        header_ = MineUnits::CaptureHeader(*mine_);
        seams_ = MineUnits::CaptureSeams(*mine_);
        textBlocks_ = MineUnits::CaptureTextBlocks(*mine_);
        if (target.CaptureSettings)
            settings_ = target.CaptureSettings();
        allUzels_.reserve(static_cast<size_t>(uzelCount_));
        int i = 0;
        for (const TUzel* u : mine_->Uzels)
            allUzels_.push_back(MineUnits::Capture(*u, i++));
        allBranches_.reserve(static_cast<size_t>(branchCount_));
        i = 0;
        for (const TBranch* b : mine_->Branches)
            allBranches_.push_back(MineUnits::Capture(*b, i++));
    }
}

TEditTransaction::~TEditTransaction()
{
    if (!Recording() || done_)
        return;
    // The action failed or was given up: the mine goes back to where it started.
    try {
        const std::unique_ptr<TEditStep> step = Build();
        Finish();
        // Nothing changed: nothing to put back, and no change to tell.
        if (!step->Empty())
            step->Apply(history_->Target(), false);
    } catch (...) {
        Finish();
        qWarning("An edit could not be put back after it failed");
    }
}

int TEditTransaction::UncapturedTotal() { return uncapturedTotal.load(); }

void TEditTransaction::Touch(const TMineObject* object)
{
    if (!history_ || !object)
        return;
    if (outer_) {
        outer_->Touch(object);
        return;
    }
    if (scope_ == TEditScope::WholeMine || done_)
        return;
    switch (object->ObjectKind()) {
    case TObjectKind::Uzel: {
        const auto& uzel = static_cast<const TUzel&>(*object);
        KeepUzel(uzel);
        for (const TBranch* b : uzel.Branches)
            KeepBranch(*b);
        break;
    }
    case TObjectKind::Branch: KeepBranch(static_cast<const TBranch&>(*object)); break;
    case TObjectKind::Device:
        if (const TBranch* b = static_cast<const TDevice&>(*object).Branch())
            KeepBranch(*b);
        break;
    case TObjectKind::PipePart:
        if (const TBranch* b = static_cast<const TPipePart&>(*object).OwnerBranch())
            KeepBranch(*b);
        break;
    case TObjectKind::Layer:
    case TObjectKind::PLFPosition: TouchSeams(); break;
    }
}

void TEditTransaction::TouchHeader()
{
    if (outer_)
        outer_->TouchHeader();
    else if (Recording() && !done_ && !header_)
        header_ = MineUnits::CaptureHeader(*mine_);
}

void TEditTransaction::TouchSeams()
{
    if (outer_)
        outer_->TouchSeams();
    else if (Recording() && !done_ && !seams_)
        seams_ = MineUnits::CaptureSeams(*mine_);
}

void TEditTransaction::TouchTextBlocks()
{
    if (outer_)
        outer_->TouchTextBlocks();
    else if (Recording() && !done_ && !textBlocks_)
        textBlocks_ = MineUnits::CaptureTextBlocks(*mine_);
}

void TEditTransaction::TouchSettings()
{
    if (outer_)
        outer_->TouchSettings();
    else if (Recording() && !done_ && !settings_ && history_->Target().CaptureSettings)
        settings_ = history_->Target().CaptureSettings();
}

void TEditTransaction::KeepUzel(const TUzel& uzel)
{
    if (uzel.Serial() >= firstNewSerial_ || uzels_.count(uzel.Serial()))
        return;
    uzels_.emplace(uzel.Serial(), MineUnits::Capture(uzel, uzel.GetIndex()));
}

void TEditTransaction::KeepBranch(const TBranch& branch)
{
    if (branch.Serial() >= firstNewSerial_ || branches_.count(branch.Serial()))
        return;
    branches_.emplace(branch.Serial(), MineUnits::Capture(branch, branch.GetIndex()));
}

void TEditTransaction::ObjectChanged(const TMineObject& object, bool structural)
{
    structural_ = structural_ || structural;
    if (scope_ == TEditScope::WholeMine)
        return;
    const TMineObject* unit = &object;
    switch (object.ObjectKind()) {
    case TObjectKind::Device: unit = static_cast<const TDevice&>(object).Branch(); break;
    case TObjectKind::PipePart: unit = static_cast<const TPipePart&>(object).OwnerBranch(); break;
    default: break;
    }
    if (!unit || unit->Serial() >= firstNewSerial_)
        return;
    bool kept = true;
    switch (unit->ObjectKind()) {
    case TObjectKind::Uzel: kept = uzels_.count(unit->Serial()) > 0; break;
    case TObjectKind::Branch: kept = branches_.count(unit->Serial()) > 0; break;
    case TObjectKind::Layer:
    case TObjectKind::PLFPosition: kept = seams_.has_value(); break;
    default: break;
    }
    if (!kept) {
        ++uncaptured_;
        ++uncapturedTotal;
    }
}

std::unique_ptr<TEditStep> TEditTransaction::Build()
{
    auto step = std::make_unique<TEditStep>();
    step->Caption = caption_;
    const TEditTarget& target = history_->Target();
    TMine& mine = *mine_;

    if (header_)
        AddChange(*step, header_, MineUnits::CaptureHeader(mine));
    if (seams_)
        AddChange(*step, seams_, MineUnits::CaptureSeams(mine));
    if (textBlocks_)
        AddChange(*step, textBlocks_, MineUnits::CaptureTextBlocks(mine));
    if (settings_ && target.CaptureSettings) {
        QByteArray now = target.CaptureSettings();
        if (now != *settings_) {
            step->SettingsBefore = *settings_;
            step->SettingsAfter = std::move(now);
        }
    }

    bool cameOrWent = false;
    if (scope_ == TEditScope::WholeMine) {
        // Every piece against its earlier self: the lists mostly keep their order, so the
        // same place is tried first.
        const auto compare = [&](const auto& list, std::vector<TUnitState>& before) {
            std::unordered_map<uint64_t, size_t> byserial;
            std::vector<bool> seen(before.size(), false);
            int i = 0;
            for (const auto* item : list) {
                const uint64_t s = item->Serial();
                size_t k = static_cast<size_t>(i);
                if (k >= before.size() || before[k].Serial != s) {
                    if (byserial.empty())
                        for (size_t j = 0; j < before.size(); ++j)
                            byserial.emplace(before[j].Serial, j);
                    const auto it = byserial.find(s);
                    k = it == byserial.end() ? before.size() : it->second;
                }
                if (k < before.size()) {
                    seen[k] = true;
                    AddChange(*step, std::move(before[k]), MineUnits::Capture(*item, i));
                } else {
                    cameOrWent = true;
                    AddChange(*step, std::nullopt, MineUnits::Capture(*item, i));
                }
                ++i;
            }
            for (size_t k = 0; k < before.size(); ++k)
                if (!seen[k]) {
                    cameOrWent = true;
                    AddChange(*step, std::move(before[k]), std::nullopt);
                }
        };
        compare(mine.Uzels, allUzels_);
        compare(mine.Branches, allBranches_);
    } else {
        std::unordered_map<uint64_t, TUzel*> uzelMap;
        std::unordered_map<uint64_t, TBranch*> branchMap;
        for (auto& [serial, before] : uzels_) {
            if (TUzel* u = FindBySerial<TUzel>(mine.Uzels, serial, before.Index, uzelMap)) {
                AddChange(*step, std::move(before), MineUnits::Capture(*u, u->GetIndex()));
            } else {
                cameOrWent = true;
                AddChange(*step, std::move(before), std::nullopt);
            }
        }
        for (auto& [serial, before] : branches_) {
            if (TBranch* b = FindBySerial<TBranch>(mine.Branches, serial, before.Index, branchMap)) {
                AddChange(*step, std::move(before), MineUnits::Capture(*b, b->GetIndex()));
            } else {
                cameOrWent = true;
                AddChange(*step, std::move(before), std::nullopt);
            }
        }
        const bool countsChanged = mine.Uzels.Count() != uzelCount_ || mine.Branches.Count() != branchCount_;
        if (ordersKept_ || countsChanged || cameOrWent) {
            int i = 0;
            for (const TUzel* u : mine.Uzels) {
                if (u->Serial() >= firstNewSerial_) {
                    cameOrWent = true;
                    AddChange(*step, std::nullopt, MineUnits::Capture(*u, i));
                }
                ++i;
            }
            i = 0;
            for (const TBranch* b : mine.Branches) {
                if (b->Serial() >= firstNewSerial_) {
                    cameOrWent = true;
                    AddChange(*step, std::nullopt, MineUnits::Capture(*b, i));
                }
                ++i;
            }
        }
        // Nodes or branches that went without being kept cannot come back.
        if (scope_ == TEditScope::Objects && countsChanged) {
            ++uncaptured_;
            ++uncapturedTotal;
        } else if (ordersKept_) {
            const auto lost = [&](const std::vector<uint64_t>& order, const auto& list, const auto& kept) {
                std::unordered_set<uint64_t> now;
                for (const auto* item : list)
                    now.insert(item->Serial());
                for (uint64_t s : order)
                    if (!now.count(s) && !kept.count(s)) {
                        ++uncaptured_;
                        ++uncapturedTotal;
                    }
            };
            lost(uzelOrder_, mine.Uzels, uzels_);
            lost(branchOrder_, mine.Branches, branches_);
        }
    }

    if (ordersKept_) {
        if (auto o = OrderChange(TOrderList::Uzels, uzelOrder_, MineUnits::SerialsOf(mine.Uzels), true))
            step->Orders.push_back(std::move(*o));
        if (auto o = OrderChange(TOrderList::Branches, branchOrder_, MineUnits::SerialsOf(mine.Branches), true))
            step->Orders.push_back(std::move(*o));
        if (auto o = OrderChange(TOrderList::Display, displayOrder_, DisplayOrderOf(target), false))
            step->Orders.push_back(std::move(*o));
    }
    step->Structural = structural_ || cameOrWent || !step->Orders.empty();
    if (uncaptured_ > 0)
        qWarning("Edit \"%s\": %d changes whose earlier state was not kept", qUtf8Printable(caption_), uncaptured_);
    return step;
}

void TEditTransaction::Finish()
{
    if (!mine_)
        return;
    if (mine_->EditRecorder() == this)
        mine_->SetEditRecorder(formerRecorder_);
    if (history_ && history_->open_ == this)
        history_->open_ = nullptr;
    mine_ = nullptr;
}

bool TEditTransaction::Commit()
{
    if (!history_ || done_)
        return false;
    done_ = true;
    if (outer_)
        return false;
    std::unique_ptr<TEditStep> step = Build();
    Finish();
    if (step->Empty())
        return false;
    history_->Push(std::move(step));
    return true;
}
