#include "core/file/AtomicFile.h"
#include "core/file/FileError.h"
#include "support/LockedFolder.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileDevice>

#include <functional>

#include <unistd.h>

namespace {

void WriteRaw(const QString& path, const QByteArray& data)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    ASSERT_EQ(data.size(), f.write(data));
}

QString ErrorOf(const std::function<void()>& action)
{
    try {
        action();
    } catch (const EFileError& e) {
        EXPECT_EQ(fekIo, e.Kind());
        return e.Message();
    }
    return QStringLiteral("<no error>");
}

}  // namespace

TEST(AtomicFile, FileNameOnly)
{
    EXPECT_EQ(QStringLiteral("шахта.irv"), FileNameOnly(QStringLiteral("/home/user/Сети/шахта.irv")));
    EXPECT_EQ(QStringLiteral("a.irv"), FileNameOnly(QStringLiteral("a.irv")));
}

TEST(AtomicFile, WritesAndReplacesLeavingNoTemporaries)
{
    TestTempDir dir;
    const QString path = dir.file(QStringLiteral("сеть.irv"));
    WriteFileAtomically(path, QByteArray("first"));
    EXPECT_EQ(QByteArray("first"), ReadWholeFile(path));
    const QByteArray second(100000, 'z');
    WriteFileAtomically(path, second);
    EXPECT_EQ(second, ReadWholeFile(path));
    WriteFileAtomically(path, QByteArray());
    EXPECT_TRUE(ReadWholeFile(path).isEmpty());
    EXPECT_EQ(QStringList{QStringLiteral("сеть.irv")}, QDir(dir.path()).entryList(QDir::Files | QDir::Hidden));
}

TEST(AtomicFile, FolderThatCannotExist)
{
    TestTempDir dir;
    // The parent is a regular file, so nothing can be created below it, even by root.
    const QString notAFolder = dir.file(QStringLiteral("plain"));
    WriteRaw(notAFolder, "data");
    const QString path = notAFolder + QStringLiteral("/шахта.irv");
    EXPECT_EQ(QStringLiteral("Ошибка при создании файла шахта.irv"),
              ErrorOf([&] { WriteFileAtomically(path, "new"); }));
    EXPECT_EQ(QByteArray("data"), ReadWholeFile(notAFolder));
}

TEST(AtomicFile, AFolderThatRefusesNewFilesKeepsTheOldFile)
{
    TestTempDir dir;
    const QString folder = dir.file(QStringLiteral("ro"));
    ASSERT_TRUE(QDir().mkdir(folder));
    const QString path = folder + QStringLiteral("/old.irv");
    WriteRaw(path, "old content");
    QString message;
    {
        // The immutable flag stops root as well; the old file could still be written in place.
        LockedFolder locked(folder);
        if (!locked.locked())
            GTEST_SKIP() << "this file system lets every new file in";
        message = ErrorOf([&] { WriteFileAtomically(path, "new content"); });
    }
    EXPECT_EQ(QStringLiteral("Ошибка при создании файла old.irv"), message);
    EXPECT_EQ(QByteArray("old content"), ReadWholeFile(path));
}

TEST(AtomicFile, ReadFailures)
{
    TestTempDir dir;
    EXPECT_EQ(QStringLiteral("Ошибка при открытии файла нет.irv"),
              ErrorOf([&] { ReadWholeFile(dir.file(QStringLiteral("нет.irv"))); }));
    const QString folder = dir.file(QStringLiteral("folder.irv"));
    ASSERT_TRUE(QDir().mkdir(folder));
    EXPECT_EQ(QStringLiteral("Ошибка при открытии файла folder.irv"), ErrorOf([&] { ReadWholeFile(folder); }));
}
