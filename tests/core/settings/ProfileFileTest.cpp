#include "core/file/FileError.h"
#include "core/settings/ProfileFile.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QtEndian>

#include <set>

namespace {

TColors2D changedColors()
{
    TColors2D c;
    quint32 next = 0x00A0B0C0;
    for (TProfile& p : c.Profiles) {
        p.BackColor = next++;
        p.BorderColor = next++;
        p.Font.Color = next++;
        p.Font.Size = 9;
        p.Font.Style = TFont2D::fsItalic;
    }
    c[cpUzelNumber].Font.Name = QStringLiteral("Курсив");
    c[cpComment].Font.Name = QString();
    c[cpTextBlock].Font.Name = QStringLiteral("Times New Roman Cyr");
    c[cpUzelNumber].Figure = fgRectangle;
    c[cpBranchNumber].Figure = fgEllipse;
    c[cpTextBlock].TransparentBack = false;
    return c;
}

qsizetype fontSize(const TFont2D& f) { return 4 + 4 + f.Name.size() + 4 + 1; }  // the names used are one byte a character

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    ASSERT_EQ(f.write(bytes), bytes.size());
}

}  // namespace

TEST(ProfileFile, LayoutAndByteExactRoundTripThroughAFile)
{
    const TColors2D colors = changedColors();
    TestTempDir temp;
    const QString path = temp.file(QStringLiteral("профиль.cl"));
    ProfileFile::Write(path, colors);
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray bytes = f.readAll();

    const qsizetype group2End = 13 * 4 + fontSize(colors[cpBranchNumber].Font) + fontSize(colors[cpUzelNumber].Font)
                                + fontSize(colors[cpComment].Font) + fontSize(colors[cpResult].Font);
    ASSERT_EQ(bytes.size(), group2End + 2 + 8 + fontSize(colors[cpTextBlock].Font) + 8 + 2);
    const auto u32At = [&](qsizetype at) { return qFromLittleEndian<quint32>(bytes.constData() + at); };
    EXPECT_EQ(u32At(0), colors[cpSchema].BackColor);
    EXPECT_EQ(u32At(4 * 4), colors[cpUzel].BorderColor);
    EXPECT_EQ(u32At(12 * 4), colors[cpUzelNumber].BorderColor);
    EXPECT_EQ(u32At(13 * 4), colors[cpBranchNumber].Font.Color);  // the first font begins with its colour
    EXPECT_EQ(u32At(13 * 4 + 4), 5u);  // then its name's length: "Arial"
    EXPECT_EQ(bytes.mid(group2End, 2), QByteArray("\x01\x00", 2));  // branch-number ellipse, node-number rectangle
    EXPECT_EQ(bytes.right(2), QByteArray("\x00\x01", 2));

    // Read onto the defaults, every value the file carries comes back: it writes the same bytes.
    TColors2D read;
    ProfileFile::Read(path, read);
    EXPECT_EQ(ProfileFile::Encode(read), bytes);
    EXPECT_EQ(read[cpTextBlock], colors[cpTextBlock]);
}

TEST(ProfileFile, EveryCutInsideAGroupIsRefusedAndChangesNothing)
{
    const QByteArray bytes = ProfileFile::Encode(changedColors());
    const TColors2D colors = changedColors();
    const qsizetype group2End = bytes.size() - 2 - 8 - fontSize(colors[cpTextBlock].Font) - 8 - 2;
    // Files of earlier versions end after group 2, 3 or 4.
    const std::set<qsizetype> earlierVersions = {group2End, group2End + 2, group2End + 10};

    TestTempDir temp;
    const QString path = temp.file(QStringLiteral("cut.cl"));
    for (qsizetype length = 0; length < bytes.size(); ++length) {
        writeFile(path, bytes.left(length));
        TColors2D target;  // defaults
        if (earlierVersions.count(length)) {
            ASSERT_NO_THROW(ProfileFile::Read(path, target)) << length;
            EXPECT_EQ(target[cpUzelNumber].Font, colors[cpUzelNumber].Font) << length;
            EXPECT_EQ(target[cpTextBlock], TColors2D()[cpTextBlock]) << length;  // text block kept
            EXPECT_EQ(target[cpWaterArrow].BackColor == colors[cpWaterArrow].BackColor, length == group2End + 10);
            continue;
        }
        try {
            ProfileFile::Read(path, target);
            ADD_FAILURE() << "a file cut to " << length << " bytes was read";
        } catch (const EFileError& e) {
            EXPECT_EQ(e.Kind(), fekTruncated) << length;
            EXPECT_EQ(e.Message(), QStringLiteral("Ошибка при чтении данных из файла cut.cl")) << length;
        }
        EXPECT_EQ(target, TColors2D()) << length;
    }
}

TEST(ProfileFile, FontNameLongerThanTwentyBytesOrUnusableSizeIsRefused)
{
    TColors2D base;
    base[cpTextBlock].Font.Name = QStringLiteral("12345678901234567890");  // the longest a name may be
    const QByteArray good = ProfileFile::Encode(base);
    EXPECT_EQ(ProfileFile::Decode(good, TColors2D(), "a.cl"), base);

    // The text-block font's name length sits after groups 1-4.
    const qsizetype textBlockName = good.size() - 2 - 8 - 1 - 4 - 20 - 4;
    ASSERT_EQ(qFromLittleEndian<qint32>(good.constData() + textBlockName), 20);
    const qsizetype firstName = 13 * 4 + 4;
    ASSERT_EQ(qFromLittleEndian<qint32>(good.constData() + firstName), 5);  // "Arial"

    struct Case {
        qsizetype at;
        qint32 value;
        const char* why;
    };
    for (const Case c : {Case{textBlockName, 21, "длина названия шрифта 21"}, Case{firstName, 21, "длина названия шрифта 21"},
                         Case{firstName, -1, "длина названия шрифта -1"}, Case{firstName, 1 << 30, "длина названия шрифта"},
                         Case{firstName + 4 + 5, 0, "размер шрифта 0"}}) {
        QByteArray bad = good;
        qToLittleEndian<qint32>(c.value, bad.data() + c.at);
        TestTempDir temp;
        const QString path = temp.file(QStringLiteral("bad.cl"));
        writeFile(path, bad);
        TColors2D target = changedColors();
        try {
            ProfileFile::Read(path, target);
            ADD_FAILURE() << "read with " << c.value << " at " << c.at;
        } catch (const EFileError& e) {
            EXPECT_EQ(e.Kind(), fekMalformed) << c.at;
            EXPECT_TRUE(e.Message().startsWith(QStringLiteral("Ошибка при чтении данных из файла bad.cl")));
            EXPECT_TRUE(e.Message().contains(QString::fromUtf8(c.why))) << e.Message().toStdString();
        }
        EXPECT_EQ(target, changedColors());
    }
}
