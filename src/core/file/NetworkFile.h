#pragma once

#include "core/file/DocumentSettings.h"
#include "core/model/Mine.h"

#include <QByteArray>
#include <QString>
#include <functional>
#include <memory>
#include <vector>

class TBranch;

// A network document as read from a file: a fresh mine, the document's settings, the
// display order of branches and the format the file had.
struct TNetworkDocument {
    std::unique_ptr<TMine> Mine;
    TDocumentSettings Settings;
    std::vector<TBranch*> BranchOrder;  // the branch table's row order
    int Version = 17;
};

// Reading and writing *.irv network files. Failures throw EFileError carrying the message
// the user sees (with the file name, without its folder); a failed read leaves nothing
// behind, a failed write leaves the previous file intact.
//
// Reading takes every format version, 0 to 17. A damaged body gives "Ошибка при чтении
// данных из файла %s", an unknown signature "Файл %s имеет неизвестный программе формат или
// поврежден", a body that does not inflate the zlib texts. Device positions and pipe ends
// a little outside the branch are pulled back to [0, 1].
//
// Writing takes version 17 or 16 (anything else is a programming error:
// std::invalid_argument). Version 16 leaves fire engines out and stores 12 branch columns.
// Branches missing from branchOrder follow it in mine order.
namespace NetworkFile {

// Told how far reading has come, in percent of the packed body consumed: rising, at most once
// a percent, on the reading thread; 100 only once the file has been read whole.
using ReadProgress = std::function<void(int percent)>;
TNetworkDocument Read(const QString& path, const ReadProgress& progress = {});
void Write(const QString& path, const TMine& mine, const TDocumentSettings& settings,
           const std::vector<TBranch*>& branchOrder, int version);

// The whole file's bytes (signature, sizes, zlib stream): the body is inflated chunkSize
// bytes at a time and parsed as they arrive. fileName is used in messages.
inline constexpr qsizetype kReadChunkSize = 128 * 1024;
TNetworkDocument ReadFileBytes(const QByteArray& data, const QString& fileName,
                               qsizetype chunkSize = kReadChunkSize, const ReadProgress& progress = {});

// The decompressed body, for tests and tools. fileName is used in messages.
TNetworkDocument ReadBody(const QByteArray& body, int version, const QString& fileName);
QByteArray WriteBody(const TMine& mine, const TDocumentSettings& settings,
                     const std::vector<TBranch*>& branchOrder, int version);

}  // namespace NetworkFile
