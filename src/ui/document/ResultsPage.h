#pragma once

#include <QWidget>

class QAction;
class QLabel;
class QSplitter;
class QTableView;
class TBranch;
class TColumnSet;
class THydroResults;
class TMineObject;
class TPipePart;
class TTableLook;
class TResultSectionsModel;
class TFixedHeadingsModel;

// The second page of the document window, " Пожарный трубопровод ": the pipeline sections,
// the orifice plates and the pressure shortage of the document's calculation results; each
// table shows its headings and one empty row while there are none.
class TResultsPage : public QWidget {
    Q_OBJECT
public:
    TResultsPage(TColumnSet* columns, const TTableLook* look, QWidget* parent = nullptr);

    QTableView* HydroBranchGrid() const { return hydro_; }
    QTableView* WashersGrid() const { return washers_; }
    QTableView* LowersGrid() const { return lowers_; }
    QLabel* WashersHeading() const { return washersTitle_; }
    QLabel* LowersHeading() const { return lowersTitle_; }

    bool WashersVisible() const;
    void SetWashersVisible(bool visible);

    // The results shown (null: none); after they came, went or were reordered.
    void SetResults(const THydroResults* results);
    const THydroResults* Results() const { return results_; }

    // The result table that has (or last had) the focus, and whether it has rows.
    QTableView* FocusedTable() const { return focused_; }
    bool FocusedTableHasRows() const;
    // The object of the focused table's current row: the device a section starts at (or the
    // section's branch), or the hydrant; null without rows.
    TMineObject* CurrentObject() const;
    // The branch and the section of the sections table's current row.
    const TBranch* CurrentSectionBranch() const;
    const TPipePart* CurrentSection() const;
    // The section's row becomes current (after the rows were reordered).
    void SetCurrentSection(const TPipePart* section);

    // After the settings or the column descriptors changed (a file was read).
    void ApplyLook();
    // Widths of the sections table back into its descriptors.
    void StoreWidths();

signals:
    // A column of the sections table moved: the descriptors follow, the document changed.
    void ColumnsMoved();
    // The current row of the sections table is on another branch (or the same, clicked).
    void SectionBranchChosen(const TBranch* branch);
    void ShowOnSchemaRequested(TMineObject* object);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void UpdateActions();

    TColumnSet* columns_;
    const TTableLook* look_;
    const THydroResults* results_ = nullptr;
    TResultSectionsModel* hydroModel_;
    TFixedHeadingsModel* washersModel_;
    TFixedHeadingsModel* lowersModel_;
    QTableView* hydro_;
    QTableView* washers_;
    QTableView* lowers_;
    QTableView* focused_;
    QLabel* washersTitle_ = nullptr;
    QLabel* lowersTitle_ = nullptr;
    QAction* showOnSchema_ = nullptr;
    QWidget* washersBox_;
    QSplitter* rightSplitter_;
};
