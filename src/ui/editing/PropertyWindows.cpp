#include "ui/editing/PropertyWindows.h"

#include "core/hydraulics/HydroResults.h"
#include "core/schema/ObjectProperties.h"
#include "core/model/Branch.h"
#include "core/model/DeviceKinds.h"
#include "core/model/Layer.h"
#include "core/model/Mine.h"
#include "core/model/Pipe.h"
#include "core/model/PipePart.h"
#include "core/model/Uzel.h"
#include "ui/app/HelpContexts.h"
#include "ui/app/HelpViewer.h"
#include "ui/document/ChildForm.h"
#include "ui/editing/SectionChart.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTimer>
#include <QStackedLayout>
#include <QToolButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include <optional>

using ObjectProperties::Fixed;

namespace {

constexpr int kUzelHelp = 102;
constexpr int kBranchHelp = 101;

// Both windows open where the last one of either kind was closed; the first one centred.
std::optional<QPoint>& LastPosition()
{
    static std::optional<QPoint> position;
    return position;
}

QLineEdit* ReadOnly(QWidget* parent, const QString& name)
{
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(name);
    edit->setReadOnly(true);
    return edit;
}

// A row of the form: caption and a read-only value.
QLineEdit* AddRow(QFormLayout* form, const QString& caption, const QString& value, const QString& name = {})
{
    QLineEdit* edit = ReadOnly(form->parentWidget(), name.isEmpty() ? caption : name);
    edit->setText(value);
    form->addRow(caption, edit);
    return edit;
}

// A result field: the value when there is one, else empty and greyed.
void AddResultRow(QFormLayout* form, const QString& caption, std::optional<double> value, const QString& name)
{
    AddRow(form, caption, value ? Fixed(*value) : QString(), name)->setEnabled(value.has_value());
}

// A pressure the results give, or none.
template <class F>
std::optional<double> Pressure(const THydroResults* results, F&& find)
{
    double p = 0;
    if (results && find(*results, p))
        return p;
    return std::nullopt;
}

void Clear(QFormLayout* form)
{
    while (form->rowCount() > 0)
        form->removeRow(0);
}

QDialogButtonBox* CloseAndHelp(QDialog* dialog)
{
    auto* buttons = new QDialogButtonBox(dialog);
    QPushButton* close = buttons->addButton(QStringLiteral("&Закрыть"), QDialogButtonBox::RejectRole);
    QPushButton* help = buttons->addButton(QStringLiteral("С&правка"), QDialogButtonBox::HelpRole);
    QObject::connect(close, &QPushButton::clicked, dialog, &QDialog::close);
    HelpViewer::Attach(dialog, help);  // the button and F1: the window's page
    return buttons;
}

// The object is still in its document's mine (it may have been deleted since it was bound).
template <class T, class List>
T* StillThere(const QPointer<TChildForm>& document, T* object, List TMine::*list)
{
    return document && object && (document->Mine()->*list).IndexOf(object) >= 0 ? object : nullptr;
}

}  // namespace

// ---------------------------------------------------------------------------------------
// Node

TUzelPropForm::TUzelPropForm(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("UzelPropForm"));
    HelpContexts::Set(this, kUzelHelp);
    auto* geometry = new QGroupBox(QStringLiteral(" Геометрич. параметры "), this);
    auto* g = new QFormLayout(geometry);
    x_ = ReadOnly(geometry, QStringLiteral("X"));
    y_ = ReadOnly(geometry, QStringLiteral("Y"));
    z_ = ReadOnly(geometry, QStringLiteral("Z"));
    surface_ = new QCheckBox(QStringLiteral("Поверхность"), geometry);
    surface_->setEnabled(false);
    incident_ = ReadOnly(geometry, QStringLiteral("Incident"));
    g->addRow(QStringLiteral("X (м)"), x_);
    g->addRow(QStringLiteral("Y (м)"), y_);
    g->addRow(QStringLiteral("Z (м)"), z_);
    g->addRow(surface_);
    g->addRow(QStringLiteral("Кол-во инц. ветвей"), incident_);
    auto* physics = new QGroupBox(QStringLiteral(" Физич. параметры "), this);
    auto* p = new QFormLayout(physics);
    pressure_ = ReadOnly(physics, QStringLiteral("Pressure"));
    pressure_->setEnabled(false);
    p->addRow(QStringLiteral("Давление (м)"), pressure_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(geometry);
    layout->addWidget(physics);
    layout->addWidget(CloseAndHelp(this));
    if (LastPosition())
        move(*LastPosition());
    connect(this, &QDialog::finished, this, [this] { LastPosition() = pos(); });
    Bind(nullptr, nullptr);
}

void TUzelPropForm::Bind(TChildForm* document, TUzel* uzel)
{
    if (document_ != document) {
        if (document_)
            disconnect(document_, nullptr, this, nullptr);
        document_ = document;
        if (document) {
            connect(document, &TChildForm::MineEdited, this, &TUzelPropForm::Refresh);
            connect(document, &TChildForm::HydroResultsChanged, this, &TUzelPropForm::Refresh);
            // The document and its mine go: nothing of them stays behind in this window.
            // (At this signal the pointer to it is not yet cleared: it is let go by hand.)
            connect(document, &QObject::destroyed, this, [this] {
                document_ = nullptr;
                uzel_ = nullptr;
                Refresh();
            });
        }
    }
    uzel_ = uzel;
    // Dropped the moment the node (or the mine) is freed; the caption follows with the change.
    watch_.Start(document ? document->Mine() : nullptr, [this](const TMineObject* gone) {
        if (!gone || gone == uzel_)
            uzel_ = nullptr;
    });
    Refresh();
}

void TUzelPropForm::Refresh()
{
    uzel_ = StillThere(document_, uzel_, &TMine::Uzels);
    setWindowTitle(uzel_ ? QStringLiteral("Узел № %1").arg(uzel_->Number()) : QStringLiteral("Свойства узла"));
    x_->setText(uzel_ ? Fixed(uzel_->X()) : QString());
    y_->setText(uzel_ ? Fixed(uzel_->Y()) : QString());
    z_->setText(uzel_ ? Fixed(uzel_->Z()) : QString());
    surface_->setChecked(uzel_ && uzel_->Surface());
    incident_->setText(uzel_ ? QString::number(uzel_->IncidentCount()) : QString());
    const std::optional<double> pressure =
        uzel_ ? Pressure(document_->HydroResults(), [this](const THydroResults& r, double& p) {
            return ObjectProperties::UzelPressure(*uzel_, r, p);
        })
              : std::nullopt;
    pressure_->setText(pressure ? Fixed(*pressure) : QString());
    pressure_->setEnabled(pressure.has_value());
}

QString TUzelPropForm::Field(const QString& name) const
{
    const auto* edit = findChild<QLineEdit*>(name);
    return edit ? edit->text() : QString();
}

void TUzelPropForm::ShowModal(QWidget* parent, TChildForm* document, TUzel* uzel)
{
    if (!uzel)
        return;
    TUzelPropForm form(parent);
    form.Bind(document, uzel);
    form.exec();
}

// ---------------------------------------------------------------------------------------
// Branch

TBranchPropForm::TBranchPropForm(THooks hooks, QWidget* parent) : QDialog(parent), hooks_(std::move(hooks))
{
    setObjectName(QStringLiteral("BranchPropForm"));
    HelpContexts::Set(this, kBranchHelp);
    pages_ = new QTabWidget(this);

    auto* branchPage = new QWidget(pages_);
    branchForm_ = new QFormLayout(branchPage);
    pages_->addTab(branchPage, QStringLiteral("Параметры ветви"));

    auto* pipePage = new QWidget(pages_);
    auto* pipeLayout = new QVBoxLayout(pipePage);
    pipeBox_ = new QComboBox(pipePage);
    pipeBox_->setObjectName(QStringLiteral("PipeBox"));
    auto* pipeFields = new QWidget(pipePage);
    pipeForm_ = new QFormLayout(pipeFields);
    resistance_ = new QLabel(pipePage);
    resistance_->setWordWrap(true);
    auto* editPipe = new QPushButton(QStringLiteral("&Редактировать..."), pipePage);
    pipeLayout->addWidget(pipeBox_);
    pipeLayout->addWidget(pipeFields);
    pipeLayout->addWidget(resistance_);
    pipeLayout->addWidget(editPipe, 0, Qt::AlignRight);
    pipeLayout->addStretch();
    pages_->addTab(pipePage, QStringLiteral("Трубопровод"));
    connect(pipeBox_, &QComboBox::currentIndexChanged, this, &TBranchPropForm::ShowPipe);
    connect(editPipe, &QPushButton::clicked, this, [this] {
        if (branch_ && hooks_.EditPipe) {
            hooks_.EditPipe(branch_);
            Refresh();
        }
    });

    auto* devicePage = new QWidget(pages_);
    auto* deviceLayout = new QHBoxLayout(devicePage);
    auto* left = new QVBoxLayout;
    devicePipeBox_ = new QComboBox(devicePage);
    devicePipeBox_->setObjectName(QStringLiteral("DevicePipeBox"));
    devices_ = new QListWidget(devicePage);
    devices_->setObjectName(QStringLiteral("DeviceList"));
    deviceCount_ = new QLabel(devicePage);
    left->addWidget(devicePipeBox_);
    left->addWidget(devices_, 1);
    left->addWidget(deviceCount_);
    auto* right = new QVBoxLayout;
    auto* deviceFields = new QWidget(devicePage);
    deviceForm_ = new QFormLayout(deviceFields);
    auto* editDevice = new QPushButton(QStringLiteral("&Редактировать..."), devicePage);
    right->addWidget(deviceFields);
    right->addStretch();
    right->addWidget(editDevice, 0, Qt::AlignRight);
    deviceLayout->addLayout(left, 1);
    deviceLayout->addLayout(right, 1);
    pages_->addTab(devicePage, QStringLiteral("Устройства"));
    connect(devicePipeBox_, &QComboBox::currentIndexChanged, this, &TBranchPropForm::ShowDevices);
    connect(devices_, &QListWidget::currentRowChanged, this, &TBranchPropForm::ShowDevice);
    connect(editDevice, &QPushButton::clicked, this, [this] {
        QListWidgetItem* item = devices_->currentItem();
        if (item && hooks_.EditDevice) {
            hooks_.EditDevice(static_cast<TDevice*>(item->data(Qt::UserRole).value<void*>()));
            Refresh();
        }
    });
    // The pipeline's sections and their chart: shown only while the document holds results.
    sectionsPage_ = new QWidget(pages_);
    auto* sectionsLayout = new QVBoxLayout(sectionsPage_);
    sectionData_ = new QWidget(sectionsPage_);
    auto* data = new QHBoxLayout(sectionData_);
    auto* list = new QVBoxLayout;
    sections_ = new QListWidget(sectionData_);
    sectionCount_ = new QLabel(sectionData_);
    list->addWidget(sections_, 1);
    list->addWidget(sectionCount_);
    auto* fields = new QWidget(sectionData_);
    sectionForm_ = new QFormLayout(fields);
    data->addLayout(list, 1);
    data->addWidget(fields, 1);
    chart_ = new TSectionChart(sectionsPage_);
    chart_->hide();
    auto* buttons = new QHBoxLayout;
    quantities_ = new QButtonGroup(sectionsPage_);
    quantities_->setExclusive(false);
    for (int i = 0; i < ObjectProperties::kSectionQuantities; ++i) {
        auto* b = new QToolButton(sectionsPage_);
        b->setText(QString::number(i + 1));
        b->setToolTip(ObjectProperties::QuantityHint(i));
        b->setCheckable(true);
        quantities_->addButton(b, i);
        buttons->addWidget(b);
    }
    // One button down at a time; with none down the chart shows the start pressures (7).
    connect(quantities_, &QButtonGroup::idClicked, this, [this](int id) {
        const bool down = quantities_->button(id)->isChecked();
        for (QAbstractButton* b : quantities_->buttons())
            if (b != quantities_->button(id))
                b->setChecked(false);
        ChooseQuantity(down ? id : 7);
    });
    chartButton_ = new QPushButton(QStringLiteral("График"), sectionsPage_);
    connect(chartButton_, &QPushButton::clicked, this, [this] {
        const bool chart = !chart_->isVisible();
        chart_->setVisible(chart);
        sectionData_->setVisible(!chart);
        chartButton_->setText(chart ? QStringLiteral("Данные") : QStringLiteral("График"));
    });
    buttons->addStretch();
    buttons->addWidget(chartButton_);
    sectionsLayout->addWidget(sectionData_, 1);
    sectionsLayout->addWidget(chart_, 1);
    sectionsLayout->addLayout(buttons);
    pages_->addTab(sectionsPage_, QStringLiteral("Участки трубопровода"));
    pages_->setTabVisible(pages_->indexOf(sectionsPage_), false);
    connect(sections_, &QListWidget::currentRowChanged, this, &TBranchPropForm::ShowSection);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(pages_);
    layout->addWidget(CloseAndHelp(this));
    resize(520, 460);
    if (LastPosition())
        move(*LastPosition());
    connect(this, &QDialog::finished, this, [this] { LastPosition() = pos(); });
    Bind(nullptr, nullptr);
}

void TBranchPropForm::Bind(TChildForm* document, TBranch* branch)
{
    if (document_ != document) {
        if (document_)
            disconnect(document_, nullptr, this, nullptr);
        document_ = document;
        if (document) {
            connect(document, &TChildForm::MineEdited, this, &TBranchPropForm::Refresh);
            // Results came or went: the pressures and the sections page follow.
            connect(document, &TChildForm::HydroResultsChanged, this, [this] {
                SetResults(document_ ? document_->HydroResults() : nullptr);
            });
            // The document and its mine go: nothing of them stays behind in this window.
            // (At this signal the pointer to it is not yet cleared: it is let go by hand.)
            connect(document, &QObject::destroyed, this, [this] {
                document_ = nullptr;
                branch_ = nullptr;
                Refresh();
            });
        }
    }
    branch_ = branch;
    results_ = document ? document->HydroResults() : nullptr;
    watch_.Start(document ? document->Mine() : nullptr, [this](const TMineObject* gone) { ObjectGone(gone); });
    Refresh();
}

void TBranchPropForm::ObjectGone(const TMineObject* gone)
{
    // The mine is freeing an object (null: the mine goes). The lists and boxes keep pipes,
    // sections and devices of the branch: they are emptied now, without reading anything,
    // and filled again once the change is over.
    if (!gone || gone == branch_)
        branch_ = nullptr;
    for (QComboBox* box : {pipeBox_, devicePipeBox_}) {
        const QSignalBlocker block(box);
        box->clear();
    }
    for (QListWidget* list : {devices_, sections_}) {
        const QSignalBlocker block(list);
        list->clear();
    }
    if (refreshPending_)
        return;
    refreshPending_ = true;
    QTimer::singleShot(0, this, [this] {
        if (refreshPending_)
            Refresh();
    });
}

void TBranchPropForm::Refresh()
{
    refreshPending_ = false;
    branch_ = StillThere(document_, branch_, &TMine::Branches);
    setWindowTitle(branch_ ? QStringLiteral("Ветвь №%1").arg(branch_->Number()) : QStringLiteral("Свойства ветви"));
    Clear(branchForm_);
    if (branch_) {
        const TMine& mine = *branch_->Mine();
        AddRow(branchForm_, QStringLiteral("Номер"), QString::number(branch_->Number()));
        for (const bool start : {true, false}) {
            TUzel* uzel = start ? branch_->StartUzel() : branch_->EndUzel();
            auto* row = new QHBoxLayout;
            QLineEdit* number = ReadOnly(branchForm_->parentWidget(), start ? QStringLiteral("Start") : QStringLiteral("End"));
            number->setText(QString::number(start ? branch_->StartNumber() : branch_->EndNumber()));
            QLineEdit* info = ReadOnly(branchForm_->parentWidget(), QString());
            info->setText(uzel ? uzel->GetInfoText(false).simplified() : QString());
            auto* more = new QPushButton(QStringLiteral("..."), branchForm_->parentWidget());
            more->setEnabled(uzel != nullptr);
            more->setMaximumWidth(28);
            // The node is taken when asked for: it may be freed while the window shows.
            connect(more, &QPushButton::clicked, this, [this, start] {
                if (TUzel* end = branch_ ? (start ? branch_->StartUzel() : branch_->EndUzel()) : nullptr)
                    TUzelPropForm::ShowModal(this, document_, end);
            });
            row->addWidget(number);
            row->addWidget(info, 1);
            row->addWidget(more);
            branchForm_->addRow(start ? QStringLiteral("Нач. узел") : QStringLiteral("Кон. узел"), row);
        }
        AddRow(branchForm_, QStringLiteral("Длина (м)"), Fixed(branch_->Length()), QStringLiteral("Length"));
        AddRow(branchForm_, QStringLiteral("Угол наклона (°)"), Fixed(branch_->Angle()), QStringLiteral("Angle"));
        AddRow(branchForm_, QStringLiteral("Комментарий"), branch_->Remark(), QStringLiteral("Remark"));
        const int seam = branch_->LayerIndex();
        const int position = branch_->PLFIndex();
        const bool seamKnown = seam >= 0 && seam < mine.Layers.Count();
        const bool positionKnown = position >= 0 && position < mine.PLFPositions.Count();
        AddRow(branchForm_, QStringLiteral("Пласт"), seamKnown ? mine.Layers.Items(seam)->Name() : QString(),
               QStringLiteral("Seam"))->setEnabled(seamKnown);
        AddRow(branchForm_, QStringLiteral("Позиция ПЛА"),
               positionKnown ? mine.PLFPositions.Items(position)->Name() : QString(), QStringLiteral("Position"))
            ->setEnabled(positionKnown);
        for (const bool start : {true, false})
            AddResultRow(branchForm_, start ? QStringLiteral("Давление в нач. узле (м)") : QStringLiteral("Давление в кон. узле (м)"),
                         Pressure(results_, [this, start](const THydroResults& r, double& p) {
                             return ObjectProperties::BranchEndPressure(*branch_, start, r, p);
                         }),
                         start ? QStringLiteral("StartPressure") : QStringLiteral("EndPressure"));
    }
    // Both pipe boxes list the pipes anew; "нет" disables what depends on them.
    for (QComboBox* box : {pipeBox_, devicePipeBox_}) {
        const QSignalBlocker block(box);
        box->clear();
        if (branch_)
            for (const TPipe* pipe : ObjectProperties::ListedPipes(*branch_))
                box->addItem(ObjectProperties::PipeName(*pipe), QVariant::fromValue(const_cast<void*>(static_cast<const void*>(pipe))));
        if (box->count() == 0)
            box->addItem(QStringLiteral("нет"));
        box->setCurrentIndex(0);
    }
    ShowPipe();
    ShowDevices();
    ShowSections();
}

void TBranchPropForm::SetResults(const THydroResults* results)
{
    results_ = results;
    Refresh();
}

void TBranchPropForm::ShowSections()
{
    const QSignalBlocker block(sections_);
    sections_->clear();
    const TWaterPipe* fire = branch_ ? branch_->FirePipe() : nullptr;
    const bool shown = results_ && fire && fire->Present() && fire->SectionCount() > 0;
    pages_->setTabVisible(pages_->indexOf(sectionsPage_), shown);
    if (shown)
        for (int i = 0; i < fire->SectionCount(); ++i)
            if (auto* section = dynamic_cast<TWaterPipePart*>(fire->GetSection(i))) {
                auto* item = new QListWidgetItem(QStringLiteral("№%1 - №%2").arg(section->SectionEndNumbers(1))
                                                     .arg(section->SectionEndNumbers(2)), sections_);
                item->setData(Qt::UserRole, QVariant::fromValue(static_cast<void*>(section)));
            }
    sectionCount_->setText(QStringLiteral("Всего участков: %1").arg(sections_->count()));
    sections_->setCurrentRow(sections_->count() > 0 ? 0 : -1);
    ShowSection();
    int chosen = 7;
    for (QAbstractButton* b : quantities_->buttons())
        if (b->isChecked())
            chosen = quantities_->id(b);
    ChooseQuantity(chosen);
}

void TBranchPropForm::ShowSection()
{
    Clear(sectionForm_);
    const QListWidgetItem* item = sections_->currentItem();
    if (!item)
        return;
    const auto* s = static_cast<const TWaterPipePart*>(item->data(Qt::UserRole).value<void*>());
    const TSectionResult* found = results_ ? results_->Find(s) : nullptr;
    const TSectionResult v = found ? *found : TSectionResult{};
    AddRow(sectionForm_, QStringLiteral("Длина (м)"), Fixed(s->SectionLength()));
    AddRow(sectionForm_, QStringLiteral("Длина*K (м)"), Fixed(s->SectionLK()));
    AddRow(sectionForm_, QStringLiteral("Расход воды (м3/ч)"), Fixed(v.Q));
    AddRow(sectionForm_, QStringLiteral("Гидравл. уклон (м вод.ст)"), Fixed(s->SectionGradient(v.R, v.Q)));
    AddRow(sectionForm_, QStringLiteral("Сопротивление (c2/м5)"), Fixed(v.R));
    AddRow(sectionForm_, QStringLiteral("Разность выс. отметок (м)"), Fixed(s->SectionDZ()));
    AddRow(sectionForm_, QStringLiteral("Давление в начале (м):"), Fixed(v.P1));
    AddRow(sectionForm_, QStringLiteral("Давление в конце (м):"), Fixed(v.P2));
    AddRow(sectionForm_, QStringLiteral("Скорость (м/с)"), Fixed(s->SectionVelocity(v.Q)));
    AddRow(sectionForm_, QStringLiteral("Разность давлений (м)"), Fixed(v.P2 - v.P1));
    AddRow(sectionForm_, QStringLiteral("Потери напора (м)"), Fixed(v.DeltaP));
}

void TBranchPropForm::ChooseQuantity(int index)
{
    std::vector<double> values;
    QStringList labels;
    for (int i = 0; i < sections_->count(); ++i) {
        const auto* s = static_cast<const TWaterPipePart*>(sections_->item(i)->data(Qt::UserRole).value<void*>());
        const TSectionResult* found = results_ ? results_->Find(s) : nullptr;
        values.push_back(ObjectProperties::SectionQuantity(*s, found ? *found : TSectionResult{}, index));
        labels << (index == 6 ? QString() : ObjectProperties::SectionBarLabel(*s));
    }
    chart_->SetBars(values, labels, ObjectProperties::QuantityAxisTitle(index));
}

void TBranchPropForm::ShowPipe()
{
    Clear(pipeForm_);
    resistance_->clear();
    const auto* pipe = static_cast<const TPipe*>(pipeBox_->currentData().value<void*>());
    if (!pipe)
        return;
    if (const auto* water = dynamic_cast<const TWaterPipe*>(pipe)) {
        AddRow(pipeForm_, QStringLiteral("Коэф. сопрот-я"), Fixed(water->K(), 2), QStringLiteral("K"));
        AddRow(pipeForm_, QStringLiteral("Диаметр трубы (мм)"), QString::number(water->Diameter()), QStringLiteral("Diameter"));
        AddRow(pipeForm_, QStringLiteral("Длина трубы (м)"), Fixed(water->PipeLength()), QStringLiteral("PipeLength"));
        AddRow(pipeForm_, QStringLiteral("Расположение трубы"), ObjectProperties::Placement(*water), QStringLiteral("Placement"));
        AddRow(pipeForm_, QStringLiteral("Толщина стенок"), QString::number(water->WallThickness()), QStringLiteral("Wall"));
        resistance_->setText(ObjectProperties::ResistanceText(*water));
    } else if (const auto* gas = dynamic_cast<const TGasPipe*>(pipe)) {
        // The diameter is kept in millimetres, and so it is labelled.
        AddRow(pipeForm_, QStringLiteral("Диаметр (мм)"), QString::number(gas->Diameter()), QStringLiteral("Diameter"));
        AddRow(pipeForm_, QStringLiteral("Тип диаметра"), QString::number(gas->DiameterType()));
        AddRow(pipeForm_, QStringLiteral("&Номер трубы"), QString::number(gas->PipeNo()));
        AddRow(pipeForm_, QStringLiteral("Треб. расход смеси (м3/мин)"), Fixed(gas->MixtureFlow(), 2));
        auto* fixed = new QCheckBox(QStringLiteral("Фиксированный расход"), pipeForm_->parentWidget());
        fixed->setChecked(gas->FixedFlow());
        fixed->setEnabled(false);
        pipeForm_->addRow(fixed);
        AddRow(pipeForm_, QStringLiteral("Концентрация метана (%)"), Fixed(gas->MethaneConcentration(), 2));
        AddRow(pipeForm_, QStringLiteral("Температура смеси (°C)"), Fixed(gas->Temperature(), 2));
    }
}

void TBranchPropForm::ShowDevices()
{
    const QSignalBlocker block(devices_);
    devices_->clear();
    const auto* pipe = static_cast<const TPipe*>(devicePipeBox_->currentData().value<void*>());
    devices_->setEnabled(pipe != nullptr);
    if (pipe)
        for (int i = 0; i < pipe->Devices.Count(); ++i) {
            TDevice* device = pipe->Devices.Items(i);
            auto* item = new QListWidgetItem(ObjectProperties::DeviceLine(*device), devices_);
            item->setData(Qt::UserRole, QVariant::fromValue(static_cast<void*>(device)));
        }
    deviceCount_->setText(QStringLiteral("Всего устройств: %1").arg(devices_->count()));
    devices_->setCurrentRow(devices_->count() > 0 ? 0 : -1);
    ShowDevice();
}

void TBranchPropForm::ShowDevice()
{
    Clear(deviceForm_);
    const QListWidgetItem* item = devices_->currentItem();
    if (!item)
        return;
    const auto* d = static_cast<const TDevice*>(item->data(Qt::UserRole).value<void*>());
    AddRow(deviceForm_, QStringLiteral("Модель"), d->Model().isEmpty() ? QStringLiteral("Неизв. модель") : d->Model(),
           QStringLiteral("Model"));
    AddRow(deviceForm_, QStringLiteral("Номер"), QString::number(d->Number()), QStringLiteral("DeviceNumber"));
    AddRow(deviceForm_, QStringLiteral("Выс. отметка (м)"), Fixed(d->GetZ()), QStringLiteral("Elevation"));
    if (const TBranch* b = d->Branch()) {
        AddRow(deviceForm_, QStringLiteral("Расст. от узла %1").arg(b->StartNumber()),
               ObjectProperties::DistanceText(*d, true), QStringLiteral("FromStart"));
        AddRow(deviceForm_, QStringLiteral("Расст. от узла %1").arg(b->EndNumber()),
               ObjectProperties::DistanceText(*d, false), QStringLiteral("FromEnd"));
    }
    AddResultRow(deviceForm_, QStringLiteral("Давление (м)"),
                 Pressure(results_, [d](const THydroResults& r, double& p) { return ObjectProperties::DevicePressure(*d, r, p); }),
                 QStringLiteral("DevicePressure"));
    auto flag = [this](const QString& caption, bool on) {
        auto* box = new QCheckBox(caption, deviceForm_->parentWidget());
        box->setChecked(on);
        box->setEnabled(false);
        deviceForm_->addRow(box);
    };
    switch (d->GetKind()) {
    case dkPump: {
        const auto* p = static_cast<const TPump*>(d);
        for (int i = 1; i <= 6; ++i)
            AddRow(deviceForm_, QStringList{"Q1", "H1", "Q2", "H2", "A", "B"}[i - 1], Fixed(p->Value(i), 2));
        AddRow(deviceForm_, QStringLiteral("Направление"), ObjectProperties::DirectionText(p->HeadDirection()));
        flag(QStringLiteral("Насос отключен"), p->Off());
        break;
    }
    case dkReducer: {
        const auto* r = static_cast<const TReducer*>(d);
        AddRow(deviceForm_, QStringLiteral("Направление"), ObjectProperties::DirectionText(r->Direction()));
        AddRow(deviceForm_, QStringLiteral("Запорное давление на выходе (м)"), Fixed(r->LockingPressure()));
        flag(QStringLiteral("Редуктор отключен"), r->Off());
        break;
    }
    case dkGate: flag(QStringLiteral("Задвижка закрыта"), static_cast<const TGate*>(d)->Closed()); break;
    case dkCrane: {
        const auto* c = static_cast<const TCrane*>(d);
        AddRow(deviceForm_, QStringLiteral("Расход (м3/ч)"), Fixed(c->Flow(), 2));
        AddRow(deviceForm_, QStringLiteral("Способ потребления"), ObjectProperties::ConsumerText(c->ConsumerType()));
        flag(QStringLiteral("Потребление"), c->Consumption());
        flag(QStringLiteral("Диафрагма"), c->Orifice());
        AddRow(deviceForm_, QStringLiteral("Диаметр диафрагмы (мм)"), Fixed(c->OrificeDiameter()));
        AddRow(deviceForm_, QStringLiteral("Манометр"), Fixed(c->Manometer(), 2));
        break;
    }
    case dkJetBreakTank: {
        const auto* t = static_cast<const TJetBreakTank*>(d);
        AddRow(deviceForm_, QStringLiteral("Объем (м3)"), Fixed(t->Volume()));
        AddRow(deviceForm_, QStringLiteral("Подпитка (м3/ч)"), Fixed(t->MakeUpFlow()));
        AddRow(deviceForm_, QStringLiteral("Доп. давление (м)"), Fixed(t->AddPressure()));
        flag(QStringLiteral("Обвод"), t->Bypass());
        AddRow(deviceForm_, QStringLiteral("Манометр"), Fixed(t->Manometer(), 2));
        break;
    }
    default:
        break;
    }
}

QString TBranchPropForm::Field(const QString& name) const
{
    const auto* edit = findChild<QLineEdit*>(name);
    return edit ? edit->text() : QString();
}
