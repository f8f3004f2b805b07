#include "core/model/MineLists.h"

#include "core/model/Branch.h"
#include "core/model/Mine.h"
#include "core/model/Uzel.h"

TUzelList::~TUzelList() { Clear(); }
void TUzelList::ListChanged() { mine_->SetModified(true, false); }

TBranchList::~TBranchList() { Clear(); }
void TBranchList::ListChanged() { mine_->SetModified(true, false); }
