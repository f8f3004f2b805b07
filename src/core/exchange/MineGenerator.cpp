#include "core/exchange/MineGenerator.h"

#include "core/model/Branch.h"
#include "core/model/Device.h"
#include "core/model/DeviceKinds.h"
#include "core/model/Layer.h"
#include "core/model/Mine.h"
#include "core/model/Pipe.h"
#include "core/model/TextBlock2D.h"
#include "core/model/Uzel.h"

#include <QUuid>
#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

// The mine is planned first as plain records (nodes, branches, pipes, devices) and only
// then built as model objects. Planning that way lets the last step see the whole
// pipeline: every pipe end that leads nowhere gets its hydrant, whatever part of a
// structure the branch budget cut off.

namespace {

// splitmix64: the same sequence on every platform and standard library, unlike the
// distributions of <random>.
class Random {
public:
    explicit Random(uint64_t seed) : state_(seed) {}
    uint64_t Next()
    {
        uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    double Uniform() { return static_cast<double>(Next() >> 11) * 0x1.0p-53; }
    double Uniform(double a, double b) { return a + (b - a) * Uniform(); }
    int Int(int a, int b) { return a + static_cast<int>(Next() % static_cast<uint64_t>(b - a + 1)); }
    bool Chance(double p) { return Uniform() < p; }

private:
    uint64_t state_;
};

double Round(double v, double step) { return std::round(v / step) * step; }
// Fractions as an engineer would type them.
double Frac(double v) { return std::clamp(Round(v, 1e-4), 0.0, 1.0); }

enum HydrantVariant { hvPlain = 0, hvCurtain, hvIrrigation, hvOrifice };
enum GateVariant { gvOpen = 0, gvClosed };
enum ReducerVariant { rvTowardEnd = 0, rvTowardStart };
enum PumpVariant { pvFire = 0, pvDrainage };

struct DevicePlan {
    int kind = 0;
    double pos = 0;
    int variant = 0;
};

struct WaterSpec {
    bool laid = false;
    bool projected = false;
    int diameter = 150;
    double start = 0;
    double end = 1;
    std::vector<DevicePlan> devices;
};

struct GasSpec {
    int pipeNo = 0;
    int diameter = 273;
    double mixtureFlow = 0;
    double methane = 0;
    std::vector<DevicePlan> devices;
};

struct BranchSpec {
    int from = 0;
    int to = 0;
    QString remark;
    int layer = -1;
    int plf = -1;
    double airQ = 0;
    std::array<WaterSpec, 3> water;
    std::vector<GasSpec> gas;
};

struct NodeSpec {
    double x = 0, y = 0, z = 0;
    bool surface = false;
    int degree = 0;
};

struct Point {
    double x, y, z;
};

const char* const kSeamNames[] = {"Пласт k5", "Пласт k8", "Пласт l3"};
const int kSeamColors[] = {0x0000A5FF, 0x00FF8000, 0x0000C000};
constexpr int kSeamCount = 3;
const int kPlfPalette[] = {0x0080FFFF, 0x00FFC080, 0x00C0FFC0, 0x00C0C0FF, 0x00FFC0FF, 0x00A0E0E0};
const char* const kChambers[] = {"Камера ЦПП", "Электровозное депо", "Склад ВМ", "Камера ожидания",
                                 "Камера РПП", "Ниша", "Камера насосной участкового водоотлива"};

// Fire-fighting source pumps and the main drainage pump: model, two operating points.
struct PumpType {
    const char* model;
    double q1, h1, q2, h2;
};
const PumpType kFirePumps[] = {
    {"ЦНС 60-198", 40, 210, 80, 180}, {"ЦНС 105-196", 70, 205, 140, 170}, {"ЦНС 180-170", 120, 185, 220, 150}};
const PumpType kDrainagePump = {"ЦНС 300-600", 200, 640, 360, 540};

class Planner {
public:
    Planner(int target, uint64_t seed) : target_(target), rnd_(seed)
    {
        branches.reserve(static_cast<size_t>(target));
        nodes.reserve(static_cast<size_t>(target) + 16);
    }

    void Run();

    std::vector<NodeSpec> nodes;
    std::vector<BranchSpec> branches;
    int plfCount = 0;
    int fieldCount = 1;
    std::vector<Point> fieldOrigins;
    Random& rnd() { return rnd_; }

private:
    struct Field {
        double ox = 0, oy = 0, surfaceZ = 0;
        int shaftPlf = -1;
        std::vector<int> horizonLevels;        // nominal levels, m
        std::vector<int> stations;             // cage shaft node at each horizon
        std::array<std::vector<std::vector<int>>, 2> main;  // [side][horizon] main drift nodes
        std::array<std::vector<int>, 2> upperLegs;          // [side] branch ending at main[side][0][i]
        std::array<int, 2> firstDegassed{-1, -1};           // main index of the first degassed junction
        std::array<int, 2> ventShaft{-1, -1};               // branch index
    };

    bool Full() const { return static_cast<int>(branches.size()) >= target_; }
    int Count() const { return static_cast<int>(branches.size()); }
    int AddNode(Point p, bool surface = false)
    {
        nodes.push_back({Round(p.x, 0.1), Round(p.y, 0.1), Round(p.z, 0.1), surface, 0});
        return static_cast<int>(nodes.size()) - 1;
    }
    Point At(int node) const { return {nodes[node].x, nodes[node].y, nodes[node].z}; }
    // A branch between two existing nodes; -1 when the budget is spent.
    int Connect(int from, int to, const QString& remark);
    // A branch from an existing node to a new one.
    int Extend(int from, Point p, const QString& remark)
    {
        if (Full())
            return -1;
        return Connect(from, AddNode(p), remark);
    }
    double Length(const BranchSpec& b) const;
    WaterSpec& Fire(int b) { return branches[static_cast<size_t>(b)].water[0]; }
    void LayFire(int b, int diameter, double hydrantSpacing);
    void Lay(int b, int slot, int diameter) { auto& w = branches[static_cast<size_t>(b)].water[static_cast<size_t>(slot)]; w.laid = true; w.diameter = diameter; }
    void AddDevice(WaterSpec& w, int kind, double pos, int variant = 0) { w.devices.push_back({kind, Frac(pos), variant}); }
    void SetRole(int b, int layer, int plf, double airLo, double airHi)
    {
        BranchSpec& s = branches[static_cast<size_t>(b)];
        s.layer = layer;
        s.plf = plf;
        s.airQ = Round(rnd_.Uniform(airLo, airHi), 0.1);
    }
    QString FieldPrefix(int f) const { return fieldCount > 1 ? QStringLiteral("Поле %1. ").arg(f + 1) : QString(); }
    QString Level(int level) const { return QStringLiteral("гор. %1 м").arg(level); }

    void BuildField(Field& fd, int f, int cumTarget);
    void BuildShafts(Field& fd, int f);
    void BuildHorizon(Field& fd, int f, int h, int cumTarget);
    void BuildPanel(Field& fd, int f, int h, int side, int mainIndex, int mA, int mB, double sign);
    void BuildChamber(Field& fd, int f, int h, int node);
    void BuildVentShafts(Field& fd, int f);
    void BuildIncline(Field& fd, int f, int h, int side);
    void BuildSump(Field& fd, int f);
    void BuildGasTrunks(Field& fd);
    void LinkFields(const Field& left, const Field& right);
    void TerminateDeadEnds();
    void TidyDevices();

    int target_;
    Random rnd_;
    int gasPipeNo_ = 0;
    std::vector<int> panelSeq_;
    std::vector<Field> fields_;
};

int Planner::Connect(int from, int to, const QString& remark)
{
    if (Full())
        return -1;
    BranchSpec b;
    b.from = from;
    b.to = to;
    b.remark = remark;
    branches.push_back(std::move(b));
    ++nodes[static_cast<size_t>(from)].degree;
    ++nodes[static_cast<size_t>(to)].degree;
    return Count() - 1;
}

double Planner::Length(const BranchSpec& b) const
{
    const NodeSpec& a = nodes[static_cast<size_t>(b.from)];
    const NodeSpec& c = nodes[static_cast<size_t>(b.to)];
    return std::sqrt((c.x - a.x) * (c.x - a.x) + (c.y - a.y) * (c.y - a.y) + (c.z - a.z) * (c.z - a.z));
}

// Lays the fire-fighting pipe with hydrants at the spacing along the working (none within
// the last stretch, where the next junction or the end hydrant serves).
void Planner::LayFire(int b, int diameter, double hydrantSpacing)
{
    WaterSpec& w = Fire(b);
    w.laid = true;
    w.diameter = diameter;
    if (hydrantSpacing <= 0)
        return;
    const double length = Length(branches[static_cast<size_t>(b)]);
    for (double at = hydrantSpacing; at < length - 0.4 * hydrantSpacing; at += hydrantSpacing)
        AddDevice(w, dkCrane, at / length, rnd_.Chance(0.08) ? hvOrifice : hvPlain);
}

void Planner::Run()
{
    // One field of shafts and horizons holds about 1500 workings; bigger mines get more
    // fields side by side, joined by drifts between neighbours.
    fieldCount = std::max(1, (target_ + 1499) / 1500);
    const int cols = static_cast<int>(std::ceil(std::sqrt(static_cast<double>(fieldCount))));
    fields_.resize(static_cast<size_t>(fieldCount));
    for (int f = 0; f < fieldCount; ++f) {
        Field& fd = fields_[static_cast<size_t>(f)];
        fd.ox = 12000 + (f % cols) * 11000.0;
        fd.oy = 8000 + (f / cols) * 4200.0;
        fieldOrigins.push_back({fd.ox, fd.oy, 0});
        const int cumTarget = f + 1 == fieldCount ? target_
                                                  : static_cast<int>(static_cast<int64_t>(target_) * (f + 1) / fieldCount);
        BuildField(fd, f, cumTarget);
        if (f % cols != 0)
            LinkFields(fields_[static_cast<size_t>(f - 1)], fd);
    }
    TerminateDeadEnds();
    TidyDevices();
}

void Planner::BuildField(Field& fd, int f, int cumTarget)
{
    const int budget = cumTarget - Count();
    const int horizons = budget < 150 ? 1 : budget < 700 ? 2 : 3;
    fd.surfaceZ = Round(rnd_.Uniform(130, 190), 0.1);
    int level = -(350 + 10 * rnd_.Int(0, 10));
    for (int h = 0; h < horizons; ++h) {
        fd.horizonLevels.push_back(level);
        level -= 10 * rnd_.Int(12, 15);
    }
    fd.shaftPlf = plfCount++;
    BuildShafts(fd, f);

    // The upper horizon gets the larger share; the lowest keeps one branch for the sump.
    static const double kShares[3][3] = {{1, 0, 0}, {0.6, 0.4, 0}, {0.45, 0.3, 0.25}};
    const int start = Count();
    const int rest = std::max(cumTarget - start, 0);
    double share = 0;
    for (int h = 0; h < horizons; ++h) {
        share += kShares[horizons - 1][h];
        int hTarget = h + 1 == horizons ? cumTarget : start + static_cast<int>(rest * share);
        if (h == 0 && horizons == 1 && rest > 40)
            hTarget -= 2;  // room for the ventilation shafts
        if (h == 0 && horizons > 1 && rest > 40)
            hTarget -= 2;
        if (h + 1 == horizons && rest > 20)
            hTarget -= 1 + (h > 0 ? 2 : 0);  // sump and inclines
        BuildHorizon(fd, f, h, std::max(hTarget, Count()));
        if (h == 0)
            BuildVentShafts(fd, f);
        if (h > 0) {
            BuildIncline(fd, f, h, 0);
            BuildIncline(fd, f, h, 1);
        }
    }
    BuildSump(fd, f);
    BuildGasTrunks(fd);
    // A field cut short still fills its share of the budget on its last horizon.
    if (Count() < cumTarget && !fd.stations.empty())
        BuildHorizon(fd, f, static_cast<int>(fd.stations.size()) - 1, cumTarget);
}

void Planner::BuildShafts(Field& fd, int f)
{
    const QString prefix = FieldPrefix(f);
    const int collar = Full() ? -1 : AddNode({fd.ox, fd.oy, fd.surfaceZ}, true);
    int prev = collar;
    int prevLevel = static_cast<int>(std::lround(fd.surfaceZ));
    for (size_t h = 0; h < fd.horizonLevels.size() && prev >= 0; ++h) {
        const int level = fd.horizonLevels[h];
        const int b = Extend(prev, {fd.ox, fd.oy, static_cast<double>(level)},
                             prefix + QStringLiteral("Клетевой ствол, отм. %1 ... %2 м").arg(prevLevel).arg(level));
        if (b < 0)
            break;
        SetRole(b, -1, fd.shaftPlf, 90, 150);
        LayFire(b, 150, 0);
        Lay(b, 1, 250);
        WaterSpec& w = Fire(b);
        if (h == 0) {
            // Water from the surface pumps; a jet-break tank takes the head off half-way
            // down and a reducer keeps the horizon below the pipes' rating.
            AddDevice(w, dkPump, 0, pvFire);
            AddDevice(w, dkJetBreakTank, 0.5);
            AddDevice(w, dkReducer, 0.95, rvTowardEnd);
        } else {
            AddDevice(w, dkReducer, 0.9, rvTowardEnd);
        }
        prev = branches[static_cast<size_t>(b)].to;
        prevLevel = level;
        fd.stations.push_back(prev);
    }
    for (auto& side : fd.main)
        side.resize(fd.horizonLevels.size());

    // The skip shaft carries the compressed-air pipe down to its loading pocket.
    if (fd.stations.empty() || Count() + 2 > target_ || target_ < 12)
        return;
    const int skipCollar = AddNode({fd.ox + 30, fd.oy + 60, fd.surfaceZ + 1}, true);
    const int pocket = AddNode({fd.ox + 30, fd.oy + 60, fd.horizonLevels[0] - 20.0});
    int b = Connect(skipCollar, pocket, prefix + QStringLiteral("Скиповой ствол"));
    SetRole(b, -1, fd.shaftPlf, 40, 80);
    Lay(b, 2, 200);
    b = Connect(pocket, fd.stations[0], prefix + QStringLiteral("Ходок к загрузочному устройству скипового ствола"));
    SetRole(b, -1, fd.shaftPlf, 2, 5);
    LayFire(b, 100, 0);
    Lay(b, 2, 150);
}

void Planner::BuildHorizon(Field& fd, int f, int h, int cumTarget)
{
    if (static_cast<size_t>(h) >= fd.stations.size())
        return;
    const QString prefix = FieldPrefix(f);
    const int level = fd.horizonLevels[static_cast<size_t>(h)];
    const bool lowest = static_cast<size_t>(h) + 1 == fd.horizonLevels.size();
    static const char* const kWing[2] = {"восточное крыло", "западное крыло"};
    int side = Count() % 2;
    while (Count() < cumTarget) {
        side ^= 1;
        std::vector<int>& main = fd.main[static_cast<size_t>(side)][static_cast<size_t>(h)];
        if (main.empty())
            main.push_back(fd.stations[static_cast<size_t>(h)]);
        const int tip = main.back();
        const double dir = side == 0 ? 1 : -1;
        const double seg = rnd_.Uniform(160, 240);
        // Drifts rise away from the shaft so that water runs back to the sump.
        const Point p{nodes[tip].x + dir * seg, fd.oy + rnd_.Uniform(-8, 8), nodes[tip].z + seg * 0.003};
        const int b = Extend(tip, p,
                             prefix + QStringLiteral("Главный откаточный штрек %1, %2").arg(Level(level), kWing[side]));
        if (b < 0)
            break;
        const int index = static_cast<int>(main.size());
        SetRole(b, -1, fd.shaftPlf, 25, 45);
        LayFire(b, index <= 2 ? 200 : 150, 150);
        Lay(b, 2, 150);
        if (lowest)
            Lay(b, 1, 200);
        if (index % 4 == 1)
            AddDevice(Fire(b), dkGate, 0.03);
        const int node = branches[static_cast<size_t>(b)].to;
        main.push_back(node);
        if (h == 0) {
            std::vector<int>& legs = fd.upperLegs[static_cast<size_t>(side)];
            legs.resize(main.size() - 1, -1);
            legs.push_back(b);
        }
        if (index >= 2 && rnd_.Chance(0.75) && cumTarget - Count() >= 6)
            BuildPanel(fd, f, h, side, index, tip, node, index % 2 == 1 ? 1.0 : -1.0);
        else if (rnd_.Chance(0.3))
            BuildChamber(fd, f, h, node);
    }
}

void Planner::BuildPanel(Field& fd, int f, int h, int side, int mainIndex, int mA, int mB, double sign)
{
    if (panelSeq_.size() < static_cast<size_t>(fieldCount * 6))
        panelSeq_.resize(static_cast<size_t>(fieldCount * 6), 0);
    const int seq = ++panelSeq_[static_cast<size_t>(f * 6 + h * 2 + side)];
    const QString prefix = FieldPrefix(f);
    const QString name = QStringLiteral("%1%2-%3").arg(h + 1).arg(side + 1).arg(seq);
    const int plf = plfCount++;
    const int layer = std::min(h, kSeamCount - 1);
    const int k = rnd_.Int(2, 5);
    const double segLen = rnd_.Uniform(150, 220);
    // Up-dip panels on one side of the main drift, down-dip on the other.
    const double slope = sign > 0 ? rnd_.Uniform(0.02, 0.09) : -rnd_.Uniform(0.02, 0.12);
    const bool reduce = slope < 0 && -slope * k * segLen > 60;

    // Conveyor drift from the main drift out to the face.
    const Point a0 = At(mA);
    int prev = mA;
    int last = -1;
    for (int i = 1; i <= k; ++i) {
        const Point p{a0.x + rnd_.Uniform(-5, 5), a0.y + sign * i * segLen, a0.z + slope * i * segLen};
        const int b = Extend(prev, p, prefix + QStringLiteral("Конвейерный штрек %1").arg(name));
        if (b < 0)
            return;
        SetRole(b, layer, plf, 10, 20);
        LayFire(b, 100, 50);
        Lay(b, 2, 100);
        if (i == 1) {
            AddDevice(Fire(b), dkGate, 0.04);
            if (reduce)
                AddDevice(Fire(b), dkReducer, 0.12, rvTowardEnd);
        }
        if (i == k)
            AddDevice(Fire(b), dkCrane, 0.87, hvCurtain);
        prev = branches[static_cast<size_t>(b)].to;
        last = b;
    }
    const int ak = branches[static_cast<size_t>(last)].to;

    // The longwall face along the strike, with the shearer's water supply.
    const Point b0 = At(mB);
    const Point akp = At(ak);
    const Point bk{b0.x + rnd_.Uniform(-5, 5), akp.y + rnd_.Uniform(-10, 10), akp.z + rnd_.Uniform(-45, 45)};
    const int face = Extend(ak, bk, prefix + QStringLiteral("Лава %1").arg(name));
    if (face < 0)
        return;
    SetRole(face, layer, plf, 8, 15);
    LayFire(face, 80, 0);
    AddDevice(Fire(face), dkCrane, 0.5, hvIrrigation);
    const int bkNode = branches[static_cast<size_t>(face)].to;

    // Ventilation drift from the main drift to the top of the face.
    const bool degas = h == 0 && rnd_.Chance(0.35);
    const int pipeNo = degas ? ++gasPipeNo_ : 0;
    const double mixture = Round(rnd_.Uniform(15, 40), 0.5);
    const double methane = Round(rnd_.Uniform(25, 55), 0.5);
    const Point bkp = At(bkNode);
    prev = mB;
    for (int i = 1; i <= k; ++i) {
        const double t = static_cast<double>(i) / k;
        const int b = i < k ? Extend(prev,
                                     {b0.x + rnd_.Uniform(-5, 5), b0.y + (bkp.y - b0.y) * t, b0.z + (bkp.z - b0.z) * t},
                                     prefix + QStringLiteral("Вентиляционный штрек %1").arg(name))
                            : Connect(prev, bkNode, prefix + QStringLiteral("Вентиляционный штрек %1").arg(name));
        if (b < 0)
            return;
        SetRole(b, layer, plf, 10, 20);
        LayFire(b, 100, 100);
        if (i == 1) {
            AddDevice(Fire(b), dkGate, 0.04, rnd_.Chance(0.1) ? gvClosed : gvOpen);
            if (reduce)
                AddDevice(Fire(b), dkReducer, 0.12, rvTowardEnd);
        }
        if (degas) {
            GasSpec g;
            g.pipeNo = pipeNo;
            g.diameter = 273;
            g.mixtureFlow = mixture;
            g.methane = methane;
            if (i == 1)
                g.devices.push_back({dkConnection, 0, 0});
            else
                g.devices.push_back({dkSlit, 0.5, 0});
            branches[static_cast<size_t>(b)].gas.push_back(std::move(g));
        }
        prev = branches[static_cast<size_t>(b)].to;
    }
    if (degas) {
        int& first = fd.firstDegassed[static_cast<size_t>(side)];
        if (first < 0 || mainIndex < first)
            first = mainIndex;
    }

    // A development heading driven ahead of the face; its pipe stops short of the face, or
    // is only planned.
    if (rnd_.Chance(0.35) && nodes[static_cast<size_t>(ak)].degree < 5) {
        const Point p{akp.x + rnd_.Uniform(-5, 5), akp.y + sign * rnd_.Uniform(150, 300), akp.z + slope * 200};
        const int b = Extend(ak, p, prefix + QStringLiteral("Конвейерный штрек %1 (проходка)").arg(name));
        if (b < 0)
            return;
        SetRole(b, layer, plf, 4, 8);
        if (rnd_.Chance(0.2)) {
            WaterSpec& w = Fire(b);
            w.laid = true;
            w.projected = true;
            w.diameter = 100;
        } else {
            LayFire(b, 100, 50);
            Fire(b).end = Frac(rnd_.Uniform(0.86, 0.95));
            std::erase_if(Fire(b).devices, [&](const DevicePlan& d) { return d.pos >= Fire(b).end; });
        }
        Lay(b, 2, 100);
    }
}

void Planner::BuildChamber(Field& fd, int f, int h, int node)
{
    if (nodes[static_cast<size_t>(node)].degree > 4)
        return;
    const Point p = At(node);
    const double dy = (rnd_.Chance(0.5) ? 1 : -1) * rnd_.Uniform(40, 90);
    const char* name = kChambers[rnd_.Int(0, static_cast<int>(std::size(kChambers)) - 1)];
    const int b = Extend(node, {p.x + rnd_.Uniform(-30, 30), p.y + dy, p.z + 0.5},
                         FieldPrefix(f) + QString::fromUtf8(name) + QStringLiteral(" %1").arg(Level(fd.horizonLevels[static_cast<size_t>(h)])));
    if (b < 0)
        return;
    SetRole(b, -1, fd.shaftPlf, 1, 3);
    LayFire(b, 100, 0);
}

void Planner::BuildVentShafts(Field& fd, int f)
{
    for (int side = 0; side < 2; ++side) {
        const std::vector<int>& main = fd.main[static_cast<size_t>(side)][0];
        if (main.size() < 3 || Count() >= target_)
            continue;
        const int bottom = main.back();
        const Point p = At(bottom);
        const int collar = AddNode({p.x, p.y, fd.surfaceZ + rnd_.Uniform(-10, 20)}, true);
        const int b = Connect(collar, bottom,
                              FieldPrefix(f) + QStringLiteral("Вентиляционный ствол №%1").arg(side + 1));
        SetRole(b, -1, fd.shaftPlf, 120, 200);
        LayFire(b, 150, 0);
        // A fire engine can feed the pipeline from the surface; the valve at the foot of
        // the shaft stays closed in normal operation.
        WaterSpec& w = Fire(b);
        AddDevice(w, dkFireMachine, 0);
        AddDevice(w, dkJetBreakTank, 0.5);
        AddDevice(w, dkReducer, 0.9, rvTowardEnd);
        AddDevice(w, dkGate, 0.97, gvClosed);
        fd.ventShaft[static_cast<size_t>(side)] = b;
    }
}

void Planner::BuildIncline(Field& fd, int f, int h, int side)
{
    const std::vector<int>& upper = fd.main[static_cast<size_t>(side)][static_cast<size_t>(h - 1)];
    const std::vector<int>& lower = fd.main[static_cast<size_t>(side)][static_cast<size_t>(h)];
    if (upper.size() < 3 || lower.size() < 3 || Full())
        return;
    const int top = upper[2];
    if (nodes[static_cast<size_t>(top)].degree > 5)
        return;
    // The lower end lies some 300-500 m further out along the strike.
    int bottom = -1;
    double best = 1e300;
    for (size_t i = 1; i < lower.size(); ++i) {
        const int n = lower[i];
        const double dx = std::fabs(nodes[n].x - nodes[top].x);
        const double score = std::fabs(dx - 400);
        if (nodes[static_cast<size_t>(n)].degree <= 5 && score < best) {
            best = score;
            bottom = n;
        }
    }
    if (bottom < 0)
        return;
    const int b = Connect(top, bottom,
                          FieldPrefix(f) + QStringLiteral("Уклон %1 ... %2 м")
                                               .arg(fd.horizonLevels[static_cast<size_t>(h - 1)])
                                               .arg(fd.horizonLevels[static_cast<size_t>(h)]));
    if (b < 0)
        return;
    SetRole(b, -1, fd.shaftPlf, 15, 30);
    LayFire(b, 150, 100);
    Lay(b, 1, 200);
    Lay(b, 2, 150);
    AddDevice(Fire(b), dkGate, 0.03);
    AddDevice(Fire(b), dkReducer, 0.93, rvTowardEnd);
}

void Planner::BuildSump(Field& fd, int f)
{
    if (fd.stations.empty() || Full())
        return;
    const int station = fd.stations.back();
    if (nodes[static_cast<size_t>(station)].degree > 5)
        return;
    const Point p = At(station);
    const int sump = AddNode({p.x + 40, p.y - 60, p.z - 2});
    const int b = Connect(sump, station, FieldPrefix(f) + QStringLiteral("Водосборник главного водоотлива"));
    SetRole(b, -1, fd.shaftPlf, 1, 3);
    Lay(b, 1, 250);
    AddDevice(branches[static_cast<size_t>(b)].water[1], dkPump, 0, pvDrainage);
}

// Degasification trunks run along the upper horizon from the first degassed panel to the
// ventilation shaft of that wing and up to the vacuum pumps on the surface.
void Planner::BuildGasTrunks(Field& fd)
{
    for (int side = 0; side < 2; ++side) {
        const int first = fd.firstDegassed[static_cast<size_t>(side)];
        const int shaft = fd.ventShaft[static_cast<size_t>(side)];
        if (first < 0 || shaft < 0)
            continue;
        const int pipeNo = ++gasPipeNo_;
        const double mixture = Round(rnd_.Uniform(60, 120), 1);
        const double methane = Round(rnd_.Uniform(30, 45), 0.5);
        const std::vector<int>& legs = fd.upperLegs[static_cast<size_t>(side)];
        auto addTrunk = [&](int b, std::vector<DevicePlan> devices) {
            GasSpec g;
            g.pipeNo = pipeNo;
            g.diameter = 426;
            g.mixtureFlow = mixture;
            g.methane = methane;
            g.devices = std::move(devices);
            branches[static_cast<size_t>(b)].gas.push_back(std::move(g));
        };
        // Main drift legs from the junction node outward.
        for (size_t i = static_cast<size_t>(first) + 1; i < legs.size(); ++i)
            if (legs[i] >= 0)
                addTrunk(legs[i], {});
        addTrunk(shaft, {{dkVacuumPump, 0, 0}, {dkNumberDev, 1, 0}});
    }
}

void Planner::LinkFields(const Field& left, const Field& right)
{
    if (left.main[0].empty() || right.main[1].empty() || left.main[0][0].size() < 2 || right.main[1][0].size() < 2)
        return;
    const int a = left.main[0][0].back();
    const int b = right.main[1][0].back();
    if (nodes[static_cast<size_t>(a)].degree > 5 || nodes[static_cast<size_t>(b)].degree > 5)
        return;
    const int link = Connect(a, b, QStringLiteral("Межшахтная сбойка"));
    if (link < 0)
        return;
    SetRole(link, -1, right.shaftPlf, 5, 15);
    LayFire(link, 150, 0);
    // Each field has its own sources; the connection is kept shut.
    AddDevice(Fire(link), dkGate, 0.5, gvClosed);
}

// Every laid fire-fighting pipe end that no other pipe continues gets a hydrant, unless a
// source or a closed valve already closes it.
void Planner::TerminateDeadEnds()
{
    std::vector<int> touching(nodes.size(), 0);
    auto active = [](const WaterSpec& w) { return w.laid && !w.projected; };
    for (const BranchSpec& b : branches) {
        const WaterSpec& w = b.water[0];
        if (!active(w))
            continue;
        if (w.start == 0)
            ++touching[static_cast<size_t>(b.from)];
        if (w.end == 1)
            ++touching[static_cast<size_t>(b.to)];
    }
    auto closes = [](const DevicePlan& d) {
        return d.kind == dkPump || d.kind == dkCrane || d.kind == dkJetBreakTank || d.kind == dkFireMachine ||
               (d.kind == dkGate && d.variant == gvClosed);
    };
    for (BranchSpec& b : branches) {
        WaterSpec& w = b.water[0];
        if (!active(w))
            continue;
        const bool deadStart = w.start > 0 || touching[static_cast<size_t>(b.from)] <= 1;
        const bool deadEnd = w.end < 1 || touching[static_cast<size_t>(b.to)] <= 1;
        for (const auto& end : {std::pair{deadStart, w.start}, std::pair{deadEnd, w.end}}) {
            if (!end.first)
                continue;
            const double at = end.second;
            const bool closed = std::any_of(w.devices.begin(), w.devices.end(),
                                            [&](const DevicePlan& d) { return d.pos == at && closes(d); });
            if (!closed)
                w.devices.push_back({dkCrane, at, hvPlain});
        }
    }
}

// Devices in position order, never two at one place.
void Planner::TidyDevices()
{
    auto tidy = [](std::vector<DevicePlan>& devices) {
        std::stable_sort(devices.begin(), devices.end(),
                         [](const DevicePlan& a, const DevicePlan& b) { return a.pos < b.pos; });
        for (size_t i = 1; i < devices.size(); ++i)
            if (devices[i].pos <= devices[i - 1].pos)
                devices[i].pos = Frac(devices[i - 1].pos + 0.005);
    };
    for (BranchSpec& b : branches) {
        for (WaterSpec& w : b.water)
            tidy(w.devices);
        for (GasSpec& g : b.gas)
            tidy(g.devices);
    }
}

// Builds the model from the plan.
class Builder {
public:
    Builder(Planner& plan, TMine& mine) : plan_(plan), mine_(mine), rnd_(plan.rnd()) {}
    void Build();

private:
    void FillDevice(TDevice* d, const DevicePlan& plan);
    TReducerCharacter Characteristic();

    Planner& plan_;
    TMine& mine_;
    Random& rnd_;
    int nextDevice_ = 1;
};

void Builder::Build()
{
    for (int i = 0; i < kSeamCount; ++i) {
        TLayer* layer = TLayer::Create(&mine_);
        layer->SetName(QString::fromUtf8(kSeamNames[i]));
        layer->SetColor(kSeamColors[i]);
    }
    for (int i = 0; i < plan_.plfCount; ++i) {
        TPLFPosition* p = TPLFPosition::Create(&mine_);
        p->SetName(QString::number(i + 1));
        p->SetPositionNo(i + 1);
        p->SetColor(kPlfPalette[static_cast<size_t>(i) % std::size(kPlfPalette)]);
    }

    // Device numbers start at the next power of ten above the node numbers, so the two
    // never meet.
    const int nodeCount = static_cast<int>(plan_.nodes.size());
    int base = 10;
    while (base <= nodeCount)
        base *= 10;
    nextDevice_ = base + 1;

    mine_.Uzels.Reserve(nodeCount);
    double sx = 0, sy = 0, sz = 0;
    for (int i = 0; i < nodeCount; ++i) {
        const NodeSpec& n = plan_.nodes[static_cast<size_t>(i)];
        TUzel* u = TUzel::Create(&mine_, i + 1);
        u->SetX(n.x);
        u->SetY(n.y);
        u->SetZ(n.z);
        if (n.surface) {
            u->SetSurface(true);
            // A vertical shaft would be a point on the schema: its collar is drawn aside.
            u->SetPlacedByHand(true);
            u->SetSY(static_cast<float>(std::nearbyint(n.y - 250)));
        }
        sx += n.x;
        sy += n.y;
        sz += n.z;
    }
    if (nodeCount > 0) {
        mine_.SetCenter(1, static_cast<int>(std::lround(sx / nodeCount)));
        mine_.SetCenter(2, static_cast<int>(std::lround(sy / nodeCount)));
        mine_.SetCenter(3, static_cast<int>(std::lround(sz / nodeCount)));
    }

    mine_.Branches.Reserve(static_cast<int>(plan_.branches.size()));
    int number = 0;
    for (const BranchSpec& s : plan_.branches) {
        TBranch* b = TBranch::Create(&mine_, ++number, s.from + 1, s.to + 1);
        b->SetRemark(s.remark);
        b->SetLayerIndex(s.layer);
        b->SetPLFIndex(s.plf);
        b->SetAirQ(s.airQ);
        for (int slot = 0; slot < 3; ++slot) {
            const WaterSpec& w = s.water[static_cast<size_t>(slot)];
            TWaterPipe* pipe = b->WaterPipe(slot);
            if (!w.laid && w.devices.empty())
                continue;
            pipe->SetDiameter(w.diameter);
            pipe->SetPresent(w.laid);
            pipe->SetProjected(w.projected);
            pipe->SetFractions(w.start, w.end);
            for (const DevicePlan& d : w.devices)
                FillDevice(TDevice::CreateDevice(b, pipe, d.kind), d);
        }
        for (const GasSpec& g : s.gas) {
            TGasPipe* pipe = TGasPipe::Create(b);
            pipe->SetPipeNo(g.pipeNo);
            pipe->SetDiameter(g.diameter);
            pipe->SetMixtureFlow(g.mixtureFlow);
            pipe->SetMethaneConcentration(g.methane);
            for (const DevicePlan& d : g.devices)
                FillDevice(TDevice::CreateDevice(b, pipe, d.kind), d);
        }
    }

    for (size_t f = 0; f < plan_.fieldOrigins.size(); ++f) {
        const Point& o = plan_.fieldOrigins[f];
        const QString title = plan_.fieldCount > 1 ? QStringLiteral("Шахтное поле №%1").arg(f + 1)
                                                   : QStringLiteral("Шахтное поле");
        TTextBlock2D* t = TTextBlock2D::Create(&mine_.TextBlocks, static_cast<int>(o.x) + 60,
                                               static_cast<int>(o.y) - 1500,
                                               title + QStringLiteral("\r\nСхема пожарно-оросительного трубопровода"));
        TBlockFont font = t->Font();
        font.Size = 12;
        font.Style = 1;
        t->SetFont(font);
    }
}

TReducerCharacter Builder::Characteristic()
{
    TReducerCharacter c;
    const int kind = rnd_.Int(0, 1);
    c.Name = kind == 0 ? QStringLiteral("ГР-300/120") : QStringLiteral("ГР-200/100");
    c.Resize(2, 2);
    // Pressures in kgf/cm2.
    const double top = kind == 0 ? 30 : 20;
    c.SetInlet(0, top / 2);
    c.SetInlet(1, top);
    c.SetLocking(0, kind == 0 ? 8 : 6);
    c.SetLocking(1, kind == 0 ? 13 : 11);
    c.SetFlow(0, 20);
    c.SetFlow(1, 80);
    c.SetOutlet(0, 0, kind == 0 ? 7.5 : 5.5);
    c.SetOutlet(0, 1, kind == 0 ? 6.0 : 4.5);
    c.SetOutlet(1, 0, kind == 0 ? 12.5 : 10.5);
    c.SetOutlet(1, 1, kind == 0 ? 10.5 : 9.0);
    return c;
}

void Builder::FillDevice(TDevice* d, const DevicePlan& plan)
{
    d->SetPosition(plan.pos);
    d->SetNumber(nextDevice_++);
    switch (d->GetKind()) {
    case dkPump: {
        auto* p = static_cast<TPump*>(d);
        const PumpType& t = plan.variant == pvDrainage ? kDrainagePump : kFirePumps[rnd_.Int(0, 2)];
        // H = A - B q^2 through both points, q in m3/s.
        const double q1 = t.q1 / 3600, q2 = t.q2 / 3600;
        const double b = (t.h1 - t.h2) / (q2 * q2 - q1 * q1);
        p->SetModel(QString::fromUtf8(t.model));
        p->SetValue(1, t.q1);
        p->SetValue(2, t.h1);
        p->SetValue(3, t.q2);
        p->SetValue(4, t.h2);
        p->SetValue(5, t.h1 + b * q1 * q1);
        p->SetValue(6, b);
        break;
    }
    case dkReducer: {
        auto* r = static_cast<TReducer*>(d);
        const TReducerCharacter c = Characteristic();
        r->SetCharacteristic(c);
        r->SetHasCharacteristic(true);
        r->SetModel(c.Name);
        r->SetLockingPressure(c.Locking(0) + 0.5 * rnd_.Int(0, 6));
        r->SetDirection(plan.variant == rvTowardStart ? 1 : 0);
        break;
    }
    case dkGate: {
        auto* g = static_cast<TGate*>(d);
        g->SetClosed(plan.variant == gvClosed);
        g->SetModel(QStringLiteral("Ду%1").arg(d->Pipe()->Diameter()));
        break;
    }
    case dkCrane: {
        auto* c = static_cast<TCrane*>(d);
        switch (plan.variant) {
        case hvCurtain:
            c->SetConsumption(true);
            c->SetConsumerType(1);
            c->SetFlow(Round(rnd_.Uniform(5, 8), 0.5));
            break;
        case hvIrrigation:
            c->SetConsumption(true);
            c->SetConsumerType(3);
            c->SetFlow(Round(rnd_.Uniform(10, 20), 0.5));
            break;
        case hvOrifice: {
            const int washer = rnd_.Int(1, 9);
            c->SetOrifice(true);
            c->SetWasherIndex(washer);
            c->SetOrificeDiameter(TCrane::WasherSize(washer));
            break;
        }
        default:
            break;
        }
        break;
    }
    case dkJetBreakTank: {
        auto* t = static_cast<TJetBreakTank*>(d);
        t->SetVolume(Round(rnd_.Uniform(10, 30), 1));
        t->SetMakeUpFlow(Round(rnd_.Uniform(40, 80), 5));
        break;
    }
    case dkFireMachine: {
        auto* m = static_cast<TFireMachine*>(d);
        m->SetModel(QStringLiteral("АЦ-40"));
        m->SetAddPressure(Round(rnd_.Uniform(80, 100), 5));
        m->SetVolume(Round(rnd_.Uniform(2.5, 6), 0.5));
        break;
    }
    case dkVacuumPump: {
        auto* v = static_cast<TVacuumPump*>(d);
        v->SetModel(QStringLiteral("ВВН-50"));
        v->SetP1(static_cast<int16_t>(10 * rnd_.Int(10, 20)));
        v->SetQ1(static_cast<int16_t>(100 * rnd_.Int(20, 40)));
        v->SetP2(static_cast<int16_t>(10 * rnd_.Int(35, 45)));
        v->SetQ2(static_cast<int16_t>(100 * rnd_.Int(10, 20)));
        break;
    }
    case dkSlit: {
        auto* s = static_cast<TSlit*>(d);
        const int wells = rnd_.Int(3, 7);
        for (int i = 0; i < wells; ++i) {
            TSlitParams* w = s->AddWell();
            w->SetValue(TSlitParams::fLength, static_cast<int16_t>(rnd_.Int(60, 150)));
            w->SetValue(TSlitParams::fDiameter, static_cast<int16_t>(rnd_.Chance(0.7) ? 76 : 93));
            w->SetValue(TSlitParams::fFlow, static_cast<int16_t>(rnd_.Int(1, 6)));
            w->SetValue(TSlitParams::fCH4, static_cast<int16_t>(rnd_.Int(20, 70)));
            w->SetValue(TSlitParams::fVacuum, static_cast<int16_t>(rnd_.Int(80, 250)));
        }
        break;
    }
    case dkConnection: {
        auto* c = static_cast<TConnection*>(d);
        c->SetMixtureFlow(Round(rnd_.Uniform(8, 15), 0.5));
        c->SetMethaneConcentration(Round(rnd_.Uniform(35, 55), 0.5));
        c->SetTemperature(14.0);
        break;
    }
    default:
        break;
    }
}

QUuid GuidFor(uint64_t seed)
{
    // A fixed namespace: the same seed always names the same network.
    static const QUuid kNamespace(QStringLiteral("{6b1f3c2e-8d4a-4e7b-9c1d-2f5a7e9b0c13}"));
    return QUuid::createUuidV5(kNamespace, QByteArray("irvata-generate:") + QByteArray::number(seed));
}

}  // namespace

namespace MineGenerator {

std::unique_ptr<TMine> Generate(int branchCount, uint64_t seed)
{
    branchCount = std::max(branchCount, 1);
    Planner plan(branchCount, seed);
    plan.Run();

    auto mine = std::make_unique<TMine>(QStringLiteral("Шахта «Синтетическая-%1»").arg(seed));
    mine->SetGuid(GuidFor(seed));
    mine->DiamColors.Seed(static_cast<unsigned>(seed ^ (seed >> 32)));
    mine->SetRemark(QStringLiteral("Синтетическая сеть: %1 выработок, зерно %2").arg(branchCount).arg(seed));
    Builder(plan, *mine).Build();
    // Nodes were placed before their branches existed: put the automatic labels beside them.
    for (TBranch* b : mine->Branches)
        b->EndMovedOnSchema();
    mine->SetModified(false, false);
    return mine;
}

}  // namespace MineGenerator
