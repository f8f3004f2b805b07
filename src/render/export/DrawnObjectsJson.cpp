#include "render/export/DrawnObjectsJson.h"

#include "core/exchange/JsonWriter.h"
#include "core/model/Branch.h"
#include "core/model/Device.h"
#include "core/model/Uzel.h"

#include <cmath>

namespace {

// Hundredths of a pixel are plenty and keep the numbers short.
double Rounded(double v) { return std::round(v * 100) / 100; }

void Point(JsonWriter& w, const char* x, const char* y, QPointF p)
{
    w.Member(x, Rounded(p.x()));
    w.Member(y, Rounded(p.y()));
}

}  // namespace

namespace DrawnObjectsJson {

QByteArray Encode(const TDrawnObjects& drawn, QSize picture, double scale)
{
    JsonWriter w;
    w.BeginObject();
    w.Member("width", picture.width());
    w.Member("height", picture.height());
    w.Member("scale", scale);
    w.Key("nodes");
    w.BeginArray();
    for (const TDrawnObjects::Uzel& u : drawn.Uzels) {
        w.BeginObject(true);
        w.Member("number", u.Object->Number());
        Point(w, "x", "y", u.At);
        w.EndObject();
    }
    w.EndArray();
    w.Key("branches");
    w.BeginArray();
    for (const TDrawnObjects::Branch& b : drawn.Branches) {
        w.BeginObject(true);
        w.Member("number", b.Object->Number());
        Point(w, "x1", "y1", b.From);
        Point(w, "x2", "y2", b.To);
        w.EndObject();
    }
    w.EndArray();
    w.Key("devices");
    w.BeginArray();
    for (const TDrawnObjects::Device& d : drawn.Devices) {
        w.BeginObject(true);
        w.Member("kind", d.Object->GetKind());
        w.Member("number", d.Object->Number());
        Point(w, "x", "y", d.At);
        w.EndObject();
    }
    w.EndArray();
    w.EndObject();
    return w.Take();
}

}  // namespace DrawnObjectsJson
