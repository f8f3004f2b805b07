#pragma once

#include "core/history/EditStep.h"
#include "core/history/EditTarget.h"

#include <functional>
#include <memory>
#include <vector>

class TEditTransaction;

// The undo and redo history of one document: the steps done (before Position) and undone
// (from Position on), and the point the document was last saved at. It keeps at most
// MaxSteps steps and MaxBytes of memory, letting the oldest go first, never the newest.
class TEditHistory {
public:
    static constexpr int kMaxSteps = 100;
    static constexpr qint64 kMaxBytes = qint64(64) << 20;

    explicit TEditHistory(TEditTarget target = {});
    ~TEditHistory();
    TEditHistory(const TEditHistory&) = delete;
    TEditHistory& operator=(const TEditHistory&) = delete;

    const TEditTarget& Target() const { return target_; }
    // Another mine (a file read into the window, a merge): the history starts afresh at its
    // saved point.
    void SetTarget(TEditTarget target);
    void Clear();

    int Count() const { return static_cast<int>(steps_.size()); }
    int Position() const { return position_; }
    const TEditStep& Step(int index) const { return *steps_.at(static_cast<size_t>(index)); }
    bool CanUndo() const { return !open_ && position_ > 0; }
    bool CanRedo() const { return !open_ && position_ < Count(); }
    // Captions of the step an undo or a redo would take (empty when none).
    QString UndoCaption() const;
    QString RedoCaption() const;

    // False when there is nothing to take or an edit is being recorded. An undo that fails
    // midway (it should not) throws; the history then stands before that step.
    bool Undo();
    bool Redo();
    // Undoes or redoes until Position() is position.
    bool GoTo(int position);

    // The document was saved (or read) now.
    void MarkSaved();
    // The mine is as it was last saved: undoing back there clears the modified flag.
    bool AtSavedPoint() const { return savedKnown_ && savedPosition_ == position_; }

    // Steps let go to stay within the bounds, since the history was last cleared.
    int DroppedSteps() const { return dropped_; }
    qint64 Footprint() const { return bytes_; }
    void SetLimits(int maxSteps, qint64 maxBytes);

    // Steps or the position changed (a step done, undone, redone, let go).
    std::function<void()> OnChanged;
    // The mine was put back to an earlier or later state (after Undo, Redo, GoTo).
    std::function<void()> OnApplied;

    // The transaction being recorded, if any (transactions opened inside it join it).
    TEditTransaction* Open() const { return open_; }

private:
    friend class TEditTransaction;
    void Push(std::unique_ptr<TEditStep> step);
    void Trim();
    void Changed();

    TEditTarget target_;
    std::vector<std::unique_ptr<TEditStep>> steps_;
    int position_ = 0;
    int savedPosition_ = 0;
    bool savedKnown_ = true;
    int dropped_ = 0;
    qint64 bytes_ = 0;
    int maxSteps_ = kMaxSteps;
    qint64 maxBytes_ = kMaxBytes;
    TEditTransaction* open_ = nullptr;
};
