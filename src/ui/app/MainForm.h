#pragma once

#include "core/checks/BusyCounter.h"
#include "core/commands/CommandRules.h"
#include "core/settings/ToolbarLayout.h"

#include <QMainWindow>
#include <QPointer>
#include <functional>
#include <memory>
#include <vector>

class CommandActions;
class TBranchPropForm;
class TTopolChemaForm;
class TUzelPropForm;
class QAction;
class QDockWidget;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QToolBar;
class TBranch;
class TChildForm;
class TConfig;
class TDevice;
class TDevicePanel;
class TEditPipeForm;
class THistoryForm;
class TMineObject;
class TShema2DForm;
struct TSchemaSettings;
class TStatusPanels;
class TWindowArrangement;

// The frame of the application: the document windows in an MDI area, the menu and the five
// toolbars built from the command table, the status bar with its panels and progress bar,
// the device panel on the right, the recent files, and opening files from outside (command
// line, drag and drop, a second start of the program). Every command acts on the active
// document; one update step enables and checks every command from the active document.
class TMainForm : public QMainWindow {
    Q_OBJECT
public:
    explicit TMainForm(TConfig& config, QWidget* parent = nullptr);
    ~TMainForm() override;

    TConfig& Config() const { return config_; }
    QMdiArea* MdiArea() const { return mdi_; }
    TDevicePanel* DevicePanel() const { return devicePanel_; }
    QDockWidget* DeviceDock() const { return deviceDock_; }
    const std::vector<QToolBar*>& ToolBars() const { return bars_; }

    // The action of a command ("actFileOpen"), or null.
    QAction* Action(const QString& name) const;

    TChildForm* ActiveDocument() const;
    QList<TChildForm*> Documents() const;
    // The document window showing this file (paths compared as the platform compares them),
    // or null.
    TChildForm* FindDocument(const QString& path) const;

    // A new empty document window.
    TChildForm* NewDocument();
    // Brings the window of an open file to the front, or opens the file in a new window;
    // null when the file could not be opened (no window is left behind).
    TChildForm* OpenPath(const QString& path);
    // Files from outside (dropped, sent by a second start), each opened as above; the window
    // comes to the front, also for a second start without files.
    void OpenPaths(const QStringList& paths);
    // At start: the files named on the command line, or else the last file when the
    // settings ask for it.
    void OpenStartupFiles(const QStringList& files);

    // What the enabling rules look at, taken from the active document.
    CommandContext CurrentContext() const;
    // Enables and checks every command from the state of the active document.
    void UpdateActions();
    // Whether a command is connected to what it does.
    bool HasHandler(const QString& command) const;
    // The text of status bar panel 0..5.
    QString StatusPanelText(int panel) const;
    // The long hint shown in place of the panels, empty when none is shown.
    QString StatusHintText() const;

    // Shows the object of the go-to dialog: the node or branch row, the first branch of a
    // plan position, the branch of a device; a miss shows its message.
    void ShowGotoTarget(int kind, TMineObject* object);

    // Window arrangement: stacked one under another (horizontal) or side by side.
    void TileWindows(bool horizontal);
    void ArrangeIcons();

    // ---- technological schema (MainFormSchema.cpp) ------------------------------------
    // The schema's look and switches for the whole run, and its remembered view.
    TSchemaSettings& SchemaSettings() const { return *schemaSettings_; }
    // The schema window, or null while none is open.
    TShema2DForm* SchemaWindow() const;
    // Creates the schema window on first use, binds it to the active document and shows it
    // in front; null without a document.
    TShema2DForm* OpenSchema();
    // "Перейти на схему": opens the schema on the object's document and centres the object.
    void ShowOnSchema(TMineObject* object);

    // ---- device and pipe editing (MainFormEditing.cpp) -------------------------------
    // The device dialog for the device, or for a new device of the kind on the branch.
    bool EditDevice(TDevice* device);
    // "&Все оборудование...": the all-devices table of the document; with `given`, those
    // devices (chosen on the schema) and their branches become the selection.
    void ShowAllDevices(TChildForm& doc, const std::vector<TDevice*>* given = nullptr);
    // The property window of a node or a branch (one of each kind, rebound when asked again);
    // with `onlyIfOpen`, an open window follows and none is opened.
    void ShowProperties(TChildForm* doc, TMineObject* object, bool onlyIfOpen = false);
    // "Топологическая схема" (F8): a new 3D window for the active document, placed 20 pixels
    // right and down of the last one and copying its view and switches.
    TTopolChemaForm* OpenTopology();
    TUzelPropForm* UzelProperties() const;
    TBranchPropForm* BranchProperties() const;
    bool AddDevice(TBranch* branch, int kind);
    // The pipe window bound to the branch of the document, created on first use; null
    // branch frees it. Null while none is open.
    TEditPipeForm* ShowPipeEditor(TChildForm* doc, TBranch* branch);
    TEditPipeForm* PipeEditor() const;

    // "История правок": the steps of the active document, created on first use and shown in
    // front; it follows the active document. Null while it was never opened.
    THistoryForm* ShowHistory();
    THistoryForm* HistoryWindow() const;

    // The help page of the window or panel that has the focus (F1).
    int FocusHelpContext() const;

    // The toolbar layout as it stands (captured on close, written when the window goes).
    std::vector<ToolbarRecord> ToolbarLayout() const;
    void ApplyToolbarLayout(const std::vector<ToolbarRecord>& records);

signals:
    // The window was closed for good (documents closed, settings taken).
    void Closed();

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    bool event(QEvent* event) override;
    QMenu* createPopupMenu() override;

private:
    void CreateCommands();
    void ConnectCommands();
    void CreateMenusAndToolbars();
    void CreateDevicePanel();
    void CreateStatusBar();
    void OnCommand(const char* name, std::function<void()> run);
    void OnDocumentCommand(const char* name, std::function<void(TChildForm&)> run);
    QMdiSubWindow* AddDocumentWindow(TChildForm* form);
    QMdiSubWindow* WindowOf(const TChildForm* form) const;
    void RebuildRecentMenu();
    void FillRecentMenu(QMenu* menu);
    void UpdateStatusBar();
    void OnDocumentChanged();
    void OpenFiles();
    void SaveAll();
    void CloseAll();
    // Closes every document window in turn; false as soon as one stays open.
    bool CloseDocuments();
    void RunGoto();
    void RunSettings();
    void RunAbout();
    void ShowHelp(int context);
    void SetToolbarVisible(int tag, bool visible);
    void ConnectSchemaCommands();
    void ConnectSchema(TChildForm* form);
    TMineObject* CurrentTableObject() const;
    void ConnectEditingCommands();
    void ConnectServiceCommands();
    // "&Импорт..." and "&Экпорт...": the sibling program's exchange files and the results
    // text (MainFormExchange.cpp).
    void ConnectExchangeCommands();
    void ImportExchangeFile();
    void ExportDocument(TChildForm& doc);
    void ConnectEditing(TChildForm* form);

    TConfig& config_;
    QMdiArea* mdi_ = nullptr;
    std::unique_ptr<CommandActions> commands_;
    std::vector<QToolBar*> bars_;
    std::vector<ToolbarRecord> layout_;
    // Raised while a file is being read for a window not shown yet: the frame stays open.
    TBusyCounter opening_;
    bool layoutApplied_ = false;
    QMenu* recentMenu_ = nullptr;
    QMenu* openRecentMenu_ = nullptr;
    std::unique_ptr<TWindowArrangement> arrangement_;
    QDockWidget* deviceDock_ = nullptr;
    TDevicePanel* devicePanel_ = nullptr;
    std::unique_ptr<TStatusPanels> status_;
    std::unique_ptr<TSchemaSettings> schemaSettings_;
    QPointer<TShema2DForm> schema_;
    QPointer<TEditPipeForm> pipeForm_;
    QPointer<TUzelPropForm> uzelProps_;
    QPointer<TTopolChemaForm> lastTopology_;
    QPointer<TBranchPropForm> branchProps_;
    QPointer<THistoryForm> history_;
};
