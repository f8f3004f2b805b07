#pragma once

// Number fields of the service dialogs (transformation, split, merge): reading them and
// refusing a text that is not a number the way the system always has.

#include <QString>
#include <optional>

class QLineEdit;
class QWidget;

namespace ServiceFields {

inline const QString kBadNumber = QStringLiteral("Неверно указано число");

// The field's decimal number ("." or ","); none for anything else.
std::optional<double> Number(const QLineEdit* field);
// The field's whole number; none for anything else.
std::optional<int> WholeNumber(const QLineEdit* field);
// Focuses and selects the field and shows "Неверно указано число".
void Refuse(QWidget* parent, QLineEdit* field);

}  // namespace ServiceFields
