#include "support/MineBuilder.h"

#include "core/services/MineStatistics.h"
#include "core/exchange/SampleMine.h"
#include "core/file/NetworkFile.h"

#include <gtest/gtest.h>

namespace {

// The value of the first row with the caption after the given one (rows repeat captions).
QString Value(const std::vector<TStatisticsRow>& rows, const QString& caption, int occurrence = 0)
{
    for (const TStatisticsRow& r : rows)
        if (r.Caption == caption && occurrence-- == 0)
            return r.Value;
    return QStringLiteral("<none>");
}

}  // namespace

TEST(MineStatisticsTest, AnEmptyMineCountsZeroEverywhere)
{
    MineBuilder mb;
    const auto rows = MineStatistics::Rows(mb.mine(), QStringLiteral("/tmp/a.irv"), 17);
    ASSERT_EQ(rows.size(), 30u);
    EXPECT_EQ(rows[0].Caption, QStringLiteral("Шахта"));
    EXPECT_EQ(rows[0].Value, QStringLiteral("test"));
    EXPECT_TRUE(rows[0].Bold);
    EXPECT_EQ(rows[2].Value, QStringLiteral("1.17"));
    EXPECT_TRUE(rows[3].Caption.isEmpty() && rows[3].Value.isEmpty());
    for (const char* caption : {"Всего ветвей", "   горизонтальных", "   наклонных", "   вертикальных", "   тупиков"})
        EXPECT_EQ(Value(rows, QString::fromUtf8(caption)), QStringLiteral("0")) << caption;
    EXPECT_EQ(Value(rows, QStringLiteral("Суммарная длина")), QStringLiteral("0.0 м"));
    EXPECT_EQ(rows.back().Caption, QStringLiteral("   всего пожарных машин"));
}

TEST(MineStatisticsTest, BranchesByInclinationDeadEndsAndLaidPipeDevices)
{
    MineBuilder mb;
    mb.uzel(1, 0, 0, 0);
    mb.uzel(2, 30, 40, 0);
    mb.uzel(3, 30, 40, -50);
    mb.uzel(4, 60, 80, -10);
    mb.uzel(5, 0, 0, 0)->SetSurface(true);
    mb.uzel(6, 10, 0, 0);
    TBranch* level = mb.firePipe(1, 1, 2, 100);     // 50 m, horizontal
    TBranch* shaft = mb.firePipe(2, 2, 3, 150);     // 50 m, vertical
    TBranch* slope = mb.branch(3, 3, 4);            // inclined, no fire pipe
    mb.branch(4, 4, 99);                            // no end node: no inclination, no dead end
    mb.firePipe(5, 5, 6, 100);                      // both ends free: one dead end
    level->FirePipe()->SetExtent(2, 0.5);           // 25 m of pipe

    static_cast<TPump*>(mb.device(shaft, dkPump, 0.5, 10))->SetOff(true);
    auto* consumer = mb.device<TCrane>(level, dkCrane, 0.2, 11);
    consumer->SetConsumption(true);
    consumer->SetFlow(12.26);
    mb.device(level, dkCrane, 0.3, 12);
    mb.device(shaft, dkCrane, 0.3, 13, 1);          // on the drainage pipe
    mb.device(slope, dkCrane, 0.3, 14);             // on a fire pipe that is not laid
    static_cast<TGate*>(mb.device(shaft, dkGate, 0.9, 15))->SetClosed(true);

    const auto check = [](const std::vector<TStatisticsRow>& rows) {
        EXPECT_EQ(Value(rows, QStringLiteral("Всего узлов")), QStringLiteral("6"));
        EXPECT_EQ(Value(rows, QStringLiteral("   поверхностных")), QStringLiteral("1"));
        EXPECT_EQ(Value(rows, QStringLiteral("Всего ветвей")), QStringLiteral("5"));
        EXPECT_EQ(Value(rows, QStringLiteral("   горизонтальных")), QStringLiteral("2"));
        EXPECT_EQ(Value(rows, QStringLiteral("   наклонных")), QStringLiteral("1"));
        EXPECT_EQ(Value(rows, QStringLiteral("   вертикальных")), QStringLiteral("1"));
        // 1 (node 1 has no other branch) and 5 (counted once); the open branch 4 not at all.
        EXPECT_EQ(Value(rows, QStringLiteral("   тупиков")), QStringLiteral("2"));
        EXPECT_EQ(Value(rows, QStringLiteral("   всего ветвей с трубопроводом")), QStringLiteral("3"));
        EXPECT_EQ(Value(rows, QStringLiteral("      d = 100 мм")), QStringLiteral("2"));
        EXPECT_EQ(Value(rows, QStringLiteral("      d = 150 мм")), QStringLiteral("1"));
        EXPECT_EQ(Value(rows, QStringLiteral("   длина трубопровода")), QStringLiteral("85.0 м"));
        EXPECT_EQ(Value(rows, QStringLiteral("      d = 100 мм"), 1), QStringLiteral("35.0 м"));
        EXPECT_EQ(Value(rows, QStringLiteral("   всего кранов")), QStringLiteral("2"));
        EXPECT_EQ(Value(rows, QStringLiteral("     потребителей")), QStringLiteral("1"));
        EXPECT_EQ(Value(rows, QStringLiteral("     всего потребляемой воды")), QStringLiteral("12.3 м3/ч"));
        EXPECT_EQ(Value(rows, QStringLiteral("      выключенных")), QStringLiteral("1"));
        EXPECT_EQ(Value(rows, QStringLiteral("     закрытых")), QStringLiteral("1"));
    };
    check(MineStatistics::Rows(mb.mine(), {}, 17));

    // Read back from a file, the colour table also counts pipes that are not laid; the
    // pipe rows must not change.
    const QByteArray body = NetworkFile::WriteBody(mb.mine(), TDocumentSettings::Defaults(), {}, 17);
    const TNetworkDocument doc = NetworkFile::ReadBody(body, 17, QStringLiteral("a.irv"));
    check(MineStatistics::Rows(*doc.Mine, {}, 17));
}

TEST(MineStatisticsTest, TheSampleMineAddsUp)
{
    const auto mine = SampleMine::Build();
    const auto rows = MineStatistics::Rows(*mine, QStringLiteral("sample.irv"), 17);
    const int branches = Value(rows, QStringLiteral("Всего ветвей")).toInt();
    EXPECT_EQ(branches, mine->Branches.Count());
    EXPECT_GT(branches, 0);
    int byInclination = 0;
    for (const char* c : {"   горизонтальных", "   наклонных", "   вертикальных"})
        byInclination += Value(rows, QString::fromUtf8(c)).toInt();
    EXPECT_EQ(byInclination, branches);
    int byDiameter = 0;
    for (int i = 0; i < mine->DiamColors.Count(); ++i)
        byDiameter += Value(rows, QStringLiteral("      d = %1 мм").arg(mine->DiamColors.Entry(i).Diameter)).toInt();
    EXPECT_EQ(byDiameter, Value(rows, QStringLiteral("   всего ветвей с трубопроводом")).toInt());
}
