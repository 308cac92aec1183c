#include <gtest/gtest.h>

#include "model/model_state.h"

namespace solifa {
namespace {

struct TableEntry {
    int degree;
    float sine;
    float cosine;
};

class AngleTableEntry : public ::testing::TestWithParam<TableEntry> {};

// Entries whose exact value is representable are exact; the others carry the error of the
// shortened pi constant and must not be zero.
TEST_P(AngleTableEntry, HoldsTheSingleValueOfTheShortenedConstant) {
    ModelState m;
    FillAngleTables(m);
    const TableEntry e = GetParam();
    EXPECT_EQ(m.sinTable[e.degree], e.sine);
    EXPECT_EQ(m.cosTable[e.degree], e.cosine);
}

INSTANTIATE_TEST_SUITE_P(Degrees, AngleTableEntry,
                         ::testing::Values(TableEntry{0, 0.0f, 1.0f},
                                           TableEntry{90, 1.0f, 4.4896593387466766e-11f},
                                           TableEntry{180, 8.979318677493353e-11f, -1.0f},
                                           TableEntry{270, -1.0f, -1.346897732235064e-10f},
                                           TableEntry{360, -1.7958637354986706e-10f, 1.0f}));

TEST(ModelDefaults, ResetRestoresTheStartValuesAndLeavesTheRest) {
    ModelState m;
    m.turnSign = -1;
    m.currentBody = Trichter;
    m.selectedDigitButton = 12;
    m.cornersPerBody.fill(3);
    m.levelsPerBody.fill(9);
    m.turnRunning = 1;
    m.outputScale = 2.5f;
    m.frameCount = 20;
    m.frameIndex = 5;
    m.framesToWrite = 3;
    m.viewRadius = 106;
    m.recomputeSuppressed = 1;

    ResetModelDefaults(m);

    EXPECT_EQ(m.turnSign, 1);
    EXPECT_EQ(m.currentBody, Kugel);
    EXPECT_EQ(m.selectedDigitButton, 7);
    EXPECT_EQ(m.cornersPerBody, (std::array<uint8_t, 7>{18, 4, 4, 18, 4, 18, 18}));
    EXPECT_EQ(m.levelsPerBody, (std::array<uint8_t, 7>{18, 1, 2, 1, 1, 1, 1}));
    EXPECT_EQ(m.turnRunning, 0);
    EXPECT_EQ(m.outputScale, 1.0f);
    EXPECT_EQ(m.frameCount, 8);
    EXPECT_EQ(m.frameIndex, 0);
    EXPECT_EQ(m.framesToWrite, 0);
    // The view radius comes from the view's width, and the suppression flag belongs to the
    // body switch: neither is a start value of the reset.
    EXPECT_EQ(m.viewRadius, 106);
    EXPECT_EQ(m.recomputeSuppressed, 1);
}

} // namespace
} // namespace solifa
