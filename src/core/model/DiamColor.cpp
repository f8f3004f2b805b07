#include "core/model/DiamColor.h"

#include "core/model/Branch.h"
#include "core/model/Mine.h"
#include "core/model/Pipe.h"

#include <QRandomGenerator>
#include <algorithm>

TDiamColorController::TDiamColorController(TMine* mine)
    : mine_(mine), random_(QRandomGenerator::global()->generate())
{
    if (!mine)
        throw EOwnerError();
}

int TDiamColorController::IndexOfDiameter(int diameter) const
{
    for (size_t i = 0; i < entries_.size(); ++i)
        if (entries_[i].Diameter == diameter)
            return static_cast<int>(i);
    return -1;
}

int TDiamColorController::RandomColor()
{
    std::uniform_int_distribution<int> channel(0, 254);
    const int r = channel(random_);
    const int g = channel(random_);
    const int b = channel(random_);
    return r | (g << 8) | (b << 16);
}

int TDiamColorController::RegisterPipe(const TPipe* pipe, bool keepOwnColor)
{
    const bool laid = IsLaid(pipe);
    const int i = IndexOfDiameter(pipe->Diameter());
    if (i >= 0) {
        TDiamColor& e = entries_[static_cast<size_t>(i)];
        (laid ? e.LaidCount : e.UnlaidCount)++;
        return e.Color;
    }
    TDiamColor e;
    e.Diameter = pipe->Diameter();
    e.Color = keepOwnColor ? pipe->Color() : RandomColor();
    (laid ? e.LaidCount : e.UnlaidCount) = 1;
    entries_.push_back(e);
    return e.Color;
}

int TDiamColorController::UnregisterPipe(const TPipe* pipe)
{
    const int i = IndexOfDiameter(pipe->Diameter());
    if (i < 0)
        return 0;
    TDiamColor& e = entries_[static_cast<size_t>(i)];
    int& count = IsLaid(pipe) ? e.LaidCount : e.UnlaidCount;
    count = std::max(count - 1, 0);
    const int left = e.LaidCount + e.UnlaidCount;
    if (left == 0)
        entries_.erase(entries_.begin() + i);
    return left;
}

void TDiamColorController::PresentChanged(const TWaterPipe* pipe)
{
    const int i = IndexOfDiameter(pipe->Diameter());
    if (i < 0)
        return;
    TDiamColor& e = entries_[static_cast<size_t>(i)];
    int& from = pipe->Present() ? e.UnlaidCount : e.LaidCount;
    int& to = pipe->Present() ? e.LaidCount : e.UnlaidCount;
    if (from > 0) {
        --from;
        ++to;
    }
}

void TDiamColorController::Rebuild()
{
    entries_.clear();
    for (TBranch* b : mine_->Branches)
        RegisterFirePipeOf(b);
}

void TDiamColorController::RegisterFirePipeOf(const TBranch* branch)
{
    if (TPipe* fire = branch->FirePipe())
        RegisterPipe(fire, true);
}

void TDiamColorController::SortByDiameter()
{
    std::stable_sort(entries_.begin(), entries_.end(),
                     [](const TDiamColor& a, const TDiamColor& b) { return a.Diameter < b.Diameter; });
}

TDiamColorController::EntryInfo TDiamColorController::GetEntry(int index, bool laidOnly) const
{
    const TDiamColor& e = Entry(index);
    return {e.Diameter, laidOnly ? e.LaidCount : e.LaidCount + e.UnlaidCount, e.Color};
}

bool TDiamColorController::SetDiameterColor(int diameter, int color)
{
    const int i = IndexOfDiameter(diameter);
    if (i < 0)
        return false;
    TDiamColor& e = entries_[static_cast<size_t>(i)];
    if (e.Color == color)
        return true;
    e.Color = color;
    for (TBranch* b : mine_->Branches)
        for (int slot = 0; slot < 3 && slot < b->Pipes.Count(); ++slot) {
            TPipe* p = b->Pipes.Items(slot);
            if (p->Diameter() == diameter)
                p->SetColorQuietly(color);
        }
    mine_->SetModified(true, false);
    return true;
}
