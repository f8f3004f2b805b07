#include "core/system/SystemReport.h"

#include <QRegularExpression>

QString GroupThousands(quint64 value)
{
    QString digits = QString::number(value);
    for (qsizetype i = digits.size() - 3; i > 0; i -= 3)
        digits.insert(i, QLatin1Char(','));
    return digits;
}

QString DriveTypeText(DriveType type)
{
    switch (type) {
    case DriveType::Unknown: return QStringLiteral("\t - тип неопределен");
    case DriveType::NoRoot: return QStringLiteral("\t - указан неверный путь");
    case DriveType::Removable: return QStringLiteral("\t - съемный диск");
    case DriveType::Fixed: return QStringLiteral("\t - жеский диск");
    case DriveType::Remote: return QStringLiteral("\t - сетевой диск");
    case DriveType::CdRom: return QStringLiteral("\t - CD-ROM");
    case DriveType::RamDisk: return QStringLiteral("\t - RAM-диск");
    }
    return QString();
}

namespace {

bool hasSizes(DriveType type)
{
    return type == DriveType::Fixed || type == DriveType::Remote || type == DriveType::RamDisk;
}

QString orUnknown(const QString& text) { return text.isEmpty() ? kUnknownText : text; }

}  // namespace

QStringList BuildSystemReport(const SystemFacts& f)
{
    QStringList lines;

    lines << QStringLiteral("ОПЕРАЦИОННАЯ СИСТЕМА:");
    lines << QStringLiteral("Название ОС:\t") + orUnknown(f.osName);
    QString version = QStringLiteral("Версия ОС:\t%1.%2.%3").arg(f.osMajor).arg(f.osMinor).arg(f.osBuild);
    if (!f.osExtra.isEmpty())
        version += QStringLiteral(" (") + f.osExtra + QLatin1Char(')');
    lines << version << kReportSeparator;

    lines << QStringLiteral("КОМПЬЮТЕР:");
    lines << QStringLiteral("Архитектура процессора:\t") + orUnknown(f.processor);
    lines << QStringLiteral("Кол-во процессоров:\t%1").arg(f.processorCount);
    lines << QStringLiteral("Оперативная память [б]: %1 (доступно %2)")
                 .arg(GroupThousands(f.memoryTotal), GroupThousands(f.memoryAvailable));
    lines << QStringLiteral("Виртуальная память [б]: %1 (доступно %2)")
                 .arg(GroupThousands(f.virtualTotal), GroupThousands(f.virtualAvailable));
    lines << QStringLiteral("Имя:\t\t\\\\") + f.computerName;
    lines << QStringLiteral("Пользователь:\t") + f.userName;
    lines << kReportSeparator;

    lines << QStringLiteral("ДИСКОВЫЕ НОСИТЕЛИ:") << QString();
    for (size_t i = 0; i < f.drives.size(); ++i) {
        const DriveFacts& d = f.drives[i];
        if (i > 0)
            lines << QString();
        lines << d.root + DriveTypeText(d.type);
        if (hasSizes(d.type)) {
            lines << QStringLiteral("Всего [б]:\t") + GroupThousands(d.totalBytes);
            lines << QStringLiteral("Свободно [б]:\t") + GroupThousands(d.freeBytes);
            lines << QStringLiteral("Доступно [б]:\t") + GroupThousands(d.availableBytes);
        }
    }
    lines << kReportSeparator;
    return lines;
}

QString AboutNameLine(const QString& version)
{
    static const QRegularExpression numbers(QStringLiteral("^\\s*(\\d+)(?:\\.(\\d+))?(?:\\.(\\d+))?(?:\\.(\\d+))?"));
    const auto match = numbers.match(version);
    QString fileVersion = kUnavailableText;
    if (match.hasMatch()) {
        QStringList parts;
        for (int i = 1; i <= 4; ++i) {
            const QString part = match.captured(i);
            parts << (part.isEmpty() ? QStringLiteral("0") : QString::number(part.toULongLong()));
        }
        fileVersion = parts.join(QLatin1Char('.'));
    }
    return QStringLiteral("Ирвата 1.0 (%1)").arg(fileVersion);
}

QByteArray ReportFileText(const QStringList& lines)
{
    QByteArray text;
    for (const QString& line : lines) {
        text += line.toUtf8();
        text += '\n';
    }
    return text;
}
