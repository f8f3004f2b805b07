#include "core/file/UzelRecord.h"

#include "core/file/RecordFields.h"
#include "core/model/Mine.h"
#include "core/model/Uzel.h"

using namespace RecordFields;

namespace UzelRecord {

int Size(int version)
{
    if (version >= 11)
        return 88;
    if (version >= 10)
        return 87;
    if (version >= 7)
        return 39;
    if (version >= 3)
        return 38;
    return 37;
}

TUzel* Read(ByteReader& r, TMine& mine, int version, bool createUnnumbered)
{
    // The whole block is read before the node exists, so a short record creates nothing.
    const int number = r.i32();
    const double x = FiniteDouble(r);
    const double y = FiniteDouble(r);
    const double z = FiniteDouble(r);
    const float sx = FiniteSingle(r);
    const float sy = FiniteSingle(r);
    const bool surface = r.boolean();
    const bool placedByHand = version >= 3 ? r.boolean() : false;
    const bool labelToggle = version >= 7 ? r.boolean() : false;
    TLabelOffset numberOffset = TLabelOffset::Make(12, 12);
    TLabelOffset resultOffset = TLabelOffset::Make(15, -15);
    if (version >= 10) {
        numberOffset = ReadLabelOffset(r);
        resultOffset = ReadLabelOffset(r);
    }
    const bool showResult = version >= 11 ? r.boolean() : false;

    TUzel* u = TUzel::Create(&mine, createUnnumbered ? -1 : number);
    u->SetNumber(number);
    // The flag first: coordinates of a node placed by hand leave its schema position alone,
    // and the stored schema position wins anyway.
    u->SetPlacedByHand(placedByHand);
    u->SetX(x);
    u->SetY(y);
    u->SetZ(z);
    u->SetSX(sx);
    u->SetSY(sy);
    u->SetSurface(surface);
    u->SetLabelToggle(labelToggle);
    u->SetNumberLabelOffset(numberOffset);
    u->SetResultLabelOffset(resultOffset);
    u->SetShowResult(showResult);
    return u;
}

void Write(ByteWriter& w, const TUzel& u, int version)
{
    w.i32(u.Number());
    w.f64(u.X());
    w.f64(u.Y());
    w.f64(u.Z());
    w.f32(u.SX());
    w.f32(u.SY());
    w.boolean(u.Surface());
    if (version >= 3)
        w.boolean(u.PlacedByHand());
    if (version >= 7)
        w.boolean(u.LabelToggle());
    if (version >= 10) {
        WriteLabelOffset(w, u.NumberLabelOffset());
        WriteLabelOffset(w, u.ResultLabelOffset());
    }
    if (version >= 11)
        w.boolean(u.ShowResult());
}

}  // namespace UzelRecord
