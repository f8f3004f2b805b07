#pragma once

#include "render/topology3d/TopologyScene.h"
#include "render/topology3d/TopologyView.h"
#include "ui/topology3d/TopologyGl.h"

#include <QOpenGLWidget>

#include <functional>

class TMine;
class TBranch;
class TUzel;
class QPainter;

// The drawing surface of the 3D topology schema: legacy OpenGL 1.1 in a compatibility context
// with a 24-bit depth buffer, drawing a TTopologyScene from vertex arrays (thin) or with the
// node sphere in a display list (solid), the numbers over it, and picking in selection mode.
// Display lists belong to this widget's context and are built for it.
class TTopologyGlView : public QOpenGLWidget {
    Q_OBJECT
public:
    explicit TTopologyGlView(QWidget* parent = nullptr);
    ~TTopologyGlView() override;

    void SetMine(const TMine* mine);
    void SetScene(TTopologyScene scene);
    // Objects of the mine are being freed (or the whole mine, mineGone): the scene's object
    // lists are dropped until the next SetScene; the picture stays.
    void ForgetObjects(bool mineGone);
    TTopologyView& View() { return view_; }
    const TModelBox& Box() const { return box_; }
    void SetSolid(bool on);
    // The horizontal grid, or none.
    void SetGrid(TTopologyGrid grid, bool shown);
    void SetNumbers(bool nodes, bool branches);
    void SetAutoZoom(bool on);
    // The program's "LineSmooth" setting: lines drawn smoothed.
    void SetLineSmooth(bool on);
    bool AutoZoom() const { return autoZoom_; }
    // The first picture shows the whole mine; a view copied from another window keeps its own.
    void KeepView() { fitPending_ = false; }
    // The zoom that shows the whole mine at the present angles, in this widget.
    double FitZoom() const { return view_.FitZoom(size(), box_); }
    // What lies under a point of the widget: the nearest of the branches and nodes drawn there
    // (the name of the scene), or 0.
    quint32 PickAt(QPoint position);
    // The view as shown, with the numbers and marks over it, at the screen's pixels.
    QImage Picture();
    // Why drawing is impossible (no context), or empty.
    QString Failure() const { return failure_; }

signals:
    // A click picked an object (a branch or a node; null for nothing), Ctrl held or not.
    void Picked(const TBranch* branch, const TUzel* uzel, bool ctrl);
    void ViewChanged();

protected:
    void initializeGL() override;
    void resizeGL(int w, int h) override;
    void paintGL() override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void PaintOverlay(QPainter& p);
    // Solid elements are drawn unless a pipe is displayed: the pipes run inside the boxes.
    bool Solid() const { return solid_ && !scene_.PipesShown; }
    void LoadMatrix(QSize client);


    const TMine* mine_ = nullptr;
    TTopologyScene scene_;
    TTopologyGrid grid_;
    bool gridShown_ = false;
    TTopologyView view_;
    TModelBox box_;
    bool solid_ = false;
    bool nodeNumbers_ = false;
    bool branchNumbers_ = false;
    bool autoZoom_ = false;
    bool fitPending_ = true;
    bool lineSmooth_ = false;
    TopologyGl::TSolidLists lists_;
    QWidget* numbers_ = nullptr;
    QString failure_;
    // A drag: its mode (1 pan, 2 rotate, 3 zoom), where it began and the view then.
    int mode_ = 0;
    QPoint pressAt_;
    TTopologyView pressView_;
    bool moved_ = false;
};
