#include "ui/schema2d/ColorButton.h"

#include <QColorDialog>
#include <QPainter>

#include <algorithm>

namespace {
constexpr int kSquare = 20;
constexpr int kInset = 5;
}  // namespace

TColorButton::TColorButton(QWidget* parent) : QPushButton(parent)
{
    connect(this, &QPushButton::clicked, this, &TColorButton::Choose);
}

void TColorButton::SetColor(const QColor& color)
{
    if (color_ == color)
        return;
    color_ = color;
    update();
}

void TColorButton::Pick(const QColor& color)
{
    SetColor(color);
    emit Picked(color_);
}

QSize TColorButton::sizeHint() const { return QSize(kSquare + 2 * kInset + 4, kSquare + 2 * kInset); }

void TColorButton::paintEvent(QPaintEvent* event)
{
    QPushButton::paintEvent(event);
    QPainter p(this);
    const int side = std::max(4, std::min(width(), height()) - 2 * kInset);
    QRect square(0, 0, side, side);
    square.moveCenter(rect().center());
    const QColor frame = isEnabled() ? palette().color(QPalette::WindowText) : palette().color(QPalette::Mid);
    p.setPen(frame);
    p.setBrush(isEnabled() ? color_ : palette().color(QPalette::Button));
    p.drawRect(square.adjusted(0, 0, -1, -1));
}

void TColorButton::Choose()
{
    const QColor chosen = QColorDialog::getColor(color_, this);
    if (chosen.isValid())
        Pick(chosen);
}
