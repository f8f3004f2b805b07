#pragma once

// The schema options dialog "Настройки" with the pages "Общие", "Цвета и шрифты" and
// "Масштабирование". It edits a copy of the schema parameters and a copy of the colours,
// keeps a second copy of the colours to restore, and shows the edited colours on a small
// network of its own. While "Предв. просмотр" is checked every edit is written to the live
// colours at once (LiveColorsChanged tells the schema window to repaint); unchecking it, or
// Cancel, puts the colours back as they were when the dialog opened. OK checks the scale
// limits; a refused value keeps the dialog open on the scale page with the field selected.
// The page shown last is shown again at the next opening in the same run.
//
// Plugging in (the schema window, ActOptions):
//     const TColors2D before = colors;
//     TOptionsForm form(params, colors, this);
//     form.SetHelpHandler([](int context) { HelpViewer::Show(helpPath, context, window); });
//     connect(&form, &TOptionsForm::LiveColorsChanged, view, [view] { view->update(); });
//     if (form.exec() == QDialog::Accepted) { ruler caption, factors, zoom mark, text blocks
//         (TextBlockRestyle.h), labels when NumBranchesBottom changed, extent and repaint }

#include "core/settings/Colors2D.h"
#include "core/settings/Params2D.h"

#include <QDialog>

#include <functional>

class QCheckBox;
class QComboBox;
class QFontComboBox;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
class QTabWidget;
class TColorButton;
class TMine;
class TSchemaPreview;

inline constexpr int kOptionsFormHelpContext = 122;

class TOptionsForm : public QDialog {
    Q_OBJECT
public:
    enum TPage { pgGeneral = 0, pgColors = 1, pgScale = 2 };
    enum TColorTab { ctBack = 0, ctBorder = 1, ctFont = 2, ctFigure = 3 };

    TOptionsForm(TParams2D& params, TColors2D& colors, QWidget* parent = nullptr);
    ~TOptionsForm() override;

    // "&Справка" and F1 call it with the dialog's help context.
    void SetHelpHandler(std::function<void(int)> handler) { help_ = std::move(handler); }

    // The copies being edited.
    const TParams2D& WorkingParams() const { return working_; }
    const TColors2D& EditedColors() const { return edited_; }
    TMine& PreviewMine() const;

    // For tests and screenshots.
    QTabWidget* Pages() const { return pages_; }
    QRadioButton* PixelsButton() const { return pixels_; }
    QRadioButton* CentimetresButton() const { return centimetres_; }
    QCheckBox* MouseLineBox() const { return mouseLine_; }
    QCheckBox* HintBox() const { return hint_; }
    QComboBox* NumbersSideBox() const { return numbersSide_; }
    QComboBox* ResultsSideBox() const { return resultsSide_; }
    QListWidget* ElementList() const { return elements_; }
    QTabWidget* ColorTabs() const { return colorTabs_; }
    TColorButton* BackColorButton() const { return backColor_; }
    TColorButton* BorderColorButton() const { return borderColor_; }
    TColorButton* FontColorButton() const { return fontColor_; }
    QCheckBox* TransparentBackBox() const { return transparentBack_; }
    QCheckBox* TransparentBorderBox() const { return transparentBorder_; }
    QFontComboBox* FontNameBox() const { return fontName_; }
    QComboBox* FontSizeBox() const { return fontSize_; }
    QCheckBox* BoldBox() const { return bold_; }
    QRadioButton* EllipseButton() const { return ellipse_; }
    QRadioButton* RectangleButton() const { return rectangle_; }
    TSchemaPreview* Preview() const { return preview_; }
    QCheckBox* PreviewBox() const { return previewBox_; }
    QLineEdit* MinFontEdit() const { return minFont_; }
    QLineEdit* MaxFontEdit() const { return maxFont_; }
    QLineEdit* MinLimEdit() const { return minLim_; }
    QComboBox* MaxLimBox() const { return maxLim_; }
    QPushButton* LoadButton() const { return load_; }
    QPushButton* SaveButton() const { return save_; }
    QPushButton* ResetButton() const { return reset_; }

    // Forgets the page shown last (tests).
    static void ForgetPage();
    // The program's data folder, whose "Schemes" both profile dialogs open (created when
    // missing).
    void SetDataFolder(const QString& folder) { dataFolder_ = folder; }
    QString SchemesFolder() const;

signals:
    // The live colours were changed by the preview (or given back): the schema repaints.
    void LiveColorsChanged();

public slots:
    void accept() override;
    void reject() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void done(int result) override;

private:
    QWidget* BuildGeneralPage();
    QWidget* BuildColorsPage();
    QWidget* BuildScalePage();
    QWidget* BuildBackTab();
    QWidget* BuildBorderTab();
    QWidget* BuildFontTab();
    QWidget* BuildFigureTab();

    void ShowGeneral();
    void ShowScale();
    TProfile& CurrentProfile();
    void ShowProfile();
    // The edited colours changed: the sample repaints, and the live colours follow while the
    // preview is on.
    void ColorsEdited();
    void PreviewToggled(bool on);
    void SetLive(const TColors2D& colors);
    void FontSizeTyped();
    void LinkSides(QComboBox* changed);
    void LoadProfile();
    void SaveProfile();
    void Reset();
    // Shows a refusal captioned with the program's title and selects the field.
    void Refuse(const QString& text, QWidget* field);

    TParams2D& params_;
    TColors2D& colors_;
    TParams2D working_;
    TColors2D edited_;
    TColors2D restore_;
    std::function<void(int)> help_;
    QString dataFolder_;
    bool loading_ = false;   // the controls are being filled from the copies
    bool refusing_ = false;  // a refusal's message box is open

    QTabWidget* pages_ = nullptr;
    QRadioButton* pixels_ = nullptr;
    QRadioButton* centimetres_ = nullptr;
    QCheckBox* mouseLine_ = nullptr;
    QCheckBox* hint_ = nullptr;
    QComboBox* numbersSide_ = nullptr;
    QComboBox* resultsSide_ = nullptr;

    QListWidget* elements_ = nullptr;
    QTabWidget* colorTabs_ = nullptr;
    QWidget* tabs_[4] = {};
    TColorButton* backColor_ = nullptr;
    QCheckBox* transparentBack_ = nullptr;
    TColorButton* borderColor_ = nullptr;
    QCheckBox* transparentBorder_ = nullptr;
    QFontComboBox* fontName_ = nullptr;
    QComboBox* fontSize_ = nullptr;
    TColorButton* fontColor_ = nullptr;
    QCheckBox* bold_ = nullptr;
    QCheckBox* italic_ = nullptr;
    QCheckBox* underline_ = nullptr;
    QCheckBox* strikeOut_ = nullptr;
    QRadioButton* ellipse_ = nullptr;
    QRadioButton* rectangle_ = nullptr;
    TSchemaPreview* preview_ = nullptr;
    QCheckBox* previewBox_ = nullptr;

    QLineEdit* minFont_ = nullptr;
    QLineEdit* maxFont_ = nullptr;
    QLineEdit* minLim_ = nullptr;
    QComboBox* maxLim_ = nullptr;

    QPushButton* load_ = nullptr;
    QPushButton* save_ = nullptr;
    QPushButton* reset_ = nullptr;
};
