#pragma once

#include <QString>
#include <QStringList>
#include <vector>

class TBranch;
class TDevice;
class TGasPipe;
class TMine;
class TPipe;
class TWaterPipe;

// Where a pipe lies along its branch: the whole branch, or a stretch from one end node.
enum class TPipePlacement { Through, FromStart, FromEnd };

// The pipe window's rules: every value is written to the pipe at once or refused with
// EPipeEditError, leaving the pipe as it was. A pipe never leaves one of its devices
// outside itself.
namespace PipeEdits {

// "Пожарно-оросительный", "Водоотливный", "Воздухопровод", then "Газопровод №%d" per gas
// pipe; the entry index is the pipe's index in the branch.
QStringList PipeEntries(const TBranch& branch);
// What the sections strip says for a water pipe that is not laid.
QString AbsentText(int pipeIndex);

QString PlacementCaption(TPipePlacement placement);
// Through for [0, 1], from the end node when the start is not 0, else from the start node.
TPipePlacement PlacementOf(const TPipe& pipe);
// Through: [0, 1]. From the start node: a start that is not 0 becomes the end, then the
// start goes to 0; from the end node the other way round.
void SetPlacement(TPipe& pipe, TPipePlacement placement);
// The length can be typed for a laid pipe placed from one end node on a branch longer than
// 0. The placement is the one chosen in the window: a through pipe switched to "от
// конечного узла" still spans the branch until its length is typed.
bool LengthEditable(const TPipe& pipe, TPipePlacement placement);
// "%.1f": the pipe's length in metres.
QString LengthText(const TPipe& pipe);
// Lays the typed length from the placement's end node; must be > 0. Does nothing where the
// length cannot be typed.
void ApplyLength(TPipe& pipe, TPipePlacement placement, const QString& text);
// Drags the free end of a pipe laid from one end node to the fraction.
void MoveFreeEnd(TPipe& pipe, TPipePlacement placement, double fraction);

// Dimensions of the sections strip: "%.1f м" per section longer than 0 when the pipe has
// more than one section (none otherwise), and the whole pipe's length.
QStringList SectionLengthTexts(const TPipe& pipe);
QString PipeLengthLabel(const TPipe& pipe);

// The diameter is stored rounded to a whole number, which must stay above 0; a water pipe's
// wall stays thinner than half the diameter.
void ApplyDiameter(TPipe& pipe, const QString& text);
// The wall is stored truncated to a whole number, at least 0 and below half the diameter.
void ApplyWallThickness(TWaterPipe& pipe, const QString& text);
// 1 <= K <= 2.
void ApplyK(TWaterPipe& pipe, const QString& text);
void ApplyFixedResistance(TPipe& pipe, const QString& text);
// Gas pipes: flow and concentration above 0, any temperature.
void ApplyMixtureFlow(TGasPipe& pipe, const QString& text);
void ApplyMethaneConcentration(TGasPipe& pipe, const QString& text);
void ApplyTemperature(TGasPipe& pipe, const QString& text);
// Setting the fixed flow resets the diameter type to "Диаметр известен".
void SetFixedFlow(TGasPipe& pipe, bool fixed);

// The diameters offered: the mine's diameter-colour table, or "100" when it is empty.
QStringList DiameterChoices(const TMine& mine);

// A branch carries at most 12 pipes: the three water pipes and nine gas pipes.
inline constexpr int kMaxPipes = 12;
bool CanAddGasPipe(const TBranch& branch);
// A gas pipe numbered after the branch's largest gas pipe number (1 for the first), with
// diameter 309 mm and 14 °C; refused with "Дегазационных труб не может быть более 9" when
// the branch is full.
TGasPipe* AddGasPipe(TBranch& branch);
QString DeleteGasPipePrompt(const TGasPipe& pipe);
// Frees the gas pipe with its devices.
void DeleteGasPipe(TBranch& branch, TGasPipe* pipe);

// The devices of the pipe that the filter's kind keeps (0: all), in the pipe's order.
std::vector<TDevice*> ShownDevices(const TPipe& pipe, int filterKind);
// "Удалить %s?": the kind, then " \"model\"" or the device number.
QString DeleteDevicePrompt(const TDevice& device);
// Frees a device of the pipe.
void DeleteDevice(TDevice* device);

}  // namespace PipeEdits
