#pragma once

#include "core/model/LabelOffset.h"

// Automatic placement of branch-number and section-result labels beside their branch.
// The label sits at a distance from the branch midpoint, at an angle relative to the
// branch direction on the schema; all automatic labels of one kind keep to one side.
namespace LabelPlacement {

enum class LabelKind { BranchNumber, SectionResult };

// Schema setting: branch numbers below their branch and section results above (default),
// or the other way round.
void SetNumBranchesBottom(bool bottom);
bool NumBranchesBottom();

// Direction of the segment start -> end on the schema, whole degrees 0..359.
int DirectionDegrees(double startSX, double startSY, double endSX, double endSY);

TLabelOffset Place(LabelKind kind, int directionDegrees, double relativeAngle, double distance);

struct Placement {
    double angle = 0;
    double distance = 0;
};
// The inverse: relative angle and distance that give the stored offset (angle 0 when the
// offset is zero).
Placement Derive(LabelKind kind, int directionDegrees, const TLabelOffset& offset);

}  // namespace LabelPlacement
