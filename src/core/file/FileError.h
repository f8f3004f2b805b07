#pragma once

#include "core/model/Errors.h"

// What went wrong in the file layer. Callers that know the file name turn the reading kinds
// into the message the user sees; zlib and input/output errors already carry their text.
enum TFileErrorKind {
    fekTruncated,  // a read ran past the end of the data
    fekMalformed,  // a value no valid file holds (negative count, non-finite number, ...)
    fekZlib,       // the compressed body cannot be inflated
    fekIo          // the file cannot be opened, created or written
};

// Error of the file layer. It is an Exception like every other error of the system, so the
// general error display shows its text as it is.
class EFileError : public Exception {
public:
    EFileError(TFileErrorKind kind, QString message) : Exception(std::move(message)), kind_(kind) {}
    TFileErrorKind Kind() const noexcept { return kind_; }

private:
    TFileErrorKind kind_;
};
