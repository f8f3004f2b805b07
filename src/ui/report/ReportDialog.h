#pragma once

#include "render/report/ReportContent.h"

#include <QDialog>

class QBoxLayout;
class QPrinter;
class QPushButton;
class QSpinBox;
class TBusyCounter;

// What the two report dialogs share: the copies box and the buttons "П&росмотр" (build and
// preview), "&Печать..." (build and print straight away), "Прин&тер..." (choose the report
// printer) and "Отмена". A subclass lays out its choices and builds the content from them.
class TReportDialog : public QDialog {
    Q_OBJECT
public:
    TReportDialog(TBusyCounter* busy, QWidget* parent);

    QPushButton* PreviewButton() const { return previewBtn_; }
    QPushButton* PrintButton() const { return printBtn_; }
    QPushButton* PrinterButton() const { return printerBtn_; }
    QSpinBox* CopiesBox() const { return copies_; }

    // The report as the choices stand; empty when they choose nothing.
    virtual TReportContent BuildContent() const = 0;

    // The buttons' work, for tests as for the user. Preview shows the preview modally.
    void RunPreview();
    // Prints to the report printer, or to printer when given (tests). False when nothing was
    // printed: no pages, cancelled, or the job failed.
    bool RunPrint(QPrinter* printer = nullptr);
    void RunPrinterSetup();

protected:
    // Below the subclass's choices: copies and the buttons.
    void AddCommonControls(QBoxLayout* layout);
    // Whether the choices select anything at all; the build buttons follow it.
    virtual bool ChoosesSomething() const = 0;
    void UpdateButtons();
    // The choices are kept for the rest of the run.
    virtual void StoreChoices() const = 0;

private:
    TBusyCounter* busy_;
    QSpinBox* copies_ = nullptr;
    QPushButton* previewBtn_ = nullptr;
    QPushButton* printBtn_ = nullptr;
    QPushButton* printerBtn_ = nullptr;
};
