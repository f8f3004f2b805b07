#include "core/hydraulics/FireNetwork.h"

#include "core/checks/ActivePipe.h"
#include "core/checks/SlotView.h"
#include "core/equipment/ReducerCharacter.h"
#include "core/model/Branch.h"
#include "core/model/DeviceKinds.h"
#include "core/model/Mine.h"
#include "core/model/Pipe.h"
#include "core/model/PipePart.h"
#include "core/model/Uzel.h"

#include <algorithm>
#include <cmath>
#include <numeric>
#include <unordered_set>

namespace {

constexpr double kSecondsPerHour = 3600;
// Reducer characteristics are in kgf/cm2; the network's pressures in metres of water.
constexpr double kMetresPerKgfCm2 = 10;

QString Num(double v) { return QString::number(v, 'g', 6); }

}  // namespace

// Builds the network point by point: every place where water may enter, leave or change its
// law gets a point; points that pass water without loss are then merged into junctions.
class TFireNetworkBuilder {
public:
    TFireNetworkBuilder(const TMine& mine, const TFireNetworkOptions& options, TFireNetwork& out)
        : mine_(mine), options_(options), out_(out), view_(mine, 0, options.UseProjectedPipes)
    {
    }

    void Run()
    {
        const int uzelCount = mine_.Uzels.Count();
        for (int i = 0; i < uzelCount; ++i) {
            const TUzel* u = mine_.Uzels.Items(i);
            Point p;
            p.Z = u->Z();
            p.Kind = NameKind::Uzel;
            p.Owner = i;
            AddPoint(p);
            if (!std::isfinite(u->Z()))
                out_.Errors << QStringLiteral("узел %1 - неверная высотная отметка").arg(u->Number());
        }
        // Everything is sized once: a large mine has hundreds of thousands of points.
        size_t points = size_t(uzelCount), sections = 0, devices = 0;
        for (int bi = 0; bi < mine_.Branches.Count(); ++bi)
            if (view_.ActiveAt(bi)) {
                const size_t n = size_t(view_.DeviceCountAt(bi));
                points += 2 + 2 * n;
                sections += n + 1;
                devices += n;
            }
        points_.reserve(points);
        parent_.reserve(points);
        links_.reserve(sections + devices);
        merges_.reserve(sections + devices + 2 * size_t(mine_.Branches.Count()));
        sectionPoints_.reserve(sections);
        devicePoints_.reserve(devices);
        out_.Sections.reserve(sections);
        out_.Devices.reserve(devices);
        out_.Network.Links.reserve(sections + devices);
        for (int bi = 0; bi < mine_.Branches.Count(); ++bi)
            if (view_.ActiveAt(bi))
                AddBranch(bi);
        Merge();
    }

private:
    enum class NameKind : uint8_t { None, Uzel, Device, PipeEnd };
    // 32 bytes: a large mine has a million of them.
    struct Point {
        double Z = 0;
        double Demand = 0;
        double Head = 0;  // when Fixed
        // What the point belongs to: a node's index in the mine, a device's place in the
        // network's devices, or a branch's index in the mine.
        int Owner = -1;
        NameKind Kind = NameKind::None;
        // Device: 1 before, 2 after; pipe end: 1 start, 2 end.
        uint8_t Side = 0;
        bool Fixed = false;
    };
    // What a link of the network stands for; the link itself goes straight into the
    // network, which is compacted in place once the points are merged.
    struct Link {
        int From = -1;  // points
        int To = -1;
        const TDevice* Device = nullptr;
        const TBranch* Branch = nullptr;
        int SectionIndex = -1;
    };
    struct MergeEdge {
        int A = -1;
        int B = -1;
        int Section = -1;  // section place, or −1
    };

    int AddPoint(const Point& p)
    {
        points_.push_back(p);
        parent_.push_back(static_cast<int>(parent_.size()));
        return static_cast<int>(points_.size()) - 1;
    }

    int Find(int p)
    {
        while (parent_[size_t(p)] != p) {
            parent_[size_t(p)] = parent_[size_t(parent_[size_t(p)])];
            p = parent_[size_t(p)];
        }
        return p;
    }

    void Join(int a, int b, int section = -1)
    {
        merges_.push_back({a, b, section});
        const int ra = Find(a), rb = Find(b);
        if (ra != rb)
            parent_[size_t(rb)] = ra;
    }

    void SetFixed(int point, double head)
    {
        points_[size_t(point)].Fixed = true;
        points_[size_t(point)].Head = head;
    }


    static bool OnSurface(const TUzel* u) { return u && u->Surface(); }

    // Where a source stands: 1 at the pipe's start, 2 at its end, 0 not a source. A source
    // feeds its own pipe, not the node it stands at.
    int SourceEnd(int bi, const TDevice* d) const
    {
        const TBranch* b = d->Branch();
        const TPipe* pipe = d->Pipe();
        const double pos = d->Position();
        switch (d->GetKind()) {
        case dkPump:
            if (static_cast<const TPump*>(d)->Off())
                return 0;
            [[fallthrough]];
        case dkFireMachine:
            if (pos == 0 && OnSurface(b->StartUzel()))
                return 1;
            if (pos == 1 && OnSurface(b->EndUzel()))
                return 2;
            return 0;
        case dkJetBreakTank:
            if (pos == pipe->StartFrac() && view_.EndIsDeadAt(bi, true))
                return 1;
            if (pos == pipe->EndFrac() && view_.EndIsDeadAt(bi, false))
                return 2;
            return 0;
        default:
            return 0;
        }
    }

    void AddBranch(int bi)
    {
        const TBranch* b = mine_.Branches.Items(bi);
        const TPipe* pipe = view_.PipeAt(bi);
        const auto* water = dynamic_cast<const TWaterPipe*>(pipe);
        const int n = pipe->Devices.Count();
        auto zAt = [&](double t) { return b->PointAt(t).z; };

        Point start;
        start.Z = zAt(pipe->StartFrac());
        start.Kind = NameKind::PipeEnd;
        start.Owner = bi;
        start.Side = 1;
        const int startPoint = AddPoint(start);
        // Per device: its before and after points.
        std::vector<std::pair<int, int>> sides(static_cast<size_t>(n));
        for (int i = 0; i < n; ++i) {
            const TDevice* d = pipe->Devices.Items(i);
            Point p;
            p.Z = zAt(d->Position());
            p.Kind = NameKind::Device;
            p.Owner = static_cast<int>(out_.Devices.size()) + i;  // AddDevice places them in order
            p.Side = 1;
            const int before = AddPoint(p);
            p.Side = 2;
            const int after = AddPoint(p);
            sides[size_t(i)] = {before, after};
        }
        Point end;
        end.Z = zAt(pipe->EndFrac());
        end.Kind = NameKind::PipeEnd;
        end.Owner = bi;
        end.Side = 2;
        const int endPoint = AddPoint(end);

        bool startFeedsUzel = true, endFeedsUzel = true;
        for (int i = 0; i < n; ++i) {
            const TDevice* d = pipe->Devices.Items(i);
            const int source = SourceEnd(bi, d);
            if (source == 1)
                startFeedsUzel = false;
            else if (source == 2)
                endFeedsUzel = false;
            const auto [before, after] = sides[size_t(i)];
            AddDevice(d, before, after, source);
            // The source's water enters at the pipe's end: that point holds its head, so the
            // pipe's stub before the source carries the water it gives.
            const Point& a = points_[size_t(before)];
            const Point& c = points_[size_t(after)];
            if (source && (a.Fixed || c.Fixed))
                SetFixed(source == 1 ? startPoint : endPoint, a.Fixed ? a.Head : c.Head);
        }
        if (startFeedsUzel && pipe->StartFrac() == 0 && view_.StartUzelAt(bi) >= 0)
            Join(view_.StartUzelAt(bi), startPoint);
        if (endFeedsUzel && pipe->EndFrac() == 1 && view_.EndUzelAt(bi) >= 0)
            Join(view_.EndUzelAt(bi), endPoint);

        const int firstPlace = static_cast<int>(out_.Sections.size());
        const size_t firstDevice = out_.Devices.size() - size_t(n);
        for (int i = 0; i < n; ++i)
            out_.Devices[firstDevice + size_t(i)].Incoming = firstPlace + i;
        for (int s = 0; s <= n; ++s) {
            const auto* section = dynamic_cast<const TWaterPipePart*>(pipe->GetSection(s));
            const int a = s == 0 ? startPoint : sides[size_t(s - 1)].second;
            const int e = s == n ? endPoint : sides[size_t(s)].first;
            TFireNetwork::TSectionPlace place;
            place.Branch = b;
            place.Section = section;
            place.ZStart = points_[size_t(a)].Z;
            place.ZEnd = points_[size_t(e)].Z;
            const int placeIndex = static_cast<int>(out_.Sections.size());
            out_.Sections.push_back(place);
            sectionPoints_.push_back({a, e});
            AddSectionLink(b, water, section, s, a, e, placeIndex);
        }
    }

    void AddSectionLink(const TBranch* b, const TWaterPipe* pipe, const TWaterPipePart* section, int index, int a,
                        int e, int placeIndex)
    {
        const double length = section ? section->SectionLength() : 0;
        if (!(length > 0)) {
            Join(a, e, placeIndex);
            return;
        }
        Hydro::TLink link;
        link.Type = Hydro::TLinkType::Pipe;
        link.Length = length;
        link.K = pipe ? pipe->K() : 1;
        if (!std::isfinite(link.K) || link.K <= 0)
            out_.Errors << QStringLiteral("выработка %1 - неверный коэффициент местного сопротивления %2")
                               .arg(b->Number())
                               .arg(Num(link.K));
        if (pipe && pipe->ResistanceMode() == 1) {
            link.Law = Hydro::TPipeLaw::Fixed;
            link.S = pipe->FixedResistance();
            if (!std::isfinite(link.S) || link.S <= 0)
                out_.Errors << QStringLiteral("выработка %1 - неверное удельное сопротивление трубы %2")
                                   .arg(b->Number())
                                   .arg(Num(link.S));
        } else {
            link.Law = pipe && pipe->NotNew() ? Hydro::TPipeLaw::SnipOld : Hydro::TPipeLaw::SnipNew;
            const int outer = pipe ? pipe->Diameter() : 0;
            const int wall = pipe ? pipe->WallThickness() : 0;
            link.Diameter = (outer - 2.0 * wall) / 1000.0;
            if (!(link.Diameter > 0)) {
                // No flow area: the law gives no resistance at all, which would be no pipe.
                out_.Errors << QStringLiteral("выработка %1 - внутренний диаметр трубы не больше 0 (диаметр %2 мм, стенка %3 мм)")
                                   .arg(b->Number())
                                   .arg(outer)
                                   .arg(wall);
            }
        }
        AddLink(link, a, e, nullptr, b, index, placeIndex);
    }

    int AddLink(const Hydro::TLink& data, int from, int to, const TDevice* device, const TBranch* branch, int sectionIndex,
                int placeIndex)
    {
        links_.push_back({from, to, device, branch, sectionIndex});
        out_.Network.Links.push_back(data);
        const int index = static_cast<int>(links_.size()) - 1;
        if (placeIndex >= 0)
            out_.Sections[size_t(placeIndex)].Link = index;
        return index;
    }

    void AddDevice(const TDevice* d, int before, int after, int source)
    {
        TFireNetwork::TDevicePlace place;
        place.Device = d;
        place.Z = points_[size_t(before)].Z;
        const TBranch* b = d->Branch();
        const int number = d->Number();
        // The node a source stands at.
        const TUzel* sourceUzel = source == 1 ? b->StartUzel() : source == 2 ? b->EndUzel() : nullptr;
        switch (d->GetKind()) {
        case dkPump: {
            const auto* pump = static_cast<const TPump*>(d);
            if (pump->Off()) {
                Join(before, after);
                break;
            }
            Hydro::TLink link;
            link.Type = Hydro::TLinkType::Pump;
            link.A = pump->A();
            link.B = pump->B();
            if (!std::isfinite(link.A) || !std::isfinite(link.B) || link.A <= 0 || link.B < 0)
                out_.Errors << QStringLiteral("насос %1 - неверная характеристика (A = %2, B = %3)")
                                   .arg(number)
                                   .arg(Num(link.A), Num(link.B));
            const bool towardStart = pump->HeadDirection() == 1;
            const int suction = towardStart ? after : before;
            const int discharge = towardStart ? before : after;
            if (source)
                SetFixed(suction, sourceUzel->Z());
            place.Link = AddLink(link, suction, discharge, d, b, -1, -1);
            place.LinkReversed = towardStart;
            break;
        }
        case dkReducer: {
            const auto* reducer = static_cast<const TReducer*>(d);
            if (reducer->Off()) {
                Join(before, after);
                break;
            }
            Hydro::TLink link;
            link.Type = Hydro::TLinkType::Prv;
            const TReducerCharacter& c = reducer->Characteristic();
            const auto row = InterpolateReducer(c, reducer->LockingPressure());
            if (!reducer->HasCharacteristic() || !row.valid || row.outlet.size() != size_t(c.NQ()) || c.NQ() == 0) {
                out_.Errors << QStringLiteral("редуктор %1 - запорное давление %2 вне характеристики \"%3\"")
                                   .arg(number)
                                   .arg(Num(reducer->LockingPressure()), c.Name);
            } else if (c.FindFault()) {
                out_.Errors << QStringLiteral("редуктор %1 - неверная характеристика \"%2\": %3")
                                   .arg(number)
                                   .arg(c.Name, c.FindFault()->message);
            } else {
                for (int j = 0; j < c.NQ(); ++j) {
                    link.SettingFlows.push_back(c.Flow(j) / kSecondsPerHour);
                    link.SettingPressures.push_back(row.outlet[size_t(j)] * kMetresPerKgfCm2);
                }
            }
            const bool towardStart = reducer->Direction() == 1;
            place.Link = AddLink(link, towardStart ? after : before, towardStart ? before : after, d, b, -1, -1);
            place.LinkReversed = towardStart;
            break;
        }
        case dkGate: {
            const auto* gate = static_cast<const TGate*>(d);
            if (gate->Closed() || gate->ClosedAutomatically) {
                Hydro::TLink link;
                link.Type = Hydro::TLinkType::Pipe;
                link.Closed = true;
                link.Law = Hydro::TPipeLaw::Fixed;
                place.Link = AddLink(link, before, after, d, b, -1, -1);
            } else {
                Join(before, after);
            }
            break;
        }
        case dkCrane: {
            const auto* crane = static_cast<const TCrane*>(d);
            Join(before, after);
            if (crane->Consumption()) {
                const double flow = crane->Flow();
                if (!std::isfinite(flow) || flow < 0)
                    out_.Errors << QStringLiteral("кран %1 - неверный расход %2 м3/ч").arg(number).arg(Num(flow));
                else
                    points_[size_t(before)].Demand += flow / kSecondsPerHour;
            }
            break;
        }
        case dkFireMachine: {
            const auto* engine = static_cast<const TFireMachine*>(d);
            Join(before, after);
            if (source) {
                const double head = sourceUzel->Z() + engine->AddPressure();
                if (!std::isfinite(head))
                    out_.Errors << QStringLiteral("пожарная машина %1 - неверный напор").arg(number);
                SetFixed(before, head);
            }
            break;
        }
        case dkJetBreakTank: {
            const auto* tank = static_cast<const TJetBreakTank*>(d);
            if (!std::isfinite(tank->AddPressure()) || !std::isfinite(tank->MakeUpFlow()) || tank->MakeUpFlow() < 0 ||
                !std::isfinite(tank->Volume())) {
                out_.Errors << QStringLiteral("резервуар %1 - неверные параметры").arg(number);
                Join(before, after);
                break;
            }
            if (source) {
                Join(before, after);
                SetFixed(before, place.Z + (tank->Bypass() ? tank->AddPressure() : 0));
                if (!tank->Bypass())
                    tanks_.push_back({tank, before});
                break;
            }
            // The side toward the lower end of the branch is below the tank.
            const bool lowerAtStart = b->PointAt(0).z < b->PointAt(1).z;
            const int lower = lowerAtStart ? before : after;
            const int upper = lowerAtStart ? after : before;
            if (tank->Bypass()) {
                Hydro::TLink link;
                link.Type = Hydro::TLinkType::Boost;
                link.Gain = tank->AddPressure();
                place.Link = AddLink(link, upper, lower, d, b, -1, -1);
                place.LinkReversed = !lowerAtStart;
            } else {
                SetFixed(lower, place.Z);
                points_[size_t(upper)].Demand += tank->MakeUpFlow() / kSecondsPerHour;
                tanks_.push_back({tank, lower});
            }
            break;
        }
        default:
            Join(before, after);
            break;
        }
        devicePoints_.push_back({before, after});
        out_.Devices.push_back(place);
    }

    QString PointName(const Point& p, const std::vector<int>& junction) const
    {
        switch (p.Kind) {
        case NameKind::Uzel:
            return QStringLiteral("N%1").arg(mine_.Uzels.Items(p.Owner)->Number());
        case NameKind::Device: {
            const int number = out_.Devices[size_t(p.Owner)].Device->Number();
            // A device its two sides were merged across is one junction; else two.
            const auto [before, after] = devicePoints_[size_t(p.Owner)];
            if (junction[size_t(before)] == junction[size_t(after)])
                return QStringLiteral("D%1").arg(number);
            return QStringLiteral("D%1_%2").arg(number).arg(p.Side);
        }
        case NameKind::PipeEnd:
            return QStringLiteral("E%1_%2").arg(mine_.Branches.Items(p.Owner)->Number()).arg(p.Side);
        default:
            return QString();
        }
    }

    // Which point names a junction: a node first, then a device, then a pipe's end.
    static int Rank(const Point& p) { return p.Kind == NameKind::Uzel ? 0 : p.Kind == NameKind::Device ? 1 : 2; }

    void Merge()
    {
        Hydro::TNetwork& net = out_.Network;
        const size_t count = points_.size();
        std::vector<int> junctionOfRoot(count, -1);
        std::vector<int> junction(count, -1);
        // Points that belong to the network: those of active pipes, and nodes they touch.
        std::vector<char> used(count, 0);
        for (size_t p = size_t(mine_.Uzels.Count()); p < count; ++p)
            used[p] = 1;
        for (const MergeEdge& m : merges_)
            used[size_t(m.A)] = used[size_t(m.B)] = 1;
        for (size_t p = 0; p < count; ++p) {
            if (!used[p])
                continue;
            const int root = Find(int(p));
            if (junctionOfRoot[size_t(root)] < 0) {
                junctionOfRoot[size_t(root)] = static_cast<int>(net.Junctions.size());
                Hydro::TJunction j;
                j.Elevation = points_[size_t(root)].Z;
                net.Junctions.push_back(j);
            }
            junction[p] = junctionOfRoot[size_t(root)];
        }
        std::vector<int> bestPoint(net.Junctions.size(), -1);
        for (size_t p = 0; p < count; ++p) {
            if (junction[p] < 0)
                continue;
            const Point& pt = points_[p];
            Hydro::TJunction& j = net.Junctions[size_t(junction[p])];
            j.Demand += pt.Demand;
            if (pt.Fixed) {
                if (j.Fixed && std::fabs(j.FixedHead - pt.Head) > 1e-6)
                    out_.Errors << QStringLiteral("источники с разными напорами (%1 м и %2 м) соединены в одной точке")
                                       .arg(Num(j.FixedHead), Num(pt.Head));
                j.Fixed = true;
                j.FixedHead = pt.Head;
            }
            int& best = bestPoint[size_t(junction[p])];
            if (best < 0 || Rank(pt) < Rank(points_[size_t(best)]))
                best = int(p);
        }
        for (const Hydro::TJunction& j : net.Junctions)
            if (!std::isfinite(j.Elevation))
                out_.Errors << QStringLiteral("неверная высотная отметка точки трубопровода");

        // Links between distinct junctions; a pipe whose two ends merged carries nothing.
        std::vector<int> linkIndex(links_.size(), -1);
        size_t kept = 0;
        out_.linkPoints_.reserve(links_.size());
        for (size_t i = 0; i < links_.size(); ++i) {
            const Link& l = links_[i];
            const int from = junction[size_t(l.From)];
            const int to = junction[size_t(l.To)];
            if (from == to && !net.Links[i].Closed) {
                if (l.Device)
                    out_.Errors << QStringLiteral("выработка %1 - устройство %2 замкнуто обходом без сопротивления")
                                       .arg(l.Branch->Number())
                                       .arg(l.Device->Number());
                continue;
            }
            linkIndex[i] = static_cast<int>(kept);
            if (kept != i)
                net.Links[kept] = std::move(net.Links[i]);
            net.Links[kept].From = from;
            net.Links[kept].To = to;
            ++kept;
            out_.linkPoints_.push_back({l.From, l.To});
        }
        net.Links.resize(kept);

        for (TFireNetwork::TSectionPlace& s : out_.Sections) {
            const size_t k = size_t(&s - out_.Sections.data());
            s.Start = junction[size_t(sectionPoints_[k].first)];
            s.End = junction[size_t(sectionPoints_[k].second)];
            if (s.Link >= 0)
                s.Link = linkIndex[size_t(s.Link)];
        }
        for (size_t k = 0; k < out_.Devices.size(); ++k) {
            TFireNetwork::TDevicePlace& d = out_.Devices[k];
            d.Before = junction[size_t(devicePoints_[k].first)];
            d.After = junction[size_t(devicePoints_[k].second)];
            if (d.Link >= 0)
                d.Link = linkIndex[size_t(d.Link)];
        }
        for (int i = 0; i < mine_.Uzels.Count(); ++i)
            if (junction[size_t(i)] >= 0)
                out_.Uzels.push_back({mine_.Uzels.Items(i), junction[size_t(i)]});
        for (const auto& [tank, point] : tanks_)
            out_.Tanks.push_back({tank, junction[size_t(point)]});

        out_.points_.resize(count);
        for (size_t p = 0; p < count; ++p)
            out_.points_[p] = {junction[p], points_[p].Demand, points_[p].Fixed};
        out_.sectionPoints_ = sectionPoints_;
        merges_.erase(std::remove_if(merges_.begin(), merges_.end(),
                                     [&](const MergeEdge& m) { return junction[size_t(m.A)] < 0; }),
                      merges_.end());
        out_.merges_.reserve(merges_.size());
        for (const MergeEdge& m : merges_)
            out_.merges_.push_back({m.A, m.B, m.Section});

        if (options_.Names)
            Name(junction, bestPoint, linkIndex);
    }

    void Name(const std::vector<int>& junction, const std::vector<int>& bestPoint, const std::vector<int>& linkIndex)
    {
        Hydro::TNetwork& net = out_.Network;
        std::unordered_set<std::string> taken;
        auto unique = [&](QString name, const QString& fallback) {
            if (name.isEmpty())
                name = fallback;
            std::string s = name.toStdString();
            for (int k = 2; !taken.insert(s).second; ++k)
                s = (name + QStringLiteral("_%1").arg(k)).toStdString();
            return s;
        };
        // The other side of each device point, to tell a device kept whole from one it splits.
        net.JunctionNames.resize(net.Junctions.size());
        for (size_t j = 0; j < net.Junctions.size(); ++j) {
            const int p = bestPoint[j];
            const QString name = p >= 0 ? PointName(points_[size_t(p)], junction) : QString();
            net.JunctionNames[j] = unique(name, QStringLiteral("J%1").arg(j + 1));
        }
        taken.clear();
        net.LinkNames.resize(net.Links.size());
        for (size_t i = 0; i < links_.size(); ++i) {
            if (linkIndex[i] < 0)
                continue;
            const Link& l = links_[i];
            const QString name = l.Device ? QStringLiteral("D%1").arg(l.Device->Number())
                                          : QStringLiteral("S%1_%2").arg(l.Branch->Number()).arg(l.SectionIndex);
            net.LinkNames[size_t(linkIndex[i])] = unique(name, QStringLiteral("L%1").arg(linkIndex[i] + 1));
        }
    }

    const TMine& mine_;
    const TFireNetworkOptions& options_;
    TFireNetwork& out_;
    TSlotView view_;
    std::vector<Point> points_;
    std::vector<int> parent_;
    std::vector<Link> links_;
    std::vector<MergeEdge> merges_;
    std::vector<std::pair<int, int>> sectionPoints_;
    std::vector<std::pair<int, int>> devicePoints_;
    std::vector<std::pair<const TJetBreakTank*, int>> tanks_;
};

TFireNetwork TFireNetwork::Build(const TMine& mine, const TFireNetworkOptions& options)
{
    TFireNetwork out;
    TFireNetworkBuilder(mine, options, out).Run();
    return out;
}

std::vector<double> TFireNetwork::MergedSectionFlows(const std::vector<double>& linkFlows) const
{
    std::vector<double> result(Sections.size(), 0.0);
    const size_t count = points_.size();
    // What each point takes from the links and its demand: the surplus it passes on through
    // the merges.
    std::vector<double> surplus(count, 0.0);
    for (size_t i = 0; i < linkPoints_.size() && i < linkFlows.size(); ++i) {
        if (Network.Links[i].Closed)
            continue;
        surplus[size_t(linkPoints_[i].first)] -= linkFlows[i];
        surplus[size_t(linkPoints_[i].second)] += linkFlows[i];
    }
    for (size_t p = 0; p < count; ++p)
        surplus[p] -= points_[p].Demand;

    // A spanning forest of the merges, rooted at a source point where the junction has one.
    // The merges of each point, as one array indexed by point.
    std::vector<int> starts(count + 1, 0);
    for (const TMerge& m : merges_) {
        ++starts[size_t(m.A) + 1];
        ++starts[size_t(m.B) + 1];
    }
    for (size_t p = 0; p < count; ++p)
        starts[p + 1] += starts[p];
    std::vector<std::pair<int, int>> adjacency(static_cast<size_t>(starts[count]));  // (point, merge)
    {
        std::vector<int> fill(starts.begin(), starts.end() - 1);
        for (size_t m = 0; m < merges_.size(); ++m) {
            adjacency[size_t(fill[size_t(merges_[m].A)]++)] = {merges_[m].B, int(m)};
            adjacency[size_t(fill[size_t(merges_[m].B)]++)] = {merges_[m].A, int(m)};
        }
    }
    auto hasMerges = [&](size_t p) { return starts[p + 1] > starts[p]; };
    std::vector<char> seen(count, 0);
    std::vector<int> order;
    std::vector<std::pair<int, int>> up(count, {-1, -1});  // parent point, merge
    auto grow = [&](int root) {
        const size_t first = order.size();
        seen[size_t(root)] = 1;
        order.push_back(root);
        for (size_t k = first; k < order.size(); ++k)
            for (int e = starts[size_t(order[k])]; e < starts[size_t(order[k]) + 1]; ++e)
                if (const auto [q, m] = adjacency[size_t(e)]; !seen[size_t(q)]) {
                    seen[size_t(q)] = 1;
                    up[size_t(q)] = {order[k], m};
                    order.push_back(q);
                }
    };
    for (size_t p = 0; p < count; ++p)
        if (points_[p].Fixed && hasMerges(p) && !seen[p])
            grow(int(p));
    for (size_t p = 0; p < count; ++p)
        if (hasMerges(p) && !seen[p])
            grow(int(p));
    // Leaves first: each point hands its surplus to its parent over the merge between them.
    std::vector<double> mergeFlow(merges_.size(), 0.0);  // from A to B
    for (size_t k = order.size(); k-- > 0;) {
        const int p = order[k];
        const auto [parent, m] = up[size_t(p)];
        if (parent < 0)
            continue;
        const double toParent = surplus[size_t(p)];
        surplus[size_t(parent)] += toParent;
        mergeFlow[size_t(m)] = merges_[size_t(m)].A == p ? toParent : -toParent;
    }
    for (size_t m = 0; m < merges_.size(); ++m) {
        const int s = merges_[m].Section;
        if (s < 0)
            continue;
        // The merge runs from the section's start point to its end point.
        const bool along = sectionPoints_[size_t(s)].first == merges_[m].A;
        result[size_t(s)] = along ? mergeFlow[m] : -mergeFlow[m];
    }
    return result;
}
