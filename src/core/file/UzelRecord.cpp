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

TUzelState ReadState(ByteReader& r, int version)
{
    TUzelState s;
    s.Number = r.i32();
    s.X = FiniteDouble(r);
    s.Y = FiniteDouble(r);
    s.Z = FiniteDouble(r);
    s.SX = FiniteSingle(r);
    s.SY = FiniteSingle(r);
    s.Surface = r.boolean();
    s.PlacedByHand = version >= 3 ? r.boolean() : false;
    s.LabelToggle = version >= 7 ? r.boolean() : false;
    if (version >= 10) {
        s.NumberLabelOffset = ReadLabelOffset(r);
        s.ResultLabelOffset = ReadLabelOffset(r);
    }
    s.ShowResult = version >= 11 ? r.boolean() : false;
    return s;
}

TUzel* Read(ByteReader& r, TMine& mine, int version, bool createUnnumbered)
{
    // The whole block is read before the node exists, so a short record creates nothing.
    const TUzelState state = ReadState(r, version);
    TUzel* u = TUzel::Create(&mine, createUnnumbered ? -1 : state.Number);
    u->SetNumber(state.Number);
    // The flag first: coordinates of a node placed by hand leave its schema position alone,
    // and the stored schema position wins anyway. Through the setters, so that branches a
    // pasted node joins place their labels and the bounds follow.
    u->SetPlacedByHand(state.PlacedByHand);
    u->SetX(state.X);
    u->SetY(state.Y);
    u->SetZ(state.Z);
    u->SetSX(state.SX);
    u->SetSY(state.SY);
    u->SetSurface(state.Surface);
    u->SetLabelToggle(state.LabelToggle);
    u->SetNumberLabelOffset(state.NumberLabelOffset);
    u->SetResultLabelOffset(state.ResultLabelOffset);
    u->SetShowResult(state.ShowResult);
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
