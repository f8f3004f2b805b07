#include "core/schema/SchemaPositions.h"
#include "support/MineBuilder.h"

#include <gtest/gtest.h>

TEST(SchemaPositions, FactorIsHundredOverMapScaleTimesPixelsPerCentimetre)
{
    EXPECT_DOUBLE_EQ(SchemaFactor(2000), 1.9);
    EXPECT_DOUBLE_EQ(SchemaFactor(1000), 3.8);
    EXPECT_DOUBLE_EQ(SchemaFactor(0), SchemaFactor(kDefaultMapScale));  // never a division by 0
}

TEST(SchemaPositions, HalvingTheMapScaleDoublesEveryPositionAndTheOrigin)
{
    MineBuilder mb;
    TUzel* a = mb.uzel(1);
    TUzel* b = mb.uzel(2);
    a->SetSX(10);
    a->SetSY(-20);
    b->SetSX(-3.5f);
    b->SetSY(40);
    b->SetPlacedByHand(true);  // the drawing keeps its proportions, dragged nodes too
    TSchemaFrame frame{SchemaFactor(2000), 5, -7};

    SchemaPositions::ChangeFactor(mb.mine(), frame, SchemaFactor(1000));
    EXPECT_FLOAT_EQ(a->SX(), 20);
    EXPECT_FLOAT_EQ(a->SY(), -40);
    EXPECT_FLOAT_EQ(b->SX(), -7);
    EXPECT_FLOAT_EQ(b->SY(), 80);
    EXPECT_FLOAT_EQ(frame.OX, 10);
    EXPECT_FLOAT_EQ(frame.OY, -14);
    EXPECT_DOUBLE_EQ(frame.F, SchemaFactor(1000));

    SchemaPositions::ChangeFactor(mb.mine(), frame, SchemaFactor(1000));  // same scale again
    EXPECT_FLOAT_EQ(a->SX(), 20);
    EXPECT_FLOAT_EQ(frame.OX, 10);
}

TEST(SchemaPositions, ResetPutsEveryNodeAtItsCoordinatesAndTheOriginAtTheCentre)
{
    MineBuilder mb;
    mb.mine().SetCenter(1, 30);
    mb.mine().SetCenter(2, -10);
    TUzel* u = mb.uzel(1, 100, -20);
    u->SetSX(555);
    u->SetPlacedByHand(true);
    TSchemaFrame frame{SchemaFactor(1000), 1, 2};

    SchemaPositions::ResetFromCoordinates(mb.mine(), frame);
    EXPECT_FALSE(u->PlacedByHand());
    EXPECT_FLOAT_EQ(u->SX(), 380);
    EXPECT_FLOAT_EQ(u->SY(), -76);
    EXPECT_FLOAT_EQ(frame.OX, 114);
    EXPECT_FLOAT_EQ(frame.OY, -38);

    // After a reset the mapping of edited coordinates agrees with the reset positions.
    u->SetX(110);
    SchemaPositions::FollowCoordinates(*u, frame, true, false);
    EXPECT_FLOAT_EQ(u->SX(), 418);
}

TEST(SchemaPositions, ExtentsHoldAllOrTheSelectedNodesAndNothingWithoutThem)
{
    MineBuilder mb;
    EXPECT_FALSE(SchemaPositions::NodeExtent(mb.mine()));
    TUzel* a = mb.uzel(1);
    a->SetSX(10);
    a->SetSY(-5);
    EXPECT_EQ(*SchemaPositions::NodeExtent(mb.mine()), QRectF(10, -5, 0, 0));
    TUzel* b = mb.uzel(2);
    b->SetSX(-20);
    b->SetSY(30);
    EXPECT_EQ(*SchemaPositions::NodeExtent(mb.mine()), QRectF(-20, -5, 30, 35));

    EXPECT_FALSE(SchemaPositions::SelectedNodeExtent(mb.mine()));
    mb.mine().Selection.Add(mb.branch(7, 1, 2));  // branches do not count
    mb.mine().Selection.Add(b);
    EXPECT_EQ(*SchemaPositions::SelectedNodeExtent(mb.mine()), QRectF(-20, 30, 0, 0));
}

TEST(SchemaPositions, OriginIsDerivedFromTheFirstNodeThatFollowsItsCoordinates)
{
    MineBuilder mb;
    TSchemaFrame frame{SchemaFactor(1000), 99, 99};
    EXPECT_FALSE(SchemaPositions::DeriveOrigin(mb.mine(), frame));  // no nodes: unchanged
    EXPECT_EQ(frame.OX, 99.0f);

    mb.mine().SetCenter(1, 10);
    mb.mine().SetCenter(2, 20);
    TUzel* dragged = mb.uzel(1, 50, 50);
    dragged->SetPlacedByHand(true);
    dragged->SetSX(1000);
    TUzel* follows = mb.uzel(2, 110, -30);
    follows->SetSX(400);
    follows->SetSY(-100);
    ASSERT_TRUE(SchemaPositions::DeriveOrigin(mb.mine(), frame));
    EXPECT_FLOAT_EQ(frame.OX, 400 - 3.8f * 100);
    EXPECT_FLOAT_EQ(frame.OY, -100 + 3.8f * 50);

    follows->SetPlacedByHand(true);  // all dragged: the first node decides
    ASSERT_TRUE(SchemaPositions::DeriveOrigin(mb.mine(), frame));
    EXPECT_FLOAT_EQ(frame.OX, 1000 - 3.8f * 40);
}
