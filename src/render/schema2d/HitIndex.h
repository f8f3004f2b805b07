#pragma once

// What lies under a point of the schema: the objects of one view (scale, switches, editor
// mode) in a uniform grid, so a question costs a few cells, not a pass over the mine. The
// answer follows the drawing's order: devices standing on nodes first, then the branches
// from the topmost down — each with its devices, its section results and its end nodes'
// result labels (editor mode), its end nodes (number label in editor mode, then the node's
// square), its number label (editor mode) and its line — and last the isolated nodes.
// In the editor mode text blocks come before all of it, the last drawn first: the body, then
// the rotation handle of the selected block. Label rectangles are the drawn figures
// (LabelBox.h) of the texts measured in the view's own fonts (TextSizes.h), never sizes some
// other drawing left behind. Build again after the scale, the switches or any position changed; scrolling
// needs no rebuild.

#include "render/schema2d/RenderContext.h"

#include <QPointF>
#include <QPolygonF>
#include <QRectF>

#include <memory>
#include <optional>
#include <vector>

class TBranch;
class TDevice;
class TMineObject;
class TSchemaScene;
class TTextBlock2D;
class TUzel;

struct THit {
    enum class Kind {
        None, TextBlock, TextBlockHandle, Device, SectionResult, UzelResult, UzelNumber, Uzel, BranchNumber, Branch
    };
    Kind What = Kind::None;
    TMineObject* Object = nullptr;  // the device, section, node or branch
    TBranch* Branch = nullptr;      // the branch the hit came through (none for isolated nodes)
    TTextBlock2D* Block = nullptr;  // a text block or its handle
    explicit operator bool() const { return What != Kind::None; }
};

class THitIndex {
public:
    THitIndex();
    ~THitIndex();
    // Labels are hit only in the editor mode, as they can only be dragged there.
    void Build(const TSchemaScene& scene, const TRenderContext& context, bool editor);
    // The object under a point of the screen (pixels of the context's view, its scroll
    // position included).
    THit At(QPointF screen) const;

private:
    struct Shape {
        THit Hit;
        QRectF Box;          // page pixels
        QPointF From, To;    // a branch line; Box is then its bounds widened by the tolerance
        bool Line = false;
    };
    // One branch (or an isolated node, or the devices on nodes) and its shapes in the order
    // they are tried; groups are kept in the order they are tried.
    struct Group {
        std::vector<Shape> Shapes;
        QRectF Bounds;
    };
    void AddBranch(const TRenderContext& ctx, TBranch* branch, bool editor);
    void AddUzel(Group& group, const TRenderContext& ctx, TUzel* uzel, TBranch* branch, bool editor);
    void AddGroup(Group group);
    bool Hits(const Shape& shape, QPointF page) const;

    // The label fonts while a build measures labels.
    struct Fonts;
    std::unique_ptr<Fonts> fonts_;

    struct BlockShape {
        TTextBlock2D* Block;
        QPolygonF Outline;  // page pixels
        std::optional<QPointF> Handle;
    };
    std::vector<BlockShape> blocks_;  // in drawing order
    std::vector<Group> groups_;
    std::vector<std::vector<int>> cells_;
    QRectF area_;
    double cell_ = 64;
    int columns_ = 0;
    int rows_ = 0;
    QPointF offset_;
    double tolerance_ = 0;
};
