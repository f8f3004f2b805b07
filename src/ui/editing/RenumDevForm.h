#pragma once

// "Перенумеровать устройства": chooses how the devices of the fire-fighting pipes are
// renumbered in branch order; OK is enabled once a mode is chosen and renumbers the mine.
//
// Plugging in: RenumberDevices(parent, mine, history) — refuses a mine without such devices
// with the error box, else opens the dialog; true when the mine was renumbered (one step of
// the history).

#include <QDialog>

class QDialogButtonBox;
class QRadioButton;
class TEditHistory;
class TMine;

class TfrmRenumDev : public QDialog {
    Q_OBJECT
public:
    TfrmRenumDev(TMine& mine, QWidget* parent = nullptr);

    QRadioButton* FillButton() const { return fill_; }
    QRadioButton* AfterMaxButton() const { return afterMax_; }
    QDialogButtonBox* Buttons() const { return buttons_; }
    // OK records the renumbering as one step of this history (none: not recorded).
    void SetHistory(TEditHistory* history) { history_ = history; }

    void accept() override;

private:
    TMine& mine_;
    TEditHistory* history_ = nullptr;
    QRadioButton* fill_ = nullptr;
    QRadioButton* afterMax_ = nullptr;
    QDialogButtonBox* buttons_ = nullptr;
};

bool RenumberDevices(QWidget* parent, TMine& mine, TEditHistory* history = nullptr);
