#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <cstdint>

// Every network file begins with a 16-byte signature naming its format version, 0..17.
constexpr int kCurrentFileVersion = 17;
// The one older version a network file can still be written in.
constexpr int kOlderFileVersion = 16;
constexpr int kFileVersionCount = 18;
constexpr int kSignatureSize = 16;

// The version whose signature equals the 16 bytes, or -1 for none.
int FindVersion(const uint8_t* sixteen);
int FindVersion(QByteArrayView signature);  // -1 also when the size is not 16

bool IsCurrentSignature(const uint8_t* sixteen);
bool IsCurrentSignature(QByteArrayView signature);

// The 16 bytes of a version's signature; empty for a version outside 0..17.
QByteArray SignatureOf(int version);

// How a version is shown to the user: "1.N".
QString VersionText(int version);
