#include "CheckFixture.h"

#include <climits>

namespace {
struct FreeNumbers : CheckFixture {
    QStringList Run()
    {
        last = RunFreeNumbers(b.mine(), list, options);
        return list.Texts();
    }
    void Uzels(std::initializer_list<int> numbers)
    {
        for (int n : numbers)
            b.uzel(n);
    }
    void Branches(std::initializer_list<int> numbers)
    {
        for (int n : numbers)
            b.branch(n, 1, 2);
    }
    const QString noGaps = QStringLiteral(" .. разрывов в нумерации не найдено");
};
}  // namespace

TEST_F(FreeNumbers, ShortGapsAreListedNumberByNumberLongOnesAsARange)
{
    Uzels({11, 2, 5, 1});
    Branches({1, 2, 3});
    EXPECT_EQ(Run(), (QStringList{"Номера узлов ...", " - найден свободный номер 3", " - найден свободный номер 4",
                                  " - найдены свободные номера 6 - 10", "Номера ветвей ..." + noGaps, ""}));
    EXPECT_EQ(list.Line(1).FirstFree, 3);
    EXPECT_EQ(list.Line(2).FirstFree, 4);
    EXPECT_EQ(list.Line(3).FirstFree, 6);
    EXPECT_EQ(list.Line(0).FirstFree, -1);
    // Each line leads to the node in front of its gap.
    EXPECT_EQ(list.Resolve(1, b.mine())->Number(), 2);
    EXPECT_EQ(list.Resolve(3, b.mine())->Number(), 5);
    EXPECT_EQ(list.Line(3).Target, TMessageTarget::Uzel);
    EXPECT_FALSE(last.ErrorsFound);
    EXPECT_EQ(last.FirstLine, 0);
}

TEST_F(FreeNumbers, AGapOfExactlyThreeIsStillListedOneByOne)
{
    Uzels({1, 5, 10});
    Branches({4});
    EXPECT_EQ(Run(), (QStringList{"Номера узлов ...", " - найден свободный номер 2", " - найден свободный номер 3",
                                  " - найден свободный номер 4", " - найдены свободные номера 6 - 9", "Номера ветвей ...",
                                  " - найден свободный номер 1", " - найден свободный номер 2", " - найден свободный номер 3",
                                  ""}));
    EXPECT_EQ(list.Resolve(6, b.mine())->Number(), 4) << "a gap before the first number leads to the first object";
}

TEST_F(FreeNumbers, NumbersBelowOneAndRepeatsAreLeftOut)
{
    Uzels({-7, 0, 1, 1, 2, 2, 2, 4});
    Branches({0, -1, 1, 2});
    EXPECT_EQ(Run(), (QStringList{"Номера узлов ...", " - найден свободный номер 3", "Номера ветвей ..." + noGaps, ""}));
    EXPECT_EQ(list.Resolve(1, b.mine())->Number(), 2);
}

TEST_F(FreeNumbers, TheLargestNumbersNeitherOverflowNorGoNegative)
{
    Uzels({1, INT_MAX});
    Branches({INT_MIN, INT_MAX - 1, INT_MAX});
    EXPECT_EQ(Run(), (QStringList{"Номера узлов ...", " - найдены свободные номера 2 - 2147483646", "Номера ветвей ...",
                                  " - найдены свободные номера 1 - 2147483645", ""}));
    EXPECT_EQ(list.Line(3).FirstFree, 1);
}

TEST_F(FreeNumbers, ANewSearchReplacesOnlyTheFreeNumberLines)
{
    BuildFedHydrant();
    Pipeline();
    const QStringList checks = list.Texts();
    Run();
    EXPECT_EQ(last.FirstLine, checks.size());
    b.uzel(9);
    Run();
    EXPECT_EQ(list.Texts(), (checks + QStringList{"Номера узлов ...", " - найдены свободные номера 4 - 8",
                                                  "Номера ветвей ..." + noGaps, ""}));

    // A new check removes its own lines and keeps these; its first line comes after them.
    Pipeline();
    EXPECT_EQ(list.Texts().mid(0, 4), (QStringList{"Номера узлов ...", " - найдены свободные номера 4 - 8",
                                                   "Номера ветвей ..." + noGaps, ""}));
    EXPECT_EQ(last.FirstLine, 4);
    EXPECT_EQ(list.Texts().mid(4).first(), kUzelsOk);
}

TEST_F(FreeNumbers, AnEmptyMineGetsTheHeadersOnly)
{
    EXPECT_EQ(Run(), (QStringList{"Номера узлов ..." + noGaps, "Номера ветвей ..." + noGaps, ""}));
}
