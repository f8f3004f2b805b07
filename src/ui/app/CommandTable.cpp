#include "ui/app/CommandTable.h"

#include "ui/app/CommandIcons.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QIcon>
#include <QKeySequence>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QStyle>
#include <QToolBar>

#include <memory>

namespace {

// The desktop theme's picture for the generic commands (open, save, cut...), our own drawn
// one where the theme has none or where the theme's would not tell nodes from branches,
// the style's own as the last resort.
QIcon commandIcon(const CommandInfo& command)
{
    const char* name = command.icon;
    const QString themeName = QString::fromUtf8(name);
    const QIcon drawn = DrawnCommandIcon(command.Name());
    const bool generic = !themeName.isEmpty() && themeName != QLatin1String("list-add")
                         && themeName != QLatin1String("list-remove");
    if (!drawn.isNull() && (!generic || !QIcon::hasThemeIcon(themeName)))
        return drawn;
    if (themeName.isEmpty())
        return QIcon();
    struct Fallback {
        const char* name;
        QStyle::StandardPixmap pixmap;
    };
    static const Fallback fallbacks[] = {
        {"document-new", QStyle::SP_FileIcon},
        {"document-open", QStyle::SP_DialogOpenButton},
        {"document-save", QStyle::SP_DialogSaveButton},
        {"window-close", QStyle::SP_DialogCloseButton},
        {"application-exit", QStyle::SP_DialogCloseButton},
        {"help-contents", QStyle::SP_DialogHelpButton},
        {"help-about", QStyle::SP_MessageBoxInformation},
        {"edit-find", QStyle::SP_FileDialogContentsView},
        {"list-add", QStyle::SP_FileDialogNewFolder},
        {"list-remove", QStyle::SP_TrashIcon},
    };
    QIcon fallback;
    for (const Fallback& f : fallbacks)
        if (qstrcmp(f.name, name) == 0 && qApp)
            fallback = qApp->style()->standardIcon(f.pixmap);
    return QIcon::fromTheme(themeName, fallback);
}

bool isShown(const QString& name)
{
    const CommandInfo* command = FindCommand(name);
    return command && command->presence == CommandPresence::Ready;
}

// Drops separators at the start and end of a menu and doubled ones.
void tidySeparators(QWidget* menu)
{
    QAction* previous = nullptr;
    for (QAction* action : menu->actions()) {
        if (action->isSeparator() && (!previous || previous->isSeparator())) {
            menu->removeAction(action);
            std::unique_ptr<QAction> gone(action);  // the menu made it; it goes now
            continue;
        }
        previous = action;
    }
    const QList<QAction*> left = menu->actions();
    if (!left.isEmpty() && left.last()->isSeparator()) {
        QAction* last = left.last();
        menu->removeAction(last);
        std::unique_ptr<QAction> gone(last);
    }
}

}  // namespace

CommandActions::CommandActions(QObject* owner)
{
    const auto table = CommandTable();
    actions_.reserve(table.size());
    handled_.assign(table.size(), false);
    // One exclusive group per family of radio commands, keyed by what they mirror.
    QActionGroup* groups[3] = {};

    for (const CommandInfo& command : table) {
        auto* action = new QAction(command.Caption(), owner);
        action->setObjectName(command.Name());
        QList<QKeySequence> keys;
        if (!command.Shortcut().isEmpty())
            keys << QKeySequence(command.Shortcut(), QKeySequence::PortableText);
        if (!command.AltShortcut().isEmpty())
            keys << QKeySequence(command.AltShortcut(), QKeySequence::PortableText);
        action->setShortcuts(keys);
        action->setToolTip(command.ShortHint());
        action->setStatusTip(command.LongHint());
        action->setProperty(kHelpContextProperty, command.helpContext);
        action->setProperty(kLongHintProperty, command.LongHint());
        action->setData(command.tag);
        action->setIcon(commandIcon(command));
        action->setIconVisibleInMenu(false);
        action->setCheckable(command.Checkable());
        if (command.Exclusive()) {
            const int g = command.check == CheckSource::NodeFilter ? 0 : command.check == CheckSource::BranchFilter ? 1 : 2;
            if (!groups[g]) {
                groups[g] = new QActionGroup(owner);
                groups[g]->setExclusionPolicy(QActionGroup::ExclusionPolicy::Exclusive);
            }
            groups[g]->addAction(action);
        }
        if (command.presence != CommandPresence::Ready) {
            action->setVisible(false);
            action->setEnabled(false);
        }
        actions_.push_back(action);
    }
}

QAction* CommandActions::Action(QStringView name) const
{
    const int index = CommandIndex(name);
    return index < 0 ? nullptr : actions_[size_t(index)];
}

void CommandActions::Handle(QStringView name, QObject* context, std::function<void()> run)
{
    const int index = CommandIndex(name);
    Q_ASSERT_X(index >= 0, "CommandActions::Handle", "a command that is not in the table");
    if (index < 0)
        return;
    QObject::connect(actions_[size_t(index)], &QAction::triggered, context, [run = std::move(run)] { run(); });
    handled_[size_t(index)] = true;
}

bool CommandActions::HasHandler(QStringView name) const
{
    const int index = CommandIndex(name);
    return index >= 0 && handled_[size_t(index)];
}

QList<QAction*> CommandActions::ReadyActions() const
{
    QList<QAction*> ready;
    const auto table = CommandTable();
    for (size_t i = 0; i < table.size(); ++i)
        if (table[i].presence == CommandPresence::Ready)
            ready << actions_[i];
    return ready;
}

void CommandActions::FillMenu(QMenu* menu, const std::vector<MenuEntry>& entries) const
{
    for (const MenuEntry& entry : entries) {
        switch (entry.kind) {
        case MenuEntry::Kind::Command:
            if (isShown(entry.name))
                menu->addAction(Action(entry.name));
            break;
        case MenuEntry::Kind::Separator:
            menu->addSeparator();
            break;
        case MenuEntry::Kind::Submenu: {
            QMenu* sub = menu->addMenu(entry.caption);
            sub->setObjectName(entry.name);
            FillMenu(sub, entry.entries);
            // A submenu whose commands all wait for their windows is left out; the recent
            // files menu is filled by the owner.
            if (sub->actions().isEmpty() && entry.name != QLatin1String(kRecentFilesMenuName)) {
                menu->removeAction(sub->menuAction());
                std::unique_ptr<QMenu> gone(sub);
            }
            break;
        }
        }
    }
    tidySeparators(menu);
}

void CommandActions::BuildMenuBar(QMenuBar* menuBar) const
{
    for (const MenuEntry& top : MainMenu()) {
        QMenu* menu = menuBar->addMenu(top.caption);
        menu->setObjectName(top.name);
        FillMenu(menu, top.entries);
    }
}

std::vector<QToolBar*> CommandActions::BuildToolBars(QMainWindow* window) const
{
    std::vector<QToolBar*> bars;
    for (const ToolbarInfo& info : Toolbars()) {
        auto* bar = new QToolBar(info.caption, window);
        bar->setObjectName(info.name);
        bar->setAllowedAreas(Qt::TopToolBarArea | Qt::BottomToolBarArea);
        for (const QString& name : info.commands) {
            if (name == QLatin1String("-"))
                bar->addSeparator();
            else if (isShown(name))
                bar->addAction(Action(name));
        }
        tidySeparators(bar);
        window->addToolBar(Qt::TopToolBarArea, bar);
        bars.push_back(bar);
    }
    return bars;
}

void CommandActions::ApplyStates(const std::vector<CommandState>& states) const
{
    const auto table = CommandTable();
    const size_t count = std::min(states.size(), table.size());
    for (size_t i = 0; i < count; ++i) {
        const CommandInfo& command = table[i];
        QAction* action = actions_[i];
        const bool ready = command.presence == CommandPresence::Ready;
        const CommandState& s = states[i];
        action->setVisible(ready && s.visible);
        action->setEnabled(ready && s.enabled);
        if (command.Checkable())
            action->setChecked(s.checked);
        if (command.shortcutWhenEnabled)
            action->setShortcut(ready && s.enabled ? QKeySequence(command.Shortcut(), QKeySequence::PortableText)
                                                   : QKeySequence());
    }
}

QMenu* FindMenu(QMenuBar* menuBar, const QString& objectName)
{
    return menuBar ? menuBar->findChild<QMenu*>(objectName) : nullptr;
}
