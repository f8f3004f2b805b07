#include "render/export/EmfPaintDevice.h"

#include "render/export/EmfPaintEngine.h"

#include <climits>

TEmfPaintDevice::TEmfPaintDevice(QSize size, const QString& application, const QString& title)
    : size_(size), engine_(std::make_unique<TEmfPaintEngine>(size, application, title))
{
}

TEmfPaintDevice::~TEmfPaintDevice() = default;

QPaintEngine* TEmfPaintDevice::paintEngine() const { return engine_.get(); }

QByteArray TEmfPaintDevice::Bytes() const { return engine_->Bytes(); }

int TEmfPaintDevice::metric(PaintDeviceMetric metric) const
{
    constexpr int kDpi = TEmfPaintEngine::kDpi;
    switch (metric) {
    case PdmWidth:
        return size_.width();
    case PdmHeight:
        return size_.height();
    case PdmWidthMM:
        return qRound(size_.width() * 25.4 / kDpi);
    case PdmHeightMM:
        return qRound(size_.height() * 25.4 / kDpi);
    case PdmNumColors:
        return INT_MAX;
    case PdmDepth:
        return 24;
    case PdmDpiX:
    case PdmDpiY:
    case PdmPhysicalDpiX:
    case PdmPhysicalDpiY:
        return kDpi;
    case PdmDevicePixelRatio:
        return 1;
    case PdmDevicePixelRatioScaled:
        return int(devicePixelRatioFScale());
    }
    return 0;
}
