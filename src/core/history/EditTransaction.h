#pragma once

#include "core/history/EditStep.h"
#include "core/model/Mine.h"

#include <QString>
#include <memory>
#include <optional>
#include <unordered_map>
#include <vector>

class TBranch;
class TEditHistory;
class TMineObject;
class TUzel;

// How much of the mine a user action may change, and so what the transaction keeps before
// it runs:
// - Objects: only what Touch names (a cell, a drag, a property window); nodes and branches
//   neither come nor go.
// - Structure: as Objects, and nodes and branches may come and go (those that go must have
//   been touched); the orders of the lists are kept.
// - WholeMine: everything (services, paste, import, dialogs that reach far); costs a pass over
//   the mine before and after.
enum class TEditScope : uint8_t { Objects, Structure, WholeMine };

// One user action recorded as one step of a document's history. Open it before the action
// changes anything, Touch what a narrow scope will change, Commit when done. A transaction
// that ends without Commit (an exception) puts back what it kept. Opened while another one
// records, it joins that one. Without a history (null) it does nothing.
class TEditTransaction : private IEditRecorder {
public:
    TEditTransaction(TEditHistory* history, const QString& caption, TEditScope scope = TEditScope::WholeMine);
    ~TEditTransaction();
    TEditTransaction(const TEditTransaction&) = delete;
    TEditTransaction& operator=(const TEditTransaction&) = delete;

    // Keeps the piece the object belongs to (a device, section or pipe: its branch; a node:
    // also the branches at it, whose labels follow it on the schema).
    void Touch(const TMineObject* object);
    void TouchHeader();
    void TouchSeams();
    void TouchTextBlocks();
    void TouchSettings();

    void SetCaption(const QString& caption) { caption_ = caption; }
    // Records the step; false when nothing changed (no step) or when joined to another.
    bool Commit();
    // Objects that changed although their earlier state was not kept: a fault of the caller,
    // which tests look for. Counted up to Commit.
    int Uncaptured() const { return uncaptured_; }
    // All transactions' uncaptured changes since the program started (for tests).
    static int UncapturedTotal();

private:

    void ObjectChanged(const TMineObject& object, bool structural) override;
    bool Recording() const { return history_ && !outer_; }
    void KeepUzel(const TUzel& uzel);
    void KeepBranch(const TBranch& branch);
    std::unique_ptr<TEditStep> Build();
    void Finish();

    TEditHistory* history_;
    TEditTransaction* outer_ = nullptr;
    TMine* mine_ = nullptr;
    QString caption_;
    TEditScope scope_;
    bool done_ = false;
    uint64_t firstNewSerial_ = 0;
    int uzelCount_ = 0, branchCount_ = 0;
    bool structural_ = false;
    int uncaptured_ = 0;
    IEditRecorder* formerRecorder_ = nullptr;

    std::optional<TUnitState> header_, seams_, textBlocks_;
    std::optional<QByteArray> settings_;
    // Kept nodes and branches by serial (Objects, Structure) or in list order (WholeMine).
    std::unordered_map<uint64_t, TUnitState> uzels_, branches_;
    std::vector<TUnitState> allUzels_, allBranches_;
    // Orders at the start (Structure and WholeMine).
    bool ordersKept_ = false;
    std::vector<uint64_t> uzelOrder_, branchOrder_, displayOrder_;
};
