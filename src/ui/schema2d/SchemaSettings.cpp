#include "ui/schema2d/SchemaSettings.h"

#include "core/model/LabelPlacement.h"
#include "core/model/TextBlock2D.h"
#include "core/settings/SettingsStore.h"

#include <QtEndian>

namespace {

QByteArray Pair(qint32 a, qint32 b)
{
    QByteArray bytes(8, '\0');
    qToLittleEndian<qint32>(a, bytes.data());
    qToLittleEndian<qint32>(b, bytes.data() + 4);
    return bytes;
}

std::optional<std::pair<qint32, qint32>> ReadPair(const SettingsStore& store, const QString& name)
{
    const std::optional<QByteArray> bytes = store.readBinary(kSchemaInterfaceKey, name);
    if (!bytes || bytes->size() != 8)
        return std::nullopt;
    return std::pair{qFromLittleEndian<qint32>(bytes->constData()), qFromLittleEndian<qint32>(bytes->constData() + 4)};
}

}  // namespace

void TSchemaSettings::Load(const SettingsStore& store)
{
    Params.Load(store);
    Colors.Load(store);
    Apply();
}

bool TSchemaSettings::Save(SettingsStore& store) const
{
    const bool params = Params.Save(store);
    const bool colors = Colors.Save(store);
    return params && colors;
}

void TSchemaSettings::Apply() const
{
    LabelPlacement::SetNumBranchesBottom(Params.NumBranchesBottom);
    // New text blocks take the text-block profile's look.
    TTextBlock2DList::Defaults() = Colors.TextBlockDefaults();
}

std::optional<QRect> LoadSchemaBounds(const SettingsStore& store)
{
    const auto size = ReadPair(store, kSchemaSizeValue);
    const auto pos = ReadPair(store, kSchemaPosValue);
    if (!size || !pos || size->first <= 0 || size->second <= 0)
        return std::nullopt;
    return QRect(pos->first, pos->second, size->first, size->second);
}

bool SaveSchemaBounds(SettingsStore& store, const QRect& bounds)
{
    if (!store.createKey(kSchemaInterfaceKey))
        return false;
    const bool size = store.writeBinary(kSchemaInterfaceKey, kSchemaSizeValue, Pair(bounds.width(), bounds.height()));
    const bool pos = store.writeBinary(kSchemaInterfaceKey, kSchemaPosValue, Pair(bounds.left(), bounds.top()));
    return size && pos;
}
