#include "core/schema/SchemaFind.h"

#include "core/model/Branch.h"
#include "core/model/Device.h"
#include "core/model/Layer.h"
#include "core/model/Mine.h"
#include "core/model/Uzel.h"

namespace {

// Why the branch cannot be seen on the schema; empty when it can.
QString Hidden(const TBranch& b)
{
    if (!b.Linked())
        return QStringLiteral("Вывод ветви №%1 на графическую схему невозможен,\r\nт.к. для нее не определены начальный "
                              "или конечный узлы.\r\nПроверьте топологию")
            .arg(b.Number());
    TMine& mine = *b.Mine();
    if (const int plf = b.PLFIndex(); plf >= 0 && !mine.PLFPositions.Items(plf)->Visible())
        return QStringLiteral("Объект невидим, т.к. отключена позиция ПЛА \"%1\"").arg(mine.PLFPositions.Items(plf)->Name());
    if (const int layer = b.LayerIndex(); layer >= 0 && !mine.Layers.Items(layer)->Visible())
        return QStringLiteral("Объект невидим, т.к. отключен пласт \"%1\"").arg(mine.Layers.Items(layer)->Name());
    return QString();
}

TSchemaFindResult Checked(TMineObject* target, const TBranch* through)
{
    TSchemaFindResult result;
    if (through)
        result.Message = Hidden(*through);
    if (result.Message.isEmpty())
        result.Target = target;
    return result;
}

}  // namespace

namespace SchemaFind {

TSchemaFindResult Locate(TMineObject* object)
{
    if (auto* uzel = dynamic_cast<TUzel*>(object))
        return Checked(uzel, uzel->Branches.Count() > 0 ? uzel->Branches.Last() : nullptr);
    if (auto* branch = dynamic_cast<TBranch*>(object))
        return Checked(branch, branch);
    if (auto* device = dynamic_cast<TDevice*>(object)) {
        TSchemaFindResult result = Checked(device, device->Branch());
        result.ShowDevices = result.Target != nullptr;
        return result;
    }
    if (auto* position = dynamic_cast<TPLFPosition*>(object)) {
        const int index = position->GetIndex();
        for (TBranch* b : position->Mine()->Branches)
            if (b->PLFIndex() == index)
                return Checked(b, b);
        return TSchemaFindResult{nullptr, kBranchNotFound, false};
    }
    return TSchemaFindResult{};
}

}  // namespace SchemaFind
