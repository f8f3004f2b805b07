#include "core/file/DeviceRecord.h"

#include "core/file/RecordFields.h"
#include "core/file/ReducerCharacterRecord.h"
#include "core/model/Branch.h"
#include "core/model/DeviceKinds.h"
#include "core/model/Pipe.h"
#include "core/model/PipePart.h"

#include <cmath>
#include <limits>

using namespace RecordFields;

namespace {

// Reducers of versions 2-11 (and of version 12 without a characteristic) carry a block of
// 56 bytes of which only two mean something today.
constexpr int kLegacyReducerSize = 56;
constexpr int kLegacyDirectionByte = 5;
constexpr int kLegacyOffByte = 14;

// Only the fire-fighting pipe keeps the result labels of its sections in the file.
bool KeepsSectionLabels(const TPipe& pipe) { return pipe.Kind() == pkFire; }

// The hydrant keeps a whole-number copy of its flow for older readers: the flow rounded
// to the nearest integer (halves to even), cut to 16 bits.
uint16_t FlowCopy(double flow)
{
    if (!std::isfinite(flow))
        return 0;
    const double r = std::nearbyint(flow);
    if (r <= static_cast<double>(std::numeric_limits<int64_t>::min()) ||
        r >= static_cast<double>(std::numeric_limits<int64_t>::max()))
        return 0;
    return static_cast<uint16_t>(static_cast<uint64_t>(static_cast<int64_t>(r)));
}

// Kind blocks ------------------------------------------------------------------------------

void ReadPump(ByteReader& r, TPump& p, int version)
{
    if (version < 2)
        return;
    for (int i = 1; i <= 6; ++i)
        p.SetValue(i, r.f64());
    p.SetHeadDirection(r.u8());
    if (version < 3)
        return;
    p.SetOff(r.boolean());
    p.SetManometer(1, r.f64());
    p.SetManometer(2, r.f64());
    r.read(p.Reserved);
}

void WritePump(ByteWriter& w, const TPump& p, int version)
{
    if (version < 2)
        return;
    for (int i = 1; i <= 6; ++i)
        w.f64(p.Value(i));
    w.u8(static_cast<uint8_t>(p.HeadDirection()));
    if (version < 3)
        return;
    w.boolean(p.Off());
    w.f64(p.Manometer(1));
    w.f64(p.Manometer(2));
    w.bytes(QByteArrayView(p.Reserved.data(), p.Reserved.size()));
}

void ReadLegacyReducer(ByteReader& r, TReducer& d)
{
    const QByteArray block = r.bytes(kLegacyReducerSize);
    d.SetDirection(static_cast<uint8_t>(block[kLegacyDirectionByte]));
    d.SetOff(block[kLegacyOffByte] != 0);
}

void WriteLegacyReducer(ByteWriter& w, const TReducer& d)
{
    QByteArray block(kLegacyReducerSize, '\0');
    block[kLegacyDirectionByte] = static_cast<char>(d.Direction());
    block[kLegacyOffByte] = d.Off() ? 1 : 0;
    w.bytes(block);
}

void ReadReducer(ByteReader& r, TReducer& d, int version)
{
    if (version < 2)
        return;
    if (version < 12) {
        ReadLegacyReducer(r, d);
        return;
    }
    if (version == 12) {
        const uint8_t flag = r.u8();
        d.SetHasCharacteristic(flag != 1);
        if (flag == 1) {
            ReadLegacyReducer(r, d);
            return;
        }
        ReducerCharacterRecord::Read(r, d.Characteristic());
        d.SetLockingPressure(r.f64());
        d.SetOff(r.boolean());
        d.SetDirection(r.u8());
        return;
    }
    d.SetHasCharacteristic(r.boolean());
    if (d.HasCharacteristic())
        ReducerCharacterRecord::Read(r, d.Characteristic());
    d.SetLockingPressure(r.f64());
    d.SetOff(r.boolean());
    d.SetDirection(r.u8());
    d.SetManometer(1, r.f64());
    d.SetManometer(2, r.f64());
    r.read(d.Reserved);
}

void WriteReducer(ByteWriter& w, const TReducer& d, int version)
{
    if (version < 2)
        return;
    if (version < 12) {
        WriteLegacyReducer(w, d);
        return;
    }
    if (version == 12) {
        if (!d.HasCharacteristic()) {
            w.u8(1);
            WriteLegacyReducer(w, d);
            return;
        }
        w.u8(0);
        ReducerCharacterRecord::Write(w, d.Characteristic());
        w.f64(d.LockingPressure());
        w.boolean(d.Off());
        w.u8(static_cast<uint8_t>(d.Direction()));
        return;
    }
    w.boolean(d.HasCharacteristic());
    if (d.HasCharacteristic())
        ReducerCharacterRecord::Write(w, d.Characteristic());
    w.f64(d.LockingPressure());
    w.boolean(d.Off());
    w.u8(static_cast<uint8_t>(d.Direction()));
    w.f64(d.Manometer(1));
    w.f64(d.Manometer(2));
    w.bytes(QByteArrayView(d.Reserved.data(), d.Reserved.size()));
}

void ReadCrane(ByteReader& r, TCrane& c, int version)
{
    c.SetConsumption(r.boolean());
    c.SetConsumerType(r.u8());
    const uint16_t flowCopy = r.u16();
    if (version < 13) {
        c.SetFlow(flowCopy);
        if (version >= 9) {
            c.SetOrifice(r.boolean());
            c.SetOrificeDiameter(r.f64());
        }
        return;
    }
    c.SetOrifice(r.boolean());
    c.SetOrificeDiameter(r.f64());
    r.read(c.Reserved1);
    c.SetManometer(r.f64());
    const double flow = r.f64();
    c.SetWasherIndex(r.i32());
    r.read(c.Reserved2);
    // Files whose writer knew only the whole-number flow.
    c.SetFlow(flow == 0 && flowCopy != 0 ? static_cast<double>(flowCopy) : flow);
}

void WriteCrane(ByteWriter& w, const TCrane& c, int version)
{
    w.boolean(c.Consumption());
    w.u8(static_cast<uint8_t>(c.ConsumerType()));
    w.u16(FlowCopy(c.Flow()));
    if (version < 13) {
        if (version >= 9) {
            w.boolean(c.Orifice());
            w.f64(c.OrificeDiameter());
        }
        return;
    }
    w.boolean(c.Orifice());
    w.f64(c.OrificeDiameter());
    w.bytes(QByteArrayView(c.Reserved1.data(), c.Reserved1.size()));
    w.f64(c.Manometer());
    w.f64(c.Flow());
    w.i32(c.RawWasherIndex());
    w.bytes(QByteArrayView(c.Reserved2.data(), c.Reserved2.size()));
}

void ReadTank(ByteReader& r, TJetBreakTank& t, int version)
{
    if (version < 2)
        return;
    t.SetBypass(r.boolean());
    r.skip(7);
    t.SetAddPressure(r.f64());
    t.SetVolume(r.f64());
    t.SetMakeUpFlow(r.f64());
    if (version >= 13)
        t.SetManometer(r.f64());
}

void WriteTank(ByteWriter& w, const TJetBreakTank& t, int version)
{
    if (version < 2)
        return;
    w.boolean(t.Bypass());
    w.zeros(7);
    w.f64(t.AddPressure());
    w.f64(t.Volume());
    w.f64(t.MakeUpFlow());
    if (version >= 13)
        w.f64(t.Manometer());
}

void ReadSlit(ByteReader& r, TSlit& s)
{
    const int32_t wells = r.count(10);
    s.ClearWells();
    for (int i = 0; i < wells; ++i) {
        TSlitParams* well = s.AddWell();
        for (int field = 0; field < 5; ++field)
            well->SetValue(field, r.i16());
    }
}

void WriteSlit(ByteWriter& w, const TSlit& s)
{
    w.i32(s.WellCount());
    for (int i = 0; i < s.WellCount(); ++i)
        for (int field = 0; field < 5; ++field)
            w.i16(s.Well(i)->Value(field));
}

void ReadKindBlock(ByteReader& r, TDevice& d, int version)
{
    switch (d.GetKind()) {
    case dkPump: ReadPump(r, static_cast<TPump&>(d), version); break;
    case dkReducer: ReadReducer(r, static_cast<TReducer&>(d), version); break;
    case dkGate: static_cast<TGate&>(d).SetClosed(r.boolean()); break;
    case dkCrane: ReadCrane(r, static_cast<TCrane&>(d), version); break;
    case dkJetBreakTank: ReadTank(r, static_cast<TJetBreakTank&>(d), version); break;
    case dkVacuumPump: {
        auto& v = static_cast<TVacuumPump&>(d);
        v.SetP1(r.i16());
        v.SetQ1(r.i16());
        v.SetP2(r.i16());
        v.SetQ2(r.i16());
        break;
    }
    case dkSlit: ReadSlit(r, static_cast<TSlit&>(d)); break;
    case dkConnection: {
        auto& c = static_cast<TConnection&>(d);
        c.SetMixtureFlow(r.f64());
        c.SetMethaneConcentration(r.f64());
        c.SetTemperature(r.f64());
        break;
    }
    case dkNumberDev: break;
    case dkFireMachine: {
        auto& f = static_cast<TFireMachine&>(d);
        f.SetAddPressure(r.f64());
        f.SetManometer(r.f64());
        f.SetVolume(r.f64());
        break;
    }
    default: break;
    }
}

void WriteKindBlock(ByteWriter& w, const TDevice& d, int version)
{
    switch (d.GetKind()) {
    case dkPump: WritePump(w, static_cast<const TPump&>(d), version); break;
    case dkReducer: WriteReducer(w, static_cast<const TReducer&>(d), version); break;
    case dkGate: w.boolean(static_cast<const TGate&>(d).Closed()); break;
    case dkCrane: WriteCrane(w, static_cast<const TCrane&>(d), version); break;
    case dkJetBreakTank: WriteTank(w, static_cast<const TJetBreakTank&>(d), version); break;
    case dkVacuumPump: {
        const auto& v = static_cast<const TVacuumPump&>(d);
        w.i16(v.P1());
        w.i16(v.Q1());
        w.i16(v.P2());
        w.i16(v.Q2());
        break;
    }
    case dkSlit: WriteSlit(w, static_cast<const TSlit&>(d)); break;
    case dkConnection: {
        const auto& c = static_cast<const TConnection&>(d);
        w.f64(c.MixtureFlow());
        w.f64(c.MethaneConcentration());
        w.f64(c.Temperature());
        break;
    }
    case dkNumberDev: break;
    case dkFireMachine: {
        const auto& f = static_cast<const TFireMachine&>(d);
        w.f64(f.AddPressure());
        w.f64(f.Manometer());
        w.f64(f.Volume());
        break;
    }
    default: break;
    }
}

}  // namespace

namespace DeviceRecord {

int MinSize(int version)
{
    int size = 1 + 4 + 8 + 4;  // kind, number, position, model
    if (version >= 13)
        size += 4;
    if (version >= 10)
        size += kLabelOffsetSize;
    return size;
}

bool Stored(const TDevice& device, int version) { return version >= 17 || device.GetKind() != dkFireMachine; }

TDevice* Read(ByteReader& r, TBranch& branch, TPipe& pipe, int version, const std::function<TDevice*(int)>& reuse)
{
    const int kind = r.u8();
    if (kind < dkPump || kind > dkFireMachine)
        Malformed(QStringLiteral("Unknown device kind %1").arg(kind));
    TDevice* d = reuse ? reuse(kind) : nullptr;
    if (d && (d->GetKind() != kind || d->Pipe() != &pipe))
        d = nullptr;
    if (!d)
        d = TDevice::CreateDevice(&branch, &pipe, kind);
    if (!d)
        Malformed(QStringLiteral("Unknown device kind %1").arg(kind));
    d->SetNumber(r.i32());
    d->SetPositionRaw(Fraction(r));
    d->SetModel(r.string());
    if (version >= 13)
        d->SetPPZNumber(r.string());
    if (version >= 10) {
        d->SetLabelOffset(ReadLabelOffset(r));
        if (KeepsSectionLabels(pipe)) {
            const TLabelOffset offset = ReadLabelOffset(r);
            const bool autoPlace = r.boolean();
            if (auto* section = dynamic_cast<TWaterPipePart*>(d->Section())) {
                section->SetLabelOffset(offset);
                section->SetAutoPlaceLabel(autoPlace);
                section->DeriveLabelPlacement();
            }
        }
    }
    ReadKindBlock(r, *d, version);
    return d;
}

void Write(ByteWriter& w, const TDevice& d, int version)
{
    w.u8(static_cast<uint8_t>(d.GetKind()));
    w.i32(d.Number());
    w.f64(d.Position());
    w.string(d.Model());
    if (version >= 13)
        w.string(d.PPZNumber());
    if (version >= 10) {
        WriteLabelOffset(w, d.LabelOffset());
        if (d.Pipe() && KeepsSectionLabels(*d.Pipe())) {
            if (const auto* section = dynamic_cast<const TWaterPipePart*>(d.Section())) {
                WriteLabelOffset(w, section->LabelOffset());
                w.boolean(section->AutoPlaceLabel());
            } else {
                WriteLabelOffset(w, TLabelOffset::Make(0, 0));
                w.boolean(true);
            }
        }
    }
    WriteKindBlock(w, d, version);
}

}  // namespace DeviceRecord
