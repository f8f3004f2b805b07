#pragma once

#include "core/schema/SchemaPositions.h"

#include <QMarginsF>
#include <QPoint>
#include <QPointF>
#include <QRectF>
#include <QSize>

// How far symbols and label fonts follow the view scale.
struct TScaleLimits {
    double MinLimScale = 0.8;   // symbol factor, lower limit
    double MaxLimScale = 1.5;   // symbol factor, upper limit
    double MinFontScale = 0.8;  // text factor, lower limit
    double MaxFontScale = 1.5;  // text factor, upper limit
};

// One scroll bar of the view.
struct TScrollBar {
    bool Visible = false;
    int Maximum = 0;
    int Page = 0;
    int Position = 0;
    // Positions run over [0, MaxPosition()].
    int MaxPosition() const;
};

// The view state of the technological schema and all its arithmetic: scale and the factors
// that follow it, margins, the drawing's extent, scrolling, the page offsets and the
// mapping between schema units and pixels. A plain value: the schema window, picture
// export and printing each keep their own copy.
//
// Pixels: screen x = offX + s·SX, screen y = offY + s·SY (larger SY is lower). At scroll
// position 0 the left-most and top-most drawn things start at the margin.
class TViewGeometry {
public:
    static constexpr int kPpcm = ::kPpcm;
    // Below this scale (inclusive) only branch lines are drawn and hit-tested.
    static constexpr double kObjectsVisibleAbove = 0.15;
    static constexpr double kScreenDpi = 96;

    TViewGeometry();

    // ---- map scale -------------------------------------------------------------------
    int MapScale() const { return mapScale_; }
    void SetMapScale(int denominator);
    // Schema units per metre: 100 / M × ppcm.
    double F() const { return SchemaFactor(mapScale_); }
    // The grid step in schema units for a step in metres.
    double GridStep(int metres) const { return metres * F(); }
    // The schema position of the mine's central point: the zero of the rulers and the
    // start of the grid.
    QPointF Origin() const { return origin_; }
    void SetOrigin(QPointF origin) { origin_ = origin; }

    // ---- scale and the factors that follow it -----------------------------------------
    double Scale() const { return scale_; }
    double PreviousScale() const { return previousScale_; }
    // The last scale shown on the screen; a print job renders at another one.
    double ScreenScale() const { return screenScale_; }
    double SymbolFactor() const { return symbolFactor_; }
    double TextFactor() const { return textFactor_; }
    double ScreenTextFactor() const { return screenTextFactor_; }
    double Margin() const { return margin_; }
    bool ObjectsVisible() const { return scale_ > kObjectsVisibleAbove; }

    const TScaleLimits& Limits() const { return limits_; }
    void SetLimits(const TScaleLimits& limits);
    // While printing the scale is not clamped, the on-screen scale is left alone and the
    // margin grows with the printer's resolution.
    bool Printing() const { return printing_; }
    void SetPrinting(bool printing, double printerDpi = kScreenDpi);

    // The scale, clamped to the zoom table's range unless printing. Setting the scale
    // already shown only makes it the previous scale too.
    void SetScale(double value);

    // ---- extent, client and scrolling ---------------------------------------------------
    // The rectangle of all node schema positions and how far labels reach beyond it, in
    // schema units at text factor 1.
    const QRectF& Extent() const { return extent_; }
    const QMarginsF& LabelOverhang() const { return overhang_; }
    void SetExtent(const QRectF& extent, const QMarginsF& labelOverhang = QMarginsF());
    // The drawing panel's size (scroll bars included) and a scroll bar's thickness.
    QSize ClientSize() const { return client_; }
    int BarThickness() const { return barThickness_; }
    void SetClient(QSize size, int barThickness);

    // Everything drawn plus both margins, in pixels.
    double TotalWidth() const;
    double TotalHeight() const;
    const TScrollBar& HorizontalBar() const { return hBar_; }
    const TScrollBar& VerticalBar() const { return vBar_; }
    QPoint ScrollPosition() const { return QPoint(hBar_.Position, vBar_.Position); }
    // Clamped to each bar's range; a hidden bar stays at 0.
    void SetScrollPosition(QPoint position);
    // The part of the panel the scroll bars leave free.
    QSize VisibleSize() const;

    double OffX() const { return offX_; }
    double OffY() const { return offY_; }
    QPointF ToScreen(QPointF schema) const;
    QPointF ToSchema(QPointF screen) const;
    // The visible part of the drawing in schema units.
    QRectF VisibleSchemaRect() const;

    // ---- commands ------------------------------------------------------------------------
    // Scrolls so the schema point lies at the centre of the visible part, or of the drawing
    // when the drawing is smaller than the panel.
    void CentreOn(QPointF schema);
    QPointF VisibleCentreInSchema() const;
    // A step of the zoom table (in or out) keeping the schema point in view, centred.
    void StepZoom(bool in, QPointF keep);
    // The scale that shows everything drawn, fitted until the margins settle (at most
    // kMaxFitPasses passes), scrolled to the start. Returns the passes made.
    static constexpr int kMaxFitPasses = 10;
    int FitWhole();
    // The scale that shows the rectangle of the selected nodes, centred on it. One node
    // keeps the scale; nodes in one line fit along the line only.
    void FitRect(const QRectF& selection);
    // Back to the previous scale and its scroll position; the current pair becomes the
    // previous one.
    void TogglePrevious();

private:
    void Recompute();
    void LayOutBars();
    double FitScale() const;
    void RememberPrevious();

    int mapScale_ = kDefaultMapScale;
    QPointF origin_;
    TScaleLimits limits_;
    bool printing_ = false;
    double printerDpi_ = kScreenDpi;

    double scale_ = 1;
    double previousScale_ = 1;
    QPoint previousScroll_;
    double screenScale_ = 1;
    double symbolFactor_ = 1;
    double textFactor_ = 1;
    double screenTextFactor_ = 1;
    double margin_ = 0;

    QRectF extent_;
    QMarginsF overhang_;
    QSize client_;
    int barThickness_ = 0;
    TScrollBar hBar_;
    TScrollBar vBar_;
    double offX_ = 0;
    double offY_ = 0;
};
