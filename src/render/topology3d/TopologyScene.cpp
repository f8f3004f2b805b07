#include "render/topology3d/TopologyScene.h"

#include "core/model/Branch.h"
#include "core/model/Layer.h"
#include "core/model/Mine.h"
#include "core/model/Pipe.h"
#include "core/model/Uzel.h"

#include <unordered_set>

namespace {

using Rgb = TTopologyScene::Rgb;

Rgb FromStored(int color)
{
    return {float(color & 0xFF) / 255, float((color >> 8) & 0xFF) / 255, float((color >> 16) & 0xFF) / 255};
}

void Push(std::vector<float>& out, const TUzel& a, const TUzel& e, double t)
{
    out.push_back(float(a.X() + (e.X() - a.X()) * t));
    out.push_back(float(a.Z() + (e.Z() - a.Z()) * t));
    out.push_back(-float(a.Y() + (e.Y() - a.Y()) * t));
}

bool Shown(const TMine& mine, const TBranch& b)
{
    const int seam = b.LayerIndex();
    const int position = b.PLFIndex();
    if (seam >= 0 && seam < mine.Layers.Count() && !mine.Layers.Items(seam)->Visible())
        return false;
    return !(position >= 0 && position < mine.PLFPositions.Count() && !mine.PLFPositions.Items(position)->Visible());
}

bool HasChosenPipe(const TBranch& b, int index)
{
    if (index == 3)
        return b.GasPipeCount() > 0;
    if (index < 0 || index >= b.Pipes.Count())
        return false;
    const auto* water = dynamic_cast<const TWaterPipe*>(b.Pipes.Items(index));
    return water && water->Present();
}

}  // namespace

TTopologyScene TTopologyScene::Build(const TMine& mine, const TTopologySwitches& s, const TBranch* current,
                                     const TUzel* currentNode)
{
    TTopologyScene scene;
    const bool branches = s.PipeIndex < 0 || !s.OnlyPipes;
    std::unordered_set<const TUzel*> ends;
    const quint32 branchCount = quint32(mine.Branches.Count());
    for (int i = 0; i < mine.Branches.Count(); ++i) {
        const TBranch* b = mine.Branches.Items(i);
        if (!b->Linked() || !Shown(mine, *b))
            continue;
        const TUzel& a = *b->StartUzel();
        const TUzel& e = *b->EndUzel();
        if (branches) {
            Rgb color = kStandard;
            if (b == current || b->Selected())
                color = kHighlight;
            else if (s.PipeIndex >= 0)
                color = kWithPipes;
            else if (s.ColorMode == 1 && b->LayerIndex() >= 0 && b->LayerIndex() < mine.Layers.Count())
                color = FromStored(mine.Layers.Items(b->LayerIndex())->Color());
            else if (s.ColorMode == 2 && b->PLFIndex() >= 0 && b->PLFIndex() < mine.PLFPositions.Count())
                color = FromStored(mine.PLFPositions.Items(b->PLFIndex())->Color());
            Push(scene.BranchVertices, a, e, 0);
            Push(scene.BranchVertices, a, e, 1);
            scene.BranchColors.insert(scene.BranchColors.end(), 2, color);
            scene.BranchNames.push_back(quint32(i) + 1);
            scene.Branches.push_back(b);
            ends.insert(&a);
            ends.insert(&e);
        }
        // The pipes of a branch that carries the chosen kind, each along the stretch it covers.
        if (s.PipeIndex >= 0 && HasChosenPipe(*b, s.PipeIndex))
            for (const TPipe* pipe : b->Pipes) {
                const auto* water = dynamic_cast<const TWaterPipe*>(pipe);
                if (water && !water->Present())
                    continue;
                const Rgb color = b->Selected() ? kHighlight : water ? FromStored(pipe->Color()) : kGas;
                Push(scene.PipeVertices, a, e, pipe->StartFrac());
                Push(scene.PipeVertices, a, e, pipe->EndFrac());
                scene.PipeColors.insert(scene.PipeColors.end(), 2, color);
            }
    }
    if (branches && s.ShowNodes)
        for (int i = 0; i < mine.Uzels.Count(); ++i) {
            const TUzel* u = mine.Uzels.Items(i);
            // Nodes of hidden branches stay hidden with them; a node without branches shows.
            if (!ends.count(u) && u->IncidentCount() > 0)
                continue;
            scene.NodeVertices.insert(scene.NodeVertices.end(), {float(u->X()), float(u->Z()), -float(u->Y())});
            scene.NodeColors.push_back(u == currentNode ? kHighlight : u->Selected() ? kSelectedNode : kNode);
            scene.NodeNames.push_back(branchCount + quint32(i) + 1);
            scene.Nodes.push_back(u);
        }
    return scene;
}
