#pragma once

// The passport file: heading, legend flags, signatures and title-block cells as plain text,
// Windows-1251, one item a line, lines ended by CR LF, every group after one comment line.

#include "core/printing/Passport.h"

#include <QByteArray>
#include <QString>
#include <vector>

// Everything the file holds, as the passport dialog shows it: the seam is the seam box's
// state, not the passport's enabled flag (which also needs the heading printed).
struct TPassportFileContent {
    bool PrintTitle = true;
    QStringList TitleLines;
    QString Period;
    bool SeamChecked = false;
    QString Seam;
    bool PrintLegend = true;
    // The legend flags the file declares, index 0 first, at most kSymbolCount of them.
    std::vector<bool> LegendFlags;
    bool PrintSignatures = true;
    QString ChiefEngineer;
    QString HeadOfSafety;
    bool PrintStamp = true;
    std::array<QString, kTitleBlockCells> Cells;

    static TPassportFileContent From(const TPasport& passport, const TSymbolTable& symbols);
    // Writes the content over a passport and a symbol table; flags the file did not declare
    // are left as they were.
    void ApplyTo(TPasport& passport, TSymbolTable& symbols) const;
};

namespace PassportFile {

inline constexpr int kVersion = 1;

QByteArray Encode(const TPassportFileContent& content);
// Throws Exception "Произошла ошибка при чтении из файла" when a line is missing or a number
// line holds no integer. Nothing is returned half read.
TPassportFileContent Decode(const QByteArray& bytes);

// Saves atomically; throws Exception "Произошла ошибка записи в файл" on any failure.
void Write(const QString& path, const TPassportFileContent& content);
TPassportFileContent Read(const QString& path);

}  // namespace PassportFile
