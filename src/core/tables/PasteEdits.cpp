#include "core/tables/PasteEdits.h"

#include "core/file/ClipboardRecords.h"
#include "core/model/Branch.h"
#include "core/model/Mine.h"
#include "core/model/Uzel.h"

namespace PasteEdits {

std::vector<TUzel*> PasteUzels(TMine& mine, const QByteArray& block)
{
    std::vector<TUzel*> pasted = DecodeUzels(mine, block);
    mine.Selection.RemoveClass<TUzel>();
    for (TUzel* u : pasted)
        u->SetSelected(true);
    return pasted;
}

std::vector<TBranch*> PasteBranches(TMine& mine, const QByteArray& block)
{
    std::vector<TBranch*> pasted = DecodeBranches(mine, block);
    mine.Selection.RemoveClass<TBranch>();
    for (TBranch* b : pasted) {
        b->SetLayerIndex(-1);
        b->SetPLFIndex(-1);
    }
    return pasted;
}

}  // namespace PasteEdits
