#pragma once

// Windows bitmaps of our own making, since Qt writes neither 4- nor 16-bit ones: 1, 4, 8, 16
// and 24 bits per pixel, BITMAPFILEHEADER + BITMAPINFOHEADER, uncompressed, rows bottom-up
// and padded to 4 bytes. 16 bits are 5-5-5 (the bitmap's default layout, no masks).
//
// Palettes: 1 bit black and white (the picture is drawn black on white for it); 4 bits the
// 16 classic VGA colours; 8 bits the profile's colours first, then a 6×6×6 colour cube, then
// greys up to 256 entries. Pixels take the nearest palette colour, without dithering, so the
// schema's lines and letters keep clean edges.

#include <QRgb>
#include <QSize>
#include <QVector>

#include <unordered_map>
#include <vector>

class QIODevice;
struct TColors2D;

namespace BmpFile {

inline constexpr int kFileHeaderSize = 14;
inline constexpr int kInfoHeaderSize = 40;

bool BitsSupported(int bits);
// Bytes in one stored row (padded to 4).
qint64 RowBytes(int width, int bits);
int PaletteEntries(int bits);
// The whole file's size in bytes.
qint64 FileSize(QSize size, int bits);

// The palette of a depth (empty for 16 and 24 bits).
QVector<QRgb> Palette(int bits, const TColors2D& colours);

}  // namespace BmpFile

// The nearest palette entry of a colour, remembered: a schema has few colours, so almost
// every pixel is a look-up.
class TPaletteMatcher {
public:
    explicit TPaletteMatcher(QVector<QRgb> palette);
    int Index(QRgb colour);

private:
    QVector<QRgb> palette_;
    std::unordered_map<QRgb, int> known_;
};

// Writes a bitmap row by row, bottom row first, to a device opened for writing.
class TBmpWriter {
public:
    // The palette must hold PaletteEntries(bits) colours.
    TBmpWriter(QIODevice& device, QSize size, int bits, const QVector<QRgb>& palette);
    // One row of 32-bit RGB pixels, width() of them; rows go from the bottom of the picture up.
    void WriteRow(const QRgb* pixels);
    // False once a write failed.
    bool Ok() const { return ok_; }

private:
    void Put(const char* data, qint64 size);

    QIODevice& device_;
    QSize size_;
    int bits_;
    TPaletteMatcher matcher_;
    std::vector<uchar> row_;
    bool ok_ = true;
};
