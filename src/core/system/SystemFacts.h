#pragma once

// Where the facts of the system report come from on Linux: /etc/os-release and uname for the
// system, uname and /proc/cpuinfo for the processor, /proc/meminfo for memory, the host and
// user names, and every mounted file system with its type and sizes. Each source is read by a
// small parser that tests feed with text.

#include "core/system/SystemReport.h"

#include <QByteArray>
#include <QString>

// Reads every fact now.
SystemFacts CollectSystemFacts();

// PRETTY_NAME of an os-release text (or NAME and VERSION when it is missing); empty if neither.
QString OsReleaseName(const QByteArray& osRelease);

// "6.1.0-18-amd64": the first three numbers, and the whole release text as the extra part when
// there is more than the numbers.
struct KernelVersion {
    int major = 0;
    int minor = 0;
    int build = 0;
    QString extra;
};
KernelVersion ParseKernelRelease(const QString& release);

// The values of /proc/meminfo, in bytes.
struct MemoryFacts {
    quint64 total = 0;
    quint64 available = 0;
    quint64 swapTotal = 0;
    quint64 swapFree = 0;
};
MemoryFacts ParseMeminfo(const QByteArray& meminfo);

// The processor line from the machine name of uname and, for 32-bit x86, the family, model and
// stepping of /proc/cpuinfo: "AMD64", "Intel 80486", "Intel Level 6 Model 15 Stepping 2",
// "PPC"... A machine without a name of its own is shown as uname gives it; empty when unknown.
QString ProcessorName(const QString& machine, const QByteArray& cpuinfo);

// The drive type of a mounted file system. "removable" is the device's flag in /sys/block.
DriveType ClassifyDrive(const QString& fileSystemType, const QString& device, bool removable);
