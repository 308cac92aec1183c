#pragma once
// A model as the program has it after start-up, for a chosen body and view radius.
#include "core/body_geometry.h"
#include "core/model_state.h"

namespace solifa::testing {

inline ModelState MakeModel(int body, int16_t radius) {
    ModelState m;
    FillAngleTables(m);
    ResetModelDefaults(m);
    m.currentBody = static_cast<uint8_t>(body);
    m.viewRadius = radius;
    return m;
}

// Generates and projects with the given values; the saved corner count of the body is the
// shown one, as right after the body was selected.
inline ModelState Build(int body, int16_t radius, int corners, int levels,
                        const ViewValues& view = {}) {
    return SetUpScene({.body = body, .radius = radius, .shape = {corners, levels}, .view = view});
}

} // namespace solifa::testing
