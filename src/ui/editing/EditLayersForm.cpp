#include "ui/editing/EditLayersForm.h"

#include "core/history/EditTransaction.h"
#include "core/model/Layer.h"
#include "ui/app/HelpContexts.h"
#include "ui/app/WinColor.h"
#include "ui/common/MessageBoxes.h"
#include "ui/editing/ServiceSteps.h"
#include "ui/editing/SwatchDelegate.h"

#include <QColorDialog>
#include <QHBoxLayout>
#include <QInputDialog>
#include <QListWidget>
#include <QPushButton>
#include <QTabBar>
#include <QVBoxLayout>

namespace {

constexpr int kSeamsHelp = 44;
constexpr int kPositionsHelp = 200;
constexpr int kSwatchWidth = 28;
constexpr int kColorRole = TSwatchDelegate::Role;

const QString& Caption(TLayerKind page, const QString& seams, const QString& positions)
{
    return page == TLayerKind::Seams ? seams : positions;
}

}  // namespace

TEditLayersForm::TEditLayersForm(TMine& mine, TLayerKind page, QWidget* parent)
    : QDialog(parent), mine_(mine), page_(page)
{
    setWindowTitle(QStringLiteral("Пласты"));
    tabs_ = new QTabBar(this);
    tabs_->addTab(QStringLiteral("&Пласты"));
    tabs_->addTab(QStringLiteral("По&зиции ПЛА"));
    list_ = new QListWidget(this);
    list_->setItemDelegate(new TSwatchDelegate(kSwatchWidth, list_));
    add_ = new QPushButton(QStringLiteral("&Добавить"), this);
    rename_ = new QPushButton(this);
    remove_ = new QPushButton(QStringLiteral("&Удалить"), this);
    color_ = new QPushButton(QStringLiteral("&Цвет"), this);
    auto* close = new QPushButton(QStringLiteral("&Закрыть"), this);

    connect(tabs_, &QTabBar::currentChanged, this,
            [this](int index) { SetPage(index == 0 ? TLayerKind::Seams : TLayerKind::Positions); });
    connect(list_, &QListWidget::currentRowChanged, this, &TEditLayersForm::UpdateButtons);
    connect(add_, &QPushButton::clicked, this, [this] { AddNamed(AskName({})); });
    connect(rename_, &QPushButton::clicked, this, [this] {
        if (const QListWidgetItem* item = list_->currentItem())
            RenameSelected(AskName(item->text()));
    });
    connect(remove_, &QPushButton::clicked, this, &TEditLayersForm::RemoveSelected);
    connect(color_, &QPushButton::clicked, this, [this] {
        const QListWidgetItem* item = list_->currentItem();
        if (!item)
            return;
        QColorDialog picker(item->data(kColorRole).value<QColor>(), this);
        picker.move(color_->mapToGlobal(QPoint(0, color_->height())));
        if (picker.exec() == QDialog::Accepted)
            ColorSelected(picker.selectedColor());
    });
    connect(close, &QPushButton::clicked, this, &QDialog::accept);

    auto* buttons = new QVBoxLayout;
    for (QPushButton* b : {add_, rename_, remove_, color_})
        buttons->addWidget(b);
    buttons->addStretch();
    buttons->addWidget(close);
    auto* body = new QHBoxLayout;
    body->addWidget(list_, 1);
    body->addLayout(buttons);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabs_);
    layout->addLayout(body);
    resize(360, 300);

    tabs_->setCurrentIndex(page == TLayerKind::Seams ? 0 : 1);
    SetPage(page);
}

void TEditLayersForm::SetPage(TLayerKind page)
{
    page_ = page;
    tabs_->setCurrentIndex(page == TLayerKind::Seams ? 0 : 1);
    rename_->setText(page == TLayerKind::Seams ? QStringLiteral("&Имя") : QStringLiteral("&Номер"));
    HelpContexts::Set(this, page == TLayerKind::Seams ? kSeamsHelp : kPositionsHelp);
    Fill(0);
}

void TEditLayersForm::Fill(int select)
{
    list_->clear();
    for (int i = 0; i < LayerEdits::Count(mine_, page_); ++i) {
        const TCustomLayer* layer = LayerEdits::Item(mine_, page_, i);
        auto* item = new QListWidgetItem(layer->Name(), list_);
        item->setData(kColorRole, ToQColor(static_cast<TColor>(layer->Color())));
    }
    list_->setCurrentRow(select < list_->count() ? select : -1);
    UpdateButtons();
}

void TEditLayersForm::UpdateButtons()
{
    const bool selected = list_->currentRow() >= 0;
    for (QPushButton* b : {rename_, remove_, color_})
        b->setEnabled(selected);
}

QString TEditLayersForm::AskName(const QString& current)
{
    bool ok = false;
    const QString name = QInputDialog::getText(this, QStringLiteral("Пласт"), QStringLiteral("Введите название"),
                                               QLineEdit::Normal, current, &ok);
    return ok ? name : QString();
}

void TEditLayersForm::Answer(const LayerEdits::TNameResult& result)
{
    if (result.Index < 0)
        return;
    Fill(result.Index);
    if (result.Duplicate)
        MessageBoxes::Show(this, {QStringLiteral("Заголовок"), LayerEdits::DuplicateText(page_), TMsgIcon::Information,
                                  TMsgButtons::Ok});
}

void TEditLayersForm::AddNamed(const QString& name)
{
    LayerEdits::TNameResult result;
    {
        TEditTransaction step(history_, Caption(page_, ServiceSteps::kAddSeam, ServiceSteps::kAddPosition),
                              TEditScope::Objects);
        step.TouchSeams();
        result = LayerEdits::Add(mine_, page_, name);
        step.Commit();
    }
    Answer(result);
}

void TEditLayersForm::RenameSelected(const QString& name)
{
    LayerEdits::TNameResult result;
    {
        TEditTransaction step(history_, Caption(page_, ServiceSteps::kRenameSeam, ServiceSteps::kRenamePosition),
                              TEditScope::Objects);
        step.TouchSeams();
        result = LayerEdits::Rename(mine_, page_, list_->currentRow(), name);
        step.Commit();
    }
    Answer(result);
}

void TEditLayersForm::RemoveSelected()
{
    const int row = list_->currentRow();
    const TCustomLayer* item = LayerEdits::Item(mine_, page_, row);
    if (!item || MessageBoxes::Ask(this, LayerEdits::RemoveQuestion(page_, item->Name()), TMsgButtons::YesNo) !=
                     TMsgAnswer::Yes)
        return;
    {
        // The branches of the seam lose it as well.
        TEditTransaction step(history_, Caption(page_, ServiceSteps::kRemoveSeam, ServiceSteps::kRemovePosition));
        LayerEdits::Remove(mine_, page_, row);
        step.Commit();
    }
    Fill(std::min(row, LayerEdits::Count(mine_, page_) - 1));
}

void TEditLayersForm::ColorSelected(const QColor& color)
{
    const int row = list_->currentRow();
    if (!color.isValid())
        return;
    TEditTransaction step(history_, Caption(page_, ServiceSteps::kSeamColor, ServiceSteps::kPositionColor),
                          TEditScope::Objects);
    step.TouchSeams();
    const bool set = LayerEdits::SetColor(mine_, page_, row, static_cast<int>(FromQColor(color)));
    step.Commit();
    if (set)
        Fill(row);
}
