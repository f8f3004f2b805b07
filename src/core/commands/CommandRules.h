#pragma once

// When a command of the main window may be used: the enabling rules of the command table and
// the small state they are decided from. Pure logic, so the main window's update step is one
// call and can be tested without windows.

#include <array>
#include <cstdint>
#include <vector>

struct CommandInfo;

// The rule a command is enabled by. "Document" means a document window is active; "first page"
// and "second page" are the two pages of the active document window.
enum class CommandRule : std::uint8_t {
    Always,
    Never,
    Document,               // doc
    DocumentModified,       // doc and modified
    AnyDocument,            // at least one document window is open
    FirstPage,              // p1
    FirstPageWithNodes,     // p1 and the mine has nodes
    FirstPageWithBranches,  // p1 and the mine has branches
    ResultsPage,            // p2: the second page is shown and results exist
    Goto,                   // p1, or p2 with results
    TableFocused,           // a node or branch table has the focus
    CutCopy,                // p1 and the focused node or branch table has rows
    Paste,                  // doc and a node or branch record on the clipboard
    DocumentWithBranches,   // doc and the mine has branches
    PipeEditor,             // doc with branches, on p1 or while the 2D schema is active
    DeviceSelected,         // a device is selected in the device panel
    FirstPageView,          // shown (and enabled) on p1 only
    MessageView,            // shown on p1 only; stays enabled while a check runs
    SecondPageView,         // shown (and enabled) on p2 only
    FocusedTableHasRows,    // the focused table of the active document has rows
    Undo,                   // doc and its history has a step to undo
    Redo,                   // doc and its history has a step to redo
};

// Which part of the state a checkable command mirrors.
enum class CheckSource : std::uint8_t {
    None,
    EditorMode,
    NodeFilter,     // checked when the node filter equals the command's tag
    BranchFilter,   // the same for the branch filter
    ColorMode,      // checked when the colour mode equals the tag
    UseProjectedPipes,
    NodeTable,
    BranchTable,
    Messages,
    Washers,
    DeviceView,
    Toolbar,        // checked when the toolbar with the tag is visible
    SurfacedNode,
};

inline constexpr int kToolbarCount = 5;

enum class FocusedTable : std::uint8_t { None, Nodes, Branches, Results };

// What the update step looks at. Document fields describe the active document window and are
// ignored when there is none.
struct CommandContext {
    int documentCount = 0;
    bool hasActiveDocument = false;
    // A check runs in some document window (its busy counter is above 0).
    bool busy = false;

    int page = 1;  // 1 or 2
    bool modified = false;
    bool hasResults = false;
    bool hasNodes = false;
    bool hasBranches = false;
    FocusedTable focus = FocusedTable::None;
    bool focusedTableHasRows = false;
    bool clipboardHasNodes = false;
    bool clipboardHasBranches = false;
    bool schemaActive = false;
    bool deviceSelected = false;
    bool canUndo = false;
    bool canRedo = false;

    // Mirrored by the checkable commands.
    bool editorMode = false;
    int nodeFilter = 0;    // 0 all nodes, 1 surface nodes
    int branchFilter = 0;  // 0 all branches, 1 incident branches
    int colorMode = 0;     // 0 standard, 1 by seams, 2 by plan positions
    bool useProjectedPipes = false;
    bool nodeTableVisible = true;
    bool branchTableVisible = true;
    bool messagesVisible = false;
    bool washersVisible = true;
    bool currentNodeSurfaced = false;
    bool deviceViewVisible = true;
    std::array<bool, kToolbarCount> toolbarsVisible{true, true, true, true, true};
};

struct CommandState {
    bool enabled = false;
    bool visible = true;
    bool checked = false;

    bool operator==(const CommandState&) const = default;
};

// The state of one command.
CommandState ComputeCommandState(const CommandInfo& command, const CommandContext& context);
// The states of every command of the table, in table order.
std::vector<CommandState> ComputeCommandStates(const CommandContext& context);
