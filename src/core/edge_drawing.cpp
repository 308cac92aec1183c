#include "core/edge_drawing.h"

#include <cstdint>
#include <unordered_map>

namespace solifa {

namespace {

// Both ends of a canonical segment in one key; picture coordinates fit 32 bits each.
struct SegmentKey {
    int64_t from;
    int64_t to;
    bool operator==(const SegmentKey&) const = default;
};

struct SegmentHash {
    std::size_t operator()(const SegmentKey& k) const noexcept {
        // Unsigned arithmetic wraps by definition, as a hash may.
        return std::hash<uint64_t>()(static_cast<uint64_t>(k.from) * 1000003u ^
                                     static_cast<uint64_t>(k.to));
    }
};

int64_t PackPoint(PolyPoint p) {
    return static_cast<int64_t>(uint64_t(uint32_t(p.x)) << 32 | uint32_t(p.y));
}

SegmentKey KeyOf(const DrawnEdge& e) {
    return {PackPoint(e.from), PackPoint(e.to)};
}

} // namespace

DrawnEdge CanonicalEdge(PolyPoint a, PolyPoint b) {
    const bool aFirst = a.y < b.y || (a.y == b.y && a.x <= b.x);
    DrawnEdge edge;
    edge.from = aFirst ? a : b;
    edge.to = aFirst ? b : a;
    return edge;
}

void EdgeCollector::addSegments(const PolyPoint* points, int count, bool closed) {
    ForEachSegment(points, count, closed, [this](DrawnEdge edge) {
        edge.color = foreColor_;
        edge.style = drawStyle_;
        recorded_.emplace_back(edge);
    });
}

void EdgeCollector::polygon(const PolyPoint* points, int count) {
    fillPolygon(points, count);
    addSegments(points, count, true);
}

void EdgeCollector::fillPolygon(const PolyPoint* points, int count) {
    if (count > 0 && fillStyle_ == 0)
        recorded_.emplace_back(DrawnFill{{points, points + count}, fillColor_, polyFillMode_});
}

void EdgeCollector::polyline(const PolyPoint* points, int count) {
    addSegments(points, count, false);
}

std::vector<DrawStep> EdgeCollector::steps() const {
    std::unordered_map<SegmentKey, std::size_t, SegmentHash> last;
    for (std::size_t i = 0; i < recorded_.size(); ++i)
        if (const auto* edge = std::get_if<DrawnEdge>(&recorded_[i]))
            last[KeyOf(*edge)] = i;
    std::vector<DrawStep> steps;
    steps.reserve(recorded_.size());
    for (std::size_t i = 0; i < recorded_.size(); ++i) {
        const auto* edge = std::get_if<DrawnEdge>(&recorded_[i]);
        if (edge == nullptr || last.at(KeyOf(*edge)) == i)
            steps.push_back(recorded_[i]);
    }
    return steps;
}

} // namespace solifa
