#include "core/commands/CommandData.h"
#include "core/commands/CommandRules.h"

#include <gtest/gtest.h>

#include <QSet>

namespace {

QSet<QString> enabledCommands(const CommandContext& context)
{
    QSet<QString> names;
    const auto states = ComputeCommandStates(context);
    const auto table = CommandTable();
    for (size_t i = 0; i < table.size(); ++i)
        if (states[i].enabled)
            names << table[i].Name();
    return names;
}

CommandState stateOf(const char* name, const CommandContext& context)
{
    const CommandInfo* command = FindCommand(QString::fromLatin1(name));
    EXPECT_NE(command, nullptr) << name;
    return command ? ComputeCommandState(*command, context) : CommandState{};
}

// An active document on its first page with nodes and branches, a table focused.
CommandContext workingDocument()
{
    CommandContext c;
    c.documentCount = 1;
    c.hasActiveDocument = true;
    c.page = 1;
    c.hasNodes = true;
    c.hasBranches = true;
    c.focus = FocusedTable::Branches;
    c.focusedTableHasRows = true;
    return c;
}

}  // namespace

TEST(CommandRules, WithoutDocumentExactlyTheAlwaysCommandsAreEnabled)
{
    const CommandContext none;
    QSet<QString> always;
    for (const CommandInfo& command : CommandTable())
        if (command.rule == CommandRule::Always)
            always << command.Name();
    EXPECT_EQ(enabledCommands(none), always);

    // The commands the user must still reach without a document.
    for (const char* name : {"actFileNew", "actFileOpen", "actImport", "actEditPumpDB", "actEditRedDB", "actParams",
                             "actHelpTopics", "actHelpAbout", "actExit"})
        EXPECT_TRUE(always.contains(QString::fromLatin1(name))) << name;
    for (const char* name : {"actFileSave", "actFileClose", "actGoto", "actCheckWaterPipes", "actAddUzel",
                             "actCutToClipboard", "actPasteFromClipboard", "actWinCascade", "actMessageView"})
        EXPECT_FALSE(always.contains(QString::fromLatin1(name))) << name;
}

TEST(CommandRules, WhileACheckRunsOnlyTheMessagesCommandIsEnabled)
{
    CommandContext c = workingDocument();
    c.busy = true;
    c.modified = true;
    c.clipboardHasNodes = true;
    EXPECT_EQ(enabledCommands(c), QSet<QString>{QStringLiteral("actMessageView")});
}

TEST(CommandRules, SaveNeedsAModifiedDocument)
{
    CommandContext c = workingDocument();
    EXPECT_FALSE(stateOf("actFileSave", c).enabled);
    EXPECT_TRUE(stateOf("actFileSaveAs", c).enabled);
    c.modified = true;
    EXPECT_TRUE(stateOf("actFileSave", c).enabled);
}

TEST(CommandRules, PageRules)
{
    CommandContext c = workingDocument();
    EXPECT_TRUE(stateOf("actAddUzel", c).enabled);
    EXPECT_TRUE(stateOf("actGoto", c).enabled);
    EXPECT_FALSE(stateOf("actHBranchesByNum", c).enabled);

    c.page = 2;
    EXPECT_FALSE(stateOf("actAddUzel", c).enabled);
    EXPECT_FALSE(stateOf("actGoto", c).enabled) << "page 2 without results";
    EXPECT_FALSE(stateOf("actHBranchesByNum", c).enabled);
    c.hasResults = true;
    EXPECT_TRUE(stateOf("actGoto", c).enabled);
    EXPECT_TRUE(stateOf("actHBranchesByNum", c).enabled);
    EXPECT_TRUE(stateOf("actLowerByP", c).enabled);
    EXPECT_TRUE(stateOf("actCheckWaterPipes", c).enabled) << "document commands do not care for the page";
}

TEST(CommandRules, DeleteCommandsNeedObjects)
{
    CommandContext c = workingDocument();
    c.hasNodes = false;
    c.hasBranches = false;
    EXPECT_TRUE(stateOf("actAddUzel", c).enabled);
    EXPECT_TRUE(stateOf("actAddBranch", c).enabled);
    EXPECT_FALSE(stateOf("actDelUzel", c).enabled);
    EXPECT_FALSE(stateOf("actSurfacedUzel", c).enabled);
    EXPECT_FALSE(stateOf("actDelBranch", c).enabled);
    EXPECT_FALSE(stateOf("actEditPipe", c).enabled);
}

TEST(CommandRules, ClipboardRules)
{
    CommandContext c = workingDocument();
    EXPECT_TRUE(stateOf("actCopyToClipboard", c).enabled);
    EXPECT_FALSE(stateOf("actPasteFromClipboard", c).enabled);
    c.clipboardHasBranches = true;
    EXPECT_TRUE(stateOf("actPasteFromClipboard", c).enabled);

    c.focusedTableHasRows = false;
    EXPECT_FALSE(stateOf("actCutToClipboard", c).enabled);
    c.focusedTableHasRows = true;
    c.focus = FocusedTable::None;
    EXPECT_FALSE(stateOf("actCopyToClipboard", c).enabled);
    EXPECT_FALSE(stateOf("actEditorMode", c).enabled);
    c.focus = FocusedTable::Nodes;
    EXPECT_TRUE(stateOf("actEditorMode", c).enabled);
    // Paste works on any page of an active document.
    c.page = 2;
    EXPECT_TRUE(stateOf("actPasteFromClipboard", c).enabled);
    EXPECT_FALSE(stateOf("actCopyToClipboard", c).enabled);
}

TEST(CommandRules, PipeEditorAlsoFromTheSchema)
{
    CommandContext c = workingDocument();
    c.page = 2;
    EXPECT_FALSE(stateOf("actEditPipe", c).enabled);
    c.schemaActive = true;
    EXPECT_TRUE(stateOf("actEditPipe", c).enabled);
}

TEST(CommandRules, PageViewsAreShownOnTheirPageOnly)
{
    CommandContext c = workingDocument();
    EXPECT_TRUE(stateOf("actUzelGrid", c).visible);
    EXPECT_TRUE(stateOf("actMessageView", c).visible);
    EXPECT_FALSE(stateOf("actWashersView", c).visible);
    c.page = 2;
    EXPECT_FALSE(stateOf("actBranchGrid", c).visible);
    EXPECT_FALSE(stateOf("actMessageView", c).enabled);
    EXPECT_TRUE(stateOf("actWashersView", c).visible);
    EXPECT_TRUE(stateOf("actWashersView", c).enabled);
    EXPECT_FALSE(stateOf("actUzelGrid", CommandContext{}).visible);
}

TEST(CommandRules, AnalysisAndCalculationAreNeverEnabled)
{
    CommandContext c = workingDocument();
    c.hasResults = true;
    for (const char* name : {"actAnalizeView", "actCalculate", "actCalcWashers", "actCalcLowers"})
        EXPECT_FALSE(stateOf(name, c).enabled) << name;
}

TEST(CommandRules, CheckedStatesFollowTheDocument)
{
    CommandContext c = workingDocument();
    c.nodeFilter = 1;
    c.colorMode = 2;
    c.useProjectedPipes = true;
    c.editorMode = true;
    c.toolbarsVisible = {true, false, true, true, false};
    EXPECT_FALSE(stateOf("actFilterAllUzels", c).checked);
    EXPECT_TRUE(stateOf("actFilterSurfUzels", c).checked);
    EXPECT_TRUE(stateOf("actFilterAllBranches", c).checked);
    EXPECT_FALSE(stateOf("actStdColors", c).checked);
    EXPECT_TRUE(stateOf("actPLFColors", c).checked);
    EXPECT_TRUE(stateOf("actUseProjectedPipes", c).checked);
    EXPECT_TRUE(stateOf("actEditorMode", c).checked);
    EXPECT_TRUE(stateOf("actViewStdBar", c).checked);
    EXPECT_FALSE(stateOf("actViewEditBar", c).checked);
    EXPECT_FALSE(stateOf("actViewMineBar", c).checked);

    // Without a document nothing of a document shows as checked.
    CommandContext none;
    none.useProjectedPipes = true;
    EXPECT_FALSE(stateOf("actUseProjectedPipes", none).checked);
    EXPECT_FALSE(stateOf("actFilterAllUzels", none).checked);
    EXPECT_TRUE(stateOf("actDeviceView", none).checked);
}

TEST(CommandRules, MergeNeedsOneOpenDocument)
{
    CommandContext c;
    EXPECT_FALSE(stateOf("actMineIntegrate", c).enabled);
    c.documentCount = 1;
    EXPECT_TRUE(stateOf("actMineIntegrate", c).enabled);
}

TEST(CommandRules, UndoAndRedoFollowTheHistoryAndWaitForChecks)
{
    CommandContext c = workingDocument();
    EXPECT_FALSE(stateOf("actUndo", c).enabled);
    EXPECT_FALSE(stateOf("actRedo", c).enabled);
    EXPECT_TRUE(stateOf("actHistory", c).enabled);
    c.canUndo = true;
    EXPECT_TRUE(stateOf("actUndo", c).enabled);
    EXPECT_FALSE(stateOf("actRedo", c).enabled);
    c.canRedo = true;
    EXPECT_TRUE(stateOf("actRedo", c).enabled);
    // A check reads the mine: no step is taken meanwhile.
    c.busy = true;
    EXPECT_FALSE(stateOf("actUndo", c).enabled);
    EXPECT_FALSE(stateOf("actRedo", c).enabled);
    // Another document's history means nothing without an active one.
    CommandContext none;
    none.documentCount = 1;
    none.canUndo = none.canRedo = true;
    EXPECT_FALSE(stateOf("actUndo", none).enabled);
    EXPECT_FALSE(stateOf("actRedo", none).enabled);
    EXPECT_FALSE(stateOf("actHistory", none).enabled);
}
