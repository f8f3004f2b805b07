#pragma once

#include "core/equipment/ReducerCharacter.h"

#include <QPointer>
#include <QStyledItemDelegate>
#include <QTableWidget>

// The table of a reducer characteristic: two fixed title rows ("Рабочее давление на выходе
// [кгс/см2]" across the value columns, "Расход [м3/ч]"), the flows in row 2, one row per
// pressure range from row 3; a fixed first column, the inlet and locking pressures in columns 1
// and 2 under titles written upwards, one column per flow from column 3. Values show one
// decimal. The grid only shows and collects: a typed number goes out through CellCommitted,
// and the owner puts it into its working copy.
class TReducerGrid : public QTableWidget {
    Q_OBJECT
public:
    static constexpr int kFirstRow = 3;
    static constexpr int kFirstValueColumn = 3;
    static constexpr int kFlowRow = 2;
    static constexpr int kMinValueWidth = 35;

    explicit TReducerGrid(QWidget* parent = nullptr);

    void Show(const TReducerCharacter& c);
    void SetEditable(bool editable);
    void SetFlowsGreyed(bool greyed);

    // The grid cell of a part of the characteristic (row 0 for flows, column 0 for pressures).
    static QPoint CellOf(TReducerCharacter::Part part, int row, int col);
    void SelectPart(TReducerCharacter::Part part, int row, int col);

    // The row of an exact interpolation is framed in red; between two rows both are shaded;
    // -1 clears.
    void MarkRows(int framed, int shadedFrom);
    int FramedRow() const { return framed_; }
    int ShadedRow() const { return shaded_; }

    bool HasOpenEditor() const { return !editor_.isNull(); }
    // Stores the text of an open cell editor as leaving the cell would.
    void CommitOpenEditor();

signals:
    // The user began to type into a cell.
    void EditingStarted();
    // Esc left the cell editor: its text is back to what it was.
    void EditingReverted();
    void CellCommitted(TReducerCharacter::Part part, int row, int col, double value);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    friend class TReducerCellDelegate;
    void FitColumns();
    void StyleFixed(int row, int col, const QString& text);
    bool Commit(int row, int col, const QString& text);

    int nP_ = 0;
    int nQ_ = 0;
    bool editable_ = false;
    bool flowsGreyed_ = false;
    int framed_ = -1;
    int shaded_ = -1;
    QPointer<QWidget> editor_;
};
