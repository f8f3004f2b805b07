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
