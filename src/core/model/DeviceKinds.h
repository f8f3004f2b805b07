#pragma once

#include "core/equipment/ReducerCharacter.h"
#include "core/model/Device.h"

#include <QByteArray>
#include <array>
#include <memory>
#include <vector>

// The ten kinds of equipment. Reserved bytes of the file blocks are kept verbatim (zeros for
// devices created here).

class TPump : public TDevice {
public:
    int GetKind() const override { return dkPump; }
    // Characteristic values 1-6: Q1, H1, Q2, H2, A, B.
    double Value(int index) const { return index >= 1 && index <= 6 ? values_[static_cast<size_t>(index - 1)] : 0; }
    void SetValue(int index, double value);
    double Q1() const { return values_[0]; }
    double H1() const { return values_[1]; }
    double Q2() const { return values_[2]; }
    double H2() const { return values_[3]; }
    double A() const { return values_[4]; }
    double B() const { return values_[5]; }
    // 0: head towards the end node, 1: towards the start node.
    int HeadDirection() const { return headDirection_; }
    void SetHeadDirection(int value) { if (AssignChanged(headDirection_, value)) Changed(true); }
    bool Off() const { return off_; }
    void SetOff(bool value) { if (AssignChanged(off_, value)) Changed(true); }
    double Manometer(int index) const { return index == 1 ? manometer_[0] : index == 2 ? manometer_[1] : 0; }
    void SetManometer(int index, double value);
    std::array<char, 34> Reserved{};

private:
    friend class TDevice;
    using TDevice::TDevice;
    std::array<double, 6> values_{};
    int headDirection_ = 0;
    bool off_ = false;
    std::array<double, 2> manometer_{};
};

class TReducer : public TDevice {
public:
    int GetKind() const override { return dkReducer; }
    TReducerCharacter& Characteristic() { return characteristic_; }
    const TReducerCharacter& Characteristic() const { return characteristic_; }
    void SetCharacteristic(const TReducerCharacter& c);
    bool HasCharacteristic() const { return hasCharacteristic_; }
    void SetHasCharacteristic(bool value) { hasCharacteristic_ = value; }
    double LockingPressure() const { return lockingPressure_; }
    void SetLockingPressure(double value) { if (AssignChanged(lockingPressure_, value)) Changed(true); }
    bool Off() const { return off_; }
    void SetOff(bool value) { if (AssignChanged(off_, value)) Changed(true); }
    // 0: towards the end node, 1: towards the start node.
    int Direction() const { return direction_; }
    void SetDirection(int value) { if (AssignChanged(direction_, value)) Changed(true); }
    double Manometer(int index) const { return index == 1 ? manometer_[0] : index == 2 ? manometer_[1] : 0; }
    void SetManometer(int index, double value);
    std::array<char, 50> Reserved{};

private:
    friend class TDevice;
    using TDevice::TDevice;
    TReducerCharacter characteristic_;
    bool hasCharacteristic_ = false;
    double lockingPressure_ = 0;
    bool off_ = false;
    int direction_ = 0;
    std::array<double, 2> manometer_{};
};

class TGate : public TDevice {
public:
    int GetKind() const override { return dkGate; }
    bool Closed() const { return closed_; }
    void SetClosed(bool value) { if (AssignChanged(closed_, value)) Changed(true); }
    // Set by the pipeline check on a gate it treats as closed automatically; not stored.
    bool ClosedAutomatically = false;

private:
    friend class TDevice;
    using TDevice::TDevice;
    bool closed_ = false;
};

// A hydrant or another water consumer.
class TCrane : public TDevice {
public:
    int GetKind() const override { return dkCrane; }
    bool Consumption() const { return consumption_; }
    void SetConsumption(bool value) { if (AssignChanged(consumption_, value)) Changed(true); }
    // 0 fire branch pipe, 1 water curtain, 2 automatic extinguishing, 3 technological needs.
    int ConsumerType() const { return consumerType_; }
    void SetConsumerType(int value) { if (AssignChanged(consumerType_, value)) Changed(false); }
    bool Orifice() const { return orifice_; }
    void SetOrifice(bool value) { if (AssignChanged(orifice_, value)) Changed(false); }
    double OrificeDiameter() const { return orificeDiameter_; }
    void SetOrificeDiameter(double value);
    double Manometer() const { return manometer_; }
    void SetManometer(double value) { if (AssignChanged(manometer_, value)) Changed(false); }
    double Flow() const { return flow_; }
    void SetFlow(double value) { if (AssignChanged(flow_, value)) Changed(true); }
    // Standard orifice plate 1..9; anything else reads as none (0).
    int WasherIndex() const { return washerIndex_ >= 1 && washerIndex_ <= 9 ? washerIndex_ : 0; }
    int RawWasherIndex() const { return washerIndex_; }
    void SetWasherIndex(int value) { washerIndex_ = value; }
    double WasherDrop() const { return WasherDrop(washerIndex_); }
    int WasherSize() const { return WasherSize(washerIndex_); }
    static double WasherDrop(int index);
    static int WasherSize(int index);
    std::array<char, 8> Reserved1{};
    std::array<char, 38> Reserved2{};

private:
    friend class TDevice;
    using TDevice::TDevice;
    bool consumption_ = false;
    bool orifice_ = false;
    int consumerType_ = 0;
    int washerIndex_ = 0;
    double orificeDiameter_ = 5.0;
    double manometer_ = 0;
    double flow_ = 0;
};

// A jet-break tank or reservoir.
class TJetBreakTank : public TDevice {
public:
    int GetKind() const override { return dkJetBreakTank; }
    bool Bypass() const { return bypass_; }
    void SetBypass(bool value) { if (AssignChanged(bypass_, value)) Changed(true); }
    double AddPressure() const { return addPressure_; }
    void SetAddPressure(double value) { if (AssignChanged(addPressure_, value)) Changed(true); }
    double Volume() const { return volume_; }
    void SetVolume(double value) { if (AssignChanged(volume_, value)) Changed(true); }
    double MakeUpFlow() const { return makeUpFlow_; }
    void SetMakeUpFlow(double value) { if (AssignChanged(makeUpFlow_, value)) Changed(true); }
    double Manometer() const { return manometer_; }
    void SetManometer(double value) { if (AssignChanged(manometer_, value)) Changed(false); }

private:
    friend class TDevice;
    using TDevice::TDevice;
    bool bypass_ = false;
    double addPressure_ = 0;
    double volume_ = 0;
    double makeUpFlow_ = 0;
    double manometer_ = 0;
};

class TFireMachine : public TDevice {
public:
    int GetKind() const override { return dkFireMachine; }
    double AddPressure() const { return addPressure_; }
    void SetAddPressure(double value) { if (AssignChanged(addPressure_, value)) Changed(true); }
    double Manometer() const { return manometer_; }
    void SetManometer(double value) { if (AssignChanged(manometer_, value)) Changed(true); }
    double Volume() const { return volume_; }
    void SetVolume(double value) { if (AssignChanged(volume_, value)) Changed(false); }

private:
    friend class TDevice;
    using TDevice::TDevice;
    double addPressure_ = 0;
    double manometer_ = 0;
    double volume_ = 0;
};

// Vacuum pump: two points of its characteristic (pressure mm Hg, flow m3/h).
class TVacuumPump : public TDevice {
public:
    int GetKind() const override { return dkVacuumPump; }
    int16_t P1() const { return p1_; }
    int16_t Q1() const { return q1_; }
    int16_t P2() const { return p2_; }
    int16_t Q2() const { return q2_; }
    void SetP1(int16_t v) { if (AssignChanged(p1_, v)) Changed(false); }
    void SetQ1(int16_t v) { if (AssignChanged(q1_, v)) Changed(false); }
    void SetP2(int16_t v) { if (AssignChanged(p2_, v)) Changed(false); }
    void SetQ2(int16_t v) { if (AssignChanged(q2_, v)) Changed(false); }

private:
    friend class TDevice;
    using TDevice::TDevice;
    int16_t p1_ = 0, q1_ = 0, p2_ = 0, q2_ = 0;
};

class TSlit;

// One well of a degasification well cluster.
class TSlitParams {
public:
    enum Field { fLength = 0, fDiameter, fFlow, fCH4, fVacuum };
    static inline const char* const kTitles[5] = {"Длина", "Диаметр", "Расход", "Конц.CH4", "Разряж."};

    explicit TSlitParams(TSlit* owner) : owner_(owner) {}
    TSlit* Owner() const { return owner_; }
    int16_t Value(int field) const { return field >= 0 && field < 5 ? values_[static_cast<size_t>(field)] : 0; }
    void SetValue(int field, int16_t value);
    int16_t Length() const { return values_[0]; }
    int16_t Diameter() const { return values_[1]; }
    int16_t Flow() const { return values_[2]; }
    int16_t CH4() const { return values_[3]; }
    int16_t Vacuum() const { return values_[4]; }

private:
    TSlit* owner_;
    std::array<int16_t, 5> values_{100, 76, 5, 0, 0};
};

// A degasification well cluster with its wells.
class TSlit : public TDevice {
public:
    static constexpr int kMaxWells = 9;
    int GetKind() const override { return dkSlit; }
    int WellCount() const { return static_cast<int>(wells_.size()); }
    TSlitParams* Well(int index) const;
    TSlitParams* AddWell();
    void DeleteWell(int index);
    void ClearWells();

private:
    friend class TDevice;
    using TDevice::TDevice;
    std::vector<std::unique_ptr<TSlitParams>> wells_;
};

// Joint of degasification pipes.
class TConnection : public TDevice {
public:
    int GetKind() const override { return dkConnection; }
    double MixtureFlow() const { return mixtureFlow_; }
    double MethaneConcentration() const { return methaneConcentration_; }
    double Temperature() const { return temperature_; }
    void SetMixtureFlow(double v) { if (AssignChanged(mixtureFlow_, v)) Changed(false); }
    void SetMethaneConcentration(double v) { if (AssignChanged(methaneConcentration_, v)) Changed(false); }
    void SetTemperature(double v) { if (AssignChanged(temperature_, v)) Changed(false); }

private:
    friend class TDevice;
    using TDevice::TDevice;
    double mixtureFlow_ = 0;
    double methaneConcentration_ = 0;
    double temperature_ = 0;
};

// A numbered node on a degasification pipe.
class TNumberDev : public TDevice {
public:
    int GetKind() const override { return dkNumberDev; }

private:
    friend class TDevice;
    using TDevice::TDevice;
};
