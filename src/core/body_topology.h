#pragma once
// The faces of each body, once for all who read them: which rings the body has, which fans to
// its apexes and which bands between its rings, its end caps, and the faceSide rows that hold
// the orientation of each group. The projection orients the faces by this table and the
// painter draws them by it, so the two always agree on where a group's orientations lie.
#include <array>

#include "core/model_state.h"

namespace solifa {

// A ring or row index that may grow with the body's level count L: perLevel * L + offset.
struct LevelTerm {
    int perLevel = 0;
    int offset = 0;
    constexpr int at(int levels) const { return perLevel * levels + offset; }
};

constexpr LevelTerm Fixed(int index) {
    return {0, index};
}
constexpr LevelTerm LevelsPlus(int offset) {
    return {1, offset};
}

// A fan of triangles from a ring to an apex, and the faceSide row of its orientations.
struct FanPlan {
    bool drawn = false; // false: the body has no such apex; its row is oriented, never drawn
    LevelTerm ring;
    LevelTerm row;
};

struct BodyTopology {
    LevelTerm highestRing; // rings 0 .. highestRing are generated, projected and drawn
    LevelTerm lastBand;    // bands j = 0 .. lastBand between ring j and j + 1, in row j
    // The projection orients both fans of a body with apexes: the first from ring 0 to apex 0
    // with the corners in falling order, the second from its ring to apex 1 in rising order.
    bool hasFans = false;
    FanPlan firstFan;
    FanPlan secondFan;
    int bottomCapRing = -1; // -1: no such cap
    int topCapRing = -1;
    // The bands and fans approximate one curved surface, whose facets the textbook look
    // merges; a body of flat faces keeps every edge.
    bool curved = false;
};

namespace topology_detail {
// The first fan's row L - 1 and the second's L follow the bands' rows 0 .. L - 3; with one
// level (pyramid, cone, funnel) the first fan's row 0 is where a band would lie.
constexpr FanPlan FirstFan(bool drawn) {
    return {drawn, Fixed(0), LevelsPlus(-1)};
}
constexpr FanPlan SecondFan(bool drawn, LevelTerm ring) {
    return {drawn, ring, LevelsPlus(0)};
}
constexpr LevelTerm kNoBand = Fixed(-1);
} // namespace topology_detail

// By body index.
inline constexpr std::array<BodyTopology, kBodyCount> kBodyTopology = [] {
    using namespace topology_detail;
    std::array<BodyTopology, kBodyCount> t{};
    // L - 1 rings of latitude between the poles; with L = 2 both fans stand on ring 0.
    t[Kugel] = {.highestRing = LevelsPlus(-2),
                .lastBand = LevelsPlus(-3),
                .hasFans = true,
                .firstFan = FirstFan(true),
                .secondFan = SecondFan(true, LevelsPlus(-2)),
                .curved = true};
    // A prism: two rings, one band, a cap on each ring.
    t[Wuerfel] = {.highestRing = Fixed(1),
                  .lastBand = Fixed(0),
                  .hasFans = false,
                  .firstFan = {},
                  .secondFan = {},
                  .bottomCapRing = 0,
                  .topCapRing = 1};
    t[Zylinder] = t[Wuerfel];
    t[Zylinder].curved = true;
    // A double pyramid: one ring between two apexes.
    t[Oktaeder] = {.highestRing = Fixed(0),
                   .lastBand = kNoBand,
                   .hasFans = true,
                   .firstFan = FirstFan(true),
                   .secondFan = SecondFan(true, LevelsPlus(-2))};
    // One ring and the apex above it, closed by the bottom cap.
    t[Pyramide] = {.highestRing = Fixed(0),
                   .lastBand = kNoBand,
                   .hasFans = true,
                   .firstFan = FirstFan(false),
                   .secondFan = SecondFan(true, Fixed(0)),
                   .bottomCapRing = 0};
    t[Kegel] = t[Pyramide];
    t[Kegel].curved = true;
    // One ring and the apex below it, closed by the top cap.
    t[Trichter] = {.highestRing = Fixed(0),
                   .lastBand = kNoBand,
                   .hasFans = true,
                   .firstFan = FirstFan(true),
                   .secondFan = SecondFan(false, Fixed(0)),
                   .topCapRing = 0,
                   .curved = true};
    return t;
}();

// The topology of a body index; throws ComputationError for an index that is no body.
const BodyTopology& TopologyOf(int body);

// Highest ring the body uses (and draws); the sphere's depends on its levels.
inline int HighestRing(int body, int levels) {
    return TopologyOf(body).highestRing.at(levels);
}

} // namespace solifa
