#include "core/schema/SchemaPositions.h"

#include "core/model/Branch.h"
#include "core/model/Device.h"
#include "core/model/Mine.h"
#include "core/model/Pipe.h"
#include "core/model/PipePart.h"
#include "core/model/Uzel.h"

#include <algorithm>

double SchemaFactor(int mapScale)
{
    const int m = mapScale > 0 ? mapScale : kDefaultMapScale;
    return 100.0 / m * kPpcm;
}

namespace SchemaPositions {

namespace {

// Grows a rectangle given by its edges to hold each node in turn.
class TExtentBuilder {
public:
    void Add(const TUzel& u)
    {
        if (!any_) {
            left_ = right_ = u.SX();
            top_ = bottom_ = u.SY();
            any_ = true;
            return;
        }
        left_ = std::min(left_, u.SX());
        right_ = std::max(right_, u.SX());
        top_ = std::min(top_, u.SY());
        bottom_ = std::max(bottom_, u.SY());
    }
    std::optional<QRectF> Result() const
    {
        if (!any_)
            return std::nullopt;
        return QRectF(QPointF(left_, top_), QPointF(right_, bottom_));
    }

private:
    bool any_ = false;
    float left_ = 0, top_ = 0, right_ = 0, bottom_ = 0;
};

}  // namespace

void ChangeFactor(TMine& mine, TSchemaFrame& frame, double newFactor)
{
    if (newFactor == frame.F || !(frame.F > 0) || !(newFactor > 0))
        return;
    const double ratio = newFactor / frame.F;
    for (TUzel* u : mine.Uzels) {
        u->SetSX(static_cast<float>(u->SX() * ratio));
        u->SetSY(static_cast<float>(u->SY() * ratio));
    }
    frame.OX = static_cast<float>(frame.OX * ratio);
    frame.OY = static_cast<float>(frame.OY * ratio);
    frame.F = newFactor;
}

void FollowCoordinates(TUzel& uzel, const TSchemaFrame& frame, bool xChanged, bool yChanged)
{
    if (uzel.PlacedByHand())
        return;
    const TMine* mine = uzel.Mine();
    if (xChanged)
        uzel.SetSX(static_cast<float>(frame.F * (uzel.X() - mine->CenterX()) + frame.OX));
    if (yChanged)
        uzel.SetSY(static_cast<float>(frame.F * (uzel.Y() - mine->CenterY()) + frame.OY));
}

void ResetFromCoordinates(TMine& mine, TSchemaFrame& frame)
{
    for (TUzel* u : mine.Uzels) {
        u->SetPlacedByHand(false);
        u->SetSX(static_cast<float>(u->X() * frame.F));
        u->SetSY(static_cast<float>(u->Y() * frame.F));
    }
    frame.OX = static_cast<float>(mine.CenterX() * frame.F);
    frame.OY = static_cast<float>(mine.CenterY() * frame.F);
}

bool DeriveOrigin(const TMine& mine, TSchemaFrame& frame)
{
    if (mine.Uzels.Count() == 0)
        return false;
    const TUzel* from = mine.Uzels.Items(0);
    for (const TUzel* u : mine.Uzels)
        if (!u->PlacedByHand()) {
            from = u;
            break;
        }
    frame.OX = static_cast<float>(from->SX() - frame.F * (from->X() - mine.CenterX()));
    frame.OY = static_cast<float>(from->SY() - frame.F * (from->Y() - mine.CenterY()));
    return true;
}

TSchemaFrame LoadedFrame(const TMine& mine, int fileVersion, float storedOX, float storedOY, int mapScale)
{
    TSchemaFrame frame{SchemaFactor(mapScale), storedOX, storedOY};
    // The stored origin may disagree with the nodes; trust the nodes.
    if (fileVersion >= 3)
        DeriveOrigin(mine, frame);
    return frame;
}

}  // namespace SchemaPositions

namespace SchemaPositions {

std::optional<QRectF> NodeExtent(const TMine& mine)
{
    TExtentBuilder extent;
    for (const TUzel* u : mine.Uzels)
        extent.Add(*u);
    return extent.Result();
}

std::optional<QRectF> SelectedNodeExtent(const TMine& mine)
{
    TExtentBuilder extent;
    for (const TMineObject* obj : mine.Selection)
        if (const auto* u = dynamic_cast<const TUzel*>(obj))
            extent.Add(*u);
    return extent.Result();
}

void PlaceAutomaticLabels(TMine& mine)
{
    for (TBranch* b : mine.Branches)
        b->EndMovedOnSchema();
}

namespace {

void RestoreSectionLabel(TWaterPipePart& section)
{
    section.SetAutoPlaceLabel(true);
    section.SetLabelPlacement(90, 35);
}

void RestoreBranchLabel(TBranch& branch)
{
    branch.SetAutoPlaceLabel(true);
    branch.SetLabelPlacement(90, 15);
}

}  // namespace

void RestoreLabels(TMine& mine)
{
    for (TUzel* u : mine.Uzels) {
        u->SetNumberLabelOffset(TLabelOffset::Make(12, 12));
        u->SetResultLabelOffset(TLabelOffset::Make(15, -15));
    }
    for (TBranch* b : mine.Branches) {
        RestoreBranchLabel(*b);
        for (TPipe* pipe : b->Pipes) {
            for (TDevice* d : pipe->Devices)
                d->SetLabelOffset(TLabelOffset::Make(15, -15));
            if (pipe->Kind() != pkFire)
                continue;
            for (int i = 0; i < pipe->SectionCount(); ++i)
                if (auto* section = dynamic_cast<TWaterPipePart*>(pipe->GetSection(i)))
                    RestoreSectionLabel(*section);
        }
        b->EndMovedOnSchema();
    }
}

bool RestoreLabel(TMineObject& owner, bool result)
{
    if (auto* u = dynamic_cast<TUzel*>(&owner)) {
        if (result)
            u->SetResultLabelOffset(TLabelOffset::Make(15, -15));
        else
            u->SetNumberLabelOffset(TLabelOffset::Make(12, 12));
        return true;
    }
    if (auto* b = dynamic_cast<TBranch*>(&owner)) {
        RestoreBranchLabel(*b);
        b->EndMovedOnSchema();
        return true;
    }
    if (auto* section = dynamic_cast<TWaterPipePart*>(&owner)) {
        RestoreSectionLabel(*section);
        if (TBranch* b = section->OwnerBranch())
            b->EndMovedOnSchema();
        return true;
    }
    if (auto* d = dynamic_cast<TDevice*>(&owner)) {
        d->SetLabelOffset(TLabelOffset::Make(15, -15));
        return true;
    }
    return false;
}

void RestoreUzel(TUzel& uzel, const TSchemaFrame& frame)
{
    uzel.SetPlacedByHand(false);
    FollowCoordinates(uzel, frame, true, true);
    for (TBranch* b : uzel.Branches)
        b->EndMovedOnSchema();
}

std::optional<QPointF> PlaceOf(const TMineObject& object)
{
    const auto at = [](const TUzel* u) { return QPointF(u->SX(), u->SY()); };
    if (const auto* u = dynamic_cast<const TUzel*>(&object))
        return at(u);
    if (const auto* b = dynamic_cast<const TBranch*>(&object))
        return b->Linked() ? std::optional<QPointF>((at(b->StartUzel()) + at(b->EndUzel())) / 2) : std::nullopt;
    if (const auto* d = dynamic_cast<const TDevice*>(&object)) {
        const TBranch* b = d->Branch();
        if (!b || !b->Linked())
            return std::nullopt;
        return at(b->StartUzel()) + (at(b->EndUzel()) - at(b->StartUzel())) * d->Position();
    }
    return std::nullopt;
}

}  // namespace SchemaPositions
