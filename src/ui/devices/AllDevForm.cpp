#include "ui/devices/AllDevForm.h"

#include "core/devices/PipeEdits.h"
#include "core/history/EditTransaction.h"
#include "core/model/Branch.h"
#include "core/model/DeviceKinds.h"
#include "core/model/ListSorting.h"
#include "core/model/Mine.h"
#include "core/model/Pipe.h"
#include "core/settings/Config.h"
#include "ui/app/HelpContexts.h"
#include "ui/app/WinColor.h"
#include "ui/common/MessageBoxes.h"
#include "ui/document/ChildForm.h"
#include "ui/common/WideEntryHints.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QStackedWidget>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>

#include <optional>

namespace {

// The undo step of a group command.
QString GroupCaption(AllDevicesTable::TGroupCommand command)
{
    switch (command) {
    case AllDevicesTable::TGroupCommand::OpenAllGates: return QStringLiteral("Открытие задвижек");
    case AllDevicesTable::TGroupCommand::CloseAllCranes: return QStringLiteral("Закрытие кранов");
    case AllDevicesTable::TGroupCommand::SwitchOffAllPumps: return QStringLiteral("Отключение насосов");
    case AllDevicesTable::TGroupCommand::SwitchOffAllReducers: return QStringLiteral("Отключение редукторов");
    }
    return QString();
}

constexpr int kHelpContext = 82;
const QStringList kPipes{QStringLiteral("Пожарно-оросительный"), QStringLiteral("Водоотливный"),
                         QStringLiteral("Воздухопровод"), QStringLiteral("Газопровод")};
const int kKindCodes[] = {dkAll, dkPump, dkReducer, dkGate, dkCrane, dkJetBreakTank, dkFireMachine};

// What the window keeps for the next opening in this run.
struct TRemembered {
    int Kind = 0;
    bool ClosedGates = false;
    bool Consumers = false;
    int Pipe = 0;
    int Row = 1;
    std::optional<QRect> Bounds;
};
TRemembered& Remembered()
{
    static TRemembered remembered;
    return remembered;
}

QTableWidgetItem* Cell(const QString& text)
{
    auto* item = new QTableWidgetItem(text);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    return item;
}

}  // namespace

TAllDevForm::TAllDevForm(TChildForm& document, const TConfig& config, TAllDevicesHooks hooks, const QComboBox* seams,
                         const QComboBox* positions, QWidget* parent, const std::vector<TDevice*>* given)
    : QDialog(parent), document_(document), config_(config), hooks_(std::move(hooks))
{
    setWindowTitle(QStringLiteral("Все оборудование"));
    setObjectName(QStringLiteral("AllDevForm"));
    HelpContexts::Set(this, kHelpContext);
    BuildWidgets(given ? nullptr : seams, given ? nullptr : positions);
    TRemembered& r = Remembered();
    resize(760, 620);
    if (r.Bounds)
        setGeometry(*r.Bounds);
    TMine& mine = *document_.Mine();
    watch_.Start(&mine, [this](const TMineObject* gone) { ObjectGone(gone); });
    if (given) {
        // The devices chosen on the schema and their branches become the selection.
        kindBox_->setCurrentIndex(0);
        pipesBox_->setCurrentIndex(0);
        FillBranches();
        mine.Selection.RemoveClass<TBranch>();
        mine.Selection.RemoveClass<TDevice>();
        for (TDevice* d : *given) {
            mine.Selection.Add(d);
            if (d->Branch())
                mine.Selection.Add(d->Branch());
        }
        KindChanged(false);
    } else {
        kindBox_->setCurrentIndex(std::clamp(r.Kind, 0, kindBox_->count() - 1));
        closedGates_->setChecked(r.ClosedGates);
        onlyConsumers_->setChecked(r.Consumers);
        pipesBox_->setCurrentIndex(std::clamp(r.Pipe, 0, pipesBox_->count() - 1));
        FillBranches();
        AllDevicesTable::SelectOnly(mine, branches_);
        order_ = AllDevicesTable::TOrder::Number;
        KindChanged(false);
        if (r.Row < devGrid_->rowCount())
            devGrid_->setCurrentCell(r.Row - 1, 0);
    }
    document_.BranchGrid()->viewport()->update();
}

TAllDevForm::~TAllDevForm()
{
    TRemembered& r = Remembered();
    r.Kind = kindBox_->currentIndex();
    r.ClosedGates = closedGates_->isChecked();
    r.Consumers = onlyConsumers_->isChecked();
    r.Pipe = pipesBox_->currentIndex();
    r.Row = devGrid_->currentRow() + 1;
    r.Bounds = geometry();
}

void TAllDevForm::BuildWidgets(const QComboBox* seams, const QComboBox* positions)
{
    branchGrid_ = new QTableWidget(this);
    branchGrid_->setObjectName(QStringLiteral("BranchGrid"));
    branchGrid_->setColumnCount(7);
    branchGrid_->setHorizontalHeaderLabels({QStringLiteral("ВСЕ"), QStringLiteral("Номер"), QStringLiteral("Нач.\nузел"),
                                            QStringLiteral("Кон.\nузел"), QStringLiteral("Длина,\nм"),
                                            QStringLiteral("Угол,\nград"), QStringLiteral("Комментарий")});
    const int branchWidths[] = {30, 41, 42, 39, 49, 50, 343};
    for (int c = 0; c < 7; ++c)
        branchGrid_->setColumnWidth(c, branchWidths[c]);
    devGrid_ = new QTableWidget(this);
    devGrid_->setObjectName(QStringLiteral("DevGrid"));
    for (QTableWidget* grid : {branchGrid_, devGrid_}) {
        grid->verticalHeader()->hide();
        grid->setSelectionBehavior(QAbstractItemView::SelectRows);
        grid->setSelectionMode(QAbstractItemView::SingleSelection);
        grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
        grid->verticalHeader()->setDefaultSectionSize(16 + 4);
        grid->horizontalHeader()->setMinimumHeight(32);
        // The last column ("Выработка", "Комментарий") takes the rest of the width.
        grid->horizontalHeader()->setStretchLastSection(true);
        grid->installEventFilter(this);
        // The headings and the first column are clicked on: a pointing hand over them.
        grid->horizontalHeader()->setCursor(Qt::PointingHandCursor);
    }
    connect(branchGrid_->horizontalHeader(), &QHeaderView::sectionClicked, this, &TAllDevForm::ClickBranchHeading);
    connect(devGrid_->horizontalHeader(), &QHeaderView::sectionClicked, this, &TAllDevForm::ClickDeviceHeading);
    connect(branchGrid_, &QTableWidget::cellClicked, this, [this](int row, int column) {
        if (column == 0 && row >= 0 && row < int(branches_.size())) {
            branches_[size_t(row)]->SetSelected(!branches_[size_t(row)]->Selected());
            SelectionChanged();
        }
    });
    connect(devGrid_, &QTableWidget::cellClicked, this, [this](int row, int column) {
        if (row < 0 || row >= int(devices_.size()))
            return;
        if (column == 0) {
            devices_[size_t(row)]->SetSelected(!devices_[size_t(row)]->Selected());
            FillDevices(false);
            devGrid_->setCurrentCell(row, 0);
        }
        // The branch table follows to the device's branch.
        const auto it = std::find(branches_.begin(), branches_.end(), devices_[size_t(row)]->Branch());
        if (it != branches_.end())
            branchGrid_->setCurrentCell(int(it - branches_.begin()), branchGrid_->currentColumn() < 0 ? 1 : branchGrid_->currentColumn());
    });
    connect(devGrid_, &QTableWidget::cellDoubleClicked, this, [this](int row, int column) {
        if (row >= 0 && column > 0)
            AddEditDelete(1);
    });

    filterGroup_ = new QGroupBox(this);
    filterGroup_->setObjectName(QStringLiteral("FilterGroup"));
    layerBox_ = new QComboBox(filterGroup_);
    layerBox_->setObjectName(QStringLiteral("cbLayer"));
    plfBox_ = new QComboBox(filterGroup_);
    plfBox_->setObjectName(QStringLiteral("cbPLF"));
    // The main window's seam and position boxes, as they stand; entry 0 lets every branch pass.
    for (auto [target, source, all] : {std::tuple{layerBox_, seams, QStringLiteral("все пласты")},
                                       std::tuple{plfBox_, positions, QStringLiteral("все позиции")}}) {
        if (source && source->count() > 0) {
            for (int i = 0; i < source->count(); ++i)
                target->addItem(source->itemText(i));
            target->setCurrentIndex(source->currentIndex());
        } else {
            target->addItem(all);
            const TMine& mine = *document_.Mine();
            const int n = target == layerBox_ ? mine.Layers.Count() : mine.PLFPositions.Count();
            for (int i = 0; i < n; ++i)
                target->addItem(target == layerBox_ ? mine.Layers.Items(i)->Name() : mine.PLFPositions.Items(i)->Name());
        }
        // A seam or position name of hundreds of characters must not widen the window: the
        // box keeps its width, a cut entry shows its whole name as a hint.
        target->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
        target->setMinimumContentsLength(16);
        for (int i = 0; i < target->count(); ++i)
            target->setItemData(i, target->itemText(i), Qt::ToolTipRole);
        TWideEntryHints::Install(target);
    }
    pipesBox_ = new QComboBox(filterGroup_);
    pipesBox_->setObjectName(QStringLiteral("PipesBox"));
    pipesBox_->addItems(kPipes);
    kindBox_ = new QComboBox(filterGroup_);
    kindBox_->setObjectName(QStringLiteral("cbDevType"));
    for (int code : kKindCodes)
        kindBox_->addItem(TDevice::KindFilterName(code), code);
    pages_ = new QStackedWidget(filterGroup_);
    pages_->setObjectName(QStringLiteral("FilterNotebook"));
    BuildFilterPages();

    connect(layerBox_, &QComboBox::activated, this, [this] { KindChanged(true); });
    connect(plfBox_, &QComboBox::activated, this, [this] { KindChanged(true); });
    connect(pipesBox_, &QComboBox::activated, this, [this] { KindChanged(false); });
    connect(kindBox_, &QComboBox::activated, this, [this] { KindChanged(false); });

    auto* filters = new QFormLayout;
    filters->addRow(QStringLiteral("&Пласт"), layerBox_);
    filters->addRow(QStringLiteral("П&ЛА"), plfBox_);
    filters->addRow(QStringLiteral("&Труб."), pipesBox_);
    filters->addRow(QStringLiteral("&Устр."), kindBox_);
    auto* groupLayout = new QHBoxLayout(filterGroup_);
    groupLayout->addLayout(filters, 1);
    groupLayout->addWidget(pages_, 1);

    auto* buttons = new QVBoxLayout;
    const struct {
        const char* name;
        QString caption;
    } kButtons[] = {{"AddBtn", QStringLiteral("&Добавить")},         {"EditBtn", QStringLiteral("П&равка")},
                    {"DelBtn", QStringLiteral("&Удалить")},          {"JumpToGridBtn", QStringLiteral("В &таблицу")},
                    {"JumpToShemaBtn", QStringLiteral("На схему")}, {"PrintBtn", QStringLiteral("&Печать")},
                    {"HelpBtn", QStringLiteral("&Справка")},         {"CloseBtn", QStringLiteral("&Закрыть")}};
    for (const auto& b : kButtons) {
        auto* button = new QPushButton(b.caption, this);
        button->setObjectName(QString::fromLatin1(b.name));
        button->setAutoDefault(false);
        buttons->addWidget(button);
    }
    buttons->addStretch();
    connect(Button(QStringLiteral("AddBtn")), &QPushButton::clicked, this, [this] { AddEditDelete(0); });
    connect(Button(QStringLiteral("EditBtn")), &QPushButton::clicked, this, [this] { AddEditDelete(1); });
    connect(Button(QStringLiteral("DelBtn")), &QPushButton::clicked, this, [this] { AddEditDelete(2); });
    connect(Button(QStringLiteral("JumpToGridBtn")), &QPushButton::clicked, this, [this] { Jump(false); });
    connect(Button(QStringLiteral("JumpToShemaBtn")), &QPushButton::clicked, this, [this] { Jump(true); });
    connect(Button(QStringLiteral("PrintBtn")), &QPushButton::clicked, this, &TAllDevForm::PrintTable);
    connect(Button(QStringLiteral("CloseBtn")), &QPushButton::clicked, this, &QDialog::accept);

    auto* tables = new QVBoxLayout;
    tables->addWidget(branchGrid_, 2);
    tables->addWidget(filterGroup_);
    tables->addWidget(devGrid_, 3);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(tables, 1);
    layout->addLayout(buttons);
}

void TAllDevForm::BuildFilterPages()
{
    auto page = [this](const QString& title) {
        auto* box = new QGroupBox(title, pages_);
        box->setLayout(new QVBoxLayout);
        pages_->addWidget(box);
        return box;
    };
    auto check = [](QGroupBox* box, const QString& caption, bool on) {
        auto* c = new QCheckBox(caption, box);
        c->setChecked(on);
        box->layout()->addWidget(c);
        return c;
    };
    auto group = [this](QGroupBox* box, const char* name, const QString& caption, AllDevicesTable::TGroupCommand command) {
        auto* b = new QPushButton(caption, box);
        b->setObjectName(QString::fromLatin1(name));
        b->setAutoDefault(false);
        box->layout()->addWidget(b);
        connect(b, &QPushButton::clicked, this, [this, command] { RunGroupCommand(command); });
    };
    using G = AllDevicesTable::TGroupCommand;
    page(QStringLiteral("Все"));
    QGroupBox* pumps = page(QStringLiteral("Насосы"));
    pumpsOn_ = check(pumps, QStringLiteral("Включенные"), true);
    pumpsOff_ = check(pumps, QStringLiteral("Отключенные"), true);
    group(pumps, "btnOffAllPump", QStringLiteral("Отключить все"), G::SwitchOffAllPumps);
    QGroupBox* reducers = page(QStringLiteral("Гидроредукторы"));
    reducersOn_ = check(reducers, QStringLiteral("Включенные"), true);
    reducersOff_ = check(reducers, QStringLiteral("Отключенные"), true);
    group(reducers, "btnOffAllReducer", QStringLiteral("Отключить все"), G::SwitchOffAllReducers);
    QGroupBox* gates = page(QStringLiteral("Задвижки"));
    closedGates_ = check(gates, QStringLiteral("Только закрытые"), false);
    closedGates_->setObjectName(QStringLiteral("cbClosedGates"));
    group(gates, "btnOpenAllGates", QStringLiteral("Открыть все"), G::OpenAllGates);
    QGroupBox* cranes = page(QStringLiteral("Краны"));
    onlyConsumers_ = check(cranes, QStringLiteral("Только потребители"), false);
    onlyConsumers_->setObjectName(QStringLiteral("cbOnCranes"));
    group(cranes, "btnCloseAllCranes", QStringLiteral("Закрыть все"), G::CloseAllCranes);
    QGroupBox* tanks = page(QStringLiteral("Резервуары"));
    withoutBypass_ = check(tanks, QStringLiteral("Без обвода"), true);
    withBypass_ = check(tanks, QStringLiteral("С обводом"), true);
    for (const QString& title : {QStringLiteral("Вакуум-насосы"), QStringLiteral("Дегаз. скважины"),
                                 QStringLiteral("Соединения"), QStringLiteral("Нум.узлы")})
        page(title);
    page(QString());  // fire engines: an empty options area
    for (QCheckBox* box : {pumpsOn_, pumpsOff_, reducersOn_, reducersOff_, closedGates_, onlyConsumers_, withoutBypass_,
                           withBypass_})
        connect(box, &QCheckBox::clicked, this, [this] { KindChanged(false); });
    for (int i = 0; i < pages_->count(); ++i)
        static_cast<QVBoxLayout*>(pages_->widget(i)->layout())->addStretch();
}

QPushButton* TAllDevForm::Button(const QString& name) const { return findChild<QPushButton*>(name); }

TAllDevicesFilter TAllDevForm::Filter() const
{
    TAllDevicesFilter f;
    f.Seam = layerBox_->currentIndex() - 1;
    f.Position = plfBox_->currentIndex() - 1;
    f.PipeEntry = pipesBox_->currentIndex();
    f.KindCode = kindBox_->currentData().toInt();
    f.PumpsOn = pumpsOn_->isChecked();
    f.PumpsOff = pumpsOff_->isChecked();
    f.ReducersOn = reducersOn_->isChecked();
    f.ReducersOff = reducersOff_->isChecked();
    f.OnlyClosedGates = closedGates_->isChecked();
    f.OnlyConsumers = onlyConsumers_->isChecked();
    f.TanksWithoutBypass = withoutBypass_->isChecked();
    f.TanksWithBypass = withBypass_->isChecked();
    return f;
}

void TAllDevForm::KindChanged(bool rebuildBranches)
{
    pages_->setCurrentIndex(kindBox_->currentData().toInt());
    // Kinds that cannot sit on the chosen pipe are greyed in the kind box.
    const bool gas = pipesBox_->currentIndex() == 3;
    for (int i = 1; i < kindBox_->count(); ++i) {
        const int kind = kindBox_->itemData(i).toInt();
        const bool fits = gas ? TPipe::GasAccepts(kind) : TPipe::WaterAccepts(kind);
        kindBox_->setItemData(i, fits ? QVariant() : QVariant(palette().color(QPalette::Disabled, QPalette::Text)),
                              Qt::ForegroundRole);
    }
    if (rebuildBranches)
        FillBranches();
    FillDevices(true);
}

void TAllDevForm::ObjectGone(const TMineObject* gone)
{
    // Compared by address only: the object is half destroyed, the mine mid-change.
    if (!gone) {
        branches_.clear();
        devices_.clear();
    } else {
        std::erase(branches_, gone);
        std::erase(devices_, gone);
    }
    if (refillPending_)
        return;
    refillPending_ = true;
    QTimer::singleShot(0, this, [this] {
        refillPending_ = false;
        ShowBranches();
        FillDevices(false);
    });
}

void TAllDevForm::FillBranches()
{
    branches_ = AllDevicesTable::ListBranches(*document_.Mine(), Filter());
    ShowBranches();
}

void TAllDevForm::ShowBranches()
{
    const QColor selected = ToQColor(config_.SelCell.BackColor);
    branchGrid_->setRowCount(int(branches_.size()));
    for (int r = 0; r < int(branches_.size()); ++r) {
        const TBranch* b = branches_[size_t(r)];
        const QStringList cells{QString::number(r + 1),           QString::number(b->Number()),
                                QString::number(b->StartNumber()), QString::number(b->EndNumber()),
                                QString::number(b->Length(), 'f', 1), QString::number(b->Angle(), 'f', 1),
                                b->Remark()};
        for (int c = 0; c < cells.size(); ++c) {
            QTableWidgetItem* item = Cell(cells[c]);
            if (b->Selected())
                item->setBackground(selected);
            branchGrid_->setItem(r, c, item);
        }
    }
}

void TAllDevForm::FillDevices(bool rebuildColumns)
{
    const TAllDevicesFilter filter = Filter();
    // Collected again after every change: a new connection or a deleted device may have
    // changed what the listed branches carry.
    devices_ = AllDevicesTable::Collect(branches_, filter);
    AllDevicesTable::Sort(devices_, order_);
    const QStringList headings = AllDevicesTable::Headings(filter.KindCode);
    if (rebuildColumns || devGrid_->columnCount() != headings.size()) {
        devGrid_->setColumnCount(int(headings.size()));
        QStringList shown;
        for (const QString& h : headings)
            shown << QString(h).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        devGrid_->setHorizontalHeaderLabels(shown);
        devGrid_->setColumnWidth(0, 30);
        const std::vector<int> widths = AllDevicesTable::InitialWidths(filter.KindCode);
        int used = 30;
        for (size_t i = 0; i < widths.size(); ++i) {
            devGrid_->setColumnWidth(int(i) + 1, widths[i]);
            used += widths[i];
        }
        const int rest = devGrid_->viewport()->width() - used - int(headings.size());
        devGrid_->setColumnWidth(int(headings.size()) - 1, rest > 50 ? rest : 300);
    }
    const QColor selected = ToQColor(config_.SelCell.BackColor);
    const int current = devGrid_->currentRow();
    devGrid_->setRowCount(std::max<int>(1, int(devices_.size())));
    devGrid_->clearContents();
    for (int r = 0; r < int(devices_.size()); ++r) {
        const QStringList cells = AllDevicesTable::Cells(*devices_[size_t(r)], filter.KindCode, r + 1);
        for (int c = 0; c < cells.size(); ++c) {
            QTableWidgetItem* item = Cell(QString(cells[c]).replace(QLatin1Char('\t'), QStringLiteral("  ")));
            if (devices_[size_t(r)]->Selected())
                item->setBackground(selected);
            devGrid_->setItem(r, c, item);
        }
    }
    if (current >= 0 && current < int(devices_.size()))
        devGrid_->setCurrentCell(current, std::max(0, devGrid_->currentColumn()));
    filterGroup_->setTitle(QStringLiteral(" Фильтр устройств (сейчас %1)  ").arg(devices_.size()));
    UpdateButtons();
}

void TAllDevForm::UpdateButtons()
{
    const bool branches = !branches_.empty();
    const bool devices = branches && !devices_.empty();
    Button(QStringLiteral("AddBtn"))->setEnabled(branches);
    for (const char* name : {"EditBtn", "DelBtn", "JumpToGridBtn", "JumpToShemaBtn", "PrintBtn"})
        Button(QString::fromLatin1(name))->setEnabled(devices);
    devGrid_->setVisible(branches);
}

void TAllDevForm::SelectionChanged()
{
    const int row = branchGrid_->currentRow();
    FillBranches();
    if (row >= 0 && row < branchGrid_->rowCount())
        branchGrid_->setCurrentCell(row, 0);
    document_.BranchGrid()->viewport()->update();
    FillDevices(false);
}

TDevice* TAllDevForm::CurrentDevice() const
{
    const int row = devGrid_->currentRow();
    return row >= 0 && row < int(devices_.size()) ? devices_[size_t(row)] : nullptr;
}

void TAllDevForm::ClickDeviceHeading(int column)
{
    if (column == 0) {
        AllDevicesTable::ToggleAll(*document_.Mine(), devices_);
    } else {
        order_ = AllDevicesTable::OrderForColumn(kindBox_->currentData().toInt(), column, order_);
    }
    FillDevices(false);
}

void TAllDevForm::ClickBranchHeading(int column)
{
    if (column == 0) {
        AllDevicesTable::ToggleAll(*document_.Mine(), branches_);
        SelectionChanged();
        return;
    }
    // Columns 1–6 are the branch table's column types 0–5, each with its sort order.
    branches_ = ListSorting::SortedBranches(std::move(branches_), column - 1, false);
    ShowBranches();
    FillDevices(false);
}

void TAllDevForm::RunGroupCommand(AllDevicesTable::TGroupCommand command)
{
    if (MessageBoxes::Show(this, {kApplicationTitle, AllDevicesTable::Question(command), TMsgIcon::Question,
                                  TMsgButtons::YesNo}) != TMsgAnswer::Yes)
        return;
    // Every device of the kind in the whole mine may change.
    TEditTransaction tx(&document_.History(), GroupCaption(command), TEditScope::WholeMine);
    if (AllDevicesTable::Apply(*document_.Mine(), command) > 0) {
        tx.Commit();
        document_.SetModified(true);
    }
    KindChanged(false);
}

void TAllDevForm::AddEditDelete(int which)
{
    TDevice* device = CurrentDevice();
    TBranch* branch = device ? device->Branch() : document_.CurrentBranch();
    if (!branch)
        return;
    if (which == 0) {
        if (hooks_.Add)
            hooks_.Add(branch, kindBox_->currentData().toInt(), std::min(pipesBox_->currentIndex(), 3));
    } else if (!device) {
        return;
    } else if (which == 1) {
        if (hooks_.Edit)
            hooks_.Edit(device);
    } else {
        if (MessageBoxes::Show(this, {QStringLiteral("Подтверждение"), AllDevicesTable::DeleteQuestion(*device),
                                      TMsgIcon::Question, TMsgButtons::YesNo}) != TMsgAnswer::Yes)
            return;
        devices_.erase(std::remove(devices_.begin(), devices_.end(), device), devices_.end());
        TEditTransaction tx(&document_.History(), QStringLiteral("Удаление устройства"), TEditScope::Objects);
        tx.Touch(device);
        PipeEdits::DeleteDevice(device);
        tx.Commit();
        document_.SetModified(true);
    }
    // Whatever changed, the table is collected again (a new device shows at once).
    FillDevices(false);
}

void TAllDevForm::Jump(bool toSchema)
{
    TDevice* device = CurrentDevice();
    if (!device)
        return;
    hide();
    if (toSchema) {
        if (hooks_.ShowOnSchema)
            hooks_.ShowOnSchema(device);
    } else if (hooks_.ShowInTable) {
        hooks_.ShowInTable(device->Branch());
    }
    accept();
}

void TAllDevForm::PrintTable()
{
    if (!hooks_.Print)
        return;
    TDevicesReportInputs inputs;
    inputs.Mine = document_.Mine();
    inputs.Devices.assign(devices_.begin(), devices_.end());
    inputs.Layer = layerBox_->currentText();
    inputs.Pipe = pipesBox_->currentText();
    inputs.Kinds = kindBox_->currentText().trimmed();
    inputs.KindCode = kindBox_->currentData().toInt();
    hooks_.Print(inputs);
}

void TAllDevForm::keyPressEvent(QKeyEvent* event)
{
    // Enter works on the current row (not on whatever lies under the mouse).
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && devGrid_->hasFocus()) {
        AddEditDelete(1);
        return;
    }
    QDialog::keyPressEvent(event);
}

bool TAllDevForm::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (watched == devGrid_) {
            if (key->key() == Qt::Key_Space) {
                if (TDevice* d = CurrentDevice()) {
                    d->SetSelected(!d->Selected());
                    FillDevices(false);
                }
                return true;
            }
            if (key->key() == Qt::Key_A) {
                ClickDeviceHeading(0);
                return true;
            }
            if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
                AddEditDelete(1);
                return true;
            }
        } else if (watched == branchGrid_) {
            const int row = branchGrid_->currentRow();
            if (key->key() == Qt::Key_Space && row >= 0 && row < int(branches_.size())) {
                branches_[size_t(row)]->SetSelected(!branches_[size_t(row)]->Selected());
                SelectionChanged();
                return true;
            }
            if (key->key() == Qt::Key_A && (key->modifiers() & Qt::ControlModifier)) {
                ClickBranchHeading(0);
                return true;
            }
        }
    }
    return QDialog::eventFilter(watched, event);
}
