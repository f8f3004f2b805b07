#pragma once

// Placement of the main window's toolbars, kept under "\Software\korvelab\Irvata\1.0\Interface"
// as one 18-byte binary value per toolbar, named after the toolbar:
//   byte 0      visible flag (0 or 1)
//   byte 1      dock place: 0 floating, 1 top dock, 2 bottom dock
//   bytes 2-17  bounds: left, top, right, bottom, 32-bit little-endian signed integers
// Floating bounds are screen coordinates; docked bounds are coordinates in the main window,
// used to restore the order and the rows of the toolbars in their dock.

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

class SettingsStore;

inline const QString kInterfaceKey = QStringLiteral("\\Software\\korvelab\\Irvata\\1.0\\Interface");

enum class ToolbarDock : quint8 { Floating = 0, Top = 1, Bottom = 2 };

struct ToolbarRecord {
    static constexpr int kSize = 18;
    // Coordinates beyond this are taken as damage, not as a place on any screen.
    static constexpr qint32 kMaxCoordinate = 1000000;

    bool Visible = true;
    ToolbarDock Dock = ToolbarDock::Top;
    qint32 Left = 0;
    qint32 Top = 0;
    qint32 Right = 0;
    qint32 Bottom = 0;

    QByteArray Encode() const;
    // Fails unless the record has 18 bytes, a visible flag of 0 or 1, a known dock place and
    // bounds within kMaxCoordinate with right >= left and bottom >= top.
    static std::optional<ToolbarRecord> Decode(const QByteArray& bytes);

    bool operator==(const ToolbarRecord&) const = default;
};

// The designed layout: every toolbar visible, docked at the top at 0,0, in tag order.
std::vector<ToolbarRecord> DefaultToolbarLayout(int toolbarCount);

// The records of the named toolbars (index = tag) from the store. Any error — the key or a value
// missing, a value of the wrong type or damaged — gives the default layout for all of them.
std::vector<ToolbarRecord> ReadToolbarLayout(const SettingsStore& store, const QStringList& toolbarNames);
// Writes one value per toolbar (creating the key); false when the store refuses.
bool WriteToolbarLayout(SettingsStore& store, const QStringList& toolbarNames, const std::vector<ToolbarRecord>& records);
