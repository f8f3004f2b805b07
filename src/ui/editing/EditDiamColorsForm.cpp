#include "ui/editing/EditDiamColorsForm.h"

#include "core/history/EditTransaction.h"
#include "core/model/Mine.h"
#include "ui/app/HelpContexts.h"
#include "ui/app/WinColor.h"
#include "ui/common/MessageBoxes.h"
#include "ui/editing/ServiceSteps.h"
#include "ui/editing/SwatchDelegate.h"

#include <QColorDialog>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include <optional>

namespace {

constexpr int kHelpContext = 61;
constexpr int kSwatchWidth = 30;

// Where the editor stood when it was last closed in this run; the first opening is centred.
std::optional<QRect>& LastBounds()
{
    static std::optional<QRect> bounds;
    return bounds;
}

}  // namespace

TfrmEditDiamColors::TfrmEditDiamColors(TMine& mine, QWidget* parent) : QDialog(parent), mine_(mine)
{
    setWindowTitle(QStringLiteral("Редактор цветов"));
    HelpContexts::Set(this, kHelpContext);
    list_ = new QListWidget(this);
    list_->setItemDelegate(new TSwatchDelegate(kSwatchWidth, list_));
    color_ = new QPushButton(QStringLiteral("&Цвет"), this);
    auto* close = new QPushButton(QStringLiteral("&Закрыть"), this);
    connect(list_, &QListWidget::currentRowChanged, this, &TfrmEditDiamColors::UpdateButton);
    connect(color_, &QPushButton::clicked, this, [this] {
        const QListWidgetItem* item = list_->currentItem();
        if (!item)
            return;
        QColorDialog picker(item->data(TSwatchDelegate::Role).value<QColor>(), this);
        picker.move(color_->mapToGlobal(QPoint(0, color_->height())));
        if (picker.exec() == QDialog::Accepted)
            ColorSelected(picker.selectedColor());
    });
    connect(close, &QPushButton::clicked, this, &QDialog::accept);

    auto* buttons = new QVBoxLayout;
    buttons->addWidget(color_);
    buttons->addStretch();
    buttons->addWidget(close);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(list_, 1);
    layout->addLayout(buttons);
    resize(330, 260);
    if (LastBounds())
        setGeometry(*LastBounds());
    Fill();
    list_->setCurrentRow(0);
    UpdateButton();
}

TfrmEditDiamColors::~TfrmEditDiamColors()
{
    LastBounds() = geometry();
}

void TfrmEditDiamColors::Run(TMine& mine, QWidget* parent, TEditHistory* history)
{
    if (mine.DiamColors.Count() == 0) {
        MessageBoxes::Show(parent, {kApplicationTitle, DiamColorTexts::kNoPipes, TMsgIcon::Information, TMsgButtons::Ok});
        return;
    }
    TfrmEditDiamColors form(mine, parent);
    form.SetHistory(history);
    form.exec();
}

void TfrmEditDiamColors::Fill()
{
    const int row = list_->currentRow();
    list_->clear();
    for (int i = 0; i < mine_.DiamColors.Count(); ++i) {
        // Counted are the laid pipes: the branches that carry the diameter.
        const auto entry = mine_.DiamColors.GetEntry(i, true);
        auto* item = new QListWidgetItem(QStringLiteral("d = %1 мм\t(ветвей: %2)").arg(entry.diameter).arg(entry.count),
                                         list_);
        item->setData(TSwatchDelegate::Role, ToQColor(TColor(entry.color)));
        item->setData(Qt::UserRole + 1, entry.diameter);
    }
    list_->setCurrentRow(std::min(row, list_->count() - 1));
}

void TfrmEditDiamColors::UpdateButton()
{
    const QListWidgetItem* item = list_->currentItem();
    color_->setEnabled(item != nullptr);
    // The button's glyph shows the selected diameter's colour.
    QPixmap glyph(16, 16);
    glyph.fill(item ? item->data(TSwatchDelegate::Role).value<QColor>() : palette().color(QPalette::Button));
    color_->setIcon(QIcon(glyph));
}

void TfrmEditDiamColors::ColorSelected(const QColor& color)
{
    const QListWidgetItem* item = list_->currentItem();
    if (!item || !color.isValid())
        return;
    {
        // The colour lives in every pipe of the diameter.
        TEditTransaction step(history_, ServiceSteps::kDiamColors);
        mine_.DiamColors.SetDiameterColor(item->data(Qt::UserRole + 1).toInt(), int(FromQColor(color)));
        step.Commit();
    }
    Fill();
    UpdateButton();
}
