#include "ui/common/WaitCursor.h"

#include <QApplication>
#include <QCursor>

TWaitCursor::TWaitCursor()
{
    QApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
}

TWaitCursor::~TWaitCursor()
{
    Restore();
}

void TWaitCursor::Restore()
{
    if (!active_)
        return;
    active_ = false;
    QApplication::restoreOverrideCursor();
}
