#include <gtest/gtest.h>

#include <cmath>

#include "core/errors.h"
#include "core/transforms.h"

namespace solifa {
namespace {

ModelState TablesWithSign(int16_t sign) {
    ModelState m;
    FillAngleTables(m);
    m.turnSign = sign;
    return m;
}

class RadianRotation : public ::testing::TestWithParam<int16_t> {};

TEST_P(RadianRotation, ZeroAngleScalesByTheTurnSign) {
    const ModelState m = TablesWithSign(GetParam());
    EXPECT_EQ(RotateRadFirst(m, 37, -12, 0.0), 37.0 * GetParam());
    EXPECT_EQ(RotateRadSecond(m, 37, -12, 0.0), -12.0 * GetParam());
}

INSTANTIATE_TEST_SUITE_P(TurnSigns, RadianRotation, ::testing::Values(1, -1));

TEST(DegreeRotation, OnlyTheSecondFormAppliesTheTurnSign) {
    const ModelState plus = TablesWithSign(1);
    const ModelState minus = TablesWithSign(-1);
    EXPECT_EQ(RotateDegFirst(minus, 30, 40, 60), RotateDegFirst(plus, 30, 40, 60));
    EXPECT_EQ(RotateDegSecond(minus, 30, 40, 60), -RotateDegSecond(plus, 30, 40, 60));
}

TEST(DegreeRotation, NinetyDegreesTurnsTheSecondAxisOntoTheNegativeFirst) {
    const ModelState m = TablesWithSign(1);
    EXPECT_FLOAT_EQ(RotateDegFirst(m, 0, 106, 90), -106.0f);
    EXPECT_FLOAT_EQ(RotateDegSecond(m, 106, 0, 90), 106.0f);
}

TEST(DegreeRotation, FullTurnKeepsTheTinySineOfTheTable) {
    const ModelState m = TablesWithSign(1);
    // 360 is its own table entry, not 0: its sine is about -1.8e-10, so a point 1000 pixels
    // along the second axis moves about 1.8e-7 pixels along the first.
    EXPECT_FLOAT_EQ(RotateDegFirst(m, 0, 1000, 360), 1.7958637e-7f);
    EXPECT_EQ(RotateDegFirst(m, 0, 1000, 0), 0.0f);
}

TEST(DegreeRotation, ProductsAndDifferenceAreFormedInSinglePrecision) {
    const ModelState m = TablesWithSign(1);
    // cos30 * 3 - sin30 * 4 in float; the same terms in double would round to 0.59807616.
    EXPECT_EQ(RotateDegFirst(m, 3, 4, 30), 0.5980761051177979f);
}

class DegreeIndex : public ::testing::TestWithParam<int> {};

TEST_P(DegreeIndex, OutsideTheTablesIsAComputationError) {
    const ModelState m = TablesWithSign(1);
    EXPECT_THROW(RotateDegFirst(m, 1, 2, GetParam()), ComputationError);
    EXPECT_THROW(RotateDegSecond(m, 1, 2, GetParam()), ComputationError);
}

INSTANTIATE_TEST_SUITE_P(Outside, DegreeIndex, ::testing::Values(-1, 361, 720));

struct Triangle {
    const char* name;
    float x1, x2, x3, y1, y2, y3;
    int expected;
};

class FaceOrientationOf : public ::testing::TestWithParam<Triangle> {};

TEST_P(FaceOrientationOf, IsOneOnlyForClockwiseOnScreen) {
    const Triangle t = GetParam();
    EXPECT_EQ(FaceOrientation(t.x1, t.x2, t.x3, t.y1, t.y2, t.y3), t.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Triangles, FaceOrientationOf,
    ::testing::Values(Triangle{"Clockwise", 0, 10, 10, 0, 0, 10, 1},
                      Triangle{"SecondAndThirdSwapped", 0, 10, 10, 0, 10, 0, 0},
                      Triangle{"Collinear", 0, 5, 10, 0, 5, 10, 0},
                      Triangle{"TwoEqualPoints", 3, 3, 7, 4, 4, 9, 0},
                      Triangle{"AllEqual", 2, 2, 2, 2, 2, 2, 0},
                      Triangle{"BarelyClockwise", 0, 100, 100, 0, 0, 0.001f, 1},
                      Triangle{"BarelyAnticlockwise", 0, 100, 100, 0, 0, -0.001f, 0}),
    [](const ::testing::TestParamInfo<Triangle>& info) { return info.param.name; });

} // namespace
} // namespace solifa
