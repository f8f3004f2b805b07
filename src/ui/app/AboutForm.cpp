#include "ui/app/AboutForm.h"

#include "core/Version.h"
#include "core/file/AtomicFile.h"
#include "core/file/FileError.h"
#include "core/system/SystemFacts.h"
#include "ui/common/MessageBoxes.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

TAboutForm::TAboutForm(QWidget* parent, FactsSource facts)
    : QDialog(parent), facts_(facts ? std::move(facts) : FactsSource(&CollectSystemFacts))
{
    setWindowTitle(QStringLiteral("О программе "));
    setObjectName(QStringLiteral("AboutForm"));

    auto* icon = new QLabel(this);
    icon->setPixmap(QIcon::fromTheme(QStringLiteral("irvata"), windowIcon()).pixmap(48, 48));
    name_ = new QLabel(this);
    QFont nameFont = name_->font();
    nameFont.setBold(true);
    nameFont.setPointSizeF(nameFont.pointSizeF() * 1.3);
    name_->setFont(nameFont);
    auto* words = new QLabel(QStringLiteral("Пожарно-оросительный трубопровод и трубы шахты:\n"
                                            "таблицы, проверки, схемы и печать.\n"
                                            "© korvelab"),
                             this);

    auto* head = new QHBoxLayout;
    head->addWidget(icon, 0, Qt::AlignTop);
    auto* texts = new QVBoxLayout;
    texts->addWidget(name_);
    texts->addWidget(words);
    head->addLayout(texts, 1);

    report_ = new QPlainTextEdit(this);
    report_->setReadOnly(true);
    report_->setLineWrapMode(QPlainTextEdit::NoWrap);
    report_->setTabStopDistance(report_->fontMetrics().horizontalAdvance(QLatin1Char('x')) * 12);
    report_->setMinimumSize(520, 300);

    refresh_ = new QPushButton(QStringLiteral("Обновить"), this);
    save_ = new QPushButton(QStringLiteral("Сохранить"), this);
    auto* ok = new QPushButton(QStringLiteral("O&K"), this);
    ok->setDefault(true);
    connect(refresh_, &QPushButton::clicked, this, &TAboutForm::Refresh);
    connect(save_, &QPushButton::clicked, this, &TAboutForm::AskAndSave);
    connect(ok, &QPushButton::clicked, this, &TAboutForm::accept);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(refresh_);
    buttons->addWidget(save_);
    buttons->addStretch();
    buttons->addWidget(ok);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(head);
    layout->addWidget(report_, 1);
    layout->addLayout(buttons);

    Refresh();
}

void TAboutForm::Refresh()
{
    name_->setText(AboutNameLine(QString::fromLatin1(kIrvataVersion)));
    lines_ = BuildSystemReport(facts_());
    report_->setPlainText(lines_.join(QLatin1Char('\n')));
}

bool TAboutForm::SaveReport(const QString& path)
{
    try {
        WriteFileAtomically(path, ReportFileText(lines_));
        return true;
    } catch (const Exception& e) {
        MessageBoxes::Error(this, e.Message());
        return false;
    }
}

void TAboutForm::AskAndSave()
{
    QString path = QFileDialog::getSaveFileName(this, QString(), QString(), QStringLiteral("Текстовые файлы (*.txt)"));
    if (path.isEmpty())
        return;
    if (QFileInfo(path).suffix().isEmpty())
        path += QStringLiteral(".txt");
    SaveReport(path);
}
