#pragma once

#include <QWidget>

class QLabel;
class QSplitter;
class QTableView;
class TColumnSet;
class TTableLook;
class TResultSectionsModel;
class TFixedHeadingsModel;

// The second page of the document window, " Пожарный трубопровод ": the pipeline sections,
// the orifice plates and the pressure shortage. No part of the program computes results,
// so each table shows its headings and one empty row.
class TResultsPage : public QWidget {
    Q_OBJECT
public:
    TResultsPage(TColumnSet* columns, const TTableLook* look, QWidget* parent = nullptr);

    QTableView* HydroBranchGrid() const { return hydro_; }
    QTableView* WashersGrid() const { return washers_; }
    QTableView* LowersGrid() const { return lowers_; }

    bool WashersVisible() const;
    void SetWashersVisible(bool visible);

    // After the settings or the column descriptors changed (a file was read).
    void ApplyLook();
    // Widths of the sections table back into its descriptors.
    void StoreWidths();

signals:
    // A column of the sections table moved: the descriptors follow, the document changed.
    void ColumnsMoved();

private:
    TColumnSet* columns_;
    const TTableLook* look_;
    TResultSectionsModel* hydroModel_;
    TFixedHeadingsModel* washersModel_;
    TFixedHeadingsModel* lowersModel_;
    QTableView* hydro_;
    QTableView* washers_;
    QTableView* lowers_;
    QWidget* washersBox_;
    QSplitter* rightSplitter_;
};
