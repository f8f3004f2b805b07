#include "core/services/NodeTransform.h"
#include "core/schema/SchemaPositions.h"
#include "core/file/NetworkFile.h"
#include "support/MineBuilder.h"

#include <gtest/gtest.h>

namespace {

QByteArray Bytes(const TMine& mine)
{
    return NetworkFile::WriteBody(mine, TDocumentSettings::Defaults(), {}, kCurrentStreamVersion);
}

TTransformRequest Request(TTransformKind kind)
{
    TTransformRequest r;
    r.Kind = kind;
    r.SchemaFactor = SchemaFactor(kDefaultMapScale);  // 1.9 schema units per metre
    return r;
}

}  // namespace

TEST(NodeTransform, RotationTurnsThePlanClockwiseAboutTheCentreAndTheSchemaAboutItsImage)
{
    MineBuilder mb;
    TUzel* east = mb.uzel(1, 200, 50, 7);
    TUzel* north = mb.uzel(2, 100, 150, 0);
    TTransformRequest r = Request(TTransformKind::Rotate);
    r.AngleDegrees = 90;
    r.X0 = 100;
    r.Y0 = 50;
    NodeTransform::Apply(mb.mine(), mb.mine().Uzels.ToVector(), r);
    EXPECT_NEAR(east->X(), 100, 1e-9);
    EXPECT_NEAR(east->Y(), -50, 1e-9);
    EXPECT_DOUBLE_EQ(east->Z(), 7);
    EXPECT_NEAR(north->X(), 200, 1e-9);
    EXPECT_NEAR(north->Y(), 50, 1e-9);
    // Schema (200, 50) about (190, 95).
    EXPECT_NEAR(east->SX(), 145, 1e-3);
    EXPECT_NEAR(east->SY(), 85, 1e-3);

    MineBuilder thirty;
    TUzel* u = thirty.uzel(1, 1, 0, 0);
    r.AngleDegrees = 30;
    r.X0 = r.Y0 = 0;
    NodeTransform::Apply(thirty.mine(), {u}, r);
    EXPECT_NEAR(u->X(), std::sqrt(3.0) / 2, 1e-12);
    EXPECT_NEAR(u->Y(), -0.5, 1e-12);

    // 30 degrees about a centre off the origin, plan and schema: at 90 degrees the cosine
    // terms vanish, and about the origin the centre does.
    MineBuilder off;
    TUzel* w = off.uzel(1, 300, 100, 0);
    w->SetSX(400);
    w->SetSY(-20);
    r.AngleDegrees = 30;
    r.X0 = 100;
    r.Y0 = 50;
    NodeTransform::Apply(off.mine(), {w}, r);
    const double c = std::sqrt(3.0) / 2, s = 0.5;
    EXPECT_NEAR(w->X(), 100 + 200 * c + 50 * s, 1e-9);
    EXPECT_NEAR(w->Y(), 50 - 200 * s + 50 * c, 1e-9);
    // Schema (400, -20) about (190, 95).
    EXPECT_NEAR(w->SX(), 190 + 210 * c - 115 * s, 1e-3);
    EXPECT_NEAR(w->SY(), 95 - 210 * s - 115 * c, 1e-3);
}

TEST(NodeTransform, ShiftAndScaleActInOneStepOnTheSelectedNodesFromTheOldSchemaPosition)
{
    MineBuilder mb;
    TUzel* moved = mb.uzel(1, 10, 20, 30);
    TUzel* kept = mb.uzel(2, 40, 50, 60);
    moved->SetSelected(true);
    const auto area = NodeTransform::AreaNodes(mb.mine(), true, kept);
    ASSERT_EQ(area, std::vector<TUzel*>{moved});
    int notices = 0;
    mb.mine().Subscribe([&](TMine*, bool structural) { notices += structural ? 1 : 0; });
    TTransformRequest r = Request(TTransformKind::ShiftScale);
    r.Kx = 2, r.Ky = 3, r.Kz = 0.5;
    r.Dx = 100, r.Dy = -10, r.Dz = 5;
    NodeTransform::Apply(mb.mine(), area, r);
    EXPECT_DOUBLE_EQ(moved->X(), 120);
    EXPECT_DOUBLE_EQ(moved->Y(), 50);
    EXPECT_DOUBLE_EQ(moved->Z(), 20);
    // From the schema position before the move (10, 20), not the one setting X left behind.
    EXPECT_NEAR(moved->SX(), 10 * 2 + 100 * 1.9, 1e-3);
    EXPECT_NEAR(moved->SY(), 20 * 3 - 10 * 1.9, 1e-3);
    // One notice and the bounds once, after the last node.
    EXPECT_EQ(notices, 1);
    EXPECT_DOUBLE_EQ(mb.mine().MaxX(), 120);
    EXPECT_DOUBLE_EQ(mb.mine().MinZ(), 20);
    EXPECT_DOUBLE_EQ(kept->X(), 40);
    EXPECT_FLOAT_EQ(kept->SX(), 40);

    // Nothing selected: the current node alone.
    moved->SetSelected(false);
    EXPECT_EQ(NodeTransform::AreaNodes(mb.mine(), true, kept), std::vector<TUzel*>{kept});
    EXPECT_EQ(NodeTransform::AreaNodes(mb.mine(), false, kept).size(), 2u);
}

TEST(NodeTransform, SchemaOnlyAndExchangeOfAxes)
{
    MineBuilder mb;
    TUzel* u = mb.uzel(1, 10, 20, 30);
    TTransformRequest r = Request(TTransformKind::ShiftScale);
    r.Dx = 100;
    r.SchemaOnly = true;
    NodeTransform::Apply(mb.mine(), {u}, r);
    EXPECT_DOUBLE_EQ(u->X(), 10);
    EXPECT_DOUBLE_EQ(u->Y(), 20);
    EXPECT_DOUBLE_EQ(u->Z(), 30);
    EXPECT_NEAR(u->SX(), 200, 1e-3);

    r = Request(TTransformKind::Rotate);
    r.AngleDegrees = 90;
    r.SchemaOnly = true;
    NodeTransform::Apply(mb.mine(), {u}, r);
    EXPECT_DOUBLE_EQ(u->X(), 10);
    EXPECT_NEAR(u->SX(), 20, 1e-3);
    EXPECT_NEAR(u->SY(), -200, 1e-3);

    NodeTransform::Apply(mb.mine(), {u}, Request(TTransformKind::SwapXY));
    EXPECT_DOUBLE_EQ(u->X(), 20);
    EXPECT_DOUBLE_EQ(u->Y(), 10);
    EXPECT_DOUBLE_EQ(u->Z(), 30);
    EXPECT_NEAR(u->SX(), -200, 1e-3);
    EXPECT_NEAR(u->SY(), 20, 1e-3);
}

TEST(NodeTransform, ZeroScaleOrNotANumberIsRefusedAndNothingMoves)
{
    MineBuilder mb;
    mb.uzel(1, 10, 20, 30);
    mb.uzel(2, 40, 50, 60);
    const QByteArray before = Bytes(mb.mine());
    TTransformRequest r = Request(TTransformKind::ShiftScale);
    r.Dx = 5;
    r.Kz = 0;
    try {
        NodeTransform::Apply(mb.mine(), mb.mine().Uzels.ToVector(), r);
        FAIL() << "a zero factor was taken";
    } catch (const EMineError& e) {
        EXPECT_EQ(e.Message(), NodeTransform::kZeroScale);
    }
    r.Kz = 1;
    r.Dy = std::nan("");
    EXPECT_THROW(NodeTransform::Apply(mb.mine(), mb.mine().Uzels.ToVector(), r), EMineError);
    EXPECT_EQ(Bytes(mb.mine()), before);
}

TEST(NodeTransform, DialAngleAndItsSnapToFiveDegrees)
{
    EXPECT_DOUBLE_EQ(NodeTransform::DialAngle(0, 10), 0);
    EXPECT_DOUBLE_EQ(NodeTransform::DialAngle(0, -10), 180);
    EXPECT_DOUBLE_EQ(NodeTransform::DialAngle(10, 0), -90);
    EXPECT_DOUBLE_EQ(NodeTransform::DialAngle(-10, 0), 90);
    EXPECT_NEAR(NodeTransform::DialAngle(10, 10), -45, 1e-12);
    EXPECT_NEAR(NodeTransform::DialAngle(-10, -10), 135, 1e-12);
    EXPECT_DOUBLE_EQ(NodeTransform::SnapAngle(11.4), 10);
    EXPECT_DOUBLE_EQ(NodeTransform::SnapAngle(12), 15);
    EXPECT_DOUBLE_EQ(NodeTransform::SnapAngle(13.6), 15);
    EXPECT_DOUBLE_EQ(NodeTransform::SnapAngle(-11), -10);
    EXPECT_DOUBLE_EQ(NodeTransform::SnapAngle(-12), -15);
    EXPECT_DOUBLE_EQ(NodeTransform::SnapAngle(45), 45);
}
