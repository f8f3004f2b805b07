#include "ui/editing/SectionsStrip.h"

#include "core/devices/PipeEdits.h"
#include "core/model/Device.h"
#include "core/model/Pipe.h"
#include "core/model/PipePart.h"
#include "ui/app/WinColor.h"

#include <QMouseEvent>
#include <QPainter>
#include <algorithm>
#include <climits>
#include <cmath>

namespace {
constexpr int kBarHeight = 15;

// A dimension line with its text centred over it; the text is left out where it would run
// into the text before it (`clearOf`: that text's right edge), so short sections never print
// "100.0100.0". Returns the right edge of what was written, else `clearOf`.
int DrawDimension(QPainter& p, int x0, int x1, int y, const QString& text, bool above, int clearOf = INT_MIN)
{
    p.drawLine(x0, y, x1, y);
    p.drawLine(x0, y - 3, x0, y + 3);
    p.drawLine(x1, y - 3, x1, y + 3);
    const QFontMetrics fm = p.fontMetrics();
    const int w = fm.horizontalAdvance(text);
    const int tx = (x0 + x1) / 2 - w / 2;
    if (clearOf != INT_MIN && tx < clearOf + fm.horizontalAdvance(QLatin1Char(' ')))
        return clearOf;
    p.drawText(tx, above ? y - 3 : y + fm.ascent() + 2, text);
    return tx + w;
}
}  // namespace

TSectionsStrip::TSectionsStrip(QWidget* parent) : QWidget(parent)
{
    setMinimumHeight(90);
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::Base);
    setMouseTracking(true);
}

int TSectionsStrip::XOf(double fraction) const
{
    return int(std::lround((width() - 2 * kMargin) * fraction)) + kMargin;
}

double TSectionsStrip::FractionAt(int x) const
{
    return std::clamp(double(x - kMargin) / std::max(1, width() - 2 * kMargin), 0.0, 1.0);
}

QRect TSectionsStrip::HandleRect() const
{
    const TPipe* pipe = source_.Pipe ? source_.Pipe() : nullptr;
    const int end = source_.FreeEnd ? source_.FreeEnd() : 0;
    if (!pipe || end == 0)
        return {};
    const int x = XOf(end == 1 ? pipe->StartFrac() : pipe->EndFrac());
    return QRect(x - 4, BarTop() + kBarHeight / 2 - 15, 8, 30);
}

void TSectionsStrip::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    const TPipe* pipe = source_.Pipe ? source_.Pipe() : nullptr;
    if (!pipe)
        return;
    p.setPen(palette().color(QPalette::Text));
    if (!IsLaid(pipe)) {
        p.drawText(rect(), Qt::AlignCenter, PipeEdits::AbsentText(source_.PipeIndex()));
        return;
    }
    const QColor color = pipe->IsGas() ? QColor(Qt::green) : ToQColor(TColor(pipe->Color()));
    const int top = BarTop();
    const int x0 = XOf(pipe->StartFrac());
    const int x1 = std::max(x0 + 2, XOf(pipe->EndFrac()));
    const QRect bar(x0, top, x1 - x0, kBarHeight);
    if (pipe->Projected()) {
        // A designed pipe: 10-pixel blocks every 12 pixels.
        for (int x = bar.left(); x < bar.right(); x += 12)
            p.fillRect(QRect(x, top, std::min(10, bar.right() - x), kBarHeight), color);
    } else {
        p.fillRect(bar, color);
    }
    p.setPen(palette().color(QPalette::Light));
    p.drawLine(bar.topLeft(), bar.topRight());
    p.drawLine(bar.topLeft(), bar.bottomLeft());
    p.setPen(palette().color(QPalette::Dark));
    p.drawLine(bar.bottomLeft(), bar.bottomRight());
    p.drawLine(bar.topRight(), bar.bottomRight());

    p.setPen(palette().color(QPalette::Text));
    const QStringList sectionTexts = PipeEdits::SectionLengthTexts(*pipe);
    int shown = 0;
    int written = INT_MIN / 2;
    for (int i = 0; i < pipe->SectionCount() && shown < sectionTexts.size(); ++i) {
        const TPipePart* s = pipe->GetSection(i);
        if (s->SectionLength() <= 0)
            continue;
        written = DrawDimension(p, XOf(s->SectionStart()), XOf(s->SectionEnd()), top - 8, sectionTexts[shown++], true,
                                written);
    }
    DrawDimension(p, x0, x1, top + kBarHeight + 8, PipeEdits::PipeLengthLabel(*pipe), false);

    const TDevice* selected = source_.Selected ? source_.Selected() : nullptr;
    for (const TDevice* d : pipe->Devices) {
        const int x = XOf(d->Position());
        p.fillRect(QRect(x - 2, top - 4, 5, kBarHeight + 8), d == selected ? QColor(Qt::red) : palette().color(QPalette::Text));
    }
    if (const QRect handle = HandleRect(); !handle.isEmpty()) {
        p.setPen(palette().color(QPalette::Dark));
        p.setBrush(palette().color(QPalette::Button));
        p.drawRect(handle.adjusted(0, 0, -1, -1));
    }
}

void TSectionsStrip::mousePressEvent(QMouseEvent* event)
{
    dragging_ = event->button() == Qt::LeftButton && HandleRect().contains(event->position().toPoint());
}

void TSectionsStrip::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint at = event->position().toPoint();
    if (dragging_) {
        emit FreeEndDragged(double(at.x() - kMargin) / std::max(1, width() - 2 * kMargin));
        return;
    }
    setCursor(HandleRect().contains(at) ? Qt::SizeHorCursor : Qt::ArrowCursor);
}

void TSectionsStrip::mouseReleaseEvent(QMouseEvent*) { dragging_ = false; }
