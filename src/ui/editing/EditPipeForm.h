#pragma once

#include <QPointer>
#include <QWidget>
#include <cstdint>
#include <functional>
#include <vector>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QStackedWidget;
class QToolButton;
class TBranch;
class TChildForm;
class TDevice;
class TMine;
class TPipe;
class TSectionsStrip;
class TStripScroller;

// "Трубопровод": the pipes laid along one branch and the devices on them. Not modal; every
// value goes into the model when its field is left or its box clicked, through the pipe
// editing rules (PipeEdits). It follows the document's current branch. It keeps only the
// serial numbers of its branch and of the devices it lists and finds them again through the
// mine whenever it needs them, so deleting the branch or a device from anywhere leaves it
// nothing stale: it then rebinds to the current branch or empties itself.
class TEditPipeForm : public QWidget {
    Q_OBJECT
public:
    // Opens the device dialog; true when confirmed (device: in/out, see EditDevice).
    using TDeviceEditor = std::function<bool(QWidget* parent, TBranch* branch, TDevice*& device, int kind, int pipeIndex)>;

    explicit TEditPipeForm(QWidget* parent = nullptr);
    ~TEditPipeForm() override;

    // Shows the document's branch; a null document or branch unbinds and empties the window.
    void Bind(TChildForm* doc, TBranch* branch);
    TChildForm* Document() const { return doc_; }
    // The bound branch while it exists, else null.
    TBranch* Branch() const;
    int PipeIndex() const;
    TPipe* Pipe() const;
    // The listed devices that still exist, in list order.
    std::vector<TDevice*> ShownDevices() const;
    TDevice* SelectedDevice() const;
    void SelectDevice(const TDevice* device);

    void SetDeviceEditor(TDeviceEditor editor) { deviceEditor_ = std::move(editor); }

    // The buttons.
    void AddGasPipe();
    void DeleteGasPipe();
    void AddDevice();
    void EditDevice();
    void DeleteDevice();
    // "&Закрыть": closes only when the focused field takes its value.
    bool CloseWindow();
    // Looks whether the branch and the listed devices still exist and shows what is there;
    // runs after each change of the mine.
    void Revalidate();

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    class TStep;
    void BuildWidgets();
    QWidget* BuildWaterPage();
    QWidget* BuildGasPage();
    void Subscribe(TMine* mine);
    void Unsubscribe();
    TMine* Mine() const;

    void ShowPipeList(int keepIndex);
    void ShowPipe();
    void ShowDevices(const TDevice* select);
    void UpdateDeviceButtons();
    void PipeChosen(int row);
    void PlacementChosen(int id);
    // Applies the field's value through its rule; false (and the field focused) when refused.
    bool ApplyField(QWidget* field);
    bool ApplyFocusedField();
    void Changed();

    QPointer<TChildForm> doc_;
    uint64_t branchSerial_ = 0;
    std::vector<uint64_t> deviceSerials_;
    int subscription_ = 0;
    TMine* subscribedMine_ = nullptr;
    bool checkPending_ = false;
    bool loading_ = false;
    bool refusing_ = false;
    int placement_ = 0;  // the chosen TPipePlacement, kept apart from the pipe until a length is typed
    TDeviceEditor deviceEditor_;

    QWidget* content_ = nullptr;  // everything but "&Закрыть"
    QListWidget* pipeList_ = nullptr;
    QButtonGroup* placementGroup_ = nullptr;
    QWidget* placementBox_ = nullptr;
    QLineEdit* lengthEdit_ = nullptr;
    QComboBox* diameterBox_ = nullptr;
    QToolButton* colorButton_ = nullptr;
    QToolButton* colorEditorButton_ = nullptr;
    QStackedWidget* paramPages_ = nullptr;
    QLineEdit* wallEdit_ = nullptr;
    QLineEdit* kEdit_ = nullptr;
    QRadioButton* snipRadio_ = nullptr;
    QRadioButton* fixedRadio_ = nullptr;
    QCheckBox* notNewCheck_ = nullptr;
    QLineEdit* fixedEdit_ = nullptr;
    QCheckBox* projectedCheck_ = nullptr;
    QSpinBox* pipeNoSpin_ = nullptr;
    QComboBox* diameterTypeBox_ = nullptr;
    QLineEdit* mixtureFlowEdit_ = nullptr;
    QLineEdit* methaneEdit_ = nullptr;
    QLineEdit* temperatureEdit_ = nullptr;
    QCheckBox* fixedFlowCheck_ = nullptr;
    QPushButton* addGasButton_ = nullptr;
    QPushButton* deleteGasButton_ = nullptr;
    TSectionsStrip* strip_ = nullptr;
    TStripScroller* scroller_ = nullptr;
    QComboBox* filterBox_ = nullptr;
    QListWidget* deviceList_ = nullptr;
    QPushButton* addDeviceButton_ = nullptr;
    QPushButton* editDeviceButton_ = nullptr;
    QPushButton* deleteDeviceButton_ = nullptr;
    QPushButton* closeButton_ = nullptr;
};
