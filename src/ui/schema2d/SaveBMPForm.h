#pragma once

// The picture export dialog: the export scale and the picture's size, the area (whole schema
// or the visible part), and per format the palette with the file-size estimate (bitmaps) or
// the quality, progressive output and colour (JPEG). Vector pictures have only the size.
// OK draws the schema through its own context and writes the file; the window's view is
// never touched.
//
//     TSaveBMPForm form(path, *format, scene, request, visible, window);
//     form.exec();  // OK writes; a failure is shown and the dialog stays

#include "render/export/PictureExport.h"

#include <QDialog>

#include <functional>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QRadioButton;
class QSlider;

namespace SaveBMPTexts {
inline const QString kFileDialogTitle = QStringLiteral("Экспорт технологической схемы в файл");
inline const QString kBadScale = QStringLiteral("Задайте правильное значение масштаба");
// "%.1f Kb", or "Mb" above 1024 Kb: height / 8 / 1024 × width × bits per pixel.
QString FileSizeText(QSize size, int bits);
}  // namespace SaveBMPTexts

class TSaveBMPForm : public QDialog {
    Q_OBJECT
public:
    // request: the schema's look at scale 1 (whole schema); visible: what the window shows.
    TSaveBMPForm(const QString& path, TPictureFormat format, TSchemaScene& scene, const TSchemaPictureRequest& request,
                 const TVisiblePart& visible, QWidget* parent = nullptr);

    static QString Caption(TPictureFormat format);
    static int HelpContext(TPictureFormat format);

    // The typed scale (1 = 100 %); none when invalid.
    std::optional<double> Scale() const { return scale_; }
    bool VisiblePartChosen() const;
    // The request and options the file is written with.
    TSchemaPictureRequest Request() const;
    TPictureOptions Options() const;
    // The size of the file's picture for the choices; none when it cannot be made.
    std::optional<QSize> PictureSize() const { return size_; }

    // "&Справка" and F1 call it with the dialog's help context.
    void SetHelpHandler(std::function<void(int)> handler) { help_ = std::move(handler); }

    // Tests and the user: the controls' texts.
    QString WidthText() const;
    QString HeightText() const;
    QString FileSizeText() const;
    QComboBox* ScaleBox() const { return scaleBox_; }

    void accept() override;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QGroupBox* BuildSizeBox();
    QGroupBox* BuildAreaBox();
    QGroupBox* BuildPaletteBox();
    QWidget* BuildJpegBoxes();
    void Recalculate();

    QString path_;
    TPictureFormat format_;
    TSchemaScene& scene_;
    TSchemaPictureRequest request_;
    TVisiblePart visible_;
    std::optional<double> scale_ = 1.0;
    std::optional<QSize> size_;
    std::function<void(int)> help_;

    QComboBox* scaleBox_ = nullptr;
    QLabel* width_ = nullptr;
    QLabel* height_ = nullptr;
    QRadioButton* whole_ = nullptr;
    QRadioButton* visiblePart_ = nullptr;
    QButtonGroup* bits_ = nullptr;
    QLabel* fileSize_ = nullptr;
    QGroupBox* quality_ = nullptr;
    QSlider* slider_ = nullptr;
    QCheckBox* progressive_ = nullptr;
    QRadioButton* grey_ = nullptr;
};
