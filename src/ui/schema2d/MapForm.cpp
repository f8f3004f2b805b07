#include "ui/schema2d/MapForm.h"

#include "core/model/Branch.h"
#include "core/model/Mine.h"
#include "core/model/TextBlock2D.h"
#include "core/model/Uzel.h"
#include "render/schema2d/DisplayedPipes.h"
#include "render/schema2d/SchemaScene.h"
#include "render/schema2d/TextBlockLook.h"
#include "ui/schema2d/Shema2DForm.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>
#include <unordered_set>

namespace {

// A frame narrower than this is widened so it can still be seen and taken.
constexpr double kMinFrame = 5;
const QColor kBack(240, 240, 240);
const QColor kPageColour(217, 217, 217);  // 192 lightened by 25
const QColor kHiddenBranch(192, 192, 192);

}  // namespace

TMapForm::TMapForm(TShema2DForm* schema) : QWidget(schema, Qt::Tool | Qt::WindowStaysOnTopHint), schema_(schema)
{
    setObjectName(QStringLiteral("MapForm"));
    setWindowTitle(QStringLiteral("Карта"));
    setAttribute(Qt::WA_DeleteOnClose);
    resize(240, 180);
    Refresh(true);
}

void TMapForm::Layout()
{
    page_ = QRectF();
    factor_ = 1;
    if (!schema_)
        return;
    // The drawing with its margins as the schema itself measures it, in units of scale 1.
    const TViewGeometry& view = schema_->View();
    const double s = view.Scale();
    if (!(s > 0))
        return;
    const double w = view.TotalWidth() / s;
    const double h = view.TotalHeight() / s;
    if (!(w > 0) || !(h > 0))
        return;
    factor_ = std::min((width() + 1) / w, (height() + 1) / h);
    const QSizeF size(w * factor_, h * factor_);
    page_ = QRectF(QPointF((width() - size.width()) / 2, (height() - size.height()) / 2), size);
}

QRectF TMapForm::Frame() const
{
    if (!schema_ || page_.isEmpty())
        return QRectF();
    const TViewGeometry& view = schema_->View();
    const double k = factor_ / view.Scale();
    const QSize visible = view.VisibleSize();
    QRectF frame(page_.topLeft() + QPointF(view.ScrollPosition()) * k, QSizeF(visible) * k);
    frame = frame.intersected(page_);
    if (frame.width() <= kMinFrame) {
        frame.setLeft(frame.right() - kMinFrame);
        if (frame.left() < page_.left())
            frame.moveLeft(page_.left());
    }
    if (frame.height() <= kMinFrame) {
        frame.setTop(frame.bottom() - kMinFrame);
        if (frame.top() < page_.top())
            frame.moveTop(page_.top());
    }
    return frame;
}

void TMapForm::DrawNetwork()
{
    // The network alone, on a transparent picture laid over the page and the frame.
    picture_ = QImage(size().expandedTo(QSize(1, 1)), QImage::Format_ARGB32_Premultiplied);
    picture_.fill(Qt::transparent);
    TSchemaScene* scene = schema_ ? schema_->Scene() : nullptr;
    if (!scene || page_.isEmpty())
        return;
    QPainter p(&picture_);
    const TViewGeometry& view = schema_->View();
    const double s = view.Scale();
    // Schema point → map: where it lies on the unscrolled page, at the map's factor.
    const QPointF origin(view.OffX() + view.ScrollPosition().x(), view.OffY() + view.ScrollPosition().y());
    auto map = [&](double x, double y) { return page_.topLeft() + (origin + QPointF(x, y) * s) / s * factor_; };
    const TRenderContext ctx = schema_->Context();
    std::unordered_set<const TBranch*> visible(scene->VisibleBranches().begin(), scene->VisibleBranches().end());
    for (const TBranch* b : scene->Mine().Branches) {
        if (!b->Linked())
            continue;
        bool piped = !ctx.Show.OnlyDuct;
        if (!piped)
            ForEachDisplayedPipe(*b, ctx.Show.PipeIndex, [&](const TPipe*) { piped = true; });
        p.setPen(visible.count(b) && piped ? QColor(Qt::black) : kHiddenBranch);
        p.drawLine(map(b->StartUzel()->SX(), b->StartUzel()->SY()), map(b->EndUzel()->SX(), b->EndUzel()->SY()));
    }
    if (ctx.Show.TextBlocks) {
        p.setPen(Qt::darkGray);
        for (const auto& block : scene->Mine().TextBlocks) {
            const QSizeF size = TextBlockSize(*block, 1, 96);
            p.drawRect(QRectF(map(block->Left(), block->Top()), size / s * factor_ * s));
        }
    }
}

void TMapForm::Refresh(bool full)
{
    if (full || picture_.size() != size()) {
        Layout();
        DrawNetwork();
    }
    update();
}

void TMapForm::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.fillRect(rect(), kBack);
    p.fillRect(page_, kPageColour);
    const QRectF frame = Frame();
    if (!frame.isEmpty())
        p.fillRect(frame, Qt::white);
    p.drawImage(0, 0, picture_);
    if (frame.isEmpty())
        return;
    p.setPen(QPen(Qt::red, 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(frame.adjusted(0, 0, -1, -1));
}

void TMapForm::resizeEvent(QResizeEvent*)
{
    Refresh(true);
}

void TMapForm::MoveFrameTo(QPointF topLeft)
{
    if (!schema_ || page_.isEmpty())
        return;
    const QRectF frame = Frame();
    // The frame stays on the page.
    topLeft.setX(std::clamp(topLeft.x(), page_.left(), std::max(page_.left(), page_.right() - frame.width())));
    topLeft.setY(std::clamp(topLeft.y(), page_.top(), std::max(page_.top(), page_.bottom() - frame.height())));
    const QPointF scroll = (topLeft - page_.topLeft()) / factor_ * schema_->View().Scale();
    schema_->SetScrollPosition(scroll.toPoint());
    update();
}

void TMapForm::mousePressEvent(QMouseEvent* event)
{
    const QRectF frame = Frame();
    if (event->button() != Qt::LeftButton || frame.isEmpty())
        return;
    if (frame.contains(event->position())) {
        dragging_ = true;
        anchor_ = event->position() - frame.topLeft();
        return;
    }
    // Beside the frame: the frame is centred on the point.
    MoveFrameTo(event->position() - QPointF(frame.width() / 2, frame.height() / 2));
}

void TMapForm::mouseMoveEvent(QMouseEvent* event)
{
    if (Frame().contains(event->position()) || dragging_)
        setCursor(moveCursor_);
    else
        unsetCursor();
    if (dragging_)
        MoveFrameTo(event->position() - anchor_);
}

void TMapForm::mouseReleaseEvent(QMouseEvent*)
{
    dragging_ = false;
}

void TMapForm::closeEvent(QCloseEvent* event)
{
    emit Closing(geometry());
    QWidget::closeEvent(event);
}

void TMapForm::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}
