#include "render/schema2d/ProfileLook.h"

#include <algorithm>
#include <cmath>

QColor ProfileColor(TColor value)
{
    if (value & 0x80000000u) {
        switch (value & 0xFF) {
        case 5: return QColor(255, 255, 255);   // window
        case 8: return QColor(0, 0, 0);         // window text
        case 13: return QColor(0, 120, 215);    // highlight
        case 14: return QColor(255, 255, 255);  // highlight text
        case 15: return QColor(240, 240, 240);  // button face
        default: return QColor(0, 0, 0);
        }
    }
    return QColor(int(value & 0xFF), int((value >> 8) & 0xFF), int((value >> 16) & 0xFF));
}

QColor Darkened(const QColor& color, int n)
{
    return QColor(std::max(0, color.red() - n), std::max(0, color.green() - n), std::max(0, color.blue() - n));
}

QFont ProfileFont(const TFont2D& font, double factor, double dpi, bool blackWhite)
{
    QFont f(font.Name);
    f.setPixelSize(std::max(1, int(std::lround(font.Size * dpi / 72.0 * factor))));
    f.setBold(font.Style & TFont2D::fsBold);
    f.setItalic(font.Style & TFont2D::fsItalic);
    f.setUnderline(font.Style & TFont2D::fsUnderline);
    f.setStrikeOut(font.Style & TFont2D::fsStrikeOut);
    // Metrics without hinting, so sizes do not depend on the screen.
    f.setHintingPreference(QFont::PreferNoHinting);
    f.setStyleStrategy(blackWhite ? QFont::NoAntialias : QFont::PreferDefault);
    return f;
}
