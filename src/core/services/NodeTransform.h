#pragma once

#include <QString>
#include <vector>

class TMine;
class TUzel;

// Moving a whole mine, or some of its nodes, as one body: shift and scale along the axes,
// rotation in the plan about a centre, or exchange of the X and Y axes. The nodes' schema
// positions follow, with shifts and the centre carried over by the schema factor.
enum class TTransformKind { ShiftScale, Rotate, SwapXY };

struct TTransformRequest {
    TTransformKind Kind = TTransformKind::ShiftScale;
    double Kx = 1, Ky = 1, Kz = 1;  // scale factors
    double Dx = 0, Dy = 0, Dz = 0;  // shifts, metres
    double AngleDegrees = 0;        // rotation; positive turns the plan clockwise
    double X0 = 0, Y0 = 0;          // rotation centre, metres
    bool SchemaOnly = false;        // geometric coordinates stay as they are
    double SchemaFactor = 1;        // schema units per metre
};

namespace NodeTransform {

inline const QString kBadNumber = QStringLiteral("Неверно указано число");
inline const QString kZeroScale = QStringLiteral("Коэффициент увеличения не может быть равен нулю");

// The nodes of the area: every node, or the selected nodes, or the current node when
// nothing is selected (none without one).
std::vector<TUzel*> AreaNodes(const TMine& mine, bool selectedOnly, TUzel* current);

// Throws EMineError when the request would damage the mine: a value that is not a finite
// number, or a scale factor of 0, which would collapse the nodes onto one plane for good.
void Validate(const TTransformRequest& request);

// Validates, then transforms the nodes in the given order and places the automatic labels
// again. A refused request changes nothing.
void Apply(TMine& mine, const std::vector<TUzel*>& nodes, const TTransformRequest& request);

// The dial: the angle in degrees for a pointer at (dx, dy) from the centre, dy measured
// upwards: 0 straight above, 180 straight below, −90 to the right, +90 to the left.
double DialAngle(double dx, double dyUp);

// Ctrl on the dial: the rounded angle cut down to a multiple of 5 when it lies less than 2
// past one, else moved on to the next multiple of 5 away from zero.
double SnapAngle(double degrees);

}  // namespace NodeTransform
