// The 3D topology window on a real OpenGL context (Mesa under Xvfb; skipped where the platform
// has none): picking a node and a branch at their projected places, and how it looks.

#include "ui/document/DocumentTestSupport.h"

#include "core/hydraulics/HydroResults.h"
#include "core/model/Branch.h"
#include "core/model/Layer.h"
#include "core/model/Mine.h"
#include "core/model/Pipe.h"
#include "core/model/PipePart.h"
#include "core/model/Uzel.h"
#include "ui/app/MainForm.h"
#include "ui/support/Pictures.h"
#include "ui/topology3d/TopolChemaForm.h"
#include "ui/topology3d/TopologyGlView.h"

#include <QAction>
#include <QDockWidget>
#include <QFile>
#include <QMenu>
#include <QPrinter>
#include <QScrollBar>
#include <QTest>

namespace {

class TopologyWindow : public DocumentTest {
protected:
    // A shaft from node 1 down to 2, then a drift east to 3 and north to 4.
    static void Shaft(MineBuilder& mb)
    {
        mb.uzel(1, 0, 0, 0);
        mb.uzel(2, 0, 0, -300);
        mb.uzel(3, 400, 0, -300);
        mb.uzel(4, 400, 300, -300);
        mb.firePipe(10, 1, 2);
        mb.firePipe(20, 2, 3);
        mb.firePipe(30, 3, 4);
    }

    // Every fire pipe's sections, the pressure falling from 170 m by 50 m a branch.
    static std::unique_ptr<THydroResults> FallingPressures(TMine& mine)
    {
        auto results = std::make_unique<THydroResults>();
        double p = 170;
        for (TBranch* b : mine.Branches)
            for (int i = 0; i < b->FirePipe()->SectionCount(); ++i) {
                results->AddSection(b, static_cast<TWaterPipePart*>(b->FirePipe()->GetSection(i)), {12, 0, 50, p, p - 50});
                p -= 50;
            }
        results->Reindex();
        return results;
    }
};

}  // namespace

TEST_F(TopologyWindow, ClicksPickNodesAndBranchesAtTheirProjectedPlaces)
{
    TMainForm main(config);
    TChildForm* doc = main.OpenPath(WriteMine(QStringLiteral("t.irv"), Shaft));
    ASSERT_NE(doc, nullptr);
    TTopolChemaForm* form = main.OpenTopology();
    ASSERT_NE(form, nullptr);
    QTest::qWait(100);
    TTopologyGlView* gl = form->GlView();
    if (!gl || !gl->isValid()) {
        // The window says why and the program goes on.
        EXPECT_FALSE(form->Failure().isEmpty());
        GTEST_SKIP() << "no OpenGL context on this platform";
    }
    EXPECT_EQ(form->windowTitle(), QStringLiteral("Топология шахты \"test\""));
    form->Action(QStringLiteral("ActAutoZoom"))->setChecked(true);
    form->Action(QStringLiteral("ActNodeNumbers"))->setChecked(true);
    form->Action(QStringLiteral("ActGrid"))->setChecked(true);
    const TModelBox box = gl->Box();
    for (const auto& [plane, alpha, beta] : {std::tuple{"XY", 90.0, 0.0}, std::tuple{"YZ", 0.0, 90.0},
                                             std::tuple{"XZ", 0.0, 0.0}}) {
        form->Action(QStringLiteral("ActPlane") + QString::fromLatin1(plane))->trigger();
        EXPECT_EQ(gl->View().Alpha(), alpha);
        EXPECT_EQ(gl->View().Beta(), beta);
        QTest::qWait(50);
        Pictures::Take(form, QStringLiteral("topology-") + QString::fromLatin1(plane));
    }

    form->Action(QStringLiteral("ActPlaneXY"))->trigger();
    // The bars follow the view, and a bar turns it.
    auto* alphaBar = form->findChild<QScrollBar*>(QStringLiteral("AlphaBar"));
    auto* betaBar = form->findChild<QScrollBar*>(QStringLiteral("BetaBar"));
    ASSERT_TRUE(alphaBar && betaBar);
    EXPECT_EQ(alphaBar->value(), 90000);
    betaBar->setValue(45000);
    EXPECT_DOUBLE_EQ(gl->View().Beta(), 45);
    form->Action(QStringLiteral("ActPlaneXY"))->trigger();
    TMine& mine = *doc->Mine();
    const TUzel* four = mine.FirstUzelWithNumber(4);
    const QVector3D at = gl->View().Project(QVector3D(400, 300, -300), gl->size(), box);
    QTest::mouseClick(gl, Qt::LeftButton, Qt::NoModifier, QPoint(int(at.x()), int(at.y())));
    EXPECT_EQ(form->CurrentUzel(), four);

    // The middle of the drift 2-3, away from its nodes.
    const QVector3D mid = gl->View().Project(QVector3D(200, 0, -300), gl->size(), box);
    QTest::mouseClick(gl, Qt::LeftButton, Qt::ControlModifier, QPoint(int(mid.x()), int(mid.y())));
    ASSERT_NE(form->CurrentBranch(), nullptr);
    EXPECT_EQ(form->CurrentBranch()->Number(), 20);

    // Nothing under the click changes nothing.
    QTest::mouseClick(gl, Qt::LeftButton, Qt::NoModifier, QPoint(2, 2));
    EXPECT_EQ(form->CurrentUzel(), four);
    form->Action(QStringLiteral("ActSolid"))->setChecked(true);
    form->Action(QStringLiteral("ActGrid"))->setChecked(false);
    form->Action(QStringLiteral("ActAutoZoom"))->setChecked(false);
    gl->View().Set(QPoint(), 30, -35, 1.2);
    gl->update();
    QTest::qWait(50);
    Pictures::Take(form, QStringLiteral("topology-solid"));
}

// The seam menu hides a seam's branches here (and in the mine, for the plan); "Информация"
// hides the panel; the switches carry over to the next window even after the last one closed;
// "Печать" to a PDF file gives one page.
TEST_F(TopologyWindow, SeamsInformationRememberedSwitchesAndPrinting)
{
    TMainForm main(config);
    TChildForm* doc = main.OpenPath(WriteMine(QStringLiteral("t.irv"), [](MineBuilder& mb) {
        Shaft(mb);
        TLayer* seam = TLayer::Create(&mb.mine());
        seam->SetName(QStringLiteral("Пласт К3"));
        for (TBranch* b : mb.mine().Branches)
            if (b->Number() == 30)
                b->SetLayerIndex(0);
    }));
    ASSERT_NE(doc, nullptr);
    TTopolChemaForm* form = main.OpenTopology();
    ASSERT_NE(form, nullptr);
    QTest::qWait(100);
    if (!form->GlView() || !form->GlView()->isValid())
        GTEST_SKIP() << "no OpenGL context on this platform";
    auto* seams = form->findChild<QMenu*>(QStringLiteral("LayersMenu"));
    ASSERT_NE(seams, nullptr);
    emit seams->aboutToShow();
    ASSERT_EQ(seams->actions().size(), 1);
    EXPECT_EQ(seams->actions()[0]->text(), QStringLiteral("Пласт К3"));
    EXPECT_TRUE(seams->actions()[0]->isChecked());
    emit seams->triggered(seams->actions()[0]);
    EXPECT_FALSE(doc->Mine()->Layers.Items(0)->Visible());
    EXPECT_TRUE(doc->IsModified());
    form->Action(QStringLiteral("ActBranchNumbers"))->setChecked(true);
    form->Action(QStringLiteral("ActDirection"))->setChecked(true);
    form->Action(QStringLiteral("ActPipe1"))->trigger();

    form->Action(QStringLiteral("ActInfo"))->setChecked(false);
    EXPECT_FALSE(form->InfoPanel()->isVisible());

    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    const QString pdf = FilePath(QStringLiteral("topology.pdf"));
    printer.setOutputFileName(pdf);
    ASSERT_TRUE(form->PrintTo(printer));
    QFile file(pdf);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    EXPECT_TRUE(bytes.startsWith("%PDF"));
    EXPECT_TRUE(bytes.contains("/Count 1"));

    form->close();
    QTest::qWait(20);
    TTopolChemaForm* next = main.OpenTopology();
    ASSERT_NE(next, nullptr);
    QTest::qWait(50);
    EXPECT_TRUE(next->Action(QStringLiteral("ActBranchNumbers"))->isChecked());
    EXPECT_TRUE(next->Action(QStringLiteral("ActPipe1"))->isChecked());
    EXPECT_FALSE(next->Action(QStringLiteral("ActInfo"))->isChecked());
    EXPECT_FALSE(next->InfoPanel()->isVisible());
}

// The first view shows the whole mine, not a fragment at ×1.00; with automatic scaling each
// plane shows all of it (the plane XY used the zoom of the plane before and cut the top off).
TEST_F(TopologyWindow, FirstViewAndAutomaticScalingShowTheWholeMine)
{
    TMainForm main(config);
    main.OpenPath(WriteMine(QStringLiteral("long.irv"), [](MineBuilder& mb) {
        mb.uzel(1, 0, 0, 0);
        mb.uzel(2, 0, 0, -300);
        mb.uzel(3, 400, 2000, -300);
        mb.uzel(4, 3000, 2500, -250);
        mb.firePipe(10, 1, 2);
        mb.firePipe(20, 2, 3);
        mb.firePipe(30, 3, 4);
    }));
    TTopolChemaForm* form = main.OpenTopology();
    ASSERT_NE(form, nullptr);
    QTest::qWait(100);
    TTopologyGlView* gl = form->GlView();
    if (!gl || !gl->isValid())
        GTEST_SKIP() << "no OpenGL context on this platform";
    const auto whole = [gl](const char* what) {
        const TModelBox& box = gl->Box();
        QRectF projected;
        for (int corner = 0; corner < 8; ++corner) {
            const QVector3D p((corner & 1) ? box.Max.x() : box.Min.x(), (corner & 2) ? box.Max.y() : box.Min.y(),
                              (corner & 4) ? box.Max.z() : box.Min.z());
            const QVector3D at = gl->View().Project(p, gl->size(), box);
            projected |= QRectF(at.x(), at.y(), 0.001, 0.001);
        }
        EXPECT_TRUE(QRectF(QPointF(0, 0), QSizeF(gl->size())).contains(projected)) << what;
        EXPECT_GT(std::max(projected.width() / gl->width(), projected.height() / gl->height()), 0.8) << what;
    };
    EXPECT_NE(gl->View().Zoom(), 1.0);
    whole("first view");
    Pictures::Take(form, QStringLiteral("topology-first-view"));

    form->Action(QStringLiteral("ActAutoZoom"))->setChecked(true);
    for (const char* plane : {"ActPlaneXZ", "ActPlaneXY", "ActPlaneYZ", "ActPlaneXY"}) {
        form->Action(QString::fromLatin1(plane))->trigger();
        whole(plane);
    }
    QTest::qWait(50);
    Pictures::Take(form, QStringLiteral("topology-auto-xy"));
    // Turning with the bar keeps it whole too.
    form->findChild<QScrollBar*>(QStringLiteral("AlphaBar"))->setValue(30000);
    whole("turned");
}

// The 3D window's "По давлению" is there only with results, and falls back when they go.
TEST_F(TopologyWindow, ColouringByPressureFollowsTheDocumentsResults)
{
    TMainForm main(config);
    TChildForm* doc = main.OpenPath(WriteMine(QStringLiteral("t.irv"), Shaft));
    ASSERT_NE(doc, nullptr);
    TTopolChemaForm* form = main.OpenTopology();
    ASSERT_NE(form, nullptr);
    QTest::qWait(100);
    if (!form->GlView() || !form->GlView()->isValid())
        GTEST_SKIP() << "no OpenGL context on this platform";
    QAction* byPressure = form->Action(QStringLiteral("ActColour3"));
    ASSERT_NE(byPressure, nullptr);
    EXPECT_FALSE(byPressure->isEnabled());
    doc->SetHydroResults(FallingPressures(*doc->Mine()));
    QCoreApplication::processEvents();
    EXPECT_TRUE(byPressure->isEnabled());
    byPressure->trigger();
    EXPECT_TRUE(byPressure->isChecked());
    form->Action(QStringLiteral("ActAutoZoom"))->setChecked(true);
    QTest::qWait(50);
    Pictures::Take(form, QStringLiteral("topology-pressures"));
    doc->SetHydroResults(nullptr);
    QCoreApplication::processEvents();
    EXPECT_FALSE(byPressure->isEnabled());
    EXPECT_TRUE(form->Action(QStringLiteral("ActColour0"))->isChecked());
}
