#include "ui/app/ConfigForm.h"

#include "core/settings/ConfigLimits.h"
#include "ui/app/CellStyleSample.h"
#include "ui/app/WinColor.h"
#include "ui/common/MessageBoxes.h"
#include "ui/common/SettingsDialogFrame.h"
#include "ui/common/TypedComboBox.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QEvent>
#include <QFileDialog>
#include <QFocusEvent>
#include <QFontComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <QSpinBox>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>

#include <optional>

namespace {

const QString kBrowseSourceTitle = QStringLiteral("Укажите расположение файлов с исходными данными");
const QString kBrowseDBTitle =
    QStringLiteral("Укажите расположение файлов баз данных, содержащих характеристики оборудования");
const QString kDoubleBufferText = QStringLiteral(
    "При изменении этого параметра после нажатия кнопки OK\r\nвсе окна с топологическими схемами будут закрыты");
const QString kResetColorsText = QStringLiteral("Установить все цвета и стили в соответствии с умолчаниями?");

// Where the dialog stood and which page it showed, for the next opening in this run.
struct Placement {
    int page = 0;
    std::optional<QRect> geometry;
};
Placement& placement()
{
    static Placement p;
    return p;
}

QSpinBox* spin(QWidget* parent, int min, int max, int step)
{
    auto* box = new QSpinBox(parent);
    box->setRange(min, max);
    box->setSingleStep(step);
    return box;
}

QIcon swatch(const QColor& color)
{
    QPixmap pixmap(16, 12);
    pixmap.fill(color);
    QPainter p(&pixmap);
    p.setPen(Qt::black);
    p.drawRect(pixmap.rect().adjusted(0, 0, -1, -1));
    return QIcon(pixmap);
}

}  // namespace

void TConfigForm::ForgetPlacement() { placement() = Placement{}; }

TConfigForm::TConfigForm(TConfig& config, const TConfigFormHooks& hooks, QWidget* parent)
    : QDialog(parent), config_(config), working_(config.Places()), hooks_(hooks)
{
    working_.Assign(config_);
    setWindowTitle(QStringLiteral("Настройка программы"));
    setObjectName(QStringLiteral("ConfigForm"));

    pages_ = new QTabWidget(this);
    pages_->addTab(BuildParamsPage(), QStringLiteral("&Параметры"));
    pages_->addTab(BuildGraphicsPage(), QStringLiteral("&Графика"));
    pages_->addTab(BuildColorsPage(), QStringLiteral("&Цвета"));

    LoadFields();
    SettingsDialogFrame::Lay(this, pages_, placement().page, {}, [this] {
        if (hooks_.ShowHelp)
            hooks_.ShowHelp(kConfigFormHelpContext);
    });
}

TConfigForm::~TConfigForm() = default;

QWidget* TConfigForm::BuildParamsPage()
{
    auto* page = new QWidget;

    auto* general = new QGroupBox(QStringLiteral(" &Общие "), page);
    rememberLastFile_ = new QCheckBox(QStringLiteral("Помнить последний &файл"), general);
    showDims_ = new QCheckBox(QStringLiteral("&Размерности в заголовке"), general);
    showWarnings_ = new QCheckBox(QStringLiteral("Показывать пре&дупреждения"), general);
    auto* generalLayout = new QVBoxLayout(general);
    generalLayout->addWidget(rememberLastFile_);
    generalLayout->addWidget(showDims_);
    generalLayout->addWidget(showWarnings_);

    auto* files = new QGroupBox(QStringLiteral(" Размещение файлов  "), page);
    auto* filesLayout = new QGridLayout(files);
    const auto folderRow = [&](int row, const QString& caption, const QString& title) {
        auto* label = new QLabel(caption, files);
        auto* field = new QLineEdit(files);
        auto* browse = new QPushButton(QStringLiteral("..."), files);
        browse->setFixedWidth(browse->fontMetrics().horizontalAdvance(QStringLiteral("...")) + 16);
        label->setBuddy(field);
        filesLayout->addWidget(label, row, 0);
        filesLayout->addWidget(field, row, 1);
        filesLayout->addWidget(browse, row, 2);
        connect(browse, &QPushButton::clicked, this, [this, field, title] { BrowseFolder(field, title); });
        return field;
    };
    sourcePath_ = folderRow(0, QStringLiteral("&исходные данные"), kBrowseSourceTitle);
    dbPath_ = folderRow(1, QStringLiteral("&базы данных"), kBrowseDBTitle);
    filesLayout->setColumnStretch(1, 1);

    auto* calc = new QGroupBox(QStringLiteral(" Расчет  "), page);
    auto* calcLayout = new QHBoxLayout(calc);
    auto* deltaLabel = new QLabel(QStringLiteral("Допустимая разница давлений на входе редукторов, м. вод. ст"), calc);
    maxDeltaP_ = new QLineEdit(calc);
    maxDeltaP_->setObjectName(QStringLiteral("MaxDeltaP"));
    maxDeltaP_->setMaximumWidth(80);
    deltaLabel->setBuddy(maxDeltaP_);
    calcLayout->addWidget(deltaLabel, 1);
    calcLayout->addWidget(maxDeltaP_);

    auto* pipe = new QGroupBox(QStringLiteral(" Трубопровод  "), page);
    auto* pipeLayout = new QHBoxLayout(pipe);
    auto* koefLabel = new QLabel(QStringLiteral("Коэф. местных сопротивлений"), pipe);
    koefR_ = new QLineEdit(pipe);
    koefR_->setObjectName(QStringLiteral("DefaultKoefR"));
    koefR_->setMaximumWidth(80);
    koefLabel->setBuddy(koefR_);
    pipeLayout->addWidget(koefLabel, 1);
    pipeLayout->addWidget(koefR_);

    for (QLineEdit* field : {maxDeltaP_, koefR_})
        field->installEventFilter(this);

    auto* layout = new QVBoxLayout(page);
    layout->addWidget(general);
    layout->addWidget(files);
    layout->addWidget(calc);
    layout->addWidget(pipe);
    layout->addStretch();
    return page;
}

namespace {

// The topological schema that reads these values is not in this version: the page says so
// rather than let the user wonder why a change shows nowhere.
QLabel* LaterNote(QWidget* group, const QString& schema)
{
    auto* note = new QLabel(QStringLiteral("Значения сохраняются и вступят в силу в версии программы с %1 схемой.").arg(schema), group);
    note->setObjectName(QStringLiteral("LaterNote"));
    note->setWordWrap(true);
    note->setEnabled(false);
    return note;
}

}  // namespace

QWidget* TConfigForm::BuildGraphicsPage()
{
    auto* page = new QWidget;

    auto* topo = new QGroupBox(QStringLiteral(" Топологическая схема "), page);
    auto* topoLayout = new QGridLayout(topo);
    auto* gridLabel3D = new QLabel(QStringLiteral("&Шаг координатной сетки, м"), topo);
    gridStep3D_ = spin(topo, kGridStepMin, kGridStepMax, kGridStepStep);
    gridLabel3D->setBuddy(gridStep3D_);
    lineSmooth_ = new QCheckBox(QStringLiteral("Использовать сглаживание &линий"), topo);
    doubleBuffer_ = new QCheckBox(QStringLiteral("&Двойная буферизация"), topo);
    topoLayout->addWidget(gridLabel3D, 0, 0);
    topoLayout->addWidget(gridStep3D_, 0, 1);
    topoLayout->addWidget(lineSmooth_, 1, 0, 1, 2);
    topoLayout->addWidget(doubleBuffer_, 2, 0, 1, 2);
    topoLayout->addWidget(LaterNote(topo, QStringLiteral("топологической")), 3, 0, 1, 2);
    topoLayout->setColumnStretch(0, 1);

    auto* techno = new QGroupBox(QStringLiteral(" Технологическая схема "), page);
    auto* technoLayout = new QGridLayout(techno);
    auto* scaleLabel = new QLabel(QStringLiteral("&Масштаб вывода"), techno);
    scale2D_ = spin(techno, kScaleMin, kScaleMax, kScaleStep);
    scale2D_->setPrefix(QStringLiteral("1:"));
    scaleLabel->setBuddy(scale2D_);
    auto* gridLabel2D = new QLabel(QStringLiteral("Ш&аг координатной сетки, м"), techno);
    gridStep2D_ = spin(techno, kGridStepMin, kGridStepMax, kGridStepStep);
    gridLabel2D->setBuddy(gridStep2D_);
    technoLayout->addWidget(scaleLabel, 0, 0);
    technoLayout->addWidget(scale2D_, 0, 1);
    technoLayout->addWidget(gridLabel2D, 1, 0);
    technoLayout->addWidget(gridStep2D_, 1, 1);
    technoLayout->setColumnStretch(0, 1);

    connect(doubleBuffer_, &QCheckBox::toggled, this, [this] {
        if (!loadingStyle_ && hooks_.HasTopologyWindows && hooks_.HasTopologyWindows())
            MessageBoxes::Info(this, kDoubleBufferText);
    });

    auto* layout = new QVBoxLayout(page);
    layout->addWidget(topo);
    layout->addWidget(techno);
    layout->addStretch();
    return page;
}

QWidget* TConfigForm::BuildColorsPage()
{
    auto* page = new QWidget;

    auto* elementLabel = new QLabel(QStringLiteral("&Элемент"), page);
    elements_ = new QListWidget(page);
    elements_->addItems({QStringLiteral("Данные"), QStringLiteral("Текущая ячейка"), QStringLiteral("Выделенная строка"),
                         QStringLiteral("Поверхностный узел")});
    elements_->setMaximumHeight(elements_->sizeHintForRow(0) * 4 + 2 * elements_->frameWidth() + 4);
    elementLabel->setBuddy(elements_);

    auto* fontLabel = new QLabel(QStringLiteral("Ш&рифт"), page);
    fontName_ = new QFontComboBox(page);
    fontLabel->setBuddy(fontName_);
    auto* sizeLabel = new QLabel(QStringLiteral("Ра&змер"), page);
    fontSize_ = new QComboBox(page);
    TypedComboBox::Apply(fontSize_);
    for (int size : kFontSizes)
        fontSize_->addItem(QString::number(size));
    sizeLabel->setBuddy(fontSize_);

    auto* styleBox = new QGroupBox(page);
    bold_ = new QCheckBox(QStringLiteral("&Полужирный"), styleBox);
    italic_ = new QCheckBox(QStringLiteral("&Курсив"), styleBox);
    underline_ = new QCheckBox(QStringLiteral("Под&черкнутый"), styleBox);
    strikeOut_ = new QCheckBox(QStringLiteral("Перече&ркнутый"), styleBox);
    auto* styleLayout = new QGridLayout(styleBox);
    styleLayout->addWidget(bold_, 0, 0);
    styleLayout->addWidget(italic_, 0, 1);
    styleLayout->addWidget(underline_, 1, 0);
    styleLayout->addWidget(strikeOut_, 1, 1);

    textColor_ = new QPushButton(QStringLiteral("Цвет &текста..."), page);
    backColor_ = new QPushButton(QStringLiteral("Цвет &фона..."), page);
    resetColors_ = new QPushButton(QStringLiteral("&Сброс"), page);
    sample_ = new TCellStyleSample(page);

    auto* left = new QVBoxLayout;
    left->addWidget(elementLabel);
    left->addWidget(elements_);
    left->addWidget(styleBox);
    left->addStretch();

    auto* right = new QGridLayout;
    right->addWidget(fontLabel, 0, 0);
    right->addWidget(fontName_, 0, 1);
    right->addWidget(sizeLabel, 1, 0);
    right->addWidget(fontSize_, 1, 1);
    right->addWidget(textColor_, 2, 0, 1, 2);
    right->addWidget(backColor_, 3, 0, 1, 2);
    right->addWidget(resetColors_, 4, 0, 1, 2);
    right->setRowStretch(5, 1);

    auto* top = new QHBoxLayout;
    top->addLayout(left, 1);
    top->addLayout(right, 1);
    auto* layout = new QVBoxLayout(page);
    layout->addLayout(top);
    layout->addWidget(sample_, 1);

    connect(elements_, &QListWidget::currentRowChanged, this, &TConfigForm::ShowCurrentStyle);
    for (QCheckBox* box : {bold_, italic_, underline_, strikeOut_})
        connect(box, &QCheckBox::toggled, this, &TConfigForm::StyleChanged);
    connect(fontName_, &QFontComboBox::currentFontChanged, this, [this](const QFont& font) {
        if (loadingStyle_)
            return;
        working_.FontName = font.family();
        sample_->SetLook(working_);
    });
    connect(fontSize_, &QComboBox::currentTextChanged, this, [this](const QString& text) {
        if (loadingStyle_)
            return;
        if (const auto size = ParseFontSize(text)) {
            working_.FontSize = *size;
            sample_->SetLook(working_);
        }
    });
    connect(textColor_, &QPushButton::clicked, this, [this] { ChooseColor(true); });
    connect(backColor_, &QPushButton::clicked, this, [this] { ChooseColor(false); });
    connect(resetColors_, &QPushButton::clicked, this, &TConfigForm::ResetColors);
    return page;
}

void TConfigForm::LoadFields()
{
    loadingStyle_ = true;
    rememberLastFile_->setChecked(working_.RememberLastFile);
    showDims_->setChecked(working_.ShowDims);
    showWarnings_->setChecked(working_.ShowWarnings);
    sourcePath_->setText(working_.NewSourcePath);
    dbPath_->setText(working_.NewDBPath);
    maxDeltaP_->setText(FormatDecimal(working_.MaxDeltaP));
    koefR_->setText(FormatDecimal(working_.DefaultKoefR));

    gridStep3D_->setValue(working_.GridStep3D);
    lineSmooth_->setChecked(working_.LineSmooth);
    doubleBuffer_->setChecked(working_.DoubleBuffer);
    scale2D_->setValue(working_.Scale2D);
    gridStep2D_->setValue(working_.GridStep2D);

    fontName_->setCurrentFont(QFont(working_.FontName));
    fontSize_->setCurrentText(QString::number(working_.FontSize));
    loadingStyle_ = false;
    if (elements_->currentRow() < 0)
        elements_->setCurrentRow(0);
    ShowCurrentStyle();
}

TCellStyle& TConfigForm::CurrentStyle()
{
    switch (elements_->currentRow()) {
    case 1: return working_.CurCell;
    case 2: return working_.SelCell;
    case 3: return working_.SurfacedCell;
    default: return working_.DataCell;
    }
}

void TConfigForm::ShowCurrentStyle()
{
    loadingStyle_ = true;
    const TCellStyle& style = CurrentStyle();
    bold_->setChecked(style.Style & TCellStyle::fsBold);
    italic_->setChecked(style.Style & TCellStyle::fsItalic);
    underline_->setChecked(style.Style & TCellStyle::fsUnderline);
    strikeOut_->setChecked(style.Style & TCellStyle::fsStrikeOut);
    textColor_->setIcon(swatch(ToQColor(style.TextColor)));
    backColor_->setIcon(swatch(ToQColor(style.BackColor)));
    loadingStyle_ = false;
    sample_->SetLook(working_);
}

void TConfigForm::StyleChanged()
{
    if (loadingStyle_)
        return;
    quint8 bits = 0;
    if (bold_->isChecked())
        bits |= TCellStyle::fsBold;
    if (italic_->isChecked())
        bits |= TCellStyle::fsItalic;
    if (underline_->isChecked())
        bits |= TCellStyle::fsUnderline;
    if (strikeOut_->isChecked())
        bits |= TCellStyle::fsStrikeOut;
    CurrentStyle().Style = bits;
    sample_->SetLook(working_);
}

void TConfigForm::ChooseColor(bool text)
{
    TCellStyle& style = CurrentStyle();
    TColor& target = text ? style.TextColor : style.BackColor;
    const QColor chosen = QColorDialog::getColor(ToQColor(target), this);
    if (!chosen.isValid())
        return;
    target = FromQColor(chosen);
    ShowCurrentStyle();
}

void TConfigForm::ResetColors()
{
    if (MessageBoxes::Ask(this, kResetColorsText, TMsgButtons::YesNo) != TMsgAnswer::Yes)
        return;
    working_.ResetColors();
    loadingStyle_ = true;
    fontName_->setCurrentFont(QFont(working_.FontName));
    fontSize_->setCurrentText(QString::number(working_.FontSize));
    loadingStyle_ = false;
    ShowCurrentStyle();
}

void TConfigForm::BrowseFolder(QLineEdit* field, const QString& title)
{
    const QString folder = QFileDialog::getExistingDirectory(this, title, field->text());
    if (!folder.isEmpty())
        field->setText(TConfig::WithTrailingSeparator(folder));
}

bool TConfigForm::CheckNumberField(QLineEdit* field)
{
    const NumberFieldCheck check = field == maxDeltaP_ ? CheckMaxDeltaP(field->text()) : CheckDefaultKoefR(field->text());
    if (check.ok())
        return true;
    checking_ = true;
    MessageBoxes::Error(this, check.error);
    checking_ = false;
    // Back to the field: now, and once more after the focus change that is under way.
    pages_->setCurrentIndex(0);
    field->setFocus();
    field->selectAll();
    QTimer::singleShot(0, field, [field] {
        field->setFocus();
        field->selectAll();
    });
    return false;
}

bool TConfigForm::CheckFontSize()
{
    if (ParseFontSize(fontSize_->currentText()))
        return true;
    checking_ = true;
    MessageBoxes::Error(this, kInvalidNumberText.arg(fontSize_->currentText().trimmed()));
    checking_ = false;
    pages_->setCurrentIndex(2);
    fontSize_->setFocus();
    return false;
}

bool TConfigForm::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::FocusOut && !checking_ && (watched == maxDeltaP_ || watched == koefR_)) {
        const auto reason = static_cast<QFocusEvent*>(event)->reason();
        // Leaving the window (another window, a popup, the message box itself) is no leaving
        // of the field.
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
            CheckNumberField(static_cast<QLineEdit*>(watched));
    }
    return QDialog::eventFilter(watched, event);
}

void TConfigForm::accept()
{
    // OK may come while a number field still has the focus: check both again.
    if (!CheckNumberField(maxDeltaP_) || !CheckNumberField(koefR_) || !CheckFontSize())
        return;

    working_.RememberLastFile = rememberLastFile_->isChecked();
    working_.ShowDims = showDims_->isChecked();
    working_.ShowWarnings = showWarnings_->isChecked();
    working_.MaxDeltaP = *ParseDecimal(maxDeltaP_->text());
    working_.DefaultKoefR = *ParseDecimal(koefR_->text());
    // The folders take effect at the next start; an emptied field keeps the folder.
    if (!sourcePath_->text().trimmed().isEmpty())
        working_.NewSourcePath = TConfig::WithTrailingSeparator(sourcePath_->text().trimmed());
    if (!dbPath_->text().trimmed().isEmpty())
        working_.NewDBPath = TConfig::WithTrailingSeparator(dbPath_->text().trimmed());
    working_.GridStep3D = gridStep3D_->value();
    working_.LineSmooth = lineSmooth_->isChecked();
    working_.DoubleBuffer = doubleBuffer_->isChecked();
    working_.Scale2D = scale2D_->value();
    working_.GridStep2D = gridStep2D_->value();
    working_.FontSize = *ParseFontSize(fontSize_->currentText());

    if (working_.DoubleBuffer != config_.DoubleBuffer && hooks_.CloseTopologyWindows)
        hooks_.CloseTopologyWindows();
    config_.Assign(working_);
    QDialog::accept();
}

void TConfigForm::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (placement().geometry) {
        setGeometry(*placement().geometry);
    } else if (const QScreen* screen = this->screen()) {
        QRect frame = frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
}

void TConfigForm::done(int result)
{
    placement().page = pages_->currentIndex();
    placement().geometry = geometry();
    QDialog::done(result);
}
