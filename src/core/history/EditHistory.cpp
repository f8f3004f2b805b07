#include "core/history/EditHistory.h"

#include "core/model/Mine.h"

#include <algorithm>

TEditHistory::TEditHistory(TEditTarget target) : target_(std::move(target)) {}

TEditHistory::~TEditHistory() = default;

void TEditHistory::SetTarget(TEditTarget target)
{
    target_ = std::move(target);
    Clear();
}

void TEditHistory::Clear()
{
    steps_.clear();
    position_ = 0;
    savedPosition_ = 0;
    savedKnown_ = true;
    dropped_ = 0;
    bytes_ = 0;
    Changed();
}

QString TEditHistory::UndoCaption() const { return CanUndo() ? Step(position_ - 1).Caption : QString(); }

QString TEditHistory::RedoCaption() const { return CanRedo() ? Step(position_).Caption : QString(); }

bool TEditHistory::Undo()
{
    if (!CanUndo() || !target_.Mine)
        return false;
    Step(position_ - 1).Apply(target_, false);
    --position_;
    Changed();
    if (OnApplied)
        OnApplied();
    return true;
}

bool TEditHistory::Redo()
{
    if (!CanRedo() || !target_.Mine)
        return false;
    Step(position_).Apply(target_, true);
    ++position_;
    Changed();
    if (OnApplied)
        OnApplied();
    return true;
}

bool TEditHistory::GoTo(int position)
{
    if (open_ || !target_.Mine || position < 0 || position > Count())
        return false;
    if (position == position_)
        return true;
    // One notice for the whole walk: the views refresh once.
    target_.Mine->BeginChangeBatch();
    try {
        while (position_ > position) {
            Step(position_ - 1).Apply(target_, false);
            --position_;
        }
        while (position_ < position) {
            Step(position_).Apply(target_, true);
            ++position_;
        }
    } catch (...) {
        target_.Mine->EndChangeBatch();
        Changed();
        throw;
    }
    target_.Mine->EndChangeBatch();
    Changed();
    if (OnApplied)
        OnApplied();
    return true;
}

void TEditHistory::MarkSaved()
{
    savedPosition_ = position_;
    savedKnown_ = true;
    Changed();
}

void TEditHistory::SetLimits(int maxSteps, qint64 maxBytes)
{
    maxSteps_ = std::max(1, maxSteps);
    maxBytes_ = std::max<qint64>(0, maxBytes);
    Trim();
}

void TEditHistory::Push(std::unique_ptr<TEditStep> step)
{
    // A new step ends the steps that were undone.
    while (Count() > position_) {
        bytes_ -= steps_.back()->Footprint();
        steps_.pop_back();
    }
    if (savedPosition_ > position_)
        savedKnown_ = false;
    bytes_ += step->Footprint();
    steps_.push_back(std::move(step));
    ++position_;
    Trim();
    Changed();
}

void TEditHistory::Trim()
{
    int drop = 0;
    qint64 bytes = bytes_;
    while (drop < position_ && Count() - drop > 1 && (Count() - drop > maxSteps_ || bytes > maxBytes_)) {
        bytes -= steps_[static_cast<size_t>(drop)]->Footprint();
        ++drop;
    }
    if (drop == 0)
        return;
    steps_.erase(steps_.begin(), steps_.begin() + drop);
    bytes_ = bytes;
    position_ -= drop;
    savedPosition_ -= drop;
    if (savedPosition_ < 0)
        savedKnown_ = false;
    dropped_ += drop;
}

void TEditHistory::Changed()
{
    if (OnChanged)
        OnChanged();
}
