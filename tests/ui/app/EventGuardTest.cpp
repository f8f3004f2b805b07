// No exception leaves an event: what a command throws is told in the box "Ошибка" and the
// program goes on with its documents as they were (the tests run on the program's own
// application object). Saving that runs out of memory fails like any other failed save.

#include "ui/document/DocumentTestSupport.h"

#include "core/checks/CheckProgress.h"
#include "core/model/Branch.h"
#include "core/model/Mine.h"
#include "core/model/Pipe.h"
#include "core/model/Uzel.h"
#include "ui/app/GuardedApplication.h"
#include "ui/editing/EditPipeForm.h"

#include <QFile>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>

#include <new>

namespace {

class EventGuard : public DocumentTest {
protected:
    void SetUp() override
    {
        path = WriteMine(QStringLiteral("g.irv"), [](MineBuilder& mb) {
            Line(mb);
            TGasPipe::Create(mb.mine().Branches.Items(0));
        });
        doc = NewForm();
        ASSERT_TRUE(doc->OpenFile(path));
        // An unsaved change that must survive every failure below.
        doc->Mine()->Uzels.First()->SetX(5);
        ASSERT_TRUE(doc->IsModified());
    }
    QString path;
    std::unique_ptr<TChildForm> doc;
};

// A progress report that fails as the work starts, as the allocation of a large mine would.
class FailingProgress : public ICheckProgress {
public:
    void Start(const QString&, qint64) override { throw std::bad_alloc(); }
    void SetCaption(const QString&) override {}
    void Step(qint64) override {}
    void Finish() override {}
};

}  // namespace

TEST_F(EventGuard, WhatASlotThrowsIsToldAndTheProgramGoesOn)
{
    QTimer::singleShot(0, [] { throw Exception(QStringLiteral("Команда не выполнена")); });
    Settle();
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].Caption, QStringLiteral("Ошибка"));
    EXPECT_EQ(messages.shown[0].Text, QStringLiteral("Команда не выполнена"));

    QTimer::singleShot(0, [] { throw std::bad_alloc(); });
    Settle();
    ASSERT_EQ(messages.shown.size(), 2u);
    EXPECT_EQ(messages.shown[1].Text, GuardTexts::kOutOfMemory);

    // The event loop and the document are as before.
    bool ran = false;
    QTimer::singleShot(0, [&ran] { ran = true; });
    Settle();
    EXPECT_TRUE(ran);
    EXPECT_TRUE(doc->IsModified());
    EXPECT_DOUBLE_EQ(doc->Mine()->Uzels.First()->X(), 5);
}

TEST_F(EventGuard, SavingOutOfMemoryKeepsTheDocumentAndTheFile)
{
    QFile before(path);
    ASSERT_TRUE(before.open(QIODevice::ReadOnly));
    const QByteArray bytes = before.readAll();
    before.close();

    FailingProgress failing;
    doc->SetProgress(&failing);
    EXPECT_FALSE(doc->SaveFile(false));
    doc->SetProgress(nullptr);
    EXPECT_EQ(messages.LastText(), GuardTexts::kOutOfMemory);
    EXPECT_TRUE(doc->IsModified());
    QFile after(path);
    ASSERT_TRUE(after.open(QIODevice::ReadOnly));
    EXPECT_EQ(after.readAll(), bytes);

    // The same save as a queued command: still no exception leaves it.
    doc->SetProgress(&failing);
    QTimer::singleShot(0, doc.get(), [this] { doc->SaveFile(false); });
    Settle();
    doc->SetProgress(nullptr);
    EXPECT_EQ(messages.LastText(), GuardTexts::kOutOfMemory);
    EXPECT_TRUE(doc->IsModified());
}

// Deleting a gas pipe fails inside the command: the pipe window's click ends with the message,
// the pipe is still there and the window still shows it.
TEST_F(EventGuard, AFailedGasPipeDeletionLeavesThePipe)
{
    TBranch* branch = doc->Mine()->Branches.Items(0);
    ASSERT_EQ(branch->Pipes.Count(), 4);
    TEditPipeForm window;
    window.Bind(doc.get(), branch);
    auto* pipes = window.findChild<QListWidget*>(QStringLiteral("pipeList"));
    auto* del = window.findChild<QPushButton*>(QStringLiteral("deleteGasPipe"));
    ASSERT_TRUE(pipes && del);
    pipes->setCurrentRow(3);
    ASSERT_TRUE(del->isEnabled());

    std::vector<TMessageRecord> told;
    MessageBoxes::SetInterceptor([&told](const TMessageRecord& r) -> TMsgAnswer {
        if (r.Buttons == TMsgButtons::YesNo)
            throw Exception(QStringLiteral("Труба занята"));
        told.push_back(r);
        return TMsgAnswer::Ok;
    });
    QMetaObject::invokeMethod(del, &QPushButton::click, Qt::QueuedConnection);
    Settle();
    MessageBoxes::SetInterceptor(nullptr);
    ASSERT_EQ(told.size(), 1u);
    EXPECT_EQ(told[0].Caption, QStringLiteral("Ошибка"));
    EXPECT_EQ(told[0].Text, QStringLiteral("Труба занята"));
    EXPECT_EQ(branch->Pipes.Count(), 4);
    EXPECT_EQ(pipes->count(), 4);
    EXPECT_EQ(window.Branch(), branch);
    EXPECT_TRUE(doc->IsModified());
}
