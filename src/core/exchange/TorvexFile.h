#pragma once

#include "core/model/Errors.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringList>
#include <memory>

class TMine;

// An input/output error with the code the sibling program's files are refused with.
class EInOutError : public Exception {
public:
    EInOutError(int code, QString message) : Exception(std::move(message)), code_(code) {}
    int Code() const noexcept { return code_; }

private:
    int code_;
};

// Exchange files (*.mdf) of the sibling mine-network program: only the topology travels
// (name, notes, seams, nodes, branches); pipes, devices and results stay behind.
//
// Reading takes versions up to 1.9 (1.51 is read as 1.05). Every count and string length
// is checked against the bytes left before anything is built for it, so a damaged file is
// refused with code 106 rather than read past its end; a version above 1.9 gives code 107.
// Notes travel as lines and are joined again with CR LF, so they come back as they left.
namespace TorvexFile {

inline constexpr int kCodeDamaged = 106;
inline constexpr int kCodeTooNew = 107;
inline const QString kDamaged = QStringLiteral("Файл поврежден или имеет неизвестную структуру");
inline const QString kTooNew = QStringLiteral("Для открытия файла требуется более старшая версия программы");
inline const QString kImportFailed = QStringLiteral("Ошибка при импорте файла");
inline const QString kExportFailed = QStringLiteral("Ошибка при экспорте файла");

// The mine held by the bytes of a whole file, unmodified. Throws EInOutError.
std::unique_ptr<TMine> Parse(QByteArrayView data);
// The whole file for the mine, version 1.9.
QByteArray Build(const TMine& mine);

// Reads a file; an unreadable file gives "Ошибка при импорте файла".
std::unique_ptr<TMine> Import(const QString& path);
// Writes a temporary beside path and renames it over path, so a failed export leaves the
// previous file intact; any failure gives "Ошибка при экспорте файла".
void Export(const QString& path, const TMine& mine);

// The mine's notes as the file's lines, and back.
QStringList NoteLines(const QString& remark);
QString JoinNoteLines(const QStringList& lines);

}  // namespace TorvexFile
