#pragma once

#include "core/model/LabelOffset.h"
#include "core/model/MineObject.h"

#include <QString>
#include <memory>

class TBranch;
class TPipe;
class TPipePart;

// Device kind codes, as the file stores them before each device record.
enum TDeviceKind : int {
    dkAll = 0,
    dkPump = 1,
    dkReducer = 2,
    dkGate = 3,
    dkCrane = 4,
    dkJetBreakTank = 5,
    dkVacuumPump = 6,
    dkSlit = 7,
    dkConnection = 8,
    dkNumberDev = 9,
    dkFireMachine = 10,
};
inline constexpr int kDeviceKindCount = 10;

// Equipment on a pipe of a branch. It stands at a fraction of the branch length and owns
// the pipe section that begins at it.
class TDevice : public TMineObject {
public:
    // The device factory: a device of the kind on the pipe, or null for an unknown code.
    static TDevice* CreateDevice(TBranch* branch, TPipe* pipe, int kind);
    template <class D>
    static D* Create(TBranch* branch, TPipe* pipe);

    ~TDevice() override;

    TObjectKind ObjectKind() const override { return TObjectKind::Device; }
    virtual int GetKind() const = 0;

    static QString KindName(int kind);
    static QString KindFilterName(int kind);
    QString KindName() const { return KindName(GetKind()); }

    TBranch* Branch() const { return branch_; }
    TPipe* Pipe() const { return pipe_; }
    TPipePart* Section() const { return section_.get(); }
    double Position() const { return position_; }
    const QString& Model() const { return model_; }
    const QString& PPZNumber() const { return ppzNumber_; }
    const TLabelOffset& LabelOffset() const { return labelOffset_; }

    virtual void SetModel(const QString& value);
    void SetPPZNumber(const QString& value);
    void SetLabelOffset(const TLabelOffset& offset);
    // Clamps to [0, 1]; the pipe grows to cover the device. The caller re-sorts the pipe's
    // devices.
    void SetPosition(double fraction);
    // Stores the position as read from a file.
    void SetPositionRaw(double fraction) { position_ = fraction; }

    void MoveToPipe(TPipe* pipe);
    // Moves to the pipe in the same slot of another branch; refused when it has none.
    void MoveToBranch(TBranch* branch);

    // The section that ends at this device.
    TPipePart* IncomingSection() const;

    int GetIndex() const override;
    double GetX() const override;
    double GetY() const override;
    double GetZ() const override;
    float GetSX() const override;
    float GetSY() const override;
    QString GetInfoText(bool) const override { return QString(); }

protected:
    explicit TDevice(TBranch* branch);

private:
    static TMine* BranchMine(TBranch* branch);
    void Attach(TPipe* pipe, std::unique_ptr<TDevice> self);
    std::unique_ptr<TDevice> Detach(int* slot);
    void CreateSection();

    TBranch* branch_;
    double position_ = 0;
    QString model_;
    QString ppzNumber_;
    TPipe* pipe_ = nullptr;
    std::unique_ptr<TPipePart> section_;
    TLabelOffset labelOffset_ = TLabelOffset::Make(15, -15);
};

template <class D>
D* TDevice::Create(TBranch* branch, TPipe* pipe)
{
    if (!branch || !pipe)
        throw EOwnerError();
    auto owned = std::unique_ptr<D>(new (BranchMine(branch)) D(branch));
    D* device = owned.get();
    device->Attach(pipe, std::move(owned));
    device->CreateSection();
    return device;
}
