#include "core/tables/TableCells.h"
#include "core/tables/TableEdits.h"
#include "support/MineBuilder.h"

#include <gtest/gtest.h>

namespace {

// A straight 100 m branch between nodes 1 and 2 with a laid fire pipe.
struct LaidBranch : ::testing::Test {
    MineBuilder mb;
    TBranch* b = nullptr;
    TWaterPipe* fire = nullptr;
    void SetUp() override
    {
        mb.uzel(1, 0, 0, 0);
        mb.uzel(2, 100, 0, 0);
        b = mb.firePipe(7, 1, 2, 150);
        fire = b->FirePipe();
        fire->SetWallThickness(5);
    }
};

TEST(TableEditsParse, AcceptsBothDecimalSeparatorsAndRejectsJunk)
{
    EXPECT_DOUBLE_EQ(TableEdits::ParseFloat(QStringLiteral("12,5")), 12.5);
    EXPECT_DOUBLE_EQ(TableEdits::ParseFloat(QStringLiteral("-0.25")), -0.25);
    EXPECT_EQ(TableEdits::ParseInteger(QStringLiteral("42")), 42);
    EXPECT_THROW(TableEdits::ParseInteger(QStringLiteral("")), EConvertError);
    EXPECT_THROW(TableEdits::ParseInteger(QStringLiteral("4.2")), EConvertError);
    EXPECT_THROW(TableEdits::ParseInteger(QStringLiteral("99999999999")), EConvertError);
    EXPECT_THROW(TableEdits::ParseFloat(QStringLiteral("1,2,3")), EConvertError);
    // The user reads the program's own words, never the library's.
    for (const QString& bad : {QStringLiteral("x1"), QString(), QStringLiteral("  ")}) {
        try {
            TableEdits::ParseInteger(bad);
            ADD_FAILURE() << bad.toStdString();
        } catch (const EConvertError& e) {
            EXPECT_EQ(e.Message(), QStringLiteral("Неверно указано число"));
        }
    }
    try {
        TableEdits::ParseFloat(QStringLiteral("1..2"));
        ADD_FAILURE();
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message(), QStringLiteral("Неверно указано число"));
    }
}

TEST_F(LaidBranch, DiameterMustExceedTwiceTheWall)
{
    EXPECT_THROW(TableEdits::ApplyBranchCell(*b, bpFirePDiam, QStringLiteral("10")), ETableEditError);
    EXPECT_EQ(fire->Diameter(), 150);
    try {
        TableEdits::ApplyBranchCell(*b, bpFirePDiam, QStringLiteral("9"));
        FAIL();
    } catch (const ETableEditError& e) {
        EXPECT_EQ(e.Message(), TableEditTexts::kBadDiameter);
    }
    TableEdits::ApplyBranchCell(*b, bpFirePDiam, QStringLiteral("11"));
    EXPECT_EQ(fire->Diameter(), 11);
}

TEST_F(LaidBranch, WallMustStayBelowHalfTheDiameter)
{
    EXPECT_THROW(TableEdits::ApplyBranchCell(*b, bpFirePWall, QStringLiteral("75")), ETableEditError);
    EXPECT_EQ(fire->WallThickness(), 5);
    TableEdits::ApplyBranchCell(*b, bpFirePWall, QStringLiteral("74"));
    EXPECT_EQ(fire->WallThickness(), 74);
}

TEST_F(LaidBranch, ClearingTheDiameterTakesThePipeOffAndEmptiesItsColumns)
{
    TableEdits::ApplyBranchCell(*b, bpFirePDiam, QStringLiteral(""));
    EXPECT_FALSE(fire->Present());
    for (int p : {bpFirePDiam, bpFirePWall, bpFirePFromS, bpFirePFromE, bpFirePK})
        EXPECT_TRUE(TableCells::BranchText(*b, p).isEmpty()) << p;
    for (int p : {bpFirePWall, bpFirePFromS, bpFirePFromE, bpFirePK})
        EXPECT_FALSE(TableCells::BranchEditable(*b, p)) << p;
    EXPECT_TRUE(TableCells::BranchEditable(*b, bpFirePDiam));
    // Typing a diameter lays it again.
    TableEdits::ApplyBranchCell(*b, bpFirePDiam, QStringLiteral("200"));
    EXPECT_TRUE(fire->Present());
    EXPECT_EQ(TableCells::BranchText(*b, bpFirePDiam), QStringLiteral("200"));
}

TEST_F(LaidBranch, DistanceFromStartMovesOnlyTheStart)
{
    fire->SetExtent(2, 0.8);
    TableEdits::ApplyBranchCell(*b, bpFirePFromS, QStringLiteral("25"));
    EXPECT_DOUBLE_EQ(fire->StartFrac(), 0.25);
    EXPECT_DOUBLE_EQ(fire->EndFrac(), 0.8);
    TableEdits::ApplyBranchCell(*b, bpFirePFromS, QStringLiteral("0"));
    EXPECT_DOUBLE_EQ(fire->StartFrac(), 0.0);
    EXPECT_DOUBLE_EQ(fire->EndFrac(), 0.8);
}

TEST_F(LaidBranch, DistanceFromEndMovesOnlyTheEnd)
{
    fire->SetExtent(1, 0.1);
    TableEdits::ApplyBranchCell(*b, bpFirePFromE, QStringLiteral("30,0"));
    EXPECT_DOUBLE_EQ(fire->EndFrac(), 0.7);
    EXPECT_DOUBLE_EQ(fire->StartFrac(), 0.1);
    TableEdits::ApplyBranchCell(*b, bpFirePFromE, QStringLiteral("0"));
    EXPECT_DOUBLE_EQ(fire->EndFrac(), 1.0);
    EXPECT_DOUBLE_EQ(fire->StartFrac(), 0.1);
}

TEST_F(LaidBranch, DistanceBeyondTheLengthClampsToTheOtherNode)
{
    TableEdits::ApplyBranchCell(*b, bpFirePFromS, QStringLiteral("500"));
    EXPECT_DOUBLE_EQ(fire->StartFrac(), 1.0);
    EXPECT_DOUBLE_EQ(fire->EndFrac(), 1.0);
}

TEST_F(LaidBranch, NumbersRemarkAirAndKAreApplied)
{
    bool notified = false;
    mb.mine().OnChange = [&](TMine*, bool) { notified = true; };
    TableEdits::ApplyBranchCell(*b, bpNumE, QStringLiteral("1"));
    EXPECT_TRUE(notified) << "relinking must mark the document";
    EXPECT_EQ(b->EndUzel(), b->StartUzel());
    TableEdits::ApplyBranchCell(*b, bpRemark, QStringLiteral("штрек"));
    TableEdits::ApplyBranchCell(*b, bpAirQ, QStringLiteral("-1,5"));
    TableEdits::ApplyBranchCell(*b, bpFirePK, QStringLiteral("1.2"));
    TableEdits::ApplyBranchCell(*b, bpNum, QStringLiteral("70"));
    EXPECT_EQ(b->Remark(), QStringLiteral("штрек"));
    EXPECT_DOUBLE_EQ(b->AirQ(), -1.5);
    EXPECT_DOUBLE_EQ(fire->K(), 1.2);
    EXPECT_EQ(b->Number(), 70);
}

TEST_F(LaidBranch, SeamAndPlanPositionCellsAreReadOnlyAndTakeNothing)
{
    TLayer::Create(mb.get())->SetName(QStringLiteral("k5"));
    b->SetLayerIndex(0);
    EXPECT_FALSE(TableCells::BranchEditable(*b, bpLayer));
    EXPECT_FALSE(TableCells::BranchEditable(*b, bpPLF));
    TableEdits::ApplyBranchCell(*b, bpLayer, QStringLiteral("0"));
    EXPECT_EQ(b->LayerIndex(), 0);
    EXPECT_EQ(TableCells::BranchText(*b, bpLayer), QStringLiteral("k5"));
}

TEST(TableEditsNodes, CoordinatesAndNumberAreApplied)
{
    MineBuilder mb;
    TUzel* u = mb.uzel(3);
    TableEdits::ApplyUzelCell(*u, upX, QStringLiteral("-12,75"), TSchemaFrame{});
    TableEdits::ApplyUzelCell(*u, upNum, QStringLiteral("30"), TSchemaFrame{});
    EXPECT_DOUBLE_EQ(u->X(), -12.75);
    EXPECT_EQ(u->Number(), 30);
    EXPECT_THROW(TableEdits::ApplyUzelCell(*u, upY, QStringLiteral("abc"), TSchemaFrame{}), EConvertError);
    EXPECT_EQ(u->Y(), 0.0);
}

TEST(TableEditsAdding, NewNodesTakeTheFirstFreeNumberNewBranchesTheLargestPlusOne)
{
    MineBuilder mb;
    mb.uzel(5);
    mb.uzel(2);
    mb.uzel(1);
    mb.branch(40, 5, 2);
    TBranch* last = mb.branch(3, 2, 5);  // the last row has a small number
    mb.device(last, dkGate, 0.5, 3);
    mb.gasPipe(last);
    mb.device(last, dkSlit, 0.5, 4, 3);
    EXPECT_EQ(TableEdits::AddUzel(mb.mine())->Number(), 6);  // 3 and 4 are devices'
    EXPECT_EQ(TableEdits::AddUzel(mb.mine())->Number(), 7);
    TBranch* nb = TableEdits::AddBranch(mb.mine());
    EXPECT_EQ(nb->Number(), 41);
    EXPECT_EQ(nb->StartNumber(), 0);
    EXPECT_EQ(nb->EndNumber(), 0);
    EXPECT_EQ(nb->LayerIndex(), -1);
    TLayer::Create(mb.get());
    EXPECT_EQ(TableEdits::AddBranch(mb.mine(), 0)->LayerIndex(), 0);
    MineBuilder empty;
    EXPECT_EQ(TableEdits::AddBranch(empty.mine())->Number(), 1);
}

TEST(TableEditsDeleting, NodeWithItsBranchesRemovesExactlyThoseBranches)
{
    MineBuilder mb;
    for (int n = 1; n <= 5; ++n)
        mb.uzel(n, n, 0, 0);
    mb.branch(1, 1, 2);
    mb.branch(2, 3, 1);
    mb.branch(3, 1, 4);
    TBranch* other = mb.branch(4, 4, 5);
    TUzel* hub = mb.mine().Uzels.Items(0);
    EXPECT_EQ(TableEdits::DeleteUzel(mb.mine(), hub, true), 3);
    ASSERT_EQ(mb.mine().Branches.Count(), 1);
    EXPECT_EQ(mb.mine().Branches.Items(0), other);
    EXPECT_EQ(mb.mine().Uzels.Count(), 4);
}

TEST(TableEditsDeleting, NodeAloneLeavesItsBranchesUnlinked)
{
    MineBuilder mb;
    mb.uzel(1);
    mb.uzel(2, 10);
    TBranch* b = mb.branch(1, 1, 2);
    TableEdits::DeleteUzel(mb.mine(), mb.mine().Uzels.Items(0), false);
    EXPECT_EQ(mb.mine().Branches.Count(), 1);
    EXPECT_EQ(b->StartNumber(), 1);
    EXPECT_EQ(b->StartUzel(), nullptr);
}

TEST(TableEditsDeleting, LoopBranchIsDeletedOnce)
{
    MineBuilder mb;
    mb.uzel(1);
    mb.branch(1, 1, 1);
    EXPECT_EQ(TableEdits::DeleteUzel(mb.mine(), mb.mine().Uzels.Items(0), true), 1);
    EXPECT_TRUE(mb.mine().Branches.IsEmpty());
}

TEST(TableCellsTexts, FixedNotationAndEditTexts)
{
    MineBuilder mb;
    TUzel* u = mb.uzel(1, 1234.56, -0.04, 7);
    EXPECT_EQ(TableCells::UzelText(*u, upX), QStringLiteral("1234.6"));
    EXPECT_EQ(TableCells::UzelText(*u, upY), QStringLiteral("-0.0"));
    EXPECT_EQ(TableCells::UzelEditText(*u, upX), QStringLiteral("1234.56"));
    EXPECT_EQ(TableCells::ShortestText(1e20), QStringLiteral("100000000000000000000"));
    EXPECT_EQ(TableCells::ShortestText(0.1 + 0.2), QStringLiteral("0.3"));
}

TEST(TableCellsFilters, CharactersPerColumn)
{
    using TableCells::AcceptsChar;
    const QChar minus('-'), comma(','), dot('.'), letter(u'ф'), space(' ');
    EXPECT_TRUE(AcceptsChar(TTableKind::Uzels, upX, minus));
    EXPECT_FALSE(AcceptsChar(TTableKind::Uzels, upNum, minus));
    EXPECT_TRUE(AcceptsChar(TTableKind::Uzels, upNum, comma));
    EXPECT_FALSE(AcceptsChar(TTableKind::Uzels, upZ, letter));
    EXPECT_FALSE(AcceptsChar(TTableKind::Branches, bpFirePDiam, dot));
    EXPECT_FALSE(AcceptsChar(TTableKind::Branches, bpFirePDiam, space));
    EXPECT_TRUE(AcceptsChar(TTableKind::Branches, bpAirQ, minus));
    EXPECT_FALSE(AcceptsChar(TTableKind::Branches, bpFirePK, minus));
    EXPECT_TRUE(AcceptsChar(TTableKind::Branches, bpFirePFromE, comma));
    EXPECT_TRUE(AcceptsChar(TTableKind::Branches, bpRemark, letter));
    EXPECT_FALSE(TableCells::AcceptsText(TTableKind::Branches, bpNum, QStringLiteral("12a")));
}

}  // namespace

TEST(TableEditsNodes, EditedCoordinatesMoveOnlyNodesNotPlacedByHand)
{
    MineBuilder mb;
    mb.mine().SetCenter(1, 100);
    mb.mine().SetCenter(2, -50);
    TUzel* follows = mb.uzel(1);
    TUzel* dragged = mb.uzel(2);
    follows->SetSX(10);
    dragged->SetSX(10);
    dragged->SetSY(20);
    dragged->SetPlacedByHand(true);
    const TSchemaFrame frame{SchemaFactor(1000), 7, -3};  // F = 3.8

    TableEdits::ApplyUzelCell(*follows, upX, QStringLiteral("150"), frame);
    TableEdits::ApplyUzelCell(*follows, upY, QStringLiteral("-40"), frame);
    EXPECT_FLOAT_EQ(follows->SX(), 3.8f * 50 + 7);  // not the bare 150 metres
    EXPECT_FLOAT_EQ(follows->SY(), 3.8f * 10 - 3);
    const float sxBefore = follows->SX();
    TableEdits::ApplyUzelCell(*follows, upX, QStringLiteral("160"), frame);
    EXPECT_NEAR(follows->SX() - sxBefore, 3.8 * 10, 1e-4);

    TableEdits::ApplyUzelCell(*dragged, upX, QStringLiteral("150"), frame);
    TableEdits::ApplyUzelCell(*dragged, upY, QStringLiteral("-40"), frame);
    EXPECT_DOUBLE_EQ(dragged->X(), 150);
    EXPECT_EQ(dragged->SX(), 10.0f);
    EXPECT_EQ(dragged->SY(), 20.0f);
}

// A comment the file could not store is refused where it is typed and the old one stays.
TEST(TableEditsText, ACommentWithACharacterTheFileCannotStoreIsRefused)
{
    MineBuilder mb;
    mb.uzel(1, 0, 0);
    mb.uzel(2, 10, 0);
    TBranch* b = mb.branch(10, 1, 2);
    TableEdits::ApplyBranchCell(*b, bpRemark, QStringLiteral("штрек ±5°"));
    try {
        TableEdits::ApplyBranchCell(*b, bpRemark, QStringLiteral("труба ∅100"));
        ADD_FAILURE();
    } catch (const ETableEditError& e) {
        EXPECT_EQ(e.Message(), QStringLiteral("Символ \"∅\" не может быть сохранен в файле"));
    }
    EXPECT_EQ(b->Remark(), QStringLiteral("штрек ±5°"));
}
