#include "ui/editing/PositionStrip.h"

#include "core/model/Branch.h"
#include "core/model/Device.h"
#include "core/model/Pipe.h"
#include "core/model/Uzel.h"
#include "ui/app/WinColor.h"

#include <QMouseEvent>
#include <QPainter>
#include <algorithm>
#include <cmath>

TPositionStrip::TPositionStrip(QWidget* parent) : QWidget(parent)
{
    setMinimumHeight(56);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::Base);
}

void TPositionStrip::SetState(const TBranch* branch, int pipeIndex, const TDevice* edited, double position)
{
    branch_ = branch;
    pipeIndex_ = pipeIndex;
    edited_ = edited;
    position_ = position;
    update();
}

double TPositionStrip::FractionAt(int x) const
{
    const int span = std::max(1, width() - 2 * kMargin);
    return std::clamp(double(x - kMargin) / span, 0.0, 1.0);
}

int TPositionStrip::XOf(double fraction) const
{
    return int(std::lround((width() - 2 * kMargin) * fraction)) + kMargin;
}

namespace {
void DrawMark(QPainter& p, int x, int top, int height, const QColor& color, int width)
{
    p.setPen(Qt::NoPen);
    p.setBrush(color);
    p.drawRect(x - width / 2, top, width, height);
}
}  // namespace

void TPositionStrip::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    const int mid = height() / 2;
    p.setPen(palette().color(QPalette::Mid));
    p.drawLine(kMargin, mid, width() - kMargin, mid);
    if (!branch_ || pipeIndex_ < 0 || pipeIndex_ >= branch_->Pipes.Count())
        return;
    const TPipe* pipe = branch_->Pipes.Items(pipeIndex_);
    const QColor pipeColor = pipe->IsGas() ? QColor(Qt::green) : ToQColor(TColor(pipe->Color()));
    const int x0 = XOf(pipe->StartFrac());
    const int x1 = XOf(pipe->EndFrac());
    p.setPen(palette().color(QPalette::Dark));
    p.setBrush(pipeColor);
    p.drawRect(QRect(QPoint(x0, mid - 5), QPoint(std::max(x0 + 1, x1), mid + 5)));

    // The end node numbers below the strip's ends.
    const QFontMetrics fm(font());
    const auto nodeText = [](const TUzel* u) { return u ? QString::number(u->Number()) : QStringLiteral("???"); };
    p.setPen(palette().color(QPalette::Text));
    const int textY = height() - fm.descent() - 1;
    p.drawText(kMargin, textY, nodeText(branch_->StartUzel()));
    const QString endText = nodeText(branch_->EndUzel());
    p.drawText(width() - kMargin - fm.horizontalAdvance(endText), textY, endText);

    const int markTop = mid - 14;
    bool others = false;
    for (const TDevice* d : pipe->Devices) {
        if (d == edited_)
            continue;
        others = true;
        DrawMark(p, XOf(d->Position()), markTop, 28, palette().color(QPalette::Text), 3);
    }
    if (!others && !edited_) {
        p.setPen(palette().color(QPalette::Text));
        p.drawText(QRect(0, 0, width(), mid - 6), Qt::AlignCenter, QStringLiteral("Устройства отсутствуют"));
    }
    if (edited_)
        DrawMark(p, XOf(edited_->Position()), markTop, 28, QColor(Qt::gray), 5);
    DrawMark(p, XOf(position_), markTop - 2, 32, palette().color(QPalette::Highlight), 5);
}

void TPositionStrip::mousePressEvent(QMouseEvent* event)
{
    const int x = int(event->position().x());
    if (event->button() != Qt::LeftButton || x < kMargin || x > width() - kMargin)
        return;
    dragging_ = true;
    emit PositionPicked(FractionAt(x));
}

void TPositionStrip::mouseMoveEvent(QMouseEvent* event)
{
    if (dragging_)
        emit PositionPicked(FractionAt(int(event->position().x())));
}

void TPositionStrip::mouseReleaseEvent(QMouseEvent*) { dragging_ = false; }
