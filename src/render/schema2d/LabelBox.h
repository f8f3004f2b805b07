#pragma once

// The figure around a label of the schema (node and branch numbers, results): drawn by the
// renderer and hit by the mouse from the same rectangle.

#include <QPointF>
#include <QRectF>
#include <QSizeF>

#include <algorithm>

struct TLabelBox {
    QRectF Text;    // where the text goes, centred on the label's centre
    QRectF Figure;  // the rectangle, or the ellipse's bounding square
    bool Ellipse = false;
};

// A rectangle reaches 1 pixel left of the text, 2 above, 3 right and below; an ellipse is a
// circle of radius max(width, height) / 2 + 2.
inline TLabelBox LabelBoxAt(QPointF centre, QSizeF text, bool ellipse)
{
    TLabelBox box;
    box.Ellipse = ellipse;
    const double w = text.width();
    const double h = text.height();
    box.Text = QRectF(centre.x() - w / 2, centre.y() - h / 2, w, h);
    if (ellipse) {
        const double r = std::max(w, h) / 2 + 2;
        box.Figure = QRectF(centre.x() - r, centre.y() - r, 2 * r, 2 * r);
    } else {
        box.Figure = QRectF(QPointF(centre.x() - w / 2 - 1, centre.y() - h / 2 - 2),
                            QPointF(centre.x() + w / 2 + 3, centre.y() + h / 2 + 3));
    }
    return box;
}
