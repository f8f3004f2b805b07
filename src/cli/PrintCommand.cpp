#include "CliSupport.h"
#include "Commands.h"
#include "DrawingOptions.h"

#include "core/file/AtomicFile.h"
#include "core/model/Errors.h"
#include "core/printing/AutoLegend.h"
#include "core/printing/PassportFile.h"
#include "core/printing/SheetLayout.h"
#include "render/print/SchemaSheets.h"
#include "render/schema2d/SchemaScene.h"

#include <QBuffer>
#include <QPainter>
#include <QPdfWriter>

#include <cmath>

namespace {

// The resolution of the PDF's page coordinates; the schema itself stays vector.
constexpr int kPdfDpi = 600;

std::optional<TMarginsCm> ParseMargins(const QString& text)
{
    const QStringList parts = text.split(u',');
    if (parts.size() != 4)
        return std::nullopt;
    double v[4];
    for (int i = 0; i < 4; ++i) {
        bool ok = false;
        v[i] = parts[i].trimmed().toDouble(&ok);
        if (!ok || !std::isfinite(v[i]))
            return std::nullopt;
    }
    return TMarginsCm{v[0], v[1], v[2], v[3]};
}

std::optional<std::vector<int>> ParseSheets(const QString& text)
{
    std::vector<int> out;
    for (const QString& part : text.split(u',')) {
        bool ok = false;
        const int n = part.trimmed().toInt(&ok);
        if (!ok || n < 1)
            return std::nullopt;
        out.push_back(n);
    }
    return out;
}

}  // namespace

// print FILE OUT.pdf [--paper A0..A5] [--landscape] [--scale PCT | --fit-paper NAME] [--map-scale M]
//       [--margins L,T,R,B] [--no-page-numbers] [--legend] [--passport FILE.txt] [--bw]
//       [--sheets 1,3,4] [--copies N]
//
// Prints the schema on sheets into a PDF as the print dialog does, with the settings' default
// look, and says "sheets S/T" as the dialog's label does. What the dialog refuses is refused
// with its message, status 2, and no file is written.
int RunPrint(const QStringList& args)
{
    Cli::Arguments a(args,
                     Cli::DrawingValueOptions(false) +
                         QStringList{QStringLiteral("paper"), QStringLiteral("scale"), QStringLiteral("fit-paper"),
                                     QStringLiteral("margins"), QStringLiteral("passport"), QStringLiteral("sheets"),
                                     QStringLiteral("copies")},
                     Cli::DrawingFlags(false) + QStringList{QStringLiteral("landscape"),
                                                            QStringLiteral("no-page-numbers"), QStringLiteral("legend")});
    if (!a.Ok())
        return Cli::UsageError(a.Error());
    QString error;
    std::optional<Cli::TDrawingChoice> choice = Cli::ReadDrawing(a, error);
    const auto copies = a.Integer(QStringLiteral("copies"), 1, 1000);
    if (!a.Ok())
        return Cli::UsageError(a.Error());
    if (!choice)
        return Cli::UsageError(error);
    if (a.Positional().size() != 2)
        return Cli::UsageError(QStringLiteral("print takes a network file and an output .pdf"));
    const QString input = a.Positional()[0];
    const QString output = a.Positional()[1];
    if (!output.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive))
        return Cli::UsageError(QStringLiteral("print writes a .pdf file"));

    TSheetJob job;
    const int paper = PaperIndexByShortName(a.Option(QStringLiteral("paper")).value_or(QStringLiteral("A4")));
    if (paper < 0)
        return Cli::UsageError(QStringLiteral("--paper must be one of A0|A1|A2|A3|A4|A5"));
    job.Layout.Paper = paper;
    job.Layout.PrinterLandscape = a.Flag(QStringLiteral("landscape"));
    std::optional<int> fitPaper;
    if (const auto name = a.Option(QStringLiteral("fit-paper"))) {
        fitPaper = PaperIndexByShortName(*name);
        if (*fitPaper < 0)
            return Cli::UsageError(QStringLiteral("--fit-paper must be one of A0|A1|A2|A3|A4|A5"));
    }
    if (const auto scale = a.Option(QStringLiteral("scale"))) {
        if (fitPaper)
            return Cli::UsageError(QStringLiteral("--scale and --fit-paper exclude each other"));
        bool ok = false;
        job.Layout.Scale = scale->toDouble(&ok) / 100.0;
        if (!ok || !std::isfinite(job.Layout.Scale))
            return Cli::UsageError(QStringLiteral("--scale must be a number of per cent"));
    }
    if (const auto margins = a.Option(QStringLiteral("margins"))) {
        const auto parsed = ParseMargins(*margins);
        if (!parsed)
            return Cli::UsageError(QStringLiteral("--margins must be L,T,R,B in cm"));
        job.Layout.Margins = *parsed;
    }
    std::optional<std::vector<int>> sheets;
    if (const auto list = a.Option(QStringLiteral("sheets"))) {
        sheets = ParseSheets(*list);
        if (!sheets)
            return Cli::UsageError(QStringLiteral("--sheets must be sheet numbers from 1, separated by commas"));
    }
    const auto passportFile = a.Option(QStringLiteral("passport"));
    job.Layout.PageNumbers = !a.Flag(QStringLiteral("no-page-numbers"));
    job.Layout.Legend = a.Flag(QStringLiteral("legend"));
    job.Copies = int(copies.value_or(1));

    return Cli::Guarded([&] {
        TNetworkDocument doc = Cli::LoadDrawing(input, *choice);
        const TSchemaDrawing& drawing = choice->Drawing;

        // As the dialog opens: the automatic legend, then what a loaded passport says.
        AutoLegend::Fill(job.Symbols, *doc.Mine, drawing.Show.PipeIndex);
        if (passportFile)
            PassportFile::Read(*passportFile).ApplyTo(job.Passport, job.Symbols);
        job.Layout.LegendHasContent = job.Passport.LegendColumnHasContent();
        job.Layout.Stamp = job.Passport.Shapka.Enabled;

        TSchemaScene scene(*doc.Mine);
        scene.SetDrawingOrder(doc.BranchOrder);
        const TPaperUnits units = TPaperUnits::ForDpi(kPdfDpi, kPdfDpi);
        if (fitPaper) {
            // The fit needs the extent and the legend's height the painter measures.
            const TSheetPainter probe(scene, drawing, job, units);
            const SheetLayout::TFitResult fit = SheetLayout::FitToPaper(probe.Layout().Input(), *fitPaper);
            if (!fit.Scale)
                throw Exception(fit.Refusal.isEmpty() ? QStringLiteral("Слишком маленький масштаб") : fit.Refusal);
            job.Layout.Scale = *fit.Scale;
        }
        if (const auto refusal = SheetLayout::CheckMargins(job.Layout.Margins,
                                                           SheetSizeCm(PaperFormats()[size_t(paper)], job.Layout.PrinterLandscape)))
            throw Exception(refusal->Text);

        TSheetPainter painterOfSheets(scene, drawing, job, units);
        const TSheetLayout& layout = painterOfSheets.Layout();
        if (const QString refusal = SheetLayout::CheckScale(layout); !refusal.isEmpty())
            throw Exception(refusal);
        std::vector<bool> selected(size_t(layout.SheetCount()), !sheets);
        if (sheets) {
            for (const int n : *sheets) {
                if (n > layout.SheetCount())
                    throw Exception(QStringLiteral("Листа %1 нет: схема занимает %2 листов").arg(n).arg(layout.SheetCount()));
                selected[size_t(n - 1)] = true;
            }
        }
        job.Selected = selected;
        const TSheetPainter sheetsOfJob(scene, drawing, job, units);

        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        {
            QPdfWriter pdf(&buffer);
            pdf.setCreator(QStringLiteral("irvata-cli"));
            pdf.setTitle(QString::fromUtf8(SchemaSheets::kJobTitle));
            pdf.setResolution(kPdfDpi);
            SchemaSheets::PreparePage(pdf, layout);
            QPainter painter;
            if (!painter.begin(&pdf))
                throw Exception(QStringLiteral("Ошибка при создании файла %1").arg(FileNameOnly(output)));
            SchemaSheets::Print(painter, pdf, sheetsOfJob);
            painter.end();
        }
        WriteFileAtomically(output, buffer.data());
        Cli::Out(QStringLiteral("sheets %1\n").arg(SheetLayout::SheetsLabel(selected, job.Copies)));
        return kExitOk;
    });
}
