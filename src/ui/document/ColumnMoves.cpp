#include "ui/document/ColumnMoves.h"

#include <QHeaderView>
#include <QSignalBlocker>

void KeepColumnOrderInDescriptors(QHeaderView* header, std::function<void(int from, int to)> moveColumn)
{
    QObject::connect(header, &QHeaderView::sectionMoved, header,
                     [header, moveColumn](int, int oldVisual, int newVisual) {
                         {
                             const QSignalBlocker block(header);
                             header->moveSection(newVisual, oldVisual);
                         }
                         moveColumn(oldVisual, newVisual);
                     });
}
