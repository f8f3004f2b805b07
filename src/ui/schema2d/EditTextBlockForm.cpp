#include "ui/schema2d/EditTextBlockForm.h"

#include "core/file/Cp1251.h"
#include "core/settings/Config.h"
#include "render/schema2d/ProfileLook.h"
#include "ui/app/WinColor.h"
#include "ui/common/MessageBoxes.h"
#include "ui/schema2d/ColorButton.h"
#include "ui/common/TypedComboBox.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QScreen>
#include <QVBoxLayout>

#include <algorithm>

namespace {

enum TStyleBit { sbBold = 1, sbItalic = 2, sbUnderline = 4 };

void SetBit(int& set, int bit, bool on) { set = on ? (set | bit) : (set & ~bit); }

}  // namespace

TEditTextBlockForm::TEditTextBlockForm(TTextBlockDraft& draft, QWidget* parent)
    : QDialog(parent), draft_(draft), edited_(draft)
{
    setObjectName(QStringLiteral("EditTextBlockForm"));
    setWindowTitle(QStringLiteral("Текстовый блок"));
    setModal(true);

    text_ = new QPlainTextEdit(this);
    text_->setObjectName(QStringLiteral("TextEdit"));
    text_->setTabChangesFocus(true);
    text_->setMinimumSize(260, 90);
    angle_ = new QLineEdit(this);
    angle_->setObjectName(QStringLiteral("AngleEdit"));
    // Digits, the minus and either decimal separator; the value is checked on OK.
    angle_->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[-0-9.,]*")), angle_));
    angle_->setMaximumWidth(70);

    auto* colours = new QGroupBox(QStringLiteral(" Цвета "), this);
    backColor_ = new TColorButton(colours);
    frameColor_ = new TColorButton(colours);
    back_ = new QCheckBox(QStringLiteral("Фон"), colours);
    frame_ = new QCheckBox(QStringLiteral("Рамка"), colours);
    auto* c = new QGridLayout(colours);
    c->addWidget(backColor_, 0, 0);
    c->addWidget(back_, 0, 1);
    c->addWidget(frameColor_, 1, 0);
    c->addWidget(frame_, 1, 1);

    auto* font = new QGroupBox(QStringLiteral(" Шрифт "), this);
    fontColor_ = new TColorButton(font);
    size_ = new QComboBox(font);
    size_->setObjectName(QStringLiteral("SizeBox"));
    TypedComboBox::Apply(size_);
    for (int n = TextBlockEdit::kMinFontSize; n <= TextBlockEdit::kMaxFontSize; ++n)
        size_->addItem(QString::number(n));
    auto* style = new QGroupBox(QStringLiteral(" Стиль "), font);
    bold_ = new QCheckBox(QStringLiteral("&Полужирный"), style);
    italic_ = new QCheckBox(QStringLiteral("&Курсив"), style);
    underline_ = new QCheckBox(QStringLiteral("Под&черкнутый"), style);
    auto* s = new QVBoxLayout(style);
    for (QCheckBox* b : {bold_, italic_, underline_})
        s->addWidget(b);
    auto* f = new QGridLayout(font);
    f->addWidget(fontColor_, 0, 0);
    f->addWidget(new QLabel(QStringLiteral("Размер"), font), 0, 1);
    f->addWidget(size_, 0, 2);
    f->addWidget(style, 1, 0, 1, 3);

    auto* reset = new QPushButton(QStringLiteral("&Сброс"), this);
    auto* ok = new QPushButton(QStringLiteral("&ОК"), this);
    auto* cancel = new QPushButton(QStringLiteral("О&тмена"), this);
    for (QPushButton* b : {reset, ok, cancel})
        b->setAutoDefault(false);
    ok->setDefault(true);
    connect(reset, &QPushButton::clicked, this, &TEditTextBlockForm::Reset);
    connect(ok, &QPushButton::clicked, this, &TEditTextBlockForm::accept);
    connect(cancel, &QPushButton::clicked, this, &TEditTextBlockForm::reject);

    // The colour buttons and boxes write the draft at once; the other fields on OK.
    connect(backColor_, &TColorButton::Picked, this, [this](const QColor& c) { edited_.BackColor = int(FromQColor(c)); });
    connect(frameColor_, &TColorButton::Picked, this, [this](const QColor& c) { edited_.FrameColor = int(FromQColor(c)); });
    connect(fontColor_, &TColorButton::Picked, this, [this](const QColor& c) { edited_.Font.Color = int(FromQColor(c)); });
    connect(back_, &QCheckBox::toggled, this, [this](bool on) { edited_.Transparent = !on; });
    connect(frame_, &QCheckBox::toggled, this, [this](bool on) { edited_.NoFrame = !on; });

    auto* angleRow = new QHBoxLayout;
    angleRow->addWidget(new QLabel(QStringLiteral("Угол °"), this));
    angleRow->addWidget(angle_);
    angleRow->addStretch();
    auto* boxes = new QHBoxLayout;
    boxes->addWidget(colours);
    boxes->addWidget(font);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(reset);
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Текст"), this));
    layout->addWidget(text_);
    layout->addLayout(angleRow);
    layout->addLayout(boxes);
    layout->addLayout(buttons);

    ShowDraft();
    text_->setFocus();
}

void TEditTextBlockForm::ShowDraft()
{
    QString text = edited_.Text;
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text_->setPlainText(text);
    angle_->setText(TextBlockEdit::AngleText(edited_.Angle));
    backColor_->SetColor(ProfileColor(TColor(edited_.BackColor)));
    frameColor_->SetColor(ProfileColor(TColor(edited_.FrameColor)));
    fontColor_->SetColor(ProfileColor(TColor(edited_.Font.Color)));
    back_->setChecked(!edited_.Transparent);
    frame_->setChecked(!edited_.NoFrame);
    size_->setCurrentText(QString::number(edited_.Font.Size));
    bold_->setChecked(edited_.Font.Style & sbBold);
    italic_->setChecked(edited_.Font.Style & sbItalic);
    underline_->setChecked(edited_.Font.Style & sbUnderline);
}

void TEditTextBlockForm::Reset()
{
    TextBlockEdit::Reset(edited_);
    angle_->setText(TextBlockEdit::AngleText(edited_.Angle));
    size_->setCurrentText(QString::number(edited_.Font.Size));
}

void TEditTextBlockForm::accept()
{
    const auto refuse = [this](const QString& text, QWidget* field) {
        MessageBoxes::Show(this, {kApplicationTitle, text, TMsgIcon::Warning, TMsgButtons::Ok});
        field->setFocus();
    };
    const QString text = text_->toPlainText();
    if (text.isEmpty())
        return refuse(TextBlockTexts::kNoText, text_);
    if (const QString unstorable = Cp1251Refusal(text); !unstorable.isEmpty())
        return refuse(unstorable, text_);
    const std::optional<double> angle = TextBlockEdit::ParseAngle(angle_->text());
    if (!angle)
        return refuse(TextBlockTexts::kBadAngle, angle_);
    edited_.Angle = *angle;
    SetBit(edited_.Font.Style, sbBold, bold_->isChecked());
    SetBit(edited_.Font.Style, sbItalic, italic_->isChecked());
    SetBit(edited_.Font.Style, sbUnderline, underline_->isChecked());
    edited_.Font.Size = TextBlockEdit::ParseFontSize(size_->currentText()).value_or(edited_.Font.Size);
    // The block keeps CR LF line breaks.
    QString stored = text;
    stored.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    edited_.Text = stored;
    draft_ = edited_;
    QDialog::accept();
}

QPoint TEditTextBlockForm::FittedPosition(QPoint point, QSize size, const QRect& workArea)
{
    QPoint at = point;
    if (at.x() + size.width() > workArea.right() + 1)
        at.setX(workArea.right() + 1 - size.width());
    if (at.y() + size.height() > workArea.bottom() + 1)
        at.setY(workArea.bottom() + 1 - size.height());
    return QPoint(std::max(at.x(), workArea.left()), std::max(at.y(), workArea.top()));
}

bool TEditTextBlockForm::Run(QPoint screenPoint)
{
    adjustSize();
    const QScreen* screen = QGuiApplication::screenAt(screenPoint);
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    if (screen)
        move(FittedPosition(screenPoint, frameGeometry().size(), screen->availableGeometry()));
    return exec() == QDialog::Accepted;
}
