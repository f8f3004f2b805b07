#pragma once

#include <QtGlobal>

// Where a streamed ByteReader takes its bytes from, a piece at a time.
class ByteSource {
public:
    virtual ~ByteSource() = default;
    // Writes between 1 and capacity bytes at out and returns how many. A source that has
    // nothing more to give throws EFileError; it never returns 0 for capacity > 0.
    virtual qsizetype ReadSome(char* out, qsizetype capacity) = 0;
};
