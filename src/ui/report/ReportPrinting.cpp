#include "ui/report/ReportPrinting.h"

#include "core/checks/BusyCounter.h"
#include "render/report/ReportPainter.h"
#include "ui/common/FileDialogs.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>

#include <optional>

namespace {

struct TRememberedPrinter {
    QString Name;
    std::optional<QPageLayout> Layout;
    QString OutputFile;
};

TRememberedPrinter& Remembered()
{
    static TRememberedPrinter printer;
    return printer;
}

}  // namespace

void ReportPrinting::SetUpPrinter(QPrinter& printer)
{
    printer.setFullPage(true);
    const TRememberedPrinter& r = Remembered();
    if (!r.Name.isEmpty())
        printer.setPrinterName(r.Name);
    if (!r.OutputFile.isEmpty())
        printer.setOutputFileName(r.OutputFile);
    if (r.Layout)
        printer.setPageLayout(*r.Layout);
    printer.setFullPage(true);
}

void ReportPrinting::RememberPrinter(const QPrinter& printer)
{
    TRememberedPrinter& r = Remembered();
    r.Name = printer.printerName();
    r.OutputFile = printer.outputFileName();
    r.Layout = printer.pageLayout();
}

std::vector<TReportPage> ReportPrinting::BuildPages(const std::function<TReportContent()>& build,
                                                    const QPrinter& printer, TBusyCounter* busy)
{
    const TBusyGuard guard(busy);
    const TReportContent content = build();
    TReportPageSetup setup;
    setup.Paper = ReportPainter::PaperOf(printer);
    return TReportLayout(setup).Build(content, [] {
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    });
}

bool ReportPrinting::Print(const std::vector<TReportPage>& pages, QPrinter& printer, int copies)
{
    if (pages.empty())
        return false;
    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    const bool done = ReportPainter::Paint(painter, printer, pages, copies, [] {
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    });
    painter.end();
    return done;
}

bool ReportPrinting::EnsureOutput(QPrinter& printer, QWidget* parent)
{
    if (printer.outputFormat() == QPrinter::PdfFormat && !printer.outputFileName().isEmpty())
        return true;
    if (!QPrinterInfo::availablePrinters().isEmpty())
        return true;
    TSaveRequest request;
    request.Filters = {QStringLiteral("PDF (*.pdf)")};
    request.DefaultSuffix = QStringLiteral("pdf");
    request.ProposedName = QStringLiteral("Отчет");
    const TSaveAnswer answer = FileDialogs::Save(parent, request);
    if (!answer.Accepted || answer.Path.isEmpty())
        return false;
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(answer.Path);
    return true;
}
