#include "core/services/LayerEdits.h"

#include "core/model/Layer.h"
#include "core/model/Mine.h"

namespace LayerEdits {

int Count(const TMine& mine, TLayerKind kind)
{
    return kind == TLayerKind::Seams ? mine.Layers.Count() : mine.PLFPositions.Count();
}

TCustomLayer* Item(const TMine& mine, TLayerKind kind, int index)
{
    if (index < 0 || index >= Count(mine, kind))
        return nullptr;
    if (kind == TLayerKind::Seams)
        return mine.Layers.Items(index);
    return mine.PLFPositions.Items(index);
}

QStringList Names(const TMine& mine, TLayerKind kind)
{
    QStringList names;
    for (int i = 0; i < Count(mine, kind); ++i)
        names << Item(mine, kind, i)->Name();
    return names;
}

int IndexOfName(const TMine& mine, TLayerKind kind, const QString& name, int except)
{
    for (int i = 0; i < Count(mine, kind); ++i)
        if (i != except && Item(mine, kind, i)->Name().compare(name, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

TNameResult Add(TMine& mine, TLayerKind kind, const QString& name)
{
    const QString trimmed = name.trimmed();
    if (trimmed.isEmpty())
        return {};
    if (const int existing = IndexOfName(mine, kind, trimmed); existing >= 0)
        return {existing, true};
    TCustomLayer* item = kind == TLayerKind::Seams ? static_cast<TCustomLayer*>(TLayer::Create(&mine))
                                                   : static_cast<TCustomLayer*>(TPLFPosition::Create(&mine));
    item->SetName(trimmed);
    item->SetVisible(true);
    item->SetColor(0xFFFFFF);
    return {item->GetIndex(), false};
}

TNameResult Rename(TMine& mine, TLayerKind kind, int index, const QString& name)
{
    TCustomLayer* item = Item(mine, kind, index);
    const QString trimmed = name.trimmed();
    if (!item || trimmed.isEmpty())
        return {};
    // Changing only the letter case of the item's own name is allowed.
    if (const int existing = IndexOfName(mine, kind, trimmed, index); existing >= 0)
        return {existing, true};
    item->SetName(trimmed);
    return {index, false};
}

bool Remove(TMine& mine, TLayerKind kind, int index)
{
    if (!Item(mine, kind, index))
        return false;
    if (kind == TLayerKind::Seams)
        mine.Layers.Delete(index);
    else
        mine.PLFPositions.Delete(index);
    return true;
}

bool SetColor(TMine& mine, TLayerKind kind, int index, int color)
{
    TCustomLayer* item = Item(mine, kind, index);
    if (!item)
        return false;
    item->SetColor(color);
    return true;
}

QString DuplicateText(TLayerKind kind)
{
    return kind == TLayerKind::Seams ? QStringLiteral("Пласт с таким названием уже существует")
                                     : QStringLiteral("Позиция ПЛА с таким номером уже существует");
}

QString RemoveQuestion(TLayerKind kind, const QString& name)
{
    const QString text = kind == TLayerKind::Seams
        ? QStringLiteral("Вы удаляете пласт \"%1\".\r\nВыработки, ссылающиеся на него, будут отмечены как не "
                         "принадлежащие ни к одному пласту.\r\n\r\nУдалить пласт?")
        : QStringLiteral("Вы удаляете позицию ПЛА \"%1\".\r\nВыработки, ссылающиеся на нее, будут отмечены как "
                         "не принадлежащие ни к одной позиции.\r\n\r\nУдалить позицию ПЛА?");
    return text.arg(name);
}

}  // namespace LayerEdits
