#pragma once

// The all-devices table of a mine: which branches pass the seam and plan-position filters,
// which devices of the chosen pipe of the selected ones pass the kind and state filters, the
// columns each kind shows and their texts, the orders a heading click sorts by, and the group
// commands ("Открыть все" and the others). The window and `irvata-cli devices` both read the
// table from here, so they show the same rows.

#include <QString>
#include <QStringList>

#include <vector>

class TBranch;
class TDevice;
class TMine;

struct TAllDevicesFilter {
    int Seam = -1;      // a seam index, or -1 for every branch
    int Position = -1;  // a plan-position index, or -1
    // 0–2 the water pipe of that slot, 3 every degasification pipe (slots 3 and up); 4 every
    // pipe of the branch (the command line's "all").
    int PipeEntry = 0;
    int KindCode = 0;   // 0 every kind, else the kind's code
    bool PumpsOn = true, PumpsOff = true;
    bool ReducersOn = true, ReducersOff = true;
    bool OnlyClosedGates = false;
    bool OnlyConsumers = false;
    bool TanksWithoutBypass = true, TanksWithBypass = true;
};

namespace AllDevicesTable {

inline constexpr int kEveryPipe = 4;

// The mine's branches, in order, that pass the seam and then the position filter.
std::vector<TBranch*> ListBranches(const TMine& mine, const TAllDevicesFilter& filter);

// The devices of the chosen pipe of the listed branches (only the selected ones unless
// `allBranches`), in branch and pipe order, that pass the kind and state filters. A water pipe
// that is not laid contributes nothing.
std::vector<TDevice*> Collect(const std::vector<TBranch*>& listed, const TAllDevicesFilter& filter,
                              bool allBranches = false);

// The column headings for a kind code: "ВСЕ", "Номер", the kind's own, "Выработка" ("\r\n"
// breaks a heading's line).
QStringList Headings(int kindCode);
// One device's cells under those headings; `row` is the number column 0 shows.
QStringList Cells(const TDevice& device, int kindCode, int row);
// Initial widths of columns 1 up to the last but one.
std::vector<int> InitialWidths(int kindCode);

// The orders a heading click chooses; always ascending.
enum class TOrder {
    None, Number, Branch, Kind, GateClosed, CraneConsumption, CraneFlow, CraneConsumer, EngineAddPressure, EngineVolume
};
// The order for a click on the heading of `column`; a column without an order of its own
// keeps `current`.
TOrder OrderForColumn(int kindCode, int column, TOrder current);
void Sort(std::vector<TDevice*>& devices, TOrder order);

// The group commands. Each acts on every device of its kind in the whole mine, on every
// pipe, as its question says; returns the devices changed.
enum class TGroupCommand { OpenAllGates, CloseAllCranes, SwitchOffAllPumps, SwitchOffAllReducers };
QString Question(TGroupCommand command);
int Apply(TMine& mine, TGroupCommand command);

// The select-all toggle: when some listed branch (device) is not selected, every branch
// (device) leaves the selection and all listed ones join it; when all are, they all leave.
void ToggleAll(TMine& mine, const std::vector<TBranch*>& listed);
void ToggleAll(TMine& mine, const std::vector<TDevice*>& listed);
// Opening the window: exactly the listed branches selected (a second opening shows the same
// table, where toggling would empty it).
void SelectOnly(TMine& mine, const std::vector<TBranch*>& listed);

// "Удалить %s?": the kind name, a blank and the model in double quotes.
QString DeleteQuestion(const TDevice& device);

// The kind code a command-line name stands for: the code itself, the kind's name ("Кран") or
// its filter name ("только краны"), any letter case; -1 for none.
int KindCodeOf(const QString& name);

}  // namespace AllDevicesTable
