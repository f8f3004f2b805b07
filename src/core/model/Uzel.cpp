#include "core/model/Uzel.h"

#include "core/model/Branch.h"
#include "core/model/Mine.h"

#include <cmath>

TUzel::TUzel(TMine* mine, int number) : TMineObject(mine, number), Branches(mine) {}

TUzel* TUzel::Create(TMine* mine, int number)
{
    if (!mine)
        throw EOwnerError();
    TUzel* u = mine->Uzels.Add(std::unique_ptr<TUzel>(new (mine) TUzel(mine, number)));
    mine->IndexUzelNumber(u, number);
    u->Link();
    return u;
}

TUzel::~TUzel()
{
    if (MineDying())
        return;
    TMine* mine = Mine();
    Unlink();
    SetSurface(false);
    mine->UnindexUzelNumber(this, number_);
    // Branches left without a node may find another node with the same number.
    if (TUzel* other = mine->FirstUzelWithNumber(number_, this))
        other->Link();
}

int TUzel::GetIndex() const { return Mine()->Uzels.IndexOf(this); }

void TUzel::Link()
{
    for (TBranch* b : Mine()->BranchesWithEnd(number_, true))
        if (!b->StartUzel()) {
            b->startUzel_ = this;
            b->ForgetSchemaDirection();
            Branches.Add(b);
        }
    for (TBranch* b : Mine()->BranchesWithEnd(number_, false))
        if (!b->EndUzel()) {
            b->endUzel_ = this;
            b->ForgetSchemaDirection();
            Branches.Add(b);
        }
}

void TUzel::Unlink()
{
    for (TBranch* b : Branches) {
        if (b->startUzel_ == this)
            b->startUzel_ = nullptr;
        if (b->endUzel_ == this)
            b->endUzel_ = nullptr;
        b->ForgetSchemaDirection();
    }
    Branches.Clear();
}

void TUzel::CopyIncidentTo(TInfoBranchList& target, bool clearFirst) const
{
    if (clearFirst)
        target.Clear();
    for (TBranch* b : Branches)
        target.Add(b);
}

void TUzel::SetCoordinate(int axis, double value)
{
    double* field = axis == 0 ? &x_ : axis == 1 ? &y_ : &z_;
    if (*field == value)
        return;
    const double old = *field;
    *field = value;
    if (!placedByHand_) {
        // Round half to even, as the schema position always has been.
        if (axis == 0)
            sx_ = static_cast<float>(std::nearbyint(value));
        else if (axis == 1)
            sy_ = static_cast<float>(std::nearbyint(value));
    }
    Mine()->CoordinateMoved(axis, old, value);
    if (axis < 2 && !placedByHand_)
        for (TBranch* b : Branches)
            b->EndMovedOnSchema();
    Changed(true);
}

void TUzel::SetX(double value) { SetCoordinate(0, value); }
void TUzel::SetY(double value) { SetCoordinate(1, value); }
void TUzel::SetZ(double value) { SetCoordinate(2, value); }

void TUzel::SetSX(float value)
{
    if (sx_ == value)
        return;
    sx_ = value;
    for (TBranch* b : Branches)
        b->EndMovedOnSchema();
    Changed(false);
}

void TUzel::SetSY(float value)
{
    if (sy_ == value)
        return;
    sy_ = value;
    for (TBranch* b : Branches)
        b->EndMovedOnSchema();
    Changed(false);
}

void TUzel::SetNumber(int value)
{
    if (number_ == value)
        return;
    TMine* mine = Mine();
    const int old = number_;
    Unlink();
    mine->UnindexUzelNumber(this, old);
    number_ = value;
    mine->IndexUzelNumber(this, value);
    Link();
    // Branches that lost their node through the change may find another one.
    if (TUzel* other = mine->FirstUzelWithNumber(old))
        other->Link();
    Changed(true);
}

void TUzel::SetSurface(bool value)
{
    if (surface_ == value)
        return;
    surface_ = value;
    if (value)
        Mine()->SurfaceUzels.Add(this);
    else
        Mine()->SurfaceUzels.Remove(this);
    Changed(true);
}

void TUzel::SetShowResult(bool value)
{
    if (showResult_ == value)
        return;
    showResult_ = value;
    Changed(false);
}

void TUzel::SetNumberLabelOffset(const TLabelOffset& offset)
{
    if (numberLabelOffset_ == offset)
        return;
    numberLabelOffset_ = offset;
    Changed(false);
}

void TUzel::SetResultLabelOffset(const TLabelOffset& offset)
{
    if (resultLabelOffset_ == offset)
        return;
    resultLabelOffset_ = offset;
    Changed(false);
}

TUzelState TUzel::State() const
{
    TUzelState s;
    s.Number = number_;
    s.X = x_;
    s.Y = y_;
    s.Z = z_;
    s.SX = sx_;
    s.SY = sy_;
    s.Surface = surface_;
    s.PlacedByHand = placedByHand_;
    s.LabelToggle = LabelToggle();
    s.NumberLabelOffset = numberLabelOffset_;
    s.ResultLabelOffset = resultLabelOffset_;
    s.ShowResult = showResult_;
    return s;
}

void TUzel::Restore(const TUzelState& s)
{
    SetNumber(s.Number);
    const bool moved = sx_ != s.SX || sy_ != s.SY;
    x_ = s.X;
    y_ = s.Y;
    z_ = s.Z;
    sx_ = s.SX;
    sy_ = s.SY;
    placedByHand_ = s.PlacedByHand;
    numberLabelOffset_ = s.NumberLabelOffset;
    resultLabelOffset_ = s.ResultLabelOffset;
    showResult_ = s.ShowResult;
    SetSurface(s.Surface);
    SetLabelToggle(s.LabelToggle);
    if (moved)
        for (TBranch* b : Branches)
            b->ForgetSchemaDirection();
    Changed(true);
}

QString TUzel::GetInfoText(bool) const
{
    return QString::asprintf("Узел № %d\n\rX: %.1f\n\rY: %.1f\n\rZ: %.1f\n\rПоверхностный: %s\n\rИнцидентные ветви: %d",
                             number_, x_, y_, z_, surface_ ? "Да" : "Нет", IncidentCount());
}
