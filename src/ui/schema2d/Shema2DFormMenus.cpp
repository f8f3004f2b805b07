// The schema window's context menus: on a node, a branch, a selected device, a number or
// result label, and a selected text block; and the commands that show or hide one object's
// labels. What the commands do to the mine is the core's (SchemaLabelToggles,
// SchemaPositions, TTextBlockDraft).

#include "ui/schema2d/Shema2DForm.h"

#include "core/history/EditTransaction.h"
#include "core/schema/SchemaLabelToggles.h"
#include "core/schema/SchemaPositions.h"
#include "core/schema/TextBlockDraft.h"
#include "core/model/Branch.h"
#include "core/model/Device.h"
#include "core/model/Mine.h"
#include "core/model/TextBlock2D.h"
#include "core/model/Uzel.h"
#include "core/settings/Config.h"
#include "ui/common/MessageBoxes.h"
#include "ui/document/ChildForm.h"
#include "ui/schema2d/EditTextBlockForm.h"
#include "ui/schema2d/SchemaPanel.h"
#include "ui/schema2d/SchemaSettings.h"
#include "ui/schema2d/SchemaViewActions.h"

#include <QAction>
#include <QCursor>
#include <QMenu>

using SchemaLabelToggles::TLabel;

namespace {

using C = TSchemaCommand;

const struct {
    TSchemaCommand Command;
    TLabel Label;
} kToggles[] = {
    {C::ToggleUzelNumber, TLabel::UzelNumber},     {C::ToggleUzelResult, TLabel::UzelResult},
    {C::ToggleBranchNumber, TLabel::BranchNumber}, {C::ToggleBranchResult, TLabel::BranchResult},
    {C::ToggleDeviceResult, TLabel::DeviceResult},
};

}  // namespace

void TShema2DForm::BuildContextActions()
{
    for (const auto& toggle : kToggles) {
        const int label = int(toggle.Label);
        connect(AddCommand(toggle.Command, SchemaLabelToggles::Caption(toggle.Label, true), "", ""), &QAction::triggered,
                this, [this, label] { ToggleLabels(label); });
    }
    connect(AddCommand(C::RestoreUzel, QStringLiteral("Восстановить"), "", ""), &QAction::triggered, this, [this] {
        auto* uzel = dynamic_cast<TUzel*>(menuHit_.Object);
        if (!document_ || !uzel)
            return;
        TEditTransaction tx(History(), QStringLiteral("Восстановление узла"), TEditScope::Objects);
        tx.Touch(uzel);
        SchemaPositions::RestoreUzel(*uzel, document_->SchemaFrame());
        tx.Commit();
        document_->SetModified(true);
        RepaintSchema(true);
    });
    connect(AddCommand(C::RestoreLabel, QStringLiteral("&Восстановить"), "", ""), &QAction::triggered, this, [this] {
        if (!document_ || !menuHit_.Object)
            return;
        TEditTransaction tx(History(), QStringLiteral("Восстановление подписи"), TEditScope::Objects);
        tx.Touch(menuHit_.Object);
        if (SchemaPositions::RestoreLabel(*menuHit_.Object, menuHit_.What == THit::Kind::UzelResult)) {
            tx.Commit();
            document_->SetModified(true);
        }
        RepaintSchema(true);
    });
    connect(AddCommand(C::DeviceProperties, QStringLiteral("Изменить..."), "", ""), &QAction::triggered, this, [this] {
        if (auto* device = dynamic_cast<TDevice*>(menuHit_.Object))
            emit EditDeviceRequested(device);
    });
    connect(AddCommand(C::EditPipe, QStringLiteral("Трубопровод..."), "", ""), &QAction::triggered, this, [this] {
        if (menuHit_.Branch)
            emit EditPipeRequested(menuHit_.Branch);
    });
    // Properties of the branch under the last click, else of its node.
    connect(AddCommand(C::Properties, QStringLiteral("Свойства..."), "Ctrl+J", ""), &QAction::triggered, this,
            [this] {
                if (TMineObject* object = menuHit_.Branch ? static_cast<TMineObject*>(menuHit_.Branch) : menuHit_.Object)
                    emit PropertiesRequested(object);
            });
    connect(AddCommand(C::UzelProperties, QStringLiteral("Свойства узла..."), "", ""), &QAction::triggered, this,
            [this] {
                if (auto* uzel = dynamic_cast<TUzel*>(menuHit_.Object))
                    emit PropertiesRequested(uzel);
            });
    connect(AddCommand(C::TextBlockProperties, QStringLiteral("Свойства..."), "", ""), &QAction::triggered, this,
            [this] { EditTextBlock(SelectedTextBlock(), QCursor::pos()); });
    connect(AddCommand(C::TextBlockDelete, QStringLiteral("Удалить"), "", ""), &QAction::triggered, this,
            [this] { DeleteTextBlock(SelectedTextBlock()); });
    connect(AddCommand(C::TextBlockReset, QStringLiteral("Восстановить"), "", ""), &QAction::triggered, this, [this] {
        TTextBlock2D* block = SelectedTextBlock();
        if (!block)
            return;
        TTextBlockDraft draft = TTextBlockDraft::Of(*block);
        TextBlockEdit::Reset(draft);
        TEditTransaction tx(History(), QStringLiteral("Восстановление текста"), TEditScope::Objects);
        tx.TouchTextBlocks();
        draft.ApplyTo(*block);
        tx.Commit();
        RepaintSchema(true);
    });
}

std::unique_ptr<QMenu> TShema2DForm::ContextMenu(const THit& hit)
{
    if (!document_)
        return nullptr;
    const TRenderContext ctx = Context();
    const bool results = ctx.Results != nullptr;
    auto menu = std::make_unique<QMenu>(this);
    auto add = [&](TSchemaCommand command) { menu->addAction(Command(command)); };
    auto addMain = [&](const char* name) {
        if (QAction* action = mainCommands_ ? mainCommands_(QString::fromLatin1(name)) : nullptr)
            if (action->isVisible())
                menu->addAction(action);
    };
    // The show/hide commands name what the clicked object shows now.
    auto toggle = [&](TSchemaCommand command, TLabel label, bool enabled) {
        QAction* action = Command(command);
        TMineObject* reference = SchemaLabelToggles::Reference(hit.Object, label);
        if (!reference)
            return;
        action->setText(SchemaLabelToggles::Caption(label, SchemaLabelToggles::Shown(*reference, label)));
        action->setEnabled(enabled);
        menu->addAction(action);
    };

    switch (hit.What) {
    case THit::Kind::Uzel:
        document_->ShowUzel(static_cast<TUzel*>(hit.Object));
        addMain("actSurfacedUzel");
        menu->addSeparator();
        toggle(C::ToggleUzelNumber, TLabel::UzelNumber, ctx.Show.UzelNumbers);
        toggle(C::ToggleUzelResult, TLabel::UzelResult, results && ctx.Show.UzelResultsShown());
        menu->addSeparator();
        add(C::RestoreUzel);
        add(C::UzelProperties);
        break;
    case THit::Kind::Branch:
        document_->ShowBranch(hit.Branch);
        toggle(C::ToggleUzelNumber, TLabel::UzelNumber, ctx.Show.UzelNumbers);
        toggle(C::ToggleUzelResult, TLabel::UzelResult, results && ctx.Show.UzelResultsShown());
        toggle(C::ToggleBranchNumber, TLabel::BranchNumber, ctx.Show.BranchLabels);
        toggle(C::ToggleBranchResult, TLabel::BranchResult, results && ctx.Show.BranchResultsShown());
        menu->addSeparator();
        addMain("actBranchBreak");
        add(C::EditPipe);
        add(C::Properties);
        break;
    case THit::Kind::Device:
        if (!hit.Object->Selected())
            return nullptr;
        add(C::DeviceProperties);
        toggle(C::ToggleDeviceResult, TLabel::DeviceResult, results && ctx.Show.Devices);
        break;
    case THit::Kind::UzelNumber:
    case THit::Kind::UzelResult:
    case THit::Kind::BranchNumber:
    case THit::Kind::SectionResult:
        add(C::RestoreLabel);
        break;
    case THit::Kind::TextBlock:
    case THit::Kind::TextBlockHandle:
        if (hit.Block != SelectedTextBlock())
            return nullptr;
        add(C::TextBlockProperties);
        add(C::TextBlockDelete);
        add(C::TextBlockReset);
        break;
    case THit::Kind::None:
        return nullptr;
    }
    menuHit_ = hit;
    return menu;
}

void TShema2DForm::ToggleLabels(int label)
{
    if (!document_)
        return;
    TMineObject* reference = SchemaLabelToggles::Reference(menuHit_.Object, TLabel(label));
    if (!reference)
        return;
    // The clicked object and the selected ones of its kind may change.
    TEditTransaction tx(History(), QStringLiteral("Подписи на схеме"), TEditScope::Objects);
    tx.Touch(reference);
    for (const TMineObject* object : document_->Mine()->Selection)
        if (object->ObjectKind() == reference->ObjectKind())
            tx.Touch(object);
    if (SchemaLabelToggles::Toggle(*document_->Mine(), *reference, TLabel(label)) > 0) {
        tx.Commit();
        document_->SetModified(true);
    }
    hitsValid_ = false;
    RepaintSchema(true);
}

TTextBlock2D* TShema2DForm::SelectedTextBlock() const
{
    // The block may have gone with its mine or through another window.
    return document_ && block_ && document_->Mine()->TextBlocks.IndexOf(block_) >= 0 ? block_ : nullptr;
}

void TShema2DForm::SelectTextBlock(TTextBlock2D* block)
{
    if (block_ == block)
        return;
    block_ = block;
    hitsValid_ = false;
    panel_->Invalidate();
}

void TShema2DForm::EditTextBlock(TTextBlock2D* block, QPoint screenPoint)
{
    if (!block)
        return;
    TTextBlockDraft draft = TTextBlockDraft::Of(*block);
    TEditTextBlockForm form(draft, this);
    // The block may have gone while the dialog was open.
    if (!form.Run(screenPoint) || !document_ || document_->Mine()->TextBlocks.IndexOf(block) < 0)
        return;
    TEditTransaction tx(History(), QStringLiteral("Изменение текста"), TEditScope::Objects);
    tx.TouchTextBlocks();
    draft.ApplyTo(*block);
    tx.Commit();
    RepaintSchema(true);
}

void TShema2DForm::DeleteTextBlock(TTextBlock2D* block, bool ask)
{
    if (!block || !document_)
        return;
    if (ask && MessageBoxes::Show(this, {kApplicationTitle,
                                         QStringLiteral("Удалить текстовый блок \"%1\"?").arg(block->Text()),
                                         TMsgIcon::Question, TMsgButtons::YesNo}) != TMsgAnswer::Yes)
        return;
    if (document_->Mine()->TextBlocks.IndexOf(block) < 0)
        return;
    if (block_ == block)
        block_ = nullptr;
    TEditTransaction tx(History(), QStringLiteral("Удаление текста"), TEditScope::Objects);
    tx.TouchTextBlocks();
    document_->Mine()->TextBlocks.Remove(block);
    tx.Commit();
    document_->SetModified(true);
    hitsValid_ = false;
    RepaintSchema(true);
}
