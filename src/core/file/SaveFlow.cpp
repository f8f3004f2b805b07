#include "core/file/SaveFlow.h"

#include "core/settings/Config.h"

#include <QFileInfo>

#include <algorithm>

namespace {

const QString kSaveFilter = QStringLiteral("Файлы исходных данных %1 (*.irv)");
const QString kOlderOnSaveAs = QStringLiteral(
    "При сохранении данных в файл устаревшей версии (%1) часть информации\r\nможет быть потеряна. Вы хотите продолжить?");
const QString kOlderOnSave = QStringLiteral(
    "При сохранении данных в файл раннего формата часть информации\r\nможет быть потеряна. Вы хотите сохранить файл "
    "в новом формате\r\n(файл нельзя будет открыть в предыдущих версиях программы)?\r\n\r\n  \"Да\" - сохранить файл "
    "в новом формате (версия %1);\r\n  \"Нет\" - сохранить в старом формате (версия %2);\r\n  \"Отмена\" - отменить "
    "операцию сохранения.");

int FilterOf(int version)
{
    return version == kCurrentFileVersion ? 1 : 2;
}

int VersionOf(int filterIndex)
{
    return filterIndex == 2 ? kOlderFileVersion : kCurrentFileVersion;
}

}  // namespace

TSaveFlow::TSaveFlow(TDocumentFile& file, bool saveAs)
    : file_(file),
      saveAs_(saveAs),
      previousName_(file.FileName),
      previousModified_(file.Modified),
      filterIndex_(FilterOf(file.Version)),
      version_(VersionOf(filterIndex_))
{
}

bool TSaveFlow::AsksForName() const
{
    return saveAs_ || !file_.HasFileName;
}

QString TSaveFlow::DialogFolder(const QString& sourcePath) const
{
    return file_.HasFileName ? QFileInfo(file_.FileName).absolutePath() : sourcePath;
}

QString TSaveFlow::ProposedName() const
{
    return QFileInfo(file_.FileName).completeBaseName();
}

QStringList TSaveFlow::Filters()
{
    return {kSaveFilter.arg(VersionText(kCurrentFileVersion)), kSaveFilter.arg(VersionText(kOlderFileVersion))};
}

void TSaveFlow::NameChosen(const QString& path, int filterIndex, TConfig& config)
{
    QString chosen = path;
    if (QFileInfo(chosen).suffix().isEmpty())
        chosen += QStringLiteral(".irv");
    chosen = QFileInfo(chosen).absoluteFilePath();
    filterIndex_ = filterIndex == 2 ? 2 : 1;
    version_ = VersionOf(filterIndex_);
    file_.FileName = chosen;

    recentPath_ = chosen;
    recentPreviousIndex_ = config.RecentFiles.indexOf(chosen);
    recentDropped_.clear();
    if (recentPreviousIndex_ < 0 && config.RecentFiles.size() >= kMaxRecentFiles)
        recentDropped_ = config.RecentFiles.constLast();
    config.AddRecentFile(chosen);
}

TSaveFlow::TQuestion TSaveFlow::Question() const
{
    if (version_ == kCurrentFileVersion)
        return TQuestion::None;
    return saveAs_ ? TQuestion::OlderOnSaveAs : TQuestion::OlderOnSave;
}

QString TSaveFlow::QuestionText() const
{
    switch (Question()) {
    case TQuestion::OlderOnSaveAs:
        return kOlderOnSaveAs.arg(VersionText(kOlderFileVersion));
    case TQuestion::OlderOnSave:
        return kOlderOnSave.arg(VersionText(kCurrentFileVersion), VersionText(kOlderFileVersion));
    case TQuestion::None:
        break;
    }
    return QString();
}

bool TSaveFlow::QuestionHasCancel() const
{
    return Question() == TQuestion::OlderOnSave;
}

bool TSaveFlow::Reply(TReply reply)
{
    switch (Question()) {
    case TQuestion::None:
        return true;
    case TQuestion::OlderOnSaveAs:
        return reply == TReply::Yes;
    case TQuestion::OlderOnSave:
        if (reply == TReply::Yes)
            version_ = kCurrentFileVersion;
        return reply != TReply::Cancel;
    }
    return false;
}

void TSaveFlow::Succeeded()
{
    file_.Version = version_;
    file_.HasFileName = true;
    file_.Modified = false;
}

bool TSaveFlow::Failed(TConfig& config)
{
    file_.FileName = previousName_;
    file_.Modified = previousModified_;
    if (recentPath_.isEmpty())
        return false;
    QStringList& recent = config.RecentFiles;
    recent.removeAll(recentPath_);
    if (recentPreviousIndex_ >= 0)
        recent.insert(std::min(recentPreviousIndex_, recent.size()), recentPath_);
    if (!recentDropped_.isEmpty() && !recent.contains(recentDropped_) && recent.size() < kMaxRecentFiles)
        recent.append(recentDropped_);
    recentPath_.clear();
    return true;
}
