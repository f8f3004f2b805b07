#pragma once

// "Печать технологической схемы": what part of the schema, at what scale, on which paper and
// sheets, with or without the legend column and title block; then the print job. The
// dialog only collects the choices: the layout is TSheetLayout's, the drawing TSheetPainter's.

#include "core/printing/Passport.h"
#include "core/printing/SheetLayout.h"
#include "render/print/SchemaSheets.h"

#include <QDialog>
#include <QPrinter>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;
class TSchemaScene;
class TSheetPreview;

// What the schema window hands the dialog.
struct TPrintSource {
    TSchemaScene* Scene = nullptr;
    // The schema window's drawing (whole schema); the dialog sets the part to print.
    TSchemaDrawing Drawing;
    // The visible part and the selection's rectangle, schema units.
    QRectF Visible;
    std::optional<QRectF> Selection;
};

class TPrintForm : public QDialog {
    Q_OBJECT
public:
    enum class TPart { Whole = 0, Visible = 1, Selection = 2 };

    TPrintForm(const TPrintSource& source, TPrintingData& data, QWidget* parent = nullptr);
    ~TPrintForm() override;

    QPrinter& Printer() { return *printer_; }
    // The layout of the current choices; none while a field is not a valid number.
    const std::optional<TSheetLayout>& Layout() const { return layout_; }
    const std::vector<bool>& Selected() const { return selected_; }
    void SetSheetSelected(int index, bool on);
    QString SheetsText() const;
    QPushButton* PrintButton() const { return print_; }
    TSheetPreview* Preview() const { return preview_; }

    // Controls tests drive.
    QLineEdit* ScaleEdit() const { return scale_; }
    QComboBox* PaperBox() const { return paper_; }
    QComboBox* FitBox() const { return fitPaper_; }
    QRadioButton* FromListRadio() const { return fromList_; }
    QLineEdit* MarginEdit(int side) const { return margins_[size_t(side)]; }
    QSpinBox* CopiesBox() const { return copies_; }
    QCheckBox* LegendBox() const { return legend_; }
    QCheckBox* PageNumbersBox() const { return pageNumbers_; }
    QPushButton* StampButton() const { return stampButton_; }
    void SetPart(TPart part);

    // Validates and prints; false when a check stopped it (the message was shown).
    bool PrintNow();
    // Message boxes and questions; tests replace them.
    std::function<void(const QString&)> ShowError;
    std::function<bool(const QString&)> AskYesNo;
    // Asked when no printer is installed and no PDF file is chosen yet: Qt's print dialog,
    // which offers printing to a file.
    std::function<bool(QPrinter&)> ChooseOutput;

    void ResetScale();
    void SelectAll(bool on);
    void MoveStamp(double stepCm);
    void RestoreStamp();

private:
    void BuildControls();
    void ReadPrinter();
    void ComputeExtent();
    // The window's drawing of the part chosen.
    TSchemaDrawing Drawing() const;
    void Relayout(bool keepSelection = false);
    void ShowCount();
    void FitToList();
    std::optional<double> Number(QLineEdit* edit) const;
    TSheetLayoutInput Input(double scale) const;
    void ShowStampPanel();
    TPaperUnits Units() const;

    TPrintSource source_;
    TPrintingData& data_;
    std::unique_ptr<QPrinter> printer_;
    QMarginsF unprintableCm_;
    TPrintExtent extent_;
    double legendHeightCm_ = 0;
    std::array<double, 3> stampOffsets_{};
    TPart part_ = TPart::Whole;
    std::optional<TSheetLayout> layout_;
    std::vector<bool> selected_;

    QButtonGroup* partGroup_ = nullptr;
    QComboBox* paper_ = nullptr;
    QRadioButton* manual_ = nullptr;
    QRadioButton* fromList_ = nullptr;
    QLineEdit* scale_ = nullptr;
    QPushButton* reset_ = nullptr;
    QComboBox* fitPaper_ = nullptr;
    QLineEdit* width_ = nullptr;
    QLineEdit* height_ = nullptr;
    std::array<QLineEdit*, 4> margins_{};
    QCheckBox* pageNumbers_ = nullptr;
    QSpinBox* copies_ = nullptr;
    QCheckBox* cutLines_ = nullptr;
    QCheckBox* legend_ = nullptr;
    QCheckBox* blackWhite_ = nullptr;
    QPushButton* stampButton_ = nullptr;
    TSheetPreview* preview_ = nullptr;
    QLabel* count_ = nullptr;
    QPushButton* print_ = nullptr;
};
