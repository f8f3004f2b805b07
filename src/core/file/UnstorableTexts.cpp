#include "core/file/UnstorableTexts.h"

#include "core/file/Cp1251.h"
#include "core/model/Branch.h"
#include "core/model/Device.h"
#include "core/model/Layer.h"
#include "core/model/Mine.h"
#include "core/model/TextBlock2D.h"

namespace {

// A short form of a text for naming its object: its first line, cut at 30 characters.
QString Short(const QString& text)
{
    QString first = text.section(u'\n', 0, 0).remove(u'\r');
    if (first.size() > 30)
        first = first.left(30) + QStringLiteral("...");
    return first;
}

}  // namespace

QStringList UnstorableTexts(const TMine& mine, int limit)
{
    QStringList found;
    bool more = false;
    const auto check = [&](const QString& text, const auto& describe) {
        if (FirstNotInCp1251(text).isEmpty())
            return;
        if (found.size() < limit)
            found << describe();
        else
            more = true;
    };
    check(mine.Name(), [] { return QStringLiteral("шахта: название"); });
    check(mine.Remark(), [] { return QStringLiteral("шахта: заметки"); });
    for (const TLayer* layer : mine.Layers)
        check(layer->Name(), [&] { return QStringLiteral("пласт \"%1\"").arg(Short(layer->Name())); });
    for (const TPLFPosition* position : mine.PLFPositions)
        check(position->Name(), [&] { return QStringLiteral("позиция ПЛА \"%1\"").arg(Short(position->Name())); });
    for (const TBranch* branch : mine.Branches)
        check(branch->Remark(), [&] { return QStringLiteral("ветвь %1: комментарий").arg(branch->Number()); });
    for (const auto& devices : mine.DevicesByPipeKind)
        for (const TDevice* device : devices) {
            check(device->Model(), [&] { return QStringLiteral("оборудование №%1: название").arg(device->Number()); });
            check(device->PPZNumber(), [&] { return QStringLiteral("оборудование №%1: номер ППЗ").arg(device->Number()); });
        }
    for (const auto& block : mine.TextBlocks)
        check(block->Text(), [&] { return QStringLiteral("текстовый блок \"%1\"").arg(Short(block->Text())); });
    if (more)
        found << QStringLiteral("...");
    return found;
}
