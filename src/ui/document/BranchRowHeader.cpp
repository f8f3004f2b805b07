#include "ui/document/BranchRowHeader.h"

#include "core/model/Branch.h"
#include "core/model/Pipe.h"
#include "ui/document/BranchTableModel.h"
#include "ui/document/TableLook.h"

#include <QPainter>

namespace {

void PaintFixedCell(QPainter* painter, const QRect& rect, const QPalette& palette)
{
    painter->fillRect(rect, palette.color(QPalette::Button));
    painter->setPen(palette.color(QPalette::Light));
    painter->drawLine(rect.topLeft(), rect.topRight());
    painter->drawLine(rect.topLeft(), rect.bottomLeft());
    painter->setPen(palette.color(QPalette::Dark));
    painter->drawLine(rect.bottomLeft(), rect.bottomRight());
    painter->drawLine(rect.topRight(), rect.bottomRight());
}

}  // namespace

TBranchRowHeader::TBranchRowHeader(TBranchTableModel* model, QWidget* parent)
    : QHeaderView(Qt::Vertical, parent), model_(model)
{
    setSectionResizeMode(QHeaderView::Fixed);
    setSectionsClickable(false);
    setFixedWidth(TTableLook::kFixedColumnWidth);
}

QSize TBranchRowHeader::sizeHint() const
{
    return QSize(TTableLook::kFixedColumnWidth, QHeaderView::sizeHint().height());
}

void TBranchRowHeader::paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const
{
    painter->save();
    PaintFixedCell(painter, rect, palette());
    const TBranch* branch = model_ ? model_->BranchAt(logicalIndex) : nullptr;
    if (branch) {
        const int top = rect.top() + 2;
        const int bottom = rect.bottom() - 2;
        // From 5 pixels in, 6 pixels apart, 2 pixels wide: one line per laid water pipe.
        for (int slot = 0; slot < 3; ++slot) {
            const TWaterPipe* pipe = branch->WaterPipe(slot);
            if (!pipe || !pipe->Present())
                continue;
            QPen pen(TTableLook::ToQColor(static_cast<quint32>(pipe->Color())), 2);
            pen.setCapStyle(Qt::FlatCap);
            if (pipe->Projected())
                pen.setStyle(Qt::DotLine);
            painter->setPen(pen);
            const int x = rect.left() + 5 + slot * 6 + 1;
            painter->drawLine(x, top, x, bottom);
        }
        if (branch->Pipes.Count() > 3) {
            QPen pen(palette().color(QPalette::Mid), 2);
            pen.setCapStyle(Qt::FlatCap);
            painter->setPen(pen);
            const int x = rect.left() + 23 + 1;
            painter->drawLine(x, top, x, bottom);
        }
    }
    painter->restore();
}

TPlainRowHeader::TPlainRowHeader(QWidget* parent) : QHeaderView(Qt::Vertical, parent)
{
    setSectionResizeMode(QHeaderView::Fixed);
    setSectionsClickable(false);
    setFixedWidth(TTableLook::kFixedColumnWidth);
}

QSize TPlainRowHeader::sizeHint() const
{
    return QSize(TTableLook::kFixedColumnWidth, QHeaderView::sizeHint().height());
}

void TPlainRowHeader::paintSection(QPainter* painter, const QRect& rect, int) const
{
    painter->save();
    PaintFixedCell(painter, rect, palette());
    painter->restore();
}
