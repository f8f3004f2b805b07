#include "ui/printing/SheetPreview.h"

#include <QMouseEvent>
#include <QPainter>

#include <algorithm>

namespace {
constexpr int kBorder = 8;
}

TSheetPreview::TSheetPreview(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("SheetPreview"));
    setMinimumSize(200, 160);
}

void TSheetPreview::SetLayout(const std::optional<TSheetLayout>& layout, std::vector<bool>* selected)
{
    layout_ = layout;
    selected_ = selected;
    update();
}

void TSheetPreview::SetFill(const QColor& colour)
{
    fill_ = colour;
    update();
}

void TSheetPreview::SetZoom(double zoom)
{
    zoom_ = std::clamp(zoom, 1.0, 4.0);
    update();
}

double TSheetPreview::Ratio() const
{
    if (!layout_)
        return 1;
    const QSizeF grid(layout_->Columns() * layout_->PrintableCm().width(), layout_->Rows() * layout_->PrintableCm().height());
    const double w = std::max(1.0, double(width() - 2 * kBorder));
    const double h = std::max(1.0, double(height() - 2 * kBorder));
    if (grid.width() <= 0 || grid.height() <= 0)
        return 1;
    return std::min(w / grid.width(), h / grid.height()) * zoom_;
}

QPointF TSheetPreview::Origin() const
{
    return QPointF(kBorder, kBorder);
}

int TSheetPreview::SheetAt(QPoint position) const
{
    if (!layout_)
        return -1;
    const double r = Ratio();
    const QPointF p = (QPointF(position) - Origin()) / r;
    const int column = int(std::floor(p.x() / layout_->PrintableCm().width()));
    const int row = int(std::floor(p.y() / layout_->PrintableCm().height()));
    if (p.x() < 0 || p.y() < 0 || column >= layout_->Columns() || row >= layout_->Rows())
        return -1;
    return row * layout_->Columns() + column;
}

void TSheetPreview::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.fillRect(rect(), palette().window());
    if (!layout_) {
        p.fillRect(rect().adjusted(kBorder, kBorder, -kBorder, -kBorder), QColor(192, 192, 192));
        return;
    }
    const double r = Ratio();
    const QSizeF sheet = layout_->PrintableCm() * r;
    p.translate(Origin());
    for (int row = 0; row < layout_->Rows(); ++row) {
        for (int column = 0; column < layout_->Columns(); ++column) {
            const size_t index = size_t(row * layout_->Columns() + column);
            const bool chosen = selected_ && index < selected_->size() && (*selected_)[index];
            const QRectF cell(QPointF(column * sheet.width(), row * sheet.height()), sheet);
            p.fillRect(cell, chosen ? fill_ : QColor(Qt::white));
        }
    }
    // The legend and title block hatched, the schema outlined.
    if (layout_->LegendShown())
        p.fillRect(QRectF(0, 0, layout_->LegendReserveCm() * r, layout_->TotalCm().height() * r),
                   QBrush(Qt::darkGray, Qt::BDiagPattern));
    if (layout_->StampShown())
        p.fillRect(QRectF(layout_->StampLeftCm() * r, layout_->StampTopCm() * r, kTitleBlockWidthCm * r,
                          kTitleBlockHeightCm * r),
                   QBrush(Qt::darkGray, Qt::FDiagPattern));
    p.setPen(QPen(Qt::blue, 1));
    p.drawRect(QRectF(layout_->LegendReserveCm() * r, 0, layout_->PrintedCm().width() * r,
                      layout_->PrintedCm().height() * r));
    p.setPen(QPen(Qt::black, 1));
    for (int row = 0; row < layout_->Rows(); ++row)
        for (int column = 0; column < layout_->Columns(); ++column)
            p.drawRect(QRectF(QPointF(column * sheet.width(), row * sheet.height()), sheet));
}

void TSheetPreview::mousePressEvent(QMouseEvent* event)
{
    const int index = SheetAt(event->position().toPoint());
    if (index < 0 || !selected_ || size_t(index) >= selected_->size())
        return;
    (*selected_)[size_t(index)] = !(*selected_)[size_t(index)];
    update();
    emit SelectionToggled();
}
