#include "core/commands/CommandData.h"
#include "core/shell/HelpPages.h"

#include <gtest/gtest.h>

#include <algorithm>

#include <QRegularExpression>
#include <QSet>

namespace {

void collectCommands(const std::vector<MenuEntry>& entries, QStringList& names)
{
    for (const MenuEntry& entry : entries) {
        if (entry.kind == MenuEntry::Kind::Command)
            names << entry.name;
        else if (entry.kind == MenuEntry::Kind::Submenu)
            collectCommands(entry.entries, names);
    }
}

QStringList menuCommands()
{
    QStringList names;
    collectCommands(MainMenu(), names);
    return names;
}

}  // namespace

TEST(CommandData, NamesAreUniqueAndEveryRowIsComplete)
{
    QSet<QString> names;
    for (const CommandInfo& command : CommandTable()) {
        EXPECT_FALSE(names.contains(command.Name())) << command.name;
        names << command.Name();
        EXPECT_TRUE(command.Name().startsWith(QLatin1String("act"))) << command.name;
        EXPECT_FALSE(command.Caption().isEmpty()) << command.name;
        EXPECT_FALSE(command.ShortHint().isEmpty()) << command.name;
        EXPECT_FALSE(command.LongHint().isEmpty()) << command.name;
        const auto topics = HelpTopics();
        EXPECT_TRUE(std::any_of(topics.begin(), topics.end(),
                                [&](const HelpTopic& t) { return t.context == command.helpContext; }))
            << command.name << " opens no help topic";
    }
    EXPECT_EQ(CommandIndex(u"actNoSuchCommand"), -1);
    EXPECT_EQ(FindCommand(u"actGoto")->Caption(), QStringLiteral("&Найти..."));
}

TEST(CommandData, HintsSplitAtTheBar)
{
    const CommandInfo* open = FindCommand(u"actFileOpen");
    ASSERT_NE(open, nullptr);
    EXPECT_EQ(open->ShortHint(), QStringLiteral("Открыть"));
    EXPECT_EQ(open->LongHint(), QStringLiteral("Открыть файл исходных данных шахты"));
}

TEST(CommandData, CaptionsAndShortcutsAsTheUserKnowsThem)
{
    struct Expected {
        const char16_t* name;
        const char16_t* caption;
        const char16_t* shortcut;
    };
    const Expected expected[] = {
        {u"actFileOpen", u"&Открыть...", u"Ctrl+O"},
        {u"actExport", u"&Экпорт...", u""},
        {u"actEditorMode", u"&Редактор", u"F2"},
        {u"actUndo", u"&Отменить", u"Ctrl+Z"},
        {u"actRedo", u"&Повторить", u"Ctrl+Y"},
        {u"actHistory", u"&История правок", u""},
        {u"actGoto", u"&Найти...", u"Ctrl+F"},
        {u"actUzelsByNums", u"По номерам", u"Ctrl+0"},
        {u"actBranchesByEUzels", u"По конечным узлам", u"Ctrl+3"},
        {u"actMessageView", u"&Сообщения", u"Ctrl+Shift+M"},
        {u"actStdColors", u"&Стандартная", u"Ctrl+Shift+S"},
        {u"actCheckWaterPipes", u"Проверить т&рубопровод", u"Ctrl+F9"},
        {u"actHydroCalc", u"Рассчитать", u"F9"},
        {u"actFreeNumbers", u"&Свободные номера", u"Ctrl+N"},
        {u"actWinVertTile", u"&Горизонтально", u""},
        {u"actHelpTopics", u"&Справка по Ирвате", u""},
    };
    for (const Expected& e : expected) {
        const CommandInfo* command = FindCommand(QStringView(e.name));
        ASSERT_NE(command, nullptr) << QString::fromUtf16(e.name).toStdString();
        EXPECT_EQ(command->Caption(), QString::fromUtf16(e.caption));
        EXPECT_EQ(command->Shortcut(), QString::fromUtf16(e.shortcut));
    }
}

TEST(CommandData, ShortcutsAreWellFormedAndDoNotCollide)
{
    const QRegularExpression form(QStringLiteral("^(Ctrl\\+)?(Shift\\+)?(F[0-9]{1,2}|[A-Z0-9])$"));
    QSet<QString> used;
    for (const CommandInfo& command : CommandTable()) {
        if (command.Shortcut().isEmpty())
            continue;
        EXPECT_TRUE(form.match(command.Shortcut()).hasMatch()) << command.name;
        EXPECT_FALSE(used.contains(command.Shortcut())) << command.name;
        used << command.Shortcut();
        if (!command.AltShortcut().isEmpty()) {
            EXPECT_TRUE(form.match(command.AltShortcut()).hasMatch()) << command.name;
            EXPECT_FALSE(used.contains(command.AltShortcut())) << command.name;
            used << command.AltShortcut();
        }
    }
    EXPECT_EQ(FindCommand(u"actRedo")->AltShortcut(), QStringLiteral("Ctrl+Shift+Z"));
}

TEST(CommandData, MenusAndToolbarsNameOnlyKnownCommandsOnce)
{
    const QStringList inMenus = menuCommands();
    QSet<QString> seen;
    for (const QString& name : inMenus) {
        EXPECT_NE(FindCommand(name), nullptr) << name.toStdString();
        EXPECT_FALSE(seen.contains(name)) << name.toStdString();
        seen << name;
    }
    for (const ToolbarInfo& toolbar : Toolbars())
        for (const QString& name : toolbar.commands)
            if (name != QLatin1String("-")) {
                EXPECT_NE(FindCommand(name), nullptr) << name.toStdString();
            }
}

TEST(CommandData, EveryShownCommandIsInAMenu)
{
    const QStringList inMenus = menuCommands();
    for (const CommandInfo& command : CommandTable()) {
        if (command.presence == CommandPresence::Hidden || command.Name() == QLatin1String("actShowOnSchema"))
            continue;
        EXPECT_TRUE(inMenus.contains(command.Name())) << command.name;
    }
}

TEST(CommandData, TheThreeCalculationCommandsAreHidden)
{
    int hidden = 0;
    for (const CommandInfo& command : CommandTable())
        if (command.presence == CommandPresence::Hidden) {
            ++hidden;
            EXPECT_EQ(command.rule, CommandRule::Never) << command.name;
            EXPECT_EQ(command.category, CommandCategory::Calc) << command.name;
        }
    EXPECT_EQ(hidden, 3);
}

TEST(CommandData, FiveToolbarsInTagOrderWithTheirViewCommands)
{
    const auto& toolbars = Toolbars();
    ASSERT_EQ(int(toolbars.size()), kToolbarCount);
    const char16_t* viewCommands[] = {u"actViewStdBar", u"actViewEditBar", u"actViewUzelBar", u"actViewBranchesBar",
                                      u"actViewMineBar"};
    for (int tag = 0; tag < kToolbarCount; ++tag) {
        EXPECT_EQ(toolbars[size_t(tag)].tag, tag);
        const CommandInfo* view = FindCommand(QStringView(viewCommands[tag]));
        ASSERT_NE(view, nullptr);
        EXPECT_EQ(view->tag, tag);
        EXPECT_EQ(view->check, CheckSource::Toolbar);
    }
    EXPECT_EQ(toolbars[0].caption, QStringLiteral("Стандартная"));
    EXPECT_EQ(toolbars[3].caption, QStringLiteral("Ветви"));
    EXPECT_TRUE(toolbars[0].commands.contains(QLatin1String(kOpenWithRecentCommand)));
}

TEST(CommandData, ServiceMenuEndsWithTheSettings)
{
    for (const MenuEntry& top : MainMenu())
        if (top.name == QLatin1String(kServiceMenuName)) {
            ASSERT_FALSE(top.entries.empty());
            EXPECT_EQ(top.entries.back().name, QStringLiteral("actParams"));
            return;
        }
    FAIL() << "no service menu";
}

TEST(CommandData, SiblingTagsTellSortKeysApart)
{
    for (const char16_t* family : {u"actUzelsBy", u"actBranchesBy", u"actHBranchesBy", u"actLowerBy"}) {
        QSet<int> tags;
        int count = 0;
        for (const CommandInfo& command : CommandTable())
            if (command.Name().startsWith(QStringView(family))) {
                ++count;
                tags << command.tag;
            }
        EXPECT_GT(count, 1);
        EXPECT_EQ(tags.size(), count) << QString::fromUtf16(family).toStdString();
    }
}
