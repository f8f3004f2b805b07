#include "core/settings/Params2D.h"

#include "core/file/ByteReader.h"
#include "core/file/ByteWriter.h"
#include "core/settings/SettingsStore.h"

#include <algorithm>
#include <optional>

namespace {

// A binary value of exactly `size` bytes; anything else counts as unreadable.
std::optional<QByteArray> readSized(const SettingsStore& store, const QString& key, const QString& name, qsizetype size)
{
    auto bytes = store.readBinary(key, name);
    if (!bytes || bytes->size() != size)
        return std::nullopt;
    return bytes;
}

std::optional<quint8> readByte(const SettingsStore& store, const QString& key, const QString& name)
{
    const auto bytes = readSized(store, key, name, 1);
    if (!bytes)
        return std::nullopt;
    return quint8(bytes->at(0));
}

void takeFlag(const SettingsStore& store, const QString& key, const QString& name, bool& field)
{
    if (const auto b = readByte(store, key, name))
        field = *b != 0;
}

// A byte that means a choice among 0…last; another number keeps the default rather than
// reaching the drawing code as a mode it does not know.
void takeChoice(const SettingsStore& store, const QString& key, const QString& name, quint8 last, quint8& field)
{
    if (const auto b = readByte(store, key, name); b && *b <= last)
        field = *b;
}

void takeExtended(const SettingsStore& store, const QString& key, const QString& name, double& field)
{
    if (const auto bytes = readSized(store, key, name, 10)) {
        ByteReader r(*bytes);
        field = r.ext80().toDouble();
    }
}

QByteArray byteValue(quint8 v) { return QByteArray(1, char(v)); }

QByteArray extendedValue(double v)
{
    ByteWriter w;
    w.ext80(Extended80::fromDouble(v));
    return w.data();
}

QByteArray int32Value(qint32 v)
{
    ByteWriter w;
    w.i32(v);
    return w.data();
}

bool withinLimits(double v) { return v >= kScaleLimitLowest && v <= kScaleLimitHighest; }  // false for NaN

}  // namespace

void TParams2D::ResetDefaults(TParamsResetGroup group)
{
    const TParams2D defaults;
    if (group == prgAll) {
        *this = defaults;
        return;
    }
    if (group == prgUnits || group == prgUnitsAndScale) {
        Units = defaults.Units;
        Line = defaults.Line;
        HintVisible = defaults.HintVisible;
        NumBranchesBottom = defaults.NumBranchesBottom;
    }
    if (group == prgScale || group == prgUnitsAndScale) {
        MinLimScale = defaults.MinLimScale;
        MaxLimScale = defaults.MaxLimScale;
        MinFontScale = defaults.MinFontScale;
        MaxFontScale = defaults.MaxFontScale;
    }
}

bool TParams2D::ScaleLimitsValid() const
{
    return withinLimits(MinLimScale) && withinLimits(MaxLimScale) && withinLimits(MinFontScale)
           && withinLimits(MaxFontScale) && MinLimScale <= MaxLimScale && MinFontScale <= MaxFontScale;
}

void TParams2D::Load(const SettingsStore& store)
{
    *this = TParams2D();

    const QString& units = kParams2DUnitsKey;
    takeChoice(store, units, QStringLiteral("Units"), ruCentimetres, Units);
    if (const auto line = store.readInteger(units, QStringLiteral("Line")))
        Line = *line != 0;
    takeFlag(store, units, QStringLiteral("HintVisible"), HintVisible);

    const QString& scale = kParams2DScaleKey;
    takeExtended(store, scale, QStringLiteral("MinLimScale"), MinLimScale);
    takeExtended(store, scale, QStringLiteral("MaxLimScale"), MaxLimScale);
    takeExtended(store, scale, QStringLiteral("MinFontScale"), MinFontScale);
    takeExtended(store, scale, QStringLiteral("MaxFontScale"), MaxFontScale);
    if (!ScaleLimitsValid())
        ResetDefaults(prgScale);

    takeFlag(store, scale, QStringLiteral("GridVisible"), GridVisible);
    takeFlag(store, scale, QStringLiteral("BranchArrowVisible"), BranchArrowVisible);
    takeFlag(store, scale, QStringLiteral("ThickBranch"), ThickBranch);
    takeFlag(store, scale, QStringLiteral("InfoPanelVisible"), InfoPanelVisible);
    takeFlag(store, scale, QStringLiteral("QArrow"), AirArrows);
    if (const auto bytes = readSized(store, scale, QStringLiteral("PipeIndex"), 4)) {
        ByteReader r(*bytes);
        const qint32 index = r.i32();
        // Degasification (3) is a pipe type like the others and must survive a restart.
        PipeIndex = (index >= kPipeIndexNone && index <= kPipeIndexLast) ? index : kPipeIndexNone;
    }
    takeFlag(store, scale, QStringLiteral("DevVisible"), DevVisible);
    if (const auto b = readByte(store, scale, QStringLiteral("VisibleObjects")))
        VisibleObjects = *b;
    takeChoice(store, scale, QStringLiteral("BranchInfo"), biAngles, BranchInfo);
    takeChoice(store, scale, QStringLiteral("ColorPaint"), kColorPaintLast, ColorPaint);
    takeChoice(store, scale, QStringLiteral("DevInfo"), kDevInfoLast, DevInfo);
    takeFlag(store, scale, QStringLiteral("TextBlockVisible"), TextBlockVisible);
    takeFlag(store, scale, QStringLiteral("OnlyDuct"), OnlyDuct);
    // Kept beside the switches although a reset counts it with the units group.
    takeFlag(store, scale, QStringLiteral("NumBranchesBottom"), NumBranchesBottom);
}

bool TParams2D::Save(SettingsStore& store) const
{
    if (!store.createKey(kParams2DUnitsKey) || !store.createKey(kParams2DScaleKey))
        return false;
    const QString& units = kParams2DUnitsKey;
    const QString& scale = kParams2DScaleKey;
    const auto flag = [&](const QString& key, const char* name, bool v) {
        return store.writeBinary(key, QLatin1String(name), byteValue(v ? 1 : 0));
    };
    const auto byte = [&](const QString& key, const char* name, quint8 v) {
        return store.writeBinary(key, QLatin1String(name), byteValue(v));
    };
    const auto extended = [&](const char* name, double v) {
        return store.writeBinary(scale, QLatin1String(name), extendedValue(v));
    };
    return byte(units, "Units", Units) && store.writeInteger(units, QStringLiteral("Line"), Line ? 1 : 0)
           && flag(units, "HintVisible", HintVisible)
           && extended("MinLimScale", MinLimScale) && extended("MaxLimScale", MaxLimScale)
           && extended("MinFontScale", MinFontScale) && extended("MaxFontScale", MaxFontScale)
           && flag(scale, "GridVisible", GridVisible) && flag(scale, "BranchArrowVisible", BranchArrowVisible)
           && flag(scale, "ThickBranch", ThickBranch) && flag(scale, "InfoPanelVisible", InfoPanelVisible)
           && flag(scale, "QArrow", AirArrows)
           && store.writeBinary(scale, QStringLiteral("PipeIndex"), int32Value(PipeIndex))
           && flag(scale, "DevVisible", DevVisible) && byte(scale, "VisibleObjects", VisibleObjects)
           && byte(scale, "BranchInfo", BranchInfo) && byte(scale, "ColorPaint", ColorPaint)
           && byte(scale, "DevInfo", DevInfo) && flag(scale, "TextBlockVisible", TextBlockVisible)
           && flag(scale, "OnlyDuct", OnlyDuct) && flag(scale, "NumBranchesBottom", NumBranchesBottom);
}

void TParams2D::SetMaxLimScale(double limit)
{
    MaxLimScale = limit;
    MinLimScale = std::min(MinLimScale, limit);
}
