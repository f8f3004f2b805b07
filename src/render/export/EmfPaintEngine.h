#pragma once

// The paint engine behind TEmfPaintDevice: every drawing call becomes EMF records. Pens,
// brushes and the font each keep one handle slot, re-created only when they change. Geometry
// is mapped through the painter's transform here; a turned font becomes the font's
// escapement, so text stays text in every reader.

#include <QByteArray>
#include <QFont>
#include <QPaintEngine>
#include <QPainterPath>
#include <QPen>
#include <QBrush>
#include <QSize>
#include <QString>
#include <QTransform>

#include <vector>

class TEmfPaintEngine : public QPaintEngine {
public:
    static constexpr int kDpi = 96;
    // Logical units of the metafile per device pixel.
    static constexpr int kUnits = 16;

    TEmfPaintEngine(QSize size, const QString& application, const QString& title);

    bool begin(QPaintDevice* device) override;
    bool end() override;
    void updateState(const QPaintEngineState& state) override;

    void drawPath(const QPainterPath& path) override;
    void drawPolygon(const QPointF* points, int count, PolygonDrawMode mode) override;
    void drawLines(const QLineF* lines, int count) override;
    void drawRects(const QRectF* rects, int count) override;
    void drawEllipse(const QRectF& rect) override;
    void drawTextItem(const QPointF& p, const QTextItem& item) override;
    void drawPixmap(const QRectF& target, const QPixmap& pixmap, const QRectF& source) override;
    void drawImage(const QRectF& target, const QImage& image, const QRectF& source,
                   Qt::ImageConversionFlags flags) override;
    Type type() const override { return QPaintEngine::User; }

    // The finished metafile (after end()).
    const QByteArray& Bytes() const { return bytes_; }

private:
    class Record;

    void Emit(Record& record);
    QPoint Logical(QPointF device) const;
    double LinearScale() const;
    void WriteHeader();
    void WritePoints(Record& record, const std::vector<QPoint>& points);

    // Select the current pen, brush or font, creating it when it changed; nullPen / nullBrush
    // select nothing to stroke or fill.
    void UsePen(bool nullPen = false);
    void UseBrush(bool nullBrush = false);
    void UseFont(const QFont& font, int escapement, double pixelHeight);
    void UseFillMode(bool winding);
    void UseTextColour(QRgb colour);
    void ApplyClip();

    void Polygon(const std::vector<QPoint>& points, bool closed);
    void PolyPolygon(const std::vector<std::vector<QPoint>>& polygons);

    QSize size_;
    QString application_;
    QString title_;
    QPaintDevice* device_ = nullptr;
    QByteArray bytes_;
    quint32 records_ = 0;

    QTransform matrix_;
    QPen pen_;
    QBrush brush_;
    QFont font_;
    bool clipEnabled_ = false;
    bool clipped_ = false;
    QPainterPath clip_;
    bool emittedClip_ = false;

    void Select(const QByteArray& create, QByteArray& current, quint32 slot, quint32 stock, int& selected);

    // What the handle slots hold and what is selected.
    QByteArray penKey_;
    QByteArray brushKey_;
    QByteArray fontKey_;
    int selectedPen_ = -1;    // 0 stock null, 1 the slot
    int selectedBrush_ = -1;
    int fillMode_ = 0;
    QRgb textColour_ = 0;
    bool textColourSet_ = false;
};
