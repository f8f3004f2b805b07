#pragma once

#include "ui/schema2d/SchemaCursors.h"

// "Карта": a small window that stays on top of the schema window and shows the whole drawing
// with the visible part framed in red. Dragging the frame, or clicking beside it, scrolls the
// schema. The network is drawn once into a picture and only the frame is drawn on each view
// change.

#include <QImage>
#include <QPointer>
#include <QRectF>
#include <QWidget>

class TShema2DForm;

class TMapForm : public QWidget {
    Q_OBJECT
public:
    explicit TMapForm(TShema2DForm* schema);

    // full: the network or the window's size changed; otherwise only the view moved.
    void Refresh(bool full);

    // Map pixels per schema unit, the page (the whole drawing) and the frame, in map pixels.
    double Factor() const { return factor_; }
    QRectF Page() const { return page_; }
    QRectF Frame() const;

signals:
    // The map is closing with these bounds (the next opening in the run takes them).
    void Closing(const QRect& bounds);

protected:
    void closeEvent(QCloseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void Layout();
    void DrawNetwork();
    // Scrolls the schema so the frame's top-left lies at the point (map pixels).
    void MoveFrameTo(QPointF topLeft);

    QPointer<TShema2DForm> schema_;
    QImage picture_;
    double factor_ = 1;
    QRectF page_;
    bool dragging_ = false;
    QPointF anchor_;
    QCursor moveCursor_ = SchemaCursor(QStringLiteral("MOVEMAP"));
};
