#include "core/hydraulics/HydroCalculation.h"

#include "core/checks/CheckCommands.h"
#include "core/checks/MessageList.h"
#include "core/model/Branch.h"
#include "core/model/DeviceKinds.h"
#include "core/model/Mine.h"
#include "core/model/Pipe.h"
#include "core/model/PipePart.h"
#include "core/model/Uzel.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

constexpr double kSecondsPerHour = 3600;

QString Fixed(double v, int decimals) { return QString::number(v, 'f', decimals); }

}  // namespace

bool THydroCalculation::Prepare(TMine& mine, TMessageList& list, const TCheckOptions& options)
{
    prepared_ = false;
    washersChanged_ = 0;
    solution_ = {};
    const TCheckOutcome check = RunPipelineCheck(mine, list, options);
    firstLine_ = check.FirstLine;
    if (check.ErrorsFound) {
        failure_ = HydroTexts::kCheckFailed;
        return false;
    }
    list.AddCheckLine(HydroTexts::kHeader);
    TFireNetworkOptions networkOptions;
    networkOptions.UseProjectedPipes = options.UseProjectedPipes;
    network_ = TFireNetwork::Build(mine, networkOptions);
    if (!network_.Errors.isEmpty()) {
        for (const QString& e : network_.Errors)
            list.AddError(e);
        list.ClosePhase(false);
        failure_ = HydroTexts::kDataFailed + QStringLiteral(": ") + network_.Errors.first();
        return false;
    }
    prepared_ = true;
    return true;
}

void THydroCalculation::Solve(const std::function<bool(int)>& progress)
{
    if (!prepared_)
        return;
    Hydro::TSolveOptions options;
    options.Progress = progress;
    solution_ = Hydro::Solve(network_.Network, options);
}

QString THydroCalculation::SwitchingText() const
{
    QStringList names;
    for (int link : solution_.Switching)
        for (const TFireNetwork::TDevicePlace& d : network_.Devices)
            if (d.Link == link) {
                names << QStringLiteral("%1 %2").arg(d.Device->KindName().toLower()).arg(d.Device->Number());
                break;
            }
    return names.join(QStringLiteral(", "));
}

std::unique_ptr<THydroResults> THydroCalculation::Finish(TMine& mine, TMessageList& list)
{
    (void)mine;
    if (!prepared_)
        return nullptr;
    if (!solution_.Solved) {
        QString text = solution_.Error;
        if (!solution_.Unfed.empty()) {
            QStringList names;
            for (const TFireNetwork::TUzelPlace& u : network_.Uzels)
                if (std::find(solution_.Unfed.begin(), solution_.Unfed.end(), u.Junction) != solution_.Unfed.end())
                    names << QString::number(u.Uzel->Number());
            if (!names.isEmpty())
                text += QStringLiteral(" (узлы %1)").arg(names.join(QStringLiteral(", ")));
        }
        list.AddError(text);
        list.ClosePhase(false);
        failure_ = text;
        return nullptr;
    }
    if (!solution_.Converged) {
        QString text = QStringLiteral("расчет не сошелся за %1 итераций (невязка напора %2 м)")
                           .arg(solution_.Iterations)
                           .arg(Fixed(solution_.MaxHeadError, 4));
        const QString switching = SwitchingText();
        if (!switching.isEmpty())
            text += QStringLiteral("; состояние меняли: ") + switching;
        list.AddError(text);
        list.ClosePhase(false);
        failure_ = text;
        return nullptr;
    }

    auto results = std::make_unique<THydroResults>();
    results->Converged = true;
    results->Iterations = solution_.Iterations;
    results->Imbalance = solution_.MaxHeadError;
    FillSections(*results);
    FillUzelsAndDevices(*results);
    results->Reindex();
    FillHydrants(*results);

    list.AddCheckLine(QStringLiteral("итераций: %1, наибольшая невязка напора %2 м")
                          .arg(solution_.Iterations)
                          .arg(Fixed(solution_.MaxHeadError, 4)));
    TellTanks(list);
    list.AddCheckLine(QStringLiteral("кранов с давлением выше %1 м: %2, ниже %3 м: %4")
                          .arg(THydroResults::kUpperPressure)
                          .arg(results->Washers.size())
                          .arg(THydroResults::kLowerPressure)
                          .arg(results->Lowers.size()));
    list.ClosePhase(true);
    failure_.clear();
    return results;
}

void THydroCalculation::FillSections(THydroResults& results)
{
    const std::vector<double>& head = solution_.Head;
    const std::vector<double> merged = network_.MergedSectionFlows(solution_.Flow);
    results.Sections.reserve(network_.Sections.size());
    placeFlows_.assign(network_.Sections.size(), std::numeric_limits<double>::quiet_NaN());
    for (size_t k = 0; k < network_.Sections.size(); ++k) {
        const TFireNetwork::TSectionPlace& s = network_.Sections[k];
        if (s.Start < 0 || s.End < 0 || !std::isfinite(head[size_t(s.Start)]) || !std::isfinite(head[size_t(s.End)]))
            continue;  // a part no source reaches and nothing draws from
        TSectionResult v;
        double q = 0;
        if (s.Link >= 0) {
            const Hydro::TLink& link = network_.Network.Links[size_t(s.Link)];
            q = solution_.Flow[size_t(s.Link)];
            v.R = solution_.S[size_t(s.Link)] * link.Length * link.K;
        } else {
            q = merged[k];
        }
        v.Q = q * kSecondsPerHour + 0.0;  // never "-0"
        placeFlows_[k] = v.Q;
        v.DeltaP = v.R * q * std::fabs(q) + 0.0;
        v.P1 = head[size_t(s.Start)] - s.ZStart;
        v.P2 = head[size_t(s.End)] - s.ZEnd;
        results.Sections.push_back({s.Branch, s.Section, v});
    }
}

void THydroCalculation::FillUzelsAndDevices(THydroResults& results) const
{
    const std::vector<double>& head = solution_.Head;
    for (const TFireNetwork::TUzelPlace& u : network_.Uzels) {
        const double h = head[size_t(u.Junction)];
        if (std::isfinite(h))
            results.Uzels.push_back({u.Uzel, h, h - u.Uzel->Z()});
    }
    for (const TFireNetwork::TDevicePlace& d : network_.Devices) {
        if (d.Before < 0 || d.After < 0)
            continue;
        const double before = head[size_t(d.Before)];
        const double after = head[size_t(d.After)];
        if (!std::isfinite(before) && !std::isfinite(after))
            continue;
        TDeviceResult r;
        r.Device = d.Device;
        r.PBefore = std::isfinite(before) ? before - d.Z : 0;
        r.PAfter = std::isfinite(after) ? after - d.Z : 0;
        if (d.Link >= 0) {
            const double q = solution_.Flow[size_t(d.Link)] * kSecondsPerHour;
            r.Q = (d.LinkReversed ? -q : q) + 0.0;
        } else {
            const double q = d.Incoming >= 0 ? placeFlows_[size_t(d.Incoming)] : 0;
            r.Q = std::isfinite(q) ? q : 0;
        }
        results.Devices.push_back(r);
    }
}

int THydroCalculation::ChooseWasher(double pressure)
{
    for (int i = 1; i <= 9; ++i)
        if (pressure - TCrane::WasherDrop(i) <= THydroResults::kUpperPressure)
            return i;
    return 9;
}

void THydroCalculation::FillHydrants(THydroResults& results)
{
    for (const TFireNetwork::TDevicePlace& d : network_.Devices) {
        if (d.Device->GetKind() != dkCrane)
            continue;
        // The plate is the calculation's choice: a hydrant that needs none keeps none. The
        // network holds the mine's own hydrants, and Finish has the mine to change.
        auto* crane = const_cast<TCrane*>(static_cast<const TCrane*>(d.Device));
        double pressure = 0;
        int washer = 0;
        if (results.HydrantPressure(*crane, pressure)) {
            if (pressure > THydroResults::kUpperPressure) {
                washer = ChooseWasher(pressure);
                results.Washers.push_back({crane, pressure, washer});
            } else if (crane->Consumption() && pressure < THydroResults::kLowerPressure) {
                results.Lowers.push_back({crane, pressure});
            }
        }
        if (crane->RawWasherIndex() != washer) {
            crane->SetWasherIndex(washer);
            ++washersChanged_;
        }
    }
}

void THydroCalculation::TellTanks(TMessageList& list) const
{
    if (network_.Tanks.empty())
        return;
    // What each source junction gives: its links' outflow and its own demand.
    std::vector<double> given(network_.Network.Junctions.size(), 0.0);
    for (size_t i = 0; i < network_.Network.Links.size(); ++i) {
        const Hydro::TLink& l = network_.Network.Links[i];
        given[size_t(l.From)] += solution_.Flow[i];
        given[size_t(l.To)] -= solution_.Flow[i];
    }
    for (size_t j = 0; j < given.size(); ++j)
        given[j] += network_.Network.Junctions[j].Demand;
    for (const TFireNetwork::TTankPlace& t : network_.Tanks) {
        if (t.Supplied < 0)
            continue;
        const double drawn = given[size_t(t.Supplied)] * kSecondsPerHour;  // m3/h
        const double net = drawn - t.Tank->MakeUpFlow();
        if (!(net > 0) || !(t.Tank->Volume() > 0))
            continue;
        const double minutes = t.Tank->Volume() / net * 60;
        list.AddCheckLine(QString::asprintf("резервуар %d: запас на %.0f мин", t.Tank->Number(), minutes), t.Tank);
    }
}

std::unique_ptr<THydroResults> THydroCalculation::Run(TMine& mine, TMessageList& list, const TCheckOptions& options,
                                                      const std::function<bool(int)>& progress)
{
    THydroCalculation calc;
    if (!calc.Prepare(mine, list, options))
        return nullptr;
    calc.Solve(progress);
    return calc.Finish(mine, list);
}
