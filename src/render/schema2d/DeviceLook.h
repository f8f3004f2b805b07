#pragma once

// How a device shows on the schema: its state colour, the length its branch needs before it
// is drawn, and the information text beside its symbol.

#include <QColor>
#include <QString>

class TDevice;

inline const QColor kDeviceRed(255, 0, 0);
inline const QColor kDeviceBlue(0, 128, 255);
inline const QColor kDeviceSelected(0, 255, 0);
inline const QColor kGasGateGreen(0, 128, 0);

// Red, or blue in the kind's other state (a pump or reducer off, a gate closed, a hydrant
// consuming); a gate on a degasification pipe is green instead of red.
QColor DeviceStateColor(const TDevice& device);

// The branch must be at least this many symbol factors long on the screen for the device
// to be drawn (0: always).
int DeviceMinimumLength(const TDevice& device);

// The text beside the symbol for a device-information choice (0 none, 1 numbers, 2 models,
// 3 parameters, 4 PPZ numbers); lines are separated by "\n".
QString DeviceInfoText(const TDevice& device, int devInfo);
