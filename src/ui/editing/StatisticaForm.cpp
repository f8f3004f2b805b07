#include "ui/editing/StatisticaForm.h"

#include "core/services/MineStatistics.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace {
constexpr int kCaptionWidth = 200;
}

TStatisticaForm::TStatisticaForm(const TMine& mine, const QString& filePath, int formatVersion, QWidget* parent)
    : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Информация о шахте"));
    list_ = new QTreeWidget(this);
    list_->setColumnCount(2);
    list_->setHeaderHidden(true);
    list_->setRootIsDecorated(false);
    list_->setSelectionMode(QAbstractItemView::NoSelection);
    list_->setFocusPolicy(Qt::NoFocus);
    list_->header()->setStretchLastSection(true);
    list_->setTextElideMode(Qt::ElideMiddle);  // a long file path keeps both ends
    for (const TStatisticsRow& row : MineStatistics::Rows(mine, filePath, formatVersion)) {
        auto* item = new QTreeWidgetItem(list_, {row.Caption, row.Value});
        item->setToolTip(1, row.Value);
        if (row.Bold) {
            QFont bold = item->font(0);
            bold.setBold(true);
            item->setFont(0, bold);
            item->setFont(1, bold);
        }
    }
    auto* ok = new QPushButton(QStringLiteral("&ОК"), this);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(list_);
    layout->addLayout(buttons);
    // Captions are never cut: their column is as wide as the widest, at least 200 pixels.
    list_->resizeColumnToContents(0);
    list_->setColumnWidth(0, std::max(kCaptionWidth, list_->columnWidth(0) + 8));
    resize(std::max(440, list_->columnWidth(0) + 240), 560);
}
