#include "ui/report/PrintDevicesForm.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

TDevicesReportOptions& TPrintDevicesForm::Remembered()
{
    static TDevicesReportOptions options;
    return options;
}

TPrintDevicesForm::TPrintDevicesForm(TDevicesReportInputs inputs, TBusyCounter* busy, QWidget* parent)
    : TReportDialog(busy, parent), inputs_(std::move(inputs))
{
    const TDevicesReportOptions& o = Remembered();
    auto* rows = new QGroupBox(this);
    auto* rowsLayout = new QVBoxLayout(rows);
    whole_ = new QRadioButton(QStringLiteral("Таблица полностью"), rows);
    selected_ = new QRadioButton(QStringLiteral("Выделенные строки"), rows);
    rowsLayout->addWidget(whole_);
    rowsLayout->addWidget(selected_);
    (o.Rows == TDevicesReportOptions::Selected ? selected_ : whole_)->setChecked(true);
    title_ = new QCheckBox(QStringLiteral("Титульный лист"), this);
    pageNumbers_ = new QCheckBox(QStringLiteral("Номера страниц"), this);
    title_->setChecked(o.TitlePage);
    pageNumbers_->setChecked(o.PageNumbers);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(rows);
    layout->addWidget(title_);
    layout->addWidget(pageNumbers_);
    AddCommonControls(layout);
    CopiesBox()->setValue(std::max(1, o.Copies));
}

TDevicesReportOptions TPrintDevicesForm::Options() const
{
    TDevicesReportOptions o;
    o.Rows = selected_->isChecked() ? TDevicesReportOptions::Selected : TDevicesReportOptions::Full;
    o.TitlePage = title_->isChecked();
    o.PageNumbers = pageNumbers_->isChecked();
    o.Copies = CopiesBox() ? CopiesBox()->value() : 1;
    return o;
}

void TPrintDevicesForm::StoreChoices() const
{
    Remembered() = Options();
}

TReportContent TPrintDevicesForm::BuildContent() const
{
    const TDevicesReportOptions o = Options();
    TDevicesReportInputs in = inputs_;
    in.Devices = DevicesReport::Choose(inputs_.Devices, o.Rows);
    in.TitlePage = o.TitlePage;
    in.PageNumbers = o.PageNumbers;
    return DevicesReport::Build(in);
}
