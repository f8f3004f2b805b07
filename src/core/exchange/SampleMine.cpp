#include "core/exchange/SampleMine.h"

#include "core/model/Branch.h"
#include "core/model/Device.h"
#include "core/model/DeviceKinds.h"
#include "core/model/Layer.h"
#include "core/model/Mine.h"
#include "core/model/Pipe.h"
#include "core/model/TextBlock2D.h"
#include "core/model/Uzel.h"

#include <QUuid>
#include <array>
#include <initializer_list>

// Heights: the surface at about +200 m, the main horizon at -400 m with the workings rising
// 3 per mille away from the shaft, the ventilation horizon at -300 m and the lower panel
// 14-1 at about -520 m. Plan coordinates in metres, X to the east, Y to the north.
//
// Water comes from the surface pumps at the cage shaft. The jet-break tank at -100 m takes
// the head off, the reducer at the shaft foot keeps the horizon at about 110 m; the incline
// and the ventilation connection to the lower panel have their own reducers. The fire
// engine at the ventilation shaft is the reserve source, behind a gate that stays closed.

namespace {

struct NodeRow {
    int number;
    double x, y, z;
    bool surface;
};

const NodeRow kNodes[] = {
    {1, 1100, 1000, 200.0, true},    // cage shaft collar
    {2, 1100, 1000, -100.0, false},  // cage shaft, jet-break tank station
    {3, 1100, 1000, -400.0, false},  // cage shaft, main horizon
    {4, 1130, 1060, 201.0, true},    // skip shaft collar
    {5, 1130, 1060, -420.0, false},  // skip loading pocket
    {6, 1160, 1000, -399.8, false},  // pit bottom
    {7, 1200, 940, -401.5, false},   // sump
    {8, 1500, 1000, -398.8, false},
    {9, 2000, 1000, -397.3, false},
    {10, 2600, 1000, -395.5, false},
    {11, 3200, 1000, -393.7, false},
    {12, 1500, 1300, -398.0, false},
    {13, 1900, 1300, -397.0, false},
    {14, 2300, 1300, -396.0, false},
    {15, 2700, 1300, -395.0, false},
    {16, 2700, 1470, -296.0, false},
    {17, 2300, 1470, -297.0, false},
    {18, 1900, 1470, -298.0, false},
    {19, 1500, 1470, -299.0, false},
    {20, 3600, 1470, -294.0, false},
    {21, 3600, 1800, -300.0, false},  // ventilation shaft foot
    {22, 3600, 1800, 215.0, true},    // ventilation shaft collar
    {23, 3200, 1300, -393.0, false},
    {24, 3600, 1300, -392.0, false},
    {25, 4000, 1300, -391.0, false},
    {26, 4000, 1470, -292.0, false},
    {27, 3800, 1470, -293.0, false},
    {28, 2000, 650, -520.0, false},
    {29, 2500, 650, -518.5, false},
    {30, 3000, 650, -517.0, false},
    {31, 3000, 830, -457.0, false},
    {32, 2500, 830, -458.5, false},
    {33, 2000, 830, -460.0, false},
    {34, 1060, 940, -400.2, false},
    {35, 700, 1000, -398.6, false},
    {36, 350, 1000, -397.6, false},
    {37, 700, 900, -399.0, false},
    {38, 1500, 880, -399.2, false},
    {39, 1040, 1040, -400.0, false},
    {40, 4400, 1300, -390.0, false},
    {41, 4400, 1470, -290.0, false},
    {42, 3400, 650, -516.0, false},
    {43, 3400, 830, -456.0, false},
    {44, 3700, 1000, -392.2, false},
    {45, 2900, 1800, -301.5, false},
    {46, 3200, 1470, -295.0, false},
};

constexpr int kSeamK5 = 0;
constexpr int kSeamK8 = 1;
constexpr int kNoSeam = -1;
constexpr int kPlfShafts = 0;
constexpr int kPlfPanels = 1;

class Builder {
public:
    explicit Builder(TMine& mine) : mine_(mine) {}
    void Build();

private:
    TBranch* Working(int number, int from, int to, const char* remark, int seam, int plf, double airQ)
    {
        TBranch* b = TBranch::Create(&mine_, number, from, to);
        b->SetRemark(QString::fromUtf8(remark));
        b->SetLayerIndex(seam);
        b->SetPLFIndex(plf);
        b->SetAirQ(airQ);
        return b;
    }
    static TPipe* Lay(TBranch* b, int slot, int diameter, double endFrac = 1.0)
    {
        TWaterPipe* p = b->WaterPipe(slot);
        p->SetDiameter(diameter);
        p->SetPresent(true);
        p->SetFractions(0.0, endFrac);
        return p;
    }
    static TPipe* Fire(TBranch* b, int diameter, double endFrac = 1.0) { return Lay(b, 0, diameter, endFrac); }
    static TGasPipe* Gas(TBranch* b, int pipeNo, int diameter, double mixtureFlow, double methane)
    {
        TGasPipe* g = TGasPipe::Create(b);
        g->SetPipeNo(pipeNo);
        g->SetDiameter(diameter);
        g->SetMixtureFlow(mixtureFlow);
        g->SetMethaneConcentration(methane);
        return g;
    }
    template <class D>
    static D* Put(TPipe* pipe, int kind, double position)
    {
        TDevice* d = TDevice::CreateDevice(pipe->Branch(), pipe, kind);
        d->SetPosition(position);
        return static_cast<D*>(d);
    }
    TCrane* Hydrant(TPipe* pipe, double position)
    {
        auto* c = Put<TCrane>(pipe, dkCrane, position);
        c->SetPPZNumber(QString::number(++hydrants_));
        return c;
    }
    void Hydrants(TPipe* pipe, std::initializer_list<double> positions)
    {
        for (double p : positions)
            Hydrant(pipe, p);
    }
    static TCrane* Consumer(TPipe* pipe, double position, int consumerType, double flow)
    {
        auto* c = Put<TCrane>(pipe, dkCrane, position);
        c->SetConsumption(true);
        c->SetConsumerType(consumerType);
        c->SetFlow(flow);
        return c;
    }
    static TGate* Gate(TPipe* pipe, double position, bool closed = false)
    {
        auto* g = Put<TGate>(pipe, dkGate, position);
        g->SetModel(QStringLiteral("Ду%1").arg(pipe->Diameter()));
        g->SetClosed(closed);
        return g;
    }
    static TReducer* Reducer(TPipe* pipe, double position, double locking, int direction);
    static TJetBreakTank* Tank(TPipe* pipe, double position, double volume, double makeUpFlow)
    {
        auto* t = Put<TJetBreakTank>(pipe, dkJetBreakTank, position);
        t->SetVolume(volume);
        t->SetMakeUpFlow(makeUpFlow);
        return t;
    }
    static TPump* Pump(TPipe* pipe, double position, const char* model, double q1, double h1, double q2, double h2);
    static TSlit* WellCluster(TPipe* pipe, double position, std::initializer_list<std::array<int, 5>> wells);
    void Numbering();

    TMine& mine_;
    int hydrants_ = 0;
};

TReducer* Builder::Reducer(TPipe* pipe, double position, double locking, int direction)
{
    auto* r = Put<TReducer>(pipe, dkReducer, position);
    TReducerCharacter c;
    c.Name = QStringLiteral("ГР-300/120");
    c.Resize(2, 2);
    // Pressures in kgf/cm2.
    c.SetInlet(0, 15);
    c.SetInlet(1, 30);
    c.SetLocking(0, 8);
    c.SetLocking(1, 13);
    c.SetFlow(0, 20);
    c.SetFlow(1, 80);
    c.SetOutlet(0, 0, 7.5);
    c.SetOutlet(0, 1, 6.0);
    c.SetOutlet(1, 0, 12.5);
    c.SetOutlet(1, 1, 10.5);
    r->SetCharacteristic(c);
    r->SetHasCharacteristic(true);
    r->SetModel(c.Name);
    r->SetLockingPressure(locking);
    r->SetDirection(direction);
    return r;
}

TPump* Builder::Pump(TPipe* pipe, double position, const char* model, double q1, double h1, double q2, double h2)
{
    auto* p = Put<TPump>(pipe, dkPump, position);
    // Two operating points and the parabola H = A - B q^2 through them, q in m3/s.
    const double s1 = q1 / 3600, s2 = q2 / 3600;
    const double b = (h1 - h2) / (s2 * s2 - s1 * s1);
    p->SetModel(QString::fromUtf8(model));
    p->SetValue(1, q1);
    p->SetValue(2, h1);
    p->SetValue(3, q2);
    p->SetValue(4, h2);
    p->SetValue(5, h1 + b * s1 * s1);
    p->SetValue(6, b);
    return p;
}

TSlit* Builder::WellCluster(TPipe* pipe, double position, std::initializer_list<std::array<int, 5>> wells)
{
    auto* s = Put<TSlit>(pipe, dkSlit, position);
    for (const auto& values : wells) {
        TSlitParams* w = s->AddWell();
        for (int f = 0; f < 5; ++f)
            w->SetValue(f, static_cast<int16_t>(values[static_cast<size_t>(f)]));
    }
    return s;
}

// Device numbers run from 101 along the branches and their pipes, clear of node numbers.
void Builder::Numbering()
{
    int number = 100;
    for (TBranch* b : mine_.Branches)
        for (TPipe* p : b->Pipes) {
            p->Devices.SortByPosition();
            for (TDevice* d : p->Devices)
                d->SetNumber(++number);
        }
}

void Builder::Build()
{
    mine_.SetRemark(QStringLiteral("Учебная сеть для знакомства с программой. Данные условные."));
    mine_.SetCenter(1, 2500);
    mine_.SetCenter(2, 1200);
    mine_.SetCenter(3, -400);

    TLayer* k5 = TLayer::Create(&mine_);
    k5->SetName(QStringLiteral("Пласт k5"));
    k5->SetColor(0x0000A5FF);
    TLayer* k8 = TLayer::Create(&mine_);
    k8->SetName(QStringLiteral("Пласт k8"));
    k8->SetColor(0x00FF8000);
    TPLFPosition* p1 = TPLFPosition::Create(&mine_);
    p1->SetName(QStringLiteral("1"));
    p1->SetPositionNo(1);
    p1->SetColor(0x0080FFFF);
    TPLFPosition* p2 = TPLFPosition::Create(&mine_);
    p2->SetName(QStringLiteral("2"));
    p2->SetPositionNo(2);
    p2->SetColor(0x00FFC080);

    for (const NodeRow& n : kNodes) {
        TUzel* u = TUzel::Create(&mine_, n.number);
        u->SetX(n.x);
        u->SetY(n.y);
        u->SetZ(n.z);
        u->SetSurface(n.surface);
    }
    // Shafts are vertical: their nodes are moved apart on the schema by hand so that the
    // shafts and their equipment can be seen.
    struct SchemaPlace {
        int number;
        float sx, sy;
    };
    for (const SchemaPlace& s : {SchemaPlace{1, 1100, 760}, SchemaPlace{2, 1100, 880}, SchemaPlace{4, 1230, 1180},
                                 SchemaPlace{22, 3600, 2060}}) {
        TUzel* u = mine_.Uzels.Items(mine_.Uzels.IndexOfNumber(s.number));
        u->SetPlacedByHand(true);
        u->SetSX(s.sx);
        u->SetSY(s.sy);
    }

    // Shafts and the pit bottom.
    TBranch* b = Working(1, 1, 2, "Клетевой ствол, отм. +200 ... -100 м", kNoSeam, kPlfShafts, 95);
    TPipe* p = Fire(b, 150);
    Pump(p, 0.0, "ЦНС 105-196", 70, 205, 140, 170);
    Tank(p, 1.0, 25, 60);
    Lay(b, 1, 250);

    b = Working(2, 2, 3, "Клетевой ствол, отм. -100 ... -400 м", kNoSeam, kPlfShafts, 95);
    p = Fire(b, 150);
    Reducer(p, 0.95, 11, 0);
    Lay(b, 1, 250);

    b = Working(3, 3, 6, "Околоствольный двор гор. -400 м", kNoSeam, kPlfShafts, 60);
    p = Fire(b, 150);
    Gate(p, 0.5);
    Lay(b, 1, 250);

    b = Working(4, 4, 5, "Скиповой ствол", kNoSeam, kPlfShafts, 55);
    Lay(b, 2, 200);

    b = Working(5, 5, 6, "Ходок к загрузочному устройству скипового ствола", kNoSeam, kPlfShafts, 4);
    p = Fire(b, 100);
    Hydrant(p, 0.0);
    Lay(b, 2, 150);

    b = Working(6, 7, 6, "Водосборник главного водоотлива", kNoSeam, kPlfShafts, 2);
    Pump(Lay(b, 1, 250), 0.0, "ЦНС 300-600", 200, 640, 360, 540);

    b = Working(7, 3, 34, "Камера ЦПП", kNoSeam, kPlfShafts, 3);
    Hydrant(Fire(b, 100), 1.0);

    b = Working(8, 3, 39, "Камера ожидания", kNoSeam, kPlfShafts, 2);
    Hydrant(Fire(b, 100), 1.0);

    // Main haulage drift, east wing; orifice plates cut the pressure near the shaft.
    b = Working(9, 6, 8, "Главный откаточный штрек гор. -400 м, восточное крыло", kNoSeam, kPlfShafts, 42);
    p = Fire(b, 200);
    Gate(p, 0.05);
    for (double at : {0.3, 0.65}) {
        TCrane* c = Hydrant(p, at);
        c->SetOrifice(true);
        c->SetWasherIndex(3);
        c->SetOrificeDiameter(TCrane::WasherSize(3));
    }
    Lay(b, 2, 150);

    b = Working(10, 8, 9, "Главный откаточный штрек гор. -400 м, восточное крыло", kNoSeam, kPlfShafts, 38);
    p = Fire(b, 150);
    Hydrants(p, {0.2, 0.4, 0.6, 0.8});
    Lay(b, 2, 150);

    b = Working(11, 9, 10, "Главный откаточный штрек гор. -400 м, восточное крыло", kNoSeam, kPlfShafts, 30);
    p = Fire(b, 150);
    Gate(p, 0.03);
    Hydrants(p, {0.33, 0.67});
    Lay(b, 2, 150);

    b = Working(12, 10, 11, "Главный откаточный штрек гор. -400 м, восточное крыло", kNoSeam, kPlfShafts, 24);
    Hydrants(Fire(b, 150), {0.33, 0.67});

    b = Working(13, 11, 44, "Главный откаточный штрек гор. -400 м, восточное крыло (проходка)", kNoSeam,
                kPlfShafts, 6);
    Hydrants(Fire(b, 150, 0.9), {0.3, 0.6, 0.9});

    // West wing.
    b = Working(14, 6, 35, "Главный откаточный штрек гор. -400 м, западное крыло", kNoSeam, kPlfShafts, 12);
    p = Fire(b, 150);
    Gate(p, 0.04);
    Hydrants(p, {0.33, 0.67});

    b = Working(15, 35, 36, "Западный полевой штрек (проходка)", kNoSeam, kPlfShafts, 5);
    Hydrants(Fire(b, 100, 0.92), {0.45, 0.92});

    b = Working(16, 35, 37, "Склад ВМ", kNoSeam, kPlfShafts, 3);
    Hydrant(Fire(b, 100), 1.0);

    b = Working(17, 8, 38, "Электровозное депо", kNoSeam, kPlfShafts, 4);
    Hydrant(Fire(b, 100), 1.0);

    // Panel 12-1, seam k5.
    b = Working(18, 8, 12, "Квершлаг №1", kNoSeam, kPlfPanels, 26);
    p = Fire(b, 150);
    Gate(p, 0.05);
    Hydrant(p, 0.5);
    Lay(b, 2, 100);

    for (int i = 0; i < 3; ++i) {
        b = Working(19 + i, 12 + i, 13 + i, "Конвейерный штрек 12-1", kSeamK5, kPlfPanels, 16);
        p = Fire(b, 100);
        if (i < 2) {
            Hydrants(p, {0.25, 0.5, 0.75});
        } else {
            Hydrants(p, {0.25, 0.5});
            Consumer(p, 0.85, 1, 6);  // water curtain in front of the face
        }
        Lay(b, 2, 100);
    }

    b = Working(22, 15, 16, "Лава 12-1", kSeamK5, kPlfPanels, 14);
    p = Fire(b, 80);
    Consumer(p, 0.5, 3, 12);  // the shearer's sprays
    Hydrant(p, 0.85);

    for (int i = 0; i < 3; ++i) {
        b = Working(23 + i, 16 + i, 17 + i, "Вентиляционный штрек 12-1", kSeamK5, kPlfPanels, 15);
        Hydrants(Fire(b, 100), {0.33, 0.67});
    }

    b = Working(26, 12, 19, "Ходок 12-1", kSeamK5, kPlfPanels, 3);
    Hydrant(Fire(b, 100), 0.5);

    b = Working(27, 16, 20, "Вентиляционный штрек 12-1", kSeamK5, kPlfPanels, 15);
    Hydrants(Fire(b, 100), {0.2, 0.4, 0.6, 0.8});

    // Ventilation horizon and the ventilation shaft with the reserve source.
    b = Working(28, 20, 21, "Вентиляционный квершлаг гор. -300 м", kNoSeam, kPlfShafts, 30);
    Hydrant(Fire(b, 150), 0.5);

    b = Working(29, 22, 21, "Вентиляционный ствол", kNoSeam, kPlfShafts, 160);
    p = Fire(b, 150);
    auto* engine = Put<TFireMachine>(p, dkFireMachine, 0.0);
    engine->SetModel(QStringLiteral("АЦ-40"));
    engine->SetAddPressure(90);
    engine->SetVolume(4);
    Tank(p, 0.55, 12, 40);
    Reducer(p, 0.9, 10, 0);
    Gate(p, 0.97, true);

    // Panel 12-2, seam k5.
    b = Working(30, 11, 23, "Квершлаг №2", kNoSeam, kPlfPanels, 24);
    p = Fire(b, 150);
    Gate(p, 0.05);
    Hydrant(p, 0.5);

    b = Working(31, 23, 24, "Конвейерный штрек 12-2", kSeamK5, kPlfPanels, 14);
    Hydrants(Fire(b, 100), {0.25, 0.5, 0.75});
    b = Working(32, 24, 25, "Конвейерный штрек 12-2", kSeamK5, kPlfPanels, 14);
    p = Fire(b, 100);
    Hydrants(p, {0.25, 0.5});
    Consumer(p, 0.85, 1, 6);

    b = Working(33, 25, 26, "Лава 12-2", kSeamK5, kPlfPanels, 13);
    p = Fire(b, 80);
    Consumer(p, 0.5, 3, 12);
    Hydrant(p, 0.85);

    b = Working(34, 26, 27, "Вентиляционный штрек 12-2", kSeamK5, kPlfPanels, 13);
    Hydrant(Fire(b, 100), 0.5);
    b = Working(35, 27, 20, "Вентиляционный штрек 12-2", kSeamK5, kPlfPanels, 13);
    Hydrant(Fire(b, 100), 0.5);

    b = Working(36, 23, 46, "Ходок 12-2", kSeamK5, kPlfPanels, 3);
    Hydrant(Fire(b, 100), 0.5);
    b = Working(37, 46, 20, "Вентиляционный штрек 12-2, западный участок", kSeamK5, kPlfPanels, 5);
    Hydrants(Fire(b, 100), {0.33, 0.67});

    b = Working(38, 25, 40, "Конвейерный штрек 12-2 (проходка)", kSeamK5, kPlfPanels, 5);
    Hydrants(Fire(b, 100, 0.9), {0.3, 0.6, 0.9});
    b = Working(39, 26, 41, "Вентиляционный штрек 12-2 (проходка)", kSeamK5, kPlfPanels, 5);
    Hydrants(Fire(b, 100, 0.88), {0.44, 0.88});

    // Panel 14-1, seam k8, below the horizon.
    b = Working(40, 9, 28, "Конвейерный уклон 14-1", kSeamK8, kPlfPanels, 18);
    p = Fire(b, 150);
    Gate(p, 0.04);
    Hydrants(p, {0.3, 0.6});
    Reducer(p, 0.9, 11, 0);
    Lay(b, 2, 100);

    b = Working(41, 28, 29, "Конвейерный штрек 14-1", kSeamK8, kPlfPanels, 15);
    Hydrants(Fire(b, 100), {0.2, 0.4, 0.6, 0.8});
    Lay(b, 2, 100);
    b = Working(42, 29, 30, "Конвейерный штрек 14-1", kSeamK8, kPlfPanels, 15);
    p = Fire(b, 100);
    Hydrants(p, {0.2, 0.4, 0.6});
    Consumer(p, 0.85, 1, 6);
    Lay(b, 2, 100);

    b = Working(43, 30, 31, "Лава 14-1", kSeamK8, kPlfPanels, 12);
    p = Fire(b, 80);
    Consumer(p, 0.5, 3, 10);
    Hydrant(p, 0.85);

    b = Working(44, 31, 32, "Вентиляционный штрек 14-1", kSeamK8, kPlfPanels, 14);
    Hydrants(Fire(b, 100), {0.2, 0.4, 0.6, 0.8});
    b = Working(45, 32, 33, "Вентиляционный штрек 14-1", kSeamK8, kPlfPanels, 14);
    Hydrants(Fire(b, 100), {0.2, 0.4, 0.6, 0.8});

    b = Working(46, 33, 28, "Вентиляционная сбойка 14-1", kSeamK8, kPlfPanels, 4);
    Hydrant(Fire(b, 100), 0.5);

    // Water runs down this one from the main drift: the reducer faces the lower end.
    b = Working(47, 32, 10, "Вентиляционный ходок 14-1", kSeamK8, kPlfPanels, 14);
    p = Fire(b, 100);
    Reducer(p, 0.15, 11, 1);
    Hydrant(p, 0.5);

    b = Working(48, 30, 42, "Конвейерный штрек 14-1 (проходка)", kSeamK8, kPlfPanels, 5);
    Hydrants(Fire(b, 100, 0.9), {0.45, 0.9});
    b = Working(49, 31, 43, "Вентиляционный штрек 14-1 (проходка)", kSeamK8, kPlfPanels, 5);
    Hydrants(Fire(b, 100, 0.9), {0.45, 0.9});

    b = Working(50, 21, 45, "Вентиляционный штрек гор. -300 м, западное крыло", kNoSeam, kPlfShafts, 8);
    Hydrants(Fire(b, 100), {0.25, 0.5, 0.75, 1.0});

    // Degasification of panels 12-1 and 12-2: well clusters on the ventilation drifts,
    // a trunk to the vacuum pumps at the ventilation shaft.
    TBranch* trunkShaft = mine_.Branches.Items(28);
    TGasPipe* g = Gas(trunkShaft, 1, 426, 60, 38);
    auto* vacuum = Put<TVacuumPump>(g, dkVacuumPump, 0.0);
    vacuum->SetModel(QStringLiteral("ВВН-50"));
    vacuum->SetP1(150);
    vacuum->SetQ1(3000);
    vacuum->SetP2(400);
    vacuum->SetQ2(1500);
    Put<TNumberDev>(g, dkNumberDev, 1.0);

    g = Gas(mine_.Branches.Items(27), 1, 426, 60, 38);
    auto* joint = Put<TConnection>(g, dkConnection, 0.0);
    joint->SetMixtureFlow(10);
    joint->SetMethaneConcentration(50);
    joint->SetTemperature(14);

    const std::array<int, 5> kWell{90, 76, 3, 45, 120};
    for (int i = 22; i <= 24; ++i) {
        g = Gas(mine_.Branches.Items(i), 2, 273, 35, 42);
        WellCluster(g, 0.5, {kWell, {110, 76, 4, 50, 140}, {80, 93, 2, 38, 110}, {100, 76, 3, 47, 130}});
    }
    Gas(mine_.Branches.Items(26), 2, 273, 35, 42);

    g = Gas(mine_.Branches.Items(33), 3, 273, 25, 40);
    WellCluster(g, 0.5, {kWell, {120, 76, 5, 55, 150}, {95, 93, 3, 41, 120}});
    Gas(mine_.Branches.Items(34), 3, 273, 25, 40);

    Numbering();

    TTextBlock2D* title = TTextBlock2D::Create(
        &mine_.TextBlocks, 1000, 420,
        QStringLiteral("Шахта «Северная»\r\nСхема пожарно-оросительного трубопровода гор. -300, -400 и -520 м"));
    TBlockFont font = title->Font();
    font.Size = 12;
    font.Style = 1;  // bold
    title->SetFont(font);
    title->SetTransparent(false);
    title->SetNoFrame(false);

    TTextBlock2D::Create(&mine_.TextBlocks, 2900, 1950,
                         QStringLiteral("Гидроредукторы настроены на 100-110 м вод. ст.\r\n"
                                        "Задвижка у основания вентиляционного ствола нормально закрыта:\r\n"
                                        "резервная подача воды от пожарной машины."));
}

}  // namespace

namespace SampleMine {

std::unique_ptr<TMine> Build()
{
    auto mine = std::make_unique<TMine>(QStringLiteral("Шахта «Северная»"));
    mine->SetGuid(QUuid(QStringLiteral("{3E0A9D52-6C1B-4F87-A2D4-0B7E5C913F60}")));
    // Diameter colours are drawn at random; the example is the same on every build.
    mine->DiamColors.Seed(2024);
    Builder(*mine).Build();
    // Nodes were placed before their branches existed: put the automatic labels beside them.
    for (TBranch* b : mine->Branches)
        b->EndMovedOnSchema();
    mine->SetModified(false, false);
    return mine;
}

}  // namespace SampleMine
