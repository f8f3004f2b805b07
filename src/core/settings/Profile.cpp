#include "core/settings/Profile.h"

bool TProfile::Same(const TProfile& other, bool withFontName) const
{
    return Name == other.Name && BackColor == other.BackColor && HasBack == other.HasBack
           && BorderColor == other.BorderColor && HasBorder == other.HasBorder
           && (!withFontName || Font.Name == other.Font.Name) && Font.Size == other.Font.Size
           && Font.Style == other.Font.Style && Font.Color == other.Font.Color && HasFont == other.HasFont
           && TransparentBack == other.TransparentBack && MayBeTransparentBack == other.MayBeTransparentBack
           && TransparentBorder == other.TransparentBorder && MayBeTransparentBorder == other.MayBeTransparentBorder
           && Figure == other.Figure && HasFigure == other.HasFigure;
}
