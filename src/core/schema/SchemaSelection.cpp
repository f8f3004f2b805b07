#include "core/schema/SchemaSelection.h"

#include "core/model/Branch.h"
#include "core/model/Device.h"
#include "core/model/Mine.h"
#include "core/model/Pipe.h"
#include "core/model/Uzel.h"

namespace {

// A selected branch other than `except` ends at the node.
bool HeldBySelectedBranch(const TUzel* uzel, const TBranch* except)
{
    for (TBranch* b : uzel->Branches)
        if (b != except && b->Selected())
            return true;
    return false;
}

void SelectOnly(TMine& mine, std::initializer_list<TMineObject*> objects)
{
    mine.Selection.Clear();
    for (TMineObject* object : objects)
        if (object)
            mine.Selection.Add(object);
}

QPointF PlaceOf(const TDevice* device)
{
    const TBranch* b = device->Branch();
    const double t = device->Position();
    return QPointF(b->StartUzel()->SX() + (b->EndUzel()->SX() - b->StartUzel()->SX()) * t,
                   b->StartUzel()->SY() + (b->EndUzel()->SY() - b->StartUzel()->SY()) * t);
}

}  // namespace

namespace SchemaSelection {

void ClickUzel(TMine& mine, TUzel* uzel, bool shift)
{
    if (!uzel)
        return;
    if (!shift) {
        if (!(uzel->Selected() && !HeldBySelectedBranch(uzel, nullptr)))
            SelectOnly(mine, {uzel});
        return;
    }
    if (!uzel->Selected())
        mine.Selection.Add(uzel);
    else if (!HeldBySelectedBranch(uzel, nullptr))
        mine.Selection.Remove(uzel);
}

void ClickBranch(TMine& mine, TBranch* branch, bool shift)
{
    if (!branch)
        return;
    if (!shift) {
        if (!branch->Selected())
            SelectOnly(mine, {branch, branch->StartUzel(), branch->EndUzel()});
        return;
    }
    const bool select = !branch->Selected();
    if (select)
        mine.Selection.Add(branch);
    else
        mine.Selection.Remove(branch);
    for (TUzel* end : {branch->StartUzel(), branch->EndUzel()}) {
        if (!end)
            continue;
        if (select)
            mine.Selection.Add(end);
        else if (!HeldBySelectedBranch(end, branch))
            mine.Selection.Remove(end);
    }
}

void ClickDevice(TMine& mine, TDevice* device, bool shift)
{
    if (!device)
        return;
    if (shift) {
        if (device->Selected())
            mine.Selection.Remove(device);
        else
            mine.Selection.Add(device);
    } else if (!device->Selected()) {
        SelectOnly(mine, {device});
    }
}

void SelectInside(TMine& mine, const QRectF& rect, bool devices)
{
    const QRectF r = rect.normalized();
    auto inside = [&](const TUzel* u) { return u && r.contains(QPointF(u->SX(), u->SY())); };
    for (TBranch* b : mine.Branches) {
        if (!b->Linked())
            continue;
        if (devices) {
            for (TPipe* pipe : b->Pipes)
                for (TDevice* d : pipe->Devices)
                    if (r.contains(PlaceOf(d)))
                        mine.Selection.Add(d);
        } else if (inside(b->StartUzel()) && inside(b->EndUzel())) {
            mine.Selection.Add(b);
        }
    }
    if (!devices)
        for (TUzel* u : mine.Uzels)
            if (inside(u))
                mine.Selection.Add(u);
}

void SelectAll(TMine& mine, const std::vector<TBranch*>& visibleBranches, TSelectAll what)
{
    if (what != TSelectAll::Uzels)
        for (TBranch* b : visibleBranches)
            if (b->Linked())
                mine.Selection.Add(b);
    if (what != TSelectAll::Branches)
        for (TUzel* u : mine.Uzels)
            mine.Selection.Add(u);
}

void PickInSpace(TMine& mine, TMineObject* previous, bool ctrl)
{
    if (!ctrl)
        mine.Selection.Clear();
    else if (previous)
        mine.Selection.Add(previous);
}

}  // namespace SchemaSelection
