#include "core/model/PipePart.h"

#include "core/model/Branch.h"
#include "core/model/Device.h"
#include "core/model/LabelPlacement.h"
#include "core/model/Pipe.h"

#include <cmath>

namespace {
TMine* MineOf(TPipe* pipe, TDevice* device)
{
    if (pipe)
        return pipe->Mine();
    if (device)
        return device->Mine();
    throw EOwnerError();
}
}  // namespace

TPipePart::TPipePart(TPipe* pipe, TDevice* device)
    : TMineObject(MineOf(pipe, device)), ofDevice_(pipe == nullptr),
      owner_(pipe ? static_cast<void*>(pipe) : static_cast<void*>(device))
{
}

TPipePart::~TPipePart() = default;

TBranch* TPipePart::OwnerBranch() const
{
    return OwnerPipe() ? OwnerPipe()->Branch() : OwnerDevice()->Branch();
}

TPipe* TPipePart::OwnerPipeOf() const { return OwnerPipe() ? OwnerPipe() : OwnerDevice()->Pipe(); }

int TPipePart::GetIndex() const
{
    if (OwnerPipe())
        return 0;
    TPipe* pipe = OwnerDevice()->Pipe();
    return pipe ? pipe->Devices.IndexOf(OwnerDevice()) + 1 : -1;
}

double TPipePart::SectionStart() const
{
    if (OwnerPipe())
        return OwnerPipe()->StartFrac();
    return OwnerDevice()->Position();
}

double TPipePart::SectionEnd() const
{
    TPipe* pipe = OwnerPipeOf();
    if (!pipe)
        return SectionStart();
    if (OwnerPipe())
        return pipe->Devices.Count() > 0 ? pipe->Devices.First()->Position() : pipe->EndFrac();
    const int i = pipe->Devices.IndexOf(OwnerDevice());
    if (i >= 0 && i + 1 < pipe->Devices.Count())
        return pipe->Devices.Items(i + 1)->Position();
    return pipe->EndFrac();
}

double TPipePart::SectionLength() const
{
    return std::fabs(SectionEnd() - SectionStart()) * OwnerBranch()->Length();
}

double TPipePart::SectionPoint(int code) const
{
    const double t = code >= 4 ? SectionEnd() : SectionStart();
    const auto p = OwnerBranch()->PointAt(t);
    switch (code) {
    case 1: case 4: return p.x;
    case 2: case 5: return p.y;
    case 3: case 6: return p.z;
    default: return 0;
    }
}

double TPipePart::SectionDZ() const { return std::fabs(SectionPoint(3) - SectionPoint(6)); }

int TPipePart::SectionEndNumbers(int endCode) const
{
    TPipe* pipe = OwnerPipeOf();
    TBranch* branch = OwnerBranch();
    if (OwnerPipe()) {
        const bool hasDevices = pipe->Devices.Count() > 0;
        if (endCode == 2)
            return hasDevices ? pipe->Devices.First()->Number() : branch->EndNumber();
        if (hasDevices && pipe->Devices.First()->Position() == pipe->StartFrac())
            return pipe->Devices.First()->Number();
        return branch->StartNumber();
    }
    if (endCode != 2)
        return OwnerDevice()->Number();
    const int i = pipe ? pipe->Devices.IndexOf(OwnerDevice()) : -1;
    if (i >= 0 && i + 1 < pipe->Devices.Count())
        return pipe->Devices.Items(i + 1)->Number();
    return branch->EndNumber();
}

double TPipePart::GetX() const { return (SectionPoint(1) + SectionPoint(4)) / 2; }
double TPipePart::GetY() const { return (SectionPoint(2) + SectionPoint(5)) / 2; }
double TPipePart::GetZ() const { return (SectionPoint(3) + SectionPoint(6)) / 2; }

float TPipePart::GetSX() const
{
    return OwnerBranch()->SchemaPointAt((SectionStart() + SectionEnd()) / 2).x;
}

float TPipePart::GetSY() const
{
    return OwnerBranch()->SchemaPointAt((SectionStart() + SectionEnd()) / 2).y;
}

std::unique_ptr<TPipePart> TGasPipePart::ForPipe(TPipe* pipe)
{
    if (!pipe)
        throw EOwnerError();
    return std::unique_ptr<TPipePart>(new (pipe->Mine()) TGasPipePart(pipe, nullptr));
}

std::unique_ptr<TPipePart> TGasPipePart::ForDevice(TDevice* device)
{
    if (!device)
        throw EOwnerError();
    return std::unique_ptr<TPipePart>(new (device->Mine()) TGasPipePart(nullptr, device));
}

std::unique_ptr<TPipePart> TWaterPipePart::ForPipe(TPipe* pipe)
{
    if (!pipe)
        throw EOwnerError();
    return std::unique_ptr<TPipePart>(new (pipe->Mine()) TWaterPipePart(pipe, nullptr));
}

std::unique_ptr<TPipePart> TWaterPipePart::ForDevice(TDevice* device)
{
    if (!device)
        throw EOwnerError();
    auto section = std::unique_ptr<TWaterPipePart>(new (device->Mine()) TWaterPipePart(nullptr, device));
    if (device->Branch()->Linked())
        section->PlaceLabel();
    return section;
}

void TWaterPipePart::SetLabelOffset(const TLabelOffset& offset)
{
    if (labelOffset_ == offset)
        return;
    labelOffset_ = offset;
    Changed(false);
}

void TWaterPipePart::SetAutoPlaceLabel(bool value)
{
    if (autoPlaceLabel_ == value)
        return;
    autoPlaceLabel_ = value;
    Changed(false);
}

void TWaterPipePart::SetLabelPlacement(double angle, double distance)
{
    labelAngle_ = angle;
    labelDistance_ = distance;
    if (autoPlaceLabel_ && OwnerBranch()->Linked())
        PlaceLabel();
}

void TWaterPipePart::PlaceLabel()
{
    labelOffset_ = LabelPlacement::Place(LabelPlacement::LabelKind::SectionResult, OwnerBranch()->SchemaDirection(),
                                         labelAngle_, labelDistance_);
}

void TWaterPipePart::DeriveLabelPlacement()
{
    const auto p = LabelPlacement::Derive(LabelPlacement::LabelKind::SectionResult, OwnerBranch()->SchemaDirection(),
                                          labelOffset_);
    labelAngle_ = p.angle;
    labelDistance_ = p.distance;
}

double TWaterPipePart::SectionLK() const
{
    const auto* pipe = dynamic_cast<const TWaterPipe*>(OwnerPipeOf());
    return pipe ? pipe->K() * SectionLength() : 0;
}

double TWaterPipePart::SectionVelocity(double Q) const
{
    const TPipe* pipe = OwnerPipeOf();
    const double area = pipe ? pipe->FlowArea() : 0;
    if (area == 0)
        return 0;
    return (Q / 3600.0) / (area / 1000000.0);
}

double TWaterPipePart::SectionGradient(double R, double Q) const
{
    const double len = SectionLength();
    const auto* pipe = dynamic_cast<const TWaterPipe*>(OwnerPipeOf());
    const double k = pipe ? pipe->K() : 0;
    if (len == 0 || k == 0)
        return 0;
    const double q = Q / 3600.0;
    return R * q * q / (len * k) * 100.0;
}
