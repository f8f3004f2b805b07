#include "ui/schema2d/SchemaStatusText.h"

#include "core/model/Branch.h"
#include "core/model/Device.h"
#include "core/model/Uzel.h"
#include "render/schema2d/ViewGeometry.h"

#include <QLineF>

#include <cmath>

namespace SchemaStatusText {

QString ScaleText(double scale)
{
    return QString::asprintf("Масштаб %d%%", int(std::lround(100 * scale)));
}

QString CoordinateText(QPointF mouse, const TViewGeometry& view, int ppcm)
{
    const double s = view.Scale();
    if (mouse.x() < 0 || mouse.y() < 0 || s <= 0 || ppcm <= 0)
        return {};
    // Schema units from the origin, as the rulers count them.
    const double px = (mouse.x() - (s * view.Origin().x() + view.OffX())) / s;
    const double py = (mouse.y() - (s * view.Origin().y() + view.OffY())) / s;
    return QString::asprintf(" X: %.1f см  (%d пикс)       Y: %.1f см  (%d пикс)", px / ppcm, int(std::lround(px)),
                             py / ppcm, int(std::lround(py)));
}

QString ObjectText(const TMineObject* object)
{
    if (!object)
        return {};
    switch (object->ObjectKind()) {
    case TObjectKind::Branch: {
        const QString remark = static_cast<const TBranch*>(object)->Remark().trimmed();
        return remark.isEmpty() ? QString::asprintf("Ветвь %d", object->Number())
                                : QString::asprintf("Ветвь %d: ", object->Number()) + remark;
    }
    case TObjectKind::Uzel:
        return QString::asprintf("Узел %d", object->Number());
    case TObjectKind::Device:
        return static_cast<const TDevice*>(object)->KindName() + QString::asprintf(" №%d", object->Number());
    default:
        return {};
    }
}

}  // namespace SchemaStatusText
