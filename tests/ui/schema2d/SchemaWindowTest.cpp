// The technological schema window in the main window: binding to the active document,
// closing with it, the scale box, fitting, the status bar, its bounds, the map scale of every
// open document, going to an object, and the cached picture when scrolling.

#include "ui/document/DocumentTestSupport.h"

#include "core/model/Branch.h"
#include "core/model/Mine.h"
#include "core/model/Uzel.h"
#include "core/settings/SettingsStore.h"
#include "render/schema2d/SchemaScene.h"
#include "render/schema2d/ViewGeometry.h"
#include "render/schema2d/ZoomSteps.h"
#include "ui/app/MainForm.h"
#include "ui/document/BranchTableModel.h"
#include "ui/editing/EditPipeForm.h"
#include "ui/document/UzelTableModel.h"
#include "ui/schema2d/InfoPanel.h"
#include "ui/schema2d/MapForm.h"
#include "ui/schema2d/RestoreDialog.h"
#include "ui/schema2d/ScaleComboBox.h"
#include "ui/schema2d/SchemaPanel.h"
#include "ui/schema2d/SchemaSettings.h"
#include "ui/schema2d/SchemaStatusText.h"
#include "ui/schema2d/SchemaViewActions.h"
#include "ui/schema2d/Shema2DForm.h"
#include "ui/support/Pictures.h"

#include <QAbstractItemView>
#include <QAction>
#include <QTest>
#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>
#include <QStatusBar>
#include <QWheelEvent>
#include <QMdiArea>
#include <QMdiSubWindow>

#include <cmath>
#include <set>

namespace {

class SchemaWindow : public DocumentTest {
protected:
    // Nodes far apart so the drawing is larger than the window: 3000 m at 1:2000 is 5700 px.
    static void Wide(MineBuilder& mb)
    {
        mb.uzel(1, 0, 0);
        mb.uzel(2, 1000, 0);
        mb.uzel(3, 3000, 0);
        mb.uzel(4, 3000, 1500);
        mb.uzel(5, 1500, 700);
        mb.firePipe(10, 1, 2);
        mb.firePipe(20, 2, 3);
        mb.firePipe(30, 3, 4);
        mb.firePipe(40, 2, 5);
    }

    static void Flush()
    {
        Settle();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    static TUzel* Uzel(TChildForm* doc, int number) { return doc->Mine()->FirstUzelWithNumber(number); }

    // Non-background pixels of a picture.
    static int Ink(const QImage& image)
    {
        const QRgb back = image.pixel(0, 0);
        int n = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                n += image.pixel(x, y) != back;
        return n;
    }
};

TEST_F(SchemaWindow, FollowsTheActiveDocumentAndClosesWithIt)
{
    TMainForm main(config);
    TChildForm* a = main.OpenPath(WriteMine(QStringLiteral("a.irv"), Line));
    TChildForm* b = main.OpenPath(WriteMine(QStringLiteral("b.irv"), Wide));
    ASSERT_TRUE(a && b);
    EXPECT_EQ(main.SchemaWindow(), nullptr);

    main.Action(QStringLiteral("actTechnoChema"))->trigger();
    TShema2DForm* schema = main.SchemaWindow();
    ASSERT_NE(schema, nullptr);
    EXPECT_EQ(schema->Document(), b);
    EXPECT_EQ(schema->windowTitle(), QStringLiteral("Технологическая схема - b.irv"));

    // Activating the other document re-binds the one window.
    main.MdiArea()->setActiveSubWindow(main.MdiArea()->subWindowList().at(0));
    EXPECT_EQ(main.SchemaWindow(), schema);
    EXPECT_EQ(schema->Document(), a);
    EXPECT_EQ(schema->windowTitle(), QStringLiteral("Технологическая схема - a.irv"));
    EXPECT_EQ(&schema->Scene()->Mine(), a->Mine());

    // Closing a document the window does not show leaves it open; closing its own closes it.
    main.MdiArea()->subWindowList().at(1)->close();
    Flush();
    ASSERT_EQ(main.SchemaWindow(), schema);
    main.MdiArea()->subWindowList().at(0)->close();
    Flush();
    EXPECT_EQ(main.SchemaWindow(), nullptr);
}

TEST_F(SchemaWindow, ScaleBoxRefusesWhatIsNotAScale)
{
    TMainForm main(config);
    main.OpenPath(WriteMine(QStringLiteral("a.irv"), Line));
    TShema2DForm* schema = main.OpenSchema();
    ASSERT_NE(schema, nullptr);
    schema->SetScaleAboutCentre(1);
    TScaleComboBox* box = schema->ScaleBox();
    EXPECT_EQ(box->count(), 19);
    EXPECT_EQ(box->itemText(0), QStringLiteral("3000%"));
    EXPECT_EQ(box->itemText(18), QStringLiteral("5%"));
    // The symbol-factor limit (150 %) carries the icon, and only it.
    for (int i = 0; i < box->count(); ++i)
        EXPECT_EQ(!box->itemIcon(i).isNull(), box->itemText(i) == QStringLiteral("150%")) << i;

    const auto type = [&](const QString& text) {
        box->lineEdit()->setText(text);
        box->ConfirmText();
    };
    for (const QString& refused : {QStringLiteral("0"), QStringLiteral("3001%")}) {
        type(refused);
        EXPECT_EQ(messages.LastText(), ZoomSteps::ScaleLimitText()) << refused.toStdString();
        EXPECT_EQ(box->currentText(), QStringLiteral("100%"));
    }
    EXPECT_TRUE(messages.LastText().contains(QStringLiteral("3000%")));
    type(QStringLiteral("5%0"));
    EXPECT_EQ(messages.LastText(), QStringLiteral("Некорректное значение"));
    EXPECT_DOUBLE_EQ(schema->View().Scale(), 1);

    const size_t refusals = messages.shown.size();
    type(QStringLiteral("50%"));
    EXPECT_DOUBLE_EQ(schema->View().Scale(), 0.5);
    type(QStringLiteral("250"));
    EXPECT_DOUBLE_EQ(schema->View().Scale(), 2.5);
    EXPECT_EQ(messages.shown.size(), refusals);
    EXPECT_EQ(box->currentText(), QStringLiteral("250%"));
    EXPECT_EQ(schema->StatusText(1), QStringLiteral("Масштаб 250%"));
    // Esc puts back what is shown.
    box->lineEdit()->setText(QStringLiteral("77"));
    QTest::keyClick(box->lineEdit(), Qt::Key_Escape);
    EXPECT_EQ(box->currentText(), QStringLiteral("250%"));

    // Space in the open list makes the highlighted entry the symbol-size limit.
    box->showPopup();
    EXPECT_EQ(schema->StatusText(0), Shema2DTexts::kSpaceHint);
    box->view()->setCurrentIndex(box->model()->index(11, 0));  // 300%
    QTest::keyClick(box->view(), Qt::Key_Space);
    box->hidePopup();
    EXPECT_DOUBLE_EQ(main.SchemaSettings().Params.MaxLimScale, 3);
    EXPECT_DOUBLE_EQ(schema->View().Limits().MaxLimScale, 3);
    EXPECT_FALSE(box->itemIcon(11).isNull());
    EXPECT_TRUE(box->itemIcon(13).isNull());  // 150% no longer
}

TEST_F(SchemaWindow, EditsReachTheDrawing)
{
    TMainForm main(config);
    TChildForm* doc = main.OpenPath(WriteMine(QStringLiteral("a.irv"), Line));
    TShema2DForm* schema = main.OpenSchema();
    const double right = schema->View().Extent().right();
    Uzel(doc, 4)->SetSX(float(right + 500));
    Settle();
    EXPECT_DOUBLE_EQ(schema->View().Extent().right(), right + 500);
    // A branch added in the tables joins the drawing.
    const size_t branches = schema->Scene()->VisibleBranches().size();
    TBranch::Create(doc->Mine(), 50, 2, 4)->Changed(true);
    Settle();
    EXPECT_EQ(schema->Scene()->VisibleBranches().size(), branches + 1);
}

TEST_F(SchemaWindow, FitsAnEmptyMineWithoutComplaint)
{
    TMainForm main(config);
    main.NewDocument();
    TShema2DForm* schema = main.OpenSchema();
    ASSERT_NE(schema, nullptr);
    schema->Action(QStringLiteral("ActPageScale"))->trigger();
    EXPECT_GT(schema->View().Scale(), 0);
    EXPECT_TRUE(std::isfinite(schema->View().Scale()));
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_FALSE(schema->Panel()->Picture().isNull());
}

TEST(SchemaStatusText, ReadsTheMouseFromTheOrigin)
{
    TViewGeometry view;
    view.SetClient(QSize(400, 300), 16);
    view.SetExtent(QRectF(0, 0, 100, 100));
    view.SetOrigin(QPointF(10, 20));
    view.SetScale(2);
    // 76 schema pixels (2 cm) right of and 19 (0.5 cm) above the origin.
    const QPointF origin(view.OffX() + 2 * 10, view.OffY() + 2 * 20);
    EXPECT_EQ(SchemaStatusText::CoordinateText(origin + QPointF(152, -38), view, 38),
              QStringLiteral(" X: 2.0 см  (76 пикс)       Y: -0.5 см  (-19 пикс)"));
    EXPECT_TRUE(SchemaStatusText::CoordinateText(QPointF(-1, 5), view, 38).isEmpty());

    MineBuilder mb;
    TUzel* u = mb.uzel(3);
    mb.uzel(4);
    TBranch* b = mb.branch(5, 3, 4);
    EXPECT_EQ(SchemaStatusText::ObjectText(u), QStringLiteral("Узел 3"));
    EXPECT_EQ(SchemaStatusText::ObjectText(b), QStringLiteral("Ветвь 5"));
    b->SetRemark(QStringLiteral("  ствол "));
    EXPECT_EQ(SchemaStatusText::ObjectText(b), QStringLiteral("Ветвь 5: ствол"));
}

TEST_F(SchemaWindow, StatusBarNamesTheNodeUnderTheMouse)
{
    TMainForm main(config);
    TChildForm* doc = main.OpenPath(WriteMine(QStringLiteral("a.irv"), Line));
    TShema2DForm* schema = main.OpenSchema();
    schema->resize(700, 500);
    Flush();
    schema->Panel()->Picture();
    const QPointF at = schema->View().ToScreen(QPointF(Uzel(doc, 4)->SX(), Uzel(doc, 4)->SY()));
    schema->ShowMouse(at + QPointF(1, 1));
    EXPECT_EQ(schema->StatusText(0), QStringLiteral("Узел 4"));
    EXPECT_EQ(schema->StatusText(2), SchemaStatusText::CoordinateText(at + QPointF(1, 1), schema->View(), 38));
    // Far out the read-out still fits its field whole.
    schema->SetScaleAboutCentre(0.05);
    schema->ShowMouse(QPointF(schema->Panel()->width() - 1, schema->Panel()->height() - 1));
    for (const QLabel* label : schema->statusBar()->findChildren<QLabel*>())
        if (label->text() == schema->StatusText(2)) {
            EXPECT_LE(label->fontMetrics().horizontalAdvance(label->text()) + 2 * label->frameWidth(), label->width());
        }
    // Node 2 lies under branch 40 (1 to 3), drawn over it last: the branch is what is there.
    schema->ShowMouse(schema->View().ToScreen(QPointF(Uzel(doc, 2)->SX(), Uzel(doc, 2)->SY())));
    EXPECT_EQ(schema->StatusText(0), QStringLiteral("Ветвь 40"));
}

TEST_F(SchemaWindow, BoundsAreStoredAndRestored)
{
    const QRect bounds(40, 50, 640, 480);
    {
        TMainForm main(config);
        main.OpenPath(WriteMine(QStringLiteral("a.irv"), Line));
        TShema2DForm* schema = main.OpenSchema();
        schema->resize(bounds.size());
        schema->move(bounds.topLeft());
        schema->close();
        Flush();
    }
    const std::optional<QByteArray> size = config.UserStore().readBinary(kSchemaInterfaceKey, kSchemaSizeValue);
    ASSERT_TRUE(size.has_value());
    EXPECT_EQ(size->size(), 8);
    EXPECT_EQ(LoadSchemaBounds(config.UserStore()), bounds);

    // A new run (nothing in memory) opens at the stored bounds.
    TMainForm main(config);
    main.OpenPath(WriteMine(QStringLiteral("b.irv"), Line));
    TShema2DForm* schema = main.OpenSchema();
    EXPECT_EQ(schema->size(), bounds.size());
    EXPECT_EQ(schema->pos(), bounds.topLeft());

    // A malformed value counts as missing.
    config.UserStore().writeBinary(kSchemaInterfaceKey, kSchemaPosValue, QByteArray(4, '\0'));
    EXPECT_FALSE(LoadSchemaBounds(config.UserStore()).has_value());
}

TEST_F(SchemaWindow, ViewStateOutlivesTheWindowWithinTheRun)
{
    TMainForm main(config);
    main.OpenPath(WriteMine(QStringLiteral("a.irv"), Wide));
    TShema2DForm* schema = main.OpenSchema();
    schema->SetScaleAboutCentre(2);
    schema->Action(QStringLiteral("ActQ"))->trigger();
    schema->Action(QStringLiteral("ActWaterArrows"))->trigger();
    schema->close();
    Flush();
    schema = main.OpenSchema();
    EXPECT_DOUBLE_EQ(schema->View().Scale(), 2);
    EXPECT_EQ(schema->ViewActions()->ResultBits(), quint16(rbQ));
    // The water arrows are off whenever the window opens.
    EXPECT_FALSE(schema->ViewActions()->WaterArrows());
}

TEST_F(SchemaWindow, MapScaleRescalesEveryOpenDocument)
{
    TMainForm main(config);
    TChildForm* a = main.OpenPath(WriteMine(QStringLiteral("a.irv"), Line));
    TChildForm* b = main.OpenPath(WriteMine(QStringLiteral("b.irv"), Wide));
    TShema2DForm* schema = main.OpenSchema();
    ASSERT_EQ(schema->Document(), b);
    const float aX = Uzel(a, 2)->SX();
    const float bX = Uzel(b, 3)->SX();
    const TSchemaFrame aFrame = a->SchemaFrame();
    ASSERT_GT(aX, 0);

    // What the settings dialog's OK does.
    config.Scale2D = 1000;
    for (TChildForm* doc : main.Documents())
        doc->ApplySettings();
    schema->MapScaleChanged();

    EXPECT_FLOAT_EQ(Uzel(a, 2)->SX(), 2 * aX);
    EXPECT_FLOAT_EQ(Uzel(b, 3)->SX(), 2 * bX);
    EXPECT_DOUBLE_EQ(a->SchemaFrame().F, 2 * aFrame.F);
    EXPECT_FLOAT_EQ(a->SchemaFrame().OX, 2 * aFrame.OX);
    EXPECT_DOUBLE_EQ(schema->View().F(), b->SchemaFrame().F);
    // Applying the same settings again moves nothing.
    a->ApplySettings();
    EXPECT_FLOAT_EQ(Uzel(a, 2)->SX(), 2 * aX);

    // A node's X edited in the table follows the document's own factor.
    ASSERT_TRUE(a->UzelModel()->setData(a->UzelModel()->index(1, 1), QStringLiteral("150")));
    EXPECT_FLOAT_EQ(Uzel(a, 2)->SX(), float(a->SchemaFrame().F * 150 + a->SchemaFrame().OX));
}

// Coming to the front draws nothing anew while nothing changed (it once recomputed the extent
// and repainted everything at every activation); a map scale changed meanwhile is caught up.
TEST_F(SchemaWindow, ActivationRedrawsOnlyWhatChangedMeanwhile)
{
    TMainForm main(config);
    TChildForm* doc = main.OpenPath(WriteMine(QStringLiteral("a.irv"), Wide));
    TShema2DForm* schema = main.OpenSchema();
    schema->resize(600, 400);
    Flush();
    TSchemaPanel* panel = schema->Panel();
    panel->Picture();
    const int draws = panel->DrawCount();
    QEvent activate(QEvent::WindowActivate);
    for (int i = 0; i < 3; ++i) {
        QCoreApplication::sendEvent(schema, &activate);
        panel->Picture();
    }
    EXPECT_EQ(panel->DrawCount(), draws);

    const float x = Uzel(doc, 3)->SX();
    config.Scale2D = 1000;
    QCoreApplication::sendEvent(schema, &activate);
    panel->Picture();
    EXPECT_GT(panel->DrawCount(), draws);
    EXPECT_FLOAT_EQ(Uzel(doc, 3)->SX(), 2 * x);
    EXPECT_EQ(schema->View().MapScale(), 1000);
}

TEST_F(SchemaWindow, GoingToTheSchemaCentresAndSelectsTheObject)
{
    TMainForm main(config);
    TChildForm* doc = main.OpenPath(WriteMine(QStringLiteral("a.irv"), Wide));
    TShema2DForm* schema = main.OpenSchema();
    schema->resize(600, 400);
    Flush();
    TUzel* far = Uzel(doc, 5);
    // The message list and the tables ask through the document's signal.
    emit doc->GotoSchemaRequested(far);
    const QPointF at = schema->View().ToScreen(QPointF(far->SX(), far->SY()));
    const QSize visible = schema->View().VisibleSize();
    EXPECT_NEAR(at.x(), visible.width() / 2.0, 1.5);
    EXPECT_NEAR(at.y(), visible.height() / 2.0, 1.5);
    EXPECT_TRUE(far->Selected());
    EXPECT_EQ(doc->Mine()->Selection.Count(), 1);
}

TEST_F(SchemaWindow, ScrollingDrawsOnlyTheUncoveredStrip)
{
    TMainForm main(config);
    main.OpenPath(WriteMine(QStringLiteral("a.irv"), Wide));
    TShema2DForm* schema = main.OpenSchema();
    schema->resize(600, 400);
    Flush();
    TSchemaPanel* panel = schema->Panel();
    panel->Picture();
    const int draws = panel->DrawCount();
    schema->SetScrollPosition(schema->View().ScrollPosition() + QPoint(10, 0));
    EXPECT_EQ(panel->DrawCount(), draws + 1);
    EXPECT_EQ(panel->LastClip(), QRect(panel->width() - 10, 0, 10, panel->height()));
    // The moved picture holds what a whole drawing holds.
    const int shifted = Ink(panel->Picture());
    panel->Invalidate();
    EXPECT_NEAR(Ink(panel->Picture()), shifted, shifted / 50 + 2);
}

// Every command and switch is reached through its own handle: one action each, under its own
// name, in the window's menus; the two arrow switches say which arrows they are.
TEST_F(SchemaWindow, CommandsAndSwitchesHaveTheirOwnActions)
{
    TMainForm main(config);
    main.OpenPath(WriteMine(QStringLiteral("a.irv"), Wide));
    TShema2DForm* schema = main.OpenSchema();
    std::set<QAction*> seen;
    std::set<QString> names;
    for (size_t i = 0; i < kSchemaCommandCount; ++i) {
        const auto command = TSchemaCommand(i);
        QAction* action = schema->Command(command);
        ASSERT_NE(action, nullptr) << i;
        EXPECT_EQ(action->objectName(), QString::fromLatin1(SchemaCommandName(command)));
        EXPECT_EQ(schema->Action(action->objectName()), action);
        seen.insert(action);
        names.insert(action->objectName());
    }
    TSchemaViewActions* view = schema->ViewActions();
    for (int i = 0; i < int(TViewAction::Count); ++i) {
        QAction* action = view->Action(TViewAction(i));
        ASSERT_NE(action, nullptr) << i;
        EXPECT_EQ(schema->Action(action->objectName()), action);
        seen.insert(action);
        names.insert(action->objectName());
    }
    EXPECT_EQ(seen.size(), kSchemaCommandCount + size_t(TViewAction::Count));
    EXPECT_EQ(names.size(), seen.size());
    EXPECT_EQ(schema->Action(QStringLiteral("ActQArrow")), nullptr);

    QAction* water = view->Action(TViewAction::WaterArrows);
    QAction* air = view->Action(TViewAction::AirArrows);
    EXPECT_EQ(water->text(), QStringLiteral("Направление воды"));
    EXPECT_EQ(air->text(), QStringLiteral("Направление движения воздуха"));
    const bool airBefore = schema->Drawing().Show.AirArrows;
    water->trigger();
    EXPECT_TRUE(schema->Drawing().Show.WaterArrows);
    EXPECT_EQ(schema->Drawing().Show.AirArrows, airBefore);
    air->trigger();
    EXPECT_NE(schema->Drawing().Show.AirArrows, airBefore);
    EXPECT_TRUE(schema->Drawing().Show.WaterArrows);
}

TEST(SchemaViewActions, SwitchRules)
{
    QWidget owner;
    TParams2D params;
    TSchemaViewActions actions(&owner, params);
    actions.Sync({});
    const auto act = [&](const char* name) { return actions.Action(QString::fromLatin1(name)); };

    // Branch information: choosing what is shown takes the labels away.
    act("ActLen")->trigger();
    EXPECT_EQ(params.BranchInfo, biLengths);
    EXPECT_TRUE(params.VisibleObjects & voBranchLabels);
    act("ActLen")->trigger();
    EXPECT_FALSE(params.VisibleObjects & voBranchLabels);
    EXPECT_FALSE(act("ActLen")->isChecked());
    // Device information likewise goes back to none.
    act("ActDevModels")->trigger();
    EXPECT_EQ(params.DevInfo, diModels);
    act("ActDevModels")->trigger();
    EXPECT_EQ(params.DevInfo, diNone);
    // The thin-branch action shows the negation of the stored value.
    EXPECT_TRUE(params.ThickBranch);
    EXPECT_FALSE(act("ActThickBranch")->isChecked());
    act("ActThickBranch")->trigger();
    EXPECT_FALSE(params.ThickBranch);
    EXPECT_TRUE(act("ActThickBranch")->isChecked());
    // Colouring by seams and pressures waits for seams and results.
    EXPECT_FALSE(act("ActColorLayers")->isEnabled());
    EXPECT_FALSE(act("ActColorPressures")->isEnabled());
    act("ActNonePipe")->trigger();
    EXPECT_EQ(params.PipeIndex, kPipeIndexNone);
    act("ActShowAllResults")->trigger();
    EXPECT_EQ(actions.ResultBits(), kAllResultBits);
    act("ActHideAllResults")->trigger();
    EXPECT_EQ(actions.ResultBits(), 0);
}

}  // namespace

// Looking at the sample mine in the window: at 100 %, fitted, at 15 % and 16 %, and by seams.
// The pictures are saved for a person to open (under a virtual X server they are the
// window as it shows); the checks are what the eye checks first: the drawing is there, and
// at 15 % the labels are gone.
TEST_F(SchemaWindow, PicturesOfTheSampleMine)
{
    TMainForm main(config);
    ASSERT_NE(main.OpenPath(QStringLiteral(IRVATA_SOURCE_DIR "/examples/sample_mine.irv")), nullptr);
    TShema2DForm* schema = main.OpenSchema();
    ASSERT_NE(schema, nullptr);
    schema->resize(1200, 800);
    schema->show();
    Flush();

    auto take = [&](const QString& name) {
        Flush();
        const QImage picture = Pictures::Take(schema, name);
        return Pictures::InkPixels(picture, Pictures::AreaOf(schema->Panel(), schema, picture));
    };
    schema->SetScaleAboutCentre(1);
    EXPECT_GT(take(QStringLiteral("schema-100")), 1000);
    schema->FitWhole();
    EXPECT_GT(take(QStringLiteral("schema-fit")), 1000);
    schema->SetScaleAboutCentre(0.16);
    const int at16 = take(QStringLiteral("schema-16"));
    schema->SetScaleAboutCentre(0.15);
    const int at15 = take(QStringLiteral("schema-15"));
    EXPECT_GT(at16, at15 * 3 / 2);  // nodes, numbers and devices gone, branch lines left
    schema->FitWhole();
    schema->ViewActions()->Action(QStringLiteral("ActColorLayers"))->trigger();
    EXPECT_GT(take(QStringLiteral("schema-seams")), 1000);
}

// The mouse: a click selects (and the tables follow); dragging a node moves it only in the
// editor mode, by the drag over the scale, and marks it placed by hand; Esc takes a drag back;
// a zoom-tool click under 11 pixels is a step, not a rectangle.
TEST_F(SchemaWindow, ClicksSelectAndEditorDragsMoveNodes)
{
    TMainForm main(config);
    TChildForm* doc = main.OpenPath(WriteMine(QStringLiteral("a.irv"), Line));
    TShema2DForm* schema = main.OpenSchema();
    schema->resize(700, 500);
    Flush();
    schema->SetScaleAboutCentre(2);
    TUzel* node = Uzel(doc, 4);
    const QPointF at = schema->View().ToScreen(QPointF(node->SX(), node->SY()));
    const QPointF sx(node->SX(), node->SY());

    auto drag = [&](QPointF by) {
        schema->Press(at, Qt::LeftButton, Qt::NoModifier);
        schema->Move(at + by / 2);
        schema->Release(at + by, Qt::LeftButton, Qt::NoModifier);
        Flush();
    };
    drag(QPointF(30, 20));
    EXPECT_TRUE(node->Selected());
    EXPECT_EQ(QPointF(node->SX(), node->SY()), sx);  // not in the editor mode
    EXPECT_FALSE(doc->IsModified());

    schema->SetEditorMode(true);
    drag(QPointF(30, 20));
    EXPECT_FLOAT_EQ(node->SX(), float(sx.x() + 15));
    EXPECT_FLOAT_EQ(node->SY(), float(sx.y() + 10));
    EXPECT_TRUE(node->PlacedByHand());
    EXPECT_TRUE(doc->IsModified());

    const QPointF moved(node->SX(), node->SY());
    const QPointF now = schema->View().ToScreen(moved);
    schema->Press(now, Qt::LeftButton, Qt::NoModifier);
    schema->Move(now + QPointF(40, 0));
    Pictures::Take(schema, QStringLiteral("schema-node-drag"));
    schema->CancelDrag();
    schema->Release(now + QPointF(40, 0), Qt::LeftButton, Qt::NoModifier);
    EXPECT_EQ(QPointF(node->SX(), node->SY()), moved);

    schema->SetTool(TShema2DForm::TTool::ZoomIn);
    schema->Press(QPointF(100, 100), Qt::LeftButton, Qt::NoModifier);
    schema->Release(QPointF(108, 105), Qt::LeftButton, Qt::NoModifier);
    EXPECT_DOUBLE_EQ(schema->View().Scale(), 3);
}

// The drawing-order commands work only in the editor mode and move the selected branch in
// the document's order (the branch table's too); "Номера и результаты" puts every label back.
TEST_F(SchemaWindow, OrderCommandsAndRestoringLabels)
{
    TMainForm main(config);
    TChildForm* doc = main.OpenPath(WriteMine(QStringLiteral("a.irv"), Line));
    TShema2DForm* schema = main.OpenSchema();
    Flush();
    TBranch* first = doc->Rows().BranchOrderVector().front();
    first->SetSelected(true);
    schema->MoveOrder(2);
    EXPECT_EQ(doc->Rows().BranchOrderVector().front(), first);  // not in the editor mode

    schema->SetEditorMode(true);
    schema->MoveOrder(2);
    EXPECT_EQ(doc->Rows().BranchOrderVector().back(), first);
    EXPECT_EQ(schema->Scene()->VisibleBranches().back(), first);
    EXPECT_EQ(doc->BranchModel()->rowCount(), 4);
    EXPECT_TRUE(doc->IsModified());

    TUzel* node = Uzel(doc, 1);
    node->SetNumberLabelOffset(TLabelOffset::Make(-40, 3));
    first->SetAutoPlaceLabel(false);
    schema->Restore(TRestoreDialog::rcLabels);
    EXPECT_EQ(node->NumberLabelOffset(), TLabelOffset::Make(12, 12));
    EXPECT_TRUE(first->AutoPlaceLabel());
}

// The information panel: the mine's counts on top, the clicked object below, items padded
// with dots; a click on nothing clears it.
TEST_F(SchemaWindow, InformationPanelDescribesTheClickedObject)
{
    TMainForm main(config);
    TChildForm* doc = main.OpenPath(WriteMine(QStringLiteral("a.irv"), Line));
    TShema2DForm* schema = main.OpenSchema();
    schema->resize(700, 500);
    Flush();
    EXPECT_TRUE(schema->InfoPanel()->SummaryText().contains(QStringLiteral("  Ветвей: 4\n  Узлов: 4")));
    TUzel* node = Uzel(doc, 4);
    const QPointF at = schema->View().ToScreen(QPointF(node->SX(), node->SY()));
    schema->Press(at, Qt::LeftButton, Qt::NoModifier);
    schema->Release(at, Qt::LeftButton, Qt::NoModifier);
    const QString text = schema->InfoPanel()->DescriptionText();
    EXPECT_TRUE(text.startsWith(QStringLiteral("Узел 4\n\n  X (м)..."))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral(". 300.0\n"))) << text.toStdString();
    EXPECT_TRUE(text.endsWith(QStringLiteral("  Инцид. ветвей: 1"))) << text.toStdString();
    schema->Press(QPointF(2, 2), Qt::LeftButton, Qt::NoModifier);
    schema->Release(QPointF(2, 2), Qt::LeftButton, Qt::NoModifier);
    EXPECT_TRUE(schema->InfoPanel()->DescriptionText().isEmpty());
}

// The overview map: the whole drawing fits it, the frame is the visible part, dragging the
// frame scrolls the schema and never leaves the page, and a frame too small to see is
// drawn 5 pixels wide.
TEST_F(SchemaWindow, OverviewMapFramesAndScrollsTheView)
{
    TMainForm main(config);
    main.OpenPath(WriteMine(QStringLiteral("b.irv"), Wide));
    TShema2DForm* schema = main.OpenSchema();
    schema->resize(700, 500);
    schema->show();
    Flush();
    schema->SetScaleAboutCentre(1);
    schema->SetScrollPosition(QPoint());
    schema->Action(QStringLiteral("ActMap"))->trigger();
    TMapForm* map = schema->Map();
    ASSERT_NE(map, nullptr);
    EXPECT_TRUE(schema->Action(QStringLiteral("ActMap"))->isChecked());
    const QRectF page = map->Page();
    EXPECT_LE(page.width(), map->width() + 1.0);
    EXPECT_LE(page.height(), map->height() + 1.0);
    const QRectF frame = map->Frame();
    EXPECT_EQ(frame.topLeft(), page.topLeft());
    EXPECT_NEAR(frame.width() / page.width(), schema->View().VisibleSize().width() / schema->View().TotalWidth(), 0.02);

    QTest::mousePress(map, Qt::LeftButton, Qt::NoModifier, frame.center().toPoint());
    QTest::mouseMove(map, (frame.center() + QPointF(1000, 1000)).toPoint());
    QTest::mouseRelease(map, Qt::LeftButton, Qt::NoModifier, (frame.center() + QPointF(1000, 1000)).toPoint());
    EXPECT_NEAR(map->Frame().right(), page.right(), 1.5);
    EXPECT_NEAR(map->Frame().bottom(), page.bottom(), 1.5);
    // The schema scrolled to its end, within one map pixel.
    EXPECT_NEAR(schema->View().ScrollPosition().x(), schema->View().HorizontalBar().MaxPosition(),
                schema->View().Scale() / map->Factor() + 1);
    Pictures::Take(map, QStringLiteral("schema-map"));

    schema->SetScaleAboutCentre(30);
    EXPECT_GE(map->Frame().width(), 5);
    EXPECT_GE(map->Frame().height(), 5);
    schema->Action(QStringLiteral("ActMap"))->trigger();
    Flush();
    EXPECT_EQ(schema->Map(), nullptr);
}

// A double click on a branch opens the pipe window on it.
TEST_F(SchemaWindow, DoubleClickOpensThePipeWindow)
{
    TMainForm main(config);
    TChildForm* doc = main.OpenPath(WriteMine(QStringLiteral("a.irv"), Line));
    TShema2DForm* schema = main.OpenSchema();
    schema->resize(700, 500);
    Flush();
    TBranch* branch = doc->Mine()->Branches.Items(2);  // 30: nodes 3 to 4, under no other branch
    const QPointF mid = schema->View().ToScreen(
        (QPointF(branch->StartUzel()->SX(), branch->StartUzel()->SY()) + QPointF(branch->EndUzel()->SX(), branch->EndUzel()->SY())) / 2);
    schema->DoubleClick(mid);
    Flush();
    ASSERT_NE(main.PipeEditor(), nullptr);
    EXPECT_EQ(main.PipeEditor()->Branch(), branch);
}

// In the editor mode a selected device slides along its branch with the mouse; Esc puts it
// back where it was.
TEST_F(SchemaWindow, DevicesSlideAlongTheirBranchInTheEditorMode)
{
    TMainForm main(config);
    TChildForm* doc = main.OpenPath(WriteMine(QStringLiteral("a.irv"), Line));
    TBranch* branch = doc->Mine()->Branches.Items(2);  // 30: nodes 3 to 4
    TDevice* gate = TDevice::CreateDevice(branch, branch->FirePipe(), dkGate);
    gate->SetPosition(0.5);
    TShema2DForm* schema = main.OpenSchema();
    schema->resize(700, 500);
    Flush();
    schema->SetEditorMode(true);
    const QPointF a = schema->View().ToScreen(QPointF(branch->StartUzel()->SX(), branch->StartUzel()->SY()));
    const QPointF e = schema->View().ToScreen(QPointF(branch->EndUzel()->SX(), branch->EndUzel()->SY()));
    const QPointF at = (a + e) / 2;
    schema->Press(at, Qt::LeftButton, Qt::NoModifier);  // selects it
    schema->Release(at, Qt::LeftButton, Qt::NoModifier);
    schema->Press(at, Qt::LeftButton, Qt::NoModifier);
    schema->Move(at + (e - a) / 4);
    EXPECT_NEAR(gate->Position(), 0.75, 1e-6);
    schema->CancelDrag();
    EXPECT_DOUBLE_EQ(gate->Position(), 0.5);
    schema->Release(at + (e - a) / 4, Qt::LeftButton, Qt::NoModifier);

    schema->Press(at, Qt::LeftButton, Qt::NoModifier);
    schema->Move(at - (e - a) / 4);
    schema->Release(at - (e - a) / 4, Qt::LeftButton, Qt::NoModifier);
    Flush();
    EXPECT_NEAR(gate->Position(), 0.25, 1e-6);
    EXPECT_TRUE(doc->IsModified());
}

// The wheel steps through the zoom table (touchpads' small parts add up to a notch) and takes
// the focus to the scale box.
TEST_F(SchemaWindow, WheelStepsThroughTheZoomTable)
{
    TMainForm main(config);
    main.OpenPath(WriteMine(QStringLiteral("a.irv"), Line));
    TShema2DForm* schema = main.OpenSchema();
    schema->resize(700, 500);
    Flush();
    schema->SetScaleAboutCentre(1);
    auto turn = [&](int delta) {
        QWheelEvent wheel(QPointF(50, 50), schema->Panel()->mapToGlobal(QPointF(50, 50)), QPoint(), QPoint(0, delta),
                          Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(schema->Panel(), &wheel);
    };
    turn(120);
    EXPECT_DOUBLE_EQ(schema->View().Scale(), 1.5);
    turn(-60);
    EXPECT_DOUBLE_EQ(schema->View().Scale(), 1.5);
    turn(-60);
    EXPECT_DOUBLE_EQ(schema->View().Scale(), 1);
}

// Typing into the scale box the way a person does: key by key, then Enter. A typed number is
// that number (the list runs from 3000 % down, and a completing box took 100 for 1000 %), a
// trailing per-cent sign is one sign, and a refusal is told at once, not at the next click.
TEST_F(SchemaWindow, TypedScaleMeansWhatWasTyped)
{
    TMainForm main(config);
    main.OpenPath(WriteMine(QStringLiteral("a.irv"), Line));
    TShema2DForm* schema = main.OpenSchema();
    Flush();
    TScaleComboBox* box = schema->ScaleBox();
    QLineEdit* edit = box->lineEdit();
    schema->SetScaleAboutCentre(1.5);
    const auto type = [&](const QString& keys) {
        edit->selectAll();
        edit->del();
        QTest::keyClicks(edit, keys);
        const QString typed = edit->text();
        QTest::keyClick(edit, Qt::Key_Return);
        return typed;
    };
    EXPECT_EQ(type(QStringLiteral("100")), QStringLiteral("100"));
    EXPECT_DOUBLE_EQ(schema->View().Scale(), 1);
    EXPECT_EQ(type(QStringLiteral("50")), QStringLiteral("50"));
    EXPECT_DOUBLE_EQ(schema->View().Scale(), 0.5);
    EXPECT_EQ(box->currentText(), QStringLiteral("50%"));
    EXPECT_EQ(type(QStringLiteral("20%")), QStringLiteral("20%"));
    EXPECT_DOUBLE_EQ(schema->View().Scale(), 0.2);
    // A scale that is not in the list at all; Enter asks for it once.
    QSignalSpy chosen(box, &TScaleComboBox::ScaleChosen);
    type(QStringLiteral("37"));
    EXPECT_DOUBLE_EQ(schema->View().Scale(), 0.37);
    EXPECT_EQ(chosen.count(), 1);
    // Confirming a scale does not make it its own previous one.
    schema->Action(QStringLiteral("ActPreviousScale"))->trigger();
    EXPECT_DOUBLE_EQ(schema->View().Scale(), 0.2);

    const size_t before = messages.shown.size();
    type(QStringLiteral("abc"));
    ASSERT_EQ(messages.shown.size(), before + 1) << "refused on Enter";
    EXPECT_EQ(messages.LastText(), QStringLiteral("Некорректное значение"));
    EXPECT_EQ(box->currentText(), QStringLiteral("20%"));
    // Leaving the box later tells nothing more.
    edit->clearFocus();
    schema->Panel()->setFocus();
    Flush();
    EXPECT_EQ(messages.shown.size(), before + 1);
}

// A found object blinks by the window's own timer: each step toggles it and draws only its
// part of the picture again, without a mouse move; activating the window (as closing the find
// dialog does) does not end it, and an object deleted meanwhile ends it quietly.
TEST_F(SchemaWindow, FoundObjectBlinksWithoutTheMouse)
{
    TMainForm main(config);
    TChildForm* doc = main.OpenPath(WriteMine(QStringLiteral("a.irv"), Wide));
    TShema2DForm* schema = main.OpenSchema();
    schema->resize(600, 400);
    Flush();
    TUzel* far = Uzel(doc, 4);
    schema->FindObject(far);
    ASSERT_TRUE(QTest::qWaitFor([&] { return schema->Blinks(); }));
    schema->MapScaleChanged();  // what activation does
    ASSERT_TRUE(schema->Blinks());
    (void)schema->Panel()->Picture();
    const QPointF at = schema->View().ToScreen(QPointF(far->SX(), far->SY()));

    for (int tick = 0; tick < 2; ++tick) {
        const TMineObject* before = schema->Blinking();
        const int draws = schema->Panel()->DrawCount();
        schema->BlinkTick();
        EXPECT_NE(schema->Blinking(), before) << tick;
        EXPECT_EQ(schema->Panel()->DrawCount(), draws + 1) << tick;
        const QRect clip = schema->Panel()->LastClip();
        EXPECT_TRUE(clip.contains(at.toPoint())) << tick;
        EXPECT_LT(clip.width(), schema->Panel()->width() / 2) << "only the object's area";
    }
    // Drawn in the selected colour while on, without being selected.
    if (!schema->Blinking())
        schema->BlinkTick();
    ASSERT_EQ(schema->Blinking(), far);
    EXPECT_FALSE(far->Selected());
    const QImage on = schema->Panel()->Picture().copy();
    schema->BlinkTick();
    const QImage off = schema->Panel()->Picture().copy();
    EXPECT_NE(on, off);

    // The node goes: the next step stops the blinking, and nothing reads the freed node.
    doc->Mine()->DeleteUzel(far);
    schema->BlinkTick();
    EXPECT_FALSE(schema->Blinks());
    EXPECT_EQ(schema->Blinking(), nullptr);
}

// A branch comment of 5 000 characters and a long mine name: the information panel shows them
// cut to its width with the whole text as its hint, and neither it nor the window grows.
TEST_F(SchemaWindow, LongCommentsDoNotWidenTheInformationPanel)
{
    TMainForm main(config);
    TChildForm* doc = main.OpenPath(WriteMine(QStringLiteral("a.irv"), Line));
    QString remark;
    while (remark.size() < 5000)
        remark += QStringLiteral("откаточный штрек ");
    TBranch* branch = doc->Mine()->Branches.Items(0);
    branch->SetRemark(remark);
    TShema2DForm* schema = main.OpenSchema();
    schema->resize(900, 600);
    Flush();
    const int panelWidth = schema->Panel()->width();
    schema->InfoPanel()->ShowObject(branch);
    Flush();
    EXPECT_EQ(schema->width(), 900);
    EXPECT_LT(schema->InfoPanel()->width(), 450);
    EXPECT_GE(schema->Panel()->width(), panelWidth - 2) << "the drawing keeps its room";
    EXPECT_LT(schema->InfoPanel()->sizeHint().width(), 450);
    for (const QString& line : schema->InfoPanel()->DescriptionText().split(QLatin1Char('\n')))
        EXPECT_LE(schema->InfoPanel()->fontMetrics().horizontalAdvance(line), 340) << line.left(40).toStdString();
    EXPECT_TRUE(schema->InfoPanel()->findChild<QLabel*>(QStringLiteral("ObjectDescription"))->toolTip().contains(remark.trimmed()));
    Pictures::Take(schema, QStringLiteral("schema-long-comment"));
}

// The first view of a document shows the whole mine ("Схема целиком"), not the top-left
// corner at 100 %; reopened on the same document the window shows the view it was left with,
// and a document it has not shown yet is shown whole again.
TEST_F(SchemaWindow, FirstViewShowsTheWholeMine)
{
    TMainForm main(config);
    TChildForm* a = main.OpenPath(WriteMine(QStringLiteral("a.irv"), Wide));
    TShema2DForm* schema = main.OpenSchema();
    Flush();
    const auto whole = [](const TShema2DForm* s) {
        const QRectF extent = s->View().Extent();
        const QRectF shown(s->View().ToScreen(extent.topLeft()), s->View().ToScreen(extent.bottomRight()));
        return QRectF(QPointF(0, 0), QSizeF(s->View().VisibleSize())).contains(shown) &&
               shown.width() > 0.5 * s->View().VisibleSize().width();
    };
    EXPECT_LT(schema->View().Scale(), 1);
    EXPECT_TRUE(whole(schema));
    Pictures::Take(schema, QStringLiteral("schema-first-view"));

    schema->SetScaleAboutCentre(2);
    schema->close();
    Flush();
    schema = main.OpenSchema();
    Flush();
    EXPECT_DOUBLE_EQ(schema->View().Scale(), 2) << "the same document: the view it was left with";

    TChildForm* b = main.OpenPath(WriteMine(QStringLiteral("b.irv"), Wide));
    Flush();
    ASSERT_EQ(schema->Document(), b);
    EXPECT_TRUE(whole(schema));
    (void)a;
}
