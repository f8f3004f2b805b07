#include "DocumentTestSupport.h"

#include "core/file/VersionTable.h"
#include "core/model/Branch.h"
#include "core/model/Mine.h"
#include "support/LockedFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHeaderView>
#include <gtest/gtest.h>

namespace {

using DocumentFile = DocumentTest;

TEST_F(DocumentFile, NewDocumentStartsUnnamedAndUnmodified)
{
    auto form = NewForm();
    EXPECT_EQ(form->Caption(), QStringLiteral("Без названия.irv"));
    EXPECT_FALSE(form->HasFileName());
    EXPECT_FALSE(form->IsModified());
    EXPECT_EQ(form->Version(), kCurrentFileVersion);
    EXPECT_EQ(form->Mine()->Name(), QStringLiteral("(без названия)"));
    EXPECT_EQ(form->StatusText(1), QStringLiteral("0/0"));
    EXPECT_EQ(form->StatusText(3), QString());
}

TEST_F(DocumentFile, OpeningTakesTheFileAndTheRecentList)
{
    const QString path = WriteMine(QStringLiteral("line.irv"), Line);
    auto form = NewForm();
    ASSERT_TRUE(form->OpenFile(path));
    EXPECT_TRUE(form->HasFileName());
    EXPECT_FALSE(form->IsModified());
    EXPECT_EQ(form->Caption(), QStringLiteral("line.irv"));
    EXPECT_EQ(form->windowTitle(), QStringLiteral("line.irv[*]"));
    EXPECT_FALSE(form->isWindowModified());
    EXPECT_EQ(form->Rows().UzelCount(), 4);
    EXPECT_EQ(form->Rows().BranchCount(), 4);
    EXPECT_EQ(form->StatusText(1), QStringLiteral("1/4"));
    EXPECT_EQ(config.RecentFiles.value(0), path);
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(DocumentFile, OpeningDerivesTheSchemaOriginFromANodeThatFollowsItsCoordinates)
{
    const QString path = WriteMine(QStringLiteral("origin.irv"), [](MineBuilder& mb) {
        TUzel* dragged = mb.uzel(1, 0, 0);
        dragged->SetPlacedByHand(true);
        dragged->SetSX(500);
        TUzel* follows = mb.uzel(2, 100, 0);
        follows->SetSX(250);
        follows->SetSY(-40);
    });
    auto form = NewForm();  // 1:2000, 1.9 schema units a metre
    ASSERT_TRUE(form->OpenFile(path));
    EXPECT_FLOAT_EQ(form->OX(), 250 - 190);
    EXPECT_FLOAT_EQ(form->OY(), -40);
    EXPECT_FALSE(form->IsModified());
}

TEST_F(DocumentFile, AMissingFileIsReportedAndLeavesNoRecentEntry)
{
    auto form = NewForm();
    const QString path = FilePath(QStringLiteral("gone.irv"));
    config.RecentFiles = {path, FilePath(QStringLiteral("other.irv"))};
    EXPECT_FALSE(form->OpenFile(path));
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].Text, QStringLiteral("Файл %1 не найден").arg(path));
    EXPECT_EQ(config.RecentFiles, QStringList{FilePath(QStringLiteral("other.irv"))});
}

TEST_F(DocumentFile, AFileThatIsNoNetworkIsReportedAndLeavesNothing)
{
    const QString text = FilePath(QStringLiteral("notes.txt"));
    QFile f(text);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("hello");
    f.close();
    const QString junk = FilePath(QStringLiteral("junk.irv"));
    QFile j(junk);
    ASSERT_TRUE(j.open(QIODevice::WriteOnly));
    j.write(QByteArray(64, 'x'));
    j.close();

    auto form = NewForm();
    EXPECT_FALSE(form->OpenFile(text));
    EXPECT_FALSE(form->OpenFile(junk));
    ASSERT_EQ(messages.shown.size(), 2u);
    EXPECT_EQ(messages.shown[0].Text, QStringLiteral("Файл notes.txt имеет неизвестный программе формат или поврежден"));
    EXPECT_EQ(messages.shown[1].Text, QStringLiteral("Файл junk.irv имеет неизвестный программе формат или поврежден"));
    EXPECT_EQ(messages.shown[1].Caption, QStringLiteral("Ошибка"));
    EXPECT_TRUE(config.RecentFiles.isEmpty());
    EXPECT_FALSE(form->HasFileName());
    EXPECT_EQ(form->Mine()->Uzels.Count(), 0);
}

// A damaged file says first which file could not be read; the reader's own words follow.
TEST_F(DocumentFile, ATruncatedFileIsNamedBeforeTheDetail)
{
    const QString path = WriteMine(QStringLiteral("cut.irv"), Line);
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadWrite));
    ASSERT_TRUE(f.resize(f.size() - 20));
    f.close();
    auto form = NewForm();
    EXPECT_FALSE(form->OpenFile(path));
    ASSERT_EQ(messages.shown.size(), 1u);
    const QStringList lines = messages.shown[0].Text.split(QStringLiteral("\r\n"));
    EXPECT_EQ(lines.value(0), QStringLiteral("Ошибка при чтении данных из файла cut.irv"));
    EXPECT_EQ(lines.size(), 2);
    EXPECT_FALSE(lines.value(1).isEmpty());
}

// Texts the file would store with "?" are named once before saving; "Нет" writes nothing.
TEST_F(DocumentFile, SavingTextsTheFileCannotStoreAsksOnceNamingThem)
{
    auto form = NewForm();
    const QString path = WriteMine(QStringLiteral("signs.irv"), Line);
    ASSERT_TRUE(form->OpenFile(path));
    const QByteArray before = [&] {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }();
    form->Mine()->Branches.Items(0)->SetRemark(QStringLiteral("труба ∅100"));
    messages.Answer(TMsgAnswer::No);
    EXPECT_FALSE(form->SaveFile(false));
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_TRUE(messages.shown[0].Text.contains(QStringLiteral("ветвь 10: комментарий"))) << messages.shown[0].Text.toStdString();
    EXPECT_TRUE(form->IsModified());
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), before);
    f.close();
    messages.Answer(TMsgAnswer::Yes);
    EXPECT_TRUE(form->SaveFile(false));
    EXPECT_FALSE(form->IsModified());
}

TEST_F(DocumentFile, SaveAsWritesAFileThatReadsBack)
{
    auto form = NewForm();
    form->AddUzel();
    form->AddBranch();
    ASSERT_TRUE(form->IsModified());
    ScriptedSaveDialog dialog;
    dialog.path = FilePath(QStringLiteral("new"));  // the extension is added
    ASSERT_TRUE(form->SaveFile(false));
    ASSERT_EQ(dialog.requests.size(), 1u);
    EXPECT_EQ(dialog.requests[0].ProposedName, QStringLiteral("Без названия"));
    EXPECT_EQ(dialog.requests[0].Filters,
              (QStringList{QStringLiteral("Файлы исходных данных 1.17 (*.irv)"), QStringLiteral("Файлы исходных данных 1.16 (*.irv)")}));
    EXPECT_EQ(dialog.requests[0].FilterIndex, 1);
    EXPECT_FALSE(form->IsModified());
    EXPECT_EQ(form->Caption(), QStringLiteral("new.irv"));
    EXPECT_EQ(config.RecentFiles.value(0), FilePath(QStringLiteral("new.irv")));

    auto again = NewForm();
    ASSERT_TRUE(again->OpenFile(FilePath(QStringLiteral("new.irv"))));
    EXPECT_EQ(again->Mine()->Uzels.Count(), 1);
    EXPECT_EQ(again->Mine()->Branches.Count(), 1);
}

TEST_F(DocumentFile, AFailedSaveAsKeepsNameStateAndRecentList)
{
    const QString path = WriteMine(QStringLiteral("line.irv"), Line);
    auto form = NewForm();
    ASSERT_TRUE(form->OpenFile(path));
    const QString before = FilePath(QStringLiteral("earlier.irv"));
    config.RecentFiles = {path, before};
    form->AddUzel();
    ScriptedSaveDialog dialog;
    dialog.path = FilePath(QStringLiteral("no-such-folder/copy.irv"));
    EXPECT_FALSE(form->SaveFile(true));
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].Caption, QStringLiteral("Ошибка"));
    EXPECT_TRUE(messages.shown[0].Text.contains(QStringLiteral("copy.irv")));
    EXPECT_EQ(form->FileName(), path);
    EXPECT_TRUE(form->IsModified());
    EXPECT_EQ(config.RecentFiles, (QStringList{path, before}));

    // Saving again as a name already in the list: a failure puts the list back as it was.
    dialog.path = FilePath(QStringLiteral("earlier.irv"));
    QDir().mkpath(dialog.path);  // a folder where the file should go: the write fails
    EXPECT_FALSE(form->SaveFile(true));
    EXPECT_EQ(config.RecentFiles, (QStringList{path, before}));
    EXPECT_TRUE(form->IsModified());
}

TEST_F(DocumentFile, AFailedPlainSaveLeavesThePreviousFileAndTheRecentList)
{
    ASSERT_TRUE(QDir().mkdir(FilePath(QStringLiteral("mines"))));
    const QString path = WriteMine(QStringLiteral("mines/line.irv"), Line);
    auto form = NewForm();
    ASSERT_TRUE(form->OpenFile(path));
    QFile original(path);
    ASSERT_TRUE(original.open(QIODevice::ReadOnly));
    const QByteArray bytes = original.readAll();
    original.close();
    const QStringList recent = {path, FilePath(QStringLiteral("b.irv"))};
    config.RecentFiles = recent;

    form->AddUzel();
    bool saved = true;
    {
        // The folder refuses new files under the document (root included): nothing can be
        // written beside the file.
        LockedFolder locked(FilePath(QStringLiteral("mines")));
        if (!locked.locked())
            GTEST_SKIP() << "this file system lets every new file in";
        saved = form->SaveFile(false);
    }
    EXPECT_FALSE(saved);
    EXPECT_TRUE(form->IsModified());
    EXPECT_EQ(config.RecentFiles, recent);
    ASSERT_TRUE(original.open(QIODevice::ReadOnly));
    EXPECT_EQ(original.readAll(), bytes);
}

TEST_F(DocumentFile, OlderVersionAsksOnSaveAndYesWritesTheCurrentOne)
{
    const QString path = WriteMine(QStringLiteral("old.irv"), Line, 16);
    auto form = NewForm();
    ASSERT_TRUE(form->OpenFile(path));
    EXPECT_EQ(form->Version(), 16);
    form->AddUzel();
    messages.Answer(TMsgAnswer::Cancel);
    EXPECT_FALSE(form->SaveFile(false));
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_TRUE(messages.shown[0].Text.startsWith(QStringLiteral("При сохранении данных в файл раннего формата")));
    EXPECT_TRUE(messages.shown[0].Text.contains(QStringLiteral("(версия 1.17)")));
    EXPECT_TRUE(messages.shown[0].Text.contains(QStringLiteral("(версия 1.16)")));
    EXPECT_TRUE(form->IsModified());

    messages.Answer(TMsgAnswer::Yes);
    ASSERT_TRUE(form->SaveFile(false));
    EXPECT_EQ(form->Version(), 17);
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(FindVersion(QByteArrayView(f.read(16))), 17);
}

TEST_F(DocumentFile, SaveAsOlderVersionAsksFirst)
{
    auto form = NewForm();
    ScriptedSaveDialog dialog;
    dialog.path = FilePath(QStringLiteral("v16.irv"));
    dialog.filterIndex = 2;
    messages.Answer(TMsgAnswer::No);
    EXPECT_FALSE(form->SaveFile(true));
    EXPECT_TRUE(messages.LastText().startsWith(QStringLiteral("При сохранении данных в файл устаревшей версии (1.16)")));
    EXPECT_FALSE(QFileInfo::exists(dialog.path));
    EXPECT_FALSE(form->HasFileName());
    messages.Answer(TMsgAnswer::Yes);
    ASSERT_TRUE(form->SaveFile(true));
    EXPECT_EQ(form->Version(), 16);
}

TEST_F(DocumentFile, ClosingAModifiedDocumentWhoseSaveFailsKeepsItOpen)
{
    auto form = NewForm();
    form->show();
    form->AddUzel();
    ScriptedSaveDialog dialog;
    dialog.path = FilePath(QStringLiteral("missing/where.irv"));
    messages.Answer(TMsgAnswer::Yes);
    EXPECT_FALSE(form->close());
    EXPECT_TRUE(form->isVisible());
    EXPECT_TRUE(form->IsModified());
    ASSERT_GE(messages.shown.size(), 2u);
    EXPECT_EQ(messages.shown[0].Text, QStringLiteral("Сохранить изменения в файле Без названия.irv?"));
    EXPECT_EQ(messages.shown[0].Buttons, TMsgButtons::YesNoCancel);
    EXPECT_EQ(messages.shown[1].Caption, QStringLiteral("Ошибка"));

    messages.Answer(TMsgAnswer::Cancel);
    EXPECT_FALSE(form->close());
    messages.Answer(TMsgAnswer::No);
    EXPECT_TRUE(form->close());
}

TEST_F(DocumentFile, AWindowRefusesToCloseWhileACheckRuns)
{
    auto form = NewForm();
    form->show();
    form->Busy().Raise();
    EXPECT_FALSE(form->close());
    form->Busy().Lower();
    EXPECT_TRUE(form->close());
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(DocumentFile, ColumnLayoutAndDocumentValuesTravelWithTheFile)
{
    auto form = NewForm();
    form->AddUzel();
    form->BranchGrid()->horizontalHeader()->moveSection(bpRemark, 0);
    form->BranchGrid()->setColumnWidth(0, 333);
    form->SetColorMode(2);
    form->SetUseProjectedPipes(true);
    form->SetDummyZ(250);
    ScriptedSaveDialog dialog;
    dialog.path = FilePath(QStringLiteral("layout.irv"));
    ASSERT_TRUE(form->SaveFile(true));
    auto again = NewForm();
    ASSERT_TRUE(again->OpenFile(dialog.path));
    EXPECT_EQ(again->BranchColumns().ParamAt(0), bpRemark);
    EXPECT_EQ(again->BranchColumns().At(0).Width, 333);
    EXPECT_EQ(again->BranchGrid()->columnWidth(0), 333);
    EXPECT_EQ(again->ColorMode(), 2);
    EXPECT_TRUE(again->UseProjectedPipes());
    EXPECT_EQ(again->DummyZ(), 250);
    EXPECT_FALSE(again->IsModified());
}

}  // namespace
