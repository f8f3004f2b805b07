#include "render/export/EmfPaintEngine.h"

#include <QFontMetricsF>
#include <QImage>
#include <QPixmap>
#include <QTextItem>

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstring>

namespace {

// Record types.
enum : quint32 {
    EMR_HEADER = 1,
    EMR_POLYGON = 3,
    EMR_POLYLINE = 4,
    EMR_POLYPOLYLINE = 7,
    EMR_POLYPOLYGON = 8,
    EMR_SETWINDOWEXTEX = 9,
    EMR_SETWINDOWORGEX = 10,
    EMR_SETVIEWPORTEXTEX = 11,
    EMR_SETVIEWPORTORGEX = 12,
    EMR_EOF = 14,
    EMR_SETMAPMODE = 17,
    EMR_SETBKMODE = 18,
    EMR_SETPOLYFILLMODE = 19,
    EMR_SETTEXTALIGN = 22,
    EMR_SETTEXTCOLOR = 24,
    EMR_INTERSECTCLIPRECT = 30,
    EMR_SELECTOBJECT = 37,
    EMR_CREATEBRUSHINDIRECT = 39,
    EMR_DELETEOBJECT = 40,
    EMR_ELLIPSE = 42,
    EMR_BEGINPATH = 59,
    EMR_ENDPATH = 60,
    EMR_SELECTCLIPPATH = 67,
    EMR_EXTSELECTCLIPRGN = 75,
    EMR_STRETCHDIBITS = 81,
    EMR_EXTCREATEFONTINDIRECTW = 82,
    EMR_EXTTEXTOUTW = 84,
    EMR_EXTCREATEPEN = 95,
};

constexpr quint32 kPenSlot = 1;
constexpr quint32 kBrushSlot = 2;
constexpr quint32 kFontSlot = 3;
constexpr quint32 kHandles = 4;  // slot 0 is reserved for the metafile itself
constexpr quint32 kNullBrush = 0x80000005;
constexpr quint32 kNullPen = 0x80000008;
constexpr quint32 kSystemFont = 0x8000000D;

constexpr int kHeaderSize = 108;  // EMR_HEADER with both extensions
// The reference device: 1920×1440 pixels on 508×381 mm is 96 dpi exactly.
constexpr QSize kRefPixels(1920, 1440);
constexpr QSize kRefMillimetres(508, 381);

quint32 ColorRef(const QColor& c) { return quint32(c.red()) | quint32(c.green()) << 8 | quint32(c.blue()) << 16; }

bool Invisible(const QColor& c) { return c.alpha() == 0; }

QRect DeviceBounds(const QRectF& r)
{
    return QRect(QPoint(int(std::floor(r.left())), int(std::floor(r.top()))),
                 QPoint(int(std::ceil(r.right())), int(std::ceil(r.bottom()))));
}

}  // namespace

// One record being built: little-endian fields, padded to four bytes, its size set at the end.
class TEmfPaintEngine::Record {
public:
    explicit Record(quint32 type)
    {
        U32(type);
        U32(0);
    }
    void U32(quint32 v) { Raw(&v, 4); }
    void I32(qint32 v) { Raw(&v, 4); }
    void U16(quint16 v) { Raw(&v, 2); }
    void U8(quint8 v) { data_.append(char(v)); }
    void F32(float v) { Raw(&v, 4); }
    void Point(QPoint p)
    {
        I32(p.x());
        I32(p.y());
    }
    // Inclusive on every side, as the records keep rectangles.
    void Rect(const QRect& r)
    {
        I32(r.left());
        I32(r.top());
        I32(r.right());
        I32(r.bottom());
    }
    void Utf16(const QString& text)
    {
        for (const QChar c : text)
            U16(c.unicode());
    }
    void Bytes(const char* data, qsizetype size) { data_.append(data, size); }
    void Pad()
    {
        while (data_.size() % 4)
            data_.append('\0');
    }
    qsizetype Size() const { return data_.size(); }
    // Sets the size field and hands over the bytes.
    QByteArray Finish()
    {
        Pad();
        const quint32 size = quint32(data_.size());
        std::memcpy(data_.data() + 4, &size, 4);
        return std::move(data_);
    }

private:
    // The metafile is little-endian, as every machine this runs on.
    void Raw(const void* p, int n) { data_.append(static_cast<const char*>(p), n); }
    QByteArray data_;
};

TEmfPaintEngine::TEmfPaintEngine(QSize size, const QString& application, const QString& title)
    : QPaintEngine(QPaintEngine::AllFeatures), size_(size), application_(application), title_(title)
{
}

void TEmfPaintEngine::Emit(Record& record)
{
    bytes_.append(record.Finish());
    ++records_;
}

QPoint TEmfPaintEngine::Logical(QPointF device) const
{
    // Far outside any picture (or not a number): pinned well inside 32-bit coordinates.
    const auto unit = [](double v) {
        constexpr double kFar = 1 << 30;
        return std::isfinite(v) ? int(std::lround(std::clamp(v * kUnits, -kFar, kFar))) : 0;
    };
    return QPoint(unit(device.x()), unit(device.y()));
}

double TEmfPaintEngine::LinearScale() const { return std::sqrt(std::abs(matrix_.determinant())); }

void TEmfPaintEngine::WriteHeader()
{
    Record r(EMR_HEADER);
    r.Rect(QRect(QPoint(0, 0), size_));  // bounds in device pixels
    // The frame in hundredths of a millimetre.
    r.Rect(QRect(0, 0, qRound(size_.width() * 2540.0 / kDpi), qRound(size_.height() * 2540.0 / kDpi)));
    r.U32(0x464D4520);  // " EMF"
    r.U32(0x10000);
    r.U32(0);  // file size, set at the end
    r.U32(0);  // records, set at the end
    r.U16(quint16(kHandles));
    r.U16(0);
    const QString description = application_ + QChar(0) + title_ + QChar(0) + QChar(0);
    r.U32(quint32(description.size()));
    r.U32(kHeaderSize);
    r.U32(0);  // palette entries
    r.I32(kRefPixels.width());
    r.I32(kRefPixels.height());
    r.I32(kRefMillimetres.width());
    r.I32(kRefMillimetres.height());
    r.U32(0);  // no pixel format
    r.U32(0);
    r.U32(0);  // no OpenGL
    r.I32(kRefMillimetres.width() * 1000);
    r.I32(kRefMillimetres.height() * 1000);
    Q_ASSERT(r.Size() == kHeaderSize);
    r.Utf16(description);
    Emit(r);

    const auto pair = [this](quint32 type, qint32 a, qint32 b) {
        Record s(type);
        s.I32(a);
        s.I32(b);
        Emit(s);
    };
    const auto one = [this](quint32 type, quint32 value) {
        Record s(type);
        s.U32(value);
        Emit(s);
    };
    one(EMR_SETMAPMODE, 8);  // MM_ANISOTROPIC: kUnits logical units to a pixel
    pair(EMR_SETWINDOWORGEX, 0, 0);
    pair(EMR_SETWINDOWEXTEX, size_.width() * kUnits, size_.height() * kUnits);
    pair(EMR_SETVIEWPORTORGEX, 0, 0);
    pair(EMR_SETVIEWPORTEXTEX, size_.width(), size_.height());
    one(EMR_SETBKMODE, 1);      // TRANSPARENT
    one(EMR_SETTEXTALIGN, 24);  // TA_BASELINE | TA_LEFT | TA_NOUPDATECP
}

bool TEmfPaintEngine::begin(QPaintDevice* device)
{
    device_ = device;
    bytes_.clear();
    records_ = 0;
    penKey_.clear();
    brushKey_.clear();
    fontKey_.clear();
    selectedPen_ = selectedBrush_ = -1;
    fillMode_ = 0;
    textColourSet_ = false;
    clipEnabled_ = clipped_ = emittedClip_ = false;
    WriteHeader();
    setActive(true);
    return true;
}

bool TEmfPaintEngine::end()
{
    const auto one = [this](quint32 type, quint32 value) {
        Record s(type);
        s.U32(value);
        Emit(s);
    };
    // Leave no object of ours selected, then free them.
    one(EMR_SELECTOBJECT, kNullPen);
    one(EMR_SELECTOBJECT, kNullBrush);
    one(EMR_SELECTOBJECT, kSystemFont);
    if (!penKey_.isEmpty())
        one(EMR_DELETEOBJECT, kPenSlot);
    if (!brushKey_.isEmpty())
        one(EMR_DELETEOBJECT, kBrushSlot);
    if (!fontKey_.isEmpty())
        one(EMR_DELETEOBJECT, kFontSlot);
    Record eof(EMR_EOF);
    eof.U32(0);   // palette entries
    eof.U32(16);  // where they would start
    eof.U32(20);  // this record's size, last in the file
    Emit(eof);

    const quint32 total = quint32(bytes_.size());
    std::memcpy(bytes_.data() + 48, &total, 4);
    std::memcpy(bytes_.data() + 52, &records_, 4);
    setActive(false);
    return true;
}

void TEmfPaintEngine::updateState(const QPaintEngineState& state)
{
    const DirtyFlags flags = state.state();
    if (flags & DirtyTransform)
        matrix_ = state.transform();
    if (flags & DirtyPen)
        pen_ = state.pen();
    if (flags & DirtyBrush)
        brush_ = state.brush();
    if (flags & DirtyFont)
        font_ = state.font();
    bool clipChanged = false;
    if (flags & (DirtyClipPath | DirtyClipRegion)) {
        QPainterPath path;
        if (flags & DirtyClipPath)
            path = matrix_.map(state.clipPath());
        else
            path.addRegion(state.clipRegion());
        if (flags & DirtyClipRegion)
            path = matrix_.map(path);
        switch (state.clipOperation()) {
        case Qt::NoClip:
            clipped_ = false;
            clip_ = QPainterPath();
            break;
        case Qt::ReplaceClip:
            clipped_ = true;
            clip_ = path;
            break;
        case Qt::IntersectClip:
            clip_ = clipped_ ? clip_.intersected(path) : path;
            clipped_ = true;
            break;
        }
        clipEnabled_ = clipped_;
        clipChanged = true;
    }
    if (flags & DirtyClipEnabled) {
        clipEnabled_ = state.isClipEnabled() && clipped_;
        clipChanged = true;
    }
    if (clipChanged)
        ApplyClip();
}

void TEmfPaintEngine::ApplyClip()
{
    if (!clipEnabled_ && !emittedClip_)
        return;
    // Back to no clip first, then the new one.
    Record reset(EMR_EXTSELECTCLIPRGN);
    reset.U32(0);
    reset.U32(5);  // RGN_COPY with no region
    Emit(reset);
    emittedClip_ = false;
    if (!clipEnabled_)
        return;
    emittedClip_ = true;
    const QList<QPolygonF> polygons = clip_.toFillPolygons();
    const QRectF box = clip_.boundingRect();
    const auto onCorner = [&box](QPointF p) {
        return (p.x() == box.left() || p.x() == box.right()) && (p.y() == box.top() || p.y() == box.bottom());
    };
    if (polygons.size() == 1 && polygons[0].size() == 5 && std::all_of(polygons[0].begin(), polygons[0].end(), onCorner)) {
        Record r(EMR_INTERSECTCLIPRECT);
        const QPoint a = Logical(box.topLeft());
        const QPoint b = Logical(box.bottomRight());
        // The right and bottom edges are outside the clip.
        r.I32(a.x());
        r.I32(a.y());
        r.I32(b.x());
        r.I32(b.y());
        Emit(r);
        return;
    }
    Record begin(EMR_BEGINPATH);
    Emit(begin);
    std::vector<std::vector<QPoint>> shapes;
    for (const QPolygonF& polygon : polygons) {
        std::vector<QPoint> points;
        for (const QPointF& p : polygon)
            points.push_back(Logical(p));
        shapes.push_back(std::move(points));
    }
    PolyPolygon(shapes);
    Record endPath(EMR_ENDPATH);
    Emit(endPath);
    Record select(EMR_SELECTCLIPPATH);
    select.U32(5);  // RGN_COPY
    Emit(select);
}

// Pens, brushes and fonts each live in one slot of the handle table: an object unlike the one
// there replaces it (the stock object is selected while the old one is deleted), and the slot
// is selected unless it is already.
void TEmfPaintEngine::Select(const QByteArray& create, QByteArray& current, quint32 slot, quint32 stock, int& selected)
{
    if (create != current) {
        if (!current.isEmpty()) {
            Record deselect(EMR_SELECTOBJECT);
            deselect.U32(stock);
            Emit(deselect);
            Record del(EMR_DELETEOBJECT);
            del.U32(slot);
            Emit(del);
        }
        bytes_.append(create);
        ++records_;
        current = create;
        selected = -1;
    }
    if (selected != 1) {
        Record r(EMR_SELECTOBJECT);
        r.U32(slot);
        Emit(r);
        selected = 1;
    }
}

void TEmfPaintEngine::UsePen(bool nullPen)
{
    const bool none = nullPen || pen_.style() == Qt::NoPen || Invisible(pen_.color());
    if (none) {
        if (selectedPen_ != 0) {
            Record r(EMR_SELECTOBJECT);
            r.U32(kNullPen);
            Emit(r);
            selectedPen_ = 0;
        }
        return;
    }
    const double scale = pen_.isCosmetic() ? 1.0 : LinearScale();
    const double widthPx = pen_.widthF() <= 0 ? 1.0 : pen_.widthF() * scale;
    const qint32 width = std::max(1, qRound(widthPx * kUnits));
    quint32 style = 0x10000;  // PS_GEOMETRIC
    switch (pen_.capStyle()) {
    case Qt::RoundCap:
        break;
    case Qt::SquareCap:
        style |= 0x100;
        break;
    default:
        style |= 0x200;
    }
    switch (pen_.joinStyle()) {
    case Qt::RoundJoin:
        break;
    case Qt::BevelJoin:
        style |= 0x1000;
        break;
    default:
        style |= 0x2000;
    }
    std::vector<quint32> dashes;
    if (pen_.style() != Qt::SolidLine) {
        style |= 7;  // PS_USERSTYLE: the dashes in logical units, as Qt lays them out
        const double unit = std::max(1.0, widthPx) * kUnits;
        for (const qreal d : pen_.dashPattern())
            dashes.push_back(quint32(std::max(1L, std::lround(d * unit))));
        if (dashes.size() % 2)
            dashes.push_back(dashes.back());
    }
    Record create(EMR_EXTCREATEPEN);
    create.U32(kPenSlot);
    create.U32(0);  // no brush bitmap
    create.U32(0);
    create.U32(0);
    create.U32(0);
    create.U32(style);
    create.U32(quint32(width));
    create.U32(0);  // BS_SOLID
    create.U32(ColorRef(pen_.color()));
    create.U32(0);
    create.U32(quint32(dashes.size()));
    for (const quint32 d : dashes)
        create.U32(d);
    Select(create.Finish(), penKey_, kPenSlot, kNullPen, selectedPen_);
}

void TEmfPaintEngine::UseBrush(bool nullBrush)
{
    const bool none = nullBrush || brush_.style() == Qt::NoBrush || Invisible(brush_.color());
    if (none) {
        if (selectedBrush_ != 0) {
            Record r(EMR_SELECTOBJECT);
            r.U32(kNullBrush);
            Emit(r);
            selectedBrush_ = 0;
        }
        return;
    }
    quint32 style = 0;  // BS_SOLID
    quint32 hatch = 0;
    switch (brush_.style()) {
    case Qt::HorPattern:
        style = 2, hatch = 0;
        break;
    case Qt::VerPattern:
        style = 2, hatch = 1;
        break;
    case Qt::FDiagPattern:
        style = 2, hatch = 2;
        break;
    case Qt::BDiagPattern:
        style = 2, hatch = 3;
        break;
    case Qt::CrossPattern:
        style = 2, hatch = 4;
        break;
    case Qt::DiagCrossPattern:
        style = 2, hatch = 5;
        break;
    default:
        break;
    }
    QColor colour = brush_.color();
    if (brush_.gradient() && !brush_.gradient()->stops().isEmpty())
        colour = brush_.gradient()->stops().first().second;
    Record create(EMR_CREATEBRUSHINDIRECT);
    create.U32(kBrushSlot);
    create.U32(style);
    create.U32(ColorRef(colour));
    create.U32(hatch);
    const QByteArray key = create.Finish();
    Select(key, brushKey_, kBrushSlot, kNullBrush, selectedBrush_);
}

void TEmfPaintEngine::UseFont(const QFont& font, int escapement, double pixelHeight)
{
    Record create(EMR_EXTCREATEFONTINDIRECTW);
    create.U32(kFontSlot);
    // LOGFONTW; a negative height is the character height without the internal leading.
    create.I32(-std::max(1, qRound(pixelHeight * kUnits)));
    create.I32(0);
    create.I32(escapement);
    create.I32(escapement);
    create.I32(std::clamp(int(font.weight()), 1, 1000));
    create.U8(font.italic() ? 1 : 0);
    create.U8(font.underline() ? 1 : 0);
    create.U8(font.strikeOut() ? 1 : 0);
    create.U8(1);  // DEFAULT_CHARSET: the text is Unicode
    create.U8(0);  // OUT_DEFAULT_PRECIS
    create.U8(0);  // CLIP_DEFAULT_PRECIS
    create.U8(4);  // ANTIALIASED_QUALITY
    create.U8(0);  // DEFAULT_PITCH | FF_DONTCARE
    const QString face = font.family().left(31);
    create.Utf16(face);
    for (qsizetype i = face.size(); i < 32; ++i)
        create.U16(0);
    int selected = 1;
    Select(create.Finish(), fontKey_, kFontSlot, kSystemFont, selected);
}

void TEmfPaintEngine::UseFillMode(bool winding)
{
    const int mode = winding ? 2 : 1;  // WINDING or ALTERNATE
    if (fillMode_ == mode)
        return;
    Record r(EMR_SETPOLYFILLMODE);
    r.U32(quint32(mode));
    Emit(r);
    fillMode_ = mode;
}

void TEmfPaintEngine::UseTextColour(QRgb colour)
{
    if (textColourSet_ && textColour_ == colour)
        return;
    Record r(EMR_SETTEXTCOLOR);
    r.U32(ColorRef(QColor(colour)));
    Emit(r);
    textColour_ = colour;
    textColourSet_ = true;
}

void TEmfPaintEngine::WritePoints(Record& record, const std::vector<QPoint>& points)
{
    for (const QPoint& p : points)
        record.Point(p);
}

namespace {

// The bounds of logical points in device pixels, inclusive.
QRect PixelBounds(const std::vector<std::vector<QPoint>>& shapes)
{
    int l = INT_MAX, t = INT_MAX, r = INT_MIN, b = INT_MIN;
    for (const auto& shape : shapes)
        for (const QPoint& p : shape) {
            l = std::min(l, p.x());
            t = std::min(t, p.y());
            r = std::max(r, p.x());
            b = std::max(b, p.y());
        }
    if (l > r)
        return QRect();
    const int u = TEmfPaintEngine::kUnits;
    return QRect(QPoint(int(std::floor(double(l) / u)), int(std::floor(double(t) / u))),
                 QPoint(int(std::ceil(double(r) / u)), int(std::ceil(double(b) / u))));
}

}  // namespace

void TEmfPaintEngine::Polygon(const std::vector<QPoint>& points, bool closed)
{
    if (points.size() < 2)
        return;
    Record r(closed ? EMR_POLYGON : EMR_POLYLINE);
    r.Rect(PixelBounds({points}));
    r.U32(quint32(points.size()));
    WritePoints(r, points);
    Emit(r);
}

void TEmfPaintEngine::PolyPolygon(const std::vector<std::vector<QPoint>>& polygons)
{
    if (polygons.size() == 1) {
        Polygon(polygons.front(), true);
        return;
    }
    quint32 total = 0;
    for (const auto& p : polygons)
        total += quint32(p.size());
    if (total == 0)
        return;
    Record r(EMR_POLYPOLYGON);
    r.Rect(PixelBounds(polygons));
    r.U32(quint32(polygons.size()));
    r.U32(total);
    for (const auto& p : polygons)
        r.U32(quint32(p.size()));
    for (const auto& p : polygons)
        WritePoints(r, p);
    Emit(r);
}

void TEmfPaintEngine::drawPath(const QPainterPath& path)
{
    if (path.isEmpty())
        return;
    const QList<QPolygonF> subpaths = path.toSubpathPolygons(matrix_);
    std::vector<std::vector<QPoint>> shapes;
    std::vector<bool> closed;
    for (const QPolygonF& polygon : subpaths) {
        std::vector<QPoint> points;
        for (const QPointF& p : polygon)
            points.push_back(Logical(p));
        if (points.size() < 2)
            continue;
        closed.push_back(polygon.isClosed());
        if (closed.back())
            points.pop_back();  // the polygon record closes the figure itself
        shapes.push_back(std::move(points));
    }
    if (shapes.empty())
        return;
    const bool fills = brush_.style() != Qt::NoBrush && !Invisible(brush_.color());
    const bool oneClosedFigure = shapes.size() == 1 && closed.front();
    if (oneClosedFigure) {
        UseFillMode(path.fillRule() == Qt::WindingFill);
        UsePen();
        UseBrush();
        Polygon(shapes.front(), true);
        return;
    }
    if (fills) {
        UseFillMode(path.fillRule() == Qt::WindingFill);
        UsePen(true);
        UseBrush();
        PolyPolygon(shapes);
    }
    UsePen();
    UseBrush(true);
    for (size_t i = 0; i < shapes.size(); ++i)
        Polygon(shapes[i], closed[i]);
}

void TEmfPaintEngine::drawPolygon(const QPointF* points, int count, PolygonDrawMode mode)
{
    std::vector<QPoint> logical;
    logical.reserve(size_t(count));
    for (int i = 0; i < count; ++i)
        logical.push_back(Logical(matrix_.map(points[i])));
    UsePen();
    if (mode == PolylineMode) {
        Polygon(logical, false);
        return;
    }
    UseFillMode(mode == WindingMode);
    UseBrush();
    Polygon(logical, true);
}

void TEmfPaintEngine::drawLines(const QLineF* lines, int count)
{
    if (count <= 0)
        return;
    UsePen();
    std::vector<std::vector<QPoint>> shapes;
    for (int i = 0; i < count; ++i)
        shapes.push_back({Logical(matrix_.map(lines[i].p1())), Logical(matrix_.map(lines[i].p2()))});
    if (count == 1) {
        Polygon(shapes.front(), false);
        return;
    }
    Record r(EMR_POLYPOLYLINE);
    r.Rect(PixelBounds(shapes));
    r.U32(quint32(count));
    r.U32(quint32(2 * count));
    for (int i = 0; i < count; ++i)
        r.U32(2);
    for (const auto& s : shapes)
        WritePoints(r, s);
    Emit(r);
}

void TEmfPaintEngine::drawRects(const QRectF* rects, int count)
{
    for (int i = 0; i < count; ++i) {
        const QRectF& r = rects[i];
        const QPointF corners[4] = {r.topLeft(), r.topRight(), r.bottomRight(), r.bottomLeft()};
        drawPolygon(corners, 4, OddEvenMode);
    }
}

void TEmfPaintEngine::drawEllipse(const QRectF& rect)
{
    if (matrix_.type() > QTransform::TxScale) {
        // Turned or sheared: as a polygon.
        QPainterPath path;
        path.addEllipse(rect);
        drawPath(path);
        return;
    }
    UsePen();
    UseBrush();
    const QRectF box = matrix_.mapRect(rect);
    Record r(EMR_ELLIPSE);
    const QPoint a = Logical(box.topLeft());
    const QPoint b = Logical(box.bottomRight());
    r.I32(a.x());
    r.I32(a.y());
    r.I32(b.x());
    r.I32(b.y());
    Emit(r);
}

void TEmfPaintEngine::drawTextItem(const QPointF& p, const QTextItem& item)
{
    const QString text = item.text();
    if (text.isEmpty() || pen_.style() == Qt::NoPen || Invisible(pen_.color()))
        return;
    const QFont font = item.font();
    const double scale = LinearScale();
    const double fontPixels =
        font.pixelSize() > 0 ? font.pixelSize() : font.pointSizeF() * (device_ ? device_->logicalDpiY() : kDpi) / 72.0;
    // The turn of the baseline, counter-clockwise on the picture, in tenths of a degree.
    const double degrees = std::atan2(matrix_.m12(), matrix_.m11()) * 180.0 / M_PI;
    int escapement = int(std::lround(-degrees * 10.0)) % 3600;
    if (escapement < 0)
        escapement += 3600;
    UseFont(font, escapement, fontPixels * scale);
    UseTextColour(pen_.color().rgb());

    // Each character's advance along the baseline, as Qt laid the text out.
    const QFontMetricsF metrics = device_ ? QFontMetricsF(font, device_) : QFontMetricsF(font);
    std::vector<qint32> dx;
    dx.reserve(size_t(text.size()));
    double placed = 0;
    qint64 placedUnits = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i].isHighSurrogate() && i + 1 < text.size()) {
            placed = metrics.horizontalAdvance(text.left(i + 2));
            const qint64 at = std::llround(placed * scale * kUnits);
            dx.push_back(qint32(at - placedUnits));
            dx.push_back(0);
            placedUnits = at;
            ++i;
            continue;
        }
        placed = metrics.horizontalAdvance(text.left(i + 1));
        const qint64 at = std::llround(placed * scale * kUnits);
        dx.push_back(qint32(at - placedUnits));
        placedUnits = at;
    }

    const QPoint reference = Logical(matrix_.map(p));
    const QRectF box(p.x(), p.y() - metrics.ascent(), std::max(item.width(), placed), metrics.height());
    Record r(EMR_EXTTEXTOUTW);
    r.Rect(DeviceBounds(matrix_.mapRect(box)));
    r.U32(1);  // GM_COMPATIBLE: the escapement turns the text
    // Hundredths of a millimetre per logical unit.
    const float perUnit = float(2540.0 / kDpi / kUnits);
    r.F32(perUnit);
    r.F32(perUnit);
    r.Point(reference);
    r.U32(quint32(text.size()));
    const quint32 stringAt = 76;
    const quint32 stringBytes = quint32((text.size() * 2 + 3) / 4 * 4);
    r.U32(stringAt);
    r.U32(0);  // no options
    r.Rect(QRect(QPoint(0, 0), QPoint(-1, -1)));
    r.U32(stringAt + stringBytes);
    r.Utf16(text);
    r.Pad();
    for (const qint32 d : dx)
        r.I32(d);
    Emit(r);
}

void TEmfPaintEngine::drawPixmap(const QRectF& target, const QPixmap& pixmap, const QRectF& source)
{
    drawImage(target, pixmap.toImage(), source, Qt::AutoColor);
}

void TEmfPaintEngine::drawImage(const QRectF& target, const QImage& image, const QRectF& source, Qt::ImageConversionFlags)
{
    const QImage part = image.copy(source.toAlignedRect()).convertToFormat(QImage::Format_RGB888);
    if (part.isNull())
        return;
    const int w = part.width();
    const int h = part.height();
    const quint32 rowBytes = quint32((w * 3 + 3) / 4 * 4);
    const QRectF box = matrix_.mapRect(target);
    const QPoint a = Logical(box.topLeft());
    const QPoint b = Logical(box.bottomRight());
    Record r(EMR_STRETCHDIBITS);
    r.Rect(DeviceBounds(box));
    r.I32(a.x());
    r.I32(a.y());
    r.I32(0);
    r.I32(0);
    r.I32(w);
    r.I32(h);
    r.U32(80);  // the bitmap header right after these fields
    r.U32(40);
    r.U32(120);
    r.U32(rowBytes * quint32(h));
    r.U32(0);           // DIB_RGB_COLORS
    r.U32(0x00CC0020);  // SRCCOPY
    r.I32(b.x() - a.x());
    r.I32(b.y() - a.y());
    // BITMAPINFOHEADER, 24 bits, bottom-up.
    r.U32(40);
    r.I32(w);
    r.I32(h);
    r.U16(1);
    r.U16(24);
    r.U32(0);
    r.U32(rowBytes * quint32(h));
    r.I32(3780);
    r.I32(3780);
    r.U32(0);
    r.U32(0);
    QByteArray row(rowBytes, '\0');
    for (int y = h - 1; y >= 0; --y) {
        const uchar* src = part.constScanLine(y);
        for (int x = 0; x < w; ++x) {
            row[3 * x] = char(src[3 * x + 2]);
            row[3 * x + 1] = char(src[3 * x + 1]);
            row[3 * x + 2] = char(src[3 * x]);
        }
        r.Bytes(row.constData(), row.size());
    }
    Emit(r);
}
