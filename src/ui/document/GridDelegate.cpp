#include "ui/document/GridDelegate.h"

#include "ui/document/CellValidator.h"
#include "ui/document/GridModel.h"
#include "ui/document/TableLook.h"

#include <QAbstractItemView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>

TGridDelegate::TGridDelegate(TTableKind kind, const TTableLook* look, QObject* parent)
    : QStyledItemDelegate(parent), kind_(kind), look_(look)
{
}

QRect TGridDelegate::CheckBoxRect(const QRect& cell)
{
    const int side = std::min(11, std::max(cell.height() - 4, 5));
    return QRect(cell.left() + 3, cell.top() + (cell.height() - side) / 2, side, side);
}

void TGridDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    const auto* view = qobject_cast<const QAbstractItemView*>(option.widget);
    const bool current = view && view->currentIndex() == index;
    auto kind = static_cast<TTableLook::TStyleKind>(index.data(StyleRole).toInt());
    if (current)
        kind = TTableLook::CurrentStyle;

    QColor back = look_->StyleBack(kind);
    QColor text = look_->StyleText(kind);
    const QVariant cellColor = index.data(CellColorRole);
    if (!current && cellColor.isValid()) {
        back = TTableLook::ToQColor(cellColor.toUInt());
        text = TTableLook::Inverse(cellColor.toUInt());
    }
    if (!index.data(EditableRole).toBool())
        back = TTableLook::Darkened(back);

    const QRect r = option.rect;
    painter->save();
    painter->fillRect(r, back);
    painter->setPen(option.palette.color(QPalette::Mid));
    painter->drawLine(r.bottomLeft(), r.bottomRight());
    painter->drawLine(r.topRight(), r.bottomRight());

    QRect textRect = r.adjusted(2, 0, -2, 0);
    const QVariant check = index.data(CheckBoxRole);
    if (check.isValid()) {
        // A flat box: the fire pipe is laid when checked.
        const QRect box = CheckBoxRect(r);
        painter->setPen(text);
        painter->setBrush(Qt::NoBrush);
        painter->drawRect(box.adjusted(0, 0, -1, -1));
        if (check.toBool()) {
            QPen pen(text, 1.5);
            painter->setPen(pen);
            painter->setRenderHint(QPainter::Antialiasing, true);
            const QPointF a(box.left() + 2, box.center().y());
            const QPointF b(box.left() + box.width() * 0.42, box.bottom() - 2);
            const QPointF c(box.right() - 2, box.top() + 2);
            painter->drawPolyline(QVector<QPointF>{a, b, c});
            painter->setRenderHint(QPainter::Antialiasing, false);
        }
        textRect.setLeft(box.right() + 3);
    }

    painter->setFont(look_->StyleFont(kind));
    painter->setPen(text);
    const auto align = Qt::Alignment(index.data(Qt::TextAlignmentRole).toInt());
    painter->drawText(textRect, int(align | Qt::TextSingleLine), index.data(Qt::DisplayRole).toString());

    if (current && view && view->hasFocus()) {
        painter->setPen(QPen(text, 1, Qt::DotLine));
        painter->setBrush(Qt::NoBrush);
        painter->drawRect(r.adjusted(1, 1, -2, -2));
    }
    painter->restore();
}

QWidget* TGridDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem&, const QModelIndex& index) const
{
    auto* editor = new QLineEdit(parent);
    editor->setFrame(false);
    editor->setFont(look_->Font());
    const int param = index.data(ParamRole).toInt();
    editor->setValidator(new TCellValidator(kind_, param, editor));
    editor->setProperty("irvataParam", param);
    editor->installEventFilter(const_cast<TGridDelegate*>(this));
    return editor;
}

void TGridDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const
{
    if (auto* line = qobject_cast<QLineEdit*>(editor))
        line->setText(index.data(Qt::EditRole).toString());
}

void TGridDelegate::setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const
{
    if (auto* line = qobject_cast<QLineEdit*>(editor))
        model->setData(index, line->text(), Qt::EditRole);
}

void TGridDelegate::updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option, const QModelIndex&) const
{
    editor->setGeometry(option.rect.adjusted(0, 0, -1, -1));
}

bool TGridDelegate::eventFilter(QObject* object, QEvent* event)
{
    // A space typed into the diameter cell ends editing, as Enter would.
    if (event->type() == QEvent::KeyPress && kind_ == TTableKind::Branches) {
        auto* key = static_cast<QKeyEvent*>(event);
        auto* editor = qobject_cast<QWidget*>(object);
        if (editor && key->key() == Qt::Key_Space && editor->property("irvataParam").toInt() == bpFirePDiam) {
            emit commitData(editor);
            emit closeEditor(editor, QAbstractItemDelegate::SubmitModelCache);
            return true;
        }
    }
    return QStyledItemDelegate::eventFilter(object, event);
}
