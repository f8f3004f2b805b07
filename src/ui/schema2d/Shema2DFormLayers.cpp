// The schema window's seam and plan-position drop-downs: every seam (position) of the mine by
// name, checked while its branches are shown. A click switches it, the schema is drawn again
// without (or with) its branches, and the list opens again under its button so several can be
// switched in a row.

#include "ui/schema2d/Shema2DForm.h"

#include "core/model/Layer.h"
#include "core/model/Mine.h"
#include "ui/common/LayerMenu.h"
#include "ui/document/ChildForm.h"

#include <QAction>
#include <QMenu>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

void TShema2DForm::BuildLayerMenus(QToolBar* bar, QMenu* view)
{
    const struct {
        const char* Name;
        QString Caption;
        bool Seams;
    } kMenus[] = {{"LayersMenu", QStringLiteral("Пласты"), true}, {"PLFMenu", QStringLiteral("Позиции ПЛА"), false}};
    for (const auto& m : kMenus) {
        auto* menu = new QMenu(m.Caption, this);
        menu->setObjectName(QString::fromLatin1(m.Name));
        auto* button = new QToolButton(bar);
        button->setText(m.Caption);
        button->setMenu(menu);
        button->setPopupMode(QToolButton::InstantPopup);
        bar->addWidget(button);
        view->addMenu(menu);
        const bool seams = m.Seams;
        connect(menu, &QMenu::aboutToShow, this, [this, menu, seams] { FillLayerMenu(menu, seams); });
        connect(menu, &QMenu::triggered, this, [this, menu, button](QAction* action) {
            if (!document_)
                return;
            const bool seams = menu->objectName() == QLatin1String("LayersMenu");
            TCustomLayer* layer = LayerMenu::Chosen(action, *document_->Mine(), seams);
            if (!layer)
                return;
            layer->SetVisible(!layer->Visible());
            document_->SetModified(true);
            structuralPending_ = true;
            hitsValid_ = false;
            RepaintSchema(true);
            // Opened from its button, the list comes back for the next choice.
            if (button->isVisible() && button->underMouse())
                QTimer::singleShot(0, button, &QToolButton::showMenu);
        });
    }
}

void TShema2DForm::FillLayerMenu(QMenu* menu, bool seams)
{
    menu->clear();
    if (document_)
        LayerMenu::Fill(menu, *document_->Mine(), seams);
}
