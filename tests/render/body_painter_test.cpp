// The painter's calls on a recording surface, with bodies whose corners encode their ring and
// corner in the x coordinate: x = 1000 * ring + corner, the first apex at x = -1, the second
// at x = -2. So every recorded face can be read back as the corners it was drawn from.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "core/edge_drawing.h"
#include "render_test_support.h"

namespace solifa::test {
namespace {

constexpr int kFirstApex = -1;
constexpr int kSecondApex = -2;
int Id(int ring, int corner) {
    return 1000 * ring + corner;
}

// A faceSide pattern that differs from row to row, so a face read from the wrong row shows.
uint8_t SideOf(int row, int corner) {
    return ((corner * 5 + row * 3) % 7) < 3 ? 1 : 0;
}

// cornerOneY sets the orientation of every ring's corners 0, 1, 2: -5 clockwise (1),
// +5 anticlockwise (0), 0 collinear (0).
BodyArrays ProbeBody(int corners, int levels, float cornerOneY) {
    BodyArrays a(corners, levels);
    for (int r = 0; r <= levels; ++r)
        for (int c = 0; c <= corners; ++c) {
            a.setPoint(r, c, static_cast<float>(Id(r, c)), c == 1 ? cornerOneY : 0.0f);
            a.faceSide.at(r, c) = SideOf(r, c);
        }
    a.apex[0][0] = kFirstApex;
    a.apex[1][0] = kSecondApex;
    return a;
}

// A drawn face: outline or filled (with the brush colour it was filled in), and its corners.
struct Face {
    bool outline = false;
    ColorRef fill = 0;
    std::vector<int> ids;
    bool unstroked = false; // filled without its outline
    bool operator==(const Face&) const = default;
};

std::string Describe(const std::vector<Face>& faces) {
    std::string s;
    for (const Face& f : faces) {
        s += f.outline ? "  line"
                       : (f.unstroked ? "  bare " : "  fill ") + std::to_string(f.fill) + ":";
        for (int id : f.ids)
            s += " " + std::to_string(id);
        s += "\n";
    }
    return s;
}

// The faces of each pass, told apart by the line colour the pass sets.
struct Recorded {
    std::vector<Face> pass[2];
    int drawsWithoutFillMode = 0;
};

Recorded Decode(const std::vector<SurfaceCall>& calls, const FixedAppearance& look) {
    Recorded r;
    int pass = 0;
    ColorRef fill = 0;
    for (std::size_t k = 0; k < calls.size(); ++k) {
        const SurfaceCall& call = calls[k];
        if (call.kind == SurfaceCall::ForeColor)
            pass = call.value == look.groups[0].lineColor ? 0 : 1;
        if (call.kind == SurfaceCall::FillColor)
            fill = static_cast<ColorRef>(call.value);
        if (call.kind != SurfaceCall::Polygon && call.kind != SurfaceCall::Polyline &&
            call.kind != SurfaceCall::FillPolygon)
            continue;
        if (k == 0 || calls[k - 1].kind != SurfaceCall::PolyFillMode || calls[k - 1].value != 1)
            ++r.drawsWithoutFillMode;
        const bool outline = call.kind == SurfaceCall::Polyline;
        Face f{outline, outline ? 0 : fill, {}, call.kind == SurfaceCall::FillPolygon};
        for (const PolyPoint& p : call.points)
            f.ids.push_back(p.x);
        r.pass[pass].push_back(f);
    }
    return r;
}

// The face groups of a body, in the order the painter draws them within a pass.
enum class Group { FirstFan, SecondFan, Band, BottomCap, TopCap };
struct GroupAt {
    Group group;
    int ring; // a band's lower ring
    int row;
};

struct PlanCase {
    const char* name;
    int body;
    int corners;
    int levels;
    std::vector<GroupAt> groups;
    bool curved = false; // its bands and fans merge in the textbook look
};

const std::vector<PlanCase>& PlanCases() {
    using G = Group;
    static const std::vector<PlanCase> cases = {
        {"SphereOfTwoLevels", Kugel, 5, 2, {{G::FirstFan, 0, 1}, {G::SecondFan, 0, 2}}, true},
        {"SphereOfThreeLevels",
         Kugel,
         4,
         3,
         {{G::FirstFan, 0, 2}, {G::SecondFan, 1, 3}, {G::Band, 0, 0}},
         true},
        {"SphereOfFiveLevels",
         Kugel,
         6,
         5,
         {{G::FirstFan, 0, 4},
          {G::SecondFan, 3, 5},
          {G::Band, 0, 0},
          {G::Band, 1, 1},
          {G::Band, 2, 2}},
         true},
        {"Cube", Wuerfel, 4, 1, {{G::Band, 0, 0}, {G::BottomCap, 0, 0}, {G::TopCap, 1, 0}}},
        {"Octahedron", Oktaeder, 4, 2, {{G::FirstFan, 0, 1}, {G::SecondFan, 0, 2}}},
        {"CylinderOf36Corners",
         Zylinder,
         36,
         1,
         {{G::Band, 0, 0}, {G::BottomCap, 0, 0}, {G::TopCap, 1, 0}},
         true},
        {"Pyramid", Pyramide, 4, 1, {{G::SecondFan, 0, 1}, {G::BottomCap, 0, 0}}},
        {"Cone", Kegel, 7, 1, {{G::SecondFan, 0, 1}, {G::BottomCap, 0, 0}}, true},
        {"Funnel", Trichter, 5, 1, {{G::FirstFan, 0, 0}, {G::TopCap, 0, 0}}, true},
    };
    return cases;
}

// Ring orientation and outline settings; each cap's outline setting is its own, apart from
// the face groups'.
struct Look {
    const char* name;
    float cornerOneY;
    uint8_t capTurn; // the orientation cornerOneY gives
    bool facesOutline;
    bool bottomOutline;
    bool topOutline;
    bool smooth = false; // the textbook look
};

const Look kLooks[] = {
    {"ClockwiseFilled", -5.0f, 1, false, false, false},
    {"ClockwiseOutlined", -5.0f, 1, true, true, true},
    {"AnticlockwiseOutlinedBottomCap", 5.0f, 0, false, true, false},
    {"CollinearOutlinedFacesAndTopCap", 0.0f, 0, true, false, true},
    {"TextbookFilled", -5.0f, 1, false, false, false, true},
    {"TextbookOutlined", 5.0f, 0, true, true, true, true},
};

std::vector<Face> ExpectedPass(const PlanCase& pc, const Look& lk, const FixedAppearance& look,
                               int p) {
    std::vector<Face> faces;
    auto add = [&](std::vector<int> ids, bool outline, ColorRef fill) {
        if (outline)
            ids.push_back(ids.front());
        faces.push_back({outline, outline ? 0 : fill, ids});
    };
    const ColorRef faceFill = look.groups[p].faceColor;
    for (const GroupAt& g : pc.groups) {
        for (int i = 0; i < pc.corners && g.group <= Group::Band; ++i) {
            if (SideOf(g.row, i) != p)
                continue;
            if (g.group == Group::Band)
                add({Id(g.ring, i), Id(g.ring, i + 1), Id(g.ring + 1, i + 1), Id(g.ring + 1, i)},
                    lk.facesOutline, faceFill);
            else
                add({Id(g.ring, i), Id(g.ring, i + 1),
                     g.group == Group::FirstFan ? kFirstApex : kSecondApex},
                    lk.facesOutline, faceFill);
        }
        const bool bottom = g.group == Group::BottomCap;
        if (g.group < Group::BottomCap || (bottom ? lk.capTurn == p : lk.capTurn != p))
            continue;
        // A cap outline runs through corners 0..N, corner N being the ring's closing corner.
        const bool outline = bottom ? lk.bottomOutline : lk.topOutline;
        Face cap{outline, outline ? 0 : look.capStyle.color[p], {}};
        for (int c = 0; c < (outline ? pc.corners + 1 : pc.corners); ++c)
            cap.ids.push_back(Id(g.ring, c));
        faces.push_back(cap);
    }
    return faces;
}

// A segment between two corners, whichever way round; corner N is the ring's corner 0.
using Segment = std::pair<int, int>;
Segment SegmentOf(int a, int b, int corners) {
    const auto wrap = [corners](int id) {
        return id >= 0 && id % 1000 == corners ? id - corners : id;
    };
    return std::minmax(wrap(a), wrap(b));
}

// The segments a face's outline strokes: a polygon's closed outline, a polyline as it runs.
std::vector<Segment> StrokedSegments(const Face& f, int corners) {
    std::vector<Segment> out;
    if (f.unstroked)
        return out;
    const std::size_t n = f.ids.size();
    for (std::size_t k = 0; k + (f.outline ? 1 : 0) < n; ++k)
        out.push_back(SegmentOf(f.ids[k], f.ids[(k + 1) % n], corners));
    return out;
}

// The textbook look of a body with a curved surface: each face keeps its fill, and its outline
// loses exactly the sides it shares with a face of the curved surface in the same pass; sides
// on a cap or towards the other pass stay. The neighbours are found by shared corners here, apart
// from the painter's plan of rows and rings.
void ExpectTextbookPasses(const PlanCase& pc, const Look& lk, const FixedAppearance& look,
                          const Recorded& got) {
    PlanCase surfaceOnly = pc;
    std::erase_if(surfaceOnly.groups, [](const GroupAt& g) { return g.group > Group::Band; });
    std::map<Segment, std::vector<int>> passesOn; // passes of the curved faces on a segment
    for (int p = 0; p < 2; ++p)
        for (const Face& f : ExpectedPass(surfaceOnly, lk, look, p))
            for (const Segment& s : StrokedSegments(f, pc.corners))
                passesOn[s].push_back(p);
    int leftOut = 0;
    for (int p = 0; p < 2; ++p) {
        const std::vector<Face> plain = ExpectedPass(pc, lk, look, p);
        const std::size_t surfaceFaces = ExpectedPass(surfaceOnly, lk, look, p).size();
        std::vector<Segment> want, stroked;
        std::vector<Face> wantFills, fills;
        for (std::size_t k = 0; k < plain.size(); ++k) {
            if (!plain[k].outline)
                wantFills.push_back({false, plain[k].fill, plain[k].ids});
            for (const Segment& s : StrokedSegments(plain[k], pc.corners)) {
                ++leftOut;
                if (k >= surfaceFaces || passesOn[s] != std::vector<int>{p, p})
                    want.push_back(s);
            }
        }
        for (const Face& f : got.pass[p]) {
            if (!f.outline)
                fills.push_back({false, f.fill, f.ids});
            for (const Segment& s : StrokedSegments(f, pc.corners))
                stroked.push_back(s);
        }
        std::sort(want.begin(), want.end());
        std::sort(stroked.begin(), stroked.end());
        EXPECT_EQ(fills, wantFills) << "pass " << p << "\ngot\n" << Describe(got.pass[p]);
        EXPECT_EQ(stroked, want) << "pass " << p << "\ngot\n" << Describe(got.pass[p]);
        leftOut -= static_cast<int>(want.size());
    }
    EXPECT_GT(leftOut, 0) << "no side between two faces of one pass";
}

// Every body draws exactly the rows and rings of its plan, back pass first; filled faces as
// polygons, outline faces as polylines closed back to their first corner; a cap in the pass
// its orientation gives, in that pass's cap colour.
class BodyPlan : public ::testing::TestWithParam<std::tuple<int, int>> {};

TEST_P(BodyPlan, DrawsItsGroupsFromTheirRowsAndRingsInBothPasses) {
    const PlanCase& pc = PlanCases()[static_cast<std::size_t>(std::get<0>(GetParam()))];
    const Look& lk = kLooks[std::get<1>(GetParam())];
    const BodyArrays body = ProbeBody(pc.corners, pc.levels, lk.cornerOneY);
    FixedAppearance look = DistinctAppearance();
    look.groups[0].transparent = look.groups[1].transparent = lk.facesOutline;
    look.capStyle.bottomTransparent = lk.bottomOutline;
    look.capStyle.topTransparent = lk.topOutline;

    RecordingSurface surface;
    std::array<PolyPoint, kPolyPointCount> buffer{};
    PaintInput in = body.input(pc.body, pc.corners, pc.levels);
    in.smooth = lk.smooth;
    PaintBody(surface, in, look, buffer);

    const Recorded got = Decode(surface.calls, look);
    EXPECT_EQ(got.drawsWithoutFillMode, 0);
    if (lk.smooth && pc.curved) {
        ExpectTextbookPasses(pc, lk, look, got);
        return;
    }
    // Flat faces are drawn alike in either look.
    for (int p = 0; p < 2; ++p) {
        const std::vector<Face> want = ExpectedPass(pc, lk, look, p);
        EXPECT_EQ(got.pass[p], want) << "pass " << p << "\nwant\n"
                                     << Describe(want) << "got\n"
                                     << Describe(got.pass[p]);
    }
}

std::string PlanName(const ::testing::TestParamInfo<BodyPlan::ParamType>& info) {
    return std::string(PlanCases()[static_cast<std::size_t>(std::get<0>(info.param))].name) +
           kLooks[std::get<1>(info.param)].name;
}

INSTANTIATE_TEST_SUITE_P(
    AllBodies, BodyPlan,
    ::testing::Combine(::testing::Range(0, static_cast<int>(PlanCases().size())),
                       ::testing::Range(0, static_cast<int>(std::size(kLooks)))),
    PlanName);

// The two "visible" flags choose the passes; each pass sets its colours and dash style first.
struct PassCase {
    bool back;
    bool front;
    std::vector<int> passes;
};

class PassSelection : public ::testing::TestWithParam<PassCase> {};

TEST_P(PassSelection, RunsTheVisibleGroupsBackBeforeFrontReadingEachSettingOnce) {
    const PassCase& pc = GetParam();
    const BodyArrays body = ProbeBody(4, 1, -5.0f);
    CountingAppearance look;
    static_cast<FixedAppearance&>(look) = DistinctAppearance();
    look.groups[0].visible = pc.back;
    look.groups[1].visible = pc.front;

    RecordingSurface surface;
    std::array<PolyPoint, kPolyPointCount> buffer{};
    PaintBody(surface, body.input(Wuerfel, 4, 1), look, buffer);

    ASSERT_FALSE(surface.calls.empty());
    EXPECT_EQ(surface.calls[0].kind, SurfaceCall::FillStyle);
    EXPECT_EQ(surface.calls[0].value, 0);
    std::vector<int> passesSeen;
    int fillStyles = 0;
    int faces = 0;
    for (std::size_t k = 1; k + 1 < surface.calls.size(); ++k) {
        const SurfaceCall& c = surface.calls[k];
        fillStyles += c.kind == SurfaceCall::FillStyle;
        faces += c.kind == SurfaceCall::Polygon || c.kind == SurfaceCall::Polyline;
        if (c.kind != SurfaceCall::ForeColor)
            continue;
        const int p = c.value == look.groups[0].lineColor ? 0 : 1;
        passesSeen.push_back(p);
        EXPECT_EQ(surface.calls[k - 1].kind, SurfaceCall::FillColor);
        EXPECT_EQ(surface.calls[k - 1].value, look.groups[p].faceColor);
        EXPECT_EQ(surface.calls[k + 1].kind, SurfaceCall::DrawStyle);
        EXPECT_EQ(surface.calls[k + 1].value, look.groups[p].dashStyle - 1);
    }
    EXPECT_EQ(passesSeen, pc.passes);
    EXPECT_EQ(fillStyles, 0) << "the fill style is set once, first";
    EXPECT_EQ(faces > 0, !pc.passes.empty());
    EXPECT_EQ(look.visibleReads[0], 1);
    EXPECT_EQ(look.visibleReads[1], 1);
    EXPECT_EQ(look.groupReads[0], pc.back ? 1 : 0);
    EXPECT_EQ(look.groupReads[1], pc.front ? 1 : 0);
    EXPECT_EQ(look.capReads, static_cast<int>(pc.passes.size()));
}

INSTANTIATE_TEST_SUITE_P(VisibleFlags, PassSelection,
                         ::testing::Values(PassCase{true, true, {0, 1}}, PassCase{true, false, {0}},
                                           PassCase{false, true, {1}}, PassCase{false, false, {}}));

// Corner and apex coordinates round to the nearest pixel, halves to the even neighbour.
class CornerRounding : public ::testing::TestWithParam<std::pair<float, int32_t>> {};

TEST_P(CornerRounding, RoundsRingCornersAndApexesHalfToEven) {
    const auto [value, rounded] = GetParam();
    BodyArrays body = ProbeBody(3, 2, -5.0f);
    body.setPoint(0, 0, value, value);
    body.apex[0][0] = body.apex[0][2] = value;
    body.faceSide.at(1, 0) = 1; // the first triangle of the first fan, front pass
    FixedAppearance look = DistinctAppearance();
    look.groups[0].visible = false;

    RecordingSurface surface;
    std::array<PolyPoint, kPolyPointCount> buffer{};
    PaintBody(surface, body.input(Oktaeder, 3, 2), look, buffer);

    const SurfaceCall* call = nullptr;
    for (const SurfaceCall& c : surface.calls)
        if (c.kind == SurfaceCall::Polygon && call == nullptr)
            call = &c;
    ASSERT_NE(call, nullptr);
    ASSERT_EQ(call->points.size(), 3u);
    EXPECT_EQ(call->points[0].x, rounded);
    EXPECT_EQ(call->points[0].y, rounded);
    EXPECT_EQ(call->points[2].x, rounded);
    EXPECT_EQ(call->points[2].y, rounded);
}

INSTANTIATE_TEST_SUITE_P(Halves, CornerRounding,
                         ::testing::Values(std::pair{2.5f, 2}, std::pair{3.5f, 4},
                                           std::pair{-2.5f, -2}, std::pair{0.5f, 0},
                                           std::pair{2.4999f, 2}, std::pair{2.5001f, 3}));

// What the collector makes of a drawing for a vector file: each segment once, at its last
// stroke and in that stroke's pen, and the fills where they were. A drawing is faces in painting
// order: "F" a filled polygon, "L" an outline, each in the pen and fill given before it.
struct CollectedFace {
    bool filled;
    ColorRef pen;
    DrawStyle style;
    std::vector<PolyPoint> corners;
};

struct CollectCase {
    const char* name;
    std::vector<CollectedFace> faces;
    const char* steps; // fills as "fill <colour>", edges as "x,y-x,y <colour><style initial>"
};

std::string DescribeSteps(const std::vector<DrawStep>& steps) {
    std::string s;
    for (const DrawStep& step : steps) {
        if (const auto* fill = std::get_if<DrawnFill>(&step)) {
            s += "fill " + std::to_string(fill->color) + "; ";
            continue;
        }
        const DrawnEdge& e = std::get<DrawnEdge>(step);
        s += std::to_string(e.from.x) + "," + std::to_string(e.from.y) + "-" +
             std::to_string(e.to.x) + "," + std::to_string(e.to.y) + " " + std::to_string(e.color) +
             kDrawStyleNames[e.style][0] + "; ";
    }
    return s;
}

class EdgeCollection : public ::testing::TestWithParam<CollectCase> {};

TEST_P(EdgeCollection, StrokesEachSegmentOnceAtItsLastStrokeInThatPen) {
    EdgeCollector collector;
    collector.setFillStyle(0);
    int face = 0;
    for (const CollectedFace& f : GetParam().faces) {
        collector.setFillColor(static_cast<ColorRef>(100 + face++));
        collector.setForeColor(f.pen);
        collector.setDrawStyle(f.style);
        const int count = static_cast<int>(f.corners.size());
        if (f.filled)
            collector.polygon(f.corners.data(), count);
        else
            collector.polyline(f.corners.data(), count);
    }
    EXPECT_EQ(DescribeSteps(collector.steps()), GetParam().steps);
}

const std::vector<PolyPoint> kLeftSquare = {{0, 0}, {4, 0}, {4, 4}, {0, 4}};
const std::vector<PolyPoint> kRightSquare = {{4, 4}, {4, 0}, {8, 0}, {8, 4}};
const std::vector<PolyPoint> kLeftOutline = {{0, 0}, {4, 0}, {4, 4}, {0, 4}, {0, 0}};
const std::vector<PolyPoint> kSharedSide = {{4, 4}, {4, 0}};

INSTANTIATE_TEST_SUITE_P(
    Drawings, EdgeCollection,
    ::testing::Values(
        // Two faces of one pass: the side between them once, after the second fill, so that
        // fill does not cover it.
        CollectCase{"SharedSideAfterTheLaterFill",
                    {{true, 7, Solid, kLeftSquare}, {true, 7, Solid, kRightSquare}},
                    "fill 100; 0,0-4,0 7s; 0,4-4,4 7s; 0,0-0,4 7s; fill 101; 4,0-4,4 7s; "
                    "4,0-8,0 7s; 8,0-8,4 7s; 4,4-8,4 7s; "},
        // A back outline dashed, then the front outlining one of its sides: that side once,
        // solid, in the front's colour; the closing corner repeats the first and adds nothing.
        CollectCase{"FrontPenOverTheBack",
                    {{false, 5, Dash, kLeftOutline}, {false, 9, Solid, kSharedSide}},
                    "0,0-4,0 5d; 0,4-4,4 5d; 0,0-0,4 5d; 4,0-4,4 9s; "},
        // The same outline drawn twice over is one outline; a segment of no length is none.
        CollectCase{"RepeatedOutline",
                    {{false, 5, Dot, kLeftOutline},
                     {false, 5, Dot, kLeftOutline},
                     {false, 5, Dot, {{2, 2}, {2, 2}}}},
                    "0,0-4,0 5d; 4,0-4,4 5d; 0,4-4,4 5d; 0,0-0,4 5d; "}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace solifa::test
