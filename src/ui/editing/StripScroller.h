#pragma once

#include <QWidget>

class QScrollArea;
class QScrollBar;

// Holds a painted strip that the user may widen ("Размер", from the visible width up to a
// number of times that width) and scroll ("Смещение").
class TStripScroller : public QWidget {
    Q_OBJECT
public:
    TStripScroller(QWidget* strip, int maxFactor, QWidget* parent = nullptr);

    QScrollBar* SizeBar() const { return size_; }
    QScrollBar* OffsetBar() const { return offset_; }
    // Scrolls so that the strip's x coordinate is in view.
    void EnsureVisible(int x);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void Relayout();

    QWidget* strip_;
    int maxFactor_;
    QScrollArea* area_ = nullptr;
    QScrollBar* size_ = nullptr;
    QScrollBar* offset_ = nullptr;
};
