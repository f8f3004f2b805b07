// A transaction given up before anything changed (a dialog cancelled, a list edit that did not
// apply) leaves the mine alone: no change notice, no modified mark.

#include "core/history/EditHistory.h"
#include "core/history/EditTransaction.h"
#include "support/MineBuilder.h"

#include <gtest/gtest.h>

TEST(EmptyRollback, TellsNoChangeForAnActionThatChangedNothing)
{
    MineBuilder mb;
    mb.uzel(1);
    mb.uzel(2, 100);
    mb.firePipe(10, 1, 2);
    TMine& mine = mb.mine();
    mine.SetModified(false, false);
    TEditTarget target;
    target.Mine = &mine;
    TEditHistory history(target);
    int notices = 0;
    mine.OnChange = [&notices](TMine*, bool) { ++notices; };
    for (TEditScope scope : {TEditScope::Objects, TEditScope::Structure, TEditScope::WholeMine}) {
        TEditTransaction tx(&history, QStringLiteral("Проба"), scope);
        tx.Touch(mine.Branches.Items(0));
        tx.TouchSeams();
    }
    EXPECT_EQ(notices, 0);
    EXPECT_FALSE(mine.Modified());
    EXPECT_EQ(history.Count(), 0);

    // A change given up is still put back, and told.
    {
        TEditTransaction tx(&history, QStringLiteral("Проба"), TEditScope::Objects);
        tx.Touch(mine.Uzels.Items(1));
        mine.Uzels.Items(1)->SetX(250);
    }
    EXPECT_DOUBLE_EQ(mine.Uzels.Items(1)->X(), 100);
    EXPECT_GT(notices, 0);
    EXPECT_EQ(history.Count(), 0);
}
