#pragma once

// The command table of the main window as data: one row per command, the menus and the five
// toolbars as lists of command names. The ui builds one action per row and the menus and
// toolbars from these lists; nothing about a command is written twice.

#include "core/commands/CommandRules.h"

#include <QString>
#include <QStringList>

#include <span>
#include <vector>

enum class CommandCategory : std::uint8_t { File, Edit, View, Mine, Calc, Service, Window, Help };

// Whether the window behind a command exists in this build. Pending commands are created (so
// code may refer to them) but kept out of menus, toolbars and shortcuts; Hidden ones never
// appear in a menu at all.
enum class CommandPresence : std::uint8_t { Ready, Pending, Hidden };

struct CommandInfo {
    const char* name;      // "actFileOpen"
    const char* caption;   // "&Открыть..." (UTF-8)
    const char* shortcut;  // portable key sequence text ("Ctrl+O"), empty for none
    const char* hint;      // "short|long": the long part goes to the status bar
    int helpContext;
    int tag;               // tells sibling commands apart (sort key, filter, colour mode, toolbar...)
    CommandRule rule;
    CheckSource check;     // CheckSource::None: not checkable
    CommandCategory category;
    CommandPresence presence;
    const char* icon;      // freedesktop icon name, empty for none
    // The shortcut is set only while the command is enabled (cut, copy, paste), so the key
    // reaches an editor when the command cannot act.
    bool shortcutWhenEnabled = false;
    // A second key for the same command (redo answers to two), empty for none.
    const char* altShortcut = "";

    QString Name() const { return QString::fromUtf8(name); }
    QString Caption() const { return QString::fromUtf8(caption); }
    QString Shortcut() const { return QString::fromUtf8(shortcut); }
    QString AltShortcut() const { return QString::fromUtf8(altShortcut); }
    QString Hint() const { return QString::fromUtf8(hint); }
    // The two parts of the hint; a hint without a bar is both.
    QString ShortHint() const;
    QString LongHint() const;
    bool Checkable() const { return check != CheckSource::None; }
    // Commands that mirror one value among siblings (filters, colour modes) are exclusive.
    bool Exclusive() const
    {
        return check == CheckSource::NodeFilter || check == CheckSource::BranchFilter || check == CheckSource::ColorMode;
    }
};

std::span<const CommandInfo> CommandTable();
// Index of the named command in CommandTable(), or -1.
int CommandIndex(QStringView name);
const CommandInfo* FindCommand(QStringView name);

// One entry of a menu: a command, a separator, or a submenu with its own entries.
struct MenuEntry {
    enum class Kind : std::uint8_t { Command, Separator, Submenu };
    Kind kind = Kind::Command;
    QString name;     // command name, or the submenu's object name
    QString caption;  // submenu caption
    std::vector<MenuEntry> entries;

    static MenuEntry Command(const char* name);
    static MenuEntry Separator();
    static MenuEntry Submenu(const char* objectName, const char* caption, std::vector<MenuEntry> entries);
};

// Object names of the menus the main window fills or extends itself.
inline constexpr const char* kRecentFilesMenuName = "RecentMenu";  // "Последние с&еансы": recent files
inline constexpr const char* kServiceMenuName = "ServiceMenu";    // "С&ервис": the calculator item goes here
inline constexpr const char* kWindowMenuName = "WindowMenu";      // "&Окно": the window list goes at its end
inline constexpr const char* kToolbarsMenuName = "ToolbarsMenu";  // "Панели &инструментов": also the toolbars' context menu

// The menu bar: the top-level submenus in order.
const std::vector<MenuEntry>& MainMenu();

struct ToolbarInfo {
    QString name;     // object name, also the value name of its layout record ("StdBar")
    QString caption;  // "Стандартная"
    int tag;          // index of the layout record; the tag of its show/hide command
    QStringList commands;  // command names; "-" is a separator
};

// The five toolbars, in tag order.
const std::vector<ToolbarInfo>& Toolbars();
// The command on the standard toolbar that carries the recent files as a drop-down.
inline constexpr const char* kOpenWithRecentCommand = "actFileOpen";
