#pragma once

// The technological schema as a picture: the whole drawing at a chosen scale with its
// margins, or fitted into a picture of a given size as "Схема целиком" fits the window.

#include "render/schema2d/DrawnObjects.h"
#include "render/schema2d/RenderContext.h"

#include <QImage>
#include <QSize>

#include <optional>

class TSchemaScene;

// Pictures larger than this on either side, or in all, are refused: the schema at a high
// scale would otherwise ask for gigabytes.
inline constexpr int kMaxPictureSide = 32767;
inline constexpr qint64 kMaxPicturePixels = qint64(1) << 28;

struct TSchemaPictureRequest {
    TDisplaySwitches Show;
    TColors2D Colors;
    TScaleLimits Limits;
    int MapScale = kDefaultMapScale;
    // The schema position of the mine's central point (the grid starts there).
    QPointF Origin;
    int GridStepMetres = 200;
    // The view scale (1 = 100 %) of a whole-drawing picture; ignored when fitting.
    double Scale = 1;
    // Fit the drawing into a picture of this size instead.
    std::optional<QSize> Fit;
    bool BlackWhite = false;
    bool Antialiasing = true;
};

struct TSchemaPicture {
    // A black-and-white picture is one bit per pixel; others are 32-bit RGB.
    QImage Image;
    TDrawnObjects Drawn;
    double Scale = 1;
};

namespace SchemaPicture {

// The view of the picture: scale, extent and page offsets, scrolled to the start, with the
// client the size of the picture. The scene's extent is recomputed for the request.
TViewGeometry View(TSchemaScene& scene, const TSchemaPictureRequest& request);
// The picture's size for that view, rounded up; none when it would be too large to make.
std::optional<QSize> Size(const TViewGeometry& view, const TSchemaPictureRequest& request);

// Throws Exception "Рисунок размером %d×%d точек слишком велик" when the picture would be
// larger than the limits above.
TSchemaPicture Render(TSchemaScene& scene, const TSchemaPictureRequest& request);

}  // namespace SchemaPicture
