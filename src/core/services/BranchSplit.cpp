#include "core/services/BranchSplit.h"

#include "core/services/FreeNumberEntries.h"
#include "core/model/Branch.h"
#include "core/model/Device.h"
#include "core/model/Errors.h"
#include "core/model/Mine.h"
#include "core/model/Pipe.h"
#include "core/model/Uzel.h"

#include <algorithm>
#include <cmath>
#include <unordered_set>

namespace BranchSplit {

namespace {

int LargestUzelNumber(const TMine& mine)
{
    int largest = 0;
    for (const TUzel* u : mine.Uzels)
        largest = std::max(largest, u->Number());
    return largest;
}

int LargestBranchNumber(const TMine& mine)
{
    int largest = 0;
    for (const TBranch* b : mine.Branches)
        largest = std::max(largest, b->Number());
    return largest;
}

void LinkPlannedBranches(TSplitPlan& plan)
{
    const int n = static_cast<int>(plan.Nodes.size());
    for (int i = 0; i <= n; ++i) {
        TSplitBranch& b = plan.Branches[static_cast<size_t>(i)];
        b.Start = i == 0 ? plan.Branch->StartNumber() : plan.Nodes[static_cast<size_t>(i - 1)].Number;
        b.End = i == n ? plan.Branch->EndNumber() : plan.Nodes[static_cast<size_t>(i)].Number;
    }
}

// Fraction of the old branch where piece i begins and ends.
double PieceStart(const TSplitPlan& plan, int i) { return i == 0 ? 0.0 : plan.Nodes[static_cast<size_t>(i - 1)].T; }
double PieceEnd(const TSplitPlan& plan, int i)
{
    return i == static_cast<int>(plan.Nodes.size()) ? 1.0 : plan.Nodes[static_cast<size_t>(i)].T;
}

bool AtOrAfter(double p, double a) { return p > a || SameDouble(p, a); }
bool AtOrBefore(double p, double b) { return p < b || SameDouble(p, b); }

// A pipe lying on [s0, e0] of the old branch reaches into the piece [a, b].
bool Reaches(const TPipe& pipe, double a, double b) { return IsLaid(&pipe) && b > pipe.StartFrac() && a < pipe.EndFrac(); }

void CopyPipeValues(const TPipe& from, TPipe& to)
{
    to.SetProjected(from.Projected());
    to.SetDiameter(from.Diameter());
    to.SetWallThickness(from.WallThickness());
    to.SetNotNew(from.NotNew());
    to.SetResistanceMode(from.ResistanceMode());
    to.SetFixedResistance(from.FixedResistance());
}

void CopyGasValues(const TGasPipe& from, TGasPipe& to)
{
    CopyPipeValues(from, to);
    to.SetPipeNo(from.PipeNo());
    to.SetDiameterType(from.DiameterType());
    to.SetTemperature(from.Temperature());
    to.SetMixtureFlow(from.MixtureFlow());
    to.SetMethaneConcentration(from.MethaneConcentration());
    to.SetFixedFlow(from.FixedFlow());
}

// The piece a device at p goes to: the first piece holding p whose pipe reaches into it, so
// a device at a split node goes to the piece that ends there unless its pipe only begins
// there; else the first piece holding p.
int PieceOfDevice(const TSplitPlan& plan, const TPipe& pipe, double p)
{
    const int pieces = static_cast<int>(plan.Branches.size());
    int fallback = -1;
    for (int i = 0; i < pieces; ++i) {
        const double a = PieceStart(plan, i), b = PieceEnd(plan, i);
        if (!AtOrAfter(p, a) || !AtOrBefore(p, b))
            continue;
        if (Reaches(pipe, a, b))
            return i;
        if (fallback < 0)
            fallback = i;
    }
    return fallback >= 0 ? fallback : (p < 0.5 ? 0 : pieces - 1);
}

}  // namespace

void CheckSplittable(const TBranch& branch)
{
    if (!branch.Linked())
        throw EMineError(kNotLinked.arg(branch.Number()));
}

TSplitPlan Plan(const TMine& mine, TBranch& branch, int count, TSplitNumbering uzelNumbering,
                TSplitNumbering branchNumbering)
{
    count = std::clamp(count, 0, kMaxNodes);
    TSplitPlan plan;
    plan.Branch = &branch;
    const int largestUzel = LargestUzelNumber(mine);
    const int largestBranch = LargestBranchNumber(mine);
    std::vector<int> plannedUzels;
    std::vector<int> plannedBranches{branch.Number()};
    for (int i = 1; i <= count; ++i) {
        TSplitNode node;
        node.T = static_cast<double>(i) / (count + 1);
        node.Number = uzelNumbering == TSplitNumbering::AfterMax
                          ? largestUzel + i
                          : FreeNumberEntries::FirstFree(mine, nsUzels | nsWaterDevices, plannedUzels, true);
        plannedUzels.push_back(node.Number);
        plan.Nodes.push_back(node);
    }
    plan.Branches.resize(static_cast<size_t>(count + 1));
    plan.Branches[0].Number = branch.Number();
    for (int i = 1; i <= count; ++i) {
        const int number = branchNumbering == TSplitNumbering::AfterMax
                               ? largestBranch + i
                               : FreeNumberEntries::FirstFree(mine, nsBranches, plannedBranches, true);
        plannedBranches.push_back(number);
        plan.Branches[static_cast<size_t>(i)].Number = number;
    }
    LinkPlannedBranches(plan);
    return plan;
}

void SetUzelNumber(TSplitPlan& plan, int index, int number)
{
    if (index < 0 || index >= static_cast<int>(plan.Nodes.size()))
        return;
    plan.Nodes[static_cast<size_t>(index)].Number = number;
    LinkPlannedBranches(plan);
}

double PieceLength(const TSplitPlan& plan, int index)
{
    if (!plan.Branch || index < 0 || index >= static_cast<int>(plan.Branches.size()))
        return 0;
    return plan.Branch->Length() * (PieceEnd(plan, index) - PieceStart(plan, index));
}

void Validate(const TMine& mine, const TSplitPlan& plan)
{
    if (!plan.Branch || !mine.Branches.Contains(plan.Branch))
        throw EMineError(kBadNumber);
    CheckSplittable(*plan.Branch);
    const int n = static_cast<int>(plan.Nodes.size());
    if (n < 1 || n > kMaxNodes || static_cast<int>(plan.Branches.size()) != n + 1)
        throw EMineError(kBadNumber);

    double previous = 0;
    for (const TSplitNode& node : plan.Nodes) {
        if (!std::isfinite(node.T) || node.T <= previous || SameDouble(node.T, previous) || node.T >= 1 ||
            SameDouble(node.T, 1))
            throw EMineError(kCoincidentNodes);
        previous = node.T;
    }

    std::unordered_set<int> usedByUzels;
    for (const int v : FreeNumberEntries::UsedNumbers(mine, nsUzels | nsWaterDevices))
        usedByUzels.insert(v);
    for (const TSplitNode& node : plan.Nodes) {
        if (node.Number < 1)
            throw EMineError(kBadNumber);
        if (!usedByUzels.insert(node.Number).second)
            throw EMineError(kUzelNumberUsed.arg(node.Number));
    }

    std::unordered_set<int> usedByBranches;
    for (const TBranch* b : mine.Branches)
        usedByBranches.insert(b->Number());
    for (int i = 0; i <= n; ++i) {
        const TSplitBranch& b = plan.Branches[static_cast<size_t>(i)];
        const int start = i == 0 ? plan.Branch->StartNumber() : plan.Nodes[static_cast<size_t>(i - 1)].Number;
        const int end = i == n ? plan.Branch->EndNumber() : plan.Nodes[static_cast<size_t>(i)].Number;
        if (b.Start != start || b.End != end)
            throw EMineError(kBadNumber);
        if (i == 0) {
            if (b.Number != plan.Branch->Number())
                throw EMineError(kBadNumber);
            continue;
        }
        if (b.Number < 1)
            throw EMineError(kBadNumber);
        if (!usedByBranches.insert(b.Number).second)
            throw EMineError(kBranchNumberUsed.arg(b.Number));
    }
}

std::vector<TBranch*> Execute(TMine& mine, const TSplitPlan& plan)
{
    Validate(mine, plan);
    TBranch* old = plan.Branch;
    const int n = static_cast<int>(plan.Nodes.size());
    const bool placedByHand = old->StartUzel()->PlacedByHand() || old->EndUzel()->PlacedByHand();

    for (const TSplitNode& node : plan.Nodes) {
        const TBranch::Point3 p = old->PointAt(node.T);
        const TBranch::SchemaPoint q = old->SchemaPointAt(node.T);
        TUzel* u = TUzel::Create(&mine, node.Number);
        u->SetX(p.x);
        u->SetY(p.y);
        u->SetZ(p.z);
        // Setting X and Y moved the schema position with them; it lies on the old line.
        u->SetPlacedByHand(placedByHand);
        u->SetSX(q.x);
        u->SetSY(q.y);
    }

    const int oldIndex = mine.Branches.IndexOf(old);
    std::vector<TBranch*> pieces;
    for (int i = 0; i <= n; ++i) {
        const TSplitBranch& planned = plan.Branches[static_cast<size_t>(i)];
        TBranch* b = TBranch::Create(&mine, planned.Number, planned.Start, planned.End);
        mine.Branches.Move(mine.Branches.IndexOf(b), oldIndex + i + 1);
        b->SetRemark(old->Remark());
        b->SetLayerIndex(old->RawLayerIndex());
        b->SetPLFIndex(old->RawPLFIndex());
        // Degasification pipes in the old order, so every pipe keeps its slot.
        for (int slot = 3; slot < old->Pipes.Count(); ++slot)
            CopyGasValues(*static_cast<const TGasPipe*>(old->Pipes.Items(slot)), *TGasPipe::Create(b));
        pieces.push_back(b);
    }

    for (int slot = 0; slot < old->Pipes.Count(); ++slot) {
        TPipe* from = old->Pipes.Items(slot);
        const double s0 = from->StartFrac(), e0 = from->EndFrac();
        for (int i = 0; i <= n; ++i) {
            TPipe* to = pieces[static_cast<size_t>(i)]->Pipes.Items(slot);
            if (slot < 3) {
                CopyPipeValues(*from, *to);
                static_cast<TWaterPipe*>(to)->SetK(static_cast<TWaterPipe*>(from)->K());
            }
            const double a = PieceStart(plan, i), b = PieceEnd(plan, i), h = b - a;
            if (!Reaches(*from, a, b))
                continue;
            if (slot < 3)
                static_cast<TWaterPipe*>(to)->SetPresent(true);
            to->SetFractions(a < s0 ? (s0 - a) / h : 0.0, b <= e0 ? 1.0 : (e0 - a) / h);
        }
        // From the last device to the first, as the pipe's list shrinks from its end.
        for (int k = from->Devices.Count() - 1; k >= 0; --k) {
            TDevice* d = from->Devices.Items(k);
            const int i = PieceOfDevice(plan, *from, d->Position());
            const double a = PieceStart(plan, i), h = PieceEnd(plan, i) - a;
            const double p = std::clamp((d->Position() - a) / h, 0.0, 1.0);
            TBranch* piece = pieces[static_cast<size_t>(i)];
            // A laid pipe's device always lands on a piece where the pipe is laid.
            if (slot < 3 && IsLaid(from) && !IsLaid(piece->Pipes.Items(slot)))
                static_cast<TWaterPipe*>(piece->Pipes.Items(slot))->SetPresent(true);
            d->MoveToBranch(piece);
            d->SetPosition(p);
        }
    }

    for (int i = 0; i <= n; ++i) {
        TBranch* b = pieces[static_cast<size_t>(i)];
        for (TPipe* pipe : b->Pipes)
            pipe->Devices.SortByPosition();
        // A degasification pipe that does not reach into the piece is not laid there.
        for (int slot = b->Pipes.Count() - 1; slot >= 3; --slot) {
            TPipe* pipe = b->Pipes.Items(slot);
            const TPipe* from = old->Pipes.Items(slot);
            if (pipe->Devices.Count() == 0 && !Reaches(*from, PieceStart(plan, i), PieceEnd(plan, i)))
                b->Pipes.Remove(pipe);
        }
    }
    mine.DeleteBranch(old);
    return pieces;
}

}  // namespace BranchSplit
