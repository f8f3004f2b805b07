#include "render/schema2d/SchemaScene.h"

#include "core/schema/SchemaPositions.h"
#include "core/model/Branch.h"
#include "core/model/Device.h"
#include "core/model/Layer.h"
#include "core/model/Mine.h"
#include "core/model/TextBlock2D.h"
#include "core/model/Pipe.h"
#include "core/model/PipePart.h"
#include "core/model/Uzel.h"
#include "render/schema2d/DisplayedPipes.h"
#include "render/schema2d/ProfileLook.h"
#include "render/schema2d/ResultTexts.h"
#include "render/schema2d/TextBlockLook.h"

#include <QFontMetricsF>
#include <QTransform>

#include <algorithm>
#include <array>
#include <cmath>
#include <unordered_set>

namespace {

// Widths of number texts by length: digits share one advance in the schema's fonts, so a
// text's width depends on its length only and 100 000 labels need no measuring each.
class TextWidths {
public:
    explicit TextWidths(const QFont& font) : metrics_(font) {}
    double Width(int length)
    {
        length = std::clamp(length, 0, int(cache_.size()) - 1);
        if (cache_[size_t(length)] < 0)
            cache_[size_t(length)] = metrics_.horizontalAdvance(QString(length, QLatin1Char('0')));
        return cache_[size_t(length)];
    }
    double Height() const { return metrics_.height(); }

private:
    QFontMetricsF metrics_;
    std::array<double, 24> cache_{-1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1,
                                  -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1};
};

int DigitCount(long long value)
{
    int n = value < 0 ? 2 : 1;
    value = std::llabs(value);
    while (value >= 10) {
        value /= 10;
        ++n;
    }
    return n;
}

// How far a box of the given size centred at p reaches beyond the extent.
void Reach(QMarginsF& overhang, const QRectF& extent, QPointF p, double w, double h)
{
    overhang.setLeft(std::max(overhang.left(), extent.left() - (p.x() - w / 2)));
    overhang.setRight(std::max(overhang.right(), p.x() + w / 2 - extent.right()));
    overhang.setTop(std::max(overhang.top(), extent.top() - (p.y() - h / 2)));
    overhang.setBottom(std::max(overhang.bottom(), p.y() + h / 2 - extent.bottom()));
}

// The smallest rectangle holding both, a rectangle of no size (one node) included.
QRectF Unite(const QRectF& a, const QRectF& b)
{
    return QRectF(QPointF(std::min(a.left(), b.left()), std::min(a.top(), b.top())),
                  QPointF(std::max(a.right(), b.right()), std::max(a.bottom(), b.bottom())));
}

// What a scene whose mine went shows: nothing. Made on the first such notice, after the
// watch registry, so it goes before that at the end.
TMine& NoMine()
{
    static TMine empty;
    return empty;
}

}  // namespace

TSchemaScene::TSchemaScene(TMine& mine) : mine_(&mine)
{
    watch_.Start(mine_, [this](const TMineObject* gone) { ObjectGone(gone); });
    Rebuild();
}

void TSchemaScene::ObjectGone(const TMineObject* object)
{
    // Only pointers are let go of here: the mine is in the middle of freeing something.
    stale_ = true;
    if (object)
        gone_.insert(object);
    else
        mine_ = &NoMine();
    if (onGone_)
        onGone_(object);
}

const TSchemaScene& TSchemaScene::Current() const
{
    // The scene is a cache of the mine; bringing it up to date is no change of what it says.
    if (stale_)
        const_cast<TSchemaScene*>(this)->Rebuild();
    return *this;
}

void TSchemaScene::SetDrawingOrder(const std::vector<TBranch*>& order)
{
    order_.clear();
    order_.reserve(size_t(mine_->Branches.Count()));
    std::unordered_set<const TBranch*> taken;
    taken.reserve(order.size());
    std::unordered_set<const TBranch*> inMine;
    inMine.reserve(size_t(mine_->Branches.Count()));
    for (int i = 0; i < mine_->Branches.Count(); ++i)
        inMine.insert(mine_->Branches.Items(i));
    for (TBranch* b : order)
        if (b && inMine.count(b) && taken.insert(b).second)
            order_.push_back(b);
    for (int i = 0; i < mine_->Branches.Count(); ++i) {
        TBranch* b = mine_->Branches.Items(i);
        if (!taken.count(b))
            order_.push_back(b);
    }
    Rebuild();
}

bool TSchemaScene::BranchVisible(const TBranch* branch) const
{
    if (!branch->Linked())
        return false;
    const int layer = branch->LayerIndex();
    if (layer >= 0 && !mine_->Layers.Items(layer)->Visible())
        return false;
    const int plf = branch->PLFIndex();
    if (plf >= 0 && !mine_->PLFPositions.Items(plf)->Visible())
        return false;
    return true;
}

int TSchemaScene::IndexOf(const TUzel* uzel) const
{
    const auto it = index_.find(uzel);
    return it == index_.end() ? -1 : it->second;
}

void TSchemaScene::Rebuild()
{
    if (stale_) {
        // The stored order names freed branches (even when as many came as went): they leave
        // it unread, and a new branch at a freed one's address joins at the end.
        stale_ = false;
        std::vector<TBranch*> kept;
        kept.swap(order_);
        std::erase_if(kept, [this](const TBranch* b) { return gone_.count(static_cast<const TMineObject*>(b)) > 0; });
        gone_.clear();
        if (!kept.empty()) {
            SetDrawingOrder(kept);
            return;
        }
    }
    if (order_.size() != size_t(mine_->Branches.Count())) {
        // The mine's own order, or the stored one with the branches it lacks at its end.
        std::vector<TBranch*> kept;
        kept.swap(order_);
        if (kept.empty()) {
            order_.reserve(size_t(mine_->Branches.Count()));
            for (int i = 0; i < mine_->Branches.Count(); ++i)
                order_.push_back(mine_->Branches.Items(i));
        } else {
            SetDrawingOrder(kept);
            return;
        }
    }

    someHidden_ = false;
    for (int i = 0; i < mine_->Layers.Count(); ++i)
        someHidden_ = someHidden_ || !mine_->Layers.Items(i)->Visible();
    for (int i = 0; i < mine_->PLFPositions.Count(); ++i)
        someHidden_ = someHidden_ || !mine_->PLFPositions.Items(i)->Visible();

    const int uzelCount = mine_->Uzels.Count();
    index_.clear();
    index_.reserve(size_t(uzelCount));
    isolated_.clear();
    for (int i = 0; i < uzelCount; ++i) {
        TUzel* u = mine_->Uzels.Items(i);
        index_.emplace(u, i);
        if (u->IncidentCount() == 0)
            isolated_.push_back(u);
    }

    visible_.clear();
    visible_.reserve(order_.size());
    visibleEnds_.clear();
    visibleEnds_.reserve(order_.size());
    counts_.assign(size_t(uzelCount), 0);
    for (TBranch* b : order_) {
        if (!BranchVisible(b))
            continue;
        const Ends ends{IndexOf(b->StartUzel()), IndexOf(b->EndUzel())};
        if (ends.Start < 0 || ends.End < 0)
            continue;  // an end node outside the mine's list: nothing to draw it at
        visible_.push_back(b);
        visibleEnds_.push_back(ends);
        ++counts_[size_t(ends.Start)];
        ++counts_[size_t(ends.End)];
    }
    RefreshSegments();
}

void TSchemaScene::RefreshSegments()
{
    segments_.resize(visible_.size());
    for (size_t i = 0; i < visible_.size(); ++i) {
        const TUzel* a = visible_[i]->StartUzel();
        const TUzel* e = visible_[i]->EndUzel();
        segments_[i] = Segment{a->SX(), a->SY(), e->SX(), e->SY()};
    }
}

// Single edits rebuild: linear, and a new branch may bring nodes the index lacks.
void TSchemaScene::BranchAdded(TBranch* branch)
{
    Current();
    if (!branch || std::find(order_.begin(), order_.end(), branch) != order_.end())
        return;
    order_.push_back(branch);
    Rebuild();
}

void TSchemaScene::BranchRemoved(TBranch* branch)
{
    Current();
    std::erase(order_, branch);
    Rebuild();
}

int TSchemaScene::VisibleIncidentCount(const TUzel* uzel) const
{
    const int i = Current().IndexOf(uzel);
    return i < 0 ? 0 : counts_[size_t(i)];
}

void TSchemaScene::RecomputeExtent(const TDisplaySwitches& show, const TColors2D& colors, const THydroResults* results)
{
    Current();
    RefreshSegments();
    extent_ = SchemaPositions::NodeExtent(*mine_).value_or(QRectF());
    overhang_ = QMarginsF();
    uzelLabelReach_ = 0;
    branchLabelReach_ = 0;
    // Text blocks belong to the plan (they scale with the view): part of the extent itself.
    bool haveExtent = mine_->Uzels.Count() > 0;
    if (show.TextBlocks)
        for (const auto& block : mine_->TextBlocks) {
            QTransform turn;
            turn.translate(block->Left(), block->Top());
            turn.rotate(-block->Angle());
            const QRectF body = turn.mapRect(QRectF(QPointF(0, 0), TextBlockSize(*block, 1, 96)));
            extent_ = haveExtent ? Unite(extent_, body) : body;
            haveExtent = true;
        }
    if (mine_->Uzels.Count() == 0)
        return;

    // Boxed labels: the text plus the figure's rim (rectangle: 1..3 pixels; ellipse: radius
    // max(w, h) / 2 + 2), measured at text factor 1 on a 96 dpi target. Their reach from the
    // anchor is kept whether they are shown or not: culling asks for it.
    auto boxed = [](double w, double h, bool ellipse, double& bw, double& bh) {
        if (ellipse) {
            bw = bh = std::max(w, h) + 4;
        } else {
            bw = w + 4;
            bh = h + 5;
        }
    };
    auto reach = [](const TLabelOffset& o, double bw, double bh) {
        return std::hypot(o.X(), o.Y()) + std::hypot(bw, bh) / 2;
    };

    {
        const TProfile& p = colors[cpUzelNumber];
        TextWidths widths(ProfileFont(p.Font, 1, 96));
        const bool ellipse = p.Figure == fgEllipse;
        for (int i = 0; i < mine_->Uzels.Count(); ++i) {
            const TUzel* u = mine_->Uzels.Items(i);
            double bw = 0, bh = 0;
            boxed(widths.Width(DigitCount(u->Number())), widths.Height(), ellipse, bw, bh);
            const TLabelOffset& o = u->NumberLabelOffset();
            uzelLabelReach_ = std::max(uzelLabelReach_, reach(o, bw, bh));
            if (show.UzelNumbers && !u->LabelToggle())
                Reach(overhang_, extent_, QPointF(u->SX() + o.X(), u->SY() + o.Y()), bw, bh);
        }
    }
    {
        const TProfile& p = colors[cpBranchNumber];
        TextWidths widths(ProfileFont(p.Font, 1, 96));
        const bool ellipse = p.Figure == fgEllipse;
        for (const TBranch* b : visible_) {
            int length = DigitCount(b->Number());
            if (show.BranchInfo == biLengths)
                length = DigitCount(std::llround(b->Length())) + 2;
            else if (show.BranchInfo == biAngles)
                length = DigitCount(std::llround(std::fabs(b->Angle()))) + 3;
            double bw = 0, bh = 0;
            boxed(widths.Width(length), widths.Height(), ellipse, bw, bh);
            const TLabelOffset& o = b->NumberLabelOffset();
            branchLabelReach_ = std::max(branchLabelReach_, reach(o, bw, bh));
            if (show.BranchLabels && !b->LabelToggle()) {
                const QPointF mid((b->StartUzel()->SX() + b->EndUzel()->SX()) / 2.0,
                                  (b->StartUzel()->SY() + b->EndUzel()->SY()) / 2.0);
                Reach(overhang_, extent_, mid + QPointF(o.X(), o.Y()), bw, bh);
            }
        }
    }
    if (results && show.WaterPipeShown())
        ResultsReach(show, colors, *results);
}

// The result labels as the renderer draws them: sections' and devices' in the results font,
// nodes' in the node-number font, each a rectangle around its lines.
void TSchemaScene::ResultsReach(const TDisplaySwitches& show, const TColors2D& colors, const THydroResults& results)
{
    const QFontMetricsF resultFont(ProfileFont(colors[cpResult].Font, 1, 96));
    const QFontMetricsF uzelFont(ProfileFont(colors[cpUzelNumber].Font, 1, 96));
    auto label = [&](const QFontMetricsF& font, const QString& text, QPointF at) {
        if (text.isEmpty())
            return;
        // A rectangle: the text and the figure's rim.
        const QSizeF size = font.boundingRect(QRectF(0, 0, 1e6, 1e6), Qt::AlignLeft | Qt::AlignTop, text).size();
        Reach(overhang_, extent_, at, size.width() + 4, size.height() + 5);
    };
    auto along = [](const TBranch* b, double t) {
        const QPointF a(b->StartUzel()->SX(), b->StartUzel()->SY());
        const QPointF e(b->EndUzel()->SX(), b->EndUzel()->SY());
        return a + (e - a) * t;
    };
    const bool sections = show.BranchResultsShown();
    for (const TBranch* b : visible_) {
        if (sections && b->ShowResult() && show.PipeIndex < b->Pipes.Count()) {
            const TPipe* pipe = b->Pipes.Items(show.PipeIndex);
            if (pipe && IsLaid(pipe) && results.PipeHasResults(pipe))
                for (int i = 0; i < pipe->SectionCount(); ++i) {
                    const auto* section = dynamic_cast<const TWaterPipePart*>(pipe->GetSection(i));
                    const TSectionResult* values = section ? results.Find(section) : nullptr;
                    if (!values || section->SectionLength() == 0)
                        continue;
                    const TLabelOffset& o = section->LabelOffset();
                    const QPointF mid = along(b, (section->SectionStart() + section->SectionEnd()) / 2);
                    label(resultFont, ResultTexts::SectionResult(*section, *values, show.ResultBits),
                          mid + QPointF(o.X(), o.Y()));
                }
        }
        if (show.Devices)
            ForEachDisplayedPipe(*b, show.PipeIndex, [&](const TPipe* pipe) {
                for (int i = 0; i < pipe->Devices.Count(); ++i) {
                    const TDevice* d = pipe->Devices.Items(i);
                    if (d->LabelToggle())
                        continue;
                    const TLabelOffset& o = d->LabelOffset();
                    label(resultFont, ResultTexts::DeviceResult(*d, show.ResultBits, results),
                          along(b, std::clamp(d->Position(), 0.0, 1.0)) + QPointF(o.X(), o.Y()));
                }
            });
    }
    // Nodes that are drawn: those of a visible branch, and those without any branch.
    if (show.UzelResultsShown())
        for (const TUzel* u : mine_->Uzels) {
            if (!u->ShowResult() || (u->IncidentCount() > 0 && VisibleIncidentCount(u) == 0))
                continue;
            const TLabelOffset& o = u->ResultLabelOffset();
            label(uzelFont, ResultTexts::UzelResult(*u, show.PipeIndex, show.ResultBits, results),
                  QPointF(u->SX() + o.X(), u->SY() + o.Y()));
        }
}
