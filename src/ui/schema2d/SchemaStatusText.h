#pragma once

// The texts of the schema window's status bar: what lies under the mouse and where the
// mouse is in centimetres and schema pixels from the mine's central point.

#include <QPointF>
#include <QString>

class TMineObject;
class TViewGeometry;

namespace SchemaStatusText {

// "Масштаб 100%".
QString ScaleText(double scale);

// " X: … см  (… пикс)       Y: … см  (… пикс)" for a mouse position in panel pixels; empty
// for a negative position or a scale that is not positive (the panel then keeps its text).
QString CoordinateText(QPointF mouse, const TViewGeometry& view, int ppcm);

// "Ветвь 5: ствол", "Ветвь 5", "Узел 3" or "Задвижка №2"; empty for none.
QString ObjectText(const TMineObject* object);

}  // namespace SchemaStatusText
