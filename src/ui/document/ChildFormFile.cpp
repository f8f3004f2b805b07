// The document window's file: opening, saving with its version questions, closing.

#include "ui/document/ChildForm.h"

#include "core/file/AtomicFile.h"
#include "core/file/NetworkFile.h"
#include "core/file/UnstorableTexts.h"
#include "core/model/Mine.h"
#include "core/settings/Config.h"
#include "ui/app/GuardedApplication.h"
#include "ui/common/FileDialogs.h"
#include "ui/common/MessageBoxes.h"
#include "ui/common/WaitCursor.h"
#include "ui/document/BranchTableModel.h"
#include "ui/document/LongWork.h"
#include "ui/document/UzelTableModel.h"

#include <QCloseEvent>
#include <QFileInfo>

namespace {

const QString kNotFound = QStringLiteral("Файл %1 не найден");
const QString kUnknownFormat = QStringLiteral("Файл %1 имеет неизвестный программе формат или поврежден");
const QString kReadFailed = QStringLiteral("Ошибка при чтении данных из файла %1");
const QString kSaveChanges = QStringLiteral("Сохранить изменения в файле %1?");
const QString kReading = QStringLiteral("Чтение файла %1 ...");
const QString kSaving = QStringLiteral("Сохранение файла %1 ...");

TSaveFlow::TReply ReplyOf(TMsgAnswer answer)
{
    switch (answer) {
    case TMsgAnswer::Yes:
        return TSaveFlow::TReply::Yes;
    case TMsgAnswer::No:
        return TSaveFlow::TReply::No;
    default:
        return TSaveFlow::TReply::Cancel;
    }
}

}  // namespace

bool TChildForm::OpenFile(const QString& given)
{
    // One spelling of the path everywhere: the window, the recent list, the lookups.
    const QString path = given.isEmpty() ? given : QFileInfo(given).absoluteFilePath();
    config_.AddRecentFile(path);
    TWaitCursor wait;
    // A path that gives no document leaves no trace in the recent list.
    const auto fail = [this, &path, &wait](const QString& message) {
        config_.RecentFiles.removeAll(path);
        emit RecentFilesChanged();
        wait.Restore();
        MessageBoxes::Error(this, message);
        return false;
    };
    const QFileInfo info(path);
    if (!info.exists())
        return fail(kNotFound.arg(path));
    if (!info.isFile() || info.suffix().toLower() != QStringLiteral("irv"))
        return fail(kUnknownFormat.arg(info.fileName()));
    TNetworkDocument doc;
    try {
        // The mine being read is the reading thread's alone until it is handed over here.
        LongWork::Run(kReading.arg(info.fileName()), progress_, &busy_,
                      [&doc, &path](LongWork::TPercent& percent) {
                          doc = NetworkFile::Read(path, [&percent](int p) { percent = p; });
                      });
    } catch (const Exception& e) {
        // A reader's detail (zlib's own words) follows the sentence that names the file.
        const QString message = e.Message();
        return fail(message.contains(info.fileName()) ? message : kReadFailed.arg(info.fileName()) + QStringLiteral("\r\n") + message);
    } catch (const std::bad_alloc&) {
        return fail(kReadFailed.arg(info.fileName()));
    }
    if (!doc.Mine)
        return fail(kUnknownFormat.arg(info.fileName()));
    file_.Version = doc.Version;
    AdoptDocument(std::move(doc));
    file_.FileName = info.absoluteFilePath();
    file_.HasFileName = true;
    refreshNeeded_ = false;
    SetModified(false);
    UpdateCaption();
    emit RecentFilesChanged();
    return true;
}

void TChildForm::AdoptDocument(TNetworkDocument&& doc)
{
    // The old mine lives until the tables show the new one.
    std::unique_ptr<TMine> old = std::move(mine_);
    old->OnChange = nullptr;
    SetHydroResults(nullptr);
    messages_.ClearAll();
    uzelModel_->BeginReload();
    branchModel_->BeginReload();
    mine_ = std::move(doc.Mine);
    BindMine();
    rows_->Reset(mine_.get(), doc.BranchOrder);
    selection_.ResetAnchors();
    uzelCols_.ApplyLayout(doc.Settings.UzelCols);
    branchCols_.ApplyLayout(doc.Settings.BranchCols);
    resultCols_.ApplyLayout(doc.Settings.ResultCols);
    colorMode_ = std::clamp(doc.Settings.ColorMode, 0, 2);
    branchModel_->SetColorMode(colorMode_);
    dummyZ_ = doc.Settings.DummyZ;
    reserved1_ = doc.Settings.Reserved1;
    useProjectedPipes_ = doc.Settings.UseProjectedPipes;
    // The file's positions are taken to be in the factor of the settings in force.
    const TSchemaFrame frame =
        SchemaPositions::LoadedFrame(*mine_, doc.Version, doc.Settings.OX, doc.Settings.OY, config_.Scale2D);
    schemaF_ = frame.F;
    ox_ = frame.OX;
    oy_ = frame.OY;
    uzelModel_->EndReload();
    branchModel_->EndReload();
    ApplyColumnLayout();
    old.reset();
    uzelGrid_->SetCurrentCell(0, 0);
    branchGrid_->SetCurrentCell(0, 0);
}

bool TChildForm::SaveFile(bool saveAs)
{
    StoreColumnWidths();
    TSaveFlow flow(file_, saveAs);
    // A save that does not happen leaves the document as it was, under its previous name.
    const auto fail = [this, &flow] {
        if (flow.Failed(config_))
            emit RecentFilesChanged();
        UpdateCaption();
        return false;
    };

    if (flow.AsksForName()) {
        TSaveRequest request;
        request.Folder = flow.DialogFolder(config_.SourcePath);
        request.ProposedName = flow.ProposedName();
        request.Filters = TSaveFlow::Filters();
        request.FilterIndex = flow.FilterIndex();
        request.DefaultSuffix = QStringLiteral("irv");
        const TSaveAnswer answer = FileDialogs::Save(this, request);
        if (!answer.Accepted || answer.Path.isEmpty())
            return false;
        flow.NameChosen(answer.Path, answer.FilterIndex, config_);
        UpdateCaption();
    }

    if (flow.Question() != TSaveFlow::TQuestion::None) {
        const TMsgAnswer a = MessageBoxes::Ask(this, flow.QuestionText(),
                                               flow.QuestionHasCancel() ? TMsgButtons::YesNoCancel : TMsgButtons::YesNo,
                                               TMsgIcon::Warning);
        if (!flow.Reply(ReplyOf(a)))
            return fail();
    }

    // Texts the file cannot hold are named once before they are written with "?".
    if (const QStringList lost = UnstorableTexts(*mine_); !lost.isEmpty()) {
        const QString text = kUnstorableTextsQuestion.arg(lost.join(QStringLiteral("\r\n")));
        if (MessageBoxes::Ask(this, text, TMsgButtons::YesNo, TMsgIcon::Warning) != TMsgAnswer::Yes)
            return fail();
    }

    try {
        TWaitCursor wait;
        // The file is written beside the window, which keeps painting; the mine stays as it
        // is meanwhile, since every input that could change it waits.
        const TMine& mine = *mine_;
        const TDocumentSettings settings = DocumentSettings();
        const std::vector<TBranch*> order = rows_->BranchOrderVector();
        const QString path = flow.Path();
        const int version = flow.Version();
        LongWork::Run(kSaving.arg(FileNameOnly(path)), progress_, &busy_,
                      [&](LongWork::TPercent&) { NetworkFile::Write(path, mine, settings, order, version); });
    } catch (...) {
        // The previous file is untouched; so are the document's name and state. A lack of
        // memory while a large mine is written is told like any other failure.
        const QString text = FailureText(std::current_exception());
        fail();
        MessageBoxes::Error(this, text);
        emit StateChanged();
        return false;
    }
    flow.Succeeded();
    SetModified(false);
    UpdateCaption();
    emit RecentFilesChanged();
    return true;
}

bool TChildForm::AskSaveChanges()
{
    if (!file_.Modified)
        return true;
    switch (MessageBoxes::Ask(this, kSaveChanges.arg(Caption()), TMsgButtons::YesNoCancel, TMsgIcon::Question)) {
    case TMsgAnswer::Yes:
        return SaveFile(false);
    case TMsgAnswer::No:
        return true;
    default:
        return false;
    }
}

bool TChildForm::CanClose()
{
    if (busy_.Busy())
        return false;
    return AskSaveChanges();
}

void TChildForm::closeEvent(QCloseEvent* event)
{
    if (CanClose()) {
        // The steps go with the window; the history window shows none meanwhile.
        history_.Clear();
        event->accept();
        emit Closing();
    } else
        event->ignore();
}
