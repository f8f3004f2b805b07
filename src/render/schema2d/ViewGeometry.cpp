#include "render/schema2d/ViewGeometry.h"

#include "render/schema2d/ZoomSteps.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

// Margin kept free on every side of the drawing, in screen pixels at symbol factor 0.
constexpr double kBaseMargin = 40;
constexpr double kMarginPerSymbolFactor = 3;
// Room a fitted selection leaves for the symbols at its edges, per unit of symbol factor.
constexpr double kFitSymbolRoom = 6;
// Fitting stops once the margins change by less than this.
constexpr double kFitSettled = 0.001;

// Unlike std::clamp this stays defined when the limits are crossed.
double Limit(double value, double low, double high) { return std::min(std::max(value, low), high); }

double OnScreenScale(double value) { return Limit(value, ZoomSteps::kMinScale, ZoomSteps::kMaxScale); }

}  // namespace

int TScrollBar::MaxPosition() const
{
    return std::max(0, Maximum - Page + 1);
}

TViewGeometry::TViewGeometry()
{
    Recompute();
}

void TViewGeometry::SetMapScale(int denominator)
{
    mapScale_ = denominator > 0 ? denominator : kDefaultMapScale;
}

void TViewGeometry::SetLimits(const TScaleLimits& limits)
{
    limits_ = limits;
    Recompute();
}

void TViewGeometry::SetPrinting(bool printing, double printerDpi)
{
    printing_ = printing;
    printerDpi_ = printerDpi > 0 ? printerDpi : kScreenDpi;
    Recompute();
}

void TViewGeometry::SetScale(double value)
{
    if (value == scale_) {
        previousScale_ = value;
        Recompute();
        return;
    }
    if (!std::isfinite(value) || value <= 0)
        value = ZoomSteps::kMinScale;
    if (!printing_)
        value = OnScreenScale(value);
    RememberPrevious();
    scale_ = value;
    if (!printing_)
        screenScale_ = value;
    Recompute();
}

void TViewGeometry::RememberPrevious()
{
    previousScale_ = scale_;
    previousScroll_ = ScrollPosition();
}

void TViewGeometry::SetExtent(const QRectF& extent, const QMarginsF& labelOverhang)
{
    extent_ = extent;
    overhang_ = labelOverhang;
    Recompute();
}

void TViewGeometry::SetClient(QSize size, int barThickness)
{
    client_ = size;
    barThickness_ = std::max(0, barThickness);
    Recompute();
}

double TViewGeometry::TotalWidth() const
{
    return extent_.width() * scale_ + (overhang_.left() + overhang_.right()) * textFactor_ + 2 * margin_ - 0.1;
}

double TViewGeometry::TotalHeight() const
{
    return extent_.height() * scale_ + (overhang_.top() + overhang_.bottom()) * textFactor_ + 2 * margin_ - 0.1;
}

QSize TViewGeometry::VisibleSize() const
{
    return QSize(client_.width() - (vBar_.Visible ? barThickness_ : 0),
                 client_.height() - (hBar_.Visible ? barThickness_ : 0));
}

void TViewGeometry::SetScrollPosition(QPoint position)
{
    hBar_.Position = position.x();
    vBar_.Position = position.y();
    Recompute();
}

void TViewGeometry::Recompute()
{
    symbolFactor_ = Limit(scale_, limits_.MinLimScale, limits_.MaxLimScale);
    textFactor_ = Limit(scale_, limits_.MinFontScale, limits_.MaxFontScale);
    screenTextFactor_ = Limit(screenScale_, limits_.MinFontScale, limits_.MaxFontScale);
    const double baseMargin = printing_ ? printerDpi_ / kScreenDpi * kBaseMargin : kBaseMargin;
    margin_ = baseMargin + kMarginPerSymbolFactor * symbolFactor_;
    LayOutBars();
    // The left-top of everything drawn, in pixels, lands at the margin at scroll position 0.
    const double drawnLeft = extent_.left() * scale_ - overhang_.left() * textFactor_;
    const double drawnTop = extent_.top() * scale_ - overhang_.top() * textFactor_;
    offX_ = margin_ - hBar_.Position - drawnLeft;
    offY_ = margin_ - vBar_.Position - drawnTop;
}

void TViewGeometry::LayOutBars()
{
    const double width = TotalWidth();
    const double height = TotalHeight();
    const int t = barThickness_;
    // One bar takes room from the other direction and may make that bar necessary too.
    bool h = width > client_.width();
    bool v = height > client_.height();
    for (bool changed = true; changed;) {
        const bool h2 = h || (v && width > client_.width() - t);
        const bool v2 = v || (h2 && height > client_.height() - t);
        changed = h2 != h || v2 != v;
        h = h2;
        v = v2;
    }
    hBar_.Visible = h;
    vBar_.Visible = v;
    hBar_.Maximum = static_cast<int>(std::lround(width));
    vBar_.Maximum = static_cast<int>(std::lround(height));
    hBar_.Page = std::max(0, client_.width() - (v ? t : 0));
    vBar_.Page = std::max(0, client_.height() - (h ? t : 0));
    for (TScrollBar* bar : {&hBar_, &vBar_})
        bar->Position = bar->Visible ? std::clamp(bar->Position, 0, bar->MaxPosition()) : 0;
}

QPointF TViewGeometry::ToScreen(QPointF schema) const
{
    return QPointF(offX_ + scale_ * schema.x(), offY_ + scale_ * schema.y());
}

QPointF TViewGeometry::ToSchema(QPointF screen) const
{
    return QPointF((screen.x() - offX_) / scale_, (screen.y() - offY_) / scale_);
}

QRectF TViewGeometry::VisibleSchemaRect() const
{
    const QSize visible = VisibleSize();
    return QRectF(ToSchema(QPointF(0, 0)), ToSchema(QPointF(visible.width(), visible.height())));
}

QPointF TViewGeometry::VisibleCentreInSchema() const
{
    const QSize visible = VisibleSize();
    return ToSchema(QPointF(std::min<double>(visible.width(), TotalWidth()) / 2,
                            std::min<double>(visible.height(), TotalHeight()) / 2));
}

void TViewGeometry::CentreOn(QPointF schema)
{
    const QSize visible = VisibleSize();
    const double centreX = std::min<double>(visible.width(), TotalWidth()) / 2;
    const double centreY = std::min<double>(visible.height(), TotalHeight()) / 2;
    // Where the point lies at scroll position 0, less where it should be.
    const QPointF atStart = ToScreen(schema) + QPointF(hBar_.Position, vBar_.Position);
    SetScrollPosition(QPoint(static_cast<int>(std::lround(atStart.x() - centreX)),
                             static_cast<int>(std::lround(atStart.y() - centreY))));
}

void TViewGeometry::StepZoom(bool in, QPointF keep)
{
    SetScale(in ? ZoomSteps::ZoomIn(scale_) : ZoomSteps::ZoomOut(scale_));
    CentreOn(keep);
}

// Labels keep their size through the text factor, not the scale: their reach is taken off the
// room at the factor the current scale gives, so the fitted drawing leaves no scroll bar.
double TViewGeometry::FitScale() const
{
    const double drawnWidth = extent_.width();
    const double drawnHeight = extent_.height();
    const double roomWidth = client_.width() - 2 * margin_ - (vBar_.Visible ? barThickness_ : 0) -
                             (overhang_.left() + overhang_.right()) * textFactor_;
    const double roomHeight = client_.height() - 2 * margin_ - (hBar_.Visible ? barThickness_ : 0) -
                              (overhang_.top() + overhang_.bottom()) * textFactor_;
    // An axis with nothing drawn along it does not limit the scale.
    double fit = std::numeric_limits<double>::infinity();
    if (drawnWidth > 0)
        fit = roomWidth / drawnWidth;
    if (drawnHeight > 0)
        fit = std::min(fit, roomHeight / drawnHeight);
    if (std::isinf(fit))
        return scale_;  // nothing drawn at all: the scale shown is as good as any
    return fit > 0 ? fit : ZoomSteps::kMinScale;
}

int TViewGeometry::FitWhole()
{
    const double before = scale_;
    const QPoint beforeScroll = ScrollPosition();
    SetScrollPosition(QPoint());
    int passes = 0;
    double margins = 2 * margin_;
    double textFactor = textFactor_;
    for (bool settled = false; !settled && passes < kMaxFitPasses; ++passes) {
        SetScale(OnScreenScale(FitScale()));
        settled = std::abs(2 * margin_ - margins) < kFitSettled && std::abs(textFactor_ - textFactor) < kFitSettled;
        margins = 2 * margin_;
        textFactor = textFactor_;
    }
    previousScale_ = before;
    previousScroll_ = beforeScroll;
    SetScrollPosition(QPoint());
    return passes;
}

void TViewGeometry::FitRect(const QRectF& selection)
{
    const double before = scale_;
    const QPoint beforeScroll = ScrollPosition();
    // Room for a scroll bar on both axes, shown or not, so the fitted scale keeps.
    const double roomWidth = client_.width() - barThickness_;
    const double roomHeight = client_.height() - barThickness_;
    const double width = selection.width();
    const double height = selection.height();
    // One node keeps the scale; nodes in one line fit along the line only.
    if (width > 0 || height > 0) {
        const double inf = std::numeric_limits<double>::infinity();
        const double byWidth = width > 0 ? roomWidth / width : inf;
        const double byHeight = height > 0 ? roomHeight / height : inf;
        SetScale(std::min(byWidth, byHeight));
        // The second pass leaves room for the symbols at the edges of the limiting axis.
        const double room = byWidth <= byHeight ? roomWidth : roomHeight;
        SetScale(scale_ * room / (room + kFitSymbolRoom * symbolFactor_));
    }
    CentreOn(selection.center());
    previousScale_ = before;
    previousScroll_ = beforeScroll;
}

void TViewGeometry::TogglePrevious()
{
    const double current = scale_;
    const QPoint currentScroll = ScrollPosition();
    const double target = previousScale_;
    const QPoint targetScroll = previousScroll_;
    SetScale(target);
    SetScrollPosition(targetScroll);
    previousScale_ = current;
    previousScroll_ = currentScroll;
}
