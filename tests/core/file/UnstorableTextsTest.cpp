#include "core/file/UnstorableTexts.h"
#include "core/model/Branch.h"
#include "core/model/Layer.h"
#include "core/model/Mine.h"
#include "support/MineBuilder.h"

#include <gtest/gtest.h>

// The save names every object whose text would come out with "?", and only those.
TEST(UnstorableTexts, NamesTheObjectsWhoseTextsTheFileCannotStore)
{
    MineBuilder mb;
    mb.uzel(1, 0, 0);
    mb.uzel(2, 10, 0);
    mb.uzel(3, 20, 0);
    mb.branch(10, 1, 2)->SetRemark(QStringLiteral("обычный"));
    mb.branch(20, 2, 3)->SetRemark(QStringLiteral("труба ∅100"));
    TMine& mine = mb.mine();
    EXPECT_EQ(UnstorableTexts(mine), QStringList{QStringLiteral("ветвь 20: комментарий")});
    mine.SetName(QStringLiteral("Шахта ½"));
    TLayer::Create(&mine)->SetName(QStringLiteral("пласт м³"));
    EXPECT_EQ(UnstorableTexts(mine), (QStringList{QStringLiteral("шахта: название"), QStringLiteral("пласт \"пласт м³\""),
                                                  QStringLiteral("ветвь 20: комментарий")}));
    // A long list is cut and says so.
    EXPECT_EQ(UnstorableTexts(mine, 2),
              (QStringList{QStringLiteral("шахта: название"), QStringLiteral("пласт \"пласт м³\""), QStringLiteral("...")}));
    mine.SetName(QStringLiteral("Шахта №1"));
    EXPECT_EQ(UnstorableTexts(mine).size(), 2);
}
