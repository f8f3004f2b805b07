#pragma once

#include "render/report/ReportPages.h"

#include <QByteArray>
#include <QPageLayout>
#include <QPageSize>
#include <functional>
#include <vector>

class QPagedPaintDevice;
class QPainter;

// Paints laid-out report pages onto any paged device (a printer, a PDF writer, the preview)
// or any painter. The device is addressed in full-page coordinates: its own margins must be 0
// (full-page mode), the report keeps its own.
namespace ReportPainter {

// The paper of a device in layout units.
QSizeF PaperOf(const QPagedPaintDevice& device);

// One page onto a painter whose device has the given resolution (dots per inch), origin at the
// paper's top-left corner.
void PaintPage(QPainter& painter, const TReportPage& page, double dpi);

// Every page, copies times over (collated), on a painter already begun on device. Returns
// false without painting when there are no pages. betweenPages, when given, is called after
// every page (a long job keeps the program painting).
bool Paint(QPainter& painter, QPagedPaintDevice& device, const std::vector<TReportPage>& pages, int copies = 1,
           const std::function<void()>& betweenPages = {});

// The pages as a PDF document at 1200 dpi on the given paper; empty without pages.
QByteArray Pdf(const std::vector<TReportPage>& pages, const QPageSize& paper, QPageLayout::Orientation orientation,
               int copies = 1);

}  // namespace ReportPainter
