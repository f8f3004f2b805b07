// The schema window's seam and plan-position drop-downs: every seam (position) of the mine by
// name, checked while its branches are shown. A click switches it, the schema is drawn again
// without (or with) its branches, and the list opens again under its button so several can be
// switched in a row.

#include "ui/schema2d/Shema2DForm.h"

#include "core/history/EditTransaction.h"
#include "core/model/Layer.h"
#include "core/model/Mine.h"
#include "ui/common/LayerMenu.h"
#include "ui/document/ChildForm.h"

#include <QAction>
#include <QMenu>
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
        QToolButton* button = LayerMenu::AddButton(bar, menu, m.Caption);
        view->addMenu(menu);
        const bool seams = m.Seams;
        connect(menu, &QMenu::aboutToShow, this,
                [this, menu, seams] { LayerMenu::Fill(menu, document_ ? document_->Mine() : nullptr, seams); });
        connect(menu, &QMenu::triggered, this, [this, button, seams](QAction* action) {
            if (!document_)
                return;
            TEditTransaction tx(History(), seams ? QStringLiteral("Видимость пласта") : QStringLiteral("Видимость позиции ПЛА"),
                                TEditScope::Objects);
            tx.TouchSeams();
            if (!LayerMenu::Toggle(action, *document_->Mine(), seams))
                return;
            tx.Commit();
            document_->SetModified(true);
            structuralPending_ = true;
            hitsValid_ = false;
            RepaintSchema(true);
            LayerMenu::OfferAgain(button);
        });
    }
}
