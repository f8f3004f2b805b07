#include "ui/common/TypedComboBox.h"

#include <QComboBox>
#include <QLineEdit>

namespace TypedComboBox {

void Apply(QComboBox* box)
{
    if (!box)
        return;
    if (!box->isEditable())
        box->setEditable(true);
    // A box of numbers never invents what it was not told: no inline completion, no insertion.
    box->setCompleter(nullptr);
    box->setInsertPolicy(QComboBox::NoInsert);
}

}  // namespace TypedComboBox
