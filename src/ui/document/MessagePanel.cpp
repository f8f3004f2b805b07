#include "ui/document/MessagePanel.h"

#include "core/checks/MessageList.h"
#include "ui/document/MessageListModel.h"

#include <QAction>
#include <QHBoxLayout>
#include <QListView>
#include <QMenu>
#include <QToolButton>
#include <QVBoxLayout>

TMessagePanel::TMessagePanel(TMessageList* list, QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("MessagePanel"));
    model_ = new TMessageListModel(list, this);
    list_ = new QListView(this);
    list_->setObjectName(QStringLiteral("MsgBox"));
    list_->setModel(model_);
    list_->setUniformItemSizes(true);
    list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    list_->setContextMenuPolicy(Qt::CustomContextMenu);

    smallBtn_ = new QToolButton(this);
    smallBtn_->setObjectName(QStringLiteral("SmallBtn"));
    smallBtn_->setText(QStringLiteral("×"));
    smallBtn_->setAutoRaise(true);
    smallBtn_->setFixedSize(16, 16);

    auto* side = new QVBoxLayout;
    side->setContentsMargins(0, 0, 0, 0);
    side->addWidget(smallBtn_);
    side->addStretch();
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 2, 0, 0);
    layout->setSpacing(2);
    layout->addWidget(list_, 1);
    layout->addLayout(side);

    gotoSource_ = new QAction(QStringLiteral("&Перейти к источнику"), this);
    gotoSource_->setObjectName(QStringLiteral("actGotoSource"));
    gotoSchema_ = new QAction(QStringLiteral("Перейти на с&хему"), this);
    gotoSchema_->setObjectName(QStringLiteral("actGotoSchema"));
    clearChecks_ = new QAction(QStringLiteral("Очистить результаты &проверки"), this);
    clearChecks_->setObjectName(QStringLiteral("actClearChecks"));
    clearFreeNums_ = new QAction(QStringLiteral("Очистить &свободные номера"), this);
    clearFreeNums_->setObjectName(QStringLiteral("actClearFreeNums"));
    clearAll_ = new QAction(QStringLiteral("Очистить &все"), this);
    clearAll_->setObjectName(QStringLiteral("actClearAll"));

    connect(gotoSource_, &QAction::triggered, this, [this] { emit GotoSourceRequested(CurrentLine()); });
    connect(gotoSchema_, &QAction::triggered, this, [this] { emit GotoSchemaRequested(CurrentLine()); });
    connect(clearChecks_, &QAction::triggered, this, &TMessagePanel::ClearChecksRequested);
    connect(clearFreeNums_, &QAction::triggered, this, &TMessagePanel::ClearFreeNumsRequested);
    connect(clearAll_, &QAction::triggered, this, &TMessagePanel::ClearAllRequested);
    connect(smallBtn_, &QToolButton::clicked, this, &TMessagePanel::CloseRequested);
    // Double click and Enter follow the line to its object.
    connect(list_, &QListView::activated, this, [this](const QModelIndex& index) {
        if (index.isValid())
            emit GotoSourceRequested(index.row());
    });
    menu_ = new QMenu(this);
    menu_->setObjectName(QStringLiteral("MessageMenu"));
    menu_->addAction(gotoSource_);
    menu_->addAction(gotoSchema_);
    menu_->addSeparator();
    menu_->addAction(clearChecks_);
    menu_->addAction(clearFreeNums_);
    menu_->addAction(clearAll_);
    connect(list_, &QWidget::customContextMenuRequested, this, [this](const QPoint& pos) {
        UpdateActions();
        menu_->popup(list_->viewport()->mapToGlobal(pos));
    });
    UpdateActions();
}

int TMessagePanel::CurrentLine() const
{
    const QModelIndex i = list_->currentIndex();
    return i.isValid() ? i.row() : -1;
}

void TMessagePanel::SelectLine(int line)
{
    if (line < 0 || line >= model_->rowCount())
        return;
    const QModelIndex i = model_->index(line);
    list_->setCurrentIndex(i);
    list_->scrollTo(i);
}

void TMessagePanel::UpdateActions()
{
    const int line = CurrentLine();
    const bool withObject = line >= 0 && line < model_->List().Count() && model_->List().Line(line).HasObject();
    gotoSource_->setEnabled(withObject);
    gotoSchema_->setEnabled(withObject && schemaReachable_ && schemaReachable_());
    clearChecks_->setEnabled(!model_->List().IsEmpty());
    clearFreeNums_->setEnabled(!model_->List().IsEmpty());
    clearAll_->setEnabled(!model_->List().IsEmpty());
}
