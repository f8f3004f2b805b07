#pragma once

#include "core/checks/CheckOptions.h"

class TMessageList;
class TMine;

// "&Свободные номера": lists the gaps in the numbering of nodes and of branches, replacing
// the previous free-number lines (check lines stay). Numbers below 1 and repeats take no
// part: every number offered is positive and unused.
TCheckOutcome RunFreeNumbers(const TMine& mine, TMessageList& list, const TCheckOptions& options = {});
