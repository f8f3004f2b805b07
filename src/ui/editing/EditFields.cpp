#include "ui/editing/EditFields.h"

#include <QLabel>
#include <QLineEdit>
#include <QRegularExpression>
#include <QRegularExpressionValidator>

namespace EditFields {

QLineEdit* NumberEdit(QWidget* parent, const QString& name, int maxWidth, bool negative)
{
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(name);
    const QString pattern = negative ? QStringLiteral("-?[0-9]*[.,]?[0-9]*") : QStringLiteral("[0-9]*[.,]?[0-9]*");
    edit->setValidator(new QRegularExpressionValidator(QRegularExpression(pattern), edit));
    edit->setMaximumWidth(maxWidth);
    return edit;
}

QLabel* Buddy(const QString& text, QWidget* field, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    label->setBuddy(field);
    return label;
}

}  // namespace EditFields
