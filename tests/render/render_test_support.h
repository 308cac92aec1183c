#pragma once
// Hand-made bodies for the painter tests and a surface that records every call it gets.
#include <cstdint>
#include <vector>

#include "core/body_painter.h"
#include "core/model_state.h"
#include "core/surface.h"

namespace solifa::test {

struct SurfaceCall {
    enum Kind {
        FillStyle,
        FillColor,
        ForeColor,
        DrawStyle,
        PolyFillMode,
        Polygon,
        Polyline,
        FillPolygon
    };
    Kind kind;
    int64_t value = 0;             // the style, colour or mode
    std::vector<PolyPoint> points; // for Polygon and Polyline
};

class RecordingSurface : public DrawingSurface {
public:
    std::vector<SurfaceCall> calls;

    void setFillStyle(int style) override { calls.push_back({SurfaceCall::FillStyle, style, {}}); }
    void setFillColor(ColorRef c) override { calls.push_back({SurfaceCall::FillColor, c, {}}); }
    void setForeColor(ColorRef c) override { calls.push_back({SurfaceCall::ForeColor, c, {}}); }
    void setDrawStyle(DrawStyle style) override {
        calls.push_back({SurfaceCall::DrawStyle, style, {}});
    }
    void setPolyFillMode(int mode) override {
        calls.push_back({SurfaceCall::PolyFillMode, mode, {}});
    }
    void polygon(const PolyPoint* points, int count) override {
        calls.push_back({SurfaceCall::Polygon, count, {points, points + count}});
    }
    void polyline(const PolyPoint* points, int count) override {
        calls.push_back({SurfaceCall::Polyline, count, {points, points + count}});
    }
    void fillPolygon(const PolyPoint* points, int count) override {
        calls.push_back({SurfaceCall::FillPolygon, count, {points, points + count}});
    }
};

// Counts how often the painter asks for each setting.
class CountingAppearance : public FixedAppearance {
public:
    mutable int visibleReads[2] = {0, 0};
    mutable int groupReads[2] = {0, 0};
    mutable int capReads = 0;
    bool groupVisible(int g) const override {
        ++visibleReads[g];
        return FixedAppearance::groupVisible(g);
    }
    FaceGroupStyle group(int g) const override {
        ++groupReads[g];
        return FixedAppearance::group(g);
    }
    CapStyle caps() const override {
        ++capReads;
        return FixedAppearance::caps();
    }
};

// Arrays of a projected body, sized as the generation sizes them: rings and rows 0..L,
// corners 0..N.
struct BodyArrays {
    Grid3<float> points;
    Grid2<uint8_t> faceSide;
    float apex[2][3] = {};

    BodyArrays(int corners, int levels) {
        points.recreate(levels, corners);
        faceSide.recreate(levels, corners);
    }
    void setPoint(int ring, int corner, float x, float y) {
        points.at(ring, corner, 0) = x;
        points.at(ring, corner, 2) = y;
    }
    PaintInput input(int body, int corners, int levels) const {
        PaintInput in;
        in.body = body;
        in.corners = corners;
        in.levels = levels;
        in.points = &points;
        in.apex = apex;
        in.faceSide = &faceSide;
        return in;
    }
};

// Appearance values that are easily told apart: back faces red with black lines, front faces
// green with yellow lines, the cap colours of the start.
inline FixedAppearance DistinctAppearance() {
    FixedAppearance a;
    a.groups[0] = {MakeColorRef(255, 0, 0), MakeColorRef(0, 0, 0), 3, false, true};
    a.groups[1] = {MakeColorRef(0, 128, 0), MakeColorRef(255, 255, 0), 1, false, true};
    a.capStyle.color[0] = MakeColorRef(192, 0, 0);
    a.capStyle.color[1] = MakeColorRef(192, 0, 192);
    return a;
}

} // namespace solifa::test
