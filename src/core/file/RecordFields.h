#pragma once

#include "core/file/ByteReader.h"
#include "core/file/ByteWriter.h"
#include "core/file/FileError.h"
#include "core/model/LabelOffset.h"

#include <QString>
#include <algorithm>
#include <cmath>

// Field codecs shared by the object records of the network file and the clipboard.
namespace RecordFields {

[[noreturn]] inline void Malformed(const QString& what) { throw EFileError(fekMalformed, what); }

// A double the model computes with (coordinates, K): refused unless finite.
inline double FiniteDouble(ByteReader& r) { return ByteReader::finite(r.f64()); }

inline float FiniteSingle(ByteReader& r)
{
    const float v = r.f32();
    if (!std::isfinite(v))
        Malformed(QStringLiteral("Non-finite schema coordinate"));
    return v;
}

// A fraction of the branch length: a stray rounding outside [0, 1] is pulled back in.
inline double Fraction(ByteReader& r) { return std::clamp(FiniteDouble(r), 0.0, 1.0); }

// Label offset: extended DX, extended DY, 4 bytes padding (ignored, written as zeros).
inline TLabelOffset ReadLabelOffset(ByteReader& r)
{
    TLabelOffset o;
    o.DX = r.ext80();
    o.DY = r.ext80();
    r.skip(4);
    if (!std::isfinite(o.DX.toDouble()) || !std::isfinite(o.DY.toDouble()))
        Malformed(QStringLiteral("Non-finite label offset"));
    return o;
}

inline void WriteLabelOffset(ByteWriter& w, const TLabelOffset& o)
{
    w.ext80(o.DX);
    w.ext80(o.DY);
    w.zeros(4);
}

inline constexpr int kLabelOffsetSize = 24;

}  // namespace RecordFields
