#include "render/topology3d/TopologyScene.h"
#include "render/topology3d/TopologyPrint.h"
#include "render/topology3d/TopologySolids.h"
#include "render/topology3d/TopologyView.h"

#include "core/model/Branch.h"
#include "core/model/DeviceKinds.h"
#include "core/model/Layer.h"
#include "core/model/Mine.h"
#include "core/model/Pipe.h"
#include "core/model/PipePart.h"
#include "core/hydraulics/HydroResults.h"
#include "render/schema2d/PressureColouring.h"
#include "support/MineBuilder.h"

#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

#include <cmath>

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

    // Turned by 30 degrees about the vertical (beta) the plan turns counter-clockwise seen
    // from above; then tilted by 30 about the screen's X axis (alpha). At 0 and 90 degrees a
    // reversed angle or a swapped order of the two turns looks the same.
    const QVector3D north30 = QVector3D(200, 200, 0);
    view.Set({}, 0, 30, 1);
    EXPECT_NEAR(view.Project(north30, client, flat).x(), 400 - 50, 1e-3);
    EXPECT_NEAR(view.Project(north30, client, flat).y(), 300, 1e-3);
    EXPECT_NEAR(view.Project(QVector3D(400, 100, 0), client, flat).x(), 400 + 200 * std::sqrt(3.0) / 2, 1e-3);
    view.Set({}, 30, 30, 1);
    EXPECT_NEAR(view.Project(north30, client, flat).x(), 400 - 50, 1e-3);
    EXPECT_NEAR(view.Project(north30, client, flat).y(), 300 - 100 * std::sqrt(3.0) / 2 * 0.5, 1e-3);
    view.Set({}, 0, 0, 1);

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

// Pressure colouring splits a branch into its colour stretches, one name for all of them, with
// no node at the cut; the direction marks follow the flow of each section of the displayed water
// pipe, or the air when none is displayed.
TEST(TopologyScene, PressureStretchesAndDirectionMarks)
{
    MineBuilder m;
    m.uzel(1, 0, 0, 0);
    m.uzel(2, 100, 0, 0);
    m.uzel(3, 100, 100, 0);
    TBranch* a = m.firePipe(10, 1, 2);
    TBranch* b = m.branch(20, 2, 3);
    THydroResults results;
    // 100 m falling to 20 m: within the limits to the middle, short of pressure after it.
    results.AddSection(a, static_cast<TWaterPipePart*>(a->FirePipe()->GetSection(0)), {10, 0, 0, 100, 20});
    results.Reindex();
    TTopologySwitches s;
    s.ColorMode = 3;
    EXPECT_EQ(TTopologyScene::Build(m.mine(), s).BranchNames, (std::vector<quint32>{1, 2})) << "no results, one colour";
    s.Results = &results;
    TTopologyScene scene = TTopologyScene::Build(m.mine(), s);
    ASSERT_EQ(scene.BranchNames, (std::vector<quint32>{1, 1, 2}));
    const QColor normal = PressureColouring::Color(TPressureClass::Normal);
    const TTopologyScene::Rgb normalRgb{float(normal.redF()), float(normal.greenF()), float(normal.blueF())};
    EXPECT_EQ(scene.BranchColors[0], normalRgb);
    EXPECT_FLOAT_EQ(scene.BranchVertices[3], 50);
    EXPECT_EQ(scene.SegmentEnds[0], (std::array<quint8, 2>{1, 0}));
    EXPECT_EQ(scene.SegmentEnds[1], (std::array<quint8, 2>{0, 2}));
    EXPECT_EQ(scene.Branches.size(), 2u) << "one number a branch";

    // The fire-fighting pipe shown: coloured by the same stretches.
    s.PipeIndex = 0;
    scene = TTopologyScene::Build(m.mine(), s);
    ASSERT_EQ(scene.PipeColors.size(), 4u);
    EXPECT_EQ(scene.PipeColors[0], normalRgb);
    EXPECT_NE(scene.PipeColors[2], scene.PipeColors[0]);

    b->SetAirQ(-5);
    s = TTopologySwitches{};
    s.Direction = true;
    scene = TTopologyScene::Build(m.mine(), s);
    ASSERT_EQ(scene.DirectionColors.size(), 1u);
    // Air against the branch: from node 3 towards node 2, so the second point is further south.
    EXPECT_LT(-scene.DirectionVertices[5], -scene.DirectionVertices[2]);
    s.PipeIndex = 0;
    EXPECT_TRUE(TTopologyScene::Build(m.mine(), s).DirectionColors.empty()) << "no stored flow, no water mark";
}

// A box along each segment: twelve triangles and four long edges. A steep segment stands vertical,
// with its cross section level; the box stops short of a node where three branches meet and
// reaches past one where two meet.
TEST(TopologySolids, BoxesAlongSegments)
{
    MineBuilder m;
    m.uzel(1, 0, 0, 0);
    m.uzel(2, 100, 0, 0);
    m.uzel(3, 100, 0, -200);
    m.uzel(4, 200, 0, 0);
    m.uzel(5, 100, 50, 0);
    m.branch(10, 1, 2);
    m.branch(20, 2, 3);
    m.branch(30, 2, 4);
    m.branch(40, 4, 5);
    const TTopologyScene scene = TTopologyScene::Build(m.mine(), TTopologySwitches{});
    const TTopologySolids solids = TTopologySolids::Build(scene);
    ASSERT_EQ(solids.Triangles.size(), 4u * 36 * 3);
    ASSERT_EQ(solids.Outline.size(), 4u * 8 * 3);
    auto xRange = [&](int segment) {
        float lo = 1e9f, hi = -1e9f;
        for (int k = 0; k < 36; ++k) {
            lo = std::min(lo, solids.Triangles[(segment * 36 + k) * 3]);
            hi = std::max(hi, solids.Triangles[(segment * 36 + k) * 3]);
        }
        return std::pair{lo, hi};
    };
    // 1-2: from the dead end at 0 to 2 m short of node 2, where three meet.
    EXPECT_FLOAT_EQ(xRange(0).first, 0);
    EXPECT_FLOAT_EQ(xRange(0).second, 100 - TTopologySolids::kSphereRadius);
    // 2-4 reaches past node 4, where two meet, by half the width.
    EXPECT_FLOAT_EQ(xRange(2).second, 200 + TTopologySolids::kHalfWidth);
    // The shaft 2-3: every corner at one end lies on one level.
    const float* shaft = &solids.Triangles[1 * 36 * 3];
    float top = -1e9f;
    for (int k = 0; k < 36; ++k)
        top = std::max(top, shaft[k * 3 + 1]);
    int atTop = 0;
    for (int k = 0; k < 36; ++k)
        atTop += shaft[k * 3 + 1] == top;
    EXPECT_EQ(atTop, 18) << "the upper cap and the upper halves of the four sides";
}

// The printed page keeps the picture's proportions, below the caption, inside 1 cm margins.
TEST(TopologyPrint, PictureFittedBelowTheCaption)
{
    QImage page(2100, 2970, QImage::Format_RGB32);  // A4 at 100 dots a centimetre
    page.fill(Qt::white);
    QImage picture(400, 200, QImage::Format_RGB32);
    picture.fill(Qt::black);
    QPainter p(&page);
    const QRectF at = TopologyPrint::PaintPage(p, QRectF(0, 0, 2100, 2970), 100, picture, QStringLiteral("Топология шахты"));
    p.end();
    EXPECT_DOUBLE_EQ(at.width(), 1900);
    EXPECT_DOUBLE_EQ(at.height(), 950);
    EXPECT_GT(at.top(), 100 + 30) << "below the caption";
    EXPECT_EQ(page.pixelColor(1050, int(at.center().y())), QColor(Qt::white)) << "the black background on paper";
    EXPECT_EQ(page.pixelColor(1050, int(at.bottom()) + 20), QColor(Qt::white));
}

// The screen's black background prints white, and what is drawn on it dark in its own hue:
// white numbers black, light grey branches dark grey, light blue nodes dark blue, the yellow
// highlight a darker yellow; the dark grid comes out light.
TEST(TopologyPrint, PaperIsWhiteAndLinesDark)
{
    QImage screen(6, 1, QImage::Format_RGB32);
    const QColor shades[] = {Qt::black, Qt::white, QColor::fromRgbF(0.8f, 0.8f, 0.8f), QColor::fromRgbF(0.8f, 0.8f, 1),
                             QColor(255, 255, 0), QColor::fromRgbF(0.2f, 0.4f, 0.2f)};
    for (int x = 0; x < 6; ++x)
        screen.setPixelColor(x, 0, shades[x]);
    const QImage paper = TopologyPrint::OnPaper(screen);
    EXPECT_EQ(paper.pixelColor(0, 0), QColor(Qt::white));
    EXPECT_EQ(paper.pixelColor(1, 0), QColor(Qt::black));
    for (int x = 2; x <= 4; ++x) {
        EXPECT_LT(paper.pixelColor(x, 0).lightnessF(), 0.4) << x;
        EXPECT_NEAR(paper.pixelColor(x, 0).hslHueF(), shades[x].hslHueF(), 0.02) << x;
    }
    EXPECT_GT(paper.pixelColor(5, 0).lightnessF(), 0.5) << "the grid goes light";

    // A printed page: no black area where the screen was black.
    QImage page(1000, 800, QImage::Format_RGB32);
    page.fill(Qt::white);
    QImage view(300, 200, QImage::Format_RGB32);
    view.fill(Qt::black);
    QPainter p(&page);
    const QRectF at = TopologyPrint::PaintPage(p, QRectF(0, 0, 1000, 800), 30, view, QStringLiteral("Топология"));
    p.end();
    int dark = 0;
    for (int y = int(at.top()) + 2; y < int(at.bottom()) - 2; ++y)
        for (int x = int(at.left()) + 2; x < int(at.right()) - 2; ++x)
            dark += page.pixelColor(x, y).lightnessF() < 0.5;
    EXPECT_EQ(dark, 0);
}

// The fitting zoom keeps every corner of the mine's box inside the window, in each plane and
// at slanted angles, for a mine long to the north in a wide, low window (the top of such a
// mine was cut off in the plane XY).
TEST(TopologyView, FitKeepsTheWholeBoxInTheWindow)
{
    MineBuilder m;
    m.uzel(1, 0, 0, 0);
    m.uzel(2, 400, 2000, -300);
    const TModelBox box = TModelBox::Of(m.mine());
    for (const QSize client : {QSize(600, 340), QSize(340, 600)})
        for (const auto& [alpha, beta] : {std::pair{90.0, 0.0}, std::pair{0.0, 90.0}, std::pair{0.0, 0.0},
                                          std::pair{35.0, 40.0}, std::pair{-60.0, -130.0}}) {
            TTopologyView view;
            view.Set({}, alpha, beta, 1);
            view.Set({}, alpha, beta, view.FitZoom(client, box));
            QRectF projected;
            for (int corner = 0; corner < 8; ++corner) {
                const QVector3D p((corner & 1) ? box.Max.x() : box.Min.x(), (corner & 2) ? box.Max.y() : box.Min.y(),
                                  (corner & 4) ? box.Max.z() : box.Min.z());
                const QVector3D at = view.Project(p, client, box);
                projected |= QRectF(at.x(), at.y(), 0.001, 0.001);
                EXPECT_GE(at.z(), -1.0f);
                EXPECT_LE(at.z(), 1.0f);
            }
            const QString where = QStringLiteral("%1x%2 at %3/%4").arg(client.width()).arg(client.height()).arg(alpha).arg(beta);
            EXPECT_TRUE(QRectF(QPointF(0, 0), QSizeF(client)).contains(projected)) << where.toStdString();
            // And it is a fit, not a speck: one side takes most of the window.
            EXPECT_GT(std::max(projected.width() / client.width(), projected.height() / client.height()), 0.9)
                << where.toStdString();
        }
}
