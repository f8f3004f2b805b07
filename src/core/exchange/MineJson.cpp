#include "core/exchange/MineJson.h"

#include "core/exchange/JsonWriter.h"
#include "core/file/NetworkFile.h"
#include "core/model/Branch.h"
#include "core/model/Device.h"
#include "core/model/DeviceKinds.h"
#include "core/model/Layer.h"
#include "core/model/Mine.h"
#include "core/model/Pipe.h"
#include "core/model/PipePart.h"
#include "core/model/TextBlock2D.h"
#include "core/model/Uzel.h"

namespace {

void Offset(JsonWriter& w, std::string_view key, const TLabelOffset& offset)
{
    w.Key(key);
    w.BeginObject(true);
    w.Member("DX", offset.X());
    w.Member("DY", offset.Y());
    w.EndObject();
}

// Label of a fire-fighting pipe section, kept with the record of its owner.
void Section(JsonWriter& w, const TPipePart* section)
{
    const auto* water = dynamic_cast<const TWaterPipePart*>(section);
    if (!water)
        return;
    Offset(w, "SectionLabelOffset", water->LabelOffset());
    w.Member("SectionAutoPlaceLabel", water->AutoPlaceLabel());
}

void Numbers(JsonWriter& w, std::string_view key, const std::vector<double>& values)
{
    w.Key(key);
    w.BeginArray(true);
    for (double v : values)
        w.Value(v);
    w.EndArray();
}

void Characteristic(JsonWriter& w, const TReducerCharacter& c)
{
    w.BeginObject();
    w.Member("Name", c.Name);
    std::vector<double> inlet, locking, flows;
    for (int r = 0; r < c.NP(); ++r) {
        inlet.push_back(c.Inlet(r));
        locking.push_back(c.Locking(r));
    }
    for (int q = 0; q < c.NQ(); ++q)
        flows.push_back(c.Flow(q));
    Numbers(w, "InletPressures", inlet);
    Numbers(w, "LockingPressures", locking);
    Numbers(w, "Flows", flows);
    w.Key("OutletPressures");
    w.BeginArray();
    for (int r = 0; r < c.NP(); ++r) {
        std::vector<double> row;
        for (int q = 0; q < c.NQ(); ++q)
            row.push_back(c.Outlet(r, q));
        w.BeginArray(true);
        for (double v : row)
            w.Value(v);
        w.EndArray();
    }
    w.EndArray();
    w.EndObject();
}

void KindFields(JsonWriter& w, const TDevice& d)
{
    switch (d.GetKind()) {
    case dkPump: {
        const auto& p = static_cast<const TPump&>(d);
        w.Member("Q1", p.Q1());
        w.Member("H1", p.H1());
        w.Member("Q2", p.Q2());
        w.Member("H2", p.H2());
        w.Member("A", p.A());
        w.Member("B", p.B());
        w.Member("HeadDirection", p.HeadDirection());
        w.Member("Off", p.Off());
        w.Member("Manometer1", p.Manometer(1));
        w.Member("Manometer2", p.Manometer(2));
        break;
    }
    case dkReducer: {
        const auto& r = static_cast<const TReducer&>(d);
        w.Member("HasCharacteristic", r.HasCharacteristic());
        w.Member("LockingPressure", r.LockingPressure());
        w.Member("Off", r.Off());
        w.Member("Direction", r.Direction());
        w.Member("Manometer1", r.Manometer(1));
        w.Member("Manometer2", r.Manometer(2));
        // Only a chosen characteristic is part of the network.
        w.Key("Characteristic");
        if (r.HasCharacteristic())
            Characteristic(w, r.Characteristic());
        else
            w.Null();
        break;
    }
    case dkGate:
        w.Member("Closed", static_cast<const TGate&>(d).Closed());
        break;
    case dkCrane: {
        const auto& c = static_cast<const TCrane&>(d);
        w.Member("Consumption", c.Consumption());
        w.Member("ConsumerType", c.ConsumerType());
        w.Member("Orifice", c.Orifice());
        w.Member("OrificeDiameter", c.OrificeDiameter());
        w.Member("Manometer", c.Manometer());
        w.Member("Flow", c.Flow());
        w.Member("WasherIndex", c.RawWasherIndex());
        break;
    }
    case dkJetBreakTank: {
        const auto& t = static_cast<const TJetBreakTank&>(d);
        w.Member("Bypass", t.Bypass());
        w.Member("AddPressure", t.AddPressure());
        w.Member("Volume", t.Volume());
        w.Member("MakeUpFlow", t.MakeUpFlow());
        w.Member("Manometer", t.Manometer());
        break;
    }
    case dkFireMachine: {
        const auto& m = static_cast<const TFireMachine&>(d);
        w.Member("AddPressure", m.AddPressure());
        w.Member("Manometer", m.Manometer());
        w.Member("Volume", m.Volume());
        break;
    }
    case dkVacuumPump: {
        const auto& v = static_cast<const TVacuumPump&>(d);
        w.Member("P1", int(v.P1()));
        w.Member("Q1", int(v.Q1()));
        w.Member("P2", int(v.P2()));
        w.Member("Q2", int(v.Q2()));
        break;
    }
    case dkSlit: {
        const auto& s = static_cast<const TSlit&>(d);
        w.Key("Wells");
        w.BeginArray();
        for (int i = 0; i < s.WellCount(); ++i) {
            const TSlitParams* p = s.Well(i);
            w.BeginObject(true);
            w.Member("Length", int(p->Length()));
            w.Member("Diameter", int(p->Diameter()));
            w.Member("Flow", int(p->Flow()));
            w.Member("CH4", int(p->CH4()));
            w.Member("Vacuum", int(p->Vacuum()));
            w.EndObject();
        }
        w.EndArray();
        break;
    }
    case dkConnection: {
        const auto& c = static_cast<const TConnection&>(d);
        w.Member("MixtureFlow", c.MixtureFlow());
        w.Member("MethaneConcentration", c.MethaneConcentration());
        w.Member("Temperature", c.Temperature());
        break;
    }
    default:
        break;
    }
}

void Device(JsonWriter& w, const TDevice& d)
{
    w.BeginObject();
    w.Member("Kind", d.GetKind());
    w.Member("Number", d.Number());
    w.Member("Position", d.Position());
    w.Member("Model", d.Model());
    w.Member("PPZNumber", d.PPZNumber());
    Offset(w, "LabelOffset", d.LabelOffset());
    if (d.Pipe() && d.Pipe()->Kind() == pkFire)
        Section(w, d.Section());
    KindFields(w, d);
    w.EndObject();
}

void Pipe(JsonWriter& w, const TPipe& p)
{
    w.BeginObject();
    w.Member("Kind", p.Kind());
    w.Member("Diameter", p.Diameter());
    w.Member("StartFrac", p.StartFrac());
    w.Member("EndFrac", p.EndFrac());
    w.Member("WallThickness", p.WallThickness());
    w.Member("Color", p.Color());
    if (p.Kind() == pkFire)
        Section(w, p.FirstSection());
    w.Member("ResistanceMode", p.ResistanceMode());
    w.Member("NotNew", p.NotNew());
    w.Member("FixedResistance", p.FixedResistance());
    w.Member("Projected", p.Projected());
    w.Key("Devices");
    w.BeginArray();
    for (const TDevice* d : p.Devices)
        Device(w, *d);
    w.EndArray();
    if (const auto* water = dynamic_cast<const TWaterPipe*>(&p)) {
        w.Member("Present", water->Present());
        w.Member("K", water->K());
    } else if (const auto* gas = dynamic_cast<const TGasPipe*>(&p)) {
        w.Member("PipeNo", gas->PipeNo());
        w.Member("DiameterType", gas->DiameterType());
        w.Member("Temperature", gas->Temperature());
        w.Member("MixtureFlow", gas->MixtureFlow());
        w.Member("MethaneConcentration", gas->MethaneConcentration());
        w.Member("FixedFlow", gas->FixedFlow());
    }
    w.EndObject();
}

void Uzel(JsonWriter& w, const TUzel& u)
{
    w.BeginObject();
    w.Member("Number", u.Number());
    w.Member("X", u.X());
    w.Member("Y", u.Y());
    w.Member("Z", u.Z());
    w.Member("SX", u.SX());
    w.Member("SY", u.SY());
    w.Member("Surface", u.Surface());
    w.Member("PlacedByHand", u.PlacedByHand());
    w.Member("LabelToggle", u.LabelToggle());
    Offset(w, "NumberLabelOffset", u.NumberLabelOffset());
    Offset(w, "ResultLabelOffset", u.ResultLabelOffset());
    w.Member("ShowResult", u.ShowResult());
    w.EndObject();
}

void Branch(JsonWriter& w, const TBranch& b)
{
    w.BeginObject();
    w.Member("Number", b.Number());
    w.Member("StartNumber", b.StartNumber());
    w.Member("EndNumber", b.EndNumber());
    w.Member("LayerIndex", b.RawLayerIndex());
    w.Member("AirQ", b.AirQ());
    w.Member("ShowResult", b.ShowResult());
    w.Member("LabelToggle", b.LabelToggle());
    Offset(w, "NumberLabelOffset", b.NumberLabelOffset());
    w.Member("AutoPlaceLabel", b.AutoPlaceLabel());
    w.Member("PLFIndex", b.RawPLFIndex());
    w.Member("Remark", b.Remark());
    w.Key("Pipes");
    w.BeginArray();
    for (const TPipe* p : b.Pipes)
        Pipe(w, *p);
    w.EndArray();
    w.EndObject();
}

void Layer(JsonWriter& w, const TCustomLayer& l)
{
    w.Member("Visible", l.Visible());
    w.Member("Name", l.Name());
    w.Member("Color", l.Color());
}

void TextBlock(JsonWriter& w, const TTextBlock2D& t)
{
    w.BeginObject();
    w.Member("Left", t.Left());
    w.Member("Top", t.Top());
    w.Member("Text", t.Text());
    w.Member("BackColor", t.BackColor());
    w.Member("FrameColor", t.FrameColor());
    w.Member("Transparent", t.Transparent());
    w.Member("NoFrame", t.NoFrame());
    w.Member("Angle", t.Angle());
    w.Member("FontName", t.Font().Name);
    w.Member("FontSize", t.Font().Size);
    w.Member("FontStyle", t.Font().Style);
    w.Member("FontColor", t.Font().Color);
    w.EndObject();
}

void Mine(JsonWriter& w, const TMine& mine)
{
    w.BeginObject();
    w.Member("Guid", mine.Guid().toString(QUuid::WithBraces).toUpper());
    w.Member("Name", mine.Name());
    w.Member("Remark", mine.Remark());
    w.Member("CenterX", mine.CenterX());
    w.Member("CenterY", mine.CenterY());
    w.Member("CenterZ", mine.CenterZ());
    w.Key("Layers");
    w.BeginArray();
    for (const TLayer* l : mine.Layers) {
        w.BeginObject();
        Layer(w, *l);
        w.EndObject();
    }
    w.EndArray();
    w.Key("PLFPositions");
    w.BeginArray();
    for (const TPLFPosition* p : mine.PLFPositions) {
        w.BeginObject();
        Layer(w, *p);
        w.Member("PositionNo", p->PositionNo());
        w.EndObject();
    }
    w.EndArray();
    w.Key("Uzels");
    w.BeginArray();
    for (const TUzel* u : mine.Uzels)
        Uzel(w, *u);
    w.EndArray();
    w.Key("Branches");
    w.BeginArray();
    for (const TBranch* b : mine.Branches)
        Branch(w, *b);
    w.EndArray();
    w.Key("TextBlocks");
    w.BeginArray();
    for (const auto& t : mine.TextBlocks)
        TextBlock(w, *t);
    w.EndArray();
    w.EndObject();
}

void Columns(JsonWriter& w, std::string_view key, const std::vector<TColumnLayout>& columns)
{
    w.Key(key);
    w.BeginArray();
    for (const TColumnLayout& c : columns) {
        w.BeginObject(true);
        w.Member("Param", c.Param);
        w.Member("Width", c.Width);
        w.Member("Visible", c.Visible);
        w.EndObject();
    }
    w.EndArray();
}

}  // namespace

namespace MineJson {

QByteArray Dump(const TMine& mine, const TDocumentSettings& settings, const std::vector<TBranch*>& branchOrder,
                int version)
{
    JsonWriter w;
    w.BeginObject();
    w.Member("Version", version);
    w.Member("ColorMode", settings.ColorMode);
    w.Member("DummyZ", settings.DummyZ);
    w.Member("UseProjectedPipes", settings.UseProjectedPipes);
    w.Member("OX", settings.OX);
    w.Member("OY", settings.OY);
    w.Key("BranchOrder");
    w.BeginArray(true);
    for (const TBranch* b : branchOrder)
        w.Value(mine.Branches.IndexOf(b));
    w.EndArray();
    w.Key("Columns");
    w.BeginObject();
    Columns(w, "Uzel", settings.UzelCols);
    Columns(w, "Branch", settings.BranchCols);
    Columns(w, "Result", settings.ResultCols);
    w.EndObject();
    w.Key("Mine");
    Mine(w, mine);
    w.EndObject();
    return w.Take();
}

QByteArray Dump(const TNetworkDocument& document)
{
    return Dump(*document.Mine, document.Settings, document.BranchOrder, document.Version);
}

}  // namespace MineJson
