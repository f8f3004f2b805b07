#pragma once

#include "core/schema/SchemaPositions.h"
#include "core/model/Errors.h"

#include <QString>
#include <vector>

class TBranch;
class TMine;
class TUzel;

// A typed text that is no number; carries the standard conversion message.
class EConvertError : public Exception {
public:
    using Exception::Exception;
};

// A value the table refuses; carries the text the user sees.
class ETableEditError : public Exception {
public:
    using Exception::Exception;
};

namespace TableEditTexts {
inline const QString kBadDiameter = QStringLiteral("Неверно указан диаметр трубы или толщина стенки");
inline const QString kBadNumber = QStringLiteral("Неверно указано число");
}

// Edits made in the node and branch tables and the table commands that add and delete
// objects. Each either applies completely or throws and changes nothing.
namespace TableEdits {

// Integers take digits with an optional sign; floats take "," or "." as the decimal
// separator. Anything else throws EConvertError.
int ParseInteger(const QString& text);
double ParseFloat(const QString& text);

// Applies the text typed into a node cell (column type TUzelParam). A new X or Y moves a
// node not placed by hand on the schema through the document's frame, never to the bare
// metres.
void ApplyUzelCell(TUzel& uzel, int param, const QString& text, const TSchemaFrame& frame);

// Applies the text typed into a branch cell (column type TBranchParam):
// - the diameter: empty lays the fire pipe off, otherwise the pipe is laid with a diameter
//   that must exceed twice the wall thickness;
// - the wall thickness: twice it must stay below the diameter;
// - the distance from the start node moves only the pipe's start (0 or less: the start
//   node), the distance from the end node only its end; both are limited to the length;
// - start and end node numbers relink the branch; the computed, seam and plan-position
//   columns take nothing.
void ApplyBranchCell(TBranch& branch, int param, const QString& text);

// The check box of the diameter cell: lays the fire pipe or takes it off.
void SetFirePipeLaid(TBranch& branch, bool laid);

// The largest number in use plus 1 (1 for an empty list).
int NextUzelNumber(const TMine& mine);
int NextBranchNumber(const TMine& mine);

// A new node at the origin, numbered as the free-number chooser's first entry over the
// numbers of nodes and devices (the largest + 1 when the numbering has no gap).
TUzel* AddUzel(TMine& mine);
// A new branch with the next branch number, without nodes, on the default seam and at the
// default plan position (−1 none; an index outside its list counts as none).
TBranch* AddBranch(TMine& mine, int defaultLayer = -1, int defaultPLF = -1);

// Deletes a node; with its branches, every branch joined to it goes first. Returns the
// number of branches deleted.
int DeleteUzel(TMine& mine, TUzel* uzel, bool withBranches);
void DeleteBranch(TMine& mine, TBranch* branch);
// Deletes several objects of one kind, skipping ones already gone.
void DeleteUzels(TMine& mine, const std::vector<TUzel*>& uzels);
void DeleteBranches(TMine& mine, const std::vector<TBranch*>& branches);

// Toggles the surface flag of a node.
void ToggleSurface(TUzel& uzel);

}  // namespace TableEdits
