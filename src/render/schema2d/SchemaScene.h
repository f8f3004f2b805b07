#pragma once

// What the schema draws of one document and what repaints keep asking of it: the
// visible-branch list in the document's drawing order, the visible incident count of every
// node, the isolated nodes, and the extent of the drawing with the reach of its labels.
// The schema window keeps one per document; a picture or a sheet may build its own.
// It only reads the mine, and so does every drawing of it. Rebuild after the seams or plan positions switched on change, after
// branches come or go in bulk; recompute the extent after positions or labels change.
// It watches its mine: once an object of it is freed, or the mine itself goes, the scene is
// stale and builds itself again from the mine before anything is read of it, so it never
// hands out a freed object (a mine that went leaves an empty scene).

#include "core/model/MineWatch.h"
#include "render/schema2d/RenderContext.h"

#include <QMarginsF>
#include <QRectF>

#include <functional>
#include <unordered_map>
#include <unordered_set>
#include <vector>

class TBranch;
class TMine;
class TMineObject;
class TUzel;

class TSchemaScene {
public:
    explicit TSchemaScene(TMine& mine);
    TSchemaScene(const TSchemaScene&) = delete;
    TSchemaScene& operator=(const TSchemaScene&) = delete;

    // An empty mine once the scene's own went.
    TMine& Mine() const { return *mine_; }
    bool MineGone() const { return !watch_.Mine(); }
    // Told of every object of the mine about to be freed (null: the mine goes), after the
    // scene marked itself stale: whoever keeps objects the scene handed out lets go of them.
    void SetOnObjectGone(std::function<void(const TMineObject*)> handler) { onGone_ = std::move(handler); }

    // The document's branch order; branches missing from it follow in the mine's order.
    // An empty order is the mine's own.
    void SetDrawingOrder(const std::vector<TBranch*>& order);
    const std::vector<TBranch*>& DrawingOrder() const { return Current().order_; }

    // The visible list and the node counts anew from the mine.
    void Rebuild();
    // A branch joined or left the mine: it joins the visible list when its seam and plan
    // position are none or switched on, or leaves it.
    void BranchAdded(TBranch* branch);
    void BranchRemoved(TBranch* branch);

    // Branches with both end nodes whose seam and plan position are none or switched on,
    // later ones drawn on top.
    const std::vector<TBranch*>& VisibleBranches() const { return Current().visible_; }
    // Some seam or plan position is switched off: end nodes are drawn with every branch.
    bool SomeHidden() const { return Current().someHidden_; }
    // Visible branches ending at the node (a loop counts twice).
    int VisibleIncidentCount(const TUzel* uzel) const;
    // The same by dense node index (0 … node count − 1, the mine's order at the last
    // rebuild), and the indices of each visible branch's ends, for the renderer's countdown.
    struct Ends {
        int Start;
        int End;
    };
    const std::vector<int>& VisibleCounts() const { return Current().counts_; }
    const std::vector<Ends>& VisibleEnds() const { return Current().visibleEnds_; }
    // The schema positions of each visible branch's ends as they were at the last rebuild or
    // extent: the renderer culls with them without touching the branches, which in a large
    // mine lie all over memory.
    struct Segment {
        float X1, Y1, X2, Y2;
    };
    const std::vector<Segment>& VisibleSegments() const { return Current().segments_; }
    // How far a node-number label, and a branch label, reaches from its anchor at most
    // (schema units at text factor 1), as of the last extent.
    double UzelLabelReach() const { return uzelLabelReach_; }
    double BranchLabelReach() const { return branchLabelReach_; }
    // Nodes without any branch: drawn first, on their own.
    const std::vector<TUzel*>& IsolatedUzels() const { return Current().isolated_; }

    // The rectangle of all node schema positions and text blocks (empty without them) and how
    // far labels reach beyond it, in schema units at text factor 1, for the switches and fonts
    // given, the result labels of the calculation results given among them. Also takes the
    // branches' positions anew for culling.
    void RecomputeExtent(const TDisplaySwitches& show, const TColors2D& colors, const THydroResults* results = nullptr);
    const QRectF& Extent() const { return extent_; }
    const QMarginsF& LabelOverhang() const { return overhang_; }
    // Puts the extent into a view geometry.
    void ApplyExtent(TViewGeometry& view) const { view.SetExtent(extent_, overhang_); }

private:
    // The scene as the mine is now: rebuilt first when objects went since the last build.
    const TSchemaScene& Current() const;
    void ObjectGone(const TMineObject* object);
    bool BranchVisible(const TBranch* branch) const;
    void RefreshSegments();
    void ResultsReach(const TDisplaySwitches& show, const TColors2D& colors, const THydroResults& results);
    int IndexOf(const TUzel* uzel) const;

    TMine* mine_;
    TMineWatcher watch_;
    std::function<void(const TMineObject*)> onGone_;
    // Objects went: every list below may hold freed pointers until the next build. Their
    // addresses are kept, as a new object may take one of them before the build.
    bool stale_ = false;
    std::unordered_set<const void*> gone_;
    std::vector<TBranch*> order_;
    std::vector<TBranch*> visible_;
    std::vector<TUzel*> isolated_;
    std::unordered_map<const TUzel*, int> index_;
    std::vector<int> counts_;
    std::vector<Ends> visibleEnds_;
    std::vector<Segment> segments_;
    double uzelLabelReach_ = 0;
    double branchLabelReach_ = 0;
    bool someHidden_ = false;
    QRectF extent_;
    QMarginsF overhang_;
};
