#include "ui/editing/IntegrateForm.h"

#include "core/model/Errors.h"
#include "core/model/Mine.h"
#include "core/model/Uzel.h"
#include "ui/common/MessageBoxes.h"
#include "ui/common/WaitCursor.h"
#include "ui/document/ChildForm.h"
#include "ui/editing/EditFields.h"
#include "ui/editing/ServiceFields.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

namespace {

QString FileText(const QLabel* label, const QString& file)
{
    if (file.isEmpty())
        return MineMerge::kNotSaved;
    return label->fontMetrics().elidedText(QDir::toNativeSeparators(file), Qt::ElideMiddle, 360);
}

void FillSurface(QTreeWidget* list, const TMine* mine)
{
    list->clear();
    std::vector<const TUzel*> nodes;
    if (mine)
        for (const TUzel* u : mine->SurfaceUzels)
            nodes.push_back(u);
    std::sort(nodes.begin(), nodes.end(), [](const TUzel* a, const TUzel* b) { return a->Number() < b->Number(); });
    for (const TUzel* u : nodes) {
        auto* item = new QTreeWidgetItem(
            list, {QString::number(u->Number()), QString::asprintf("%.1f", u->X()), QString::asprintf("%.1f", u->Y())});
        item->setData(1, Qt::UserRole, u->X());
        item->setData(2, Qt::UserRole, u->Y());
    }
    if (nodes.empty())
        new QTreeWidgetItem(list, {MineMerge::kNoSurface});
    list->setCurrentItem(list->topLevelItem(0));
}

QTreeWidget* SurfaceList(QWidget* parent, const QString& name)
{
    auto* list = new QTreeWidget(parent);
    list->setObjectName(name);
    list->setHeaderLabels({QStringLiteral("Узел"), QStringLiteral("X"), QStringLiteral("Y")});
    list->setRootIsDecorated(false);
    return list;
}

QLineEdit* DigitsEdit(QWidget* parent, const QString& name)
{
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(name);
    edit->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), edit));
    return edit;
}

}  // namespace

TIntegrateForm::TIntegrateForm(const TMergeCandidate& base, std::vector<TMergeCandidate> others, double schemaFactor,
                               QWidget* parent)
    : QDialog(parent), base_(base), others_(std::move(others))
{
    setWindowTitle(QStringLiteral("Объединение шахт"));
    request_.SchemaFactor = schemaFactor;
    defaultUzel_ = MineMerge::DefaultFirstUzel(*base_.Mine);
    defaultBranch_ = MineMerge::DefaultFirstBranch(*base_.Mine);

    auto* what = new QGroupBox(QStringLiteral(" Объединить  "), this);
    auto* baseFile = new QLabel(what);
    baseFile->setText(FileText(baseFile, base_.FileName));
    attachedBox_ = new QComboBox(what);
    attachedBox_->setObjectName(QStringLiteral("attached"));
    for (const TMergeCandidate& c : others_)
        attachedBox_->addItem(c.Mine->Name());
    attachedFile_ = new QLabel(what);
    auto* whatGrid = new QGridLayout(what);
    whatGrid->addWidget(new QLabel(QStringLiteral("шахту"), what), 0, 0);
    whatGrid->addWidget(new QLabel(base_.Mine->Name(), what), 0, 1);
    whatGrid->addWidget(baseFile, 1, 1);
    whatGrid->addWidget(EditFields::Buddy(QStringLiteral("&с шахтой"), attachedBox_, what), 2, 0);
    whatGrid->addWidget(attachedBox_, 2, 1);
    whatGrid->addWidget(attachedFile_, 3, 1);

    auto* surface = new QGroupBox(QStringLiteral(" Опорные узлы (информационно) "), this);
    baseSurface_ = SurfaceList(surface, QStringLiteral("baseSurface"));
    attachedSurface_ = SurfaceList(surface, QStringLiteral("attachedSurface"));
    distance_ = new QLabel(surface);
    auto* surfaceLayout = new QGridLayout(surface);
    surfaceLayout->addWidget(baseSurface_, 0, 0);
    surfaceLayout->addWidget(attachedSurface_, 0, 1);
    surfaceLayout->addWidget(distance_, 1, 0, 1, 2);
    FillSurface(baseSurface_, base_.Mine);

    auto* numbering = new QGroupBox(QStringLiteral(" Нумерация элементов присоединяемой шахты  "), this);
    uzelsFromMax_ = new QRadioButton(QStringLiteral("с максимального доступного номера"), numbering);
    uzelsFromTyped_ = new QRadioButton(QStringLiteral("с указанного номера"), numbering);
    firstUzel_ = DigitsEdit(numbering, QStringLiteral("firstUzel"));
    branchesFromMax_ = new QRadioButton(QStringLiteral("с максимального доступного номера"), numbering);
    branchesFromTyped_ = new QRadioButton(QStringLiteral("с указанного номера"), numbering);
    firstBranch_ = DigitsEdit(numbering, QStringLiteral("firstBranch"));
    auto* uzelGroup = new QGroupBox(QStringLiteral("Узлы"), numbering);
    auto* uzelLayout = new QVBoxLayout(uzelGroup);
    uzelLayout->addWidget(uzelsFromMax_);
    uzelLayout->addWidget(uzelsFromTyped_);
    uzelLayout->addWidget(firstUzel_);
    auto* branchGroup = new QGroupBox(QStringLiteral("Ветви"), numbering);
    auto* branchLayout = new QVBoxLayout(branchGroup);
    branchLayout->addWidget(branchesFromMax_);
    branchLayout->addWidget(branchesFromTyped_);
    branchLayout->addWidget(firstBranch_);
    auto* numberingLayout = new QHBoxLayout(numbering);
    numberingLayout->addWidget(uzelGroup);
    numberingLayout->addWidget(branchGroup);
    uzelsFromMax_->setChecked(true);
    branchesFromMax_->setChecked(true);
    firstUzel_->setText(QString::number(defaultUzel_));
    firstBranch_->setText(QString::number(defaultBranch_));

    auto* offset = new QGroupBox(QStringLiteral(" Смещение  "), this);
    dx_ = EditFields::NumberEdit(offset, QStringLiteral("dx"), 140, true);
    dy_ = EditFields::NumberEdit(offset, QStringLiteral("dy"), 140, true);
    dx_->setText(QStringLiteral("0"));
    dy_->setText(QStringLiteral("0"));
    auto* offsetLayout = new QHBoxLayout(offset);
    offsetLayout->addWidget(EditFields::Buddy(QStringLiteral("по X:"), dx_, offset));
    offsetLayout->addWidget(dx_);
    offsetLayout->addWidget(EditFields::Buddy(QStringLiteral("по Y:"), dy_, offset));
    offsetLayout->addWidget(dy_);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &TIntegrateForm::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &TIntegrateForm::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(what);
    layout->addWidget(surface);
    layout->addWidget(numbering);
    layout->addWidget(offset);
    layout->addWidget(buttons);

    connect(attachedBox_, &QComboBox::currentIndexChanged, this, &TIntegrateForm::AttachedChanged);
    for (QTreeWidget* list : {baseSurface_, attachedSurface_})
        connect(list, &QTreeWidget::currentItemChanged, this, &TIntegrateForm::UpdateDistance);
    for (QRadioButton* b : {uzelsFromMax_, uzelsFromTyped_, branchesFromMax_, branchesFromTyped_})
        connect(b, &QRadioButton::toggled, this, &TIntegrateForm::UpdateNumbering);
    AttachedChanged();
    UpdateNumbering();
}

const TMine* TIntegrateForm::Attached() const
{
    const int i = attachedBox_->currentIndex();
    return i >= 0 && i < static_cast<int>(others_.size()) ? others_[static_cast<size_t>(i)].Mine : nullptr;
}

void TIntegrateForm::AttachedChanged()
{
    const int i = attachedBox_->currentIndex();
    attachedFile_->setText(i >= 0 ? FileText(attachedFile_, others_[static_cast<size_t>(i)].FileName) : QString());
    FillSurface(attachedSurface_, Attached());
    UpdateDistance();
}

void TIntegrateForm::UpdateDistance()
{
    const QTreeWidgetItem* a = baseSurface_->currentItem();
    const QTreeWidgetItem* b = attachedSurface_->currentItem();
    if (!a || !b || !a->data(1, Qt::UserRole).isValid() || !b->data(1, Qt::UserRole).isValid()) {
        distance_->clear();
        return;
    }
    const double dx = std::abs(a->data(1, Qt::UserRole).toDouble() - b->data(1, Qt::UserRole).toDouble());
    const double dy = std::abs(a->data(2, Qt::UserRole).toDouble() - b->data(2, Qt::UserRole).toDouble());
    distance_->setText(QString::asprintf("dX = %.1f м    dY = %.1f м", dx, dy));
}

void TIntegrateForm::UpdateNumbering()
{
    firstUzel_->setEnabled(uzelsFromTyped_->isChecked());
    firstBranch_->setEnabled(branchesFromTyped_->isChecked());
    if (uzelsFromMax_->isChecked())
        firstUzel_->setText(QString::number(defaultUzel_));
    if (branchesFromMax_->isChecked())
        firstBranch_->setText(QString::number(defaultBranch_));
}

std::optional<int> TIntegrateForm::FirstNumber(QRadioButton* fromMax, QLineEdit* field, int smallest,
                                               const QString& message)
{
    if (fromMax->isChecked())
        return smallest;
    const auto typed = ServiceFields::WholeNumber(field);
    if (typed && *typed >= smallest)
        return typed;
    field->setText(QString::number(smallest));
    field->setFocus();
    field->selectAll();
    MessageBoxes::Error(this, message.arg(smallest));
    return std::nullopt;
}

void TIntegrateForm::accept()
{
    if (!Attached())
        return;
    for (QLineEdit* field : {dx_, dy_})
        if (!ServiceFields::Number(field)) {
            ServiceFields::Refuse(this, field);
            return;
        }
    request_.Dx = *ServiceFields::Number(dx_);
    request_.Dy = *ServiceFields::Number(dy_);
    const auto firstUzel = FirstNumber(uzelsFromMax_, firstUzel_, defaultUzel_, MineMerge::kUzelsFrom);
    if (!firstUzel)
        return;
    const auto firstBranch = FirstNumber(branchesFromMax_, firstBranch_, defaultBranch_, MineMerge::kBranchesFrom);
    if (!firstBranch)
        return;
    request_.FirstUzel = *firstUzel;
    request_.FirstBranch = *firstBranch;
    try {
        MineMerge::Numbering(*base_.Mine, *Attached(), request_);
    } catch (const Exception& e) {
        MessageBoxes::Error(this, e.Message());
        return;
    }
    if (request_.Dx == 0 || request_.Dy == 0) {
        TMessageRecord question{QGuiApplication::applicationDisplayName(), MineMerge::kZeroOffset, TMsgIcon::Question,
                                TMsgButtons::YesNo};
        if (MessageBoxes::Show(this, question) != TMsgAnswer::Yes)
            return;
    }
    QDialog::accept();
}

std::optional<TNetworkDocument> MergeMines(QWidget* parent, TChildForm& base, const QList<TChildForm*>& documents)
{
    try {
        MineMerge::CheckPreconditions(static_cast<int>(documents.size()), *base.Mine());
    } catch (const Exception& e) {
        MessageBoxes::Error(parent, e.Message());
        return std::nullopt;
    }
    std::vector<TMergeCandidate> others;
    for (TChildForm* d : documents)
        if (d != &base)
            others.push_back({d->Mine(), d->HasFileName() ? d->FileName() : QString()});
    TIntegrateForm form({base.Mine(), base.HasFileName() ? base.FileName() : QString()}, std::move(others),
                        base.SchemaFrame().F, parent);
    if (form.exec() != QDialog::Accepted)
        return std::nullopt;
    form.hide();
    try {
        TWaitCursor wait;
        return MineMerge::Merge(*base.Mine(), base.DocumentSettings(), base.Rows().BranchOrderVector(),
                                *form.Attached(), form.Request());
    } catch (const Exception& e) {
        MessageBoxes::Error(parent, e.Message());
    } catch (const std::bad_alloc&) {
        MessageBoxes::Error(parent, QStringLiteral("Недостаточно памяти для объединения шахт"));
    }
    return std::nullopt;
}
