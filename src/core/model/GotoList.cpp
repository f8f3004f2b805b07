#include "core/model/GotoList.h"

#include "core/model/Branch.h"
#include "core/model/Device.h"
#include "core/model/Errors.h"
#include "core/model/Layer.h"
#include "core/model/Mine.h"
#include "core/model/Pipe.h"
#include "core/model/Uzel.h"

#include <algorithm>

QString GotoKindCaption(GotoKind kind)
{
    switch (kind) {
    case GotoKind::Uzel: return QStringLiteral("узел");
    case GotoKind::Branch: return QStringLiteral("ветвь");
    case GotoKind::PLFPosition: return QStringLiteral("позиция ПЛА");
    case GotoKind::FireDevice: return QStringLiteral("устройство на пожарно-оросительном трубопроводе");
    case GotoKind::PPZDevice: return QStringLiteral("устройство по номеру ППЗ");
    }
    return QString();
}

QString GotoMissText(GotoKind kind)
{
    switch (kind) {
    case GotoKind::Uzel: return QStringLiteral("Узел не найден");
    case GotoKind::Branch:
    case GotoKind::PLFPosition: return QStringLiteral("Выработка не найдена");
    case GotoKind::FireDevice:
    case GotoKind::PPZDevice: return QStringLiteral("Устройство не найдено");
    }
    return QString();
}

bool GotoKindIsNumeric(GotoKind kind)
{
    return kind == GotoKind::Uzel || kind == GotoKind::Branch || kind == GotoKind::FireDevice;
}

QString GotoEmptyListText(GotoKind kind)
{
    return GotoKindIsNumeric(kind) ? kGotoNoNumbersText : kGotoNoNamesText;
}

namespace {

void sortAsText(std::vector<GotoEntry>& entries)
{
    std::stable_sort(entries.begin(), entries.end(),
                     [](const GotoEntry& a, const GotoEntry& b) { return a.text.compare(b.text) < 0; });
}

}  // namespace

std::vector<GotoEntry> GotoNumberEntries(const TMine& mine, GotoKind kind)
{
    std::vector<GotoEntry> entries;
    switch (kind) {
    case GotoKind::Uzel:
        for (TUzel* uzel : mine.Uzels)
            entries.push_back({QString::number(uzel->Number()), uzel});
        break;
    case GotoKind::Branch:
        for (TBranch* branch : mine.Branches)
            entries.push_back({QString::number(branch->Number()), branch});
        break;
    case GotoKind::PLFPosition:
        for (TPLFPosition* position : mine.PLFPositions)
            entries.push_back({position->Name(), position});
        break;
    case GotoKind::FireDevice:
        for (TBranch* branch : mine.Branches)
            if (TPipe* pipe = branch->FirePipe())
                for (TDevice* device : pipe->Devices)
                    entries.push_back({QString::number(device->Number()), device});
        break;
    case GotoKind::PPZDevice:
        for (TBranch* branch : mine.Branches)
            for (TPipe* pipe : branch->Pipes)
                for (TDevice* device : pipe->Devices)
                    if (!device->PPZNumber().trimmed().isEmpty())
                        entries.push_back({device->PPZNumber().trimmed(), device});
        break;
    }
    sortAsText(entries);
    return entries;
}

std::vector<GotoEntry> GotoCommentEntries(const TMine& mine)
{
    std::vector<GotoEntry> entries;
    for (TBranch* branch : mine.Branches)
        if (!branch->Remark().trimmed().isEmpty())
            entries.push_back({branch->Remark(), branch});
    sortAsText(entries);
    return entries;
}

TMineObject* FindGotoEntry(const std::vector<GotoEntry>& entries, const QString& text)
{
    const QString wanted = text.trimmed();
    for (const GotoEntry& entry : entries)
        if (entry.text.trimmed() == wanted && entry.object)
            return entry.object;
    throw Exception(kGotoNotFoundText);
}

TBranch* GotoTargetBranch(const TMine& mine, GotoKind kind, TMineObject* object)
{
    switch (kind) {
    case GotoKind::Uzel:
        return nullptr;
    case GotoKind::Branch:
        return dynamic_cast<TBranch*>(object);
    case GotoKind::PLFPosition:
        if (auto* position = dynamic_cast<TPLFPosition*>(object)) {
            const int index = position->GetIndex();
            for (int i = 0; i < mine.Branches.Count(); ++i)
                if (mine.Branches.Items(i)->PLFIndex() == index)
                    return mine.Branches.Items(i);
        }
        return nullptr;
    case GotoKind::FireDevice:
    case GotoKind::PPZDevice:
        if (auto* device = dynamic_cast<TDevice*>(object))
            return device->Branch();
        return nullptr;
    }
    return nullptr;
}
