#include "core/settings/SettingsText.h"

#include <gtest/gtest.h>

#include <QByteArray>
#include <QStringList>

// The bounds that keep a hostile file from costing more than its size: a text over the limit
// is refused before anything is read, a path deeper than the registry allows is skipped
// without creating its keys, and lines past the entry limit are skipped and counted.
TEST(SettingsText, LimitsOfSizeDepthAndEntries)
{
    EXPECT_FALSE(SettingsText::parse(QByteArray(SettingsText::kMaxBytes + 1, ' ')));

    SettingsNode deep;
    const QStringList deepest(SettingsNode::kMaxKeyDepth, QStringLiteral("k"));
    ASSERT_TRUE(deep.findOrCreate(deepest));
    const QByteArray text = SettingsText::write(deep);
    auto parsed = SettingsText::parse(text + "[" + QByteArray(SettingsNode::kMaxKeyDepth + 1, 'x').replace("x", "\\y") + "]\n");
    ASSERT_TRUE(parsed);
    EXPECT_TRUE(parsed->root->find(deepest));
    EXPECT_EQ(parsed->skippedLines, 1);
    EXPECT_FALSE(parsed->root->child(QStringLiteral("y"))) << "a refused path creates none of its keys";
    EXPECT_EQ(SettingsText::write(*parsed->root), text);

    QByteArray many = "[\\k]\n";
    for (qint64 i = 0; i < SettingsText::kMaxEntries; ++i)
        many += "\"v\"=dword:00000001\n";
    parsed = SettingsText::parse(many);
    ASSERT_TRUE(parsed);
    EXPECT_EQ(parsed->skippedLines, 1);
    EXPECT_EQ(parsed->root->find({QStringLiteral("k")})->values().size(), 1u);
}
