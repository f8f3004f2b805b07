#include "core/file/VersionTable.h"

#include <gtest/gtest.h>

TEST(VersionTable, EverySignatureFindsItsVersion)
{
    for (int v = 0; v < kFileVersionCount; ++v) {
        SCOPED_TRACE(v);
        const QByteArray sig = SignatureOf(v);
        ASSERT_EQ(kSignatureSize, sig.size());
        EXPECT_EQ(v, FindVersion(sig));
        EXPECT_EQ(v, FindVersion(reinterpret_cast<const uint8_t*>(sig.constData())));
        EXPECT_EQ(v == kCurrentFileVersion, IsCurrentSignature(sig));
    }
}

TEST(VersionTable, KnownRows)
{
    EXPECT_EQ(QByteArray::fromHex("6CD2B2B741EC0949A199A17BE650F09F"), SignatureOf(0));
    EXPECT_EQ(QByteArray::fromHex("471D63CB9AAC15428B006A5C9FB73F05"), SignatureOf(8));
    EXPECT_EQ(QByteArray::fromHex("670DC148AB7F2D4A9E372F9BDA0F3900"), SignatureOf(15));
    EXPECT_EQ(QByteArray::fromHex("D5E5641E9EE197489EA92C90440F77C4"), SignatureOf(16));
    EXPECT_EQ(QByteArray::fromHex("EC4958C456A842448318F781B1A5D868"), SignatureOf(17));
    EXPECT_EQ(17, kCurrentFileVersion);
}

TEST(VersionTable, UnknownSignatures)
{
    for (int v = 0; v < kFileVersionCount; ++v) {
        for (int byte : {0, 7, 15}) {
            QByteArray sig = SignatureOf(v);
            sig[byte] = char(sig[byte] ^ 0x80);
            EXPECT_EQ(-1, FindVersion(sig)) << v << " " << byte;
        }
    }
    EXPECT_EQ(-1, FindVersion(QByteArray(16, '\0')));
    EXPECT_EQ(-1, FindVersion(SignatureOf(17).left(15)));
    EXPECT_EQ(-1, FindVersion(SignatureOf(17) + '\0'));
    EXPECT_FALSE(IsCurrentSignature(SignatureOf(16)));
    EXPECT_FALSE(IsCurrentSignature(QByteArrayView{}));
    EXPECT_TRUE(SignatureOf(-1).isEmpty());
    EXPECT_TRUE(SignatureOf(18).isEmpty());
}

TEST(VersionTable, VersionText)
{
    EXPECT_EQ(QStringLiteral("1.0"), VersionText(0));
    EXPECT_EQ(QStringLiteral("1.16"), VersionText(16));
    EXPECT_EQ(QStringLiteral("1.17"), VersionText(kCurrentFileVersion));
}
