#pragma once

// The schema window's own commands, reached in code by these values: a misspelt command does
// not compile, where a misspelt name once gave a null action without a word. Each action
// also carries its object name ("ActPageScale", …), by which the main window's lookups and
// tests may ask for it.

#include <cstddef>

enum class TSchemaCommand : int {
    // The tools and the editor mode.
    Arrow, Move, IncScale, DecScale, TextBlock, Editor, SelectAll,
    // Drawing order and restoring; finding.
    Front, Back, Forward, Backward, Refresh, Find,
    // Zoom.
    IncScaleAuto, DecScaleAuto, PageScale, SelectionScale, PreviousScale,
    // Service.
    PrintSchema, Legend, SavePicture, Options, Map, InfoWindow, Properties, DevicesWindow, ToMainWindow, Help,
    // Context menus.
    ToggleUzelNumber, ToggleUzelResult, ToggleBranchNumber, ToggleBranchResult, ToggleDeviceResult,
    RestoreUzel, RestoreLabel, DeviceProperties, EditPipe, UzelProperties,
    TextBlockProperties, TextBlockDelete, TextBlockReset,
    Count
};

inline constexpr std::size_t kSchemaCommandCount = std::size_t(TSchemaCommand::Count);

// The action's object name.
const char* SchemaCommandName(TSchemaCommand command);
