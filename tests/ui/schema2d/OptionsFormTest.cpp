#include "core/model/Branch.h"
#include "core/model/Mine.h"
#include "core/model/Uzel.h"
#include "core/settings/Config.h"
#include "core/settings/ProfileFile.h"
#include "core/settings/ScaleLimits.h"
#include "render/schema2d/ProfileLook.h"
#include "support/TempDir.h"
#include "ui/common/FileDialogs.h"
#include "ui/common/MessageBoxes.h"
#include "ui/schema2d/ColorButton.h"
#include "ui/schema2d/OptionsForm.h"
#include "ui/schema2d/SchemaPreview.h"
#include "ui/support/Pictures.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>

#include <deque>

namespace {

// Message boxes answered from a queue (then "Нет"/OK) and recorded.
class OptionsFormTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        TOptionsForm::ForgetPage();
        MessageBoxes::SetInterceptor([this](const TMessageRecord& m) {
            messages.push_back(m);
            if (answers.empty())
                return m.Buttons == TMsgButtons::Ok ? TMsgAnswer::Ok : TMsgAnswer::No;
            const TMsgAnswer a = answers.front();
            answers.pop_front();
            return a;
        });
    }
    void TearDown() override
    {
        MessageBoxes::SetInterceptor({});
        FileDialogs::SetOpenInterceptor({});
    }

    // Types the three limits and presses OK.
    void TryLimits(TOptionsForm& form, const QString& minFont, const QString& maxFont, const QString& minLim)
    {
        form.MinFontEdit()->setText(minFont);
        form.MaxFontEdit()->setText(maxFont);
        form.MinLimEdit()->setText(minLim);
        form.accept();
    }

    TParams2D params;
    TColors2D colors;
    std::vector<TMessageRecord> messages;
    std::deque<TMsgAnswer> answers;
};

}  // namespace

TEST_F(OptionsFormTest, PagesProfilesAndTheLastPageShown)
{
    {
        TOptionsForm form(params, colors);
        EXPECT_EQ(form.windowTitle(), QStringLiteral("Настройки"));
        ASSERT_EQ(form.Pages()->count(), 3);
        EXPECT_EQ(form.Pages()->tabText(1), QStringLiteral("Цвета и шрифты"));
        ASSERT_EQ(form.ElementList()->count(), kProfileCount);
        EXPECT_EQ(form.ElementList()->item(cpTextBlock)->text(), QStringLiteral("Текстовый блок"));

        const auto visibleTabs = [&] {
            QStringList tabs;
            for (int i = 0; i < form.ColorTabs()->count(); ++i)
                if (form.ColorTabs()->isTabVisible(i))
                    tabs << form.ColorTabs()->tabText(i);
            return tabs;
        };
        EXPECT_EQ(visibleTabs(), QStringList{QStringLiteral("Фон")});
        form.ElementList()->setCurrentRow(cpUzelNumber);
        EXPECT_EQ(visibleTabs(), (QStringList{QStringLiteral("Фон"), QStringLiteral("Границы"), QStringLiteral("Шрифт"),
                                              QStringLiteral("Фигура")}));
        EXPECT_TRUE(form.EllipseButton()->isChecked());
        EXPECT_TRUE(form.TransparentBackBox()->isHidden());
        form.ElementList()->setCurrentRow(cpTextBlock);
        EXPECT_FALSE(form.TransparentBackBox()->isHidden());
        EXPECT_TRUE(form.TransparentBackBox()->isChecked());

        form.Pages()->setCurrentIndex(TOptionsForm::pgScale);
        form.reject();
    }
    TOptionsForm again(params, colors);
    EXPECT_EQ(again.Pages()->currentIndex(), TOptionsForm::pgScale);
}

TEST_F(OptionsFormTest, NumbersAndResultsTakeOppositeSides)
{
    TOptionsForm form(params, colors);
    EXPECT_EQ(form.NumbersSideBox()->currentText(), QStringLiteral("внизу"));
    EXPECT_EQ(form.ResultsSideBox()->currentText(), QStringLiteral("вверху"));
    form.NumbersSideBox()->setCurrentIndex(1);
    EXPECT_EQ(form.ResultsSideBox()->currentText(), QStringLiteral("внизу"));
    form.ResultsSideBox()->setCurrentIndex(1);
    EXPECT_EQ(form.NumbersSideBox()->currentText(), QStringLiteral("внизу"));
    form.ResultsSideBox()->setCurrentIndex(0);
    form.PixelsButton()->setChecked(true);
    form.accept();
    EXPECT_EQ(form.result(), QDialog::Accepted);
    EXPECT_FALSE(params.NumBranchesBottom);
    EXPECT_EQ(params.Units, ruPixels);
}

TEST_F(OptionsFormTest, OkRefusesCrossedAndOutOfRangeLimits)
{
    const TParams2D before = params;
    TOptionsForm form(params, colors);
    form.show();
    QApplication::setActiveWindow(&form);
    form.MinLimEdit()->clear();
    QTest::keyClicks(form.MinLimEdit(), QStringLiteral("1x2,5%"));
    EXPECT_EQ(form.MinLimEdit()->text(), QStringLiteral("12,5")) << "only digits and the separator are typed";
    form.Pages()->setCurrentIndex(TOptionsForm::pgGeneral);

    TryLimits(form, QStringLiteral("150"), QStringLiteral("120"), QStringLiteral("80"));
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].Caption, kApplicationTitle);
    EXPECT_EQ(messages[0].Text, QStringLiteral("Неверное соотношение пределов"));
    EXPECT_EQ(form.Pages()->currentIndex(), TOptionsForm::pgScale);
    EXPECT_TRUE(form.MinFontEdit()->hasFocus());
    EXPECT_EQ(form.MinFontEdit()->selectedText(), QStringLiteral("150"));
    EXPECT_TRUE(form.isVisible()) << "the dialog stays open";

    TryLimits(form, QStringLiteral("4"), QStringLiteral("150"), QStringLiteral("80"));
    TryLimits(form, QStringLiteral("80"), QStringLiteral("3001"), QStringLiteral("80"));
    TryLimits(form, QStringLiteral("80"), QStringLiteral("150"), QStringLiteral("8o"));
    ASSERT_EQ(messages.size(), 4u);
    EXPECT_EQ(messages[1].Text, kScaleLimitRangeText);
    EXPECT_EQ(messages[2].Text, kScaleLimitRangeText);
    EXPECT_TRUE(form.MinLimEdit()->hasFocus()) << "the last refused field";
    EXPECT_EQ(messages[3].Text, QStringLiteral("Некорректное значение"));
    EXPECT_EQ(params, before);

    TryLimits(form, QStringLiteral("5"), QStringLiteral("3000"), QStringLiteral("50,5"));
    EXPECT_EQ(form.result(), QDialog::Accepted);
    EXPECT_DOUBLE_EQ(params.MinFontScale, 0.05);
    EXPECT_DOUBLE_EQ(params.MaxFontScale, 30.0);
    EXPECT_DOUBLE_EQ(params.MinLimScale, 0.505);
    EXPECT_DOUBLE_EQ(params.MaxLimScale, 1.5);
}

TEST_F(OptionsFormTest, PreviewWritesLiveColoursAndCancelGivesThemBack)
{
    const TColors2D before = colors;
    TOptionsForm form(params, colors);
    int repaints = 0;
    QObject::connect(&form, &TOptionsForm::LiveColorsChanged, [&] { ++repaints; });
    form.ElementList()->setCurrentRow(cpUzel);

    form.BackColorButton()->Pick(Qt::red);
    EXPECT_EQ(colors, before) << "without the preview the schema keeps its colours";
    form.PreviewBox()->setChecked(true);
    EXPECT_EQ(colors[cpUzel].BackColor, 0x0000FFu);
    form.BorderColorButton()->Pick(Qt::blue);
    EXPECT_EQ(colors[cpUzel].BorderColor, 0xFF0000u);
    EXPECT_EQ(repaints, 2);

    form.PreviewBox()->setChecked(false);
    EXPECT_EQ(colors, before);
    EXPECT_EQ(form.EditedColors()[cpUzel].BackColor, 0x0000FFu) << "the edits go on in the working copy";
    form.PreviewBox()->setChecked(true);
    form.reject();
    EXPECT_EQ(colors, before);
    EXPECT_EQ(repaints, 5);
}

TEST_F(OptionsFormTest, ResetNoResetsOnlyThePageShown)
{
    params.Units = ruPixels;
    params.MinFontScale = 0.5;
    colors[cpGrid].BackColor = 0x123456;
    TOptionsForm form(params, colors);
    form.Pages()->setCurrentIndex(TOptionsForm::pgScale);

    answers = {TMsgAnswer::Yes, TMsgAnswer::No};
    form.ResetButton()->click();
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[0].Caption, QStringLiteral("Подтверждение"));
    EXPECT_EQ(messages[0].Text, QStringLiteral("Установить настройки схемы по умолчанию?"));
    EXPECT_EQ(messages[1].Text,
              QStringLiteral("Сбрость все настройки (\"Да\") или только настройки \"Масштабирование\" (\"Нет\")"));
    EXPECT_EQ(form.MinFontEdit()->text(), QStringLiteral("80"));
    EXPECT_TRUE(form.PixelsButton()->isChecked());
    EXPECT_EQ(form.EditedColors()[cpGrid].BackColor, 0x123456u);

    form.Pages()->setCurrentIndex(TOptionsForm::pgColors);
    answers = {TMsgAnswer::Yes, TMsgAnswer::No};
    form.ResetButton()->click();
    EXPECT_EQ(form.EditedColors(), TColors2D());
    EXPECT_TRUE(form.PixelsButton()->isChecked());

    answers = {TMsgAnswer::Yes, TMsgAnswer::Yes};
    form.ResetButton()->click();
    EXPECT_TRUE(form.CentimetresButton()->isChecked());
}

TEST_F(OptionsFormTest, ProfileLoadTakesAWholeFileAndRefusesADamagedOne)
{
    TestTempDir dir;
    TColors2D saved;
    saved[cpBranch].BackColor = 0x00AA00;
    ProfileFile::Write(dir.file(QStringLiteral("good.cl")), saved);
    QFile damaged(dir.file(QStringLiteral("bad.cl")));
    ASSERT_TRUE(damaged.open(QIODevice::WriteOnly));
    damaged.write(QByteArray(30, '\x01'));  // ends inside the first group
    damaged.close();

    TOptionsForm form(params, colors);
    QString asked;
    QString file = damaged.fileName();
    FileDialogs::SetOpenInterceptor([&](const TOpenRequest& r) {
        asked = r.Filter;
        return QStringList{file};
    });
    form.LoadButton()->click();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_TRUE(messages[0].Text.contains(QStringLiteral("bad.cl"))) << messages[0].Text.toStdString();
    EXPECT_EQ(form.EditedColors(), colors);
    EXPECT_EQ(asked, QStringLiteral("Цветовые схемы \"Ирвата\" (*.cl);;Все файлы (*.*)"));

    file = dir.file(QStringLiteral("good.cl"));
    form.ElementList()->setCurrentRow(cpBranch);
    form.LoadButton()->click();
    EXPECT_EQ(form.EditedColors()[cpBranch].BackColor, 0x00AA00u);
    EXPECT_EQ(form.BackColorButton()->Color(), QColor(0, 0xAA, 0)) << "the page shows what was loaded";
}

TEST_F(OptionsFormTest, TypedFontSizeMustBeAWholeNumber)
{
    TOptionsForm form(params, colors);
    form.ElementList()->setCurrentRow(cpResult);
    form.FontSizeBox()->setEditText(QStringLiteral("7.5"));
    emit form.FontSizeBox()->lineEdit()->editingFinished();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].Text, QStringLiteral("Некорректное значение"));
    EXPECT_EQ(form.FontSizeBox()->currentText(), QStringLiteral("6"));
    form.FontSizeBox()->setEditText(QStringLiteral("11"));
    emit form.FontSizeBox()->lineEdit()->editingFinished();
    EXPECT_EQ(form.EditedColors()[cpResult].Font.Size, 11);
}

TEST_F(OptionsFormTest, ClickingTheSampleSelectsAndThePagesLookRight)
{
    colors[cpSchema].BackColor = 0xC0C0C0;
    TOptionsForm form(params, colors);
    form.show();
    TSchemaPreview* preview = form.Preview();
    TMine& mine = form.PreviewMine();
    ASSERT_EQ(mine.Uzels.Count(), 3);
    ASSERT_EQ(mine.Branches.Count(), 2);

    TUzel* middle = mine.Uzels.Items(1);
    EXPECT_EQ(QPointF(middle->SX(), middle->SY()), QPointF(150, 70));
    EXPECT_EQ(QPointF(middle->X(), middle->Y()), QPointF(150, 70)) << "coordinates agree with the schema";
    form.Pages()->setCurrentIndex(TOptionsForm::pgColors);
    preview->ClickAt(preview->WidgetPoint(QPointF(middle->SX(), middle->SY())));
    EXPECT_TRUE(middle->Selected());
    preview->ClickAt(preview->WidgetPoint(QPointF(81, 46)));  // on branch 1, halfway
    EXPECT_TRUE(mine.Branches.Items(0)->Selected());
    EXPECT_FALSE(middle->Selected());
    preview->ClickAt(QPointF(2, 2));
    EXPECT_EQ(mine.Selection.Count(), 0);

    const char* names[] = {"options-general", "options-colors", "options-scale"};
    for (int page = 0; page < 3; ++page) {
        form.Pages()->setCurrentIndex(page);
        const QImage picture = Pictures::Take(&form, QString::fromLatin1(names[page]));
        EXPECT_EQ(Pictures::FieldsOutside(&form), "") << names[page];
        if (page == TOptionsForm::pgColors) {
            const QRect area = Pictures::AreaOf(preview, &form, picture);
            EXPECT_EQ(picture.pixelColor(area.center() + QPoint(0, area.height() / 3)), QColor(0xC0, 0xC0, 0xC0))
                << "the sample is painted in the schema's back colour";
            EXPECT_GT(Pictures::InkPixels(picture, area), 100) << "the network is drawn";
        }
    }
    form.Pages()->setCurrentIndex(TOptionsForm::pgColors);
    form.ElementList()->setCurrentRow(cpTextBlock);
    form.ColorTabs()->setCurrentIndex(TOptionsForm::ctFont);
    preview->ClickAt(preview->WidgetPoint(QPointF(middle->SX(), middle->SY())));
    Pictures::Take(&form, QStringLiteral("options-font"));
    EXPECT_EQ(Pictures::FieldsOutside(&form), "") << "font page";
    form.ColorTabs()->setCurrentIndex(TOptionsForm::ctBack);
    Pictures::Take(&form, QStringLiteral("options-textblock-back"));
}

// A profile just saved is found by "Загрузить профиль": both dialogs open the same folder,
// "Schemes" in the program's data folder, which is made when it is missing.
TEST_F(OptionsFormTest, BothProfileDialogsOpenTheSchemesFolder)
{
    TestTempDir data;
    const QString schemes = QDir(data.path()).filePath(QStringLiteral("Schemes"));
    ASSERT_FALSE(QFileInfo::exists(schemes));
    TOptionsForm form(params, colors);
    form.SetDataFolder(data.path());
    QString savedIn, openedIn;
    FileDialogs::SetSaveInterceptor([&](const TSaveRequest& r) {
        savedIn = r.Folder;
        TSaveAnswer a;
        a.Accepted = true;
        a.Path = QDir(r.Folder).filePath(QStringLiteral("мой.cl"));
        return a;
    });
    FileDialogs::SetOpenInterceptor([&](const TOpenRequest& r) {
        openedIn = r.Folder;
        return QStringList{};
    });
    form.SaveButton()->click();
    form.LoadButton()->click();
    FileDialogs::SetSaveInterceptor({});
    EXPECT_EQ(QFileInfo(savedIn), QFileInfo(schemes));
    EXPECT_EQ(QFileInfo(openedIn), QFileInfo(schemes));
    EXPECT_TRUE(QFileInfo(schemes).isDir());
    EXPECT_TRUE(QFileInfo::exists(QDir(schemes).filePath(QStringLiteral("мой.cl"))));
}
