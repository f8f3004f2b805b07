// The main window's commands: each table command connected to what it does, and the update
// step that enables and checks them from the active document.

#include "ui/app/MainForm.h"

#include "core/commands/CommandData.h"
#include "core/model/Mine.h"
#include "core/model/Uzel.h"
#include "core/shell/HelpPages.h"
#include "ui/app/CommandTable.h"
#include "ui/app/DevicePanel.h"
#include "ui/app/ToolbarPlacement.h"
#include "ui/app/WindowArrangement.h"
#include "ui/document/ChildForm.h"
#include "ui/document/DocumentClipboard.h"
#include "ui/document/HistoryForm.h"
#include "ui/document/ResultsPage.h"
#include "ui/editing/BranchBreakForm.h"
#include "ui/editing/IntegrateForm.h"
#include "ui/editing/TransForm.h"
#include "ui/equipment/EditPumpForm.h"
#include "ui/equipment/ReducerForm.h"
#include "ui/report/PrintTablesForm.h"

#include <QAction>
#include <QDockWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QToolBar>

void TMainForm::CreateCommands()
{
    commands_ = std::make_unique<CommandActions>(this);
    // On the window, so their shortcuts work wherever the focus is.
    addActions(commands_->ReadyActions());
}

QAction* TMainForm::Action(const QString& name) const
{
    return commands_ ? commands_->Action(name) : nullptr;
}

void TMainForm::OnCommand(const char* name, std::function<void()> run)
{
    commands_->Handle(QString::fromUtf8(name), this, std::move(run));
}

void TMainForm::OnDocumentCommand(const char* name, std::function<void(TChildForm&)> run)
{
    OnCommand(name, [this, run = std::move(run)] {
        if (TChildForm* doc = ActiveDocument())
            run(*doc);
    });
}

void TMainForm::ConnectCommands()
{
    // File.
    OnCommand("actFileNew", [this] { NewDocument(); });
    OnCommand("actFileOpen", [this] { OpenFiles(); });
    OnDocumentCommand("actFileSave", [](TChildForm& d) { d.SaveFile(false); });
    OnDocumentCommand("actFileSaveAs", [](TChildForm& d) { d.SaveFile(true); });
    OnCommand("actFileSaveAll", [this] { SaveAll(); });
    OnCommand("actFileClose", [this] {
        if (QMdiSubWindow* w = mdi_->activeSubWindow())
            w->close();
    });
    OnCommand("actFileCloseAll", [this] { CloseAll(); });
    OnDocumentCommand("actFilePrint", [this](TChildForm& d) { TPrintTablesForm(d, this).exec(); });
    OnDocumentCommand("actAllDevices", [this](TChildForm& d) { ShowAllDevices(d); });
    OnCommand("actTopologyChema", [this] { OpenTopology(); });
    OnCommand("actExit", [this] { close(); });

    // Editing.
    OnDocumentCommand("actUndo", [](TChildForm& d) { d.Undo(); });
    OnDocumentCommand("actRedo", [](TChildForm& d) { d.Redo(); });
    OnCommand("actHistory", [this] { ShowHistory(); });
    OnDocumentCommand("actEditorMode", [](TChildForm& d) { d.SetEditorMode(!d.EditorMode()); });
    OnDocumentCommand("actCutToClipboard", [](TChildForm& d) { d.CutToClipboard(); });
    OnDocumentCommand("actCopyToClipboard", [](TChildForm& d) { d.CopyToClipboard(); });
    OnDocumentCommand("actPasteFromClipboard", [](TChildForm& d) { d.PasteFromClipboard(); });
    OnCommand("actGoto", [this] { RunGoto(); });

    // View: filters and sorts (the tag is the filter kind or the sort key).
    for (const char* name : {"actFilterAllUzels", "actFilterSurfUzels"}) {
        const int tag = FindCommand(QString::fromUtf8(name))->tag;
        OnDocumentCommand(name, [tag](TChildForm& d) { d.SetUzelFilter(tag); });
    }
    for (const char* name : {"actFilterAllBranches", "actFilterIncidBranches"}) {
        const int tag = FindCommand(QString::fromUtf8(name))->tag;
        OnDocumentCommand(name, [tag](TChildForm& d) { d.SetBranchFilter(tag); });
    }
    for (const char* name : {"actUzelsByNums", "actUzelsByX", "actUzelsByY", "actUzelsByZ"}) {
        const int tag = FindCommand(QString::fromUtf8(name))->tag;
        OnDocumentCommand(name, [tag](TChildForm& d) { d.SortUzels(tag); });
    }
    for (const char* name : {"actBranchesByNums", "actBranchesBySUzels", "actBranchesByEUzels", "actBranchesByLength",
                             "actBranchesByAngle", "actBranchesByRemarks", "actBranchesByDiam", "actBranchesByWall",
                             "actBranchesByKoef"}) {
        const int tag = FindCommand(QString::fromUtf8(name))->tag;
        OnDocumentCommand(name, [tag](TChildForm& d) { d.SortBranches(tag); });
    }
    for (const char* name : {"actHBranchesByNum", "actHBranchesBySNum", "actHBranchesByENum", "actHBranchesByL",
                             "actHBranchesByK", "actHBranchesByLK", "actHBranchesByAngle", "actHBranchesByQ",
                             "actHBranchesByV", "actHBranchesByD", "actHBranchesBy100i", "actHBranchesByR",
                             "actHBranchesByDZ", "actHBranchesByH1", "actHBranchesByH2", "actHBranchesByRemark"}) {
        const int tag = FindCommand(QString::fromUtf8(name))->tag;
        OnDocumentCommand(name, [tag](TChildForm& d) { d.SortResultSections(tag); });
    }
    for (const char* name : {"actWashersByNum", "actWashersByP", "actWashersByDeltaPress", "actWashersPAfter",
                             "actWashersByDiam", "actWashersByFactD"}) {
        const int tag = FindCommand(QString::fromUtf8(name))->tag;
        OnDocumentCommand(name, [tag](TChildForm& d) { d.SortResultWashers(tag); });
    }
    for (const char* name : {"actLowerByNum", "actLowerByP"}) {
        const int tag = FindCommand(QString::fromUtf8(name))->tag;
        OnDocumentCommand(name, [tag](TChildForm& d) { d.SortResultLowers(tag); });
    }

    // View: tables, panels, colours, toolbars.
    OnDocumentCommand("actUzelGrid", [](TChildForm& d) { d.SetUzelGridVisible(!d.UzelGridVisible()); });
    OnDocumentCommand("actBranchGrid", [](TChildForm& d) { d.SetBranchGridVisible(!d.BranchGridVisible()); });
    OnDocumentCommand("actMessageView", [](TChildForm& d) { d.SetMessagesVisible(!d.MessagesVisible()); });
    OnDocumentCommand("actWashersView",
                      [](TChildForm& d) { d.ResultsPage()->SetWashersVisible(!d.ResultsPage()->WashersVisible()); });
    for (const char* name : {"actStdColors", "actLayerColors", "actPLFColors"}) {
        const int tag = FindCommand(QString::fromUtf8(name))->tag;
        OnDocumentCommand(name, [tag](TChildForm& d) { d.SetColorMode(tag); });
    }
    OnCommand("actDeviceView", [this] {
        deviceDock_->setVisible(deviceDock_->isHidden());
        UpdateActions();
    });
    for (const ToolbarInfo& bar : Toolbars()) {
        for (const CommandInfo& command : CommandTable())
            if (command.check == CheckSource::Toolbar && command.tag == bar.tag) {
                const int tag = bar.tag;
                OnCommand(command.name, [this, tag] {
                    if (tag < static_cast<int>(bars_.size()))
                        SetToolbarVisible(tag, bars_[static_cast<size_t>(tag)]->isHidden());
                });
            }
    }
    OnCommand("actResetBars", [this] { ApplyToolbarLayout(DefaultToolbarLayout(static_cast<int>(bars_.size()))); });

    // Mine.
    OnDocumentCommand("actAddUzel", [](TChildForm& d) { d.AddUzel(); });
    OnDocumentCommand("actDelUzel", [](TChildForm& d) { d.DeleteUzel(); });
    OnDocumentCommand("actSurfacedUzel", [](TChildForm& d) { d.ToggleSurface(); });
    OnDocumentCommand("actAddBranch", [](TChildForm& d) { d.AddBranch(); });
    OnDocumentCommand("actDelBranch", [](TChildForm& d) { d.DeleteBranch(); });
    OnDocumentCommand("actCheckTopology", [](TChildForm& d) { d.CheckTopology(); });
    OnCommand("actEditRedDB", [this] { EditReducerDatabase(this, config_.DBPath); });

    // Calculation and service.
    OnDocumentCommand("actHydroCalc", [](TChildForm& d) { d.Calculate(); });
    OnDocumentCommand("actCheckWaterPipes", [](TChildForm& d) { d.CheckPipeline(); });
    OnDocumentCommand("actUseProjectedPipes", [](TChildForm& d) { d.SetUseProjectedPipes(!d.UseProjectedPipes()); });
    OnDocumentCommand("actFreeNumbers", [](TChildForm& d) { d.FindFreeNumbers(); });
    OnDocumentCommand("actTransform", [this](TChildForm& d) { TransformNodes(this, d); });
    OnDocumentCommand("actBranchBreak", [this](TChildForm& d) { SplitBranch(this, d, d.CurrentBranch()); });
    OnDocumentCommand("actMineIntegrate", [this](TChildForm& d) {
        // The merged document is complete before its window opens.
        if (auto merged = MergeMines(this, d, Documents())) {
            TChildForm* result = NewDocument();
            result->AdoptDocument(std::move(*merged));
            result->SetModified(true);
        }
    });
    OnCommand("actParams", [this] { RunSettings(); });
    OnCommand("actEditPumpDB", [this] { TEditPumpForm(config_.DBPath, nullptr, {}, this).exec(); });

    // Windows (the tile mode is the tag: 0 one under another, 1 side by side).
    OnCommand("actWinCascade", [this] { mdi_->cascadeSubWindows(); });
    OnCommand("actWinVertTile", [this] { TileWindows(FindCommand(u"actWinVertTile")->tag == 0); });
    OnCommand("actWinHorizTile", [this] { TileWindows(FindCommand(u"actWinHorizTile")->tag == 0); });
    OnCommand("actWinMinimize", [this] { arrangement_->MinimizeAll(); });
    OnCommand("actWinArrangeIcons", [this] { ArrangeIcons(); });

    ConnectSchemaCommands();
    ConnectEditingCommands();
    ConnectServiceCommands();
    ConnectExchangeCommands();

    // Help.
    OnCommand("actHelpTopics", [this] { ShowHelp(kHelpContents); });
    OnCommand("actHelpAbout", [this] { RunAbout(); });
}

CommandContext TMainForm::CurrentContext() const
{
    CommandContext c;
    const QList<TChildForm*> documents = Documents();
    c.documentCount = static_cast<int>(documents.size());
    c.busy = opening_.Busy();
    for (TChildForm* f : documents)
        c.busy = c.busy || f->Busy().Busy();
    c.deviceViewVisible = deviceDock_ && !deviceDock_->isHidden();
    for (size_t i = 0; i < bars_.size() && i < c.toolbarsVisible.size(); ++i)
        c.toolbarsVisible[i] = !bars_[i]->isHidden();

    TChildForm* doc = ActiveDocument();
    c.hasActiveDocument = doc != nullptr;
    if (!doc)
        return c;
    c.page = doc->CurrentPage() + 1;
    c.modified = doc->IsModified();
    c.hasResults = doc->HydroResults() != nullptr;
    c.hasNodes = doc->Mine()->Uzels.Count() > 0;
    c.hasBranches = doc->Mine()->Branches.Count() > 0;
    if (c.page == 1 && doc->FocusedGrid())
        c.focus = doc->FocusedGrid() == doc->UzelGrid() ? FocusedTable::Nodes : FocusedTable::Branches;
    c.focusedTableHasRows = doc->CanCutCopy();
    if (c.page == 2) {
        c.focus = FocusedTable::Results;
        c.focusedTableHasRows = doc->ResultsPage()->FocusedTableHasRows();
    }
    c.clipboardHasNodes = DocumentClipboard::HasUzels();
    c.clipboardHasBranches = DocumentClipboard::HasBranches();
    c.deviceSelected = devicePanel_ && devicePanel_->SelectedDevice();
    c.canUndo = doc->History().CanUndo();
    c.canRedo = doc->History().CanRedo();
    c.editorMode = doc->FocusedGrid() && doc->EditorMode();
    c.nodeFilter = doc->UzelFilter();
    c.branchFilter = doc->BranchFilter();
    c.colorMode = doc->ColorMode();
    c.useProjectedPipes = doc->UseProjectedPipes();
    c.nodeTableVisible = doc->UzelGridVisible();
    c.branchTableVisible = doc->BranchGridVisible();
    c.messagesVisible = doc->MessagesVisible();
    c.washersVisible = doc->ResultsPage()->WashersVisible();
    const TUzel* current = doc->CurrentUzel();
    c.currentNodeSurfaced = current && current->Surface();
    return c;
}

void TMainForm::UpdateActions()
{
    if (!commands_)
        return;
    const CommandContext context = CurrentContext();
    commands_->ApplyStates(ComputeCommandStates(context));

    // The clipboard commands name what they act on and how many.
    TChildForm* doc = ActiveDocument();
    const auto caption = [this](const char* name, bool specific, const QString& text) {
        QAction* a = Action(QString::fromUtf8(name));
        a->setText(specific ? text : FindCommand(QString::fromUtf8(name))->Caption());
    };
    const bool cutCopy = doc && Action(QStringLiteral("actCopyToClipboard"))->isEnabled();
    const bool paste = doc && Action(QStringLiteral("actPasteFromClipboard"))->isEnabled();
    caption("actCutToClipboard", cutCopy, cutCopy ? doc->CutCaption() : QString());
    caption("actCopyToClipboard", cutCopy, cutCopy ? doc->CopyCaption() : QString());
    caption("actPasteFromClipboard", paste, paste ? doc->PasteCaption() : QString());

    // Undo and redo name the step they take: "&Отменить Изменение ячейки".
    const auto step = [this](const char* name, const QString& stepCaption) {
        QAction* a = Action(QString::fromUtf8(name));
        const CommandInfo* command = FindCommand(QString::fromUtf8(name));
        const bool named = a->isEnabled() && !stepCaption.isEmpty();
        a->setText(named ? command->Caption() + QLatin1Char(' ') + stepCaption : command->Caption());
        a->setToolTip(named ? command->ShortHint() + QLatin1Char(' ') + stepCaption : command->ShortHint());
    };
    step("actUndo", doc ? doc->History().UndoCaption() : QString());
    step("actRedo", doc ? doc->History().RedoCaption() : QString());
}

THistoryForm* TMainForm::ShowHistory()
{
    if (!history_) {
        // A tool window of the frame: it stays above it and goes with it.
        history_ = new THistoryForm(this);
        const QPoint corner = mapToGlobal(QPoint(width() - history_->width() - 40, 120));
        history_->move(corner);
    }
    history_->SetDocument(ActiveDocument());
    history_->show();
    history_->raise();
    return history_;
}

THistoryForm* TMainForm::HistoryWindow() const
{
    return history_;
}

bool TMainForm::HasHandler(const QString& command) const
{
    return commands_->HasHandler(command);
}
