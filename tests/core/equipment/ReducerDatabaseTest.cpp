#include "support/TempDir.h"

#include "core/equipment/ReducerDatabase.h"
#include "core/equipment/ReducerFile.h"
#include "core/equipment/ReducerFileNames.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

namespace {

TReducerCharacter Named(const QString& name)
{
    TReducerCharacter c;
    c.Name = name;
    return c;
}

void WriteRaw(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

QStringList Files(const TestTempDir& dir)
{
    return QDir(dir.path()).entryList(QDir::Files, QDir::Name);
}

QStringList Names(const TReducerDatabase& base)
{
    QStringList names;
    for (int i = 0; i < base.Count(); ++i)
        names << base.Model(i).Character.Name;
    return names;
}

}  // namespace

TEST(ReducerDatabase, FileNamesFollowTheCleanedModelName)
{
    TestTempDir dir;
    EXPECT_EQ(ReducerFileNames::Clean(QStringLiteral("a,b.c/d:e;f<g>h\\i|j\tk")), QStringLiteral("abcdefghijk"));

    // Two new models whose names differ only by a point: the second gets "[0]".
    TReducerDatabase base(dir.path());
    base.Add(QStringLiteral("РД.1"));
    base.Add(QStringLiteral("РД1"));
    base.Add(QStringLiteral("./.."));  // nothing left of it
    base.Save();
    EXPECT_EQ(Files(dir), (QStringList{QStringLiteral("rdc0001.rdc"), QStringLiteral("РД1.rdc"), QStringLiteral("РД1[0].rdc")}));
    EXPECT_EQ(QFileInfo(base.Model(1).File).fileName(), QStringLiteral("РД1[0].rdc"));

    // Saving again writes every model back to its own file; so does a renamed one.
    base.Rename(0, QStringLiteral("Другой"));
    base.Save();
    EXPECT_EQ(Files(dir).size(), 3);

    // The folder scan finds all three again, the nameless one included; the name with a path
    // separator in it gives way to the file's own.
    TReducerDatabase again(dir.path());
    const auto report = again.Load();
    EXPECT_TRUE(report.Failed.empty());
    EXPECT_EQ(again.Count(), 3);
    EXPECT_TRUE(Names(again).contains(QStringLiteral("Другой")));
    EXPECT_TRUE(Names(again).contains(QStringLiteral("rdc0001")));
}

TEST(ReducerDatabase, LoadingSkipsForeignFilesSilentlyAndReportsDamagedOnes)
{
    TestTempDir dir;
    ReducerFile::Write(dir.file(QStringLiteral("good.rdc")), Named(QStringLiteral("Хороший")));
    WriteRaw(dir.file(QStringLiteral("foreign.rdc")), "not a reducer at all");
    WriteRaw(dir.file(QStringLiteral("short.rdc")), ReducerFile::Encode(Named(QStringLiteral("X"))).left(40));
    WriteRaw(dir.file(QStringLiteral("other.pmp")), "pump");
    TReducerDatabase base(dir.path());
    const auto report = base.Load();
    EXPECT_EQ(Names(base), QStringList{QStringLiteral("Хороший")});
    ASSERT_EQ(report.Foreign.size(), 1);
    EXPECT_TRUE(report.Foreign.first().endsWith(QStringLiteral("foreign.rdc")));
    ASSERT_EQ(report.Failed.size(), 1u);
    EXPECT_EQ(report.Failed[0].Message, QStringLiteral("Ошибка при чтении данных из файла short.rdc"));
    EXPECT_FALSE(base.Changed());
}

TEST(ReducerDatabase, ANameFromInsideAFileNeverChoosesWhereToWrite)
{
    TestTempDir dir;
    ReducerFile::Write(dir.file(QStringLiteral("a.rdc")), Named(QStringLiteral("Модель")));
    ReducerFile::Write(dir.file(QStringLiteral("b.rdc")), Named(QStringLiteral("модель")));        // clashes
    ReducerFile::Write(dir.file(QStringLiteral("c.rdc")), Named(QStringLiteral("../../etc/x")));  // a path
    ReducerFile::Write(dir.file(QStringLiteral("d.rdc")), Named(QString()));                      // empty
    ReducerFile::Write(dir.file(QStringLiteral("e.rdc")), Named(QStringLiteral("a\nb")));
    TReducerDatabase base(dir.path());
    base.Load();
    EXPECT_EQ(Names(base), (QStringList{QStringLiteral("Модель"), QStringLiteral("b"), QStringLiteral("c"),
                                        QStringLiteral("d"), QStringLiteral("e")}));
    // Written elsewhere under their names, they stay inside that folder.
    TestTempDir out;
    TReducerDatabase copy(out.path());
    for (int i = 0; i < base.Count(); ++i)
        copy.Add(base.Model(i).Character.Name);
    copy.Save();
    EXPECT_EQ(Files(out), (QStringList{QStringLiteral("b.rdc"), QStringLiteral("c.rdc"), QStringLiteral("d.rdc"),
                                       QStringLiteral("e.rdc"), QStringLiteral("Модель.rdc")}));
}

TEST(ReducerDatabase, EveryEditMarksTheDatabaseChanged)
{
    TestTempDir dir;
    ReducerFile::Write(dir.file(QStringLiteral("a.rdc")), Named(QStringLiteral("A")));
    TReducerDatabase base(dir.path());
    base.Load();
    const auto changes = [&](const std::function<void()>& edit) {
        base.Save();
        EXPECT_FALSE(base.Changed());
        edit();
        return base.Changed();
    };
    EXPECT_TRUE(changes([&] { base.Add(QStringLiteral("B")); }));
    EXPECT_TRUE(changes([&] { base.Copy(0, QStringLiteral("C")); }));
    EXPECT_EQ(base.Model(2).Character, [] { TReducerCharacter c; c.Name = QStringLiteral("C"); return c; }());
    EXPECT_TRUE(changes([&] { base.Rename(1, QStringLiteral("Б")); }));
    EXPECT_TRUE(changes([&] {
        TReducerCharacter c = base.Model(0).Character;
        c.SetOutlet(0, 0, 7.0);
        c.Name = QStringLiteral("ignored");
        base.Apply(0, c);
    }));
    EXPECT_EQ(base.Model(0).Character.Outlet(0, 0), 7.0);
    EXPECT_EQ(base.Model(0).Character.Name, QStringLiteral("A"));
    EXPECT_TRUE(changes([&] { base.Remove(0); }));
    // Empty answers and an unchanged name do nothing.
    EXPECT_FALSE(changes([&] {
        EXPECT_EQ(base.Add(QString()), -1);
        EXPECT_FALSE(base.Rename(0, base.Model(0).Character.Name));
    }));
}

TEST(ReducerDatabase, NamesStayUniqueAndRemovedFilesAreDeletedOnSave)
{
    TestTempDir dir;
    ReducerFile::Write(dir.file(QStringLiteral("a.rdc")), Named(QStringLiteral("A")));
    ReducerFile::Write(dir.file(QStringLiteral("b.rdc")), Named(QStringLiteral("B")));
    TReducerDatabase base(dir.path());
    base.Load();
    const QString exists = QStringLiteral("Гидроредуктор b в базе данных уже существует");
    try {
        base.Add(QStringLiteral("b"));
        ADD_FAILURE();
    } catch (const EReducerDatabaseError& e) {
        EXPECT_EQ(e.Message(), exists);
    }
    EXPECT_THROW(base.Copy(0, QStringLiteral("b")), EReducerDatabaseError);
    EXPECT_THROW(base.Rename(0, QStringLiteral("b")), EReducerDatabaseError);  // would share a file
    EXPECT_EQ(Names(base), (QStringList{QStringLiteral("A"), QStringLiteral("B")}));
    EXPECT_TRUE(base.Rename(0, QStringLiteral("a")));  // its own name in another case

    // Applying a characteristic that breaks a rule changes nothing.
    TReducerCharacter bad = base.Model(1).Character;
    bad.SetFlow(1, bad.Flow(0));
    EXPECT_THROW(base.Apply(1, bad), EReducerCharacterError);
    EXPECT_EQ(base.Model(1).Character, Named(QStringLiteral("B")));

    base.Remove(1);
    EXPECT_EQ(base.FilesToDelete().size(), 1);
    EXPECT_TRUE(QFile::exists(dir.file(QStringLiteral("b.rdc"))));  // only when saved
    base.Add(QStringLiteral("B"));
    base.Save();
    EXPECT_TRUE(base.FilesToDelete().isEmpty());
    EXPECT_EQ(Files(dir), (QStringList{QStringLiteral("B.rdc"), QStringLiteral("a.rdc")}));
}

TEST(ReducerDatabase, ANameTheFileCannotStoreIsRefused)
{
    TestTempDir dir;
    TReducerDatabase base(dir.path());
    try {
        base.Add(QStringLiteral("РД ∅50"));
        ADD_FAILURE();
    } catch (const EReducerDatabaseError& e) {
        EXPECT_EQ(e.Message(), QStringLiteral("Символ \"∅\" не может быть сохранен в файле"));
    }
    EXPECT_EQ(base.Count(), 0);
    EXPECT_FALSE(base.Changed());
    const int i = base.Add(QStringLiteral("РД-50"));
    EXPECT_THROW(base.Rename(i, QStringLiteral("РД³")), EReducerDatabaseError);
    EXPECT_EQ(base.Model(i).Character.Name, QStringLiteral("РД-50"));
}
