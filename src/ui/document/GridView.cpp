#include "ui/document/GridView.h"

#include "ui/document/GridDelegate.h"
#include "ui/document/GridModel.h"

#include <QContextMenuEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>

TGridView::TGridView(QWidget* parent) : QTableView(parent)
{
    setSelectionMode(QAbstractItemView::NoSelection);
    setTabKeyNavigation(true);
    setWordWrap(false);
    setShowGrid(false);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    horizontalHeader()->setHighlightSections(false);
}

TGridModel* TGridView::GridModel() const
{
    return qobject_cast<TGridModel*>(model());
}

bool TGridView::IsCellEditable(int row, int column) const
{
    if (!model() || isColumnHidden(column))
        return false;
    return model()->index(row, column).data(EditableRole).toBool();
}

int TGridView::NextEditableColumn(int row, int column, int step) const
{
    if (!model())
        return -1;
    for (int c = column + step; c >= 0 && c < model()->columnCount(); c += step)
        if (IsCellEditable(row, c))
            return c;
    return -1;
}

int TGridView::FirstEditableColumn(int row) const
{
    return NextEditableColumn(row, -1, 1);
}

int TGridView::LastEditableColumn(int row) const
{
    return model() ? NextEditableColumn(row, model()->columnCount(), -1) : -1;
}

void TGridView::SetCurrentCell(int row, int column)
{
    if (!model() || row < 0 || row >= model()->rowCount())
        return;
    if (column < 0)
        column = 0;
    const QModelIndex idx = model()->index(row, column);
    setCurrentIndex(idx);
    scrollTo(idx);
}

void TGridView::CommitEditor()
{
    if (state() != EditingState)
        return;
    if (QWidget* editor = indexWidget(currentIndex())) {
        commitData(editor);
        QTableView::closeEditor(editor, QAbstractItemDelegate::NoHint);
        emit EditingEnded();
    }
}

void TGridView::MoveAfterEnter()
{
    const QModelIndex cur = currentIndex();
    if (!cur.isValid() || !model())
        return;
    const int next = NextEditableColumn(cur.row(), cur.column(), 1);
    if (next >= 0) {
        SetCurrentCell(cur.row(), next);
        return;
    }
    if (cur.row() + 1 < model()->rowCount()) {
        SetCurrentCell(cur.row() + 1, std::max(FirstEditableColumn(cur.row() + 1), 0));
        return;
    }
    emit AddRequested();
}

bool TGridView::edit(const QModelIndex& index, EditTrigger trigger, QEvent* event)
{
    const bool wasEditing = state() == EditingState;
    const bool opened = QTableView::edit(index, trigger, event);
    if (opened && !wasEditing && state() == EditingState)
        emit EditingStarted(index);
    return opened;
}

void TGridView::closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint)
{
    const bool enter = hint == QAbstractItemDelegate::SubmitModelCache;
    QTableView::closeEditor(editor, enter ? QAbstractItemDelegate::NoHint : hint);
    emit EditingEnded();
    // A refused value keeps the cursor where it was.
    if (enter && GridModel() && !GridModel()->LastEditFailed())
        MoveAfterEnter();
}

QModelIndex TGridView::moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers)
{
    const QModelIndex cur = currentIndex();
    if (!cur.isValid() || !model())
        return QTableView::moveCursor(action, modifiers);
    const int row = cur.row();
    switch (action) {
    case MoveLeft:
    case MoveRight: {
        const int c = NextEditableColumn(row, cur.column(), action == MoveLeft ? -1 : 1);
        return c >= 0 ? model()->index(row, c) : cur;
    }
    case MoveHome:
    case MoveEnd:
        if (modifiers & Qt::ControlModifier) {
            const int r = action == MoveHome ? 0 : model()->rowCount() - 1;
            return model()->index(r, cur.column());
        } else {
            const int c = action == MoveHome ? FirstEditableColumn(row) : LastEditableColumn(row);
            return c >= 0 ? model()->index(row, c) : cur;
        }
    default:
        return QTableView::moveCursor(action, modifiers);
    }
}

void TGridView::keyPressEvent(QKeyEvent* event)
{
    const auto mods = event->modifiers() & (Qt::ControlModifier | Qt::ShiftModifier | Qt::AltModifier);
    const int key = event->key();
    if (key == Qt::Key_Insert && mods == Qt::ControlModifier) {
        emit CommandKey(CopyKey);
        return;
    }
    if (key == Qt::Key_Insert && mods == Qt::ShiftModifier) {
        emit CommandKey(PasteKey);
        return;
    }
    if (key == Qt::Key_Delete && mods == Qt::ShiftModifier) {
        emit CommandKey(CutKey);
        return;
    }
    if (key == Qt::Key_Delete && mods == Qt::ControlModifier) {
        emit CommandKey(DeleteKey);
        return;
    }
    if (key == Qt::Key_A && mods == Qt::ControlModifier) {
        emit CommandKey(AddKey);
        return;
    }
    if (state() != EditingState && (key == Qt::Key_Return || key == Qt::Key_Enter) && mods == Qt::NoModifier) {
        if (GridModel() && GridModel()->EditorMode()) {
            MoveAfterEnter();
            return;
        }
    }
    if (state() != EditingState && key == Qt::Key_Space && mods == Qt::NoModifier && currentIndex().isValid()
        && currentIndex().data(CheckBoxRole).isValid()) {
        emit CommandKey(ToggleLaidKey);
        return;
    }
    QTableView::keyPressEvent(event);
}

void TGridView::mousePressEvent(QMouseEvent* event)
{
    const QModelIndex idx = indexAt(event->position().toPoint());
    if (idx.isValid() && event->button() == Qt::LeftButton && idx.data(CheckBoxRole).isValid()
        && TGridDelegate::CheckBoxRect(visualRect(idx)).contains(event->position().toPoint())) {
        setCurrentIndex(idx);
        emit CheckBoxClicked(idx.row());
        return;
    }
    QTableView::mousePressEvent(event);
    if (!idx.isValid())
        return;
    if (event->button() == Qt::RightButton && currentIndex().row() != idx.row())
        setCurrentIndex(idx);
    TRowClick click;
    click.Row = idx.row();
    click.Ctrl = event->modifiers() & Qt::ControlModifier;
    click.Shift = event->modifiers() & Qt::ShiftModifier;
    click.Right = event->button() == Qt::RightButton;
    emit RowClicked(click);
}

void TGridView::contextMenuEvent(QContextMenuEvent* event)
{
    emit ContextMenuAt(event->globalPos());
}
