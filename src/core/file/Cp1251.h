#pragma once

#include <QByteArray>
#include <QString>
#include <cstddef>

// Windows-1251, the single-byte code page of every text the system stores. Table based, so
// it works without any code page support of the platform.
//
// Byte 0x98 has no character in this code page; it is read as U+0098 and U+0098 is written
// back as 0x98, so every byte sequence survives a read and a write unchanged.

// Characters without a code in the page become '?'.
QByteArray toCp1251(const QString& text);

QString fromCp1251(const QByteArray& bytes);
QString fromCp1251(const char* bytes, size_t size);

// The first character of the text that has no code in the page (a character outside the basic
// plane counts whole); empty when every character can be stored.
QString FirstNotInCp1251(const QString& text);

// The program's refusal of a typed text the files cannot store, naming the character
// ("Символ "³" не может быть сохранен в файле"); empty when the text can be stored. Every
// field whose text goes into a file checks with this.
QString Cp1251Refusal(const QString& text);
