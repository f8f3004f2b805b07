#pragma once

// The ranges of the numbers edited in the settings dialog and the checks of what was typed.
// Both "," and "." are accepted as the decimal separator.

#include <QString>

#include <array>
#include <optional>

inline const QString kMaxDeltaPRangeText = QStringLiteral("Разница давлений должна лежать в пределах от 0 до 20 м.вод.ст.");
inline const QString kKoefRRangeText =
    QStringLiteral("Коэффициент местных сопротивлений может принимать значения от 1 до 2");
// The message for a text that is no number; %1 is the text.
inline const QString kInvalidNumberText = QStringLiteral("\"%1\" не является правильным числом");

inline constexpr double kMaxDeltaPMin = 0.0;
inline constexpr double kMaxDeltaPMax = 20.0;
inline constexpr double kKoefRMin = 1.0;
inline constexpr double kKoefRMax = 2.0;

// Spin ranges of the graphics page.
inline constexpr int kGridStepMin = 10;
inline constexpr int kGridStepMax = 1000;
inline constexpr int kGridStepStep = 5;
inline constexpr int kScaleMin = 1;
inline constexpr int kScaleMax = 100000;
inline constexpr int kScaleStep = 10;

// The sizes offered for the table font; a typed size must be a whole number in 1..kMaxFontSize.
inline constexpr std::array<int, 12> kFontSizes{4, 6, 8, 9, 10, 11, 12, 14, 15, 16, 18, 20};
inline constexpr int kMaxFontSize = 200;

// A decimal number typed by the user: surrounding blanks are ignored, "," and "." both separate
// the decimals, no thousands separators. Non-finite values are no numbers.
std::optional<double> ParseDecimal(const QString& text);
// The text a number field shows: the shortest exact form, "." as the separator.
QString FormatDecimal(double value);

// The outcome of checking one number field: the value, or the message to show.
struct NumberFieldCheck {
    std::optional<double> value;
    QString error;
    bool ok() const { return value.has_value(); }
};

NumberFieldCheck CheckMaxDeltaP(const QString& text);
NumberFieldCheck CheckDefaultKoefR(const QString& text);
// A typed font size: a whole number in 1..kMaxFontSize.
std::optional<int> ParseFontSize(const QString& text);
