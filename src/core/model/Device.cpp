#include "core/model/Device.h"

#include "core/model/Branch.h"
#include "core/model/DeviceKinds.h"
#include "core/model/Mine.h"
#include "core/model/Pipe.h"
#include "core/model/PipePart.h"

#include <algorithm>
#include <cmath>

namespace {
TMine* MineOfBranch(TBranch* branch)
{
    if (!branch)
        throw EOwnerError();
    return branch->Mine();
}

struct KindTexts {
    const char* name;
    const char* filter;
};
const KindTexts kKindTexts[] = {
    {"все оборудование", "все оборудование"},
    {"Насос", "только насосы"},
    {"Гидроредуктор", "только гидроредукторы"},
    {"Задвижка", "только задвижки"},
    {"Кран", "только краны"},
    {"Резервуар (БРС)", "только резервуары (БРС)"},
    {"Вакуум-насос", "только вакуум-насосы"},
    {"Дегаз. скважина", "только дегазационные скважины"},
    {"Соединение труб", "только соединения труб"},
    {"Нумерованный узел", "только нумерован. узлы"},
    {"Пожарная машина", "только пожарные машины"},
};

int ViewIndex(const TPipe* pipe) { return std::clamp(pipe->Kind(), 0, 3); }
}  // namespace

TMine* TDevice::BranchMine(TBranch* branch) { return MineOfBranch(branch); }

TDevice::TDevice(TBranch* branch) : TMineObject(MineOfBranch(branch)), branch_(branch) {}

TDevice::~TDevice()
{
    section_.reset();
    if (MineDying() || !pipe_)
        return;
    // The device has already left its pipe's list (the list frees it after taking it out).
    Mine()->DevicesByPipeKind[static_cast<size_t>(ViewIndex(pipe_))].RemoveLast(this);
    pipe_ = nullptr;
    Changed(true);
}

TDevice* TDevice::CreateDevice(TBranch* branch, TPipe* pipe, int kind)
{
    switch (kind) {
    case dkPump: return Create<TPump>(branch, pipe);
    case dkReducer: return Create<TReducer>(branch, pipe);
    case dkGate: return Create<TGate>(branch, pipe);
    case dkCrane: return Create<TCrane>(branch, pipe);
    case dkJetBreakTank: return Create<TJetBreakTank>(branch, pipe);
    case dkVacuumPump: return Create<TVacuumPump>(branch, pipe);
    case dkSlit: return Create<TSlit>(branch, pipe);
    case dkConnection: return Create<TConnection>(branch, pipe);
    case dkNumberDev: return Create<TNumberDev>(branch, pipe);
    case dkFireMachine: return Create<TFireMachine>(branch, pipe);
    default: return nullptr;
    }
}

QString TDevice::KindName(int kind)
{
    if (kind < 0 || kind > kDeviceKindCount)
        return QString();
    return QString::fromUtf8(kKindTexts[kind].name);
}

QString TDevice::KindFilterName(int kind)
{
    if (kind < 0 || kind > kDeviceKindCount)
        return QString();
    return QString::fromUtf8(kKindTexts[kind].filter);
}

void TDevice::CreateSection()
{
    section_ = pipe_ && pipe_->IsGas() ? TGasPipePart::ForDevice(this) : TWaterPipePart::ForDevice(this);
}

void TDevice::Attach(TPipe* pipe, std::unique_ptr<TDevice> self)
{
    // The section before the first device must exist once the pipe carries one.
    pipe->EnsureFirstSection();
    pipe_ = pipe;
    Mine()->DevicesByPipeKind[static_cast<size_t>(ViewIndex(pipe))].Add(this);
    pipe->Devices.Add(std::move(self));
    Changed(true);
}

std::unique_ptr<TDevice> TDevice::Detach(int* slot)
{
    if (!pipe_)
        return nullptr;
    if (slot)
        *slot = pipe_->SlotIndex();
    Mine()->DevicesByPipeKind[static_cast<size_t>(ViewIndex(pipe_))].RemoveLast(this);
    std::unique_ptr<TDevice> self = pipe_->Devices.Extract(this);
    pipe_ = nullptr;
    Changed(true);
    return self;
}

void TDevice::MoveToPipe(TPipe* pipe)
{
    if (!pipe)
        throw EOwnerError();
    if (pipe == pipe_)
        return;
    auto self = Detach(nullptr);
    if (!self)
        return;
    Attach(pipe, std::move(self));
}

void TDevice::MoveToBranch(TBranch* branch)
{
    if (!branch)
        throw EOwnerError();
    if (branch == branch_ || !pipe_)
        return;
    const int slot = pipe_->SlotIndex();
    if (slot < 0 || slot >= branch->Pipes.Count() || !branch->Pipes.Items(slot)->AcceptsKind(GetKind()))
        throw EMineError(QStringLiteral("На выработке № %1 нет трубопровода, на который можно перенести оборудование")
                             .arg(branch->Number()));
    auto self = Detach(nullptr);
    branch_ = branch;
    Attach(branch->Pipes.Items(slot), std::move(self));
}

void TDevice::SetModel(const QString& value)
{
    if (AssignChanged(model_, value))
        Changed(false);
}

void TDevice::SetPPZNumber(const QString& value)
{
    if (AssignChanged(ppzNumber_, value))
        Changed(false);
}

void TDevice::SetLabelOffset(const TLabelOffset& offset)
{
    if (AssignChanged(labelOffset_, offset))
        Changed(false);
}

void TDevice::SetPosition(double fraction)
{
    if (!std::isfinite(fraction))
        return;
    fraction = std::clamp(fraction, 0.0, 1.0);
    if (fraction == position_)
        return;
    position_ = fraction;
    if (pipe_)
        pipe_->CoverPosition(position_);
    Changed(true);
}

TPipePart* TDevice::IncomingSection() const
{
    if (!pipe_)
        return nullptr;
    const int i = pipe_->Devices.IndexOf(this);
    if (i <= 0)
        return pipe_->FirstSection();
    return pipe_->Devices.Items(i - 1)->Section();
}

int TDevice::GetIndex() const { return pipe_ ? pipe_->Devices.IndexOf(this) : -1; }
double TDevice::GetX() const { return branch_->PointAt(position_).x; }
double TDevice::GetY() const { return branch_->PointAt(position_).y; }
double TDevice::GetZ() const { return branch_->PointAt(position_).z; }
float TDevice::GetSX() const { return branch_->SchemaPointAt(position_).x; }
float TDevice::GetSY() const { return branch_->SchemaPointAt(position_).y; }
