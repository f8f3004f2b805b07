#pragma once

#include "core/model/Errors.h"

#include <QString>
#include <optional>
#include <vector>

class TBranch;
class TMine;

// The laid fire-fighting pipes grouped by (diameter, wall thickness), for setting both in
// bulk. Groups come in the order of their first pipe in the branch list.
struct TWallGroup {
    int Diameter = 0;
    int Wall = 0;
    int NewDiameter = 0;
    int NewWall = 0;
    std::vector<TBranch*> Branches;
};

// A group whose new wall is too thick for its new diameter; Row is the group's index.
class EWallGroupError : public EMineError {
public:
    explicit EWallGroupError(int row);
    int Row() const { return row_; }

private:
    int row_;
};

namespace WallGroups {

inline const QString kBadNumber = QStringLiteral("Неверно указано число");
inline const QString kBadWall = QStringLiteral("Неверная величина диаметра или толщины стенки");

std::vector<TWallGroup> Build(const TMine& mine);

// A cell's text as a whole number of millimetres (blanks around it allowed); nullopt for
// anything else, which the dialog answers with kBadNumber.
std::optional<int> ParseWholeNumber(const QString& text);

// Checks every group first (2 × new wall ≥ new diameter, or a negative value, throws
// EWallGroupError and changes nothing), then gives every branch of every group the new wall
// thickness and the new diameter on its fire-fighting pipe.
void Apply(const std::vector<TWallGroup>& groups);

}  // namespace WallGroups
