#pragma once

// The check of the scale page of the schema options: the three typed percentages and the
// growth limit chosen from the zoom steps. Every limit must lie within 5…3000 % (the same range
// a stored limit must keep, see TParams2D::ScaleLimitsValid), and no lower limit may exceed its
// upper one. Both "," and "." are accepted as the decimal separator.

#include <QString>

inline const QString kIncorrectValueText = QStringLiteral("Некорректное значение");
inline const QString kWrongLimitRatioText = QStringLiteral("Неверное соотношение пределов");
inline const QString kScaleLimitRangeText = QStringLiteral("Предел должен лежать в пределах от 5 до 3000 %");

// The field the dialog focuses when the check fails.
enum class TScaleLimitField { None, MinFont, MaxFont, MinLim, MaxLim };

struct ScaleLimitsCheck {
    // The limits as factors (percent / 100), valid only when ok().
    double MinFontScale = 0;
    double MaxFontScale = 0;
    double MinLimScale = 0;
    double MaxLimScale = 0;
    QString error;  // empty when the limits are accepted
    TScaleLimitField field = TScaleLimitField::None;

    bool ok() const { return error.isEmpty(); }
};

// minFontPercent, maxFontPercent: "уменьшения (%)" and "увеличения (%)" of the font limits;
// minLimPercent: the shrink limit of the branch thickness; maxLimScale: the growth limit, a
// zoom-step factor. Fields are checked in the page's order, each for a number and its range,
// then the two ratios.
ScaleLimitsCheck CheckScaleLimits(const QString& minFontPercent, const QString& maxFontPercent,
                                  const QString& minLimPercent, double maxLimScale);
