#pragma once

#include "core/equipment/ReducerCharacter.h"

#include <QString>
#include <array>
#include <vector>

class TBranch;
class TDevice;

// The device dialog's working copy: what the user has entered, kept apart from the model
// until it is applied (DeviceApply). Fields typed as text stay text, so a refusal can say
// which text is no number.

struct TPumpDraft {
    bool Chosen = false;             // a characteristic has been taken from a pump or the database
    std::array<double, 6> Values{};  // Q1, H1, Q2, H2, A, B
    int HeadDirection = 0;           // 0 towards the end node, 1 towards the start node
    bool Off = false;
    QString Manometer1 = QStringLiteral("0");
    QString Manometer2 = QStringLiteral("0");
};

struct TReducerDraft {
    TReducerCharacter Characteristic;  // its name is the reducer's model
    double LockingPressure = 0;
    int Direction = 0;
    bool Off = false;
    QString Manometer1 = QStringLiteral("0");
    QString Manometer2 = QStringLiteral("0");
};

struct TCraneDraft {
    bool Consumption = false;
    int ConsumerType = 0;
    QString Flow = QStringLiteral("0");
    bool Orifice = false;
    QString OrificeDiameter = QStringLiteral("5");
    QString Manometer = QStringLiteral("0");
};

struct TTankDraft {
    QString Volume = QStringLiteral("0");
    bool Bypass = false;
    QString MakeUpFlow = QStringLiteral("0");
    QString AddPressure = QStringLiteral("0");
    QString Manometer = QStringLiteral("0");
};

struct TVacuumPumpDraft {
    int P1 = 0, Q1 = 0, P2 = 0, Q2 = 0;
};

struct TFireMachineDraft {
    QString Volume = QStringLiteral("0");
    QString AddPressure = QStringLiteral("0");
    QString Manometer = QStringLiteral("0");
};

// One row of the well grid: length, diameter, flow, CH4 concentration, vacuum.
using TWellRow = std::array<QString, 5>;

// One gas pipe of the branch in the connection list.
struct TConnectionEntry {
    int PipeIndex = 0;  // the pipe's index in the branch
    int PipeNo = 0;
    bool Checked = false;
    int NodeNumber = 0;
    double Flow = 10.0;
    double Concentration = 50.0;
    double Temperature = 14.0;
};

struct TDeviceDraft {
    int Kind = 0;
    int PipeIndex = 0;   // index in the branch's pipe list
    double Position = 0;
    int Number = 0;
    QString PPZNumber;
    QString Model;       // free text for every kind but the pump (database) and the reducer

    TPumpDraft Pump;
    TReducerDraft Reducer;
    bool GateClosed = false;
    TCraneDraft Crane;
    TTankDraft Tank;
    TVacuumPumpDraft Vacuum;
    std::vector<TWellRow> Wells;
    std::vector<TConnectionEntry> Connections;  // one per gas pipe, in branch order
    int SelectedConnection = 0;                 // index into Connections
    TFireMachineDraft Machine;
};

namespace DeviceDrafts {

// A draft for adding a device of the kind (0 means none chosen yet) on the branch's pipe:
// the position pulled into the pipe, the suggested number, fresh connection entries.
TDeviceDraft ForNewDevice(const TBranch& branch, int kind, int pipeIndex, double position = 0);

// A draft holding the device's values; a connection brings its whole group.
TDeviceDraft ForDevice(const TDevice& device);

// The connection entries of the branch: the connections standing at the position (the
// group of an edited connection) checked with their values, every other gas pipe unchecked
// with a fresh node number (numbers given to earlier entries count as used).
std::vector<TConnectionEntry> ConnectionEntries(const TBranch& branch, const TDevice* groupMember);

// The connections standing exactly at the position on the branch's gas pipes, in pipe order.
std::vector<TDevice*> ConnectionGroup(const TBranch& branch, double position);

// Text of a number for a draft field.
QString NumberText(double value);

}  // namespace DeviceDrafts
