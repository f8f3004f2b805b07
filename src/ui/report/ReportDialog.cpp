#include "ui/report/ReportDialog.h"

#include "ui/common/MessageBoxes.h"
#include "ui/report/PrevForm.h"
#include "ui/report/ReportPrinting.h"

#include <QBoxLayout>
#include <QFormLayout>
#include <QLabel>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QSpinBox>

namespace {

const QString kNothingToPrint = QStringLiteral("Нечего печатать");

}  // namespace

TReportDialog::TReportDialog(TBusyCounter* busy, QWidget* parent) : QDialog(parent), busy_(busy)
{
    setWindowTitle(QStringLiteral("Печать"));
}

void TReportDialog::AddCommonControls(QBoxLayout* layout)
{
    auto* copiesRow = new QHBoxLayout;
    copies_ = new QSpinBox(this);
    copies_->setRange(1, 999);  // never 0 copies
    auto* copiesLabel = new QLabel(QStringLiteral("&Копий:"), this);
    copiesLabel->setBuddy(copies_);
    copiesRow->addWidget(copiesLabel);
    copiesRow->addWidget(copies_);
    copiesRow->addStretch(1);
    layout->addLayout(copiesRow);

    auto* buttons = new QHBoxLayout;
    previewBtn_ = new QPushButton(QStringLiteral("П&росмотр"), this);
    printBtn_ = new QPushButton(QStringLiteral("&Печать..."), this);
    printerBtn_ = new QPushButton(QStringLiteral("Прин&тер..."), this);
    auto* cancel = new QPushButton(QStringLiteral("Отмена"), this);
    previewBtn_->setDefault(true);
    for (QPushButton* b : {previewBtn_, printBtn_, printerBtn_, cancel})
        buttons->addWidget(b);
    layout->addLayout(buttons);
    connect(previewBtn_, &QPushButton::clicked, this, [this] { RunPreview(); });
    connect(printBtn_, &QPushButton::clicked, this, [this] { RunPrint(); });
    connect(printerBtn_, &QPushButton::clicked, this, [this] { RunPrinterSetup(); });
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void TReportDialog::UpdateButtons()
{
    const bool any = ChoosesSomething();
    if (previewBtn_)
        previewBtn_->setEnabled(any);
    if (printBtn_)
        printBtn_->setEnabled(any);
}

void TReportDialog::RunPreview()
{
    StoreChoices();
    TPrevForm preview([this] { return BuildContent(); }, busy_, copies_->value(), this);
    if (!preview.Built())
        return;  // the error was shown; the command is abandoned
    if (preview.PageCount() == 0) {
        MessageBoxes::Info(this, kNothingToPrint);
        return;
    }
    preview.exec();
}

bool TReportDialog::RunPrint(QPrinter* given)
{
    StoreChoices();
    QPrinter own(QPrinter::HighResolution);
    QPrinter& printer = given ? *given : own;
    if (!given)
        ReportPrinting::SetUpPrinter(printer);
    printer.setFullPage(true);
    if (!ReportPrinting::EnsureOutput(printer, this))
        return false;
    std::vector<TReportPage> pages;
    try {
        pages = ReportPrinting::BuildPages([this] { return BuildContent(); }, printer, busy_);
    } catch (const std::exception& e) {
        MessageBoxes::Error(this, QString::fromUtf8(e.what()));
        return false;
    }
    if (pages.empty()) {
        MessageBoxes::Info(this, kNothingToPrint);
        return false;
    }
    if (!ReportPrinting::Print(pages, printer, copies_->value()))
        return false;
    accept();
    return true;
}

void TReportDialog::RunPrinterSetup()
{
    QPrinter printer(QPrinter::HighResolution);
    ReportPrinting::SetUpPrinter(printer);
    QPrintDialog dialog(&printer, this);
    dialog.setWindowTitle(QStringLiteral("Принтер"));
    if (dialog.exec() == QDialog::Accepted)
        ReportPrinting::RememberPrinter(printer);
}
