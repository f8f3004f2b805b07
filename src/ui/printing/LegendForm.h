#pragma once

// "Условные обозначения": a check box per legend symbol. Edits go to the working copy and
// reach the symbol table only on OK in the edit mode, so Cancel undoes them. In the view mode
// only OK shows, centred.

#include "core/printing/Passport.h"

#include <QDialog>

#include <array>

class QCheckBox;
class QPushButton;
class TMine;

class TLegendForm : public QDialog {
    Q_OBJECT
public:
    enum class TMode { Edit, View };
    // mine and pipeIndex feed "А&вто"; without a mine the button is disabled.
    TLegendForm(TLegendSymbols& symbols, TMode mode, const TMine* mine, int pipeIndex, QWidget* parent = nullptr);

    QCheckBox* Box(int index) const { return boxes_[size_t(index)]; }
    QPushButton* AutoButton() const { return auto_; }
    QPushButton* AllButton() const { return all_; }
    QPushButton* OkButton() const { return ok_; }
    QPushButton* CancelButton() const { return cancel_; }

    void accept() override;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void Refresh();

    TLegendSymbols& symbols_;
    TMode mode_;
    const TMine* mine_;
    int pipeIndex_;
    std::array<QCheckBox*, kSymbolCount> boxes_{};
    QPushButton* ok_ = nullptr;
    QPushButton* cancel_ = nullptr;
    QPushButton* auto_ = nullptr;
    QPushButton* all_ = nullptr;
};
