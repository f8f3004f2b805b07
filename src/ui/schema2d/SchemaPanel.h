#pragma once

#include <QImage>
#include <QWidget>

#include <functional>

// The drawing panel of the schema window. It keeps the last picture in an image the size of
// the panel (at the screen's device pixel ratio) and copies it to the screen; scrolling moves
// the picture and draws only the strips it uncovers. What to draw comes from the owner.
class TSchemaPanel : public QWidget {
    Q_OBJECT
public:
    // Draws the part of the schema inside the clip (panel pixels) on a painter of the panel's
    // size; the painter is clipped to it already.
    using TDraw = std::function<void(QPainter&, const QRect& clip)>;

    explicit TSchemaPanel(QWidget* parent = nullptr);

    void SetDraw(TDraw draw) { draw_ = std::move(draw); }
    // The whole picture is drawn anew at the next paint.
    void Invalidate();
    // Only this part (panel pixels) is drawn anew, at once, and shown at the next paint.
    void InvalidateArea(const QRect& area);
    // The view scrolled by delta pixels: the picture moves the other way.
    void ScrollBy(QPoint delta);
    // The picture as it stands (drawn first when out of date).
    const QImage& Picture();
    // A rectangle drawn over the picture (a rubber band dotted, a zoom rectangle solid); an
    // empty one is none.
    void SetOverlay(const QRect& rect, bool dotted);
    // How many times a strip or the whole picture was drawn, and the last clip.
    int DrawCount() const { return drawCount_; }
    QRect LastClip() const { return lastClip_; }

signals:
    void MousePressed(QPointF position, Qt::MouseButton button, Qt::KeyboardModifiers modifiers);
    void MouseReleased(QPointF position, Qt::MouseButton button, Qt::KeyboardModifiers modifiers);
    void MouseMoved(QPointF position);
    void MouseDoubleClicked(QPointF position);
    // The wheel turned by whole notches (positive away from the user).
    void WheelTurned(int notches);
    void MouseLeft();
    void Resized();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    bool EnsureImage();
    void DrawPart(const QRect& clip);

    TDraw draw_;
    QImage image_;
    bool valid_ = false;
    int drawCount_ = 0;
    QRect lastClip_;
    int wheelRest_ = 0;  // eighths of a degree not yet a whole notch
    QRect overlay_;
    bool overlayDotted_ = false;
};
