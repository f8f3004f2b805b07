#include "ui/equipment/ReducerForm.h"

#include "core/tables/TableEdits.h"
#include "ui/common/MessageBoxes.h"
#include "ui/common/WaitCursor.h"
#include "ui/equipment/ReducerGrid.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QScreen>
#include <QSpinBox>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

const QString kModelCaption = QStringLiteral("Гидроредуктор");
const QString kModelPrompt = QStringLiteral("Введите модель гидроредуктора");
const QString kShapeCaption = QStringLiteral("Характеристики гидроредуктора");
const QString kSaveBase = QStringLiteral("Сохранить изменения в базе данных гидроредукторов?");
const QString kSaveInstalled = QStringLiteral("Сохранить изменения характеристики гидроредуктора?");
const QString kOutOfRange = QStringLiteral("Указанное давление запирания выходит за границы, указанные в характеристике");
constexpr int kMinRanges = 2;
constexpr int kMaxRanges = 20;

TfrmEditReducer::TInputHook& inputHook()
{
    static TfrmEditReducer::TInputHook hook;
    return hook;
}

// Bounds of the window at its last closing, for the next opening within the run.
std::optional<QRect>& lastBounds()
{
    static std::optional<QRect> bounds;
    return bounds;
}

double Parse(const QString& text)
{
    try {
        return TableEdits::ParseFloat(text);
    } catch (const Exception&) {
        return std::numeric_limits<double>::quiet_NaN();
    }
}

QString Caption(TfrmEditReducer::Mode mode)
{
    switch (mode) {
    case TfrmEditReducer::EditBase: return QStringLiteral("Редактирование БД гидроредукторов");
    case TfrmEditReducer::Choose: return QStringLiteral("Установка гидроредуктора в сеть");
    case TfrmEditReducer::EditInstalled: break;
    }
    return QStringLiteral("Изменение характеристики установленного гидроредуктора");
}

}  // namespace

void TfrmEditReducer::SetInputHook(TInputHook hook) { inputHook() = std::move(hook); }

TfrmEditReducer::TfrmEditReducer(Mode mode, const QString& folder, const TReducerCharacter& character, double locking,
                                 QWidget* parent)
    : QDialog(parent), mode_(mode), base_(mode == EditInstalled ? QString() : folder), locking_(locking)
{
    setObjectName(QStringLiteral("frmEditReducer"));
    setWindowTitle(Caption(mode));
    BuildWidgets();
    if (mode_ == EditInstalled) {
        base_.AddLoaded(character, QString());
        FillModelBox(0);
        lockingEdit_->setText(std::isfinite(locking) ? QString::number(locking, 'g', 15) : QString());
        LockingTyped(lockingEdit_->text());
    } else {
        LoadModels();
    }
    if (const auto& bounds = lastBounds()) {
        setGeometry(*bounds);
    } else {
        resize(sizeHint().expandedTo(QSize(560, 360)));
        if (const QScreen* s = screen())
            move(s->availableGeometry().center() - rect().center());
    }
}

void TfrmEditReducer::BuildWidgets()
{
    modelBox_ = new QComboBox(this);
    modelBox_->setMinimumContentsLength(24);
    connect(modelBox_, &QComboBox::currentIndexChanged, this, [this](int i) { SelectModel(i); });

    add_ = new QPushButton(QStringLiteral("&Добавить"), this);
    rename_ = new QPushButton(QStringLiteral("&Имя"), this);
    copy_ = new QPushButton(QStringLiteral("&Копировать"), this);
    delete_ = new QPushButton(QStringLiteral("&Удалить"), this);
    connect(add_, &QPushButton::clicked, this, &TfrmEditReducer::AddModel);
    connect(rename_, &QPushButton::clicked, this, &TfrmEditReducer::RenameModel);
    connect(copy_, &QPushButton::clicked, this, &TfrmEditReducer::CopyModel);
    connect(delete_, &QPushButton::clicked, this, &TfrmEditReducer::DeleteModel);
    modelButtons_ = new QWidget(this);
    auto* buttonRow = new QHBoxLayout(modelButtons_);
    buttonRow->setContentsMargins(0, 0, 0, 0);
    for (QPushButton* b : {add_, rename_, copy_, delete_})
        buttonRow->addWidget(b);
    auto* top = new QHBoxLayout;
    top->addWidget(modelBox_, 1);
    top->addWidget(modelButtons_);

    grid_ = new TReducerGrid(this);
    grid_->SetEditable(mode_ != Choose);
    grid_->SetFlowsGreyed(mode_ == Choose);
    connect(grid_, &TReducerGrid::EditingStarted, this, [this] {
        editingBeforeCell_ = editing_;
        EnterEditing();
    });
    connect(grid_, &TReducerGrid::EditingReverted, this, [this] {
        if (!editingBeforeCell_)
            LeaveEditing();
    });
    connect(grid_, &TReducerGrid::CellCommitted, this,
            [this](TReducerCharacter::Part part, int row, int col, double v) {
                using Part = TReducerCharacter::Part;
                switch (part) {
                case Part::Flow: working_.SetFlow(col, v); break;
                case Part::Inlet: working_.SetInlet(row, v); break;
                case Part::Locking: working_.SetLocking(row, v); break;
                case Part::Outlet: working_.SetOutlet(row, col, v); break;
                }
            });

    ranges_ = new QWidget(this);
    nP_ = new QSpinBox(ranges_);
    nQ_ = new QSpinBox(ranges_);
    for (QSpinBox* s : {nP_, nQ_})
        s->setRange(kMinRanges, kMaxRanges);
    setRanges_ = new QPushButton(QStringLiteral("&Установить"), ranges_);
    connect(setRanges_, &QPushButton::clicked, this, &TfrmEditReducer::SetRanges);
    auto* rangeRow = new QHBoxLayout(ranges_);
    rangeRow->setContentsMargins(0, 0, 0, 0);
    rangeRow->addWidget(new QLabel(QStringLiteral("Диапазоны:  по давлению"), ranges_));
    rangeRow->addWidget(nP_);
    rangeRow->addSpacing(8);
    rangeRow->addWidget(new QLabel(QStringLiteral("по расходу"), ranges_));
    rangeRow->addWidget(nQ_);
    rangeRow->addWidget(setRanges_);
    rangeRow->addStretch(1);

    selector_ = new QWidget(this);
    lockingEdit_ = new QLineEdit(selector_);
    inletEdit_ = new QLineEdit(selector_);
    const QRegularExpression number(QStringLiteral("[0-9]*[.,]?[0-9]*"));
    for (QLineEdit* e : {lockingEdit_, inletEdit_}) {
        e->setValidator(new QRegularExpressionValidator(number, e));
        e->setMaximumWidth(70);
    }
    connect(lockingEdit_, &QLineEdit::textEdited, this, &TfrmEditReducer::LockingTyped);
    connect(inletEdit_, &QLineEdit::textEdited, this, &TfrmEditReducer::InletTyped);
    outletRow_ = new QTableWidget(1, 0, selector_);
    outletRow_->setObjectName(QStringLiteral("OutletRow"));
    outletRow_->horizontalHeader()->hide();
    outletRow_->verticalHeader()->hide();
    outletRow_->horizontalHeader()->setDefaultSectionSize(TReducerGrid::kMinValueWidth);
    outletRow_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    outletRow_->setSelectionMode(QAbstractItemView::NoSelection);
    outletRow_->setFocusPolicy(Qt::NoFocus);
    outletRow_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    outletRow_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    outletRow_->setFixedHeight(outletRow_->verticalHeader()->defaultSectionSize() + 2 * outletRow_->frameWidth());
    auto* selectorRow = new QHBoxLayout(selector_);
    selectorRow->setContentsMargins(0, 0, 0, 0);
    for (auto [text, field] : {std::pair<QString, QWidget*>{QStringLiteral("P зап., атм."), lockingEdit_},
                               {QStringLiteral("P на вх., атм"), inletEdit_},
                               {QStringLiteral("P на вых."), outletRow_}}) {
        auto* label = new QLabel(text, selector_);
        label->setBuddy(field);
        selectorRow->addWidget(label);
        selectorRow->addWidget(field, field == outletRow_ ? 1 : 0);
        selectorRow->addSpacing(6);
    }

    ok_ = new QPushButton(this);
    cancel_ = new QPushButton(this);
    ok_->setDefault(true);
    connect(ok_, &QPushButton::clicked, this, &TfrmEditReducer::accept);
    connect(cancel_, &QPushButton::clicked, this, &TfrmEditReducer::reject);
    auto* bottom = new QHBoxLayout;
    bottom->addStretch(1);
    bottom->addWidget(ok_);
    bottom->addWidget(cancel_);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(grid_, 1);
    layout->addWidget(ranges_);
    layout->addWidget(selector_);
    layout->addLayout(bottom);

    modelButtons_->setVisible(mode_ == EditBase);
    ranges_->setVisible(mode_ != Choose);
    selector_->setVisible(mode_ != EditBase);
    modelBox_->setEnabled(mode_ != EditInstalled);
}

void TfrmEditReducer::LoadModels()
{
    TWaitCursor busy;
    const TReducerDatabase::LoadReport report = base_.Load();
    busy.Restore();
    for (const auto& failure : report.Failed)
        MessageBoxes::Error(this, failure.Message);
    FillModelBox(base_.Count() > 0 ? 0 : -1);
}

void TfrmEditReducer::FillModelBox(int select)
{
    const QSignalBlocker block(modelBox_);
    modelBox_->clear();
    for (int i = 0; i < base_.Count(); ++i)
        modelBox_->addItem(base_.Model(i).Character.Name);
    modelBox_->setCurrentIndex(select);
    SelectModel(select);
}

int TfrmEditReducer::Selected() const
{
    const int i = modelBox_->currentIndex();
    return i >= 0 && i < base_.Count() ? i : -1;
}

void TfrmEditReducer::SelectModel(int index)
{
    if (index >= 0 && index < base_.Count()) {
        working_ = base_.Model(index).Character;
        grid_->Show(working_);
        nP_->setValue(working_.NP());
        nQ_->setValue(working_.NQ());
    } else {
        working_ = TReducerCharacter();
        grid_->setRowCount(0);
        grid_->setColumnCount(0);
    }
    if (mode_ != EditBase)
        LockingTyped(lockingEdit_->text());
    UpdateButtons();
}

void TfrmEditReducer::EnterEditing()
{
    editing_ = true;
    UpdateButtons();
}

void TfrmEditReducer::LeaveEditing()
{
    editing_ = false;
    UpdateButtons();
}

void TfrmEditReducer::UpdateButtons()
{
    const bool any = Selected() >= 0;
    if (editing_) {
        ok_->setText(QStringLiteral("&Применить"));
        cancel_->setText(QStringLiteral("&Сброс"));
    } else {
        ok_->setText(mode_ == Choose ? QStringLiteral("OK") : QStringLiteral("&Записать"));
        cancel_->setText(QStringLiteral("Отмена"));
    }
    for (QPushButton* b : {ok_, cancel_}) {
        QFont f = b->font();
        f.setBold(editing_);
        b->setFont(f);
    }
    modelBox_->setEnabled(!editing_ && mode_ != EditInstalled);
    add_->setEnabled(!editing_);
    for (QPushButton* b : {rename_, copy_, delete_})
        b->setEnabled(!editing_ && any);
    selector_->setEnabled(!editing_);
    ranges_->setEnabled(any);
    grid_->setEnabled(any);
    ok_->setEnabled(any || mode_ == EditBase);
}

void TfrmEditReducer::SetRanges()
{
    const int nP = nP_->value(), nQ = nQ_->value();
    const bool fewerP = nP < working_.NP(), fewerQ = nQ < working_.NQ();
    if (fewerP || fewerQ) {
        const QString what = fewerP && fewerQ ? QStringLiteral("расходу и давлению")
                             : fewerP         ? QStringLiteral("давлению")
                                              : QStringLiteral("расходу");
        const TMessageRecord question{kShapeCaption,
                                      QStringLiteral("Количество диапазонов по %1 будет уменьшено.\r\nПродолжить?").arg(what),
                                      TMsgIcon::Question, TMsgButtons::YesNo};
        if (MessageBoxes::Show(this, question) != TMsgAnswer::Yes)
            return;
    }
    grid_->CommitOpenEditor();
    EnterEditing();
    working_.Resize(nP, nQ);
    grid_->Show(working_);
}

static std::optional<QString> AskName(QWidget* parent, const QString& initial)
{
    if (const auto& hook = inputHook())
        return hook(kModelCaption, kModelPrompt, initial);
    bool ok = false;
    const QString text = QInputDialog::getText(parent, kModelCaption, kModelPrompt, QLineEdit::Normal, initial, &ok);
    return ok ? std::optional<QString>(text) : std::nullopt;
}

void TfrmEditReducer::AddModel()
{
    const auto name = AskName(this, QString());
    try {
        const int i = name ? base_.Add(*name) : -1;
        if (i >= 0)
            FillModelBox(i);
    } catch (const Exception& e) {
        MessageBoxes::Error(this, e.Message());
    }
}

void TfrmEditReducer::RenameModel()
{
    const int sel = Selected();
    if (sel < 0)
        return;
    const auto name = AskName(this, base_.Model(sel).Character.Name);
    try {
        if (name && base_.Rename(sel, *name)) {
            modelBox_->setItemText(sel, *name);
            working_.Name = *name;
        }
    } catch (const Exception& e) {
        MessageBoxes::Error(this, e.Message());
    }
}

void TfrmEditReducer::CopyModel()
{
    const int sel = Selected();
    if (sel < 0)
        return;
    const auto name = AskName(this, QString());
    try {
        const int i = name ? base_.Copy(sel, *name) : -1;
        if (i >= 0)
            FillModelBox(i);
    } catch (const Exception& e) {
        MessageBoxes::Error(this, e.Message());
    }
}

void TfrmEditReducer::DeleteModel()
{
    const int sel = Selected();
    if (sel < 0)
        return;
    const TMessageRecord question{kModelCaption,
                                  QStringLiteral("Удалить гидроредуктор %1 из базы данных?").arg(base_.Model(sel).Character.Name),
                                  TMsgIcon::Question, TMsgButtons::YesNo};
    if (MessageBoxes::Show(this, question) != TMsgAnswer::Yes)
        return;
    base_.Remove(sel);
    FillModelBox(base_.Count() > 0 ? std::min(sel, base_.Count() - 1) : -1);
}

void TfrmEditReducer::LockingTyped(const QString& text)
{
    locking_ = Parse(text);
    const TReducerCharacter::Interpolated at = working_.ForLockingPressure(locking_);
    inletEdit_->setText(at.valid ? QString::number(at.inlet, 'f', 1) : QString());
    ShowInterpolation(at);
}

void TfrmEditReducer::InletTyped(const QString& text)
{
    const TReducerCharacter::Interpolated at = working_.ForInletPressure(Parse(text));
    locking_ = at.valid ? at.locking : std::numeric_limits<double>::quiet_NaN();
    lockingEdit_->setText(at.valid ? QString::number(at.locking, 'f', 1) : QString());
    ShowInterpolation(at);
}

void TfrmEditReducer::ShowInterpolation(const TReducerCharacter::Interpolated& at)
{
    outletRow_->clearContents();
    outletRow_->setColumnCount(working_.NQ());
    int framed = -1, shaded = -1;
    if (at.valid) {
        for (int k = 0; k < working_.NQ(); ++k) {
            const QString text = QString::number(at.outlet[static_cast<size_t>(k)], 'f', 2);
            auto* item = new QTableWidgetItem(text);
            item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            outletRow_->setItem(0, k, item);
            // 35 pixels a cell, wider only where the value would not show whole.
            outletRow_->setColumnWidth(
                k, std::max(TReducerGrid::kMinValueWidth, outletRow_->fontMetrics().horizontalAdvance(text) + 10));
        }
        for (int r = 0; r < working_.NP(); ++r) {
            if (working_.Locking(r) == at.locking) {
                framed = r;
                break;
            }
            if (r > 0 && working_.Locking(r - 1) < at.locking && at.locking < working_.Locking(r)) {
                shaded = r - 1;
                break;
            }
        }
    }
    grid_->MarkRows(framed, shaded);
}

bool TfrmEditReducer::ApplyEdits()
{
    grid_->CommitOpenEditor();
    const int sel = Selected();
    if (sel < 0)
        return false;
    try {
        base_.Apply(sel, working_);
    } catch (const EReducerCharacterError& e) {
        grid_->SelectPart(e.Where().part, e.Where().row, e.Where().col);
        MessageBoxes::Error(this, e.Message());
        return false;
    }
    LeaveEditing();
    if (mode_ != EditBase)
        LockingTyped(lockingEdit_->text());
    return true;
}

void TfrmEditReducer::accept()
{
    if (editing_) {
        ApplyEdits();
        return;
    }
    if (mode_ == EditBase) {
        // Every edit marks the database changed, so an unchanged one is not rewritten.
        if (base_.Changed()) {
            try {
                base_.Save();
            } catch (const Exception& e) {
                MessageBoxes::Error(this, e.Message());
                return;
            }
        }
        QDialog::accept();
        return;
    }
    if (Selected() < 0)
        return;
    const bool inside = working_.NP() > 0 && locking_ >= working_.Locking(0) && locking_ <= working_.Locking(working_.NP() - 1);
    if (!inside) {
        MessageBoxes::Error(this, kOutOfRange);
        return;
    }
    result_ = base_.Model(Selected()).Character;
    QDialog::accept();
}

void TfrmEditReducer::reject()
{
    if (editing_ && mode_ != Choose) {
        grid_->CommitOpenEditor();
        SelectModel(Selected());  // the model as it was
        LeaveEditing();
        return;
    }
    if (MayDropUnsaved())
        QDialog::reject();
}

bool TfrmEditReducer::MayDropUnsaved()
{
    // Choosing edits nothing; the other modes ask before pending or applied edits are lost.
    if (mode_ == Choose || (!editing_ && !base_.Changed()))
        return true;
    const TMessageRecord question{kModelCaption, mode_ == EditBase ? kSaveBase : kSaveInstalled, TMsgIcon::Question,
                                  TMsgButtons::YesNoCancel};
    switch (MessageBoxes::Show(this, question)) {
    case TMsgAnswer::Yes:
        // OK's own path: it closes the window only when the edits are valid and written.
        if (!editing_ || ApplyEdits())
            accept();
        return false;
    case TMsgAnswer::No:
        return true;
    default:
        return false;
    }
}

void TfrmEditReducer::closeEvent(QCloseEvent* event)
{
    // The close button never means "&Сброс": it asks about the edits and closes.
    if (!isVisible()) {
        event->accept();
    } else if (MayDropUnsaved()) {
        event->accept();
        done(Rejected);
    } else {
        event->ignore();
    }
}

void TfrmEditReducer::done(int result)
{
    lastBounds() = geometry();
    QDialog::done(result);
}

bool EditReducer(QWidget* parent, const QString& folder, int mode, TReducerCharacter& character, double& locking)
{
    const auto m = static_cast<TfrmEditReducer::Mode>(std::clamp(mode, 0, 2));
    TfrmEditReducer form(m, folder, character, locking, parent);
    if (form.exec() != QDialog::Accepted)
        return false;
    if (m != TfrmEditReducer::EditBase) {
        character = form.Result();
        locking = form.LockingPressure();
    }
    return true;
}

void EditReducerDatabase(QWidget* parent, const QString& folder)
{
    TReducerCharacter unused;
    double locking = 0;
    EditReducer(parent, folder, TfrmEditReducer::EditBase, unused, locking);
}
