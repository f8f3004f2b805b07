#pragma once

// What a second start of the desktop program sends to the running one over the per-user
// local socket, and what it gets back. A request is a 32-bit little-endian byte count followed
// by an "open" macro (core/shell/DdeMacro.h) in UTF-8; an empty macro only asks the running
// program to come to the front. The running program answers with one acknowledgement byte
// once it has queued the request, so the second start ends only when nothing can be lost.

#include <QByteArray>
#include <QString>

namespace HandOver {

// The largest macro accepted: a few thousand paths, far below what could hurt.
inline constexpr qsizetype kMaxMacroBytes = 4 * 1024 * 1024;
inline constexpr qsizetype kHeaderBytes = 4;
// The running program's answer: the request is queued.
inline constexpr char kAcknowledged = '\x06';

// The framed request; empty when the macro is longer than kMaxMacroBytes.
QByteArray EncodeRequest(const QString& macro);

enum class DecodeStatus {
    Incomplete,  // more bytes are needed
    Complete,    // macro and consumed are set
    Refused,     // the announced length is beyond the limit: drop the connection
};

// Reads one request from the front of what has arrived so far.
DecodeStatus DecodeRequest(const QByteArray& received, QString* macro, qsizetype* consumed);

}  // namespace HandOver
