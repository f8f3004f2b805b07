#pragma once

#include "core/tables/RowSelection.h"

#include <QTableView>

class TGridModel;

// The node and branch tables. Keeps the keyboard rules of the tables: Enter walks the
// editable cells of a row and then the rows (past the last row it asks for a new object),
// Left and Right skip read-only columns, Home and End go to the first and last editable
// column. Clicks and command keys are handed to the document window.
class TGridView : public QTableView {
    Q_OBJECT
public:
    explicit TGridView(QWidget* parent = nullptr);

    TGridModel* GridModel() const;

    // Moves as Enter does after a cell was left: the next editable column of the row, or
    // the first editable column of the next row; past the last row emits AddRequested.
    void MoveAfterEnter();
    // The first and last editable column of a row (−1 when none).
    int FirstEditableColumn(int row) const;
    int LastEditableColumn(int row) const;
    bool IsCellEditable(int row, int column) const;
    void SetCurrentCell(int row, int column);
    bool Editing() const { return state() == EditingState; }
    // Applies and closes an open cell editor.
    void CommitEditor();
    using QTableView::edit;

    enum TCommandKey { CopyKey, PasteKey, CutKey, DeleteKey, AddKey, ToggleLaidKey };

signals:
    void RowClicked(const TRowClick& click);
    void CheckBoxClicked(int row);
    void CommandKey(TGridView::TCommandKey key);
    void AddRequested();
    void ContextMenuAt(const QPoint& globalPos);
    // A cell editor opened on the index, and closed again.
    void EditingStarted(const QModelIndex& index);
    void EditingEnded();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;
    void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) override;
    bool edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) override;

private:
    int NextEditableColumn(int row, int column, int step) const;
};
