#include "core/corner_names.h"

#include "core/body_topology.h"
#include "core/errors.h"
#include "core/rounding.h"

namespace solifa {

namespace {

// A to R; S and T name apexes, and the sphere's N never meets a letter, as its rings take
// numbers.
constexpr int kRingLetters = 18;

PolyPoint Rounded(float x, float y) {
    return {roundToInt32(x), roundToInt32(y)};
}

} // namespace

std::vector<NamedCorner> NamedCorners(const PaintInput& in) {
    const BodyTopology& plan = TopologyOf(in.body);
    if (in.points == nullptr)
        throw ComputationError("no projected body");
    const int n = in.corners;
    const int rings = plan.highestRing.at(in.levels) + 1;
    const bool letters = in.body != Kugel && n * rings <= kRingLetters;
    std::vector<NamedCorner> named;
    // The corners run clockwise seen from above, from the one at the back; the offset turns
    // them less than a corner step, towards the left. Corner n / 2 + 1 then stands in front on
    // the left, and the names go backwards from it.
    const int first = n / 2 + 1;
    for (int ring = 0; ring < rings; ++ring) {
        for (int k = 0; k < n; ++k) {
            const int corner = ((first - k) % n + n) % n;
            const std::string name =
                letters ? std::string(1, char('A' + ring * n + k))
                        : "P" + std::to_string(ring + 1) + "_" + std::to_string(k + 1);
            named.push_back(
                {name, Rounded(in.points->at(ring, corner, 0), in.points->at(ring, corner, 2)),
                 ring});
        }
    }
    // Apex 0 lies below the rings, apex 1 above them; only the apexes a fan reaches are corners.
    const char* below = in.body == Oktaeder ? "T" : "S";
    const char* above = in.body == Kugel ? "N" : "S";
    if (plan.firstFan.drawn || plan.secondFan.drawn) {
        if (in.apex == nullptr)
            throw ComputationError("no apex points");
        if (plan.secondFan.drawn)
            named.push_back({above, Rounded(in.apex[1][0], in.apex[1][2]), -1});
        if (plan.firstFan.drawn)
            named.push_back({below, Rounded(in.apex[0][0], in.apex[0][2]), -1});
    }
    return named;
}

} // namespace solifa
