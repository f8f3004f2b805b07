#pragma once

#include <QStringList>

class TMine;

// The lines the pipeline command ("Проверить трубопровод": topology, device numbers, the
// fire-fighting pipe, warnings shown) writes for the mine; empty when it finds nothing.
QStringList PipelineFindings(TMine& mine);
// The same for the pipe check of one slot on its own (gas pipes: slot 3).
QStringList SlotFindings(TMine& mine, int slot);
// Numbers the device check does not look at: every device of every pipe (gas pipes
// included) has a positive number of its own, apart from all node numbers.
QStringList DeviceNumberClashes(const TMine& mine);
