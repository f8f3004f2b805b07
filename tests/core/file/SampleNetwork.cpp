#include "SampleNetwork.h"

#include "core/model/Branch.h"
#include "core/model/DeviceKinds.h"
#include "core/model/PipePart.h"
#include "core/model/Uzel.h"

Extended80 OddExtended(double near)
{
    Extended80 e = Extended80::fromDouble(near);
    e.mantissa |= 0x3FF;  // below double precision
    return e;
}

namespace {

template <class D>
D* AddDevice(TBranch* b, int slot, int kind, double position, int number)
{
    TPipe* pipe = b->Pipes.Items(slot);
    auto* d = static_cast<D*>(TDevice::CreateDevice(b, pipe, kind));
    d->SetPosition(position);
    d->SetNumber(number);
    d->SetModel(QStringLiteral("Модель %1").arg(number));
    d->SetPPZNumber(QStringLiteral("ППЗ-%1").arg(number));
    d->SetLabelOffset({OddExtended(7.5), Extended80::fromDouble(-3)});
    pipe->Devices.SortByPosition();
    return d;
}

}  // namespace

SampleNetwork SampleNetwork::Make()
{
    SampleNetwork s;
    s.mine = std::make_unique<TMine>(QStringLiteral("Шахта «Северная»"));
    TMine* m = s.mine.get();
    m->SetRemark(QStringLiteral("Комментарий\r\nвторая строка"));
    m->SetCenter(1, 1200);
    m->SetCenter(2, -340);
    m->SetCenter(3, 55);

    TLayer* seam = TLayer::Create(m);
    seam->SetName(QStringLiteral("Пласт m3"));
    seam->SetColor(0x00FF00);
    TLayer* hidden = TLayer::Create(m);
    hidden->SetName(QStringLiteral("Пласт l4"));
    hidden->SetVisible(false);
    TPLFPosition* plf = TPLFPosition::Create(m);
    plf->SetName(QStringLiteral("12"));
    plf->SetColor(0x0000FF);
    plf->SetPositionNo(12);

    TUzel* u1 = TUzel::Create(m, 1);
    u1->SetX(100.25);
    u1->SetY(-40.5);
    u1->SetZ(-300);
    u1->SetSurface(true);
    TUzel* u2 = TUzel::Create(m, 2);
    u2->SetX(250);
    u2->SetY(10);
    u2->SetZ(-310.75);
    u2->SetPlacedByHand(true);
    u2->SetSX(260.5f);
    u2->SetSY(-12.25f);
    u2->SetLabelToggle(true);
    u2->SetShowResult(true);
    u2->SetNumberLabelOffset({OddExtended(12), OddExtended(-12)});
    TUzel* u3 = TUzel::Create(m, 3);
    u3->SetX(400);
    u3->SetY(80);
    u3->SetZ(-320);
    TUzel::Create(m, 4)->SetX(-50);

    // Water pipeline with every water device kind.
    TBranch* b1 = TBranch::Create(m, 10, 1, 2);
    b1->SetRemark(QStringLiteral("Главный ствол"));
    b1->SetLayerIndex(0);
    b1->SetPLFIndex(0);
    b1->SetAirQ(12.5);
    b1->SetShowResult(false);
    b1->SetAutoPlaceLabel(false);
    b1->SetNumberLabelOffset({OddExtended(4), OddExtended(18)});
    b1->DeriveLabelPlacement();
    TWaterPipe* fire = b1->FirePipe();
    fire->SetPresent(true);
    fire->SetDiameter(159);
    fire->SetWallThickness(6);
    fire->SetNotNew(true);
    fire->SetResistanceMode(1);
    fire->SetFixedResistance(0.0025);
    fire->SetProjected(true);
    fire->SetK(1.1);
    fire->SetExtent(1, 0.05);
    if (auto* first = dynamic_cast<TWaterPipePart*>(fire->FirstSection())) {
        first->SetAutoPlaceLabel(false);
        first->SetLabelOffset({OddExtended(-20), OddExtended(30)});
    }

    auto* pump = AddDevice<TPump>(b1, 0, dkPump, 0.1, 101);
    for (int i = 1; i <= 6; ++i)
        pump->SetValue(i, 10.5 * i);
    pump->SetHeadDirection(1);
    pump->SetOff(true);
    pump->SetManometer(1, 3.5);
    pump->SetManometer(2, 7.25);
    pump->Reserved[0] = 'R';
    pump->Reserved[33] = 'Z';

    auto* reducer = AddDevice<TReducer>(b1, 0, dkReducer, 0.2, 102);
    TReducerCharacter ch;
    ch.Name = QStringLiteral("РД-3");
    ch.Resize(3, 2);
    ch.SetInlet(2, 90);
    ch.SetLocking(2, 45);
    ch.SetOutlet(2, 0, 40.5);
    ch.SetOutlet(2, 1, 12);
    reducer->SetCharacteristic(ch);
    reducer->SetHasCharacteristic(true);
    reducer->SetLockingPressure(20);
    reducer->SetDirection(1);
    reducer->SetManometer(2, 6);
    reducer->Reserved[49] = '\x7F';

    // A reducer without a characteristic of its own.
    AddDevice<TReducer>(b1, 0, dkReducer, 0.25, 103)->SetOff(true);

    AddDevice<TGate>(b1, 0, dkGate, 0.3, 104)->SetClosed(true);

    auto* crane = AddDevice<TCrane>(b1, 0, dkCrane, 0.4, 105);
    crane->SetConsumption(true);
    crane->SetConsumerType(2);
    crane->SetOrifice(true);
    crane->SetOrificeDiameter(12.5);
    crane->SetManometer(4);
    crane->SetFlow(35.5);
    crane->SetWasherIndex(7);
    crane->Reserved1[3] = 'a';
    crane->Reserved2[37] = 'b';

    auto* tank = AddDevice<TJetBreakTank>(b1, 0, dkJetBreakTank, 0.5, 106);
    tank->SetBypass(true);
    tank->SetAddPressure(15);
    tank->SetVolume(200);
    tank->SetMakeUpFlow(3.5);
    tank->SetManometer(1.25);

    auto* engine = AddDevice<TFireMachine>(b1, 0, dkFireMachine, 0.6, 107);
    engine->SetAddPressure(80);
    engine->SetManometer(2);
    engine->SetVolume(5);

    // A second fire engine on the drainage pipe; devices at the same position keep order.
    TWaterPipe* drainage = b1->WaterPipe(1);
    drainage->SetPresent(true);
    drainage->SetDiameter(100);
    drainage->SetColor(0x123456);
    AddDevice<TFireMachine>(b1, 1, dkFireMachine, 0.7, 108);
    AddDevice<TGate>(b1, 1, dkGate, 0.7, 109);

    // A degasification branch with every degasification device kind.
    TBranch* b2 = TBranch::Create(m, 20, 2, 3);
    b2->SetLabelToggle(true);
    b2->SetLayerIndex(1);
    TGasPipe* gas = TGasPipe::Create(b2);
    gas->SetPipeNo(5);
    gas->SetDiameterType(2);
    gas->SetTemperature(18);
    gas->SetMixtureFlow(40);
    gas->SetMethaneConcentration(35);
    gas->SetFixedFlow(true);
    auto* vacuum = AddDevice<TVacuumPump>(b2, 3, dkVacuumPump, 0.15, 201);
    vacuum->SetP1(-200);
    vacuum->SetQ1(300);
    vacuum->SetP2(400);
    vacuum->SetQ2(-5);
    auto* slit = AddDevice<TSlit>(b2, 3, dkSlit, 0.35, 202);
    slit->AddWell()->SetValue(TSlitParams::fLength, 120);
    slit->AddWell()->SetValue(TSlitParams::fVacuum, -15);
    auto* joint = AddDevice<TConnection>(b2, 3, dkConnection, 0.55, 203);
    joint->SetMixtureFlow(10);
    joint->SetMethaneConcentration(50);
    joint->SetTemperature(14);
    AddDevice<TNumberDev>(b2, 3, dkNumberDev, 1.0, 204);
    TGasPipe::Create(b2)->SetPipeNo(6);

    // A branch whose end node is missing.
    TBranch::Create(m, 30, 3, 99)->SetRemark(QStringLiteral("тупик"));

    TTextBlock2D* text = TTextBlock2D::Create(&m->TextBlocks, 15, -40, QStringLiteral("Ствол №1\r\nгор. -300"));
    text->SetAngle(30);
    text->SetTransparent(false);
    text->SetBackColor(0xEEEEEE);
    text->SetFont({QStringLiteral("Times New Roman"), 12, 3, 0x0000FF});
    TTextBlock2D::Create(&m->TextBlocks, 0, 0, QString());

    s.settings = TDocumentSettings::Defaults();
    std::swap(s.settings.BranchCols[0], s.settings.BranchCols[13]);
    s.settings.BranchCols[2].Width = 33;
    s.settings.BranchCols[4].Visible = false;
    s.settings.UzelCols[1].Width = 91;
    s.settings.ResultCols[16].Visible = false;
    s.settings.ColorMode = 2;
    s.settings.DummyZ = 150;
    s.settings.Reserved1 = 7;
    s.settings.UseProjectedPipes = true;
    s.settings.OX = 12.5f;
    s.settings.OY = -7.0f;

    s.order = {m->Branches.Items(2), m->Branches.Items(0), m->Branches.Items(1)};
    return s;
}
