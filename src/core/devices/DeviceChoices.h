#pragma once

#include <QString>
#include <QStringList>
#include <vector>

class TBranch;

// An entry of a kind list and the device kind code it stands for.
struct TKindEntry {
    QString Text;
    int Kind = 0;
};

// The lists the device dialog and the pipe window choose from. Entries map to kind codes
// explicitly, never through their index.
namespace DeviceChoices {

// All ten kinds in code order, so every device opens, gas-side ones included.
std::vector<TKindEntry> KindEntries();
// The entry of the kind, −1 for an unknown code.
int KindEntryIndex(int kind);

// The page caption of the kind ("Не поддерживается" for an unknown code).
QString PageCaption(int kind);
// Whether the branch's pipe at the index exists and takes the kind.
bool PipeAccepts(const TBranch& branch, int pipeIndex, int kind);

// "Пожарно-оросительный", "Водоотлив", "Воздухопровод", then "Газопровод №%d" per gas pipe:
// the entry index is the pipe's index in the branch.
QStringList PipeEntries(const TBranch& branch);

// The pipe window's device filter, "Все устройства" (kind 0) first.
std::vector<TKindEntry> FilterEntries();

// "Оборудование (** редактирование)" / "Оборудование (** добавление)".
QString DialogCaption(bool editing);

// The reducer page's explanation, by whether a characteristic is chosen.
QString ReducerHint(bool characteristicChosen);

}  // namespace DeviceChoices
