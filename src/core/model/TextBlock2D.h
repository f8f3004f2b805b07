#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

class TMine;
class TTextBlock2DList;

// Font of a text block: name, size in points, style bits (0 bold, 1 italic, 2 underline,
// 3 strike-out) and colour.
struct TBlockFont {
    QString Name = QStringLiteral("Arial");
    int Size = 8;
    int Style = 0;
    int Color = 0;
    bool operator==(const TBlockFont&) const = default;
};

// Look of a new text block, taken from the schema's text-block profile.
struct TTextBlockDefaults {
    TBlockFont Font;
    int BackColor = 0xFFFFFF;
    int FrameColor = 0;
    bool Transparent = true;
    bool NoFrame = true;
};

// A free text on the 2D schema.
class TTextBlock2D {
public:
    static constexpr int kMarginX = 5;
    static constexpr int kMarginY = 5;

    // Creates a block with the profile's look and appends it to the list.
    static TTextBlock2D* Create(TTextBlock2DList* list, int left, int top, const QString& text);
    ~TTextBlock2D();

    TTextBlock2DList* Owner() const { return owner_; }
    int Left() const { return left_; }
    int Top() const { return top_; }
    const QString& Text() const { return text_; }
    const QStringList& Lines() const { return lines_; }
    int BackColor() const { return backColor_; }
    int FrameColor() const { return frameColor_; }
    bool Transparent() const { return transparent_; }
    bool NoFrame() const { return noFrame_; }
    double Angle() const { return angle_; }
    const TBlockFont& Font() const { return font_; }

    void SetPosition(int left, int top);
    // Splits the text into lines at CR LF, CR or LF.
    void SetText(const QString& text);
    void SetBackColor(int value);
    void SetFrameColor(int value);
    void SetTransparent(bool value);
    void SetNoFrame(bool value);
    // Kept in [0, 360).
    void SetAngle(double value);
    void SetFont(const TBlockFont& font);
    void MoveBy(double dx, double dy);

    // Measured size in schema units (text plus margins), kept by the list's measurer.
    int Width() const { return width_; }
    int Height() const { return height_; }
    void Measure();

private:
    explicit TTextBlock2D(TTextBlock2DList* list);
    void Changed();

    TTextBlock2DList* owner_;
    int left_ = 0;
    int top_ = 0;
    QString text_;
    QStringList lines_;
    int backColor_ = 0xFFFFFF;
    int frameColor_ = 0;
    bool transparent_ = true;
    bool noFrame_ = true;
    double angle_ = 0;
    TBlockFont font_;
    int width_ = 0;
    int height_ = 0;
};

// The mine's text blocks. The schema installs a measurer that knows fonts; without one the
// blocks get a rough size from character counts.
class TTextBlock2DList {
public:
    using Measurer = std::function<void(const TTextBlock2D& block, int& width, int& height)>;

    TTextBlock2DList(TMine* mine, bool ownsObjects);
    ~TTextBlock2DList();

    TMine* Mine() const { return mine_; }
    int Count() const { return static_cast<int>(items_.size()); }
    TTextBlock2D* Items(int index) const;
    int IndexOf(const TTextBlock2D* block) const;
    TTextBlock2D* Add(std::unique_ptr<TTextBlock2D> block);
    // Frees the block.
    void Remove(TTextBlock2D* block);
    void Clear();
    auto begin() const { return items_.begin(); }
    auto end() const { return items_.end(); }

    static void SetMeasurer(Measurer measurer);
    static const Measurer& GetMeasurer();
    static TTextBlockDefaults& Defaults();

private:
    TMine* mine_;
    std::vector<std::unique_ptr<TTextBlock2D>> items_;
};
