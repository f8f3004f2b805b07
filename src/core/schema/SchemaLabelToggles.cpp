#include "core/schema/SchemaLabelToggles.h"

#include "core/model/Branch.h"
#include "core/model/Device.h"
#include "core/model/Mine.h"
#include "core/model/Uzel.h"

namespace SchemaLabelToggles {

namespace {

bool OfKind(const TMineObject& object, TLabel label)
{
    switch (label) {
    case TLabel::UzelNumber:
    case TLabel::UzelResult:
        return dynamic_cast<const TUzel*>(&object) != nullptr;
    case TLabel::BranchNumber:
    case TLabel::BranchResult:
        return dynamic_cast<const TBranch*>(&object) != nullptr;
    case TLabel::DeviceResult:
        return dynamic_cast<const TDevice*>(&object) != nullptr;
    }
    return false;
}

// Number labels and device results are hidden by the object's label toggle; node and branch
// results are shown by their own flag.
bool Set(TMineObject& object, TLabel label, bool show)
{
    if (Shown(object, label) == show)
        return false;
    if (label == TLabel::UzelResult)
        static_cast<TUzel&>(object).SetShowResult(show);
    else if (label == TLabel::BranchResult)
        static_cast<TBranch&>(object).SetShowResult(show);
    else
        object.SetLabelToggle(!show);
    return true;
}

}  // namespace

TMineObject* Reference(TMineObject* clicked, TLabel label)
{
    if (!clicked)
        return nullptr;
    if (auto* b = dynamic_cast<TBranch*>(clicked); b && (label == TLabel::UzelNumber || label == TLabel::UzelResult))
        return b->StartUzel();
    return OfKind(*clicked, label) ? clicked : nullptr;
}

bool Shown(const TMineObject& object, TLabel label)
{
    if (label == TLabel::UzelResult)
        return static_cast<const TUzel&>(object).ShowResult();
    if (label == TLabel::BranchResult)
        return static_cast<const TBranch&>(object).ShowResult();
    return !object.LabelToggle();
}

QString Caption(TLabel label, bool shown)
{
    static const char* const kWhat[] = {"номер узла", "номер ветви", "результат в узле", "результат в ветви",
                                        "результат в устройстве"};
    return (shown ? QStringLiteral("Убрать ") : QStringLiteral("Показать ")) + QString::fromUtf8(kWhat[int(label)]);
}

int Toggle(TMine& mine, TMineObject& reference, TLabel label)
{
    if (!OfKind(reference, label))
        return 0;
    const bool show = !Shown(reference, label);
    int changed = Set(reference, label, show) ? 1 : 0;
    for (TMineObject* object : mine.Selection)
        if (object != &reference && OfKind(*object, label) && Set(*object, label, show))
            ++changed;
    return changed;
}

}  // namespace SchemaLabelToggles
