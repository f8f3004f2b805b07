#include "ui/editing/BranchBreakForm.h"

#include "core/history/EditTransaction.h"
#include "core/model/Branch.h"
#include "core/model/Errors.h"
#include "core/model/Mine.h"
#include "core/model/Uzel.h"
#include "ui/app/HelpContexts.h"
#include "ui/common/MessageBoxes.h"
#include "ui/document/ChildForm.h"
#include "ui/editing/BreakStrip.h"
#include "ui/editing/ServiceFields.h"
#include "ui/editing/ServiceSteps.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QScrollArea>
#include <QScrollBar>
#include <QSlider>
#include <QSpinBox>
#include <QStyledItemDelegate>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>

namespace {

constexpr int kHelpContext = 56;
QRect lastBounds;

TSplitNumbering ModeOf(const QComboBox* box)
{
    return box->currentIndex() == 0 ? TSplitNumbering::AfterMax : TSplitNumbering::Free;
}

QComboBox* ModeBox(QWidget* parent, const QString& name)
{
    auto* box = new QComboBox(parent);
    box->setObjectName(name);
    box->addItems({QStringLiteral("с максимального"), QStringLiteral("свободные")});
    box->setCurrentIndex(1);
    return box;
}

// The number cells take digits only.
class TDigitsDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem&, const QModelIndex&) const override
    {
        auto* edit = new QLineEdit(parent);
        edit->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), edit));
        return edit;
    }
};

QTableWidgetItem* Cell(const QString& text, bool editable)
{
    auto* item = new QTableWidgetItem(text);
    item->setFlags(editable ? Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable : Qt::ItemIsEnabled);
    return item;
}

void Grey(QTableWidget* table, int row)
{
    for (int c = 0; c < table->columnCount(); ++c)
        if (QTableWidgetItem* item = table->item(row, c)) {
            item->setBackground(QColor(Qt::lightGray));
            item->setFlags(Qt::ItemIsEnabled);
        }
}

}  // namespace

TBranchBreakForm::TBranchBreakForm(TMine& mine, TBranch& branch, QWidget* parent)
    : QDialog(parent), mine_(mine), branch_(branch)
{
    setWindowTitle(QStringLiteral("Разбить ветвь"));
    HelpContexts::Set(this, kHelpContext);

    count_ = new QSpinBox(this);
    count_->setObjectName(QStringLiteral("count"));
    count_->setRange(0, BranchSplit::kMaxNodes);
    count_->setCorrectionMode(QAbstractSpinBox::CorrectToNearestValue);
    uzelMode_ = ModeBox(this, QStringLiteral("uzelMode"));
    branchMode_ = ModeBox(this, QStringLiteral("branchMode"));
    auto* top = new QHBoxLayout;
    auto* countLabel = new QLabel(QStringLiteral("Узлов &разбиения"), this);
    countLabel->setBuddy(count_);
    top->addWidget(countLabel);
    top->addWidget(count_);
    top->addWidget(new QLabel(QStringLiteral("Номера узлов"), this));
    top->addWidget(uzelMode_);
    top->addWidget(new QLabel(QStringLiteral("Номера ветвей"), this));
    top->addWidget(branchMode_);
    top->addStretch();

    uzelTable_ = new QTableWidget(0, 4, this);
    uzelTable_->setObjectName(QStringLiteral("uzelTable"));
    uzelTable_->setHorizontalHeaderLabels({QStringLiteral("Узел"), QStringLiteral("Х"), QStringLiteral("Y"), QStringLiteral("Z")});
    branchTable_ = new QTableWidget(0, 5, this);
    branchTable_->setObjectName(QStringLiteral("branchTable"));
    branchTable_->setHorizontalHeaderLabels({QStringLiteral("Ветвь"), QStringLiteral("Начал."), QStringLiteral("Конеч."),
                                             QStringLiteral("Длина"), QStringLiteral("Угол")});
    for (QTableWidget* t : {uzelTable_, branchTable_}) {
        t->verticalHeader()->hide();
        t->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
        t->setItemDelegateForColumn(0, new TDigitsDelegate(t));
        t->setSelectionMode(QAbstractItemView::SingleSelection);
        connect(t, &QTableWidget::cellChanged, this, [this, t](int row, int column) { NumberTyped(t, row, column); });
    }
    auto* tables = new QHBoxLayout;
    tables->addWidget(uzelTable_);
    tables->addWidget(branchTable_);

    auto* stripBox = new QGroupBox(QStringLiteral(" Параметры разбиения "), this);
    stripView_ = new QScrollArea(stripBox);
    stripView_->setFrameShape(QFrame::NoFrame);
    stripView_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    stripView_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    strip_ = new TBreakStrip;
    stripView_->setWidget(strip_);
    stripView_->setMinimumHeight(strip_->sizeHint().height());
    stripView_->viewport()->installEventFilter(this);
    size_ = new QSlider(Qt::Horizontal, stripBox);
    size_->setObjectName(QStringLiteral("size"));
    size_->setRange(1, 5);
    offset_ = new QSlider(Qt::Horizontal, stripBox);
    offset_->setObjectName(QStringLiteral("offset"));
    connect(size_, &QSlider::valueChanged, this, &TBranchBreakForm::LayoutStrip);
    connect(offset_, &QSlider::valueChanged, stripView_->horizontalScrollBar(), &QScrollBar::setValue);
    auto* sliders = new QHBoxLayout;
    sliders->addWidget(new QLabel(QStringLiteral("Размер"), stripBox));
    sliders->addWidget(size_);
    sliders->addWidget(new QLabel(QStringLiteral("Смещение"), stripBox));
    sliders->addWidget(offset_);
    auto* stripLayout = new QVBoxLayout(stripBox);
    stripLayout->addWidget(stripView_);
    stripLayout->addLayout(sliders);
    connect(strip_, &TBreakStrip::NodeMoved, this, [this] { ShowPlan(); });

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    ok_ = buttons->button(QDialogButtonBox::Ok);
    connect(buttons, &QDialogButtonBox::accepted, this, &TBranchBreakForm::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &TBranchBreakForm::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(tables);
    layout->addWidget(stripBox);
    layout->addWidget(buttons);

    connect(count_, &QSpinBox::valueChanged, this, &TBranchBreakForm::Replan);
    connect(uzelMode_, &QComboBox::currentIndexChanged, this, &TBranchBreakForm::Replan);
    connect(branchMode_, &QComboBox::currentIndexChanged, this, &TBranchBreakForm::Replan);
    Replan();
    if (lastBounds.isValid())
        setGeometry(lastBounds);
    else
        resize(640, 480);
}

TBranchBreakForm::~TBranchBreakForm() { lastBounds = geometry(); }

bool TBranchBreakForm::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == stripView_->viewport() && event->type() == QEvent::Resize)
        LayoutStrip();
    return QDialog::eventFilter(watched, event);
}

void TBranchBreakForm::LayoutStrip()
{
    const QSize visible = stripView_->viewport()->size();
    strip_->resize(visible.width() * size_->value(), visible.height());
    QScrollBar* bar = stripView_->horizontalScrollBar();
    offset_->setRange(0, bar->maximum());
    offset_->setEnabled(bar->maximum() > 0);
    offset_->setValue(bar->value());
}

void TBranchBreakForm::Replan()
{
    plan_ = BranchSplit::Plan(mine_, branch_, count_->value(), ModeOf(uzelMode_), ModeOf(branchMode_));
    strip_->SetPlan(&plan_);
    ShowPlan();
}

void TBranchBreakForm::ShowPlan()
{
    filling_ = true;
    const int n = static_cast<int>(plan_.Nodes.size());
    uzelTable_->setRowCount(n + 2);
    const auto uzelRow = [this](int row, int number, double x, double y, double z, bool editable) {
        uzelTable_->setItem(row, 0, Cell(QString::number(number), editable));
        uzelTable_->setItem(row, 1, Cell(QString::asprintf("%.1f", x), false));
        uzelTable_->setItem(row, 2, Cell(QString::asprintf("%.1f", y), false));
        uzelTable_->setItem(row, 3, Cell(QString::asprintf("%.1f", z), false));
    };
    const TBranch::Point3 s = branch_.PointAt(0), e = branch_.PointAt(1);
    uzelRow(0, branch_.StartNumber(), s.x, s.y, s.z, false);
    for (int i = 0; i < n; ++i) {
        const TSplitNode& node = plan_.Nodes[static_cast<size_t>(i)];
        const TBranch::Point3 p = branch_.PointAt(node.T);
        uzelRow(i + 1, node.Number, p.x, p.y, p.z, true);
    }
    uzelRow(n + 1, branch_.EndNumber(), e.x, e.y, e.z, false);
    Grey(uzelTable_, 0);
    Grey(uzelTable_, n + 1);

    branchTable_->setRowCount(n + 1);
    for (int i = 0; i <= n; ++i) {
        const TSplitBranch& b = plan_.Branches[static_cast<size_t>(i)];
        branchTable_->setItem(i, 0, Cell(QString::number(b.Number), i > 0));
        branchTable_->setItem(i, 1, Cell(QString::number(b.Start), false));
        branchTable_->setItem(i, 2, Cell(QString::number(b.End), false));
        branchTable_->setItem(i, 3, Cell(QString::asprintf("%.1f м", BranchSplit::PieceLength(plan_, i)), false));
        branchTable_->setItem(i, 4, Cell(QString::asprintf("%.1f", branch_.Angle()), false));
    }
    Grey(branchTable_, 0);
    ok_->setEnabled(n > 0);
    strip_->update();
    filling_ = false;
}

void TBranchBreakForm::NumberTyped(QTableWidget* table, int row, int column)
{
    if (filling_ || column != 0)
        return;
    QTableWidgetItem* item = table->item(row, 0);
    bool ok = false;
    const int number = item->text().trimmed().toInt(&ok);
    if (!ok) {
        MessageBoxes::Error(this, ServiceFields::kBadNumber);
    } else if (table == uzelTable_) {
        BranchSplit::SetUzelNumber(plan_, row - 1, number);
    } else if (row > 0 && row < static_cast<int>(plan_.Branches.size())) {
        plan_.Branches[static_cast<size_t>(row)].Number = number;
    }
    ShowPlan();
}

void TBranchBreakForm::accept()
{
    try {
        // A split that fails midway is put back whole.
        TEditTransaction step(history_, ServiceSteps::kSplit);
        pieces_ = BranchSplit::Execute(mine_, plan_);
        if (placed_)
            placed_(pieces_);
        step.Commit();
    } catch (const Exception& e) {
        pieces_.clear();
        // The position message is an information, as it always was; the rest are errors.
        if (e.Message() == BranchSplit::kCoincidentNodes)
            MessageBoxes::Info(this, e.Message());
        else
            MessageBoxes::Error(this, e.Message());
        return;
    }
    QDialog::accept();
}

bool SplitBranch(QWidget* parent, TChildForm& document, TBranch* branch)
{
    if (!branch)
        return false;
    try {
        BranchSplit::CheckSplittable(*branch);
    } catch (const Exception& e) {
        MessageBoxes::Error(parent, e.Message());
        return false;
    }
    std::vector<TBranch*> order = document.Rows().BranchOrderVector();
    TBranchBreakForm form(*document.Mine(), *branch, parent);
    form.SetHistory(&document.History(), [&](const std::vector<TBranch*>& pieces) {
        // The old branch's address only marks its place; it is never followed.
        const auto place = std::find(order.begin(), order.end(), branch);
        if (place != order.end()) {
            const auto at = order.erase(place);
            order.insert(at, pieces.begin(), pieces.end());
        }
        document.SyncRows();
        document.SetBranchOrder(order);
    });
    if (form.exec() != QDialog::Accepted)
        return false;
    document.SetModified(true);
    return true;
}
