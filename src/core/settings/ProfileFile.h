#pragma once

// The colour profile file (*.cl): the schema's colours and fonts saved from the options dialog
// and loaded back, also by other users. Binary, little-endian; a colour takes 4 bytes; a font
// is its colour (4), its name (32-bit byte count, at most 20, then that many Windows-1251
// bytes), its size (32-bit, points) and its style bits (1). In this order:
//   1. 13 colours: schema back; branch back and border; node back and border; grid; selected
//      object; branch-number back and border; results back and border; node-number back and
//      border;
//   2. fonts: branch number, node number, comment, results;
//   3. branch-number figure (1 byte), node-number figure (1 byte);
//   4. water-arrow back and border;
//   5. text-block font, back and border, transparent back (1 byte), transparent border (1 byte).
// Groups 3, 4 and 5 were added over time: each is read only when bytes remain, so the shorter
// files of earlier versions load and leave the later roles as they were. A group that has
// begun must be whole. Bytes after group 5 are ignored.

#include "core/settings/Colors2D.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

namespace ProfileFile {

// Larger files are refused unread: a whole profile is a few hundred bytes.
inline constexpr qint64 kMaxFileBytes = 64 * 1024;

QByteArray Encode(const TColors2D& colors);
// The colours the bytes describe, starting from `current` for the groups the file lacks.
// Throws EFileError naming fileName when the bytes end inside a group or hold a font name
// longer than 20 bytes or an unusable font size; nothing is changed then.
TColors2D Decode(QByteArrayView bytes, const TColors2D& current, const QString& fileName);

// Reads the file into `colors` only when all of it read; otherwise throws EFileError with the
// reason and leaves `colors` as it was.
void Read(const QString& path, TColors2D& colors);
// Writes the file atomically: a failed write leaves an existing file whole.
void Write(const QString& path, const TColors2D& colors);

// Where profiles are kept: "Schemes" in the program's data folder (the source data folder),
// created when missing so both file dialogs open there.
QString Folder(const QString& dataFolder);

}  // namespace ProfileFile
