#pragma once

// The text form of the settings tree, UTF-8 in the style of .reg files:
//     ; comment
//     [\Software\korvelab\Irvata\1.0]
//     "RememberLastFile"=dword:00000001
//     "DefaultKoefR"=hex:cd,cc,cc,cc,cc,cc,f0,3f
//     "Font"="MS Sans Serif"
// Every key is written as a section of its own, so keys without values survive; the root
// gets a section ("[\]") only when it holds values. Strings and value names escape \\, \",
// \n, \r, \t and other control characters or unpaired surrogates as \uHHHH, so every QString
// comes back exactly.
//
// Reading is total and bounded: any bytes either give a tree or are refused. A line that does
// not parse is skipped and counted, and so are the values after a damaged section line (they
// are not given to the key before). A text larger than kMaxBytes is refused whole; at most
// kMaxEntries sections and values are taken, so the tree never outgrows the text.

#include "core/settings/SettingsTree.h"

#include <QByteArray>
#include <QByteArrayView>

#include <memory>
#include <optional>

namespace SettingsText {

constexpr qint64 kMaxBytes = 32 * 1024 * 1024;
constexpr qint64 kMaxEntries = 1000000;

struct Parsed {
    std::unique_ptr<SettingsNode> root;
    int skippedLines = 0;
};

// The tree of the text; std::nullopt when the text is longer than kMaxBytes.
std::optional<Parsed> parse(QByteArrayView bytes);

// The text of the tree. A tree within the limits above reads back the same from it, with no
// line skipped.
QByteArray write(const SettingsNode& root);

}  // namespace SettingsText
