#include "render/schema2d/SchemaRenderer.h"

#include "core/model/Branch.h"
#include "core/model/DeviceKinds.h"
#include "core/model/Layer.h"
#include "core/model/Mine.h"
#include "core/model/Pipe.h"
#include "core/model/PipePart.h"
#include "core/model/TextBlock2D.h"
#include "core/model/Uzel.h"
#include "render/schema2d/DeviceLook.h"
#include "render/schema2d/DisplayedPipes.h"
#include "render/schema2d/LabelBox.h"
#include "render/schema2d/PressureColouring.h"
#include "render/schema2d/ProfileLook.h"
#include "render/schema2d/ResultTexts.h"
#include "render/schema2d/SchemaGrid.h"
#include "render/schema2d/SchemaScene.h"
#include "render/schema2d/SymbolShapes.h"
#include "render/schema2d/TextBlockLook.h"
#include "render/schema2d/TextSizes.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>

#include <array>
#include <cmath>
#include <numbers>
#include <unordered_map>

namespace {

const QColor kBranchArrowGrey(128, 128, 128);
const QColor kAirArrowBlue(0, 0, 255);

// Arrows, in symbol factors: length, and the branch length on the screen they need.
constexpr double kArrowLength = 12;
constexpr double kArrowNeedsLength = 24;
constexpr double kWaterHeadWidth = 3;
constexpr double kWaterHeadPart = 0.35;
constexpr double kDirectionHeadWidth = 9;
constexpr double kDirectionHeadPart = 0.30;
// Half-width of a branch band and node radii, in symbol factors.
constexpr double kBandHalfWidth = 3;
constexpr double kThickNodeRadius = 3;
constexpr double kThinNodeRadius = 2;
// The clip grows by this much before branches are tested against it.
constexpr double kClipSlack = 3;

double Degrees(QPointF from, QPointF to)
{
    return std::atan2(to.y() - from.y(), to.x() - from.x()) * 180 / std::numbers::pi;
}

double Distance(QPointF a, QPointF b) { return std::hypot(b.x() - a.x(), b.y() - a.y()); }

QPointF Along(QPointF a, QPointF b, double t) { return a + (b - a) * t; }

// One drawing of the network: the context resolved into colours, fonts and factors once,
// then every object in paint order.
class NetworkPainter {
public:
    NetworkPainter(QPainter& painter, const TSchemaScene& scene, const TRenderContext& ctx, TDrawnObjects* out);
    void Paint();

private:
    struct Role {
        QColor Back;
        QColor Border;
        QColor Text;
    };
    Role ResolveRole(TProfileIndex index) const;
    QColor Ink(const QColor& color) const { return ctx_.BlackWhite ? QColor(Qt::black) : color; }
    QColor Paper(const QColor& color) const { return ctx_.BlackWhite ? QColor(Qt::white) : color; }
    void SetPen(const QColor& color, double width = 1, Qt::PenStyle style = Qt::SolidLine);
    void SetBrush(const QColor& color);
    void UseFont(const TextSizes& sizes)
    {
        if (font_ != &sizes)
            p_.setFont(sizes.Font());
        font_ = &sizes;
    }

    QPointF ScreenOf(const TUzel* uzel) const;
    bool Visible(const QRectF& r) const { return r.intersects(clip_); }
    // Whether something that moves with the dragged nodes (or stays) belongs to this drawing.
    bool InLayer(bool moves) const
    {
        return ctx_.DragLayer == TRenderContext::TDragLayer::All ||
               moves == (ctx_.DragLayer == TRenderContext::TDragLayer::Moving);
    }
    bool NodeOnDisplayedPipe(const TBranch* branch, bool start) const;
    QColor BranchColor(const TBranch* branch, double fraction) const;

    void PaintIsolated();
    void PaintBranch(size_t index);
    void PaintBody(const TBranch* branch, QPointF a, QPointF e);
    void PaintBand(QPointF a, QPointF e, const QColor& fill, const QColor& outline);
    void PaintPressureBody(QPointF a, QPointF e, bool thick, bool selected, const QColor& outline);
    void PaintHatch(QPointF a, QPointF e, Qt::BrushStyle hatch);
    void PaintPipes(const TBranch* branch, QPointF a, QPointF e);
    bool WholePipeCoversLine(const TBranch* branch) const;
    void PaintBranchLabel(TBranch* branch, QPointF a, QPointF e);
    void PaintComment(const TBranch* branch, QPointF a, QPointF e);
    void PaintDevices(const TBranch* branch, QPointF a, QPointF e);
    void PaintDevice(TDevice* device, QPointF a, QPointF e);
    void PaintWaterArrows(const TBranch* branch, QPointF a, QPointF e);
    void PaintArrow(QPointF centre, double angle, double headWidth, double headPart, const QColor& fill,
                    const QColor& outline, double penWidth);
    void PaintUzel(TUzel* uzel, QPointF at, const QColor& fill);
    void PaintUzelLabels(TUzel* uzel, QPointF at);
    void PaintUzelResultLabel(TUzel* uzel, QPointF at);
    void PaintBranchResults(const TBranch* branch, QPointF a, QPointF e);
    // A boxed label centred at the point; false when it lay outside the clip.
    bool PaintBoxedLabel(const QString& text, QPointF centre, QPointF anchor, TextSizes& sizes,
                         const Role& role, bool ellipse, bool selected, TDrawnObjects::LabelKind kind,
                         TMineObject* owner);
    const TPipe* DisplayedWaterPipe(const TBranch* branch) const;
    template <class F>
    void ForEachDisplayedPipe(const TBranch* branch, F&& f) const;

    QPainter& p_;
    const TSchemaScene& scene_;
    const TRenderContext& ctx_;
    const TViewGeometry& view_;
    const TDisplaySwitches& show_;
    TDrawnObjects* out_;
    QRectF clip_;
    double sf_;
    double tf_;
    bool objects_;
    bool hasResults_;
    // Coloured by pressures, and the current branch's stretches (empty: standard colour).
    bool byPressure_;
    std::vector<TPressureStretch> stretches_;
    // How far from a branch's midpoint, and from a node, anything drawn with it may reach.
    double branchReach_ = 0;
    double uzelReach_ = 0;

    QColor selected_;
    Role branch_, uzel_, uzelNumber_, branchNumber_, result_, waterArrow_;
    QColor commentColor_;
    bool uzelEllipse_, branchEllipse_;
    TextSizes uzelNumberText_, branchNumberText_, resultText_, commentText_;

    std::vector<int> countdown_;
    std::vector<std::pair<TDevice*, std::pair<QPointF, QPointF>>> onNodes_;

    // What the painter holds, so that 100 000 branches do not set the same pen again.
    QColor penColor_;
    double penWidth_ = -1;
    Qt::PenStyle penStyle_ = Qt::NoPen;
    QColor brushColor_;
    bool brushSet_ = false;
    std::unordered_map<quint64, QPen> pens_;
    const TextSizes* font_ = nullptr;
};

NetworkPainter::NetworkPainter(QPainter& painter, const TSchemaScene& scene, const TRenderContext& ctx, TDrawnObjects* out)
    : p_(painter),
      scene_(scene),
      ctx_(ctx),
      view_(ctx.View),
      show_(ctx.Show),
      out_(out),
      clip_(ctx.EffectiveClip().adjusted(-kClipSlack, -kClipSlack, kClipSlack, kClipSlack)),
      sf_(ctx.View.SymbolFactor()),
      tf_(ctx.View.TextFactor()),
      objects_(ctx.View.ObjectsVisible()),
      hasResults_(ctx.Results != nullptr),
      byPressure_(ctx.Show.ColorPaint == cmPressures && ctx.Results != nullptr),
      uzelNumberText_(ProfileFont(ctx.Colors[cpUzelNumber].Font, ctx.View.TextFactor(), ctx.Dpi, ctx.BlackWhite)),
      branchNumberText_(ProfileFont(ctx.Colors[cpBranchNumber].Font, ctx.View.TextFactor(), ctx.Dpi, ctx.BlackWhite)),
      resultText_(ProfileFont(ctx.Colors[cpResult].Font, ctx.View.TextFactor(), ctx.Dpi, ctx.BlackWhite)),
      commentText_(ProfileFont(ctx.Colors[cpComment].Font, ctx.View.TextFactor(), ctx.Dpi, ctx.BlackWhite))
{
    selected_ = Ink(ProfileColor(ctx.Colors[cpSelected].BackColor));
    branch_ = ResolveRole(cpBranch);
    uzel_ = ResolveRole(cpUzel);
    uzelNumber_ = ResolveRole(cpUzelNumber);
    branchNumber_ = ResolveRole(cpBranchNumber);
    result_ = ResolveRole(cpResult);
    waterArrow_ = ResolveRole(cpWaterArrow);
    commentColor_ = Ink(ProfileColor(ctx.Colors[cpComment].Font.Color));
    uzelEllipse_ = ctx.Colors[cpUzelNumber].Figure == fgEllipse;
    // Generous reaches for texts that are not measured before culling (comments, device
    // texts, results): a little more drawing near the clip, never a text cut at its edge.
    constexpr double kTextReach = 250;
    if (objects_) {
        if (show_.BranchLabels)
            branchReach_ = std::max(branchReach_, scene.BranchLabelReach() * tf_ + 8);
        if (show_.Comments || (show_.Devices && (show_.DevInfo != diNone || hasResults_)) ||
            (show_.BranchResultsShown() && hasResults_))
            branchReach_ = std::max(branchReach_, kTextReach * tf_);
        uzelReach_ = (show_.ThickBranch ? kThickNodeRadius : kThinNodeRadius) * 1.5 * sf_ + 2;
        if (show_.UzelNumbers)
            uzelReach_ += scene.UzelLabelReach() * tf_ + 8;
        if (show_.UzelResultsShown() && hasResults_)
            uzelReach_ += kTextReach * tf_;
    }
    branchEllipse_ = ctx.Colors[cpBranchNumber].Figure == fgEllipse;
}

NetworkPainter::Role NetworkPainter::ResolveRole(TProfileIndex index) const
{
    const TProfile& profile = ctx_.Colors[index];
    return Role{Paper(ProfileColor(profile.BackColor)), Ink(ProfileColor(profile.BorderColor)),
                Ink(ProfileColor(profile.Font.Color))};
}

void NetworkPainter::SetPen(const QColor& color, double width, Qt::PenStyle style)
{
    if (color == penColor_ && width == penWidth_ && style == penStyle_)
        return;
    penColor_ = color;
    penWidth_ = width;
    penStyle_ = style;
    // Pens are kept, so switching between a few colours allocates nothing.
    const quint64 key = quint64(color.rgba()) | quint64(std::lround(width * 16) & 0xFFFF) << 32 | quint64(style) << 48;
    auto it = pens_.find(key);
    if (it == pens_.end()) {
        QPen pen(color, width, style);
        pen.setCapStyle(Qt::FlatCap);
        pen.setJoinStyle(Qt::MiterJoin);
        it = pens_.emplace(key, pen).first;
    }
    p_.setPen(it->second);
}

void NetworkPainter::SetBrush(const QColor& color)
{
    if (brushSet_ && color == brushColor_)
        return;
    brushSet_ = true;
    brushColor_ = color;
    p_.setBrush(color);
}

QPointF NetworkPainter::ScreenOf(const TUzel* uzel) const
{
    QPointF at = view_.ToScreen(QPointF(uzel->SX(), uzel->SY()));
    if (uzel->Selected() && !ctx_.DragVector.isNull())
        at += ctx_.DragVector;
    return at;
}

const TPipe* NetworkPainter::DisplayedWaterPipe(const TBranch* branch) const
{
    return show_.WaterPipeShown() && show_.PipeIndex < branch->Pipes.Count() ? branch->Pipes.Items(show_.PipeIndex)
                                                                             : nullptr;
}

template <class F>
void NetworkPainter::ForEachDisplayedPipe(const TBranch* branch, F&& f) const
{
    ::ForEachDisplayedPipe(*branch, show_.PipeIndex, f);
}

bool NetworkPainter::NodeOnDisplayedPipe(const TBranch* branch, bool start) const
{
    bool on = false;
    ForEachDisplayedPipe(branch, [&](const TPipe* pipe) {
        on = on || (start ? pipe->StartFrac() <= 0 : pipe->EndFrac() >= 1);
    });
    return on;
}

QColor NetworkPainter::BranchColor(const TBranch* branch, double fraction) const
{
    switch (show_.ColorPaint) {
    case cmSeams: {
        const int i = branch->LayerIndex();
        return i >= 0 ? Paper(ProfileColor(TColor(scene_.Mine().Layers.Items(i)->Color()))) : branch_.Back;
    }
    case cmPositions: {
        const int i = branch->PLFIndex();
        return i >= 0 ? Paper(ProfileColor(TColor(scene_.Mine().PLFPositions.Items(i)->Color()))) : branch_.Back;
    }
    case cmPressures:
        // Of the branch being drawn: its stretches are at hand.
        for (const TPressureStretch& s : stretches_)
            if (fraction >= s.Start && fraction <= s.End)
                return Paper(PressureColouring::Color(s.Class));
        return branch_.Back;
    default:
        return branch_.Back;
    }
}

void NetworkPainter::Paint()
{
    countdown_ = scene_.VisibleCounts();
    PaintIsolated();
    for (size_t i = 0; i < scene_.VisibleBranches().size(); ++i)
        PaintBranch(i);
    // Devices standing on a node, above the node circles.
    for (const auto& [device, segment] : onNodes_)
        PaintDevice(device, segment.first, segment.second);
}

void NetworkPainter::PaintIsolated()
{
    if (!objects_)
        return;
    for (TUzel* uzel : scene_.IsolatedUzels())
        if (InLayer(uzel->Selected()))
            PaintUzel(uzel, ScreenOf(uzel), uzel_.Back);
}

void NetworkPainter::PaintBranch(size_t index)
{
    const TSchemaScene::Ends& ends = scene_.VisibleEnds()[index];
    // Drawn in layers, a node is drawn with each of its branches of the layer: the branch
    // that would bring its count to zero may lie in the other layer.
    const bool layered = ctx_.DragLayer != TRenderContext::TDragLayer::All;
    if (layered) {
        const TBranch* b = scene_.VisibleBranches()[index];
        if (!InLayer(b->StartUzel()->Selected() || b->EndUzel()->Selected()))
            return;
    }
    const bool countdown = !layered && !scene_.SomeHidden() && !show_.OnlyDuct;
    int& startLeft = countdown_[size_t(ends.Start)];
    int& endLeft = countdown_[size_t(ends.End)];
    --startLeft;
    --endLeft;

    // Where the ends lie: from the scene's copy, so a branch far from the clip is passed over
    // without touching it; while nodes are dragged, from the nodes themselves.
    TBranch* branch = nullptr;
    QPointF a, e;
    if (ctx_.DragVector.isNull()) {
        const TSchemaScene::Segment& s = scene_.VisibleSegments()[index];
        a = view_.ToScreen(QPointF(s.X1, s.Y1));
        e = view_.ToScreen(QPointF(s.X2, s.Y2));
    } else {
        branch = scene_.VisibleBranches()[index];
        a = ScreenOf(branch->StartUzel());
        e = ScreenOf(branch->EndUzel());
    }

    // Culling: the body, and the farthest any of its labels and texts may reach.
    const double band = kBandHalfWidth * sf_ + 1;
    const QRectF body = QRectF(a, e).normalized().adjusted(-band, -band, band, band);
    const QPointF mid = (a + e) / 2;
    const bool inside = Visible(body) ||
                        (branchReach_ > 0 && Visible(QRectF(mid.x() - branchReach_, mid.y() - branchReach_,
                                                            2 * branchReach_, 2 * branchReach_)));
    auto near = [&](QPointF at) {
        return Visible(QRectF(at.x() - uzelReach_, at.y() - uzelReach_, 2 * uzelReach_, 2 * uzelReach_));
    };
    if (!inside && !(objects_ && (near(a) || near(e))))
        return;
    if (!branch)
        branch = scene_.VisibleBranches()[index];
    if (byPressure_)
        PressureColouring::Stretches(*branch, *ctx_.Results, stretches_);

    if (inside) {
        if (out_)
            out_->Branches.push_back({branch, a, e});
        if (!show_.OnlyDuct)
            PaintBody(branch, a, e);
        PaintPipes(branch, a, e);
        if (objects_ && show_.BranchLabels && !branch->LabelToggle())
            PaintBranchLabel(branch, a, e);
        if (objects_ && show_.Comments && !branch->Remark().trimmed().isEmpty())
            PaintComment(branch, a, e);
        if (objects_ && show_.Devices)
            PaintDevices(branch, a, e);
        if (show_.WaterArrows && hasResults_)
            PaintWaterArrows(branch, a, e);
        const double length = Distance(a, e);
        if (show_.BranchArrows && length >= kArrowNeedsLength * sf_)
            PaintArrow(mid, Degrees(a, e), kDirectionHeadWidth, kDirectionHeadPart, Ink(kBranchArrowGrey),
                       Ink(kBranchArrowGrey), 1);
        if (show_.AirArrows && branch->AirQ() != 0 && length >= kArrowNeedsLength * sf_) {
            const double angle = branch->AirQ() > 0 ? Degrees(a, e) : Degrees(e, a);
            PaintArrow(mid, angle, kDirectionHeadWidth, kDirectionHeadPart, Ink(kAirArrowBlue), Ink(kAirArrowBlue), 1);
        }
    }

    // End nodes: with the branch that brings their count to zero (so once, above all their
    // branches), or with every branch when some are hidden; the higher one last.
    if (objects_) {
        const bool startDue = countdown ? startLeft == 0 : (!show_.OnlyDuct || NodeOnDisplayedPipe(branch, true));
        const bool endDue = countdown ? endLeft == 0 : (!show_.OnlyDuct || NodeOnDisplayedPipe(branch, false));
        auto node = [&](TUzel* uzel, QPointF at, bool due, double fraction) {
            if (!due || !near(at) || (ctx_.DragLayer == TRenderContext::TDragLayer::Fixed && uzel->Selected()))
                return;
            const QColor fill = show_.ColorPaint == cmStandard ? uzel_.Back : BranchColor(branch, fraction);
            PaintUzel(uzel, at, fill);
        };
        TUzel* start = branch->StartUzel();
        TUzel* end = branch->EndUzel();
        if (start->Z() > end->Z()) {
            node(end, e, endDue, 1);
            node(start, a, startDue, 0);
        } else {
            node(start, a, startDue, 0);
            node(end, e, endDue, 1);
        }
    }

    if (inside && objects_ && show_.BranchResultsShown() && hasResults_ && show_.WaterPipeShown())
        PaintBranchResults(branch, a, e);
}

void NetworkPainter::PaintBand(QPointF a, QPointF e, const QColor& fill, const QColor& outline)
{
    const double length = Distance(a, e);
    const double w = kBandHalfWidth * sf_;
    QPointF n(0, w);
    if (length > 0)
        n = QPointF(-(e.y() - a.y()), e.x() - a.x()) * (w / length);
    const std::array<QPointF, 4> band{a + n, e + n, e - n, a - n};
    SetPen(outline, 1);
    SetBrush(fill);
    p_.drawPolygon(band.data(), int(band.size()));
}

void NetworkPainter::PaintBody(const TBranch* branch, QPointF a, QPointF e)
{
    const bool thick = show_.ThickBranch && objects_;
    // A found branch blinks in the selected colour without being selected.
    const bool selected = branch->Selected() || branch == ctx_.Found;
    const QColor outline = selected ? selected_ : branch_.Border;

    if (byPressure_ && !stretches_.empty())
        return PaintPressureBody(a, e, thick, selected, outline);

    const QColor color = BranchColor(branch, 0);
    if (thick) {
        PaintBand(a, e, color, outline);
        return;
    }
    // A thin branch is a line: in the border colour in the standard mode, else in its seam's
    // (position's) colour. A pipe along the whole branch covers it exactly: not drawn twice.
    if (!selected && WholePipeCoversLine(branch))
        return;
    QColor line = show_.ColorPaint == cmStandard ? branch_.Border : Ink(color);
    if (selected)
        line = selected_;
    SetPen(line, 1);
    p_.drawLine(a, e);
}

// The body in the standard colour, each stretch of the pressure scale over it: a band filled
// in the class's colour (hatched in black and white), or a line in it (dashed).
void NetworkPainter::PaintPressureBody(QPointF a, QPointF e, bool thick, bool selected, const QColor& outline)
{
    if (thick) {
        PaintBand(a, e, branch_.Back, outline);
        for (const TPressureStretch& s : stretches_) {
            const QPointF from = Along(a, e, s.Start);
            const QPointF to = Along(a, e, s.End);
            PaintBand(from, to, Paper(PressureColouring::Color(s.Class)), outline);
            if (ctx_.BlackWhite)
                PaintHatch(from, to, PressureColouring::Hatch(s.Class));
        }
        return;
    }
    SetPen(selected ? selected_ : branch_.Border, 1);
    p_.drawLine(a, e);
    for (const TPressureStretch& s : stretches_) {
        if (ctx_.BlackWhite)
            SetPen(Qt::black, 1, PressureColouring::Dashes(s.Class));
        else
            SetPen(selected ? selected_ : PressureColouring::Color(s.Class), 1);
        p_.drawLine(Along(a, e, s.Start), Along(a, e, s.End));
    }
}

void NetworkPainter::PaintHatch(QPointF a, QPointF e, Qt::BrushStyle hatch)
{
    if (hatch == Qt::NoBrush)
        return;
    const double length = Distance(a, e);
    const double w = kBandHalfWidth * sf_;
    QPointF n(0, w);
    if (length > 0)
        n = QPointF(-(e.y() - a.y()), e.x() - a.x()) * (w / length);
    const std::array<QPointF, 4> band{a + n, e + n, e - n, a - n};
    // The hatching grows with the band, on a sheet as on the screen.
    QBrush brush(Qt::black, hatch);
    const double k = std::max(1.0, sf_ / 2);
    brush.setTransform(QTransform::fromScale(k, k));
    p_.save();
    p_.setRenderHint(QPainter::NonCosmeticBrushPatterns);
    p_.setPen(Qt::NoPen);
    p_.setBrush(brush);
    p_.drawPolygon(band.data(), int(band.size()));
    p_.restore();
    // The painter's pen and brush are no longer the remembered ones.
    penWidth_ = -1;
    brushSet_ = false;
}

bool NetworkPainter::WholePipeCoversLine(const TBranch* branch) const
{
    if (show_.PipeIndex < 0 || show_.PipeIndex > 2 || std::max(1.0, std::round(sf_)) != 1)
        return false;
    const TPipe* pipe = DisplayedWaterPipe(branch);
    return pipe && IsLaid(pipe) && pipe->StartFrac() <= 0 && pipe->EndFrac() >= 1;
}

void NetworkPainter::PaintPipes(const TBranch* branch, QPointF a, QPointF e)
{
    const bool thick = show_.ThickBranch && objects_;
    const double width = thick ? std::max(1.0, std::round(2 * sf_)) : std::max(1.0, std::round(sf_));
    ForEachDisplayedPipe(branch, [&](const TPipe* pipe) {
        if (pipe->EndFrac() <= pipe->StartFrac())
            return;
        QColor color = Ink(ProfileColor(TColor(pipe->Color())));
        const bool selected = (branch->Selected() || branch == ctx_.Found) && !thick;
        if (selected)
            color = selected_;
        // Coloured by pressures, the fire-fighting pipe runs in its stretches' colours (a shade
        // darker inside a band, so it still reads as a pipe), dashed in black and white.
        if (!stretches_.empty() && pipe == branch->FirePipe() && !selected) {
            double t = pipe->StartFrac();
            auto piece = [&](double t0, double t1) {
                if (t1 > t0)
                    p_.drawLine(Along(a, e, t0), Along(a, e, t1));
            };
            for (const TPressureStretch& s : stretches_) {
                SetPen(color, width);
                piece(t, std::min(s.Start, pipe->EndFrac()));
                if (ctx_.BlackWhite)
                    SetPen(Qt::black, width, PressureColouring::Dashes(s.Class));
                else
                    SetPen(thick ? PressureColouring::Color(s.Class).darker(140) : PressureColouring::Color(s.Class), width);
                piece(std::max(s.Start, pipe->StartFrac()), std::min(s.End, pipe->EndFrac()));
                t = std::max(t, s.End);
            }
            SetPen(color, width);
            piece(t, pipe->EndFrac());
            return;
        }
        SetPen(color, width);
        p_.drawLine(Along(a, e, pipe->StartFrac()), Along(a, e, pipe->EndFrac()));
    });
}

bool NetworkPainter::PaintBoxedLabel(const QString& text, QPointF centre, QPointF anchor, TextSizes& sizes,
                                     const Role& role, bool ellipse, bool selected, TDrawnObjects::LabelKind kind,
                                     TMineObject* owner)
{
    const QSizeF size = sizes.Size(text);
    if (owner && owner == ctx_.LabelDrag.Owner &&
        (kind == TDrawnObjects::LabelKind::UzelResult) == ctx_.LabelDrag.Result) {
        centre += ctx_.LabelDrag.Vector;
        selected = true;
    }
    const TLabelBox box = LabelBoxAt(centre, size, ellipse);
    const QRectF reach = box.Figure.united(QRectF(anchor, QSizeF(1, 1)));
    if (!Visible(reach))
        return false;
    const QColor border = selected ? selected_ : role.Border;
    SetPen(border, 1);
    p_.drawLine(centre, anchor);
    SetBrush(role.Back);
    if (ellipse)
        p_.drawEllipse(box.Figure);
    else
        p_.drawRect(box.Figure);
    UseFont(sizes);
    SetPen(role.Text);
    sizes.Draw(p_, box.Text, text, true);
    if (out_)
        out_->Labels.push_back({kind, owner, box.Figure});
    return true;
}

void NetworkPainter::PaintBranchLabel(TBranch* branch, QPointF a, QPointF e)
{
    const QString text = ResultTexts::BranchLabel(*branch, show_.BranchInfo);
    const QPointF anchor = (a + e) / 2;
    const QPointF centre = anchor + QPointF(branch->NumberLabelOffset().X(), branch->NumberLabelOffset().Y()) * tf_;
    PaintBoxedLabel(text, centre, anchor, branchNumberText_, branchNumber_, branchEllipse_, branch->Selected(),
                    TDrawnObjects::LabelKind::BranchNumber, branch);
}

void NetworkPainter::PaintComment(const TBranch* branch, QPointF a, QPointF e)
{
    const QString text = branch->Remark().trimmed();
    const QSizeF size = commentText_.Size(text);
    const QPointF mid = (a + e) / 2;
    const double reach = std::max(size.width(), size.height());
    if (!Visible(QRectF(mid.x() - reach, mid.y() - reach, 2 * reach, 2 * reach)))
        return;
    // Along the branch, in tenths of a degree, kept readable (never upside down).
    double angle = std::round(Degrees(a, e) * 10) / 10;
    if (angle > 90)
        angle -= 180;
    else if (angle < -90)
        angle += 180;
    const QTransform plain = p_.transform();
    QTransform turned = plain;
    turned.translate(mid.x(), mid.y());
    turned.rotate(angle);
    p_.setTransform(turned);
    UseFont(commentText_);
    SetPen(commentColor_);
    // Above the band, so the text never crosses the branch.
    const double lift = (show_.ThickBranch ? kBandHalfWidth * sf_ : 1) + 1;
    commentText_.Draw(p_, QRectF(-size.width() / 2, -size.height() - lift, size.width(), size.height()), text, true);
    p_.setTransform(plain);
}

void NetworkPainter::PaintDevices(const TBranch* branch, QPointF a, QPointF e)
{
    ForEachDisplayedPipe(branch, [&](const TPipe* pipe) {
        for (int i = 0; i < pipe->Devices.Count(); ++i) {
            TDevice* device = pipe->Devices.Items(i);
            PaintDevice(device, a, e);
            if (device->Position() <= 0 || device->Position() >= 1)
                onNodes_.push_back({device, {a, e}});
        }
    });
}

void NetworkPainter::PaintDevice(TDevice* device, QPointF a, QPointF e)
{
    const double length = Distance(a, e);
    if (length < DeviceMinimumLength(*device) * sf_)
        return;
    const QPointF at = Along(a, e, std::clamp(device->Position(), 0.0, 1.0));
    const TSymbolShape shape = SymbolOf(*device);
    const QRectF bounds = SymbolBounds(shape);
    const double reach = std::max({std::fabs(bounds.left()), std::fabs(bounds.right()), std::fabs(bounds.top()),
                                   std::fabs(bounds.bottom())}) * sf_ + 2;
    const QString info = show_.DevInfo != diNone ? DeviceInfoText(*device, show_.DevInfo) : QString();
    const bool labelled = !info.isEmpty() || (hasResults_ && (show_.ResultBits & kUzelResultBits) && !device->LabelToggle());
    const double labelReach = labelled ? 200 * tf_ : 0;
    if (!Visible(QRectF(at.x() - reach - labelReach, at.y() - reach - labelReach, 2 * (reach + labelReach),
                        2 * (reach + labelReach))))
        return;

    QColor state = DeviceStateColor(*device);
    if (device->Selected())
        state = kDeviceSelected;
    if (device == ctx_.Found)
        state = selected_;
    TSymbolStyle style;
    style.Fill = state;
    style.Outline = ctx_.BlackWhite ? QColor(Qt::black) : state;
    style.BlackWhite = ctx_.BlackWhite;
    if (const auto* pump = dynamic_cast<const TPump*>(device))
        style.TowardsStart = pump->HeadDirection() == 1;
    else if (const auto* reducer = dynamic_cast<const TReducer*>(device))
        style.TowardsStart = reducer->Direction() == 1;
    const double angle = length > 0 ? Degrees(a, e) : 0;
    DrawSymbol(p_, shape, at, sf_, angle, style);
    penWidth_ = -1;
    brushSet_ = false;
    if (out_)
        out_->Devices.push_back({device, at, angle});

    if (!info.isEmpty()) {
        UseFont(resultText_);
        // A tank's body is white; its text is red like the other kinds'.
        const QColor stateColor = DeviceStateColor(*device);
        SetPen(ctx_.BlackWhite ? QColor(Qt::black) : stateColor == QColor(Qt::white) ? kDeviceRed : stateColor);
        const QSizeF size = resultText_.Size(info);
        const QPointF topLeft = at + QPointF(reach, -reach - size.height());
        resultText_.Draw(p_, QRectF(topLeft, size), info, false);
    }
    if (hasResults_ && !device->LabelToggle()) {
        const QString text = ResultTexts::DeviceResult(*device, show_.ResultBits, *ctx_.Results);
        if (!text.isEmpty()) {
            const QPointF centre = at + QPointF(device->LabelOffset().X(), device->LabelOffset().Y()) * tf_;
            PaintBoxedLabel(text, centre, at, resultText_, result_, false, device->Selected(),
                            TDrawnObjects::LabelKind::DeviceLabel, device);
        }
    }
}

void NetworkPainter::PaintArrow(QPointF centre, double angle, double headWidth, double headPart, const QColor& fill,
                                const QColor& outline, double penWidth)
{
    const double length = kArrowLength * sf_;
    const double rad = angle * std::numbers::pi / 180;
    const QPointF dir(std::cos(rad), std::sin(rad));
    const QPointF normal(-dir.y(), dir.x());
    const QPointF tail = centre - dir * (length / 2);
    const QPointF tip = centre + dir * (length / 2);
    const QPointF base = tip - dir * (length * headPart);
    const double half = headWidth * sf_ / 2;
    SetPen(outline, penWidth);
    p_.drawLine(tail, base);
    const std::array<QPointF, 3> head{tip, base + normal * half, base - normal * half};
    SetBrush(fill);
    p_.drawPolygon(head.data(), int(head.size()));
}

void NetworkPainter::PaintWaterArrows(const TBranch* branch, QPointF a, QPointF e)
{
    const TPipe* pipe = DisplayedWaterPipe(branch);
    if (!pipe || !ctx_.Results->PipeHasResults(pipe))
        return;
    if (Distance(a, e) < kArrowNeedsLength * sf_)
        return;
    const double penWidth = view_.Scale() >= 1 ? 2 : 1;
    for (int i = 0; i < pipe->SectionCount(); ++i) {
        const auto* section = dynamic_cast<const TWaterPipePart*>(pipe->GetSection(i));
        const TSectionResult* values = section ? ctx_.Results->Find(section) : nullptr;
        if (!values || section->SectionLength() == 0 || values->Q == 0)
            continue;
        const QPointF s = Along(a, e, section->SectionStart());
        const QPointF t = Along(a, e, section->SectionEnd());
        const QPointF mid = (s + t) / 2;
        // Culled by its reach like everything else: an arrow across the clip's edge is
        // drawn, so a repainted strip joins the rest of it.
        const double reach = kArrowLength * sf_ / 2 + penWidth + 1;
        if (!Visible(QRectF(mid.x() - reach, mid.y() - reach, 2 * reach, 2 * reach)))
            continue;
        const double angle = values->Q >= 0 ? Degrees(s, t) : Degrees(t, s);
        PaintArrow(mid, angle, kWaterHeadWidth * 2, kWaterHeadPart, waterArrow_.Back, waterArrow_.Border, penWidth);
    }
}

void NetworkPainter::PaintUzel(TUzel* uzel, QPointF at, const QColor& fill)
{
    const double r = (show_.ThickBranch ? kThickNodeRadius : kThinNodeRadius) * sf_;
    if (Visible(QRectF(at.x() - 1.5 * r - 1, at.y() - 1.5 * r - 1, 3 * r + 2, 3 * r + 2))) {
        if (uzel->Surface()) {
            const double rs = 1.5 * r;
            const QRectF circle(at.x() - rs, at.y() - rs, 2 * rs, 2 * rs);
            SetPen(Qt::black, 1);
            SetBrush(Qt::white);
            p_.drawEllipse(circle);
            // One half, cut along the diagonal, filled black.
            SetBrush(uzel->Selected() || uzel == ctx_.Found ? selected_ : QColor(Qt::black));
            p_.drawChord(circle, 45 * 16, 180 * 16);
        } else {
            SetPen(uzel->Selected() || uzel == ctx_.Found ? selected_ : uzel_.Border, 1);
            SetBrush(ctx_.BlackWhite ? QColor(Qt::white) : fill);
            p_.drawEllipse(QRectF(at.x() - r, at.y() - r, 2 * r + 1, 2 * r + 1));
        }
        if (out_)
            out_->Uzels.push_back({uzel, at});
    }
    PaintUzelLabels(uzel, at);
}

void NetworkPainter::PaintUzelLabels(TUzel* uzel, QPointF at)
{
    // Node numbers take this drawing's own text factor: a picture or a sheet never takes its
    // label size from the zoom on the screen.
    if (show_.UzelNumbers && !uzel->LabelToggle()) {
        const QPointF centre = at + QPointF(uzel->NumberLabelOffset().X(), uzel->NumberLabelOffset().Y()) * tf_;
        // Out of the clip by the farthest any node number reaches: not worth measuring.
        const double reach = scene_.UzelLabelReach() * tf_ + 8;
        if (!Visible(QRectF(at, QSizeF(1, 1)).adjusted(-reach, -reach, reach, reach)))
            return PaintUzelResultLabel(uzel, at);
        PaintBoxedLabel(QString::number(uzel->Number()), centre, at, uzelNumberText_, uzelNumber_, uzelEllipse_,
                        uzel->Selected(), TDrawnObjects::LabelKind::UzelNumber, uzel);
    }
    PaintUzelResultLabel(uzel, at);
}

void NetworkPainter::PaintUzelResultLabel(TUzel* uzel, QPointF at)
{
    if (hasResults_ && show_.UzelResultsShown() && uzel->ShowResult() && show_.WaterPipeShown()) {
        const QString text = ResultTexts::UzelResult(*uzel, show_.PipeIndex, show_.ResultBits, *ctx_.Results);
        if (!text.isEmpty()) {
            const QPointF centre = at + QPointF(uzel->ResultLabelOffset().X(), uzel->ResultLabelOffset().Y()) * tf_;
            PaintBoxedLabel(text, centre, at, uzelNumberText_, result_, false, uzel->Selected(),
                            TDrawnObjects::LabelKind::UzelResult, uzel);
        }
    }
}

void NetworkPainter::PaintBranchResults(const TBranch* branch, QPointF a, QPointF e)
{
    const TPipe* pipe = DisplayedWaterPipe(branch);
    if (!pipe || !ctx_.Results->PipeHasResults(pipe) || !branch->ShowResult())
        return;
    for (int i = 0; i < pipe->SectionCount(); ++i) {
        auto* section = dynamic_cast<TWaterPipePart*>(pipe->GetSection(i));
        const TSectionResult* values = section ? ctx_.Results->Find(section) : nullptr;
        if (!values || section->SectionLength() == 0)
            continue;
        const QString text = ResultTexts::SectionResult(*section, *values, show_.ResultBits);
        if (text.isEmpty())
            continue;
        const QPointF anchor = (Along(a, e, section->SectionStart()) + Along(a, e, section->SectionEnd())) / 2;
        const QPointF centre = anchor + QPointF(section->LabelOffset().X(), section->LabelOffset().Y()) * tf_;
        PaintBoxedLabel(text, centre, anchor, resultText_, result_, false, branch->Selected(),
                        TDrawnObjects::LabelKind::SectionResult, section);
    }
}

void PaintTextBlockSelection(QPainter& painter, const TTextBlockShape& shape, const TRenderContext& ctx)
{
    const QColor selected = ctx.BlackWhite ? QColor(Qt::black) : ProfileColor(ctx.Colors[cpSelected].BackColor);
    painter.save();
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(selected, 1, Qt::DashLine));
    painter.drawPolygon(shape.Outline);
    const QPointF edge = shape.ToScreen.map(QPointF(shape.Body.right(), shape.Body.center().y()));
    painter.setPen(QPen(selected, 1));
    painter.drawLine(edge, shape.Handle);
    painter.setBrush(selected);
    const double r = TTextBlockShape::kHandleRadius;
    painter.drawEllipse(shape.Handle, r, r);
    painter.restore();
}

void PaintTextBlocks(QPainter& painter, const TMine& mine, const TRenderContext& ctx)
{
    const TViewGeometry& view = ctx.View;
    const QRectF clip = ctx.EffectiveClip();
    for (const auto& owned : mine.TextBlocks) {
        const TTextBlock2D& block = *owned;
        const bool selected = &block == ctx.SelectedTextBlock;
        const TTextBlockShape shape = selected ? TextBlockShapeOf(block, view, ctx.Dpi, ctx.TextBlockShift, ctx.TextBlockAngle)
                                               : TextBlockShapeOf(block, view, ctx.Dpi);
        const double reach = TTextBlockShape::kHandleGap + TTextBlockShape::kHandleRadius + 2;
        if (!shape.Outline.boundingRect().adjusted(-reach, -reach, reach, reach).intersects(clip))
            continue;
        const QFont font = TextBlockFont(block, view.Scale(), ctx.Dpi, ctx.BlackWhite);
        const QFontMetricsF metrics(font);
        const double mx = TTextBlock2D::kMarginX * view.Scale();
        const double my = TTextBlock2D::kMarginY * view.Scale();
        painter.save();
        painter.setTransform(shape.ToScreen, true);
        painter.setPen(block.NoFrame() ? QPen(Qt::NoPen)
                                       : QPen(ctx.BlackWhite ? QColor(Qt::black) : ProfileColor(TColor(block.FrameColor())), 1));
        painter.setBrush(block.Transparent() ? QBrush(Qt::NoBrush)
                                             : QBrush(ctx.BlackWhite ? QColor(Qt::white)
                                                                     : ProfileColor(TColor(block.BackColor()))));
        painter.drawRect(shape.Body);
        painter.setFont(font);
        painter.setPen(ctx.BlackWhite ? QColor(Qt::black) : ProfileColor(TColor(block.Font().Color)));
        double y = my;
        for (const QString& line : block.Lines()) {
            painter.drawText(QPointF(mx, y + metrics.ascent()), line);
            y += metrics.height();
        }
        painter.restore();
        if (selected)
            PaintTextBlockSelection(painter, shape, ctx);
    }
}

void PaintGrid(QPainter& painter, const TRenderContext& ctx)
{
    const TViewGeometry& view = ctx.View;
    const double step = view.GridStep(ctx.GridStepMetres);
    const QRectF clip = ctx.EffectiveClip();
    const QRectF visible(view.ToSchema(clip.topLeft()), view.ToSchema(clip.bottomRight()));
    const TGridLines lines = GridLines(visible, view.Origin(), step);
    const QColor color = ctx.BlackWhite ? QColor(Qt::black) : ProfileColor(ctx.Colors[cpGrid].BackColor);
    for (double x : lines.X) {
        painter.setPen(QPen(color, x == view.Origin().x() ? 2 : 1));
        const double sx = view.ToScreen(QPointF(x, 0)).x();
        painter.drawLine(QPointF(sx, clip.top()), QPointF(sx, clip.bottom()));
    }
    for (double y : lines.Y) {
        painter.setPen(QPen(color, y == view.Origin().y() ? 2 : 1));
        const double sy = view.ToScreen(QPointF(0, y)).y();
        painter.drawLine(QPointF(clip.left(), sy), QPointF(clip.right(), sy));
    }
}

// The page: everything drawn plus both margins, from the scrolled origin.
void PaintPageFrame(QPainter& painter, const TRenderContext& ctx)
{
    const TViewGeometry& view = ctx.View;
    const QPointF topLeft(-view.ScrollPosition().x(), -view.ScrollPosition().y());
    const QRectF page(topLeft, QSizeF(view.TotalWidth(), view.TotalHeight()));
    const QColor back = ProfileColor(ctx.Colors[cpSchema].BackColor);
    painter.setPen(QPen(ctx.BlackWhite ? QColor(Qt::black) : Darkened(back, 20), 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(page.adjusted(0, 0, -1, -1));
}

}  // namespace

namespace SchemaRenderer {

void RenderNetwork(QPainter& painter, const TSchemaScene& scene, const TRenderContext& ctx, TDrawnObjects* out)
{
    if (ctx.View.Scale() <= 0)
        return;
    painter.save();
    if (ctx.BlackWhite)
        painter.setRenderHint(QPainter::Antialiasing, false);
    NetworkPainter(painter, scene, ctx, out).Paint();
    painter.restore();
}

void Render(QPainter& painter, const TSchemaScene& scene, const TRenderContext& ctx, TDrawnObjects* out)
{
    if (ctx.View.Scale() <= 0)
        return;
    painter.save();
    if (ctx.BlackWhite)
        painter.setRenderHint(QPainter::Antialiasing, false);
    const QRectF clip = ctx.EffectiveClip();
    painter.setClipRect(clip);
    painter.fillRect(clip, ctx.BlackWhite ? QColor(Qt::white) : ProfileColor(ctx.Colors[cpSchema].BackColor));
    NetworkPainter(painter, scene, ctx, out).Paint();
    // A printed sheet has the paper's edges and its cut lines: no page frame.
    if (!ctx.Printing)
        PaintPageFrame(painter, ctx);
    if (ctx.Show.TextBlocks)
        PaintTextBlocks(painter, scene.Mine(), ctx);
    if (ctx.Show.Grid)
        PaintGrid(painter, ctx);
    painter.restore();
}

}  // namespace SchemaRenderer
