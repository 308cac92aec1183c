#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <set>
#include <string>
#include <vector>

#include "core/body_geometry.h"
#include "core/corner_names.h"
#include "core/edge_drawing.h"
#include "core/errors.h"
#include "model_test_support.h"

namespace solifa {
namespace {

using testing::Build;
using testing::MakeModel;

constexpr double kPi = 3.1415926535;

float ViewX(const ModelState& m, int level, int corner) {
    return m.viewPoints.at(level, corner, 0);
}
float Depth(const ModelState& m, int level, int corner) {
    return m.viewPoints.at(level, corner, 1);
}
float ViewY(const ModelState& m, int level, int corner) {
    return m.viewPoints.at(level, corner, 2);
}

std::vector<int> FaceRow(const ModelState& m, int row, int corners) {
    std::vector<int> out;
    for (int j = 0; j < corners; ++j)
        out.push_back(m.faceSide.at(row, j));
    return out;
}

void FillFaces(ModelState& m, uint8_t marker) {
    for (int i = 0; i <= m.faceSide.maxRow(); ++i)
        for (int j = 0; j <= m.faceSide.maxCorner(); ++j)
            m.faceSide.at(i, j) = marker;
}

void FillViewPoints(ModelState& m, float marker) {
    for (int i = 0; i <= m.viewPoints.maxLevel(); ++i)
        for (int j = 0; j <= m.viewPoints.maxCorner(); ++j)
            for (int a = 0; a < 3; ++a)
                m.viewPoints.at(i, j, a) = marker;
}

struct ViewPoint {
    int level, corner;
    float x, y;
};

class CubeWorkedExample : public ::testing::TestWithParam<ViewPoint> {};

TEST_P(CubeWorkedExample, CubeWithRadius100ProjectsToTheWorkedPoints) {
    const ModelState m = Build(Wuerfel, 100, 4, 1);
    const ViewPoint p = GetParam();
    EXPECT_EQ(ViewX(m, p.level, p.corner), p.x);
    EXPECT_EQ(ViewY(m, p.level, p.corner), p.y);
}

INSTANTIATE_TEST_SUITE_P(
    Points, CubeWorkedExample,
    ::testing::Values(ViewPoint{0, 0, 100, 152.5f}, ViewPoint{0, 1, 187.5f, 161.25f},
                      ViewPoint{0, 2, 100, 170}, ViewPoint{0, 3, 12.5f, 161.25f},
                      ViewPoint{0, 4, 100, 152.5f}, ViewPoint{1, 0, 100, 47.5f},
                      ViewPoint{1, 1, 187.5f, 38.75f}, ViewPoint{1, 2, 100, 30},
                      ViewPoint{1, 3, 12.5f, 38.75f}, ViewPoint{1, 4, 100, 47.5f}));

TEST(CubeWorkedExample, DepthsGiveTheFactorsThreeQuartersToOne) {
    const ModelState m = Build(Wuerfel, 100, 4, 1);
    const float depths[] = {100, 0, -100, 0};
    const float factors[] = {0.75f, 0.875f, 1.0f, 0.875f};
    for (int j = 0; j < 4; ++j) {
        EXPECT_NEAR(Depth(m, 0, j), depths[j], 1e-5) << "corner " << j;
        // view y = z * f + R with z = 70
        EXPECT_EQ((ViewY(m, 0, j) - 100) / 70, factors[j]) << "corner " << j;
    }
}

TEST(CubeWorkedExample, TheTwoSideFacesNearerTheViewerFaceIt) {
    const ModelState m = Build(Wuerfel, 100, 4, 1);
    EXPECT_EQ(FaceRow(m, 0, 4), (std::vector<int>{0, 1, 1, 0}));
}

TEST(Projection, ZoomScalesAboutTheCentreAndPositionsShiftAfterwards) {
    const ModelState m = Build(Wuerfel, 100, 4, 1, {0, 0, 0, 200, 10, -20});
    EXPECT_EQ(ViewX(m, 0, 1), 285.0f); // (2 * 100) * 7/8 + 100 + 10
    EXPECT_EQ(ViewY(m, 0, 1), 202.5f); // (2 * 70) * 7/8 + 100 - 20
    EXPECT_EQ(ViewX(m, 1, 3), -65.0f); // (2 * -100) * 7/8 + 100 + 10
}

TEST(Projection, RotationOfNinetyDegreesTurnsTheRightCornerToTheBack) {
    const ModelState m = Build(Wuerfel, 100, 4, 1, {0, 90, 0, 100, 0, 0});
    EXPECT_NEAR(Depth(m, 0, 1), 100.0f, 1e-4);
    EXPECT_NEAR(ViewX(m, 0, 1), 100.0f, 1e-4);
    EXPECT_NEAR(Depth(m, 0, 0), 0.0f, 1e-4);
    EXPECT_NEAR(ViewX(m, 0, 0), 12.5f, 1e-4);
}

// Each body seen straight from the front with four corners: of the faces on the outside,
// the two between the side corners and the nearest corner face the viewer.
struct OutsideRow {
    const char* name;
    int body;
    int levels;
    int row;
};

class FrontFaces : public ::testing::TestWithParam<OutsideRow> {};

TEST_P(FrontFaces, TheNearSideFacesOfTheOutsideRowFaceTheViewer) {
    const OutsideRow c = GetParam();
    const ModelState m = Build(c.body, 100, 4, c.levels);
    EXPECT_EQ(FaceRow(m, c.row, 4), (std::vector<int>{0, 1, 1, 0}));
}

INSTANTIATE_TEST_SUITE_P(Bodies, FrontFaces,
                         ::testing::Values(OutsideRow{"CubeBand", Wuerfel, 1, 0},
                                           OutsideRow{"CylinderBand", Zylinder, 1, 0},
                                           OutsideRow{"OctahedronLowerFan", Oktaeder, 2, 1},
                                           OutsideRow{"OctahedronUpperFan", Oktaeder, 2, 2},
                                           OutsideRow{"PyramidApexFan", Pyramide, 1, 1},
                                           OutsideRow{"ConeApexFan", Kegel, 1, 1},
                                           OutsideRow{"FunnelApexFan", Trichter, 1, 0},
                                           OutsideRow{"SphereOfTwoLevelsLowerFan", Kugel, 2, 1},
                                           OutsideRow{"SphereOfTwoLevelsUpperFan", Kugel, 2, 2},
                                           OutsideRow{"SphereBand0", Kugel, 4, 0},
                                           OutsideRow{"SphereBand1", Kugel, 4, 1},
                                           OutsideRow{"SphereLowerFan", Kugel, 4, 3},
                                           OutsideRow{"SphereUpperFan", Kugel, 4, 4}),
                         [](const ::testing::TestParamInfo<OutsideRow>& info) {
                             return info.param.name;
                         });

TEST(Projection, StartSphereWritesOnlyItsRingLevelsAndFaceRows) {
    ModelState m = MakeModel(Kugel, 106);
    const ShapeValues shape{18, 18};
    GenerateBodyPoints(m, shape);
    FillFaces(m, 7);
    FillViewPoints(m, -1.0f);
    ASSERT_TRUE(ProjectBodyPoints(m, shape, {}));

    for (int row = 0; row <= 18; ++row) {
        const bool written = row <= 15 || row == 17 || row == 18;
        for (int j = 0; j < 18; ++j)
            EXPECT_EQ(m.faceSide.at(row, j) == 7, !written) << "row " << row << " corner " << j;
        EXPECT_EQ(m.faceSide.at(row, 18), 7) << "row " << row; // the closing corner
    }
    for (int level = 0; level <= 18; ++level)
        for (int j = 0; j <= 18; ++j)
            EXPECT_EQ(ViewX(m, level, j) == -1.0f, level > 16) << "level " << level;
}

TEST(Projection, OctahedronAndSphereOfTwoLevelsLeaveRowZero) {
    for (int body : {Kugel, Oktaeder}) {
        ModelState m = MakeModel(body, 100);
        const ShapeValues shape{6, 2};
        GenerateBodyPoints(m, shape);
        FillFaces(m, 7);
        ProjectBodyPoints(m, shape, {});
        EXPECT_EQ(FaceRow(m, 0, 6), std::vector<int>(6, 7)) << "body " << body;
    }
}

TEST(Projection, SphereApexesLieOnTheAxisAboveAndBelowTheCentre) {
    const ModelState m = Build(Kugel, 100, 18, 18);
    // Apex 1 (z = -R) has depth 0 and factor 7/8: drawn at (R, R/8).
    EXPECT_NEAR(m.viewApex[1][0], 100.0f, 1e-4);
    EXPECT_NEAR(m.viewApex[1][1], 0.0f, 1e-4);
    EXPECT_NEAR(m.viewApex[1][2], 12.5f, 1e-4);
    EXPECT_NEAR(m.viewApex[0][0], 100.0f, 1e-4);
    EXPECT_NEAR(m.viewApex[0][2], 187.5f, 1e-4);
}

class Tilt : public ::testing::TestWithParam<int> {};

TEST_P(Tilt, BringsTheUpperApexTowardsTheViewer) {
    const int tilt = GetParam();
    const ModelState m = Build(Kugel, 100, 18, 18, {tilt, 0, 0, 100, 0, 0});
    const double rad = tilt * kPi / 180;
    const double depth = -100 * std::sin(rad);
    const double f = 1 - (100 + depth) / 800;
    EXPECT_NEAR(m.viewApex[1][1], depth, 1e-3);
    EXPECT_NEAR(m.viewApex[1][2], -100 * std::cos(rad) * f + 100, 1e-3);
    EXPECT_NEAR(m.viewApex[1][0], 100, 1e-3);
}

// At 90 the axis becomes the depth axis and the upper apex is drawn at the view centre.
INSTANTIATE_TEST_SUITE_P(Angles, Tilt, ::testing::Values(0, 30, 45, 90));

TEST(Projection, NegativeTurnSignMirrorsThePictureAboutTheViewCentre) {
    const ModelState plus = Build(Kugel, 106, 18, 18);
    ModelState minus = MakeModel(Kugel, 106);
    minus.turnSign = -1;
    const ShapeValues shape{18, 18};
    GenerateBodyPoints(minus, shape);
    ProjectBodyPoints(minus, shape, {});

    for (int i = 0; i <= 16; ++i) {
        for (int j = 0; j <= 18; ++j) {
            EXPECT_NEAR(ViewX(minus, i, j), 212 - ViewX(plus, i, j), 1e-3);
            EXPECT_NEAR(ViewY(minus, i, j), 212 - ViewY(plus, i, j), 1e-3);
            EXPECT_NEAR(Depth(minus, i, j), Depth(plus, i, j), 1e-3);
        }
    }
    for (int e = 0; e < 2; ++e) {
        EXPECT_NEAR(minus.viewApex[e][0], 212 - plus.viewApex[e][0], 1e-3);
        EXPECT_NEAR(minus.viewApex[e][2], 212 - plus.viewApex[e][2], 1e-3);
    }
}

// Depth of the cube's corner 0, which starts at (0, R): R cos(spin) after a spin.
double SpinOfCorner0(const ModelState& m) {
    return std::atan2(-(ViewX(m, 0, 0) - 100) / (1 - (100 + Depth(m, 0, 0)) / 800), Depth(m, 0, 0));
}

class RunningTurn : public ::testing::TestWithParam<int> {};

TEST_P(RunningTurn, FrameKOfFourCornersAndEightFramesTurnsByKPiOver16) {
    const int k = GetParam();
    ModelState m = MakeModel(Wuerfel, 100);
    m.cornersPerBody[Wuerfel] = 9; // the running turn uses the shown corners, not the saved
    m.turnRunning = 1;
    m.frameCount = 8;
    m.frameIndex = static_cast<int16_t>(k);
    const ShapeValues shape{4, 1};
    GenerateBodyPoints(m, shape);
    ProjectBodyPoints(m, shape, {});
    EXPECT_NEAR(SpinOfCorner0(m), k * kPi / 16, 1e-5);
}

INSTANTIATE_TEST_SUITE_P(Frames, RunningTurn, ::testing::Values(0, 1, 3, 7));

class Offset : public ::testing::TestWithParam<int> {};

TEST_P(Offset, TurnsByEighthsOfTheSavedCornerStep) {
    const int offset = GetParam();
    ModelState m = MakeModel(Wuerfel, 100);
    m.cornersPerBody[Wuerfel] = 8; // saved count differs from the shown 4
    m.frameIndex = 3;              // ignored while the turn is off
    const ShapeValues shape{4, 1};
    GenerateBodyPoints(m, shape);
    ProjectBodyPoints(m, shape, {0, 0, offset, 100, 0, 0});
    EXPECT_NEAR(SpinOfCorner0(m), offset * kPi / 32, 1e-5);
}

INSTANTIATE_TEST_SUITE_P(Digits, Offset, ::testing::Values(0, 1, 4, 7));

TEST(Projection, SuppressedProjectionChangesNothing) {
    ModelState m = MakeModel(Wuerfel, 100);
    const ShapeValues shape{4, 1};
    GenerateBodyPoints(m, shape);
    FillFaces(m, 7);
    m.recomputeSuppressed = 1;
    EXPECT_FALSE(ProjectBodyPoints(m, shape, {}));
    EXPECT_EQ(ViewX(m, 0, 1), 0.0f);
    EXPECT_EQ(m.viewApex[0][2], 0.0f);
    EXPECT_EQ(FaceRow(m, 0, 4), std::vector<int>(4, 7));
}

TEST(Projection, RadiusWhoseEightfoldLeavesSixteenBitsIsAnError) {
    for (int16_t radius : {int16_t{4095}, int16_t{4096}}) {
        ModelState m = MakeModel(Wuerfel, radius);
        const ShapeValues shape{4, 1};
        GenerateBodyPoints(m, shape);
        if (radius == 4095)
            EXPECT_TRUE(ProjectBodyPoints(m, shape, {}));
        else
            EXPECT_THROW(ProjectBodyPoints(m, shape, {}), ComputationError);
    }
}

TEST(Projection, FrameIndexWhoseDoubleLeavesSixteenBitsIsAnError) {
    ModelState m = MakeModel(Wuerfel, 100);
    const ShapeValues shape{4, 1};
    GenerateBodyPoints(m, shape);
    m.turnRunning = 1;
    m.frameIndex = 16383;
    EXPECT_TRUE(ProjectBodyPoints(m, shape, {}));
    m.frameIndex = 16384;
    EXPECT_THROW(ProjectBodyPoints(m, shape, {}), ComputationError);
}

// The corners' names as a school book gives them, at the pixels the painter draws them: rings
// from the lowest, each from the corner in front on the left and anticlockwise seen from above,
// letters while they fit into A..R, else ring and corner numbers; the apexes' own letters.
struct NamingCase {
    int body, corners, levels;
    std::vector<std::string> first; // the first names, in order
    std::string lastRingCorner;     // the name of the last ring corner
    std::string above, below;       // the apexes' names, "" where the body has none
};

class CornerNaming : public ::testing::TestWithParam<NamingCase> {};

TEST_P(CornerNaming, NamesEveryCornerThePainterDrawsOnItsPixel) {
    const NamingCase c = GetParam();
    BodyScene scene;
    scene.body = c.body;
    scene.radius = 100;
    scene.shape = {c.corners, c.levels};
    scene.view.tilt = 30;
    scene.view.offset = 3;
    const ModelState m = SetUpScene(scene);
    PaintInput in = ViewPaintInput(m, c.corners, c.levels);
    const std::vector<NamedCorner> named = NamedCorners(in);

    const int rings = HighestRing(c.body, c.levels) + 1;
    const std::size_t apexes = (c.above.empty() ? 0 : 1) + (c.below.empty() ? 0 : 1);
    ASSERT_EQ(named.size(), std::size_t(rings * c.corners) + apexes);
    std::set<std::string> distinct;
    for (const NamedCorner& n : named)
        distinct.insert(n.name);
    EXPECT_EQ(distinct.size(), named.size());
    for (std::size_t k = 0; k < c.first.size(); ++k)
        EXPECT_EQ(named[k].name, c.first[k]);
    EXPECT_EQ(named[std::size_t(rings * c.corners) - 1].name, c.lastRingCorner);

    // The first corner stands in front on the left of the lowest ring, the second to its right;
    // a prism's upper ring starts above the first corner; the apexes lie above and below the
    // rings.
    const PolyPoint a = named[0].at, b = named[1].at;
    int ringTop = a.y, ringBottom = a.y;
    for (int k = 0; k < c.corners; ++k) {
        ringTop = std::min(ringTop, named[std::size_t(k)].at.y);
        ringBottom = std::max(ringBottom, named[std::size_t(k)].at.y);
    }
    EXPECT_LT(a.x, m.viewRadius);
    EXPECT_GT(a.y, (ringTop + ringBottom) / 2);
    EXPECT_GT(b.x, a.x);
    if (rings == 2) {
        const PolyPoint up = named[std::size_t(c.corners)].at;
        EXPECT_NEAR(up.x, a.x, 0.2 * m.viewRadius);
        EXPECT_LT(up.y, a.y);
    }
    for (std::size_t k = std::size_t(rings * c.corners); k < named.size(); ++k) {
        const NamedCorner& apex = named[k];
        EXPECT_EQ(apex.ring, -1);
        if (apex.name == c.above)
            EXPECT_LT(apex.at.y, named[std::size_t((rings - 1) * c.corners)].at.y) << apex.name;
        else
            EXPECT_EQ(apex.name, c.below);
    }

    // Every edge the painter draws, in either look, runs between two named corners.
    std::set<std::pair<int, int>> pixels;
    for (const NamedCorner& n : named)
        pixels.emplace(n.at.x, n.at.y);
    FixedAppearance look;
    for (bool smooth : {false, true}) {
        in.smooth = smooth;
        EdgeCollector collector;
        std::array<PolyPoint, kPolyPointCount> buffer{};
        PaintBody(collector, in, look, buffer);
        int edges = 0;
        for (const DrawStep& step : collector.steps())
            if (const auto* edge = std::get_if<DrawnEdge>(&step)) {
                ++edges;
                EXPECT_TRUE(pixels.count({edge->from.x, edge->from.y}) &&
                            pixels.count({edge->to.x, edge->to.y}))
                    << edge->from.x << "," << edge->from.y << " - " << edge->to.x << ","
                    << edge->to.y;
            }
        EXPECT_GT(edges, 0);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Bodies, CornerNaming,
    ::testing::Values(
        NamingCase{Wuerfel, 4, 1, {"A", "B", "C", "D", "E", "F", "G", "H"}, "H", "", ""},
        NamingCase{Wuerfel, 9, 1, {"A", "B"}, "R", "", ""},
        NamingCase{Wuerfel, 10, 1, {"P1_1", "P1_2"}, "P2_10", "", ""},
        NamingCase{Zylinder, 18, 1, {"P1_1", "P1_2"}, "P2_18", "", ""},
        NamingCase{Pyramide, 4, 1, {"A", "B", "C", "D"}, "D", "S", ""},
        NamingCase{Kegel, 18, 1, {"A", "B"}, "R", "S", ""},
        NamingCase{Kegel, 19, 1, {"P1_1"}, "P1_19", "S", ""},
        NamingCase{Oktaeder, 4, 2, {"A", "B", "C", "D"}, "D", "S", "T"},
        NamingCase{Trichter, 18, 1, {"A"}, "R", "", "S"},
        NamingCase{Kugel, 18, 18, {"P1_1", "P1_2"}, "P17_18", "N", "S"},
        NamingCase{Kugel, 4, 2, {"P1_1", "P1_2", "P1_3", "P1_4"}, "P1_4", "N", "S"}),
    [](const auto& info) {
        return std::string(kBodyNames[info.param.body] == std::string("Würfel")
                               ? "Wuerfel"
                               : kBodyNames[info.param.body]) +
               std::to_string(info.param.corners) + "x" + std::to_string(info.param.levels);
    });

} // namespace
} // namespace solifa
