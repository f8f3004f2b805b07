#include "ui/printing/PrintForm.h"

#include "core/model/Mine.h"
#include "core/printing/AutoLegend.h"
#include "render/print/LegendColumn.h"
#include "render/schema2d/PressureColouring.h"
#include "render/schema2d/SchemaScene.h"
#include "render/schema2d/ZoomSteps.h"
#include "ui/printing/PasportForm.h"
#include "ui/printing/SheetPreview.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinterInfo>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QToolButton>
#include <QVBoxLayout>

#include <cmath>

namespace {

QString OneDecimal(double v) { return QString::number(v, 'f', 1); }

// A page layout's lengths in centimetres.
double ToCm(double value, QPageLayout::Unit unit)
{
    switch (unit) {
    case QPageLayout::Millimeter: return value / 10;
    case QPageLayout::Point: return value * 2.54 / 72;
    case QPageLayout::Inch: return value * 2.54;
    case QPageLayout::Pica: return value * 2.54 / 6;
    case QPageLayout::Didot: return value * 0.0376;
    case QPageLayout::Cicero: return value * 0.4512;
    }
    return value;
}

// The margin that reaches just past a non-printable band: up to the next millimetre.
double PastBand(double cm) { return (std::floor(cm * 10) + 1) / 10; }

bool NoPrinterInstalled() { return QPrinterInfo::availablePrinters().isEmpty(); }

}  // namespace

TPrintForm::TPrintForm(const TPrintSource& source, TPrintingData& data, QWidget* parent)
    : QDialog(parent), source_(source), data_(data), printer_(std::make_unique<QPrinter>(QPrinter::HighResolution))
{
    setWindowTitle(QStringLiteral("Печать технологической схемы"));
    ShowError = [this](const QString& text) { QMessageBox::critical(this, windowTitle(), text); };
    AskYesNo = [this](const QString& text) {
        return QMessageBox::question(this, windowTitle(), text, QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
    };
    ChooseOutput = [this](QPrinter& printer) {
        QPrintDialog dialog(&printer, this);
        return dialog.exec() == QDialog::Accepted;
    };
    printer_->setFullPage(true);
    // Without a printer the job goes to a PDF file.
    if (NoPrinterInstalled())
        printer_->setOutputFormat(QPrinter::PdfFormat);
    if (source_.Scene)
        AutoLegend::Fill(data_.Legend.CurrentForEdit(), source_.Scene->Mine(), source_.Drawing.Show.PipeIndex);
    BuildControls();
    ReadPrinter();
    ComputeExtent();
    Relayout();
}

TPrintForm::~TPrintForm() = default;

TPaperUnits TPrintForm::Units() const
{
    return TPaperUnits::ForDpi(printer_->resolution(), printer_->resolution());
}

void TPrintForm::BuildControls()
{
    auto* left = new QVBoxLayout;

    auto* partBox = new QGroupBox(QStringLiteral("Печатать"), this);
    auto* partLayout = new QVBoxLayout(partBox);
    partGroup_ = new QButtonGroup(this);
    int id = 0;
    for (const char* text : {"Вся схема", "Видимая часть схемы", "Выделенные объекты схемы"}) {
        auto* radio = new QRadioButton(QString::fromUtf8(text), partBox);
        partGroup_->addButton(radio, id++);
        partLayout->addWidget(radio);
    }
    partGroup_->button(0)->setChecked(true);
    partGroup_->button(2)->setEnabled(source_.Selection.has_value());
    connect(partGroup_, &QButtonGroup::idClicked, this, [this](int part) { SetPart(TPart(part)); });
    left->addWidget(partBox);

    auto* paperBox = new QGroupBox(QStringLiteral("Бумага"), this);
    auto* paperLayout = new QHBoxLayout(paperBox);
    paper_ = new QComboBox(paperBox);
    for (const TPaperFormat& p : PaperFormats())
        paper_->addItem(p.Name);
    paper_->setCurrentIndex(DefaultPaperIndex());
    auto* printerButton = new QPushButton(QStringLiteral("Прин&тер..."), paperBox);
    paperLayout->addWidget(paper_, 1);
    paperLayout->addWidget(printerButton);
    left->addWidget(paperBox);
    connect(paper_, &QComboBox::currentIndexChanged, this, [this] { Relayout(); });
    connect(printerButton, &QPushButton::clicked, this, [this] {
        QPrintDialog dialog(printer_.get(), this);
        if (dialog.exec() == QDialog::Accepted) {
            ReadPrinter();
            ComputeExtent();
            Relayout();
        }
    });

    auto* sizeBox = new QGroupBox(QStringLiteral("Размер"), this);
    auto* sizeLayout = new QGridLayout(sizeBox);
    manual_ = new QRadioButton(QStringLiteral("Задать самостоятельно"), sizeBox);
    fromList_ = new QRadioButton(QStringLiteral("Из списка"), sizeBox);
    manual_->setChecked(true);
    scale_ = new QLineEdit(OneDecimal(100), sizeBox);
    scale_->setObjectName(QStringLiteral("ScaleEdit"));
    reset_ = new QPushButton(QStringLiteral("Сброс"), sizeBox);
    fitPaper_ = new QComboBox(sizeBox);
    for (const TPaperFormat& p : PaperFormats())
        fitPaper_->addItem(p.Name);
    fitPaper_->setCurrentIndex(DefaultPaperIndex());
    width_ = new QLineEdit(sizeBox);
    height_ = new QLineEdit(sizeBox);
    width_->setReadOnly(true);
    height_->setReadOnly(true);
    sizeLayout->addWidget(manual_, 0, 0, 1, 2);
    sizeLayout->addWidget(new QLabel(QStringLiteral("Масштаб"), sizeBox), 1, 0);
    sizeLayout->addWidget(scale_, 1, 1);
    sizeLayout->addWidget(reset_, 1, 2);
    sizeLayout->addWidget(fromList_, 2, 0, 1, 2);
    sizeLayout->addWidget(fitPaper_, 3, 0, 1, 3);
    sizeLayout->addWidget(new QLabel(QStringLiteral("Длина"), sizeBox), 4, 0);
    sizeLayout->addWidget(width_, 4, 1);
    sizeLayout->addWidget(new QLabel(QStringLiteral("Высота"), sizeBox), 5, 0);
    sizeLayout->addWidget(height_, 5, 1);
    left->addWidget(sizeBox);
    const auto syncSize = [this] {
        const bool manual = manual_->isChecked();
        scale_->setEnabled(manual);
        reset_->setEnabled(manual);
        fitPaper_->setEnabled(!manual);
        Relayout();
    };
    connect(manual_, &QRadioButton::toggled, this, syncSize);
    connect(fitPaper_, &QComboBox::currentIndexChanged, this, [this] { Relayout(); });
    connect(scale_, &QLineEdit::textEdited, this, [this] { Relayout(); });
    connect(reset_, &QPushButton::clicked, this, &TPrintForm::ResetScale);
    syncSize();

    auto* marginBox = new QGroupBox(QStringLiteral("Поля, см"), this);
    auto* marginLayout = new QGridLayout(marginBox);
    int side = 0;
    for (const char* text : {"Левое", "Верхнее", "Правое", "Нижнее"}) {
        margins_[size_t(side)] = new QLineEdit(OneDecimal(1), marginBox);
        marginLayout->addWidget(new QLabel(QString::fromUtf8(text), marginBox), side / 2, (side % 2) * 2);
        marginLayout->addWidget(margins_[size_t(side)], side / 2, (side % 2) * 2 + 1);
        connect(margins_[size_t(side)], &QLineEdit::textEdited, this, [this] { Relayout(); });
        ++side;
    }
    pageNumbers_ = new QCheckBox(QStringLiteral("Номера страниц"), marginBox);
    pageNumbers_->setChecked(true);
    marginLayout->addWidget(pageNumbers_, 2, 0, 1, 4);
    connect(pageNumbers_, &QCheckBox::toggled, this, [this] { Relayout(); });
    left->addWidget(marginBox);

    auto* optionBox = new QGroupBox(QStringLiteral("Параметры"), this);
    auto* options = new QGridLayout(optionBox);
    copies_ = new QSpinBox(optionBox);
    copies_->setRange(1, 1000);
    cutLines_ = new QCheckBox(QStringLiteral("Линия обрезки"), optionBox);
    cutLines_->setChecked(true);
    legend_ = new QCheckBox(QStringLiteral(" Легенда"), optionBox);
    auto* passport = new QToolButton(optionBox);
    passport->setText(QStringLiteral("..."));
    blackWhite_ = new QCheckBox(QStringLiteral("Черно-белая печать"), optionBox);
    stampButton_ = new QPushButton(QStringLiteral("Смещение шапки"), optionBox);
    options->addWidget(new QLabel(QStringLiteral("Копии"), optionBox), 0, 0);
    options->addWidget(copies_, 0, 1);
    options->addWidget(cutLines_, 1, 0, 1, 2);
    options->addWidget(legend_, 2, 0);
    options->addWidget(passport, 2, 1);
    options->addWidget(blackWhite_, 3, 0, 1, 2);
    options->addWidget(stampButton_, 4, 0, 1, 2);
    left->addWidget(optionBox);
    connect(copies_, &QSpinBox::valueChanged, this, &TPrintForm::ShowCount);
    connect(legend_, &QCheckBox::toggled, this, [this] { Relayout(); });
    connect(passport, &QToolButton::clicked, this, [this] {
        TFormPasport form(data_, source_.Scene ? &source_.Scene->Mine() : nullptr, source_.Drawing.Show.PipeIndex, this);
        if (form.exec() == QDialog::Accepted) {
            ComputeExtent();
            Relayout();
        }
    });
    connect(stampButton_, &QPushButton::clicked, this, &TPrintForm::ShowStampPanel);

    auto* right = new QVBoxLayout;
    preview_ = new TSheetPreview(this);
    right->addWidget(preview_, 1);
    connect(preview_, &TSheetPreview::SelectionToggled, this, &TPrintForm::ShowCount);
    auto* previewButtons = new QHBoxLayout;
    auto* all = new QPushButton(QStringLiteral("Выделить все"), this);
    auto* none = new QPushButton(QStringLiteral("Очистить все"), this);
    auto* zoomIn = new QPushButton(QStringLiteral("Увеличить"), this);
    auto* zoomOut = new QPushButton(QStringLiteral("Уменьшить"), this);
    auto* fill = new QPushButton(QStringLiteral("Закраска"), this);
    for (QPushButton* b : {all, none, zoomIn, zoomOut, fill})
        previewButtons->addWidget(b);
    right->addLayout(previewButtons);
    connect(all, &QPushButton::clicked, this, [this] { SelectAll(true); });
    connect(none, &QPushButton::clicked, this, [this] { SelectAll(false); });
    connect(zoomIn, &QPushButton::clicked, this, [this] { preview_->SetZoom(std::min(4.0, ZoomSteps::ZoomIn(preview_->Zoom()))); });
    connect(zoomOut, &QPushButton::clicked, this, [this] { preview_->SetZoom(std::max(1.0, ZoomSteps::ZoomOut(preview_->Zoom()))); });
    connect(fill, &QPushButton::clicked, this, [this] {
        const QColor colour = QColorDialog::getColor(preview_->Fill(), this);
        if (colour.isValid())
            preview_->SetFill(colour);
    });
    auto* countRow = new QHBoxLayout;
    countRow->addWidget(new QLabel(QStringLiteral("Выделено/всего листов бумаги:"), this));
    count_ = new QLabel(this);
    count_->setObjectName(QStringLiteral("SheetCount"));
    countRow->addWidget(count_);
    countRow->addStretch();
    right->addLayout(countRow);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    print_ = new QPushButton(QStringLiteral("&Печать"), this);
    auto* cancel = new QPushButton(QStringLiteral("Отмена"), this);
    buttons->addWidget(print_);
    buttons->addWidget(cancel);
    right->addLayout(buttons);
    connect(print_, &QPushButton::clicked, this, [this] {
        if (PrintNow())
            accept();
    });
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left);
    layout->addLayout(right, 1);
    resize(900, 640);
}

void TPrintForm::ReadPrinter()
{
    const QPageLayout page = printer_->pageLayout();
    const QMarginsF m = page.minimumMargins();
    const auto cm = [&](double v) { return ToCm(v, page.units()); };
    unprintableCm_ = QMarginsF(cm(m.left()), cm(m.top()), cm(m.right()), cm(m.bottom()));
}

void TPrintForm::SetPart(TPart part)
{
    if (part == TPart::Selection && !source_.Selection)
        part = TPart::Whole;
    part_ = part;
    partGroup_->button(int(part))->setChecked(true);
    ComputeExtent();
    Relayout();
}

void TPrintForm::ComputeExtent()
{
    if (!source_.Scene)
        return;
    const TSchemaDrawing drawing = Drawing();
    extent_ = SchemaSheets::ExtentOf(*source_.Scene, drawing);
    const TLegendColumn legend(data_.Passport, data_.Legend.Current(), TLegendColumn::DiametersOf(source_.Scene->Mine()),
                               Units(), false, PressureColouring::Applies(drawing));
    legendHeightCm_ = legend.HeightCm();
    stampButton_->setEnabled(legend_->isChecked() && data_.Passport.Shapka.Enabled);
}

TSchemaDrawing TPrintForm::Drawing() const
{
    TSchemaDrawing drawing = source_.Drawing;
    if (part_ == TPart::Visible)
        drawing.Part = source_.Visible;
    else if (part_ == TPart::Selection)
        drawing.Part = source_.Selection;
    return drawing;
}

std::optional<double> TPrintForm::Number(QLineEdit* edit) const
{
    bool ok = false;
    const double v = QString(edit->text()).replace(QLatin1Char(','), QLatin1Char('.')).trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(v))
        return std::nullopt;
    return v;
}

TSheetLayoutInput TPrintForm::Input(double scale) const
{
    TSheetLayoutInput in;
    in.Paper = paper_->currentIndex();
    in.PrinterLandscape = printer_->pageLayout().orientation() == QPageLayout::Landscape;
    const std::array<double*, 4> sides{&in.Margins.Left, &in.Margins.Top, &in.Margins.Right, &in.Margins.Bottom};
    for (size_t i = 0; i < 4; ++i)
        *sides[i] = Number(margins_[i]).value_or(1);
    in.PageNumbers = pageNumbers_->isChecked();
    in.Scale = scale;
    in.Extent = extent_;
    in.Limits = SchemaSheets::FactorLimits(source_.Drawing.Limits);
    in.Legend = legend_->isChecked();
    in.LegendHasContent = data_.Passport.LegendColumnHasContent();
    in.LegendHeightCm = legendHeightCm_;
    in.Stamp = data_.Passport.Shapka.Enabled;
    in.StampOffsetCm = stampOffsets_[size_t(part_)];
    return in;
}

void TPrintForm::FitToList()
{
    const SheetLayout::TFitResult fit =
        SheetLayout::FitToPaper(Input(Number(scale_).value_or(100) / 100), fitPaper_->currentIndex());
    if (fit.Scale) {
        scale_->setText(OneDecimal(*fit.Scale * 100));
        return;
    }
    if (!fit.Refusal.isEmpty())
        ShowError(fit.Refusal);
}

void TPrintForm::Relayout(bool keepSelection)
{
    if (!print_)
        return;
    stampButton_->setEnabled(legend_->isChecked() && data_.Passport.Shapka.Enabled);
    if (fromList_->isChecked())
        FitToList();
    const std::optional<double> percent = Number(scale_);
    std::optional<TSheetLayout> candidate;
    if (percent && *percent > 0)
        candidate.emplace(Input(*percent / 100));
    if (!candidate || !SheetLayout::CheckScale(*candidate).isEmpty()) {
        // While typing: no sizes, the picture greyed.
        layout_.reset();
        width_->clear();
        height_->clear();
    } else {
        layout_ = std::move(candidate);
        width_->setText(QString::number(layout_->PrintedCm().width(), 'f', 2));
        height_->setText(QString::number(layout_->PrintedCm().height(), 'f', 2));
        if (!keepSelection || selected_.size() != size_t(layout_->SheetCount()))
            selected_.assign(size_t(layout_->SheetCount()), true);
    }
    preview_->SetLayout(layout_, &selected_);
    ShowCount();
}

QString TPrintForm::SheetsText() const
{
    return count_->text();
}

void TPrintForm::ShowCount()
{
    count_->setText(layout_ ? SheetLayout::SheetsLabel(selected_, copies_->value()) : QString());
    // Nothing chosen, nothing to print.
    const bool any = std::find(selected_.begin(), selected_.end(), true) != selected_.end();
    print_->setEnabled(layout_.has_value() && any);
}

void TPrintForm::ResetScale()
{
    scale_->setText(OneDecimal(100));
    Relayout();
}

void TPrintForm::SelectAll(bool on)
{
    std::fill(selected_.begin(), selected_.end(), on);
    preview_->update();
    ShowCount();
}

void TPrintForm::SetSheetSelected(int index, bool on)
{
    if (index < 0 || size_t(index) >= selected_.size())
        return;
    selected_[size_t(index)] = on;
    preview_->update();
    ShowCount();
}

void TPrintForm::MoveStamp(double stepCm)
{
    double& offset = stampOffsets_[size_t(part_)];
    if (offset + stepCm < kStampOffsetMinCm)
        return;
    offset += stepCm;
    Relayout(true);
}

void TPrintForm::RestoreStamp()
{
    stampOffsets_[size_t(part_)] = 0;
    Relayout(true);
}

void TPrintForm::ShowStampPanel()
{
    auto* panel = new QFrame(this, Qt::Popup);
    panel->setAttribute(Qt::WA_DeleteOnClose);
    panel->setFrameShape(QFrame::Box);
    auto* layout = new QGridLayout(panel);
    auto* up = new QPushButton(QStringLiteral("Вверх"), panel);
    auto* down = new QPushButton(QStringLiteral("Вниз"), panel);
    auto* restore = new QPushButton(QStringLiteral("Восстановить"), panel);
    auto* close = new QPushButton(QStringLiteral("Закрыть"), panel);
    auto* position = new QLineEdit(panel);
    layout->addWidget(up, 0, 0);
    layout->addWidget(down, 0, 1);
    layout->addWidget(new QLabel(QStringLiteral("Позиция, см"), panel), 1, 0);
    layout->addWidget(position, 1, 1);
    layout->addWidget(restore, 2, 0);
    layout->addWidget(close, 2, 1);
    const auto show = [this, position] {
        if (layout_)
            position->setText(OneDecimal(layout_->StampTopCm()));
    };
    const auto base = [this] { return layout_ ? layout_->StampBaseCm() : 0.0; };
    connect(up, &QPushButton::clicked, panel, [this, show] { MoveStamp(kStampStepCm); show(); });
    connect(down, &QPushButton::clicked, panel, [this, show] { MoveStamp(-kStampStepCm); show(); });
    connect(restore, &QPushButton::clicked, panel, [this, show] { RestoreStamp(); show(); });
    connect(close, &QPushButton::clicked, panel, &QWidget::close);
    connect(position, &QLineEdit::editingFinished, panel, [this, position, base, show] {
        const std::optional<double> typed = Number(position);
        if (typed) {
            if (const auto offset = SheetLayout::OffsetForPosition(base(), *typed)) {
                stampOffsets_[size_t(part_)] = *offset;
                Relayout(true);
            }
        }
        show();
    });
    show();
    panel->move(stampButton_->mapToGlobal(QPoint(0, stampButton_->height())));
    panel->show();
}

bool TPrintForm::PrintNow()
{
    const auto refuse = [this](QLineEdit* edit, const QString& text) {
        if (!text.isEmpty())
            ShowError(text);
        edit->setFocus();
        edit->selectAll();
        return false;
    };
    if (!Number(scale_))
        return refuse(scale_, QString());
    for (QLineEdit* edit : margins_)
        if (!Number(edit))
            return refuse(edit, QString());
    if (const QString text = SheetLayout::CheckScale(TSheetLayout(Input(*Number(scale_) / 100))); !text.isEmpty())
        return refuse(scale_, text);
    Relayout(true);
    if (!layout_)
        return false;
    if (const auto refusal = SheetLayout::CheckMargins(layout_->Input().Margins, layout_->SheetCm()))
        return refuse(margins_[size_t(refusal->Side)], refusal->Text);
    if (std::find(selected_.begin(), selected_.end(), true) == selected_.end())
        return false;

    // Margins inside the printer's non-printable band.
    const TMarginsCm& m = layout_->Input().Margins;
    const std::array<double, 4> margin{m.Left, m.Top, m.Right, m.Bottom};
    const std::array<double, 4> band{unprintableCm_.left(), unprintableCm_.top(), unprintableCm_.right(),
                                     unprintableCm_.bottom()};
    bool outside = false;
    for (size_t i = 0; i < 4; ++i)
        outside = outside || margin[i] < band[i];
    if (outside &&
        AskYesNo(QStringLiteral("Один или несколько полей лежат вне области печати.\r\nУвеличить ширину соответствующих полей?"))) {
        for (size_t i = 0; i < 4; ++i)
            if (margin[i] < band[i])
                margins_[i]->setText(OneDecimal(PastBand(band[i])));
        Relayout(true);
        return false;
    }

    if (NoPrinterInstalled() && printer_->outputFileName().isEmpty() && !(ChooseOutput && ChooseOutput(*printer_)))
        return false;

    TSheetJob job;
    job.Layout = layout_->Input();
    job.Selected = selected_;
    job.Copies = copies_->value();
    job.CutLines = cutLines_->isChecked();
    job.Passport = data_.Passport;
    job.Symbols = data_.Legend.Current();
    job.UnprintableCm = unprintableCm_;
    TSchemaDrawing drawing = Drawing();
    drawing.BlackWhite = blackWhite_->isChecked();

    QApplication::setOverrideCursor(Qt::WaitCursor);
    printer_->setDocName(QString::fromUtf8(SchemaSheets::kJobTitle));
    printer_->setCopyCount(1);
    const TSheetPainter sheets(*source_.Scene, drawing, job, Units());
    SchemaSheets::PreparePage(*printer_, sheets.Layout());
    QPainter painter;
    bool printed = false;
    if (painter.begin(printer_.get())) {
        printed = SchemaSheets::Print(painter, *printer_, sheets,
                                      [this] { return printer_->printerState() == QPrinter::Aborted; }) > 0;
        painter.end();
    }
    QApplication::restoreOverrideCursor();
    return printed;
}
