#include "render/export/DrawnObjectsJson.h"

#include "core/exchange/JsonWriter.h"
#include "core/model/Branch.h"
#include "core/model/Device.h"
#include "core/model/Uzel.h"

#include <cmath>
#include <unordered_map>
#include <vector>

namespace {

// Hundredths of a pixel are plenty and keep the numbers short.
double Rounded(double v) { return std::round(v * 100) / 100; }

// Each object once, where it was drawn last (on top): devices at nodes are drawn a second time
// above everything else.
template <typename Entry>
std::vector<Entry> Topmost(const std::vector<Entry>& drawn)
{
    std::vector<Entry> once;
    std::unordered_map<const void*, size_t> index;
    for (const Entry& e : drawn) {
        const auto [it, added] = index.try_emplace(e.Object, once.size());
        if (added)
            once.push_back(e);
        else
            once[it->second] = e;
    }
    return once;
}

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
    for (const TDrawnObjects::Uzel& u : Topmost(drawn.Uzels)) {
        w.BeginObject(true);
        w.Member("number", u.Object->Number());
        Point(w, "x", "y", u.At);
        w.EndObject();
    }
    w.EndArray();
    w.Key("branches");
    w.BeginArray();
    for (const TDrawnObjects::Branch& b : Topmost(drawn.Branches)) {
        w.BeginObject(true);
        w.Member("number", b.Object->Number());
        Point(w, "x1", "y1", b.From);
        Point(w, "x2", "y2", b.To);
        w.EndObject();
    }
    w.EndArray();
    w.Key("devices");
    w.BeginArray();
    for (const TDrawnObjects::Device& d : Topmost(drawn.Devices)) {
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
