#pragma once

#include "render/report/DevicesReport.h"
#include "ui/report/ReportDialog.h"

class QCheckBox;
class QRadioButton;

// "Печать" of the all-devices table: the whole table or its selected rows, with or without a
// title page and page numbers. The choices are kept for the rest of the run.
class TPrintDevicesForm : public TReportDialog {
    Q_OBJECT
public:
    // inputs: the mine, the devices the table lists and its filters; the rows are chosen here.
    TPrintDevicesForm(TDevicesReportInputs inputs, TBusyCounter* busy, QWidget* parent = nullptr);

    QRadioButton* WholeTable() const { return whole_; }
    QRadioButton* SelectedRows() const { return selected_; }
    QCheckBox* TitleBox() const { return title_; }
    QCheckBox* PageNumbersBox() const { return pageNumbers_; }

    TDevicesReportOptions Options() const;
    TReportContent BuildContent() const override;

    static TDevicesReportOptions& Remembered();

protected:
    bool ChoosesSomething() const override { return true; }
    void StoreChoices() const override;

private:
    TDevicesReportInputs inputs_;
    QRadioButton* whole_ = nullptr;
    QRadioButton* selected_ = nullptr;
    QCheckBox* title_ = nullptr;
    QCheckBox* pageNumbers_ = nullptr;
};
