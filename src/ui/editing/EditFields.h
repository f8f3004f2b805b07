#pragma once

// Small field builders the editing windows share.

#include <QString>

class QLabel;
class QLineEdit;
class QWidget;

namespace EditFields {

// A line edit that takes a decimal number ("." or ","), negative ones when asked.
QLineEdit* NumberEdit(QWidget* parent, const QString& name, int maxWidth, bool negative = false);

// A label whose mnemonic focuses the field.
QLabel* Buddy(const QString& text, QWidget* field, QWidget* parent);

}  // namespace EditFields
