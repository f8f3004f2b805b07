#include "core/system/SystemFacts.h"
#include "core/system/SystemReport.h"

#include <gtest/gtest.h>

namespace {

SystemFacts sampleFacts()
{
    SystemFacts f;
    f.osName = QStringLiteral("Debian GNU/Linux 12 (bookworm)");
    f.osMajor = 6;
    f.osMinor = 1;
    f.osBuild = 0;
    f.osExtra = QStringLiteral("6.1.0-18-amd64");
    f.processor = QStringLiteral("AMD64");
    f.processorCount = 4;
    f.memoryTotal = 8'589'934'592ULL;
    f.memoryAvailable = 1'234'567ULL;
    f.virtualTotal = 10'000'000'000ULL;
    f.virtualAvailable = 999ULL;
    f.computerName = QStringLiteral("shaft-pc");
    f.userName = QStringLiteral("ivanov");
    f.drives.push_back({QStringLiteral("/"), DriveType::Fixed, 100'000'000'000ULL, 40'000'000'000ULL, 35'000'000'000ULL});
    f.drives.push_back({QStringLiteral("/media/cdrom"), DriveType::CdRom, 0, 0, 0});
    f.drives.push_back({QStringLiteral("/run"), DriveType::RamDisk, 1000, 500, 500});
    return f;
}

}  // namespace

TEST(SystemReport, ThousandsAreGroupedWithCommas)
{
    EXPECT_EQ(GroupThousands(0), QStringLiteral("0"));
    EXPECT_EQ(GroupThousands(999), QStringLiteral("999"));
    EXPECT_EQ(GroupThousands(1000), QStringLiteral("1,000"));
    EXPECT_EQ(GroupThousands(1234567), QStringLiteral("1,234,567"));
    EXPECT_EQ(GroupThousands(18446744073709551615ULL), QStringLiteral("18,446,744,073,709,551,615"));
}

TEST(SystemReport, ThreeSectionsEachClosedBySixtyFourEquals)
{
    const QStringList lines = BuildSystemReport(sampleFacts());
    EXPECT_EQ(kReportSeparator, QString(64, QLatin1Char('=')));
    EXPECT_EQ(lines.count(kReportSeparator), 3);
    EXPECT_EQ(lines.last(), kReportSeparator);

    const QStringList expected = {
        QStringLiteral("ОПЕРАЦИОННАЯ СИСТЕМА:"),
        QStringLiteral("Название ОС:\tDebian GNU/Linux 12 (bookworm)"),
        QStringLiteral("Версия ОС:\t6.1.0 (6.1.0-18-amd64)"),
        kReportSeparator,
        QStringLiteral("КОМПЬЮТЕР:"),
        QStringLiteral("Архитектура процессора:\tAMD64"),
        QStringLiteral("Кол-во процессоров:\t4"),
        QStringLiteral("Оперативная память [б]: 8,589,934,592 (доступно 1,234,567)"),
        QStringLiteral("Виртуальная память [б]: 10,000,000,000 (доступно 999)"),
        QStringLiteral("Имя:\t\t\\\\shaft-pc"),
        QStringLiteral("Пользователь:\tivanov"),
        kReportSeparator,
        QStringLiteral("ДИСКОВЫЕ НОСИТЕЛИ:"),
        QString(),
        QStringLiteral("/\t - жеский диск"),
        QStringLiteral("Всего [б]:\t100,000,000,000"),
        QStringLiteral("Свободно [б]:\t40,000,000,000"),
        QStringLiteral("Доступно [б]:\t35,000,000,000"),
        QString(),
        QStringLiteral("/media/cdrom\t - CD-ROM"),
        QString(),
        QStringLiteral("/run\t - RAM-диск"),
        QStringLiteral("Всего [б]:\t1,000"),
        QStringLiteral("Свободно [б]:\t500"),
        QStringLiteral("Доступно [б]:\t500"),
        kReportSeparator,
    };
    EXPECT_EQ(lines, expected);
}

TEST(SystemReport, UnknownFactsAndNoDrives)
{
    SystemFacts f;
    const QStringList lines = BuildSystemReport(f);
    EXPECT_EQ(lines[1], QStringLiteral("Название ОС:\t<неизвестно>"));
    EXPECT_EQ(lines[2], QStringLiteral("Версия ОС:\t0.0.0"));
    EXPECT_EQ(lines[5], QStringLiteral("Архитектура процессора:\t<неизвестно>"));
    // The disk section is its heading, the blank line and the separator.
    EXPECT_EQ(lines.mid(lines.size() - 3),
              (QStringList{QStringLiteral("ДИСКОВЫЕ НОСИТЕЛИ:"), QString(), kReportSeparator}));
}

TEST(SystemReport, SizeLinesOnlyForFixedRemoteAndRamDrives)
{
    for (DriveType type : {DriveType::Unknown, DriveType::NoRoot, DriveType::Removable, DriveType::Fixed,
                           DriveType::Remote, DriveType::CdRom, DriveType::RamDisk}) {
        SystemFacts f;
        f.drives.push_back({QStringLiteral("/x"), type, 1, 1, 1});
        const QStringList lines = BuildSystemReport(f);
        const bool sized = type == DriveType::Fixed || type == DriveType::Remote || type == DriveType::RamDisk;
        EXPECT_EQ(lines.filter(QStringLiteral("Всего [б]:")).size(), sized ? 1 : 0);
        EXPECT_TRUE(lines.contains(QStringLiteral("/x") + DriveTypeText(type)));
    }
    EXPECT_EQ(DriveTypeText(DriveType::Remote), QStringLiteral("\t - сетевой диск"));
    EXPECT_EQ(DriveTypeText(DriveType::Removable), QStringLiteral("\t - съемный диск"));
    EXPECT_EQ(DriveTypeText(DriveType::Unknown), QStringLiteral("\t - тип неопределен"));
    EXPECT_EQ(DriveTypeText(DriveType::NoRoot), QStringLiteral("\t - указан неверный путь"));
}

TEST(SystemReport, NameLineFromTheVersion)
{
    EXPECT_EQ(AboutNameLine(QStringLiteral("1.0.0")), QStringLiteral("Ирвата 1.0 (1.0.0.0)"));
    EXPECT_EQ(AboutNameLine(QStringLiteral("2.3.4.5")), QStringLiteral("Ирвата 1.0 (2.3.4.5)"));
    EXPECT_EQ(AboutNameLine(QStringLiteral("7")), QStringLiteral("Ирвата 1.0 (7.0.0.0)"));
    EXPECT_EQ(AboutNameLine(QString()), QStringLiteral("Ирвата 1.0 (<недоступно>)"));
    EXPECT_EQ(AboutNameLine(QStringLiteral("dev")), QStringLiteral("Ирвата 1.0 (<недоступно>)"));
}

TEST(SystemReport, FileTextHasOneLinePerReportLine)
{
    const QByteArray text = ReportFileText({QStringLiteral("А"), QString(), QStringLiteral("b\tc")});
    EXPECT_EQ(text, QByteArray("\xD0\x90\n\nb\tc\n"));
}

TEST(SystemFacts, OsReleaseName)
{
    EXPECT_EQ(OsReleaseName("NAME=\"Debian GNU/Linux\"\nPRETTY_NAME=\"Debian GNU/Linux 12 (bookworm)\"\nID=debian\n"),
              QStringLiteral("Debian GNU/Linux 12 (bookworm)"));
    EXPECT_EQ(OsReleaseName("# comment\nNAME=Alpine\nVERSION='3.19'\n"), QStringLiteral("Alpine 3.19"));
    EXPECT_EQ(OsReleaseName("garbage\n=x\n"), QString());
    EXPECT_EQ(OsReleaseName(QByteArray()), QString());
}

TEST(SystemFacts, KernelRelease)
{
    const KernelVersion v = ParseKernelRelease(QStringLiteral("6.1.0-18-amd64"));
    EXPECT_EQ(v.major, 6);
    EXPECT_EQ(v.minor, 1);
    EXPECT_EQ(v.build, 0);
    EXPECT_EQ(v.extra, QStringLiteral("6.1.0-18-amd64"));
    const KernelVersion plain = ParseKernelRelease(QStringLiteral("5.15.2"));
    EXPECT_EQ(plain.build, 2);
    EXPECT_TRUE(plain.extra.isEmpty());
    const KernelVersion odd = ParseKernelRelease(QStringLiteral("weird"));
    EXPECT_EQ(odd.major, 0);
    EXPECT_EQ(odd.extra, QStringLiteral("weird"));
}

TEST(SystemFacts, Meminfo)
{
    const MemoryFacts m = ParseMeminfo("MemTotal:       16314156 kB\nMemFree:  100 kB\nMemAvailable:   8000000 kB\n"
                                       "SwapTotal: 2000 kB\nSwapFree: 1000 kB\nbroken line\nHugePages_Total: 0\n");
    EXPECT_EQ(m.total, 16314156ULL * 1024);
    EXPECT_EQ(m.available, 8000000ULL * 1024);
    EXPECT_EQ(m.swapTotal, 2000ULL * 1024);
    EXPECT_EQ(m.swapFree, 1000ULL * 1024);

    const MemoryFacts old = ParseMeminfo("MemTotal: 10 kB\nMemFree: 1 kB\nBuffers: 2 kB\nCached: 3 kB\n");
    EXPECT_EQ(old.available, 6ULL * 1024) << "without MemAvailable: free + buffers + cached";
    EXPECT_EQ(ParseMeminfo("MemTotal: 99999999999999999999 kB\n").total, 0u) << "no number is no value";
    EXPECT_EQ(ParseMeminfo("MemTotal: 18446744073709551 kB\n").total, ~quint64(0)) << "clamped, not wrapped";
}

TEST(SystemFacts, ProcessorNames)
{
    EXPECT_EQ(ProcessorName(QStringLiteral("x86_64"), {}), QStringLiteral("AMD64"));
    EXPECT_EQ(ProcessorName(QStringLiteral("ppc64le"), {}), QStringLiteral("PPC"));
    EXPECT_EQ(ProcessorName(QStringLiteral("mips64"), {}), QStringLiteral("MIPS"));
    EXPECT_EQ(ProcessorName(QStringLiteral("alpha"), {}), QStringLiteral("ALPHA"));
    EXPECT_EQ(ProcessorName(QStringLiteral("ia64"), {}), QStringLiteral("Intel64"));
    EXPECT_EQ(ProcessorName(QStringLiteral("aarch64"), {}), QStringLiteral("aarch64"));
    EXPECT_EQ(ProcessorName(QString(), {}), QString());
    EXPECT_EQ(ProcessorName(QStringLiteral("i686"), "processor\t: 0\ncpu family\t: 6\nmodel\t\t: 15\nstepping\t: 2\n"),
              QStringLiteral("Intel Level 6 Model 15 Stepping 2"));
    EXPECT_EQ(ProcessorName(QStringLiteral("i486"), "cpu family\t: 4\n"), QStringLiteral("Intel 80486"));
    EXPECT_EQ(ProcessorName(QStringLiteral("i386"), {}), QStringLiteral("Intel 80386"));
}

TEST(SystemFacts, DriveClassification)
{
    EXPECT_EQ(ClassifyDrive(QStringLiteral("ext4"), QStringLiteral("/dev/sda1"), false), DriveType::Fixed);
    EXPECT_EQ(ClassifyDrive(QStringLiteral("vfat"), QStringLiteral("/dev/sdb1"), true), DriveType::Removable);
    EXPECT_EQ(ClassifyDrive(QStringLiteral("nfs4"), QStringLiteral("server:/export"), false), DriveType::Remote);
    EXPECT_EQ(ClassifyDrive(QStringLiteral("cifs"), QStringLiteral("//srv/share"), false), DriveType::Remote);
    EXPECT_EQ(ClassifyDrive(QStringLiteral("tmpfs"), QStringLiteral("tmpfs"), false), DriveType::RamDisk);
    EXPECT_EQ(ClassifyDrive(QStringLiteral("iso9660"), QStringLiteral("/dev/sr0"), true), DriveType::CdRom);
    EXPECT_EQ(ClassifyDrive(QStringLiteral("overlay"), QStringLiteral("overlay"), false), DriveType::Fixed);
    EXPECT_EQ(ClassifyDrive(QStringLiteral("fuse.portal"), QStringLiteral("portal"), false), DriveType::Unknown);
}

TEST(SystemFacts, CollectedFactsMakeAReport)
{
    const SystemFacts f = CollectSystemFacts();
    EXPECT_GT(f.processorCount, 0);
    EXPECT_GT(f.memoryTotal, 0u);
    EXPECT_FALSE(f.drives.empty());
    EXPECT_EQ(BuildSystemReport(f).count(kReportSeparator), 3);
}
