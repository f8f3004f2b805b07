#pragma once

#include "core/model/DeviceList.h"
#include "core/model/ModelPool.h"
#include "core/model/ObjectList.h"

#include <memory>

class TBranch;
class TMine;
class TPipePart;
class TDevice;

enum TPipeKind : int { pkFire = 0, pkDrainage = 1, pkAir = 2, pkGas = 3 };

// A pipe along a stretch of its branch, carrying devices that split it into sections.
class TPipe : public TListIndexed {
public:
    virtual ~TPipe();
    TPipe(const TPipe&) = delete;
    // Pipes live in their mine's pool, like the branches that carry them.
    static void* operator new(std::size_t size, TBranch* branch);
    static void operator delete(void* p, TBranch*) { TModelPool::Abandon(p); }
    static void operator delete(void* p, std::size_t size) { TModelPool::Free(p, size); }
    TPipe& operator=(const TPipe&) = delete;

    TBranch* Branch() const { return branch_; }
    TMine* Mine() const;
    int Kind() const { return kind_; }
    bool IsGas() const { return kind_ == pkGas; }
    int Diameter() const { return diameter_; }
    int WallThickness() const { return wallThickness_; }
    bool NotNew() const { return notNew_; }
    double StartFrac() const { return startFrac_; }
    double EndFrac() const { return endFrac_; }
    int Color() const { return color_; }
    int ResistanceMode() const { return resistanceMode_; }
    double FixedResistance() const { return fixedResistance_; }
    bool Projected() const { return projected_; }

    // Device kinds the pipe carries: water pipes 1-5 and 10, degasification pipes 6-9.
    virtual bool AcceptsKind(int deviceKind) const = 0;
    static bool WaterAccepts(int deviceKind) { return (deviceKind >= 1 && deviceKind <= 5) || deviceKind == 10; }
    static bool GasAccepts(int deviceKind) { return deviceKind >= 6 && deviceKind <= 9; }

    // The section from the pipe's start to its first device, or null: a drainage or
    // compressed-air pipe that is neither laid nor carries a device has none (most of a
    // mine's are so). It comes into being when the pipe is laid or takes a device and then
    // stays with the pipe. Fire-fighting pipes (whose first section carries the result label
    // the file keeps) and degasification pipes always have theirs.
    TPipePart* FirstSection() const { return firstSection_.get(); }
    TPipePart& EnsureFirstSection();
    TDeviceList Devices;

    void SetDiameter(int value);
    void SetWallThickness(int value);
    void SetNotNew(bool value);
    void SetResistanceMode(int value);
    void SetFixedResistance(double value);
    void SetProjected(bool value);
    // The colour is kept as given (the diameter colour table hands it out).
    void SetColor(int value);
    void SetColorQuietly(int value) { color_ = value; }
    // End code 1 = start, 2 = end; the pipe never leaves one of its devices outside.
    void SetExtent(int endCode, double fraction);
    // Grows the pipe to cover a device position, without a notification of its own.
    void CoverPosition(double position);
    // Stores both fractions as they are, for reading a file (no clamping to devices).
    void SetFractions(double startFrac, double endFrac);

    int SlotIndex() const;
    // Sections counted as the devices split the pipe; section 0 is FirstSection and may be
    // null, the others are the devices' own.
    int SectionCount() const;
    TPipePart* GetSection(int index) const;
    double PipeLength() const;
    double FlowArea() const;
    struct Point3 { double x, y, z; };
    Point3 StartPoint() const;
    Point3 EndPoint() const;

protected:
    TPipe(TBranch* branch, int kind, int diameter);
    // Registers with the diameter colour table unless the mine is loading.
    void TakeTableColor();
    void Changed();

    // Grouped by size: a mine has hundreds of thousands of pipes.
    TBranch* branch_;
    // Null only as FirstSection says.
    std::unique_ptr<TPipePart> firstSection_;
    double startFrac_ = 0;
    double endFrac_ = 1;
    double fixedResistance_ = 0;
    int kind_;
    int diameter_;
    int wallThickness_ = 0;
    int color_ = 0;
    int resistanceMode_ = 0;
    bool notNew_ = false;
    bool projected_ = false;
    // Laid flag of water pipes; kept here so the laid test needs no cast, even while a pipe
    // is being destroyed.
    bool present_ = false;

    friend bool IsLaid(const TPipe* pipe);
};

// Fire-fighting and irrigation (kind 0), drainage (1) and compressed-air (2) pipes. They
// exist on every branch; Present says whether the pipe is laid.
class TWaterPipe : public TPipe {
public:
    static TWaterPipe* Create(TBranch* branch, int kind);

    bool AcceptsKind(int deviceKind) const override { return WaterAccepts(deviceKind); }
    bool Present() const { return present_; }
    double K() const { return k_; }
    void SetPresent(bool value);
    void SetK(double value);

private:
    TWaterPipe(TBranch* branch, int kind);
    double k_ = 1.05;
};

// Degasification pipe (kind 3), slots 3 and up.
class TGasPipe : public TPipe {
public:
    static TGasPipe* Create(TBranch* branch);

    bool AcceptsKind(int deviceKind) const override { return GasAccepts(deviceKind); }
    int PipeNo() const { return pipeNo_; }
    int DiameterType() const { return diameterType_; }
    double Temperature() const { return temperature_; }
    double MixtureFlow() const { return mixtureFlow_; }
    double MethaneConcentration() const { return methaneConcentration_; }
    bool FixedFlow() const { return fixedFlow_; }
    void SetPipeNo(int value);
    void SetDiameterType(int value);
    void SetTemperature(double value);
    void SetMixtureFlow(double value);
    void SetMethaneConcentration(double value);
    void SetFixedFlow(bool value);

private:
    explicit TGasPipe(TBranch* branch);
    int pipeNo_ = 0;
    int diameterType_ = 0;
    double temperature_ = 14.0;
    double mixtureFlow_ = 0;
    double methaneConcentration_ = 0;
    bool fixedFlow_ = false;
};

// Laid test: false for no pipe, true for a degasification pipe, Present for a water pipe.
bool IsLaid(const TPipe* pipe);

// The pipes of a branch; adding or removing one is a change of the branch. The three water
// pipes every branch has are kept in the list itself.
class TPipeList : public TOwningList<TPipe, 3> {
public:
    explicit TPipeList(TBranch* branch);
    ~TPipeList() override;
    TBranch* Branch() const { return branch_; }
    // First degasification pipe with the number, or null.
    TGasPipe* FindGasPipe(int pipeNo) const;

protected:
    void ListChanged() override;

private:
    TBranch* branch_;
};
