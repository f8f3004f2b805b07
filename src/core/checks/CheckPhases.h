#pragma once

#include <QtGlobal>

class TCheckRun;
class TMine;

// The phases the check commands are made of. Each writes its header, its findings and
// its closing into the run's message list.

// Numbers of nodes, numbers of branches, the topological network. extraSteps: progress
// steps that phases after this one will add.
void CheckTopology(TCheckRun& run, qint64 extraSteps);

// Which per-pipe-kind device lists the device number check looks at.
enum TDeviceListBits : unsigned { dlFire = 1, dlDrainage = 2, dlAir = 4, dlGas = 8 };
// Progress steps the device number check adds for these lists.
qint64 DeviceNumberSteps(const TMine& mine, unsigned lists);
void CheckDeviceNumbers(TCheckRun& run, unsigned lists);

// The pipe of one slot of every branch and the devices on it. Changes nothing but the
// gates' closed-automatically flags, hence the mutable mine.
void CheckPipeSlot(TCheckRun& run, TMine& mine, int slot, bool requireData);
