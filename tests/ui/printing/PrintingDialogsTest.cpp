// The schema's print dialog, the passport dialog and the legend dialog: sheet selection and
// its label, refusals, a print job into a PDF with no printer needed, the window's view left
// alone, a passport file loaded whole or not at all, and Cancel undoing the legend.

#include "ui/document/DocumentTestSupport.h"

#include "core/model/Mine.h"
#include "core/printing/PassportFile.h"
#include "ui/app/MainForm.h"
#include "ui/printing/LegendForm.h"
#include "ui/printing/PasportForm.h"
#include "ui/printing/PrintForm.h"
#include "ui/printing/SheetPreview.h"
#include "ui/printing/TitleBlockGrid.h"
#include "ui/schema2d/Shema2DForm.h"

#include <cmath>
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QPrinterInfo>
#include <QTest>
#include <QToolButton>

namespace {

class PrintingDialogs : public DocumentTest {
protected:
    // The file keeps no schema positions: they follow the coordinates, a metre a schema unit,
    // so this is 20 × 30 cm, a 2 × 2 grid of A4 sheets at 100 %.
    static void Tall(MineBuilder& mb)
    {
        mb.uzel(1, 0, 0);
        mb.uzel(2, 760, 1140);
        mb.firePipe(10, 1, 2);
    }

    TShema2DForm* Open()
    {
        main = std::make_unique<TMainForm>(config);
        doc = main->OpenPath(WriteMine(QStringLiteral("t.irv"), Tall));
        TShema2DForm* schema = main->OpenSchema();
        schema->resize(700, 500);
        Settle();
        return schema;
    }

    std::unique_ptr<TPrintForm> Form(TShema2DForm* schema)
    {
        TPrintSource source;
        source.Scene = schema->Scene();
        source.Drawing = schema->Drawing();
        source.Visible = schema->View().VisibleSchemaRect();
        auto form = std::make_unique<TPrintForm>(source, data, schema);
        form->ShowError = [this](const QString& text) { errors << text; };
        form->AskYesNo = [](const QString&) { return false; };
        form->ChooseOutput = [](QPrinter&) { return false; };
        return form;
    }

    std::unique_ptr<TMainForm> main;
    TChildForm* doc = nullptr;
    TPrintingData data;
    QStringList errors;
};

}  // namespace

TEST_F(PrintingDialogs, SheetSelectionCopiesAndTheLabel)
{
    TShema2DForm* schema = Open();
    ASSERT_TRUE(schema->Action(QStringLiteral("ActPrintShema")));
    EXPECT_EQ(schema->Action(QStringLiteral("ActPrintShema"))->shortcut(), QKeySequence(QStringLiteral("Ctrl+P")));
    ASSERT_TRUE(schema->Action(QStringLiteral("ActLegend")));
    auto form = Form(schema);
    ASSERT_TRUE(form->Layout());
    EXPECT_EQ(form->Layout()->Columns(), 2);
    EXPECT_EQ(form->Layout()->Rows(), 2);
    EXPECT_EQ(form->SheetsText(), QStringLiteral("4/4"));

    // A click on the second sheet of the picture deselects it.
    form->resize(900, 640);
    form->show();
    TSheetPreview* preview = form->Preview();
    QPoint second;
    for (int x = 0; x < preview->width() && second.isNull(); x += 4)
        for (int y = 0; y < preview->height() && second.isNull(); y += 4)
            if (preview->SheetAt(QPoint(x, y)) == 1)
                second = QPoint(x + 4, y + 4);
    ASSERT_FALSE(second.isNull());
    QTest::mouseClick(preview, Qt::LeftButton, {}, second);
    form->CopiesBox()->setValue(2);
    EXPECT_EQ(form->SheetsText(), QStringLiteral("6/8"));

    // No sheet chosen: nothing to print.
    form->SelectAll(false);
    EXPECT_FALSE(form->PrintButton()->isEnabled());
    form->SelectAll(true);
    EXPECT_TRUE(form->PrintButton()->isEnabled());

    // "Из списка" with A4 fits one sheet.
    form->FitBox()->setCurrentIndex(PaperIndexByShortName(QStringLiteral("A4")));
    form->FromListRadio()->setChecked(true);
    EXPECT_EQ(form->SheetsText(), QStringLiteral("2/2"));  // two copies of one sheet
    EXPECT_FALSE(form->ScaleEdit()->isEnabled());
}

TEST_F(PrintingDialogs, TitleBlockMovesInHalfCentimetreStepsAndAHugeScaleGreysThePreview)
{
    TShema2DForm* schema = Open();
    auto form = Form(schema);
    EXPECT_FALSE(form->StampButton()->isEnabled());
    form->LegendBox()->setChecked(true);
    ASSERT_TRUE(form->StampButton()->isEnabled());
    const double top = form->Layout()->StampTopCm();
    form->MoveStamp(kStampStepCm);
    EXPECT_DOUBLE_EQ(form->Layout()->StampTopCm(), top - 0.5);
    form->MoveStamp(-3 * kStampStepCm);
    EXPECT_DOUBLE_EQ(form->Layout()->StampTopCm(), top + 1);
    form->RestoreStamp();
    EXPECT_DOUBLE_EQ(form->Layout()->StampTopCm(), top);
    for (int i = 0; i < 210; ++i)
        form->MoveStamp(-kStampStepCm);  // stops at an offset of -100 cm
    // 100 cm down, or a little more: a block that would cross a sheet's bottom edge starts
    // the next sheet instead.
    const double low = form->Layout()->StampTopCm();
    const double sheet = form->Layout()->PrintableCm().height();
    EXPECT_GE(low, top + 100);
    EXPECT_LT(low, top + 100 + kTitleBlockHeightCm);
    EXPECT_EQ(std::floor(low / sheet + 1e-9), std::floor((low + kTitleBlockHeightCm - 0.02) / sheet));

    // Typing a scale far too large: no layout, nothing to print, the message on printing.
    form->ScaleEdit()->setText(QStringLiteral("900000"));
    emit form->ScaleEdit()->textEdited(form->ScaleEdit()->text());
    EXPECT_FALSE(form->Layout());
    EXPECT_FALSE(form->PrintButton()->isEnabled());
    EXPECT_FALSE(form->PrintNow());
    EXPECT_EQ(errors.last(), QStringLiteral("Слишком большой масштаб"));
}

TEST_F(PrintingDialogs, PrintsIntoAPdfAndLeavesTheWindowsViewAlone)
{
    TShema2DForm* schema = Open();
    const double scale = schema->View().Scale();
    const QPoint scroll = schema->View().ScrollPosition();
    auto form = Form(schema);
    const QString pdf = FilePath(QStringLiteral("s.pdf"));
    form->Printer().setOutputFormat(QPrinter::PdfFormat);
    form->Printer().setOutputFileName(pdf);
    form->SetSheetSelected(1, false);
    ASSERT_TRUE(form->PrintNow());
    QFile file(pdf);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    EXPECT_EQ(bytes.count("/Type /Page\n"), 3);
    EXPECT_TRUE(errors.isEmpty());
    EXPECT_EQ(schema->View().Scale(), scale);
    EXPECT_EQ(schema->View().ScrollPosition(), scroll);
}

TEST_F(PrintingDialogs, RefusalsPutTheFocusOnTheField)
{
    TShema2DForm* schema = Open();
    auto form = Form(schema);
    form->show();
    form->MarginEdit(0)->setText(QStringLiteral("19.5"));
    EXPECT_FALSE(form->PrintNow());
    ASSERT_EQ(errors.size(), 1);
    EXPECT_EQ(errors[0], QStringLiteral("Левое поле не должно превышать 19 см"));
    form->MarginEdit(0)->setText(QStringLiteral("1"));
    form->ScaleEdit()->setText(QStringLiteral("много"));
    EXPECT_FALSE(form->PrintNow());
    EXPECT_EQ(errors.size(), 1);  // not a number: only the focus
    form->ScaleEdit()->setText(QStringLiteral("0"));
    EXPECT_FALSE(form->PrintNow());
    EXPECT_EQ(errors.last(), QStringLiteral("Слишком маленький масштаб"));
    // With no printer and no file chosen, nothing is printed and nothing says "no printer".
    form->ScaleEdit()->setText(QStringLiteral("100"));
    errors.clear();
    if (QPrinterInfo::availablePrinters().isEmpty()) {
        EXPECT_FALSE(form->PrintNow());
        EXPECT_TRUE(errors.isEmpty());
    }
}

TEST_F(PrintingDialogs, LegendCancelUndoesAndTheViewModeShowsOnlyOk)
{
    TLegendSymbols symbols;
    {
        TLegendForm form(symbols, TLegendForm::TMode::Edit, nullptr, 0);
        form.Box(siGate)->click();
        form.AllButton()->click();
        form.Box(siPump)->click();
        form.reject();
    }
    EXPECT_TRUE(symbols.Current()[siPump].Print);
    {
        TLegendForm form(symbols, TLegendForm::TMode::Edit, nullptr, 0);
        form.Box(siPump)->click();
        form.accept();
    }
    EXPECT_FALSE(symbols.Current()[siPump].Print);

    TLegendForm view(symbols, TLegendForm::TMode::View, nullptr, 0);
    view.resize(300, 400);
    view.show();
    EXPECT_FALSE(view.CancelButton()->isVisible());
    EXPECT_FALSE(view.AutoButton()->isVisible());
    EXPECT_EQ(view.OkButton()->x(), (view.width() - view.OkButton()->width()) / 2);
}

TEST_F(PrintingDialogs, PassportLoadsWholeOrNotAtAllAndCommitsOnOk)
{
    TPrintingData printing;
    TPasport saved;
    saved.Name.Lines = QStringList{QStringLiteral("Шахта Южная")};
    saved.Shapka.Cells[46] = QStringLiteral("две\r\nстроки");
    const QString good = FilePath(QStringLiteral("good.txt"));
    PassportFile::Write(good, TPassportFileContent::From(saved, DefaultSymbols()));
    QByteArray broken = PassportFile::Encode(TPassportFileContent::From(saved, DefaultSymbols()));
    broken.truncate(broken.size() - 40);
    const QString bad = FilePath(QStringLiteral("bad.txt"));
    {
        QFile f(bad);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(broken);
    }

    TFormPasport form(printing, nullptr, 0);
    form.ShowError = [this](const QString& text) { errors << text; };
    form.ChiefEdit()->setText(QStringLiteral("Сидоров"));
    EXPECT_FALSE(form.LoadFrom(bad));
    EXPECT_EQ(errors, QStringList{QStringLiteral("Произошла ошибка при чтении из файла")});
    EXPECT_EQ(form.ChiefEdit()->text(), QStringLiteral("Сидоров"));  // nothing of the broken file
    EXPECT_TRUE(form.TitleMemo()->toPlainText().isEmpty());

    ASSERT_TRUE(form.LoadFrom(good));
    EXPECT_EQ(form.TitleMemo()->toPlainText(), QStringLiteral("Шахта Южная"));
    EXPECT_EQ(form.Grid(2)->item(0, 0)->text(), QStringLiteral("две\nстроки"));
    EXPECT_TRUE(printing.Passport.Name.Lines.isEmpty());  // only OK writes the passport

    // The seam is stored only under a printed heading.
    form.SeamBox()->setChecked(true);
    form.TitleBox()->setChecked(false);
    form.accept();
    EXPECT_EQ(printing.Passport.Name.Lines, QStringList{QStringLiteral("Шахта Южная")});
    EXPECT_EQ(printing.Passport.Shapka.Cells[46], QStringLiteral("две\r\nстроки"));
    EXPECT_FALSE(printing.Passport.Name.Seam.Enabled);

    // "..." on a cell of table 2 edits it over several lines.
    TTitleBlockGrid* table2 = form.Grid(1);
    table2->AskText = [](QString& text) {
        text = QStringLiteral("первая\r\nвторая");
        return true;
    };
    EXPECT_FALSE(table2->EllipsisButton()->isVisibleTo(table2));
    table2->setCurrentCell(1, 0);
    EXPECT_TRUE(table2->EllipsisButton()->isVisibleTo(table2));
    table2->EllipsisButton()->click();
    EXPECT_EQ(form.Working().Shapka.Cells[45], QStringLiteral("первая\r\nвторая"));
    EXPECT_EQ(table2->item(1, 0)->text(), QStringLiteral("первая\nвторая"));

    // Header cells cannot be selected; unchecking "Шапка" greys the tables.
    TFormPasport again(printing, nullptr, 0);
    EXPECT_FALSE(again.Grid(0)->item(2, 0)->flags() & Qt::ItemIsSelectable);
    EXPECT_EQ(again.Grid(0)->item(2, 1)->text(), QStringLiteral("Фамилия"));
    again.StampBox()->setChecked(false);
    EXPECT_EQ(again.Grid(1)->item(0, 0)->background().color(), QColor(216, 216, 216));
    again.reject();
}
