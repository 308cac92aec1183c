#include "support/hidden_edges.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <set>
#include <string>
#include <tuple>

#include <QBuffer>
#include <QColor>
#include <QPainter>
#include <QSvgGenerator>
#include <QSvgRenderer>

#include <gtest/gtest.h>

#include "qtpaint/qt_painter_surface.h"

namespace solifa::test {
namespace {

using Key = std::tuple<int, int, int, int>;

Key KeyOf(const PolyPoint& a, const PolyPoint& b) {
    const bool aFirst = a.y < b.y || (a.y == b.y && a.x <= b.x);
    const PolyPoint& p = aFirst ? a : b;
    const PolyPoint& q = aFirst ? b : a;
    return {p.x, p.y, q.x, q.y};
}

// Collects the segments of every outline the painter asks for.
class SegmentSurface : public DrawingSurface {
public:
    std::set<Key> segments;
    void setFillStyle(int) override {}
    void setFillColor(ColorRef) override {}
    void setForeColor(ColorRef) override {}
    void setDrawStyle(DrawStyle) override {}
    void setPolyFillMode(int) override {}
    void polygon(const PolyPoint* p, int count) override { add(p, count, true); }
    void polyline(const PolyPoint* p, int count) override { add(p, count, false); }
    void fillPolygon(const PolyPoint*, int) override {}

private:
    void add(const PolyPoint* p, int count, bool closed) {
        const int n = closed ? count : count - 1;
        for (int i = 0; i < n; ++i) {
            const PolyPoint& a = p[i];
            const PolyPoint& b = p[(i + 1) % count];
            if (a.x != b.x || a.y != b.y)
                segments.insert(KeyOf(a, b));
        }
    }
};

std::set<Key> SegmentsOfPass(const PaintInput& in, const AppearanceSource& appearance, int pass) {
    FixedAppearance look;
    for (int g = 0; g < 2; ++g)
        look.groups[g] = appearance.group(g);
    look.capStyle = appearance.caps();
    look.groups[1 - pass].visible = false;
    look.groups[pass].visible = true;
    SegmentSurface surface;
    std::array<PolyPoint, kPolyPointCount> buffer{};
    PaintBody(surface, in, look, buffer);
    return surface.segments;
}

double Ink(const QImage& image, int x, int y) {
    if (x < 0 || y < 0 || x >= image.width() || y >= image.height())
        return 0;
    const QColor c = image.pixelColor(x, y);
    return 1.0 - std::max({c.red(), c.green(), c.blue()}) / 255.0;
}

bool BlueLine(const QImage& image, int x, int y) {
    if (x < 0 || y < 0 || x >= image.width() || y >= image.height())
        return false;
    const QColor c = image.pixelColor(x, y);
    return c.blue() > c.red() + 60 && c.blue() > c.green() + 60;
}

} // namespace

BodyEdges EdgesOf(const PaintInput& in, const AppearanceSource& appearance) {
    const std::set<Key> back = SegmentsOfPass(in, appearance, 0);
    const std::set<Key> front = SegmentsOfPass(in, appearance, 1);
    BodyEdges edges;
    for (const auto& [x1, y1, x2, y2] : back)
        if (!front.count({x1, y1, x2, y2}))
            edges.hidden.push_back({{x1, y1}, {x2, y2}});
    std::set<Key> all = back;
    all.insert(front.begin(), front.end());
    for (const auto& [x1, y1, x2, y2] : all)
        edges.all.push_back({{x1, y1}, {x2, y2}});
    return edges;
}

namespace {

double DistanceToSegment(double px, double py, const Edge& e) {
    const double ax = e.a.x, ay = e.a.y, dx = e.b.x - ax, dy = e.b.y - ay;
    const double len2 = dx * dx + dy * dy;
    const double t = len2 > 0 ? std::clamp(((px - ax) * dx + (py - ay) * dy) / len2, 0.0, 1.0) : 0;
    return std::hypot(px - (ax + t * dx), py - (ay + t * dy));
}

bool SameEdge(const Edge& a, const Edge& b) {
    return KeyOf(a.a, a.b) == KeyOf(b.a, b.b);
}

} // namespace

namespace {

constexpr int kLeftOut = -1;

// One sample per pixel along the edge's longer axis: 1 where a pixel on or next to the line is
// at least half black, 0 where none is, kLeftOut within `nearOthers` pixels of another edge or
// where a blue line crosses.
std::vector<int> EdgeSamples(const QImage& image, const Edge& edge, const std::vector<Edge>& others,
                             int offsetX, int offsetY, double nearOthers) {
    std::vector<Edge> near;
    for (const Edge& o : others)
        if (!SameEdge(o, edge))
            near.push_back(o);
    const double x1 = edge.a.x + offsetX, y1 = edge.a.y + offsetY;
    const double x2 = edge.b.x + offsetX, y2 = edge.b.y + offsetY;
    const bool alongX = std::abs(x2 - x1) >= std::abs(y2 - y1);
    const int length = static_cast<int>(std::max(std::abs(x2 - x1), std::abs(y2 - y1)));
    std::vector<int> samples;
    for (int t = 0; t <= length; ++t) {
        const double f = static_cast<double>(t) / length;
        const double major = alongX ? x1 + (x2 - x1) * f : y1 + (y2 - y1) * f;
        const double minor = alongX ? y1 + (y2 - y1) * f : x1 + (x2 - x1) * f;
        const double ex = edge.a.x + (edge.b.x - edge.a.x) * f;
        const double ey = edge.a.y + (edge.b.y - edge.a.y) * f;
        samples.push_back(kLeftOut);
        if (std::any_of(near.begin(), near.end(),
                        [&](const Edge& o) { return DistanceToSegment(ex, ey, o) < nearOthers; }))
            continue;
        const int maj = static_cast<int>(std::lround(major));
        double ink = 0;
        bool crossed = false;
        for (int k = static_cast<int>(std::floor(minor)) - 1; k <= std::ceil(minor) + 1; ++k) {
            // The neighbours beyond floor and ceil only count when the line runs close.
            if (std::abs(k - minor) > 1.0)
                continue;
            const int x = alongX ? maj : k;
            const int y = alongX ? k : maj;
            ink = std::max(ink, Ink(image, x, y));
            crossed = crossed || BlueLine(image, x, y);
        }
        if (!crossed)
            samples.back() = ink >= 0.5;
    }
    return samples;
}

} // namespace

InkMeasure InkedShare(const QImage& image, const Edge& edge, const std::vector<Edge>& others,
                      int offsetX, int offsetY) {
    InkMeasure m;
    int inked = 0;
    for (const int sample : EdgeSamples(image, edge, others, offsetX, offsetY, 2.5)) {
        m.samples += sample != kLeftOut;
        inked += sample == 1;
    }
    m.share = m.samples > 0 ? static_cast<double>(inked) / m.samples : 0;
    return m;
}

double PatternDuty(DrawStyle style) {
    switch (style) {
    case Dash:
        return 4.0 / 6.0;
    case Dot:
        return 1.0 / 3.0;
    case DashDot:
        return 5.0 / 9.0;
    case DashDotDot:
        return 6.0 / 12.0;
    case Solid:
        break;
    }
    return 1.0;
}

QImage Rasterised(const Painting& paint, QSize size, bool viaSvg) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    if (!viaSvg) {
        paint(&image);
        return image;
    }
    QBuffer out;
    out.open(QIODevice::WriteOnly);
    {
        QSvgGenerator svg;
        svg.setOutputDevice(&out);
        svg.setSize(size);
        svg.setViewBox(QRect(QPoint(0, 0), size));
        paint(&svg);
    }
    QSvgRenderer renderer(out.data());
    QPainter painter(&image);
    renderer.render(&painter, QRectF(QPointF(0, 0), size));
    return image;
}

namespace {

// One stroke of the edge alone, on a picture just large enough.
InkMeasure SingleStroke(const Edge& e, const std::vector<Edge>& others, DrawStyle style,
                        bool viaSvg, int lineWidth) {
    const int margin = 4 + lineWidth;
    const int left = std::min(e.a.x, e.b.x) - margin;
    const int top = std::min(e.a.y, e.b.y) - margin;
    const QSize size(std::abs(e.a.x - e.b.x) + 2 * margin, std::abs(e.a.y - e.b.y) + 2 * margin);
    const QImage image = Rasterised(
        [&](QPaintDevice* device) {
            QtPainterSurface surface(device, lineWidth);
            surface.setForeColor(MakeColorRef(0, 0, 0));
            surface.setDrawStyle(style);
            const PolyPoint line[2] = {{e.a.x - left, e.a.y - top}, {e.b.x - left, e.b.y - top}};
            surface.polyline(line, 2);
        },
        size, viaSvg);
    return InkedShare(image, e, others, -left, -top);
}

} // namespace

int ExpectPatternOnHiddenEdges(const QImage& image, const BodyEdges& edges, DrawStyle style,
                               bool viaSvg, QPoint offset, int lineWidth) {
    const double duty = PatternDuty(style);
    int checked = 0;
    for (const Edge& e : edges.hidden) {
        const InkMeasure m = InkedShare(image, e, edges.all, offset.x(), offset.y());
        if (m.samples < 12)
            continue;
        ++checked;
        const InkMeasure alone = SingleStroke(e, edges.all, style, viaSvg, lineWidth);
        const std::string where = std::string(viaSvg ? "svg" : "bitmap") + ": edge (" +
                                  std::to_string(e.a.x) + "," + std::to_string(e.a.y) + ")-(" +
                                  std::to_string(e.b.x) + "," + std::to_string(e.b.y) + "), " +
                                  std::to_string(m.samples) + " samples";
        EXPECT_NEAR(m.share, alone.share, 0.08) << where;
        // Antialiased dots of a drawing spread over neighbouring pixels; the bitmap's do not.
        if (!viaSvg && m.samples >= 30) {
            EXPECT_NEAR(m.share, duty, 0.12) << where;
        }
    }
    return checked;
}

namespace {

// A sample at which a dash begins: inked after one that is not. Clear when the two samples
// either side are measured too, so that a start one sample off in another picture is seen.
struct DashStart {
    int at;
    bool clear;
};

std::vector<DashStart> DashStarts(const std::vector<int>& samples) {
    std::vector<DashStart> starts;
    const int n = static_cast<int>(samples.size());
    for (int t = 1; t < n; ++t) {
        if (samples[t] != 1 || samples[t - 1] != 0)
            continue;
        bool clear = t >= 2 && t + 2 < n;
        for (int u = std::max(0, t - 2); clear && u <= t + 2; ++u)
            clear = samples[u] != kLeftOut;
        starts.push_back({t, clear});
    }
    return starts;
}

// Every clear start of `from` has a start of `in` at most one sample away; the count compared.
int ExpectStartsIn(const std::vector<DashStart>& from, const std::vector<DashStart>& in,
                   const std::string& where) {
    int compared = 0;
    for (const DashStart& s : from) {
        if (!s.clear)
            continue;
        ++compared;
        EXPECT_TRUE(std::any_of(in.begin(), in.end(),
                                [&](const DashStart& o) { return std::abs(o.at - s.at) <= 1; }))
            << where << ": a dash begins at sample " << s.at;
    }
    return compared;
}

} // namespace

int ExpectDashesWhereTheBitmapHasThem(const QImage& bitmap, const QImage& drawing,
                                      const BodyEdges& edges, int lineWidth) {
    // A wide line inks half its width beside its middle, and rounds its ends as far.
    const double nearOthers = lineWidth + 2.5;
    int compared = 0;
    for (const Edge& e : edges.hidden) {
        const std::vector<DashStart> inBitmap =
            DashStarts(EdgeSamples(bitmap, e, edges.all, 0, 0, nearOthers));
        const std::vector<DashStart> inDrawing =
            DashStarts(EdgeSamples(drawing, e, edges.all, 0, 0, nearOthers));
        const std::string edge = "edge (" + std::to_string(e.a.x) + "," + std::to_string(e.a.y) +
                                 ")-(" + std::to_string(e.b.x) + "," + std::to_string(e.b.y) + ")";
        compared += ExpectStartsIn(inBitmap, inDrawing, "bitmap " + edge + ", not the drawing");
        compared += ExpectStartsIn(inDrawing, inBitmap, "drawing " + edge + ", not the bitmap");
    }
    return compared;
}

} // namespace solifa::test
