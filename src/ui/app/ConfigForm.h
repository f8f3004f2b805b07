#pragma once

// The settings dialog "Настройка программы" with its pages "&Параметры", "&Графика" and
// "&Цвета". It works on a copy of the settings and copies it back on OK. The two numbers of the
// first page are checked when their field is left and again on OK; a refused value keeps the
// dialog open with the focus in its field. The folder fields are the folders for the next
// start. The page shown last and the dialog's bounds are remembered for the next opening in
// the same run; the first opening is centred on the screen.
//
// Plugging in (TMainForm, actParams), after committing an edit in progress:
//     TConfigFormHooks hooks;
//     hooks.HasTopologyWindows = [this] { return !topologyWindows_.empty(); };   // none yet
//     hooks.CloseTopologyWindows = [this] { ... };
//     hooks.ShowHelp = [this](int context) { HelpViewer::Show(config_.HelpPath, context, this); };
//     TConfigForm form(config_, hooks, this);
//     if (form.exec() == QDialog::Accepted) { every document: mine->SetLocalResistanceK(config_.DefaultKoefR),
//                                             re-layout and repaint; refresh the 3D schemas }

#include "core/settings/Config.h"

#include <QDialog>

#include <functional>

class QCheckBox;
class QComboBox;
class QFontComboBox;
class QLineEdit;
class QListWidget;
class QPushButton;
class QSpinBox;
class QTabWidget;
class TCellStyleSample;

struct TConfigFormHooks {
    // Whether 3D schema windows are open (changing double buffering will close them).
    std::function<bool()> HasTopologyWindows;
    // Closes them; called on OK when double buffering changed.
    std::function<void()> CloseTopologyWindows;
    // "&Справка" with the dialog's help context.
    std::function<void(int)> ShowHelp;
};

inline constexpr int kConfigFormHelpContext = 28;

class TConfigForm : public QDialog {
    Q_OBJECT
public:
    TConfigForm(TConfig& config, const TConfigFormHooks& hooks = {}, QWidget* parent = nullptr);
    ~TConfigForm() override;

    // The copy being edited.
    const TConfig& Working() const { return working_; }

    // For tests and screenshots.
    QTabWidget* Pages() const { return pages_; }
    QLineEdit* MaxDeltaPEdit() const { return maxDeltaP_; }
    QLineEdit* KoefREdit() const { return koefR_; }
    QLineEdit* SourcePathEdit() const { return sourcePath_; }
    QLineEdit* DBPathEdit() const { return dbPath_; }
    QListWidget* ElementList() const { return elements_; }
    QCheckBox* DoubleBufferBox() const { return doubleBuffer_; }
    QPushButton* ResetButton() const { return resetColors_; }
    QComboBox* FontSizeBox() const { return fontSize_; }
    QCheckBox* BoldBox() const { return bold_; }

    // Forgets the remembered page and bounds (tests).
    static void ForgetPlacement();

public slots:
    void accept() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void done(int result) override;

private:
    QWidget* BuildParamsPage();
    QWidget* BuildGraphicsPage();
    QWidget* BuildColorsPage();
    void LoadFields();
    // Checks one number field; on error shows the message and returns the focus to it.
    bool CheckNumberField(QLineEdit* field);
    bool CheckFontSize();
    void BrowseFolder(QLineEdit* field, const QString& title);
    TCellStyle& CurrentStyle();
    void ShowCurrentStyle();
    void StyleChanged();
    void ChooseColor(bool text);
    void ResetColors();

    TConfig& config_;
    TConfig working_;
    TConfigFormHooks hooks_;
    bool checking_ = false;     // a check's message box is open
    bool loadingStyle_ = false; // the style boxes are being filled

    QTabWidget* pages_ = nullptr;
    QCheckBox* rememberLastFile_ = nullptr;
    QCheckBox* showDims_ = nullptr;
    QCheckBox* showWarnings_ = nullptr;
    QLineEdit* sourcePath_ = nullptr;
    QLineEdit* dbPath_ = nullptr;
    QLineEdit* maxDeltaP_ = nullptr;
    QLineEdit* koefR_ = nullptr;
    QSpinBox* gridStep3D_ = nullptr;
    QCheckBox* lineSmooth_ = nullptr;
    QCheckBox* doubleBuffer_ = nullptr;
    QSpinBox* scale2D_ = nullptr;
    QSpinBox* gridStep2D_ = nullptr;
    QListWidget* elements_ = nullptr;
    QFontComboBox* fontName_ = nullptr;
    QComboBox* fontSize_ = nullptr;
    QCheckBox* bold_ = nullptr;
    QCheckBox* italic_ = nullptr;
    QCheckBox* underline_ = nullptr;
    QCheckBox* strikeOut_ = nullptr;
    QPushButton* textColor_ = nullptr;
    QPushButton* backColor_ = nullptr;
    QPushButton* resetColors_ = nullptr;
    TCellStyleSample* sample_ = nullptr;
};
