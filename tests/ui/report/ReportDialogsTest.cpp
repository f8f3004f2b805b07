#include "../document/DocumentTestSupport.h"
#include "../support/Pictures.h"

#include "ui/app/MainForm.h"
#include "ui/report/PrevForm.h"
#include "ui/report/PrintDevicesForm.h"
#include "ui/report/PrintTablesForm.h"
#include "ui/report/ReportPrinting.h"

#include <QAction>
#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QSpinBox>
#include <QPrintPreviewWidget>
#include <QGuiApplication>

#include <stdexcept>

namespace {

class ReportDialogs : public DocumentTest {
protected:
    ReportDialogs() { TPrintTablesForm::Remembered() = TTablesReportOptions(); }
    ~ReportDialogs() override { TPrintTablesForm::Remembered() = TTablesReportOptions(); }

    std::unique_ptr<TChildForm> LineDocument()
    {
        auto form = NewForm();
        EXPECT_TRUE(form->OpenFile(WriteMine(QStringLiteral("line.irv"), Line)));
        return form;
    }

    static int PdfPages(const QString& path)
    {
        QFile f(path);
        if (!f.open(QIODevice::ReadOnly))
            return -1;
        return int(f.readAll().count("/Type /Page\n"));
    }
};

TReportContent Pages(int rows)
{
    TReportContent content;
    TReportTable table;
    table.Title = QStringLiteral("Таблица");
    table.Columns = {{QStringLiteral("Узел"), TReportAlign::Left, true, 3}};
    for (int i = 0; i < rows; ++i)
        table.Rows.push_back({QString::number(i)});
    content.Tables.push_back(table);
    return content;
}

}  // namespace

TEST_F(ReportDialogs, TablesDialogOffersThePartsChoicesAndKeepsThemForTheRun)
{
    auto doc = LineDocument();
    {
        TPrintTablesForm form(*doc);
        EXPECT_EQ(form.windowTitle(), QStringLiteral("Печать"));
        EXPECT_EQ(form.ResultChoice()->buttons().size(), 6);
        EXPECT_EQ(form.ResultChoice()->button(2)->text(), QStringLiteral("В конце, в начале и в потребителях"));
        EXPECT_EQ(form.ResultGroup()->title(), QStringLiteral("Участки трубопровода "));
        EXPECT_FALSE(form.ResultGroup()->isEnabled());  // the document has no results
        EXPECT_FALSE(form.WashersBox()->isEnabled());
        EXPECT_TRUE(form.PageNumbersBox()->isChecked());
        EXPECT_EQ(form.PreviewButton()->text(), QStringLiteral("П&росмотр"));
        EXPECT_EQ(form.PrinterButton()->text(), QStringLiteral("Прин&тер..."));
        EXPECT_EQ(form.CopiesBox()->minimum(), 1);

        form.show();
        Pictures::Take(&form, QStringLiteral("print-tables-dialog"));
        EXPECT_EQ(Pictures::FieldsOutside(&form), "");

        // Nothing chosen: nothing to preview or print.
        form.UzelChoice()->button(TTablesReportOptions::NoRows)->setChecked(true);
        form.BranchChoice()->button(TTablesReportOptions::NoRows)->setChecked(true);
        form.TitleBox()->setChecked(false);
        EXPECT_FALSE(form.PrintButton()->isEnabled());
        EXPECT_FALSE(form.PreviewButton()->isEnabled());
        EXPECT_TRUE(form.BuildContent().Empty());
        form.BranchChoice()->button(TTablesReportOptions::Selected)->setChecked(true);
        EXPECT_TRUE(form.PrintButton()->isEnabled());
        form.CopiesBox()->setValue(3);
        form.reject();
        // Cancel keeps nothing; a build keeps what was chosen.
        EXPECT_EQ(TPrintTablesForm::Remembered().Branches, TTablesReportOptions::Full);
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(FilePath(QStringLiteral("selected.pdf")));
        form.RunPrint(&printer);  // no branch is selected: nothing to print, no file
        EXPECT_FALSE(QFile::exists(FilePath(QStringLiteral("selected.pdf"))));
        EXPECT_EQ(messages.LastText(), QStringLiteral("Нечего печатать"));
    }
    TPrintTablesForm again(*doc);
    EXPECT_EQ(again.BranchChoice()->checkedId(), TTablesReportOptions::Selected);
    EXPECT_EQ(again.UzelChoice()->checkedId(), TTablesReportOptions::NoRows);
    EXPECT_FALSE(again.TitleBox()->isChecked());
    EXPECT_EQ(again.CopiesBox()->value(), 3);
}

TEST_F(ReportDialogs, PrintGoesToAPdfWithEveryCopy)
{
    auto doc = LineDocument();
    TPrintTablesForm form(*doc);
    form.CopiesBox()->setValue(2);
    const QString pdf = FilePath(QStringLiteral("tables.pdf"));
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdf);
    ASSERT_TRUE(form.RunPrint(&printer));
    // Title page, node table, branch table, twice.
    EXPECT_EQ(PdfPages(pdf), 6);
}

TEST_F(ReportDialogs, WithoutAnInstalledPrinterPrintingAsksForAPdfFileAndNeverSaysNoPrinter)
{
    if (!QPrinterInfo::availablePrinters().isEmpty())
        GTEST_SKIP() << "this machine has a printer";
    auto doc = LineDocument();
    ScriptedSaveDialog save;
    save.path = FilePath(QStringLiteral("chosen.pdf"));
    TPrintTablesForm form(*doc);
    ASSERT_TRUE(form.RunPrint());
    EXPECT_EQ(PdfPages(save.path), 3);
    for (const TMessageRecord& shown : messages.shown)
        EXPECT_FALSE(shown.Text.contains(QStringLiteral("принтер"), Qt::CaseInsensitive)) << shown.Text.toStdString();

    save.path.clear();  // cancelled: no job
    EXPECT_FALSE(form.RunPrint());
}

TEST_F(ReportDialogs, WhileTheReportIsBuiltTheDocumentCannotCloseButTheProgramRuns)
{
    auto doc = LineDocument();
    doc->show();
    bool timerRan = false;
    bool closedMeanwhile = true;
    QTimer::singleShot(0, doc.get(), [&] {
        timerRan = true;
        closedMeanwhile = doc->close();
    });
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    const auto pages = ReportPrinting::BuildPages([] { return Pages(200); }, printer, &doc->Busy());
    EXPECT_FALSE(pages.empty());
    EXPECT_TRUE(timerRan);
    EXPECT_FALSE(closedMeanwhile);
    EXPECT_FALSE(doc->Busy().Busy());
}

TEST_F(ReportDialogs, PreviewNavigatesItsPagesAndZooms)
{
    TPrevForm preview([] { return Pages(150); }, nullptr, 1);
    ASSERT_TRUE(preview.Built());
    EXPECT_EQ(preview.windowTitle(), QStringLiteral("Предварительный просмотр"));
    const int count = preview.PageCount();
    ASSERT_GE(count, 3);
    preview.show();
    Settle();
    EXPECT_EQ(preview.PageLabel()->text(), QStringLiteral("1/%1").arg(count));
    EXPECT_EQ(preview.PageList()->count(), count);
    EXPECT_EQ(preview.ZoomList()->currentText(), QStringLiteral("100%"));
    EXPECT_EQ(preview.ZoomList()->count(), 9);
    EXPECT_FALSE(preview.FindAction(QStringLiteral("Предыдущая страница"))->isEnabled());

    preview.FindAction(QStringLiteral("Следующая страница"))->trigger();
    EXPECT_EQ(preview.PageLabel()->text(), QStringLiteral("2/%1").arg(count));
    preview.FindAction(QStringLiteral("Последняя страница"))->trigger();
    EXPECT_EQ(preview.PageLabel()->text(), QStringLiteral("%1/%1").arg(count));
    EXPECT_EQ(preview.PageList()->currentText(), QString::number(count));
    EXPECT_FALSE(preview.FindAction(QStringLiteral("Следующая страница"))->isEnabled());
    preview.FindAction(QStringLiteral("Первая страница"))->trigger();
    EXPECT_EQ(preview.CurrentPage(), 1);
    ASSERT_NE(preview.FindAction(QStringLiteral("Увеличить")), nullptr);
    ASSERT_NE(preview.FindAction(QStringLiteral("Печать")), nullptr);

    preview.ZoomList()->activated(7);  // "По ширине страницы"
    const QImage picture = Pictures::Take(&preview, QStringLiteral("report-preview"));
    EXPECT_GT(Pictures::InkPixels(picture, Pictures::AreaOf(preview.Preview(), &preview, picture)), 500);

    const QString pdf = FilePath(QStringLiteral("preview.pdf"));
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdf);
    ASSERT_TRUE(preview.PrintTo(printer));
    EXPECT_EQ(PdfPages(pdf), count);

    // A smaller paper chosen for printing: the report is laid out anew for it.
    printer.setPageSize(QPageSize(QPageSize::A5));
    ASSERT_TRUE(preview.PrintTo(printer));
    EXPECT_GT(PdfPages(pdf), count);
    EXPECT_EQ(PdfPages(pdf), preview.PageCount());
}

TEST_F(ReportDialogs, AFailingBuildIsShownWithTheProgramTitleAndThePreviewHasNothing)
{
    TPrevForm preview([]() -> TReportContent { throw std::runtime_error("сбой построения"); }, nullptr, 1);
    EXPECT_FALSE(preview.Built());
    ASSERT_FALSE(messages.shown.empty());
    EXPECT_EQ(messages.shown.back().Text, QStringLiteral("сбой построения"));
    EXPECT_EQ(messages.shown.back().Caption, QGuiApplication::applicationDisplayName());
}

TEST_F(ReportDialogs, DevicesDialogPrintsTheWholeTableOrItsSelectedRows)
{
    MineBuilder b;
    b.uzel(1);
    b.uzel(2, 100);
    TBranch* br = b.firePipe(3, 1, 2);
    b.device(br, dkGate, 0.3, 1);
    b.device(br, dkGate, 0.6, 2);
    TDevicesReportInputs in;
    in.Mine = b.get();
    in.Devices = DevicesReport::FirePipeDevices(b.mine());
    TBusyCounter busy;
    TPrintDevicesForm form(in, &busy);
    EXPECT_TRUE(form.WholeTable()->isChecked());
    EXPECT_TRUE(form.TitleBox()->isChecked());
    EXPECT_EQ(form.SelectedRows()->text(), QStringLiteral("Выделенные строки"));
    form.show();
    Pictures::Take(&form, QStringLiteral("print-devices-dialog"));
    EXPECT_EQ(Pictures::FieldsOutside(&form), "");

    const QString pdf = FilePath(QStringLiteral("devices.pdf"));
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdf);
    ASSERT_TRUE(form.RunPrint(&printer));
    EXPECT_EQ(PdfPages(pdf), 2);

    // Selected rows, no title page, and nothing selected: no job, no file.
    TPrintDevicesForm second(in, &busy);
    second.SelectedRows()->setChecked(true);
    second.TitleBox()->setChecked(false);
    QFile::remove(pdf);
    EXPECT_FALSE(second.RunPrint(&printer));
    EXPECT_FALSE(QFile::exists(pdf));
    TPrintDevicesForm::Remembered() = TDevicesReportOptions();
}

TEST_F(ReportDialogs, MainWindowPrintCommandOpensTheTablesDialogForTheActiveDocument)
{
    TMainForm main(config);
    QAction* print = main.Action(QStringLiteral("actFilePrint"));
    ASSERT_NE(print, nullptr);
    EXPECT_EQ(print->text(), QStringLiteral("&Печать..."));
    EXPECT_EQ(print->shortcut(), QKeySequence(QStringLiteral("Ctrl+P")));
    ASSERT_NE(main.OpenPath(WriteMine(QStringLiteral("m.irv"), Line)), nullptr);
    main.UpdateActions();
    ASSERT_TRUE(print->isEnabled());
    QString opened;
    QTimer::singleShot(0, &main, [&] {
        if (auto* form = qobject_cast<TPrintTablesForm*>(QApplication::activeModalWidget())) {
            opened = form->windowTitle();
            form->reject();
        }
    });
    print->trigger();
    EXPECT_EQ(opened, QStringLiteral("Печать"));
}
