#include "ui/document/DocumentHistory.h"

#include "ui/document/ChildForm.h"

#include <QApplication>

namespace DocumentHistory {

TEditHistory* Of(const TMine* mine)
{
    if (!mine)
        return nullptr;
    // Document windows live in the main window's workspace, or stand alone.
    for (QWidget* top : QApplication::topLevelWidgets()) {
        if (auto* doc = qobject_cast<TChildForm*>(top); doc && doc->Mine() == mine)
            return &doc->History();
        for (TChildForm* doc : top->findChildren<TChildForm*>())
            if (doc->Mine() == mine)
                return &doc->History();
    }
    return nullptr;
}

}  // namespace DocumentHistory
