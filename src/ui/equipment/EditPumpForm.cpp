#include "ui/equipment/EditPumpForm.h"

#include "core/model/Errors.h"
#include "core/settings/Config.h"
#include "ui/app/HelpContexts.h"
#include "ui/common/MessageBoxes.h"
#include "ui/common/WaitCursor.h"
#include "ui/equipment/PumpGraph.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QInputDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QScrollBar>
#include <QStyledItemDelegate>
#include <QTableWidget>
#include <QVBoxLayout>

#include <cmath>

namespace {

constexpr int kHelpContext = 73;

// A typed number: the point or the comma as decimal separator.
std::optional<double> ParseNumber(const QString& text)
{
    bool ok = false;
    const double v = QString(text).trimmed().replace(u',', u'.').toDouble(&ok);
    if (!ok || !std::isfinite(v))
        return std::nullopt;
    return v;
}

QString Shown(double v, int decimals)
{
    return std::isnan(v) ? QStringLiteral("-") : QString::number(v, 'f', decimals);
}

// Grid cells take digits and the decimal separator only.
class TPointCellDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        QWidget* editor = QStyledItemDelegate::createEditor(parent, option, index);
        if (auto* line = qobject_cast<QLineEdit*>(editor))
            line->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9.,]*")), line));
        return editor;
    }
};

TMsgAnswer Say(QWidget* parent, const QString& text, TMsgButtons buttons = TMsgButtons::Ok)
{
    return MessageBoxes::Show(parent, {kApplicationTitle, text,
                                       buttons == TMsgButtons::Ok ? TMsgIcon::Warning : TMsgIcon::Question, buttons});
}

}  // namespace

TEditPumpForm::TEditPumpForm(const QString& folder, TPumpCharacteristic* chosen, const QString& model, QWidget* parent)
    : QDialog(parent), folder_(folder), chosen_(chosen)
{
    setWindowTitle(QStringLiteral("Насосы"));
    HelpContexts::Set(this, kHelpContext);
    BuildWidgets();
    LoadFolder();
    FillModels(model);
}

TEditPumpForm::~TEditPumpForm() = default;

void TEditPumpForm::BuildWidgets()
{
    models_ = new QListWidget(this);
    models_->setMinimumWidth(150);
    auto* modelColumn = new QVBoxLayout;
    modelColumn->addWidget(models_, 1);
    const QString buttonTexts[4] = {QStringLiteral("Добавить"), QStringLiteral("Изменить"), QStringLiteral("Копировать"),
                                    QStringLiteral("Удалить")};
    const std::function<void()> buttonActions[4] = {[this] { AddModel(); }, [this] { RenameModel(); },
                                                    [this] { CopyModel(); }, [this] { DeleteModel(); }};
    for (int i = 0; i < 4; ++i) {
        modelButtons_[i] = new QPushButton(buttonTexts[i], this);
        modelButtons_[i]->setAutoDefault(false);
        connect(modelButtons_[i], &QPushButton::clicked, this, buttonActions[i]);
        modelColumn->addWidget(modelButtons_[i]);
    }

    grid_ = new QTableWidget(0, 2, this);
    grid_->setHorizontalHeaderLabels({QStringLiteral("Q"), QStringLiteral("H")});
    grid_->verticalHeader()->setVisible(false);
    grid_->verticalHeader()->setDefaultSectionSize(grid_->fontMetrics().height() + 6);
    grid_->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    grid_->setSelectionMode(QAbstractItemView::SingleSelection);
    grid_->setItemDelegate(new TPointCellDelegate(grid_));
    grid_->setMinimumWidth(150);
    grid_->installEventFilter(this);

    auto* rangeGrid = new QGridLayout;
    const QString rangeTexts[4] = {QStringLiteral("Min Q"), QStringLiteral("Max Q"), QStringLiteral("Min H "),
                                   QStringLiteral("Max H ")};
    for (int i = 0; i < 4; ++i) {
        ranges_[i] = new QLineEdit(this);
        ranges_[i]->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("-?[0-9]*[.,]?[0-9]*")), ranges_[i]));
        ranges_[i]->setMaximumWidth(70);
        rangeGrid->addWidget(new QLabel(rangeTexts[i], this), i / 2, (i % 2) * 2);
        rangeGrid->addWidget(ranges_[i], i / 2, (i % 2) * 2 + 1);
        const auto which = static_cast<TPumpRange>(i);
        connect(ranges_[i], &QLineEdit::textEdited, this, [this, which](const QString& t) { RangeEdited(which, t); });
        // Leaving the field shows what the store holds (a maximum pushed past its minimum).
        connect(ranges_[i], &QLineEdit::editingFinished, this, [this, which] {
            if (const TPumpStore* s = CurrentStore())
                ranges_[which]->setText(QString::number(std::round(s->Range(which)), 'f', 0));
        });
    }
    auto* pointColumn = new QVBoxLayout;
    pointColumn->addWidget(grid_, 1);
    pointColumn->addLayout(rangeGrid);

    graph_ = new TPumpGraph(this);
    pointer_ = new QLabel(TPumpGraph::PointerText({0, 0}), this);
    auto* graphColumn = new QVBoxLayout;
    graphColumn->addWidget(graph_, 1);
    graphColumn->addWidget(pointer_);

    // The chooser's operating points: a typed flow or a bar each, the heads and the fit.
    auto* chooserPanel = new QWidget(this);
    auto* chooser = new QGridLayout(chooserPanel);
    chooser->setContentsMargins(0, 0, 0, 0);
    const QString fitNames[4] = {QStringLiteral("H1"), QStringLiteral("H2"), QStringLiteral("A"), QStringLiteral("B")};
    for (int i = 0; i < 2; ++i) {
        flowEdits_[i] = new QLineEdit(chooserPanel);
        flowEdits_[i]->setMaximumWidth(70);
        bars_[i] = new QScrollBar(Qt::Vertical, chooserPanel);
        bars_[i]->setMinimumHeight(120);
        chooser->addWidget(new QLabel(QStringLiteral("Q%1").arg(i + 1), chooserPanel), 0, i * 2);
        chooser->addWidget(flowEdits_[i], 0, i * 2 + 1);
        chooser->addWidget(bars_[i], 1, i * 2 + 1, Qt::AlignHCenter);
        const int which = i + 1;
        connect(bars_[i], &QScrollBar::valueChanged, this, [this] { UpdateFit(); });
        connect(flowEdits_[i], &QLineEdit::returnPressed, this, [this, which] { FlowTyped(which); });
    }
    for (int i = 0; i < 4; ++i) {
        fitLabels_[i] = new QLabel(QStringLiteral("-"), chooserPanel);
        fitLabels_[i]->setFrameShape(QFrame::StyledPanel);
        fitLabels_[i]->setMinimumWidth(70);
        chooser->addWidget(new QLabel(fitNames[i], chooserPanel), 2 + i / 2, (i % 2) * 2);
        chooser->addWidget(fitLabels_[i], 2 + i / 2, (i % 2) * 2 + 1);
    }
    chooser->setRowStretch(1, 1);

    editorBox_ = new QCheckBox(QStringLiteral("Редактор"), this);
    insert_ = new QPushButton(QStringLiteral("&Вставить"), this);
    close_ = new QPushButton(QStringLiteral("&Закрыть"), this);
    cancel_ = new QPushButton(QStringLiteral("Отмена"), this);
    for (QPushButton* b : {insert_, close_, cancel_})
        b->setAutoDefault(false);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(editorBox_);
    buttons->addStretch(1);
    buttons->addWidget(insert_);
    buttons->addWidget(close_);
    buttons->addWidget(cancel_);

    auto* top = new QHBoxLayout;
    top->addLayout(modelColumn);
    top->addLayout(pointColumn);
    top->addLayout(graphColumn, 1);
    top->addWidget(chooserPanel);
    chooserPanel->setVisible(chosen_ != nullptr);  // the editor of the main window has no operating points
    auto* all = new QVBoxLayout(this);
    all->addLayout(top, 1);
    all->addLayout(buttons);
    resize(900, 480);

    editorBox_->setChecked(!chosen_);
    editorBox_->setEnabled(chosen_ != nullptr);
    connect(editorBox_, &QCheckBox::toggled, this, [this] { ShowStore(); });
    connect(models_, &QListWidget::currentTextChanged, this, [this] {
        if (!filling_) {
            ResetBars();
            ShowStore();
        }
    });
    connect(grid_, &QTableWidget::currentCellChanged, this, [this](int row) { graph_->SetCurrentPoint(row); });
    connect(grid_, &QTableWidget::itemChanged, this, [this](QTableWidgetItem* item) {
        if (!filling_)
            ApplyGridText(item->row(), item->column(), item->text());
    });
    connect(graph_, &TPumpGraph::PointerMoved, pointer_, &QLabel::setText);
    connect(graph_, &TPumpGraph::PointDragged, this, [this](int index, double q, double h) {
        if (TPumpStore* s = CurrentStore(); s && index < s->Points().Count()) {
            const int to = s->ReplacePoint(index, {q, h});
            graph_->SetDraggedPoint(to);
            FillGrid(to);
        }
    });
    connect(graph_, &TPumpGraph::AddPointRequested, this, [this](double q, double h) {
        if (TPumpStore* s = CurrentStore())
            FillGrid(s->InsertPoint({q, h}));
    });
    connect(graph_, &TPumpGraph::DeletePointRequested, this, [this](int index) {
        if (TPumpStore* s = CurrentStore(); s && index < s->Points().Count()) {
            s->DeletePoint(index);
            FillGrid(std::min(index, s->Points().Count() - 1));
        }
    });
    connect(graph_, &TPumpGraph::OperatingPointDragged, this, [this](int which, double q) {
        bars_[which - 1]->setValue(static_cast<int>(std::trunc(std::clamp(q * 100, -2e9, 2e9))));
    });
    connect(insert_, &QPushButton::clicked, this, &TEditPumpForm::Insert);
    connect(close_, &QPushButton::clicked, this, &TEditPumpForm::CloseSaving);
    connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);
}

void TEditPumpForm::LoadFolder()
{
    TWaitCursor wait;
    const TPumpList::TLoadReport report = list_.LoadFolder(folder_);
    wait.Restore();
    for (const QString& message : report.Errors)
        MessageBoxes::Error(this, message);
}

bool TEditPumpForm::EditorMode() const { return editorBox_->isChecked(); }

TPumpStore* TEditPumpForm::CurrentStore() const
{
    const QListWidgetItem* item = models_->currentItem();
    const int index = item ? list_.Find(item->text()) : -1;
    return index >= 0 ? &list_.At(index) : nullptr;
}

void TEditPumpForm::SelectModel(const QString& name)
{
    const QList<QListWidgetItem*> found = models_->findItems(name, Qt::MatchExactly);
    models_->setCurrentItem(found.isEmpty() ? models_->item(0) : found.first());
}

void TEditPumpForm::FillModels(const QString& select)
{
    filling_ = true;
    models_->clear();
    models_->addItems(list_.Names());
    filling_ = false;
    SelectModel(select);
    ResetBars();
    ShowStore();
}

void TEditPumpForm::ShowStore()
{
    TPumpStore* store = CurrentStore();
    graph_->SetStore(store);
    graph_->SetEditorMode(EditorMode());
    FillRanges();
    FillGrid(store && store->Points().Count() > 0 ? 0 : -1);
    UpdateFit();
    UpdateEnabled();
}

void TEditPumpForm::FillGrid(int currentRow)
{
    const TPumpStore* store = CurrentStore();
    filling_ = true;
    const int rows = store ? store->Points().Count() : 0;
    grid_->setRowCount(rows);
    for (int r = 0; r < rows; ++r) {
        const TBasePoint& p = store->Points().At(r);
        grid_->setItem(r, 0, new QTableWidgetItem(QString::number(p.Q, 'f', 2)));
        grid_->setItem(r, 1, new QTableWidgetItem(QString::number(p.H, 'f', 1)));
    }
    if (currentRow >= 0 && currentRow < rows)
        grid_->setCurrentCell(currentRow, std::max(0, grid_->currentColumn()));
    filling_ = false;
    graph_->SetCurrentPoint(grid_->currentRow());
    graph_->update();
    UpdateFit();
}

void TEditPumpForm::FillRanges()
{
    const TPumpStore* store = CurrentStore();
    for (int i = 0; i < 4; ++i)
        if (!ranges_[i]->hasFocus() || !store)
            ranges_[i]->setText(store ? QString::number(std::round(store->Range(static_cast<TPumpRange>(i))), 'f', 0) : QString());
}

void TEditPumpForm::RangeEdited(TPumpRange r, const QString& text)
{
    TPumpStore* store = CurrentStore();
    const auto v = ParseNumber(text);
    if (!store || !v)
        return;
    store->SetRange(r, *v);
    FillRanges();
    graph_->update();
}

void TEditPumpForm::ResetBars()
{
    const TPumpStore* store = CurrentStore();
    filling_ = true;
    const TFlowBarRange range = store ? FlowBarRange(store->Points()) : TFlowBarRange{};
    for (QScrollBar* bar : bars_) {
        bar->setRange(range.Min, range.Max);
        bar->setSingleStep(range.SmallStep);
        bar->setPageStep(range.LargeStep);
    }
    bars_[0]->setValue(range.Min);
    bars_[1]->setValue(range.Max);
    filling_ = false;
}

void TEditPumpForm::UpdateFit()
{
    const TPumpStore* store = CurrentStore();
    const double q1 = bars_[0]->value() / 100.0;
    const double q2 = bars_[1]->value() / 100.0;
    fit_.reset();
    double h[2] = {NAN, NAN};
    if (store && chosen_) {
        fit_ = FitPump(store->Points(), q1, q2);
        h[0] = EvaluateHead(store->Points(), q1);
        h[1] = EvaluateHead(store->Points(), q2);
    }
    for (int i = 0; i < 2; ++i)
        if (!flowEdits_[i]->hasFocus())
            flowEdits_[i]->setText(store ? Shown(i == 0 ? q1 : q2, 2) : QString());
    fitLabels_[0]->setText(Shown(h[0], 2));
    fitLabels_[1]->setText(Shown(h[1], 2));
    fitLabels_[2]->setText(fit_ ? Shown(fit_->A, 2) : QStringLiteral("-"));
    fitLabels_[3]->setText(fit_ ? Shown(fit_->B, 3) : QStringLiteral("-"));
    graph_->SetOperatingPoints(q1, q2, fit_);
    UpdateEnabled();
}

void TEditPumpForm::UpdateEnabled()
{
    const bool editor = EditorMode();
    const bool model = CurrentStore() != nullptr;
    modelButtons_[0]->setEnabled(editor);
    for (int i = 1; i < 4; ++i)
        modelButtons_[i]->setEnabled(editor && model);
    for (QLineEdit* e : ranges_)
        e->setEnabled(editor && model);
    grid_->setEditTriggers(editor && model ? QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed
                                                 | QAbstractItemView::AnyKeyPressed
                                           : QAbstractItemView::NoEditTriggers);
    const bool choosing = !editor && model && chosen_;
    for (int i = 0; i < 2; ++i) {
        bars_[i]->setEnabled(choosing);
        flowEdits_[i]->setEnabled(choosing);
    }
    for (QLabel* l : fitLabels_)
        l->setEnabled(choosing);
    insert_->setEnabled(choosing && fit_ && fit_->B > 0);
}

void TEditPumpForm::FlowTyped(int which)
{
    const auto q = ParseNumber(flowEdits_[which - 1]->text());
    if (!q) {
        MessageBoxes::Error(this, PumpTexts::kNotANumber);
        return;
    }
    bars_[which - 1]->setValue(static_cast<int>(std::lround(std::clamp(*q * 100, -2e9, 2e9))));
    flowEdits_[which - 1]->setText(Shown(bars_[which - 1]->value() / 100.0, 2));
}

void TEditPumpForm::ApplyGridText(int row, int column, const QString& text)
{
    TPumpStore* store = CurrentStore();
    if (!store || row < 0 || row >= store->Points().Count())
        return;
    const auto v = ParseNumber(text);
    QString refusal = v ? (column == 0 ? store->FlowRefusal(*v) : store->HeadRefusal(*v)) : PumpTexts::kNotANumber;
    int current = row;
    if (refusal.isEmpty()) {
        TBasePoint p = store->Points().At(row);
        (column == 0 ? p.Q : p.H) = *v;
        current = store->ReplacePoint(row, p);
    }
    // The grid is filled again once the cell's editor has let go of its item.
    QMetaObject::invokeMethod(this, [this, current] { FillGrid(current); }, Qt::QueuedConnection);
    if (!refusal.isEmpty())
        MessageBoxes::Error(this, refusal);
}

void TEditPumpForm::DeleteCurrentPoint()
{
    TPumpStore* store = CurrentStore();
    const int row = grid_->currentRow();
    if (!store || !EditorMode() || row < 0 || row >= store->Points().Count())
        return;
    if (MessageBoxes::Ask(this, QStringLiteral("Удалить указанную точку ?"), TMsgButtons::YesNo) != TMsgAnswer::Yes)
        return;
    store->DeletePoint(row);
    FillGrid(std::min(row, store->Points().Count() - 1));
}

bool TEditPumpForm::eventFilter(QObject* watched, QEvent* event)
{
    // While a cell is typed in, its editor has the keys; the grid sees Del only between edits.
    if (watched == grid_ && event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Delete) {
        DeleteCurrentPoint();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

std::optional<QString> TEditPumpForm::AskText(const QString& caption, const QString& prompt, const QString& text)
{
    if (askText_)
        return askText_(caption, prompt, text);
    bool ok = false;
    const QString answer = QInputDialog::getText(this, caption, prompt, QLineEdit::Normal, text, &ok);
    return ok ? std::optional<QString>(answer) : std::nullopt;
}

void TEditPumpForm::AddModel()
{
    const auto name = AskText(QStringLiteral("Насос"), QStringLiteral("Введите модель насоса"), QString());
    if (!name)
        return;
    const TPumpList::TOutcome outcome = list_.AddModel(*name);
    if (!outcome.Message.isEmpty())
        Say(this, outcome.Message);
    if (outcome.Done)
        FillModels(name->trimmed());
}

void TEditPumpForm::RenameModel()
{
    TPumpStore* store = CurrentStore();
    if (!store)
        return;
    const auto name = AskText(QStringLiteral("Насос"), QStringLiteral("Введите модель насоса"), store->Name);
    if (!name)
        return;
    const TPumpList::TOutcome outcome = list_.RenameModel(list_.Find(store->Name), *name, folder_);
    if (!outcome.Message.isEmpty())
        Say(this, outcome.Message);
    if (outcome.Done)
        FillModels(store->Name);
}

void TEditPumpForm::CopyModel()
{
    TPumpStore* store = CurrentStore();
    if (!store)
        return;
    const auto name = AskText(QStringLiteral("Копирование"), QStringLiteral("Введите название нового насоса"), store->Name);
    if (!name)
        return;
    const TPumpList::TOutcome outcome = list_.CopyModel(list_.Find(store->Name), *name);
    if (!outcome.Message.isEmpty())
        Say(this, outcome.Message);
    if (outcome.Done)
        FillModels(name->trimmed());
}

void TEditPumpForm::DeleteModel()
{
    TPumpStore* store = CurrentStore();
    if (!store)
        return;
    if (Say(this, QStringLiteral("Удалить насос \"%1\"?").arg(store->Name), TMsgButtons::YesNo) != TMsgAnswer::Yes)
        return;
    list_.DeleteModel(list_.Find(store->Name), folder_);
    FillModels(QString());
}

void TEditPumpForm::reject()
{
    if (list_.Changed()) {
        const TMessageRecord question{kApplicationTitle, PumpTexts::kSaveChanges, TMsgIcon::Question,
                                      TMsgButtons::YesNoCancel};
        switch (MessageBoxes::Show(this, question)) {
        case TMsgAnswer::Yes:
            if (!SaveIfChanged())
                return;
            break;
        case TMsgAnswer::No:
            break;
        default:
            return;
        }
    }
    QDialog::reject();
}

bool TEditPumpForm::SaveIfChanged()
{
    if (QWidget* focus = focusWidget())
        focus->clearFocus();  // an edit in progress is taken first
    if (!list_.Changed())
        return true;
    try {
        TWaitCursor wait;
        list_.SaveFolder(folder_);
    } catch (const Exception& e) {
        MessageBoxes::Error(this, e.Message());
        return false;
    }
    return true;
}

void TEditPumpForm::CloseSaving()
{
    if (SaveIfChanged())
        reject();
}

void TEditPumpForm::Insert()
{
    const TPumpStore* store = CurrentStore();
    if (!chosen_ || !store || !fit_ || !(fit_->B > 0))
        return;
    const TPumpFit fit = *fit_;
    const QString name = store->Name;
    if (!SaveIfChanged())
        return;
    *chosen_ = {fit.Q1, fit.H1, fit.Q2, fit.H2, fit.A, fit.B, name};
    accept();
}

bool ChoosePump(const QString& folder, QString& model, TPumpCharacteristic* characteristic, QWidget* parent)
{
    TEditPumpForm form(folder, characteristic, model, parent);
    if (form.exec() != QDialog::Accepted || !characteristic)
        return false;
    model = characteristic->Model;
    return true;
}
