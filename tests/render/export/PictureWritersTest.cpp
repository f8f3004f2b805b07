// The picture writers: bitmaps of every depth, JPEG, the metafile engine, read back byte by
// byte and through QImage.

#include "support/TempDir.h"

#include "core/file/NetworkFile.h"
#include "core/model/Errors.h"
#include "core/settings/Colors2D.h"
#include "render/export/BmpFile.h"
#include "render/export/PictureExport.h"
#include "render/schema2d/ProfileLook.h"
#include "render/schema2d/SchemaScene.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QtEndian>
#include <gtest/gtest.h>

#include <set>

namespace {

const QString kSample = QStringLiteral(IRVATA_SOURCE_DIR "/examples/sample_mine.irv");

QByteArray ReadAll(const QString& path)
{
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << path.toStdString();
    return f.readAll();
}

quint32 U32(const QByteArray& b, qsizetype at) { return qFromLittleEndian<quint32>(b.constData() + at); }
quint16 U16(const QByteArray& b, qsizetype at) { return qFromLittleEndian<quint16>(b.constData() + at); }

// The sample mine fitted into a picture of an odd width, so rows need padding.
struct SampleExport {
    TNetworkDocument doc = NetworkFile::Read(kSample);
    TSchemaScene scene{*doc.Mine};
    TSchemaPictureRequest request;
    SampleExport(QSize fit = QSize(301, 157))
    {
        request.Drawing.Show.BranchLabels = true;
        request.Fit = fit;
    }
    TExportedPicture Write(const QString& path, const TPictureOptions& options = {})
    {
        return PictureExport::Write(path, *PictureExport::FormatOf(path), scene, request, options);
    }
};

std::set<QRgb> Colours(const QImage& image)
{
    std::set<QRgb> colours;
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < rgb.height(); ++y)
        for (int x = 0; x < rgb.width(); ++x)
            colours.insert(rgb.pixel(x, y));
    return colours;
}

}  // namespace

TEST(BmpWriter, HeadersPalettesAndSizesForEveryDepth)
{
    TestTempDir dir;
    SampleExport sample;
    const QColor back = ProfileColor(sample.request.Drawing.Colors[cpSchema].BackColor);
    for (const int bits : {1, 4, 8, 16, 24}) {
        SCOPED_TRACE(bits);
        const QString path = dir.file(QStringLiteral("p%1.bmp").arg(bits));
        TPictureOptions options;
        options.BmpBits = bits;
        const TExportedPicture written = sample.Write(path, options);
        ASSERT_EQ(written.Size, QSize(301, 157));
        const QByteArray b = ReadAll(path);
        const int entries = bits <= 8 ? 1 << bits : 0;
        const qint64 rowBytes = (301 * bits + 31) / 32 * 4;
        const qint64 expected = 14 + 40 + 4 * entries + rowBytes * 157;
        EXPECT_EQ(b.size(), expected);
        EXPECT_EQ(BmpFile::FileSize(QSize(301, 157), bits), expected);
        EXPECT_EQ(b.left(2), QByteArray("BM"));
        EXPECT_EQ(U32(b, 2), quint32(b.size()));
        EXPECT_EQ(U32(b, 10), quint32(54 + 4 * entries));
        EXPECT_EQ(U32(b, 14), 40u);
        EXPECT_EQ(qint32(U32(b, 18)), 301);
        EXPECT_EQ(qint32(U32(b, 22)), 157);  // positive: bottom-up
        EXPECT_EQ(U16(b, 26), 1);
        EXPECT_EQ(U16(b, 28), bits);
        EXPECT_EQ(U32(b, 30), 0u);  // BI_RGB
        EXPECT_EQ(U32(b, 34), quint32(rowBytes * 157));
        EXPECT_EQ(U32(b, 46), quint32(entries));

        const QImage image(path);
        ASSERT_FALSE(image.isNull());
        EXPECT_EQ(image.size(), QSize(301, 157));
        const std::set<QRgb> colours = Colours(image);
        EXPECT_LE(colours.size(), size_t(bits <= 8 ? entries : 1 << 24));
        EXPECT_GT(colours.size(), 1u);
        const QColor corner = image.pixelColor(4, 4);  // inside the page frame
        if (bits == 1 || bits == 4) {
            EXPECT_EQ(corner, QColor(Qt::white));  // the light grey back is nearest white
        } else if (bits == 16) {
            EXPECT_NEAR(corner.red(), back.red(), 8);
            EXPECT_NEAR(corner.blue(), back.blue(), 8);
        } else {
            EXPECT_EQ(corner, back);  // 8 bits keep the profile's colours exactly
        }
    }
}

TEST(BmpWriter, RowsArePaddedBottomUpAndIndicesPackedHighBitsFirst)
{
    const QRgb top[3] = {0xFFFF0000, 0xFF00FF00, 0xFF0000FF};
    const QRgb bottom[3] = {0xFFFFFFFF, 0xFF000000, 0xFFFFFFFF};
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    TBmpWriter writer24(buffer, QSize(3, 2), 24, {});
    writer24.WriteRow(bottom);
    writer24.WriteRow(top);
    ASSERT_TRUE(writer24.Ok());
    ASSERT_EQ(bytes.size(), 54 + 2 * 12);
    // Bottom row first, blue-green-red, three padding bytes.
    EXPECT_EQ(bytes.mid(54, 12), QByteArray::fromHex("ffffff000000ffffff000000"));
    EXPECT_EQ(bytes.mid(66, 12), QByteArray::fromHex("0000ff00ff00ff0000000000"));

    bytes.clear();
    buffer.seek(0);
    TBmpWriter writer4(buffer, QSize(3, 1), 4, BmpFile::Palette(4, TColors2D()));
    writer4.WriteRow(top);
    // VGA: bright red 9, bright green 10, bright blue 12.
    EXPECT_EQ(bytes.mid(54 + 64, 4), QByteArray::fromHex("9ac00000"));

    bytes.clear();
    buffer.seek(0);
    TBmpWriter writer16(buffer, QSize(1, 1), 16, {});
    const QRgb orange = qRgb(255, 128, 8);
    writer16.WriteRow(&orange);
    EXPECT_EQ(qFromLittleEndian<quint16>(bytes.constData() + 54), quint16((31 << 10) | (16 << 5) | 1));
}

TEST(BmpWriter, EightBitPaletteHoldsTheProfileColoursThenTheCube)
{
    const TColors2D colours;
    const QVector<QRgb> palette = BmpFile::Palette(8, colours);
    ASSERT_EQ(palette.size(), 256);
    for (const TProfile& p : colours.Profiles)
        EXPECT_TRUE(palette.contains(ProfileColor(p.BackColor).rgb())) << p.Name.toStdString();
    EXPECT_TRUE(palette.contains(qRgb(51, 102, 153)));
    EXPECT_EQ(BmpFile::Palette(1, colours), (QVector<QRgb>{0xFF000000, 0xFFFFFFFF}));
    EXPECT_EQ(BmpFile::Palette(4, colours).size(), 16);
}

TEST(PictureBands, BandsJoinIntoTheWholePicture)
{
    TestTempDir dir;
    SampleExport sample(QSize(400, 300));
    sample.Write(dir.file(QStringLiteral("whole.png")));
    TPictureOptions options;
    options.BmpBits = 24;
    options.BandRows = 37;  // bands that end in the middle of things
    sample.Write(dir.file(QStringLiteral("bands.bmp")), options);
    const QImage whole = QImage(dir.file(QStringLiteral("whole.png"))).convertToFormat(QImage::Format_RGB32);
    const QImage bands = QImage(dir.file(QStringLiteral("bands.bmp"))).convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(whole.size(), bands.size());
    int differing = 0;
    for (int y = 0; y < whole.height(); ++y)
        for (int x = 0; x < whole.width(); ++x)
            differing += whole.pixel(x, y) != bands.pixel(x, y);
    EXPECT_LE(differing, 40);
}

namespace {

// The frames of a JPEG up to the first scan: marker → its segment.
std::vector<std::pair<int, QByteArray>> JpegSegments(const QByteArray& b)
{
    std::vector<std::pair<int, QByteArray>> out;
    qsizetype at = 2;
    while (at + 4 <= b.size() && uchar(b[at]) == 0xFF) {
        const int marker = uchar(b[at + 1]);
        const int length = qFromBigEndian<quint16>(b.constData() + at + 2);
        out.emplace_back(marker, b.mid(at + 4, length - 2));
        if (marker == 0xDA)
            break;
        at += 2 + length;
    }
    return out;
}

// The frame marker (0xC0 baseline, 0xC2 progressive) and its component count.
std::pair<int, int> JpegFrame(const QByteArray& b)
{
    for (const auto& [marker, segment] : JpegSegments(b))
        if (marker >= 0xC0 && marker <= 0xC2)
            return {marker, uchar(segment[5])};
    return {0, 0};
}

}  // namespace

TEST(JpegWriter, MarkersComponentsAndQuality)
{
    TestTempDir dir;
    SampleExport sample(QSize(640, 360));
    const auto write = [&](const QString& name, TJpegOptions jpeg) {
        TPictureOptions options;
        options.Jpeg = jpeg;
        options.BandRows = 50;
        sample.Write(dir.file(name), options);
        return ReadAll(dir.file(name));
    };
    const QByteArray baseline = write(QStringLiteral("b.jpg"), {75, false, false});
    const QByteArray progressive = write(QStringLiteral("p.JPG"), {75, true, false});
    const QByteArray grey = write(QStringLiteral("g.jpg"), {75, false, true});
    const QByteArray low = write(QStringLiteral("l.jpg"), {10, false, false});
    const QByteArray high = write(QStringLiteral("h.jpg"), {100, false, false});

    EXPECT_EQ(baseline.left(2), QByteArray::fromHex("ffd8"));
    EXPECT_EQ(baseline.right(2), QByteArray::fromHex("ffd9"));
    EXPECT_EQ(JpegFrame(baseline), std::make_pair(0xC0, 3));
    EXPECT_EQ(JpegFrame(progressive), std::make_pair(0xC2, 3));
    EXPECT_EQ(JpegFrame(grey), std::make_pair(0xC0, 1));
    EXPECT_LT(low.size(), baseline.size());
    EXPECT_LT(baseline.size(), high.size());

    for (const QString& name : {QStringLiteral("b.jpg"), QStringLiteral("p.JPG"), QStringLiteral("g.jpg")}) {
        const QImage image(dir.file(name));
        ASSERT_EQ(image.size(), QSize(640, 360)) << name.toStdString();
        const QColor corner = image.pixelColor(2, 2);
        const QColor back = ProfileColor(sample.request.Drawing.Colors[cpSchema].BackColor);
        EXPECT_NEAR(corner.red(), back.red(), 6) << name.toStdString();
        EXPECT_NEAR(corner.green(), back.green(), 6) << name.toStdString();
    }
    EXPECT_TRUE(QImage(dir.file(QStringLiteral("g.jpg"))).isGrayscale());
}

TEST(PictureExport, FormatsByExtensionAndRefusals)
{
    EXPECT_EQ(PictureExport::FormatOf(QStringLiteral("a/b.PNG")), TPictureFormat::Png);
    EXPECT_EQ(PictureExport::FormatOf(QStringLiteral("b.Bmp")), TPictureFormat::Bmp);
    EXPECT_EQ(PictureExport::FormatOf(QStringLiteral("b.jpg")), TPictureFormat::Jpeg);
    EXPECT_EQ(PictureExport::FormatOf(QStringLiteral("b.EMF")), TPictureFormat::Emf);
    EXPECT_EQ(PictureExport::FormatOf(QStringLiteral("b.svg")), TPictureFormat::Svg);
    EXPECT_EQ(PictureExport::FormatOf(QStringLiteral("b.pdf")), TPictureFormat::Pdf);
    EXPECT_FALSE(PictureExport::FormatOf(QStringLiteral("b.jpeg")));
    EXPECT_FALSE(PictureExport::FormatOf(QStringLiteral("bmp")));

    // 3000 % of the sample is wider than 32 767 pixels: refused before anything is written,
    // and the file that was there stays.
    TestTempDir dir;
    SampleExport sample;
    sample.request.Fit.reset();
    sample.request.Scale = 30;
    const QString path = dir.file(QStringLiteral("big.bmp"));
    QFile old(path);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("old");
    old.close();
    EXPECT_THROW(sample.Write(path), Exception);
    EXPECT_EQ(ReadAll(path), QByteArray("old"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 1);
    EXPECT_THROW(sample.Write(dir.file(QStringLiteral("no/such/folder/x.jpg"))), Exception);
}

TEST(PictureExport, VectorFormatsCarryTheText)
{
    TestTempDir dir;
    SampleExport sample(QSize(800, 500));
    sample.Write(dir.file(QStringLiteral("s.svg")));
    sample.Write(dir.file(QStringLiteral("s.pdf")));
    const QByteArray svg = ReadAll(dir.file(QStringLiteral("s.svg")));
    EXPECT_TRUE(svg.contains("<svg"));
    EXPECT_TRUE(svg.contains("viewBox=\"0 0 800 500\""));
    EXPECT_TRUE(svg.contains(">33<")) << "a node number as text";
    const QByteArray pdf = ReadAll(dir.file(QStringLiteral("s.pdf")));
    EXPECT_TRUE(pdf.startsWith("%PDF-"));
    // One page of 800 × 500 pixels at 96 dpi: 600 × 375 points.
    EXPECT_TRUE(pdf.contains("/MediaBox [0 0 600.000000 375.000000]")) << pdf.left(2000).toStdString();
}

TEST(PictureExport, TypedScalesAndTheSizeShownBeforehand)
{
    EXPECT_EQ(PictureExport::ParseScale(QStringLiteral(" 150 %")), 1.5);
    EXPECT_EQ(PictureExport::ParseScale(QStringLiteral("150%")), 1.5);
    EXPECT_EQ(PictureExport::ParseScale(QStringLiteral("12.6")), 0.13);
    EXPECT_EQ(PictureExport::ParseScale(QStringLiteral("3000")), 30.0);
    for (const char* bad : {"", "%", "0", "0.4", "-5", "3001", "1e9", "abc", "15%%"})
        EXPECT_FALSE(PictureExport::ParseScale(QString::fromLatin1(bad))) << bad;

    TestTempDir dir;
    SampleExport sample;
    sample.request.Fit.reset();
    sample.request.Scale = 0.5;
    for (const QString& name : {QStringLiteral("a.emf"), QStringLiteral("a.jpg"), QStringLiteral("a.png")}) {
        const auto size = PictureExport::PictureSize(sample.scene, sample.request, *PictureExport::FormatOf(name));
        ASSERT_TRUE(size);
        EXPECT_EQ(sample.Write(dir.file(name)).Size, *size) << name.toStdString();
    }
    EXPECT_EQ(QImage(dir.file(QStringLiteral("a.jpg"))).size(),
              *PictureExport::PictureSize(sample.scene, sample.request, TPictureFormat::Jpeg));
    // 20 000 × 20 000 is too much to hold as a PNG but fine in bands.
    sample.request.Fit = QSize(20000, 20000);
    EXPECT_FALSE(PictureExport::PictureSize(sample.scene, sample.request, TPictureFormat::Png));
    EXPECT_TRUE(PictureExport::PictureSize(sample.scene, sample.request, TPictureFormat::Bmp));
}
