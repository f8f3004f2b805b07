#include "ui/editing/ServiceFields.h"

#include "ui/common/MessageBoxes.h"

#include <QLineEdit>
#include <cmath>

namespace ServiceFields {

std::optional<double> Number(const QLineEdit* field)
{
    QString text = field->text().trimmed();
    text.replace(u',', u'.');
    bool ok = false;
    const double v = text.toDouble(&ok);
    if (!ok || !std::isfinite(v))
        return std::nullopt;
    return v;
}

std::optional<int> WholeNumber(const QLineEdit* field)
{
    bool ok = false;
    const int v = field->text().trimmed().toInt(&ok);
    if (!ok)
        return std::nullopt;
    return v;
}

void Refuse(QWidget* parent, QLineEdit* field)
{
    field->setFocus();
    field->selectAll();
    MessageBoxes::Error(parent, kBadNumber);
}

}  // namespace ServiceFields
