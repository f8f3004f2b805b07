#pragma once

// What the schema window does to the text blocks of a document once the options dialog
// changed the text-block profile: the defaults of new blocks changed, and existing blocks may
// follow. A new font name is given to every block without asking; the other changes (size,
// style, colour, back colour, transparent back, border colour, transparent border) only after
// the user agrees. Switching a transparency off also gives the blocks the colour that shows.
//
// The schema window, after OK:
//     const auto changes = TextBlockRestyle::Compare(before[cpTextBlock], colors[cpTextBlock]);
//     const bool others = TextBlockRestyle::NeedsQuestion(mine, changes)
//         && Ask(kApplyTextBlockDefaultsText, YesNo, application title) == Yes;
//     TextBlockRestyle::Apply(mine.TextBlocks, colors[cpTextBlock], changes, others);

#include <QString>

class TMine;
class TTextBlock2DList;
struct TProfile;

inline const QString kApplyTextBlockDefaultsText = QStringLiteral(
    "Были изменены установки по умолчанию для текстовых блоков.\r\n"
    "Хотите ли вы применить эти установки для уже созданных блоков?\r\n"
    "(название шрифта будет установлено для всех блоков автоматически)");

// Which properties of the text-block profile differ between two versions.
struct TTextBlockProfileChanges {
    bool FontName = false;
    bool FontSize = false;
    bool FontStyle = false;
    bool FontColor = false;
    bool BackColor = false;
    bool TransparentBack = false;
    bool BorderColor = false;
    bool TransparentBorder = false;

    // A change besides the font name: these wait for the user's answer.
    bool AnyButFontName() const;
};

namespace TextBlockRestyle {

TTextBlockProfileChanges Compare(const TProfile& before, const TProfile& after);

// The question is worth asking: the mine has text blocks and more than the font name changed.
bool NeedsQuestion(const TMine& mine, const TTextBlockProfileChanges& changes);

// Gives every block the profile's font name when it changed, and, when `others`, each other
// changed property. A block that changes marks the mine modified. Returns the blocks changed.
int Apply(TTextBlock2DList& blocks, const TProfile& profile, const TTextBlockProfileChanges& changes, bool others);

}  // namespace TextBlockRestyle
