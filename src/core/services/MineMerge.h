#pragma once

#include "core/file/NetworkFile.h"

#include <QString>
#include <optional>
#include <vector>

class TBranch;
class TMine;

// Joining two mines into a new one: the base mine copied unchanged, the attached mine with
// its numbers following the base mine's and its plan shifted. Neither source changes.

struct TMergeRequest {
    double Dx = 0, Dy = 0;            // plan offset of the attached mine, metres
    std::optional<int> FirstUzel;     // none: the default first node number
    std::optional<int> FirstBranch;   // none: the default first branch number
    double SchemaFactor = 1;          // schema units per metre, for the schema positions
};

// What the request comes to: the first numbers and the offsets added to the attached
// mine's node (and device) and branch numbers.
struct TMergeNumbering {
    int FirstUzel = 1;
    int FirstBranch = 1;
    int UzelOffset = 0;
    int BranchOffset = 0;
};

namespace MineMerge {

inline const QString kTooFewDocuments = QStringLiteral("Для объединения шахт необходимо открыть не менее двух файлов");
inline const QString kNoSurfaceUzels =
    QStringLiteral("Для объединения этой шахты с другой необъходимо сначала указать поверхностные узлы");
inline const QString kBadNumber = QStringLiteral("Неверно указано число");
inline const QString kUzelsFrom = QStringLiteral(
    "Номера узлов присоединяемой шахты должны начинаться с %1 или более.\r\nЭто необходимо для предотвращения "
    "пересечения номеров элементов объединяемых шахт");
inline const QString kBranchesFrom = QStringLiteral(
    "Номера ветвей присоединяемой шахты должны начинаться с %1 или более.\r\nЭто необходимо для предотвращения "
    "пересечения номеров элементов объединяемых шахт");
inline const QString kZeroOffset = QStringLiteral(
    "Одно или оба значения смещения по координатам XY имеют величину 0.\r\nВозможно, это ошибка. Вы желаете "
    "продолжить?");
inline const QString kNotSaved = QStringLiteral("<не сохранен>");
inline const QString kNoSurface = QStringLiteral("Отсутствуют");

// Throws the texts above when merging cannot start.
void CheckPreconditions(int openDocuments, const TMine& base);

// The largest number among the nodes and devices (of every pipe) + 1, and the largest
// branch number + 1; 1 for a mine without them.
int DefaultFirstUzel(const TMine& base);
int DefaultFirstBranch(const TMine& base);

// Checks the request against the mines (finite offsets, first numbers not below the
// defaults) and works out the offsets; throws the system's texts.
TMergeNumbering Numbering(const TMine& base, const TMine& attached, const TMergeRequest& request);

// The merged mine's notes.
QString NotesText(const TMine& base, const TMine& attached, double dx, double dy);

// Builds the merged document: the base mine with its settings and branch order, then the
// attached mine's seams, plan positions, nodes and branches with new numbers. Nothing of it
// exists until it is complete; a refusal or failure throws and leaves no trace.
TNetworkDocument Merge(const TMine& base, const TDocumentSettings& baseSettings,
                       const std::vector<TBranch*>& baseOrder, const TMine& attached, const TMergeRequest& request);

}  // namespace MineMerge
