// The schema's picture export dialog and the text-block dialog: the sizes shown, refusals,
// the file written through the dialog, the window's view left alone, and text blocks made
// and edited through the dialog.

#include "ui/document/DocumentTestSupport.h"

#include "core/schema/TextBlockDraft.h"
#include "core/model/Mine.h"
#include "core/model/TextBlock2D.h"
#include "render/schema2d/SchemaRenderer.h"
#include "render/schema2d/SchemaScene.h"
#include "ui/app/MainForm.h"
#include "ui/schema2d/EditTextBlockForm.h"
#include "ui/schema2d/SaveBMPForm.h"
#include "ui/schema2d/SchemaExport.h"
#include "ui/schema2d/SchemaPanel.h"
#include "ui/schema2d/Shema2DForm.h"
#include "ui/support/Pictures.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QFileInfo>
#include <QPushButton>
#include <QImage>
#include <QLineEdit>
#include <QPainter>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QTimer>
#include <QTest>

namespace {

class ExportDialog : public DocumentTest {
protected:
    // 3000 m wide at 1:2000: larger than the window.
    static void Wide(MineBuilder& mb)
    {
        mb.uzel(1, 0, 0);
        mb.uzel(2, 1000, 0);
        mb.uzel(3, 3000, 0);
        mb.uzel(4, 3000, 1500);
        mb.firePipe(10, 1, 2);
        mb.firePipe(20, 2, 3);
        mb.firePipe(30, 3, 4);
    }

    TShema2DForm* Open()
    {
        main = std::make_unique<TMainForm>(config);
        doc = main->OpenPath(WriteMine(QStringLiteral("w.irv"), Wide));
        TShema2DForm* schema = main->OpenSchema();
        schema->resize(700, 500);
        Settle();
        return schema;
    }

    std::unique_ptr<TSaveBMPForm> Form(TShema2DForm* schema, const QString& name, TPictureFormat format)
    {
        return std::make_unique<TSaveBMPForm>(FilePath(name), format, *schema->Scene(),
                                              SchemaExport::RequestOf(schema->Drawing()),
                                              SchemaExport::VisibleOf(schema->View()), schema);
    }

    static QString Pixels(int n) { return QStringLiteral("%1 пикс").arg(n); }

    // Runs fn on the modal dialog of type T once it is open.
    template <typename T>
    static void WhenOpen(std::function<void(T*)> fn)
    {
        QTimer::singleShot(0, [fn] {
            auto* form = qobject_cast<T*>(QApplication::activeModalWidget());
            ASSERT_NE(form, nullptr);
            fn(form);
        });
    }

    std::unique_ptr<TMainForm> main;
    TChildForm* doc = nullptr;
};

TEST_F(ExportDialog, SizesOfWholeAndVisiblePartAndTheFileSizeEstimate)
{
    TShema2DForm* schema = Open();
    const QSize visible = schema->View().VisibleSize();
    auto bmp = Form(schema, QStringLiteral("a.bmp"), TPictureFormat::Bmp);
    EXPECT_EQ(bmp->windowTitle(), QStringLiteral("Экспорт схемы в Windows Bitmap"));
    EXPECT_EQ(bmp->ScaleBox()->count(), 9);
    EXPECT_EQ(bmp->ScaleBox()->itemText(0), QStringLiteral("600%"));
    EXPECT_EQ(bmp->ScaleBox()->currentText(), QStringLiteral("100%"));
    // The whole schema at 100 % is the drawing with its margins: larger than the window.
    const QSize whole = *bmp->PictureSize();
    EXPECT_GT(whole.width(), visible.width());
    EXPECT_EQ(bmp->WidthText(), Pixels(whole.width()));
    EXPECT_EQ(bmp->FileSizeText(), SaveBMPTexts::FileSizeText(whole, 8));

    bmp->findChild<QRadioButton*>(QStringLiteral("VisibleRadio"))->setChecked(true);
    bmp->ScaleBox()->setEditText(QStringLiteral("150 %"));
    EXPECT_EQ(bmp->WidthText(), Pixels(std::lround(visible.width() * 1.5)));
    EXPECT_EQ(bmp->HeightText(), Pixels(std::lround(visible.height() * 1.5)));
    bmp->findChild<QRadioButton*>(QStringLiteral("Bits24"))->setChecked(true);
    EXPECT_EQ(bmp->FileSizeText(), SaveBMPTexts::FileSizeText(*bmp->PictureSize(), 24));

    // height / 8 / 1024 × width × bits, Kb up to 1024, then Mb.
    EXPECT_EQ(SaveBMPTexts::FileSizeText(QSize(100, 80), 24), QStringLiteral("23.4 Kb"));
    EXPECT_EQ(SaveBMPTexts::FileSizeText(QSize(1024, 1024), 8), QStringLiteral("1024.0 Kb"));
    EXPECT_EQ(SaveBMPTexts::FileSizeText(QSize(2048, 1024), 8), QStringLiteral("2.0 Mb"));

    // JPEG shows the same picture as the bitmap (margins once); the metafile has no area box.
    auto jpeg = Form(schema, QStringLiteral("a.jpg"), TPictureFormat::Jpeg);
    EXPECT_EQ(*jpeg->PictureSize(), whole);
    auto emf = Form(schema, QStringLiteral("a.emf"), TPictureFormat::Emf);
    EXPECT_EQ(emf->findChild<QRadioButton*>(QStringLiteral("VisibleRadio")), nullptr);
    EXPECT_EQ(emf->windowTitle(), QStringLiteral("Экспорт схемы в Windows Metafile"));

    for (auto [form, name] : {std::pair{bmp.get(), "export_bmp"}, {jpeg.get(), "export_jpeg"}, {emf.get(), "export_emf"}}) {
        form->show();
        Settle();
        const QImage picture = Pictures::Take(form, QString::fromLatin1(name));
        EXPECT_EQ(Pictures::FieldsOutside(form), "") << name;
        EXPECT_GT(Pictures::InkPixels(picture, Pictures::AreaOf(form->ScaleBox(), form, picture)), 20) << name;
    }
}

TEST_F(ExportDialog, AnInvalidScaleIsRefusedAndAFailedWriteLeavesNoFile)
{
    TShema2DForm* schema = Open();
    auto form = Form(schema, QStringLiteral("a.bmp"), TPictureFormat::Bmp);
    for (const char* bad : {"0", "", "abc", "3001"}) {
        form->ScaleBox()->setEditText(QString::fromLatin1(bad));
        EXPECT_EQ(form->WidthText(), QStringLiteral("-")) << bad;
        EXPECT_EQ(form->HeightText(), QStringLiteral("-")) << bad;
        EXPECT_EQ(form->FileSizeText(), QStringLiteral("-")) << bad;
        messages.shown.clear();
        form->findChild<QPushButton*>(QStringLiteral("OkButton"))->setFocus();
        form->accept();
        ASSERT_EQ(messages.shown.size(), 1u) << bad;
        EXPECT_EQ(messages.shown[0].Caption, kApplicationTitle);
        EXPECT_EQ(messages.shown[0].Text, QStringLiteral("Задайте правильное значение масштаба"));
        EXPECT_NE(form->result(), QDialog::Accepted);
        EXPECT_EQ(form->focusWidget(), form->ScaleBox()) << bad;
    }
    EXPECT_FALSE(QFile::exists(FilePath(QStringLiteral("a.bmp"))));

    TSaveBMPForm broken(FilePath(QStringLiteral("no/such/folder/b.bmp")), TPictureFormat::Bmp, *schema->Scene(),
                        SchemaExport::RequestOf(schema->Drawing()), SchemaExport::VisibleOf(schema->View()), schema);
    broken.accept();
    EXPECT_TRUE(messages.LastText().startsWith(QStringLiteral("Ошибка при создании файла"))) << messages.LastText().toStdString();
    EXPECT_NE(broken.result(), QDialog::Accepted);
    EXPECT_FALSE(QFile::exists(FilePath(QStringLiteral("no/such/folder/b.bmp"))));
}

TEST_F(ExportDialog, TheCommandWritesTheDialogsPictureAndLeavesTheViewAlone)
{
    TShema2DForm* schema = Open();
    schema->SetScaleAboutCentre(2);
    schema->SetScrollPosition(QPoint(1500, 0));
    const double scale = schema->View().Scale();
    const QPoint scroll = schema->View().ScrollPosition();
    const QSize visible = schema->View().VisibleSize();
    ASSERT_NE(scroll, QPoint());

    // Shift+Ctrl+S is the export's alone.
    QAction* command = schema->Action(QStringLiteral("ActSavePicture"));
    ASSERT_NE(command, nullptr);
    EXPECT_EQ(command->text(), QStringLiteral("Экспорт..."));
    const QKeySequence key(QStringLiteral("Shift+Ctrl+S"));
    EXPECT_EQ(command->shortcut(), key);
    EXPECT_TRUE(schema->Action(QStringLiteral("ActColorStandard"))->shortcut().isEmpty());
    for (QAction* a : schema->findChildren<QAction*>())
        EXPECT_TRUE(a == command || a->shortcut() != key) << a->objectName().toStdString();

    ScriptedSaveDialog save;
    save.path = FilePath(QStringLiteral("part.BMP"));
    QSize shown;
    WhenOpen<TSaveBMPForm>([&](TSaveBMPForm* form) {
        form->findChild<QRadioButton*>(QStringLiteral("VisibleRadio"))->setChecked(true);
        form->ScaleBox()->setEditText(QStringLiteral("200%"));
        shown = *form->PictureSize();
        form->findChild<QPushButton*>(QStringLiteral("OkButton"))->click();
    });
    command->trigger();
    ASSERT_EQ(save.requests.size(), 1u);
    EXPECT_EQ(save.requests[0].Title, QStringLiteral("Экспорт технологической схемы в файл"));
    EXPECT_EQ(save.requests[0].Filters.size(), 6);
    EXPECT_EQ(save.requests[0].Filters.at(3), QStringLiteral("PNG (*.png)"));
    EXPECT_EQ(save.requests[0].Filters.at(4), QStringLiteral("SVG (*.svg)"));
    EXPECT_EQ(save.requests[0].DefaultSuffix, QStringLiteral("bmp"));

    const QImage written(save.path, "BMP");
    ASSERT_FALSE(written.isNull());
    EXPECT_EQ(shown, visible * 2);
    EXPECT_EQ(written.size(), shown);
    EXPECT_DOUBLE_EQ(schema->View().Scale(), scale);
    EXPECT_EQ(schema->View().ScrollPosition(), scroll);

    // At 100 % the visible part is what the window shows, pixel for pixel but for smoothing.
    save.path = FilePath(QStringLiteral("same.bmp"));
    WhenOpen<TSaveBMPForm>([&](TSaveBMPForm* form) {
        form->findChild<QRadioButton*>(QStringLiteral("VisibleRadio"))->setChecked(true);
        form->findChild<QRadioButton*>(QStringLiteral("Bits24"))->setChecked(true);
        form->accept();
    });
    command->trigger();
    const QImage same = QImage(save.path, "BMP").convertToFormat(QImage::Format_RGB32);
    // The window's own drawing of its panel, through its context.
    QImage screen(schema->Panel()->size(), QImage::Format_RGB32);
    {
        QPainter painter(&screen);
        SchemaRenderer::Render(painter, *schema->Scene(), schema->Context());
    }
    if (const QString dir = qEnvironmentVariable("IRVATA_SCREENSHOT_DIR"); !dir.isEmpty())
        same.save(dir + QStringLiteral("/export_visible_file.png"));
    ASSERT_EQ(same.size(), screen.size());
    ASSERT_GT(Pictures::InkPixels(same, same.rect()), 200) << "the part shows branches";
    // Where the ink lies: the same place in both, whatever the smoothing.
    const auto centre = [](const QImage& image) {
        const QRgb back = image.pixel(image.width() - 1, image.height() - 1);
        QPointF sum;
        int n = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (std::abs(qGray(image.pixel(x, y)) - qGray(back)) > 40) {
                    sum += QPointF(x, y);
                    ++n;
                }
        return n ? sum / n : QPointF();
    };
    const QPointF a = centre(same);
    const QPointF b = centre(screen);
    EXPECT_NEAR(a.x(), b.x(), 2);
    EXPECT_NEAR(a.y(), b.y(), 1);

    // The next save dialog opens in the folder chosen last. PNG is offered and written like
    // the others; an extension no format has is refused aloud and writes nothing.
    save.path = FilePath(QStringLiteral("x.png"));
    QSize png;
    WhenOpen<TSaveBMPForm>([&](TSaveBMPForm* form) {
        EXPECT_EQ(form->windowTitle(), QStringLiteral("Экспорт схемы в PNG"));
        EXPECT_NE(form->findChild<QRadioButton*>(QStringLiteral("VisibleRadio")), nullptr);
        png = *form->PictureSize();
        form->findChild<QPushButton*>(QStringLiteral("OkButton"))->click();
    });
    command->trigger();
    EXPECT_EQ(save.requests.back().Folder, QFileInfo(FilePath(QStringLiteral("part.BMP"))).absolutePath());
    EXPECT_EQ(QImage(save.path, "PNG").size(), png);

    messages.shown.clear();
    for (const char* name : {"x.tif", "x.bmp.txt", "noextension"}) {
        save.path = FilePath(QString::fromLatin1(name));
        command->trigger();
        EXPECT_EQ(messages.LastText(), QStringLiteral("Указано неизвестное расширение файла")) << name;
        EXPECT_FALSE(QFile::exists(save.path)) << name;
        EXPECT_EQ(QApplication::activeModalWidget(), nullptr) << name;
    }
    EXPECT_EQ(messages.shown.size(), 3u);
}

// Enter in the scale box is OK with the scale and size the dialog shows: at first 100 %,
// never an entry of the list (it once jumped to 600 % and wrote a picture 36 times as
// large); a typed number is that number, not the list's entry it begins.
TEST_F(ExportDialog, EnterInTheScaleBoxWritesThePictureShown)
{
    TShema2DForm* schema = Open();
    auto form = Form(schema, QStringLiteral("enter.bmp"), TPictureFormat::Bmp);
    form->show();
    Settle();
    EXPECT_EQ(form->ScaleBox()->currentText(), QStringLiteral("100%"));
    const QSize shown = *form->PictureSize();
    const QString width = form->WidthText();
    QTest::keyClick(form->ScaleBox()->lineEdit(), Qt::Key_Return);
    EXPECT_EQ(form->result(), QDialog::Accepted);
    EXPECT_EQ(form->ScaleBox()->currentText(), QStringLiteral("100%"));
    EXPECT_EQ(form->WidthText(), width);
    EXPECT_EQ(QImage(FilePath(QStringLiteral("enter.bmp")), "BMP").size(), shown);

    auto typed = Form(schema, QStringLiteral("typed.bmp"), TPictureFormat::Bmp);
    typed->show();
    Settle();
    QLineEdit* edit = typed->ScaleBox()->lineEdit();
    edit->selectAll();
    QTest::keyClicks(edit, QStringLiteral("1"));
    EXPECT_EQ(typed->ScaleBox()->currentText(), QStringLiteral("1")) << "nothing completed";
    QTest::keyClicks(edit, QStringLiteral("50"));
    const QSize shown150 = *typed->PictureSize();
    EXPECT_EQ(typed->ScaleBox()->currentText(), QStringLiteral("150"));
    QTest::keyClick(edit, Qt::Key_Enter);
    EXPECT_EQ(typed->result(), QDialog::Accepted);
    EXPECT_EQ(QImage(FilePath(QStringLiteral("typed.bmp")), "BMP").size(), shown150);
    EXPECT_NEAR(shown150.width(), shown.width() * 1.5, shown.width() * 0.1);
}

TEST_F(ExportDialog, TextBlockDialogWritesOnOkOnlyAndRefusesBadFields)
{
    TShema2DForm* schema = Open();
    TMine& mine = *doc->Mine();
    TTextBlock2D* block = TTextBlock2D::Create(&mine.TextBlocks, 10, 20, QStringLiteral("Старый"));

    TTextBlockDraft draft = TTextBlockDraft::Of(*block);
    {
        TEditTextBlockForm form(draft, schema);
        form.TextEdit()->setPlainText(QStringLiteral("Насосная\nстанция"));
        form.AngleEdit()->setText(QStringLiteral("-30,5"));
        form.SizeBox()->setEditText(QStringLiteral("12"));
        form.BoldBox()->setChecked(true);
        form.BackBox()->setChecked(true);
        form.reject();
    }
    EXPECT_EQ(draft.Text, QStringLiteral("Старый")) << "cancel keeps the block as it was";

    TEditTextBlockForm form(draft, schema);
    form.show();
    Settle();
    Pictures::Take(&form, QStringLiteral("text_block"));
    EXPECT_EQ(Pictures::FieldsOutside(&form), "");
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Текстовый блок"));
    form.TextEdit()->clear();
    form.accept();
    EXPECT_EQ(messages.LastText(), QStringLiteral("Введите текст блока"));
    EXPECT_EQ(messages.shown.back().Caption, kApplicationTitle);
    form.TextEdit()->setPlainText(QStringLiteral("Насосная\nстанция"));
    form.AngleEdit()->setText(QStringLiteral("-"));
    form.accept();
    EXPECT_EQ(messages.LastText(), QStringLiteral("Неправильно введен угол наклона"));
    EXPECT_EQ(form.focusWidget(), form.AngleEdit());
    EXPECT_NE(form.result(), QDialog::Accepted);

    // "Сброс" puts back the profile's size and no rotation.
    form.AngleEdit()->setText(QStringLiteral("45"));
    form.SizeBox()->setEditText(QStringLiteral("16"));
    form.Reset();
    EXPECT_EQ(form.AngleEdit()->text(), QStringLiteral("0.0"));
    EXPECT_EQ(form.SizeBox()->currentText(), QString::number(TTextBlock2DList::Defaults().Font.Size));

    form.AngleEdit()->setText(QStringLiteral("-30,5"));
    form.SizeBox()->setEditText(QStringLiteral("12"));
    form.BoldBox()->setChecked(true);
    form.BackBox()->setChecked(true);
    form.accept();
    EXPECT_EQ(form.result(), QDialog::Accepted);
    draft.ApplyTo(*block);
    EXPECT_EQ(block->Text(), QStringLiteral("Насосная\r\nстанция"));
    EXPECT_EQ(block->Lines().size(), 2);
    EXPECT_DOUBLE_EQ(block->Angle(), 329.5);
    EXPECT_EQ(block->Font().Size, 12);
    EXPECT_EQ(block->Font().Style, 1);
    EXPECT_FALSE(block->Transparent());
    EXPECT_EQ(block->Left(), 10);

    // Placed at the point, moved left and up to stay in the work area.
    const QRect area(0, 0, 1000, 800);
    EXPECT_EQ(TEditTextBlockForm::FittedPosition(QPoint(100, 50), QSize(300, 200), area), QPoint(100, 50));
    EXPECT_EQ(TEditTextBlockForm::FittedPosition(QPoint(900, 700), QSize(300, 200), area), QPoint(700, 600));
}

TEST_F(ExportDialog, TheTextBlockToolAddsABlockOnOkOnly)
{
    TShema2DForm* schema = Open();
    TMine& mine = *doc->Mine();
    doc->SetModified(false);
    schema->SetTool(TShema2DForm::TTool::TextBlock);
    EXPECT_TRUE(schema->Action(QStringLiteral("ActTextBlock"))->isChecked());

    WhenOpen<TEditTextBlockForm>([](TEditTextBlockForm* form) {
        form->TextEdit()->setPlainText(QStringLiteral("Отменён"));
        form->reject();
    });
    schema->Press(QPointF(50, 60), Qt::LeftButton, Qt::NoModifier);
    EXPECT_EQ(mine.TextBlocks.Count(), 0);
    EXPECT_FALSE(doc->IsModified());

    WhenOpen<TEditTextBlockForm>([](TEditTextBlockForm* form) {
        form->TextEdit()->setPlainText(QStringLiteral("Склад"));
        form->accept();
    });
    const QPointF at(120, 80);
    schema->Press(at, Qt::LeftButton, Qt::NoModifier);
    ASSERT_EQ(mine.TextBlocks.Count(), 1);
    const TTextBlock2D* block = mine.TextBlocks.Items(0);
    EXPECT_EQ(block->Text(), QStringLiteral("Склад"));
    const QPointF schemaAt = schema->View().ToSchema(at);
    EXPECT_EQ(block->Left(), std::lround(schemaAt.x()));
    EXPECT_EQ(block->Top(), std::lround(schemaAt.y()));
    EXPECT_TRUE(doc->IsModified());
}

}  // namespace
