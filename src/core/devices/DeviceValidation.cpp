#include "core/devices/DeviceValidation.h"

#include "core/devices/PlacementRules.h"
#include "core/model/Branch.h"
#include "core/model/Device.h"
#include "core/model/Pipe.h"

#include <QLocale>
#include <cmath>

namespace DeviceValidation {

namespace {

[[noreturn]] void Refuse(const QString& message, TDraftField field, int row = -1, int column = -1)
{
    throw EDeviceEditError(message, field, row, column);
}

void CheckManometer(const QString& text, TDraftField field, const QString& message)
{
    const auto v = NumberOf(text);
    if (!v || *v < 0)
        Refuse(message, field);
}

const QString kBadManometer = QStringLiteral("Неверно указано значение манометра");
const QString kFlowAboveZero = QStringLiteral("Расход должен быть больше 0");
const QString kConcentrationAboveZero = QStringLiteral("Концентрация смеси должна быть больше 0");

void CheckPump(const TBranch& branch, const TDeviceDraft& d)
{
    if (!d.Pump.Chosen)
        Refuse(QStringLiteral("Не указана модель насоса"), TDraftField::PumpModel);
    const QString placement =
        PlacementRules::PumpPlacementError(branch, *branch.Pipes.Items(d.PipeIndex), d.Position, d.Pump.HeadDirection);
    if (!placement.isEmpty())
        Refuse(placement, TDraftField::Position);
    CheckManometer(d.Pump.Manometer1, TDraftField::Manometer1, kBadManometer);
    CheckManometer(d.Pump.Manometer2, TDraftField::Manometer2, kBadManometer);
}

void CheckReducer(const TBranch& branch, const TDeviceDraft& d)
{
    if (d.Reducer.Characteristic.Name.trimmed().isEmpty())
        Refuse(QStringLiteral("Не указана модель редуктора"), TDraftField::ReducerModel);
    if (PlacementRules::AtPipeEnd(*branch.Pipes.Items(d.PipeIndex), d.Position))
        Refuse(PlacementRules::kReducerAtEnd, TDraftField::Position);
    CheckManometer(d.Reducer.Manometer1, TDraftField::Manometer1, kBadManometer);
    CheckManometer(d.Reducer.Manometer2, TDraftField::Manometer2, kBadManometer);
}

void CheckCrane(const TCraneDraft& c)
{
    const auto flow = NumberOf(c.Flow);
    if (!flow)
        Refuse(QStringLiteral("Неверно указан расход воды на потребителе"), TDraftField::CraneFlow);
    if (c.Consumption && *flow <= 0)
        Refuse(QStringLiteral("При включенном кране расход должен быть больше 0"), TDraftField::CraneFlow);
    const auto diameter = NumberOf(c.OrificeDiameter);
    if (!diameter)
        Refuse(QStringLiteral("Неверно указан диаметр дроссельной шайбы"), TDraftField::CraneDiameter);
    if (c.Orifice && *diameter <= 0)
        Refuse(QStringLiteral("Диаметр дроссельной шайбы должен быть больше 0"), TDraftField::CraneDiameter);
    CheckManometer(c.Manometer, TDraftField::Manometer1, kBadManometer);
}

void CheckTank(const TTankDraft& t)
{
    if (t.Bypass && !NumberOf(t.AddPressure))
        Refuse(QStringLiteral("Неверно указано дополнительное давление"), TDraftField::AddPressure);
    if (!t.Bypass && !NumberOf(t.MakeUpFlow))
        Refuse(QStringLiteral("Неверно указана величина подпитки"), TDraftField::MakeUpFlow);
    CheckManometer(t.Manometer, TDraftField::Manometer1, kBadManometer);
}

void CheckVacuumPump(const TVacuumPumpDraft& v)
{
    if (v.P1 > 0 && v.Q1 > 0 && v.P2 > 0 && v.Q2 > 0) {
        if (v.P1 > v.P2 || v.Q1 > v.Q2)
            Refuse(QStringLiteral("Величины давления и расхода первой точки должны быть \r\nне больше соответствующих "
                                  "величин второй точки"),
                   TDraftField::VacuumP1);
        if (v.P1 == v.P2 && v.Q1 == v.Q2)
            Refuse(QStringLiteral("Давление и расходы для первой и второй точек не могут\r\nодновременно иметь "
                                  "одинаковые значения"),
                   TDraftField::VacuumP1);
        return;
    }
    Refuse(QStringLiteral("Величины давлений и расходов должны быть больше 0"), TDraftField::VacuumP1);
}

void CheckWells(const std::vector<TWellRow>& wells)
{
    if (wells.empty())
        Refuse(QStringLiteral("Требуется добавить одну или несколько скважин в куст"), TDraftField::WellGrid);
    for (int column = 0; column < 5; ++column) {
        for (int row = 0; row < static_cast<int>(wells.size()); ++row) {
            bool ok = false;
            const int v = wells[static_cast<size_t>(row)][static_cast<size_t>(column)].trimmed().toInt(&ok);
            // The wells keep 16-bit values.
            if (!ok || v > 32767)
                Refuse(QStringLiteral("Неверно указано число"), TDraftField::WellCell, row, column);
            if (v < 1)
                Refuse(QStringLiteral("Параметр должен быть больше 0"), TDraftField::WellCell, row, column);
        }
    }
}

void CheckConnections(const TBranch& branch, const std::vector<TConnectionEntry>& entries)
{
    int checked = 0;
    for (const auto& e : entries) {
        if (!e.Checked)
            continue;
        ++checked;
        if (e.PipeIndex < 0 || e.PipeIndex >= branch.Pipes.Count() || !branch.Pipes.Items(e.PipeIndex)->IsGas())
            Refuse(DeviceEditTexts::kUnsupported, TDraftField::Kind);
    }
    if (checked < 2)
        Refuse(QStringLiteral("Соединяемых труб должно быть 2 или более"), TDraftField::ConnectionNumber);
    int seen = 0;
    for (int i = 0; i < static_cast<int>(entries.size()); ++i) {
        const TConnectionEntry& e = entries[static_cast<size_t>(i)];
        if (!e.Checked)
            continue;
        ++seen;
        if (e.NodeNumber <= 0)
            Refuse(QStringLiteral("Номер узла соединения не может быть равен 0"), TDraftField::ConnectionNumber, i);
        // The last checked pipe carries the mixture away; only the pipes before it bring it.
        if (seen == checked)
            continue;
        if (!(e.Flow > 0))
            Refuse(kFlowAboveZero, TDraftField::ConnectionFlow, i);
        if (!(e.Concentration > 0))
            Refuse(kConcentrationAboveZero, TDraftField::ConnectionConcentration, i);
    }
}

void CheckFireMachine(const TFireMachineDraft& m)
{
    if (!NumberOf(m.Volume))
        Refuse(QStringLiteral("Не указан объем воды в машине"), TDraftField::Volume);
    const auto add = NumberOf(m.AddPressure);
    if (!add || *add < 0)
        Refuse(QStringLiteral("Неверно указано дополнительное давление "), TDraftField::AddPressure);
    CheckManometer(m.Manometer, TDraftField::Manometer1, QStringLiteral("Неверно указаны показания манометра"));
}

}  // namespace

std::optional<double> NumberOf(const QString& text)
{
    QString t = text.trimmed();
    t.replace(QLatin1Char(','), QLatin1Char('.'));
    bool ok = false;
    const double v = QLocale::c().toDouble(t, &ok);
    if (!ok || !std::isfinite(v))
        return std::nullopt;
    return v;
}

void Validate(const TBranch& branch, const TDeviceDraft& d)
{
    if (d.Kind < 1 || d.Kind > kDeviceKindCount || d.PipeIndex < 0 || d.PipeIndex >= branch.Pipes.Count() ||
        !branch.Pipes.Items(d.PipeIndex)->AcceptsKind(d.Kind))
        Refuse(DeviceEditTexts::kUnsupported, TDraftField::Kind);
    if (d.Kind != dkConnection && d.Number <= 0)
        Refuse(QStringLiteral("Указан неверный номер устройства"), TDraftField::Number);
    switch (d.Kind) {
    case dkPump: CheckPump(branch, d); break;
    case dkReducer: CheckReducer(branch, d); break;
    case dkCrane: CheckCrane(d.Crane); break;
    case dkJetBreakTank: CheckTank(d.Tank); break;
    case dkVacuumPump: CheckVacuumPump(d.Vacuum); break;
    case dkSlit: CheckWells(d.Wells); break;
    case dkConnection: CheckConnections(branch, d.Connections); break;
    case dkFireMachine: CheckFireMachine(d.Machine); break;
    default: break;
    }
}

void SetConnectionValue(TConnectionEntry& entry, TDraftField field, const QString& text)
{
    const auto v = NumberOf(text);
    if (!v)
        Refuse(DeviceEditTexts::kBadNumber, field);
    switch (field) {
    case TDraftField::ConnectionFlow:
        if (!(*v > 0))
            Refuse(kFlowAboveZero, field);
        entry.Flow = *v;
        break;
    case TDraftField::ConnectionConcentration:
        if (!(*v > 0))
            Refuse(kConcentrationAboveZero, field);
        entry.Concentration = *v;
        break;
    case TDraftField::ConnectionTemperature:
        entry.Temperature = *v;
        break;
    default:
        break;
    }
}

}  // namespace DeviceValidation
