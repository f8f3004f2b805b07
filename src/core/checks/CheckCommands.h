#pragma once

#include "core/checks/CheckOptions.h"

#include <QString>

class TMessageList;
class TMine;

// The check commands of a document. Each removes the previous check lines from the list
// (free-number lines stay), writes its phases and findings, and tells what it found.

// "&Проверить топологию": numbers of nodes and branches, the topological network.
TCheckOutcome RunTopologyCheck(const TMine& mine, TMessageList& list, const TCheckOptions& options = {});

// "Проверить т&рубопровод": the topology check, the numbers of the fire-fighting devices
// and, when neither found an error, the check of the fire-fighting pipe (slot 0).
TCheckOutcome RunPipelineCheck(TMine& mine, TMessageList& list, const TCheckOptions& options = {});

// The pipe check of any slot (0-2 water pipes, 3 and up gas pipes) on its own, under the
// given header. requireData: a slot without any active pipe is an error.
TCheckOutcome RunPipeSlotCheck(TMine& mine, TMessageList& list, int slot, const QString& header,
                               const TCheckOptions& options = {}, bool requireData = true);

// The header of the fire-fighting pipe phase.
QString FirePipelineHeader();
