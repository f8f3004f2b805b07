#pragma once

// The hydraulic calculation of a mine's fire-fighting pipe, in three steps so a window can
// keep answering while it solves: Prepare (the pipeline check and the network, with the
// model, on the caller's thread), Solve (numbers only, touches no model object: any thread)
// and Finish (the results table, the plates chosen for the hydrants and the summary lines,
// with the model again). Run does all three.

#include "core/checks/CheckOptions.h"
#include "core/hydraulics/FireNetwork.h"
#include "core/hydraulics/HydroResults.h"
#include "core/hydraulics/HydroSolver.h"

#include <functional>
#include <memory>

class TMessageList;
class TMine;

namespace HydroTexts {
inline const QString kHeader = QStringLiteral("Гидравлический расчет пожарно-оросительного трубопровода ... ");
inline const QString kCheckFailed =
    QStringLiteral("Расчет не выполнен: проверка трубопровода нашла ошибки");
inline const QString kDataFailed = QStringLiteral("Расчет не выполнен: неверные исходные данные");
}  // namespace HydroTexts

class THydroCalculation {
public:
    // The pipeline check into the list, then the network of the fire-fighting pipe. False
    // when either found an error; the list tells which.
    bool Prepare(TMine& mine, TMessageList& list, const TCheckOptions& options = {});
    // The solve; progress is told after every iteration and may stop it.
    void Solve(const std::function<bool(int iteration)>& progress = {});
    // The results of a solve that converged (null otherwise), the plates of the hydrants
    // above the upper pressure limit set on them, and the lines that tell how it went.
    std::unique_ptr<THydroResults> Finish(TMine& mine, TMessageList& list);

    // The whole calculation; null when it gave no results (the list tells why).
    static std::unique_ptr<THydroResults> Run(TMine& mine, TMessageList& list, const TCheckOptions& options = {},
                                              const std::function<bool(int iteration)>& progress = {});

    bool Prepared() const { return prepared_; }
    // The first line this run wrote into the list (the check clears the earlier ones first).
    int FirstLine() const { return firstLine_; }
    bool Converged() const { return solution_.Converged; }
    // Why the calculation gave no results, for a command line or a status bar.
    const QString& Failure() const { return failure_; }
    // Hydrants whose standard plate the calculation set to another value.
    int WashersChanged() const { return washersChanged_; }

    const TFireNetwork& Network() const { return network_; }
    const Hydro::TSolution& Solution() const { return solution_; }

    // The smallest standard plate that brings the pressure to the upper limit or below;
    // the largest when none does.
    static int ChooseWasher(double pressure);

private:
    void FillSections(THydroResults& results);
    void FillUzelsAndDevices(THydroResults& results) const;
    void FillHydrants(THydroResults& results);
    void TellTanks(TMessageList& list) const;
    QString SwitchingText() const;

    bool prepared_ = false;
    int firstLine_ = 0;
    QString failure_;
    int washersChanged_ = 0;
    TFireNetwork network_;
    Hydro::TSolution solution_;
    // Per section place: its flow, m3/h (NaN where the section has no result).
    std::vector<double> placeFlows_;
};
