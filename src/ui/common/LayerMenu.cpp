#include "ui/common/LayerMenu.h"

#include "core/model/Layer.h"
#include "core/model/Mine.h"

#include <QAction>
#include <QMenu>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

namespace LayerMenu {

namespace {

int Count(const TMine& mine, bool seams) { return seams ? mine.Layers.Count() : mine.PLFPositions.Count(); }

TCustomLayer* At(const TMine& mine, bool seams, int index)
{
    return seams ? static_cast<TCustomLayer*>(mine.Layers.Items(index)) : static_cast<TCustomLayer*>(mine.PLFPositions.Items(index));
}

}  // namespace

void Fill(QMenu* menu, const TMine* mine, bool seams)
{
    menu->clear();
    if (!mine)
        return;
    for (int i = 0; i < Count(*mine, seams); ++i) {
        const TCustomLayer* layer = At(*mine, seams, i);
        QAction* action = menu->addAction(layer->Name());
        action->setCheckable(true);
        action->setChecked(layer->Visible());
        action->setData(i);
    }
}

TCustomLayer* Chosen(const QAction* action, TMine& mine, bool seams)
{
    bool ok = false;
    const int index = action ? action->data().toInt(&ok) : -1;
    return ok && index >= 0 && index < Count(mine, seams) ? At(mine, seams, index) : nullptr;
}

TCustomLayer* Toggle(const QAction* action, TMine& mine, bool seams)
{
    TCustomLayer* layer = Chosen(action, mine, seams);
    if (layer)
        layer->SetVisible(!layer->Visible());
    return layer;
}

QToolButton* AddButton(QToolBar* bar, QMenu* menu, const QString& caption)
{
    auto* button = new QToolButton(bar);
    button->setText(caption);
    button->setMenu(menu);
    button->setPopupMode(QToolButton::InstantPopup);
    bar->addWidget(button);
    return button;
}

void OfferAgain(QToolButton* button)
{
    if (button->isVisible() && button->underMouse())
        QTimer::singleShot(0, button, &QToolButton::showMenu);
}

}  // namespace LayerMenu
