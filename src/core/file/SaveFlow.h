#pragma once

#include "core/file/VersionTable.h"

#include <QString>
#include <QStringList>

class TConfig;

// The file side of a document: the name it is saved under, whether that name was ever
// given, the format version of its file, and whether the document changed since.
struct TDocumentFile {
    QString FileName;
    bool HasFileName = false;
    int Version = kCurrentFileVersion;
    bool Modified = false;
};

// One Save or Save As of a network file, decided apart from the dialogs that ask the user:
// whether a name is asked for and with which version preselected, the name saved under,
// the question about an older version and what the reply makes of it, and what a failed
// save puts back. The window shows the dialogs and writes the file.
class TSaveFlow {
public:
    enum class TQuestion { None, OlderOnSaveAs, OlderOnSave };
    enum class TReply { Yes, No, Cancel };

    // Remembers the document's name and modified flag, to put back if the save fails.
    TSaveFlow(TDocumentFile& file, bool saveAs);
    TSaveFlow(const TSaveFlow&) = delete;
    TSaveFlow& operator=(const TSaveFlow&) = delete;

    // Save As, or a document that never had a name.
    bool AsksForName() const;
    // The save dialog opens in the document's folder (a new one in the source data folder)
    // and proposes the file name without its extension.
    QString DialogFolder(const QString& sourcePath) const;
    QString ProposedName() const;
    // One filter per writable version, the current one first; the preselected one (counted
    // from 1) is the document's own version.
    static QStringList Filters();
    int FilterIndex() const { return filterIndex_; }
    // The dialog's answer. The path, with ".irv" added when it has no extension, becomes
    // the document's name and the top of the recent list; the filter decides the version.
    void NameChosen(const QString& path, int filterIndex, TConfig& config);

    // Writing an older version asks first: on Save As whether to go on, on Save whether to
    // move to the current version.
    TQuestion Question() const;
    QString QuestionText() const;
    bool QuestionHasCancel() const;
    // False when the reply cancels the save.
    bool Reply(TReply reply);

    const QString& Path() const { return file_.FileName; }
    int Version() const { return version_; }

    // The file was written: the document has a name, the version written and no changes.
    void Succeeded();
    // The save did not happen: the document takes back its name and modified flag, and the
    // recent list loses the entry this save put there (and regains one it pushed off the
    // end), whatever else came into the list meanwhile. True when the list changed.
    bool Failed(TConfig& config);

private:
    TDocumentFile& file_;
    const bool saveAs_;
    const QString previousName_;
    const bool previousModified_;
    int filterIndex_;
    int version_;
    // What NameChosen did to the recent list: the path put on top, where it stood before
    // (−1: it was new), and the entry a new path pushed off a full list.
    QString recentPath_;
    qsizetype recentPreviousIndex_ = -1;
    QString recentDropped_;
};
