#include "render/print/SchemaSheets.h"

#include "core/Version.h"
#include "core/schema/SchemaPositions.h"
#include "render/print/TitleBlockPainter.h"
#include "render/schema2d/PressureColouring.h"
#include "render/schema2d/SchemaRenderer.h"
#include "render/schema2d/SchemaScene.h"

#include <QPageLayout>
#include <QPageSize>
#include <QPagedPaintDevice>
#include <QPainter>

namespace SchemaSheets {

TPrintExtent ExtentOf(TSchemaScene& scene, const TSchemaDrawing& drawing)
{
    const TViewGeometry view = drawing.Frame(scene);
    TPrintExtent extent;
    extent.Size = view.Extent().size();
    extent.TextOverhang = view.LabelOverhang();
    extent.SymbolOverhang = QMarginsF(kSymbolOverhang, kSymbolOverhang, kSymbolOverhang, kSymbolOverhang);
    return extent;
}

TFactorLimits FactorLimits(const TScaleLimits& l)
{
    return TFactorLimits{l.MinLimScale, l.MaxLimScale, l.MinFontScale, l.MaxFontScale};
}

std::vector<TPage> PrintOrder(const TSheetLayout& layout, const std::vector<bool>& selected, int copies)
{
    std::vector<TPage> pages;
    for (int copy = 0; copy < copies; ++copy)
        for (int row = 0; row < layout.Rows(); ++row)
            for (int column = 0; column < layout.Columns(); ++column) {
                const size_t index = size_t(row * layout.Columns() + column);
                if (selected.empty() || (index < selected.size() && selected[index]))
                    pages.push_back({column, row});
            }
    return pages;
}

bool PreparePage(QPagedPaintDevice& device, const TSheetLayout& layout)
{
    const QSizeF mm = layout.SheetCm() * 10;
    const QPageSize size(QSizeF(std::min(mm.width(), mm.height()), std::max(mm.width(), mm.height())),
                         QPageSize::Millimeter, QString(), QPageSize::ExactMatch);
    const auto orientation = mm.width() > mm.height() ? QPageLayout::Landscape : QPageLayout::Portrait;
    return device.setPageLayout(QPageLayout(size, orientation, QMarginsF(0, 0, 0, 0)));
}

int Print(QPainter& painter, QPagedPaintDevice& device, const TSheetPainter& sheets,
          const std::function<bool()>& aborted)
{
    int printed = 0;
    for (const TPage& page : PrintOrder(sheets.Layout(), sheets.Job().Selected, sheets.Job().Copies)) {
        if (aborted && aborted())
            break;
        if (printed > 0 && !device.newPage())
            break;
        sheets.PaintSheet(painter, page.Column, page.Row);
        ++printed;
    }
    return printed;
}

}  // namespace SchemaSheets

namespace {

TPaperUnits Sharpened(TPaperUnits units, bool blackWhite)
{
    units.Sharp = units.Sharp || blackWhite;
    return units;
}

TSheetLayoutInput Completed(TSheetLayoutInput in, TSchemaScene& scene, const TSchemaDrawing& drawing, double legendCm)
{
    in.Extent = SchemaSheets::ExtentOf(scene, drawing);
    in.Limits = SchemaSheets::FactorLimits(drawing.Limits);
    in.LegendHeightCm = legendCm;
    return in;
}

}  // namespace

TSheetPainter::TSheetPainter(TSchemaScene& scene, const TSchemaDrawing& drawing, TSheetJob job, const TPaperUnits& units)
    : scene_(scene),
      drawing_(drawing),
      job_(std::move(job)),
      units_(Sharpened(units, drawing.BlackWhite)),
      legend_(job_.Passport, job_.Symbols, TLegendColumn::DiametersOf(scene.Mine()), units_, drawing.BlackWhite,
              PressureColouring::Applies(drawing)),
      layout_(Completed(job_.Layout, scene, drawing, legend_.HeightCm()))
{
    job_.Layout = layout_.Input();
    context_ = TRenderContext(drawing_);
    TViewGeometry& view = context_.View;
    view = drawing_.Frame(scene_);
    // Drawn in screen units, magnified to the device by the painter: fonts keep their size.
    view.SetPrinting(true, TViewGeometry::kScreenDpi);
    view.SetScale(layout_.Input().Scale);
    view.SetClient(QSize(1 << 20, 1 << 20), 0);
    view.SetScrollPosition(QPoint());
    context_.Printing = true;
    context_.Dpi = TViewGeometry::kScreenDpi;
    // Paper stays white behind the schema, whatever the screen's back colour.
    context_.Colors[cpSchema].BackColor = 0xFFFFFF;
}

QRectF TSheetPainter::PrintableRect() const
{
    const TMarginsCm& m = layout_.Input().Margins;
    return units_.Rect(QRectF(QPointF(m.Left, m.Top), layout_.PrintableCm()));
}

QTransform TSheetPainter::SchemaToPage(int column, int row) const
{
    // The picture's origin on this sheet's page, then the schema's drawn top-left in the
    // picture (right of the legend, inside the symbol overhang).
    const QPointF sheet = layout_.SheetOriginCm(column, row);
    const TMarginsCm& m = layout_.Input().Margins;
    const QMarginsF& symbols = layout_.Input().Extent.SymbolOverhang;
    const double sf = layout_.SymbolFactor();
    const QPointF drawnTopLeft = units_.Point(m.Left - sheet.x() + layout_.LegendReserveCm() + symbols.left() * sf / kPpcm,
                                              m.Top - sheet.y() + symbols.top() * sf / kPpcm);
    const double margin = context_.View.Margin();
    QTransform t;
    t.translate(drawnTopLeft.x(), drawnTopLeft.y());
    t.scale(units_.X / kPpcm, units_.Y / kPpcm);
    t.translate(-margin, -margin);
    return t;
}

QPointF TSheetPainter::PagePoint(QPointF schema, int column, int row) const
{
    return SchemaToPage(column, row).map(context_.View.ToScreen(schema));
}

void TSheetPainter::PaintSheet(QPainter& painter, int column, int row) const
{
    const QRectF printable = PrintableRect();
    const bool smooth = !drawing_.BlackWhite && drawing_.Antialiasing;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, smooth);
    painter.setRenderHint(QPainter::TextAntialiasing, smooth);
    painter.setClipRect(printable);

    // The schema, through a context of its own clipped to this sheet.
    const QTransform toPage = SchemaToPage(column, row);
    TRenderContext ctx = context_;
    ctx.Area = toPage.inverted().mapRect(printable);
    ctx.Clip = ctx.Area;
    painter.save();
    painter.setTransform(toPage, true);
    if (drawing_.Part) {
        // Only the part, with the symbols on its edge whole.
        const double reach = SchemaSheets::kSymbolOverhang * layout_.SymbolFactor();
        const QRectF part(ctx.View.ToScreen(drawing_.Part->topLeft()), ctx.View.ToScreen(drawing_.Part->bottomRight()));
        painter.setClipRect(part.normalized().adjusted(-reach, -reach, reach, reach), Qt::IntersectClip);
    }
    SchemaRenderer::Render(painter, scene_, ctx);
    painter.restore();

    // The legend and the title block stand in the picture; each sheet shows its part of them.
    const QPointF sheet = layout_.SheetOriginCm(column, row);
    const TMarginsCm& m = layout_.Input().Margins;
    const QPointF pictureOrigin = units_.Point(m.Left - sheet.x(), m.Top - sheet.y());
    if (layout_.LegendShown())
        legend_.Paint(painter, pictureOrigin);
    if (layout_.StampShown())
        TitleBlockPainter::Paint(painter, job_.Passport.Shapka,
                                 pictureOrigin + units_.Point(layout_.StampLeftCm(), layout_.StampTopCm()), units_);
    painter.restore();

    PaintMargins(painter, column, row);
}

void TSheetPainter::PaintMargins(QPainter& painter, int column, int row) const
{
    const QRectF page(QPointF(0, 0), units_.Rect(QRectF(QPointF(0, 0), layout_.SheetCm())).size());
    const QRectF printable = PrintableRect();
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setRenderHint(QPainter::TextAntialiasing, !drawing_.BlackWhite);
    // White outside the printable area, whatever the schema's back colour spilled there.
    QRegion outside = QRegion(page.toAlignedRect()).subtracted(QRegion(printable.toAlignedRect()));
    painter.setClipRegion(outside);
    painter.fillRect(page, Qt::white);
    painter.setClipping(false);

    if (job_.CutLines) {
        // One pixel; an edge in the printer's non-printable band is left out.
        const TMarginsCm& m = layout_.Input().Margins;
        const QMarginsF& off = job_.UnprintableCm;
        painter.setPen(QPen(Qt::black, 0));
        const QRectF r = printable.adjusted(0, 0, -1, -1);
        if (m.Top >= off.top())
            painter.drawLine(r.topLeft(), r.topRight());
        if (m.Bottom >= off.bottom())
            painter.drawLine(r.bottomLeft(), r.bottomRight());
        if (m.Left >= off.left())
            painter.drawLine(r.topLeft(), r.bottomLeft());
        if (m.Right >= off.right())
            painter.drawLine(r.topRight(), r.bottomRight());
    }

    if (layout_.Input().PageNumbers) {
        const QRectF strip(printable.left(), printable.bottom(), printable.width(), layout_.StripCm() * units_.Y);
        QFont number(QStringLiteral("Arial"));
        number.setPixelSize(std::max(1, int(strip.height() / 1.2)));
        if (units_.Sharp)
            number.setStyleStrategy(QFont::NoAntialias);
        painter.setFont(number);
        painter.setPen(Qt::black);
        painter.drawText(strip, Qt::AlignLeft | Qt::AlignVCenter,
                         QStringLiteral("Страница %1").arg(SchemaSheets::SheetNumber(column, row, layout_.Columns())));
        QFont product = number;
        product.setPixelSize(std::max(1, int(strip.height() / 2)));
        painter.setFont(product);
        painter.drawText(strip, Qt::AlignRight | Qt::AlignVCenter,
                         QStringLiteral("Ирвата %1 — технологическая схема").arg(QLatin1String(kIrvataVersion)));
    }
    painter.restore();
}
