#pragma once

// The "Калькулятор" item of the "С&ервис" menu: the first calculator program found on the
// search path, inserted before the menu's last entry (the settings) and followed by a
// separator; nothing is added when no calculator is installed. Choosing it starts the program;
// a failure shows "Ошибка при запуске приложения \"Калькулятор\"" ("Ошибка", error icon).
//
// Plugging in (TMainForm, after CommandActions::BuildMenuBar):
//     AddCalculatorItem(FindMenu(menuBar(), QString::fromLatin1(kServiceMenuName)), this);

#include <QString>

class QAction;
class QMenu;
class QWidget;

inline const QString kCalculatorCaption = QStringLiteral("Калькулятор");
inline const QString kLaunchFailedText = QStringLiteral("Ошибка при запуске приложения \"%1\"");

// Adds the item for the given program (an empty path adds nothing) and returns it, or null.
// The action is parented to the menu; errors are shown over messageParent.
QAction* AddCalculatorItem(QMenu* serviceMenu, QWidget* messageParent, const QString& programPath);
// The same with the calculator found on PATH.
QAction* AddCalculatorItem(QMenu* serviceMenu, QWidget* messageParent);
