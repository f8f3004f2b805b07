#include "ui/app/SingleInstance.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QSignalSpy>
#include <QUuid>

#include <unistd.h>

namespace {

QString uniqueName()
{
    return QStringLiteral("irvata-test-") + QUuid::createUuid().toString(QUuid::Id128);
}

// Runs the event loop until the spy has a signal or the patience ends (no timing is asserted).
bool waitFor(QSignalSpy& spy)
{
    QElapsedTimer timer;
    timer.start();
    while (spy.isEmpty() && timer.elapsed() < 10000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    return !spy.isEmpty();
}

}  // namespace

TEST(SingleInstance, SecondInstanceDeliversBothFiles)
{
    const QString name = uniqueName();
    SingleInstance first(name, nullptr);
    ASSERT_TRUE(first.listen());
    QSignalSpy spy(&first, &SingleInstance::openRequested);

    SingleInstance second(name, nullptr);
    const QStringList files = {QStringLiteral("/data/шахта \"А\".irv"), QStringLiteral("/data/b.irv")};
    ASSERT_TRUE(second.tryHandOver(files));
    ASSERT_TRUE(waitFor(spy));
    ASSERT_EQ(spy.size(), 1);
    EXPECT_EQ(spy.first().first().toStringList(), files);
}

TEST(SingleInstance, OnlyOneListens)
{
    const QString name = uniqueName();
    SingleInstance first(name, nullptr);
    ASSERT_TRUE(first.listen());
    SingleInstance second(name, nullptr);
    EXPECT_FALSE(second.listen());
    EXPECT_TRUE(first.isListening());
}

TEST(SingleInstance, NothingToHandOverWithoutARunningInstance)
{
    SingleInstance lonely(uniqueName(), nullptr);
    EXPECT_FALSE(lonely.tryHandOver({QStringLiteral("/a.irv")}, 200));
    EXPECT_FALSE(lonely.tryHandOver({}));
}

TEST(SingleInstance, ServerNameIsPerUser)
{
    EXPECT_TRUE(SingleInstance::DefaultServerName().startsWith(QStringLiteral("irvata-")));
    EXPECT_TRUE(SingleInstance::DefaultServerName().contains(QString::number(getuid())));
}
