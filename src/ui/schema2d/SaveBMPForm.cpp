#include "ui/schema2d/SaveBMPForm.h"

#include "core/file/AtomicFile.h"
#include "core/model/Errors.h"
#include "core/settings/Config.h"
#include "ui/app/HelpContexts.h"
#include "ui/common/MessageBoxes.h"
#include "ui/common/TypedComboBox.h"
#include "ui/common/WaitCursor.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QVBoxLayout>

#include <cmath>
#include <new>

namespace {

constexpr int kScaleChars = 5;
constexpr int kDefaultBits = 8;
const QString kNoSize = QStringLiteral("-");

bool Raster(TPictureFormat format)
{
    return format == TPictureFormat::Bmp || format == TPictureFormat::Jpeg || format == TPictureFormat::Png;
}

}  // namespace

QString SaveBMPTexts::FileSizeText(QSize size, int bits)
{
    double kb = double(size.height()) / 8 / 1024 * size.width() * bits;
    const char* unit = "Kb";
    if (kb > 1024) {
        kb /= 1024;
        unit = "Mb";
    }
    return QString::asprintf("%.1f %s", kb, unit);
}

QString TSaveBMPForm::Caption(TPictureFormat format)
{
    switch (format) {
    case TPictureFormat::Bmp: return QStringLiteral("Экспорт схемы в Windows Bitmap");
    case TPictureFormat::Jpeg: return QStringLiteral("Экспорт схемы в JPEG");
    case TPictureFormat::Svg: return QStringLiteral("Экспорт схемы в SVG");
    case TPictureFormat::Pdf: return QStringLiteral("Экспорт схемы в PDF");
    case TPictureFormat::Png: return QStringLiteral("Экспорт схемы в PNG");
    case TPictureFormat::Emf: break;
    }
    return QStringLiteral("Экспорт схемы в Windows Metafile");
}

int TSaveBMPForm::HelpContext(TPictureFormat format)
{
    switch (format) {
    case TPictureFormat::Bmp: return 112;
    case TPictureFormat::Jpeg: return 113;
    case TPictureFormat::Png: return 112;
    default: return 114;
    }
}

TSaveBMPForm::TSaveBMPForm(const QString& path, TPictureFormat format, TSchemaScene& scene,
                           const TSchemaPictureRequest& request, const TVisiblePart& visible, QWidget* parent)
    : QDialog(parent), path_(path), format_(format), scene_(scene), request_(request), visible_(visible)
{
    setObjectName(QStringLiteral("SaveBMPForm"));
    setWindowTitle(Caption(format));
    setModal(true);
    HelpContexts::Set(this, HelpContext(format));
    request_.Fit.reset();
    request_.Visible.reset();

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(BuildSizeBox());
    if (Raster(format))
        layout->addWidget(BuildAreaBox());
    if (format == TPictureFormat::Bmp)
        layout->addWidget(BuildPaletteBox());
    if (format == TPictureFormat::Jpeg)
        layout->addWidget(BuildJpegBoxes());

    auto* ok = new QPushButton(QStringLiteral("&ОК"), this);
    auto* cancel = new QPushButton(QStringLiteral("О&тмена"), this);
    auto* help = new QPushButton(QStringLiteral("&Справка"), this);
    ok->setObjectName(QStringLiteral("OkButton"));
    for (QPushButton* b : {ok, cancel, help})
        b->setAutoDefault(false);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &TSaveBMPForm::accept);
    connect(cancel, &QPushButton::clicked, this, &TSaveBMPForm::reject);
    connect(help, &QPushButton::clicked, this, [this] {
        if (help_)
            help_(HelpContext(format_));
    });
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    for (QPushButton* b : {ok, cancel, help})
        buttons->addWidget(b);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    Recalculate();
    scaleBox_->setFocus();
}

QGroupBox* TSaveBMPForm::BuildSizeBox()
{
    auto* box = new QGroupBox(QStringLiteral(" Размер  изображения "), this);
    scaleBox_ = new QComboBox(box);
    scaleBox_->setObjectName(QStringLiteral("ScaleBox"));
    // A typed number means that number: nothing is completed from the list.
    TypedComboBox::Apply(scaleBox_);
    scaleBox_->lineEdit()->setMaxLength(kScaleChars);
    for (double scale : PictureExport::kScales)
        scaleBox_->addItem(QStringLiteral("%1%").arg(std::lround(100 * scale)));
    // The entry shown is the current one: Enter then keeps it instead of taking the list's first.
    scaleBox_->setCurrentIndex(scaleBox_->findText(QStringLiteral("100%")));
    // Enter in the box is OK with the scale as shown, never a choice from the list.
    scaleBox_->lineEdit()->installEventFilter(this);
    width_ = new QLabel(box);
    height_ = new QLabel(box);
    width_->setObjectName(QStringLiteral("WidthLabel"));
    height_->setObjectName(QStringLiteral("HeightLabel"));
    auto* grid = new QGridLayout(box);
    grid->addWidget(new QLabel(QStringLiteral("Масштаб"), box), 0, 0);
    grid->addWidget(scaleBox_, 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("Ширина:"), box), 1, 0);
    grid->addWidget(width_, 1, 1);
    grid->addWidget(new QLabel(QStringLiteral("Высота:"), box), 2, 0);
    grid->addWidget(height_, 2, 1);
    grid->setColumnMinimumWidth(1, 110);
    connect(scaleBox_, &QComboBox::editTextChanged, this, &TSaveBMPForm::Recalculate);
    return box;
}

QGroupBox* TSaveBMPForm::BuildAreaBox()
{
    auto* box = new QGroupBox(QStringLiteral(" Участок "), this);
    whole_ = new QRadioButton(QStringLiteral("Вся схема"), box);
    visiblePart_ = new QRadioButton(QStringLiteral("Видимая часть"), box);
    whole_->setObjectName(QStringLiteral("WholeRadio"));
    visiblePart_->setObjectName(QStringLiteral("VisibleRadio"));
    whole_->setChecked(true);
    auto* l = new QVBoxLayout(box);
    l->addWidget(whole_);
    l->addWidget(visiblePart_);
    connect(whole_, &QRadioButton::toggled, this, &TSaveBMPForm::Recalculate);
    return box;
}

QGroupBox* TSaveBMPForm::BuildPaletteBox()
{
    auto* box = new QGroupBox(QStringLiteral(" Цветовая палитра "), this);
    auto* l = new QVBoxLayout(box);
    bits_ = new QButtonGroup(box);
    const std::pair<const char*, int> kDepths[] = {{"True color (24 бит)", 24},
                                                   {"High color (16 бит)", 16},
                                                   {"256 цветов (8 бит)", 8},
                                                   {"16 цветов (4 бит)", 4},
                                                   {"Монохромный (1 бит)", 1}};
    for (const auto& [caption, bits] : kDepths) {
        auto* r = new QRadioButton(QString::fromUtf8(caption), box);
        r->setObjectName(QStringLiteral("Bits%1").arg(bits));
        r->setChecked(bits == kDefaultBits);
        bits_->addButton(r, bits);
        l->addWidget(r);
    }
    fileSize_ = new QLabel(box);
    fileSize_->setObjectName(QStringLiteral("FileSizeLabel"));
    auto* row = new QHBoxLayout;
    row->addWidget(new QLabel(QStringLiteral("Размер файла:"), box));
    row->addWidget(fileSize_, 1);
    l->addLayout(row);
    connect(bits_, &QButtonGroup::idToggled, this, &TSaveBMPForm::Recalculate);
    return box;
}

QWidget* TSaveBMPForm::BuildJpegBoxes()
{
    auto* holder = new QWidget(this);
    auto* l = new QVBoxLayout(holder);
    l->setContentsMargins(0, 0, 0, 0);
    const TJpegOptions defaults;
    quality_ = new QGroupBox(holder);
    slider_ = new QSlider(Qt::Horizontal, quality_);
    slider_->setObjectName(QStringLiteral("QualitySlider"));
    slider_->setRange(1, 100);
    slider_->setValue(defaults.Quality);
    slider_->setTickInterval(5);
    slider_->setTickPosition(QSlider::TicksBelow);
    progressive_ = new QCheckBox(QStringLiteral("Прогрессивный вывод"), quality_);
    auto* q = new QVBoxLayout(quality_);
    q->addWidget(slider_);
    q->addWidget(progressive_);
    const auto showQuality = [this](int value) { quality_->setTitle(QString::asprintf(" Качество (%d%%) ", value)); };
    showQuality(slider_->value());
    connect(slider_, &QSlider::valueChanged, this, showQuality);

    auto* colour = new QGroupBox(QStringLiteral(" Цвет "), holder);
    auto* coloured = new QRadioButton(QStringLiteral("Цветное изображение"), colour);
    grey_ = new QRadioButton(QStringLiteral("Оттенки серого"), colour);
    coloured->setChecked(true);
    auto* c = new QVBoxLayout(colour);
    c->addWidget(coloured);
    c->addWidget(grey_);
    l->addWidget(quality_);
    l->addWidget(colour);
    return holder;
}

bool TSaveBMPForm::VisiblePartChosen() const { return visiblePart_ && visiblePart_->isChecked(); }

TSchemaPictureRequest TSaveBMPForm::Request() const
{
    TSchemaPictureRequest request = request_;
    request.Scale = scale_.value_or(1.0);
    if (VisiblePartChosen())
        request.Visible = visible_;
    return request;
}

TPictureOptions TSaveBMPForm::Options() const
{
    TPictureOptions options;
    if (bits_)
        options.BmpBits = bits_->checkedId();
    if (slider_) {
        options.Jpeg.Quality = slider_->value();
        options.Jpeg.Progressive = progressive_->isChecked();
        options.Jpeg.Grey = grey_->isChecked();
    }
    return options;
}

void TSaveBMPForm::Recalculate()
{
    if (!scaleBox_)
        return;
    scale_ = PictureExport::ParseScale(scaleBox_->currentText());
    size_.reset();
    if (scale_)
        size_ = PictureExport::PictureSize(scene_, Request(), format_);
    const auto pixels = [](int n) { return QString::asprintf("%d пикс", n); };
    width_->setText(size_ ? pixels(size_->width()) : kNoSize);
    height_->setText(size_ ? pixels(size_->height()) : kNoSize);
    if (fileSize_ && bits_)
        fileSize_->setText(size_ ? SaveBMPTexts::FileSizeText(*size_, bits_->checkedId()) : kNoSize);
}

QString TSaveBMPForm::WidthText() const { return width_->text(); }
QString TSaveBMPForm::HeightText() const { return height_->text(); }
QString TSaveBMPForm::FileSizeText() const { return fileSize_ ? fileSize_->text() : QString(); }

void TSaveBMPForm::accept()
{
    Recalculate();
    if (!scale_) {
        MessageBoxes::Show(this, {kApplicationTitle, SaveBMPTexts::kBadScale, TMsgIcon::Warning, TMsgButtons::Ok});
        scaleBox_->setFocus();
        scaleBox_->lineEdit()->selectAll();
        return;
    }
    QString failure;
    {
        TWaitCursor wait;
        try {
            PictureExport::Write(path_, format_, scene_, Request(), Options());
        } catch (const Exception& e) {
            failure = e.Message();
        } catch (const std::bad_alloc&) {
            failure = QStringLiteral("Ошибка при записи данных в файл %1").arg(FileNameOnly(path_));
        }
    }
    if (!failure.isEmpty()) {
        // The writer leaves no file behind; the choices stay for another try.
        MessageBoxes::Error(this, failure);
        return;
    }
    QDialog::accept();
}

bool TSaveBMPForm::eventFilter(QObject* watched, QEvent* event)
{
    if (scaleBox_ && watched == scaleBox_->lineEdit() && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            accept();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TSaveBMPForm::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_F1 && help_) {
        help_(HelpContext(format_));
        return;
    }
    QDialog::keyPressEvent(event);
}
