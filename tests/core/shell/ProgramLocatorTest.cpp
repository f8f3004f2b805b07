#include "core/shell/HelpPages.h"
#include "core/shell/ProgramLocator.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QSet>

TEST(ProgramLocator, FirstCandidateInPreferenceOrderWins)
{
    const QSet<QString> present = {QStringLiteral("/usr/bin/xcalc"), QStringLiteral("/opt/bin/kcalc")};
    const auto exists = [&](const QString& path) { return present.contains(path); };
    EXPECT_EQ(FindFirstProgram(CalculatorPrograms(), QStringLiteral("/usr/bin:/opt/bin"), exists),
              QStringLiteral("/opt/bin/kcalc"));
    EXPECT_EQ(FindFirstProgram({QStringLiteral("xcalc")}, QStringLiteral("/usr/bin"), exists), QStringLiteral("/usr/bin/xcalc"));
    EXPECT_EQ(FindFirstProgram(CalculatorPrograms(), QStringLiteral("/nowhere"), exists), QString());
    // Relative and empty folders are not searched.
    EXPECT_EQ(FindFirstProgram({QStringLiteral("xcalc")}, QStringLiteral("::usr/bin:"),
                               [](const QString&) { return true; }),
              QString());
}

TEST(ProgramLocator, RealFilesMustBeExecutable)
{
    TestTempDir dir;
    QFile plain(dir.file(QStringLiteral("mate-calc")));
    ASSERT_TRUE(plain.open(QIODevice::WriteOnly));
    plain.close();
    EXPECT_EQ(FindFirstProgram(CalculatorPrograms(), dir.path()), QString());
    plain.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    EXPECT_EQ(FindFirstProgram(CalculatorPrograms(), dir.path()), dir.file(QStringLiteral("mate-calc")));
    QDir(dir.path()).mkdir(QStringLiteral("xcalc"));
    EXPECT_EQ(FindFirstProgram({QStringLiteral("xcalc")}, dir.path()), QString()) << "a folder is no program";
}

TEST(HelpPages, PagesByContextFallBackToContents)
{
    TestTempDir dir;
    EXPECT_EQ(HelpPagePath(dir.path(), 26), QString()) << "no pages at all";
    for (const QString& name : {QStringLiteral("index.html"), QStringLiteral("topic26.html")}) {
        QFile f(dir.file(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }
    EXPECT_EQ(HelpPagePath(dir.path(), 26), dir.file(QStringLiteral("topic26.html")));
    EXPECT_EQ(HelpPagePath(dir.path() + QLatin1Char('/'), 26), dir.file(QStringLiteral("topic26.html")));
    EXPECT_EQ(HelpPagePath(dir.path(), 999), dir.file(QStringLiteral("index.html")));
    EXPECT_EQ(HelpPagePath(dir.path(), kHelpContents), dir.file(QStringLiteral("index.html")));
}

TEST(HelpPages, EveryTopicHasAShippedPage)
{
    const QDir shipped(QStringLiteral(IRVATA_SOURCE_DIR "/docs/help"));
    ASSERT_TRUE(shipped.exists(QStringLiteral("index.html")));
    QSet<int> contexts;
    for (const HelpTopic& topic : HelpTopics()) {
        EXPECT_FALSE(contexts.contains(topic.context)) << topic.context;
        contexts << topic.context;
        EXPECT_TRUE(shipped.exists(HelpPageFileName(topic.context))) << topic.context;
    }
    // The contexts the main window and its commands use.
    for (int context : {4, 5, 6, 7, 8, 9, 10, 12, 14, 25, 26, 28, 29, 145, 146})
        EXPECT_TRUE(contexts.contains(context)) << context;
}
