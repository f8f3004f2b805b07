// The main window's exchange commands: "&Импорт..." reads the sibling program's exchange file
// into a new document, "&Экпорт..." writes the active document as such a file or its results
// as text, as the chosen extension says.

#include "ui/app/MainForm.h"

#include "core/exchange/ExchangeFormats.h"
#include "core/exchange/ResultsText.h"
#include "core/exchange/TorvexFile.h"
#include "core/model/Mine.h"
#include "core/settings/Config.h"
#include "ui/app/GuardedApplication.h"
#include "ui/common/FileDialogs.h"
#include "ui/common/MessageBoxes.h"
#include "ui/common/WaitCursor.h"
#include "ui/document/ChildForm.h"

#include <QFileInfo>

namespace {

const QString kImportFilter = QStringLiteral("Торвекс 1.0 - 1.5 (*.mdf)");
const QString kExportFilter = QStringLiteral("Торвекс 1.5 (*.mdf)");
const QString kResultsFilter = QStringLiteral("Результаты расчета (*.txt)");

}  // namespace

void TMainForm::ConnectExchangeCommands()
{
    OnCommand("actImport", [this] { ImportExchangeFile(); });
    OnDocumentCommand("actExport", [this](TChildForm& d) { ExportDocument(d); });
}

void TMainForm::ImportExchangeFile()
{
    TOpenRequest request;
    request.Folder = config_.SourcePath;
    request.Filter = kImportFilter;
    const QStringList chosen = FileDialogs::Open(this, request);
    if (chosen.isEmpty())
        return;
    const QString& path = chosen.first();
    std::unique_ptr<TMine> mine;
    try {
        TWaitCursor wait;
        mine = TorvexFile::Import(path);
    } catch (const Exception& e) {
        MessageBoxes::Error(this, e.Message());
        return;
    } catch (const std::bad_alloc&) {
        MessageBoxes::Error(this, GuardTexts::kOutOfMemory);
        return;
    }
    // The window appears only once the file has been read.
    TChildForm* form = NewDocument();
    form->AdoptImported(std::move(mine), ExchangeFormats::ImportedDocumentName(path));
    OnDocumentChanged();
}

void TMainForm::ExportDocument(TChildForm& doc)
{
    const std::vector<THydroBranch>* results = doc.HydroResults() ? &doc.HydroResults()->Sections : nullptr;
    TSaveRequest request;
    request.Folder = config_.SourcePath;
    request.ProposedName = QFileInfo(doc.Caption()).completeBaseName();
    request.Filters = {kExportFilter};
    if (results)
        request.Filters << kResultsFilter;
    request.DefaultSuffix = QStringLiteral("mdf");
    const TSaveAnswer answer = FileDialogs::Save(this, request);
    if (!answer.Accepted || answer.Path.isEmpty())
        return;
    try {
        TWaitCursor wait;
        switch (ExchangeFormats::FormatOf(answer.Path)) {
        case TFileFormat::Torvex:
            TorvexFile::Export(answer.Path, *doc.Mine());
            break;
        case TFileFormat::ResultsText:
            ResultsText::Export(answer.Path, results, doc.ResultColumns());
            break;
        default:
            throw Exception(ExchangeFormats::kUnknownExtension);
        }
    } catch (const Exception& e) {
        MessageBoxes::Error(this, e.Message());
    } catch (const std::bad_alloc&) {
        MessageBoxes::Error(this, GuardTexts::kOutOfMemory);
    }
}
