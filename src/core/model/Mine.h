#pragma once

#include "core/model/DeviceList.h"
#include "core/model/DiamColor.h"
#include "core/model/Layer.h"
#include "core/model/MineLists.h"
#include "core/model/NumberIndex.h"
#include "core/model/ModelPool.h"
#include "core/model/SelectionList.h"
#include "core/model/TextBlock2D.h"

#include <QUuid>
#include <array>
#include <functional>
#include <vector>

inline constexpr int kCurrentStreamVersion = 17;

// Hears of every object that reports a change while an edit is being recorded: the undo
// history checks that it kept what the object was before.
class IEditRecorder {
public:
    virtual void ObjectChanged(const TMineObject& object, bool structural) = 0;

protected:
    ~IEditRecorder() = default;
};

// Root of one network document: owns every node, branch, seam, plan position and text
// block, and through the branches every pipe and device.
class TMine {
    // First member: the objects of every list below live in it, so it goes last.
    TModelPool pool_;

public:
    using ChangeHandler = std::function<void(TMine* sender, bool structural)>;

    explicit TMine(const QString& name = QString());
    ~TMine();
    TMine(const TMine&) = delete;
    TMine& operator=(const TMine&) = delete;

    const QUuid& Guid() const { return guid_; }
    void SetGuid(const QUuid& guid) { guid_ = guid; }

    const QString& Name() const { return name_; }
    void SetName(const QString& name);
    const QString& Remark() const { return remark_; }
    void SetRemark(const QString& remark);

    // The point the schemas are centred on: axis 1 = X, 2 = Y, 3 = Z.
    int CenterX() const { return center_[0]; }
    int CenterY() const { return center_[1]; }
    int CenterZ() const { return center_[2]; }
    int Center(int axis) const { return axis >= 1 && axis <= 3 ? center_[axis - 1] : 0; }
    void SetCenter(int axis, int value);

    bool Modified() const { return modified_; }
    void SetModified(bool modified, bool structural);

    // Many changes told as one: while a batch is open the change event waits, and its end
    // raises one (structural when any change was) if anything changed. Batches nest.
    void BeginChangeBatch() { ++batchDepth_; }
    void EndChangeBatch();

    // The document's handler; further listeners (windows) subscribe and unsubscribe.
    ChangeHandler OnChange;
    int Subscribe(ChangeHandler handler);
    void Unsubscribe(int token);

    double MinX() const { return min_[0]; }
    double MinY() const { return min_[1]; }
    double MinZ() const { return min_[2]; }
    double MaxX() const { return max_[0]; }
    double MaxY() const { return max_[1]; }
    double MaxZ() const { return max_[2]; }
    double MinOf(int axis) const { return min_[axis]; }
    double MaxOf(int axis) const { return max_[axis]; }
    void RecalcBounds();
    // A node coordinate on axis 0..2 moved from oldValue to newValue.
    void CoordinateMoved(int axis, double oldValue, double newValue);

    int StreamVersion() const { return streamVersion_; }
    void SetStreamVersion(int version) { streamVersion_ = version; }
    bool Loading() const { return loading_; }
    void SetLoading(bool loading) { loading_ = loading; }

    double LocalResistanceK() const { return localResistanceK_; }
    void SetLocalResistanceK(double k) { localResistanceK_ = k; }

    bool Destroying() const { return destroying_; }
    IEditRecorder* EditRecorder() const { return editRecorder_; }
    void SetEditRecorder(IEditRecorder* recorder) { editRecorder_ = recorder; }
    // Where the mine's nodes, branches, pipes, sections, devices, seams and plan positions live.
    TModelPool& Pool() { return pool_; }
    uint64_t NextSerial() { return ++lastSerial_; }
    // Objects made after this was read have greater serials.
    uint64_t LastSerial() const { return lastSerial_; }

    // Convenience for editing: frees the object through its owning list.
    void DeleteUzel(TUzel* uzel);
    void DeleteBranch(TBranch* branch);

    // Resolves a stable reference; null when the object no longer exists.
    TMineObject* FindObject(TObjectKind kind, uint64_t serial) const;

    // Lookups that keep linking fast in large mines. The first node with the number in
    // list order (skipping one node), and the branches whose start or end number equals
    // the number, in list order. The branch-end index is built on its first use: while a
    // file is read every node exists before the first branch, so nothing asks for it.
    TUzel* FirstUzelWithNumber(int number, const TUzel* except = nullptr) const;
    std::vector<TBranch*> BranchesWithEnd(int number, bool start) const;
    void IndexUzelNumber(TUzel* uzel, int number);
    void UnindexUzelNumber(TUzel* uzel, int number);
    void IndexBranchEnd(TBranch* branch, int number, bool start);
    void UnindexBranchEnd(TBranch* branch, int number, bool start);

    // Lists, in construction order.
    TLayerList Layers;
    TPLFPositionList PLFPositions;
    TUzelList Uzels;
    TInfoUzelList SurfaceUzels;
    TBranchList Branches;
    TSelectionList Selection;
    std::array<TInfoDeviceList, 4> DevicesByPipeKind;
    TDiamColorController DiamColors;
    TTextBlock2DList TextBlocks;

private:
    void Notify(bool structural);

    QUuid guid_;
    QString name_;
    QString remark_;
    std::array<int, 3> center_{0, 0, 0};
    std::array<double, 3> min_{};
    std::array<double, 3> max_{};
    bool modified_ = false;
    int streamVersion_ = kCurrentStreamVersion;
    bool loading_ = false;
    bool destroying_ = false;
    double localResistanceK_ = 1.05;
    uint64_t lastSerial_ = 0;
    int batchDepth_ = 0;
    bool batchChanged_ = false;
    bool batchStructural_ = false;
    IEditRecorder* editRecorder_ = nullptr;

    std::vector<std::pair<int, ChangeHandler>> listeners_;
    int nextListenerToken_ = 0;

    void IndexBranchEnds() const;

    // One entry per object (numbers are nearly always unique): no list per number.
    TNumberIndex<TUzel> uzelsByNumber_;
    mutable bool branchEndsIndexed_ = false;
    mutable TNumberIndex<TBranch> branchesByStart_;
    mutable TNumberIndex<TBranch> branchesByEnd_;
};
