#include "core/schema/TextBlockRestyle.h"

#include "core/model/Mine.h"
#include "core/model/TextBlock2D.h"
#include "core/settings/Profile.h"

bool TTextBlockProfileChanges::AnyButFontName() const
{
    return FontSize || FontStyle || FontColor || BackColor || TransparentBack || BorderColor || TransparentBorder;
}

namespace TextBlockRestyle {

TTextBlockProfileChanges Compare(const TProfile& before, const TProfile& after)
{
    TTextBlockProfileChanges c;
    c.FontName = before.Font.Name != after.Font.Name;
    c.FontSize = before.Font.Size != after.Font.Size;
    c.FontStyle = before.Font.Style != after.Font.Style;
    c.FontColor = before.Font.Color != after.Font.Color;
    c.BackColor = before.BackColor != after.BackColor;
    c.TransparentBack = before.TransparentBack != after.TransparentBack;
    c.BorderColor = before.BorderColor != after.BorderColor;
    c.TransparentBorder = before.TransparentBorder != after.TransparentBorder;
    return c;
}

bool NeedsQuestion(const TMine& mine, const TTextBlockProfileChanges& changes)
{
    return mine.TextBlocks.Count() > 0 && changes.AnyButFontName();
}

int Apply(TTextBlock2DList& blocks, const TProfile& profile, const TTextBlockProfileChanges& changes, bool others)
{
    int changed = 0;
    for (const auto& owned : blocks) {
        TTextBlock2D& block = *owned;
        const TBlockFont oldFont = block.Font();
        const int oldBack = block.BackColor();
        const int oldFrame = block.FrameColor();
        const bool oldTransparent = block.Transparent();
        const bool oldNoFrame = block.NoFrame();

        TBlockFont font = oldFont;
        if (changes.FontName)
            font.Name = profile.Font.Name;
        if (others) {
            if (changes.FontSize)
                font.Size = profile.Font.Size;
            if (changes.FontStyle)
                font.Style = profile.Font.Style;
            if (changes.FontColor)
                font.Color = int(profile.Font.Color);
            // A back or border that stops being transparent shows the profile's colour.
            if (changes.BackColor || (changes.TransparentBack && !profile.TransparentBack))
                block.SetBackColor(int(profile.BackColor));
            if (changes.TransparentBack)
                block.SetTransparent(profile.TransparentBack);
            if (changes.BorderColor || (changes.TransparentBorder && !profile.TransparentBorder))
                block.SetFrameColor(int(profile.BorderColor));
            if (changes.TransparentBorder)
                block.SetNoFrame(profile.TransparentBorder);
        }
        block.SetFont(font);
        if (!(block.Font() == oldFont) || block.BackColor() != oldBack || block.FrameColor() != oldFrame
            || block.Transparent() != oldTransparent || block.NoFrame() != oldNoFrame)
            ++changed;
    }
    return changed;
}

}  // namespace TextBlockRestyle
