#pragma once

// JPEG pictures through libjpeg-turbo, fed row by row so a big picture is never held whole:
// quality 1…100, progressive or baseline, colour (three components) or grey (one), the
// accurate integer DCT, 96 dpi. A baseline picture streams through in a few rows; a
// progressive one keeps its DCT coefficients (2 bytes a sample, chroma at a quarter) until
// the end, as every progressive encoder must.

#include <QRgb>
#include <QSize>

#include <memory>

class QIODevice;

struct TJpegOptions {
    int Quality = 75;
    bool Progressive = false;
    bool Grey = false;
};

class TJpegWriter {
public:
    // Starts the picture on a device opened for writing.
    TJpegWriter(QIODevice& device, QSize size, const TJpegOptions& options);
    ~TJpegWriter();
    TJpegWriter(const TJpegWriter&) = delete;
    TJpegWriter& operator=(const TJpegWriter&) = delete;

    // Rows of 32-bit RGB pixels (QImage::Format_RGB32 scan lines), from the top down, each
    // bytesPerLine apart.
    void WriteRows(const uchar* first, qsizetype bytesPerLine, int count);
    // Ends the picture. False when the library or a write failed at any point.
    bool Finish();

private:
    struct State;
    std::unique_ptr<State> state_;
};
