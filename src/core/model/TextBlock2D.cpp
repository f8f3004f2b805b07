#include "core/model/TextBlock2D.h"

#include "core/model/Errors.h"
#include "core/model/Mine.h"

#include <algorithm>
#include <climits>
#include <cmath>

namespace {
TTextBlock2DList::Measurer& MeasurerSlot()
{
    static TTextBlock2DList::Measurer m;
    return m;
}
}  // namespace

TTextBlock2DList::TTextBlock2DList(TMine* mine, bool) : mine_(mine)
{
    if (!mine)
        throw Exception(QStringLiteral("constructor TTextBlock2DList.Create: параметр aOwner не должен быть равен nil"));
}

TTextBlock2DList::~TTextBlock2DList() { Clear(); }

TTextBlock2D* TTextBlock2DList::Items(int index) const
{
    if (index < 0 || index >= Count())
        throw EListError(index);
    return items_[static_cast<size_t>(index)].get();
}

int TTextBlock2DList::IndexOf(const TTextBlock2D* block) const
{
    for (size_t i = 0; i < items_.size(); ++i)
        if (items_[i].get() == block)
            return static_cast<int>(i);
    return -1;
}

TTextBlock2D* TTextBlock2DList::Add(std::unique_ptr<TTextBlock2D> block)
{
    TTextBlock2D* raw = block.get();
    items_.push_back(std::move(block));
    return raw;
}

void TTextBlock2DList::Remove(TTextBlock2D* block)
{
    const int i = IndexOf(block);
    if (i < 0)
        return;
    auto dying = std::move(items_[static_cast<size_t>(i)]);
    items_.erase(items_.begin() + i);
    dying.reset();
    if (!mine_->Destroying())
        mine_->SetModified(true, false);
}

void TTextBlock2DList::Clear()
{
    std::vector<std::unique_ptr<TTextBlock2D>> dying;
    dying.swap(items_);
}

void TTextBlock2DList::SetMeasurer(Measurer measurer) { MeasurerSlot() = std::move(measurer); }
const TTextBlock2DList::Measurer& TTextBlock2DList::GetMeasurer() { return MeasurerSlot(); }

TTextBlockDefaults& TTextBlock2DList::Defaults()
{
    static TTextBlockDefaults d;
    return d;
}

TTextBlock2D::TTextBlock2D(TTextBlock2DList* list) : owner_(list)
{
    const TTextBlockDefaults& d = TTextBlock2DList::Defaults();
    font_ = d.Font;
    backColor_ = d.BackColor;
    frameColor_ = d.FrameColor;
    transparent_ = d.Transparent;
    noFrame_ = d.NoFrame;
}

TTextBlock2D::~TTextBlock2D() = default;

TTextBlock2D* TTextBlock2D::Create(TTextBlock2DList* list, int left, int top, const QString& text)
{
    if (!list)
        throw Exception(QStringLiteral("constructor TTextBlock2D.Create: параметр aOwner не должен быть равен nil"));
    auto* block = list->Add(std::unique_ptr<TTextBlock2D>(new TTextBlock2D(list)));
    block->text_ = QStringLiteral("\x01");  // differs from any text, so the lines are built
    block->SetText(text);
    block->left_ = left;
    block->top_ = top;
    return block;
}

void TTextBlock2D::Changed()
{
    TMine* mine = owner_->Mine();
    if (!mine->Destroying())
        mine->SetModified(true, false);
}

void TTextBlock2D::SetPosition(int left, int top)
{
    if (left_ == left && top_ == top)
        return;
    left_ = left;
    top_ = top;
    Changed();
}

void TTextBlock2D::SetText(const QString& text)
{
    if (text_ == text)
        return;
    text_ = text;
    lines_.clear();
    QString line;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == u'\r' || c == u'\n') {
            lines_.append(line);
            line.clear();
            if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n')
                ++i;
        } else {
            line.append(c);
        }
    }
    lines_.append(line);
    Measure();
    Changed();
}

void TTextBlock2D::SetBackColor(int value) { if (AssignChanged(backColor_, value)) Changed(); }
void TTextBlock2D::SetFrameColor(int value) { if (AssignChanged(frameColor_, value)) Changed(); }
void TTextBlock2D::SetTransparent(bool value) { if (AssignChanged(transparent_, value)) Changed(); }
void TTextBlock2D::SetNoFrame(bool value) { if (AssignChanged(noFrame_, value)) Changed(); }

void TTextBlock2D::SetAngle(double value)
{
    if (!std::isfinite(value))
        return;
    double a = std::fmod(value, 360.0);
    if (a < 0)
        a += 360.0;
    if (a >= 360.0)
        a = 0;
    if (AssignChanged(angle_, a))
        Changed();
}

void TTextBlock2D::SetFont(const TBlockFont& font)
{
    if (AssignChanged(font_, font)) {
        Measure();
        Changed();
    }
}

void TTextBlock2D::MoveBy(double dx, double dy)
{
    const int ix = static_cast<int>(std::lround(dx));
    const int iy = static_cast<int>(std::lround(dy));
    if (ix == 0 && iy == 0)
        return;
    left_ += ix;
    top_ += iy;
    Changed();
}

void TTextBlock2D::Measure()
{
    if (const auto& m = TTextBlock2DList::GetMeasurer()) {
        m(*this, width_, height_);
        return;
    }
    qsizetype longest = 0;
    for (const QString& l : lines_)
        longest = std::max(longest, l.size());
    // A damaged file can bring any font size: the rough size saturates rather than overflow.
    const double size = std::max(font_.Size, 1);
    const auto fit = [](double v) { return static_cast<int>(std::min(v, static_cast<double>(INT_MAX))); };
    width_ = fit(static_cast<double>(longest) * size * 2 / 3 + 2 * kMarginX);
    height_ = fit(static_cast<double>(lines_.size()) * size * 4 / 3 + 2 * kMarginY);
}
