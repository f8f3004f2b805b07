#include "core/tables/ClipboardRules.h"
#include "core/tables/DocumentRows.h"
#include "support/MineBuilder.h"

#include <gtest/gtest.h>

namespace {

using namespace ClipboardRules;

TEST(ClipboardRules, CaptionsCountTheSelectedObjectsOfTheTablesKind)
{
    MineBuilder mb;
    for (int n = 1; n <= 4; ++n)
        mb.uzel(n);
    TBranch* b10 = mb.branch(10, 1, 2);
    mb.branch(20, 2, 3);
    EXPECT_EQ(CopyCaption(mb.mine(), true), QStringLiteral("&Копировать узлы (1)")) << "the current node when none is selected";
    EXPECT_EQ(CutCaption(mb.mine(), false), QStringLiteral("&Вырезать ветви (1)"));

    mb.mine().Uzels.Items(0)->SetSelected(true);
    mb.mine().Uzels.Items(2)->SetSelected(true);
    mb.mine().Uzels.Items(3)->SetSelected(true);
    b10->SetSelected(true);
    EXPECT_EQ(CopyCaption(mb.mine(), true), QStringLiteral("&Копировать узлы (3)"));
    EXPECT_EQ(CutCaption(mb.mine(), true), QStringLiteral("&Вырезать узлы (3)"));
    EXPECT_EQ(CopyCaption(mb.mine(), false), QStringLiteral("&Копировать ветви (1)")) << "selected nodes are not branches";
}

TEST(ClipboardRules, PasteReadsNodesBeforeBranchesAndSaysWhich)
{
    EXPECT_EQ(PasteKind(true, true), TPasteKind::Uzels);
    EXPECT_EQ(PasteKind(false, true), TPasteKind::Branches);
    EXPECT_EQ(PasteKind(false, false), TPasteKind::None);
    EXPECT_FALSE(CanPaste(TPasteKind::None));
    EXPECT_EQ(PasteCaption(PasteKind(true, true)), QStringLiteral("В&ставить узлы"));
    EXPECT_EQ(PasteCaption(TPasteKind::Branches), QStringLiteral("В&ставить ветви"));
    EXPECT_EQ(PasteCaption(TPasteKind::None), QStringLiteral("В&ставить"));
}

TEST(ClipboardRules, CutAndCopyNeedTheFirstPageCurrentRowsAndAFilledTable)
{
    MineBuilder mb;
    mb.uzel(1);
    TDocumentRows rows(mb.get());
    rows.Reset(mb.get());
    EXPECT_TRUE(CanCutCopy(rows, true, 0));
    EXPECT_FALSE(CanCutCopy(rows, false, 0)) << "the branch table is empty";
    EXPECT_FALSE(CanCutCopy(rows, true, 1)) << "the results page";

    mb.uzel(2);
    EXPECT_FALSE(CanCutCopy(rows, true, 0)) << "stale rows could name dead objects";
}

}  // namespace
