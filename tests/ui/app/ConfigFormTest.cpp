#include "support/SettingsSandbox.h"
#include "ui/app/ConfigForm.h"
#include "ui/common/MessageBoxes.h"

#include "ui/support/Pictures.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>

namespace {

// Settings in a sandbox, message boxes answered and recorded.
class ConfigFormTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        TConfigForm::ForgetPlacement();
        MessageBoxes::SetInterceptor([this](const TMessageRecord& m) {
            messages.push_back(m);
            return answer;
        });
    }
    void TearDown() override { MessageBoxes::SetInterceptor({}); }

    QStringList texts() const
    {
        QStringList list;
        for (const TMessageRecord& m : messages)
            list << m.Text;
        return list;
    }

    SettingsSandbox sandbox;
    TConfig config{sandbox.places()};
    std::vector<TMessageRecord> messages;
    TMsgAnswer answer = TMsgAnswer::Ok;
};

}  // namespace

TEST_F(ConfigFormTest, PagesAndTexts)
{
    TConfigForm form(config);
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Настройка программы"));
    ASSERT_EQ(form.Pages()->count(), 3);
    EXPECT_EQ(form.Pages()->tabText(0), QStringLiteral("&Параметры"));
    EXPECT_EQ(form.Pages()->tabText(1), QStringLiteral("&Графика"));
    EXPECT_EQ(form.Pages()->tabText(2), QStringLiteral("&Цвета"));
    QStringList buttons;
    for (QPushButton* b : form.findChildren<QPushButton*>(Qt::FindDirectChildrenOnly))
        buttons << b->text();
    EXPECT_EQ(buttons, (QStringList{QStringLiteral("&ОК"), QStringLiteral("О&тмена"), QStringLiteral("&Справка")}));
    EXPECT_EQ(form.ElementList()->count(), 4);
    EXPECT_EQ(form.KoefREdit()->text(), QStringLiteral("1.05"));
    EXPECT_EQ(form.MaxDeltaPEdit()->text(), QStringLiteral("1"));
    EXPECT_EQ(form.SourcePathEdit()->text(), config.NewSourcePath);
}

TEST_F(ConfigFormTest, OkWithTheFieldStillFocusedRefusesOutOfRangeValues)
{
    TConfigForm form(config);
    form.show();
    form.MaxDeltaPEdit()->setFocus();
    form.MaxDeltaPEdit()->setText(QStringLiteral("20.5"));
    form.accept();
    EXPECT_FALSE(form.isHidden() == true && form.result() == QDialog::Accepted);
    EXPECT_EQ(form.result(), QDialog::Rejected) << "not accepted";
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].Caption, QStringLiteral("Ошибка"));
    EXPECT_EQ(messages[0].Text, QStringLiteral("Разница давлений должна лежать в пределах от 0 до 20 м.вод.ст."));
    EXPECT_DOUBLE_EQ(config.MaxDeltaP, 1.0) << "the settings are untouched";
    QApplication::processEvents();
    EXPECT_EQ(QApplication::focusWidget(), form.MaxDeltaPEdit());

    form.MaxDeltaPEdit()->setText(QStringLiteral("20"));
    form.KoefREdit()->setText(QStringLiteral("0.99"));
    form.accept();
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[1].Text, QStringLiteral("Коэффициент местных сопротивлений может принимать значения от 1 до 2"));
    EXPECT_EQ(form.result(), QDialog::Rejected);

    form.KoefREdit()->setText(QStringLiteral("2"));
    form.accept();
    EXPECT_EQ(form.result(), QDialog::Accepted);
    EXPECT_DOUBLE_EQ(config.MaxDeltaP, 20.0);
    EXPECT_DOUBLE_EQ(config.DefaultKoefR, 2.0);
}

TEST_F(ConfigFormTest, LeavingAFieldChecksIt)
{
    TConfigForm form(config);
    form.show();
    QApplication::setActiveWindow(&form);
    form.KoefREdit()->setFocus(Qt::TabFocusReason);
    form.KoefREdit()->setText(QStringLiteral("abc"));
    form.MaxDeltaPEdit()->setFocus(Qt::TabFocusReason);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].Text, QStringLiteral("\"abc\" не является правильным числом"));
    QApplication::processEvents();
    EXPECT_EQ(QApplication::focusWidget(), form.KoefREdit()) << "the focus returns to the field";

    form.KoefREdit()->setText(QStringLiteral("1"));
    form.MaxDeltaPEdit()->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(messages.size(), 1u) << "1 is accepted";
}

TEST_F(ConfigFormTest, CancelLeavesTheSettingsAlone)
{
    const TConfigData before = config;
    TConfigForm form(config);
    form.KoefREdit()->setText(QStringLiteral("1.5"));
    form.BoldBox()->setChecked(true);
    form.reject();
    EXPECT_EQ(static_cast<const TConfigData&>(config), before);
    EXPECT_TRUE(form.Working().DataCell.Style & TCellStyle::fsBold) << "only the copy changed";
}

TEST_F(ConfigFormTest, FoldersAreForTheNextStart)
{
    const QString inForce = config.SourcePath;
    TConfigForm form(config);
    form.SourcePathEdit()->setText(sandbox.root() + QStringLiteral("/elsewhere"));
    form.accept();
    EXPECT_EQ(config.NewSourcePath, sandbox.root() + QStringLiteral("/elsewhere/"));
    EXPECT_EQ(config.SourcePath, inForce) << "the open dialog keeps its folder until the next start";
}

TEST_F(ConfigFormTest, StylesEditedPerElementAndResetOnYes)
{
    TConfigForm form(config);
    form.ElementList()->setCurrentRow(3);
    form.BoldBox()->setChecked(true);
    EXPECT_TRUE(form.Working().SurfacedCell.Style & TCellStyle::fsBold);
    EXPECT_FALSE(form.Working().DataCell.Style & TCellStyle::fsBold);
    form.ElementList()->setCurrentRow(0);
    EXPECT_FALSE(form.BoldBox()->isChecked()) << "the boxes show the chosen element";

    answer = TMsgAnswer::No;
    form.ResetButton()->click();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].Caption, QStringLiteral("Подтверждение"));
    EXPECT_EQ(messages[0].Text, QStringLiteral("Установить все цвета и стили в соответствии с умолчаниями?"));
    EXPECT_TRUE(form.Working().SurfacedCell.Style & TCellStyle::fsBold);

    answer = TMsgAnswer::Yes;
    form.ResetButton()->click();
    EXPECT_EQ(form.Working().SurfacedCell, (TCellStyle{0, 0x000000, 0xFFE682}));
    form.accept();
    EXPECT_EQ(config.SurfacedCell, (TCellStyle{0, 0x000000, 0xFFE682}));
}

TEST_F(ConfigFormTest, FontSizeMustBeWhole)
{
    TConfigForm form(config);
    form.FontSizeBox()->setCurrentText(QStringLiteral("9.5"));
    form.accept();
    EXPECT_EQ(form.result(), QDialog::Rejected);
    ASSERT_EQ(messages.size(), 1u);
    form.FontSizeBox()->setCurrentText(QStringLiteral("14"));
    form.accept();
    EXPECT_EQ(config.FontSize, 14);
}

TEST_F(ConfigFormTest, DoubleBufferingWarnsAndClosesTopologyWindows)
{
    int closed = 0;
    TConfigFormHooks hooks;
    hooks.HasTopologyWindows = [] { return true; };
    hooks.CloseTopologyWindows = [&] { ++closed; };
    TConfigForm form(config, hooks);
    form.DoubleBufferBox()->setChecked(!config.DoubleBuffer);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].Caption, QStringLiteral("Сообщение"));
    EXPECT_TRUE(messages[0].Text.startsWith(QStringLiteral("При изменении этого параметра после нажатия кнопки OK\r\n")));
    form.accept();
    EXPECT_EQ(closed, 1);

    TConfigForm again(config, hooks);
    again.accept();
    EXPECT_EQ(closed, 1) << "unchanged: nothing closed";
}

TEST_F(ConfigFormTest, PageAndBoundsRememberedWithinTheRun)
{
    QRect bounds;
    {
        TConfigForm form(config);
        form.show();
        form.Pages()->setCurrentIndex(2);
        form.move(form.pos() + QPoint(13, 7));
        bounds = form.geometry();
        form.reject();
    }
    TConfigForm next(config);
    EXPECT_EQ(next.Pages()->currentIndex(), 2);
    next.show();
    EXPECT_EQ(next.geometry(), bounds);
}

TEST_F(ConfigFormTest, HelpButtonAsksForTheDialogsContext)
{
    int asked = -1;
    TConfigFormHooks hooks;
    hooks.ShowHelp = [&](int context) { asked = context; };
    TConfigForm form(config, hooks);
    for (QPushButton* b : form.findChildren<QPushButton*>())
        if (b->text() == QStringLiteral("&Справка"))
            b->click();
    EXPECT_EQ(asked, 28);
}

// Each of the three pages keeps its fields inside the dialog; the colour page paints its sample.
TEST_F(ConfigFormTest, EveryPageIsLaidOutInsideTheDialog)
{
    TConfigForm form(config);
    form.show();
    for (int page = 0; page < form.Pages()->count(); ++page) {
        form.Pages()->setCurrentIndex(page);
        QApplication::processEvents();
        const QImage picture = Pictures::Take(&form, QStringLiteral("config-page%1").arg(page + 1));
        EXPECT_EQ(Pictures::FieldsOutside(&form), "") << "page " << page + 1;
        if (page == 1) {
            // Nothing reads the topological schema's values yet, and the page says so.
            const QList<QLabel*> notes = form.Pages()->currentWidget()->findChildren<QLabel*>(QStringLiteral("LaterNote"));
            EXPECT_EQ(notes.size(), 1);
            for (const QLabel* note : notes)
                EXPECT_TRUE(note->isVisible() && note->text().contains(QStringLiteral("вступят в силу")));
        }
        EXPECT_GT(Pictures::InkPixels(picture, Pictures::AreaOf(form.Pages()->currentWidget(), &form, picture)), 500)
            << "page " << page + 1;
    }
}
