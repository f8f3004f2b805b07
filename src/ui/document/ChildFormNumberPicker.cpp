// The document window's number picker: the free-numbers button beside a number cell being
// edited, and what the chosen number does.

#include "ui/document/ChildForm.h"

#include "core/services/FreeNumberEntries.h"
#include "ui/app/CommandIcons.h"
#include "ui/document/GridModel.h"
#include "ui/document/GridView.h"
#include "ui/editing/FreeNumForm.h"

#include <QHeaderView>
#include <QLineEdit>
#include <QToolButton>

void TChildForm::SetUpNumberPicker()
{
    numberPicker_ = new QToolButton(this);
    numberPicker_->setAutoRaise(true);
    // The cell editor keeps the focus while the button is pressed.
    numberPicker_->setFocusPolicy(Qt::NoFocus);
    const QIcon icon = DrawnCommandIcon(QStringLiteral("actFreeNumbers"));
    if (icon.isNull())
        numberPicker_->setText(QStringLiteral("№"));
    else
        numberPicker_->setIcon(icon);
    numberPicker_->setToolTip(QStringLiteral("Свободные номера"));
    numberPicker_->hide();
    connect(numberPicker_, &QToolButton::clicked, this, &TChildForm::OpenNumberChooser);
    for (TGridView* grid : {uzelGrid_, branchGrid_}) {
        connect(grid, &TGridView::EditingStarted, this,
                [this, grid](const QModelIndex& index) { ShowNumberPicker(grid, index); });
        connect(grid, &TGridView::EditingEnded, numberPicker_, &QWidget::hide);
    }
}

void TChildForm::ShowNumberPicker(TGridView* grid, const QModelIndex& index)
{
    const int param = grid->GridModel()->ParamAt(index.column());
    if (param != (grid == uzelGrid_ ? int(upNum) : int(bpNum))) {
        numberPicker_->hide();
        return;
    }
    pickerGrid_ = grid;
    pickerIndex_ = index;
    QHeaderView* fixed = grid->verticalHeader();
    numberPicker_->setParent(fixed);
    numberPicker_->setGeometry(0, fixed->sectionViewportPosition(index.row()), fixed->width(),
                               fixed->sectionSize(index.row()));
    numberPicker_->show();
}

void TChildForm::OpenNumberChooser()
{
    if (!pickerGrid_ || !pickerIndex_.isValid())
        return;
    // Nodes share their numbers with every device; branches have their own.
    const int sources = pickerGrid_ == uzelGrid_ ? nsUzels | nsWaterDevices | nsGasDevices : int(nsBranches);
    const QPoint below = numberPicker_->mapToGlobal(QPoint(0, numberPicker_->height()));
    const int number = PickFreeNumber(below, *mine_, sources, {}, false, true, this);
    if (number > 0)
        GiveNumberToCell(number);
}

void TChildForm::GiveNumberToCell(int number)
{
    if (!pickerGrid_ || !pickerIndex_.isValid())
        return;
    const QModelIndex index = pickerIndex_;
    // Through the open editor when there is one, so Enter's rules apply; else to the model.
    if (auto* editor = qobject_cast<QLineEdit*>(pickerGrid_->indexWidget(index))) {
        editor->setText(QString::number(number));
        pickerGrid_->CommitEditor();
    } else {
        pickerGrid_->model()->setData(index, QString::number(number), Qt::EditRole);
    }
    numberPicker_->hide();
}
