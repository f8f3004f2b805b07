// End to end: the desktop program with the INSTALL and UNINSTALL switches, on a temporary
// settings folder and without any display.

#ifdef IRVATA_APP_PATH

#include "core/settings/Config.h"
#include "core/settings/SettingsStore.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QProcessEnvironment>

namespace {

struct RunResult {
    bool finished = false;
    int exitCode = -1;
    QByteArray output;
};

RunResult runProgram(const TestTempDir& temp, const QStringList& arguments, const QString& configDir = QString())
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("IRVATA_CONFIG_DIR"), configDir.isEmpty() ? temp.file(QStringLiteral("user")) : configDir);
    env.insert(QStringLiteral("IRVATA_SYSTEM_CONFIG_DIR"), temp.file(QStringLiteral("machine")));
    env.insert(QStringLiteral("HOME"), temp.file(QStringLiteral("home")));
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), temp.file(QStringLiteral("home/.config")));
    // No display at all: a QApplication would abort here.
    env.remove(QStringLiteral("DISPLAY"));
    env.remove(QStringLiteral("WAYLAND_DISPLAY"));
    env.remove(QStringLiteral("QT_QPA_PLATFORM"));

    QProcess process;
    process.setProcessEnvironment(env);
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(QStringLiteral(IRVATA_APP_PATH), arguments);
    RunResult result;
    if (!process.waitForStarted(30000))
        return result;
    result.finished = process.waitForFinished(60000);
    if (!result.finished)
        process.kill();
    process.waitForFinished(5000);
    result.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    result.output = process.readAll();
    return result;
}

}  // namespace

TEST(InstallSwitch, InstallWritesTheDefaultsWithoutAWindow)
{
    TestTempDir temp;
    const RunResult run = runProgram(temp, {QStringLiteral("/install")});
    ASSERT_TRUE(run.finished) << run.output.toStdString();
    EXPECT_EQ(run.exitCode, 0) << run.output.toStdString();

    SettingsStore store(temp.file(QStringLiteral("user/registry.txt")));
    const QString base = kConfigBaseKey;
    EXPECT_EQ(store.readInteger(base, QStringLiteral("RememberLastFile")), 1);
    EXPECT_EQ(store.readInteger(base, QStringLiteral("WasOpened")), 0);
    EXPECT_EQ(store.openKey(base)->readDouble(QStringLiteral("DefaultKoefR")), 1.05);
    EXPECT_EQ(store.readInteger(base + QStringLiteral("\\2D"), QStringLiteral("Scale")), 2000);
    EXPECT_EQ(store.readString(base + QStringLiteral("\\Colors"), QStringLiteral("Font")),
              QStringLiteral("MS Sans Serif"));
    EXPECT_EQ(store.readBinary(base + QStringLiteral("\\Colors"), QStringLiteral("CurCell")),
              (TCellStyle{0, 0xFFFFFF, 0x800000}.Encode()));
    EXPECT_EQ(store.readString(base + QStringLiteral("\\Paths"), QStringLiteral("SourcePath")),
              temp.file(QStringLiteral("home/Documents/korvelab/Ирвата/")));
    EXPECT_EQ(store.readString(base + QStringLiteral("\\Paths"), QStringLiteral("DBPath")),
              temp.file(QStringLiteral("home/Documents/korvelab/Характеристики насосов/")));
    EXPECT_EQ(store.readString(base + QStringLiteral("\\Paths"), QStringLiteral("HelpPath")),
              QFileInfo(QStringLiteral(IRVATA_APP_PATH)).canonicalPath() + QStringLiteral("/help/"));
    EXPECT_TRUE(store.keyExists(base + QStringLiteral("\\Files")));
    EXPECT_FALSE(QFileInfo::exists(temp.file(QStringLiteral("home/Documents")))) << "INSTALL makes no folders";
}

TEST(InstallSwitch, UninstallRemovesTheVersionKeyAndKeepsOtherVersions)
{
    TestTempDir temp;
    ASSERT_EQ(runProgram(temp, {QStringLiteral("/INSTALL")}).exitCode, 0);
    {
        SettingsStore store(temp.file(QStringLiteral("user/registry.txt")));
        ASSERT_TRUE(store.keyExists(kConfigBaseKey));
        store.createKey(kConfigProductKey + QStringLiteral("\\2.0"));
        ASSERT_TRUE(store.save());
    }

    RunResult run = runProgram(temp, {QStringLiteral("-uninstall")});
    ASSERT_TRUE(run.finished) << run.output.toStdString();
    EXPECT_EQ(run.exitCode, 0) << run.output.toStdString();
    {
        SettingsStore store(temp.file(QStringLiteral("user/registry.txt")));
        EXPECT_FALSE(store.keyExists(kConfigBaseKey));
        EXPECT_TRUE(store.keyExists(kConfigProductKey + QStringLiteral("\\2.0")));
        store.deleteKey(kConfigProductKey + QStringLiteral("\\2.0"));
        store.createKey(kConfigBaseKey);
        ASSERT_TRUE(store.save());
    }

    run = runProgram(temp, {QStringLiteral("-UNINSTALL")});
    EXPECT_EQ(run.exitCode, 0) << run.output.toStdString();
    SettingsStore store(temp.file(QStringLiteral("user/registry.txt")));
    EXPECT_FALSE(store.keyExists(kConfigProductKey));
    EXPECT_TRUE(store.keyExists(QStringLiteral("\\Software\\korvelab")));
}

TEST(InstallSwitch, AStoreThatCannotBeWrittenIsAFailureWithAReason)
{
    TestTempDir temp;
    // A settings folder below a plain file can be made by nobody, root included.
    QFile blocker(temp.file(QStringLiteral("plain-file")));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    const QString unwritable = temp.file(QStringLiteral("plain-file/user"));

    for (const QString& sw : {QStringLiteral("/install"), QStringLiteral("-uninstall")}) {
        const RunResult run = runProgram(temp, {sw}, unwritable);
        ASSERT_TRUE(run.finished) << run.output.toStdString();
        EXPECT_NE(run.exitCode, 0) << sw.toStdString() << " reported success";
        EXPECT_TRUE(run.output.contains("plain-file/user/registry.txt")) << run.output.toStdString();
    }
}

#endif  // IRVATA_APP_PATH
