#pragma once

#include "core/model/MineObject.h"
#include "render/schema2d/DragFrame.h"
#include "render/schema2d/HitIndex.h"
#include "render/schema2d/RenderContext.h"
#include "render/schema2d/ViewGeometry.h"
#include "ui/schema2d/SchemaCommands.h"

#include <QCursor>
#include <QMainWindow>
#include <QPointer>

#include <array>
#include <functional>
#include <map>
#include <optional>
#include <memory>

class QLabel;
class QMenu;
class QScrollBar;
class QToolBar;
class TBranch;
class TChildForm;
class TDevice;
class TEditHistory;
class TInfoPanel;
class TMapForm;
class QTimer;
class TConfig;
class TMineObject;
class TScaleComboBox;
class TSchemaPanel;
class TSchemaRuler;
class TSchemaScene;
class TSchemaViewActions;
class TTextBlock2D;
struct TSchemaSettings;

namespace Shema2DTexts {
inline const QString kCaption = QStringLiteral(" Технологическая схема");
inline const QString kCaptionPrefix = QStringLiteral("Технологическая схема - ");
inline const QString kSpaceHint =
    QStringLiteral("Нажмите пробел для выбора максимального увеличения размеров объектов");
}  // namespace Shema2DTexts

// The technological schema window: the network of one document window drawn to scale, with
// its scale box, rulers, scroll bars, grid, view switches and a status bar of what lies under
// the mouse, the scale and where the mouse is. At most one exists; the main window owns it
// and binds it to the active document. It reads the document's mine and draws it through the
// schema renderer; the look and switches are the application's (TSchemaSettings).
class TShema2DForm : public QMainWindow {
    Q_OBJECT
public:
    TShema2DForm(TConfig& config, TSchemaSettings& settings, QWidget* mainWindow);
    ~TShema2DForm() override;

    // Shows the document's network (null: nothing); the document's scene is built on first use.
    void Bind(TChildForm* document);
    TChildForm* Document() const { return document_; }
    // The active document changed or may hold another mine: bind to it when it differs.
    void Follow(TChildForm* active);
    TSchemaScene* Scene() const;

    // After edits elsewhere: with full the scene and extent are recomputed first.
    void RepaintSchema(bool full);
    // The map scale or grid step of the settings may have changed.
    void MapScaleChanged();
    // Selects the object (node, branch or device) and scrolls it to the centre.
    void CentreOnObject(TMineObject* object);

    // View commands.
    void SetScaleAboutCentre(double scale);
    void StepZoom(bool in);
    void FitWhole();
    void FitSelection();
    void PreviousScale();
    void SetScrollPosition(QPoint position);

    const TViewGeometry& View() const { return view_; }
    TScaleComboBox* ScaleBox() const { return scaleBox_; }
    TSchemaPanel* Panel() const { return panel_; }
    TSchemaViewActions* ViewActions() const { return viewActions_; }
    TInfoPanel* InfoPanel() const { return infoPanel_; }
    // The overview map while it is open (ActMap, Ctrl+K).
    TMapForm* Map() const;
    void ToggleMap();
    QAction* Command(TSchemaCommand command) const { return commands_[size_t(command)]; }
    // Any of the window's actions by its object name (its commands and view switches); null
    // for none.
    QAction* Action(const QString& name) const;
    // Status bar panels 0 (object), 1 (scale), 2 (coordinates).
    QString StatusText(int panel) const;
    // What the status bar shows for the mouse at this panel position.
    void ShowMouse(QPointF position);
    // What the window shows, as export and printing take it: its switches, colours, frame
    // and results.
    TSchemaDrawing Drawing() const;
    // The results the window labels, colours by and shows by arrows: the bound document's,
    // followed as they come and go (gone: colouring by pressures falls back to standard).
    void SetResults(const THydroResults* results);
    const THydroResults* Results() const { return results_; }
    // The context a drawing of the panel takes: the drawing in the window's view.
    TRenderContext Context() const;

    // ---- working with the mouse (Shema2DFormMouse.cpp) ----------------------------------
    // The tools: manipulation (F3), pan (F4), zoom in and zoom out by click or rectangle, and
    // a new text block where the user clicks.
    enum class TTool { Manipulation, Pan, ZoomIn, ZoomOut, TextBlock };
    TTool Tool() const { return tool_; }
    void SetTool(TTool tool);
    // Editor mode (F2): nodes and labels can be dragged, labels can be hit.
    bool EditorMode() const { return editor_; }
    void SetEditorMode(bool on);
    // What lies under a point of the panel.
    THit HitAt(QPointF position);
    // The panel's mouse, as its events bring it (tests call these directly).
    void Press(QPointF position, Qt::MouseButton button, Qt::KeyboardModifiers modifiers);
    void Move(QPointF position);
    void Release(QPointF position, Qt::MouseButton button, Qt::KeyboardModifiers modifiers);
    void DoubleClick(QPointF position);
    // A drag in progress ends without changing anything.
    void CancelDrag();
    // The text block selected in the editor mode (null when none, or when it is gone).
    TTextBlock2D* SelectedTextBlock() const;
    void SelectTextBlock(TTextBlock2D* block);

    // ---- context menus (Shema2DFormMenus.cpp) ----------------------------------------------
    // The menu a right click on the hit object shows, its commands bound to that object; null
    // for an object without one (then the right button pans).
    std::unique_ptr<QMenu> ContextMenu(const THit& hit);
    // The main window's commands the menus borrow ("Поверхностный узел", "Разбить ветвь").
    void SetMainCommands(std::function<QAction*(const QString&)> lookup) { mainCommands_ = std::move(lookup); }
    // "Удалить" of the text-block menu, after the question (tests answer it).
    void DeleteTextBlock(TTextBlock2D* block, bool ask = true);

    // ---- finding (Shema2DFormFind.cpp) ----------------------------------------------------
    // Centres the object and lets it blink, or says why it cannot be shown.
    void FindObject(TMineObject* object);
    void StopBlink();
    // The object blinking (drawn highlighted at this moment), or null.
    const TMineObject* Blinking() const { return blinkOn_ ? Found() : nullptr; }
    // The object found last while it blinks, looked up again by its identity (a deleted one is
    // none), and where it lies on the panel.
    const TMineObject* Found() const;
    // The blink timer is running, and one step of it (every 300 ms).
    bool Blinks() const;
    void BlinkTick();
    QRect FoundArea(const TMineObject& object) const;

    // ---- printing (Shema2DFormPrint.cpp) ----------------------------------------------------
    // ActPrintShema (Ctrl+P): the print dialog for the schema as it is shown.
    void PrintSchema();
    // ActLegend: the legend's symbols, to look at.
    void ShowLegend();

    // ---- drawing order and restoring (Shema2DFormOrder.cpp) -------------------------------
    // 2 to the front, 1 one position forward, -1 one back, -2 to the back (editor mode).
    void MoveOrder(int step);
    // "Восстановить...": a TRestoreDialog choice.
    void Restore(int choice);

signals:
    // ActToMainWindow: the main window comes to the front.
    void MainWindowRequested();
    // A double click on a device, or on a branch (the pipe window).
    void EditDeviceRequested(TDevice* device);
    void EditPipeRequested(TBranch* branch);
    // ActDevicesWindow: the all-devices table (of the selected devices when there are).
    void AllDevicesRequested();
    // "Свойства...": the property window of a node or branch; a click on the schema also
    // lets an open property window follow.
    void PropertiesRequested(TMineObject* object);
    void ObjectClicked(TMineObject* object);

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildWidgets();
    void BuildActions();
    void BuildMenusAndToolBar();
    void Draw(QPainter& painter, const QRect& clip);
    void LayOutDrawBox();
    // After the scale or scroll position changed: bars, scale box, status, picture, rulers.
    void AfterViewChange();
    void ApplyBars();
    void UpdateRulers();
    void UpdateTitle();
    void RunOptions();
    void ApplyOptions();
    void SyncViewActions();
    void RecomputeExtent();
    // Holds the results without drawing anything yet.
    void TakeResults(const THydroResults* results);
    // The map scale or the document's frame differs from what the view shows.
    bool OutOfStep() const;
    void ScrollTo(QPoint position);
    void DocumentGone(QObject* document);
    void LetGo(const QPointer<TChildForm>& document, const TMineObject* gone);
    void RememberState();
    QAction* AddCommand(TSchemaCommand command, const QString& caption, const char* shortcut, const char* icon);
    void BuildToolActions();
    void BuildOrderActions();
    void BuildInfoPanel();
    void BuildPrintActions();
    void BuildFindActions();
    void SyncOrderActions();
    // The clicked objects changed the selection: the tables follow, the picture shows it.
    void SelectionChanged(TMineObject* clicked);
    void FinishDrag(QPointF position, Qt::KeyboardModifiers modifiers);
    void BuildContextActions();
    void BuildLayerMenus(QToolBar* bar, QMenu* view);
    void ToggleLabels(int label);
    void EditTextBlock(TTextBlock2D* block, QPoint screenPoint);
    // While the rubber band is out of the panel the view scrolls towards the mouse.
    void AutoScrollBand();
    // The panel's cursor by its picture's name (empty: the plain arrow).
    void ShowCursor(const QString& name);
    // The rubber band's moving corner: the mouse, kept within the panel.
    QPointF BandCorner(QPointF position) const;
    void SlideDevice(QPointF position);
    QRectF SchemaRect(QPointF a, QPointF b) const;
    // The bound document's undo history (null when none): every change the window makes to
    // the mine is one step of it.
    TEditHistory* History() const;
    // Undo and redo of the bound document from this window, named after the step they take.
    void BuildHistoryActions(QMenu* edit);
    void UpdateHistoryActions();
    // The mine changed (an undo among others): pointers that are not the mine's objects (text
    // blocks, the hit index) are let go of when what they pointed at is no longer there.
    void DropStalePointers();

    TConfig& config_;
    TSchemaSettings& settings_;
    TChildForm* document_ = nullptr;
    QAction* undo_ = nullptr;
    QAction* redo_ = nullptr;
    std::map<const QObject*, std::unique_ptr<TSchemaScene>> scenes_;
    TViewGeometry view_;
    const THydroResults* results_ = nullptr;
    bool structuralPending_ = false;
    bool repaintPending_ = false;
    bool stateRemembered_ = false;
    std::optional<QPoint> pendingScroll_;
    // A document seen here for the first time is shown whole, once the window has its size.
    bool pendingFit_ = false;
    void FitFirstView();

    // The mouse: tool, editor mode and the gesture under way.
    enum class TGesture { None, Pan, Zoom, Band, Uzels, Label, Device, TextBlock, TextBlockTurn };
    TTool tool_ = TTool::Manipulation;
    bool editor_ = false;
    TGesture gesture_ = TGesture::None;
    bool temporaryPan_ = false;
    QPointF pressAt_;
    QPointF lastAt_;
    QPointF dragVector_;
    THit pressed_;
    double deviceStart_ = 0;  // the slid device's position when the drag began
    THitIndex hits_;
    bool hitsValid_ = false;
    TDragFrame dragFrame_;
    TTextBlock2D* block_ = nullptr;
    std::optional<double> blockAngle_;  // the turned angle while the handle is dragged
    THit menuHit_;                      // the object of the last context menu
    QTimer* bandScroll_ = nullptr;
    std::function<QAction*(const QString&)> mainCommands_;
    std::map<QString, QCursor> cursors_;
    QString cursorName_;

    TSchemaViewActions* viewActions_ = nullptr;
    std::array<QAction*, kSchemaCommandCount> commands_{};
    TScaleComboBox* scaleBox_ = nullptr;
    QWidget* drawBox_ = nullptr;
    TSchemaPanel* panel_ = nullptr;
    QScrollBar* bScrollBar_ = nullptr;
    QScrollBar* rScrollBar_ = nullptr;
    QWidget* corner_ = nullptr;
    TSchemaRuler* topBox_ = nullptr;
    TSchemaRuler* leftBox_ = nullptr;
    QLabel* labelCm_ = nullptr;
    QLabel* statusObject_ = nullptr;
    QLabel* statusScale_ = nullptr;
    QLabel* statusXY_ = nullptr;
    TInfoPanel* infoPanel_ = nullptr;
    QPointer<TMapForm> map_;
    // Finding: the view glides to the object, which then blinks until the next press or find.
    QTimer* glide_ = nullptr;
    QTimer* blink_ = nullptr;
    int glideStep_ = 0;
    QPoint glideFrom_;
    QPoint glideTo_;
    // What blinks, by identity: the mine may free it while it blinks.
    TObjectKind foundKind_{};
    uint64_t foundSerial_ = 0;
    bool blinkOn_ = false;
};
