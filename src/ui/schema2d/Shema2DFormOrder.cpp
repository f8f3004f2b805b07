// The schema window's commands on the drawing order and "Восстановить...": the rules are the
// core's (DrawingOrder, SchemaPositions); here they are applied to the bound document.

#include "ui/schema2d/Shema2DForm.h"

#include "core/history/EditTransaction.h"
#include "core/schema/DrawingOrder.h"
#include "core/schema/SchemaPositions.h"
#include "core/model/Branch.h"
#include "core/model/Mine.h"
#include "render/schema2d/SchemaScene.h"
#include "ui/common/WaitCursor.h"
#include "ui/document/ChildForm.h"
#include "ui/schema2d/RestoreDialog.h"

#include <QAction>

#include <unordered_set>

namespace {

// Branches overlap within 6 symbol factors on the screen.
constexpr double kOverlapSymbolFactors = 6;

}  // namespace

void TShema2DForm::BuildOrderActions()
{
    const struct {
        TSchemaCommand command;
        QString caption;
        const char* key;
        int step;  // 2 front, 1 forward, -1 back one, -2 back
    } kOrder[] = {
        {TSchemaCommand::Front, QStringLiteral("Перенести на передний план"), "Ctrl+C", 2},
        {TSchemaCommand::Back, QStringLiteral("Перенести на задний план"), "Ctrl+B", -2},
        {TSchemaCommand::Forward, QStringLiteral("Перенести на позицию вперед"), "Shift+Ctrl+C", 1},
        {TSchemaCommand::Backward, QStringLiteral("Перенести на позицию назад"), "Shift+Ctrl+B", -1},
    };
    for (const auto& o : kOrder) {
        const int step = o.step;
        connect(AddCommand(o.command, o.caption, o.key, ""), &QAction::triggered, this, [this, step] { MoveOrder(step); });
    }
    connect(AddCommand(TSchemaCommand::Refresh, QStringLiteral("Восстановить..."), "F5", ""), &QAction::triggered, this,
            [this] {
                TRestoreDialog dialog(this);
                if (dialog.exec() == QDialog::Accepted)
                    Restore(dialog.Choice());
            });
}

void TShema2DForm::SyncOrderActions()
{
    bool branchSelected = false;
    if (document_)
        for (TMineObject* object : document_->Mine()->Selection)
            if (dynamic_cast<TBranch*>(object)) {
                branchSelected = true;
                break;
            }
    for (TSchemaCommand command :
         {TSchemaCommand::Front, TSchemaCommand::Back, TSchemaCommand::Forward, TSchemaCommand::Backward})
        Command(command)->setEnabled(editor_ && branchSelected);
    Command(TSchemaCommand::Refresh)->setEnabled(document_ != nullptr);
}

void TShema2DForm::MoveOrder(int step)
{
    if (!document_ || !editor_)
        return;
    const std::vector<TBranch*> order = document_->Rows().BranchOrderVector();
    const double tolerance = kOverlapSymbolFactors * view_.SymbolFactor() / view_.Scale();
    std::vector<TBranch*> next;
    switch (step) {
    case 2: next = DrawingOrder::ToFront(order); break;
    case -2: next = DrawingOrder::ToBack(order); break;
    case 1: next = DrawingOrder::Forward(order, tolerance); break;
    default: next = DrawingOrder::Backward(order, tolerance); break;
    }
    if (next == order)
        return;
    // The drawing order is the branch table's order: a step of the history's order of rows.
    TEditTransaction tx(History(), QStringLiteral("Порядок отрисовки"), TEditScope::Structure);
    document_->SetBranchOrder(next);
    tx.Commit();
    structuralPending_ = true;
    RepaintSchema(true);
}

void TShema2DForm::Restore(int choice)
{
    if (!document_ || choice == TRestoreDialog::rcNone)
        return;
    TWaitCursor wait;
    TMine& mine = *document_->Mine();
    TEditTransaction tx(History(), QStringLiteral("Восстановление схемы"),
                        choice == TRestoreDialog::rcOrder ? TEditScope::Structure : TEditScope::WholeMine);
    if (choice == TRestoreDialog::rcAll) {
        TSchemaFrame frame = document_->SchemaFrame();
        SchemaPositions::ResetFromCoordinates(mine, frame);
        document_->SetOrigin(frame.OX, frame.OY);
    }
    if (choice == TRestoreDialog::rcAll || choice == TRestoreDialog::rcOrder) {
        std::unordered_set<const TBranch*> visible;
        if (TSchemaScene* scene = Scene())
            visible.insert(scene->VisibleBranches().begin(), scene->VisibleBranches().end());
        document_->SetBranchOrder(DrawingOrder::FromHeights(
            document_->Rows().BranchOrderVector(), [&](const TBranch& b) { return visible.count(&b) != 0; }));
    }
    if (choice == TRestoreDialog::rcAll || choice == TRestoreDialog::rcLabels)
        SchemaPositions::RestoreLabels(mine);
    tx.Commit();
    document_->SetModified(true);
    structuralPending_ = true;
    RepaintSchema(true);
}
