#pragma once

#include <QByteArray>
#include <functional>

class TDocumentRows;
class TMine;

// What one document's history works on: the mine, the branch table's display order (kept in
// the file beside the mine) and, when the document has them, its stored settings.
struct TEditTarget {
    TMine* Mine = nullptr;
    TDocumentRows* Rows = nullptr;
    std::function<QByteArray()> CaptureSettings;
    std::function<void(const QByteArray&)> RestoreSettings;
};
