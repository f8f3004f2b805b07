#pragma once

#include "core/tables/TableColumns.h"
#include "ui/document/ColumnMoves.h"
#include "ui/document/TableLook.h"

class TDocumentRows;
class TEditHistory;
class TMineObject;

// Roles the grid delegate and view read besides the standard ones.
enum TGridRole {
    EditableRole = Qt::UserRole + 1,  // bool: the cell can be edited (editor mode aside)
    StyleRole,                        // int: TTableLook::TStyleKind of the row
    CellColorRole,                    // uint: Windows colour painting the cell (colour modes)
    CheckBoxRole,                     // bool: the cell draws the fire-pipe check box, checked or not
    ParamRole,                        // int: column type
    SortableRole,                     // bool (heading): clicking the heading sorts
};

// Common part of the node and branch table models: the document's rows and column
// descriptors, editor mode, and edits that go through the core. The model never holds on
// to objects: every call asks the rows again.
class TGridModel : public TDescriptorColumnsModel {
    Q_OBJECT
public:
    TGridModel(TTableKind kind, TDocumentRows* rows, TColumnSet* columns, const TTableLook* look,
               QObject* parent = nullptr);

    TTableKind Kind() const { return kind_; }
    TDocumentRows& Rows() const { return *rows_; }
    int ParamAt(int column) const;

    bool EditorMode() const { return editorMode_; }
    void SetEditorMode(bool on) { editorMode_ = on; }
    bool LastEditFailed() const { return lastEditFailed_; }
    // The document's undo history: every accepted cell is one step of it.
    void SetHistory(TEditHistory* history) { history_ = history; }

    virtual TMineObject* ObjectAt(int row) const = 0;
    bool IsEditable(const QModelIndex& index) const;

    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;

    // Everything may have changed: texts, row count, columns. BeginReload and EndReload
    // bracket a change of the rows made in between.
    void Reload();
    void BeginReload() { beginResetModel(); }
    void EndReload() { endResetModel(); }
    // Values changed, rows and columns did not.
    void Repaint();

signals:
    // An edit was refused; the text is what the user is told. Connected queued, so the
    // message box does not open while the editor is closing.
    void EditFailed(const QString& message);

protected:
    virtual bool CellEditable(int row, int param) const = 0;
    virtual QString EditText(int row, int param) const = 0;
    // Throws the core's exceptions.
    virtual void Apply(int row, int param, const QString& text) = 0;

    TTableKind kind_;
    TDocumentRows* rows_;
    const TTableLook* look_;
    TEditHistory* history_ = nullptr;
    bool editorMode_ = false;
    bool lastEditFailed_ = false;
};
