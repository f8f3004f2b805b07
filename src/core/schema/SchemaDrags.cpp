#include "core/schema/SchemaDrags.h"

#include "core/model/Branch.h"
#include "core/model/Device.h"
#include "core/model/Mine.h"
#include "core/model/Pipe.h"
#include "core/model/PipePart.h"
#include "core/model/Uzel.h"

#include <algorithm>
#include <vector>

namespace {

TLabelOffset Moved(const TLabelOffset& offset, QPointF by)
{
    return TLabelOffset::Make(offset.X() + by.x(), offset.Y() + by.y());
}

}  // namespace

namespace SchemaDrags {

std::vector<TUzel*> DraggedUzels(const TMine& mine, QPointF drag, double scale)
{
    std::vector<TUzel*> uzels;
    if (drag.isNull() || !(scale > 0))
        return uzels;
    for (TMineObject* object : mine.Selection)
        if (auto* u = dynamic_cast<TUzel*>(object))
            uzels.push_back(u);
    return uzels;
}

QString MoveCaption(int count)
{
    return count == 1 ? QStringLiteral("Перемещение узла") : QStringLiteral("Перемещение узлов (%1)").arg(count);
}

int MoveSelectedUzels(TMine& mine, QPointF drag, double scale)
{
    const std::vector<TUzel*> uzels = DraggedUzels(mine, drag, scale);
    const QPointF by = drag / scale;
    for (TUzel* u : uzels) {
        u->SetSX(float(u->SX() + by.x()));
        u->SetSY(float(u->SY() + by.y()));
        u->SetPlacedByHand(true);
    }
    return int(uzels.size());
}

bool MoveLabel(TMineObject& owner, bool result, QPointF drag, double textFactor)
{
    if (drag.isNull() || !(textFactor > 0))
        return false;
    const QPointF by = drag / textFactor;
    if (auto* u = dynamic_cast<TUzel*>(&owner)) {
        if (result)
            u->SetResultLabelOffset(Moved(u->ResultLabelOffset(), by));
        else
            u->SetNumberLabelOffset(Moved(u->NumberLabelOffset(), by));
        return true;
    }
    if (auto* b = dynamic_cast<TBranch*>(&owner)) {
        b->SetAutoPlaceLabel(false);
        b->SetNumberLabelOffset(Moved(b->NumberLabelOffset(), by));
        b->DeriveLabelPlacement();
        return true;
    }
    if (auto* s = dynamic_cast<TWaterPipePart*>(&owner)) {
        s->SetAutoPlaceLabel(false);
        s->SetLabelOffset(Moved(s->LabelOffset(), by));
        s->DeriveLabelPlacement();
        return true;
    }
    if (auto* d = dynamic_cast<TDevice*>(&owner)) {
        d->SetLabelOffset(Moved(d->LabelOffset(), by));
        return true;
    }
    return false;
}

std::optional<double> SlidDevicePosition(const TDevice& device, double startPosition, double alongPixels,
                                         double branchPixels)
{
    if (!(branchPixels >= 1) || !device.Pipe())
        return std::nullopt;
    const double position = startPosition + alongPixels / branchPixels;
    return std::clamp(position, device.Pipe()->StartFrac(), device.Pipe()->EndFrac());
}

QString SlideHint(const TDevice& device, double position)
{
    const TBranch* b = device.Branch();
    const double length = b ? b->Length() : 0;
    return QString::asprintf("До узла %d - %1.f м (%1.f%%). До узла %d - %1.f м (%1.f%%)", b ? b->StartNumber() : 0,
                             position * length, position * 100, b ? b->EndNumber() : 0, (1 - position) * length,
                             (1 - position) * 100);
}

}  // namespace SchemaDrags
