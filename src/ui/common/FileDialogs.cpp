#include "ui/common/FileDialogs.h"

#include <QDir>
#include <QFileDialog>

namespace FileDialogs {
namespace {

TSaveInterceptor& SaveHook()
{
    static TSaveInterceptor hook;
    return hook;
}

TOpenInterceptor& OpenHook()
{
    static TOpenInterceptor hook;
    return hook;
}

}  // namespace

TSaveAnswer Save(QWidget* parent, const TSaveRequest& request)
{
    if (SaveHook())
        return SaveHook()(request);
    QFileDialog dialog(parent);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    if (!request.Title.isEmpty())
        dialog.setWindowTitle(request.Title);
    // Asks before overwriting a file.
    dialog.setOption(QFileDialog::DontConfirmOverwrite, false);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDirectory(request.Folder);
    dialog.setNameFilters(request.Filters);
    const int index = request.FilterIndex - 1;
    if (index >= 0 && index < request.Filters.size())
        dialog.selectNameFilter(request.Filters.at(index));
    dialog.setDefaultSuffix(request.DefaultSuffix);
    dialog.selectFile(request.ProposedName);
    TSaveAnswer answer;
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return answer;
    answer.Accepted = true;
    answer.Path = dialog.selectedFiles().constFirst();
    answer.FilterIndex = static_cast<int>(request.Filters.indexOf(dialog.selectedNameFilter())) + 1;
    if (answer.FilterIndex < 1)
        answer.FilterIndex = request.FilterIndex;
    return answer;
}

QStringList Open(QWidget* parent, const TOpenRequest& request)
{
    if (OpenHook())
        return OpenHook()(request);
    return QFileDialog::getOpenFileNames(parent, QString(), request.Folder, request.Filter);
}

void SetSaveInterceptor(TSaveInterceptor interceptor)
{
    SaveHook() = std::move(interceptor);
}

void SetOpenInterceptor(TOpenInterceptor interceptor)
{
    OpenHook() = std::move(interceptor);
}

}  // namespace FileDialogs
