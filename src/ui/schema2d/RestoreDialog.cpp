#include "ui/schema2d/RestoreDialog.h"

#include <QDialogButtonBox>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

TRestoreDialog::TRestoreDialog(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Восстановление данных"));
    all_ = new QRadioButton(QStringLiteral("Все данные"), this);
    order_ = new QRadioButton(QStringLiteral("Порядок ветвей"), this);
    labels_ = new QRadioButton(QStringLiteral("Номера и результаты"), this);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    ok_ = buttons->button(QDialogButtonBox::Ok);
    ok_->setText(QStringLiteral("&ОК"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Отмена"));
    // OK only once a choice is made.
    ok_->setEnabled(false);
    for (QRadioButton* r : {all_, order_, labels_})
        connect(r, &QRadioButton::toggled, this, [this] { ok_->setEnabled(Choice() != rcNone); });
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    for (QRadioButton* r : {all_, order_, labels_})
        layout->addWidget(r);
    layout->addWidget(buttons);
}

TRestoreDialog::TChoice TRestoreDialog::Choice() const
{
    return all_->isChecked() ? rcAll : order_->isChecked() ? rcOrder : labels_->isChecked() ? rcLabels : rcNone;
}

void TRestoreDialog::SetChoice(TChoice choice)
{
    all_->setChecked(choice == rcAll);
    order_->setChecked(choice == rcOrder);
    labels_->setChecked(choice == rcLabels);
}
