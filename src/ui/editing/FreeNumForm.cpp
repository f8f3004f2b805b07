#include "ui/editing/FreeNumForm.h"

#include "ui/app/HelpContexts.h"
#include "ui/common/WaitCursor.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace {
constexpr int kHelpContext = 57;
}

TFreeNumForm::TFreeNumForm(const std::vector<TFreeNumberEntry>& entries, QWidget* parent)
    : QDialog(parent, Qt::Popup)
{
    HelpContexts::Set(this, kHelpContext);
    list_ = new QListWidget(this);
    for (const TFreeNumberEntry& e : entries) {
        auto* item = new QListWidgetItem(e.Caption, list_);
        item->setData(Qt::UserRole, e.Number);
    }
    if (list_->count() > 0)
        list_->setCurrentRow(0);
    insert_ = new QPushButton(QStringLiteral("&Вставить"), this);
    insert_->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("О&тмена"), this);
    connect(insert_, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(list_, &QListWidget::itemDoubleClicked, this, &QDialog::accept);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(insert_);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->addWidget(list_);
    layout->addLayout(buttons);
    resize(180, 220);
}

int TFreeNumForm::Chosen() const
{
    const QListWidgetItem* item = list_->currentItem();
    const int number = item ? item->data(Qt::UserRole).toInt() : -1;
    return number >= 1 ? number : -1;
}

void TFreeNumForm::PlaceAt(const QPoint& screenPoint)
{
    QPoint at = screenPoint;
    if (const QScreen* screen = QGuiApplication::screenAt(screenPoint)) {
        const QRect area = screen->availableGeometry();
        if (at.x() + width() > area.right())
            at.setX(std::max(area.left(), area.right() - width()));
        if (at.y() + height() > area.bottom())
            at.setY(std::max(area.top(), area.bottom() - height()));
    }
    move(at);
}

int PickFreeNumber(const QPoint& screenPoint, const TMine& mine, int sources, const std::vector<int>& extra,
                   bool automatic, bool withTail, QWidget* parent)
{
    std::vector<TFreeNumberEntry> entries;
    {
        TWaitCursor busy;
        entries = FreeNumberEntries::Entries(FreeNumberEntries::UsedNumbers(mine, sources, extra), withTail);
    }
    if (automatic)
        return entries.empty() ? -1 : entries.front().Number;
    TFreeNumForm form(entries, parent);
    form.PlaceAt(screenPoint);
    return form.exec() == QDialog::Accepted ? form.Chosen() : -1;
}
