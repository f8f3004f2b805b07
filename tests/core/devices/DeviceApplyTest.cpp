#include "core/devices/DeviceApply.h"
#include "core/devices/DeviceChoices.h"
#include "core/devices/DeviceEditError.h"
#include "core/devices/DeviceValidation.h"
#include "core/services/FreeNumberEntries.h"
#include "core/devices/WellGrid.h"
#include "support/MineBuilder.h"

#include <gtest/gtest.h>

namespace {

// The refusal's text, or empty when the draft passes.
QString Refusal(const TBranch& b, const TDeviceDraft& d)
{
    try {
        DeviceValidation::Validate(b, d);
    } catch (const EDeviceEditError& e) {
        return e.Message();
    }
    return QString();
}

// A 100 m branch between nodes 1 and 2 with a laid fire pipe.
struct HundredMetres : ::testing::Test {
    MineBuilder mb;
    TBranch* b = nullptr;
    TPipe* fire = nullptr;
    void SetUp() override
    {
        mb.uzel(1, 0, 0, 0);
        mb.uzel(2, 100, 0, 0);
        b = mb.firePipe(1, 1, 2);
        fire = b->FirePipe();
    }
};

TEST_F(HundredMetres, DuplicateOfAGateGoesStepMetresOnWithTheNextNumber)
{
    auto* gate = mb.device<TGate>(b, dkGate, 0.2, 3);
    gate->SetClosed(true);
    TDeviceDraft d = DeviceDrafts::ForDevice(*gate);
    EXPECT_FALSE(DeviceApply::CanDuplicate(*b, d, -1, 50));
    ASSERT_TRUE(DeviceApply::CanDuplicate(*b, d, +1, 50));
    auto* copy = static_cast<TGate*>(DeviceApply::Duplicate(*b, d, gate, +1, 50));
    ASSERT_NE(copy, nullptr);
    EXPECT_NEAR(copy->Position(), 0.7, 1e-12);
    EXPECT_EQ(copy->Number(), 4);
    EXPECT_TRUE(copy->Closed());
    EXPECT_EQ(fire->Devices.Count(), 2);
    EXPECT_EQ(fire->Devices.Last(), copy);
}

TEST_F(HundredMetres, DuplicateIsValidatedAsANewDevice)
{
    fire->SetExtent(2, 0.7);
    TDeviceDraft d = DeviceDrafts::ForNewDevice(*b, dkReducer, 0, 0.2);
    d.Reducer.Characteristic.Name = QStringLiteral("РД-1");
    TDevice* reducer = DeviceApply::Apply(*b, d, nullptr);
    d = DeviceDrafts::ForDevice(*reducer);
    d.PPZNumber = QStringLiteral("ППЗ-9");
    // The copy would stand on the pipe's end: nothing changes, the original's edit included.
    EXPECT_THROW(DeviceApply::Duplicate(*b, d, reducer, +1, 50), EDeviceEditError);
    EXPECT_EQ(fire->Devices.Count(), 1);
    EXPECT_TRUE(reducer->PPZNumber().isEmpty());
    EXPECT_NE(DeviceApply::Duplicate(*b, d, reducer, +1, 30), nullptr);
    EXPECT_EQ(reducer->PPZNumber(), QStringLiteral("ППЗ-9"));
}

TEST_F(HundredMetres, WaterKindsReopenWithWhatWasApplied)
{
    TDeviceDraft d = DeviceDrafts::ForNewDevice(*b, dkPump, 0, 0.5);
    d.Pump.Chosen = true;
    d.Pump.Values = {60, 198, 90, 150, 0.01, 0.002};
    d.Pump.HeadDirection = 1;
    d.Pump.Manometer2 = QStringLiteral("12,5");
    d.PPZNumber = QStringLiteral("  П-1 ");
    TDevice* pump = DeviceApply::Apply(*b, d, nullptr);
    TDeviceDraft back = DeviceDrafts::ForDevice(*pump);
    EXPECT_EQ(back.Pump.Values, d.Pump.Values);
    EXPECT_EQ(back.Pump.HeadDirection, 1);
    EXPECT_EQ(back.Pump.Manometer2, QStringLiteral("12.5"));
    EXPECT_EQ(back.PPZNumber, QStringLiteral("П-1"));

    d = DeviceDrafts::ForNewDevice(*b, dkCrane, 0, 0.6);
    d.Crane = {true, 3, QStringLiteral("40"), true, QStringLiteral("18"), QStringLiteral("2")};
    back = DeviceDrafts::ForDevice(*DeviceApply::Apply(*b, d, nullptr));
    EXPECT_EQ(back.Crane.ConsumerType, 3);
    EXPECT_EQ(back.Crane.Flow, QStringLiteral("40"));
    EXPECT_EQ(back.Crane.OrificeDiameter, QStringLiteral("18"));

    // Edited onto the drainage pipe: the device moves there.
    d = DeviceDrafts::ForNewDevice(*b, dkFireMachine, 0, 0.7);
    d.Machine.Volume = QStringLiteral("8");
    TDevice* machine = DeviceApply::Apply(*b, d, nullptr);
    d = DeviceDrafts::ForDevice(*machine);
    d.PipeIndex = 1;
    EXPECT_EQ(DeviceApply::Apply(*b, d, machine), machine);
    EXPECT_EQ(machine->Pipe(), b->Pipes.Items(1));
    EXPECT_EQ(static_cast<TFireMachine*>(machine)->Volume(), 8.0);
    EXPECT_EQ(fire->Devices.Count(), 2);
}

TEST_F(HundredMetres, PreviousAndNextFollowThePipeOrder)
{
    TDevice* a = mb.device(b, dkGate, 0.1, 3);
    TDevice* m = mb.device(b, dkGate, 0.5, 4);
    TDevice* z = mb.device(b, dkGate, 0.9, 5);
    EXPECT_EQ(DeviceApply::Neighbour(*m, -1), a);
    EXPECT_EQ(DeviceApply::Neighbour(*z, +1), z);
    EXPECT_FALSE(DeviceApply::CanGoPrevious(*fire, a, 0.1));
    EXPECT_TRUE(DeviceApply::CanGoPrevious(*fire, m, 0.5));
    EXPECT_TRUE(DeviceApply::CanGoNext(*fire, nullptr, 0.6));
    EXPECT_FALSE(DeviceApply::CanGoNext(*fire, nullptr, 0.95));
}

TEST_F(HundredMetres, KindRulesSayWhyWithTheirOwnTexts)
{
    TDeviceDraft d = DeviceDrafts::ForNewDevice(*b, dkCrane, 0, 0.5);
    d.Crane.Consumption = true;
    EXPECT_EQ(Refusal(*b, d), QStringLiteral("При включенном кране расход должен быть больше 0"));
    d.Crane.Flow = QStringLiteral("1,5");
    d.Crane.Orifice = true;
    d.Crane.OrificeDiameter = QStringLiteral("0");
    EXPECT_EQ(Refusal(*b, d), QStringLiteral("Диаметр дроссельной шайбы должен быть больше 0"));
    d.Crane.OrificeDiameter = QStringLiteral("12");
    d.Crane.Manometer = QStringLiteral("-1");
    EXPECT_EQ(Refusal(*b, d), QStringLiteral("Неверно указано значение манометра"));

    d = DeviceDrafts::ForNewDevice(*b, dkJetBreakTank, 0, 0.5);
    d.Tank.MakeUpFlow = QStringLiteral("x");
    EXPECT_EQ(Refusal(*b, d), QStringLiteral("Неверно указана величина подпитки"));
    d.Tank.Bypass = true;  // the make-up flow is not used then
    d.Tank.Volume = QStringLiteral("-3");
    EXPECT_EQ(Refusal(*b, d), QString());
    auto* tank = static_cast<TJetBreakTank*>(DeviceApply::Apply(*b, d, nullptr));
    EXPECT_EQ(tank->Volume(), 0.0);

    d = DeviceDrafts::ForNewDevice(*b, dkFireMachine, 0, 0.5);
    d.Machine.Volume = QString();
    EXPECT_EQ(Refusal(*b, d), QStringLiteral("Не указан объем воды в машине"));
    d.Machine.Volume = QStringLiteral("8");
    d.Machine.AddPressure = QStringLiteral("-2");
    EXPECT_EQ(Refusal(*b, d), QStringLiteral("Неверно указано дополнительное давление "));
    d.Machine.AddPressure = QStringLiteral("2");
    d.Machine.Manometer = QStringLiteral("?");
    EXPECT_EQ(Refusal(*b, d), QStringLiteral("Неверно указаны показания манометра"));

    d = DeviceDrafts::ForNewDevice(*b, dkGate, 0, 0.5);
    d.Number = 0;
    EXPECT_EQ(Refusal(*b, d), QStringLiteral("Указан неверный номер устройства"));
    d.Number = 7;
    d.PipeIndex = 1;  // the drainage pipe takes a gate, a gas kind is refused
    d.Kind = dkVacuumPump;
    EXPECT_EQ(Refusal(*b, d), QStringLiteral("Выбранное устройство не поддерживается трубопроводом этого типа"));
}

TEST_F(HundredMetres, SuggestedNumberIsTheFirstGapOrTheNextAfterTheLargest)
{
    mb.device(b, dkGate, 0.5, 3);
    EXPECT_EQ(FreeNumberEntries::SuggestedDeviceNumber(mb.mine(), false), 4);
    mb.uzel(6);
    EXPECT_EQ(FreeNumberEntries::SuggestedDeviceNumber(mb.mine(), false), 4);
    EXPECT_EQ(DeviceDrafts::ForNewDevice(*b, dkGate, 0).Number, 4);

    const auto entries = FreeNumberEntries::Entries({20, 1, 2, 5, 6, 1, -4}, true);
    ASSERT_EQ(entries.size(), 4u);
    EXPECT_EQ(entries[0].Number, 3);
    EXPECT_EQ(entries[2].Caption, QStringLiteral("7 - 19"));
    EXPECT_EQ(entries[2].Number, 7);
    EXPECT_EQ(entries[3].Caption, QStringLiteral("21 и далее ..."));
    EXPECT_TRUE(FreeNumberEntries::Entries({}, false).empty());
}

TEST(DeviceChoices, EveryKindOpensAndFiltersMapToKinds)
{
    const auto kinds = DeviceChoices::KindEntries();
    ASSERT_EQ(kinds.size(), 10u);
    for (int kind = 1; kind <= 10; ++kind)
        EXPECT_EQ(kinds[static_cast<size_t>(DeviceChoices::KindEntryIndex(kind))].Kind, kind);
    EXPECT_EQ(kinds[7].Text, QStringLiteral("Соединение труб"));
    const auto filters = DeviceChoices::FilterEntries();
    ASSERT_EQ(filters.size(), 7u);
    EXPECT_EQ(filters[6].Text, QStringLiteral("Дегазационная скважина"));
    EXPECT_EQ(filters[6].Kind, dkSlit);
    EXPECT_EQ(DeviceChoices::PageCaption(dkJetBreakTank), QStringLiteral("БРС"));
}

// Branch 1 (100 m) with gas pipes #1, #2 and #3 in slots 3-5.
struct GasBranch : ::testing::Test {
    MineBuilder mb;
    TBranch* b = nullptr;
    void SetUp() override
    {
        mb.uzel(1, 0, 0, 0);
        mb.uzel(2, 100, 0, 0);
        b = mb.branch(1, 1, 2);
        for (int no = 1; no <= 3; ++no)
            mb.gasPipe(b, no);
    }
    int Connections() const
    {
        int n = 0;
        for (int i = 3; i < b->Pipes.Count(); ++i)
            n += b->Pipes.Items(i)->Devices.Count();
        return n;
    }
};

TEST_F(GasBranch, ConnectionsJoinTwoOrMorePipesAndMoveAsAGroup)
{
    TDeviceDraft d = DeviceDrafts::ForNewDevice(*b, dkConnection, 3, 0.5);
    ASSERT_EQ(d.Connections.size(), 3u);
    // Free node numbers over nodes and gas devices, one per entry.
    EXPECT_EQ(d.Connections[0].NodeNumber, 3);
    EXPECT_EQ(d.Connections[2].NodeNumber, 5);
    d.Connections[0].Checked = true;
    EXPECT_EQ(Refusal(*b, d), QStringLiteral("Соединяемых труб должно быть 2 или более"));
    d.Connections[2].Checked = true;
    d.Connections[2].Flow = 0;  // the last checked pipe carries the mixture away
    d.Connections[0].Concentration = 0;
    EXPECT_EQ(Refusal(*b, d), QStringLiteral("Концентрация смеси должна быть больше 0"));
    d.Connections[0].Concentration = 40;
    d.SelectedConnection = 2;
    auto* c = static_cast<TConnection*>(DeviceApply::Apply(*b, d, nullptr));
    ASSERT_NE(c, nullptr);
    EXPECT_EQ(c->Pipe(), b->Pipes.Items(5));
    EXPECT_EQ(c->Number(), 5);
    EXPECT_EQ(Connections(), 2);

    // Moving the group leaves nothing at the old place.
    TDeviceDraft edit = DeviceDrafts::ForDevice(*c);
    EXPECT_TRUE(edit.Connections[0].Checked);
    EXPECT_DOUBLE_EQ(edit.Connections[0].Concentration, 40);
    edit.Position = 0.8;
    edit.Connections[1].Checked = true;
    TDevice* moved = DeviceApply::Apply(*b, edit, c);
    EXPECT_EQ(Connections(), 3);
    EXPECT_TRUE(DeviceDrafts::ConnectionGroup(*b, 0.5).empty());
    EXPECT_EQ(DeviceDrafts::ConnectionGroup(*b, 0.8).size(), 3u);
    EXPECT_EQ(moved->Pipe(), b->Pipes.Items(5));
}

TEST_F(GasBranch, DuplicateOfAConnectionCopiesItsGroup)
{
    TDeviceDraft d = DeviceDrafts::ForNewDevice(*b, dkConnection, 4, 0.2);
    d.Connections[0].Checked = true;
    d.Connections[1].Checked = true;
    d.Connections[0].Temperature = -4;
    TDevice* c = DeviceApply::Apply(*b, d, nullptr);
    d = DeviceDrafts::ForDevice(*c);
    auto* copy = static_cast<TConnection*>(DeviceApply::Duplicate(*b, d, c, +1, 50));
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(copy->Pipe(), b->Pipes.Items(4));
    const auto group = DeviceDrafts::ConnectionGroup(*b, copy->Position());
    ASSERT_EQ(group.size(), 2u);
    EXPECT_NEAR(copy->Position(), 0.7, 1e-12);
    // Nodes 1, 2 and the original group 3, 4 are taken.
    EXPECT_EQ(group[0]->Number(), 5);
    EXPECT_EQ(group[1]->Number(), 6);
    EXPECT_EQ(static_cast<TConnection*>(group[0])->Temperature(), -4.0);
    EXPECT_EQ(DeviceDrafts::ConnectionGroup(*b, 0.2).size(), 2u);
}

TEST(ConnectionEntry, AnyTemperatureButFlowAndConcentrationAboveZero)
{
    TConnectionEntry e;
    DeviceValidation::SetConnectionValue(e, TDraftField::ConnectionTemperature, QStringLiteral("0"));
    EXPECT_EQ(e.Temperature, 0.0);
    DeviceValidation::SetConnectionValue(e, TDraftField::ConnectionTemperature, QStringLiteral("-12,5"));
    EXPECT_EQ(e.Temperature, -12.5);
    try {
        DeviceValidation::SetConnectionValue(e, TDraftField::ConnectionFlow, QStringLiteral("0"));
        FAIL();
    } catch (const EDeviceEditError& err) {
        EXPECT_EQ(err.Message(), QStringLiteral("Расход должен быть больше 0"));
    }
    EXPECT_THROW(DeviceValidation::SetConnectionValue(e, TDraftField::ConnectionTemperature, QStringLiteral("t")),
                 EDeviceEditError);
    EXPECT_EQ(e.Flow, 10.0);
}

TEST_F(GasBranch, GasDevicesOpenAndWellsAreChecked)
{
    TDeviceDraft d = DeviceDrafts::ForNewDevice(*b, dkVacuumPump, 4, 0.3);
    d.Vacuum = {200, 50, 200, 50};
    EXPECT_EQ(Refusal(*b, d), QStringLiteral("Давление и расходы для первой и второй точек не могут\r\nодновременно "
                                             "иметь одинаковые значения"));
    d.Vacuum = {300, 40, 200, 50};
    EXPECT_EQ(Refusal(*b, d), QStringLiteral("Величины давления и расхода первой точки должны быть \r\nне больше "
                                             "соответствующих величин второй точки"));
    d.Vacuum = {100, 40, 200, 50};
    TDevice* vacuum = DeviceApply::Apply(*b, d, nullptr);
    // An existing gas-side device opens with its values and saves again.
    TDeviceDraft again = DeviceDrafts::ForDevice(*vacuum);
    EXPECT_EQ(again.Kind, dkVacuumPump);
    EXPECT_EQ(again.Vacuum.P2, 200);
    again.Vacuum.Q2 = 60;
    EXPECT_EQ(DeviceApply::Apply(*b, again, vacuum), vacuum);
    EXPECT_EQ(static_cast<TVacuumPump*>(vacuum)->Q2(), 60);

    TDeviceDraft w = DeviceDrafts::ForNewDevice(*b, dkSlit, 3, 0.6);
    EXPECT_EQ(Refusal(*b, w), QStringLiteral("Требуется добавить одну или несколько скважин в куст"));
    WellGrid::AddRow(w.Wells);
    EXPECT_EQ(w.Wells[0], (TWellRow{"100", "75", "5", "80", "100"}));
    for (int i = 1; i < 9; ++i)
        WellGrid::AddRow(w.Wells);
    EXPECT_THROW(WellGrid::AddRow(w.Wells), EDeviceEditError);
    EXPECT_EQ(w.Wells.size(), 9u);
    w.Wells[4][1] = QStringLiteral("0");
    w.Wells[2][3] = QStringLiteral("4.5");
    try {
        DeviceValidation::Validate(*b, w);
        FAIL();
    } catch (const EDeviceEditError& e) {
        // Column by column: the diameter column comes before the concentration column.
        EXPECT_EQ(e.Message(), QStringLiteral("Параметр должен быть больше 0"));
        EXPECT_EQ(e.Row(), 4);
        EXPECT_EQ(e.Column(), 1);
    }
    w.Wells[4][1] = QStringLiteral("90");
    EXPECT_EQ(Refusal(*b, w), QStringLiteral("Неверно указано число"));
    w.Wells[2][3] = QStringLiteral("45");
    EXPECT_EQ(WellGrid::MoveUp(w.Wells, 4), 3);
    auto* slit = static_cast<TSlit*>(DeviceApply::Apply(*b, w, nullptr));
    EXPECT_EQ(slit->WellCount(), 9);
    EXPECT_EQ(slit->Well(3)->Diameter(), 90);
}

}  // namespace
