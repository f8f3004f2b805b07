#pragma once

// Placing the main window's toolbars from their layout records and taking the records from
// where they are now (core/settings/ToolbarLayout.h has the records and their store).
//
// Plugging in (TMainForm), with bars_ from CommandActions::BuildToolBars (index = tag):
//     on show:     ApplyToolbarLayout(this, bars_, LoadToolbarLayout(SettingsStore::currentUser(), bars_));
//     actResetBars: ApplyToolbarLayout(this, bars_, DefaultToolbarLayout(int(bars_.size())));
//     on close:    layout_ = CaptureToolbarLayout(this, bars_);
//     on destroy:  SaveToolbarLayout(SettingsStore::currentUser(), bars_, layout_);
//
// Docked bars are restored in their dock (top or bottom) in rows by their top coordinate and,
// within a row, by their left one. A floating record is docked at the top: Qt offers no way to
// float a toolbar from code.

#include "core/settings/ToolbarLayout.h"

#include <vector>

class QMainWindow;
class QToolBar;
class SettingsStore;

std::vector<ToolbarRecord> CaptureToolbarLayout(const QMainWindow* window, const std::vector<QToolBar*>& bars);
void ApplyToolbarLayout(QMainWindow* window, const std::vector<QToolBar*>& bars, const std::vector<ToolbarRecord>& records);

// The records stored for the bars (value names = the bars' object names); the default layout on
// any error.
std::vector<ToolbarRecord> LoadToolbarLayout(const SettingsStore& store, const std::vector<QToolBar*>& bars);
bool SaveToolbarLayout(SettingsStore& store, const std::vector<QToolBar*>& bars, const std::vector<ToolbarRecord>& records);
