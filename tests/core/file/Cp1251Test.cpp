#include "core/file/Cp1251.h"

#include <gtest/gtest.h>

TEST(Cp1251, RussianAlphabetAndNumeroSign)
{
    const QString text = QStringLiteral("АБВГДЕЁЖЗИЙКЛМНОПРСТУФХЦЧШЩЪЫЬЭЮЯабвгдеёжзийклмнопрстуфхцчшщъыьэюя№");
    QByteArray expected;
    for (int c = 0xC0; c <= 0xC5; ++c) expected.append(char(c));  // А..Е
    expected.append(char(0xA8));                                  // Ё
    for (int c = 0xC6; c <= 0xDF; ++c) expected.append(char(c));  // Ж..Я
    for (int c = 0xE0; c <= 0xE5; ++c) expected.append(char(c));  // а..е
    expected.append(char(0xB8));                                  // ё
    for (int c = 0xE6; c <= 0xFF; ++c) expected.append(char(c));  // ж..я
    expected.append(char(0xB9));                                  // №

    EXPECT_EQ(expected, toCp1251(text));
    EXPECT_EQ(text, fromCp1251(expected));
}

TEST(Cp1251, PunctuationOfTheUpperHalf)
{
    const QString text = QStringLiteral("«Насос» — № 5 € ‰ ™ ° ± … „“ ‘’ •");
    const QByteArray bytes = toCp1251(text);
    EXPECT_EQ(QByteArray("\xAB\xCD\xE0\xF1\xEE\xF1\xBB \x97 \xB9 5 \x88 \x89 \x99 \xB0 \xB1 \x85 \x84\x93 \x91\x92 \x95"), bytes);
    EXPECT_EQ(text, fromCp1251(bytes));
    EXPECT_EQ(QString(QChar(0x00A0)), fromCp1251(QByteArray("\xA0")));
    EXPECT_EQ(QString(QChar(0x0490)), fromCp1251(QByteArray("\xA5")));  // Ґ
}

TEST(Cp1251, EveryByteSurvivesDecodeAndEncode)
{
    QByteArray all;
    for (int b = 0; b < 256; ++b)
        all.append(char(b));
    const QString decoded = fromCp1251(all);
    ASSERT_EQ(256, decoded.size());
    EXPECT_EQ(QChar(0), decoded.at(0));  // a zero byte is a character, not an end
    EXPECT_EQ(QChar(0x0098), decoded.at(0x98));  // the code without a character
    EXPECT_EQ(all, toCp1251(decoded));
    // No two bytes decode to the same character.
    for (int a = 0; a < 256; ++a)
        for (int b = a + 1; b < 256; ++b)
            ASSERT_NE(decoded.at(a), decoded.at(b)) << a << " " << b;
}

TEST(Cp1251, CharactersWithoutCodeBecomeQuestionMarks)
{
    EXPECT_EQ(QByteArray("?"), toCp1251(QStringLiteral("é")));
    EXPECT_EQ(QByteArray("a??b"), toCp1251(QStringLiteral("a日本b")));
    // A character outside the basic plane is a single '?'.
    EXPECT_EQ(QByteArray("x?y"), toCp1251(QString::fromUtf8("x\xF0\x9F\x98\x80y")));
    EXPECT_EQ(QByteArray("?"), toCp1251(QString(QChar(0xFFFD))));
    EXPECT_TRUE(toCp1251(QString()).isEmpty());
}

// The edges of the code page's ranges: the last ASCII code, the first Cyrillic letters below
// and above А..я that the page has, and their neighbours that it has not.
TEST(Cp1251, CharactersAtTheEdgesOfTheRanges)
{
    EXPECT_EQ(QByteArray("\x7F"), toCp1251(QString(QChar(0x007F))));
    EXPECT_EQ(QByteArray("?"), toCp1251(QString(QChar(0x0080))));
    EXPECT_EQ(QByteArray("?"), toCp1251(QString(QChar(0x00FF))));
    EXPECT_EQ(QByteArray("\x8F"), toCp1251(QString(QChar(0x040F))));  // Џ
    EXPECT_EQ(QByteArray("\xC0"), toCp1251(QString(QChar(0x0410))));  // А
    EXPECT_EQ(QByteArray("\xFF"), toCp1251(QString(QChar(0x044F))));  // я
    EXPECT_EQ(QByteArray("?"), toCp1251(QString(QChar(0x0400))));      // Ѐ
    EXPECT_EQ(QByteArray("?"), toCp1251(QString(QChar(0x0450))));      // ѐ
    EXPECT_EQ(QByteArray("\xB8"), toCp1251(QString(QChar(0x0451))));  // ё
    EXPECT_EQ(QByteArray("\x9F"), toCp1251(QString(QChar(0x045F))));  // џ
    EXPECT_EQ(QByteArray("?"), toCp1251(QString(QChar(0x0460))));
    EXPECT_EQ(QString(QChar(0x007F)), fromCp1251(QByteArray("\x7F")));
    EXPECT_EQ(QString(QChar(0x0402)), fromCp1251(QByteArray("\x80")));  // Ђ
    EXPECT_EQ(QString(QChar(0x0457)), fromCp1251(QByteArray("\xBF")));  // ї
}

TEST(Cp1251, PointerAndSizeOverload)
{
    const char raw[] = "\xCF\xD0\x00\xC8";
    EXPECT_EQ(QStringLiteral("ПР"), fromCp1251(raw, 2));
    EXPECT_EQ(4, fromCp1251(raw, 4).size());
    EXPECT_TRUE(fromCp1251(raw, 0).isEmpty());
}

// What the files cannot store is named before anything is lost: the character itself, a
// pair of surrogates whole; the page's own letters, signs and "?" pass.
TEST(Cp1251, RefusalNamesTheFirstCharacterTheFileCannotStore)
{
    EXPECT_EQ(FirstNotInCp1251(QStringLiteral("Труба ∅100")), QStringLiteral("∅"));
    EXPECT_EQ(FirstNotInCp1251(QStringLiteral("м³ и ½")), QStringLiteral("³"));
    EXPECT_EQ(FirstNotInCp1251(QString::fromUtf8("x\xF0\x9F\x98\x80y")), QString::fromUtf8("\xF0\x9F\x98\x80"));
    EXPECT_TRUE(FirstNotInCp1251(QStringLiteral("Ёлка №5 — «ПЛА» ±2° ?")).isEmpty());
    EXPECT_EQ(Cp1251Refusal(QStringLiteral("½ дюйма")), QStringLiteral("Символ \"½\" не может быть сохранен в файле"));
    EXPECT_TRUE(Cp1251Refusal(QStringLiteral("Шахта 1")).isEmpty());
}
