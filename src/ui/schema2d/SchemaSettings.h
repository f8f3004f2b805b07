#pragma once

// What the technological schema keeps for the whole run: its look and view switches
// (TParams2D, TColors2D), read from the settings store at start and written back at the end,
// and the view state the schema window leaves behind when it closes, so the next opening in
// the same run shows the same picture.

#include "core/settings/Colors2D.h"
#include "core/settings/Params2D.h"

#include <QObject>
#include <QPoint>
#include <QPointer>
#include <QRect>
#include <QtGlobal>

#include <optional>

class SettingsStore;

inline const QString kSchemaInterfaceKey = QStringLiteral("\\Software\\korvelab\\Irvata\\1.0\\Interface");
inline const QString kSchemaSizeValue = QStringLiteral("ShemaWidthHeight");
inline const QString kSchemaPosValue = QStringLiteral("ShemaPos");

// The schema window's state between two openings in one run.
struct TSchemaViewMemory {
    double Scale = 1;
    QPoint Scroll;
    // The document that scale and scroll position were left on: the next opening on another
    // document shows that one whole instead.
    QPointer<QObject> Document;
    quint16 ResultBits = 0;
    std::optional<QRect> Bounds;
    // The overview map's bounds when it was last closed.
    std::optional<QRect> MapBounds;
};

struct TSchemaSettings {
    TParams2D Params;
    TColors2D Colors;
    TSchemaViewMemory Memory;

    // Reads the look and switches; the label placement follows them.
    void Load(const SettingsStore& store);
    bool Save(SettingsStore& store) const;
    // Puts the switches that live outside these objects into force.
    void Apply() const;
};

// The window bounds in the store: "ShemaWidthHeight" (width, height) and "ShemaPos" (left,
// top), two 32-bit little-endian integers each. None when either is missing or malformed, or
// the size is not positive.
std::optional<QRect> LoadSchemaBounds(const SettingsStore& store);
bool SaveSchemaBounds(SettingsStore& store, const QRect& bounds);
