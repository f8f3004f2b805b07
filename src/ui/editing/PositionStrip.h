#pragma once

#include <QWidget>

class TBranch;
class TDevice;

// The device dialog's picture of the branch: the chosen pipe's extent with the end node
// numbers, the pipe's devices, the edited device at its stored place (grey) and the working
// position (highlighted). Pressing and dragging inside the strip picks a position.
class TPositionStrip : public QWidget {
    Q_OBJECT
public:
    static constexpr int kMargin = 10;

    explicit TPositionStrip(QWidget* parent = nullptr);

    // What to draw; the dialog is modal, so the branch and device outlive every paint.
    void SetState(const TBranch* branch, int pipeIndex, const TDevice* edited, double position);
    // The fraction under the x coordinate, clamped to [0, 1].
    double FractionAt(int x) const;
    int XOf(double fraction) const;

    QSize sizeHint() const override { return {420, 64}; }

signals:
    void PositionPicked(double fraction);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    const TBranch* branch_ = nullptr;
    int pipeIndex_ = 0;
    const TDevice* edited_ = nullptr;
    double position_ = 0;
    bool dragging_ = false;
};
