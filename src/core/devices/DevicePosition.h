#pragma once

#include <QString>

class TBranch;
class TPipe;

// The three fields that show and take a device's place on its branch.
enum class TPositionField { FromStart, FromEnd, Elevation };

struct TPositionTexts {
    QString FromStart;
    QString FromEnd;
    QString Elevation;  // empty when a node is missing
};

// A device's place on its branch as a fraction of the branch length (0 at the start node,
// 1 at the end node), shown and typed in metres from either node, as an elevation, or in
// percent when the branch has no length to measure.
namespace DevicePosition {

// "%.1f м" from each node and the elevation between the end heights; "%.1f %" from each
// end when a node is missing (no elevation then).
TPositionTexts Texts(const TBranch& branch, double position);

// The typed text as a fraction, clamped to [0, 1]. The text's last character is the unit:
// "%" percent of the length, "м"/"М" metres (refused on a branch of length 0), a digit or
// decimal separator metres (percent on a branch of length 0). The end field counts from the
// end node; the elevation field maps through the end heights and takes metres only.
// Anything else throws EDeviceEditError "Неверно указано число" naming the position.
double Parse(const TBranch& branch, TPositionField field, const QString& text);

// The duplicate step in metres, typed like a distance ("%" takes the share of the length).
double ParseStep(const TBranch& branch, const QString& text);
QString StepText(double metres);

// Labels under the position strip: "от узла %d", or "от начал. узла" / "от конеч. узла"
// when the branch has no such node.
QString StartLabel(const TBranch& branch);
QString EndLabel(const TBranch& branch);

// The elevation can be typed only on an inclined branch.
bool ElevationEditable(const TBranch& branch);

// The position pulled into the pipe's extent.
double IntoPipe(const TPipe& pipe, double position);

}  // namespace DevicePosition
