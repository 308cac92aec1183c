#pragma once
// The corners of a body by the names a school book gives them, where the painter puts them:
// a teacher who takes a drawing into LaTeX labels and reuses corners by these names.
//
// Ring corners take capital letters while the body's ring corners all fit into A to R: ring by
// ring from the lowest, each ring anticlockwise seen from above from the corner that stands in
// front on the left in a still picture, the corner above the first one of the ring below taking
// the next ring's first letter. The cube's lower square is A, B, C, D, A in front on the left
// and D at the back, its upper square E, F, G, H with E above A. Otherwise, and always on the
// sphere, corner k of ring r, both counted from 1 in the same order, is Pr_k. The apexes have
// letters of their own: S the apex of the pyramid, the cone and the funnel, the octahedron's
// upper apex S and lower T, and the sphere's poles N (north, upper) and S (south, lower).
#include <string>
#include <vector>

#include "core/body_painter.h"

namespace solifa {

struct NamedCorner {
    std::string name;
    PolyPoint at;  // the pixel the painter rounds the corner to
    int ring = -1; // counted from 0 at the lowest ring; -1 for an apex
};

// Every corner the body's faces reach, rings first, from the lowest, then the apexes.
std::vector<NamedCorner> NamedCorners(const PaintInput& in);

} // namespace solifa
