#pragma once

#include "render/report/ReportPages.h"

#include <functional>
#include <vector>

class QPrinter;
class QWidget;
class TBusyCounter;

// Printing a table report: the printer the reports of this run go to, laying the report out
// for its paper, and the print job itself. The pages hold only text, so once they are built
// the document may change or close without harm.
namespace ReportPrinting {

// A printer in high resolution and full-page coordinates, set up as the last report printer
// the user chose in this run of the program.
void SetUpPrinter(QPrinter& printer);
// The user chose this printer (and paper) in a printer dialog: the next reports go there.
void RememberPrinter(const QPrinter& printer);

// Builds the report's content and lays it out for the printer's paper. Meanwhile the document's
// busy counter is raised (its window cannot close, the main window's commands are off) and
// the program keeps painting between rows without taking any input from the user.
std::vector<TReportPage> BuildPages(const std::function<TReportContent()>& build, const QPrinter& printer,
                                    TBusyCounter* busy);

// Prints the pages copies times. An empty report starts no print job: false.
bool Print(const std::vector<TReportPage>& pages, QPrinter& printer, int copies);

// Makes sure the printer can take a job: an installed printer, or a PDF file. With no
// printer installed the user names a PDF file (Qt writes it); false when cancelled.
bool EnsureOutput(QPrinter& printer, QWidget* parent);

}  // namespace ReportPrinting
