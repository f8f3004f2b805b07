#pragma once

// The arrangement of the document windows in the main window's MDI area, and the list of
// windows at the end of the "Окно" menu.

#include <QList>
#include <QString>

class QAction;
class QWidget;
class QMdiArea;
class QMenu;

class TWindowArrangement {
public:
    TWindowArrangement(QMdiArea* area, QMenu* windowMenu);

    // Windows one under another (horizontal) or side by side; minimised ones stay as they are.
    void Tile(bool horizontal) const;
    // Minimised windows in rows along the bottom of the area.
    void ArrangeIcons() const;
    void MinimizeAll() const;
    // "&1 caption" for every window after a separator, the active one checked.
    void RebuildWindowList();
    // A window's title as its frame shows it, with the modified mark.
    static QString ShownTitle(const QWidget* window);

private:
    QMdiArea* area_;
    QMenu* windowMenu_;
    QList<QAction*> listActions_;
};
