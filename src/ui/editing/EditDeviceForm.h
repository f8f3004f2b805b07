#pragma once

#include "core/devices/DeviceDraft.h"
#include "core/devices/DeviceEditError.h"
#include "core/model/MineWatch.h"

#include <QDialog>
#include <array>

enum class TReducerChooserMode;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QStackedWidget;
class QTableWidget;
class TBranch;
class TDevice;
class TMine;
class TPositionStrip;

namespace EditDeviceTexts {
inline const QString kBothNil = QStringLiteral("Параметры ABranch и ADevice не могут одновременно иметь значения nil");
inline const QString kNumberNode = QStringLiteral("У нумерованного узла дополнительные параметры отсутствуют");
}  // namespace EditDeviceTexts

// "Оборудование": adds a device to a pipe of a branch or changes one. The dialog keeps a
// working copy (TDeviceDraft) and hands it to the editing services on OK, previous / next
// and duplicate; every rule of the model lives there, the dialog only fills the copy from
// its fields and shows a refusal with the field it names focused. Each apply (OK, previous /
// next, duplicate) is one step of the document's undo history. Should the edited device, its
// branch or the mine be freed while the dialog is open (an undo), it lets go of them at once
// and closes as cancelled.
class TEditDeviceForm : public QDialog {
    Q_OBJECT
public:
    // Adds when device is null (kind 0: the last chosen kind; pipeIndex preselects the
    // pipe), else edits the device. Throws Exception when both are null.
    TEditDeviceForm(TBranch* branch, TDevice* device, int kind, int pipeIndex, QWidget* parent = nullptr);
    ~TEditDeviceForm() override;

    // The device last applied (added or edited), null before the first apply.
    TDevice* Device() const { return editing_; }
    TBranch* Branch() const { return branch_; }
    // The edited object went while the dialog was open: it is closing.
    bool Abandoned() const { return gone_; }
    const TDeviceDraft& Draft() const { return draft_; }

    // OK: applies and closes; false (dialog stays open) on a refusal.
    bool Confirm();
    // Previous (−1) / next (+1) device, and duplicates to the start (−1) / end (+1).
    bool GoToNeighbour(int step);
    bool DuplicateTo(int direction);
    // The "&Выбрать" and "Править" buttons.
    void ChooseModel();
    void EditReducer();

    void accept() override { Confirm(); }

protected:
    void done(int result) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void RunReducerChooser(TReducerChooserMode mode);
    struct TPump {
        std::array<QLineEdit*, 6> values{};
        QRadioButton* toStart = nullptr;
        QRadioButton* toEnd = nullptr;
        QCheckBox* off = nullptr;
        QLabel* before = nullptr;
        QLabel* after = nullptr;
        QLineEdit* manometer1 = nullptr;
        QLineEdit* manometer2 = nullptr;
    };

    void BuildWidgets();
    QWidget* BuildPositionBox();
    QWidget* BuildPumpPage();
    QWidget* BuildReducerPage();
    QWidget* BuildGatePage();
    QWidget* BuildCranePage();
    QWidget* BuildTankPage();
    QWidget* BuildVacuumPage();
    QWidget* BuildWellPage();
    QWidget* BuildConnectionPage();
    QWidget* BuildTextPage(const QString& text);
    QWidget* BuildMachinePage();
    QWidget* BuildDirectionBox(TPump& controls, QWidget* page);

    // Loads the draft into every control.
    void ShowDraft();
    void ShowPosition();
    void ShowKindState();
    void ShowPumpValues();
    void ShowReducerState();
    void ShowWells();
    void ShowConnections();
    void UpdateConnectionControls();
    void UpdateMoveButtons();
    // Reads every control into the draft; position fields the user typed in are parsed.
    void CollectDraft();
    bool ApplyPositionField(QLineEdit* field);
    bool CommitPendingFields();
    bool ApplyDraft();
    void Refuse(const EDeviceEditError& error);
    void FocusField(TDraftField field, int row, int column);
    void StartEditing(TDevice* device);
    void Watch();
    void Abandon();

    void BranchChosen(int index);
    void PipeChosen(int index);
    void KindChosen(int row);
    void ConnectionChosen(int row);
    bool ConnectionValueLeft(QLineEdit* field, TDraftField which);
    QLineEdit* ManometerField(int index) const;
    void WellCommand(int command);
    void PickFreeNumber();

    TBranch* branch_;
    TMine* mine_;
    TDevice* editing_;
    TDeviceDraft draft_;
    bool adding_;
    bool loading_ = false;
    bool refusing_ = false;  // a refusal is on the screen: focus changes apply nothing
    bool applying_ = false;  // own changes free devices (a connection group): not a loss
    bool gone_ = false;
    TMineWatcher watch_;

    QListWidget* kindList_ = nullptr;
    QComboBox* branchBox_ = nullptr;
    QLabel* pipeLabel_ = nullptr;
    QComboBox* pipeBox_ = nullptr;
    QSpinBox* numberSpin_ = nullptr;
    QPushButton* freeNumbers_ = nullptr;
    QLineEdit* ppzEdit_ = nullptr;
    QLineEdit* modelEdit_ = nullptr;
    QPushButton* chooseButton_ = nullptr;

    TPositionStrip* strip_ = nullptr;
    QLabel* startLabel_ = nullptr;
    QLabel* endLabel_ = nullptr;
    QLineEdit* fromStart_ = nullptr;
    QLineEdit* fromEnd_ = nullptr;
    QLineEdit* elevation_ = nullptr;
    QLabel* stepLabel_ = nullptr;
    QLineEdit* stepEdit_ = nullptr;
    QPushButton* dupLeft_ = nullptr;
    QPushButton* dupRight_ = nullptr;

    QGroupBox* pageBox_ = nullptr;
    QStackedWidget* pages_ = nullptr;
    TPump pump_;
    TPump reducer_;
    QLabel* reducerHint_ = nullptr;
    QPushButton* reducerEdit_ = nullptr;
    QCheckBox* gateClosed_ = nullptr;
    QCheckBox* craneConsumption_ = nullptr;
    QComboBox* craneMethod_ = nullptr;
    QLineEdit* craneFlow_ = nullptr;
    QCheckBox* craneOrifice_ = nullptr;
    QLineEdit* craneDiameter_ = nullptr;
    QLineEdit* craneManometer_ = nullptr;
    QLineEdit* tankVolume_ = nullptr;
    QCheckBox* tankBypass_ = nullptr;
    QLineEdit* tankMakeUp_ = nullptr;
    QLineEdit* tankAddPressure_ = nullptr;
    QLabel* tankAddLabel_ = nullptr;
    QLabel* tankAddComment_ = nullptr;
    QLabel* tankMakeUpLabel_ = nullptr;
    QLineEdit* tankManometer_ = nullptr;
    std::array<QSpinBox*, 4> vacuum_{};  // P1, Q1, P2, Q2
    QTableWidget* wellGrid_ = nullptr;
    std::array<QPushButton*, 4> wellButtons_{};  // add, delete, up, down
    QListWidget* connectionList_ = nullptr;
    QLineEdit* connectionFlow_ = nullptr;
    QLineEdit* connectionConcentration_ = nullptr;
    QLineEdit* connectionTemperature_ = nullptr;
    QLineEdit* machineVolume_ = nullptr;
    QLineEdit* machineAddPressure_ = nullptr;
    QLineEdit* machineManometer_ = nullptr;

    QPushButton* previous_ = nullptr;
    QPushButton* next_ = nullptr;
    QPushButton* ok_ = nullptr;
    QPushButton* cancel_ = nullptr;
};

namespace DeviceEditing {

// Opens the dialog modally; true when the user confirmed. A device added is returned in
// device. Throws Exception when branch and device are both null.
bool EditDevice(QWidget* parent, TBranch* branch, TDevice*& device, int kind = 0, int pipeIndex = 0);

}  // namespace DeviceEditing
