#pragma once

#include <QString>
#include <vector>

class TBranch;
class TMine;

// Replacing one branch by a chain of branches joined by new nodes along it. The water and
// degasification pipes with their devices are divided among the pieces.

// How planned numbers are chosen: after the largest number, or the free numbers.
enum class TSplitNumbering { AfterMax, Free };

struct TSplitNode {
    int Number = 0;
    double T = 0;  // fraction of the branch length, strictly inside on execution
};

struct TSplitBranch {
    int Number = 0;
    int Start = 0;
    int End = 0;
};

// n planned nodes in order along the branch and n + 1 planned branches from its start;
// branch 0 keeps the old branch's number.
struct TSplitPlan {
    TBranch* Branch = nullptr;
    std::vector<TSplitNode> Nodes;
    std::vector<TSplitBranch> Branches;
};

namespace BranchSplit {

inline constexpr int kMaxNodes = 10;

inline const QString kCoincidentNodes =
    QStringLiteral("Совпадают положения двух или более узлов разрыва.\r\nНеобходимо разнести эти узлы");
inline const QString kBadNumber = QStringLiteral("Неверно указано число");
// "%1" is the branch number.
inline const QString kNotLinked = QStringLiteral("Ветвь № %1 не соединена с узлами. Разбить ее невозможно");
inline const QString kUzelNumberUsed = QStringLiteral("Номер %1 уже занят узлом или оборудованием");
inline const QString kBranchNumberUsed = QStringLiteral("Номер ветви %1 уже занят");

// The branch must have both end nodes; throws kNotLinked otherwise.
void CheckSplittable(const TBranch& branch);

// count nodes (cut to 0 … kMaxNodes) evenly along the branch, numbered in the modes. In the
// free mode node numbers avoid nodes and devices of the water pipes, branch numbers avoid
// branches, and each planned number counts as used for the next.
TSplitPlan Plan(const TMine& mine, TBranch& branch, int count, TSplitNumbering uzelNumbering,
                TSplitNumbering branchNumbering);

// A typed number for planned node i: the adjoining branches follow it.
void SetUzelNumber(TSplitPlan& plan, int index, int number);

// The length of planned branch i in metres: the branch length times its share.
double PieceLength(const TSplitPlan& plan, int index);

// Throws EMineError with the system's text when the plan cannot be carried out: nodes at an
// end or on one another (or out of order), numbers below 1, numbers already used in the
// mine or repeated within the plan, a branch without both end nodes.
void Validate(const TMine& mine, const TSplitPlan& plan);

// Validates, then creates the nodes and branches, divides the pipes with their devices and
// frees the old branch. Returns the new branches in order. A refused plan changes nothing.
std::vector<TBranch*> Execute(TMine& mine, const TSplitPlan& plan);

}  // namespace BranchSplit
