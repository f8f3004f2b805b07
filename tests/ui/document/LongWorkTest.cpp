// Long work of the document window with a mine big enough to matter: saving beside the
// window while it is held busy, and closing a window whose mine other windows observe.

#include "DocumentTestSupport.h"

#include "core/checks/CheckProgress.h"
#include "core/exchange/MineGenerator.h"
#include "core/model/Branch.h"
#include "core/model/Mine.h"
#include "ui/app/MainForm.h"
#include "ui/editing/PropertyWindows.h"
#include "ui/document/GridView.h"
#include "ui/schema2d/Shema2DForm.h"

#include <QApplication>
#include <QDir>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <QTimer>
#include <QtTest/QTest>

namespace {

// A generated mine in a file of the sandbox.
class DocumentLongWork : public DocumentTest {
protected:
    QString WriteGenerated(const QString& name, int branches)
    {
        const std::unique_ptr<TMine> mine = MineGenerator::Generate(branches, 7);
        const QString path = FilePath(name);
        NetworkFile::Write(path, *mine, TDocumentSettings::Defaults(), mine->Branches.ToVector(), 17);
        return path;
    }
};

// Runs a probe at the first turn of the event loop after the work started.
class ProbingProgress : public ICheckProgress {
public:
    std::function<void()> probe;
    int started = 0;
    int finished = 0;
    void Start(const QString&, qint64) override
    {
        ++started;
        QTimer::singleShot(0, probe);
    }
    void SetCaption(const QString&) override {}
    void Step(qint64) override {}
    void Finish() override { ++finished; }
};

TEST_F(DocumentLongWork, SavingBesideTheWindowKeepsItBusyAndLeavesFileAndMineIntact)
{
    const QString path = WriteGenerated(QStringLiteral("big.irv"), 2000);
    auto form = NewForm();
    ASSERT_TRUE(form->OpenFile(path));
    form->show();
    TBranch* first = form->Rows().BranchAt(0);
    ASSERT_NE(first, nullptr);
    first->SetRemark(QStringLiteral("изменено"));
    form->SetModified(true);
    const int branches = form->Mine()->Branches.Count();

    ProbingProgress progress;
    bool probed = false;
    progress.probe = [&] {
        probed = true;
        EXPECT_TRUE(form->Busy().Busy()) << "the window is busy while the file is written";
        EXPECT_FALSE(form->close()) << "a window that is saving stays open";
        EXPECT_EQ(form->Mine()->Branches.Count(), branches);
    };
    form->SetProgress(&progress);
    ASSERT_TRUE(form->SaveFile(false));
    EXPECT_TRUE(probed) << "the window turned its event loop while the file was written";
    EXPECT_EQ(progress.started, 1);
    EXPECT_EQ(progress.finished, 1);

    // The window takes input again: not busy, no hourglass, keys move the cursor.
    EXPECT_FALSE(form->Busy().Busy());
    EXPECT_FALSE(form->IsModified());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    form->FocusGrid(form->BranchGrid());
    QTest::keyClick(form->BranchGrid(), Qt::Key_Down);
    EXPECT_EQ(form->BranchGrid()->currentIndex().row(), 1);
    EXPECT_EQ(form->Rows().BranchAt(0), first);

    const TNetworkDocument saved = NetworkFile::Read(path);
    ASSERT_EQ(saved.Mine->Branches.Count(), branches);
    ASSERT_FALSE(saved.BranchOrder.empty());
    EXPECT_EQ(saved.BranchOrder.front()->Remark(), QStringLiteral("изменено"));
    EXPECT_EQ(saved.BranchOrder.front()->Number(), first->Number());
}

TEST_F(DocumentLongWork, AFailedSaveBesideTheWindowIsReportedAndLeavesItUsable)
{
    const QString path = WriteGenerated(QStringLiteral("gone.irv"), 200);
    auto form = NewForm();
    ASSERT_TRUE(form->OpenFile(path));
    form->SetModified(true);
    // The folder of the file is gone: the write fails on its own thread.
    QDir(sandbox.root()).rename(QStringLiteral("gone.irv"), QStringLiteral("moved.irv"));
    ASSERT_TRUE(QDir(sandbox.root()).mkdir(QStringLiteral("gone.irv")));
    EXPECT_FALSE(form->SaveFile(false));
    ASSERT_FALSE(messages.shown.empty());
    EXPECT_TRUE(form->IsModified());
    EXPECT_FALSE(form->Busy().Busy());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(DocumentLongWork, ClosingAWindowWhoseMineOtherWindowsObserveLeavesThemWhole)
{
    const QString path = WriteGenerated(QStringLiteral("seen.irv"), 300);
    TMainForm main(config);
    main.show();
    TChildForm* doc = main.OpenPath(path);
    ASSERT_NE(doc, nullptr);
    EXPECT_FALSE(main.CurrentContext().busy) << "opening is over";
    QPointer<TShema2DForm> schema(main.OpenSchema());
    ASSERT_TRUE(schema);
    main.ShowProperties(doc, doc->Rows().BranchAt(1));
    ASSERT_NE(main.BranchProperties(), nullptr);
    QCoreApplication::processEvents();

    QPointer<QMdiSubWindow> window(main.MdiArea()->subWindowList().value(0));
    ASSERT_TRUE(window);
    EXPECT_TRUE(window->close());
    while (window)
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();

    EXPECT_EQ(main.ActiveDocument(), nullptr);
    // Whatever still stands (the schema closes with its document) paints without the mine.
    if (schema) {
        EXPECT_EQ(schema->Document(), nullptr);
        schema->grab();
    }
    // The branch window keeps nothing of the closed mine.
    ASSERT_NE(main.BranchProperties(), nullptr);
    EXPECT_EQ(main.BranchProperties()->Branch(), nullptr);
    main.BranchProperties()->grab();
    main.grab();
}

}  // namespace
