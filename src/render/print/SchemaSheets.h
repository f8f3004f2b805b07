#pragma once

// The technological schema printed on sheets: the print loop (copies, then rows, then
// columns), each sheet with its part of the schema, the legend column, the title block,
// white margins, cut lines and the page number. The schema is drawn as the drawing's
// description says, through a render context of its own, so the schema window's view is
// never touched.

#include "core/printing/Passport.h"
#include "core/printing/SheetLayout.h"
#include "render/print/LegendColumn.h"
#include "render/print/PrintUnits.h"
#include "render/schema2d/RenderContext.h"

#include <QMarginsF>
#include <QTransform>

#include <functional>
#include <optional>
#include <vector>

class QPagedPaintDevice;
class QPainter;
class TSchemaScene;

// One print job of the schema: what only printing adds to the drawing.
struct TSheetJob {
    TSheetLayoutInput Layout;
    // One flag a sheet, row by row; empty means all.
    std::vector<bool> Selected;
    int Copies = 1;
    bool CutLines = true;
    TPasport Passport;
    TSymbolTable Symbols = DefaultSymbols();
    // The printer's non-printable edges, cm: a cut line there is left out.
    QMarginsF UnprintableCm;
};

namespace SchemaSheets {

// How far symbols reach beyond the node positions, schema units at symbol factor 1.
inline constexpr double kSymbolOverhang = 10;
inline constexpr const char* kJobTitle = "Технологическая схема";

// The extent the layout needs, from the scene as the drawing shows it (its part only, when
// it has one).
TPrintExtent ExtentOf(TSchemaScene& scene, const TSchemaDrawing& drawing);
TFactorLimits FactorLimits(const TScaleLimits& limits);

// The "Страница %d" number of a sheet.
inline int SheetNumber(int column, int row, int columns) { return column + row * columns + 1; }

// Pages in print order: copies, then rows, then columns, the selected sheets only.
struct TPage {
    int Column = 0;
    int Row = 0;
};
std::vector<TPage> PrintOrder(const TSheetLayout& layout, const std::vector<bool>& selected, int copies);

}  // namespace SchemaSheets

// Paints single sheets of a job on a device of the given resolution.
class TSheetPainter {
public:
    // Completes the job's layout input (extent, legend height) from the scene and passport.
    // The drawing's black and white holds for the legend and the title block too.
    TSheetPainter(TSchemaScene& scene, const TSchemaDrawing& drawing, TSheetJob job, const TPaperUnits& units);

    const TSheetLayout& Layout() const { return layout_; }
    const TSheetJob& Job() const { return job_; }
    // The transform from the schema's render context to the page of a sheet, in device pixels.
    QTransform SchemaToPage(int column, int row) const;
    // A node's schema position on the page of a sheet.
    QPointF PagePoint(QPointF schema, int column, int row) const;
    // The part of the page the picture takes.
    QRectF PrintableRect() const;

    void PaintSheet(QPainter& painter, int column, int row) const;

private:
    void PaintMargins(QPainter& painter, int column, int row) const;

    TSchemaScene& scene_;
    TSchemaDrawing drawing_;
    TSheetJob job_;
    TPaperUnits units_;
    TLegendColumn legend_;
    TSheetLayout layout_;
    TRenderContext context_;
};

namespace SchemaSheets {

// Sets the device's page to the layout's sheet, full page, no margins.
bool PreparePage(QPagedPaintDevice& device, const TSheetLayout& layout);

// Prints the job: the pages in print order, a new page between sheets; stops when aborted()
// says so. Returns the pages printed.
int Print(QPainter& painter, QPagedPaintDevice& device, const TSheetPainter& sheets,
          const std::function<bool()>& aborted = {});

}  // namespace SchemaSheets
