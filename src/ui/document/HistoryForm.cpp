#include "ui/document/HistoryForm.h"

#include "ui/document/ChildForm.h"

#include <QApplication>
#include <QLabel>
#include <QListWidget>
#include <QPalette>
#include <QVBoxLayout>

namespace {

const QString kTitle = QStringLiteral("История правок");
const QString kStart = QStringLiteral("(исходное состояние)");
const QString kDropped = QStringLiteral("Ранние правки забыты: %1");
const QString kNoDocument = QStringLiteral("Нет открытой шахты");
const QString kCurrentMark = QStringLiteral("\u25B6 ");
const QString kOtherMark = QStringLiteral("    ");

}  // namespace

THistoryForm::THistoryForm(QWidget* parent) : QWidget(parent, Qt::Tool)
{
    setObjectName(QStringLiteral("HistoryForm"));
    setWindowTitle(kTitle);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->setSpacing(4);
    dropped_ = new QLabel(this);
    dropped_->setWordWrap(true);
    dropped_->hide();
    list_ = new QListWidget(this);
    list_->setSelectionMode(QAbstractItemView::NoSelection);
    list_->setUniformItemSizes(true);
    layout->addWidget(dropped_);
    layout->addWidget(list_);
    connect(list_, &QListWidget::itemClicked, this, &THistoryForm::RowClicked);
    resize(300, 380);
    Refill();
}

void THistoryForm::SetDocument(TChildForm* document)
{
    if (document == document_)
        return;
    if (document_)
        disconnect(document_, nullptr, this, nullptr);
    document_ = document;
    if (document_) {
        connect(document_, &TChildForm::HistoryChanged, this, &THistoryForm::Refill);
        // A check or a calculation keeps the history where it stands.
        connect(document_, &TChildForm::StateChanged, this, &THistoryForm::UpdateEnabled);
        connect(document_, &QObject::destroyed, this, [this] {
            document_ = nullptr;
            Refill();
        });
    }
    Refill();
}

void THistoryForm::Refill()
{
    list_->clear();
    if (!document_) {
        dropped_->hide();
        auto* none = new QListWidgetItem(kNoDocument, list_);
        none->setFlags(Qt::NoItemFlags);
        return;
    }
    const TEditHistory& history = document_->History();
    const int dropped = history.DroppedSteps();
    dropped_->setText(kDropped.arg(dropped));
    dropped_->setVisible(dropped > 0);
    const int position = history.Position();
    const QColor undone = palette().color(QPalette::Disabled, QPalette::Text);
    for (int row = 0; row <= history.Count(); ++row) {
        const QString caption = row == 0 ? kStart : history.Step(row - 1).Caption;
        auto* item = new QListWidgetItem((row == position ? kCurrentMark : kOtherMark) + caption, list_);
        item->setData(Qt::UserRole, row);
        if (row == position) {
            QFont bold = list_->font();
            bold.setBold(true);
            item->setFont(bold);
        } else if (row > position) {
            item->setForeground(undone);
        }
    }
    // The keyboard's current row is the history's own.
    list_->setCurrentRow(position);
    if (QListWidgetItem* current = list_->item(position))
        list_->scrollToItem(current);
    UpdateEnabled();
}

void THistoryForm::UpdateEnabled()
{
    list_->setEnabled(document_ && !document_->Busy().Busy());
}

void THistoryForm::RowClicked(QListWidgetItem* item)
{
    if (!document_ || !item)
        return;
    bool ok = false;
    const int row = item->data(Qt::UserRole).toInt(&ok);
    // After the click is done with the row: the walk fills the list anew.
    if (ok)
        QMetaObject::invokeMethod(
            this,
            [this, row] {
                if (document_)
                    document_->GoToStep(row);
            },
            Qt::QueuedConnection);
}
