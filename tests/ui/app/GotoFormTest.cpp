#include "support/MineBuilder.h"
#include "ui/app/GotoForm.h"
#include "ui/common/MessageBoxes.h"

#include "ui/support/Pictures.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>

namespace {

class GotoFormTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        TGotoForm::SetLastKind(GotoKind::Uzel);
        MessageBoxes::SetInterceptor([this](const TMessageRecord& m) {
            shown.push_back(m);
            return TMsgAnswer::Ok;
        });
        b.uzel(5);
        b.uzel(12);
        branch = b.branch(3, 5, 12);
        branch->SetRemark(QStringLiteral("Конвейерный штрек"));
    }
    void TearDown() override { MessageBoxes::SetInterceptor({}); }

    MineBuilder b;
    TBranch* branch = nullptr;
    std::vector<TMessageRecord> shown;
};

}  // namespace

TEST_F(GotoFormTest, FindsANodeByItsNumber)
{
    TGotoForm form(b.mine());
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Найти"));
    ASSERT_EQ(form.KindBox()->count(), 5);
    EXPECT_EQ(form.NumberBox()->count(), 2);
    EXPECT_EQ(form.NumberBox()->itemText(0), QStringLiteral("12")) << "sorted as text";
    form.NumberBox()->setCurrentText(QStringLiteral("5"));
    form.accept();
    EXPECT_EQ(form.result(), QDialog::Accepted);
    ASSERT_NE(form.Object(), nullptr);
    EXPECT_EQ(form.Object()->Number(), 5);
    EXPECT_EQ(form.Kind(), GotoKind::Uzel);
}

TEST_F(GotoFormTest, UnknownNumberShowsObjectNotFoundAndStays)
{
    TGotoForm form(b.mine());
    form.NumberBox()->setCurrentText(QStringLiteral("77"));
    form.accept();
    EXPECT_EQ(form.result(), QDialog::Rejected);
    EXPECT_EQ(form.Object(), nullptr);
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].Text, QStringLiteral("Объект не найден"));
}

TEST_F(GotoFormTest, NumberBoxTakesDigitsOnlyAndEnterConfirms)
{
    TGotoForm form(b.mine());
    form.show();
    form.NumberBox()->lineEdit()->clear();
    form.NumberBox()->setFocus();
    QTest::keyClicks(form.NumberBox()->lineEdit(), QStringLiteral("1x2"));
    EXPECT_EQ(form.NumberBox()->currentText(), QStringLiteral("12"));
    QTest::keyClick(form.NumberBox()->lineEdit(), Qt::Key_Return);
    EXPECT_EQ(form.result(), QDialog::Accepted);
    ASSERT_NE(form.Object(), nullptr);
    EXPECT_EQ(form.Object()->Number(), 12);
}

TEST_F(GotoFormTest, CommentsOnlyForBranchesAndTheKindIsRemembered)
{
    {
        TGotoForm form(b.mine());
        EXPECT_FALSE(form.CommentButton()->isEnabled());
        form.KindBox()->setCurrentIndex(int(GotoKind::Branch));
        EXPECT_TRUE(form.CommentButton()->isEnabled());
        form.CommentButton()->setChecked(true);
        EXPECT_EQ(form.CommentBox()->currentText(), QStringLiteral("Конвейерный штрек"));
        form.accept();
        EXPECT_EQ(form.Object(), branch);
    }
    TGotoForm next(b.mine());
    EXPECT_EQ(next.Kind(), GotoKind::Branch) << "the last kind is preselected";
    EXPECT_EQ(next.NumberBox()->itemText(0), QStringLiteral("3"));
}

TEST_F(GotoFormTest, EmptyListsSayWhy)
{
    TGotoForm form(b.mine());
    form.KindBox()->setCurrentIndex(int(GotoKind::FireDevice));
    EXPECT_EQ(form.NumberBox()->count(), 0);
    EXPECT_EQ(form.NumberBox()->lineEdit()->placeholderText(), QStringLiteral("<номеров нет>"));
    form.KindBox()->setCurrentIndex(int(GotoKind::PLFPosition));
    EXPECT_EQ(form.NumberBox()->lineEdit()->placeholderText(), QStringLiteral("<названий нет>"));
    form.accept();
    EXPECT_EQ(form.result(), QDialog::Rejected);
}

TEST_F(GotoFormTest, TheDialogIsLaidOutAndShowsItsChoices)
{
    TGotoForm form(b.mine());
    form.KindBox()->setCurrentIndex(int(GotoKind::Branch));
    form.show();
    const QImage picture = Pictures::Take(&form, QStringLiteral("goto"));
    EXPECT_EQ(Pictures::FieldsOutside(&form), "");
    EXPECT_GT(Pictures::InkPixels(picture, Pictures::AreaOf(form.KindBox(), &form, picture)), 20) << "the kind is written";
}

// Typing the first digits of a listed number must not find that number: 1 and 12 where only
// 120 and 5 exist stay what they are, and Enter refuses them.
TEST_F(GotoFormTest, TypedNumberIsNotCompletedFromTheList)
{
    b.uzel(120);
    TGotoForm form(b.mine());
    form.show();
    ASSERT_EQ(form.NumberBox()->findText(QStringLiteral("120")), 1);
    form.NumberBox()->lineEdit()->clear();
    form.NumberBox()->setFocus();
    QTest::keyClicks(form.NumberBox()->lineEdit(), QStringLiteral("1"));
    EXPECT_EQ(form.NumberBox()->currentText(), QStringLiteral("1")) << "no inline completion";
    QTest::keyClick(form.NumberBox()->lineEdit(), Qt::Key_Return);
    EXPECT_NE(form.result(), QDialog::Accepted);
    EXPECT_EQ(form.Object(), nullptr);
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].Text, QStringLiteral("Объект не найден"));

    // 12 exists: typed whole, it is found, not 120.
    QTest::keyClicks(form.NumberBox()->lineEdit(), QStringLiteral("2"));
    QTest::keyClick(form.NumberBox()->lineEdit(), Qt::Key_Return);
    EXPECT_EQ(form.result(), QDialog::Accepted);
    ASSERT_NE(form.Object(), nullptr);
    EXPECT_EQ(form.Object()->Number(), 12);
}
