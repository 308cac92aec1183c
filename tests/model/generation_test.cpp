#include <gtest/gtest.h>

#include "core/body_geometry.h"
#include "model_test_support.h"

namespace solifa {
namespace {

using testing::MakeModel;

struct Point {
    int x, y, z;
};

Point BodyPoint(const ModelState& m, int level, int corner) {
    return {m.bodyPoints.at(level, corner, 0), m.bodyPoints.at(level, corner, 1),
            m.bodyPoints.at(level, corner, 2)};
}

Point Apex(const ModelState& m, int e) {
    return {m.bodyApex[e][0], m.bodyApex[e][1], m.bodyApex[e][2]};
}

bool operator==(const Point& a, const Point& b) {
    return a.x == b.x && a.y == b.y && a.z == b.z;
}

void PrintTo(const Point& p, std::ostream* os) {
    *os << "(" << p.x << ", " << p.y << ", " << p.z << ")";
}

TEST(GenerateBodyPoints, RecreatesAllArraysWithTheShownBoundsAndZeros) {
    ModelState m = MakeModel(Kugel, 50);
    GenerateBodyPoints(m, {18, 18});
    m.viewPoints.at(3, 3, 0) = 7.0f;
    m.outputPoints.at(3, 3, 0) = 7.0f;
    m.faceSide.at(3, 3) = 1;

    m.currentBody = Wuerfel;
    GenerateBodyPoints(m, {5, 1});

    for (const auto* grid : {&m.viewPoints, &m.outputPoints}) {
        EXPECT_EQ(grid->maxLevel(), 1);
        EXPECT_EQ(grid->maxCorner(), 5);
        for (int i = 0; i <= 1; ++i)
            for (int j = 0; j <= 5; ++j)
                for (int a = 0; a < 3; ++a)
                    EXPECT_EQ(grid->at(i, j, a), 0.0f);
    }
    EXPECT_EQ(m.bodyPoints.maxLevel(), 1);
    EXPECT_EQ(m.bodyPoints.maxCorner(), 5);
    EXPECT_EQ(m.faceSide.maxRow(), 1);
    EXPECT_EQ(m.faceSide.maxCorner(), 5);
    EXPECT_EQ(m.faceSide.at(1, 3), 0);
}

TEST(GenerateBodyPoints, CubeWithRadius100HasTheSquareRingsAtPlusMinus70) {
    ModelState m = MakeModel(Wuerfel, 100);
    GenerateBodyPoints(m, {4, 1});
    const Point top[] = {{0, 100, 70}, {100, 0, 70}, {0, -100, 70}, {-100, 0, 70}, {0, 100, 70}};
    for (int j = 0; j <= 4; ++j) {
        EXPECT_EQ(BodyPoint(m, 0, j), top[j]) << "corner " << j;
        EXPECT_EQ(BodyPoint(m, 1, j), (Point{top[j].x, top[j].y, -70})) << "corner " << j;
    }
}

struct HeightCase {
    int body;
    int16_t radius;
    int ringZ[2]; // z of level 0 and level 1 (level 1 only for prisms)
    int apexZ[2]; // z of apex 0 and 1; kUnset where the body does not set the apex
};
constexpr int kUnset = 999;

class BodyHeights : public ::testing::TestWithParam<HeightCase> {};

// Heights that fall on a half round to even, so 70.5 gives 70 but 71.5 gives 72.
TEST_P(BodyHeights, RingsAndApexesSitAtTheRoundedHeights) {
    const HeightCase c = GetParam();
    ModelState m = MakeModel(c.body, c.radius);
    m.bodyApex[0][2] = kUnset;
    m.bodyApex[1][2] = kUnset;
    GenerateBodyPoints(m, {4, 1});
    EXPECT_EQ(m.bodyPoints.at(0, 0, 2), c.ringZ[0]);
    EXPECT_EQ(m.bodyPoints.at(1, 0, 2), c.ringZ[1]);
    EXPECT_EQ(m.bodyApex[0][2], c.apexZ[0]);
    EXPECT_EQ(m.bodyApex[1][2], c.apexZ[1]);
}

INSTANTIATE_TEST_SUITE_P(Bodies, BodyHeights,
                         ::testing::Values(HeightCase{Wuerfel, 100, {70, -70}, {kUnset, kUnset}},
                                           HeightCase{Wuerfel, 101, {72, -72}, {kUnset, kUnset}},
                                           HeightCase{Zylinder, 100, {70, -70}, {kUnset, kUnset}},
                                           HeightCase{Oktaeder, 100, {0, 0}, {100, -100}},
                                           HeightCase{Pyramide, 105, {52, 0}, {kUnset, -52}},
                                           HeightCase{Kegel, 107, {54, 0}, {kUnset, -54}},
                                           HeightCase{Trichter, 105, {-52, 0}, {52, kUnset}},
                                           HeightCase{Trichter, 107, {-54, 0}, {54, kUnset}}));

TEST(GenerateBodyPoints, ApexesTheBodyDoesNotSetKeepThePreviousBodysValues) {
    ModelState m = MakeModel(Kugel, 100);
    GenerateBodyPoints(m, {18, 18});
    m.currentBody = Pyramide;
    GenerateBodyPoints(m, {4, 1});
    EXPECT_EQ(Apex(m, 0), (Point{0, 0, 100}));
    EXPECT_EQ(Apex(m, 1), (Point{0, 0, -50}));
    m.currentBody = Zylinder;
    GenerateBodyPoints(m, {18, 1});
    EXPECT_EQ(Apex(m, 0), (Point{0, 0, 100}));
    EXPECT_EQ(Apex(m, 1), (Point{0, 0, -50}));
}

TEST(GenerateBodyPoints, SphereRingsOfFourLevelsAndSixCorners) {
    ModelState m = MakeModel(Kugel, 106);
    GenerateBodyPoints(m, {6, 4});
    const Point cap[] = {{0, 75, 0},    {65, 37, 0},  {65, -37, 0}, {0, -75, 0},
                         {-65, -37, 0}, {-65, 37, 0}, {0, 75, 0}};
    const Point equator[] = {{0, 106, 0},   {92, 53, 0},  {92, -53, 0}, {0, -106, 0},
                             {-92, -53, 0}, {-92, 53, 0}, {0, 106, 0}};
    for (int j = 0; j <= 6; ++j) {
        EXPECT_EQ(BodyPoint(m, 0, j), (Point{cap[j].x, cap[j].y, 75})) << "corner " << j;
        EXPECT_EQ(BodyPoint(m, 1, j), equator[j]) << "corner " << j;
        EXPECT_EQ(BodyPoint(m, 2, j), (Point{cap[j].x, cap[j].y, -75})) << "corner " << j;
        EXPECT_EQ(BodyPoint(m, 3, j), (Point{0, 0, 0}));
    }
}

TEST(GenerateBodyPoints, SphereCornerIsRoundedOnceFromTheFullProduct) {
    // Ring 7 of the start sphere (R 106, 18 x 18), corner 1: sin(80 deg) * (106 * sin(20 deg))
    // is 35.70, which gives 36; rounding the ring radius first would give 35.
    ModelState m = MakeModel(Kugel, 106);
    GenerateBodyPoints(m, {18, 18});
    EXPECT_EQ(m.bodyPoints.at(7, 1, 0), 36);
    EXPECT_EQ(m.bodyPoints.at(7, 4, 0), 103);
    EXPECT_EQ(m.bodyPoints.at(5, 3, 0), 79); // 79.4999999973
    EXPECT_EQ(m.bodyPoints.at(16, 0, 2), -104);
    EXPECT_EQ(m.bodyPoints.at(17, 0, 1), 0); // level 17 is not a ring
}

} // namespace
} // namespace solifa
