#pragma once

// "Паспорт": the heading, the legend and signature switches and the four title-block grids.
// The dialog edits a working copy of the passport, written over the passport only on OK. A
// passport file is read whole before anything in the dialog changes.

#include "core/printing/PassportFile.h"
#include "core/printing/TitleBlockLayout.h"

#include <QDialog>

#include <functional>

#include <array>

class QCheckBox;
class QGroupBox;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class TMine;
class TTitleBlockGrid;

class TFormPasport : public QDialog {
    Q_OBJECT
public:
    TFormPasport(TPrintingData& data, const TMine* mine, int pipeIndex, QWidget* parent = nullptr);

    // What the dialog's controls hold, with the working copy's cells and the current flags.
    TPassportFileContent Collect() const;
    // Fills the controls and the working copy's cells; the legend flags go to the table.
    void Fill(const TPassportFileContent& content);

    // The file buttons' work without their file dialogs (tests call these).
    bool LoadFrom(const QString& path);
    bool SaveTo(const QString& path);
    void ClearAll();

    TTitleBlockGrid* Grid(int table) const { return grids_[size_t(table)]; }
    const TPasport& Working() const { return working_; }
    QPlainTextEdit* TitleMemo() const { return titleMemo_; }
    QLineEdit* PeriodEdit() const { return period_; }
    QLineEdit* ChiefEdit() const { return chief_; }
    QCheckBox* StampBox() const { return stampBox_; }
    QCheckBox* SeamBox() const { return seamBox_; }
    QCheckBox* TitleBox() const { return titleBox_; }

    // Shows message boxes; tests replace it.
    std::function<void(const QString&)> ShowError;

    void accept() override;

private:
    void BuildControls();
    void SyncEnabled();

    TPrintingData& data_;
    const TMine* mine_;
    int pipeIndex_;
    TPasport working_;
    QCheckBox* titleBox_ = nullptr;
    QCheckBox* legendBox_ = nullptr;
    QPushButton* chooseLegend_ = nullptr;
    QCheckBox* signBox_ = nullptr;
    QCheckBox* stampBox_ = nullptr;
    QGroupBox* headingGroup_ = nullptr;
    QGroupBox* signGroup_ = nullptr;
    QGroupBox* stampGroup_ = nullptr;
    QPlainTextEdit* titleMemo_ = nullptr;
    QCheckBox* seamBox_ = nullptr;
    QLineEdit* seam_ = nullptr;
    QLineEdit* period_ = nullptr;
    QLineEdit* chief_ = nullptr;
    QLineEdit* safety_ = nullptr;
    std::array<TTitleBlockGrid*, TitleBlockLayout::kTableCount> grids_{};
};
