#pragma once

#include "core/equipment/PumpCurve.h"
#include "core/equipment/PumpStore.h"

#include <QPointF>
#include <QWidget>

#include <optional>

// The head-flow graph of one pump model: axes with their grid and labels, the curve through the
// base points, the points themselves (editor) or the two operating points and the fitted
// characteristic (chooser). It only shows and reports; the window makes the changes.
class TPumpGraph : public QWidget {
    Q_OBJECT
public:
    explicit TPumpGraph(QWidget* parent = nullptr);

    // The model shown (not owned); null shows empty axes.
    void SetStore(const TPumpStore* store);
    void SetEditorMode(bool editor);
    // The point of the grid's current row, drawn in yellow in editor mode.
    void SetCurrentPoint(int index);
    // The chooser's two operating points and the fit through them (nothing when there is none).
    void SetOperatingPoints(double q1, double q2, const std::optional<TPumpFit>& fit);

    // Plot geometry, for the pointer and for tests.
    QRectF PlotArea() const;
    QPointF ToPixels(double q, double h) const;
    TBasePoint ToValues(QPointF pixel) const;
    // The base point within 3 pixels of the pixel in both directions, or -1.
    int HitPoint(QPointF pixel) const;
    // The operating point (1 or 2) within 3 pixels, or 0.
    int HitOperatingPoint(QPointF pixel) const;
    int DraggedPoint() const { return dragPoint_; }
    int DraggedOperatingPoint() const { return dragOperating_; }

    // "Q = ...     H = ...  " for a pointer position.
    static QString PointerText(const TBasePoint& at);

signals:
    void PointerMoved(const QString& text);
    // Editor: a base point dragged to new values; the window answers with its new index.
    void PointDragged(int index, double q, double h);
    void AddPointRequested(double q, double h);
    void DeletePointRequested(int index);
    // Chooser: operating point 1 or 2 dragged to a flow.
    void OperatingPointDragged(int which, double q);

public slots:
    // The dragged point took another place among its neighbours.
    void SetDraggedPoint(int index) { dragPoint_ = index; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    bool HasScale() const;
    double Range(TPumpRange r) const;
    void PaintAxes(class QPainter& p) const;
    void PaintCurves(QPainter& p) const;

    const TPumpStore* store_ = nullptr;
    bool editor_ = true;
    int current_ = -1;
    double q1_ = 0, q2_ = 0;
    std::optional<TPumpFit> fit_;
    int dragPoint_ = -1;
    int dragOperating_ = 0;
};
