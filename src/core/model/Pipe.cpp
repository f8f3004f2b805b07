#include "core/model/Pipe.h"

#include "core/model/Branch.h"
#include "core/model/Device.h"
#include "core/model/Mine.h"
#include "core/model/PipePart.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {
TBranch* RequireBranch(TBranch* branch)
{
    if (!branch)
        throw EOwnerError();
    return branch;
}
}  // namespace

void* TPipe::operator new(std::size_t size, TBranch* branch)
{
    return RequireBranch(branch)->Mine()->Pool().Allocate(size);
}

TPipe::TPipe(TBranch* branch, int kind, int diameter)
    : Devices(RequireBranch(branch)), branch_(branch), kind_(kind), diameter_(diameter)
{
    if (kind == pkGas || kind == pkFire)
        EnsureFirstSection();
}

TPipePart& TPipe::EnsureFirstSection()
{
    if (!firstSection_)
        firstSection_ = kind_ == pkGas ? TGasPipePart::ForPipe(this) : TWaterPipePart::ForPipe(this);
    return *firstSection_;
}

TPipe::~TPipe()
{
    if (branch_->Mine()->Destroying())
        return;
    Devices.Clear();
    if (!Mine()->Loading())
        Mine()->DiamColors.UnregisterPipe(this);
}

TMine* TPipe::Mine() const { return branch_->Mine(); }

void TPipe::TakeTableColor()
{
    if (!Mine()->Loading())
        color_ = Mine()->DiamColors.RegisterPipe(this, false);
}

void TPipe::Changed() { branch_->Changed(true); }

void TPipe::SetDiameter(int value)
{
    if (diameter_ == value)
        return;
    if (Mine()->Loading()) {
        diameter_ = value;
    } else {
        Mine()->DiamColors.UnregisterPipe(this);
        diameter_ = value;
        color_ = Mine()->DiamColors.RegisterPipe(this, false);
    }
    Changed();
}

void TPipe::SetWallThickness(int value)
{
    if (wallThickness_ == value)
        return;
    wallThickness_ = value;
    Changed();
}

void TPipe::SetNotNew(bool value)
{
    if (notNew_ == value)
        return;
    notNew_ = value;
    Changed();
}

void TPipe::SetResistanceMode(int value)
{
    if (resistanceMode_ == value)
        return;
    resistanceMode_ = value;
    Changed();
}

void TPipe::SetFixedResistance(double value)
{
    if (fixedResistance_ == value)
        return;
    fixedResistance_ = value;
    Changed();
}

void TPipe::SetProjected(bool value)
{
    if (projected_ == value)
        return;
    projected_ = value;
    Changed();
}

void TPipe::SetColor(int value)
{
    if (color_ == value)
        return;
    color_ = value;
    branch_->Changed(false);
}

void TPipe::SetExtent(int endCode, double value)
{
    if (endCode != 1 && endCode != 2) {
        Changed();
        return;
    }
    if (!std::isfinite(value))
        return;
    value = std::clamp(value, 0.0, 1.0);
    if (endCode == 1) {
        if (value == startFrac_)
            return;
        if (Devices.Count() > 0 && Devices.First()->Position() < value)
            value = Devices.First()->Position();
        if (value != startFrac_) {
            startFrac_ = value;
            if (endFrac_ < startFrac_)
                endFrac_ = startFrac_;
        }
    } else {
        if (value == endFrac_)
            return;
        if (Devices.Count() > 0 && Devices.Last()->Position() > value)
            value = Devices.Last()->Position();
        if (value != endFrac_) {
            endFrac_ = value;
            if (startFrac_ > endFrac_)
                startFrac_ = endFrac_;
        }
    }
    Changed();
}

void TPipe::CoverPosition(double position)
{
    if (position < startFrac_)
        startFrac_ = position;
    else if (position > endFrac_)
        endFrac_ = position;
}

void TPipe::SetFractions(double startFrac, double endFrac)
{
    if (startFrac_ == startFrac && endFrac_ == endFrac)
        return;
    startFrac_ = startFrac;
    endFrac_ = endFrac;
    Changed();
}

int TPipe::SlotIndex() const { return branch_->Pipes.IndexOf(this); }

int TPipe::SectionCount() const { return Devices.Count() + 1; }

TPipePart* TPipe::GetSection(int index) const
{
    if (index == 0)
        return firstSection_.get();
    if (index < 0 || index > Devices.Count())
        throw EListError(index);
    return Devices.Items(index - 1)->Section();
}

double TPipe::PipeLength() const { return branch_->Length() * std::fabs(endFrac_ - startFrac_); }

double TPipe::FlowArea() const
{
    const double r = diameter_ / 2.0 - wallThickness_;
    return std::numbers::pi * r * r;
}

TPipe::Point3 TPipe::StartPoint() const
{
    const auto p = branch_->PointAt(startFrac_);
    return {p.x, p.y, p.z};
}

TPipe::Point3 TPipe::EndPoint() const
{
    const auto p = branch_->PointAt(endFrac_);
    return {p.x, p.y, p.z};
}

// Water pipes ------------------------------------------------------------------------

TWaterPipe::TWaterPipe(TBranch* branch, int kind) : TPipe(branch, kind, 150) {}

TWaterPipe* TWaterPipe::Create(TBranch* branch, int kind)
{
    RequireBranch(branch);
    auto* p = static_cast<TWaterPipe*>(branch->Pipes.Add(std::unique_ptr<TPipe>(new (branch) TWaterPipe(branch, kind))));
    p->TakeTableColor();
    p->k_ = branch->Mine()->LocalResistanceK();
    return p;
}

void TWaterPipe::SetPresent(bool value)
{
    if (present_ == value)
        return;
    if (value)
        EnsureFirstSection();
    present_ = value;
    if (!Mine()->Loading())
        Mine()->DiamColors.PresentChanged(this);
    Changed();
}

void TWaterPipe::SetK(double value)
{
    if (k_ == value)
        return;
    k_ = value;
    Changed();
}

// Degasification pipes -----------------------------------------------------------------

TGasPipe::TGasPipe(TBranch* branch) : TPipe(branch, pkGas, 309) {}

TGasPipe* TGasPipe::Create(TBranch* branch)
{
    RequireBranch(branch);
    auto* p = static_cast<TGasPipe*>(branch->Pipes.Add(std::unique_ptr<TPipe>(new (branch) TGasPipe(branch))));
    p->TakeTableColor();
    return p;
}

void TGasPipe::SetPipeNo(int value)
{
    if (pipeNo_ == value)
        return;
    pipeNo_ = value;
    Changed();
}

void TGasPipe::SetDiameterType(int value)
{
    if (diameterType_ == value)
        return;
    diameterType_ = value;
    Changed();
}

void TGasPipe::SetTemperature(double value)
{
    if (temperature_ == value)
        return;
    temperature_ = value;
    Changed();
}

void TGasPipe::SetMixtureFlow(double value)
{
    if (mixtureFlow_ == value)
        return;
    mixtureFlow_ = value;
    Changed();
}

void TGasPipe::SetMethaneConcentration(double value)
{
    if (methaneConcentration_ == value)
        return;
    methaneConcentration_ = value;
    Changed();
}

void TGasPipe::SetFixedFlow(bool value)
{
    if (fixedFlow_ == value)
        return;
    fixedFlow_ = value;
    Changed();
}

bool IsLaid(const TPipe* pipe)
{
    if (!pipe)
        return false;
    return pipe->IsGas() || pipe->present_;
}

// Pipe list ------------------------------------------------------------------------------

TPipeList::TPipeList(TBranch* branch) : branch_(RequireBranch(branch)) {}

TPipeList::~TPipeList() { Clear(); }

void TPipeList::ListChanged() { branch_->Changed(true); }

TGasPipe* TPipeList::FindGasPipe(int pipeNo) const
{
    for (int i = 3; i < Count(); ++i)
        if (auto* g = dynamic_cast<TGasPipe*>(Items(i)); g && g->PipeNo() == pipeNo)
            return g;
    return nullptr;
}
