#include "ui/editing/RenumDevForm.h"

#include "core/services/DeviceRenumbering.h"
#include "core/history/EditTransaction.h"
#include "core/model/Errors.h"
#include "ui/common/MessageBoxes.h"
#include "ui/editing/ServiceSteps.h"

#include <QDialogButtonBox>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

TfrmRenumDev::TfrmRenumDev(TMine& mine, QWidget* parent) : QDialog(parent), mine_(mine)
{
    setWindowTitle(QStringLiteral("Перенумеровать устройства"));
    auto* group = new QGroupBox(QStringLiteral(" Режим перенумерации "), this);
    fill_ = new QRadioButton(QStringLiteral("Заполнить свободные номера"), group);
    afterMax_ = new QRadioButton(QStringLiteral("Начать после максимального номера узла (%1)")
                                     .arg(DeviceRenumbering::FirstNumberAfterMaximum(mine)),
                                 group);
    auto* modes = new QVBoxLayout(group);
    modes->addWidget(fill_);
    modes->addWidget(afterMax_);

    buttons_ = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons_->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Отмена"));
    buttons_->button(QDialogButtonBox::Ok)->setEnabled(false);
    connect(buttons_, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons_, &QDialogButtonBox::rejected, this, &QDialog::reject);
    for (QRadioButton* mode : {fill_, afterMax_})
        connect(mode, &QRadioButton::toggled, this, [this] { buttons_->button(QDialogButtonBox::Ok)->setEnabled(true); });

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addWidget(buttons_);
}

void TfrmRenumDev::accept()
{
    if (!fill_->isChecked() && !afterMax_->isChecked())
        return;
    try {
        // Renumbering that fails midway is put back whole.
        TEditTransaction step(history_, ServiceSteps::kRenumber);
        DeviceRenumbering::Renumber(mine_, fill_->isChecked() ? DeviceRenumbering::TMode::FillFree
                                                              : DeviceRenumbering::TMode::AfterMaximum);
        step.Commit();
    } catch (const Exception& e) {
        MessageBoxes::Error(this, e.Message());
        return;
    }
    QDialog::accept();
}

bool RenumberDevices(QWidget* parent, TMine& mine, TEditHistory* history)
{
    if (DeviceRenumbering::FireDevicesInOrder(mine).empty()) {
        MessageBoxes::Error(parent, DeviceRenumbering::kNoWaterDevices);
        return false;
    }
    TfrmRenumDev form(mine, parent);
    form.SetHistory(history);
    return form.exec() == QDialog::Accepted;
}
