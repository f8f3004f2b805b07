#include "core/settings/ToolbarLayout.h"

#include "core/settings/SettingsStore.h"

#include <QtEndian>

#include <cstdlib>

QByteArray ToolbarRecord::Encode() const
{
    QByteArray bytes(kSize, '\0');
    bytes[0] = Visible ? 1 : 0;
    bytes[1] = char(Dock);
    char* p = bytes.data() + 2;
    for (qint32 v : {Left, Top, Right, Bottom}) {
        qToLittleEndian<qint32>(v, p);
        p += 4;
    }
    return bytes;
}

std::optional<ToolbarRecord> ToolbarRecord::Decode(const QByteArray& bytes)
{
    if (bytes.size() != kSize)
        return std::nullopt;
    const auto visible = quint8(bytes[0]);
    const auto dock = quint8(bytes[1]);
    if (visible > 1 || dock > quint8(ToolbarDock::Bottom))
        return std::nullopt;

    ToolbarRecord r;
    r.Visible = visible == 1;
    r.Dock = ToolbarDock(dock);
    const char* p = bytes.constData() + 2;
    r.Left = qFromLittleEndian<qint32>(p);
    r.Top = qFromLittleEndian<qint32>(p + 4);
    r.Right = qFromLittleEndian<qint32>(p + 8);
    r.Bottom = qFromLittleEndian<qint32>(p + 12);
    for (qint32 v : {r.Left, r.Top, r.Right, r.Bottom})
        if (v < -kMaxCoordinate || v > kMaxCoordinate)
            return std::nullopt;
    if (r.Right < r.Left || r.Bottom < r.Top)
        return std::nullopt;
    return r;
}

std::vector<ToolbarRecord> DefaultToolbarLayout(int toolbarCount)
{
    return std::vector<ToolbarRecord>(size_t(std::max(toolbarCount, 0)), ToolbarRecord{});
}

std::vector<ToolbarRecord> ReadToolbarLayout(const SettingsStore& store, const QStringList& toolbarNames)
{
    std::vector<ToolbarRecord> records;
    records.reserve(size_t(toolbarNames.size()));
    for (const QString& name : toolbarNames) {
        const auto bytes = store.readBinary(kInterfaceKey, name);
        const auto record = bytes ? ToolbarRecord::Decode(*bytes) : std::nullopt;
        if (!record)
            return DefaultToolbarLayout(int(toolbarNames.size()));
        records.push_back(*record);
    }
    return records;
}

bool WriteToolbarLayout(SettingsStore& store, const QStringList& toolbarNames, const std::vector<ToolbarRecord>& records)
{
    if (records.size() != size_t(toolbarNames.size()) || !store.createKey(kInterfaceKey))
        return false;
    bool ok = true;
    for (qsizetype i = 0; i < toolbarNames.size(); ++i)
        ok = store.writeBinary(kInterfaceKey, toolbarNames[i], records[size_t(i)].Encode()) && ok;
    return ok;
}
