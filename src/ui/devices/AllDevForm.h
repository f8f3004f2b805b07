#pragma once

#include "core/devices/AllDevicesTable.h"
#include "core/model/MineWatch.h"
#include "render/report/DevicesReport.h"

#include <QDialog>

#include <functional>
#include <vector>

class QComboBox;
class QCheckBox;
class QGroupBox;
class QPushButton;
class QStackedWidget;
class QTableWidget;
class TBranch;
class TChildForm;
class TConfig;
class TDevice;
class TMineObject;

// What the all-devices window asks of the rest of the program.
struct TAllDevicesHooks {
    // The device dialog on a device (true when confirmed), or for a new device of a kind on the
    // branch's pipe slot.
    std::function<bool(TDevice*)> Edit;
    std::function<bool(TBranch*, int kind, int pipe)> Add;
    // "В &таблицу" and "На схему".
    std::function<void(TBranch*)> ShowInTable;
    std::function<void(TDevice*)> ShowOnSchema;
    // "&Печать": the devices report dialog with the table as shown.
    std::function<void(const TDevicesReportInputs&)> Print;
};

// "Все оборудование": the branches that pass the seam and plan-position filters above, and
// below the devices of the chosen pipe of the selected ones, narrowed by kind and state. From
// it devices are added, edited and deleted, found in the tables or on the schema, switched in
// groups and printed. What is listed and how it reads is the core's (AllDevicesTable).
class TAllDevForm : public QDialog {
    Q_OBJECT
public:
    // seams and positions: the main window's boxes, copied (may be null). With `given`, those
    // devices and their branches become the selection and every filter starts open.
    TAllDevForm(TChildForm& document, const TConfig& config, TAllDevicesHooks hooks, const QComboBox* seams,
                const QComboBox* positions, QWidget* parent, const std::vector<TDevice*>* given = nullptr);
    ~TAllDevForm() override;

    QTableWidget* BranchGrid() const { return branchGrid_; }
    QTableWidget* DevGrid() const { return devGrid_; }
    QComboBox* KindBox() const { return kindBox_; }
    QComboBox* PipesBox() const { return pipesBox_; }
    QGroupBox* FilterGroup() const { return filterGroup_; }
    QCheckBox* OnlyConsumersBox() const { return onlyConsumers_; }
    QPushButton* Button(const QString& name) const;
    const std::vector<TBranch*>& Branches() const { return branches_; }
    const std::vector<TDevice*>& Devices() const { return devices_; }

    // The filters changed: devices collected again, columns laid out for the kind.
    void KindChanged(bool rebuildBranches);
    // A group command after its question; the mine's devices change on Yes.
    void RunGroupCommand(AllDevicesTable::TGroupCommand command);
    // "&Добавить" (0), "П&равка" (1), "&Удалить" (2) on the current row.
    void AddEditDelete(int which);
    void ClickDeviceHeading(int column);
    void ClickBranchHeading(int column);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    TAllDevicesFilter Filter() const;
    void BuildWidgets(const QComboBox* seams, const QComboBox* positions);
    void BuildFilterPages();
    void FillBranches();
    // The listed branches into the table, in the order they stand.
    void ShowBranches();
    void FillDevices(bool rebuildColumns);
    void UpdateButtons();
    void SelectionChanged();
    TDevice* CurrentDevice() const;
    // An object of the mine is being freed: it leaves the lists at once, the tables follow.
    void ObjectGone(const TMineObject* gone);
    void Jump(bool toSchema);
    void PrintTable();

    TChildForm& document_;
    const TConfig& config_;
    TAllDevicesHooks hooks_;
    std::vector<TBranch*> branches_;
    std::vector<TDevice*> devices_;
    AllDevicesTable::TOrder order_ = AllDevicesTable::TOrder::None;
    TMineWatcher watch_;
    bool refillPending_ = false;

    QTableWidget* branchGrid_ = nullptr;
    QTableWidget* devGrid_ = nullptr;
    QGroupBox* filterGroup_ = nullptr;
    QComboBox* layerBox_ = nullptr;
    QComboBox* plfBox_ = nullptr;
    QComboBox* pipesBox_ = nullptr;
    QComboBox* kindBox_ = nullptr;
    QStackedWidget* pages_ = nullptr;
    QCheckBox* pumpsOn_ = nullptr;
    QCheckBox* pumpsOff_ = nullptr;
    QCheckBox* reducersOn_ = nullptr;
    QCheckBox* reducersOff_ = nullptr;
    QCheckBox* closedGates_ = nullptr;
    QCheckBox* onlyConsumers_ = nullptr;
    QCheckBox* withoutBypass_ = nullptr;
    QCheckBox* withBypass_ = nullptr;
};
