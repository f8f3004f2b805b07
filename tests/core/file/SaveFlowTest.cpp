#include "core/file/SaveFlow.h"
#include "core/settings/Config.h"

#include <QDir>
#include <gtest/gtest.h>

namespace {

// Paths as the save dialog gives them: absolute, in a folder that need not exist.
QString At(const QString& name)
{
    return QDir::cleanPath(QDir::tempPath() + QStringLiteral("/saveflow/") + name);
}

TDocumentFile Named(const QString& name, int version = kCurrentFileVersion)
{
    return TDocumentFile{At(name), true, version, true};
}

TEST(SaveFlow, AFailedSaveAsRestoresTheNameAndTakesBackOnlyTheRecentEntryItAdded)
{
    TConfig config;
    TDocumentFile file = Named(QStringLiteral("a.irv"));
    config.RecentFiles = {At(QStringLiteral("a.irv")), At(QStringLiteral("b.irv"))};
    TSaveFlow flow(file, true);
    ASSERT_TRUE(flow.AsksForName());
    flow.NameChosen(At(QStringLiteral("c")), 1, config);
    EXPECT_EQ(file.FileName, At(QStringLiteral("c.irv"))) << "the extension is added";
    EXPECT_EQ(config.RecentFiles.value(0), At(QStringLiteral("c.irv")));

    // Another window opens a file while this one is still saving.
    config.AddRecentFile(At(QStringLiteral("d.irv")));
    EXPECT_TRUE(flow.Failed(config));
    EXPECT_EQ(file.FileName, At(QStringLiteral("a.irv")));
    EXPECT_TRUE(file.Modified);
    EXPECT_EQ(config.RecentFiles,
              (QStringList{At(QStringLiteral("d.irv")), At(QStringLiteral("a.irv")), At(QStringLiteral("b.irv"))}));
}

TEST(SaveFlow, TakingBackPutsAListedNameInItsPlaceAndReturnsTheOnePushedOffAFullList)
{
    TConfig config;
    TDocumentFile file = Named(QStringLiteral("a.irv"));
    config.RecentFiles = {At(QStringLiteral("a.irv")), At(QStringLiteral("b.irv")), At(QStringLiteral("c.irv"))};
    const QStringList listed = config.RecentFiles;
    TSaveFlow again(file, true);
    again.NameChosen(At(QStringLiteral("c.irv")), 1, config);
    again.Failed(config);
    EXPECT_EQ(config.RecentFiles, listed);

    QStringList full;
    for (int i = 0; i < kMaxRecentFiles; ++i)
        full << At(QStringLiteral("f%1.irv").arg(i));
    config.RecentFiles = full;
    TSaveFlow fresh(file, true);
    fresh.NameChosen(At(QStringLiteral("new.irv")), 1, config);
    EXPECT_FALSE(config.RecentFiles.contains(full.constLast()));
    fresh.Failed(config);
    EXPECT_EQ(config.RecentFiles, full);

    // A plain save that fails never touched the list.
    TSaveFlow plain(file, false);
    EXPECT_FALSE(plain.AsksForName());
    EXPECT_FALSE(plain.Failed(config));
    EXPECT_EQ(config.RecentFiles, full);
}

TEST(SaveFlow, SavingAVersion16DocumentAsksWhetherToMoveToTheCurrentVersion)
{
    TConfig config;
    TDocumentFile file = Named(QStringLiteral("old.irv"), kOlderFileVersion);
    {
        TSaveFlow flow(file, false);
        EXPECT_EQ(flow.FilterIndex(), 2);
        ASSERT_EQ(flow.Question(), TSaveFlow::TQuestion::OlderOnSave);
        EXPECT_TRUE(flow.QuestionHasCancel());
        const QString text = flow.QuestionText();
        EXPECT_TRUE(text.startsWith(QStringLiteral("При сохранении данных в файл раннего формата")));
        EXPECT_LT(text.indexOf(QStringLiteral("(версия 1.17)")), text.indexOf(QStringLiteral("(версия 1.16)")));
        EXPECT_FALSE(flow.Reply(TSaveFlow::TReply::Cancel));
    }
    {
        TSaveFlow flow(file, false);
        EXPECT_TRUE(flow.Reply(TSaveFlow::TReply::No));
        EXPECT_EQ(flow.Version(), kOlderFileVersion);
    }
    TSaveFlow flow(file, false);
    EXPECT_TRUE(flow.Reply(TSaveFlow::TReply::Yes));
    EXPECT_EQ(flow.Version(), kCurrentFileVersion);
    flow.Succeeded();
    EXPECT_EQ(file.Version, kCurrentFileVersion);
    EXPECT_FALSE(file.Modified);
    EXPECT_EQ(TSaveFlow(file, false).Question(), TSaveFlow::TQuestion::None) << "once moved, no more questions";
}

TEST(SaveFlow, SaveAsTheOlderVersionAsksToGoOnAndNoCancels)
{
    TConfig config;
    TDocumentFile file;
    file.FileName = QStringLiteral("Без названия.irv");
    TSaveFlow flow(file, false);
    ASSERT_TRUE(flow.AsksForName()) << "a document without a name asks for one on a plain save too";
    EXPECT_EQ(flow.DialogFolder(At(QString())), At(QString()));
    EXPECT_EQ(flow.ProposedName(), QStringLiteral("Без названия"));
    EXPECT_EQ(flow.FilterIndex(), 1);
    EXPECT_EQ(flow.Question(), TSaveFlow::TQuestion::None);

    flow.NameChosen(At(QStringLiteral("v16.irv")), 2, config);
    ASSERT_EQ(flow.Question(), TSaveFlow::TQuestion::OlderOnSave);
    TSaveFlow saveAs(file, true);
    saveAs.NameChosen(At(QStringLiteral("v16.irv")), 2, config);
    ASSERT_EQ(saveAs.Question(), TSaveFlow::TQuestion::OlderOnSaveAs);
    EXPECT_FALSE(saveAs.QuestionHasCancel());
    EXPECT_TRUE(saveAs.QuestionText().startsWith(QStringLiteral("При сохранении данных в файл устаревшей версии (1.16)")));
    EXPECT_FALSE(saveAs.Reply(TSaveFlow::TReply::No));
    EXPECT_EQ(saveAs.Version(), kOlderFileVersion);
}

}  // namespace
