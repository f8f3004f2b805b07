#include "ui/report/PrevForm.h"

#include "render/report/ReportPainter.h"
#include "ui/common/MessageBoxes.h"
#include "ui/report/ReportPrinting.h"

#include <QAction>
#include <QComboBox>
#include <QGuiApplication>
#include <QLabel>
#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QStyle>
#include <QToolBar>
#include <QVBoxLayout>

#include <exception>

namespace {

constexpr int kFitWidthIndex = 7;
constexpr int kFitPageIndex = 8;
constexpr int kInitialZoomIndex = 4;  // "100%"

}  // namespace

const QStringList& TPrevForm::ZoomTexts()
{
    static const QStringList texts{QStringLiteral("10%"),  QStringLiteral("25%"),  QStringLiteral("50%"),
                                   QStringLiteral("75%"),  QStringLiteral("100%"), QStringLiteral("150%"),
                                   QStringLiteral("200%"), QStringLiteral("По ширине страницы"),
                                   QStringLiteral("Страница целиком")};
    return texts;
}

TPrevForm::TPrevForm(TBuild build, TBusyCounter* busy, int copies, QWidget* parent)
    : QDialog(parent), build_(std::move(build)), busy_(busy), copies_(copies),
      printer_(std::make_unique<QPrinter>(QPrinter::HighResolution))
{
    setWindowTitle(QStringLiteral("Предварительный просмотр"));
    ReportPrinting::SetUpPrinter(*printer_);

    bar_ = new QToolBar(this);
    // Page steps show as arrows (their names as hints), the rest as words.
    const auto add = [this](const QString& text, auto slot, QStyle::StandardPixmap icon = QStyle::SP_CustomBase) {
        QAction* a = bar_->addAction(text);
        if (icon != QStyle::SP_CustomBase)
            a->setIcon(style()->standardIcon(icon));
        connect(a, &QAction::triggered, this, slot);
        return a;
    };
    add(QStringLiteral("Первая страница"), [this] { GoToPage(1); }, QStyle::SP_MediaSkipBackward);
    add(QStringLiteral("Предыдущая страница"), [this] { Step(-1); }, QStyle::SP_ArrowBack);
    pageList_ = new QComboBox(bar_);
    bar_->addWidget(pageList_);
    add(QStringLiteral("Следующая страница"), [this] { Step(1); }, QStyle::SP_ArrowForward);
    add(QStringLiteral("Последняя страница"), [this] { GoToPage(PageCount()); }, QStyle::SP_MediaSkipForward);
    pageLabel_ = new QLabel(bar_);
    bar_->addWidget(pageLabel_);
    bar_->addSeparator();
    zoomList_ = new QComboBox(bar_);
    zoomList_->addItems(ZoomTexts());
    bar_->addWidget(zoomList_);
    add(QStringLiteral("Увеличить"), [this] { preview_->zoomIn(); });
    add(QStringLiteral("Уменьшить"), [this] { preview_->zoomOut(); });
    bar_->addSeparator();
    add(QStringLiteral("Печать"), [this] { PrintWithDialog(); });

    preview_ = new QPrintPreviewWidget(printer_.get(), this);
    connect(preview_, &QPrintPreviewWidget::paintRequested, this, [this](QPrinter* printer) {
        QPainter painter(printer);
        ReportPainter::Paint(painter, *printer, pages_, 1);
    });
    connect(preview_, &QPrintPreviewWidget::previewChanged, this, [this] { UpdateNavigation(); });
    connect(pageList_, &QComboBox::activated, this, [this](int index) { GoToPage(index + 1); });
    connect(zoomList_, &QComboBox::activated, this, [this](int index) { ApplyZoom(index); });

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(bar_);
    layout->addWidget(preview_, 1);
    resize(900, 700);

    built_ = Rebuild(*printer_);
    zoomList_->setCurrentIndex(kInitialZoomIndex);
    ApplyZoom(kInitialZoomIndex);
}

TPrevForm::~TPrevForm() = default;

QAction* TPrevForm::FindAction(const QString& text) const
{
    for (QAction* a : bar_->actions())
        if (a->text() == text)
            return a;
    return nullptr;
}

bool TPrevForm::Rebuild(const QPrinter& printer)
{
    try {
        pages_ = ReportPrinting::BuildPages(build_, printer, busy_);
    } catch (const std::exception& e) {
        pages_.clear();
        TMessageRecord box;
        box.Caption = QGuiApplication::applicationDisplayName();
        box.Text = QString::fromUtf8(e.what());
        box.Icon = TMsgIcon::Error;
        MessageBoxes::Show(this, box);
        return false;
    }
    pageList_->clear();
    for (int i = 1; i <= PageCount(); ++i)
        pageList_->addItem(QString::number(i));
    preview_->updatePreview();
    UpdateNavigation();
    return true;
}

int TPrevForm::CurrentPage() const
{
    return preview_->currentPage();
}

void TPrevForm::GoToPage(int page)
{
    if (PageCount() == 0)
        return;
    preview_->setCurrentPage(std::clamp(page, 1, PageCount()));
    UpdateNavigation();
}

void TPrevForm::Step(int delta)
{
    GoToPage(CurrentPage() + delta);
}

void TPrevForm::ApplyZoom(int index)
{
    if (index == kFitWidthIndex) {
        preview_->fitToWidth();
    } else if (index == kFitPageIndex) {
        preview_->fitInView();
    } else if (index >= 0 && index < kFitWidthIndex) {
        preview_->setZoomMode(QPrintPreviewWidget::CustomZoom);
        preview_->setZoomFactor(ZoomTexts()[index].chopped(1).toDouble() / 100.0);
    }
}

void TPrevForm::UpdateNavigation()
{
    const int current = PageCount() > 0 ? CurrentPage() : 0;
    pageLabel_->setText(QStringLiteral("%1/%2").arg(current).arg(PageCount()));
    if (current >= 1 && current <= pageList_->count())
        pageList_->setCurrentIndex(current - 1);
    FindAction(QStringLiteral("Первая страница"))->setEnabled(current > 1);
    FindAction(QStringLiteral("Предыдущая страница"))->setEnabled(current > 1);
    FindAction(QStringLiteral("Следующая страница"))->setEnabled(current < PageCount());
    FindAction(QStringLiteral("Последняя страница"))->setEnabled(current < PageCount());
    FindAction(QStringLiteral("Печать"))->setEnabled(PageCount() > 0);
}

void TPrevForm::PrintWithDialog()
{
    QPrinter printer(QPrinter::HighResolution);
    ReportPrinting::SetUpPrinter(printer);
    printer.setCopyCount(copies_);
    QPrintDialog dialog(&printer, this);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    if (dialog.exec() != QDialog::Accepted)
        return;
    // The copies asked for in the dialog are painted here, collated, so that no driver
    // multiplies them once more.
    copies_ = std::max(1, printer.copyCount());
    printer.setCopyCount(1);
    ReportPrinting::RememberPrinter(printer);
    PrintTo(printer);
}

bool TPrevForm::PrintTo(QPrinter& printer)
{
    printer.setFullPage(true);
    // Another paper than the preview's: the report is laid out for it anew.
    if (ReportPainter::PaperOf(printer) != ReportPainter::PaperOf(*printer_)) {
        printer_->setPageLayout(printer.pageLayout());
        if (!Rebuild(printer))
            return false;
    }
    return ReportPrinting::Print(pages_, printer, copies_);
}
