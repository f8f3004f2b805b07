#include "render/topology3d/TopologyScene.h"
#include "render/topology3d/TopologyView.h"

#include "core/model/Branch.h"
#include "core/model/DeviceKinds.h"
#include "core/model/Layer.h"
#include "core/model/Mine.h"
#include "core/model/Pipe.h"
#include "support/MineBuilder.h"

#include <gtest/gtest.h>

// Vertices go as (X, Z, −Y); a branch of a hidden seam is skipped with its lone node; names are
// the branch index + 1 and branch count + node index + 1; a partial pipe covers its stretch.
TEST(TopologyScene, VerticesNamesHiddenSeamsAndPipeStretches)
{
    MineBuilder m;
    m.uzel(1, 10, 20, 30);
    m.uzel(2, 110, 20, 30);
    m.uzel(3, 110, 20, -70);
    TBranch* a = m.firePipe(10, 1, 2);
    a->FirePipe()->SetFractions(0, 0.5);
    TBranch* b = m.branch(20, 2, 3);
    TLayer* seam = TLayer::Create(&m.mine());
    b->SetLayerIndex(0);
    seam->SetVisible(false);

    TTopologySwitches s;
    TTopologyScene scene = TTopologyScene::Build(m.mine(), s);
    ASSERT_EQ(scene.BranchNames, (std::vector<quint32>{1}));
    EXPECT_EQ(scene.BranchVertices, (std::vector<float>{10, 30, -20, 110, 30, -20}));
    EXPECT_EQ(scene.BranchColors[0], TTopologyScene::kStandard);
    EXPECT_EQ(scene.NodeNames, (std::vector<quint32>{3, 4})) << "node 3 stays hidden with its branch";
    EXPECT_TRUE(scene.PipeVertices.empty());

    s.PipeIndex = 0;
    scene = TTopologyScene::Build(m.mine(), s, nullptr, m.mine().FirstUzelWithNumber(2));
    EXPECT_EQ(scene.BranchColors[0], TTopologyScene::kWithPipes);
    EXPECT_EQ(scene.PipeVertices, (std::vector<float>{10, 30, -20, 60, 30, -20}));
    EXPECT_EQ(scene.NodeColors[1], TTopologyScene::kHighlight);
    // Devices stand where they are along their branch, on the displayed pipe.
    m.device(a, dkGate, 0.25, 7);
    s.Devices = true;
    scene = TTopologyScene::Build(m.mine(), s);
    EXPECT_EQ(scene.DeviceVertices, (std::vector<float>{35, 30, -20}));
    EXPECT_EQ(scene.DeviceColors[0], TTopologyScene::DeviceColor(dkGate));
    s.PipeIndex = 1;
    EXPECT_TRUE(TTopologyScene::Build(m.mine(), s).DeviceVertices.empty());
    s.PipeIndex = 0;
    s.OnlyPipes = true;
    scene = TTopologyScene::Build(m.mine(), s);
    EXPECT_TRUE(scene.BranchVertices.empty() && scene.NodeVertices.empty());
    EXPECT_EQ(scene.PipeVertices.size(), 6u);
}

// The plane XY (alpha 90) shows the plan as it is, not mirrored: east to the right, north up;
// the centre of the model is the centre of the window; the fit takes the smaller ratio, so a
// flat mine is fitted by its width and a tall one by its height.
TEST(TopologyView, ProjectionAndFit)
{
    MineBuilder m;
    m.uzel(1, 0, 0, 0);
    m.uzel(2, 400, 200, 0);
    const TModelBox flat = TModelBox::Of(m.mine());
    EXPECT_FLOAT_EQ(flat.Size().z(), 0.01f);
    TTopologyView view;
    const QSize client(800, 600);
    view.Set({}, 90, 0, 1);
    const QVector3D centre = view.Project(QVector3D(200, 100, 0), client, flat);
    EXPECT_NEAR(centre.x(), 400, 1e-3);
    EXPECT_NEAR(centre.y(), 300, 1e-3);
    EXPECT_NEAR(centre.z(), 0, 1e-3) << "the centre is in the middle of the depth range, not clipped";
    const QVector3D east = view.Project(QVector3D(400, 100, 0), client, flat);
    const QVector3D north = view.Project(QVector3D(200, 200, 0), client, flat);
    EXPECT_NEAR(east.x(), 600, 1e-3);
    EXPECT_NEAR(north.y(), 200, 1e-3) << "north is up on the screen";
    EXPECT_NEAR(view.FitZoom(client, flat), 0.95 * 2, 1e-6);  // 800 / 400 across, 600 / 200 up
    // The plane XZ looks north from the south: east stays to the right.
    view.Set({}, 0, 0, 1);
    EXPECT_NEAR(view.Project(QVector3D(400, 100, 0), client, flat).x(), 600, 1e-3);
    EXPECT_NEAR(view.FitZoom(client, flat), 0.95 * 2, 1e-6) << "a flat mine seen edge-on still fits by its width";

    MineBuilder tall;
    tall.uzel(1, 0, 0, 0);
    tall.uzel(2, 10, 0, -1200);
    EXPECT_NEAR(view.FitZoom(client, TModelBox::Of(tall.mine())), 0.95 * 0.5, 1e-6);
    view.Set(QPoint(5, 0), 200, -500, 99);
    EXPECT_EQ(view.Alpha(), 90);
    EXPECT_EQ(view.Beta(), -180);
    EXPECT_EQ(view.Zoom(), 20);
}

// The grid covers the nodes and the central point, on the central point's multiples of the
// step; the two lines through the central point stand apart.
TEST(TopologyGrid, AlignedOnTheCentralPoint)
{
    MineBuilder m;
    m.uzel(1, 50, 50, -10);
    m.uzel(2, 450, 250, -10);
    const TTopologyGrid grid = TTopologyGrid::Build(m.mine(), 200, -100);
    // The central point is (0, 0): x from 0 to 600, y from 0 to 400 → 4 + 3 lines, 2 of them
    // through the centre.
    EXPECT_EQ(grid.CentreLines.size(), 12u);
    EXPECT_EQ(grid.Lines.size(), 5u * 6);
    EXPECT_EQ(grid.Area, (std::vector<float>{0, -100, 0, 600, -100, 0, 600, -100, -400, 0, -100, -400}));
}
