#include "ui/common/WideEntryHints.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QHelpEvent>
#include <QScreen>
#include <QToolTip>

TWideEntryHints::TWideEntryHints(QAbstractItemView* view) : QObject(view), view_(view)
{
    view->viewport()->installEventFilter(this);
}

void TWideEntryHints::Install(QAbstractItemView* view)
{
    if (view && !view->findChild<TWideEntryHints*>(QString(), Qt::FindDirectChildrenOnly))
        new TWideEntryHints(view);  // owned by the view
}

void TWideEntryHints::Install(QComboBox* box)
{
    if (box)
        Install(box->view());
}

QString TWideEntryHints::HintAt(const QAbstractItemView* view, const QPoint& viewportPos)
{
    const QModelIndex index = view->indexAt(viewportPos);
    if (!index.isValid())
        return QString();
    const QString text = index.data(Qt::DisplayRole).toString();
    const QRect rect = view->visualRect(index);
    // The room the entry has: its own cell, cut by the visible part of the list.
    const int room = std::min(rect.right(), view->viewport()->width()) - rect.left();
    const int decoration = index.data(Qt::DecorationRole).isValid() ? view->iconSize().width() + 8 : 0;
    const int needed = view->fontMetrics().horizontalAdvance(text) + decoration + 8;
    return needed > room ? text : QString();
}

bool TWideEntryHints::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::ToolTip || watched != view_->viewport())
        return QObject::eventFilter(watched, event);
    auto* help = static_cast<QHelpEvent*>(event);
    const QString text = HintAt(view_, help->pos());
    if (text.isEmpty()) {
        QToolTip::hideText();
        return false;  // the entry's own tool tip, if any
    }
    // Over the entry's text, moved left only as far as the screen's right edge needs.
    const QModelIndex index = view_->indexAt(help->pos());
    QPoint at = view_->viewport()->mapToGlobal(view_->visualRect(index).topLeft());
    if (const QScreen* screen = view_->screen()) {
        const int width = view_->fontMetrics().horizontalAdvance(text) + 12;
        const int right = screen->availableGeometry().right();
        if (at.x() + width > right)
            at.setX(std::max(screen->availableGeometry().left(), right - width));
    }
    QToolTip::showText(at, text, view_->viewport());
    return true;
}
