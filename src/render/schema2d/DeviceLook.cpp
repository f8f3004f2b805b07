#include "render/schema2d/DeviceLook.h"

#include "core/model/DeviceKinds.h"

// Placeholder until the full table is in.
QColor DeviceStateColor(const TDevice&) { return kDeviceRed; }
int DeviceMinimumLength(const TDevice&) { return 3; }
QString DeviceInfoText(const TDevice& device, int devInfo)
{
    return devInfo == 1 ? QString::number(device.Number()) : QString();
}
