#pragma once

#include <QString>

// The kind of file a name stands for, told by its extension in any letter case.
enum class TFileFormat { Network, Torvex, ResultsText, Unknown };

namespace ExchangeFormats {

inline const QString kUnknownExtension = QStringLiteral("Указано неизвестное расширение файла");

// ".irv" the network file, ".mdf" the sibling program's exchange file, ".txt" the results text.
TFileFormat FormatOf(const QString& path);

// The name a document imported from path takes: the file's name without its folder, with
// ".irv" for its extension.
QString ImportedDocumentName(const QString& path);

}  // namespace ExchangeFormats
