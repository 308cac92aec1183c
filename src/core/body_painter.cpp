#include "core/body_painter.h"

#include <initializer_list>

#include "core/body_topology.h"
#include "core/errors.h"
#include "core/rounding.h"
#include "core/transforms.h"

namespace solifa {

namespace {

// Puts the faces of one pass onto the surface, one drawing call per face, through the
// caller's fixed point buffer.
class FacePainter {
public:
    FacePainter(DrawingSurface& surface, const PaintInput& in, const BodyTopology& plan,
                std::array<PolyPoint, kPolyPointCount>& polyPoints)
        : surface_(surface), in_(in), plan_(plan), points_(*in.points), pts_(polyPoints),
          merge_(in.smooth && plan.curved) {}

    // Triangles (ring, i), (ring, i + 1), apex for every corner i whose row value is pass.
    void fan(int ring, int row, int apex, int pass, bool outline) {
        if (in_.apex == nullptr)
            throw ComputationError("no apex points");
        const Grid2<uint8_t>& side = *in_.faceSide;
        const int n = in_.corners;
        const int beyondRing = merge_ ? rowBeyond(ring, row) : -1;
        for (int i = 0; i < n; ++i) {
            if (side.at(row, i) != pass)
                continue;
            const int next = i + 1 == n ? 0 : i + 1, last = i == 0 ? n - 1 : i - 1;
            // Sides: along the ring, up to the apex beside the next face, back beside the last.
            const unsigned keep = merge_
                                      ? seam(beyondRing, i, pass) | (seam(row, next, pass) << 1) |
                                            (seam(row, last, pass) << 2)
                                      : AllSides(3);
            if (keep == 0 && outline)
                continue;
            putCorner(0, ring, i);
            putCorner(1, ring, i + 1);
            put(2, in_.apex[apex][0], in_.apex[apex][2]);
            finishFace(3, outline, keep);
        }
    }

    // Quadrilaterals between ring j and ring j + 1, row j, for j = 0..lastBand.
    void bands(int lastBand, int pass, bool outline) {
        const Grid2<uint8_t>& side = *in_.faceSide;
        const int n = in_.corners;
        for (int j = 0; j <= lastBand; ++j) {
            const int below = merge_ ? rowBeyond(j, j) : -1;
            const int above = merge_ ? rowBeyond(j + 1, j) : -1;
            for (int i = 0; i < n; ++i) {
                if (side.at(j, i) != pass)
                    continue;
                const int next = i + 1 == n ? 0 : i + 1, last = i == 0 ? n - 1 : i - 1;
                // Sides: along ring j, up beside the next face, along ring j + 1, down beside
                // the last face.
                const unsigned keep = merge_ ? seam(below, i, pass) | (seam(j, next, pass) << 1) |
                                                   (seam(above, i, pass) << 2) |
                                                   (seam(j, last, pass) << 3)
                                             : AllSides(4);
                // An outline with no side kept draws nothing.
                if (keep == 0 && outline)
                    continue;
                putCorner(0, j, i);
                putCorner(1, j, i + 1);
                putCorner(2, j + 1, i + 1);
                putCorner(3, j + 1, i);
                finishFace(4, outline, keep);
            }
        }
    }

    // 1 when the ring's corners 0, 1, 2 run clockwise on the screen, from the unrounded
    // coordinates; a collinear start gives 0.
    uint8_t ringOrientation(int ring) const {
        return FaceOrientation(points_.at(ring, 0, 0), points_.at(ring, 1, 0),
                               points_.at(ring, 2, 0), points_.at(ring, 0, 2),
                               points_.at(ring, 1, 2), points_.at(ring, 2, 2));
    }

    // The cap closes with the ring's own corner N, which repeats corner 0.
    void cap(int ring, bool outline) {
        const int n = in_.corners;
        const int count = outline ? n + 1 : n;
        for (int c = 0; c < count; ++c)
            putCorner(c, ring, c);
        surface_.setPolyFillMode(1);
        if (outline)
            surface_.polyline(pts_.data(), count);
        else
            surface_.polygon(pts_.data(), count);
    }

private:
    // The row of the curved face beyond a side of a face of row selfRow that runs along the
    // ring: the band on its other side, or a fan standing on it; -1 where the ring is a rim,
    // closed by a cap or by nothing.
    int rowBeyond(int ring, int selfRow) const {
        const int lastBand = plan_.lastBand.at(in_.levels);
        if (ring - 1 >= 0 && ring - 1 <= lastBand && ring - 1 != selfRow)
            return ring - 1;
        if (ring >= 0 && ring <= lastBand && ring != selfRow)
            return ring;
        for (const FanPlan* fan : {&plan_.firstFan, &plan_.secondFan}) {
            const int row = fan->row.at(in_.levels);
            if (fan->drawn && fan->ring.at(in_.levels) == ring && row != selfRow)
                return row;
        }
        return -1;
    }

    // 1 when the side towards face (row, corner) is kept: that face lies on the other side of
    // the body from this pass, or there is no curved face beyond (row -1).
    unsigned seam(int row, int corner, int pass) const {
        return row < 0 || in_.faceSide->at(row, corner) != pass ? 1u : 0u;
    }

    // Every side of a face kept (bit k the side from corner k to the next).
    static constexpr unsigned AllSides(int corners) { return (1u << corners) - 1; }

    // A face with all its sides kept is drawn whole. A face of a merged surface that keeps
    // fewer: its fill without outline, then its kept sides as polylines of runs of sides,
    // behind the face's corners in the buffer. Each side keeps the dash pattern it has as part
    // of an outline, which the surface lays segment by segment.
    void finishFace(int corners, bool outline, unsigned keep) {
        if (keep == AllSides(corners)) {
            finish(corners, outline);
            return;
        }
        if (!outline) {
            surface_.setPolyFillMode(1);
            surface_.fillPolygon(pts_.data(), corners);
        }
        // The walk starts after a side left out, so no run wraps past the end.
        int start = 0;
        while (keep & (1u << start))
            ++start;
        PolyPoint* run = pts_.data() + kRunStart;
        int count = 0;
        for (int step = 1; step <= corners; ++step) {
            const int side = (start + step) % corners;
            if (keep & (1u << side)) {
                if (count == 0)
                    run[count++] = pts_[static_cast<std::size_t>(side)];
                run[count++] = pts_[static_cast<std::size_t>((side + 1) % corners)];
            } else if (count > 0) {
                surface_.setPolyFillMode(1);
                surface_.polyline(run, count);
                count = 0;
            }
        }
    }

    void put(int k, float x, float y) {
        pts_[static_cast<std::size_t>(k)] = PolyPoint{roundToInt32(x), roundToInt32(y)};
    }
    void putCorner(int k, int ring, int corner) {
        put(k, points_.at(ring, corner, 0), points_.at(ring, corner, 2));
    }
    // A filled face is a polygon through its corners; an outline returns to its first corner.
    void finish(int corners, bool outline) {
        surface_.setPolyFillMode(1);
        if (outline) {
            pts_[static_cast<std::size_t>(corners)] = pts_[0];
            surface_.polyline(pts_.data(), corners + 1);
        } else {
            surface_.polygon(pts_.data(), corners);
        }
    }

    // A face has at most four corners and a closing one; runs of its sides go behind them.
    static constexpr int kRunStart = 5;

    DrawingSurface& surface_;
    const PaintInput& in_;
    const BodyTopology& plan_;
    const Grid3<float>& points_;
    std::array<PolyPoint, kPolyPointCount>& pts_;
    bool merge_;
};

} // namespace

void PaintBody(DrawingSurface& surface, const PaintInput& in, const AppearanceSource& appearance,
               std::array<PolyPoint, kPolyPointCount>& polyPoints) {
    const BodyTopology& plan = TopologyOf(in.body);
    const int levels = in.levels;
    int passes[2];
    int passCount = 0;
    if (appearance.groupVisible(0))
        passes[passCount++] = 0;
    if (appearance.groupVisible(1))
        passes[passCount++] = 1;
    surface.setFillStyle(0);
    if (passCount == 0)
        return;

    // A cap outline needs N + 1 entries of the buffer.
    if (in.corners < 0 || in.corners > kMaxCorners)
        throw ComputationError("corner count outside the point buffer");
    if (in.points == nullptr || in.faceSide == nullptr)
        throw ComputationError("no projected body");

    FacePainter faces(surface, in, plan, polyPoints);
    for (int k = 0; k < passCount; ++k) {
        const int p = passes[k];
        const FaceGroupStyle style = appearance.group(p);
        const CapStyle caps = appearance.caps();
        surface.setFillColor(style.faceColor);
        surface.setForeColor(style.lineColor);
        surface.setDrawStyle(DrawStyleOfBorder(style.dashStyle));
        const bool outline = style.transparent;

        if (plan.firstFan.drawn)
            faces.fan(plan.firstFan.ring.at(levels), plan.firstFan.row.at(levels), 0, p, outline);
        if (plan.secondFan.drawn)
            faces.fan(plan.secondFan.ring.at(levels), plan.secondFan.row.at(levels), 1, p, outline);
        faces.bands(plan.lastBand.at(levels), p, outline);

        // A cap's pass follows its ring's orientation; its colour follows the pass, its
        // outline setting belongs to the cap. The bottom cap is seen from outside when its
        // ring runs anticlockwise, the top cap when it runs clockwise.
        if (plan.bottomCapRing >= 0 && faces.ringOrientation(plan.bottomCapRing) != p) {
            if (!caps.bottomTransparent)
                surface.setFillColor(caps.color[p]);
            faces.cap(plan.bottomCapRing, caps.bottomTransparent);
        }
        if (plan.topCapRing >= 0 && faces.ringOrientation(plan.topCapRing) == p) {
            if (!caps.topTransparent)
                surface.setFillColor(caps.color[p]);
            faces.cap(plan.topCapRing, caps.topTransparent);
        }
    }
}

PaintInput BodyPaintInput(const ModelState& m, int corners, int levels, const Grid3<float>& points,
                          const float (*apex)[3]) {
    PaintInput in;
    in.body = m.currentBody;
    in.corners = corners;
    in.levels = levels;
    in.points = &points;
    in.apex = apex;
    in.faceSide = &m.faceSide;
    return in;
}

PaintInput ViewPaintInput(const ModelState& m, int corners, int levels) {
    return BodyPaintInput(m, corners, levels, m.viewPoints, m.viewApex);
}

} // namespace solifa
