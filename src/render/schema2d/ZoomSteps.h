#pragma once

#include <QString>
#include <QStringList>

#include <array>
#include <optional>

// The view scales the schema steps through, the scale box's entries and what it accepts.
// The print preview steps through the same table.
namespace ZoomSteps {

inline constexpr std::array<double, 20> kTable{30, 25, 20, 15, 10, 9, 8, 7, 6, 5,
                                               4,  3,  2,  1.5, 1, 0.5, 0.25, 0.1, 0.05, 0.01};
inline constexpr double kMaxScale = kTable.front();
inline constexpr double kMinScale = kTable.back();
// The scale box lists every value but the last, which serves only as the lower limit.
inline constexpr int kScaleBoxCount = 19;
// The largest percentage the scale box accepts.
inline constexpr int kMaxPercent = 3000;

inline const QString kBadValueText = QStringLiteral("Некорректное значение");
// "Масштаб должен быть больше 0% и меньше 3000%".
QString ScaleLimitText();

// round(100 × scale) followed by "%".
QString ScaleText(double scale);
// "3000%" … "5%".
QStringList ScaleBoxTexts();

// The next table value above the scale (30 stays 30); between two values the nearer larger.
// At or below the lowest value zooming in gives 0.05.
double ZoomIn(double scale);
// The next table value below the scale (0.01 stays 0.01); between two values the nearer
// smaller. At or above the highest value zooming out gives 25.
double ZoomOut(double scale);

// What the scale box made of a typed text: the scale, or the text of the refusal.
struct TScaleInput {
    std::optional<double> Scale;
    QString Error;
};
// An integer percentage, optionally followed by one "%", in 1…3000.
TScaleInput ParseScaleText(const QString& text);

}  // namespace ZoomSteps
