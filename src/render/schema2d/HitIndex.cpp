#include "render/schema2d/HitIndex.h"

#include "core/model/Branch.h"
#include "core/model/Device.h"
#include "core/model/Pipe.h"
#include "core/model/PipePart.h"
#include "core/model/Mine.h"
#include "core/model/TextBlock2D.h"
#include "core/model/Uzel.h"
#include "render/schema2d/DisplayedPipes.h"
#include "render/schema2d/LabelBox.h"
#include "render/schema2d/ProfileLook.h"
#include "render/schema2d/ResultTexts.h"
#include "render/schema2d/SchemaScene.h"
#include "render/schema2d/SymbolShapes.h"
#include "render/schema2d/TextBlockLook.h"
#include "render/schema2d/TextSizes.h"

#include <algorithm>
#include <cmath>

namespace {

// Ends closer than this many symbol factors on both axes count as one place: only the
// higher node is hit, and no device of the branch.
constexpr double kCoincident = 6;
// Half-side of a node's square, in symbol factors.
constexpr double kUzelHalfSide = 3;
// Cells on an axis at the most.
constexpr int kMaxCells = 1024;

QRectF Square(QPointF centre, double half) { return QRectF(centre.x() - half, centre.y() - half, 2 * half, 2 * half); }

QRectF Label(QPointF centre, QSizeF size, bool ellipse) { return LabelBoxAt(centre, size, ellipse).Figure; }

TextSizes LabelFont(const TRenderContext& ctx, TProfileIndex role)
{
    return TextSizes(ProfileFont(ctx.Colors[role].Font, ctx.View.TextFactor(), ctx.Dpi, ctx.BlackWhite));
}

QPointF Offset(const TLabelOffset& offset) { return QPointF(offset.X(), offset.Y()); }

bool Coincide(QPointF a, QPointF e, double sf)
{
    return std::fabs(a.x() - e.x()) < kCoincident * sf && std::fabs(a.y() - e.y()) < kCoincident * sf;
}

}  // namespace

// The label fonts of one view: labels are measured as the renderer measures them, so a
// label's box is the one on the screen whatever other drawings (a print, a picture) did.
struct THitIndex::Fonts {
    explicit Fonts(const TRenderContext& ctx)
        : UzelNumber(LabelFont(ctx, cpUzelNumber)),
          BranchNumber(LabelFont(ctx, cpBranchNumber)),
          Result(LabelFont(ctx, cpResult))
    {
    }
    TextSizes UzelNumber, BranchNumber, Result;
};

THitIndex::THitIndex() = default;
THitIndex::~THitIndex() = default;

void THitIndex::Build(const TSchemaScene& scene, const TRenderContext& ctx, bool editor)
{
    fonts_ = editor ? std::make_unique<Fonts>(ctx) : nullptr;
    groups_.clear();
    cells_.clear();
    blocks_.clear();
    const TViewGeometry& view = ctx.View;
    offset_ = QPointF(view.OffX(), view.OffY());
    if (editor && ctx.Show.TextBlocks)
        for (const auto& block : scene.Mine().TextBlocks) {
            const TTextBlockShape shape = TextBlockShapeOf(*block, view, ctx.Dpi);
            BlockShape hit{block.get(), shape.Outline.translated(-offset_), std::nullopt};
            if (block.get() == ctx.SelectedTextBlock)
                hit.Handle = shape.Handle - offset_;
            blocks_.push_back(std::move(hit));
        }
    const bool objects = view.ObjectsVisible();
    tolerance_ = ctx.Show.ThickBranch && objects ? 3 * view.SymbolFactor() : 2;
    const double s = view.Scale();

    // Devices standing on a node come before everything else.
    if (objects && ctx.Show.Devices) {
        Group onNodes;
        for (TBranch* branch : scene.VisibleBranches()) {
            const QPointF a = QPointF(branch->StartUzel()->SX(), branch->StartUzel()->SY()) * s;
            const QPointF e = QPointF(branch->EndUzel()->SX(), branch->EndUzel()->SY()) * s;
            ForEachDisplayedPipe(*branch, ctx.Show.PipeIndex, [&](const TPipe* pipe) {
                for (int i = 0; i < pipe->Devices.Count(); ++i) {
                    TDevice* device = pipe->Devices.Items(i);
                    if (device->Position() > 0 && device->Position() < 1)
                        continue;
                    const QPointF at = device->Position() <= 0 ? a : e;
                    const QRectF bounds = SymbolBounds(SymbolOf(*device));
                    const double sf = view.SymbolFactor();
                    onNodes.Shapes.push_back({THit{THit::Kind::Device, device, branch},
                                              QRectF(at + bounds.topLeft() * sf, bounds.size() * sf), {}, {}, false});
                }
            });
        }
        AddGroup(std::move(onNodes));
    }
    const auto& branches = scene.VisibleBranches();
    for (size_t i = branches.size(); i-- > 0;)
        AddBranch(ctx, branches[i], editor);
    if (objects)
        for (TUzel* uzel : scene.IsolatedUzels()) {
            Group group;
            AddUzel(group, ctx, uzel, nullptr, editor);
            AddGroup(std::move(group));
        }

    // The grid: about one group per cell.
    area_ = QRectF();
    for (const Group& g : groups_)
        area_ = area_.isNull() ? g.Bounds : area_.united(g.Bounds);
    if (groups_.empty() || area_.isEmpty())
        area_ = area_.adjusted(-1, -1, 1, 1);
    cell_ = std::max({16.0, std::sqrt(area_.width() * area_.height() / double(std::max<size_t>(1, groups_.size()))),
                      std::max(area_.width(), area_.height()) / kMaxCells});
    columns_ = std::max(1, int(std::ceil(area_.width() / cell_)));
    rows_ = std::max(1, int(std::ceil(area_.height() / cell_)));
    cells_.assign(size_t(columns_) * size_t(rows_), {});
    for (size_t g = 0; g < groups_.size(); ++g) {
        const QRectF& b = groups_[g].Bounds;
        const int c0 = std::clamp(int((b.left() - area_.left()) / cell_), 0, columns_ - 1);
        const int c1 = std::clamp(int((b.right() - area_.left()) / cell_), 0, columns_ - 1);
        const int r0 = std::clamp(int((b.top() - area_.top()) / cell_), 0, rows_ - 1);
        const int r1 = std::clamp(int((b.bottom() - area_.top()) / cell_), 0, rows_ - 1);
        for (int r = r0; r <= r1; ++r)
            for (int c = c0; c <= c1; ++c)
                cells_[size_t(r) * size_t(columns_) + size_t(c)].push_back(int(g));
    }
}

void THitIndex::AddUzel(Group& group, const TRenderContext& ctx, TUzel* uzel, TBranch* branch, bool editor)
{
    const TViewGeometry& view = ctx.View;
    const QPointF at = QPointF(uzel->SX(), uzel->SY()) * view.Scale();
    const double tf = view.TextFactor();
    if (editor && ctx.Show.UzelResultsShown() && ctx.Results != nullptr && uzel->ShowResult() &&
        ctx.Show.WaterPipeShown()) {
        const QString text = ResultTexts::UzelResult(*uzel, ctx.Show.PipeIndex, ctx.Show.ResultBits, *ctx.Results);
        if (!text.isEmpty())
            group.Shapes.push_back({THit{THit::Kind::UzelResult, uzel, branch},
                                    Label(at + Offset(uzel->ResultLabelOffset()) * tf, fonts_->UzelNumber.Size(text), false),
                                    {}, {}, false});
    }
    if (editor && ctx.Show.UzelNumbers && !uzel->LabelToggle())
        group.Shapes.push_back({THit{THit::Kind::UzelNumber, uzel, branch},
                                Label(at + Offset(uzel->NumberLabelOffset()) * tf,
                                      fonts_->UzelNumber.Size(QString::number(uzel->Number())),
                                      ctx.Colors[cpUzelNumber].Figure == fgEllipse),
                                {}, {}, false});
    group.Shapes.push_back({THit{THit::Kind::Uzel, uzel, branch}, Square(at, kUzelHalfSide * view.SymbolFactor()), {},
                            {}, false});
}

void THitIndex::AddBranch(const TRenderContext& ctx, TBranch* branch, bool editor)
{
    const TViewGeometry& view = ctx.View;
    const double s = view.Scale();
    const double sf = view.SymbolFactor();
    const double tf = view.TextFactor();
    TUzel* start = branch->StartUzel();
    TUzel* end = branch->EndUzel();
    const QPointF a = QPointF(start->SX(), start->SY()) * s;
    const QPointF e = QPointF(end->SX(), end->SY()) * s;
    const bool coincide = Coincide(a, e, sf);
    Group group;

    if (view.ObjectsVisible()) {
        if (ctx.Show.Devices && !coincide)
            ForEachDisplayedPipe(*branch, ctx.Show.PipeIndex, [&](const TPipe* pipe) {
                for (int i = 0; i < pipe->Devices.Count(); ++i) {
                    TDevice* device = pipe->Devices.Items(i);
                    const QPointF at = a + (e - a) * std::clamp(device->Position(), 0.0, 1.0);
                    const QRectF bounds = SymbolBounds(SymbolOf(*device));
                    group.Shapes.push_back({THit{THit::Kind::Device, device, branch},
                                            QRectF(at + bounds.topLeft() * sf, bounds.size() * sf), {}, {}, false});
                }
            });
        const TPipe* water = ctx.Show.WaterPipeShown() && ctx.Show.PipeIndex < branch->Pipes.Count()
                                 ? branch->Pipes.Items(ctx.Show.PipeIndex)
                                 : nullptr;
        if (editor && ctx.Show.BranchResultsShown() && water && ctx.Results && ctx.Results->PipeHasResults(water))
            for (int i = 0; i < water->SectionCount(); ++i) {
                auto* section = dynamic_cast<TWaterPipePart*>(water->GetSection(i));
                const TSectionResult* values = section ? ctx.Results->Find(section) : nullptr;
                if (!values || section->SectionLength() == 0 || !branch->ShowResult())
                    continue;
                const QString text = ResultTexts::SectionResult(*section, *values, ctx.Show.ResultBits);
                if (text.isEmpty())
                    continue;
                const QPointF anchor = (a + (e - a) * section->SectionStart() + a + (e - a) * section->SectionEnd()) / 2;
                group.Shapes.push_back({THit{THit::Kind::SectionResult, section, branch},
                                        Label(anchor + Offset(section->LabelOffset()) * tf, fonts_->Result.Size(text), false),
                                        {}, {}, false});
            }
        // Ends at one place: only the higher node.
        if (coincide) {
            AddUzel(group, ctx, start->Z() > end->Z() ? start : end, branch, editor);
        } else {
            AddUzel(group, ctx, start, branch, editor);
            AddUzel(group, ctx, end, branch, editor);
        }
        if (editor && ctx.Show.BranchLabels && !branch->LabelToggle())
            group.Shapes.push_back({THit{THit::Kind::BranchNumber, branch, branch},
                                    Label((a + e) / 2 + Offset(branch->NumberLabelOffset()) * tf,
                                          fonts_->BranchNumber.Size(ResultTexts::BranchLabel(*branch, ctx.Show.BranchInfo)),
                                          ctx.Colors[cpBranchNumber].Figure == fgEllipse),
                                    {}, {}, false});
    }
    const QRectF line = QRectF(a, e).normalized().adjusted(-tolerance_, -tolerance_, tolerance_, tolerance_);
    group.Shapes.push_back({THit{THit::Kind::Branch, branch, branch}, line, a, e, true});
    AddGroup(std::move(group));
}

void THitIndex::AddGroup(Group group)
{
    if (group.Shapes.empty())
        return;
    group.Bounds = group.Shapes.front().Box;
    for (const Shape& shape : group.Shapes)
        group.Bounds = group.Bounds.united(shape.Box);
    groups_.push_back(std::move(group));
}

bool THitIndex::Hits(const Shape& shape, QPointF p) const
{
    if (!shape.Box.contains(p))
        return false;
    if (!shape.Line)
        return true;
    const QPointF d = shape.To - shape.From;
    const double length = std::hypot(d.x(), d.y());
    if (length == 0)
        return std::hypot(p.x() - shape.From.x(), p.y() - shape.From.y()) <= tolerance_;
    // Distance from the infinite line through the ends.
    const double distance = std::fabs(d.x() * (shape.From.y() - p.y()) - d.y() * (shape.From.x() - p.x())) / length;
    return distance <= tolerance_;
}

THit THitIndex::At(QPointF screen) const
{
    const QPointF p = screen - offset_;
    for (auto it = blocks_.rbegin(); it != blocks_.rend(); ++it) {
        if (it->Outline.containsPoint(p, Qt::OddEvenFill))
            return THit{THit::Kind::TextBlock, nullptr, nullptr, it->Block};
        if (it->Handle && std::hypot(p.x() - it->Handle->x(), p.y() - it->Handle->y()) <=
                              TTextBlockShape::kHandleRadius + 2)
            return THit{THit::Kind::TextBlockHandle, nullptr, nullptr, it->Block};
    }
    if (cells_.empty() || !area_.contains(p))
        return THit{};
    const int c = std::clamp(int((p.x() - area_.left()) / cell_), 0, columns_ - 1);
    const int r = std::clamp(int((p.y() - area_.top()) / cell_), 0, rows_ - 1);
    // Group indices are in the order they are tried.
    for (int g : cells_[size_t(r) * size_t(columns_) + size_t(c)]) {
        const Group& group = groups_[size_t(g)];
        if (!group.Bounds.contains(p))
            continue;
        for (const Shape& shape : group.Shapes)
            if (Hits(shape, p))
                return shape.Hit;
    }
    return THit{};
}
