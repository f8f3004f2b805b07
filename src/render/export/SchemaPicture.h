#pragma once

// The technological schema as a picture: the whole drawing at a chosen scale with its
// margins, or fitted into a picture of a given size as "Схема целиком" fits the window.

#include "render/schema2d/DrawnObjects.h"
#include "render/schema2d/RenderContext.h"

#include <QImage>
#include <QPoint>
#include <QSize>

#include <optional>

class TSchemaScene;

// Pictures larger than this on either side are refused, and so are pictures held whole in
// memory (PNG) larger than this in all: the schema at a high scale would otherwise ask for
// gigabytes. Writers that draw in bands (BMP, JPEG) and vector pictures only keep the side cap.
inline constexpr int kMaxPictureSide = 32767;
inline constexpr qint64 kMaxPicturePixels = qint64(1) << 28;

// A part of a window's view: its scale, scroll position and the size of what it shows.
struct TVisiblePart {
    double ViewScale = 1;
    QPoint Scroll;
    QSize Size;
};

// A picture of a drawing: the drawing's description and what only a picture adds.
struct TSchemaPictureRequest {
    TSchemaDrawing Drawing;
    // The view scale (1 = 100 %) of a whole-drawing picture; ignored when fitting.
    double Scale = 1;
    // Fit the drawing into a picture of this size instead.
    std::optional<QSize> Fit;
    // Or the part a window shows, magnified by Scale: the window's scale times Scale, its
    // scroll position times Scale, its visible size times Scale.
    std::optional<TVisiblePart> Visible;
};

struct TSchemaPicture {
    // A black-and-white picture is one bit per pixel; others are 32-bit RGB.
    QImage Image;
    TDrawnObjects Drawn;
    double Scale = 1;
};

// A picture ready to draw: its context and size, nothing drawn yet.
struct TPicturePlan {
    TRenderContext Context;
    QSize Size;
    double Scale = 1;
    bool Smooth = true;
};

namespace SchemaPicture {

// The view of the picture: the drawing's frame (TSchemaDrawing::Frame) at the picture's
// scale, scrolled to the start, with the client the size of the picture.
TViewGeometry View(TSchemaScene& scene, const TSchemaPictureRequest& request);
// The picture's size for that view, rounded up; none when it would be too large to make.
// Banded pictures are only capped on each side.
std::optional<QSize> Size(const TViewGeometry& view, const TSchemaPictureRequest& request, bool banded = false);

// The context and size of the picture. Throws as Render does when it is too large.
TPicturePlan Plan(TSchemaScene& scene, const TSchemaPictureRequest& request, bool banded = false);
// Draws the whole picture on a painter whose device is the picture's size (vector devices).
void Paint(QPainter& painter, TSchemaScene& scene, const TPicturePlan& plan, TDrawnObjects* out = nullptr);
// Draws the picture's rows from top on into band (32-bit RGB, as wide as the picture): only
// what lies in the band is drawn, so a big picture never needs to be held whole.
void PaintBand(QImage& band, int top, TSchemaScene& scene, const TPicturePlan& plan, TDrawnObjects* out = nullptr);

// Throws Exception "Рисунок размером %d×%d точек слишком велик" when the picture would be
// larger than the limits above.
TSchemaPicture Render(TSchemaScene& scene, const TSchemaPictureRequest& request);

}  // namespace SchemaPicture
