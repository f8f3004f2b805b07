#pragma once

// "Разбить ветвь": plans nodes evenly along a branch (up to 10), lets the user drag them and
// change the planned numbers, and on OK has the core replace the branch by the chain.

#include "core/services/BranchSplit.h"

#include <QDialog>
#include <functional>

class QComboBox;
class QPushButton;
class QScrollArea;
class QSlider;
class QSpinBox;
class QTableWidget;
class TBreakStrip;
class TBranch;
class TChildForm;
class TEditHistory;
class TMine;

class TBranchBreakForm : public QDialog {
    Q_OBJECT
public:
    TBranchBreakForm(TMine& mine, TBranch& branch, QWidget* parent = nullptr);
    ~TBranchBreakForm() override;

    TSplitPlan& Plan() { return plan_; }
    // After OK: the branches that replaced the old one, from its start node.
    const std::vector<TBranch*>& Pieces() const { return pieces_; }
    // OK records the split as one step of this history (none: not recorded), together with
    // what placed does with the pieces (the document's rows): an undo takes back both.
    void SetHistory(TEditHistory* history, std::function<void(const std::vector<TBranch*>&)> placed = {})
    {
        history_ = history;
        placed_ = std::move(placed);
    }
    QSpinBox* CountBox() const { return count_; }
    QComboBox* UzelMode() const { return uzelMode_; }
    QComboBox* BranchMode() const { return branchMode_; }
    QTableWidget* UzelTable() const { return uzelTable_; }
    QTableWidget* BranchTable() const { return branchTable_; }
    TBreakStrip* Strip() const { return strip_; }
    QPushButton* OkButton() const { return ok_; }
    // "Размер": the strip is 1 to 5 times its visible width; "Смещение" scrolls it.
    QSlider* SizeSlider() const { return size_; }
    QSlider* OffsetSlider() const { return offset_; }
    // The tables and the strip show the plan again (after it was changed from outside).
    void ShowPlan();

public slots:
    void accept() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Replan();
    void LayoutStrip();
    void NumberTyped(QTableWidget* table, int row, int column);

    TMine& mine_;
    TBranch& branch_;
    TEditHistory* history_ = nullptr;
    std::function<void(const std::vector<TBranch*>&)> placed_;
    TSplitPlan plan_;
    std::vector<TBranch*> pieces_;
    QSpinBox* count_;
    QComboBox* uzelMode_;
    QComboBox* branchMode_;
    QTableWidget* uzelTable_;
    QTableWidget* branchTable_;
    TBreakStrip* strip_;
    QScrollArea* stripView_;
    QSlider* size_;
    QSlider* offset_;
    QPushButton* ok_;
    bool filling_ = false;
};

// Opens the dialog on the branch; true when the branch was split. The pieces take the old
// branch's row in the branch table.
bool SplitBranch(QWidget* parent, TChildForm& document, TBranch* branch);
