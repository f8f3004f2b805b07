#include "ui/document/GridHeader.h"

#include <algorithm>

#include "ui/document/GridModel.h"

#include <QMouseEvent>

TGridHeader::TGridHeader(QWidget* parent) : QHeaderView(Qt::Horizontal, parent)
{
    setSectionsMovable(true);
    setSectionsClickable(true);
    setHighlightSections(false);
    setDefaultAlignment(Qt::AlignCenter);
    setMouseTracking(true);
}

void TGridHeader::SetHeight(int height)
{
    height_ = height;
    setFixedHeight(height);
    updateGeometry();
}

QSize TGridHeader::sizeHint() const
{
    QSize s = QHeaderView::sizeHint();
    if (height_ > 0)
        s.setHeight(height_);
    return s;
}

int TGridHeader::NeededHeight(int least) const
{
    int h = least;
    for (int i = 0; i < count(); ++i)
        if (!isSectionHidden(i))
            h = std::max(h, sectionSizeFromContents(i).height());
    return h;
}

void TGridHeader::mouseMoveEvent(QMouseEvent* event)
{
    QHeaderView::mouseMoveEvent(event);
    const int section = logicalIndexAt(event->position().toPoint());
    const bool hand = section >= 0 && model()
                      && model()->headerData(section, Qt::Horizontal, SortableRole).toBool();
    if (hand)
        setCursor(Qt::PointingHandCursor);
    else
        unsetCursor();
}

void TGridHeader::leaveEvent(QEvent* event)
{
    unsetCursor();
    QHeaderView::leaveEvent(event);
}
