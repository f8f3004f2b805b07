#include "core/model/MineObject.h"

#include "core/model/Mine.h"
#include "core/model/MineWatch.h"

#include <algorithm>
#include <cmath>

bool SameDouble(double a, double b)
{
    const double tol = std::max(std::min(std::fabs(a), std::fabs(b)) * 1e-12, 1e-12);
    return std::fabs(a - b) <= tol;
}

static TMine* RequireMine(TMine* mine)
{
    if (!mine)
        throw EOwnerError();
    return mine;
}

void* TMineObject::operator new(std::size_t size, TMine* mine) { return RequireMine(mine)->Pool().Allocate(size); }

TMineObject::TMineObject(TMine* mine, int number)
    : mine_(RequireMine(mine)), serial_(mine->NextSerial()), number_(number)
{
}

TMineObject::~TMineObject()
{
    if (MineDying())
        return;
    if (selected_)
        SetSelected(false);
    // Views that keep this object let go of it before its memory is reused.
    MineWatch::ObjectGoing(*mine_, *this);
}

bool TMineObject::MineDying() const { return mine_->Destroying(); }

void TMineObject::SetSelected(bool value)
{
    if (selected_ == value)
        return;
    if (value)
        mine_->Selection.Add(this);
    else
        mine_->Selection.Remove(this);
}

void TMineObject::SetLabelToggle(bool value)
{
    if (labelToggle_ == value)
        return;
    labelToggle_ = value;
    Changed(false);
}

void TMineObject::SetNumber(int value)
{
    if (number_ == value)
        return;
    number_ = value;
    Changed(true);
}

void TMineObject::SetX(double) { throw Exception(ModelTexts::kNoCoordinates); }
void TMineObject::SetY(double) { throw Exception(ModelTexts::kNoCoordinates); }
void TMineObject::SetZ(double) { throw Exception(ModelTexts::kNoCoordinates); }
void TMineObject::SetSX(float) { throw Exception(ModelTexts::kNoCoordinates); }
void TMineObject::SetSY(float) { throw Exception(ModelTexts::kNoCoordinates); }

void TMineObject::Changed(bool structural)
{
    if (IEditRecorder* recorder = mine_->EditRecorder())
        recorder->ObjectChanged(*this, structural);
    mine_->SetModified(true, structural);
}
