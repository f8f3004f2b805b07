#include "support/MineBuilder.h"

#include "core/services/LayerEdits.h"
#include "core/services/MineProperties.h"
#include "core/tables/TableColumns.h"
#include "core/model/Layer.h"

#include <gtest/gtest.h>

TEST(LayerEditsTest, NamesAreTrimmedAndUniqueRegardlessOfCase)
{
    MineBuilder mb;
    EXPECT_EQ(LayerEdits::Add(mb.mine(), TLayerKind::Seams, QStringLiteral("   ")).Index, -1);
    const auto first = LayerEdits::Add(mb.mine(), TLayerKind::Seams, QStringLiteral(" Пласт Л1 "));
    EXPECT_EQ(first.Index, 0);
    EXPECT_FALSE(first.Duplicate);
    const TCustomLayer* seam = mb.mine().Layers.Items(0);
    EXPECT_EQ(seam->Name(), QStringLiteral("Пласт Л1"));
    EXPECT_TRUE(seam->Visible());
    EXPECT_EQ(seam->Color(), 0xFFFFFF);

    LayerEdits::Add(mb.mine(), TLayerKind::Seams, QStringLiteral("К2"));
    const auto again = LayerEdits::Add(mb.mine(), TLayerKind::Seams, QStringLiteral("пласт л1"));
    EXPECT_TRUE(again.Duplicate);
    EXPECT_EQ(again.Index, 0);
    EXPECT_EQ(mb.mine().Layers.Count(), 2);
    EXPECT_EQ(LayerEdits::DuplicateText(TLayerKind::Seams), QStringLiteral("Пласт с таким названием уже существует"));

    // Renaming to another's name selects it; changing one's own letter case is a rename.
    EXPECT_EQ(LayerEdits::Rename(mb.mine(), TLayerKind::Seams, 1, QStringLiteral("ПЛАСТ л1")).Index, 0);
    EXPECT_EQ(mb.mine().Layers.Items(1)->Name(), QStringLiteral("К2"));
    EXPECT_FALSE(LayerEdits::Rename(mb.mine(), TLayerKind::Seams, 1, QStringLiteral("к2")).Duplicate);
    EXPECT_EQ(mb.mine().Layers.Items(1)->Name(), QStringLiteral("к2"));
    // Positions are a list of their own.
    EXPECT_FALSE(LayerEdits::Add(mb.mine(), TLayerKind::Positions, QStringLiteral("К2")).Duplicate);
}

TEST(LayerEditsTest, RemovingASeamLeavesItsBranchesWithoutOneAndShiftsTheRest)
{
    MineBuilder mb;
    for (const char* name : {"A", "B"}) {
        LayerEdits::Add(mb.mine(), TLayerKind::Seams, QString::fromLatin1(name));
        LayerEdits::Add(mb.mine(), TLayerKind::Positions, QString::fromLatin1(name));
    }
    TBranch* onA = mb.branch(1, 1, 2);
    TBranch* onB = mb.branch(2, 2, 3);
    onA->SetLayerIndex(0);
    onB->SetLayerIndex(1);
    onB->SetPLFIndex(0);
    EXPECT_TRUE(LayerEdits::Remove(mb.mine(), TLayerKind::Seams, 0));
    EXPECT_FALSE(LayerEdits::Remove(mb.mine(), TLayerKind::Seams, 5));
    EXPECT_EQ(onA->LayerIndex(), -1);
    EXPECT_EQ(onB->LayerIndex(), 0);
    EXPECT_TRUE(LayerEdits::Remove(mb.mine(), TLayerKind::Positions, 0));
    EXPECT_EQ(onB->PLFIndex(), -1);
    EXPECT_TRUE(LayerEdits::RemoveQuestion(TLayerKind::Positions, QStringLiteral("7"))
                    .startsWith(QStringLiteral("Вы удаляете позицию ПЛА \"7\".\r\n")));
}

TEST(MinePropertiesTest, ApplyingCleansTheNotesAndReportsTheCentresMove)
{
    MineBuilder mb;
    mb.mine().SetCenter(1, 100);
    mb.mine().SetCenter(2, 200);
    TMineProperties p = MineProperties::Read(mb.mine());
    p.Name = QStringLiteral("Шахта 2");
    p.Remark = QStringLiteral("it's; fine");
    p.CenterX = 150;
    p.CenterY = 100;
    p.CenterZ = -50;
    const auto shift = MineProperties::Apply(mb.mine(), p);
    EXPECT_EQ(shift.DX, 50);
    EXPECT_EQ(shift.DY, -100);
    EXPECT_EQ(mb.mine().Remark(), QStringLiteral("its fine"));
    EXPECT_EQ(mb.mine().Name(), QStringLiteral("Шахта 2"));
    EXPECT_EQ(mb.mine().CenterZ(), -50);
    EXPECT_EQ(MineProperties::FileText({}), QStringLiteral("<не сохранен>"));

    TColumnSet columns(TTableKind::Uzels);
    MineProperties::SetColumnVisibility(columns, {false, false, true});
    EXPECT_TRUE(columns.At(0).Visible);
    EXPECT_FALSE(columns.At(1).Visible);
    EXPECT_TRUE(columns.At(3).Visible);
}
