#include "support/TempDir.h"

#include "core/equipment/PumpFile.h"
#include "core/equipment/PumpList.h"

#include <QDir>
#include <QFile>

#include <cmath>
#include <gtest/gtest.h>

namespace {

void WriteRaw(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

QByteArray PumpNamed(const QByteArray& name)
{
    return "[Pump]\r\n" + name + "\r\n0 500 0 1000\r\n2\r\n100 80\r\n0 100\r\n";
}

QStringList Files(const TestTempDir& dir)
{
    return QDir(dir.path()).entryList(QDir::Files, QDir::Name);
}

}  // namespace

TEST(PumpList, FolderLoadSkipsForeignFilesAndNamesComeThroughTheRule)
{
    TestTempDir dir;
    WriteRaw(dir.file(QStringLiteral("a.pmp")), PumpNamed("Alpha"));
    WriteRaw(dir.file(QStringLiteral("b.pmp")), PumpNamed("../../etc/x"));  // a path
    WriteRaw(dir.file(QStringLiteral("c.pmp")), PumpNamed("Alpha"));        // clashes with a.pmp's
    WriteRaw(dir.file(QStringLiteral("d.pmp")), PumpNamed("a"));            // a.pmp is another file
    WriteRaw(dir.file(QStringLiteral("e.pmp")), PumpNamed(""));
    WriteRaw(dir.file(QStringLiteral("junk.pmp")), "not a pump\r\n");
    WriteRaw(dir.file(QStringLiteral("broken.pmp")), "[Pump]\r\nX\r\n0 1\r\n");
    WriteRaw(dir.file(QStringLiteral("other.txt")), PumpNamed("Other"));

    TPumpList list;
    const TPumpList::TLoadReport report = list.LoadFolder(dir.path());
    EXPECT_EQ(list.Names(), (QStringList{QStringLiteral("Alpha"), QStringLiteral("b"), QStringLiteral("c"),
                                         QStringLiteral("d"), QStringLiteral("e")}));
    EXPECT_EQ(report.Skipped, (QStringList{QStringLiteral("broken.pmp"), QStringLiteral("junk.pmp")}));
    ASSERT_EQ(report.Errors.size(), 2);
    EXPECT_FALSE(list.Changed());

    // Saving writes each model under its name; the model renamed by its file moves there.
    list.SaveFolder(dir.path());
    EXPECT_EQ(Files(dir), (QStringList{QStringLiteral("Alpha.pmp"), QStringLiteral("b.pmp"), QStringLiteral("broken.pmp"),
                                       QStringLiteral("c.pmp"), QStringLiteral("d.pmp"), QStringLiteral("e.pmp"),
                                       QStringLiteral("junk.pmp"), QStringLiteral("other.txt")}));
    TPumpList again;
    again.LoadFolder(dir.path());
    EXPECT_EQ(again.Names(), list.Names());
}

TEST(PumpList, ModelCommandsFollowTheNameRulesAndMarkTheDatabaseChanged)
{
    TestTempDir dir;
    TPumpList list;
    EXPECT_FALSE(list.AddModel(QStringLiteral("  ")).Done);
    EXPECT_FALSE(list.Changed()) << "an empty answer does nothing";
    EXPECT_EQ(list.AddModel(QStringLiteral("a/b")).Message, PumpTexts::kBadCharacters);
    // The name goes into the file in Windows-1251: what it cannot store is refused by name.
    EXPECT_EQ(list.AddModel(QStringLiteral("Д-½")).Message, QStringLiteral("Символ \"½\" не может быть сохранен в файле"));
    EXPECT_FALSE(list.Changed());
    EXPECT_TRUE(list.AddModel(QStringLiteral("A")).Done);
    EXPECT_TRUE(list.Changed());
    EXPECT_EQ(list.AddModel(QStringLiteral("A")).Message, PumpTexts::kNameExists);
    list.SaveFolder(dir.path());
    EXPECT_FALSE(list.Changed());

    // Copying carries ranges and points, and marks the database changed.
    list.At(0).SetRange(prMaxQ, 300);
    list.At(0).InsertPoint({10, 20});
    list.SaveFolder(dir.path());
    EXPECT_EQ(list.CopyModel(0, QStringLiteral(" ")).Message, PumpTexts::kEmptyCopyName);
    EXPECT_EQ(list.CopyModel(0, QStringLiteral("A")).Message, PumpTexts::kNameExists);
    EXPECT_TRUE(list.CopyModel(0, QStringLiteral(" B ")).Done);
    EXPECT_TRUE(list.Changed());
    const TPumpStore& copy = list.At(list.Find(QStringLiteral("B")));
    EXPECT_EQ(copy.Range(prMaxQ), 300);
    EXPECT_EQ(copy.Points().Points(), list.At(0).Points().Points());
    list.SaveFolder(dir.path());

    // Renaming to another model's name is refused: two models would share one file.
    EXPECT_EQ(list.RenameModel(0, QStringLiteral("B"), dir.path()).Message, PumpTexts::kNameExists);
    EXPECT_EQ(list.At(0).Name, QStringLiteral("A"));
    EXPECT_TRUE(list.RenameModel(0, QStringLiteral("C"), dir.path()).Done);
    EXPECT_EQ(Files(dir), (QStringList{QStringLiteral("B.pmp"), QStringLiteral("C.pmp")}));
    list.SaveFolder(dir.path());

    // Deleting a point alone is a change to save; so is a range.
    list.At(0).DeletePoint(0);
    EXPECT_TRUE(list.Changed());
    list.SaveFolder(dir.path());
    list.At(0).SetRange(prMinH, 1000);
    EXPECT_EQ(list.At(0).Range(prMaxH), 1010) << "a minimum equal to its maximum pushes it";
    EXPECT_TRUE(list.Changed());

    list.DeleteModel(list.Find(QStringLiteral("B")), dir.path());
    EXPECT_EQ(Files(dir), QStringList{QStringLiteral("C.pmp")});
    EXPECT_TRUE(list.Changed());
}

TEST(PumpList, GridValuesOutsideTheRangesAreRefusedWithTheShownBounds)
{
    TPumpStore store(QStringLiteral("A"));
    store.SetRange(prMaxQ, 250.4);
    EXPECT_TRUE(store.FlowRefusal(250.4).isEmpty());
    EXPECT_EQ(store.FlowRefusal(251), QStringLiteral("Величина расхода должна лежать в пределах от 0 до 250."));
    EXPECT_EQ(store.HeadRefusal(-1), QStringLiteral("Величина депрессии должна лежать в пределах от 0 до 1000."));
}

TEST(PumpList, ValuesTheFileCannotHoldNeverEnterAStore)
{
    // Whatever is typed or dragged, what is saved reads back.
    TestTempDir dir;
    TPumpList list;
    ASSERT_TRUE(list.AddModel(QStringLiteral("A")).Done);
    TPumpStore& s = list.At(0);
    s.SetRange(prMaxQ, 1e15);
    s.SetRange(prMinH, std::nan(""));
    s.InsertPoint({1e12, -1e12});
    EXPECT_EQ(s.InsertPoint({std::nan(""), 1}), -1);
    EXPECT_EQ(s.Range(prMaxQ), kMaxPumpValue);
    EXPECT_EQ(s.Range(prMinH), 0);
    list.SaveFolder(dir.path());
    TPumpList again;
    EXPECT_TRUE(again.LoadFolder(dir.path()).Errors.isEmpty());
    EXPECT_EQ(again.At(0).Points().Points(), (std::vector<TBasePoint>{{kMaxPumpValue, -kMaxPumpValue}}));
}
