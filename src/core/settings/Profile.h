#pragma once

// One colour and font role of the schema (the schema's back, nodes, node numbers, text blocks…)
// as the options dialog edits it: which pages it offers ("Фон", "Граница", "Шрифт", "Фигура")
// and the values on them. Colours are Windows colour values (0x00BBGGRR or a system colour code).

#include "core/settings/Config.h"
#include "core/settings/ConfigLimits.h"

#include <QString>
#include <QtGlobal>

// A font as plain data; the render layer turns it into a QFont.
struct TFont2D {
    enum : quint8 { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };
    // The stored records keep at most this many bytes of the name.
    static constexpr int kMaxNameLength = 20;
    // A size outside 1…kMaxFontSize points is no font a stored record or profile file holds.
    static bool SizeUsable(qint32 size) { return size >= 1 && size <= kMaxFontSize; }

    QString Name = QStringLiteral("Arial");
    qint32 Size = 6;  // points
    quint8 Style = 0;
    TColor Color = 0x000000;

    bool operator==(const TFont2D&) const = default;
};

// The label figure of node and branch numbers.
enum TFigure2D : quint8 { fgRectangle = 0, fgEllipse = 1 };

struct TProfile {
    QString Name;  // the name in the options list

    TColor BackColor = 0xFFFFFF;
    bool HasBack = false;
    TColor BorderColor = 0x000000;
    bool HasBorder = false;
    TFont2D Font;
    bool HasFont = false;
    bool TransparentBack = false;
    bool MayBeTransparentBack = false;  // the back page offers "&Прозрачность"
    bool TransparentBorder = false;
    bool MayBeTransparentBorder = false;
    quint8 Figure = fgRectangle;
    bool HasFigure = false;

    // Every field; the font name only when asked (a changed name is given to text blocks
    // without asking, the other changes only after a question).
    bool Same(const TProfile& other, bool withFontName) const;
    bool operator==(const TProfile& other) const { return Same(other, true); }
};
