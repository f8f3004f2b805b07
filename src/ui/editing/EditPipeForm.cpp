#include "ui/editing/EditPipeForm.h"

#include "core/devices/DeviceChoices.h"
#include "core/devices/DeviceEditError.h"
#include "core/devices/DevicePanelRules.h"
#include "core/devices/PipeEdits.h"
#include "core/history/EditTransaction.h"
#include "core/model/Branch.h"
#include "core/model/Device.h"
#include "core/model/Mine.h"
#include "core/model/Pipe.h"
#include "ui/app/HelpContexts.h"
#include "ui/app/WinColor.h"
#include "ui/app/GuardedApplication.h"
#include "ui/common/MessageBoxes.h"
#include "ui/document/ChildForm.h"
#include "ui/editing/EditDeviceForm.h"
#include "ui/editing/EditFields.h"
#include "ui/editing/SectionsStrip.h"
#include "ui/editing/StripScroller.h"
#include "ui/common/TypedComboBox.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QSpinBox>
#include <QStackedWidget>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

QRect lastBounds;

// A device of the list with its number, so that four taps on one pipe read "Кран 5", "Кран 6"…
// rather than "Кран" four times; the model follows in quotation marks when there is one.
QString NumberedDeviceText(const TDevice& device)
{
    QString text = QStringLiteral("%1 %2").arg(device.KindName()).arg(device.Number());
    if (!device.Model().isEmpty())
        text += QStringLiteral(" \"%1\"").arg(device.Model());
    return text;
}
constexpr int kPipeEditorHelp = 60;

QLineEdit* NumberEdit(QWidget* parent, const QString& name, bool negative = false)
{
    return EditFields::NumberEdit(parent, name, 100, negative);
}

using EditFields::Buddy;

QString Number1(double value) { return QString::number(value, 'f', 1); }

const QString kPipeChange = QStringLiteral("Изменение трубопровода");

}  // namespace

// One change made in the window, one step of the document's history: the branch the pipe
// belongs to is kept before it changes.
class TEditPipeForm::TStep {
public:
    TStep(const TEditPipeForm& form, const QString& caption, TEditScope scope = TEditScope::Objects)
        : tx_(form.doc_ ? &form.doc_->History() : nullptr, caption, scope)
    {
        tx_.Touch(form.Branch());
    }
    bool Commit() { return tx_.Commit(); }

private:
    TEditTransaction tx_;
};

TEditPipeForm::TEditPipeForm(QWidget* parent) : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("EditPipeForm"));
    setWindowTitle(QStringLiteral("Трубопровод"));
    HelpContexts::Set(this, kPipeEditorHelp);
    deviceEditor_ = [](QWidget* parent, TBranch* branch, TDevice*& device, int kind, int pipe) {
        return DeviceEditing::EditDevice(parent, branch, device, kind, pipe);
    };
    BuildWidgets();
    if (!lastBounds.isNull())
        setGeometry(lastBounds);
    Bind(nullptr, nullptr);
}

TEditPipeForm::~TEditPipeForm() { Unsubscribe(); }

// ---- widgets ------------------------------------------------------------------------------

QWidget* TEditPipeForm::BuildWaterPage()
{
    auto* page = new QWidget;
    auto* grid = new QGridLayout(page);
    grid->setContentsMargins(0, 0, 0, 0);
    wallEdit_ = NumberEdit(page, QStringLiteral("wallEdit"));
    wallEdit_->setMaxLength(3);
    kEdit_ = NumberEdit(page, QStringLiteral("kEdit"));
    grid->addWidget(Buddy(QStringLiteral("То&лщина стенок, мм"), wallEdit_, page), 0, 0);
    grid->addWidget(wallEdit_, 0, 1);
    grid->addWidget(Buddy(QStringLiteral("&Коэффициент сопротивления"), kEdit_, page), 1, 0);
    grid->addWidget(kEdit_, 1, 1);
    auto* box = new QGroupBox(QStringLiteral(" Удельное сопротивление  "), page);
    auto* bg = new QGridLayout(box);
    snipRadio_ = new QRadioButton(QStringLiteral("Рассчитывать по СНИП 2.04.02-84"), box);
    fixedRadio_ = new QRadioButton(QStringLiteral("Фиксированное значение"), box);
    notNewCheck_ = new QCheckBox(QStringLiteral("&Неновые трубы"), box);
    fixedEdit_ = NumberEdit(box, QStringLiteral("fixedEdit"));
    bg->addWidget(snipRadio_, 0, 0, 1, 2);
    bg->addWidget(notNewCheck_, 1, 0, 1, 2, Qt::AlignRight);
    bg->addWidget(fixedRadio_, 2, 0);
    bg->addWidget(fixedEdit_, 2, 1);
    bg->addWidget(new QLabel(QStringLiteral("с2/м6"), box), 2, 2);
    grid->addWidget(box, 2, 0, 1, 3);
    projectedCheck_ = new QCheckBox(QStringLiteral("Проектируемый трубопровод"), page);
    projectedCheck_->setObjectName(QStringLiteral("projectedCheck"));
    grid->addWidget(projectedCheck_, 3, 0, 1, 3);
    grid->setRowStretch(4, 1);
    grid->setColumnStretch(2, 1);

    connect(snipRadio_, &QRadioButton::toggled, this, [this](bool snip) {
        if (loading_ || !Pipe())
            return;
        TStep step(*this, kPipeChange);
        Pipe()->SetResistanceMode(snip ? 0 : 1);
        step.Commit();
        Changed();
    });
    connect(notNewCheck_, &QCheckBox::toggled, this, [this](bool on) {
        if (!loading_ && Pipe()) {
            TStep step(*this, kPipeChange);
            Pipe()->SetNotNew(on);
            step.Commit();
            Changed();
        }
    });
    connect(projectedCheck_, &QCheckBox::toggled, this, [this](bool on) {
        if (!loading_ && Pipe()) {
            TStep step(*this, kPipeChange);
            Pipe()->SetProjected(on);
            step.Commit();
            Changed();
        }
    });
    return page;
}

QWidget* TEditPipeForm::BuildGasPage()
{
    auto* page = new QWidget;
    auto* grid = new QGridLayout(page);
    grid->setContentsMargins(0, 0, 0, 0);
    pipeNoSpin_ = new QSpinBox(page);
    pipeNoSpin_->setObjectName(QStringLiteral("pipeNoSpin"));
    pipeNoSpin_->setRange(0, 10000);
    diameterTypeBox_ = new QComboBox(page);
    diameterTypeBox_->addItems(
        {QStringLiteral("Диаметр известен"), QStringLiteral("Диаметр не более"), QStringLiteral("Расчетный диаметр ")});
    mixtureFlowEdit_ = NumberEdit(page, QStringLiteral("mixtureFlowEdit"));
    methaneEdit_ = NumberEdit(page, QStringLiteral("methaneEdit"));
    temperatureEdit_ = NumberEdit(page, QStringLiteral("temperatureEdit"), true);
    fixedFlowCheck_ = new QCheckBox(QStringLiteral("&Фиксированный расход"), page);
    grid->addWidget(Buddy(QStringLiteral("&Номер трубы"), pipeNoSpin_, page), 0, 0);
    grid->addWidget(pipeNoSpin_, 0, 1);
    grid->addWidget(Buddy(QStringLiteral("&Тип диаметра"), diameterTypeBox_, page), 1, 0);
    grid->addWidget(diameterTypeBox_, 1, 1, 1, 2);
    grid->addWidget(Buddy(QStringLiteral("Треб. расход смеси, м3/мин"), mixtureFlowEdit_, page), 2, 0);
    grid->addWidget(mixtureFlowEdit_, 2, 1);
    grid->addWidget(fixedFlowCheck_, 2, 2);
    grid->addWidget(Buddy(QStringLiteral("Концентрация метана, %"), methaneEdit_, page), 3, 0);
    grid->addWidget(methaneEdit_, 3, 1);
    grid->addWidget(Buddy(QStringLiteral("Температура смеси, °C"), temperatureEdit_, page), 4, 0);
    grid->addWidget(temperatureEdit_, 4, 1);
    grid->setRowStretch(5, 1);
    grid->setColumnStretch(3, 1);

    connect(pipeNoSpin_, &QSpinBox::valueChanged, this, [this](int value) {
        auto* gas = dynamic_cast<TGasPipe*>(Pipe());
        if (loading_ || !gas)
            return;
        TStep step(*this, kPipeChange);
        gas->SetPipeNo(value);
        step.Commit();
        if (QListWidgetItem* item = pipeList_->item(PipeIndex()))
            item->setText(QStringLiteral("Газопровод №%1").arg(value));
        Changed();
    });
    connect(diameterTypeBox_, &QComboBox::activated, this, [this](int index) {
        if (auto* gas = dynamic_cast<TGasPipe*>(Pipe()); gas && !loading_) {
            TStep step(*this, kPipeChange);
            gas->SetDiameterType(index);
            step.Commit();
            Changed();
            ShowPipe();
        }
    });
    connect(fixedFlowCheck_, &QCheckBox::toggled, this, [this](bool on) {
        if (auto* gas = dynamic_cast<TGasPipe*>(Pipe()); gas && !loading_) {
            TStep step(*this, kPipeChange);
            PipeEdits::SetFixedFlow(*gas, on);
            step.Commit();
            Changed();
            ShowPipe();
        }
    });
    return page;
}

void TEditPipeForm::BuildWidgets()
{
    auto* outer = new QVBoxLayout(this);
    content_ = new QWidget(this);
    outer->addWidget(content_, 1);
    auto* root = new QGridLayout(content_);
    root->setContentsMargins(0, 0, 0, 0);

    auto* pipeBox = new QVBoxLayout;
    pipeList_ = new QListWidget(this);
    pipeList_->setObjectName(QStringLiteral("pipeList"));
    // Wide enough for the longest water pipe caption beside its check box.
    pipeList_->setFixedWidth(pipeList_->fontMetrics().horizontalAdvance(QStringLiteral("Пожарно-оросительный")) + 48);
    pipeBox->addWidget(Buddy(QStringLiteral("&Трубы"), pipeList_, this));
    pipeBox->addWidget(pipeList_, 1);
    auto* gasButtons = new QHBoxLayout;
    addGasButton_ = new QPushButton(QStringLiteral("Добавить"), this);
    addGasButton_->setObjectName(QStringLiteral("addGasPipe"));
    addGasButton_->setToolTip(QStringLiteral("Добавить трубу газопровода"));
    deleteGasButton_ = new QPushButton(QStringLiteral("Удалить"), this);
    deleteGasButton_->setObjectName(QStringLiteral("deleteGasPipe"));
    deleteGasButton_->setToolTip(QStringLiteral("Удалить трубу газопровода"));
    gasButtons->addWidget(addGasButton_);
    gasButtons->addWidget(deleteGasButton_);
    pipeBox->addLayout(gasButtons);
    root->addLayout(pipeBox, 0, 0, 2, 1);

    auto* fields = new QGridLayout;
    auto* placement = new QGroupBox(QStringLiteral("Р&асположение"), this);
    placementBox_ = placement;
    auto* pv = new QVBoxLayout(placement);
    placementGroup_ = new QButtonGroup(this);
    for (TPipePlacement p : {TPipePlacement::Through, TPipePlacement::FromStart, TPipePlacement::FromEnd}) {
        auto* radio = new QRadioButton(PipeEdits::PlacementCaption(p), placement);
        placementGroup_->addButton(radio, int(p));
        pv->addWidget(radio);
    }
    fields->addWidget(placement, 0, 0, 3, 1);
    lengthEdit_ = NumberEdit(this, QStringLiteral("lengthEdit"));
    fields->addWidget(Buddy(QStringLiteral("Дли&на трубы, м"), lengthEdit_, this), 0, 1);
    fields->addWidget(lengthEdit_, 0, 2);
    diameterBox_ = new QComboBox(this);
    diameterBox_->setObjectName(QStringLiteral("diameterBox"));
    TypedComboBox::Apply(diameterBox_);
    diameterBox_->lineEdit()->setMaxLength(6);
    // A diameter is a positive number: no sign can be typed.
    diameterBox_->lineEdit()->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*[.,]?[0-9]*")), diameterBox_));
    diameterBox_->setMaximumWidth(100);
    fields->addWidget(Buddy(QStringLiteral("Диа&метр, мм"), diameterBox_, this), 1, 1);
    fields->addWidget(diameterBox_, 1, 2);
    colorButton_ = new QToolButton(this);
    colorButton_->setToolTip(QStringLiteral("Изменить цвет диаметра"));
    colorEditorButton_ = new QToolButton(this);
    colorEditorButton_->setText(QStringLiteral("..."));
    colorEditorButton_->setToolTip(QStringLiteral("Редактор цветов"));
    colorEditorButton_->setEnabled(false);  // the diameter colour editor is not in this build
    auto* colors = new QHBoxLayout;
    colors->addWidget(colorButton_);
    colors->addWidget(colorEditorButton_);
    colors->addStretch();
    fields->addLayout(colors, 1, 3);
    paramPages_ = new QStackedWidget(this);
    paramPages_->addWidget(BuildWaterPage());
    paramPages_->addWidget(BuildGasPage());
    fields->addWidget(paramPages_, 3, 0, 1, 4);
    fields->setColumnStretch(3, 1);
    root->addLayout(fields, 0, 1);

    auto* sections = new QGroupBox(QStringLiteral(" У&частки "), this);
    auto* sv = new QVBoxLayout(sections);
    strip_ = new TSectionsStrip(sections);
    strip_->setObjectName(QStringLiteral("sectionsStrip"));
    strip_->SetSource({[this] { return static_cast<const TPipe*>(Pipe()); }, [this] { return PipeIndex(); },
                       [this] { return static_cast<const TDevice*>(SelectedDevice()); },
                       [this] {
                           const TPipe* pipe = Pipe();
                           if (!pipe || !IsLaid(pipe) || !PipeEdits::LengthEditable(*pipe, TPipePlacement(placement_)))
                               return 0;
                           return placement_ == int(TPipePlacement::FromStart) ? 2
                                  : placement_ == int(TPipePlacement::FromEnd) ? 1
                                                                               : 0;
                       }});
    scroller_ = new TStripScroller(strip_, 5, sections);
    sv->addWidget(scroller_);
    root->addWidget(sections, 1, 1);

    auto* devices = new QGroupBox(QStringLiteral(" Оборудование "), this);
    auto* dg = new QGridLayout(devices);
    filterBox_ = new QComboBox(devices);
    filterBox_->setObjectName(QStringLiteral("filterBox"));
    for (const TKindEntry& e : DeviceChoices::FilterEntries())
        filterBox_->addItem(e.Text, e.Kind);
    deviceList_ = new QListWidget(devices);
    deviceList_->setObjectName(QStringLiteral("deviceList"));
    addDeviceButton_ = new QPushButton(QStringLiteral("&Добавить"), devices);
    editDeviceButton_ = new QPushButton(QStringLiteral("&Правка"), devices);
    deleteDeviceButton_ = new QPushButton(QStringLiteral("&Удалить"), devices);
    addDeviceButton_->setObjectName(QStringLiteral("addDevice"));
    editDeviceButton_->setObjectName(QStringLiteral("editDevice"));
    deleteDeviceButton_->setObjectName(QStringLiteral("deleteDevice"));
    dg->addWidget(filterBox_, 0, 0);
    dg->addWidget(deviceList_, 1, 0, 4, 1);
    dg->addWidget(addDeviceButton_, 1, 1);
    dg->addWidget(editDeviceButton_, 2, 1);
    dg->addWidget(deleteDeviceButton_, 3, 1);
    dg->setRowStretch(4, 1);
    root->addWidget(devices, 2, 0, 1, 2);

    closeButton_ = new QPushButton(QStringLiteral("&Закрыть"), this);
    closeButton_->setObjectName(QStringLiteral("close"));
    auto* bottom = new QHBoxLayout;
    bottom->addStretch();
    bottom->addWidget(closeButton_);
    outer->addLayout(bottom);
    root->setRowStretch(2, 1);

    connect(pipeList_, &QListWidget::currentRowChanged, this, &TEditPipeForm::PipeChosen);
    connect(pipeList_, &QListWidget::itemChanged, this, [this](QListWidgetItem* item) {
        const int row = pipeList_->row(item);
        TBranch* branch = Branch();
        if (loading_ || !branch || row < 0 || row >= 3)
            return;
        const bool laid = item->checkState() == Qt::Checked;
        TStep step(*this, laid ? QStringLiteral("Прокладка трубопровода") : QStringLiteral("Удаление трубопровода"));
        branch->WaterPipe(row)->SetPresent(laid);
        step.Commit();
        Changed();
        if (row == PipeIndex())
            ShowPipe();
    });
    connect(placementGroup_, &QButtonGroup::idClicked, this, &TEditPipeForm::PlacementChosen);
    for (QLineEdit* field : {lengthEdit_, wallEdit_, kEdit_, fixedEdit_, mixtureFlowEdit_, methaneEdit_, temperatureEdit_,
                             diameterBox_->lineEdit()}) {
        field->installEventFilter(this);
        connect(field, &QLineEdit::editingFinished, this, [this, field] {
            ApplyField(field == diameterBox_->lineEdit() ? static_cast<QWidget*>(diameterBox_) : field);
        });
    }
    connect(diameterBox_, &QComboBox::activated, this, [this] { ApplyField(diameterBox_); });
    connect(colorButton_, &QToolButton::clicked, this, [this] {
        TPipe* pipe = Pipe();
        if (!pipe)
            return;
        const QColor chosen = QColorDialog::getColor(ToQColor(TColor(pipe->Color())), this);
        if (chosen.isValid() && Pipe() == pipe) {
            // A diameter's colour is the mine's, for every pipe of that diameter.
            TStep step(*this, QStringLiteral("Цвета диаметров"), TEditScope::WholeMine);
            pipe->Mine()->DiamColors.SetDiameterColor(pipe->Diameter(), int(FromQColor(chosen)));
            step.Commit();
            Changed();
            ShowPipe();
        }
    });
    connect(addGasButton_, &QPushButton::clicked, this, &TEditPipeForm::AddGasPipe);
    connect(deleteGasButton_, &QPushButton::clicked, this, &TEditPipeForm::DeleteGasPipe);
    connect(strip_, &TSectionsStrip::FreeEndDragged, this, [this](double fraction) {
        if (TPipe* pipe = Pipe()) {
            TStep step(*this, kPipeChange);
            PipeEdits::MoveFreeEnd(*pipe, TPipePlacement(placement_), fraction);
            step.Commit();
            Changed();
            ShowPipe();
        }
    });
    connect(filterBox_, &QComboBox::currentIndexChanged, this, [this] { ShowDevices(nullptr); });
    connect(deviceList_, &QListWidget::currentRowChanged, this, [this] {
        UpdateDeviceButtons();
        if (const TDevice* device = SelectedDevice())
            scroller_->EnsureVisible(strip_->XOf(device->Position()));
        strip_->update();
    });
    connect(deviceList_, &QListWidget::itemDoubleClicked, this, &TEditPipeForm::EditDevice);
    connect(addDeviceButton_, &QPushButton::clicked, this, &TEditPipeForm::AddDevice);
    connect(editDeviceButton_, &QPushButton::clicked, this, &TEditPipeForm::EditDevice);
    connect(deleteDeviceButton_, &QPushButton::clicked, this, &TEditPipeForm::DeleteDevice);
    connect(closeButton_, &QPushButton::clicked, this, &TEditPipeForm::CloseWindow);
}

// ---- binding ------------------------------------------------------------------------------

TMine* TEditPipeForm::Mine() const { return doc_ ? doc_->Mine() : nullptr; }

TBranch* TEditPipeForm::Branch() const
{
    TMine* mine = Mine();
    if (!mine || branchSerial_ == 0)
        return nullptr;
    return static_cast<TBranch*>(mine->FindObject(TObjectKind::Branch, branchSerial_));
}

int TEditPipeForm::PipeIndex() const { return pipeList_->currentRow(); }

TPipe* TEditPipeForm::Pipe() const
{
    TBranch* branch = Branch();
    const int i = PipeIndex();
    return branch && i >= 0 && i < branch->Pipes.Count() ? branch->Pipes.Items(i) : nullptr;
}

std::vector<TDevice*> TEditPipeForm::ShownDevices() const
{
    std::vector<TDevice*> devices;
    TMine* mine = Mine();
    if (!mine)
        return devices;
    for (uint64_t serial : deviceSerials_)
        if (auto* d = static_cast<TDevice*>(mine->FindObject(TObjectKind::Device, serial)))
            devices.push_back(d);
    return devices;
}

TDevice* TEditPipeForm::SelectedDevice() const
{
    TMine* mine = Mine();
    const int row = deviceList_->currentRow();
    if (!mine || row < 0 || row >= int(deviceSerials_.size()))
        return nullptr;
    return static_cast<TDevice*>(mine->FindObject(TObjectKind::Device, deviceSerials_[size_t(row)]));
}

void TEditPipeForm::SelectDevice(const TDevice* device)
{
    for (int i = 0; device && i < int(deviceSerials_.size()); ++i)
        if (deviceSerials_[size_t(i)] == device->Serial())
            deviceList_->setCurrentRow(i);
}

void TEditPipeForm::Subscribe(TMine* mine)
{
    if (mine == subscribedMine_)
        return;
    Unsubscribe();
    if (!mine)
        return;
    subscribedMine_ = mine;
    // The change may come from the middle of a deletion: look at the model only afterwards.
    subscription_ = mine->Subscribe([this](TMine*, bool) {
        if (checkPending_)
            return;
        checkPending_ = true;
        QTimer::singleShot(0, this, [this] {
            if (checkPending_)
                Revalidate();
        });
    });
}

void TEditPipeForm::Unsubscribe()
{
    // The mine goes with its document: unsubscribe only from a mine that still exists.
    if (subscribedMine_ && doc_ && doc_->Mine() == subscribedMine_)
        subscribedMine_->Unsubscribe(subscription_);
    subscribedMine_ = nullptr;
    subscription_ = 0;
}

void TEditPipeForm::Bind(TChildForm* doc, TBranch* branch)
{
    const bool hadBranch = Branch() != nullptr;
    // A field being edited takes its value on the old pipe first.
    if (QApplication::focusWidget() && isAncestorOf(QApplication::focusWidget()) && Branch())
        ApplyFocusedField();
    if (doc_ != doc) {
        if (doc_)
            disconnect(doc_, nullptr, this, nullptr);
        Unsubscribe();
        doc_ = doc;
        if (doc) {
            connect(doc, &TChildForm::CurrentBranchChanged, this, [this] {
                if (doc_)
                    Bind(doc_, doc_->CurrentBranch());
            });
            // The window goes with its document.
            connect(doc, &TChildForm::Closing, this, [this] { close(); });
            // Past this signal the document is only a QObject: nothing of it is asked.
            connect(doc, &QObject::destroyed, this, [this] {
                subscribedMine_ = nullptr;
                subscription_ = 0;
                doc_ = nullptr;
                Bind(nullptr, nullptr);
            });
        }
    }
    Subscribe(Mine());
    // Only a branch that is in the document's mine is looked at (a table may still list a
    // branch that has just gone).
    TMine* mine = Mine();
    branchSerial_ = mine && branch && mine->Branches.IndexOf(branch) >= 0 ? branch->Serial() : 0;
    const int keep = hadBranch ? PipeIndex() : -1;
    ShowPipeList(keep);
    content_->setEnabled(Branch() != nullptr);
}

void TEditPipeForm::Revalidate()
{
    checkPending_ = false;
    if (!doc_) {
        Bind(nullptr, nullptr);
        return;
    }
    if (branchSerial_ != 0 && !Branch()) {
        // The branch went: show the document's current branch, or nothing.
        branchSerial_ = 0;
        Bind(doc_, doc_->CurrentBranch());
        return;
    }
    TBranch* branch = Branch();
    if (!branch)
        return;
    const int keep = PipeIndex();
    if (pipeList_->count() != branch->Pipes.Count()) {
        ShowPipeList(keep);
        return;
    }
    const TDevice* selected = SelectedDevice();
    ShowDevices(selected);
    strip_->update();
}

// ---- showing ------------------------------------------------------------------------------

void TEditPipeForm::ShowPipeList(int keepIndex)
{
    loading_ = true;
    pipeList_->clear();
    TBranch* branch = Branch();
    if (branch) {
        const QStringList entries = PipeEdits::PipeEntries(*branch);
        for (int i = 0; i < entries.size(); ++i) {
            auto* item = new QListWidgetItem(entries[i], pipeList_);
            if (i < 3) {
                item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
                item->setCheckState(branch->WaterPipe(i)->Present() ? Qt::Checked : Qt::Unchecked);
            } else {
                item->setFlags(item->flags() & ~Qt::ItemIsUserCheckable);
                item->setData(Qt::CheckStateRole, Qt::Checked);
            }
        }
        loading_ = false;
        const int row = keepIndex < 0 ? 0 : keepIndex < pipeList_->count() ? keepIndex : 2;
        pipeList_->setCurrentRow(row);
        if (pipeList_->currentRow() == row)
            PipeChosen(row);
    } else {
        loading_ = false;
        deviceSerials_.clear();
        deviceList_->clear();
        ShowPipe();
    }
}

void TEditPipeForm::PipeChosen(int row)
{
    if (loading_)
        return;
    if (const TPipe* pipe = Pipe(); pipe && row >= 0)
        placement_ = int(PipeEdits::PlacementOf(*pipe));
    ShowPipe();
    ShowDevices(nullptr);
}

void TEditPipeForm::ShowPipe()
{
    loading_ = true;
    TBranch* branch = Branch();
    TPipe* pipe = Pipe();
    const bool laid = pipe && IsLaid(pipe);
    const bool gas = pipe && pipe->IsGas();
    if (placementGroup_->button(placement_))
        placementGroup_->button(placement_)->setChecked(true);
    placementBox_->setEnabled(laid);
    lengthEdit_->setEnabled(laid && PipeEdits::LengthEditable(*pipe, TPipePlacement(placement_)));
    lengthEdit_->setText(pipe ? PipeEdits::LengthText(*pipe) : QString());
    diameterBox_->clear();
    if (branch)
        diameterBox_->addItems(PipeEdits::DiameterChoices(*branch->Mine()));
    diameterBox_->setEditText(pipe ? QString::number(pipe->Diameter()) : QString());
    const bool calculated = gas && static_cast<TGasPipe*>(pipe)->DiameterType() == 2;
    if (calculated)
        diameterBox_->setEditText(QStringLiteral("0"));
    diameterBox_->setEnabled(laid && !calculated);
    colorButton_->setEnabled(laid);
    QPixmap swatch(16, 12);
    swatch.fill(pipe ? (gas ? QColor(Qt::green) : ToQColor(TColor(pipe->Color()))) : QColor(Qt::transparent));
    colorButton_->setIcon(QIcon(swatch));
    paramPages_->setCurrentIndex(gas ? 1 : 0);
    deleteGasButton_->setEnabled(gas);
    addGasButton_->setEnabled(branch && PipeEdits::CanAddGasPipe(*branch));
    if (pipe && !gas) {
        auto* water = static_cast<TWaterPipe*>(pipe);
        wallEdit_->setText(QString::number(water->WallThickness()));
        kEdit_->setText(QString::number(water->K(), 'f', 2));
        (pipe->ResistanceMode() == 1 ? fixedRadio_ : snipRadio_)->setChecked(true);
        fixedEdit_->setText(QString::number(pipe->FixedResistance(), 'g', 10));
        notNewCheck_->setChecked(pipe->NotNew());
        projectedCheck_->setChecked(pipe->Projected());
    }
    for (QWidget* w : std::initializer_list<QWidget*>{wallEdit_, kEdit_, snipRadio_, fixedRadio_, projectedCheck_})
        w->setEnabled(laid);
    notNewCheck_->setEnabled(laid && snipRadio_->isChecked());
    fixedEdit_->setEnabled(laid && fixedRadio_->isChecked());
    if (gas) {
        auto* g = static_cast<TGasPipe*>(pipe);
        pipeNoSpin_->setValue(g->PipeNo());
        diameterTypeBox_->setCurrentIndex(g->FixedFlow() ? 0 : g->DiameterType());
        diameterTypeBox_->setEnabled(!g->FixedFlow());
        mixtureFlowEdit_->setText(Number1(g->MixtureFlow()));
        methaneEdit_->setText(Number1(g->MethaneConcentration()));
        temperatureEdit_->setText(Number1(g->Temperature()));
        fixedFlowCheck_->setChecked(g->FixedFlow());
    }
    addDeviceButton_->setEnabled(pipe != nullptr);
    loading_ = false;
    strip_->update();
}

void TEditPipeForm::ShowDevices(const TDevice* select)
{
    deviceSerials_.clear();
    deviceList_->clear();
    if (TPipe* pipe = Pipe()) {
        const int kind = filterBox_->currentData().toInt();
        for (TDevice* d : PipeEdits::ShownDevices(*pipe, kind)) {
            deviceSerials_.push_back(d->Serial());
            deviceList_->addItem(NumberedDeviceText(*d));
        }
    }
    SelectDevice(select);
    UpdateDeviceButtons();
    strip_->update();
}

void TEditPipeForm::UpdateDeviceButtons()
{
    const bool selected = SelectedDevice() != nullptr;
    editDeviceButton_->setEnabled(selected);
    deleteDeviceButton_->setEnabled(selected);
}

void TEditPipeForm::Changed()
{
    // The document and the schemas follow the mine's change notification.
    strip_->update();
}

// ---- fields -------------------------------------------------------------------------------

void TEditPipeForm::PlacementChosen(int id)
{
    TPipe* pipe = Pipe();
    if (loading_ || !pipe)
        return;
    placement_ = id;
    TStep step(*this, kPipeChange);
    PipeEdits::SetPlacement(*pipe, TPipePlacement(id));
    step.Commit();
    Changed();
    ShowPipe();
}

bool TEditPipeForm::ApplyField(QWidget* field)
{
    TPipe* pipe = Pipe();
    if (loading_ || refusing_ || !pipe)
        return true;
    try {
        // A refusal leaves the try block, and so the step, before the message shows.
        TStep step(*this, kPipeChange);
        auto* water = dynamic_cast<TWaterPipe*>(pipe);
        auto* gas = dynamic_cast<TGasPipe*>(pipe);
        if (field == diameterBox_)
            PipeEdits::ApplyDiameter(*pipe, diameterBox_->currentText());
        else if (field == lengthEdit_)
            PipeEdits::ApplyLength(*pipe, TPipePlacement(placement_), lengthEdit_->text());
        else if (field == wallEdit_ && water)
            PipeEdits::ApplyWallThickness(*water, wallEdit_->text());
        else if (field == kEdit_ && water)
            PipeEdits::ApplyK(*water, kEdit_->text());
        else if (field == fixedEdit_)
            PipeEdits::ApplyFixedResistance(*pipe, fixedEdit_->text());
        else if (field == mixtureFlowEdit_ && gas)
            PipeEdits::ApplyMixtureFlow(*gas, mixtureFlowEdit_->text());
        else if (field == methaneEdit_ && gas)
            PipeEdits::ApplyMethaneConcentration(*gas, methaneEdit_->text());
        else if (field == temperatureEdit_ && gas)
            PipeEdits::ApplyTemperature(*gas, temperatureEdit_->text());
        step.Commit();
    } catch (const EPipeEditError& e) {
        refusing_ = true;
        MessageBoxes::Error(this, e.Message());
        refusing_ = false;
        field->setFocus();
        if (auto* edit = qobject_cast<QLineEdit*>(field))
            edit->selectAll();
        return false;
    }
    Changed();
    ShowPipe();
    return true;
}

bool TEditPipeForm::ApplyFocusedField()
{
    QWidget* focus = QApplication::focusWidget();
    if (!focus || !isAncestorOf(focus))
        return true;
    if (focus == diameterBox_->lineEdit())
        focus = diameterBox_;
    for (QWidget* field : std::initializer_list<QWidget*>{lengthEdit_, wallEdit_, kEdit_, fixedEdit_, mixtureFlowEdit_,
                                                          methaneEdit_, temperatureEdit_, diameterBox_})
        if (focus == field)
            return ApplyField(field);
    return true;
}

bool TEditPipeForm::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        auto* edit = qobject_cast<QLineEdit*>(watched);
        if (edit && (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)) {
            QWidget* field = edit == diameterBox_->lineEdit() ? static_cast<QWidget*>(diameterBox_) : edit;
            if (ApplyField(field))
                edit->selectAll();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void TEditPipeForm::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::ActivationChange && !isActiveWindow())
        ApplyFocusedField();
    QWidget::changeEvent(event);
}

// ---- gas pipes and devices ----------------------------------------------------------------

void TEditPipeForm::AddGasPipe()
{
    TBranch* branch = Branch();
    if (!branch)
        return;
    TGasPipe* added = nullptr;
    try {
        TStep step(*this, QStringLiteral("Добавление газопровода"));
        added = PipeEdits::AddGasPipe(*branch);
        step.Commit();
    } catch (const EPipeEditError& e) {
        MessageBoxes::Info(this, e.Message());
        return;
    }
    checkPending_ = false;
    ShowPipeList(added->SlotIndex());
}

void TEditPipeForm::DeleteGasPipe()
{
    TBranch* branch = Branch();
    auto* gas = dynamic_cast<TGasPipe*>(Pipe());
    if (!branch || !gas)
        return;
    // Whatever fails, the question included, is told here over this window and never unwinds
    // through the button's own code; the list then shows the pipes as they are.
    try {
        if (MessageBoxes::Ask(this, PipeEdits::DeleteGasPipePrompt(*gas), TMsgButtons::YesNo) != TMsgAnswer::Yes)
            return;
        TStep step(*this, QStringLiteral("Удаление газопровода"));
        PipeEdits::DeleteGasPipe(*branch, gas);
        step.Commit();
    } catch (...) {
        MessageBoxes::Error(this, FailureText(std::current_exception()));
    }
    checkPending_ = false;
    ShowPipeList(branch->Pipes.Count() - 1);
}

void TEditPipeForm::AddDevice()
{
    TBranch* branch = Branch();
    if (!branch || !Pipe() || !ApplyFocusedField())
        return;
    TDevice* device = nullptr;
    const int kind = filterBox_->currentData().toInt();
    const int pipeIndex = PipeIndex();
    deviceEditor_(this, branch, device, kind, pipeIndex);
    // Duplicates and moves in the dialog may have changed the pipe even when cancelled.
    checkPending_ = false;
    if (!Branch())
        return Revalidate();
    ShowPipeList(pipeIndex);
    SelectDevice(device);
}

void TEditPipeForm::EditDevice()
{
    TDevice* device = SelectedDevice();
    if (!device || !ApplyFocusedField())
        return;
    const int pipeIndex = PipeIndex();
    deviceEditor_(this, Branch(), device, 0, pipeIndex);
    checkPending_ = false;
    if (!Branch())
        return Revalidate();
    ShowPipeList(pipeIndex);
    SelectDevice(device);
}

void TEditPipeForm::DeleteDevice()
{
    TDevice* device = SelectedDevice();
    if (!device)
        return;
    if (MessageBoxes::Ask(this, PipeEdits::DeleteDevicePrompt(*device), TMsgButtons::YesNo) != TMsgAnswer::Yes)
        return;
    // The question may have let the device go (an undo elsewhere).
    device = SelectedDevice();
    if (!device)
        return ShowDevices(nullptr);
    {
        TStep step(*this, QStringLiteral("Удаление устройства"));
        PipeEdits::DeleteDevice(device);
        step.Commit();
    }
    checkPending_ = false;
    ShowDevices(nullptr);
}

// ---- closing ------------------------------------------------------------------------------

bool TEditPipeForm::CloseWindow()
{
    if (!ApplyFocusedField())
        return false;
    close();
    return true;
}

void TEditPipeForm::closeEvent(QCloseEvent* event)
{
    lastBounds = geometry();
    Bind(nullptr, nullptr);
    QWidget::closeEvent(event);
}
