#pragma once

// The main window's actions, built from the command table (core/commands/CommandData.h):
// one QAction per command, named after it (objectName "actFileOpen"), with caption, shortcut,
// hints, help context and tag; the menus and toolbars are built from the same data.
//
// Plugging in (TMainForm):
//     actions_ = std::make_unique<CommandActions>(this);          // actions parented to the form
//     addActions(actions_->ReadyActions());                        // shortcuts work everywhere
//     actions_->BuildMenuBar(menuBar());
//     for (QToolBar* bar : actions_->BuildToolBars(this)) ...      // already added to the form
//     connect(actions_->Action("actFileOpen"), &QAction::triggered, this, &TMainForm::FileOpen);
//     // the update step, on a timer or on state changes:
//     actions_->ApplyStates(ComputeCommandStates(context));
// Pending commands (their window does not exist yet) are created but stay out of menus and
// toolbars, invisible and disabled.

#include "core/commands/CommandData.h"
#include "core/commands/CommandRules.h"

#include <QList>
#include <QObject>
#include <QString>

#include <functional>
#include <vector>

class QAction;
class QActionGroup;
class QMainWindow;
class QMenu;
class QMenuBar;
class QToolBar;

// Properties carried by every action, for the status bar and the help.
inline constexpr const char* kHelpContextProperty = "helpContext";
inline constexpr const char* kLongHintProperty = "longHint";

class CommandActions {
public:
    // Creates one action per command, parented to owner (the owner deletes them).
    explicit CommandActions(QObject* owner);

    // The action of a command; null for an unknown name.
    QAction* Action(QStringView name) const;
    QAction* ActionAt(int index) const { return actions_.at(size_t(index)); }
    int Count() const { return int(actions_.size()); }
    // Every action whose command is Ready (not Pending, not Hidden).
    QList<QAction*> ReadyActions() const;

    // Fills the menu bar from MainMenu(): submenus carry their object names (kServiceMenuName...),
    // Pending and Hidden commands are left out, empty submenus and doubled separators dropped.
    // The recent files submenu (kRecentFilesMenuName) stays empty for the owner to fill.
    void BuildMenuBar(QMenuBar* menuBar) const;
    // Creates the five toolbars (object name = ToolbarInfo::name, window title = caption), adds
    // them to the window's top dock in tag order and returns them in tag order.
    std::vector<QToolBar*> BuildToolBars(QMainWindow* window) const;

    // Runs the handler whenever the command is triggered (context: the receiver whose life
    // bounds the connection). Every table command is connected through here, so the window can
    // tell which commands do something.
    void Handle(QStringView name, QObject* context, std::function<void()> run);
    bool HasHandler(QStringView name) const;

    // Applies the computed states (in table order): enabled, visible, checked; a Pending command
    // stays hidden and disabled; cut, copy and paste carry their shortcut only while enabled.
    void ApplyStates(const std::vector<CommandState>& states) const;

private:
    void FillMenu(QMenu* menu, const std::vector<MenuEntry>& entries) const;

    std::vector<QAction*> actions_;  // owned by the owner object, in table order
    std::vector<bool> handled_;      // in table order
};

// The menu found by object name among the menu bar's menus and their submenus, or null.
QMenu* FindMenu(QMenuBar* menuBar, const QString& objectName);
