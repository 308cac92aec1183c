#include "core/model_state.h"

#include <cmath>

namespace solifa {

void FillAngleTables(ModelState& m) {
    // The shortened constant is deliberate: the tables hold the values of this angle step,
    // so entries such as cos 90 and sin 180 are tiny non-zero numbers.
    const double degree = 3.1415926535 / 180;
    for (int i = 0; i <= 360; ++i) {
        const double a = degree * i;
        m.sinTable[i] = static_cast<float>(std::sin(a));
        m.cosTable[i] = static_cast<float>(std::cos(a));
    }
}

void ResetModelDefaults(ModelState& m) {
    static_cast<ModelStart&>(m) = ModelStart{};
}

} // namespace solifa
