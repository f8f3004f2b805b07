#include "ui/app/WindowArrangement.h"

#include <QAction>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>

QString TWindowArrangement::ShownTitle(const QWidget* window)
{
    // The title as the frame shows it: the "[*]" place holds "*" while modified, "[*][*]" a
    // literal "[*]".
    QString title = window->windowTitle();
    const QString mark = window->isWindowModified() ? QStringLiteral("*") : QString();
    QString shown;
    for (qsizetype i = 0; i < title.size();) {
        if (title.mid(i, 6) == QStringLiteral("[*][*]")) {
            shown += QStringLiteral("[*]");
            i += 6;
        } else if (title.mid(i, 3) == QStringLiteral("[*]")) {
            shown += mark;
            i += 3;
        } else {
            shown += title.at(i++);
        }
    }
    return shown;
}

TWindowArrangement::TWindowArrangement(QMdiArea* area, QMenu* windowMenu) : area_(area), windowMenu_(windowMenu) {}

void TWindowArrangement::MinimizeAll() const
{
    for (QMdiSubWindow* w : area_->subWindowList())
        w->showMinimized();
}

void TWindowArrangement::RebuildWindowList()
{
    if (!windowMenu_)
        return;
    for (QAction* a : std::as_const(listActions_)) {
        windowMenu_->removeAction(a);
        a->deleteLater();
    }
    listActions_.clear();
    const QList<QMdiSubWindow*> windows = area_->subWindowList();
    if (windows.isEmpty())
        return;
    listActions_ << windowMenu_->addSeparator();
    for (int i = 0; i < windows.size(); ++i) {
        QMdiSubWindow* w = windows.at(i);
        QAction* a = windowMenu_->addAction(QStringLiteral("&%1 %2").arg(i + 1).arg(ShownTitle(w)));
        a->setCheckable(true);
        a->setChecked(w == area_->activeSubWindow());
        QObject::connect(a, &QAction::triggered, area_, [area = area_, w] { area->setActiveSubWindow(w); });
        listActions_ << a;
    }
}

void TWindowArrangement::Tile(bool horizontal) const
{
    QList<QMdiSubWindow*> windows;
    for (QMdiSubWindow* w : area_->subWindowList())
        if (!w->isMinimized())
            windows << w;
    if (windows.isEmpty())
        return;
    const QRect area = area_->viewport()->rect();
    const int n = static_cast<int>(windows.size());
    for (int i = 0; i < n; ++i) {
        QMdiSubWindow* w = windows.at(i);
        w->showNormal();
        if (horizontal) {
            const int h = area.height() / n;
            w->setGeometry(0, i * h, area.width(), h);
        } else {
            const int wd = area.width() / n;
            w->setGeometry(i * wd, 0, wd, area.height());
        }
    }
}

void TWindowArrangement::ArrangeIcons() const
{
    // Minimised windows in a row along the bottom of the area, wrapping upwards.
    const QRect area = area_->viewport()->rect();
    int x = 0;
    int y = area.bottom();
    for (QMdiSubWindow* w : area_->subWindowList()) {
        if (!w->isMinimized())
            continue;
        const QSize size = w->size();
        if (x > 0 && x + size.width() > area.width()) {
            x = 0;
            y -= size.height();
        }
        w->move(x, y - size.height() + 1);
        x += size.width();
    }
}
