// The device dialog's controls: the common fields, the position strip and the eleven pages.

#include "ui/editing/EditDeviceForm.h"

#include "core/devices/DeviceChoices.h"
#include "core/devices/WellGrid.h"
#include "core/model/DeviceKinds.h"
#include "ui/common/WideEntryHints.h"
#include "ui/editing/EditFields.h"
#include "ui/editing/PositionStrip.h"
#include "ui/editing/StripScroller.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleValidator>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QSpinBox>
#include <QStackedWidget>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

QLineEdit* NumberEdit(QWidget* parent, const QString& name, bool negative = false)
{
    return EditFields::NumberEdit(parent, name, 110, negative);
}

using EditFields::Buddy;

// The manometer pair of the pump and reducer pages.
void AddManometers(QGridLayout* grid, int row, QLabel*& before, QLineEdit*& m1, QLabel*& after, QLineEdit*& m2,
                   QWidget* page)
{
    auto* box = new QGroupBox(QStringLiteral("Показания манометров, м"), page);
    auto* h = new QHBoxLayout(box);
    m1 = NumberEdit(box, QStringLiteral("manometer1"));
    m2 = NumberEdit(box, QStringLiteral("manometer2"));
    before = Buddy(QStringLiteral("до"), m1, box);
    after = Buddy(QStringLiteral("после"), m2, box);
    h->addWidget(before);
    h->addWidget(m1);
    h->addSpacing(12);
    h->addWidget(after);
    h->addWidget(m2);
    h->addStretch();
    grid->addWidget(box, row, 0, 1, 4);
}

}  // namespace

QWidget* TEditDeviceForm::BuildPositionBox()
{
    auto* box = new QGroupBox(QStringLiteral(" Расположение "), this);
    auto* grid = new QGridLayout(box);
    strip_ = new TPositionStrip(box);
    strip_->setObjectName(QStringLiteral("positionStrip"));
    grid->addWidget(new TStripScroller(strip_, 7, box), 0, 0, 1, 6);
    fromStart_ = new QLineEdit(box);
    fromStart_->setObjectName(QStringLiteral("fromStart"));
    fromEnd_ = new QLineEdit(box);
    fromEnd_->setObjectName(QStringLiteral("fromEnd"));
    elevation_ = new QLineEdit(box);
    elevation_->setObjectName(QStringLiteral("elevation"));
    startLabel_ = Buddy(QString(), fromStart_, box);
    endLabel_ = Buddy(QString(), fromEnd_, box);
    grid->addWidget(startLabel_, 1, 0);
    grid->addWidget(fromStart_, 1, 1);
    grid->addWidget(Buddy(QStringLiteral("&Отметка"), elevation_, box), 1, 2, Qt::AlignRight);
    grid->addWidget(elevation_, 1, 3);
    grid->addWidget(endLabel_, 1, 4, Qt::AlignRight);
    grid->addWidget(fromEnd_, 1, 5);
    stepEdit_ = new QLineEdit(box);
    stepEdit_->setObjectName(QStringLiteral("step"));
    stepLabel_ = Buddy(QStringLiteral("&Шаг"), stepEdit_, box);
    dupLeft_ = new QPushButton(QStringLiteral("<< &дубль"), box);
    dupRight_ = new QPushButton(QStringLiteral("д&убль >>"), box);
    dupLeft_->setObjectName(QStringLiteral("duplicateLeft"));
    dupRight_->setObjectName(QStringLiteral("duplicateRight"));
    grid->addWidget(dupLeft_, 2, 0, 1, 2);
    grid->addWidget(stepLabel_, 2, 2, Qt::AlignRight);
    grid->addWidget(stepEdit_, 2, 3);
    grid->addWidget(dupRight_, 2, 4, 1, 2);
    for (QLineEdit* field : {fromStart_, fromEnd_, elevation_, stepEdit_}) {
        field->setMaximumWidth(100);
        field->installEventFilter(this);
        connect(field, &QLineEdit::editingFinished, this, [this, field] { ApplyPositionField(field); });
    }
    connect(strip_, &TPositionStrip::PositionPicked, this, [this](double f) {
        draft_.Position = f;
        ShowPosition();
    });
    connect(dupLeft_, &QPushButton::clicked, this, [this] { DuplicateTo(-1); });
    connect(dupRight_, &QPushButton::clicked, this, [this] { DuplicateTo(+1); });
    return box;
}

QWidget* TEditDeviceForm::BuildDirectionBox(TPump& controls, QWidget* page)
{
    auto* box = new QGroupBox(QStringLiteral("Направление"), page);
    auto* h = new QHBoxLayout(box);
    controls.toStart = new QRadioButton(QStringLiteral("к начальному узлу &<<"), box);
    controls.toEnd = new QRadioButton(QStringLiteral(">&> к конечному узлу"), box);
    controls.toEnd->setChecked(true);
    h->addWidget(controls.toStart);
    h->addWidget(controls.toEnd);
    controls.off = new QCheckBox(QStringLiteral("Отключен"), box);
    h->addWidget(controls.off);
    connect(controls.toStart, &QRadioButton::toggled, this, [&controls](bool toStart) {
        // The manometer before the device is on the side the water comes from.
        controls.before->setText(toStart ? QStringLiteral("после") : QStringLiteral("до"));
        controls.after->setText(toStart ? QStringLiteral("до") : QStringLiteral("после"));
    });
    return box;
}

QWidget* TEditDeviceForm::BuildPumpPage()
{
    auto* page = new QWidget;
    auto* grid = new QGridLayout(page);
    static const char* const kLabels[] = {"Q1, м3/час", "H1, м", "Q2, м3/час", "H2, м", "Сопротивление, c2/м5", "B"};
    for (int i = 0; i < 6; ++i) {
        auto* edit = new QLineEdit(page);
        edit->setReadOnly(true);
        edit->setObjectName(QStringLiteral("pumpValue%1").arg(i + 1));
        edit->setMaximumWidth(100);
        pump_.values[size_t(i)] = edit;
        grid->addWidget(Buddy(QString::fromUtf8(kLabels[i]), edit, page), i / 2, (i % 2) * 2);
        grid->addWidget(edit, i / 2, (i % 2) * 2 + 1);
    }
    grid->addWidget(BuildDirectionBox(pump_, page), 3, 0, 1, 5);
    AddManometers(grid, 4, pump_.before, pump_.manometer1, pump_.after, pump_.manometer2, page);
    grid->setRowStretch(5, 1);
    grid->setColumnStretch(4, 1);
    return page;
}

QWidget* TEditDeviceForm::BuildReducerPage()
{
    auto* page = new QWidget;
    auto* grid = new QGridLayout(page);
    reducerHint_ = new QLabel(page);
    reducerHint_->setObjectName(QStringLiteral("reducerHint"));
    reducerHint_->setWordWrap(true);
    grid->addWidget(reducerHint_, 0, 0, 1, 3);
    reducerEdit_ = new QPushButton(QStringLiteral("Править"), page);
    reducerEdit_->setObjectName(QStringLiteral("reducerEdit"));
    grid->addWidget(reducerEdit_, 0, 3, Qt::AlignTop);
    connect(reducerEdit_, &QPushButton::clicked, this, &TEditDeviceForm::EditReducer);
    grid->addWidget(BuildDirectionBox(reducer_, page), 1, 0, 1, 4);
    AddManometers(grid, 2, reducer_.before, reducer_.manometer1, reducer_.after, reducer_.manometer2, page);
    grid->setRowStretch(3, 1);
    return page;
}

QWidget* TEditDeviceForm::BuildGatePage()
{
    auto* page = new QWidget;
    auto* v = new QVBoxLayout(page);
    gateClosed_ = new QCheckBox(QStringLiteral("Задвижка закрыта"), page);
    gateClosed_->setObjectName(QStringLiteral("gateClosed"));
    v->addWidget(gateClosed_);
    v->addStretch();
    return page;
}

QWidget* TEditDeviceForm::BuildCranePage()
{
    auto* page = new QWidget;
    auto* grid = new QGridLayout(page);
    craneConsumption_ = new QCheckBox(QStringLiteral("Есть потребление"), page);
    craneConsumption_->setObjectName(QStringLiteral("craneConsumption"));
    grid->addWidget(craneConsumption_, 0, 0, 1, 2);
    craneMethod_ = new QComboBox(page);
    craneMethod_->addItems({QStringLiteral("Пожарный ствол"), QStringLiteral("Водяная завеса"),
                            QStringLiteral("Установка автоматического пожаротушения"), QStringLiteral("Технологические нужды")});
    grid->addWidget(Buddy(QStringLiteral("Способ потребления"), craneMethod_, page), 1, 0);
    grid->addWidget(craneMethod_, 1, 1);
    craneFlow_ = NumberEdit(page, QStringLiteral("craneFlow"));
    grid->addWidget(Buddy(QStringLiteral("Расход, м3/час"), craneFlow_, page), 2, 0);
    grid->addWidget(craneFlow_, 2, 1);
    craneOrifice_ = new QCheckBox(QStringLiteral("Установлена дроссельная шайба"), page);
    craneOrifice_->setObjectName(QStringLiteral("craneOrifice"));
    grid->addWidget(craneOrifice_, 3, 0, 1, 2);
    craneDiameter_ = NumberEdit(page, QStringLiteral("craneDiameter"));
    grid->addWidget(Buddy(QStringLiteral("Диаметр шайбы, мм"), craneDiameter_, page), 4, 0);
    grid->addWidget(craneDiameter_, 4, 1);
    craneManometer_ = NumberEdit(page, QStringLiteral("manometer1"));
    grid->addWidget(Buddy(QStringLiteral("Показания манометра, м"), craneManometer_, page), 5, 0);
    grid->addWidget(craneManometer_, 5, 1);
    grid->setRowStretch(6, 1);
    grid->setColumnStretch(2, 1);
    craneFlow_->installEventFilter(this);
    craneDiameter_->installEventFilter(this);
    connect(craneConsumption_, &QCheckBox::toggled, craneFlow_, &QWidget::setEnabled);
    connect(craneOrifice_, &QCheckBox::toggled, craneDiameter_, &QWidget::setEnabled);
    return page;
}

QWidget* TEditDeviceForm::BuildTankPage()
{
    auto* page = new QWidget;
    auto* grid = new QGridLayout(page);
    tankVolume_ = new QLineEdit(page);
    tankVolume_->setObjectName(QStringLiteral("tankVolume"));
    tankVolume_->setMaxLength(5);
    tankVolume_->setMaximumWidth(110);
    tankVolume_->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), tankVolume_));
    grid->addWidget(Buddy(QStringLiteral("Объем, м3"), tankVolume_, page), 0, 0);
    grid->addWidget(tankVolume_, 0, 1);
    tankBypass_ = new QCheckBox(QStringLiteral("Подача воды по обводному пути"), page);
    tankBypass_->setObjectName(QStringLiteral("tankBypass"));
    grid->addWidget(tankBypass_, 1, 0, 1, 3);
    tankMakeUp_ = NumberEdit(page, QStringLiteral("tankMakeUp"));
    tankMakeUpLabel_ = Buddy(QStringLiteral("&Подпитка, м3/час"), tankMakeUp_, page);
    grid->addWidget(tankMakeUpLabel_, 2, 0);
    grid->addWidget(tankMakeUp_, 2, 1);
    tankAddPressure_ = NumberEdit(page, QStringLiteral("tankAddPressure"));
    tankAddLabel_ = Buddy(QStringLiteral("&Доп. давление, м"), tankAddPressure_, page);
    tankAddComment_ = new QLabel(QStringLiteral("(только для резервуаров-источников)"), page);
    grid->addWidget(tankAddLabel_, 3, 0);
    grid->addWidget(tankAddPressure_, 3, 1);
    grid->addWidget(tankAddComment_, 3, 2);
    tankManometer_ = NumberEdit(page, QStringLiteral("manometer1"));
    grid->addWidget(Buddy(QStringLiteral("Показания манометра, м"), tankManometer_, page), 4, 0);
    grid->addWidget(tankManometer_, 4, 1);
    grid->setRowStretch(5, 1);
    grid->setColumnStretch(3, 1);
    connect(tankBypass_, &QCheckBox::toggled, this, [this](bool on) {
        for (QWidget* w : std::initializer_list<QWidget*>{tankAddPressure_, tankAddLabel_, tankAddComment_})
            w->setEnabled(on);
        tankMakeUp_->setEnabled(!on);
        tankMakeUpLabel_->setEnabled(!on);
    });
    return page;
}

QWidget* TEditDeviceForm::BuildVacuumPage()
{
    auto* page = new QWidget;
    auto* h = new QHBoxLayout(page);
    for (int point = 0; point < 2; ++point) {
        auto* box = new QGroupBox(point == 0 ? QStringLiteral("Первая точка") : QStringLiteral("Вторая точка"), page);
        auto* grid = new QGridLayout(box);
        for (int f = 0; f < 2; ++f) {
            auto* spin = new QSpinBox(box);
            spin->setRange(0, 10000);
            spin->setSingleStep(f == 0 ? 50 : 5);
            spin->setObjectName(QStringLiteral("vacuum%1").arg(point * 2 + f));
            vacuum_[size_t(point * 2 + f)] = spin;
            grid->addWidget(Buddy(f == 0 ? QStringLiteral("Давление (P), мм.рт.ст.") : QStringLiteral("Расход (Q), м3/час"),
                                  spin, box),
                            f, 0);
            grid->addWidget(spin, f, 1);
        }
        grid->setRowStretch(2, 1);
        h->addWidget(box);
    }
    // The first point never lies above the second while the user types.
    const auto keepOrder = [this](int first, int second, bool firstMoved) {
        if (loading_)
            return;
        QSpinBox* a = vacuum_[size_t(first)];
        QSpinBox* b = vacuum_[size_t(second)];
        if (a->value() > b->value())
            (firstMoved ? b : a)->setValue(firstMoved ? a->value() : b->value());
    };
    connect(vacuum_[0], &QSpinBox::valueChanged, this, [keepOrder] { keepOrder(0, 2, true); });
    connect(vacuum_[1], &QSpinBox::valueChanged, this, [keepOrder] { keepOrder(1, 3, true); });
    connect(vacuum_[2], &QSpinBox::valueChanged, this, [keepOrder] { keepOrder(0, 2, false); });
    connect(vacuum_[3], &QSpinBox::valueChanged, this, [keepOrder] { keepOrder(1, 3, false); });
    return page;
}

QWidget* TEditDeviceForm::BuildWellPage()
{
    auto* page = new QWidget;
    auto* h = new QHBoxLayout(page);
    wellGrid_ = new QTableWidget(0, 5, page);
    wellGrid_->setObjectName(QStringLiteral("wellGrid"));
    QStringList titles;
    for (const char* t : TSlitParams::kTitles)
        titles << QString::fromUtf8(t);
    wellGrid_->setHorizontalHeaderLabels(titles);
    wellGrid_->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    wellGrid_->verticalHeader()->setDefaultSectionSize(22);
    h->addWidget(wellGrid_, 1);
    auto* buttons = new QVBoxLayout;
    const QString captions[] = {QStringLiteral("&Добавить"), QStringLiteral("&Удалить"), QStringLiteral("&Вверх"),
                                QStringLiteral("В&низ")};
    for (int i = 0; i < 4; ++i) {
        wellButtons_[size_t(i)] = new QPushButton(captions[i], page);
        wellButtons_[size_t(i)]->setObjectName(QStringLiteral("well%1").arg(i));
        buttons->addWidget(wellButtons_[size_t(i)]);
        connect(wellButtons_[size_t(i)], &QPushButton::clicked, this, [this, i] { WellCommand(i); });
    }
    buttons->addStretch();
    h->addLayout(buttons);
    connect(wellGrid_, &QTableWidget::itemChanged, this, [this](QTableWidgetItem* item) {
        if (loading_ || item->row() >= int(draft_.Wells.size()))
            return;
        draft_.Wells[size_t(item->row())][size_t(item->column())] = item->text().trimmed();
    });
    connect(wellGrid_, &QTableWidget::currentCellChanged, this, [this] {
        const int row = wellGrid_->currentRow();
        wellButtons_[2]->setEnabled(WellGrid::CanMoveUp(draft_.Wells, row));
        wellButtons_[3]->setEnabled(WellGrid::CanMoveDown(draft_.Wells, row));
    });
    return page;
}

QWidget* TEditDeviceForm::BuildConnectionPage()
{
    auto* page = new QWidget;
    auto* h = new QHBoxLayout(page);
    connectionList_ = new QListWidget(page);
    connectionList_->setObjectName(QStringLiteral("connectionList"));
    h->addWidget(connectionList_, 1);
    auto* box = new QGroupBox(QStringLiteral("Параметры соединения"), page);
    auto* grid = new QGridLayout(box);
    connectionFlow_ = NumberEdit(box, QStringLiteral("connectionFlow"));
    connectionConcentration_ = NumberEdit(box, QStringLiteral("connectionConcentration"));
    connectionTemperature_ = NumberEdit(box, QStringLiteral("connectionTemperature"), true);
    grid->addWidget(Buddy(QStringLiteral("Расход смеси, м3/мин"), connectionFlow_, box), 0, 0);
    grid->addWidget(connectionFlow_, 0, 1);
    grid->addWidget(Buddy(QStringLiteral("Концентрация метана, %"), connectionConcentration_, box), 1, 0);
    grid->addWidget(connectionConcentration_, 1, 1);
    grid->addWidget(Buddy(QStringLiteral("Температура смеси, °C"), connectionTemperature_, box), 2, 0);
    grid->addWidget(connectionTemperature_, 2, 1);
    grid->setRowStretch(3, 1);
    h->addWidget(box);
    connect(connectionList_, &QListWidget::currentRowChanged, this, &TEditDeviceForm::ConnectionChosen);
    connect(connectionList_, &QListWidget::itemChanged, this, [this](QListWidgetItem* item) {
        if (loading_)
            return;
        const int row = connectionList_->row(item);
        if (row < 0 || row >= int(draft_.Connections.size()))
            return;
        TConnectionEntry& entry = draft_.Connections[size_t(row)];
        entry.Checked = item->checkState() == Qt::Checked;
        loading_ = true;
        item->setText(entry.Checked ? QStringLiteral("Труба №%1\tУзел №%2").arg(entry.PipeNo).arg(entry.NodeNumber)
                                    : QStringLiteral("Труба №%1").arg(entry.PipeNo));
        loading_ = false;
        UpdateConnectionControls();
    });
    const std::pair<QLineEdit*, TDraftField> fields[] = {{connectionFlow_, TDraftField::ConnectionFlow},
                                                        {connectionConcentration_, TDraftField::ConnectionConcentration},
                                                        {connectionTemperature_, TDraftField::ConnectionTemperature}};
    for (const auto& entry : fields) {
        QLineEdit* field = entry.first;
        const TDraftField which = entry.second;
        connect(field, &QLineEdit::editingFinished, this, [this, field, which] { ConnectionValueLeft(field, which); });
    }
    return page;
}

QWidget* TEditDeviceForm::BuildTextPage(const QString& text)
{
    auto* page = new QWidget;
    auto* v = new QVBoxLayout(page);
    auto* label = new QLabel(text, page);
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignCenter);
    v->addWidget(label);
    return page;
}

QWidget* TEditDeviceForm::BuildMachinePage()
{
    auto* page = new QWidget;
    auto* grid = new QGridLayout(page);
    machineVolume_ = new QLineEdit(page);
    machineVolume_->setObjectName(QStringLiteral("machineVolume"));
    machineVolume_->setMaxLength(5);
    machineVolume_->setMaximumWidth(110);
    machineVolume_->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), machineVolume_));
    machineAddPressure_ = NumberEdit(page, QStringLiteral("machineAddPressure"));
    machineManometer_ = NumberEdit(page, QStringLiteral("manometer1"));
    grid->addWidget(Buddy(QStringLiteral("Объем, м3"), machineVolume_, page), 0, 0);
    grid->addWidget(machineVolume_, 0, 1);
    grid->addWidget(Buddy(QStringLiteral("&Доп. давление, м"), machineAddPressure_, page), 1, 0);
    grid->addWidget(machineAddPressure_, 1, 1);
    grid->addWidget(Buddy(QStringLiteral("Показания манометра, м"), machineManometer_, page), 2, 0);
    grid->addWidget(machineManometer_, 2, 1);
    grid->setRowStretch(3, 1);
    grid->setColumnStretch(2, 1);
    return page;
}

void TEditDeviceForm::BuildWidgets()
{
    auto* root = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    root->addLayout(top);

    auto* kindColumn = new QVBoxLayout;
    kindList_ = new QListWidget(this);
    kindList_->setObjectName(QStringLiteral("kindList"));
    for (const TKindEntry& e : DeviceChoices::KindEntries())
        kindList_->addItem(e.Text);
    kindList_->setMaximumWidth(170);
    kindColumn->addWidget(Buddy(QStringLiteral("&Тип оборудования"), kindList_, this));
    kindColumn->addWidget(kindList_);
    top->addLayout(kindColumn);

    auto* right = new QVBoxLayout;
    top->addLayout(right, 1);
    auto* fields = new QGridLayout;
    right->addLayout(fields);
    branchBox_ = new QComboBox(this);
    branchBox_->setObjectName(QStringLiteral("branchBox"));
    // A branch's comment may run to thousands of characters: the box keeps a sensible width
    // and the whole text shows as a hint.
    branchBox_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    branchBox_->setMinimumContentsLength(32);
    TWideEntryHints::Install(branchBox_);
    fields->addWidget(Buddy(QStringLiteral("&Ветвь"), branchBox_, this), 0, 0);
    fields->addWidget(branchBox_, 0, 1, 1, 3);
    pipeBox_ = new QComboBox(this);
    pipeBox_->setObjectName(QStringLiteral("pipeBox"));
    pipeLabel_ = Buddy(QStringLiteral("Т&рубопровод"), pipeBox_, this);
    fields->addWidget(pipeLabel_, 1, 0);
    fields->addWidget(pipeBox_, 1, 1, 1, 3);
    numberSpin_ = new QSpinBox(this);
    numberSpin_->setObjectName(QStringLiteral("numberSpin"));
    numberSpin_->setRange(0, 1000000);
    numberSpin_->installEventFilter(this);
    fields->addWidget(Buddy(QStringLiteral("&Номер"), numberSpin_, this), 2, 0);
    fields->addWidget(numberSpin_, 2, 1);
    freeNumbers_ = new QPushButton(QStringLiteral("Свободные номера"), this);
    fields->addWidget(freeNumbers_, 2, 2);
    ppzEdit_ = new QLineEdit(this);
    ppzEdit_->setObjectName(QStringLiteral("ppzEdit"));
    fields->addWidget(Buddy(QStringLiteral("&Номер ППЗ"), ppzEdit_, this), 3, 0);
    fields->addWidget(ppzEdit_, 3, 1, 1, 2);
    modelEdit_ = new QLineEdit(this);
    modelEdit_->setObjectName(QStringLiteral("modelEdit"));
    fields->addWidget(Buddy(QStringLiteral("&Модель"), modelEdit_, this), 4, 0);
    fields->addWidget(modelEdit_, 4, 1, 1, 2);
    chooseButton_ = new QPushButton(QStringLiteral("&Выбрать"), this);
    chooseButton_->setObjectName(QStringLiteral("chooseButton"));
    fields->addWidget(chooseButton_, 4, 3);
    fields->setColumnStretch(1, 1);
    right->addWidget(BuildPositionBox());

    pageBox_ = new QGroupBox(this);
    auto* pageLayout = new QVBoxLayout(pageBox_);
    pages_ = new QStackedWidget(pageBox_);
    pages_->setObjectName(QStringLiteral("pages"));
    pages_->addWidget(BuildPumpPage());
    pages_->addWidget(BuildReducerPage());
    pages_->addWidget(BuildGatePage());
    pages_->addWidget(BuildCranePage());
    pages_->addWidget(BuildTankPage());
    pages_->addWidget(BuildVacuumPage());
    pages_->addWidget(BuildWellPage());
    pages_->addWidget(BuildConnectionPage());
    pages_->addWidget(BuildTextPage(EditDeviceTexts::kNumberNode));
    pages_->addWidget(BuildMachinePage());
    pages_->addWidget(BuildTextPage(DeviceEditTexts::kUnsupported));
    pageLayout->addWidget(pages_);
    pageBox_->setMinimumHeight(190);
    root->addWidget(pageBox_, 1);

    auto* bottom = new QHBoxLayout;
    previous_ = new QPushButton(QStringLiteral("&<--- пред. устройство"), this);
    next_ = new QPushButton(QStringLiteral("след. ---&> устройство"), this);
    ok_ = new QPushButton(QStringLiteral("OK"), this);
    cancel_ = new QPushButton(QStringLiteral("Отмена"), this);
    previous_->setObjectName(QStringLiteral("previous"));
    next_->setObjectName(QStringLiteral("next"));
    ok_->setObjectName(QStringLiteral("ok"));
    cancel_->setObjectName(QStringLiteral("cancel"));
    ok_->setDefault(true);
    bottom->addWidget(previous_);
    bottom->addWidget(next_);
    bottom->addStretch();
    bottom->addWidget(ok_);
    bottom->addWidget(cancel_);
    root->addLayout(bottom);

    connect(previous_, &QPushButton::clicked, this, [this] { GoToNeighbour(-1); });
    connect(next_, &QPushButton::clicked, this, [this] { GoToNeighbour(+1); });
    connect(ok_, &QPushButton::clicked, this, &TEditDeviceForm::Confirm);
    connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);
    connect(chooseButton_, &QPushButton::clicked, this, &TEditDeviceForm::ChooseModel);
    connect(freeNumbers_, &QPushButton::clicked, this, &TEditDeviceForm::PickFreeNumber);
    connect(kindList_, &QListWidget::currentRowChanged, this, &TEditDeviceForm::KindChosen);
    connect(branchBox_, &QComboBox::currentIndexChanged, this, &TEditDeviceForm::BranchChosen);
    connect(pipeBox_, &QComboBox::currentIndexChanged, this, &TEditDeviceForm::PipeChosen);
    connect(numberSpin_, &QSpinBox::valueChanged, this, [this](int value) {
        if (loading_ || draft_.Kind != dkConnection)
            return;
        const int i = draft_.SelectedConnection;
        if (i >= 0 && i < int(draft_.Connections.size())) {
            draft_.Connections[size_t(i)].NodeNumber = value;
            if (QListWidgetItem* item = connectionList_->item(i))
                item->setText(QStringLiteral("Труба №%1\tУзел №%2").arg(draft_.Connections[size_t(i)].PipeNo).arg(value));
        }
    });
}
