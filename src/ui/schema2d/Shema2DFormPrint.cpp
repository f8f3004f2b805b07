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
    connect(AddCommand("ActPrintShema", QStringLiteral("Печать..."), "Ctrl+P", "document-print"), &QAction::triggered,
            this, &TShema2DForm::PrintSchema);
    connect(AddCommand("ActLegend", QStringLiteral("Условные обозначения"), "", ""), &QAction::triggered, this,
            &TShema2DForm::ShowLegend);
}

void TShema2DForm::PrintSchema()
{
    TSchemaScene* scene = Scene();
    if (!scene || !document_)
        return;
    const TRenderContext ctx = Context();
    TPrintSource source;
    source.Scene = scene;
    source.Look.Show = ctx.Show;
    source.Look.Colors = ctx.Colors;
    source.Look.Limits = view_.Limits();
    source.Look.MapScale = view_.MapScale();
    source.Look.Origin = view_.Origin();
    source.Look.GridStepMetres = ctx.GridStepMetres;
    source.Look.Results = ctx.Results;
    source.Visible = view_.VisibleSchemaRect();
    source.Selection = SchemaPositions::SelectedNodeExtent(*document_->Mine());
    TPrintForm form(source, ApplicationPrintingData(), this);
    form.exec();
}

void TShema2DForm::ShowLegend()
{
    const TMine* mine = document_ ? document_->Mine() : nullptr;
    TLegendForm form(ApplicationPrintingData().Legend, TLegendForm::TMode::View, mine, Context().Show.PipeIndex, this);
    form.exec();
}
