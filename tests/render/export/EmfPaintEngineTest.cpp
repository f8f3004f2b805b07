// The metafile engine read back record by record: a small walker checks the layout every
// reader relies on (sizes, counts, the header), then the records a drawing should make.

#include "support/TempDir.h"

#include "core/file/NetworkFile.h"
#include "render/export/EmfPaintDevice.h"
#include "render/export/PictureExport.h"
#include "render/schema2d/SchemaScene.h"

#include <QFile>
#include <QFontMetricsF>
#include <QPainter>
#include <QtEndian>
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <vector>

namespace {

struct EmfRecord {
    quint32 type = 0;
    QByteArray data;  // the whole record
    qint32 I(int at) const { return qFromLittleEndian<qint32>(data.constData() + at); }
    quint32 U(int at) const { return qFromLittleEndian<quint32>(data.constData() + at); }
};

// Splits a metafile into records, failing the test on any layout fault.
std::vector<EmfRecord> Walk(const QByteArray& emf)
{
    std::vector<EmfRecord> records;
    qsizetype at = 0;
    while (at < emf.size()) {
        EXPECT_LE(at + 8, emf.size());
        if (at + 8 > emf.size())
            break;
        EmfRecord r;
        r.type = qFromLittleEndian<quint32>(emf.constData() + at);
        const quint32 size = qFromLittleEndian<quint32>(emf.constData() + at + 4);
        EXPECT_EQ(size % 4, 0u) << "record " << records.size() << " type " << r.type;
        EXPECT_GE(size, 8u);
        if (size < 8 || at + size > emf.size()) {
            ADD_FAILURE() << "record " << records.size() << " runs past the end";
            break;
        }
        r.data = emf.mid(at, size);
        records.push_back(r);
        at += size;
    }
    return records;
}

QString Utf16(const QByteArray& data, int at, int chars)
{
    QString s;
    for (int i = 0; i < chars; ++i)
        s.append(QChar(qFromLittleEndian<quint16>(data.constData() + at + 2 * i)));
    return s;
}

// The header's promises hold: signature, byte and record counts, handles, EOF last.
void CheckFrame(const QByteArray& emf, const std::vector<EmfRecord>& records, QSize size)
{
    ASSERT_GE(records.size(), 2u);
    const EmfRecord& h = records.front();
    EXPECT_EQ(h.type, 1u);
    EXPECT_EQ(h.U(40), 0x464D4520u);
    EXPECT_EQ(h.U(44), 0x10000u);
    EXPECT_EQ(h.U(48), quint32(emf.size()));
    EXPECT_EQ(h.U(52), quint32(records.size()));
    EXPECT_EQ(qFromLittleEndian<quint16>(h.data.constData() + 56), 4);
    // Bounds in pixels, frame in hundredths of a millimetre at 96 dpi.
    EXPECT_EQ(h.I(16), size.width() - 1);
    EXPECT_EQ(h.I(20), size.height() - 1);
    EXPECT_NEAR(h.I(32), size.width() * 2540 / 96, 2);
    EXPECT_NEAR(h.I(36), size.height() * 2540 / 96, 2);
    // The description: program, title, two nulls.
    const int chars = int(h.U(60));
    EXPECT_EQ(h.U(64), 108u);
    EXPECT_EQ(Utf16(h.data, 108, chars), QStringLiteral("Ирвата") + QChar(0) + QStringLiteral("Технологическая схема") + QChar(0) + QChar(0));
    const EmfRecord& eof = records.back();
    EXPECT_EQ(eof.type, 14u);
    EXPECT_EQ(eof.data.size(), 20);
    EXPECT_EQ(eof.U(16), 20u);
    // Every object selected is a stock object or one created before.
    std::set<quint32> created;
    for (const EmfRecord& r : records) {
        if (r.type == 95 || r.type == 39 || r.type == 82)
            created.insert(r.U(8));
        if (r.type == 37) {
            EXPECT_TRUE((r.U(8) & 0x80000000u) || created.count(r.U(8))) << r.U(8);
        }
        if (r.type == 40) {
            EXPECT_TRUE(created.count(r.U(8)));
        }
    }
}

}  // namespace

TEST(EmfPaintEngine, RecordsOfADrawing)
{
    TEmfPaintDevice device(QSize(200, 100), QStringLiteral("Ирвата"), QStringLiteral("Технологическая схема"));
    {
        QPainter p(&device);
        p.setClipRect(QRect(10, 10, 180, 80));
        p.setPen(QPen(QColor(255, 0, 0), 2.5, Qt::DashLine));
        p.drawLine(QPointF(10.5, 20.25), QPointF(150, 20.25));
        p.setPen(QPen(Qt::black, 1));
        p.setBrush(QColor(0, 0, 255));
        p.drawPolygon(QPolygonF({QPointF(20, 30), QPointF(60, 30), QPointF(40, 60)}));
        p.drawEllipse(QRectF(100, 40, 30, 20));
        QFont font(QStringLiteral("DejaVu Sans"));
        font.setPixelSize(12);
        font.setBold(true);
        p.setFont(font);
        p.setPen(QColor(0, 128, 0));
        p.drawText(QPointF(30, 80), QStringLiteral("Ствол №1"));
        p.translate(170, 90);
        p.rotate(-90);  // upwards
        p.drawText(QPointF(0, 0), QStringLiteral("Узел"));
    }
    const QByteArray emf = device.Bytes();
    const std::vector<EmfRecord> records = Walk(emf);
    CheckFrame(emf, records, QSize(200, 100));

    std::map<quint32, std::vector<const EmfRecord*>> byType;
    for (const EmfRecord& r : records)
        byType[r.type].push_back(&r);
    constexpr int u = 16;  // logical units to a pixel

    // Mapping: anisotropic, 16 logical units to a pixel.
    ASSERT_EQ(byType[17].size(), 1u);
    EXPECT_EQ(byType[17][0]->U(8), 8u);
    ASSERT_EQ(byType[9].size(), 1u);
    EXPECT_EQ(byType[9][0]->I(8), 200 * u);

    // The clip rectangle, right and bottom edges outside.
    ASSERT_FALSE(byType[30].empty());
    EXPECT_EQ(byType[30][0]->I(8), 10 * u);
    EXPECT_EQ(byType[30][0]->I(20), 90 * u);

    // The dashed red pen: geometric, user style, 2.5 pixels, dashes of Qt's pattern.
    ASSERT_FALSE(byType[95].empty());
    const EmfRecord& pen = *byType[95][0];
    EXPECT_EQ(pen.U(28) & 0x10007u, 0x10007u);
    EXPECT_EQ(pen.U(32), quint32(2.5 * u));
    EXPECT_EQ(pen.U(40), 0x0000FFu);  // COLORREF of red
    EXPECT_EQ(pen.U(48), 2u);
    EXPECT_EQ(pen.U(52), quint32(4 * 2.5 * u));  // Qt's dash: 4 widths on, 2 off

    // The line as a two-point polyline at sub-pixel places.
    ASSERT_FALSE(byType[4].empty());
    const EmfRecord& line = *byType[4][0];
    EXPECT_EQ(line.U(24), 2u);
    EXPECT_EQ(line.I(28), qRound(10.5 * u));
    EXPECT_EQ(line.I(32), qRound(20.25 * u));

    // The triangle, filled with a blue brush.
    ASSERT_EQ(byType[3].size(), 1u);
    EXPECT_EQ(byType[3][0]->U(24), 3u);
    ASSERT_FALSE(byType[39].empty());
    EXPECT_EQ(byType[39][0]->U(16), 0xFF0000u);
    ASSERT_EQ(byType[42].size(), 1u);
    EXPECT_EQ(byType[42][0]->I(8), 100 * u);
    EXPECT_EQ(byType[42][0]->I(20), 60 * u);

    // Fonts: bold 12 pixels, the second one turned by 90° counter-clockwise.
    ASSERT_EQ(byType[82].size(), 2u);
    EXPECT_EQ(byType[82][0]->I(12), -12 * u);
    EXPECT_EQ(byType[82][0]->I(20), 0);
    EXPECT_EQ(byType[82][0]->I(28), 700);
    EXPECT_EQ(Utf16(byType[82][0]->data, 40, 11), QStringLiteral("DejaVu Sans"));
    EXPECT_EQ(byType[82][1]->I(20), 900);
    EXPECT_EQ(byType[82][1]->I(24), 900);

    // Text as UTF-16, at the baseline point, with one advance a character.
    ASSERT_EQ(byType[84].size(), 2u);
    const EmfRecord& text = *byType[84][0];
    EXPECT_EQ(text.I(36), 30 * u);
    EXPECT_EQ(text.I(40), 80 * u);
    const int chars = int(text.U(44));
    EXPECT_EQ(Utf16(text.data, int(text.U(48)), chars), QStringLiteral("Ствол №1"));
    const int dxAt = int(text.U(72));
    int advance = 0;
    for (int i = 0; i < chars; ++i) {
        EXPECT_GT(text.I(dxAt + 4 * i), 0);
        advance += text.I(dxAt + 4 * i);
    }
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(12);
    font.setBold(true);
    EXPECT_NEAR(advance / double(u), QFontMetricsF(font, &device).horizontalAdvance(QStringLiteral("Ствол №1")), 1.0);
    EXPECT_EQ(Utf16(byType[84][1]->data, int(byType[84][1]->U(48)), 4), QStringLiteral("Узел"));
    EXPECT_EQ(byType[84][1]->I(36), 170 * u);
    EXPECT_EQ(byType[24].back()->U(8), 0x008000u);
}

TEST(EmfPaintEngine, TheSampleSchemaIsAWellFormedMetafile)
{
    TestTempDir dir;
    TNetworkDocument doc = NetworkFile::Read(QStringLiteral(IRVATA_SOURCE_DIR "/examples/sample_mine.irv"));
    TSchemaScene scene(*doc.Mine);
    TSchemaPictureRequest request;
    request.Scale = 0.5;
    const QString path = dir.file(QStringLiteral("s.EMF"));
    const TExportedPicture picture = PictureExport::Write(path, TPictureFormat::Emf, scene, request);
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray emf = f.readAll();
    const std::vector<EmfRecord> records = Walk(emf);
    CheckFrame(emf, records, picture.Size);
    int texts = 0;
    int shapes = 0;
    for (const EmfRecord& r : records) {
        texts += r.type == 84;
        shapes += r.type == 3 || r.type == 4 || r.type == 7 || r.type == 8 || r.type == 42;
    }
    EXPECT_GE(texts, doc.Mine->Uzels.Count());  // every node number at least
    EXPECT_GT(shapes, doc.Mine->Branches.Count());
}
