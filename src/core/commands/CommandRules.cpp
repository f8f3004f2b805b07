#include "core/commands/CommandRules.h"

#include "core/commands/CommandData.h"

namespace {

// Enabled and visible by the rule alone, before the busy state is applied.
CommandState byRule(CommandRule rule, const CommandContext& c)
{
    const bool doc = c.hasActiveDocument;
    const bool p1 = doc && c.page == 1;
    const bool p2 = doc && c.page == 2;
    const bool tableFocused = doc && (c.focus == FocusedTable::Nodes || c.focus == FocusedTable::Branches);

    CommandState s;
    switch (rule) {
    case CommandRule::Always: s.enabled = true; break;
    case CommandRule::Never: s.enabled = false; break;
    case CommandRule::Document: s.enabled = doc; break;
    case CommandRule::DocumentModified: s.enabled = doc && c.modified; break;
    case CommandRule::AnyDocument: s.enabled = doc || c.documentCount > 0; break;
    case CommandRule::FirstPage: s.enabled = p1; break;
    case CommandRule::FirstPageWithNodes: s.enabled = p1 && c.hasNodes; break;
    case CommandRule::FirstPageWithBranches: s.enabled = p1 && c.hasBranches; break;
    case CommandRule::ResultsPage: s.enabled = p2 && c.hasResults; break;
    case CommandRule::Goto: s.enabled = p1 || (p2 && c.hasResults); break;
    case CommandRule::TableFocused: s.enabled = tableFocused; break;
    case CommandRule::CutCopy: s.enabled = p1 && tableFocused && c.focusedTableHasRows; break;
    case CommandRule::Paste: s.enabled = doc && (c.clipboardHasNodes || c.clipboardHasBranches); break;
    case CommandRule::DocumentWithBranches: s.enabled = doc && c.hasBranches; break;
    case CommandRule::PipeEditor: s.enabled = doc && c.hasBranches && (c.page == 1 || c.schemaActive); break;
    case CommandRule::DeviceSelected: s.enabled = doc && c.deviceSelected; break;
    case CommandRule::FirstPageView:
    case CommandRule::MessageView:
        s.visible = p1;
        s.enabled = p1;
        break;
    case CommandRule::SecondPageView:
        s.visible = p2;
        s.enabled = p2;
        break;
    case CommandRule::FocusedTableHasRows: s.enabled = doc && c.focus != FocusedTable::None && c.focusedTableHasRows; break;
    case CommandRule::Undo: s.enabled = doc && c.canUndo; break;
    case CommandRule::Redo: s.enabled = doc && c.canRedo; break;
    }
    return s;
}

bool checkedBy(const CommandInfo& command, const CommandContext& c)
{
    const bool doc = c.hasActiveDocument;
    switch (command.check) {
    case CheckSource::None: return false;
    case CheckSource::EditorMode: return doc && c.editorMode;
    case CheckSource::NodeFilter: return doc && c.nodeFilter == command.tag;
    case CheckSource::BranchFilter: return doc && c.branchFilter == command.tag;
    case CheckSource::ColorMode: return doc && c.colorMode == command.tag;
    case CheckSource::UseProjectedPipes: return doc && c.useProjectedPipes;
    case CheckSource::NodeTable: return doc && c.nodeTableVisible;
    case CheckSource::BranchTable: return doc && c.branchTableVisible;
    case CheckSource::Messages: return doc && c.messagesVisible;
    case CheckSource::Washers: return doc && c.washersVisible;
    case CheckSource::SurfacedNode: return doc && c.hasNodes && c.currentNodeSurfaced;
    case CheckSource::DeviceView: return c.deviceViewVisible;
    case CheckSource::Toolbar:
        return command.tag >= 0 && command.tag < kToolbarCount && c.toolbarsVisible[size_t(command.tag)];
    }
    return false;
}

}  // namespace

CommandState ComputeCommandState(const CommandInfo& command, const CommandContext& context)
{
    CommandState state = byRule(command.rule, context);
    // While a check runs only the message panel can be switched (a check shows it when done).
    if (context.busy && command.rule != CommandRule::MessageView)
        state.enabled = false;
    state.checked = checkedBy(command, context);
    return state;
}

std::vector<CommandState> ComputeCommandStates(const CommandContext& context)
{
    std::vector<CommandState> states;
    const auto table = CommandTable();
    states.reserve(table.size());
    for (const CommandInfo& command : table)
        states.push_back(ComputeCommandState(command, context));
    return states;
}
