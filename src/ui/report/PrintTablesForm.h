#pragma once

#include "render/report/TablesReport.h"
#include "ui/report/ReportDialog.h"

#include <vector>

class QButtonGroup;
class QCheckBox;
class QGroupBox;
class TChildForm;

// "Печать": chooses what the tables report of a document holds, then previews or prints it.
// The choices are kept for the rest of the run and come back when the dialog opens again.
class TPrintTablesForm : public TReportDialog {
    Q_OBJECT
public:
    explicit TPrintTablesForm(TChildForm& document, QWidget* parent = nullptr);

    QButtonGroup* UzelChoice() const { return uzels_; }
    QButtonGroup* BranchChoice() const { return branches_; }
    QButtonGroup* ResultChoice() const { return results_; }
    QGroupBox* ResultGroup() const { return resultBox_; }
    QCheckBox* WashersBox() const { return washers_; }
    QCheckBox* LowersBox() const { return lowers_; }
    QCheckBox* MessagesBox() const { return messages_; }
    QCheckBox* TitleBox() const { return title_; }
    QCheckBox* PageNumbersBox() const { return pageNumbers_; }

    TTablesReportOptions Options() const;
    TReportContent BuildContent() const override;

    // The choices of this run (the dialog's starting state).
    static TTablesReportOptions& Remembered();

protected:
    bool ChoosesSomething() const override;
    void StoreChoices() const override;

private:
    QButtonGroup* AddChoice(QGroupBox* box, const QStringList& texts, int checked);
    TTablesReportInputs Inputs(const TTablesReportOptions& options) const;

    TChildForm& document_;
    bool hasResults_ = false;
    QButtonGroup* uzels_ = nullptr;
    QButtonGroup* branches_ = nullptr;
    QButtonGroup* results_ = nullptr;
    QGroupBox* resultBox_ = nullptr;
    QCheckBox* washers_ = nullptr;
    QCheckBox* lowers_ = nullptr;
    QCheckBox* messages_ = nullptr;
    QCheckBox* title_ = nullptr;
    QCheckBox* pageNumbers_ = nullptr;
};
