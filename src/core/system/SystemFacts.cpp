#include "core/system/SystemFacts.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStorageInfo>
#include <QSysInfo>
#include <QThread>

#include <pwd.h>
#include <sys/utsname.h>
#include <unistd.h>

namespace {

// Reads at most limit bytes of a small system file; empty when it cannot be read.
QByteArray readSmallFile(const QString& path, qint64 limit = 1 << 20)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.read(limit);
}

QString unquote(QString value)
{
    value = value.trimmed();
    if (value.size() >= 2 && (value.front() == QLatin1Char('"') || value.front() == QLatin1Char('\''))
        && value.back() == value.front())
        value = value.mid(1, value.size() - 2);
    value.replace(QStringLiteral("\\\""), QStringLiteral("\""));
    return value;
}

QString userName()
{
    if (const passwd* pw = getpwuid(getuid()); pw && pw->pw_name)
        return QString::fromLocal8Bit(pw->pw_name);
    return qEnvironmentVariable("USER");
}

// The block device behind "/dev/sdb1": "sdb"; empty for anything else.
QString blockDeviceName(const QString& device)
{
    static const QRegularExpression partition(QStringLiteral("^/dev/((?:sd|hd|vd|xvd)[a-z]+|mmcblk\\d+|nvme\\d+n\\d+)"));
    const auto match = partition.match(device);
    return match.hasMatch() ? match.captured(1) : QString();
}

bool isRemovableDevice(const QString& device)
{
    const QString block = blockDeviceName(device);
    if (block.isEmpty())
        return false;
    return readSmallFile(QStringLiteral("/sys/block/%1/removable").arg(block), 16).trimmed() == "1";
}

}  // namespace

QString OsReleaseName(const QByteArray& osRelease)
{
    QString pretty, name, version;
    for (const QByteArray& raw : osRelease.split('\n')) {
        const QString line = QString::fromUtf8(raw).trimmed();
        const qsizetype eq = line.indexOf(QLatin1Char('='));
        if (line.startsWith(QLatin1Char('#')) || eq <= 0)
            continue;
        const QString key = line.left(eq);
        const QString value = unquote(line.mid(eq + 1));
        if (key == QLatin1String("PRETTY_NAME"))
            pretty = value;
        else if (key == QLatin1String("NAME"))
            name = value;
        else if (key == QLatin1String("VERSION"))
            version = value;
    }
    if (!pretty.isEmpty())
        return pretty;
    if (name.isEmpty())
        return QString();
    return version.isEmpty() ? name : name + QLatin1Char(' ') + version;
}

KernelVersion ParseKernelRelease(const QString& release)
{
    KernelVersion v;
    static const QRegularExpression numbers(QStringLiteral("^(\\d+)(?:\\.(\\d+))?(?:\\.(\\d+))?"));
    const auto match = numbers.match(release.trimmed());
    if (!match.hasMatch()) {
        v.extra = release.trimmed();
        return v;
    }
    v.major = match.captured(1).toInt();
    v.minor = match.captured(2).toInt();
    v.build = match.captured(3).toInt();
    if (match.capturedLength(0) < release.trimmed().size())
        v.extra = release.trimmed();
    return v;
}

MemoryFacts ParseMeminfo(const QByteArray& meminfo)
{
    MemoryFacts m;
    bool haveAvailable = false;
    quint64 free = 0, buffers = 0, cached = 0;
    for (const QByteArray& raw : meminfo.split('\n')) {
        const qsizetype colon = raw.indexOf(':');
        if (colon <= 0)
            continue;
        const QByteArray key = raw.left(colon).trimmed();
        QList<QByteArray> parts = raw.mid(colon + 1).simplified().split(' ');
        bool ok = false;
        quint64 value = parts.value(0).toULongLong(&ok);
        if (!ok)
            continue;
        // Values are in kB; keep clear of overflow on absurd input.
        if (parts.value(1) == "kB")
            value = value > (~quint64(0) >> 10) ? ~quint64(0) : value << 10;
        if (key == "MemTotal")
            m.total = value;
        else if (key == "MemAvailable") {
            m.available = value;
            haveAvailable = true;
        } else if (key == "MemFree")
            free = value;
        else if (key == "Buffers")
            buffers = value;
        else if (key == "Cached")
            cached = value;
        else if (key == "SwapTotal")
            m.swapTotal = value;
        else if (key == "SwapFree")
            m.swapFree = value;
    }
    // Old kernels have no MemAvailable: free plus the caches is the nearest answer.
    if (!haveAvailable)
        m.available = free + buffers + cached;
    return m;
}

QString ProcessorName(const QString& machine, const QByteArray& cpuinfo)
{
    static const QRegularExpression x86(QStringLiteral("^i[3-6]86$"));
    if (machine.isEmpty())
        return QString();
    if (machine == QLatin1String("x86_64") || machine == QLatin1String("amd64"))
        return QStringLiteral("AMD64");
    if (machine == QLatin1String("ia64"))
        return QStringLiteral("Intel64");
    if (machine.startsWith(QLatin1String("ppc")) || machine.startsWith(QLatin1String("powerpc")))
        return QStringLiteral("PPC");
    if (machine.startsWith(QLatin1String("mips")))
        return QStringLiteral("MIPS");
    if (machine.startsWith(QLatin1String("alpha")))
        return QStringLiteral("ALPHA");
    if (x86.match(machine).hasMatch()) {
        int family = machine.at(1).digitValue(), model = 0, stepping = 0;
        for (const QByteArray& raw : cpuinfo.split('\n')) {
            const qsizetype colon = raw.indexOf(':');
            if (colon <= 0)
                continue;
            const QByteArray key = raw.left(colon).trimmed();
            const int value = raw.mid(colon + 1).trimmed().toInt();
            if (key == "cpu family")
                family = value;
            else if (key == "model")
                model = value;
            else if (key == "stepping")
                stepping = value;
            else if (key.isEmpty() || key == "processor") {
                if (key == "processor" && value > 0)
                    break;  // the first processor is enough
            }
        }
        if (family == 3)
            return QStringLiteral("Intel 80386");
        if (family == 4)
            return QStringLiteral("Intel 80486");
        return QStringLiteral("Intel Level %1 Model %2 Stepping %3").arg(family).arg(model).arg(stepping);
    }
    return machine;
}

DriveType ClassifyDrive(const QString& fileSystemType, const QString& device, bool removable)
{
    const QString fs = fileSystemType.toLower();
    static const QStringList remote = {
        QStringLiteral("nfs"), QStringLiteral("nfs4"), QStringLiteral("cifs"), QStringLiteral("smbfs"),
        QStringLiteral("smb3"), QStringLiteral("fuse.sshfs"), QStringLiteral("sshfs"), QStringLiteral("9p"),
        QStringLiteral("afs"), QStringLiteral("ceph"), QStringLiteral("glusterfs"), QStringLiteral("davfs"),
        QStringLiteral("fuse.davfs2"), QStringLiteral("fuse.rclone")};
    static const QStringList ram = {QStringLiteral("tmpfs"), QStringLiteral("ramfs"), QStringLiteral("devtmpfs")};
    static const QStringList optical = {QStringLiteral("iso9660"), QStringLiteral("udf")};
    static const QStringList local = {
        QStringLiteral("ext2"), QStringLiteral("ext3"), QStringLiteral("ext4"), QStringLiteral("xfs"),
        QStringLiteral("btrfs"), QStringLiteral("zfs"), QStringLiteral("f2fs"), QStringLiteral("jfs"),
        QStringLiteral("reiserfs"), QStringLiteral("overlay"), QStringLiteral("vfat"), QStringLiteral("exfat"),
        QStringLiteral("ntfs"), QStringLiteral("ntfs3"), QStringLiteral("fuseblk"), QStringLiteral("bcachefs")};

    if (remote.contains(fs) || device.startsWith(QLatin1String("//")))
        return DriveType::Remote;
    if (ram.contains(fs))
        return DriveType::RamDisk;
    if (optical.contains(fs) || device.startsWith(QLatin1String("/dev/sr")))
        return DriveType::CdRom;
    if (removable)
        return DriveType::Removable;
    if (local.contains(fs) || device.startsWith(QLatin1String("/dev/")))
        return DriveType::Fixed;
    return DriveType::Unknown;
}

SystemFacts CollectSystemFacts()
{
    SystemFacts f;

    utsname uts{};
    const bool haveUname = uname(&uts) == 0;
    f.osName = OsReleaseName(readSmallFile(QStringLiteral("/etc/os-release")));
    if (f.osName.isEmpty())
        f.osName = OsReleaseName(readSmallFile(QStringLiteral("/usr/lib/os-release")));
    if (f.osName.isEmpty() && haveUname)
        f.osName = QString::fromLocal8Bit(uts.sysname);
    if (haveUname) {
        const KernelVersion kernel = ParseKernelRelease(QString::fromLocal8Bit(uts.release));
        f.osMajor = kernel.major;
        f.osMinor = kernel.minor;
        f.osBuild = kernel.build;
        f.osExtra = kernel.extra;
        f.processor = ProcessorName(QString::fromLocal8Bit(uts.machine), readSmallFile(QStringLiteral("/proc/cpuinfo"), 64 * 1024));
    }
    const long online = sysconf(_SC_NPROCESSORS_ONLN);
    f.processorCount = online > 0 ? int(online) : QThread::idealThreadCount();

    const MemoryFacts memory = ParseMeminfo(readSmallFile(QStringLiteral("/proc/meminfo")));
    f.memoryTotal = memory.total;
    f.memoryAvailable = memory.available;
    // Virtual memory of the system: the memory and the swap space together.
    f.virtualTotal = memory.total + memory.swapTotal;
    f.virtualAvailable = memory.available + memory.swapFree;

    f.computerName = QSysInfo::machineHostName();
    f.userName = userName();

    for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
        DriveFacts d;
        d.root = volume.rootPath();
        const QString device = QString::fromLocal8Bit(volume.device());
        if (!volume.isValid() || !QFileInfo(d.root).isDir())
            d.type = DriveType::NoRoot;
        else
            d.type = ClassifyDrive(QString::fromLocal8Bit(volume.fileSystemType()), device, isRemovableDevice(device));
        if (volume.isValid() && volume.isReady()) {
            // A failed query gives -1; the report then shows zeros.
            d.totalBytes = quint64(std::max<qint64>(volume.bytesTotal(), 0));
            d.freeBytes = quint64(std::max<qint64>(volume.bytesFree(), 0));
            d.availableBytes = quint64(std::max<qint64>(volume.bytesAvailable(), 0));
        }
        f.drives.push_back(d);
    }
    return f;
}
