// The 3D topology window on a real OpenGL context (Mesa under Xvfb; skipped where the platform
// has none): picking a node and a branch at their projected places, and how it looks.

#include "ui/document/DocumentTestSupport.h"

#include "core/model/Branch.h"
#include "core/model/Mine.h"
#include "core/model/Uzel.h"
#include "ui/app/MainForm.h"
#include "ui/support/Pictures.h"
#include "ui/topology3d/TopolChemaForm.h"
#include "ui/topology3d/TopologyGlView.h"

#include <QAction>
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
    QTest::qWait(50);
    Pictures::Take(form, QStringLiteral("topology-solid"));
}
