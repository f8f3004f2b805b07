#include "core/settings/ScaleLimits.h"

#include "core/settings/ConfigLimits.h"
#include "core/settings/Params2D.h"

namespace {

// Percent bounds of the factor range; compared in percent so that "5" and "3000" are exact.
constexpr double kLowestPercent = 5;
constexpr double kHighestPercent = 3000;
static_assert(kLowestPercent / 100 == kScaleLimitLowest && kHighestPercent / 100 == kScaleLimitHighest);

bool fail(ScaleLimitsCheck& check, const QString& error, TScaleLimitField field)
{
    check.error = error;
    check.field = field;
    return false;
}

bool readPercent(ScaleLimitsCheck& check, const QString& text, TScaleLimitField field, double& factor)
{
    const auto percent = ParseDecimal(text);
    if (!percent)
        return fail(check, kIncorrectValueText, field);
    if (!(*percent >= kLowestPercent && *percent <= kHighestPercent))
        return fail(check, kScaleLimitRangeText, field);
    factor = *percent / 100;
    return true;
}

}  // namespace

ScaleLimitsCheck CheckScaleLimits(const QString& minFontPercent, const QString& maxFontPercent,
                                  const QString& minLimPercent, double maxLimScale)
{
    ScaleLimitsCheck check;
    if (!readPercent(check, minFontPercent, TScaleLimitField::MinFont, check.MinFontScale)
        || !readPercent(check, maxFontPercent, TScaleLimitField::MaxFont, check.MaxFontScale)
        || !readPercent(check, minLimPercent, TScaleLimitField::MinLim, check.MinLimScale))
        return check;
    if (!(maxLimScale >= kScaleLimitLowest && maxLimScale <= kScaleLimitHighest)) {
        fail(check, kScaleLimitRangeText, TScaleLimitField::MaxLim);
        return check;
    }
    check.MaxLimScale = maxLimScale;
    if (check.MinFontScale > check.MaxFontScale)
        fail(check, kWrongLimitRatioText, TScaleLimitField::MinFont);
    else if (check.MinLimScale > check.MaxLimScale)
        fail(check, kWrongLimitRatioText, TScaleLimitField::MinLim);
    return check;
}
