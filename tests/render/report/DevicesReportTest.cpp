#include "support/MineBuilder.h"

#include "render/report/DevicesReport.h"

#include <gtest/gtest.h>

TEST(DevicesReport, TitlePageCountsTheChosenDevicesAndTheTableNamesTheirBranches)
{
    MineBuilder b;
    b.mine().SetName(QStringLiteral("Восточная"));
    b.uzel(1);
    b.uzel(2, 100);
    TBranch* br = b.firePipe(3, 1, 2);
    br->SetRemark(QStringLiteral("уклон"));
    auto* gate = b.device<TGate>(br, dkGate, 0.2, 5);
    gate->SetClosed(true);
    auto* crane = b.device<TCrane>(br, dkCrane, 0.5, 6);
    crane->SetConsumption(true);
    b.device(br, dkPump, 0.8, 7);
    crane->SetSelected(true);

    TDevicesReportInputs in;
    in.Mine = b.get();
    in.Devices = DevicesReport::FirePipeDevices(b.mine());
    ASSERT_EQ(in.Devices.size(), 3u);
    const TReportContent all = DevicesReport::Build(in);
    QStringList lines;
    for (const TTitleLine& line : all.TitlePage)
        lines << line.Left;
    for (const char* expected : {"трубопровода \"Ирвата\". Версия 1 beta 4", "Таблица устройств.", "Шахта \"Восточная\"",
                                 "Устройства: все оборудование", "Всего устройств: 3", "всего кранов: 1",
                                 "потребителей: 1", "всего задвижек: 1", "закрытых задвижек: 1", "всего насосов: 1",
                                 "всего гидроредукторов: 0", "всего резеруаров(БРС): 0"})
        EXPECT_TRUE(lines.contains(QString::fromUtf8(expected))) << expected;
    ASSERT_EQ(all.Tables.size(), 1u);
    EXPECT_EQ(all.Tables[0].Title, QStringLiteral("Таблица устройств (все оборудование)"));
    EXPECT_EQ(all.Tables[0].Rows[1], (QStringList{QStringLiteral("2"), QStringLiteral("6"), crane->KindName(),
                                                  QStringLiteral("3  (1, 2)  уклон")}));

    in.Devices = DevicesReport::Choose(in.Devices, TDevicesReportOptions::Selected);
    in.TitlePage = false;
    const TReportContent selected = DevicesReport::Build(in);
    ASSERT_EQ(selected.Tables.size(), 1u);
    EXPECT_EQ(selected.Tables[0].Rows.size(), 1u);
    in.Devices.clear();
    EXPECT_TRUE(DevicesReport::Build(in).Empty());
}
