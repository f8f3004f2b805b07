#include "core/model/Mine.h"

#include "core/model/Branch.h"
#include "core/model/Device.h"
#include "core/model/MineWatch.h"
#include "core/model/Pipe.h"
#include "core/model/PipePart.h"
#include "core/model/Uzel.h"

#include <algorithm>

namespace {
constexpr double kNoBound = 3.4e38;

QUuid NewGuid()
{
    const QUuid id = QUuid::createUuid();
    if (id.isNull())
        throw EMineError(QStringLiteral("Ошибка при создании идентификатора"));
    return id;
}
}  // namespace

TMine::TMine(const QString& name)
    : Layers(this),
      PLFPositions(this),
      Uzels(this),
      SurfaceUzels(this),
      Branches(this),
      Selection(this),
      DevicesByPipeKind{{TInfoDeviceList(this), TInfoDeviceList(this), TInfoDeviceList(this), TInfoDeviceList(this)}},
      DiamColors(this),
      TextBlocks(this, true),
      guid_(NewGuid()),
      name_(name)
{
    RecalcBounds();
}

TMine::~TMine()
{
    // Nobody hears about the teardown, and objects skip the bookkeeping that would reach
    // into lists already freed (seam renumbering, relinking, selection, device views).
    OnChange = nullptr;
    listeners_.clear();
    // Whoever keeps pointers into the mine lets go of them all while they are still valid.
    MineWatch::MineGoing(*this);
    Selection.Clear();  // while every selected object is still alive
    destroying_ = true;
    pool_.SetDying();
    Uzels.Clear();
    SurfaceUzels.Clear();
    Branches.Clear();
    Selection.Clear();
    Layers.Clear();
    PLFPositions.Clear();
    for (auto& view : DevicesByPipeKind)
        view.Clear();
    DiamColors.Clear();
    TextBlocks.Clear();
}

void TMine::SetName(const QString& name)
{
    if (name_ == name)
        return;
    name_ = name;
    SetModified(true, false);
}

void TMine::SetRemark(const QString& remark)
{
    if (remark_ == remark)
        return;
    remark_ = remark;
    SetModified(true, false);
}

void TMine::SetCenter(int axis, int value)
{
    if (axis >= 1 && axis <= 3) {
        if (center_[axis - 1] == value)
            return;
        center_[axis - 1] = value;
    }
    SetModified(true, false);
}

void TMine::SetModified(bool modified, bool structural)
{
    modified_ = modified;
    // While a file is read nothing is shown yet; the document clears the flag afterwards.
    if (modified && !loading_ && !destroying_)
        Notify(structural);
}

void TMine::EndChangeBatch()
{
    if (batchDepth_ <= 0 || --batchDepth_ > 0 || !batchChanged_)
        return;
    const bool structural = batchStructural_;
    batchChanged_ = batchStructural_ = false;
    if (!loading_ && !destroying_)
        Notify(structural);
}

void TMine::Notify(bool structural)
{
    if (batchDepth_ > 0) {
        batchChanged_ = true;
        batchStructural_ = batchStructural_ || structural;
        return;
    }
    if (OnChange)
        OnChange(this, structural);
    if (listeners_.empty())
        return;
    // A listener may unsubscribe while it is called.
    const auto copy = listeners_;
    for (const auto& [token, handler] : copy)
        if (handler)
            handler(this, structural);
}

int TMine::Subscribe(ChangeHandler handler)
{
    listeners_.emplace_back(++nextListenerToken_, std::move(handler));
    return nextListenerToken_;
}

void TMine::Unsubscribe(int token)
{
    std::erase_if(listeners_, [token](const auto& l) { return l.first == token; });
}

void TMine::RecalcBounds()
{
    min_.fill(kNoBound);
    max_.fill(-kNoBound);
    for (const TUzel* u : Uzels) {
        const double c[3] = {u->X(), u->Y(), u->Z()};
        for (int a = 0; a < 3; ++a) {
            min_[a] = std::min(min_[a], c[a]);
            max_[a] = std::max(max_[a], c[a]);
        }
    }
}

void TMine::CoordinateMoved(int axis, double a, double b)
{
    // A file being read gets its bounds once, after the last node; node by node they can
    // cost a pass over all nodes each.
    if (axis < 0 || axis > 2 || loading_)
        return;
    if (b < min_[axis] || b > max_[axis] || (SameDouble(a, min_[axis]) && b > min_[axis]) ||
        (SameDouble(a, max_[axis]) && b < max_[axis]))
        RecalcBounds();
}

void TMine::DeleteUzel(TUzel* uzel) { Uzels.Remove(uzel); }
void TMine::DeleteBranch(TBranch* branch) { Branches.Remove(branch); }

TMineObject* TMine::FindObject(TObjectKind kind, uint64_t serial) const
{
    switch (kind) {
    case TObjectKind::Uzel:
        for (TUzel* u : Uzels)
            if (u->Serial() == serial)
                return u;
        break;
    case TObjectKind::Branch:
        for (TBranch* b : Branches)
            if (b->Serial() == serial)
                return b;
        break;
    case TObjectKind::Device:
        for (const auto& view : DevicesByPipeKind)
            for (TDevice* d : view)
                if (d->Serial() == serial)
                    return d;
        break;
    case TObjectKind::PipePart:
        for (TBranch* b : Branches)
            for (TPipe* p : b->Pipes)
                for (int i = 0; i < p->SectionCount(); ++i)
                    if (TPipePart* s = p->GetSection(i); s && s->Serial() == serial)
                        return s;
        break;
    case TObjectKind::Layer:
        for (TLayer* l : Layers)
            if (l->Serial() == serial)
                return l;
        break;
    case TObjectKind::PLFPosition:
        for (TPLFPosition* p : PLFPositions)
            if (p->Serial() == serial)
                return p;
        break;
    }
    return nullptr;
}

TUzel* TMine::FirstUzelWithNumber(int number, const TUzel* except) const
{
    TUzel* best = nullptr;
    int bestIndex = -1;
    uzelsByNumber_.ForEach(number, [&](TUzel* u) {
        if (u == except)
            return;
        const int i = Uzels.IndexOf(u);
        if (i >= 0 && (!best || i < bestIndex)) {
            best = u;
            bestIndex = i;
        }
    });
    return best;
}

std::vector<TBranch*> TMine::BranchesWithEnd(int number, bool start) const
{
    if (!branchEndsIndexed_) {
        if (Branches.IsEmpty())
            return {};
        IndexBranchEnds();
    }
    const auto& map = start ? branchesByStart_ : branchesByEnd_;
    std::vector<std::pair<int, TBranch*>> found;
    map.ForEach(number, [&](TBranch* b) {
        const int i = Branches.IndexOf(b);
        if (i >= 0)
            found.emplace_back(i, b);
    });
    std::sort(found.begin(), found.end());
    std::vector<TBranch*> out;
    out.reserve(found.size());
    for (const auto& f : found)
        out.push_back(f.second);
    return out;
}

void TMine::IndexUzelNumber(TUzel* uzel, int number) { uzelsByNumber_.Add(number, uzel); }
void TMine::UnindexUzelNumber(TUzel* uzel, int number) { uzelsByNumber_.Remove(number, uzel); }

void TMine::IndexBranchEnds() const
{
    for (TBranch* b : Branches) {
        branchesByStart_.Add(b->StartNumber(), b);
        branchesByEnd_.Add(b->EndNumber(), b);
    }
    branchEndsIndexed_ = true;
}

void TMine::IndexBranchEnd(TBranch* branch, int number, bool start)
{
    if (branchEndsIndexed_)
        (start ? branchesByStart_ : branchesByEnd_).Add(number, branch);
}

void TMine::UnindexBranchEnd(TBranch* branch, int number, bool start)
{
    if (branchEndsIndexed_)
        (start ? branchesByStart_ : branchesByEnd_).Remove(number, branch);
}
