#include "support/TempDir.h"

#include "core/equipment/PumpFile.h"
#include "ui/common/MessageBoxes.h"
#include "ui/equipment/EditPumpForm.h"
#include "ui/equipment/PumpGraph.h"
#include "ui/support/Pictures.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QTableWidget>
#include <QTest>

#include <cmath>

namespace {

class EditPumpFormTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        MessageBoxes::SetInterceptor([this](const TMessageRecord& m) {
            shown.push_back(m);
            return answer;
        });
        TPumpStore k(QStringLiteral("К-90"));
        for (TBasePoint p : {TBasePoint{0, 100}, TBasePoint{100, 80}, TBasePoint{200, 40}})
            k.InsertPoint(p);
        k.SetRange(prMaxQ, 250);
        k.SetRange(prMaxH, 120);
        PumpFile::Write(k, dir.file(QStringLiteral("К-90.pmp")));
        TPumpStore d(QStringLiteral("Д-200"));
        for (TBasePoint p : {TBasePoint{50, 60}, TBasePoint{300, 45}, TBasePoint{500, 20}})
            d.InsertPoint(p);
        d.SetRange(prMaxH, 80);
        PumpFile::Write(d, dir.file(QStringLiteral("Д-200.pmp")));
    }
    void TearDown() override { MessageBoxes::SetInterceptor({}); }

    QStringList Texts() const
    {
        QStringList t;
        for (const TMessageRecord& m : shown)
            t << m.Text;
        return t;
    }

    TestTempDir dir;
    std::vector<TMessageRecord> shown;
    TMsgAnswer answer = TMsgAnswer::Yes;
};

}  // namespace

TEST_F(EditPumpFormTest, EditorFromTheMainWindowEditsPointsAndSavesEveryChangeOnClosing)
{
    TEditPumpForm form(dir.path(), nullptr);
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Насосы"));
    EXPECT_TRUE(form.EditorBox()->isChecked());
    EXPECT_FALSE(form.EditorBox()->isEnabled());
    EXPECT_FALSE(form.InsertButton()->isEnabled());
    ASSERT_EQ(form.ModelList()->count(), 2);
    EXPECT_EQ(form.ModelList()->item(0)->text(), QStringLiteral("Д-200"));
    form.SelectModel(QStringLiteral("К-90"));
    EXPECT_EQ(form.RangeEdit(prMaxQ)->text(), QStringLiteral("250"));
    ASSERT_EQ(form.PointGrid()->rowCount(), 3);
    EXPECT_EQ(form.PointGrid()->item(1, 0)->text(), QStringLiteral("100.00"));
    EXPECT_EQ(form.PointGrid()->item(1, 1)->text(), QStringLiteral("80.0"));

    // A typed flow out of range is refused and keeps the point; a good one moves the row along.
    form.ApplyGridText(1, 0, QStringLiteral("300"));
    EXPECT_EQ(Texts().value(0), QStringLiteral("Величина расхода должна лежать в пределах от 0 до 250."));
    form.ApplyGridText(1, 1, QStringLiteral("x"));
    EXPECT_EQ(Texts().value(1), QStringLiteral("Неверно указано число"));
    form.ApplyGridText(1, 0, QStringLiteral("230,5"));
    QCoreApplication::processEvents();
    EXPECT_EQ(form.PointGrid()->item(2, 0)->text(), QStringLiteral("230.50"));
    EXPECT_EQ(form.PointGrid()->currentRow(), 2);

    // Del in the grid asks, then deletes: a change to save like any other.
    form.PointGrid()->setFocus();
    QTest::keyClick(form.PointGrid(), Qt::Key_Delete);
    EXPECT_EQ(Texts().value(2), QStringLiteral("Удалить указанную точку ?"));
    EXPECT_EQ(form.PointGrid()->rowCount(), 2);
    // The graph's menu adds a point at the pointer and deletes the one under it.
    emit form.Graph()->AddPointRequested(150, 50);
    EXPECT_EQ(form.PointGrid()->rowCount(), 3);
    EXPECT_EQ(form.PointGrid()->currentRow(), 1);
    emit form.Graph()->DeletePointRequested(0);
    EXPECT_EQ(form.PointGrid()->item(0, 0)->text(), QStringLiteral("150.00"));

    // A range equal to its minimum is pushed 10 past it.
    form.RangeEdit(prMaxH)->setText(QStringLiteral("0"));
    emit form.RangeEdit(prMaxH)->textEdited(QStringLiteral("0"));
    emit form.RangeEdit(prMaxH)->editingFinished();
    EXPECT_EQ(form.RangeEdit(prMaxH)->text(), QStringLiteral("10"));
    form.RangeEdit(prMaxH)->setText(QStringLiteral("120"));
    emit form.RangeEdit(prMaxH)->textEdited(QStringLiteral("120"));

    form.CloseSaving();
    EXPECT_EQ(form.result(), QDialog::Rejected);
    TPumpList saved;
    saved.LoadFolder(dir.path());
    const TPumpStore& k = saved.At(saved.Find(QStringLiteral("К-90")));
    EXPECT_EQ(k.Points().Points(), (std::vector<TBasePoint>{{150, 50}, {200, 40}}));
    EXPECT_EQ(k.Range(prMaxH), 120);
}

TEST_F(EditPumpFormTest, ModelButtonsRefuseBadAndTakenNames)
{
    TEditPumpForm form(dir.path(), nullptr);
    QStringList answers{QStringLiteral("a;b"), QStringLiteral("Д-200"), QStringLiteral("Новый"), QStringLiteral("Д-200")};
    QStringList prompts;
    form.SetAskText([&](const QString& caption, const QString& prompt, const QString& text) -> std::optional<QString> {
        prompts << caption + u'|' + prompt + u'|' + text;
        return answers.takeFirst();
    });
    form.AddModel();
    form.AddModel();
    form.AddModel();
    EXPECT_EQ(prompts.value(0), QStringLiteral("Насос|Введите модель насоса|"));
    EXPECT_EQ(Texts().value(0), PumpTexts::kBadCharacters);
    EXPECT_EQ(Texts().value(1), PumpTexts::kNameExists);
    EXPECT_EQ(form.CurrentStore()->Name, QStringLiteral("Новый"));
    EXPECT_EQ(form.PointGrid()->rowCount(), 0);
    form.RenameModel();  // to a taken name
    EXPECT_EQ(Texts().value(2), PumpTexts::kNameExists);
    EXPECT_EQ(form.CurrentStore()->Name, QStringLiteral("Новый"));

    answer = TMsgAnswer::Yes;
    form.SelectModel(QStringLiteral("Д-200"));
    form.DeleteModel();
    EXPECT_EQ(Texts().value(3), QStringLiteral("Удалить насос \"Д-200\"?"));
    EXPECT_EQ(shown.back().Caption, QStringLiteral("Ирвата"));
    EXPECT_FALSE(QFile::exists(dir.file(QStringLiteral("Д-200.pmp"))));
    EXPECT_EQ(form.ModelList()->count(), 2);
}

TEST_F(EditPumpFormTest, ChooserFitsTwoOperatingPointsAndHandsThemBack)
{
    TPumpCharacteristic chosen;
    TEditPumpForm form(dir.path(), &chosen, QStringLiteral("К-90"));
    EXPECT_FALSE(form.EditorBox()->isChecked());
    EXPECT_TRUE(form.EditorBox()->isEnabled());
    EXPECT_EQ(form.CurrentStore()->Name, QStringLiteral("К-90"));
    EXPECT_EQ(form.FlowBar(1)->value(), 0);
    EXPECT_EQ(form.FlowBar(2)->value(), 20000) << "the bar reaches the last point";
    EXPECT_EQ(form.FitLabel(1)->text(), QStringLiteral("40.00"));
    EXPECT_FALSE(form.RangeEdit(prMinQ)->isEnabled());
    EXPECT_FALSE(form.ModelButton(0)->isEnabled());

    // The same flow twice: no fit, "-" shown and nothing to insert.
    form.FlowEdit(1)->setText(QStringLiteral("200"));
    QTest::keyClick(form.FlowEdit(1), Qt::Key_Return);
    EXPECT_EQ(form.FlowBar(1)->value(), 20000);
    EXPECT_EQ(form.FitLabel(2)->text(), QStringLiteral("-"));
    EXPECT_EQ(form.FitLabel(3)->text(), QStringLiteral("-"));
    EXPECT_FALSE(form.InsertButton()->isEnabled());

    form.FlowBar(1)->setValue(5000);
    EXPECT_EQ(form.FlowEdit(1)->text(), QStringLiteral("50.00"));
    EXPECT_EQ(form.FitLabel(0)->text(), QStringLiteral("91.88"));
    ASSERT_TRUE(form.InsertButton()->isEnabled());
    form.Insert();
    EXPECT_EQ(form.result(), QDialog::Accepted);
    EXPECT_EQ(chosen.Model, QStringLiteral("К-90"));
    EXPECT_EQ(chosen.Q1, 50);
    EXPECT_EQ(chosen.Q2, 200);
    EXPECT_DOUBLE_EQ(chosen.H1, 91.875);
    EXPECT_GT(chosen.B, 0);
    EXPECT_NEAR(chosen.A - chosen.B * (200.0 / 3600) * (200.0 / 3600), 40, 1e-9);
}

TEST_F(EditPumpFormTest, ChooserWithoutAHeadDisablesInsertion)
{
    TPumpStore flat(QStringLiteral("Плохой"));
    PumpFile::Write(flat, dir.file(QStringLiteral("Плохой.pmp")));
    TPumpCharacteristic chosen;
    TEditPumpForm form(dir.path(), &chosen, QStringLiteral("Плохой"));
    EXPECT_EQ(form.FitLabel(0)->text(), QStringLiteral("-"));
    EXPECT_FALSE(form.InsertButton()->isEnabled());
    form.Insert();
    EXPECT_NE(form.result(), QDialog::Accepted);
}

TEST_F(EditPumpFormTest, GraphHitsDragsAndPaintsThePoints)
{
    TEditPumpForm form(dir.path(), nullptr, QStringLiteral("К-90"));
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    TPumpGraph* graph = form.Graph();
    const QPointF middle = graph->ToPixels(100, 80);
    EXPECT_EQ(graph->HitPoint(middle + QPointF(3, -3)), 1);
    EXPECT_EQ(graph->HitPoint(middle + QPointF(4, 0)), -1);
    const TBasePoint back = graph->ToValues(middle);
    EXPECT_NEAR(back.Q, 100, 1e-9);
    EXPECT_NEAR(back.H, 80, 1e-9);

    // Dragging the middle point past the last swaps them; the grid row follows.
    QTest::mousePress(graph, Qt::LeftButton, {}, middle.toPoint());
    const QPoint beyond = graph->ToPixels(220, 60).toPoint();
    QMouseEvent move(QEvent::MouseMove, beyond, graph->mapToGlobal(beyond), Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(graph, &move);
    EXPECT_EQ(graph->DraggedPoint(), 2);
    EXPECT_EQ(form.PointGrid()->currentRow(), 2);
    EXPECT_TRUE(form.PointerLabel()->text().startsWith(QStringLiteral("Q = 2")));
    EXPECT_TRUE(form.PointerLabel()->text().endsWith(QStringLiteral("  ")));
    const QImage picture = Pictures::Take(&form, QStringLiteral("pump-editor-dragging"));
    QTest::mouseRelease(graph, Qt::LeftButton, {}, beyond);
    EXPECT_TRUE(form.Database().Changed());
    EXPECT_EQ(Pictures::FieldsOutside(&form), "");

    // The yellow current point and the blue curve are on the picture.
    const QRect area = Pictures::AreaOf(graph, &form, picture);
    int yellow = 0, blue = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x) {
            const QColor c = picture.pixelColor(x, y);
            yellow += c.red() > 200 && c.green() > 200 && c.blue() < 60;
            blue += c.blue() > 200 && c.red() < 60 && c.green() < 60;
        }
    EXPECT_GT(yellow, 5);
    EXPECT_GT(blue, 100);
}

TEST_F(EditPumpFormTest, ChooserDragsAnOperatingPoint)
{
    TPumpCharacteristic chosen;
    TEditPumpForm form(dir.path(), &chosen, QStringLiteral("Д-200"));
    form.FlowBar(1)->setValue(12000);
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    EXPECT_EQ(Pictures::FieldsOutside(&form), "");
    // Dragging operating point 1 moves its bar to the pointer's flow.
    TPumpGraph* graph = form.Graph();
    const QPoint first = graph->ToPixels(120, EvaluateHead(form.CurrentStore()->Points(), 120)).toPoint();
    EXPECT_EQ(graph->HitOperatingPoint(first), 1);
    QTest::mousePress(graph, Qt::LeftButton, {}, first);
    const QPoint to = graph->ToPixels(200, 10).toPoint();
    QMouseEvent move(QEvent::MouseMove, to, graph->mapToGlobal(to), Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(graph, &move);
    EXPECT_EQ(graph->DraggedOperatingPoint(), 1);
    EXPECT_EQ(form.FlowBar(1)->value(), static_cast<int>(std::trunc(graph->ToValues(to).Q * 100)));
    const QImage picture = Pictures::Take(&form, QStringLiteral("pump-chooser-dragging"));
    EXPECT_GT(Pictures::InkPixels(picture, Pictures::AreaOf(graph, &form, picture)), 500);
    QTest::mouseRelease(graph, Qt::LeftButton, {}, to);
    EXPECT_EQ(graph->DraggedOperatingPoint(), 0);
    EXPECT_FALSE(form.Database().Changed()) << "choosing changes nothing";
}

// A session's work survives every way out of the window: Esc, "Отмена" and the close button
// ask, and only "Нет" drops the changes.
TEST_F(EditPumpFormTest, LeavingWithUnsavedChangesAsksWhateverClosesTheWindow)
{
    TEditPumpForm form(dir.path(), nullptr);
    form.SetAskText([](const QString&, const QString&, const QString&) { return std::optional<QString>(QStringLiteral("Н-1")); });
    form.show();
    form.AddModel();
    for (double q : {10.0, 20.0, 30.0})
        emit form.Graph()->AddPointRequested(q, 50);
    form.ApplyGridText(0, 1, QStringLiteral("5000"));  // refused: above the head range
    ASSERT_EQ(shown.size(), 1u);
    QCoreApplication::processEvents();
    Pictures::Take(&form, QStringLiteral("pump-new-model"));

    answer = TMsgAnswer::Cancel;
    QTest::keyClick(&form, Qt::Key_Escape);
    EXPECT_TRUE(form.isVisible());
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown.back().Text, PumpTexts::kSaveChanges);
    EXPECT_EQ(shown.back().Buttons, TMsgButtons::YesNoCancel);
    EXPECT_FALSE(form.close());
    EXPECT_TRUE(form.isVisible());

    answer = TMsgAnswer::Yes;
    form.reject();  // the "Отмена" button
    EXPECT_FALSE(form.isVisible());
    TPumpList saved;
    saved.LoadFolder(dir.path());
    ASSERT_GE(saved.Find(QStringLiteral("Н-1")), 0);
    EXPECT_EQ(saved.At(saved.Find(QStringLiteral("Н-1"))).Points().Count(), 3);

    // Nothing changed: nothing to ask.
    TEditPumpForm again(dir.path(), nullptr);
    again.show();
    const size_t before = shown.size();
    QTest::keyClick(&again, Qt::Key_Escape);
    EXPECT_FALSE(again.isVisible());
    EXPECT_EQ(shown.size(), before);

    // "Нет" drops the changes.
    TEditPumpForm third(dir.path(), nullptr);
    third.SetAskText([](const QString&, const QString&, const QString&) { return std::optional<QString>(QStringLiteral("Н-2")); });
    third.show();
    third.AddModel();
    answer = TMsgAnswer::No;
    EXPECT_TRUE(third.close());
    saved.LoadFolder(dir.path());
    EXPECT_LT(saved.Find(QStringLiteral("Н-2")), 0);
}
