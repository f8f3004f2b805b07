#pragma once

#include "core/equipment/PumpStore.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <vector>

// The pump models of the database folder. The list owns its stores and applies the model rules:
// names that can be file names and are unique, and a changed flag that every edit sets.
class TPumpList {
public:
    int Count() const { return static_cast<int>(stores_.size()); }
    TPumpStore& At(int index) const;
    // Exact, case-sensitive; -1 when absent.
    int Find(const QString& name) const;
    // The names sorted for display (case-insensitive, the system's collation).
    QStringList Names() const;

    // What loading a folder met: the message of each file that failed, and the names of those
    // files (damaged ones and files of another kind alike).
    struct TLoadReport {
        QStringList Errors;
        QStringList Skipped;
    };
    // Replaces the list with every *.pmp of the folder; files that fail are skipped.
    TLoadReport LoadFolder(const QString& folder);
    // Appends the model of one file, named by the naming rule against the models already
    // listed and the files beside it. Throws EFileError.
    TPumpStore& LoadFile(const QString& path);
    // Creates the folder with its parents and writes every model to folder + name + ".pmp";
    // a model read from a file of another name leaves that file once its own is written.
    // Throws EFileError at the first failure.
    void SaveFolder(const QString& folder);

    // The result of a model command: empty when done, else the message to show.
    struct TOutcome {
        bool Done = false;
        QString Message;
    };
    // An empty (blank) name does nothing; bad characters and existing names are refused.
    TOutcome AddModel(const QString& name);
    // Moves the model's file along when it exists; refuses a name another model has.
    TOutcome RenameModel(int index, const QString& name, const QString& folder);
    TOutcome CopyModel(int index, const QString& name);
    // Deletes the model's file at once and the model.
    void DeleteModel(int index, const QString& folder);

    // The database differs from its files: a model was added, renamed, copied or deleted, or a
    // store was edited.
    bool Changed() const;
    void MarkChanged() { changed_ = true; }
    void Clear();

private:
    QString CheckName(const QString& name, int except) const;
    QString FileOf(const TPumpStore& store, const QString& folder) const;

    std::vector<std::unique_ptr<TPumpStore>> stores_;
    bool changed_ = false;
};

// The name a model read from path takes: the name inside the file when it can be a file name
// of its own, else the file's base name. taken tells whether a name is already in use.
QString PumpNameFromFile(const QString& nameInFile, const QString& path, const std::function<bool(const QString&)>& taken);
