#pragma once

#include <QString>
#include <QStringList>
#include <functional>

class QWidget;

// A request for the save dialog. Filters are shown in order; FilterIndex counts from 1.
struct TSaveRequest {
    QString Title;  // the system's own title when empty
    QString Folder;
    QString ProposedName;  // without extension
    QStringList Filters;   // "Файлы исходных данных 1.17 (*.irv)"
    int FilterIndex = 1;
    QString DefaultSuffix;  // "irv"
};

struct TSaveAnswer {
    bool Accepted = false;
    QString Path;
    int FilterIndex = 1;
};

struct TOpenRequest {
    QString Folder;
    QString Filter;  // "Файлы исходных данных (*.irv)"
};

// The file dialogs of the program, answerable by tests.
namespace FileDialogs {

TSaveAnswer Save(QWidget* parent, const TSaveRequest& request);
// The chosen files; empty when cancelled.
QStringList Open(QWidget* parent, const TOpenRequest& request);

using TSaveInterceptor = std::function<TSaveAnswer(const TSaveRequest&)>;
using TOpenInterceptor = std::function<QStringList(const TOpenRequest&)>;
void SetSaveInterceptor(TSaveInterceptor interceptor);
void SetOpenInterceptor(TOpenInterceptor interceptor);

}  // namespace FileDialogs
