#pragma once

#include <QByteArray>
#include <QByteArrayView>

// The compressed body of a network file: a zlib stream (2-byte header marking maximum
// compression, deflate data, Adler-32), made by libdeflate at level 9, which packs about as
// tightly as zlib's level 9 in under half its time. Any zlib inflater reads it.
QByteArray zlibCompress(QByteArrayView body);

// Inflates data into exactly expectedSize bytes. A stream that would give more, or that is
// cut off or ends before expectedSize bytes, throws EFileError "ZLib error: target buffer may
// be too small"; any other failure (corrupt data, an impossible size) throws "Error".
// The output grows with what the stream really produces, so a size field that lies costs
// nothing until the data backs it.
QByteArray zlibInflateExact(QByteArrayView data, qint64 expectedSize);
