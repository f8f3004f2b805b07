#include "core/devices/DeviceEditError.h"
#include "core/devices/PipeEdits.h"
#include "support/MineBuilder.h"

#include <gtest/gtest.h>

namespace {

// The refusal's text, or empty when the value is taken.
template <class Apply>
QString Refusal(Apply apply)
{
    try {
        apply();
    } catch (const EPipeEditError& e) {
        return e.Message();
    }
    return QString();
}

// A 100 m branch between nodes 1 and 2 with a laid fire pipe.
struct PipeOnHundredMetres : ::testing::Test {
    MineBuilder mb;
    TBranch* b = nullptr;
    TWaterPipe* fire = nullptr;
    void SetUp() override
    {
        mb.uzel(1, 0, 0, 0);
        mb.uzel(2, 100, 0, 0);
        b = mb.firePipe(1, 1, 2);
        fire = b->FirePipe();
    }
};

TEST_F(PipeOnHundredMetres, PlacementAndLengthKeepTheDevicesOnThePipe)
{
    using PipeEdits::PlacementOf;
    EXPECT_EQ(PlacementOf(*fire), TPipePlacement::Through);
    EXPECT_FALSE(PipeEdits::LengthEditable(*fire, TPipePlacement::Through));
    fire->SetExtent(1, 0.6);
    EXPECT_EQ(PlacementOf(*fire), TPipePlacement::FromEnd);
    PipeEdits::SetPlacement(*fire, TPipePlacement::FromStart);
    EXPECT_DOUBLE_EQ(fire->StartFrac(), 0.0);
    EXPECT_DOUBLE_EQ(fire->EndFrac(), 0.6);
    EXPECT_EQ(PipeEdits::LengthText(*fire), QStringLiteral("60.0"));

    const auto fromEnd = TPipePlacement::FromEnd;
    PipeEdits::SetPlacement(*fire, fromEnd);
    EXPECT_DOUBLE_EQ(fire->StartFrac(), 0.6);
    PipeEdits::ApplyLength(*fire, fromEnd, QStringLiteral("50"));
    EXPECT_DOUBLE_EQ(fire->StartFrac(), 0.5);
    EXPECT_EQ(Refusal([&] { PipeEdits::ApplyLength(*fire, fromEnd, QStringLiteral("0")); }),
              QStringLiteral("Длина трубопровода должна быть больше 0"));
    EXPECT_EQ(Refusal([&] { PipeEdits::ApplyLength(*fire, fromEnd, QStringLiteral("пять")); }),
              QStringLiteral("Неверно указано число"));

    // A device at 0.3 holds the start there, by length and by dragging.
    PipeEdits::SetPlacement(*fire, TPipePlacement::Through);
    mb.device(b, dkGate, 0.3, 5);
    PipeEdits::SetPlacement(*fire, fromEnd);  // the end is already 1: the pipe still spans
    EXPECT_DOUBLE_EQ(fire->StartFrac(), 0.0);
    PipeEdits::ApplyLength(*fire, fromEnd, QStringLiteral("50"));
    EXPECT_DOUBLE_EQ(fire->StartFrac(), 0.3);
    PipeEdits::MoveFreeEnd(*fire, fromEnd, 0.9);
    EXPECT_DOUBLE_EQ(fire->StartFrac(), 0.3);
    EXPECT_EQ(PipeEdits::SectionLengthTexts(*fire), (QStringList{"70.0 м"}));
    EXPECT_EQ(PipeEdits::PipeLengthLabel(*fire), QStringLiteral("70.0 м"));
}

TEST_F(PipeOnHundredMetres, DiameterWallAndCoefficientChecks)
{
    fire->SetWallThickness(5);
    PipeEdits::ApplyDiameter(*fire, QStringLiteral("150.6"));
    EXPECT_EQ(fire->Diameter(), 151);
    for (const char* bad : {"0", "-20", "0.4"})
        EXPECT_EQ(Refusal([&] { PipeEdits::ApplyDiameter(*fire, QString::fromUtf8(bad)); }),
                  QStringLiteral("Диаметр должен быть больше 0"));
    EXPECT_EQ(fire->Diameter(), 151);
    const QString badWall = QStringLiteral("Неверная величина диаметра или толщины стенки");
    EXPECT_EQ(Refusal([&] { PipeEdits::ApplyDiameter(*fire, QStringLiteral("10")); }), badWall);
    EXPECT_EQ(Refusal([&] { PipeEdits::ApplyWallThickness(*fire, QStringLiteral("76")); }), badWall);
    PipeEdits::ApplyWallThickness(*fire, QStringLiteral("75.9"));
    EXPECT_EQ(fire->WallThickness(), 75);

    const QString badK = QStringLiteral("Коэффициент местных сопротивлений может принимать значения от 1 до 2");
    EXPECT_EQ(Refusal([&] { PipeEdits::ApplyK(*fire, QStringLiteral("2.01")); }), badK);
    EXPECT_EQ(Refusal([&] { PipeEdits::ApplyK(*fire, QStringLiteral("0,99")); }), badK);
    PipeEdits::ApplyK(*fire, QStringLiteral("1"));
    PipeEdits::ApplyK(*fire, QStringLiteral("2"));
    EXPECT_EQ(fire->K(), 2.0);
}

TEST_F(PipeOnHundredMetres, GasPipesAreNumberedOnUpToTwelvePipes)
{
    mb.gasPipe(b, 2);
    mb.gasPipe(b, 5);
    TGasPipe* added = PipeEdits::AddGasPipe(*b);
    EXPECT_EQ(added->PipeNo(), 6);
    EXPECT_EQ(added->Diameter(), 309);
    EXPECT_EQ(added->Temperature(), 14.0);
    EXPECT_EQ(PipeEdits::PipeEntries(*b).last(), QStringLiteral("Газопровод №6"));

    EXPECT_EQ(Refusal([&] { PipeEdits::ApplyMixtureFlow(*added, QStringLiteral("0")); }),
              QStringLiteral("Расход и концентрация смеси должны быть больше 0"));
    PipeEdits::ApplyTemperature(*added, QStringLiteral("-3"));
    EXPECT_EQ(added->Temperature(), -3.0);
    added->SetDiameterType(2);
    PipeEdits::SetFixedFlow(*added, true);
    EXPECT_EQ(added->DiameterType(), 0);

    while (PipeEdits::CanAddGasPipe(*b))
        PipeEdits::AddGasPipe(*b);
    EXPECT_EQ(b->Pipes.Count(), 12);
    EXPECT_EQ(Refusal([&] { PipeEdits::AddGasPipe(*b); }), QStringLiteral("Дегазационных труб не может быть более 9"));
    EXPECT_EQ(b->Pipes.Count(), 12);

    mb.device(b, dkNumberDev, 0.5, 40, added->SlotIndex());
    EXPECT_EQ(PipeEdits::DeleteGasPipePrompt(*added), QStringLiteral("Удалить дегазационную трубу №6?"));
    PipeEdits::DeleteGasPipe(*b, added);
    EXPECT_EQ(b->Pipes.Count(), 11);
    EXPECT_TRUE(mb.mine().DevicesByPipeKind[pkGas].IsEmpty());
}

TEST_F(PipeOnHundredMetres, DeviceListFilterAndDeletePrompt)
{
    TDevice* gate = mb.device(b, dkGate, 0.2, 7);
    TDevice* crane = mb.device(b, dkCrane, 0.4, 8);
    crane->SetModel(QStringLiteral("ПК-50"));
    EXPECT_EQ(PipeEdits::ShownDevices(*fire, dkCrane), (std::vector<TDevice*>{crane}));
    EXPECT_EQ(PipeEdits::ShownDevices(*fire, 0).size(), 2u);
    EXPECT_EQ(PipeEdits::DeleteDevicePrompt(*gate), QStringLiteral("Удалить Задвижка 7?"));
    EXPECT_EQ(PipeEdits::DeleteDevicePrompt(*crane), QStringLiteral("Удалить Кран \"ПК-50\"?"));
    PipeEdits::DeleteDevice(gate);
    EXPECT_EQ(fire->Devices.Count(), 1);
}

}  // namespace
