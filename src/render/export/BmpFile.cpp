#include "render/export/BmpFile.h"

#include "core/settings/Colors2D.h"
#include "render/schema2d/ProfileLook.h"

#include <QIODevice>
#include <QtEndian>

#include <algorithm>
#include <array>
#include <climits>
#include <cstring>

namespace {

template <typename T>
void Little(std::vector<uchar>& out, T value)
{
    for (size_t i = 0; i < sizeof(T); ++i)
        out.push_back(uchar((quint64(value) >> (8 * i)) & 0xFF));
}

// The 16 colours of the classic VGA palette, in its usual order.
constexpr std::array<QRgb, 16> kVga = {
    0xFF000000, 0xFF800000, 0xFF008000, 0xFF808000, 0xFF000080, 0xFF800080, 0xFF008080, 0xFFC0C0C0,
    0xFF808080, 0xFFFF0000, 0xFF00FF00, 0xFFFFFF00, 0xFF0000FF, 0xFFFF00FF, 0xFF00FFFF, 0xFFFFFFFF,
};

// How many entries of the 8-bit palette the profile's colours may take before the cube.
constexpr int kProfileEntries = 256 - 216;

}  // namespace

namespace BmpFile {

bool BitsSupported(int bits) { return bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24; }

qint64 RowBytes(int width, int bits) { return (qint64(width) * bits + 31) / 32 * 4; }

int PaletteEntries(int bits) { return bits <= 8 ? 1 << bits : 0; }

qint64 FileSize(QSize size, int bits)
{
    return kFileHeaderSize + kInfoHeaderSize + 4 * PaletteEntries(bits) + RowBytes(size.width(), bits) * size.height();
}

QVector<QRgb> Palette(int bits, const TColors2D& colours)
{
    QVector<QRgb> palette;
    if (bits == 1)
        return {0xFF000000, 0xFFFFFFFF};
    if (bits == 4)
        return QVector<QRgb>(kVga.begin(), kVga.end());
    if (bits != 8)
        return palette;
    const auto add = [&palette](QRgb c) {
        c |= 0xFF000000;
        if (!palette.contains(c))
            palette.push_back(c);
    };
    for (const TProfile& p : colours.Profiles) {
        for (const TColor c : {p.BackColor, p.BorderColor, p.Font.Color})
            if (palette.size() < kProfileEntries)
                add(ProfileColor(c).rgb());
    }
    for (int r = 0; r < 6; ++r)
        for (int g = 0; g < 6; ++g)
            for (int b = 0; b < 6; ++b)
                add(qRgb(r * 51, g * 51, b * 51));
    // Greys between the cube's steps, then whatever the profile left free.
    for (int level = 8; palette.size() < 256 && level < 256; level += 8)
        add(qRgb(level, level, level));
    while (palette.size() < 256)
        palette.push_back(0xFF000000);
    return palette;
}

}  // namespace BmpFile

TPaletteMatcher::TPaletteMatcher(QVector<QRgb> palette) : palette_(std::move(palette)) {}

int TPaletteMatcher::Index(QRgb colour)
{
    colour |= 0xFF000000;
    const auto found = known_.find(colour);
    if (found != known_.end())
        return found->second;
    int best = 0;
    int bestDistance = INT_MAX;
    for (int i = 0; i < palette_.size(); ++i) {
        // Weighted as the eye sees: green counts most, blue least.
        const int dr = qRed(colour) - qRed(palette_[i]);
        const int dg = qGreen(colour) - qGreen(palette_[i]);
        const int db = qBlue(colour) - qBlue(palette_[i]);
        const int d = 3 * dr * dr + 4 * dg * dg + 2 * db * db;
        if (d < bestDistance) {
            bestDistance = d;
            best = i;
        }
    }
    known_.emplace(colour, best);
    return best;
}

TBmpWriter::TBmpWriter(QIODevice& device, QSize size, int bits, const QVector<QRgb>& palette)
    : device_(device), size_(size), bits_(bits), matcher_(palette)
{
    const int entries = BmpFile::PaletteEntries(bits);
    const qint64 imageBytes = BmpFile::RowBytes(size.width(), bits) * size.height();
    std::vector<uchar> head;
    // BITMAPFILEHEADER
    head.push_back('B');
    head.push_back('M');
    Little<quint32>(head, quint32(BmpFile::FileSize(size, bits)));
    Little<quint32>(head, 0);
    Little<quint32>(head, quint32(BmpFile::kFileHeaderSize + BmpFile::kInfoHeaderSize + 4 * entries));
    // BITMAPINFOHEADER: positive height, so rows are stored bottom-up.
    Little<quint32>(head, BmpFile::kInfoHeaderSize);
    Little<qint32>(head, size.width());
    Little<qint32>(head, size.height());
    Little<quint16>(head, 1);
    Little<quint16>(head, quint16(bits));
    Little<quint32>(head, 0);  // BI_RGB
    Little<quint32>(head, quint32(imageBytes));
    Little<qint32>(head, 3780);  // 96 dpi in pixels per metre
    Little<qint32>(head, 3780);
    Little<quint32>(head, quint32(entries));
    Little<quint32>(head, 0);
    for (int i = 0; i < entries; ++i) {
        const QRgb c = i < palette.size() ? palette[i] : 0;
        head.push_back(uchar(qBlue(c)));
        head.push_back(uchar(qGreen(c)));
        head.push_back(uchar(qRed(c)));
        head.push_back(0);
    }
    Put(reinterpret_cast<const char*>(head.data()), qint64(head.size()));
    row_.assign(size_t(BmpFile::RowBytes(size.width(), bits)), 0);
}

void TBmpWriter::Put(const char* data, qint64 size)
{
    if (ok_ && device_.write(data, size) != size)
        ok_ = false;
}

void TBmpWriter::WriteRow(const QRgb* pixels)
{
    const int w = size_.width();
    uchar* out = row_.data();
    std::fill(row_.begin(), row_.end(), 0);
    switch (bits_) {
    case 24:
        for (int x = 0; x < w; ++x) {
            *out++ = uchar(qBlue(pixels[x]));
            *out++ = uchar(qGreen(pixels[x]));
            *out++ = uchar(qRed(pixels[x]));
        }
        break;
    case 16:
        for (int x = 0; x < w; ++x) {
            const quint16 v = quint16(((qRed(pixels[x]) >> 3) << 10) | ((qGreen(pixels[x]) >> 3) << 5) | (qBlue(pixels[x]) >> 3));
            *out++ = uchar(v & 0xFF);
            *out++ = uchar(v >> 8);
        }
        break;
    default: {
        // Indices packed from the high bits of each byte down; a run of one colour is looked
        // up once.
        const int perByte = 8 / bits_;
        QRgb last = pixels[0] ^ 1;
        int index = 0;
        for (int x = 0; x < w; ++x) {
            if (pixels[x] != last) {
                last = pixels[x];
                index = matcher_.Index(last);
            }
            const int shift = (perByte - 1 - x % perByte) * bits_;
            out[x / perByte] |= uchar(index << shift);
        }
        break;
    }
    }
    Put(reinterpret_cast<const char*>(row_.data()), qint64(row_.size()));
}
