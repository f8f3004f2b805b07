#pragma once

// Conversion between the stored colour values (0x00BBGGRR, or a system colour code with the
// high bit set) and QColor.

#include "core/settings/Config.h"

#include <QColor>
#include <QGuiApplication>
#include <QPalette>

inline QColor ToQColor(TColor value)
{
    if (value & 0x80000000u) {
        // A system colour: the nearest palette role.
        const QPalette palette = QGuiApplication::palette();
        switch (value & 0xFF) {
        case 5: return palette.color(QPalette::Base);             // window
        case 8: return palette.color(QPalette::Text);             // window text
        case 13: return palette.color(QPalette::Highlight);       // highlight
        case 14: return palette.color(QPalette::HighlightedText); // highlight text
        case 15: return palette.color(QPalette::Button);          // button face
        default: return palette.color(QPalette::WindowText);
        }
    }
    return QColor(int(value & 0xFF), int((value >> 8) & 0xFF), int((value >> 16) & 0xFF));
}

inline TColor FromQColor(const QColor& color)
{
    return TColor(color.red()) | (TColor(color.green()) << 8) | (TColor(color.blue()) << 16);
}
