#include "core/model/Branch.h"

#include "core/model/Device.h"
#include "core/model/LabelPlacement.h"
#include "core/model/Mine.h"
#include "core/model/PipePart.h"
#include "core/model/Uzel.h"

#include <algorithm>
#include <cmath>

TBranch::TBranch(TMine* mine, int number, int startNumber, int endNumber)
    : TMineObject(mine, number), Pipes(this), startNumber_(startNumber), endNumber_(endNumber)
{
}

TBranch* TBranch::Create(TMine* mine, int number, int startNumber, int endNumber)
{
    if (!mine)
        throw EOwnerError();
    TBranch* b = mine->Branches.Add(std::unique_ptr<TBranch>(new (mine) TBranch(mine, number, startNumber, endNumber)));
    mine->IndexBranchEnd(b, startNumber, true);
    mine->IndexBranchEnd(b, endNumber, false);
    b->Pipes.Reserve(3);  // the three water slots, the usual case
    for (int kind = 0; kind < 3; ++kind)
        TWaterPipe::Create(b, kind);
    b->LinkEnds();
    return b;
}

TBranch::~TBranch()
{
    if (MineDying())
        return;
    UnlinkEnds();
    Mine()->UnindexBranchEnd(this, startNumber_, true);
    Mine()->UnindexBranchEnd(this, endNumber_, false);
    Pipes.Clear();
}

int TBranch::GetIndex() const { return Mine()->Branches.IndexOf(this); }

int TBranch::LayerIndex() const
{
    return layerIndex_ >= 0 && layerIndex_ < Mine()->Layers.Count() ? layerIndex_ : -1;
}

int TBranch::PLFIndex() const
{
    return plfIndex_ >= 0 && plfIndex_ < Mine()->PLFPositions.Count() ? plfIndex_ : -1;
}

TWaterPipe* TBranch::FirePipe() const { return WaterPipe(0); }

TWaterPipe* TBranch::WaterPipe(int slot) const
{
    if (slot < 0 || slot > 2 || slot >= Pipes.Count())
        return nullptr;
    // Every pipe that is not a degasification pipe is a water pipe; the kind says which
    // without a dynamic cast, which showed in profiles of reading large mines.
    TPipe* pipe = Pipes.Items(slot);
    return pipe->IsGas() ? nullptr : static_cast<TWaterPipe*>(pipe);
}

void TBranch::UnlinkEnds()
{
    ForgetSchemaDirection();
    if (startUzel_) {
        startUzel_->Branches.Remove(this);
        startUzel_ = nullptr;
    }
    if (endUzel_) {
        endUzel_->Branches.Remove(this);
        endUzel_ = nullptr;
    }
}

void TBranch::LinkEnds()
{
    UnlinkEnds();
    TMine* mine = Mine();
    if (TUzel* u = mine->FirstUzelWithNumber(startNumber_)) {
        startUzel_ = u;
        u->Branches.Add(this);
    }
    if (TUzel* u = mine->FirstUzelWithNumber(endNumber_)) {
        endUzel_ = u;
        u->Branches.Add(this);
    }
    ForgetSchemaDirection();
    if (Linked())
        PlaceFirstSectionLabel();
}

void TBranch::SetEndNumber(bool start, int value)
{
    int& field = start ? startNumber_ : endNumber_;
    if (field == value)
        return;
    UnlinkEnds();
    Mine()->UnindexBranchEnd(this, field, start);
    field = value;
    Mine()->IndexBranchEnd(this, field, start);
    LinkEnds();
    if (Linked() && autoPlaceLabel_)
        PlaceNumberLabel();
    // A working that moved to other nodes changes the network.
    Changed(true);
}

void TBranch::SetStartNumber(int value) { SetEndNumber(true, value); }
void TBranch::SetEndNumber(int value) { SetEndNumber(false, value); }

int TBranch::SchemaDirection() const
{
    if (!Linked())
        return 0;
    if (schemaDirection_ < 0)
        schemaDirection_ = static_cast<int16_t>(
            LabelPlacement::DirectionDegrees(startUzel_->SX(), startUzel_->SY(), endUzel_->SX(), endUzel_->SY()));
    return schemaDirection_;
}

void TBranch::PlaceNumberLabel()
{
    numberLabelOffset_ = LabelPlacement::Place(LabelPlacement::LabelKind::BranchNumber, SchemaDirection(),
                                               labelAngle_, labelDistance_);
}

void TBranch::PlaceFirstSectionLabel()
{
    TWaterPipe* fire = FirePipe();
    if (!fire)
        return;
    if (auto* section = dynamic_cast<TWaterPipePart*>(fire->FirstSection()); section && section->AutoPlaceLabel())
        section->PlaceLabel();
}

void TBranch::EndMovedOnSchema()
{
    ForgetSchemaDirection();
    if (!Linked())
        return;
    if (autoPlaceLabel_)
        PlaceNumberLabel();
    TWaterPipe* fire = FirePipe();
    if (!fire)
        return;
    for (int i = 0; i < fire->SectionCount(); ++i)
        if (auto* section = dynamic_cast<TWaterPipePart*>(fire->GetSection(i)); section && section->AutoPlaceLabel())
            section->PlaceLabel();
}

void TBranch::DeriveLabelPlacement()
{
    const auto p = LabelPlacement::Derive(LabelPlacement::LabelKind::BranchNumber, SchemaDirection(), numberLabelOffset_);
    labelAngle_ = p.angle;
    labelDistance_ = p.distance;
}

void TBranch::SetLabelPlacement(double angle, double distance)
{
    labelAngle_ = angle;
    labelDistance_ = distance;
    if (Linked() && autoPlaceLabel_)
        PlaceNumberLabel();
}

double TBranch::GetX() const { return Linked() ? (startUzel_->X() + endUzel_->X()) / 2 : 0; }
double TBranch::GetY() const { return Linked() ? (startUzel_->Y() + endUzel_->Y()) / 2 : 0; }
double TBranch::GetZ() const { return Linked() ? (startUzel_->Z() + endUzel_->Z()) / 2 : 0; }
float TBranch::GetSX() const { return Linked() ? (startUzel_->SX() + endUzel_->SX()) / 2 : 0.0f; }
float TBranch::GetSY() const { return Linked() ? (startUzel_->SY() + endUzel_->SY()) / 2 : 0.0f; }

double TBranch::Length() const
{
    if (!Linked())
        return 0;
    const double dx = endUzel_->X() - startUzel_->X();
    const double dy = endUzel_->Y() - startUzel_->Y();
    const double dz = endUzel_->Z() - startUzel_->Z();
    return std::sqrt(dx * dx + dy * dy + dz * dz);
}

double TBranch::Angle() const
{
    const double len = Length();
    if (len == 0)
        return 0;
    // Guards against rounding that would put the ratio a hair above 1.
    const double ratio = std::min(1.0, std::fabs(endUzel_->Z() - startUzel_->Z()) / len);
    return std::asin(ratio) * 57.295779513082320877;
}

TBranch::Point3 TBranch::PointAt(double t) const
{
    if (!Linked())
        return {0, 0, 0};
    return {startUzel_->X() + (endUzel_->X() - startUzel_->X()) * t,
            startUzel_->Y() + (endUzel_->Y() - startUzel_->Y()) * t,
            startUzel_->Z() + (endUzel_->Z() - startUzel_->Z()) * t};
}

TBranch::SchemaPoint TBranch::SchemaPointAt(double t) const
{
    if (!Linked())
        return {0, 0};
    return {static_cast<float>(startUzel_->SX() + (endUzel_->SX() - startUzel_->SX()) * t),
            static_cast<float>(startUzel_->SY() + (endUzel_->SY() - startUzel_->SY()) * t)};
}

void TBranch::SetAirQ(double value)
{
    if (airQ_ == value)
        return;
    airQ_ = value;
    Changed(false);
}

void TBranch::SetRemark(const QString& value)
{
    if (remark_ == value)
        return;
    remark_ = value;
    Changed(false);
}

void TBranch::SetLayerIndex(int value)
{
    if (layerIndex_ == value)
        return;
    layerIndex_ = value;
    Changed(false);
}

void TBranch::SetPLFIndex(int value)
{
    if (plfIndex_ == value)
        return;
    plfIndex_ = value;
    Changed(false);
}

void TBranch::SetShowResult(bool value)
{
    if (showResult_ == value)
        return;
    showResult_ = value;
    Changed(false);
}

void TBranch::SetNumberLabelOffset(const TLabelOffset& offset)
{
    if (numberLabelOffset_ == offset)
        return;
    numberLabelOffset_ = offset;
    Changed(false);
}

void TBranch::SetAutoPlaceLabel(bool value)
{
    if (autoPlaceLabel_ == value)
        return;
    autoPlaceLabel_ = value;
    Changed(false);
}

QString TBranch::GetInfoText(bool withRemark) const
{
    QString text = QString::asprintf("Выработка № %d\n\rНач. узел: %d\n\rКонеч. узел: %d\n\rДлина: %.1f\n\rУгол наклона: %.1f",
                                     number_, startNumber_, endNumber_, Length(), Angle());
    if (withRemark)
        text += QStringLiteral("\n\r\n\rКомментарий: \n\r") + remark_;
    return text;
}
