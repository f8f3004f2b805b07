#include "core/tables/PasteEdits.h"
#include "core/file/ClipboardRecords.h"
#include "core/file/FileError.h"
#include "support/MineBuilder.h"

#include <gtest/gtest.h>

namespace {

TEST(PasteEdits, PastedNodesBecomeTheWholeNodeSelection)
{
    MineBuilder source;
    TUzel* a = source.uzel(3, 1, 2, 3);
    TUzel* b = source.uzel(8, 4, 5, 6);
    const QByteArray block = EncodeUzels({a, b});

    MineBuilder target;
    TUzel* old = target.uzel(1);
    old->SetSelected(true);
    TBranch* kept = target.branch(5, 1, 1);
    kept->SetSelected(true);
    const auto pasted = PasteEdits::PasteUzels(target.mine(), block);
    ASSERT_EQ(pasted.size(), 2u);
    EXPECT_EQ(pasted[0]->Number(), 3);
    EXPECT_DOUBLE_EQ(pasted[1]->Z(), 6.0);
    EXPECT_FALSE(old->Selected());
    EXPECT_TRUE(pasted[0]->Selected());
    EXPECT_TRUE(pasted[1]->Selected());
    EXPECT_TRUE(kept->Selected()) << "only the node selection is replaced";
    EXPECT_EQ(target.mine().Selection.UzelCount(), 2);
}

TEST(PasteEdits, PastedBranchesLinkByNumberAndLoseSeamAndPosition)
{
    MineBuilder source;
    source.uzel(1);
    source.uzel(2, 10);
    TLayer::Create(source.get());
    TPLFPosition::Create(source.get());
    TBranch* b = source.firePipe(4, 1, 2, 200);
    b->SetLayerIndex(0);
    b->SetPLFIndex(0);
    b->SetRemark(QStringLiteral("штрек"));
    const QByteArray block = EncodeBranches({b});

    MineBuilder target;
    TUzel* u1 = target.uzel(1);
    target.uzel(2, 20);
    TLayer::Create(target.get());
    TPLFPosition::Create(target.get());  // so a kept index would name a position here too
    TBranch* selected = target.branch(9, 1, 2);
    selected->SetSelected(true);
    const auto pasted = PasteEdits::PasteBranches(target.mine(), block);
    ASSERT_EQ(pasted.size(), 1u);
    EXPECT_EQ(pasted[0]->StartUzel(), u1);
    EXPECT_EQ(pasted[0]->LayerIndex(), -1);
    EXPECT_EQ(pasted[0]->PLFIndex(), -1);
    EXPECT_EQ(pasted[0]->Remark(), QStringLiteral("штрек"));
    EXPECT_EQ(pasted[0]->FirePipe()->Diameter(), 200);
    EXPECT_FALSE(selected->Selected());
}

TEST(PasteEdits, ADamagedBlockChangesNothingNotEvenTheSelection)
{
    MineBuilder source;
    const QByteArray good = EncodeUzels({source.uzel(3), source.uzel(4)});
    MineBuilder target;
    TUzel* old = target.uzel(1);
    old->SetSelected(true);
    for (const QByteArray& bad : {good.left(good.size() - 3), QByteArray("\xff\xff\xff\x7f", 4), QByteArray()}) {
        EXPECT_THROW(PasteEdits::PasteUzels(target.mine(), bad), EFileError);
        EXPECT_EQ(target.mine().Uzels.Count(), 1);
        EXPECT_TRUE(old->Selected());
    }
}

}  // namespace
