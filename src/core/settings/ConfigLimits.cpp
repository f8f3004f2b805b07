#include "core/settings/ConfigLimits.h"

#include <QLocale>

#include <cmath>

std::optional<double> ParseDecimal(const QString& text)
{
    QString t = text.trimmed();
    t.replace(QLatin1Char(','), QLatin1Char('.'));
    if (t.isEmpty())
        return std::nullopt;
    bool ok = false;
    // The C locale: the process locale never decides how a number reads.
    const double value = QLocale::c().toDouble(t, &ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

QString FormatDecimal(double value)
{
    return QLocale::c().toString(value, 'g', QLocale::FloatingPointShortest);
}

namespace {

NumberFieldCheck checkRange(const QString& text, double min, double max, const QString& rangeText)
{
    NumberFieldCheck check;
    const auto value = ParseDecimal(text);
    if (!value)
        check.error = kInvalidNumberText.arg(text.trimmed());
    else if (*value < min || *value > max)
        check.error = rangeText;
    else
        check.value = value;
    return check;
}

}  // namespace

NumberFieldCheck CheckMaxDeltaP(const QString& text)
{
    return checkRange(text, kMaxDeltaPMin, kMaxDeltaPMax, kMaxDeltaPRangeText);
}

NumberFieldCheck CheckDefaultKoefR(const QString& text)
{
    return checkRange(text, kKoefRMin, kKoefRMax, kKoefRRangeText);
}

std::optional<int> ParseFontSize(const QString& text)
{
    bool ok = false;
    const int size = text.trimmed().toInt(&ok);
    if (!ok || size < 1 || size > kMaxFontSize)
        return std::nullopt;
    return size;
}
