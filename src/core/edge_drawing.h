#pragma once
// What the body painter draws, as a drawing of fills and edges in which every edge is stroked
// once. The painter outlines each face on its own, so an edge between two faces comes twice,
// and an edge where a front face meets a back face comes once in each pass's pen. A bitmap does
// not mind, as the later line covers the earlier pixel for pixel; a vector file would keep both,
// which antialiased readers draw darker, and which an editor has to delete one by one.
//
// An edge is kept where it was stroked last: that stroke is the one the bitmap shows, in its
// pen (the front pass's over the back pass's), over every fill drawn before it and under every
// fill drawn after it.
#include <cstddef>
#include <variant>
#include <vector>

#include "core/surface.h"

namespace solifa {

// A filled polygon without its outline, in the fill rule the painter asked for.
struct DrawnFill {
    std::vector<PolyPoint> corners;
    ColorRef color = 0;
    int polyFillMode = 1; // 1 even-odd, 2 winding
};

// One straight edge, from its canonical end (the smaller y, then the smaller x), in a pen.
struct DrawnEdge {
    PolyPoint from;
    PolyPoint to;
    ColorRef color = 0;
    DrawStyle style = Solid;
};

using DrawStep = std::variant<DrawnFill, DrawnEdge>;

// The two ends of the segment a-b with its canonical end first.
DrawnEdge CanonicalEdge(PolyPoint a, PolyPoint b);

// Calls edge(DrawnEdge) for each segment of the outline (closed: the last corner back to the
// first), from its canonical end; a segment of no length draws nothing and is passed over. The
// one walk the surfaces and the collector share, so their dashes start at the same ends.
template <class Edge>
void ForEachSegment(const PolyPoint* points, int count, bool closed, Edge edge) {
    const int segments = closed ? count : count - 1;
    for (int i = 0; i < segments; ++i) {
        const PolyPoint& a = points[i];
        const PolyPoint& b = points[(i + 1) % count];
        if (a.x != b.x || a.y != b.y)
            edge(CanonicalEdge(a, b));
    }
}

// A drawing surface that collects what is drawn on it; steps() gives the drawing in painting
// order with each edge once.
class EdgeCollector : public DrawingSurface {
public:
    void setFillStyle(int style) override { fillStyle_ = style; }
    void setFillColor(ColorRef c) override { fillColor_ = c; }
    void setForeColor(ColorRef c) override { foreColor_ = c; }
    void setDrawStyle(DrawStyle style) override { drawStyle_ = style; }
    void setPolyFillMode(int mode) override { polyFillMode_ = mode; }
    void polygon(const PolyPoint* points, int count) override;
    void polyline(const PolyPoint* points, int count) override;
    void fillPolygon(const PolyPoint* points, int count) override;

    // The fills and, each at its last stroke, the distinct edges, in painting order.
    std::vector<DrawStep> steps() const;

private:
    void addSegments(const PolyPoint* points, int count, bool closed);

    std::vector<DrawStep> recorded_;
    int fillStyle_ = 0;
    ColorRef fillColor_ = 0;
    ColorRef foreColor_ = 0;
    DrawStyle drawStyle_ = Solid;
    int polyFillMode_ = 1;
};

} // namespace solifa
