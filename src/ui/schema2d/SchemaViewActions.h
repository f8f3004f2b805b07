#pragma once

// The view switches of the schema window as checkable actions: the displayed pipe type, the
// colouring mode, what branch labels and device labels show, node numbers, devices, only
// pipes, direction arrows, comments, text blocks, band or line branches, the grid and the
// result labels. The options keep most of them (TParams2D); the water arrows and the result
// labels are the window's own.

#include "core/settings/Params2D.h"

#include <QObject>
#include <QString>

#include <map>

class QAction;
class QMenu;
class QToolBar;
class QWidget;

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
    QAction* Add(const char* name, const QString& caption, const char* shortcut, int tag);
    void Trigger(const QString& name, int tag);

    QWidget* owner_;
    TParams2D& params_;
    quint16 resultBits_ = 0;
    bool waterArrows_ = false;
    TSchemaViewContext context_;
    std::map<QString, QAction*> actions_;
};
