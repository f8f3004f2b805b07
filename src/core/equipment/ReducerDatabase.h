#pragma once

#include "core/equipment/ReducerCharacter.h"

#include <QString>
#include <QStringList>
#include <vector>

// One reducer model of the database: its characteristic (the name included) and the file it
// was read from or last written to, empty while it has none.
struct TReducerModel {
    TReducerCharacter Character;
    QString File;
};

// A refused edit of the database; the text is the system's own.
class EReducerDatabaseError : public Exception {
public:
    using Exception::Exception;
};

// The reducer models of one folder (the DBPath folder): loading every *.rdc file, the edits
// of the database window and saving. Every edit marks the database changed; a model keeps the
// file it came from, even after a rename, and removing a model queues its file for deletion.
class TReducerDatabase {
public:
    explicit TReducerDatabase(QString folder = QString());

    const QString& Folder() const { return folder_; }

    // What a folder scan left out: files without the reducer mark (skipped silently by the
    // window) and files that could not be read, with the message to show.
    struct LoadReport {
        QStringList Foreign;
        struct Failure {
            QString File;
            QString Message;
        };
        std::vector<Failure> Failed;
    };
    // Replaces the models with those of every *.rdc file of the folder, in name order. A name
    // taken from inside a file that is empty, holds a path separator or a control character,
    // or that another model already has, gives way to the file's own base name.
    LoadReport Load();
    // Adds a model as it is (a file just read, the characteristic of an installed reducer);
    // its name is made unique as by Load. Not an edit.
    int AddLoaded(TReducerCharacter character, const QString& file, const QString& fallbackName = QString());

    int Count() const { return static_cast<int>(models_.size()); }
    const TReducerModel& Model(int index) const { return models_.at(static_cast<size_t>(index)); }
    // The model with the name, compared without regard to case; -1 when there is none.
    int IndexOf(const QString& name, int except = -1) const;

    // The edits. An empty name does nothing (-1 / false); a name another model has is refused
    // with "Гидроредуктор %s в базе данных уже существует".
    int Add(const QString& name);                  // the default characteristic
    int Copy(int from, const QString& name);       // the characteristic of model `from`
    bool Rename(int index, const QString& name);   // false also when the name is unchanged
    void Remove(int index);                        // its file is queued for deletion
    // Validates the characteristic (EReducerCharacterError) and stores it in the model, which
    // keeps its name.
    void Apply(int index, const TReducerCharacter& character);

    bool Changed() const { return changed_; }
    const QStringList& FilesToDelete() const { return toDelete_; }

    // Deletes the queued files, then writes every model: a model without a file gets one named
    // by ReducerFileNames::NewFile. Throws EFileError when a file cannot be written; the models
    // written by then keep their files, so saving again does not duplicate them.
    void Save();

private:
    QString UniqueLoadedName(const QString& inner, const QString& fallback) const;
    void RequireFree(const QString& name, int except) const;

    QString folder_;
    std::vector<TReducerModel> models_;
    QStringList toDelete_;
    bool changed_ = false;
};
