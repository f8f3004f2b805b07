// The transformation, split and merge dialogs and their commands.

#include "ui/document/DocumentTestSupport.h"
#include "ui/support/Pictures.h"

#include "core/model/Layer.h"
#include "ui/app/MainForm.h"
#include "ui/editing/AngleDial.h"
#include "ui/editing/BranchBreakForm.h"
#include "ui/editing/BreakStrip.h"
#include "ui/editing/IntegrateForm.h"
#include "ui/editing/TransForm.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QLocale>
#include <QLineEdit>
#include <QMdiArea>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

namespace {

class ServiceDialogs : public DocumentTest {
protected:
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
};

TEST_F(ServiceDialogs, TransformationRotatesTheSelectedNodesAndRefusesWhatIsNotANumber)
{
    MineBuilder mb;
    Line(mb);
    TMine& mine = mb.mine();
    TUzel* u2 = mine.FirstUzelWithNumber(2);
    u2->SetSelected(true);
    TTransForm form(mine, true, nullptr, SchemaFactor(kDefaultMapScale));
    form.show();
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Трансформация"));
    EXPECT_EQ(form.CountLabel()->text(), QStringLiteral("Трансформируемых узлов: 1"));
    form.WholeMine()->setChecked(true);
    EXPECT_EQ(form.CountLabel()->text(), QStringLiteral("Трансформируемых узлов: 4"));
    form.SelectedNodes()->setChecked(true);
    EXPECT_EQ(Pictures::FieldsOutside(&form), "");
    Pictures::Take(&form, QStringLiteral("transform-shift"));

    // OK only while scale or shift is checked.
    QPushButton* ok = form.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok);
    form.ShiftBox()->setChecked(false);
    EXPECT_FALSE(ok->isEnabled());
    EXPECT_FALSE(form.ShiftField(0)->isEnabled());
    form.ScaleBox()->setChecked(true);
    EXPECT_TRUE(ok->isEnabled());
    form.ScaleField(1)->setText(QStringLiteral("-"));
    form.accept();
    EXPECT_EQ(messages.LastText(), QStringLiteral("Неверно указано число"));
    EXPECT_EQ(form.result(), QDialog::Rejected);
    EXPECT_DOUBLE_EQ(u2->X(), 100);

    form.Pages()->setCurrentIndex(1);
    Pictures::Take(&form, QStringLiteral("transform-rotate"));
    form.AngleField()->setValue(90);
    EXPECT_DOUBLE_EQ(form.Dial()->Angle(), 90);
    form.CentreX()->setText(QStringLiteral("100"));
    form.CentreY()->setText(QStringLiteral("50,0"));
    form.accept();
    EXPECT_EQ(form.result(), QDialog::Accepted);
    EXPECT_NEAR(u2->X(), 50, 1e-9);
    EXPECT_NEAR(u2->Y(), 50, 1e-9);
    EXPECT_DOUBLE_EQ(mine.FirstUzelWithNumber(3)->X(), 200);
}

// The angle is written with the program's decimal point, as the tables write numbers, even
// under a locale whose separator is the comma; a typed comma is taken for the point.
TEST_F(ServiceDialogs, TheAngleUsesTheProgramsDecimalPoint)
{
    const QLocale before;
    QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
    MineBuilder mb;
    Line(mb);
    TTransForm form(mb.mine(), false, nullptr, 1.9);
    QLocale::setDefault(before);
    EXPECT_EQ(form.AngleField()->text(), QStringLiteral("0.00"));
    form.AngleField()->selectAll();
    QTest::keyClicks(form.AngleField(), QStringLiteral("12,5"));
    form.AngleField()->interpretText();
    EXPECT_DOUBLE_EQ(form.AngleField()->value(), 12.5);
    EXPECT_EQ(form.AngleField()->text(), QStringLiteral("12.50"));
}

TEST_F(ServiceDialogs, DialFollowsThePointerAndSnapsWithCtrl)
{
    MineBuilder mb;
    Line(mb);
    TTransForm form(mb.mine(), false, nullptr, 1.9);
    form.Pages()->setCurrentIndex(1);
    form.show();
    TAngleDial* dial = form.Dial();
    const QPoint c(dial->width() / 2, dial->height() / 2);
    QTest::mouseClick(dial, Qt::LeftButton, {}, c + QPoint(20, 0));
    EXPECT_NEAR(form.AngleField()->value(), -90, 3);  // the centre lies between pixels
    QTest::mouseClick(dial, Qt::LeftButton, Qt::ControlModifier, c + QPoint(-20, -8));
    const double snapped = form.AngleField()->value();
    EXPECT_EQ(std::fmod(snapped, 5.0), 0.0) << snapped;
    EXPECT_GT(snapped, 0);
}

TEST_F(ServiceDialogs, SplitDialogPlansDragsAndRefusesCoincidentNodes)
{
    MineBuilder mb;
    Line(mb);
    TMine& mine = mb.mine();
    TBranch* b20 = mine.Branches.Items(1);
    TBranchBreakForm form(mine, *b20);
    form.show();
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Разбить ветвь"));
    EXPECT_FALSE(form.OkButton()->isEnabled());
    form.CountBox()->setValue(3);
    EXPECT_TRUE(form.OkButton()->isEnabled());
    EXPECT_EQ(form.UzelTable()->rowCount(), 5);
    EXPECT_EQ(form.BranchTable()->rowCount(), 4);
    EXPECT_EQ(form.BranchTable()->item(1, 3)->text(), QStringLiteral("25.0 м"));
    // Free numbers by default: nodes 5, 6, 7 and branches 1, 2, 3.
    EXPECT_EQ(form.UzelTable()->item(1, 0)->text(), QStringLiteral("5"));
    EXPECT_EQ(form.BranchTable()->item(1, 0)->text(), QStringLiteral("1"));
    form.UzelMode()->setCurrentIndex(0);
    form.BranchMode()->setCurrentIndex(0);
    EXPECT_EQ(form.BranchTable()->item(3, 0)->text(), QStringLiteral("43"));
    EXPECT_FALSE(form.BranchTable()->item(0, 0)->flags() & Qt::ItemIsEditable);

    // A typed number goes to the plan and the adjoining branches; a word is refused.
    form.UzelTable()->item(2, 0)->setText(QStringLiteral("77"));
    EXPECT_EQ(form.BranchTable()->item(2, 1)->text(), QStringLiteral("77"));
    form.UzelTable()->item(2, 0)->setText(QStringLiteral("abc"));
    EXPECT_EQ(messages.LastText(), QStringLiteral("Неверно указано число"));
    EXPECT_EQ(form.UzelTable()->item(2, 0)->text(), QStringLiteral("77"));

    Pictures::Take(&form, QStringLiteral("split"));
    EXPECT_EQ(Pictures::FieldsOutside(&form), "");

    // "Размер" widens the strip, "Смещение" scrolls it.
    TBreakStrip* widened = form.Strip();
    const int visible = widened->width();
    form.SizeSlider()->setValue(3);
    EXPECT_EQ(widened->width(), 3 * visible);
    EXPECT_TRUE(form.OffsetSlider()->isEnabled());
    form.OffsetSlider()->setValue(form.OffsetSlider()->maximum());
    EXPECT_LT(widened->mapToParent(QPoint(0, 0)).x(), -visible);
    form.SizeSlider()->setValue(1);
    EXPECT_FALSE(form.OffsetSlider()->isEnabled());

    // Dragging the first node stops at the second.
    TBreakStrip* strip = form.Strip();
    const int y = strip->height() / 2;
    QTest::mousePress(strip, Qt::LeftButton, {}, QPoint(int(strip->XOf(0.25)), y));
    QTest::mouseMove(strip, QPoint(int(strip->XOf(0.9)), y));
    QTest::mouseRelease(strip, Qt::LeftButton, {}, QPoint(int(strip->XOf(0.9)), y));
    EXPECT_DOUBLE_EQ(form.Plan().Nodes[0].T, 0.5);

    form.accept();
    ASSERT_FALSE(messages.shown.empty());
    EXPECT_EQ(messages.shown.back().Caption, QStringLiteral("Сообщение"));
    EXPECT_EQ(messages.LastText(),
              QStringLiteral("Совпадают положения двух или более узлов разрыва.\r\nНеобходимо разнести эти узлы"));
    EXPECT_EQ(mine.Branches.Count(), 4);
    EXPECT_EQ(form.result(), QDialog::Rejected);

    form.Plan().Nodes[0].T = 0.3;
    form.accept();
    EXPECT_EQ(form.result(), QDialog::Accepted);
    EXPECT_EQ(mine.Branches.Count(), 7);
    EXPECT_NE(mine.FirstUzelWithNumber(77), nullptr);
}

TEST_F(ServiceDialogs, SplitCommandReplacesTheCurrentBranchInTheTable)
{
    const QString path = WriteMine(QStringLiteral("s.irv"), [](MineBuilder& mb) { Line(mb); });
    auto main = std::make_unique<TMainForm>(config);
    TChildForm* doc = main->OpenPath(path);
    ASSERT_NE(doc, nullptr);
    TBranch* b20 = doc->Mine()->Branches.Items(1);
    doc->ShowBranch(b20);
    main->UpdateActions();
    QAction* split = main->Action(QStringLiteral("actBranchBreak"));
    ASSERT_TRUE(split->isVisible());
    ASSERT_TRUE(split->isEnabled());
    WhenOpen<TBranchBreakForm>([](TBranchBreakForm* form) {
        form->CountBox()->setValue(1);
        form->accept();
    });
    split->trigger();
    EXPECT_EQ(doc->Mine()->Branches.Count(), 5);
    EXPECT_EQ(doc->Rows().BranchCount(), 5);
    // The two pieces stand where branch 20 stood.
    EXPECT_EQ(doc->Rows().BranchAt(1)->Number(), 20);
    EXPECT_EQ(doc->Rows().BranchAt(1)->EndNumber(), doc->Rows().BranchAt(2)->StartNumber());
    EXPECT_EQ(doc->Rows().BranchAt(2)->EndNumber(), 3);
    EXPECT_EQ(doc->Rows().BranchAt(3)->Number(), 30);
    EXPECT_TRUE(doc->IsModified());
    doc->SetModified(false);
}

TEST_F(ServiceDialogs, MergeDialogChecksFirstNumbersAndAsksAboutAZeroOffset)
{
    MineBuilder a, b;
    a.mine().SetName(QStringLiteral("A"));
    Line(a);
    a.mine().FirstUzelWithNumber(1)->SetSurface(true);
    b.mine().SetName(QStringLiteral("B"));
    Line(b);
    b.mine().FirstUzelWithNumber(4)->SetSurface(true);
    TIntegrateForm form({&a.mine(), QStringLiteral("/x/a.irv")}, {{&b.mine(), QString()}}, 1.9);
    form.show();
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Объединение шахт"));
    EXPECT_EQ(form.FirstUzel()->text(), QStringLiteral("5"));
    EXPECT_FALSE(form.FirstUzel()->isEnabled());
    EXPECT_EQ(form.AttachedSurface()->topLevelItem(0)->text(0), QStringLiteral("4"));
    EXPECT_TRUE(form.findChild<QLabel*>(QString(), Qt::FindChildrenRecursively) != nullptr);
    Pictures::Take(&form, QStringLiteral("merge"));
    EXPECT_EQ(Pictures::FieldsOutside(&form), "");

    form.UzelsFromTyped()->setChecked(true);
    form.FirstUzel()->setText(QStringLiteral("3"));
    form.accept();
    EXPECT_EQ(messages.LastText(),
              QStringLiteral("Номера узлов присоединяемой шахты должны начинаться с 5 или более.\r\nЭто необходимо для "
                             "предотвращения пересечения номеров элементов объединяемых шахт"));
    EXPECT_EQ(form.FirstUzel()->text(), QStringLiteral("5"));
    EXPECT_EQ(form.result(), QDialog::Rejected);

    form.FirstUzel()->setText(QStringLiteral("100"));
    form.Dy()->setText(QStringLiteral("500"));
    messages.Answer(TMsgAnswer::No);
    form.accept();
    EXPECT_TRUE(messages.LastText().startsWith(QStringLiteral("Одно или оба значения смещения")));
    EXPECT_EQ(form.result(), QDialog::Rejected);
    messages.Answer(TMsgAnswer::Yes);
    form.accept();
    EXPECT_EQ(form.result(), QDialog::Accepted);
    EXPECT_EQ(form.Request().FirstUzel, 100);
    EXPECT_DOUBLE_EQ(form.Request().Dy, 500);
}

TEST_F(ServiceDialogs, MergeCommandOpensTheMergedMineOnlyWhenItIsComplete)
{
    const QString pathA = WriteMine(QStringLiteral("a.irv"), [](MineBuilder& mb) {
        mb.mine().SetName(QStringLiteral("A"));
        Line(mb);
        mb.mine().FirstUzelWithNumber(1)->SetSurface(true);
    });
    const QString pathB = WriteMine(QStringLiteral("b.irv"), [](MineBuilder& mb) {
        mb.mine().SetName(QStringLiteral("B"));
        Line(mb);
    });
    auto main = std::make_unique<TMainForm>(config);
    TChildForm* a = main->OpenPath(pathA);
    ASSERT_NE(a, nullptr);
    QAction* merge = main->Action(QStringLiteral("actMineIntegrate"));
    ASSERT_TRUE(merge->isVisible());

    // One document: refused before any dialog, and nothing new opens.
    merge->trigger();
    EXPECT_EQ(messages.LastText(), QStringLiteral("Для объединения шахт необходимо открыть не менее двух файлов"));
    EXPECT_EQ(main->Documents().size(), 1);

    ASSERT_NE(main->OpenPath(pathB), nullptr);
    main->MdiArea()->setActiveSubWindow(main->MdiArea()->subWindowList().first());
    ASSERT_EQ(main->ActiveDocument(), a);
    WhenOpen<TIntegrateForm>([](TIntegrateForm* form) {
        form->Dx()->setText(QStringLiteral("1000"));
        form->Dy()->setText(QStringLiteral("1000"));
        form->accept();
    });
    merge->trigger();
    ASSERT_EQ(main->Documents().size(), 3);
    TChildForm* merged = main->ActiveDocument();
    ASSERT_NE(merged, a);
    EXPECT_EQ(merged->Mine()->Name(), QStringLiteral("A + B"));
    EXPECT_EQ(merged->Mine()->Uzels.Count(), 8);
    EXPECT_EQ(merged->Rows().BranchCount(), 8);
    EXPECT_TRUE(merged->IsModified());
    EXPECT_FALSE(a->IsModified());
    for (TChildForm* d : main->Documents())
        d->SetModified(false);
}

}  // namespace
