#include "ui/schema2d/SchemaPanel.h"

#include <QMouseEvent>
#include <QWheelEvent>
#include <QPainter>

TSchemaPanel::TSchemaPanel(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("SchemaPanel"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
}

void TSchemaPanel::Invalidate()
{
    valid_ = false;
    update();
}

void TSchemaPanel::InvalidateArea(const QRect& area)
{
    const QRect part = area.intersected(rect());
    if (part.isEmpty())
        return;
    // A picture out of date is drawn whole at the next paint anyway.
    if (EnsureImage())
        DrawPart(part);
    update(part);
}

bool TSchemaPanel::EnsureImage()
{
    const qreal ratio = devicePixelRatioF();
    const QSize pixels = (QSizeF(size()) * ratio).toSize();
    if (image_.size() != pixels || image_.devicePixelRatio() != ratio) {
        image_ = QImage(pixels.expandedTo(QSize(1, 1)), QImage::Format_RGB32);
        image_.setDevicePixelRatio(ratio);
        valid_ = false;
    }
    return valid_;
}

void TSchemaPanel::DrawPart(const QRect& clip)
{
    if (clip.isEmpty())
        return;
    QPainter p(&image_);
    p.setClipRect(clip);
    if (draw_)
        draw_(p, clip);
    else
        p.fillRect(clip, palette().color(QPalette::Button));
    ++drawCount_;
    lastClip_ = clip;
}

const QImage& TSchemaPanel::Picture()
{
    if (!EnsureImage()) {
        DrawPart(rect());
        valid_ = true;
    }
    return image_;
}

void TSchemaPanel::ScrollBy(QPoint delta)
{
    if (delta.isNull())
        return;
    if (!EnsureImage() || std::abs(delta.x()) >= width() || std::abs(delta.y()) >= height()) {
        Invalidate();
        return;
    }
    // Move what is drawn, then draw the strips that came into view.
    const QImage old = image_.copy();
    {
        QPainter p(&image_);
        p.setCompositionMode(QPainter::CompositionMode_Source);
        p.drawImage(QPoint(-delta.x(), -delta.y()), old);
    }
    const QRect all = rect();
    if (delta.x() > 0)
        DrawPart(QRect(all.right() - delta.x() + 1, 0, delta.x(), all.height()));
    else if (delta.x() < 0)
        DrawPart(QRect(0, 0, -delta.x(), all.height()));
    if (delta.y() > 0)
        DrawPart(QRect(0, all.bottom() - delta.y() + 1, all.width(), delta.y()));
    else if (delta.y() < 0)
        DrawPart(QRect(0, 0, all.width(), -delta.y()));
    update();
}

void TSchemaPanel::SetOverlay(const QRect& rect, bool dotted)
{
    if (rect == overlay_ && dotted == overlayDotted_)
        return;
    update(overlay_.adjusted(-1, -1, 1, 1));
    overlay_ = rect;
    overlayDotted_ = dotted;
    update(overlay_.adjusted(-1, -1, 1, 1));
}

void TSchemaPanel::paintEvent(QPaintEvent* event)
{
    const QImage& picture = Picture();
    QPainter p(this);
    p.drawImage(event->rect(), picture, QRectF(QPointF(event->rect().topLeft()) * picture.devicePixelRatio(),
                                              QSizeF(event->rect().size()) * picture.devicePixelRatio()));
    if (!overlay_.isEmpty()) {
        QPen pen(Qt::black, 0, overlayDotted_ ? Qt::DotLine : Qt::SolidLine);
        pen.setCosmetic(true);
        p.setPen(pen);
        p.setBrush(Qt::NoBrush);
        p.drawRect(overlay_);
    }
}

void TSchemaPanel::mousePressEvent(QMouseEvent* event)
{
    emit MousePressed(event->position(), event->button(), event->modifiers());
    QWidget::mousePressEvent(event);
}

void TSchemaPanel::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        emit MouseDoubleClicked(event->position());
    QWidget::mouseDoubleClickEvent(event);
}

void TSchemaPanel::wheelEvent(QWheelEvent* event)
{
    // A notch is 120; touchpads send it in small parts.
    wheelRest_ += event->angleDelta().y();
    const int notches = wheelRest_ / 120;
    wheelRest_ -= notches * 120;
    if (notches != 0)
        emit WheelTurned(notches);
    event->accept();
}

void TSchemaPanel::mouseReleaseEvent(QMouseEvent* event)
{
    emit MouseReleased(event->position(), event->button(), event->modifiers());
    QWidget::mouseReleaseEvent(event);
}

void TSchemaPanel::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    valid_ = false;
    emit Resized();
}

void TSchemaPanel::mouseMoveEvent(QMouseEvent* event)
{
    emit MouseMoved(event->position());
    QWidget::mouseMoveEvent(event);
}

void TSchemaPanel::leaveEvent(QEvent* event)
{
    emit MouseLeft();
    QWidget::leaveEvent(event);
}
