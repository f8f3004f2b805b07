#include "CliSupport.h"
#include "Commands.h"

#include "core/tables/TableColumns.h"
#include "core/file/AtomicFile.h"
#include "core/file/NetworkFile.h"
#include "render/report/DevicesReport.h"
#include "render/report/ReportPainter.h"
#include "render/report/TablesReport.h"

#include <QDateTime>
#include <QFileInfo>

// report FILE OUT.pdf [--nodes] [--branches] [--devices] [--title]
//
// Prints the tables of a network file as the table report does on an A4 portrait paper: the
// title page, the node and branch tables with the columns the document shows, and the table of
// the fire-fighting pipe's devices. Without any of the four switches everything is printed.
// Prints "pages N" on standard output. A report with nothing in it writes no file.
int RunReport(const QStringList& args)
{
    Cli::Arguments a(args, {},
                     {QStringLiteral("nodes"), QStringLiteral("branches"), QStringLiteral("devices"),
                      QStringLiteral("title")});
    if (!a.Ok())
        return Cli::UsageError(a.Error());
    if (a.Positional().size() != 2)
        return Cli::UsageError(QStringLiteral("report takes a network file and an output .pdf file"));
    const QString input = a.Positional()[0];
    const QString output = a.Positional()[1];
    if (QFileInfo(output).suffix().compare(QStringLiteral("pdf"), Qt::CaseInsensitive) != 0)
        return Cli::UsageError(QStringLiteral("Указано неизвестное расширение файла"));
    const bool any = a.Flag(QStringLiteral("nodes")) || a.Flag(QStringLiteral("branches")) ||
                     a.Flag(QStringLiteral("devices")) || a.Flag(QStringLiteral("title"));
    const auto wanted = [&](const char* name) { return !any || a.Flag(QString::fromLatin1(name)); };

    return Cli::Guarded([&] {
        const TNetworkDocument doc = NetworkFile::Read(input);
        TColumnSet uzelCols(TTableKind::Uzels);
        TColumnSet branchCols(TTableKind::Branches);
        uzelCols.ApplyLayout(doc.Settings.UzelCols);
        branchCols.ApplyLayout(doc.Settings.BranchCols);

        const int none = TTablesReportOptions::NoRows;
        const int full = TTablesReportOptions::Full;
        TTablesReportInputs in;
        in.Mine = doc.Mine.get();
        in.FileName = input;
        in.When = QDateTime::currentDateTime();
        in.Uzels = TablesReport::ChooseUzels(*doc.Mine, wanted("nodes") ? full : none);
        in.UzelColumns = &uzelCols;
        in.Branches = TablesReport::ChooseBranches(doc.BranchOrder, wanted("branches") ? full : none);
        in.BranchColumns = &branchCols;
        in.TitlePage = wanted("title");
        TReportContent content = TablesReport::Build(in);
        if (wanted("devices")) {
            const std::vector<const TDevice*> devices = DevicesReport::FirePipeDevices(*doc.Mine);
            if (!devices.empty())
                content.Tables.push_back(DevicesReport::Table(devices, QStringLiteral("все оборудование")));
        }

        const QPageSize paper(QPageSize::A4);
        TReportPageSetup setup;
        setup.Paper = paper.sizePoints() * ReportUnits::kPerPoint;
        const std::vector<TReportPage> pages = TReportLayout(setup).Build(content);
        if (pages.empty()) {
            Cli::Err(QStringLiteral("Нечего печатать: отчет пуст, файл %1 не создан").arg(FileNameOnly(output)));
            return int(kExitFile);
        }
        WriteFileAtomically(output, ReportPainter::Pdf(pages, paper, QPageLayout::Portrait));
        Cli::Out(QStringLiteral("pages %1\n").arg(pages.size()));
        return int(kExitOk);
    });
}
