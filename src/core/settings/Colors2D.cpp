#include "core/settings/Colors2D.h"

#include "core/file/ByteReader.h"
#include "core/file/ByteWriter.h"
#include "core/model/TextBlock2D.h"
#include "core/settings/FontRecord.h"
#include "core/settings/SettingsStore.h"

#include <optional>

namespace {

constexpr TColor rgb(quint8 r, quint8 g, quint8 b) { return TColor(r) | TColor(g) << 8 | TColor(b) << 16; }
constexpr TColor kWhite = rgb(255, 255, 255);
constexpr TColor kBlack = rgb(0, 0, 0);

TProfile backOnly(const char* name, TColor back)
{
    TProfile p;
    p.Name = QString::fromUtf8(name);
    p.HasBack = true;
    p.BackColor = back;
    return p;
}

TProfile backAndBorder(const char* name, TColor back, TColor border)
{
    TProfile p = backOnly(name, back);
    p.HasBorder = true;
    p.BorderColor = border;
    return p;
}

TProfile withFont(TProfile p, const TFont2D& font)
{
    p.HasFont = true;
    p.Font = font;
    return p;
}

TProfile withFigure(TProfile p, TFigure2D figure)
{
    p.HasFigure = true;
    p.Figure = figure;
    return p;
}

TFont2D arial(qint32 size, TColor color) { return TFont2D{QStringLiteral("Arial"), size, 0, color}; }

// Where each colour lives in the store.
struct ColorValue {
    const QString* key;
    const char* name;
    TProfileIndex profile;
    TColor TProfile::*field;
};

const ColorValue kColorValues[] = {
    {&kColors2DColorsKey, "Background", cpSchema, &TProfile::BackColor},
    {&kColors2DColorsKey, "Branch Background", cpBranch, &TProfile::BackColor},
    {&kColors2DColorsKey, "Branch Border", cpBranch, &TProfile::BorderColor},
    {&kColors2DColorsKey, "Uzel Background", cpUzel, &TProfile::BackColor},
    {&kColors2DColorsKey, "Uzel Border", cpUzel, &TProfile::BorderColor},
    {&kColors2DColorsKey, "Grid", cpGrid, &TProfile::BackColor},
    {&kColors2DColorsKey, "Select Object", cpSelected, &TProfile::BackColor},
    {&kColors2DColorsKey, "Branch Number Background", cpBranchNumber, &TProfile::BackColor},
    {&kColors2DColorsKey, "Branch Number Border", cpBranchNumber, &TProfile::BorderColor},
    {&kColors2DColorsKey, "Result Background", cpResult, &TProfile::BackColor},
    {&kColors2DColorsKey, "Result Border", cpResult, &TProfile::BorderColor},
    {&kColors2DColorsKey, "Uzel Number Background", cpUzelNumber, &TProfile::BackColor},
    {&kColors2DColorsKey, "Uzel Number Border", cpUzelNumber, &TProfile::BorderColor},
    {&kColors2DFontsKey, "ArrowWater Background", cpWaterArrow, &TProfile::BackColor},
    {&kColors2DFontsKey, "ArrowWater Border", cpWaterArrow, &TProfile::BorderColor},
    {&kColors2DFontsKey, "TextBlock Background", cpTextBlock, &TProfile::BackColor},
    {&kColors2DFontsKey, "TextBlock Border", cpTextBlock, &TProfile::BorderColor},
};

struct FontValue {
    const char* name;
    TProfileIndex profile;
};

const FontValue kFontValues[] = {
    {"Branch", cpBranchNumber}, {"Uzel", cpUzelNumber}, {"Comment", cpComment},
    {"Result", cpResult},       {"TextBlock", cpTextBlock},
};

// 1-byte values of the Colors key (figures) and the Fonts key (transparencies).
struct ByteValue {
    const QString* key;
    const char* name;
    TProfileIndex profile;
};

const ByteValue kFigureValues[] = {
    {&kColors2DColorsKey, "Branch Number Figure", cpBranchNumber},
    {&kColors2DColorsKey, "Uzel Number Figure", cpUzelNumber},
};

std::optional<QByteArray> readSized(const SettingsStore& store, const QString& key, const char* name, qsizetype size)
{
    auto bytes = store.readBinary(key, QLatin1String(name));
    if (!bytes || bytes->size() != size)
        return std::nullopt;
    return bytes;
}

QByteArray colorValue(TColor color)
{
    ByteWriter w;
    w.u32(color);
    return w.data();
}

const char* const kTransparentBack = "TextBlock TransparentBack";
const char* const kTransparentBorder = "TextBlock TransparentBord";

}  // namespace

std::array<TProfile, kProfileCount> TColors2D::DefaultProfiles()
{
    TProfile textBlock = withFont(backAndBorder("Текстовый блок", kWhite, kBlack), arial(8, kBlack));
    textBlock.MayBeTransparentBack = textBlock.TransparentBack = true;
    textBlock.MayBeTransparentBorder = textBlock.TransparentBorder = true;
    return {
        backOnly("Схема", kClBtnFace),
        backOnly("Сетка", rgb(78, 156, 156)),
        backOnly("Выделенный объект", rgb(0, 255, 255)),
        backAndBorder("Выработка", kWhite, kBlack),
        backAndBorder("Узел", rgb(0, 255, 255), kBlack),
        withFigure(withFont(backAndBorder("Номер узла", rgb(255, 255, 191), kBlack), arial(6, kBlack)), fgEllipse),
        withFigure(withFont(backAndBorder("Номер выработки", rgb(0, 255, 255), kBlack), arial(6, kBlack)), fgRectangle),
        withFont(backAndBorder("Результаты", rgb(255, 153, 204), kBlack), arial(6, kBlack)),
        [] {
            TProfile comment = withFont(TProfile{}, arial(6, rgb(128, 128, 128)));
            comment.Name = QStringLiteral("Комментарий");
            return comment;
        }(),
        backAndBorder("Стрелка (вода)", rgb(128, 0, 255), kBlack),
        textBlock,
    };
}

void TColors2D::Load(const SettingsStore& store)
{
    ResetDefaults();
    for (const ColorValue& v : kColorValues) {
        if (const auto bytes = readSized(store, *v.key, v.name, 4)) {
            ByteReader r(*bytes);
            Profiles[v.profile].*v.field = r.u32();
        }
    }
    for (const ByteValue& v : kFigureValues) {
        if (const auto bytes = readSized(store, *v.key, v.name, 1))
            Profiles[v.profile].Figure = quint8(bytes->at(0));
    }
    for (const FontValue& v : kFontValues) {
        if (const auto bytes = store.readBinary(kColors2DFontsKey, QLatin1String(v.name))) {
            if (const auto font = FontRecord::Decode(*bytes))
                Profiles[v.profile].Font = *font;
        }
    }
    if (const auto bytes = readSized(store, kColors2DFontsKey, kTransparentBack, 1))
        Profiles[cpTextBlock].TransparentBack = bytes->at(0) != 0;
    if (const auto bytes = readSized(store, kColors2DFontsKey, kTransparentBorder, 1))
        Profiles[cpTextBlock].TransparentBorder = bytes->at(0) != 0;
}

bool TColors2D::Save(SettingsStore& store) const
{
    if (!store.createKey(kColors2DColorsKey) || !store.createKey(kColors2DFontsKey))
        return false;
    bool ok = true;
    for (const ColorValue& v : kColorValues)
        ok = ok && store.writeBinary(*v.key, QLatin1String(v.name), colorValue(Profiles[v.profile].*v.field));
    for (const ByteValue& v : kFigureValues)
        ok = ok && store.writeBinary(*v.key, QLatin1String(v.name), QByteArray(1, char(Profiles[v.profile].Figure)));
    for (const FontValue& v : kFontValues)
        ok = ok && store.writeBinary(kColors2DFontsKey, QLatin1String(v.name), FontRecord::Encode(Profiles[v.profile].Font));
    const TProfile& textBlock = Profiles[cpTextBlock];
    return ok
           && store.writeBinary(kColors2DFontsKey, QLatin1String(kTransparentBack), QByteArray(1, char(textBlock.TransparentBack ? 1 : 0)))
           && store.writeBinary(kColors2DFontsKey, QLatin1String(kTransparentBorder), QByteArray(1, char(textBlock.TransparentBorder ? 1 : 0)));
}

TTextBlockDefaults TColors2D::TextBlockDefaults() const
{
    const TProfile& p = Profiles[cpTextBlock];
    TTextBlockDefaults d;
    d.Font = TBlockFont{p.Font.Name, p.Font.Size, p.Font.Style, int(p.Font.Color)};
    d.BackColor = int(p.BackColor);
    d.FrameColor = int(p.BorderColor);
    d.Transparent = p.TransparentBack;
    d.NoFrame = p.TransparentBorder;
    return d;
}
