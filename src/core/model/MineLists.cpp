#include "core/model/MineLists.h"

#include "core/model/Branch.h"
#include "core/model/Mine.h"
#include "core/model/Uzel.h"

TUzelList::~TUzelList() { Clear(); }
// A node or branch came or went: structural (the scene's lists, the rows, any results).
void TUzelList::ListChanged() { mine_->SetModified(true, true); }

TBranchList::~TBranchList() { Clear(); }
void TBranchList::ListChanged() { mine_->SetModified(true, true); }
