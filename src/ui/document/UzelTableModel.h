#pragma once

#include "core/schema/SchemaPositions.h"
#include "ui/document/GridModel.h"

#include <functional>

class TUzel;

// The node table: all nodes or the surface nodes of the document's mine.
class TUzelTableModel : public TGridModel {
    Q_OBJECT
public:
    TUzelTableModel(TDocumentRows* rows, TColumnSet* columns, const TTableLook* look, QObject* parent = nullptr);

    TMineObject* ObjectAt(int row) const override;
    TUzel* UzelAt(int row) const;
    // Where the document's schema lies now; an edited X or Y moves the node there.
    void SetSchemaFrameSource(std::function<TSchemaFrame()> source) { frameSource_ = std::move(source); }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;

protected:
    bool CellEditable(int row, int param) const override;
    QString EditText(int row, int param) const override;
    void Apply(int row, int param, const QString& text) override;

private:
    std::function<TSchemaFrame()> frameSource_;
};
