#pragma once

// What the text-block dialog edits: a copy of a block's fields, put back through the block's
// setters once the user confirms, and the rules of the dialog's fields.

#include "core/model/TextBlock2D.h"

#include <QString>

#include <optional>

namespace TextBlockTexts {
inline const QString kNoText = QStringLiteral("Введите текст блока");
inline const QString kBadAngle = QStringLiteral("Неправильно введен угол наклона");
}  // namespace TextBlockTexts

struct TTextBlockDraft {
    int Left = 0;
    int Top = 0;
    QString Text;
    double Angle = 0;
    int BackColor = 0xFFFFFF;
    int FrameColor = 0;
    bool Transparent = true;
    bool NoFrame = true;
    TBlockFont Font;

    // A new block at a schema position, with the look of the text-block profile.
    static TTextBlockDraft New(int left, int top);
    static TTextBlockDraft Of(const TTextBlock2D& block);
    // Writes every field into the block; the mine is marked modified only when one differs.
    void ApplyTo(TTextBlock2D& block) const;
    // Creates the block in the list from the draft.
    TTextBlock2D* CreateIn(TTextBlock2DList& list) const;
};

namespace TextBlockEdit {

// Font sizes the dialog offers.
inline constexpr int kMinFontSize = 4;
inline constexpr int kMaxFontSize = 20;

// An angle as typed: blanks around it ignored, "," or "." as the decimal separator; none
// when it is not a number.
std::optional<double> ParseAngle(const QString& text);
// An angle with one decimal, as the field shows it.
QString AngleText(double angle);
// A typed font size: a whole number, kept within the sizes offered; none when not a number.
std::optional<int> ParseFontSize(const QString& text);
// "Сброс": the profile's font size and no rotation.
void Reset(TTextBlockDraft& draft);

}  // namespace TextBlockEdit
