#pragma once

#include <QRectF>

#include <optional>

class TMine;
class TMineObject;
class TUzel;

// Pixels per centimetre of all schema geometry on both axes: 96 dots per inch, whatever
// the screen reports, so a drawing looks the same on every machine and in every file.
inline constexpr int kPpcm = 38;

// Default map scale denominator (1:2000).
inline constexpr int kDefaultMapScale = 2000;

// Schema units per metre for the map scale 1:mapScale (a denominator of 0 or less counts
// as the default).
double SchemaFactor(int mapScale);

// How model metres become schema units in one document: the schema factor and the
// schema position (OX, OY) of the mine's central point.
struct TSchemaFrame {
    double F = SchemaFactor(kDefaultMapScale);
    float OX = 0;
    float OY = 0;
};

// Keeps the nodes' schema positions in step with their coordinates and the map scale.
namespace SchemaPositions {

// The map scale changed the schema factor from frame.F to newFactor: every node's SX, SY
// and the origin are multiplied by newFactor / frame.F, so the drawing keeps its
// proportions; frame.F becomes newFactor. Nothing moves when the factor is unchanged.
void ChangeFactor(TMine& mine, TSchemaFrame& frame, double newFactor);

// A node's X or Y was set: a node not placed by hand follows its coordinates on the axes
// that changed, SX = F·(X − X0) + OX and SY = F·(Y − Y0) + OY.
void FollowCoordinates(TUzel& uzel, const TSchemaFrame& frame, bool xChanged, bool yChanged);

// Every node back at its coordinates (SX = X·F, SY = Y·F, placed-by-hand cleared) and the
// origin at the mine's central point.
void ResetFromCoordinates(TMine& mine, TSchemaFrame& frame);

// The origin that agrees with the nodes as they lie: taken from the first node not placed by
// hand (else the first node), OX = SX − F·(X − X0), OY = SY − F·(Y − Y0). False, and the
// frame unchanged, for a mine without nodes.
bool DeriveOrigin(const TMine& mine, TSchemaFrame& frame);

// The frame a network file's positions lie in, as every reader of a file takes it: the factor
// of the map scale in force and the stored origin, or for a file of format version 3 or later
// the origin the nodes agree with (DeriveOrigin).
TSchemaFrame LoadedFrame(const TMine& mine, int fileVersion, float storedOX, float storedOY, int mapScale);

// The smallest rectangle holding the schema positions of every node, or of the selected
// nodes; none without such nodes. One node gives a rectangle of no size at its position.
std::optional<QRectF> NodeExtent(const TMine& mine);
// Where an object lies on the schema: a node, a branch's midpoint, a device's place; none for
// anything else or a branch without both end nodes.
std::optional<QPointF> PlaceOf(const TMineObject& object);
std::optional<QRectF> SelectedNodeExtent(const TMine& mine);

// Every automatic branch-number and section-result label placed again beside its branch (after
// the side they keep to changed).
void PlaceAutomaticLabels(TMine& mine);

// "Номера и результаты": every branch-number label and every section-result label of the
// fire-fighting pipes back to automatic placement at its default angle and distance, every
// node-number offset (12, 12), node-result and device-label offset (15, -15).
void RestoreLabels(TMine& mine);

// "&Восстановить" on one label: the node's number label (or its result label when `result`),
// a branch's number label, a section's result label or a device's label back at its default.
// False for an object without such a label.
bool RestoreLabel(TMineObject& owner, bool result);

// "Восстановить" on a node: no longer placed by hand, back at its coordinates; the automatic
// labels of its branches follow.
void RestoreUzel(TUzel& uzel, const TSchemaFrame& frame);

}  // namespace SchemaPositions
