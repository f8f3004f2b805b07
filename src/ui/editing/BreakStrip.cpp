#include "ui/editing/BreakStrip.h"

#include "core/services/BranchSplit.h"
#include "core/model/Branch.h"
#include "core/model/Device.h"
#include "core/model/Pipe.h"

#include <QMouseEvent>
#include <QPainter>
#include <algorithm>
#include <cmath>

namespace {

constexpr int kMargin = 10;
constexpr int kHandle = 10;

QString PercentText(double t)
{
    const double percent = t * 100;
    const bool inside = percent > 0 && percent < 100;
    return inside ? QString::asprintf("%.1f%%", percent) : QString::asprintf("%.0f%%", percent);
}

}  // namespace

TBreakStrip::TBreakStrip(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("breakStrip"));
    setMouseTracking(true);
    setMinimumHeight(110);
}

void TBreakStrip::SetPlan(TSplitPlan* plan)
{
    plan_ = plan;
    dragged_ = -1;
    update();
}

double TBreakStrip::XOf(double fraction) const { return kMargin + fraction * (width() - 2 * kMargin); }

double TBreakStrip::FractionAt(double x) const
{
    const double span = width() - 2 * kMargin;
    return span > 0 ? (x - kMargin) / span : 0;
}

int TBreakStrip::NodeAt(double x) const
{
    if (!plan_)
        return -1;
    for (int i = 0; i < static_cast<int>(plan_->Nodes.size()); ++i)
        if (std::abs(XOf(plan_->Nodes[static_cast<size_t>(i)].T) - x) <= kHandle / 2.0)
            return i;
    return -1;
}

void TBreakStrip::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.fillRect(rect(), palette().color(QPalette::Base));
    if (!plan_ || !plan_->Branch)
        return;
    const int h = height();
    const double branchY = h * 0.55;
    p.setPen(QPen(Qt::black, 3));
    p.drawLine(QPointF(XOf(0), branchY), QPointF(XOf(1), branchY));

    // The water pipes above the branch, their devices as small squares.
    const QColor colours[3] = {QColor(Qt::red), QColor(Qt::blue), QColor(0, 255, 255)};
    for (int slot = 0; slot < 3; ++slot) {
        const TWaterPipe* pipe = plan_->Branch->WaterPipe(slot);
        if (!pipe || !pipe->Present())
            continue;
        const double y = branchY - 8 - slot * 6;
        p.setPen(QPen(colours[slot], 2));
        p.drawLine(QPointF(XOf(pipe->StartFrac()), y), QPointF(XOf(pipe->EndFrac()), y));
        p.setBrush(colours[slot]);
        for (const TDevice* d : pipe->Devices)
            p.drawRect(QRectF(XOf(d->Position()) - 2, y - 2, 4, 4));
    }

    // Planned branches: a dimension line with the length and number below the branch.
    p.setBrush(Qt::NoBrush);
    const QFontMetrics fm(font());
    for (int i = 0; i < static_cast<int>(plan_->Branches.size()); ++i) {
        const double a = i == 0 ? 0 : plan_->Nodes[static_cast<size_t>(i - 1)].T;
        const double b = i == static_cast<int>(plan_->Nodes.size()) ? 1 : plan_->Nodes[static_cast<size_t>(i)].T;
        const double y = branchY + 14;
        p.setPen(QPen(Qt::darkGray, 1));
        p.drawLine(QPointF(XOf(a) + 2, y), QPointF(XOf(b) - 2, y));
        p.drawLine(QPointF(XOf(a) + 2, y), QPointF(XOf(a) + 6, y - 3));
        p.drawLine(QPointF(XOf(a) + 2, y), QPointF(XOf(a) + 6, y + 3));
        p.drawLine(QPointF(XOf(b) - 2, y), QPointF(XOf(b) - 6, y - 3));
        p.drawLine(QPointF(XOf(b) - 2, y), QPointF(XOf(b) - 6, y + 3));
        const QString text = QString::asprintf("%.1f м", BranchSplit::PieceLength(*plan_, i)) +
                             QStringLiteral(" (%1)").arg(plan_->Branches[static_cast<size_t>(i)].Number);
        p.setPen(Qt::black);
        p.drawText(QPointF((XOf(a) + XOf(b) - fm.horizontalAdvance(text)) / 2, y + fm.ascent() + 3), text);
    }

    // Planned nodes: a vertical line, the number above and the position in per cent.
    for (const TSplitNode& node : plan_->Nodes) {
        const double x = XOf(node.T);
        p.setPen(QPen(Qt::darkGreen, 2));
        p.drawLine(QPointF(x, fm.height() * 2 + 2), QPointF(x, branchY + 6));
        p.setPen(Qt::black);
        const QString number = QString::number(node.Number);
        const QString percent = PercentText(node.T);
        p.drawText(QPointF(x - fm.horizontalAdvance(number) / 2.0, fm.ascent()), number);
        p.drawText(QPointF(x - fm.horizontalAdvance(percent) / 2.0, fm.height() + fm.ascent()), percent);
    }
}

void TBreakStrip::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        dragged_ = NodeAt(event->position().x());
}

void TBreakStrip::mouseMoveEvent(QMouseEvent* event)
{
    if (dragged_ < 0 || !plan_ || !(event->buttons() & Qt::LeftButton)) {
        setCursor(NodeAt(event->position().x()) >= 0 ? Qt::SizeHorCursor : Qt::ArrowCursor);
        return;
    }
    // Between its neighbours: not before the previous node, not beyond the next one.
    const size_t i = static_cast<size_t>(dragged_);
    const double low = i == 0 ? 0.0 : plan_->Nodes[i - 1].T;
    const double high = i + 1 == plan_->Nodes.size() ? 1.0 : plan_->Nodes[i + 1].T;
    plan_->Nodes[i].T = std::clamp(FractionAt(event->position().x()), low, high);
    update();
    emit NodeMoved(dragged_);
}

void TBreakStrip::mouseReleaseEvent(QMouseEvent*)
{
    dragged_ = -1;
}
