#include "ui/schema2d/OptionsForm.h"

#include "core/model/Errors.h"
#include "core/model/Mine.h"
#include "core/settings/Config.h"
#include "core/settings/ConfigLimits.h"
#include "core/settings/ProfileFile.h"
#include "core/settings/ScaleLimits.h"
#include "render/schema2d/PreviewNetwork.h"
#include "render/schema2d/ProfileLook.h"
#include "render/schema2d/ZoomSteps.h"
#include "ui/app/HelpContexts.h"
#include "ui/app/WinColor.h"
#include "ui/common/FileDialogs.h"
#include "ui/common/SettingsDialogFrame.h"
#include "ui/common/MessageBoxes.h"
#include "ui/schema2d/ColorButton.h"
#include "ui/schema2d/SchemaPreview.h"
#include "ui/common/TypedComboBox.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QFontComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace {

const QString kResetQuestion = QStringLiteral("Установить настройки схемы по умолчанию?");
const QString kResetWhatQuestion = QStringLiteral("Сбрость все настройки (\"Да\") или только настройки \"%1\" (\"Нет\")");
const QString kProfileFilter = QStringLiteral("Цветовые схемы \"Ирвата\" (*.cl)");
const QString kAllFilesFilter = QStringLiteral("Все файлы (*.*)");
const QString kBottom = QStringLiteral("внизу");
const QString kTop = QStringLiteral("вверху");
constexpr int kFontSizeFirst = 4;
constexpr int kFontSizeLast = 20;

int& lastPage()
{
    static int page = 0;
    return page;
}

// A percentage field shows the factor × 100 without decimals.
QString percentText(double factor) { return QString::number(std::lround(factor * 100)); }

// The zoom step nearest to the factor, among the steps the growth list offers.
int nearestZoomStep(double factor)
{
    int best = 0;
    for (int i = 1; i < ZoomSteps::kScaleBoxCount; ++i)
        if (std::abs(ZoomSteps::kTable[i] - factor) < std::abs(ZoomSteps::kTable[best] - factor))
            best = i;
    return best;
}

QComboBox* sideBox(QWidget* parent)
{
    auto* box = new QComboBox(parent);
    box->addItems({kBottom, kTop});
    return box;
}

}  // namespace

void TOptionsForm::ForgetPage() { lastPage() = 0; }

QString TOptionsForm::SchemesFolder() const
{
    return dataFolder_.isEmpty() ? QDir::currentPath() : ProfileFile::Folder(dataFolder_);
}

TOptionsForm::TOptionsForm(TParams2D& params, TColors2D& colors, QWidget* parent)
    : QDialog(parent), params_(params), colors_(colors), working_(params), edited_(colors), restore_(colors)
{
    setWindowTitle(QStringLiteral("Настройки"));
    setObjectName(QStringLiteral("OptionsForm"));
    setModal(true);
    HelpContexts::Set(this, kOptionsFormHelpContext);

    pages_ = new QTabWidget(this);
    pages_->addTab(BuildGeneralPage(), QStringLiteral("Общие"));
    pages_->addTab(BuildColorsPage(), QStringLiteral("Цвета и шрифты"));
    pages_->addTab(BuildScalePage(), QStringLiteral("Масштабирование"));

    load_ = new QPushButton(QStringLiteral("&Загрузить профиль"), this);
    save_ = new QPushButton(QStringLiteral("&Сохранить профиль..."), this);
    reset_ = new QPushButton(QStringLiteral("&Сброс"), this);
    connect(load_, &QPushButton::clicked, this, &TOptionsForm::LoadProfile);
    connect(save_, &QPushButton::clicked, this, &TOptionsForm::SaveProfile);
    connect(reset_, &QPushButton::clicked, this, &TOptionsForm::Reset);

    ShowGeneral();
    ShowScale();
    elements_->setCurrentRow(0);
    ShowProfile();
    preview_->SetColors(edited_);
    SettingsDialogFrame::Lay(this, pages_, lastPage(), {load_, save_, reset_}, [this] {
        if (help_)
            help_(kOptionsFormHelpContext);
    });
}

TOptionsForm::~TOptionsForm() = default;

TMine& TOptionsForm::PreviewMine() const { return preview_->Mine(); }

// ---- Общие -----------------------------------------------------------------------------

QWidget* TOptionsForm::BuildGeneralPage()
{
    auto* page = new QWidget;

    auto* ruler = new QGroupBox(QStringLiteral(" Линейка "), page);
    auto* units = new QGroupBox(QStringLiteral(" Единицы измерения "), ruler);
    pixels_ = new QRadioButton(QStringLiteral("пиксели"), units);
    centimetres_ = new QRadioButton(QStringLiteral("сантиметры"), units);
    auto* unitsLayout = new QVBoxLayout(units);
    unitsLayout->addWidget(pixels_);
    unitsLayout->addWidget(centimetres_);
    mouseLine_ = new QCheckBox(QStringLiteral("Линия передвижения мыши на линейках"), ruler);
    auto* rulerLayout = new QVBoxLayout(ruler);
    rulerLayout->addWidget(units);
    rulerLayout->addWidget(mouseLine_);

    hint_ = new QCheckBox(QStringLiteral("Включать подсказку при перемещении устройства"), page);

    auto* labels = new QGridLayout;
    auto* numbersLabel = new QLabel(QStringLiteral("Номера ветвей"), page);
    auto* resultsLabel = new QLabel(QStringLiteral("-  результаты"), page);
    numbersSide_ = sideBox(page);
    resultsSide_ = sideBox(page);
    numbersLabel->setBuddy(numbersSide_);
    resultsLabel->setBuddy(resultsSide_);
    labels->addWidget(numbersLabel, 0, 0);
    labels->addWidget(numbersSide_, 0, 1);
    labels->addWidget(resultsLabel, 1, 0);
    labels->addWidget(resultsSide_, 1, 1);
    labels->setColumnStretch(2, 1);

    auto* layout = new QVBoxLayout(page);
    layout->addWidget(ruler);
    layout->addWidget(hint_);
    layout->addLayout(labels);
    layout->addStretch();

    connect(pixels_, &QRadioButton::toggled, this, [this](bool on) {
        if (!loading_)
            working_.Units = on ? ruPixels : ruCentimetres;
    });
    connect(mouseLine_, &QCheckBox::toggled, this, [this](bool on) {
        if (!loading_)
            working_.Line = on;
    });
    connect(hint_, &QCheckBox::toggled, this, [this](bool on) {
        if (!loading_)
            working_.HintVisible = on;
    });
    connect(numbersSide_, &QComboBox::currentIndexChanged, this, [this] { LinkSides(numbersSide_); });
    connect(resultsSide_, &QComboBox::currentIndexChanged, this, [this] { LinkSides(resultsSide_); });
    return page;
}

void TOptionsForm::LinkSides(QComboBox* changed)
{
    // Numbers and results take opposite sides of the branch.
    QComboBox* other = changed == numbersSide_ ? resultsSide_ : numbersSide_;
    const int opposite = 1 - changed->currentIndex();
    if (other->currentIndex() != opposite)
        other->setCurrentIndex(opposite);
    if (!loading_)
        working_.NumBranchesBottom = numbersSide_->currentIndex() == 0;
}

void TOptionsForm::ShowGeneral()
{
    loading_ = true;
    (working_.Units == ruPixels ? pixels_ : centimetres_)->setChecked(true);
    mouseLine_->setChecked(working_.Line);
    hint_->setChecked(working_.HintVisible);
    numbersSide_->setCurrentIndex(working_.NumBranchesBottom ? 0 : 1);
    resultsSide_->setCurrentIndex(working_.NumBranchesBottom ? 1 : 0);
    loading_ = false;
}

// ---- Цвета и шрифты ----------------------------------------------------------------------

QWidget* TOptionsForm::BuildColorsPage()
{
    auto* page = new QWidget;

    auto* elementLabel = new QLabel(QStringLiteral("&Элемент"), page);
    elements_ = new QListWidget(page);
    for (const TProfile& p : edited_.Profiles)
        elements_->addItem(p.Name);
    elements_->setMinimumWidth(elements_->sizeHintForColumn(0) + 2 * elements_->frameWidth() + 24);
    elements_->setMaximumWidth(elements_->minimumWidth());
    elementLabel->setBuddy(elements_);

    colorTabs_ = new QTabWidget(page);
    colorTabs_->addTab(tabs_[ctBack] = BuildBackTab(), QStringLiteral("Фон"));
    colorTabs_->addTab(tabs_[ctBorder] = BuildBorderTab(), QStringLiteral("Границы"));
    colorTabs_->addTab(tabs_[ctFont] = BuildFontTab(), QStringLiteral("Шрифт"));
    colorTabs_->addTab(tabs_[ctFigure] = BuildFigureTab(), QStringLiteral("Фигура"));

    preview_ = new TSchemaPreview(PreviewNetwork::Build(), page);
    previewBox_ = new QCheckBox(QStringLiteral("Предв. просмотр"), page);

    auto* left = new QVBoxLayout;
    left->addWidget(elementLabel);
    left->addWidget(elements_, 1);
    auto* top = new QHBoxLayout;
    top->addLayout(left);
    top->addWidget(colorTabs_, 1);
    auto* layout = new QVBoxLayout(page);
    layout->addLayout(top);
    layout->addWidget(preview_, 1);
    layout->addWidget(previewBox_);

    connect(elements_, &QListWidget::currentRowChanged, this, &TOptionsForm::ShowProfile);
    connect(previewBox_, &QCheckBox::toggled, this, &TOptionsForm::PreviewToggled);
    return page;
}

QWidget* TOptionsForm::BuildBackTab()
{
    auto* tab = new QWidget;
    auto* label = new QLabel(QStringLiteral("Цвет"), tab);
    backColor_ = new TColorButton(tab);
    backColor_->setObjectName(QStringLiteral("BackColor"));
    label->setBuddy(backColor_);
    transparentBack_ = new QCheckBox(QStringLiteral("&Прозрачность"), tab);
    auto* layout = new QGridLayout(tab);
    layout->addWidget(label, 0, 0);
    layout->addWidget(backColor_, 0, 1);
    layout->addWidget(transparentBack_, 1, 0, 1, 3);
    layout->setColumnStretch(2, 1);
    layout->setRowStretch(2, 1);
    connect(backColor_, &TColorButton::Picked, this, [this](const QColor& c) {
        CurrentProfile().BackColor = FromQColor(c);
        ColorsEdited();
    });
    connect(transparentBack_, &QCheckBox::toggled, this, [this](bool on) {
        if (loading_)
            return;
        CurrentProfile().TransparentBack = on;
        ColorsEdited();
    });
    return tab;
}

QWidget* TOptionsForm::BuildBorderTab()
{
    auto* tab = new QWidget;
    auto* label = new QLabel(QStringLiteral("Цвет"), tab);
    borderColor_ = new TColorButton(tab);
    borderColor_->setObjectName(QStringLiteral("BorderColor"));
    label->setBuddy(borderColor_);
    transparentBorder_ = new QCheckBox(QStringLiteral("&Прозрачность"), tab);
    auto* layout = new QGridLayout(tab);
    layout->addWidget(label, 0, 0);
    layout->addWidget(borderColor_, 0, 1);
    layout->addWidget(transparentBorder_, 1, 0, 1, 3);
    layout->setColumnStretch(2, 1);
    layout->setRowStretch(2, 1);
    connect(borderColor_, &TColorButton::Picked, this, [this](const QColor& c) {
        CurrentProfile().BorderColor = FromQColor(c);
        ColorsEdited();
    });
    connect(transparentBorder_, &QCheckBox::toggled, this, [this](bool on) {
        if (loading_)
            return;
        CurrentProfile().TransparentBorder = on;
        ColorsEdited();
    });
    return tab;
}

QWidget* TOptionsForm::BuildFontTab()
{
    auto* tab = new QWidget;
    auto* nameLabel = new QLabel(QStringLiteral("Ш&рифт"), tab);
    fontName_ = new QFontComboBox(tab);
    nameLabel->setBuddy(fontName_);
    auto* sizeLabel = new QLabel(QStringLiteral("Ра&змер"), tab);
    fontSize_ = new QComboBox(tab);
    TypedComboBox::Apply(fontSize_);
    for (int size = kFontSizeFirst; size <= kFontSizeLast; ++size)
        fontSize_->addItem(QString::number(size));
    sizeLabel->setBuddy(fontSize_);
    auto* colorLabel = new QLabel(QStringLiteral("Цвет"), tab);
    fontColor_ = new TColorButton(tab);
    fontColor_->setObjectName(QStringLiteral("FontColor"));
    colorLabel->setBuddy(fontColor_);

    bold_ = new QCheckBox(QStringLiteral("&Полужирный"), tab);
    italic_ = new QCheckBox(QStringLiteral("&Курсив"), tab);
    underline_ = new QCheckBox(QStringLiteral("Под&черкнутый"), tab);
    strikeOut_ = new QCheckBox(QStringLiteral("Перече&ркнутый"), tab);

    auto* layout = new QGridLayout(tab);
    layout->addWidget(nameLabel, 0, 0);
    layout->addWidget(fontName_, 0, 1, 1, 3);
    layout->addWidget(sizeLabel, 1, 0);
    layout->addWidget(fontSize_, 1, 1);
    layout->addWidget(colorLabel, 1, 2, Qt::AlignRight);
    layout->addWidget(fontColor_, 1, 3, Qt::AlignLeft);
    layout->addWidget(bold_, 2, 0, 1, 2);
    layout->addWidget(italic_, 2, 2, 1, 2);
    layout->addWidget(underline_, 3, 0, 1, 2);
    layout->addWidget(strikeOut_, 3, 2, 1, 2);
    layout->setColumnStretch(3, 1);
    layout->setRowStretch(4, 1);

    connect(fontName_, &QFontComboBox::currentFontChanged, this, [this](const QFont& font) {
        if (loading_)
            return;
        CurrentProfile().Font.Name = font.family();
        ColorsEdited();
    });
    connect(fontSize_, &QComboBox::activated, this, [this] { FontSizeTyped(); });
    connect(fontSize_->lineEdit(), &QLineEdit::editingFinished, this, &TOptionsForm::FontSizeTyped);
    connect(fontColor_, &TColorButton::Picked, this, [this](const QColor& c) {
        CurrentProfile().Font.Color = FromQColor(c);
        ColorsEdited();
    });
    const std::pair<QCheckBox*, quint8> styles[] = {
        {bold_, TFont2D::fsBold}, {italic_, TFont2D::fsItalic}, {underline_, TFont2D::fsUnderline},
        {strikeOut_, TFont2D::fsStrikeOut}};
    for (const auto& [box, bit] : styles)
        connect(box, &QCheckBox::toggled, this, [this, bit = bit](bool on) {
            if (loading_)
                return;
            quint8& style = CurrentProfile().Font.Style;
            style = on ? quint8(style | bit) : quint8(style & ~bit);
            ColorsEdited();
        });
    return tab;
}

QWidget* TOptionsForm::BuildFigureTab()
{
    auto* tab = new QWidget;
    ellipse_ = new QRadioButton(QStringLiteral("&Эллипс"), tab);
    rectangle_ = new QRadioButton(QStringLiteral("П&рямоугольник"), tab);
    auto* layout = new QVBoxLayout(tab);
    layout->addWidget(ellipse_);
    layout->addWidget(rectangle_);
    layout->addStretch();
    connect(ellipse_, &QRadioButton::toggled, this, [this](bool on) {
        if (loading_)
            return;
        CurrentProfile().Figure = on ? fgEllipse : fgRectangle;
        ColorsEdited();
    });
    return tab;
}

TProfile& TOptionsForm::CurrentProfile()
{
    const int row = std::clamp(elements_->currentRow(), 0, int(kProfileCount) - 1);
    return edited_.Profiles[size_t(row)];
}

void TOptionsForm::ShowProfile()
{
    const TProfile& p = CurrentProfile();
    loading_ = true;
    const bool pages[] = {p.HasBack, p.HasBorder, p.HasFont, p.HasFigure};
    for (int i = 0; i < 4; ++i)
        colorTabs_->setTabVisible(colorTabs_->indexOf(tabs_[i]), pages[i]);
    if (!colorTabs_->isTabVisible(colorTabs_->currentIndex()))
        for (int i = 0; i < colorTabs_->count(); ++i)
            if (colorTabs_->isTabVisible(i)) {
                colorTabs_->setCurrentIndex(i);
                break;
            }

    backColor_->SetColor(ProfileColor(p.BackColor));
    transparentBack_->setVisible(p.MayBeTransparentBack);
    transparentBack_->setChecked(p.TransparentBack);
    borderColor_->SetColor(ProfileColor(p.BorderColor));
    transparentBorder_->setVisible(p.MayBeTransparentBorder);
    transparentBorder_->setChecked(p.TransparentBorder);

    fontName_->setCurrentFont(QFont(p.Font.Name));
    // The profile's own name, also when this machine has no such font.
    fontName_->setEditText(p.Font.Name);
    fontSize_->setCurrentText(QString::number(p.Font.Size));
    fontColor_->SetColor(ProfileColor(p.Font.Color));
    bold_->setChecked(p.Font.Style & TFont2D::fsBold);
    italic_->setChecked(p.Font.Style & TFont2D::fsItalic);
    underline_->setChecked(p.Font.Style & TFont2D::fsUnderline);
    strikeOut_->setChecked(p.Font.Style & TFont2D::fsStrikeOut);

    (p.Figure == fgEllipse ? ellipse_ : rectangle_)->setChecked(true);
    loading_ = false;
}

void TOptionsForm::FontSizeTyped()
{
    if (loading_ || refusing_)
        return;
    TFont2D& font = CurrentProfile().Font;
    const QString text = fontSize_->currentText().trimmed();
    if (text == QString::number(font.Size))
        return;
    if (const auto size = ParseFontSize(text)) {
        font.Size = *size;
        ColorsEdited();
        return;
    }
    refusing_ = true;
    MessageBoxes::Show(this, {kApplicationTitle, kIncorrectValueText, TMsgIcon::Error, TMsgButtons::Ok});
    refusing_ = false;
    loading_ = true;
    fontSize_->setCurrentText(QString::number(font.Size));
    loading_ = false;
}

void TOptionsForm::ColorsEdited()
{
    preview_->SetColors(edited_);
    if (previewBox_->isChecked())
        SetLive(edited_);
}

void TOptionsForm::PreviewToggled(bool on)
{
    // Off: the schema gets back the colours it had; the edits stay in the working copy.
    SetLive(on ? edited_ : restore_);
}

void TOptionsForm::SetLive(const TColors2D& colors)
{
    if (colors_ == colors)
        return;
    colors_ = colors;
    emit LiveColorsChanged();
}

// ---- Масштабирование ---------------------------------------------------------------------

QWidget* TOptionsForm::BuildScalePage()
{
    auto* page = new QWidget;
    const auto percentEdit = [this](QWidget* parent, const char* name) {
        auto* edit = new QLineEdit(parent);
        edit->setObjectName(QString::fromLatin1(name));
        edit->setMaximumWidth(80);
        edit->installEventFilter(this);
        return edit;
    };

    auto* fonts = new QGroupBox(
        QStringLiteral("Предел изменения размера шрифтов (действует для номера узла, номера ветви, комментария, разультата)"),
        page);
    auto* minFontLabel = new QLabel(QStringLiteral("уменьшения (%)"), fonts);
    auto* maxFontLabel = new QLabel(QStringLiteral("увеличения (%)"), fonts);
    minFont_ = percentEdit(fonts, "MinFontScale");
    maxFont_ = percentEdit(fonts, "MaxFontScale");
    minFontLabel->setBuddy(minFont_);
    maxFontLabel->setBuddy(maxFont_);
    auto* fontsLayout = new QGridLayout(fonts);
    fontsLayout->addWidget(minFontLabel, 0, 0);
    fontsLayout->addWidget(minFont_, 0, 1);
    fontsLayout->addWidget(maxFontLabel, 1, 0);
    fontsLayout->addWidget(maxFont_, 1, 1);
    fontsLayout->setColumnStretch(2, 1);

    auto* branches = new QGroupBox(QStringLiteral("Предел изменения толщины ветвей"), page);
    auto* minLimLabel = new QLabel(QStringLiteral("уменьшения (%)"), branches);
    auto* maxLimLabel = new QLabel(QStringLiteral("увеличения (%)"), branches);
    minLim_ = percentEdit(branches, "MinLimScale");
    maxLim_ = new QComboBox(branches);
    maxLim_->setObjectName(QStringLiteral("MaxLimScale"));
    maxLim_->addItems(ZoomSteps::ScaleBoxTexts());
    maxLim_->setMaximumWidth(80);
    minLimLabel->setBuddy(minLim_);
    maxLimLabel->setBuddy(maxLim_);
    auto* branchesLayout = new QGridLayout(branches);
    branchesLayout->addWidget(minLimLabel, 0, 0);
    branchesLayout->addWidget(minLim_, 0, 1);
    branchesLayout->addWidget(maxLimLabel, 1, 0);
    branchesLayout->addWidget(maxLim_, 1, 1);
    branchesLayout->setColumnStretch(2, 1);

    auto* layout = new QVBoxLayout(page);
    layout->addWidget(fonts);
    layout->addWidget(branches);
    layout->addStretch();
    return page;
}

void TOptionsForm::ShowScale()
{
    minFont_->setText(percentText(working_.MinFontScale));
    maxFont_->setText(percentText(working_.MaxFontScale));
    minLim_->setText(percentText(working_.MinLimScale));
    maxLim_->setCurrentIndex(nearestZoomStep(working_.MaxLimScale));
}

bool TOptionsForm::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress && (watched == minFont_ || watched == maxFont_ || watched == minLim_)) {
        // Typed characters: digits and the decimal separator only; Backspace, Enter and the
        // keys that type nothing (arrows, Delete, shortcuts) pass.
        const auto* key = static_cast<QKeyEvent*>(event);
        const QString text = key->text();
        if (text.size() == 1 && text[0].isPrint() && !text[0].isDigit() && text[0] != u'.' && text[0] != u',')
            return true;
    }
    return QDialog::eventFilter(watched, event);
}

// ---- buttons -----------------------------------------------------------------------------

void TOptionsForm::LoadProfile()
{
    const QStringList paths =
        FileDialogs::Open(this, {SchemesFolder(), kProfileFilter + QStringLiteral(";;") + kAllFilesFilter});
    if (paths.isEmpty())
        return;
    TColors2D loaded = edited_;
    try {
        ProfileFile::Read(paths.constFirst(), loaded);
    } catch (const Exception& e) {
        MessageBoxes::Error(this, e.Message());
        return;
    }
    edited_ = loaded;
    ShowProfile();
    ColorsEdited();
}

void TOptionsForm::SaveProfile()
{
    TSaveRequest request;
    request.Folder = SchemesFolder();
    request.Filters = QStringList{kProfileFilter, kAllFilesFilter};
    request.DefaultSuffix = QStringLiteral("cl");
    const TSaveAnswer answer = FileDialogs::Save(this, request);
    if (!answer.Accepted)
        return;
    try {
        ProfileFile::Write(answer.Path, edited_);
    } catch (const Exception& e) {
        MessageBoxes::Error(this, e.Message());
    }
}

void TOptionsForm::Reset()
{
    if (MessageBoxes::Ask(this, kResetQuestion, TMsgButtons::YesNo) != TMsgAnswer::Yes)
        return;
    const int page = pages_->currentIndex();
    const QString caption = pages_->tabText(page).remove(u'&');
    const TMsgAnswer what = MessageBoxes::Ask(this, kResetWhatQuestion.arg(caption), TMsgButtons::YesNo);
    if (what != TMsgAnswer::Yes && what != TMsgAnswer::No)
        return;
    const bool all = what == TMsgAnswer::Yes;
    if (all || page == pgGeneral) {
        working_.ResetDefaults(prgUnits);
        ShowGeneral();
    }
    if (all || page == pgScale) {
        working_.ResetDefaults(prgScale);
        ShowScale();
    }
    if (all || page == pgColors) {
        edited_.ResetDefaults();
        ShowProfile();
        ColorsEdited();
    }
}

void TOptionsForm::Refuse(const QString& text, QWidget* field)
{
    refusing_ = true;
    MessageBoxes::Show(this, {kApplicationTitle, text, TMsgIcon::Error, TMsgButtons::Ok});
    refusing_ = false;
    pages_->setCurrentIndex(pgScale);
    const auto select = [field] {
        field->setFocus();
        if (auto* edit = qobject_cast<QLineEdit*>(field))
            edit->selectAll();
    };
    // Now, and once more after the focus change that the message box set off.
    select();
    QTimer::singleShot(0, field, select);
}

void TOptionsForm::accept()
{
    // A font size still being typed counts; a refused one keeps the dialog open.
    const QString typedSize = fontSize_->currentText().trimmed();
    FontSizeTyped();
    if (typedSize != fontSize_->currentText().trimmed())
        return;

    const ScaleLimitsCheck check = CheckScaleLimits(minFont_->text(), maxFont_->text(), minLim_->text(),
                                                    ZoomSteps::kTable[size_t(std::max(0, maxLim_->currentIndex()))]);
    if (!check.ok()) {
        QWidget* field = nullptr;
        switch (check.field) {
        case TScaleLimitField::MaxFont: field = maxFont_; break;
        case TScaleLimitField::MinLim: field = minLim_; break;
        case TScaleLimitField::MaxLim: field = maxLim_; break;
        case TScaleLimitField::MinFont:
        case TScaleLimitField::None: field = minFont_; break;
        }
        Refuse(check.error, field);
        return;
    }
    working_.MinFontScale = check.MinFontScale;
    working_.MaxFontScale = check.MaxFontScale;
    working_.MinLimScale = check.MinLimScale;
    working_.MaxLimScale = check.MaxLimScale;
    working_.Units = pixels_->isChecked() ? ruPixels : ruCentimetres;
    working_.Line = mouseLine_->isChecked();
    working_.HintVisible = hint_->isChecked();
    working_.NumBranchesBottom = numbersSide_->currentIndex() == 0;

    if (!previewBox_->isChecked())
        colors_ = edited_;
    params_ = working_;
    QDialog::accept();
}

void TOptionsForm::reject()
{
    SetLive(restore_);
    QDialog::reject();
}

void TOptionsForm::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_F1 && help_) {
        help_(kOptionsFormHelpContext);
        return;
    }
    QDialog::keyPressEvent(event);
}

void TOptionsForm::done(int result)
{
    lastPage() = pages_->currentIndex();
    QDialog::done(result);
}
