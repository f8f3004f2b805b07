#pragma once

#include "core/model/MineWatch.h"
#include "render/topology3d/TopologyScene.h"

#include <QHash>
#include <QImage>
#include <QMainWindow>
#include <QPointer>

class QAction;
class QDockWidget;
class QLabel;
class QMenu;
class QPlainTextEdit;
class QPrinter;
class QScrollBar;
class TBranch;
class TChildForm;
class TMineObject;
class TTopologyGlView;
class TUzel;

// "Топология шахты": the mine's network in space, turned, panned, zoomed and picked with the
// mouse. Several may be open; each is a top-level window of its own beside the main window.
class TTopolChemaForm : public QMainWindow {
    Q_OBJECT
public:
    explicit TTopolChemaForm(QWidget* mainWindow);
    void Bind(TChildForm* document);
    // A later window copies the view and the switches of this one.
    void CopyFrom(const TTopolChemaForm& other);
    // The drawing surface; null where OpenGL is not available (Failure() says why).
    TTopologyGlView* GlView() const { return view_; }
    const QString& Failure() const { return failure_; }
    QAction* Action(const QString& name) const;
    const TBranch* CurrentBranch() const { return branch_; }
    const TUzel* CurrentUzel() const { return uzel_; }
    void Rebuild();
    // Metres between grid lines (the 3D settings' grid step).
    void SetGridStep(int step);
    // The program's "LineSmooth" setting.
    void SetLineSmooth(bool on);
    // The view as shown, numbers and marks included, at the screen's pixels.
    QImage Picture() const;
    // Prints the view on one page of the printer: the caption above, the picture fitted below.
    bool PrintTo(QPrinter& printer) const;
    QDockWidget* InfoPanel() const { return infoPanel_; }

private:
    QAction* Add(const char* name, const QString& caption, const char* key, bool checkable = false);
    void SetPlane(double alpha, double beta);
    void OnPicked(const TBranch* branch, const TUzel* uzel, bool ctrl);
    void BuildBars();
    // The bars and labels follow the view.
    void SyncBars();
    // A bar moved: the view follows.
    void BarsMoved();
    // The seam and plan-position menus: every one by name, checked while its branches are shown.
    void Print();
    // The switches a later window starts with, while the program runs.
    void Remember() const;
    void CopyState(TTopologySwitches switches, const QHash<QString, bool> checked);
    // Rebuilds once the change that is under way is over (it may be a deletion).
    void ScheduleRebuild();
    void ObjectGone(const TMineObject* gone);

    QPointer<TChildForm> document_;
    TTopologyGlView* view_ = nullptr;
    QPlainTextEdit* info_ = nullptr;
    QDockWidget* infoPanel_ = nullptr;
    // The view's bars: zoom and the angle about Z below, the angle about X and the grid's
    // level at the right, each with its label.
    QScrollBar* zoomBar_ = nullptr;
    QScrollBar* betaBar_ = nullptr;
    QScrollBar* alphaBar_ = nullptr;
    QScrollBar* levelBar_ = nullptr;
    QLabel* zoomLabel_ = nullptr;
    QLabel* betaLabel_ = nullptr;
    QLabel* alphaLabel_ = nullptr;
    double z0_ = 0;
    bool syncing_ = false;
    bool applying_ = false;
    QString failure_;
    int gridStep_ = 200;
    bool grid_ = false;
    TTopologySwitches switches_;
    const TBranch* branch_ = nullptr;
    const TUzel* uzel_ = nullptr;
    TMineWatcher watch_;
    bool rebuildPending_ = false;
};
