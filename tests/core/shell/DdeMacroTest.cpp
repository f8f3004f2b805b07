#include "core/shell/CommandLineFiles.h"
#include "core/shell/DdeMacro.h"

#include <gtest/gtest.h>

TEST(DdeMacro, TwoBracketedOpenCommandsOpenBothFiles)
{
    EXPECT_EQ(OpenPathsFromMacro(QStringLiteral("[open(\"/data/a.irv\")][open(\"/data/шахта 2.irv\")]")),
              (QStringList{QStringLiteral("/data/a.irv"), QStringLiteral("/data/шахта 2.irv")}));
}

TEST(DdeMacro, EscapedQuotesAndBackslashes)
{
    const auto commands = ParseMacro(QStringLiteral(R"([open("/x/say \"hi\".irv")][open("C:\dir\\f.irv")])"));
    ASSERT_EQ(commands.size(), 2u);
    EXPECT_EQ(commands[0].argument, QStringLiteral("/x/say \"hi\".irv"));
    // A backslash before anything but a quote or a backslash stays.
    EXPECT_EQ(commands[1].argument, QStringLiteral("C:\\dir\\f.irv"));
}

TEST(DdeMacro, OtherCommandsAreIgnoredAndNamesIgnoreCase)
{
    const QString macro = QStringLiteral("  [print(\"/a.irv\")] [OPEN(/b.irv)] [close] [Open( \"/c.irv\" )]");
    const auto commands = ParseMacro(macro);
    ASSERT_EQ(commands.size(), 4u);
    EXPECT_EQ(commands[2], (MacroCommand{QStringLiteral("close"), QString(), false}));
    EXPECT_EQ(OpenPathsFromMacro(macro), (QStringList{QStringLiteral("/b.irv"), QStringLiteral("/c.irv")}));
}

TEST(DdeMacro, DamagedCommandsAreSkipped)
{
    // Unclosed quote, missing parenthesis, empty name, text outside brackets, empty path.
    EXPECT_EQ(OpenPathsFromMacro(QStringLiteral("[open(\"/bad.irv)][open(\"/ok1.irv\")]")), QStringList{});
    EXPECT_EQ(OpenPathsFromMacro(QStringLiteral("[open(\"/x\"][open(\"/ok2.irv\")]")),
              QStringList{QStringLiteral("/ok2.irv")});
    EXPECT_EQ(OpenPathsFromMacro(QStringLiteral("open(\"/outside.irv\") [](\"/y\") [open(\"\")] [open(\"/ok3.irv\")]")),
              QStringList{QStringLiteral("/ok3.irv")});
    EXPECT_TRUE(ParseMacro(QStringLiteral("[open(\"")).empty());
    EXPECT_TRUE(ParseMacro(QString()).empty());
}

TEST(DdeMacro, BuiltMacroRoundTrips)
{
    const QStringList paths = {QStringLiteral("/home/u/шахта \"новая\".irv"), QStringLiteral("/tmp/back\\slash].irv"),
                               QStringLiteral("/tmp/(paren).irv")};
    EXPECT_EQ(OpenPathsFromMacro(BuildOpenMacro(paths)), paths);
}

TEST(CommandLineFiles, SwitchesAreDroppedAndPathsMadeAbsolute)
{
    const QStringList args = {QStringLiteral("-DDE"), QStringLiteral("a.irv"), QStringLiteral("/abs/b.irv"),
                              QStringLiteral("../c.irv"), QStringLiteral("/install")};
    EXPECT_EQ(CommandLineFiles(args, QStringLiteral("/home/u/work")),
              (QStringList{QStringLiteral("/home/u/work/a.irv"), QStringLiteral("/abs/b.irv"), QStringLiteral("/home/u/c.irv")}));
    EXPECT_TRUE(HasDdeSwitch(args));
    EXPECT_TRUE(HasDdeSwitch({QStringLiteral("/dde")}));
    EXPECT_FALSE(HasDdeSwitch({QStringLiteral("dde"), QStringLiteral("x.irv")}));
}
