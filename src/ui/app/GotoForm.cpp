#include "ui/app/GotoForm.h"

#include "core/model/Errors.h"
#include "ui/common/MessageBoxes.h"
#include "ui/common/TypedComboBox.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

#include <algorithm>

namespace {

GotoKind& lastKind()
{
    static GotoKind kind = GotoKind::Uzel;
    return kind;
}

void fillBox(QComboBox* box, const std::vector<GotoEntry>& entries, const QString& emptyText)
{
    box->clear();
    for (const GotoEntry& entry : entries)
        box->addItem(entry.text);
    box->lineEdit()->setPlaceholderText(entries.empty() ? emptyText : QString());
    box->setCurrentIndex(entries.empty() ? -1 : 0);
}

}  // namespace

GotoKind TGotoForm::LastKind() { return lastKind(); }
void TGotoForm::SetLastKind(GotoKind kind) { lastKind() = kind; }

TGotoForm::TGotoForm(const TMine& mine, QWidget* parent) : QDialog(parent), mine_(mine)
{
    setWindowTitle(QStringLiteral("Найти"));
    setObjectName(QStringLiteral("GotoForm"));

    kindBox_ = new QComboBox(this);
    for (int k = 0; k < kGotoKindCount; ++k)
        kindBox_->addItem(GotoKindCaption(GotoKind(k)));

    numberButton_ = new QRadioButton(QStringLiteral("&Номер"), this);
    commentButton_ = new QRadioButton(QStringLiteral("&Комментарий"), this);
    numberButton_->setChecked(true);
    numberBox_ = new QComboBox(this);
    commentBox_ = new QComboBox(this);
    for (QComboBox* box : {numberBox_, commentBox_}) {
        // What is typed is what is looked for: "12" finds device 12 or says there is none.
        TypedComboBox::Apply(box);
        box->setMinimumContentsLength(24);
    }

    auto* kindLabel = new QLabel(QStringLiteral("Найти ..."), this);
    kindLabel->setBuddy(kindBox_);
    auto* grid = new QGridLayout;
    grid->addWidget(kindLabel, 0, 0);
    grid->addWidget(kindBox_, 0, 1);
    grid->addWidget(numberButton_, 1, 0);
    grid->addWidget(numberBox_, 1, 1);
    grid->addWidget(commentButton_, 2, 0);
    grid->addWidget(commentBox_, 2, 1);
    grid->setColumnStretch(1, 1);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* ok = buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    buttons->addButton(QStringLiteral("Отмена"), QDialogButtonBox::RejectRole);
    ok->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &TGotoForm::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &TGotoForm::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(buttons);

    connect(kindBox_, &QComboBox::currentIndexChanged, this, [this] {
        FillLists();
        UpdateCriteria();
    });
    connect(numberButton_, &QRadioButton::toggled, this, &TGotoForm::UpdateCriteria);

    kindBox_->setCurrentIndex(int(LastKind()));
    FillLists();
    UpdateCriteria();
    numberBox_->setFocus();
}

GotoKind TGotoForm::Kind() const
{
    return GotoKind(std::clamp(kindBox_->currentIndex(), 0, kGotoKindCount - 1));
}

void TGotoForm::FillLists()
{
    const GotoKind kind = Kind();
    numbers_ = GotoNumberEntries(mine_, kind);
    fillBox(numberBox_, numbers_, GotoEmptyListText(kind));
    // Numbers are typed as digits; names and plan numbers are free text.
    if (GotoKindIsNumeric(kind))
        numberBox_->setValidator(
            new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), numberBox_));
    else
        numberBox_->setValidator(nullptr);

    comments_ = kind == GotoKind::Branch ? GotoCommentEntries(mine_) : std::vector<GotoEntry>{};
    fillBox(commentBox_, comments_, kGotoNoNamesText);
}

void TGotoForm::UpdateCriteria()
{
    const bool branches = Kind() == GotoKind::Branch;
    commentButton_->setEnabled(branches);
    if (!branches)
        numberButton_->setChecked(true);
    numberBox_->setEnabled(numberButton_->isChecked());
    commentBox_->setEnabled(branches && commentButton_->isChecked());
}

void TGotoForm::accept()
{
    try {
        const bool byComment = commentButton_->isChecked() && Kind() == GotoKind::Branch;
        object_ = byComment ? FindGotoEntry(comments_, commentBox_->currentText())
                            : FindGotoEntry(numbers_, numberBox_->currentText());
    } catch (const Exception& e) {
        object_ = nullptr;
        MessageBoxes::Error(this, e.Message());
        return;
    }
    SetLastKind(Kind());
    QDialog::accept();
}
