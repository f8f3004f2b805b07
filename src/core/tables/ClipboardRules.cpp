#include "core/tables/ClipboardRules.h"

#include "core/tables/CopyTargets.h"
#include "core/tables/DocumentRows.h"

namespace ClipboardRules {

namespace {

QString CountedObjects(const TMine& mine, bool uzelTable)
{
    const QString what = uzelTable ? QStringLiteral(" узлы (%1)") : QStringLiteral(" ветви (%1)");
    return what.arg(CopyTargets::Count(mine, uzelTable));
}

}  // namespace

TPasteKind PasteKind(bool hasUzels, bool hasBranches)
{
    if (hasUzels)
        return TPasteKind::Uzels;
    return hasBranches ? TPasteKind::Branches : TPasteKind::None;
}

bool CanCutCopy(const TDocumentRows& rows, bool uzelTable, int page)
{
    if (page != 0 || rows.Stale())
        return false;
    return uzelTable ? rows.UzelCount() > 0 : rows.BranchCount() > 0;
}

bool CanPaste(TPasteKind kind)
{
    return kind != TPasteKind::None;
}

QString CopyCaption(const TMine& mine, bool uzelTable)
{
    return QStringLiteral("&Копировать") + CountedObjects(mine, uzelTable);
}

QString CutCaption(const TMine& mine, bool uzelTable)
{
    return QStringLiteral("&Вырезать") + CountedObjects(mine, uzelTable);
}

QString PasteCaption(TPasteKind kind)
{
    switch (kind) {
    case TPasteKind::Uzels:
        return QStringLiteral("В&ставить узлы");
    case TPasteKind::Branches:
        return QStringLiteral("В&ставить ветви");
    case TPasteKind::None:
        break;
    }
    return QStringLiteral("В&ставить");
}

}  // namespace ClipboardRules
