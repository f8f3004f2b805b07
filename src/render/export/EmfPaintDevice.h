#pragma once

// A paint device that records what a QPainter draws as an enhanced metafile (EMF): pens,
// brushes, fonts (turned text as the font's escapement), polylines, polygons, ellipses,
// UTF-16 text, clipping and bitmaps. One pixel of the device is 16 logical units of the
// metafile, so fractional coordinates keep their place; the reference device is 96 dpi.

#include <QByteArray>
#include <QPaintDevice>
#include <QSize>
#include <QString>

#include <memory>

class TEmfPaintEngine;

class TEmfPaintDevice : public QPaintDevice {
public:
    // The picture's size in pixels, and the description the header carries (the program and
    // the picture's name).
    TEmfPaintDevice(QSize size, const QString& application, const QString& title);
    ~TEmfPaintDevice() override;

    QPaintEngine* paintEngine() const override;
    // The whole metafile once the painter has ended; empty before.
    QByteArray Bytes() const;

protected:
    int metric(PaintDeviceMetric metric) const override;

private:
    QSize size_;
    std::unique_ptr<TEmfPaintEngine> engine_;
};
