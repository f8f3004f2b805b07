#include "core/devices/PipeEdits.h"

#include "core/devices/DeviceEditError.h"
#include "core/devices/DeviceValidation.h"
#include "core/model/Branch.h"
#include "core/model/Device.h"
#include "core/model/Mine.h"
#include "core/model/Pipe.h"
#include "core/model/PipePart.h"

#include <algorithm>
#include <climits>
#include <cmath>

namespace PipeEdits {

namespace {

double Typed(const QString& text)
{
    const auto v = DeviceValidation::NumberOf(text);
    if (!v)
        throw EPipeEditError(DeviceEditTexts::kBadNumber);
    return *v;
}

const QString kBadWall = QStringLiteral("Неверная величина диаметра или толщины стенки");

}  // namespace

QStringList PipeEntries(const TBranch& branch)
{
    QStringList entries{QStringLiteral("Пожарно-оросительный"), QStringLiteral("Водоотливный"), QStringLiteral("Воздухопровод")};
    for (int i = 3; i < branch.Pipes.Count(); ++i)
        if (auto* gas = dynamic_cast<const TGasPipe*>(branch.Pipes.Items(i)))
            entries << QStringLiteral("Газопровод №%1").arg(gas->PipeNo());
    return entries;
}

QString AbsentText(int pipeIndex)
{
    switch (pipeIndex) {
    case 0: return QStringLiteral("Пожарно-оросительный трубопровод отсутствует");
    case 1: return QStringLiteral("Водоотливный трубопровод отсутствует");
    case 2: return QStringLiteral("Воздухопровод отсутствует");
    default: return QString();
    }
}

QString PlacementCaption(TPipePlacement placement)
{
    switch (placement) {
    case TPipePlacement::Through: return QStringLiteral("сквозное");
    case TPipePlacement::FromStart: return QStringLiteral("от начального узла");
    case TPipePlacement::FromEnd: return QStringLiteral("от конечного узла");
    }
    return QString();
}

TPipePlacement PlacementOf(const TPipe& pipe)
{
    if (pipe.StartFrac() == 0 && pipe.EndFrac() == 1)
        return TPipePlacement::Through;
    return pipe.StartFrac() != 0 ? TPipePlacement::FromEnd : TPipePlacement::FromStart;
}

void SetPlacement(TPipe& pipe, TPipePlacement placement)
{
    switch (placement) {
    case TPipePlacement::Through:
        pipe.SetExtent(1, 0);
        pipe.SetExtent(2, 1);
        break;
    case TPipePlacement::FromStart:
        if (pipe.StartFrac() != 0)
            pipe.SetExtent(2, pipe.StartFrac());
        pipe.SetExtent(1, 0);
        break;
    case TPipePlacement::FromEnd:
        if (pipe.EndFrac() != 1)
            pipe.SetExtent(1, pipe.EndFrac());
        pipe.SetExtent(2, 1);
        break;
    }
}

bool LengthEditable(const TPipe& pipe, TPipePlacement placement)
{
    return IsLaid(&pipe) && placement != TPipePlacement::Through && pipe.Branch()->Length() > 0;
}

QString LengthText(const TPipe& pipe) { return QString::asprintf("%.1f", pipe.PipeLength()); }

void ApplyLength(TPipe& pipe, TPipePlacement placement, const QString& text)
{
    if (!LengthEditable(pipe, placement))
        return;
    const double length = Typed(text);
    if (!(length > 0))
        throw EPipeEditError(QStringLiteral("Длина трубопровода должна быть больше 0"));
    const double fraction = length / pipe.Branch()->Length();
    if (placement == TPipePlacement::FromStart)
        pipe.SetExtent(2, fraction);
    else
        pipe.SetExtent(1, 1 - fraction);
}

void MoveFreeEnd(TPipe& pipe, TPipePlacement placement, double fraction)
{
    switch (placement) {
    case TPipePlacement::FromStart: pipe.SetExtent(2, fraction); break;
    case TPipePlacement::FromEnd: pipe.SetExtent(1, fraction); break;
    case TPipePlacement::Through: break;
    }
}

QStringList SectionLengthTexts(const TPipe& pipe)
{
    QStringList texts;
    if (pipe.SectionCount() < 2)
        return texts;
    for (int i = 0; i < pipe.SectionCount(); ++i) {
        const double length = pipe.GetSection(i)->SectionLength();
        if (length > 0)
            texts << QString::asprintf("%.1f м", length);
    }
    return texts;
}

QString PipeLengthLabel(const TPipe& pipe) { return QString::asprintf("%.1f м", pipe.PipeLength()); }

void ApplyDiameter(TPipe& pipe, const QString& text)
{
    const double typed = Typed(text);
    if (std::fabs(typed) >= INT_MAX)
        throw EPipeEditError(DeviceEditTexts::kBadNumber);
    // Checked as stored: 0.4 would be stored as 0.
    const int diameter = static_cast<int>(std::lround(typed));
    if (diameter <= 0)
        throw EPipeEditError(QStringLiteral("Диаметр должен быть больше 0"));
    if (!pipe.IsGas() && 2LL * pipe.WallThickness() >= diameter)
        throw EPipeEditError(kBadWall);
    pipe.SetDiameter(diameter);
}

void ApplyWallThickness(TWaterPipe& pipe, const QString& text)
{
    const double typed = Typed(text);
    if (typed < 0 || 2 * std::trunc(typed) >= pipe.Diameter())
        throw EPipeEditError(kBadWall);
    pipe.SetWallThickness(static_cast<int>(std::trunc(typed)));
}

void ApplyK(TWaterPipe& pipe, const QString& text)
{
    const double k = Typed(text);
    if (k < 1 || k > 2)
        throw EPipeEditError(QStringLiteral("Коэффициент местных сопротивлений может принимать значения от 1 до 2"));
    pipe.SetK(k);
}

void ApplyFixedResistance(TPipe& pipe, const QString& text) { pipe.SetFixedResistance(Typed(text)); }

namespace {
const QString kMixtureAboveZero = QStringLiteral("Расход и концентрация смеси должны быть больше 0");
}

void ApplyMixtureFlow(TGasPipe& pipe, const QString& text)
{
    const double v = Typed(text);
    if (!(v > 0))
        throw EPipeEditError(kMixtureAboveZero);
    pipe.SetMixtureFlow(v);
}

void ApplyMethaneConcentration(TGasPipe& pipe, const QString& text)
{
    const double v = Typed(text);
    if (!(v > 0))
        throw EPipeEditError(kMixtureAboveZero);
    pipe.SetMethaneConcentration(v);
}

void ApplyTemperature(TGasPipe& pipe, const QString& text) { pipe.SetTemperature(Typed(text)); }

void SetFixedFlow(TGasPipe& pipe, bool fixed)
{
    pipe.SetFixedFlow(fixed);
    if (fixed)
        pipe.SetDiameterType(0);
}

QStringList DiameterChoices(const TMine& mine)
{
    QStringList choices;
    for (int i = 0; i < mine.DiamColors.Count(); ++i)
        choices << QString::number(mine.DiamColors.Entry(i).Diameter);
    if (choices.isEmpty())
        choices << QStringLiteral("100");
    return choices;
}

bool CanAddGasPipe(const TBranch& branch) { return branch.Pipes.Count() < kMaxPipes; }

TGasPipe* AddGasPipe(TBranch& branch)
{
    if (!CanAddGasPipe(branch))
        throw EPipeEditError(QStringLiteral("Дегазационных труб не может быть более 9"));
    int largest = 0;
    for (int i = 3; i < branch.Pipes.Count(); ++i)
        if (auto* gas = dynamic_cast<const TGasPipe*>(branch.Pipes.Items(i)))
            largest = std::max(largest, gas->PipeNo());
    TGasPipe* pipe = TGasPipe::Create(&branch);
    pipe->SetDiameter(309);
    pipe->SetTemperature(14.0);
    pipe->SetPipeNo(largest + 1);
    return pipe;
}

QString DeleteGasPipePrompt(const TGasPipe& pipe) { return QStringLiteral("Удалить дегазационную трубу №%1?").arg(pipe.PipeNo()); }

void DeleteGasPipe(TBranch& branch, TGasPipe* pipe)
{
    if (pipe && branch.Pipes.IndexOf(pipe) >= 3)
        branch.Pipes.Remove(pipe);
}

std::vector<TDevice*> ShownDevices(const TPipe& pipe, int filterKind)
{
    std::vector<TDevice*> shown;
    for (TDevice* d : pipe.Devices)
        if (filterKind == 0 || d->GetKind() == filterKind)
            shown.push_back(d);
    return shown;
}

QString DeleteDevicePrompt(const TDevice& device)
{
    const QString what = device.Model().isEmpty() ? QStringLiteral(" %1").arg(device.Number())
                                                   : QStringLiteral(" \"%1\"").arg(device.Model());
    return QStringLiteral("Удалить %1?").arg(device.KindName() + what);
}

void DeleteDevice(TDevice* device)
{
    if (device && device->Pipe())
        device->Pipe()->Devices.Remove(device);
}

}  // namespace PipeEdits
