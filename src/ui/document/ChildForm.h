#pragma once

#include "core/checks/BusyCounter.h"
#include "core/checks/MessageList.h"
#include "core/tables/ClipboardRules.h"
#include "core/tables/DocumentRows.h"
#include "core/tables/RowSelection.h"
#include "core/schema/SchemaPositions.h"
#include "core/tables/TableColumns.h"
#include "core/file/DocumentSettings.h"
#include "core/file/SaveFlow.h"
#include "core/history/EditHistory.h"
#include "core/hydraulics/HydroResults.h"
#include "ui/document/GridView.h"
#include "ui/document/TableLook.h"

#include <QPersistentModelIndex>
#include <QWidget>
#include <functional>
#include <memory>

class ICheckProgress;
class QAction;
class QMenu;
class QSplitter;
class QStackedWidget;
class QTabBar;
class QToolButton;
class TBranch;
class TBranchTableModel;
class TConfig;
class TMessagePanel;
class TMine;
class TMineObject;
class TResultsPage;
class TUzel;
class TUzelTableModel;
struct TCheckOptions;
struct TCheckOutcome;
struct TNetworkDocument;

namespace ChildFormTexts {
inline const QString kNewFileName = QStringLiteral("Без названия") + QStringLiteral(".irv");
inline const QString kNewMineName = QStringLiteral("(без названия)");
inline const QString kTopologyPage = QStringLiteral(" Топология шахты ");
inline const QString kPipelinePage = QStringLiteral(" Пожарный трубопровод ");
inline const QString kModified = QStringLiteral("Изменен");
}  // namespace ChildFormTexts

// The document window: the home of one open mine. Owns the mine for its whole life, shows
// its nodes and branches as editable tables, keeps the message list of the checks, shows
// the (empty) results page, and runs the open, save and close flow of its file.
// The decisions of saving and of the clipboard are the core's (TSaveFlow, ClipboardRules);
// the member functions are defined by concern in ChildForm.cpp (state and changes),
// ChildFormWidgets.cpp, ChildFormFile.cpp, ChildFormTables.cpp, ChildFormClipboard.cpp and
// ChildFormChecks.cpp.
class TChildForm : public QWidget {
    Q_OBJECT
public:
    explicit TChildForm(TConfig& config, QWidget* parent = nullptr);
    ~TChildForm() override;

    TMine* Mine() const { return mine_.get(); }
    // The undo and redo history of the mine; every user action that changes the mine runs
    // inside one TEditTransaction on it.
    TEditHistory& History() { return history_; }
    const TEditHistory& History() const { return history_; }
    // Undo, redo, or a walk to a position of the history (0: as the history began). Refused
    // (false) while a check or a calculation runs or when there is no such step. The tables,
    // the schema and the modified flag follow; back at the saved point the document is not
    // modified.
    bool Undo();
    bool Redo();
    bool GoToStep(int position);
    bool CanUndo() const;
    bool CanRedo() const;
    TConfig& Config() const { return config_; }

    // ---- file --------------------------------------------------------------------
    // Reads a network file into this window. On failure the user has been told why,
    // the window holds what it held before and the path is not in the recent list.
    bool OpenFile(const QString& path);
    // Save (saveAs false) or Save As. False when cancelled or when writing failed; a
    // failed save keeps the document modified and under its previous name.
    bool SaveFile(bool saveAs);
    // Asks whether to save a modified document; false when the window must stay open.
    bool AskSaveChanges();
    // No check runs and the user agreed to close.
    bool CanClose();

    const QString& FileName() const { return file_.FileName; }
    bool HasFileName() const { return file_.HasFileName; }
    // The file name without its folder, the window caption.
    QString Caption() const;
    int Version() const { return file_.Version; }
    bool IsModified() const { return file_.Modified; }
    void SetModified(bool modified);
    bool RefreshNeeded() const { return refreshNeeded_; }
    // Everything the network file keeps of the window.
    TDocumentSettings DocumentSettings() const;
    // Takes a mine imported from an exchange file (defined in ChildFormExchange.cpp): the
    // document is called name and has no file of its own, so Save asks where; every column
    // shows, the nodes lie at their coordinates on the schema, nothing is modified.
    void AdoptImported(std::unique_ptr<TMine> mine, const QString& name);

    // ---- document values ----------------------------------------------------------
    int ColorMode() const { return colorMode_; }
    void SetColorMode(int mode);
    bool UseProjectedPipes() const { return useProjectedPipes_; }
    void SetUseProjectedPipes(bool on);
    int DummyZ() const { return dummyZ_; }
    void SetDummyZ(int value);
    float OX() const { return ox_; }
    float OY() const { return oy_; }
    void SetOrigin(float ox, float oy);
    // The schema factor the node positions are in (the settings' map scale when the
    // document was opened or made) and the document's origin.
    TSchemaFrame SchemaFrame() const;
    // The map scale changed: every node position and the origin follow the new factor.
    void ChangeMapScale(int mapScale);
    // The seam and plan position new branches get (−1 none), set by the lock buttons of
    // the device panel.
    int DefaultLayer() const { return defaultLayer_; }
    void SetDefaultLayer(int layer) { defaultLayer_ = layer; }
    int DefaultPLF() const { return defaultPLF_; }
    void SetDefaultPLF(int position) { defaultPLF_ = position; }
    TColumnSet& UzelColumns() { return uzelCols_; }
    TColumnSet& BranchColumns() { return branchCols_; }
    TColumnSet& ResultColumns() { return resultCols_; }

    // The calculation results of the fire-fighting pipe, or null: any structural change of
    // the mine drops them (signal HydroResultsChanged).
    const THydroResults* HydroResults() const { return hydro_.get(); }
    void SetHydroResults(std::unique_ptr<THydroResults> results);
    // The hydraulic calculation (defined in ChildFormHydro.cpp): the pipeline check, the
    // solve on a thread of its own while the window repaints and the document is busy, then
    // the results page in front. False when it gave no results; the message list tells why.
    bool Calculate();
    // The result tables in another order (the tags of the sort commands).
    void SortResultSections(int param);
    void SortResultWashers(int order);
    void SortResultLowers(int order);

    // ---- pages and tables --------------------------------------------------------
    int CurrentPage() const;
    void SetCurrentPage(int page);
    TGridView* UzelGrid() const { return uzelGrid_; }
    TGridView* BranchGrid() const { return branchGrid_; }
    TUzelTableModel* UzelModel() const { return uzelModel_; }
    TBranchTableModel* BranchModel() const { return branchModel_; }
    TResultsPage* ResultsPage() const { return results_; }
    TMessagePanel* MessagePanel() const { return messagePanel_; }
    TDocumentRows& Rows() { return *rows_; }
    // The node or branch table that has (or last had) the focus.
    TGridView* FocusedGrid() const;
    void FocusGrid(TGridView* grid);
    bool UzelGridVisible() const;
    bool BranchGridVisible() const;
    void SetUzelGridVisible(bool visible);
    void SetBranchGridVisible(bool visible);

    TUzel* CurrentUzel() const;
    TBranch* CurrentBranch() const;
    // Selects the object's row, switching off a filter that hides it.
    void ShowUzel(TUzel* uzel);
    void ShowBranch(TBranch* branch, bool firstPage = true);

    bool EditorMode() const;
    void SetEditorMode(bool on);

    void SetUzelFilter(int filter);
    void SetBranchFilter(int filter);
    int UzelFilter() const;
    int BranchFilter() const;
    void SortUzels(int order);
    void SortBranches(int order);
    // The branch order the schema draws in (and the branch table shows) changed.
    void SetBranchOrder(const std::vector<TBranch*>& order);

    // ---- editing commands ----------------------------------------------------------
    void AddUzel();
    void DeleteUzel();
    void ToggleSurface();
    void AddBranch();
    void DeleteBranch();
    // The check box of the diameter cell: the branch's fire pipe laid or taken off.
    void ToggleFirePipeLaid(TBranch* branch);
    // Rebuilds the rows from the mine and reloads both tables, keeping the cursor rows (at
    // once, after a service replaced objects of the mine).
    void SyncRows();
    // A document built elsewhere (the merge of two mines) becomes the window's content.
    void AdoptDocument(TNetworkDocument&& doc);

    // ---- clipboard -----------------------------------------------------------------
    bool CanCutCopy() const;
    bool CanPaste() const;
    QString CopyCaption() const;
    QString CutCaption() const;
    QString PasteCaption() const;
    void CopyToClipboard();
    void CutToClipboard();
    void PasteFromClipboard();

    // ---- number picker ---------------------------------------------------------------
    // While a number cell is edited, a flat free-numbers button sits in the row's fixed
    // column; it opens the free-number chooser and the chosen number goes to the row's node
    // or branch.
    QToolButton* NumberPicker() const { return numberPicker_; }
    void OpenNumberChooser();
    void GiveNumberToCell(int number);

    // ---- messages and checks -------------------------------------------------------
    TMessageList& Messages() { return messages_; }
    bool MessagesVisible() const;
    void SetMessagesVisible(bool visible);
    TBusyCounter& Busy() { return busy_; }
    void SetProgress(ICheckProgress* progress) { progress_ = progress; }
    void CheckTopology();
    void CheckPipeline();
    void FindFreeNumbers();
    void ClearCheckMessages();
    void ClearFreeNumberMessages();
    void ClearAllMessages();
    // Follows a message line to its object.
    void GotoSource(int line);

    // ---- host ------------------------------------------------------------------------
    // The text of a status bar panel: 0 mine name, 1 and 2 "row/count" of the node and
    // branch tables, 3 "Изменен", 5 the total length of the selected branches.
    QString StatusText(int panel) const;
    // The main window's commands, for the tables' context menu.
    void SetActionLookup(std::function<QAction*(const QString&)> lookup) { actionLookup_ = std::move(lookup); }
    // The settings changed: fonts, styles, heading lines.
    void ApplySettings();

signals:
    // Anything the main window shows from this window may have changed.
    void StateChanged();
    void RecentFilesChanged();
    void MessagesVisibilityChanged(bool visible);
    void CurrentBranchChanged();
    // The mine changed (structural: objects came or went); the schema redraws.
    void MineEdited(bool structural);
    // The calculation results came or went.
    void HydroResultsChanged();
    // The undo history gained, lost or walked steps (the history window and the commands
    // follow).
    void HistoryChanged();
    // The user agreed to close the window; it goes next.
    void Closing();
    // For the schema and device editor, once they exist.
    void GotoSchemaRequested(TMineObject* object);
    void EditDeviceRequested(TMineObject* device);

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildWidgets();
    void BindMine();
    // The document settings as the file keeps them, with the schema factor and origin: what
    // a history step puts back when its action changed them.
    QByteArray CaptureSettings();
    void RestoreSettings(const QByteArray& bytes);
    void HistoryApplied();
    // Commits a cell being edited; false while the history may not be walked.
    bool TakeTypedValue();
    void NoteChangeBesideHistory();
    void MineChanged(bool structural);
    void ScheduleRefresh();
    void Refresh();
    void InitialColumnWidths();
    void ApplyColumnLayout();
    void FitUzelGrid();
    void StoreColumnWidths();
    void UpdateCaption();
    // Runs a check on the first page with the hourglass, the progress and the busy counter.
    TCheckOutcome RunCheck(const std::function<TCheckOutcome(TMine&, TMessageList&, const TCheckOptions&)>& check);
    void AfterCheck(const TCheckOutcome& outcome);
    void OnUzelClicked(const TRowClick& click);
    void OnBranchClicked(const TRowClick& click);
    void OnCommandKey(TGridView* grid, TGridView::TCommandKey key);
    void OnHeaderClicked(TGridView* grid, int column);
    void ShowEditError(const QString& message);
    // The branch's row becomes current in the branch table, the focus staying where it is.
    void SelectBranchRow(TBranch* branch);
    void OpenMessagesAt(int line);
    void SetUpNumberPicker();
    void ShowNumberPicker(TGridView* grid, const QModelIndex& index);
    void ShowGridMenu(TGridView* grid, const QPoint& globalPos);
    std::vector<TUzel*> UzelsToCopy() const;
    std::vector<TBranch*> BranchesToCopy() const;
    ClipboardRules::TPasteKind PasteKind() const;

    TConfig& config_;
    std::unique_ptr<TMine> mine_;
    std::unique_ptr<TDocumentRows> rows_;
    TEditHistory history_;
    TRowSelection selection_;
    TMessageList messages_;
    TBusyCounter busy_;
    TColumnSet uzelCols_{TTableKind::Uzels};
    TColumnSet branchCols_{TTableKind::Branches};
    TColumnSet resultCols_{TTableKind::Results};
    TTableLook look_;

    TDocumentFile file_;
    bool refreshNeeded_ = false;
    int colorMode_ = 0;
    bool useProjectedPipes_ = false;
    int dummyZ_ = 100;
    quint8 reserved1_ = 0;
    float ox_ = 0;
    float oy_ = 0;
    double schemaF_;
    int defaultLayer_ = -1;
    int defaultPLF_ = -1;
    bool destroying_ = false;
    bool refreshPending_ = false;
    bool syncPending_ = false;
    // The history's position before and after its last change: the steps an undo, redo or
    // walk just took lie between.
    int historyFrom_ = 0;
    int historyAt_ = 0;
    // The history is being walked: the mine's notices are its own.
    bool walking_ = false;
    // A change the history does not hold was made at its saved point (a column moved, a
    // document merged): going back there no longer gives what the file keeps.
    bool changedBesideHistory_ = false;
    ICheckProgress* progress_ = nullptr;
    std::function<QAction*(const QString&)> actionLookup_;

    // Every widget lives inside content_, declared last so that it goes first: the views
    // and models never outlive the state they show.
    std::unique_ptr<QWidget> content_;
    QStackedWidget* pages_ = nullptr;
    QTabBar* tabSet_ = nullptr;
    QSplitter* hSplitter_ = nullptr;
    QSplitter* vSplitter_ = nullptr;
    TGridView* uzelGrid_ = nullptr;
    TGridView* branchGrid_ = nullptr;
    TGridView* lastFocused_ = nullptr;
    QMenu* gridMenu_ = nullptr;
    TUzelTableModel* uzelModel_ = nullptr;
    TBranchTableModel* branchModel_ = nullptr;
    TMessagePanel* messagePanel_ = nullptr;
    TResultsPage* results_ = nullptr;
    std::unique_ptr<THydroResults> hydro_;
    QToolButton* numberPicker_ = nullptr;
    TGridView* pickerGrid_ = nullptr;
    QPersistentModelIndex pickerIndex_;
};
