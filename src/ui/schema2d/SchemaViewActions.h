#pragma once

// The view switches of the schema window as checkable actions: the displayed pipe type, the
// colouring mode, what branch labels and device labels show, node numbers, devices, only
// pipes, direction arrows, comments, text blocks, band or line branches, the grid and the
// result labels. The options keep most of them (TParams2D); the water arrows and the result
// labels are the window's own.

#include "core/settings/Params2D.h"

#include <QObject>
#include <QString>

#include <array>
#include <initializer_list>

class QAction;
class QMenu;
class QToolBar;
class QWidget;

// The switches, reached in code by these values: a misspelt switch does not compile. Each
// action also carries its object name ("ActFirePipe", …), by which tests may ask for it.
enum class TViewAction : int {
    NonePipe, FirePipe, WaterPipe, AirPipe, DegazPipe,
    ColorStandard, ColorLayers, ColorPressures, ColorPLF,
    BranchNumbers, BranchLengths, BranchAngles,
    DeviceNumbers, DeviceModels, DeviceParameters, DevicePPZ,
    ResultQ, ResultV, ResultR, Result100i, ResultDP, ResultDZ, ResultH, ResultP, ResultManometer, ResultZ,
    ShowAllResults, HideAllResults,
    UzelNumbers, Comments, Devices, OnlyPipes,
    WaterArrows,   // water-direction arrows ("Направление воды")
    BranchArrows,  // branch-direction arrows ("Направление ветви")
    AirArrows,     // air-direction arrows ("Направление движения воздуха")
    ThinBranches, Grid, TextBlocks,
    Count
};

// What the enabling of the colouring modes looks at.
struct TSchemaViewContext {
    bool HasSeams = false;
    bool HasResults = false;
    bool HasPositions = false;
};

class TSchemaViewActions : public QObject {
    Q_OBJECT
public:
    // The actions are created on the owner, so their shortcuts work in the whole window.
    TSchemaViewActions(QWidget* owner, TParams2D& params);

    QAction* Action(TViewAction action) const { return actions_[size_t(action)]; }
    // By object name, for those who know only the name; null for none.
    QAction* Action(const QString& name) const;

    // The window's own switches.
    quint16 ResultBits() const { return resultBits_; }
    void SetResultBits(quint16 bits);
    bool WaterArrows() const { return waterArrows_; }
    void SetWaterArrows(bool on);

    // Checks and enables every action from the options and the document.
    void Sync(const TSchemaViewContext& context);

    // Menus of the window: "Вид" holds these, the toolbar the most used.
    void FillPipeMenu(QMenu* menu) const;
    void FillColourMenu(QMenu* menu) const;
    void FillLabelMenu(QMenu* menu) const;
    void FillResultMenu(QMenu* menu) const;
    void FillObjectMenu(QMenu* menu) const;
    void FillToolBar(QToolBar* bar) const;

signals:
    // A switch changed what is drawn; with extent the drawing's size may have changed too.
    void Changed(bool extent);

private:
    QAction* Add(TViewAction id, const char* name, const QString& caption, const char* shortcut, bool checkable);
    void Trigger(TViewAction id, int tag);
    void AddTo(QMenu* menu, std::initializer_list<TViewAction> ids) const;

    QWidget* owner_;
    TParams2D& params_;
    quint16 resultBits_ = 0;
    bool waterArrows_ = false;
    TSchemaViewContext context_;
    std::array<QAction*, size_t(TViewAction::Count)> actions_{};
};
