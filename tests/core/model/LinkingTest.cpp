#include "support/MineBuilder.h"

#include <gtest/gtest.h>

TEST(Linking, BranchesFollowNodeNumbersAsNodesComeAndGo)
{
    MineBuilder b;
    TUzel* n1 = b.uzel(1);
    TBranch* br = b.branch(10, 1, 2);
    EXPECT_EQ(br->StartUzel(), n1);
    EXPECT_EQ(br->EndUzel(), nullptr);

    TUzel* n2 = b.uzel(2, 3, 4, 0);
    EXPECT_EQ(br->EndUzel(), n2);
    EXPECT_DOUBLE_EQ(br->Length(), 5.0);
    ASSERT_EQ(n2->IncidentCount(), 1);

    b.mine().DeleteUzel(n2);
    EXPECT_EQ(br->EndUzel(), nullptr);
    EXPECT_EQ(br->Length(), 0.0);

    TUzel* again = b.uzel(2);
    EXPECT_EQ(br->EndUzel(), again);
}

TEST(Linking, RenumberingHandsBranchesToAnotherNodeWithTheOldNumber)
{
    MineBuilder b;
    TUzel* first = b.uzel(5);
    TUzel* second = b.uzel(5);
    TBranch* br = b.branch(1, 5, 9);
    EXPECT_EQ(br->StartUzel(), first) << "the first node in list order wins";
    EXPECT_EQ(second->IncidentCount(), 0);

    first->SetNumber(7);
    EXPECT_EQ(br->StartUzel(), second);
    EXPECT_EQ(second->IncidentCount(), 1);
    EXPECT_EQ(first->IncidentCount(), 0);

    TBranch* to7 = b.branch(2, 7, 5);
    EXPECT_EQ(to7->StartUzel(), first);
    EXPECT_EQ(to7->EndUzel(), second);
}

TEST(Linking, LoopBranchIsListedTwiceAndHasNoLength)
{
    MineBuilder b;
    TUzel* n = b.uzel(3, 10, 10, 10);
    TBranch* loop = b.branch(1, 3, 3);
    EXPECT_EQ(n->IncidentCount(), 2);
    EXPECT_EQ(loop->Length(), 0.0);
    EXPECT_EQ(loop->Angle(), 0.0);

    b.mine().DeleteBranch(loop);
    EXPECT_EQ(n->IncidentCount(), 0);
}

TEST(Linking, IncidentListsComeOutInBranchOrderStartsFirst)
{
    MineBuilder b;
    b.branch(1, 2, 1);
    b.branch(2, 1, 3);
    b.branch(3, 4, 1);
    b.branch(4, 1, 5);
    TUzel* n = b.uzel(1);
    ASSERT_EQ(n->IncidentCount(), 4);
    EXPECT_EQ(n->Branches[0]->Number(), 2);
    EXPECT_EQ(n->Branches[1]->Number(), 4);
    EXPECT_EQ(n->Branches[2]->Number(), 1);
    EXPECT_EQ(n->Branches[3]->Number(), 3);
}

TEST(Linking, ChangingAnEndNumberRelinksAndMarksTheDocumentStructurally)
{
    MineBuilder b;
    TUzel* n1 = b.uzel(1);
    TUzel* n2 = b.uzel(2);
    TUzel* n3 = b.uzel(3);
    TBranch* br = b.branch(1, 1, 2);
    b.mine().SetModified(false, false);
    int events = 0;
    bool structural = false;
    b.mine().OnChange = [&](TMine*, bool s) {
        ++events;
        structural = s;
    };
    br->SetEndNumber(3);
    EXPECT_EQ(br->EndUzel(), n3);
    EXPECT_EQ(n2->IncidentCount(), 0);
    EXPECT_EQ(n3->IncidentCount(), 1);
    EXPECT_EQ(n1->IncidentCount(), 1);
    EXPECT_TRUE(b.mine().Modified());
    EXPECT_GE(events, 1);
    EXPECT_TRUE(structural);

    events = 0;
    br->SetEndNumber(3);
    EXPECT_EQ(events, 0) << "an equal value changes nothing";
}

TEST(Linking, InfoTextsFollowTheirFormat)
{
    MineBuilder b;
    TUzel* n = b.uzel(4, 1.5, 2, 3);
    n->SetSurface(true);
    b.uzel(5, 1.5, 2, 13);
    TBranch* br = b.branch(7, 4, 5);
    br->SetRemark(QStringLiteral("штрек"));
    EXPECT_EQ(n->GetInfoText(false),
              QStringLiteral("Узел № 4\n\rX: 1.5\n\rY: 2.0\n\rZ: 3.0\n\rПоверхностный: Да\n\rИнцидентные ветви: 1"));
    EXPECT_EQ(br->GetInfoText(true), QStringLiteral("Выработка № 7\n\rНач. узел: 4\n\rКонеч. узел: 5\n\rДлина: 10.0\n\r"
                                                    "Угол наклона: 90.0\n\r\n\rКомментарий: \n\rштрек"));
}

TEST(Nodes, SchemaPositionFollowsCoordinatesRoundingHalvesToEven)
{
    MineBuilder b;
    TUzel* n = b.uzel(1);
    n->SetX(2.5);
    n->SetY(3.5);
    EXPECT_EQ(n->SX(), 2.0f);
    EXPECT_EQ(n->SY(), 4.0f);
    n->SetPlacedByHand(true);
    n->SetX(100);
    EXPECT_EQ(n->SX(), 2.0f);
}

TEST(Nodes, BoundsWidenAndShrinkWhenTheExtremeNodeMovesIn)
{
    MineBuilder b;
    EXPECT_EQ(b.mine().MinX(), 3.4e38);
    EXPECT_EQ(b.mine().MaxZ(), -3.4e38);
    b.uzel(1, -10, 0, 0);
    TUzel* n2 = b.uzel(2, 5, 0, 0);
    TUzel* n3 = b.uzel(3, 20, 0, 0);
    EXPECT_EQ(b.mine().MinX(), -10);
    EXPECT_EQ(b.mine().MaxX(), 20);
    n3->SetX(7);
    EXPECT_EQ(b.mine().MaxX(), 7);
    n2->SetX(-30);
    EXPECT_EQ(b.mine().MinX(), -30);
}

TEST(Nodes, SurfaceFlagKeepsTheSurfaceListInStep)
{
    MineBuilder b;
    TUzel* n = b.uzel(1);
    n->SetSurface(true);
    EXPECT_EQ(b.mine().SurfaceUzels.Count(), 1);
    b.mine().DeleteUzel(n);
    EXPECT_EQ(b.mine().SurfaceUzels.Count(), 0);
}

TEST(Objects, BranchesRefuseCoordinateSetters)
{
    MineBuilder b;
    TBranch* br = b.branch(1, 1, 2);
    try {
        br->SetX(1);
        FAIL();
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message(), QStringLiteral("Установка координат для элементов этого типа недопустима"));
    }
}

TEST(Objects, NullOwnersAreRefused)
{
    EXPECT_THROW(TUzel::Create(nullptr, 1), EOwnerError);
    EXPECT_THROW(TBranch::Create(nullptr, 1, 1, 2), EOwnerError);
    EXPECT_THROW(TWaterPipe::Create(nullptr, 0), EOwnerError);
    EXPECT_THROW(TLayer::Create(nullptr), EOwnerError);
    MineBuilder b;
    TBranch* br = b.branch(1, 1, 2);
    EXPECT_THROW(TDevice::CreateDevice(nullptr, br->FirePipe(), dkGate), EOwnerError);
}

TEST(Objects, StableReferencesResolveOnlyWhileTheObjectLives)
{
    MineBuilder b;
    TUzel* n = b.uzel(1);
    TBranch* br = b.branch(1, 1, 2);
    auto* gate = b.device(br, dkGate, 0.5, 100);
    const auto uzelSerial = n->Serial();
    const auto gateSerial = gate->Serial();
    EXPECT_EQ(b.mine().FindObject(TObjectKind::Uzel, uzelSerial), n);
    EXPECT_EQ(b.mine().FindObject(TObjectKind::Device, gateSerial), gate);
    b.mine().DeleteBranch(br);
    b.mine().DeleteUzel(n);
    EXPECT_EQ(b.mine().FindObject(TObjectKind::Uzel, uzelSerial), nullptr);
    EXPECT_EQ(b.mine().FindObject(TObjectKind::Device, gateSerial), nullptr);
}
