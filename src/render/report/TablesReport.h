#pragma once

#include "core/hydraulics/HydroResults.h"
#include "render/report/ReportContent.h"

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <vector>

class TBranch;
class TColumnSet;
class TCrane;
class TMine;
class TUzel;
class TWaterPipePart;

// What the tables report of a document prints; kept by the dialog for the whole run.
struct TTablesReportOptions {
    enum TRows { Full = 0, Selected = 1, NoRows = 2 };
    enum TResults { AllSections = 0, SelectedBranches, EndsAndConsumers, FlowingEnds, Flowing, NoResults };
    int Uzels = Full;
    int Branches = Full;
    int Results = AllSections;
    bool Washers = true;
    bool Lowers = true;
    bool Messages = true;
    bool TitlePage = true;
    bool PageNumbers = true;
    int Copies = 1;
};

// Everything the report is built from, already chosen.
struct TTablesReportInputs {
    const TMine* Mine = nullptr;
    QString FileName;  // the document's file (its folder is not printed)
    QDateTime When;
    std::vector<const TUzel*> Uzels;
    const TColumnSet* UzelColumns = nullptr;
    std::vector<const TBranch*> Branches;
    const TColumnSet* BranchColumns = nullptr;
    std::vector<THydroBranch> Results;
    const TColumnSet* ResultColumns = nullptr;
    QString ResultsCaption;
    QStringList ResultMessages;
    std::vector<TWasherRow> Washers;
    std::vector<TLowerRow> Lowers;
    bool TitlePage = true;
    bool PageNumbers = true;
    bool Messages = true;
};

namespace TablesReport {

inline const QString kNodesTitle = QStringLiteral("Топологическая таблица узлов");
inline const QString kBranchesTitle = QStringLiteral("Топологическая таблица ветвей");
inline const QString kResultsTitle = QStringLiteral("Таблица результатов");
inline const QString kMessagesHeading =
    QStringLiteral("Сообщения по отклонениям от нормативных результатов и рекоменации");
inline const QString kWashersTitle = QStringLiteral("Дроссельные шайбы");
inline const QString kLowersTitle = QStringLiteral("Недостаток давления");

// The rows a choice prints: every node (branch, in the given display order), the selected
// ones, or none.
std::vector<const TUzel*> ChooseUzels(const TMine& mine, int choice);
std::vector<const TBranch*> ChooseBranches(const std::vector<TBranch*>& order, int choice);
std::vector<THydroBranch> ChooseResults(const std::vector<THydroBranch>& rows, int choice);
// A result value as printed: fixed with the decimals, "~" above 1e11.
QString ResultText(double value, int decimals);

TReportTable UzelTable(const std::vector<const TUzel*>& uzels, const TColumnSet& columns);
TReportTable BranchTable(const std::vector<const TBranch*>& branches, const TColumnSet& columns);
TReportTable ResultTable(const std::vector<THydroBranch>& rows, const TColumnSet& columns, const QString& caption);
TReportTable WasherTable(const std::vector<TWasherRow>& rows);
TReportTable LowerTable(const std::vector<TLowerRow>& rows);
std::vector<TTitleLine> TitlePage(const TTablesReportInputs& inputs);

// The whole report: title page and the tables that have rows. Empty when nothing is chosen.
TReportContent Build(const TTablesReportInputs& inputs);

}  // namespace TablesReport
