#pragma once

class QWidget;
class TConfig;

// Reads the settings at start. When the store cannot be read (the first start, or a damaged
// store) the defaults stay and the program says so once; the settings written at the end of
// the run make the next start quiet. Returns whether the store was read.
bool LoadStartupSettings(TConfig& config, QWidget* parent = nullptr);
