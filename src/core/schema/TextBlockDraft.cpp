#include "core/schema/TextBlockDraft.h"

#include <QLocale>

#include <algorithm>
#include <cmath>

TTextBlockDraft TTextBlockDraft::New(int left, int top)
{
    const TTextBlockDefaults& d = TTextBlock2DList::Defaults();
    TTextBlockDraft draft;
    draft.Left = left;
    draft.Top = top;
    draft.BackColor = d.BackColor;
    draft.FrameColor = d.FrameColor;
    draft.Transparent = d.Transparent;
    draft.NoFrame = d.NoFrame;
    draft.Font = d.Font;
    return draft;
}

TTextBlockDraft TTextBlockDraft::Of(const TTextBlock2D& block)
{
    TTextBlockDraft draft;
    draft.Left = block.Left();
    draft.Top = block.Top();
    draft.Text = block.Text();
    draft.Angle = block.Angle();
    draft.BackColor = block.BackColor();
    draft.FrameColor = block.FrameColor();
    draft.Transparent = block.Transparent();
    draft.NoFrame = block.NoFrame();
    draft.Font = block.Font();
    return draft;
}

void TTextBlockDraft::ApplyTo(TTextBlock2D& block) const
{
    block.SetPosition(Left, Top);
    block.SetText(Text);
    block.SetAngle(Angle);
    block.SetBackColor(BackColor);
    block.SetFrameColor(FrameColor);
    block.SetTransparent(Transparent);
    block.SetNoFrame(NoFrame);
    if (!(block.Font() == Font))
        block.SetFont(Font);
}

TTextBlock2D* TTextBlockDraft::CreateIn(TTextBlock2DList& list) const
{
    TTextBlock2D* block = TTextBlock2D::Create(&list, Left, Top, Text);
    ApplyTo(*block);
    return block;
}

namespace TextBlockEdit {

std::optional<double> ParseAngle(const QString& text)
{
    QString number = text.trimmed();
    number.replace(QLatin1Char(','), QLatin1Char('.'));
    bool ok = false;
    const double value = QLocale::c().toDouble(number, &ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

QString AngleText(double angle) { return QString::number(angle, 'f', 1); }

std::optional<int> ParseFontSize(const QString& text)
{
    bool ok = false;
    const int value = text.trimmed().toInt(&ok);
    if (!ok)
        return std::nullopt;
    return std::clamp(value, kMinFontSize, kMaxFontSize);
}

void Reset(TTextBlockDraft& draft)
{
    draft.Font.Size = TTextBlock2DList::Defaults().Font.Size;
    draft.Angle = 0;
}

}  // namespace TextBlockEdit
