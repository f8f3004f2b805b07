#include "core/settings/StartupSwitches.h"

#include <gtest/gtest.h>

TEST(StartupSwitches, SlashOrMinusInAnyCase)
{
    EXPECT_EQ(ParseStartupSwitch({"/install"}), StartupSwitch::Install);
    EXPECT_EQ(ParseStartupSwitch({"-INSTALL"}), StartupSwitch::Install);
    EXPECT_EQ(ParseStartupSwitch({"/InStAlL"}), StartupSwitch::Install);
    EXPECT_EQ(ParseStartupSwitch({"-UNINSTALL"}), StartupSwitch::Uninstall);
    EXPECT_EQ(ParseStartupSwitch({"/uninstall"}), StartupSwitch::Uninstall);
    EXPECT_EQ(ParseStartupSwitch({"/home/u/mine.irv", "-uninstall"}), StartupSwitch::Uninstall);
}

TEST(StartupSwitches, AnythingElseIsNoSwitch)
{
    EXPECT_EQ(ParseStartupSwitch({}), StartupSwitch::None);
    EXPECT_EQ(ParseStartupSwitch({"install"}), StartupSwitch::None);
    EXPECT_EQ(ParseStartupSwitch({"UNINSTALL"}), StartupSwitch::None);
    EXPECT_EQ(ParseStartupSwitch({"--install"}), StartupSwitch::None);
    EXPECT_EQ(ParseStartupSwitch({"/install/"}), StartupSwitch::None);
    EXPECT_EQ(ParseStartupSwitch({"/installer"}), StartupSwitch::None);
    EXPECT_EQ(ParseStartupSwitch({"/", "-", ""}), StartupSwitch::None);
    EXPECT_EQ(ParseStartupSwitch({"/home/u/install.irv"}), StartupSwitch::None);
    EXPECT_EQ(ParseStartupSwitch({"/dde"}), StartupSwitch::None);
}

TEST(StartupSwitches, InstallIsLookedForFirst)
{
    EXPECT_EQ(ParseStartupSwitch({"-uninstall", "/install"}), StartupSwitch::Install);
}

TEST(StartupSwitches, AnySwitchByName)
{
    EXPECT_TRUE(HasCommandLineSwitch({"a.irv", "/DDE"}, u"dde"));
    EXPECT_FALSE(HasCommandLineSwitch({"a.irv", "dde"}, u"DDE"));
    EXPECT_TRUE(IsCommandLineSwitch("-Dde", u"DDE"));
}
