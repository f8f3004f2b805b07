#include "core/settings/SettingsStore.h"
#include "core/settings/ToolbarLayout.h"

#include <gtest/gtest.h>

namespace {

const QStringList kNames = {QStringLiteral("StdBar"), QStringLiteral("EditBar"), QStringLiteral("UzelBar")};

ToolbarRecord record(bool visible, ToolbarDock dock, qint32 l, qint32 t, qint32 r, qint32 b)
{
    ToolbarRecord rec;
    rec.Visible = visible;
    rec.Dock = dock;
    rec.Left = l;
    rec.Top = t;
    rec.Right = r;
    rec.Bottom = b;
    return rec;
}

}  // namespace

TEST(ToolbarRecord, EncodesEighteenBytesLittleEndian)
{
    const QByteArray bytes = record(true, ToolbarDock::Bottom, 1, -2, 0x01020304, 300).Encode();
    ASSERT_EQ(bytes.size(), 18);
    EXPECT_EQ(bytes.toHex(), QByteArray("0102"
                                        "01000000"
                                        "feffffff"
                                        "04030201"
                                        "2c010000"));
}

TEST(ToolbarRecord, RoundTrip)
{
    const ToolbarRecord r = record(false, ToolbarDock::Floating, -50, 700, 200, 730);
    const auto back = ToolbarRecord::Decode(r.Encode());
    ASSERT_TRUE(back);
    EXPECT_EQ(*back, r);
}

TEST(ToolbarRecord, DamagedRecordsAreRefused)
{
    const QByteArray good = record(true, ToolbarDock::Top, 0, 0, 100, 26).Encode();
    EXPECT_TRUE(ToolbarRecord::Decode(good));
    EXPECT_FALSE(ToolbarRecord::Decode(good.left(17)));
    EXPECT_FALSE(ToolbarRecord::Decode(good + '\0'));
    EXPECT_FALSE(ToolbarRecord::Decode(QByteArray()));

    QByteArray badVisible = good;
    badVisible[0] = 2;
    EXPECT_FALSE(ToolbarRecord::Decode(badVisible));
    QByteArray badDock = good;
    badDock[1] = 3;
    EXPECT_FALSE(ToolbarRecord::Decode(badDock));

    EXPECT_FALSE(ToolbarRecord::Decode(record(true, ToolbarDock::Top, 100, 0, 99, 26).Encode())) << "right < left";
    EXPECT_FALSE(ToolbarRecord::Decode(record(true, ToolbarDock::Top, 0, 30, 10, 29).Encode())) << "bottom < top";
    EXPECT_FALSE(ToolbarRecord::Decode(record(true, ToolbarDock::Top, 0, 0, 2000000, 26).Encode()));
    EXPECT_FALSE(ToolbarRecord::Decode(record(true, ToolbarDock::Top, -2000000, 0, 0, 26).Encode()));
}

TEST(ToolbarLayout, DefaultIsAllVisibleAtTheTop)
{
    const auto layout = DefaultToolbarLayout(5);
    ASSERT_EQ(layout.size(), 5u);
    for (const ToolbarRecord& r : layout) {
        EXPECT_TRUE(r.Visible);
        EXPECT_EQ(r.Dock, ToolbarDock::Top);
        EXPECT_EQ(r.Left, 0);
        EXPECT_EQ(r.Top, 0);
    }
}

TEST(ToolbarLayout, WrittenLayoutReadsBackUnderInterface)
{
    SettingsStore store;
    const std::vector<ToolbarRecord> layout = {record(true, ToolbarDock::Top, 0, 0, 120, 26),
                                               record(false, ToolbarDock::Bottom, 0, 600, 90, 626),
                                               record(true, ToolbarDock::Floating, 300, 300, 400, 340)};
    ASSERT_TRUE(WriteToolbarLayout(store, kNames, layout));
    EXPECT_EQ(store.valueType(QStringLiteral("\\Software\\korvelab\\Irvata\\1.0\\Interface"), QStringLiteral("EditBar")),
              SettingsValueType::Binary);
    EXPECT_EQ(ReadToolbarLayout(store, kNames), layout);
}

TEST(ToolbarLayout, AnyErrorGivesTheDefaultLayoutForAll)
{
    SettingsStore store;
    EXPECT_EQ(ReadToolbarLayout(store, kNames), DefaultToolbarLayout(3)) << "no key";

    const std::vector<ToolbarRecord> layout = {record(false, ToolbarDock::Bottom, 0, 600, 90, 626),
                                               record(false, ToolbarDock::Bottom, 100, 600, 190, 626),
                                               record(false, ToolbarDock::Bottom, 200, 600, 290, 626)};
    ASSERT_TRUE(WriteToolbarLayout(store, kNames, layout));

    // One value missing.
    store.deleteValue(kInterfaceKey, QStringLiteral("UzelBar"));
    EXPECT_EQ(ReadToolbarLayout(store, kNames), DefaultToolbarLayout(3));

    // One value of the wrong type.
    ASSERT_TRUE(WriteToolbarLayout(store, kNames, layout));
    store.writeInteger(kInterfaceKey, QStringLiteral("EditBar"), 1);
    EXPECT_EQ(ReadToolbarLayout(store, kNames), DefaultToolbarLayout(3));

    // One value damaged.
    ASSERT_TRUE(WriteToolbarLayout(store, kNames, layout));
    store.writeBinary(kInterfaceKey, QStringLiteral("StdBar"), QByteArray(18, '\x7f'));
    EXPECT_EQ(ReadToolbarLayout(store, kNames), DefaultToolbarLayout(3));
}

TEST(ToolbarLayout, ReadOnlyStoreRefusesTheWrite)
{
    SettingsStore readOnly(QStringLiteral("/nonexistent/registry.txt"), SettingsStore::Access::ReadOnly);
    EXPECT_FALSE(WriteToolbarLayout(readOnly, kNames, DefaultToolbarLayout(3)));
    SettingsStore store;
    EXPECT_FALSE(WriteToolbarLayout(store, kNames, DefaultToolbarLayout(2))) << "count mismatch";
}
