#pragma once

#include <QHash>
#include <QMainWindow>
#include <functional>
#include <memory>

class QAction;
class QLabel;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QProgressBar;
class TChildForm;
class TConfig;
class TStatusProgress;

// The frame of the application: the document windows in an MDI area, the menu, the status
// bar with its panels and progress bar, the recent files, opening files from the command
// line. Every command is an action created by one helper from its name, caption, shortcut
// and hint, found again by name, and enabled in one update step from the active document.
class TMainForm : public QMainWindow {
    Q_OBJECT
public:
    explicit TMainForm(TConfig& config, QWidget* parent = nullptr);
    ~TMainForm() override;

    TConfig& Config() const { return config_; }
    QMdiArea* MdiArea() const { return mdi_; }

    // The action of a command ("actFileOpen"), or null.
    QAction* Action(const QString& name) const;

    TChildForm* ActiveDocument() const;
    QList<TChildForm*> Documents() const;
    // The document window showing this file (paths compared exactly), or null.
    TChildForm* FindDocument(const QString& path) const;

    // A new empty document window.
    TChildForm* NewDocument();
    // Brings the window of an open file to the front, or opens the file in a new window;
    // null when the file could not be opened (no window is left behind).
    TChildForm* OpenPath(const QString& path);
    // At start: the files named on the command line, or else the last file when the
    // settings ask for it.
    void OpenStartupFiles(const QStringList& files);

    // Enables and checks every command from the state of the active document.
    void UpdateActions();
    // The text of status bar panel 0..5.
    QString StatusPanelText(int panel) const;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    struct TCommand {
        const char* Name;
        const char* Caption;
        const char* Shortcut;
        const char* Hint;
    };
    QAction* AddCommand(const TCommand& command, std::function<void()> run, bool checkable = false);
    void CreateCommands();
    void CreateMenus();
    void CreateStatusBar();
    QMdiSubWindow* AddDocumentWindow(TChildForm* form);
    void RebuildRecentMenu();
    void RebuildWindowMenu();
    void UpdateStatusBar();
    void OnDocumentChanged();
    void OpenFiles();
    void SaveAll();
    void CloseAll();
    void TileWindows(bool horizontal);
    // Runs fn on the active document, if any.
    void WithDocument(const std::function<void(TChildForm&)>& fn);

    TConfig& config_;
    QMdiArea* mdi_ = nullptr;
    QHash<QString, QAction*> actions_;
    QMenu* recentMenu_ = nullptr;
    QMenu* windowMenu_ = nullptr;
    QLabel* panels_[6] = {};
    QProgressBar* progressBar_ = nullptr;
    std::unique_ptr<TStatusProgress> progress_;
};
