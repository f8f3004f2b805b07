#include "ui/editing/EditDeviceForm.h"

#include "core/devices/DeviceApply.h"
#include "core/devices/DeviceChoices.h"
#include "core/devices/DevicePosition.h"
#include "core/devices/DeviceValidation.h"
#include "core/services/FreeNumberEntries.h"
#include "core/devices/WellGrid.h"
#include "core/history/EditTransaction.h"
#include "core/model/Branch.h"
#include "core/model/DeviceKinds.h"
#include "core/model/Mine.h"
#include "core/model/Pipe.h"
#include "ui/app/HelpContexts.h"
#include "ui/app/WinColor.h"
#include "ui/common/MessageBoxes.h"
#include "ui/document/DocumentHistory.h"
#include "ui/editing/DeviceChoosers.h"
#include "ui/editing/FreeNumForm.h"
#include "ui/editing/PositionStrip.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QScopedValueRollback>
#include <QSpinBox>
#include <QStackedWidget>
#include <QTableWidget>

namespace {

// Kept while the application runs.
int lastKindRow = 0;
double duplicateStep = 50.0;
QRect lastBounds;

constexpr int kUnsupportedPage = 10;
constexpr int kDeviceEditorHelp = 66;

// Three short bars in the colours of the laid water pipes.
QIcon BranchIcon(const TBranch& branch)
{
    QPixmap pixmap(14, 14);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    for (int slot = 0; slot < 3; ++slot) {
        const TWaterPipe* pipe = branch.WaterPipe(slot);
        if (pipe && pipe->Present())
            p.fillRect(1 + slot * 5, 1, 3, 12, ToQColor(TColor(pipe->Color())));
    }
    return QIcon(pixmap);
}

QString BranchText(const TBranch& branch)
{
    QString text = QStringLiteral("№%1").arg(branch.Number());
    if (!branch.Remark().isEmpty())
        text += QStringLiteral("  -  ") + branch.Remark();
    return text;
}

QString ConnectionText(const TConnectionEntry& e)
{
    QString text = QStringLiteral("Труба №%1").arg(e.PipeNo);
    if (e.Checked)
        text += QStringLiteral("\tУзел №%1").arg(e.NodeNumber);
    return text;
}

}  // namespace

TEditDeviceForm::TEditDeviceForm(TBranch* branch, TDevice* device, int kind, int pipeIndex, QWidget* parent)
    : QDialog(parent), branch_(device ? device->Branch() : branch), mine_(nullptr), editing_(device), adding_(!device)
{
    if (!branch_)
        throw Exception(EditDeviceTexts::kBothNil);
    mine_ = branch_->Mine();
    setObjectName(QStringLiteral("EditDeviceForm"));
    HelpContexts::Set(this, kDeviceEditorHelp);
    BuildWidgets();
    loading_ = true;
    for (TBranch* b : mine_->Branches) {
        const QString text = BranchText(*b);
        branchBox_->addItem(BranchIcon(*b), text);
        branchBox_->setItemData(branchBox_->count() - 1, text, Qt::ToolTipRole);
    }
    loading_ = false;
    if (device) {
        StartEditing(device);
    } else {
        const auto entries = DeviceChoices::KindEntries();
        const int row = kind ? DeviceChoices::KindEntryIndex(kind) : lastKindRow;
        const int chosenKind = entries[size_t(std::clamp(row, 0, int(entries.size()) - 1))].Kind;
        const int pipe = std::clamp(pipeIndex, 0, branch_->Pipes.Count() - 1);
        draft_ = DeviceDrafts::ForNewDevice(*branch_, chosenKind, pipe);
        setWindowTitle(DeviceChoices::DialogCaption(false));
        ShowDraft();
    }
    if (!lastBounds.isNull())
        setGeometry(lastBounds);
    Watch();
}

TEditDeviceForm::~TEditDeviceForm() = default;

void TEditDeviceForm::Watch()
{
    watch_.Start(mine_, [this](const TMineObject* gone) {
        if (!applying_ && (!gone || gone == editing_ || gone == branch_))
            Abandon();
    });
}

void TEditDeviceForm::Abandon()
{
    // Called while the object is being freed: nothing of the model is read, the pointers go,
    // the widgets stop answering, and the dialog closes once the change is over.
    if (gone_)
        return;
    gone_ = true;
    editing_ = nullptr;
    branch_ = nullptr;
    mine_ = nullptr;
    watch_.Stop();
    strip_->SetState(nullptr, 0, nullptr, 0);
    for (QObject* child : findChildren<QObject*>())
        child->blockSignals(true);
    QMetaObject::invokeMethod(this, &QDialog::reject, Qt::QueuedConnection);
}

void TEditDeviceForm::done(int result)
{
    lastBounds = geometry();
    QDialog::done(result);
}

void TEditDeviceForm::StartEditing(TDevice* device)
{
    editing_ = device;
    branch_ = device->Branch();
    adding_ = false;
    draft_ = DeviceDrafts::ForDevice(*device);
    setWindowTitle(DeviceChoices::DialogCaption(true));
    ShowDraft();
}

// ---- showing the working copy ---------------------------------------------------------

void TEditDeviceForm::ShowDraft()
{
    loading_ = true;
    branchBox_->setCurrentIndex(mine_->Branches.IndexOf(branch_));
    pipeBox_->clear();
    pipeBox_->addItems(DeviceChoices::PipeEntries(*branch_));
    pipeBox_->setCurrentIndex(draft_.PipeIndex);
    kindList_->setCurrentRow(DeviceChoices::KindEntryIndex(draft_.Kind));
    numberSpin_->setValue(draft_.Number);
    ppzEdit_->setText(draft_.PPZNumber);

    const TPumpDraft& pump = draft_.Pump;
    (pump.HeadDirection == 1 ? pump_.toStart : pump_.toEnd)->setChecked(true);
    pump_.off->setChecked(pump.Off);
    pump_.manometer1->setText(pump.Manometer1);
    pump_.manometer2->setText(pump.Manometer2);
    const TReducerDraft& red = draft_.Reducer;
    (red.Direction == 1 ? reducer_.toStart : reducer_.toEnd)->setChecked(true);
    reducer_.off->setChecked(red.Off);
    reducer_.manometer1->setText(red.Manometer1);
    reducer_.manometer2->setText(red.Manometer2);
    gateClosed_->setChecked(draft_.GateClosed);
    const TCraneDraft& crane = draft_.Crane;
    craneConsumption_->setChecked(crane.Consumption);
    craneFlow_->setEnabled(crane.Consumption);
    craneMethod_->setCurrentIndex(std::clamp(crane.ConsumerType, 0, 3));
    craneFlow_->setText(crane.Flow);
    craneOrifice_->setChecked(crane.Orifice);
    craneDiameter_->setEnabled(crane.Orifice);
    craneDiameter_->setText(crane.OrificeDiameter);
    craneManometer_->setText(crane.Manometer);
    const TTankDraft& tank = draft_.Tank;
    tankVolume_->setText(tank.Volume);
    tankBypass_->setChecked(!tank.Bypass);  // makes the toggled handler run either way
    tankBypass_->setChecked(tank.Bypass);
    tankMakeUp_->setText(tank.MakeUpFlow);
    tankAddPressure_->setText(tank.AddPressure);
    tankManometer_->setText(tank.Manometer);
    const int vac[4] = {draft_.Vacuum.P1, draft_.Vacuum.Q1, draft_.Vacuum.P2, draft_.Vacuum.Q2};
    for (size_t i = 0; i < 4; ++i)
        vacuum_[i]->setValue(vac[i]);
    machineVolume_->setText(draft_.Machine.Volume);
    machineAddPressure_->setText(draft_.Machine.AddPressure);
    machineManometer_->setText(draft_.Machine.Manometer);
    loading_ = false;

    ShowPumpValues();
    ShowReducerState();
    ShowWells();
    ShowConnections();
    ShowKindState();
    ShowPosition();
}

void TEditDeviceForm::ShowPumpValues()
{
    for (size_t i = 0; i < 6; ++i)
        pump_.values[i]->setText(draft_.Pump.Chosen ? QString::number(draft_.Pump.Values[i], 'f', i == 5 ? 3 : 2) : QString());
    if (draft_.Kind == dkPump)
        modelEdit_->setText(draft_.Model);
}

void TEditDeviceForm::ShowReducerState()
{
    const bool named = !draft_.Reducer.Characteristic.Name.isEmpty();
    reducerHint_->setText(DeviceChoices::ReducerHint(named));
    reducerEdit_->setEnabled(named && bool(DeviceChoosers::ReducerChooser()));
    if (draft_.Kind == dkReducer)
        modelEdit_->setText(draft_.Reducer.Characteristic.Name);
}

void TEditDeviceForm::ShowKindState()
{
    const int kind = draft_.Kind;
    const bool accepted = DeviceChoices::PipeAccepts(*branch_, draft_.PipeIndex, kind);
    pages_->setCurrentIndex(accepted ? kind - 1 : kUnsupportedPage);
    pageBox_->setTitle(QLatin1Char(' ') + DeviceChoices::PageCaption(accepted ? kind : 0) + QLatin1Char(' '));
    ok_->setEnabled(accepted);
    numberSpin_->setEnabled(accepted);
    freeNumbers_->setEnabled(accepted);

    const bool fromDatabase = kind == dkPump || kind == dkReducer;
    modelEdit_->setReadOnly(fromDatabase);
    const bool hook = kind == dkPump ? bool(DeviceChoosers::PumpChooser()) : bool(DeviceChoosers::ReducerChooser());
    chooseButton_->setEnabled(fromDatabase && hook && accepted);
    loading_ = true;
    if (kind == dkPump)
        modelEdit_->setText(draft_.Model);
    else if (kind == dkReducer)
        modelEdit_->setText(draft_.Reducer.Characteristic.Name);
    else
        modelEdit_->setText(draft_.Model);
    loading_ = false;

    // Kinds the chosen pipe does not take are greyed.
    const auto entries = DeviceChoices::KindEntries();
    for (int row = 0; row < kindList_->count(); ++row) {
        const bool takes = DeviceChoices::PipeAccepts(*branch_, draft_.PipeIndex, entries[size_t(row)].Kind);
        kindList_->item(row)->setForeground(palette().color(takes ? QPalette::Active : QPalette::Disabled, QPalette::Text));
    }
    kindList_->setEnabled(adding_);
    branchBox_->setEnabled(adding_);
    // A connection chooses its pipes in its own list; until a gas pipe is chosen the pipe
    // list stays open, so the kind can be picked first.
    const bool connection = kind == dkConnection && accepted;
    pipeBox_->setEnabled(!connection);
    pipeLabel_->setEnabled(!connection);
    if (connection) {
        UpdateConnectionControls();
    } else {
        const bool wasLoading = std::exchange(loading_, true);
        numberSpin_->setValue(draft_.Number);
        loading_ = wasLoading;
    }
}

void TEditDeviceForm::ShowPosition()
{
    const TPositionTexts texts = DevicePosition::Texts(*branch_, draft_.Position);
    fromStart_->setText(texts.FromStart);
    fromEnd_->setText(texts.FromEnd);
    elevation_->setText(texts.Elevation);
    elevation_->setEnabled(DevicePosition::ElevationEditable(*branch_));
    startLabel_->setText(DevicePosition::StartLabel(*branch_));
    endLabel_->setText(DevicePosition::EndLabel(*branch_));
    stepEdit_->setText(DevicePosition::StepText(duplicateStep));
    const bool measured = branch_->Length() > 0;
    stepLabel_->setEnabled(measured);
    stepEdit_->setEnabled(measured);
    dupLeft_->setEnabled(measured && DeviceApply::CanDuplicate(*branch_, draft_, -1, duplicateStep));
    dupRight_->setEnabled(measured && DeviceApply::CanDuplicate(*branch_, draft_, +1, duplicateStep));
    strip_->SetState(branch_, draft_.PipeIndex, editing_, draft_.Position);
    UpdateMoveButtons();
}

void TEditDeviceForm::UpdateMoveButtons()
{
    const bool valid = draft_.PipeIndex >= 0 && draft_.PipeIndex < branch_->Pipes.Count();
    const TPipe* pipe = valid ? branch_->Pipes.Items(draft_.PipeIndex) : nullptr;
    previous_->setEnabled(pipe && DeviceApply::CanGoPrevious(*pipe, editing_, draft_.Position));
    next_->setEnabled(pipe && DeviceApply::CanGoNext(*pipe, editing_, draft_.Position));
}

void TEditDeviceForm::ShowWells()
{
    loading_ = true;
    wellGrid_->setRowCount(int(draft_.Wells.size()));
    for (int r = 0; r < int(draft_.Wells.size()); ++r)
        for (int c = 0; c < 5; ++c)
            wellGrid_->setItem(r, c, new QTableWidgetItem(draft_.Wells[size_t(r)][size_t(c)]));
    loading_ = false;
    const int row = wellGrid_->currentRow();
    wellButtons_[1]->setEnabled(!draft_.Wells.empty());
    wellButtons_[2]->setEnabled(WellGrid::CanMoveUp(draft_.Wells, row));
    wellButtons_[3]->setEnabled(WellGrid::CanMoveDown(draft_.Wells, row));
}

void TEditDeviceForm::ShowConnections()
{
    loading_ = true;
    connectionList_->clear();
    for (const TConnectionEntry& e : draft_.Connections) {
        auto* item = new QListWidgetItem(ConnectionText(e), connectionList_);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(e.Checked ? Qt::Checked : Qt::Unchecked);
    }
    connectionList_->setCurrentRow(draft_.SelectedConnection);
    loading_ = false;
    UpdateConnectionControls();
}

void TEditDeviceForm::UpdateConnectionControls()
{
    const int i = draft_.SelectedConnection;
    const bool valid = i >= 0 && i < int(draft_.Connections.size());
    const TConnectionEntry entry = valid ? draft_.Connections[size_t(i)] : TConnectionEntry{};
    bool checkedAfter = false;
    for (int j = i + 1; valid && j < int(draft_.Connections.size()); ++j)
        checkedAfter = checkedAfter || draft_.Connections[size_t(j)].Checked;
    const bool values = valid && entry.Checked && checkedAfter;
    connectionFlow_->setText(DeviceDrafts::NumberText(entry.Flow));
    connectionConcentration_->setText(DeviceDrafts::NumberText(entry.Concentration));
    connectionTemperature_->setText(DeviceDrafts::NumberText(entry.Temperature));
    for (QLineEdit* f : {connectionFlow_, connectionConcentration_, connectionTemperature_})
        f->setEnabled(values);
    if (draft_.Kind != dkConnection)
        return;
    const bool wasLoading = std::exchange(loading_, true);
    numberSpin_->setValue(entry.NodeNumber);
    loading_ = wasLoading;
    numberSpin_->setEnabled(valid && entry.Checked);
    freeNumbers_->setEnabled(valid && entry.Checked);
}

// ---- taking the fields ------------------------------------------------------------------

void TEditDeviceForm::CollectDraft()
{
    if (draft_.Kind != dkConnection)
        draft_.Number = numberSpin_->value();
    draft_.PPZNumber = ppzEdit_->text();
    if (draft_.Kind != dkPump && draft_.Kind != dkReducer)
        draft_.Model = modelEdit_->text();
    TPumpDraft& pump = draft_.Pump;
    pump.HeadDirection = pump_.toStart->isChecked() ? 1 : 0;
    pump.Off = pump_.off->isChecked();
    pump.Manometer1 = pump_.manometer1->text();
    pump.Manometer2 = pump_.manometer2->text();
    TReducerDraft& red = draft_.Reducer;
    red.Direction = reducer_.toStart->isChecked() ? 1 : 0;
    red.Off = reducer_.off->isChecked();
    red.Manometer1 = reducer_.manometer1->text();
    red.Manometer2 = reducer_.manometer2->text();
    draft_.GateClosed = gateClosed_->isChecked();
    TCraneDraft& crane = draft_.Crane;
    crane.Consumption = craneConsumption_->isChecked();
    crane.ConsumerType = craneMethod_->currentIndex();
    crane.Flow = craneFlow_->text();
    crane.Orifice = craneOrifice_->isChecked();
    crane.OrificeDiameter = craneDiameter_->text();
    crane.Manometer = craneManometer_->text();
    TTankDraft& tank = draft_.Tank;
    tank.Volume = tankVolume_->text();
    tank.Bypass = tankBypass_->isChecked();
    tank.MakeUpFlow = tankMakeUp_->text();
    tank.AddPressure = tankAddPressure_->text();
    tank.Manometer = tankManometer_->text();
    draft_.Vacuum = {vacuum_[0]->value(), vacuum_[1]->value(), vacuum_[2]->value(), vacuum_[3]->value()};
    draft_.Machine.Volume = machineVolume_->text();
    draft_.Machine.AddPressure = machineAddPressure_->text();
    draft_.Machine.Manometer = machineManometer_->text();
}

bool TEditDeviceForm::ApplyPositionField(QLineEdit* field)
{
    if (loading_ || refusing_)
        return true;
    try {
        if (field == stepEdit_) {
            duplicateStep = DevicePosition::ParseStep(*branch_, field->text());
        } else {
            const TPositionField which = field == fromStart_ ? TPositionField::FromStart
                                         : field == fromEnd_ ? TPositionField::FromEnd
                                                             : TPositionField::Elevation;
            draft_.Position = DevicePosition::Parse(*branch_, which, field->text());
        }
    } catch (const EDeviceEditError& e) {
        refusing_ = true;
        MessageBoxes::Error(this, e.Message());
        refusing_ = false;
        field->setFocus();
        field->selectAll();
        return false;
    }
    ShowPosition();
    return true;
}

bool TEditDeviceForm::ConnectionValueLeft(QLineEdit* field, TDraftField which)
{
    const int i = draft_.SelectedConnection;
    if (loading_ || refusing_ || i < 0 || i >= int(draft_.Connections.size()))
        return true;
    try {
        DeviceValidation::SetConnectionValue(draft_.Connections[size_t(i)], which, field->text());
    } catch (const EDeviceEditError& e) {
        refusing_ = true;
        MessageBoxes::Error(this, e.Message());
        refusing_ = false;
        field->setFocus();
        field->selectAll();
        return false;
    }
    field->setModified(false);
    return true;
}

bool TEditDeviceForm::CommitPendingFields()
{
    if (gone_)
        return false;
    // What a field's exit would have applied, for a button pressed while it had the focus.
    for (QLineEdit* field : {fromStart_, fromEnd_, elevation_, stepEdit_})
        if (field->isModified() && !ApplyPositionField(field))
            return false;
    const std::pair<QLineEdit*, TDraftField> values[] = {{connectionFlow_, TDraftField::ConnectionFlow},
                                                        {connectionConcentration_, TDraftField::ConnectionConcentration},
                                                        {connectionTemperature_, TDraftField::ConnectionTemperature}};
    for (const auto& [field, which] : values)
        if (field->isModified() && !ConnectionValueLeft(field, which))
            return false;
    return true;
}

QLineEdit* TEditDeviceForm::ManometerField(int index) const
{
    switch (draft_.Kind) {
    case dkPump: return index == 1 ? pump_.manometer1 : pump_.manometer2;
    case dkReducer: return index == 1 ? reducer_.manometer1 : reducer_.manometer2;
    case dkCrane: return craneManometer_;
    case dkJetBreakTank: return tankManometer_;
    case dkFireMachine: return machineManometer_;
    default: return nullptr;
    }
}

void TEditDeviceForm::FocusField(TDraftField field, int row, int column)
{
    if ((field == TDraftField::ConnectionNumber || field == TDraftField::ConnectionFlow ||
         field == TDraftField::ConnectionConcentration || field == TDraftField::ConnectionTemperature) &&
        row >= 0)
        connectionList_->setCurrentRow(row);
    QWidget* target = nullptr;
    switch (field) {
    case TDraftField::Kind: target = kindList_->isEnabled() ? static_cast<QWidget*>(kindList_) : pipeBox_; break;
    case TDraftField::Number:
    case TDraftField::ConnectionNumber: target = numberSpin_; break;
    case TDraftField::Position: target = fromStart_; break;
    case TDraftField::PumpModel:
    case TDraftField::ReducerModel: target = chooseButton_->isEnabled() ? static_cast<QWidget*>(chooseButton_) : modelEdit_; break;
    case TDraftField::Manometer1: target = ManometerField(1); break;
    case TDraftField::Manometer2: target = ManometerField(2); break;
    case TDraftField::CraneFlow: target = craneFlow_; break;
    case TDraftField::CraneDiameter: target = craneDiameter_; break;
    case TDraftField::AddPressure: target = draft_.Kind == dkFireMachine ? machineAddPressure_ : tankAddPressure_; break;
    case TDraftField::MakeUpFlow: target = tankMakeUp_; break;
    case TDraftField::Volume: target = draft_.Kind == dkFireMachine ? machineVolume_ : tankVolume_; break;
    case TDraftField::VacuumP1: target = vacuum_[0]; break;
    case TDraftField::WellCell:
        wellGrid_->setCurrentCell(row, column);
        target = wellGrid_;
        break;
    case TDraftField::WellGrid: target = wellButtons_[0]; break;
    case TDraftField::ConnectionFlow: target = connectionFlow_; break;
    case TDraftField::ConnectionConcentration: target = connectionConcentration_; break;
    case TDraftField::ConnectionTemperature: target = connectionTemperature_; break;
    case TDraftField::None: break;
    }
    if (!target)
        return;
    target->setFocus();
    if (auto* edit = qobject_cast<QLineEdit*>(target))
        edit->selectAll();
}

void TEditDeviceForm::Refuse(const EDeviceEditError& error)
{
    refusing_ = true;
    MessageBoxes::Error(this, error.Message());
    refusing_ = false;
    FocusField(error.Field(), error.Row(), error.Column());
}

// ---- the buttons ------------------------------------------------------------------------

// The fields into the draft and the draft into the mine; a refusal says why and changes nothing.
bool TEditDeviceForm::ApplyDraft()
{
    if (gone_ || !CommitPendingFields())
        return false;
    CollectDraft();
    try {
        // A refusal leaves the try block, and so undoes the step, before it is shown.
        TEditTransaction tx(DocumentHistory::Of(mine_),
                            editing_ ? QStringLiteral("Изменение устройства") : QStringLiteral("Добавление устройства"),
                            TEditScope::Objects);
        tx.Touch(branch_);
        tx.Touch(editing_);
        const QScopedValueRollback applying(applying_, true);
        editing_ = DeviceApply::Apply(*branch_, draft_, editing_);
        tx.Commit();
    } catch (const EDeviceEditError& e) {
        Refuse(e);
        return false;
    }
    lastKindRow = kindList_->currentRow();
    return true;
}

bool TEditDeviceForm::Confirm()
{
    if (!ApplyDraft())
        return false;
    QDialog::accept();
    return true;
}

bool TEditDeviceForm::GoToNeighbour(int step)
{
    if (gone_ || !ApplyDraft())
        return false;
    StartEditing(DeviceApply::Neighbour(*editing_, step));
    return true;
}

bool TEditDeviceForm::DuplicateTo(int direction)
{
    if (gone_ || !CommitPendingFields())
        return false;
    CollectDraft();
    TDevice* copy = nullptr;
    try {
        TEditTransaction tx(DocumentHistory::Of(mine_), QStringLiteral("Добавление устройства"), TEditScope::Objects);
        tx.Touch(branch_);
        tx.Touch(editing_);
        const QScopedValueRollback applying(applying_, true);
        copy = DeviceApply::Duplicate(*branch_, draft_, editing_, direction, duplicateStep);
        tx.Commit();
    } catch (const EDeviceEditError& e) {
        Refuse(e);
        return false;
    }
    if (!copy)
        return false;
    lastKindRow = kindList_->currentRow();
    StartEditing(copy);
    cancel_->setText(QStringLiteral("Закрыть"));
    return true;
}

void TEditDeviceForm::ChooseModel()
{
    if (draft_.Kind == dkPump) {
        const TPumpChooser& chooser = DeviceChoosers::PumpChooser();
        if (!chooser)
            return;
        const std::optional<TPumpChoice> choice = chooser(this, TPumpChoice{draft_.Model, draft_.Pump.Values});
        if (!choice)
            return;
        draft_.Model = choice->Model;
        draft_.Pump.Values = choice->Values;
        draft_.Pump.Chosen = true;
        ShowPumpValues();
    } else if (draft_.Kind == dkReducer) {
        RunReducerChooser(TReducerChooserMode::Choose);
    }
}

void TEditDeviceForm::EditReducer()
{
    if (!draft_.Reducer.Characteristic.Name.isEmpty())
        RunReducerChooser(TReducerChooserMode::Edit);
}

// The reducer database chooses (or edits) the characteristic; what it hands back goes into
// the draft.
void TEditDeviceForm::RunReducerChooser(TReducerChooserMode mode)
{
    const TReducerChooser& chooser = DeviceChoosers::ReducerChooser();
    if (!chooser)
        return;
    const TReducerDraft& r = draft_.Reducer;
    const auto choice = chooser(this, mode, TReducerChoice{r.Characteristic.Name, r.Characteristic, r.LockingPressure});
    if (!choice)
        return;
    draft_.Reducer.Characteristic = choice->Characteristic;
    draft_.Reducer.Characteristic.Name = choice->Model;
    draft_.Reducer.LockingPressure = choice->LockingPressure;
    ShowReducerState();
}

void TEditDeviceForm::PickFreeNumber()
{
    const bool gas = draft_.PipeIndex >= 3;
    std::vector<int> extra;
    if (draft_.Kind == dkConnection)
        for (int i = 0; i < int(draft_.Connections.size()); ++i)
            if (i != draft_.SelectedConnection && draft_.Connections[size_t(i)].Checked)
                extra.push_back(draft_.Connections[size_t(i)].NodeNumber);
    const int chosen = ::PickFreeNumber(freeNumbers_->mapToGlobal(QPoint(0, freeNumbers_->height())), *mine_,
                                        nsUzels | (gas ? nsGasDevices : nsWaterDevices), extra, false, true, this);
    if (chosen > 0)
        numberSpin_->setValue(chosen);
}

// ---- choices ----------------------------------------------------------------------------

void TEditDeviceForm::BranchChosen(int index)
{
    if (loading_ || index < 0 || index >= mine_->Branches.Count())
        return;
    CollectDraft();
    branch_ = mine_->Branches.Items(index);
    if (draft_.PipeIndex >= branch_->Pipes.Count())
        draft_.PipeIndex = 0;
    draft_.Position = DevicePosition::IntoPipe(*branch_->Pipes.Items(draft_.PipeIndex), draft_.Position);
    draft_.Connections = DeviceDrafts::ConnectionEntries(*branch_, nullptr);
    draft_.SelectedConnection = 0;
    loading_ = true;
    pipeBox_->clear();
    pipeBox_->addItems(DeviceChoices::PipeEntries(*branch_));
    pipeBox_->setCurrentIndex(draft_.PipeIndex);
    loading_ = false;
    ShowConnections();
    ShowKindState();
    ShowPosition();
}

void TEditDeviceForm::PipeChosen(int index)
{
    if (loading_ || index < 0 || index >= branch_->Pipes.Count())
        return;
    CollectDraft();
    draft_.PipeIndex = index;
    draft_.Position = DevicePosition::IntoPipe(*branch_->Pipes.Items(index), draft_.Position);
    for (size_t i = 0; i < draft_.Connections.size(); ++i)
        if (draft_.Connections[i].PipeIndex == index)
            draft_.SelectedConnection = int(i);
    ShowKindState();
    ShowPosition();
}

void TEditDeviceForm::KindChosen(int row)
{
    const auto entries = DeviceChoices::KindEntries();
    if (loading_ || row < 0 || row >= int(entries.size()))
        return;
    CollectDraft();
    draft_.Kind = entries[size_t(row)].Kind;
    if (draft_.Kind == dkConnection)
        ShowConnections();
    ShowKindState();
}

void TEditDeviceForm::ConnectionChosen(int row)
{
    if (loading_ || row < 0 || row >= int(draft_.Connections.size()))
        return;
    draft_.SelectedConnection = row;
    draft_.PipeIndex = draft_.Connections[size_t(row)].PipeIndex;
    const bool wasLoading = std::exchange(loading_, true);
    pipeBox_->setCurrentIndex(draft_.PipeIndex);
    loading_ = wasLoading;
    UpdateConnectionControls();
    ShowPosition();
}

void TEditDeviceForm::WellCommand(int command)
{
    int row = wellGrid_->currentRow();
    try {
        switch (command) {
        case 0:
            WellGrid::AddRow(draft_.Wells);
            row = int(draft_.Wells.size()) - 1;
            break;
        case 1: WellGrid::DeleteRow(draft_.Wells, row); row = std::min(row, int(draft_.Wells.size()) - 1); break;
        case 2: row = WellGrid::MoveUp(draft_.Wells, row); break;
        default: row = WellGrid::MoveDown(draft_.Wells, row); break;
        }
    } catch (const EDeviceEditError& e) {
        Refuse(e);
        return;
    }
    ShowWells();
    if (row >= 0)
        wellGrid_->setCurrentCell(row, std::max(0, wellGrid_->currentColumn()));
}

bool TEditDeviceForm::eventFilter(QObject* watched, QEvent* event)
{
    if (gone_ || event->type() != QEvent::KeyPress)
        return QDialog::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
    if (watched == numberSpin_ && enter && (key->modifiers() & Qt::ControlModifier)) {
        PickFreeNumber();
        return true;
    }
    const bool up = key->key() == Qt::Key_Up;
    if ((watched == craneFlow_ || watched == craneDiameter_) && (up || key->key() == Qt::Key_Down)) {
        // The hydrant's flow and orifice fields step as spin boxes do.
        auto* edit = static_cast<QLineEdit*>(watched);
        const bool flow = watched == craneFlow_;
        const std::optional<double> value = DeviceValidation::NumberOf(edit->text());
        if (!value) {
            QApplication::beep();
            return true;
        }
        const double step = (flow ? 10.0 : 5.0) * (up ? 1 : -1);
        edit->setText(DeviceDrafts::NumberText(std::clamp(*value + step, flow ? 0.0 : 1.0, 500.0)));
        return true;
    }
    auto* field = qobject_cast<QLineEdit*>(watched);
    if (!field || (field != fromStart_ && field != fromEnd_ && field != elevation_ && field != stepEdit_))
        return QDialog::eventFilter(watched, event);
    // In the position fields Enter takes the text and Esc restores it; neither closes the dialog.
    if (enter) {
        if (ApplyPositionField(field))
            field->selectAll();
        return true;
    }
    if (key->key() == Qt::Key_Escape) {
        ShowPosition();
        field->selectAll();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

namespace DeviceEditing {

bool EditDevice(QWidget* parent, TBranch* branch, TDevice*& device, int kind, int pipeIndex)
{
    TEditDeviceForm form(branch, device, kind, pipeIndex, parent);
    const bool confirmed = form.exec() == QDialog::Accepted;
    if (confirmed)
        device = form.Device();
    return confirmed;
}

}  // namespace DeviceEditing
