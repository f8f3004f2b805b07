// The solve runs on a reduced network: dead ends that draw nothing are pruned (no flow, the
// head of where they hang), and chains of pipes through junctions that draw nothing become
// single edges whose losses add up; their inner heads are recovered from the losses at the
// end. The reduced system is solved by the global gradient method: each iteration linearises
// every edge at its flow, solves the junctions' balances for the heads, and corrects the
// flows from them; check valves and pressure-reducing valves change status between
// iterations by the usual rules.

#include "core/hydraulics/HydroSolver.h"

#include "core/hydraulics/PipeResistance.h"

#include <QStringList>

#include <Eigen/OrderingMethods>
#include <Eigen/SparseCholesky>
#include <Eigen/SparseCore>

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>

namespace Hydro {

namespace {

// The least head-loss gradient a link is linearised with, s/m2. A valve standing open and a
// boost lose no head of their own, and a pipe whose flow has all but stopped has next to no
// gradient: left alone they make the system singular, or so ill-conditioned that the heads
// of a still network lose their last digits and the flows found from them never settle.
// Only the Newton step uses it; the losses stay true, so the solution does not depend on it.
constexpr double kMinGradient = 1e-2;
// A shut link ties its ends this weakly (m2/s), so that a part reached only through shut
// links stays determinate: such a part follows the heads beyond them, and one that draws
// water sinks far below them at once, which is what opens a shut valve or pump again. (Tied
// each to its own head of the previous iteration, such a part sank only slowly from wherever
// the first iterations had thrown it, and could hold its valves shut for good.) An active
// valve's inlet is tied as weakly to its own head of the previous iteration. Between parts
// that sources feed, the ties carry no flow once the heads settle.
constexpr double kHeadTie = 1e-8;
// Tolerances of the status rules: head, m, and flow, m3/s.
constexpr double kHtol = 1.5e-4;
constexpr double kQtol = 2.8e-6;
// The pumps' check valves are tried every second iteration during the first ten, then only
// once the solution has settled (a shut one is still tried for opening every second).
constexpr int kCheckFreq = 2;
constexpr int kMaxCheck = 10;
// The flow tolerance is relative to the total demand, but never to less than this, m3/s.
constexpr double kDemandFloor = 1e-3;
// A link that changed its status within this many last iterations is still switching.
constexpr int kSwitchWindow = 10;
// Starting flows: 0.3 m/s in the pipe, or in a 100 mm one when the pipe has no diameter.
constexpr double kStartVelocity = 0.3;
constexpr double kStartFlow = kStartVelocity * std::numbers::pi * 0.1 * 0.1 / 4;

const double kNaN = std::numeric_limits<double>::quiet_NaN();

using TMatrix = Eigen::SparseMatrix<double, Eigen::ColMajor, int>;
using TFactor = Eigen::SimplicialLDLT<TMatrix, Eigen::Upper, Eigen::NaturalOrdering<int>>;

QString JunctionName(const TNetwork& net, int j)
{
    if (j < int(net.JunctionNames.size()) && !net.JunctionNames[j].empty())
        return QString::fromStdString(net.JunctionNames[j]);
    return QString::number(j + 1);
}

QString LinkName(const TNetwork& net, int k)
{
    if (k < int(net.LinkNames.size()) && !net.LinkNames[k].empty())
        return QString::fromStdString(net.LinkNames[k]);
    return QString::number(k + 1);
}

QString BadInput(const QString& what)
{
    return QStringLiteral("Неверные исходные данные: %1.").arg(what);
}

bool NonNegative(double x) { return std::isfinite(x) && x >= 0; }

QString CheckJunctions(const TNetwork& net)
{
    for (int j = 0; j < int(net.Junctions.size()); ++j) {
        const TJunction& n = net.Junctions[j];
        if (std::isfinite(n.Elevation) && NonNegative(n.Demand) && (!n.Fixed || std::isfinite(n.FixedHead)))
            continue;
        const QString name = JunctionName(net, j);
        if (!std::isfinite(n.Elevation))
            return BadInput(QStringLiteral("высота узла %1 не число").arg(name));
        if (!std::isfinite(n.Demand))
            return BadInput(QStringLiteral("расход, отбираемый в узле %1, не число").arg(name));
        if (n.Demand < 0)
            return BadInput(QStringLiteral("расход, отбираемый в узле %1, отрицателен").arg(name));
        return BadInput(QStringLiteral("напор источника в узле %1 не число").arg(name));
    }
    return {};
}

QString CheckPrv(const TNetwork& net, int k, std::vector<int>& prvAt)
{
    const TLink& l = net.Links[k];
    const QString name = LinkName(net, k);
    const std::size_t count = l.SettingFlows.size();
    if (count == 0 || l.SettingPressures.size() != count)
        return BadInput(QStringLiteral("уставка редукционного клапана %1 не задана").arg(name));
    for (std::size_t i = 0; i < count; ++i) {
        if (!std::isfinite(l.SettingFlows[i]) || !std::isfinite(l.SettingPressures[i]))
            return BadInput(QStringLiteral("уставка редукционного клапана %1 не число").arg(name));
        if (i > 0 && !(l.SettingFlows[i] > l.SettingFlows[i - 1]))
            return BadInput(QStringLiteral("расходы уставки редукционного клапана %1 не возрастают").arg(name));
    }
    if (net.Junctions[l.To].Fixed)
        return BadInput(QStringLiteral("редукционный клапан %1 выходит прямо в источник").arg(name));
    // A valve's outlet is held by the valve alone: two valves on one node would fight over it.
    for (int end : {l.From, l.To}) {
        if (prvAt[end] >= 0 && (end == l.To || net.Links[prvAt[end]].To == end))
            return BadInput(QStringLiteral("редукционные клапаны %1 и %2 соединены напрямую")
                                .arg(LinkName(net, prvAt[end]), name));
        prvAt[end] = k;
    }
    return {};
}

QString CheckLinks(const TNetwork& net)
{
    const int junctions = int(net.Junctions.size());
    std::vector<int> prvAt(net.Junctions.size(), -1);
    for (int k = 0; k < int(net.Links.size()); ++k) {
        const TLink& l = net.Links[k];
        auto name = [&] { return LinkName(net, k); };
        if (l.From < 0 || l.From >= junctions || l.To < 0 || l.To >= junctions)
            return BadInput(QStringLiteral("участок %1 ссылается на несуществующий узел").arg(name()));
        if (l.Closed)
            continue;
        if (l.From == l.To)
            return BadInput(QStringLiteral("участок %1 начинается и кончается в одном узле").arg(name()));
        switch (l.Type) {
        case TLinkType::Pipe:
            if (!NonNegative(l.Length))
                return BadInput(QStringLiteral("длина участка %1 не число или отрицательна").arg(name()));
            if (!NonNegative(l.K))
                return BadInput(QStringLiteral("коэффициент местных сопротивлений участка %1 не число или отрицателен").arg(name()));
            if (l.Law == TPipeLaw::Fixed) {
                if (!NonNegative(l.S))
                    return BadInput(QStringLiteral("удельное сопротивление участка %1 не число или отрицательно").arg(name()));
            } else if (l.Law == TPipeLaw::SnipNew || l.Law == TPipeLaw::SnipOld) {
                if (!std::isfinite(l.Diameter) || !(l.Diameter > 0))
                    return BadInput(QStringLiteral("внутренний диаметр участка %1 не задан").arg(name()));
            } else {
                return BadInput(QStringLiteral("закон сопротивления участка %1 неизвестен").arg(name()));
            }
            break;
        case TLinkType::Pump:
            if (!std::isfinite(l.A) || !NonNegative(l.B))
                return BadInput(QStringLiteral("характеристика насоса %1 не число или возрастает").arg(name()));
            break;
        case TLinkType::Prv:
            if (QString error = CheckPrv(net, k, prvAt); !error.isEmpty())
                return error;
            break;
        case TLinkType::Boost:
            if (!std::isfinite(l.Gain))
                return BadInput(QStringLiteral("подпор на участке %1 не число").arg(name()));
            break;
        default:
            return BadInput(QStringLiteral("тип участка %1 неизвестен").arg(name()));
        }
        // Between two given heads a link that resists nothing would carry without end.
        if (net.Junctions[l.From].Fixed && net.Junctions[l.To].Fixed) {
            const double r = l.Law == TPipeLaw::Fixed ? l.S * l.Length * l.K : l.Length * l.K;
            if (l.Type == TLinkType::Boost || (l.Type == TLinkType::Pump && l.B == 0) || (l.Type == TLinkType::Pipe && r == 0))
                return BadInput(QStringLiteral("участок %1 без сопротивления соединяет два источника").arg(name()));
        }
    }
    return {};
}

// The outlet pressure a valve holds at flow q.
double PrvSetting(const TLink& l, double q)
{
    const std::vector<double>& x = l.SettingFlows;
    const std::vector<double>& y = l.SettingPressures;
    if (q <= x.front())
        return y.front();
    if (q >= x.back())
        return y.back();
    const std::size_t i = std::upper_bound(x.begin(), x.end(), q) - x.begin();
    const double t = (q - x[i - 1]) / (x[i] - x[i - 1]);
    return y[i - 1] + t * (y[i] - y[i - 1]);
}

// Its slope dp/dq (0 outside the table, where the setting is held).
double PrvSettingSlope(const TLink& l, double q)
{
    const std::vector<double>& x = l.SettingFlows;
    const std::vector<double>& y = l.SettingPressures;
    if (q <= x.front() || q >= x.back())
        return 0;
    const std::size_t i = std::upper_bound(x.begin(), x.end(), q) - x.begin();
    return (y[i] - y[i - 1]) / (x[i] - x[i - 1]);
}

// Pipes of one law and diameter in a chain: their head losses add up at one velocity.
struct TTerm {
    TPipeLaw Law = TPipeLaw::Fixed;
    double Diameter = 0;
    double Area = 0;
    double R = 0;  // the fixed law: Σ S·L·K, s2/m5; the other laws: Σ L·K, m
    TSnipLaw Snip;

    // Head loss and its gradient at flow a ≥ 0 of pipes whose R is r.
    void Loss(double r, double a, double& h, double& g) const
    {
        if (Law == TPipeLaw::Fixed) {
            h = r * a * a;
            g = 2 * r * a;
            return;
        }
        double i = 0, slope = 0;
        Snip.Evaluate(a / Area, i, slope);
        h = r * i;
        g = r * slope / Area;
    }
};

// A link of the solved system: a pump, a valve, a boost, or a chain of pipes in series whose
// inner junctions draw nothing and meet no other link.
struct TEdge {
    int From = -1, To = -1;        // junctions
    int RowFrom = -1, RowTo = -1;  // their unknowns, −1 for a source
    TLinkType Kind = TLinkType::Pipe;
    int Link = -1;                 // the link of a pump, valve or boost; a chain's first pipe
    int TermBegin = 0, TermEnd = 0;
    int MemberBegin = 0, MemberEnd = 0;
    int OffDiag = -1;              // the matrix entry coupling the two unknowns
    int DiagFrom = -1, DiagTo = -1;
};

// A link inside a chain: walked from the chain's From, Sign is +1 where the link points
// along the walk.
struct TMember {
    int Link = -1;
    int Term = -1;
    double R = 0;
    int Sign = 1;
};

class TSolver {
public:
    TSolver(const TNetwork& net, const TSolveOptions& options, TSolution& out)
        : net_(net), options_(options), out_(out)
    {
    }

    void Run();

private:
    bool Connect();
    void Reduce();
    void BuildMatrix();
    void StartFlows();
    void Coefficients(int e);
    void FindFed();
    void Assemble();
    bool SolveHeads();
    double NewFlows();
    bool ValveStatus(int iteration);
    bool PumpStatus(int iteration, bool openOnly = false);
    double HeadError() const;
    void Finish();

    double HeadAt(int junction, int row) const { return row >= 0 ? heads_[row] : net_.Junctions[junction].FixedHead; }
    double EdgeHeadFrom(const TEdge& e) const { return HeadAt(e.From, e.RowFrom); }
    double EdgeHeadTo(const TEdge& e) const { return HeadAt(e.To, e.RowTo); }
    int OtherEnd(int link, int junction) const { return from_[link] == junction ? to_[link] : from_[link]; }

    const TNetwork& net_;
    const TSolveOptions& options_;
    TSolution& out_;

    // The links' ends and types, close together for the passes over the whole network.
    std::vector<int> from_, to_;
    std::vector<TLinkType> type_;
    std::vector<char> open_;
    // Pipes: the law, the diameter, and S·L·K (the fixed law) or L·K.
    std::vector<TPipeLaw> law_;
    std::vector<double> diameter_, r_;
    // Links at each junction (the open ones).
    std::vector<int> adjStart_, adj_;
    std::vector<char> reached_;

    // The reduced system.
    std::vector<char> gone_;           // a link pruned, or leading where no source reaches
    std::vector<int> degree_;
    std::vector<int> pruned_;          // junctions pruned as dead ends, in order
    std::vector<int> prunedParent_;
    std::vector<TEdge> edges_;
    std::vector<TTerm> terms_;
    std::vector<TMember> members_;
    std::vector<int> rowOf_;           // per junction
    std::vector<int> rowJunction_;
    std::vector<double> rowDemand_;
    std::vector<int> prvEdges_, pumpEdges_;
    double totalDemand_ = 0;

    TMatrix matrix_;
    TFactor factor_;
    std::vector<int> diagIndex_;
    Eigen::VectorXd rhs_, heads_;
    std::vector<double> excess_;       // per row: inflow less outflow and demand
    // Per row: joined to a source through links that are not shut; the edges at each row.
    std::vector<char> fed_;
    bool anyShut_ = false;
    // Shut links between fed parts hold the previous head difference instead of leaking (see
    // Assemble): only once the statuses have settled, since a part just fed again may come
    // from far below.
    bool exactTies_ = false;
    std::vector<int> rowEdgeStart_, rowEdges_, queue_;
    std::vector<double> held_;         // per row: the head an active valve holds, NaN if none
    // Per edge, of active valves whose setting falls with the flow: the fall (m per m3/s)
    // and the head the outlet is fed from (see Assemble); 0 and unused otherwise.
    std::vector<double> droop_, droopHead_;

    // Per edge.
    std::vector<double> q_, p_, y_, loss_;
    std::vector<TLinkStatus> status_;
    std::vector<int> lastChange_;
};

void TSolver::Run()
{
    out_ = {};
    if (QString error = CheckJunctions(net_); !error.isEmpty()) {
        out_.Error = error;
        return;
    }
    if (QString error = CheckLinks(net_); !error.isEmpty()) {
        out_.Error = error;
        return;
    }
    if (!Connect())
        return;
    Reduce();
    BuildMatrix();
    StartFlows();

    // The heads start at the highest source's: a shut link ties its ends to them at first.
    double top = -std::numeric_limits<double>::infinity();
    for (const TJunction& j : net_.Junctions)
        if (j.Fixed)
            top = std::max(top, j.FixedHead);
    heads_.setConstant(std::isfinite(top) ? top : 0);

    const double flowTol = options_.RelativeFlowTolerance * std::max(totalDemand_, kDemandFloor);
    int nextCheck = kCheckFreq;
    bool converged = false;
    int iteration = 0;
    double maxChange = 0, headError = 0;
    while (iteration < options_.MaxIterations) {
        ++iteration;
        Assemble();
        if (!SolveHeads())
            return;
        maxChange = NewFlows();
        bool changed = ValveStatus(iteration);
        for (int e = 0; e < int(edges_.size()); ++e)
            Coefficients(e);
        headError = HeadError();
        if (options_.Progress && !options_.Progress(iteration))
            break;
        if (maxChange <= flowTol && headError <= options_.HeadTolerance) {
            if (PumpStatus(iteration))
                changed = true;
            if (!changed && !exactTies_ && anyShut_) {
                // Settled with the shut links leaking a little: settle again without the leak.
                exactTies_ = true;
                continue;
            }
            if (!changed) {
                converged = true;
                break;
            }
            nextCheck = iteration + kCheckFreq;
        } else if (iteration == nextCheck) {
            // Later on only a shut pump may open again: the part behind it may be starving,
            // and would never settle.
            if (PumpStatus(iteration, iteration > kMaxCheck))
                changed = true;
            nextCheck += kCheckFreq;
        }
        if (changed) {
            exactTies_ = false;
            if (out_.Trials >= options_.MaxTrials)
                break;
            ++out_.Trials;
            for (int e : pumpEdges_)
                Coefficients(e);
        }
    }
    out_.Solved = true;
    out_.Converged = converged;
    out_.Iterations = iteration;
    out_.MaxFlowChange = maxChange;
    out_.MaxHeadError = headError;
    if (!converged) {
        for (int e = 0; e < int(edges_.size()); ++e)
            if (lastChange_[e] > 0 && lastChange_[e] > iteration - kSwitchWindow)
                out_.Switching.push_back(edges_[e].Link);
        std::sort(out_.Switching.begin(), out_.Switching.end());
    }
    Finish();
}

// The junctions some source reaches over open links; false (with the error) when one that
// draws water is left without.
bool TSolver::Connect()
{
    const int nj = int(net_.Junctions.size());
    const int nl = int(net_.Links.size());
    from_.resize(nl);
    to_.resize(nl);
    type_.resize(nl);
    open_.resize(nl);
    law_.resize(nl);
    diameter_.resize(nl);
    r_.resize(nl);
    adjStart_.assign(nj + 1, 0);
    for (int k = 0; k < nl; ++k) {
        const TLink& l = net_.Links[k];
        from_[k] = l.From;
        to_[k] = l.To;
        type_[k] = l.Type;
        open_[k] = !l.Closed;
        if (l.Type == TLinkType::Pipe) {
            law_[k] = l.Law;
            diameter_[k] = l.Diameter;
            r_[k] = l.Law == TPipeLaw::Fixed ? l.S * l.Length * l.K : l.Length * l.K;
        }
        if (open_[k]) {
            ++adjStart_[l.From + 1];
            ++adjStart_[l.To + 1];
        }
    }
    for (int j = 0; j < nj; ++j)
        adjStart_[j + 1] += adjStart_[j];
    adj_.resize(adjStart_[nj]);
    {
        std::vector<int> fill(adjStart_.begin(), adjStart_.end() - 1);
        for (int k = 0; k < nl; ++k)
            if (open_[k]) {
                adj_[fill[from_[k]]++] = k;
                adj_[fill[to_[k]]++] = k;
            }
    }
    reached_.assign(nj, 0);
    std::vector<int> queue;
    queue.reserve(nj);
    for (int j = 0; j < nj; ++j)
        if (net_.Junctions[j].Fixed) {
            reached_[j] = 1;
            queue.push_back(j);
        }
    for (std::size_t head = 0; head < queue.size(); ++head) {
        const int j = queue[head];
        for (int a = adjStart_[j]; a < adjStart_[j + 1]; ++a) {
            const int k = adj_[a];
            // Water passes pumps and valves one way only.
            if (from_[k] != j && (type_[k] == TLinkType::Pump || type_[k] == TLinkType::Prv))
                continue;
            const int other = OtherEnd(k, j);
            if (!reached_[other]) {
                reached_[other] = 1;
                queue.push_back(other);
            }
        }
    }
    for (int j = 0; j < nj; ++j)
        if (!reached_[j] && net_.Junctions[j].Demand > 0)
            out_.Unfed.push_back(j);
    if (out_.Unfed.empty())
        return true;
    QStringList names;
    for (int j : out_.Unfed) {
        if (names.size() == 10) {
            names << QStringLiteral("…");
            break;
        }
        names << JunctionName(net_, j);
    }
    out_.Error = QStringLiteral("Вода отбирается в узлах, к которым она не подходит ни от одного источника: %1.")
                     .arg(names.join(QStringLiteral(", ")));
    return false;
}

// Dead ends that draw nothing carry no flow and are pruned; chains of pipes through junctions
// that draw nothing become single edges. What remains is usually a small fraction of a mine's
// pipe, and its heads decide the rest.
void TSolver::Reduce()
{
    const int nj = int(net_.Junctions.size());
    const int nl = int(net_.Links.size());
    // A pump or valve from a part no source reaches (only against its direction) leads
    // nowhere: it is left out with that part.
    gone_.assign(nl, 0);
    degree_.assign(nj, 0);
    for (int k = 0; k < nl; ++k)
        if (open_[k]) {
            if (reached_[from_[k]] && reached_[to_[k]]) {
                ++degree_[from_[k]];
                ++degree_[to_[k]];
            } else {
                gone_[k] = 1;
            }
        }

    auto remainingLink = [&](int j, int except) {
        for (int a = adjStart_[j]; a < adjStart_[j + 1]; ++a)
            if (!gone_[adj_[a]] && adj_[a] != except)
                return adj_[a];
        return -1;
    };
    auto passive = [&](int j) { return !net_.Junctions[j].Fixed && net_.Junctions[j].Demand == 0; };
    auto prunable = [&](int j) {
        if (!reached_[j] || degree_[j] != 1 || !passive(j))
            return false;
        return type_[remainingLink(j, -1)] == TLinkType::Pipe;
    };

    std::vector<int> stack;
    for (int j = 0; j < nj; ++j)
        if (prunable(j))
            stack.push_back(j);
    while (!stack.empty()) {
        const int j = stack.back();
        stack.pop_back();
        if (!prunable(j))
            continue;
        const int link = remainingLink(j, -1);
        const int parent = OtherEnd(link, j);
        gone_[link] = 1;
        degree_[j] = 0;
        --degree_[parent];
        pruned_.push_back(j);
        prunedParent_.push_back(parent);
        if (prunable(parent))
            stack.push_back(parent);
    }

    // Junctions inside a chain: two pipes and nothing else.
    auto inner = [&](int j) {
        if (degree_[j] != 2 || !passive(j))
            return false;
        const int first = remainingLink(j, -1);
        const int second = remainingLink(j, first);
        return type_[first] == TLinkType::Pipe && type_[second] == TLinkType::Pipe;
    };
    std::vector<char> kept(nj, 0);
    for (int j = 0; j < nj; ++j)
        kept[j] = reached_[j] && (net_.Junctions[j].Fixed || (degree_[j] > 0 && !inner(j)));

    rowOf_.assign(nj, -1);
    for (int j = 0; j < nj; ++j)
        if (kept[j] && !net_.Junctions[j].Fixed) {
            rowOf_[j] = int(rowJunction_.size());
            rowJunction_.push_back(j);
            rowDemand_.push_back(net_.Junctions[j].Demand);
            totalDemand_ += net_.Junctions[j].Demand;
        }

    std::vector<char> taken(nl, 0);
    members_.reserve(nl - pruned_.size());
    edges_.reserve(rowJunction_.size() + 16);
    for (int u = 0; u < nj; ++u) {
        if (!kept[u])
            continue;
        for (int a = adjStart_[u]; a < adjStart_[u + 1]; ++a) {
            const int first = adj_[a];
            if (gone_[first] || taken[first])
                continue;
            TEdge edge;
            edge.From = u;
            if (type_[first] != TLinkType::Pipe) {
                taken[first] = 1;
                edge.From = from_[first];
                edge.To = to_[first];
                edge.Kind = type_[first];
                edge.Link = first;
            } else {
                edge.Kind = TLinkType::Pipe;
                edge.Link = first;
                edge.TermBegin = int(terms_.size());
                edge.MemberBegin = int(members_.size());
                int cur = u, link = first;
                while (true) {
                    taken[link] = 1;
                    const TPipeLaw law = law_[link];
                    const double diameter = diameter_[link];
                    TMember m;
                    m.Link = link;
                    m.Sign = from_[link] == cur ? 1 : -1;
                    m.R = r_[link];
                    const bool fixedLaw = law == TPipeLaw::Fixed;
                    for (int t = edge.TermBegin; t < int(terms_.size()); ++t)
                        if (terms_[t].Law == law && (fixedLaw || terms_[t].Diameter == diameter)) {
                            m.Term = t;
                            break;
                        }
                    if (m.Term < 0) {
                        TTerm term;
                        term.Law = law;
                        if (!fixedLaw) {
                            term.Diameter = diameter;
                            term.Area = std::numbers::pi * diameter * diameter / 4;
                            term.Snip = TSnipLaw(law, diameter);
                        }
                        m.Term = int(terms_.size());
                        terms_.push_back(term);
                    }
                    terms_[m.Term].R += m.R;
                    members_.push_back(m);
                    cur = OtherEnd(link, cur);
                    if (kept[cur])
                        break;
                    link = remainingLink(cur, link);
                }
                edge.To = cur;
                edge.TermEnd = int(terms_.size());
                edge.MemberEnd = int(members_.size());
            }
            edge.RowFrom = rowOf_[edge.From];
            edge.RowTo = rowOf_[edge.To];
            // A ring of pipes back to where it began (From = To) carries nothing and is skipped.
            if (edge.Kind == TLinkType::Prv) {
                prvEdges_.push_back(int(edges_.size()));
            } else if (edge.Kind == TLinkType::Pump) {
                pumpEdges_.push_back(int(edges_.size()));
            }
            edges_.push_back(edge);
        }
    }
}

void TSolver::BuildMatrix()
{
    const int n = int(rowJunction_.size());
    rhs_.setZero(n);
    heads_.setZero(n);
    excess_.assign(n, 0);
    held_.assign(n, kNaN);
    diagIndex_.assign(n, -1);
    if (n == 0)
        return;

    auto isLoop = [&](int e) { return edges_[e].From == edges_[e].To; };
    std::vector<Eigen::Triplet<double, int>> entries;
    entries.reserve(n + edges_.size());
    for (int r = 0; r < n; ++r)
        entries.emplace_back(r, r, 1.0);
    for (int e = 0; e < int(edges_.size()); ++e) {
        const TEdge& edge = edges_[e];
        if (edge.RowFrom >= 0 && edge.RowTo >= 0 && !isLoop(e))
            entries.emplace_back(std::max(edge.RowFrom, edge.RowTo), std::min(edge.RowFrom, edge.RowTo), 1.0);
    }

    // A fill-reducing order, found once: the unknowns are renumbered by it, so every
    // factorisation works on the matrix in place.
    std::vector<int> order(n);
    {
        TMatrix pattern(n, n);
        pattern.setFromTriplets(entries.begin(), entries.end());
        Eigen::PermutationMatrix<Eigen::Dynamic, Eigen::Dynamic, int> inverse;
        Eigen::AMDOrdering<int> amd;
        amd(pattern, inverse);
        for (int i = 0; i < n; ++i)
            order[inverse.indices()[i]] = i;
    }
    std::vector<int> junctions(n);
    std::vector<double> demands(n);
    for (int r = 0; r < n; ++r) {
        junctions[order[r]] = rowJunction_[r];
        demands[order[r]] = rowDemand_[r];
    }
    rowJunction_.swap(junctions);
    rowDemand_.swap(demands);
    for (int r = 0; r < n; ++r)
        rowOf_[rowJunction_[r]] = r;
    for (TEdge& edge : edges_) {
        edge.RowFrom = rowOf_[edge.From];
        edge.RowTo = rowOf_[edge.To];
    }

    entries.clear();
    for (int r = 0; r < n; ++r)
        entries.emplace_back(r, r, 1.0);
    for (int e = 0; e < int(edges_.size()); ++e) {
        const TEdge& edge = edges_[e];
        if (edge.RowFrom >= 0 && edge.RowTo >= 0 && !isLoop(e))
            entries.emplace_back(std::min(edge.RowFrom, edge.RowTo), std::max(edge.RowFrom, edge.RowTo), 1.0);
    }
    matrix_.resize(n, n);
    matrix_.setFromTriplets(entries.begin(), entries.end());
    matrix_.makeCompressed();
    auto indexOf = [&](int row, int col) {
        const int* begin = matrix_.innerIndexPtr() + matrix_.outerIndexPtr()[col];
        const int* end = matrix_.innerIndexPtr() + matrix_.outerIndexPtr()[col + 1];
        return int(std::lower_bound(begin, end, row) - matrix_.innerIndexPtr());
    };
    for (int r = 0; r < n; ++r)
        diagIndex_[r] = indexOf(r, r);
    for (int e = 0; e < int(edges_.size()); ++e) {
        TEdge& edge = edges_[e];
        if (edge.RowFrom >= 0 && edge.RowTo >= 0 && !isLoop(e))
            edge.OffDiag = indexOf(std::min(edge.RowFrom, edge.RowTo), std::max(edge.RowFrom, edge.RowTo));
        edge.DiagFrom = edge.RowFrom >= 0 ? diagIndex_[edge.RowFrom] : -1;
        edge.DiagTo = edge.RowTo >= 0 ? diagIndex_[edge.RowTo] : -1;
    }
    factor_.analyzePattern(matrix_);

    rowEdgeStart_.assign(n + 1, 0);
    for (const TEdge& edge : edges_)
        for (int row : {edge.RowFrom, edge.RowTo})
            if (row >= 0)
                ++rowEdgeStart_[row + 1];
    for (int r = 0; r < n; ++r)
        rowEdgeStart_[r + 1] += rowEdgeStart_[r];
    rowEdges_.resize(rowEdgeStart_[n]);
    std::vector<int> fill(rowEdgeStart_.begin(), rowEdgeStart_.end() - 1);
    for (int e = 0; e < int(edges_.size()); ++e)
        for (int row : {edges_[e].RowFrom, edges_[e].RowTo})
            if (row >= 0)
                rowEdges_[fill[row]++] = e;
    fed_.assign(n, 1);
}

void TSolver::StartFlows()
{
    const int ne = int(edges_.size());
    q_.assign(ne, 0);
    p_.assign(ne, 0);
    y_.assign(ne, 0);
    loss_.assign(ne, 0);
    status_.assign(ne, TLinkStatus::Open);
    lastChange_.assign(ne, 0);
    droop_.assign(ne, 0);
    droopHead_.assign(ne, 0);
    for (int e = 0; e < ne; ++e) {
        const TEdge& edge = edges_[e];
        const TLink& l = net_.Links[edge.Link];
        if (edge.From == edge.To)
            continue;
        switch (edge.Kind) {
        case TLinkType::Pipe:
            q_[e] = terms_[edge.TermBegin].Law == TPipeLaw::Fixed ? kStartFlow : kStartVelocity * terms_[edge.TermBegin].Area;
            break;
        case TLinkType::Pump:
            q_[e] = l.A > 0 && l.B > 0 ? std::sqrt(l.A / (2 * l.B)) : kStartFlow;
            break;
        case TLinkType::Prv:
            status_[e] = TLinkStatus::Active;
            q_[e] = kStartFlow;
            break;
        case TLinkType::Boost:
            q_[e] = kStartFlow;
            break;
        }
        Coefficients(e);
    }
}

// The edge's inverse gradient P, its flow correction Y = loss·P and its head loss at its
// current flow and status.
void TSolver::Coefficients(int e)
{
    const TEdge& edge = edges_[e];
    const double q = q_[e];
    double loss = 0, gradient = kMinGradient;
    switch (edge.Kind) {
    case TLinkType::Pipe: {
        const double a = std::fabs(q);
        double h = 0, g = 0;
        for (int t = edge.TermBegin; t < edge.TermEnd; ++t) {
            double ht = 0, gt = 0;
            terms_[t].Loss(terms_[t].R, a, ht, gt);
            h += ht;
            g += gt;
        }
        // Where the flow has all but stopped the gradient is held up, the loss stays true.
        gradient = std::max(g, kMinGradient);
        loss = std::copysign(h, q);
        break;
    }
    case TLinkType::Pump: {
        if (status_[e] == TLinkStatus::Closed) {
            p_[e] = 0;
            y_[e] = 0;
            loss_[e] = 0;
            return;
        }
        const TLink& l = net_.Links[edge.Link];
        gradient = std::max(2 * l.B * std::fabs(q), kMinGradient);
        loss = -l.A + l.B * q * std::fabs(q);
        break;
    }
    case TLinkType::Prv:
        if (status_[e] != TLinkStatus::Open) {
            // An active valve's flow comes from its outlet's balance (see Assemble).
            p_[e] = 0;
            y_[e] = 0;
            loss_[e] = 0;
            return;
        }
        loss = 0;
        break;
    case TLinkType::Boost:
        loss = -net_.Links[edge.Link].Gain;
        break;
    }
    p_[e] = 1 / gradient;
    y_[e] = loss / gradient;
    loss_[e] = loss;
}

// The rows a source reaches through links that are not shut (either way through them).
void TSolver::FindFed()
{
    anyShut_ = std::any_of(status_.begin(), status_.end(), [](TLinkStatus s) { return s == TLinkStatus::Closed; });
    if (!anyShut_) {
        std::fill(fed_.begin(), fed_.end(), 1);
        return;
    }
    std::fill(fed_.begin(), fed_.end(), 0);
    queue_.clear();
    auto reach = [&](int row) {
        if (row >= 0 && !fed_[row]) {
            fed_[row] = 1;
            queue_.push_back(row);
        }
    };
    for (int e = 0; e < int(edges_.size()); ++e)
        if (status_[e] != TLinkStatus::Closed && (edges_[e].RowFrom < 0 || edges_[e].RowTo < 0))
            reach(std::max(edges_[e].RowFrom, edges_[e].RowTo));
    for (std::size_t i = 0; i < queue_.size(); ++i) {
        const int r = queue_[i];
        for (int k = rowEdgeStart_[r]; k < rowEdgeStart_[r + 1]; ++k) {
            const int e = rowEdges_[k];
            if (status_[e] != TLinkStatus::Closed)
                reach(edges_[e].RowFrom == r ? edges_[e].RowTo : edges_[e].RowFrom);
        }
    }
}

// The linearised balance of every unknown junction: A·H = F.
void TSolver::Assemble()
{
    FindFed();
    const int n = int(rowJunction_.size());
    double* values = matrix_.valuePtr();
    std::fill(values, values + matrix_.nonZeros(), 0.0);
    std::fill(rhs_.data(), rhs_.data() + n, 0.0);
    std::fill(excess_.begin(), excess_.end(), 0.0);

    // An active valve holds its outlet's head at the setting for its flow. Where the setting
    // falls with the flow, the outlet is fed as through a link from a head of El + s(q0) −
    // s'·q0 with the resistance −s', the setting linearised at the present flow q0; else
    // the head is simply held.
    for (int e : prvEdges_) {
        const TEdge& edge = edges_[e];
        held_[edge.RowTo] = kNaN;
        droop_[e] = 0;
        if (status_[e] != TLinkStatus::Active)
            continue;
        const TLink& valve = net_.Links[edge.Link];
        const double setting = net_.Junctions[edge.To].Elevation + PrvSetting(valve, q_[e]);
        const double slope = PrvSettingSlope(valve, q_[e]);
        if (slope < -kMinGradient) {
            droop_[e] = -slope;
            droopHead_[e] = setting - slope * q_[e];
        } else {
            held_[edge.RowTo] = setting;
        }
    }
    auto unknown = [&](int row) { return row >= 0 && std::isnan(held_[row]); };
    auto knownHead = [&](int junction, int row) { return row >= 0 ? held_[row] : net_.Junctions[junction].FixedHead; };

    for (int e = 0; e < int(edges_.size()); ++e) {
        const TEdge& edge = edges_[e];
        if (edge.From == edge.To)
            continue;
        const double p = p_[e];
        const int a = edge.RowFrom, b = edge.RowTo;
        if (status_[e] == TLinkStatus::Closed) {
            // A part cut off is tied to the heads beyond outright. Between parts that sources
            // feed the tie leaks a little until the statuses settle, then holds the head
            // difference of the previous iteration, so that it passes nothing in the end.
            const bool hold = exactTies_ && (a < 0 || fed_[a]) && (b < 0 || fed_[b]);
            const double lastDrop = hold ? kHeadTie * (EdgeHeadFrom(edge) - EdgeHeadTo(edge)) : 0.0;
            const bool freeA = unknown(a), freeB = unknown(b);
            if (freeA) {
                values[edge.DiagFrom] += kHeadTie;
                rhs_[a] += lastDrop;
                if (!freeB)
                    rhs_[a] += kHeadTie * knownHead(edge.To, b);
            }
            if (freeB) {
                values[edge.DiagTo] += kHeadTie;
                rhs_[b] -= lastDrop;
                if (!freeA)
                    rhs_[b] += kHeadTie * knownHead(edge.From, a);
            }
            if (freeA && freeB)
                values[edge.OffDiag] -= kHeadTie;
            continue;
        }
        if (p == 0) {
            if (unknown(a)) {
                values[edge.DiagFrom] += kHeadTie;
                rhs_[a] += kHeadTie * heads_[a];
            }
            if (unknown(b)) {
                values[edge.DiagTo] += kHeadTie;
                rhs_[b] += kHeadTie * heads_[b];
            }
            continue;
        }
        const double q = q_[e], y = y_[e];
        if (a >= 0)
            excess_[a] -= q;
        if (b >= 0)
            excess_[b] += q;
        const bool freeA = unknown(a), freeB = unknown(b);
        if (freeA) {
            values[edge.DiagFrom] += p;
            rhs_[a] += y;
            if (!freeB)
                rhs_[a] += p * knownHead(edge.To, b);
        }
        if (freeB) {
            values[edge.DiagTo] += p;
            rhs_[b] -= y;
            if (!freeA)
                rhs_[b] += p * knownHead(edge.From, a);
        }
        if (freeA && freeB)
            values[edge.OffDiag] -= p;
    }
    for (int e : prvEdges_) {
        const TEdge& edge = edges_[e];
        if (droop_[e] == 0)
            continue;
        // Drawn from the inlet at its present flow (the inlet lags an iteration behind).
        if (edge.RowFrom >= 0)
            excess_[edge.RowFrom] -= q_[e];
        values[edge.DiagTo] += 1 / droop_[e];
        rhs_[edge.RowTo] += droopHead_[e] / droop_[e];
    }
    for (int r = 0; r < n; ++r) {
        excess_[r] -= rowDemand_[r];
        rhs_[r] += excess_[r];
    }
    // An active valve that holds its outlet's head passes what the outlet lacks, drawn from
    // its inlet.
    for (int e : prvEdges_) {
        const TEdge& edge = edges_[e];
        if (status_[e] != TLinkStatus::Active || droop_[e] != 0)
            continue;
        const double lack = excess_[edge.RowTo];
        y_[e] = q_[e] + lack;
        if (lack < 0 && unknown(edge.RowFrom))
            rhs_[edge.RowFrom] += lack;
    }
    for (int r = 0; r < n; ++r)
        if (!std::isnan(held_[r])) {
            values[diagIndex_[r]] = 1;
            rhs_[r] = held_[r];
        }
    // The entries that couple a held head to its neighbours were left zero above.
}

bool TSolver::SolveHeads()
{
    if (rowJunction_.empty())
        return true;
    factor_.factorize(matrix_);
    if (factor_.info() == Eigen::Success) {
        heads_ = factor_.solve(rhs_);
        if (heads_.allFinite())
            return true;
    }
    out_ = {};
    out_.Error = QStringLiteral("Система уравнений расчёта вырождена: напоры найти нельзя.");
    return false;
}

double TSolver::NewFlows()
{
    double maxChange = 0;
    for (int e = 0; e < int(edges_.size()); ++e) {
        const TEdge& edge = edges_[e];
        if (edge.From == edge.To)
            continue;
        if (status_[e] == TLinkStatus::Closed) {
            q_[e] = 0;
            continue;
        }
        double dq = y_[e] - p_[e] * (EdgeHeadFrom(edge) - EdgeHeadTo(edge));
        if (edge.Kind == TLinkType::Prv && droop_[e] != 0)
            dq = q_[e] - (droopHead_[e] - EdgeHeadTo(edge)) / droop_[e];
        q_[e] -= dq;
        maxChange = std::max(maxChange, std::fabs(dq));
    }
    return maxChange;
}

// The valves' status after the latest heads and flows.
bool TSolver::ValveStatus(int iteration)
{
    bool changed = false;
    for (int e : prvEdges_) {
        const TEdge& edge = edges_[e];
        const double q = q_[e];
        const double hset = net_.Junctions[edge.To].Elevation + PrvSetting(net_.Links[edge.Link], q);
        const double h1 = EdgeHeadFrom(edge), h2 = EdgeHeadTo(edge);
        const TLinkStatus was = status_[e];
        TLinkStatus now = was;
        switch (was) {
        case TLinkStatus::Active:
            if (q < -kQtol)
                now = TLinkStatus::Closed;
            else if (h1 < hset - kHtol)
                now = TLinkStatus::Open;
            break;
        case TLinkStatus::Open:
            if (q < -kQtol)
                now = TLinkStatus::Closed;
            else if (h2 >= hset + kHtol)
                now = TLinkStatus::Active;
            break;
        case TLinkStatus::Closed:
            if (h1 >= hset + kHtol && h2 < hset - kHtol)
                now = TLinkStatus::Active;
            else if (h1 < hset - kHtol && h1 > h2 + kHtol)
                now = TLinkStatus::Open;
            break;
        }
        if (now != was) {
            status_[e] = now;
            if (now == TLinkStatus::Closed)
                q_[e] = 0;
            lastChange_[e] = iteration;
            changed = true;
        }
    }
    return changed;
}

// The pumps' check valves: a pump closes when the head asked of it exceeds its shutoff head
// or the water turns back through it, and opens again once the head behind it falls below the
// shutoff head (a pump that barely flows back at its shutoff head would switch forever).
bool TSolver::PumpStatus(int iteration, bool openOnly)
{
    bool changed = false;
    for (int e : pumpEdges_) {
        const TEdge& edge = edges_[e];
        const double gain = EdgeHeadTo(edge) - EdgeHeadFrom(edge);
        const double shutoff = net_.Links[edge.Link].A;
        if (openOnly && status_[e] != TLinkStatus::Closed)
            continue;
        const bool shut = status_[e] == TLinkStatus::Closed ? gain >= shutoff : gain > shutoff + kHtol || q_[e] < -kQtol;
        const TLinkStatus now = shut ? TLinkStatus::Closed : TLinkStatus::Open;
        if (now != status_[e]) {
            status_[e] = now;
            q_[e] = 0;
            lastChange_[e] = iteration;
            changed = true;
        }
    }
    return changed;
}

double TSolver::HeadError() const
{
    double worst = 0;
    for (int e = 0; e < int(edges_.size()); ++e) {
        const TEdge& edge = edges_[e];
        if (edge.From == edge.To || status_[e] != TLinkStatus::Open)
            continue;
        worst = std::max(worst, std::fabs(EdgeHeadFrom(edge) - EdgeHeadTo(edge) - loss_[e]));
    }
    return worst;
}

// Heads, flows and resistances of every junction and link, the chains and dead ends included.
void TSolver::Finish()
{
    const int nj = int(net_.Junctions.size());
    const int nl = int(net_.Links.size());
    out_.Head.assign(nj, kNaN);
    out_.Flow.assign(nl, 0);
    out_.S.assign(nl, kNaN);
    out_.Status.assign(nl, TLinkStatus::Open);
    std::vector<double> perR, termS;
    for (int j = 0; j < nj; ++j)
        if (reached_[j])
            out_.Head[j] = net_.Junctions[j].Fixed ? net_.Junctions[j].FixedHead
                                                   : (rowOf_[j] >= 0 ? heads_[rowOf_[j]] : kNaN);
    for (int e = 0; e < int(edges_.size()); ++e) {
        const TEdge& edge = edges_[e];
        if (edge.Kind != TLinkType::Pipe) {
            out_.Flow[edge.Link] = status_[e] == TLinkStatus::Closed ? 0 : q_[e];
            out_.Status[edge.Link] = status_[e];
            continue;
        }
        const double q = edge.From == edge.To ? 0 : q_[e];
        const double a = std::fabs(q);
        // The pipes of one term share the flow: the law is worked out once per term.
        perR.resize(edge.TermEnd - edge.TermBegin);
        termS.resize(perR.size());
        for (int t = edge.TermBegin; t < edge.TermEnd; ++t) {
            const TTerm& term = terms_[t];
            double& lossPerR = perR[t - edge.TermBegin];
            double& s = termS[t - edge.TermBegin];
            if (term.Law == TPipeLaw::Fixed) {
                lossPerR = a * a;
                s = kNaN;  // the pipe's own
                continue;
            }
            // s = i/q², below the velocity floor taken at it (as SnipResistance does).
            const double v = a / term.Area;
            double i = 0, slope = 0;
            term.Snip.Evaluate(v, i, slope);
            lossPerR = i;
            if (v < kSnipVelocityFloor)
                term.Snip.Evaluate(kSnipVelocityFloor, i, slope);
            const double vs = std::max(v, kSnipVelocityFloor) * term.Area;
            s = i / (vs * vs);
        }
        double head = out_.Head[edge.From];
        int at = edge.From;
        for (int m = edge.MemberBegin; m < edge.MemberEnd; ++m) {
            const TMember& member = members_[m];
            const double flow = member.Sign * q;
            out_.Flow[member.Link] = flow;
            out_.S[member.Link] = termS[member.Term - edge.TermBegin];
            at = OtherEnd(member.Link, at);
            // The chain's far end has its own solved head; the inner junctions follow the losses.
            if (m + 1 < edge.MemberEnd) {
                head -= member.Sign * std::copysign(member.R * perR[member.Term - edge.TermBegin], flow);
                out_.Head[at] = head;
            }
        }
    }
    for (int i = int(pruned_.size()) - 1; i >= 0; --i)
        out_.Head[pruned_[i]] = out_.Head[prunedParent_[i]];

    // Pipes without a flow of their own (dead ends, shut, left out) take the law at zero flow;
    // a network has few diameters, so each is worked out once.
    std::vector<std::pair<std::pair<TPipeLaw, double>, double>> stillS;
    auto zeroFlowS = [&](TPipeLaw law, double d) {
        for (const auto& [key, value] : stillS)
            if (key.first == law && key.second == d)
                return value;
        const double value = SnipResistance(law, d, 0);
        if (stillS.size() < 64)
            stillS.push_back({{law, d}, value});
        return value;
    };
    for (int k = 0; k < nl; ++k) {
        if (!open_[k])
            out_.Status[k] = TLinkStatus::Closed;
        if (type_[k] != TLinkType::Pipe) {
            out_.S[k] = 0;
            continue;
        }
        if (!std::isnan(out_.S[k]))
            continue;
        const TLink& l = net_.Links[k];
        out_.S[k] = l.Law == TPipeLaw::Fixed ? (std::isfinite(l.S) ? l.S : 0) : zeroFlowS(l.Law, l.Diameter);
    }
}

}  // namespace

TSolution Solve(const TNetwork& network, const TSolveOptions& options)
{
    TSolution solution;
    TSolver(network, options, solution).Run();
    return solution;
}

}  // namespace Hydro
