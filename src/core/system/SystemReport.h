#pragma once

// The system information report of the About box: the operating system, the computer and its
// disk drives, as text lines in three sections, each closed by a line of 64 "=".
//
// The facts are gathered separately (SystemFacts.h) so that the text can be checked on any
// facts.

#include <QString>
#include <QStringList>

#include <vector>

enum class DriveType { Unknown, NoRoot, Removable, Fixed, Remote, CdRom, RamDisk };

struct DriveFacts {
    QString root;  // the mount point ("/", "/home")
    DriveType type = DriveType::Unknown;
    quint64 totalBytes = 0;
    quint64 freeBytes = 0;       // free on the drive
    quint64 availableBytes = 0;  // free for this user
};

struct SystemFacts {
    QString osName;  // empty: unknown
    int osMajor = 0;
    int osMinor = 0;
    int osBuild = 0;
    QString osExtra;  // shown in parentheses after the version when not empty
    QString processor;  // empty: unknown
    int processorCount = 0;
    quint64 memoryTotal = 0;
    quint64 memoryAvailable = 0;
    quint64 virtualTotal = 0;
    quint64 virtualAvailable = 0;
    QString computerName;
    QString userName;
    std::vector<DriveFacts> drives;
};

inline const QString kReportSeparator = QString(64, QLatin1Char('='));
inline const QString kUnknownText = QStringLiteral("<неизвестно>");
inline const QString kUnavailableText = QStringLiteral("<недоступно>");

// The report lines. A line never holds a line break; the blank line under the disk section's
// heading is a line of its own.
QStringList BuildSystemReport(const SystemFacts& facts);

// The text after a drive's root: "\t - жеский диск" and the like.
QString DriveTypeText(DriveType type);
// Whole bytes with "," between the thousands ("1,073,741,824"), whatever the process locale.
QString GroupThousands(quint64 value);

// The name line of the About box: "Ирвата 1.0 (1.0.0.0)" from a version text of up to four
// numbers ("1.0.0" gives "1.0.0.0"); "<недоступно>" in the parentheses when it has no number.
QString AboutNameLine(const QString& version);

// The report as the text of a saved file: one line each, "\n" at the end of every line.
QByteArray ReportFileText(const QStringList& lines);
