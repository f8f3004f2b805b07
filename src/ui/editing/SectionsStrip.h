#pragma once

#include <QWidget>
#include <functional>

class TDevice;
class TPipe;

// The pipe window's picture of the chosen pipe (" У&частки "): its bar from start to end
// with the section and pipe lengths dimensioned, its devices, and a handle on the free end
// of a pipe laid from one end node that the user drags. It holds no model object: it asks
// the window for the pipe at each paint, so a pipe deleted meanwhile is never touched.
class TSectionsStrip : public QWidget {
    Q_OBJECT
public:
    static constexpr int kMargin = 15;

    explicit TSectionsStrip(QWidget* parent = nullptr);

    struct TSource {
        std::function<const TPipe*()> Pipe;          // null: nothing to draw
        std::function<int()> PipeIndex;
        std::function<const TDevice*()> Selected;    // drawn in a contrasting colour
        std::function<int()> FreeEnd;                // 0 none, 1 the start, 2 the end is free
    };
    void SetSource(TSource source) { source_ = std::move(source); }

    int XOf(double fraction) const;
    double FractionAt(int x) const;
    // The handle of the free end, empty when the pipe has none.
    QRect HandleRect() const;

    QSize sizeHint() const override { return {460, 96}; }

signals:
    void FreeEndDragged(double fraction);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    int BarTop() const { return height() / 2 - 8; }
    TSource source_;
    bool dragging_ = false;
};
