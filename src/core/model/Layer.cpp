#include "core/model/Layer.h"

#include "core/model/Branch.h"
#include "core/model/Mine.h"

template <class T>
void TLayerListT<T>::ListChanged()
{
    mine_->SetModified(true, false);
}
template class TLayerListT<TLayer>;
template class TLayerListT<TPLFPosition>;

TCustomLayer::~TCustomLayer() = default;

void TCustomLayer::SetVisible(bool value)
{
    if (AssignChanged(visible_, value))
        Changed(false);
}

void TCustomLayer::SetName(const QString& value)
{
    if (name_ == value)
        return;
    name_ = value;
    Changed(false);
}

void TCustomLayer::SetColor(int value)
{
    if (color_ == value)
        return;
    color_ = value;
    Changed(false);
}

void TCustomLayer::RenumberBranches(int removed, bool seams)
{
    if (removed < 0)
        return;
    for (TBranch* b : Mine()->Branches) {
        const int i = seams ? b->RawLayerIndex() : b->RawPLFIndex();
        const int next = i > removed ? i - 1 : i == removed ? -1 : i;
        if (next == i)
            continue;
        if (seams)
            b->SetLayerIndex(next);
        else
            b->SetPLFIndex(next);
    }
}

TLayer* TLayer::Create(TMine* mine)
{
    if (!mine)
        throw EOwnerError();
    TLayer* l = mine->Layers.Add(std::unique_ptr<TLayer>(new (mine) TLayer(mine)));
    l->Changed(false);
    return l;
}

TLayer::~TLayer()
{
    if (MineDying())
        return;
    // Freed through the list: it has already left it; its former place is remembered.
    RenumberBranches(formerListIndex_, true);
}

int TLayer::GetIndex() const { return Mine()->Layers.IndexOf(this); }

void TLayer::SetMine(TMine* mine)
{
    if (!mine)
        throw EOwnerError();
    if (mine == Mine())
        return;
    auto self = Mine()->Layers.Extract(this);
    if (!self)
        return;
    RebindMine(mine);
    mine->Layers.Add(std::move(self));
}

TPLFPosition* TPLFPosition::Create(TMine* mine)
{
    if (!mine)
        throw EOwnerError();
    TPLFPosition* p = mine->PLFPositions.Add(std::unique_ptr<TPLFPosition>(new (mine) TPLFPosition(mine)));
    p->Changed(false);
    return p;
}

TPLFPosition::~TPLFPosition()
{
    if (MineDying())
        return;
    RenumberBranches(formerListIndex_, false);
}

int TPLFPosition::GetIndex() const { return Mine()->PLFPositions.IndexOf(this); }

void TPLFPosition::SetMine(TMine* mine)
{
    if (!mine)
        throw EOwnerError();
    if (mine == Mine())
        return;
    auto self = Mine()->PLFPositions.Extract(this);
    if (!self)
        return;
    RebindMine(mine);
    mine->PLFPositions.Add(std::move(self));
}
