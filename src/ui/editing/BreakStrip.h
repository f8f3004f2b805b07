#pragma once

// The position strip of the split dialog: the branch across the strip with its three water
// pipes (red, blue, aqua) and their devices, every planned node as a vertical line with its
// number and position in per cent, every planned branch with its length and number. A
// planned node can be dragged between its neighbours.

#include <QWidget>

struct TSplitPlan;

class TBreakStrip : public QWidget {
    Q_OBJECT
public:
    explicit TBreakStrip(QWidget* parent = nullptr);
    void SetPlan(TSplitPlan* plan);
    QSize sizeHint() const override { return {520, 130}; }

    // Strip geometry: the branch spans the width − 20 pixels with a margin of 10.
    double XOf(double fraction) const;
    double FractionAt(double x) const;
    // The planned node whose 10-pixel handle is under x, or −1.
    int NodeAt(double x) const;

signals:
    void NodeMoved(int index);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    TSplitPlan* plan_ = nullptr;
    int dragged_ = -1;
};
