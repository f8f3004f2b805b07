#include "render/topology3d/TopologyScene.h"

#include "core/hydraulics/HydroResults.h"
#include "core/model/Branch.h"
#include "core/model/Device.h"
#include "core/model/Layer.h"
#include "core/model/Mine.h"
#include "core/model/Pipe.h"
#include "core/model/PipePart.h"
#include "core/model/Uzel.h"
#include "render/schema2d/PressureColouring.h"

#include <algorithm>
#include <cmath>
#include <unordered_set>

namespace {

using Rgb = TTopologyScene::Rgb;

Rgb FromStored(int color)
{
    return {float(color & 0xFF) / 255, float((color >> 8) & 0xFF) / 255, float((color >> 16) & 0xFF) / 255};
}

Rgb FromColor(const QColor& c) { return {float(c.redF()), float(c.greenF()), float(c.blueF())}; }

void Push(std::vector<float>& out, const TUzel& a, const TUzel& e, double t)
{
    out.push_back(float(a.X() + (e.X() - a.X()) * t));
    out.push_back(float(a.Z() + (e.Z() - a.Z()) * t));
    out.push_back(-float(a.Y() + (e.Y() - a.Y()) * t));
}

quint8 Meeting(const TUzel& u) { return quint8(std::min(u.IncidentCount(), 255)); }

// Points a little before and after the middle of the stretch t0..t1, the way of the flow.
void PushWay(TTopologyScene& scene, const TUzel& a, const TUzel& e, double t0, double t1, bool forward, Rgb color)
{
    const double mid = (t0 + t1) / 2;
    const double step = (t1 - t0) / 100 * (forward ? 1 : -1);
    Push(scene.DirectionVertices, a, e, mid - step);
    Push(scene.DirectionVertices, a, e, mid + step);
    scene.DirectionColors.push_back(color);
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

TTopologyScene::Rgb TTopologyScene::DeviceColor(int kind)
{
    switch (kind) {
    case dkPump: return {1, 0, 0};
    case dkReducer: return {1, 0.5f, 0};
    case dkGate: return {0.2f, 0.4f, 1};
    case dkCrane: return {0, 1, 1};
    case dkJetBreakTank:
    case dkFireMachine: return {1, 0, 1};
    default: return {0, 0.8f, 0.3f};
    }
}

TTopologyScene TTopologyScene::Build(const TMine& mine, const TTopologySwitches& s, const TBranch* current,
                                     const TUzel* currentNode)
{
    TTopologyScene scene;
    scene.PipesShown = s.PipeIndex >= 0;
    const bool branches = s.PipeIndex < 0 || !s.OnlyPipes;
    std::unordered_set<const TUzel*> ends;
    const bool byPressure = s.ColorMode == 3 && s.Results != nullptr;
    std::vector<TPressureStretch> stretches;
    const quint32 branchCount = quint32(mine.Branches.Count());
    for (int i = 0; i < mine.Branches.Count(); ++i) {
        const TBranch* b = mine.Branches.Items(i);
        if (!b->Linked() || !Shown(mine, *b))
            continue;
        const TUzel& a = *b->StartUzel();
        const TUzel& e = *b->EndUzel();
        if (branches) {
            Rgb color = kStandard;
            const bool highlighted = b == current || b->Selected();
            if (highlighted)
                color = kHighlight;
            else if (s.PipeIndex >= 0)
                color = kWithPipes;
            else if (s.ColorMode == 1 && b->LayerIndex() >= 0 && b->LayerIndex() < mine.Layers.Count())
                color = FromStored(mine.Layers.Items(b->LayerIndex())->Color());
            else if (s.ColorMode == 2 && b->PLFIndex() >= 0 && b->PLFIndex() < mine.PLFPositions.Count())
                color = FromStored(mine.PLFPositions.Items(b->PLFIndex())->Color());
            auto segment = [&](double t0, double t1, Rgb c, quint8 startMeets, quint8 endMeets) {
                Push(scene.BranchVertices, a, e, t0);
                Push(scene.BranchVertices, a, e, t1);
                scene.BranchColors.insert(scene.BranchColors.end(), 2, c);
                scene.BranchNames.push_back(quint32(i) + 1);
                scene.SegmentEnds.push_back({startMeets, endMeets});
            };
            // By pressure: the stretches of the pressure scale along the fire-fighting pipe, as
            // the plan draws them; what the pipe does not cover keeps the standard colour.
            if (byPressure && s.PipeIndex < 0 && !highlighted)
                PressureColouring::Stretches(*b, *s.Results, stretches);
            else
                stretches.clear();
            if (!stretches.empty()) {
                double t = 0;
                auto piece = [&](double t0, double t1, Rgb c) {
                    if (t1 > t0)
                        segment(t0, t1, c, t0 == 0 ? Meeting(a) : 0, t1 == 1 ? Meeting(e) : 0);
                };
                for (const TPressureStretch& st : stretches) {
                    piece(t, st.Start, color);
                    piece(st.Start, st.End, FromColor(PressureColouring::Color(st.Class)));
                    t = st.End;
                }
                piece(t, 1, color);
            } else {
                segment(0, 1, color, Meeting(a), Meeting(e));
            }
            scene.Branches.push_back(b);
            ends.insert(&a);
            ends.insert(&e);
        }
        if (s.Direction) {
            const auto* water = s.PipeIndex >= 0 && s.PipeIndex < 3 && s.PipeIndex < b->Pipes.Count()
                                    ? dynamic_cast<const TWaterPipe*>(b->Pipes.Items(s.PipeIndex))
                                    : nullptr;
            if (water && water->Present()) {
                for (int k = 0; k < water->SectionCount(); ++k) {
                    const auto* section = dynamic_cast<const TWaterPipePart*>(water->GetSection(k));
                    const TSectionResult* v = section && s.Results ? s.Results->Find(section) : nullptr;
                    if (v && section->SectionLength() > 0 && v->Q != 0)
                        PushWay(scene, a, e, section->SectionStart(), section->SectionEnd(), v->Q > 0, kWaterWay);
                }
            } else if (s.PipeIndex < 0 && b->AirQ() != 0) {
                PushWay(scene, a, e, 0, 1, b->AirQ() > 0, kAirWay);
            }
        }
        if (s.Devices)
            for (const TPipe* pipe : b->Pipes) {
                const auto* water = dynamic_cast<const TWaterPipe*>(pipe);
                const bool displayed = s.PipeIndex < 0 || (s.PipeIndex == 3 ? !water : pipe->SlotIndex() == s.PipeIndex);
                if (!displayed || (water && !water->Present()))
                    continue;
                for (int k = 0; k < pipe->Devices.Count(); ++k) {
                    const TDevice* d = pipe->Devices.Items(k);
                    Push(scene.DeviceVertices, a, e, d->Position());
                    scene.DeviceColors.push_back(DeviceColor(d->GetKind()));
                }
            }
        // The pipes of a branch that carries the chosen kind, each along the stretch it covers.
        if (s.PipeIndex >= 0 && HasChosenPipe(*b, s.PipeIndex))
            for (const TPipe* pipe : b->Pipes) {
                const auto* water = dynamic_cast<const TWaterPipe*>(pipe);
                if (water && !water->Present())
                    continue;
                const Rgb color = b->Selected() ? kHighlight : water ? FromStored(pipe->Color()) : kGas;
                auto piece = [&](double t0, double t1, Rgb c) {
                    if (t1 <= t0)
                        return;
                    Push(scene.PipeVertices, a, e, t0);
                    Push(scene.PipeVertices, a, e, t1);
                    scene.PipeColors.insert(scene.PipeColors.end(), 2, c);
                };
                // The fire-fighting pipe coloured by pressure: its stretches, the rest in its colour.
                if (byPressure && !b->Selected() && pipe == b->FirePipe())
                    PressureColouring::Stretches(*b, *s.Results, stretches);
                else
                    stretches.clear();
                double t = pipe->StartFrac();
                for (const TPressureStretch& st : stretches) {
                    piece(t, std::min(st.Start, pipe->EndFrac()), color);
                    piece(std::max(st.Start, pipe->StartFrac()), std::min(st.End, pipe->EndFrac()),
                          FromColor(PressureColouring::Color(st.Class)));
                    t = std::max(t, st.End);
                }
                piece(t, pipe->EndFrac(), color);
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

TTopologyGrid TTopologyGrid::Build(const TMine& mine, int step, double z0)
{
    TTopologyGrid grid;
    const double cx = mine.CenterX();
    const double cy = mine.CenterY();
    double x0 = cx, x1 = cx, y0 = cy, y1 = cy;
    for (const TUzel* u : mine.Uzels)
        if (std::isfinite(u->X()) && std::isfinite(u->Y())) {
            x0 = std::min(x0, u->X());
            x1 = std::max(x1, u->X());
            y0 = std::min(y0, u->Y());
            y1 = std::max(y1, u->Y());
        }
    // A step that leaves at most 2 000 lines an axis, on the central point's multiples.
    double d = step > 0 ? step : 200;
    const double widest = std::max(x1 - x0, y1 - y0);
    if (widest / d > 2000)
        d *= std::ceil(widest / d / 2000);
    x0 = cx + std::floor((x0 - cx) / d) * d;
    x1 = cx + std::ceil((x1 - cx) / d) * d;
    y0 = cy + std::floor((y0 - cy) / d) * d;
    y1 = cy + std::ceil((y1 - cy) / d) * d;
    const float z = float(z0);
    auto line = [z](std::vector<float>& out, double ax, double ay, double bx, double by) {
        out.insert(out.end(), {float(ax), z, -float(ay), float(bx), z, -float(by)});
    };
    const int columns = int(std::lround((x1 - x0) / d));
    const int rows = int(std::lround((y1 - y0) / d));
    for (int i = 0; i <= columns; ++i) {
        const double x = x0 + i * d;
        line(std::abs(x - cx) < d / 2 ? grid.CentreLines : grid.Lines, x, y0, x, y1);
    }
    for (int j = 0; j <= rows; ++j) {
        const double y = y0 + j * d;
        line(std::abs(y - cy) < d / 2 ? grid.CentreLines : grid.Lines, x0, y, x1, y);
    }
    grid.Area = {float(x0), z, -float(y0), float(x1), z, -float(y0), float(x1), z, -float(y1), float(x0), z, -float(y1)};
    return grid;
}
