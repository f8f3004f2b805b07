#include "support/MineBuilder.h"

#include "core/exchange/MineGenerator.h"
#include "core/file/NetworkFile.h"

#include <gtest/gtest.h>

// Branches created after all their nodes (as a file is read) are found again when a node
// with their number comes back later.
TEST(LazyBranchIndex, NodesFirstThenBranchesThenANodeReturns)
{
    MineBuilder b;
    b.uzel(1);
    b.uzel(2, 10);
    b.uzel(3, 20);
    TBranch* a = b.branch(1, 1, 2);
    TBranch* c = b.branch(2, 2, 3);
    TBranch* d = b.branch(3, 3, 2);
    b.mine().DeleteUzel(b.mine().Uzels.Items(1));
    EXPECT_EQ(a->EndUzel(), nullptr);
    EXPECT_EQ(c->StartUzel(), nullptr);

    TUzel* again = b.uzel(2, 10);
    EXPECT_EQ(a->EndUzel(), again);
    EXPECT_EQ(c->StartUzel(), again);
    EXPECT_EQ(d->EndUzel(), again);
    ASSERT_EQ(again->IncidentCount(), 3);
    // Branches starting here first, then those ending here, each in branch list order.
    EXPECT_EQ(again->Branches.Items(0), c);
    EXPECT_EQ(again->Branches.Items(1), a);
    EXPECT_EQ(again->Branches.Items(2), d);

    // Once built, the index follows renumbered ends and deleted branches.
    c->SetEndNumber(7);
    b.mine().DeleteBranch(a);
    TUzel* seven = b.uzel(7, 30);
    EXPECT_EQ(c->EndUzel(), seven);
    b.mine().DeleteUzel(again);
    TUzel* back = b.uzel(2, 10);
    ASSERT_EQ(back->IncidentCount(), 2);
    EXPECT_EQ(back->Branches.Items(0), c);
    EXPECT_EQ(back->Branches.Items(1), d);
}

// Bounds of a mine read from a file are those of all its nodes, though they are not kept
// node by node while the file is read.
TEST(LazyBranchIndex, BoundsAfterReadingCoverEveryNode)
{
    const auto mine = MineGenerator::Generate(400, 4);
    const QByteArray body = NetworkFile::WriteBody(*mine, TDocumentSettings::Defaults(), mine->Branches.ToVector(), 17);
    const TNetworkDocument doc = NetworkFile::ReadBody(body, 17, QStringLiteral("b.irv"));
    for (int axis = 0; axis < 3; ++axis) {
        EXPECT_EQ(doc.Mine->MinOf(axis), mine->MinOf(axis));
        EXPECT_EQ(doc.Mine->MaxOf(axis), mine->MaxOf(axis));
    }
    TUzel* u = doc.Mine->Uzels.Items(0);
    u->SetX(doc.Mine->MaxX() + 5);
    EXPECT_EQ(doc.Mine->MaxX(), u->X()) << "after reading, moves update the bounds again";
}
