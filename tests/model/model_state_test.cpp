#include <gtest/gtest.h>

#include "core/body_geometry.h"
#include "core/model_state.h"

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

// A record after a long use — another body, a mirrored turn running, other saved corners,
// the output scaled — draws as a fresh one once reset: the same body, the same turn by the
// offset, the same frame count, the same output scale.
TEST(ModelDefaults, AUsedRecordDrawsAsAFreshOneOnceReset) {
    ModelState fresh;
    FillAngleTables(fresh);
    fresh.viewRadius = 106;

    ModelState used = fresh;
    used.turnSign = -1;
    used.currentBody = Trichter;
    used.selectedDigitButton = 12;
    used.cornersPerBody.fill(3);
    used.levelsPerBody.fill(9);
    used.turnRunning = 1;
    used.outputScale = 2.5f;
    used.frameCount = 20;
    used.frameIndex = 5;
    used.framesToWrite = 3;
    used.recomputeSuppressed = 1;

    ResetModelDefaults(used);
    // The suppression flag belongs to the body switch and the radius to the view's width:
    // the reset keeps both.
    EXPECT_EQ(used.recomputeSuppressed, 1);
    EXPECT_EQ(used.viewRadius, 106);
    used.recomputeSuppressed = 0;

    const ShapeValues shape{used.cornersPerBody[used.currentBody],
                            used.levelsPerBody[used.currentBody]};
    const ViewValues view{.tilt = 30, .rotation = 20, .offset = 3};
    for (ModelState* m : {&fresh, &used}) {
        GenerateBodyPoints(*m, shape);
        ASSERT_TRUE(ProjectBodyPoints(*m, shape, view));
    }
    EXPECT_EQ(used.currentBody, fresh.currentBody);
    EXPECT_EQ(used.selectedDigitButton, fresh.selectedDigitButton);
    for (int level = 0; level <= shape.levels; ++level)
        for (int corner = 0; corner <= shape.corners; ++corner) {
            for (int axis = 0; axis < 3; ++axis)
                EXPECT_EQ(used.viewPoints.at(level, corner, axis),
                          fresh.viewPoints.at(level, corner, axis));
            EXPECT_EQ(used.faceSide.at(level, corner), fresh.faceSide.at(level, corner));
        }
    EXPECT_EQ(used.frameCount, fresh.frameCount);
    EXPECT_EQ(used.framesToWrite, 0);
    EXPECT_EQ(used.outputScale, fresh.outputScale);
}

} // namespace
} // namespace solifa
