#include "render/schema2d/ZoomSteps.h"

#include <QLocale>
#include <cmath>

namespace ZoomSteps {

namespace {

// Scales computed by fitting land next to table values; treat those as the value itself,
// so a step never lands on the scale already shown.
bool Above(double value, double scale) { return value > scale * (1 + 1e-9); }
bool Below(double value, double scale) { return value < scale * (1 - 1e-9); }

}  // namespace

QString ScaleLimitText()
{
    return QString::asprintf("Масштаб должен быть больше 0%% и меньше %d%%", kMaxPercent);
}

QString ScaleText(double scale)
{
    return QString::number(std::llround(100 * scale)) + QLatin1Char('%');
}

QStringList ScaleBoxTexts()
{
    QStringList texts;
    for (int i = 0; i < kScaleBoxCount; ++i)
        texts << ScaleText(kTable[i]);
    return texts;
}

double ZoomIn(double scale)
{
    if (!Above(scale, kMinScale))
        return kTable[kTable.size() - 2];
    // The table falls, so the last value above the scale is the nearest one.
    double next = kMaxScale;
    for (double v : kTable)
        if (Above(v, scale))
            next = v;
    return next;
}

double ZoomOut(double scale)
{
    if (!Below(scale, kMaxScale))
        return kTable[1];
    for (double v : kTable)
        if (Below(v, scale))
            return v;
    return kMinScale;
}

TScaleInput ParseScaleText(const QString& text)
{
    QString number = text.trimmed();
    if (number.endsWith(QLatin1Char('%')))
        number.chop(1);
    bool ok = false;
    const qlonglong percent = number.contains(QLatin1Char('%')) ? 0 : QLocale::c().toLongLong(number, &ok);
    if (!ok)
        return {std::nullopt, kBadValueText};
    if (percent < 1 || percent > kMaxPercent)
        return {std::nullopt, ScaleLimitText()};
    return {percent / 100.0, QString()};
}

}  // namespace ZoomSteps
