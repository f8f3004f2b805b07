#include "ui/printing/PasportForm.h"

#include "core/model/Errors.h"
#include "ui/printing/LegendForm.h"
#include "ui/printing/TitleBlockGrid.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <cmath>

namespace {

const QString kFilter = QStringLiteral("Текстовые файлы (*.txt)");

// "Редактирование штампа": the text of one title-block cell, several lines allowed.
bool AskCellText(QWidget* parent, QString& text)
{
    QDialog dialog(parent);
    dialog.setWindowTitle(QStringLiteral("Редактирование штампа"));
    auto* layout = new QVBoxLayout(&dialog);
    auto* group = new QGroupBox(QStringLiteral(" Введите новый текст ячейки штампа "), &dialog);
    auto* memo = new QPlainTextEdit(group);
    memo->setPlainText(QString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    (new QVBoxLayout(group))->addWidget(memo);
    layout->addWidget(group);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    layout->addWidget(buttons);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    text = memo->toPlainText().replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    return true;
}

}  // namespace

TFormPasport::TFormPasport(TPrintingData& data, const TMine* mine, int pipeIndex, QWidget* parent)
    : QDialog(parent), data_(data), mine_(mine), pipeIndex_(pipeIndex), working_(data.Passport)
{
    setWindowTitle(QStringLiteral("Паспорт"));
    ShowError = [this](const QString& text) { QMessageBox::critical(this, windowTitle(), text); };
    BuildControls();
    TPassportFileContent content = TPassportFileContent::From(working_, data_.Legend.Current());
    // The box shows the seam as the user left it; the passport stores it only under a heading.
    Fill(content);
}

void TFormPasport::BuildControls()
{
    auto* top = new QHBoxLayout;
    auto* printGroup = new QGroupBox(QStringLiteral("Печатать"), this);
    auto* printLayout = new QVBoxLayout(printGroup);
    titleBox_ = new QCheckBox(QStringLiteral("Заголовок"), printGroup);
    legendBox_ = new QCheckBox(QStringLiteral("Усл. обознач."), printGroup);
    chooseLegend_ = new QPushButton(QStringLiteral("Выбрать..."), printGroup);
    signBox_ = new QCheckBox(QStringLiteral("Подпись"), printGroup);
    stampBox_ = new QCheckBox(QStringLiteral("Шапка"), printGroup);
    for (QWidget* w : std::initializer_list<QWidget*>{titleBox_, legendBox_, chooseLegend_, signBox_, stampBox_})
        printLayout->addWidget(w);
    top->addWidget(printGroup);

    headingGroup_ = new QGroupBox(QStringLiteral("Заголовок"), this);
    auto* heading = new QFormLayout(headingGroup_);
    titleMemo_ = new QPlainTextEdit(headingGroup_);
    titleMemo_->setFixedHeight(70);
    heading->addRow(QStringLiteral("Строки:"), titleMemo_);
    seamBox_ = new QCheckBox(QStringLiteral("Пласт"), headingGroup_);
    seam_ = new QLineEdit(headingGroup_);
    heading->addRow(seamBox_, seam_);
    period_ = new QLineEdit(headingGroup_);
    heading->addRow(QStringLiteral("Период:"), period_);
    top->addWidget(headingGroup_, 1);

    signGroup_ = new QGroupBox(QStringLiteral("Подпись"), this);
    auto* sign = new QFormLayout(signGroup_);
    chief_ = new QLineEdit(signGroup_);
    safety_ = new QLineEdit(signGroup_);
    sign->addRow(QStringLiteral("Главный инженер:"), chief_);
    sign->addRow(QStringLiteral("Начальник ВТБ:"), safety_);
    top->addWidget(signGroup_, 1);

    // The four grids sit where the printed block has them.
    stampGroup_ = new QGroupBox(QStringLiteral("Шапка"), this);
    auto* frame = new QWidget(stampGroup_);
    const double ppcm = std::round(logicalDpiX() / 2.54);
    for (int t = 0; t < TitleBlockLayout::kTableCount; ++t) {
        grids_[size_t(t)] = new TTitleBlockGrid(t, working_.Shapka.Cells, ppcm, frame);
        grids_[size_t(t)]->AskText = [this](QString& text) { return AskCellText(this, text); };
    }
    grids_[0]->move(1, 1);
    grids_[1]->move(grids_[0]->x() + grids_[0]->GridSize().width(), 1);
    grids_[2]->move(grids_[1]->x(), grids_[0]->y() + 95);
    grids_[3]->move(grids_[2]->x() + grids_[2]->ColumnWidth(0) + 1, grids_[2]->y() + grids_[2]->rowHeight(0) + 1);
    grids_[3]->raise();
    const QRect all = grids_[0]->geometry().united(grids_[2]->geometry()).united(grids_[1]->geometry());
    frame->setFixedSize(all.right() + 2, all.bottom() + 2);
    (new QVBoxLayout(stampGroup_))->addWidget(frame);

    auto* buttons = new QHBoxLayout;
    auto* save = new QPushButton(QStringLiteral("&Сохранить"), this);
    auto* load = new QPushButton(QStringLiteral("&Загрузить"), this);
    auto* clear = new QPushButton(QStringLiteral("О&чистить"), this);
    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    auto* cancel = new QPushButton(QStringLiteral("Отмена"), this);
    ok->setDefault(true);
    for (QPushButton* b : {save, load, clear})
        buttons->addWidget(b);
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(stampGroup_);
    layout->addLayout(buttons);

    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(clear, &QPushButton::clicked, this, &TFormPasport::ClearAll);
    connect(save, &QPushButton::clicked, this, [this] {
        QFileDialog dialog(this, QStringLiteral("Сохранить паспорт"), QString(), kFilter);
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setDefaultSuffix(QStringLiteral("txt"));
        if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty())
            SaveTo(dialog.selectedFiles().first());
    });
    connect(load, &QPushButton::clicked, this, [this] {
        const QString path = QFileDialog::getOpenFileName(this, QStringLiteral("Открыть паспорт"), QString(), kFilter);
        if (!path.isEmpty())
            LoadFrom(path);
    });
    connect(chooseLegend_, &QPushButton::clicked, this, [this] {
        TLegendForm legend(data_.Legend, TLegendForm::TMode::Edit, mine_, pipeIndex_, this);
        legend.exec();
    });
    for (QCheckBox* box : {titleBox_, legendBox_, signBox_, stampBox_})
        connect(box, &QCheckBox::toggled, this, &TFormPasport::SyncEnabled);
}

void TFormPasport::SyncEnabled()
{
    headingGroup_->setEnabled(titleBox_->isChecked());
    chooseLegend_->setEnabled(legendBox_->isChecked());
    signGroup_->setEnabled(signBox_->isChecked());
    for (TTitleBlockGrid* grid : grids_)
        grid->Refresh(stampBox_->isChecked());
}

TPassportFileContent TFormPasport::Collect() const
{
    TPassportFileContent c;
    c.PrintTitle = titleBox_->isChecked();
    const QString memo = titleMemo_->toPlainText();
    c.TitleLines = memo.isEmpty() ? QStringList() : memo.split(QLatin1Char('\n'));
    c.Period = period_->text();
    c.SeamChecked = seamBox_->isChecked();
    c.Seam = seam_->text();
    c.PrintLegend = legendBox_->isChecked();
    for (const TSymbol& s : data_.Legend.Current())
        c.LegendFlags.push_back(s.Print);
    c.PrintSignatures = signBox_->isChecked();
    c.ChiefEngineer = chief_->text();
    c.HeadOfSafety = safety_->text();
    c.PrintStamp = stampBox_->isChecked();
    c.Cells = working_.Shapka.Cells;
    return c;
}

void TFormPasport::Fill(const TPassportFileContent& c)
{
    titleBox_->setChecked(c.PrintTitle);
    titleMemo_->setPlainText(c.TitleLines.join(QLatin1Char('\n')));
    period_->setText(c.Period);
    seamBox_->setChecked(c.SeamChecked);
    seam_->setText(c.Seam);
    legendBox_->setChecked(c.PrintLegend);
    for (size_t i = 0; i < c.LegendFlags.size() && i < size_t(kSymbolCount); ++i)
        data_.Legend.CurrentForEdit()[i].Print = c.LegendFlags[i];
    signBox_->setChecked(c.PrintSignatures);
    chief_->setText(c.ChiefEngineer);
    safety_->setText(c.HeadOfSafety);
    stampBox_->setChecked(c.PrintStamp);
    working_.Shapka.Cells = c.Cells;
    SyncEnabled();
}

bool TFormPasport::LoadFrom(const QString& path)
{
    try {
        // Read whole first: a broken file leaves the dialog as it was.
        Fill(PassportFile::Read(path));
        return true;
    } catch (const Exception& e) {
        ShowError(e.Message());
        return false;
    }
}

bool TFormPasport::SaveTo(const QString& path)
{
    try {
        PassportFile::Write(path, Collect());
        return true;
    } catch (const Exception& e) {
        ShowError(e.Message());
        return false;
    }
}

void TFormPasport::ClearAll()
{
    titleMemo_->clear();
    seam_->clear();
    period_->clear();
    chief_->clear();
    safety_->clear();
    working_.Shapka.Cells = {};
    SetAllPrinted(data_.Legend.CurrentForEdit());
    SyncEnabled();
}

void TFormPasport::accept()
{
    TSymbolTable scratch = data_.Legend.Current();
    Collect().ApplyTo(working_, scratch);
    data_.Passport = working_;
    QDialog::accept();
}
