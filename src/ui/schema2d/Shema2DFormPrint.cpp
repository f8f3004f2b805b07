// The schema window's printing: the print dialog fed with the view as shown, and the legend.

#include "Shema2DForm.h"

#include "core/schema/SchemaPositions.h"
#include "core/model/Mine.h"
#include "core/printing/Passport.h"
#include "ui/document/ChildForm.h"
#include "ui/printing/LegendForm.h"
#include "ui/printing/PrintForm.h"

#include <QAction>

void TShema2DForm::BuildPrintActions()
{
    connect(AddCommand(TSchemaCommand::PrintSchema, QStringLiteral("Печать..."), "Ctrl+P", "document-print"), &QAction::triggered,
            this, &TShema2DForm::PrintSchema);
    connect(AddCommand(TSchemaCommand::Legend, QStringLiteral("Условные обозначения"), "", ""), &QAction::triggered, this,
            &TShema2DForm::ShowLegend);
}

void TShema2DForm::PrintSchema()
{
    TSchemaScene* scene = Scene();
    if (!scene || !document_)
        return;
    TPrintSource source;
    source.Scene = scene;
    source.Drawing = Drawing();
    source.Visible = view_.VisibleSchemaRect();
    source.Selection = SchemaPositions::SelectedNodeExtent(*document_->Mine());
    TPrintForm form(source, ApplicationPrintingData(), this);
    form.exec();
}

void TShema2DForm::ShowLegend()
{
    const TMine* mine = document_ ? document_->Mine() : nullptr;
    TLegendForm form(ApplicationPrintingData().Legend, TLegendForm::TMode::View, mine, Drawing().Show.PipeIndex, this);
    form.exec();
}
