#include "core/model/TextBlock2D.h"
#include "core/settings/Colors2D.h"
#include "core/settings/FontRecord.h"
#include "core/settings/SettingsStore.h"
#include "support/SettingsSandbox.h"

#include <gtest/gtest.h>

#include <QtEndian>

#include <vector>

namespace {

// Every colour, font, figure and transparency away from its default.
TColors2D changedColors()
{
    TColors2D c;
    quint32 next = 0x00102030;
    for (int i = 0; i < kProfileCount; ++i)
        c.Profiles[i].Font = TFont2D{QStringLiteral("Шрифт ") + QChar(u'A' + i), 7 + i, quint8(i), next++};
    for (TProfile& p : c.Profiles) {
        p.BackColor = next++;
        p.BorderColor = next++;
    }
    c[cpUzelNumber].Figure = fgRectangle;
    c[cpBranchNumber].Figure = fgEllipse;
    c[cpTextBlock].TransparentBack = c[cpTextBlock].TransparentBorder = false;
    return c;
}

}  // namespace

TEST(Colors2D, ElevenProfilesInListOrderWithTheirPagesAndDefaults)
{
    const TColors2D c;
    const char* names[] = {"Схема", "Сетка", "Выделенный объект", "Выработка", "Узел", "Номер узла",
                           "Номер выработки", "Результаты", "Комментарий", "Стрелка (вода)", "Текстовый блок"};
    // back, border, font, figure; then the back colour as 0x00BBGGRR
    const int pages[][4] = {{1, 0, 0, 0}, {1, 0, 0, 0}, {1, 0, 0, 0}, {1, 1, 0, 0}, {1, 1, 0, 0}, {1, 1, 1, 1},
                            {1, 1, 1, 1}, {1, 1, 1, 0}, {0, 0, 1, 0}, {1, 1, 0, 0}, {1, 1, 1, 0}};
    const TColor backs[] = {kClBtnFace, 0x9C9C4E, 0xFFFF00, 0xFFFFFF, 0xFFFF00, 0xBFFFFF,
                            0xFFFF00,   0xCC99FF, 0,        0xFF0080, 0xFFFFFF};
    for (int i = 0; i < kProfileCount; ++i) {
        const TProfile& p = c.Profiles[i];
        EXPECT_EQ(p.Name, QString::fromUtf8(names[i]));
        EXPECT_EQ(std::vector<int>({p.HasBack, p.HasBorder, p.HasFont, p.HasFigure}),
                  std::vector<int>(pages[i], pages[i] + 4)) << i;
        if (p.HasBack) {
            EXPECT_EQ(p.BackColor, backs[i]) << i;
        }
        if (p.HasBorder) {
            EXPECT_EQ(p.BorderColor, 0u) << i;
        }
        if (p.HasFont) {
            EXPECT_EQ(p.Font, (TFont2D{"Arial", i == cpTextBlock ? 8 : 6, 0, i == cpComment ? 0x808080u : 0u})) << i;
        }
        EXPECT_EQ(p.MayBeTransparentBack && p.MayBeTransparentBorder, i == cpTextBlock) << i;
    }
    EXPECT_EQ(c[cpUzelNumber].Figure, fgEllipse);
    EXPECT_EQ(c[cpBranchNumber].Figure, fgRectangle);

    // The text-block role is also the look of new text blocks.
    const TTextBlockDefaults block = c.TextBlockDefaults();
    EXPECT_EQ(block.Font, (TBlockFont{"Arial", 8, 0, 0}));
    EXPECT_EQ(block.BackColor, 0xFFFFFF);
    EXPECT_TRUE(block.Transparent && block.NoFrame);

    TProfile renamed = c[cpTextBlock];
    renamed.Font.Name = QStringLiteral("Courier New");
    EXPECT_TRUE(renamed.Same(c[cpTextBlock], false));
    EXPECT_FALSE(renamed.Same(c[cpTextBlock], true));
}

TEST(Colors2D, SaveThenLoadAtTheNextStartGivesTheStoredValuesBack)
{
    SettingsSandbox sandbox;
    const TColors2D changed = changedColors();
    ASSERT_TRUE(changed.Save(sandbox.user()));
    ASSERT_TRUE(sandbox.user().save());
    sandbox.restart();
    SettingsStore& store = sandbox.user();

    // The 36-byte font record: length byte and name, size at 24, style at 28, colour at 32.
    const QByteArray record = *store.readBinary(kColors2DFontsKey, "TextBlock");
    ASSERT_EQ(record.size(), 36);
    EXPECT_EQ(record.left(8), QByteArray("\x07\xD8\xF0\xE8\xF4\xF2 K", 8));
    EXPECT_EQ(qFromLittleEndian<qint32>(record.constData() + 24), 7 + cpTextBlock);
    EXPECT_EQ(record[28], char(cpTextBlock));
    EXPECT_EQ(qFromLittleEndian<quint32>(record.constData() + 32), changed[cpTextBlock].Font.Color);
    EXPECT_EQ(store.readBinary(kColors2DColorsKey, "Branch Number Figure"), QByteArray(1, char(fgEllipse)));

    TColors2D loaded = changed;
    loaded.Load(store);
    // What no page of a role shows is not stored and comes back as its default.
    TColors2D expected = changed;
    const TColors2D defaults;
    for (int i = 0; i < kProfileCount; ++i) {
        TProfile& p = expected.Profiles[i];
        if (!p.HasBack)
            p.BackColor = defaults.Profiles[i].BackColor;
        if (!p.HasBorder)
            p.BorderColor = defaults.Profiles[i].BorderColor;
        if (!p.HasFont)
            p.Font = defaults.Profiles[i].Font;
    }
    EXPECT_EQ(loaded, expected);

    // A font name longer than 20 bytes, a record cut short and a colour of 3 bytes keep defaults.
    QByteArray longName = record;
    longName[0] = char(21);
    store.writeBinary(kColors2DFontsKey, "TextBlock", longName);
    store.writeBinary(kColors2DFontsKey, "Comment", record.left(35));
    store.writeBinary(kColors2DColorsKey, "Grid", QByteArray(3, '\1'));
    loaded.Load(store);
    EXPECT_EQ(loaded[cpTextBlock].Font, defaults[cpTextBlock].Font);
    EXPECT_EQ(loaded[cpComment].Font, defaults[cpComment].Font);
    EXPECT_EQ(loaded[cpGrid].BackColor, defaults[cpGrid].BackColor);
    EXPECT_EQ(loaded[cpUzelNumber], expected[cpUzelNumber]);
}
