#pragma once

// The schema's eleven colour and font roles (TProfile), one TColors2D for the whole run, read
// from the current user's settings store at start and written back at the end. The options
// dialog edits a copy, loads and saves it as a profile file (ProfileFile.h) and resets it.
//
// Stored under "\Software\korvelab\Irvata\1.0\2D\Colors" (the back and border colours of the
// schema, grid, selection, branches, nodes, number labels and results, and the two figures)
// and "...\2D\Fonts" (the five fonts as 36-byte records, FontRecord.h, and the water-arrow and
// text-block colours and transparencies). Colours are 4-byte binary values, figures and
// transparencies 1-byte ones.

#include "core/settings/Profile.h"

#include <QString>

#include <array>

class SettingsStore;
struct TTextBlockDefaults;

inline const QString kColors2DColorsKey = QStringLiteral("\\Software\\korvelab\\Irvata\\1.0\\2D\\Colors");
inline const QString kColors2DFontsKey = QStringLiteral("\\Software\\korvelab\\Irvata\\1.0\\2D\\Fonts");

// Windows' button-face system colour, the schema's default back.
inline constexpr TColor kClBtnFace = 0x8000000F;

// The roles in the order of the options list.
enum TProfileIndex {
    cpSchema,
    cpGrid,
    cpSelected,
    cpBranch,
    cpUzel,
    cpUzelNumber,
    cpBranchNumber,
    cpResult,
    cpComment,
    cpWaterArrow,
    cpTextBlock,
    kProfileCount
};

struct TColors2D {
    std::array<TProfile, kProfileCount> Profiles = DefaultProfiles();

    TProfile& operator[](TProfileIndex i) { return Profiles[i]; }
    const TProfile& operator[](TProfileIndex i) const { return Profiles[i]; }

    static std::array<TProfile, kProfileCount> DefaultProfiles();
    void ResetDefaults() { Profiles = DefaultProfiles(); }

    // Reads every value; one that is missing or unreadable (another type or size, a font
    // record the reader refuses) keeps its default.
    void Load(const SettingsStore& store);
    // Writes every value into the store, creating the keys; the caller saves the store to its
    // file. False when a write failed.
    bool Save(SettingsStore& store) const;

    // The look of a new text block: the text-block role's font, back and border colours and
    // transparencies.
    TTextBlockDefaults TextBlockDefaults() const;

    bool operator==(const TColors2D&) const = default;
};
