#include "core/body_geometry.h"

#include <vector>

#include <cmath>
#include <limits>

#include "core/body_topology.h"
#include "core/rounding.h"
#include "core/transforms.h"

namespace solifa {

namespace {

constexpr double kPi = 3.1415926535;
constexpr double kTwoPi = 6.283185307;

// 16-bit integer product, as the depth scale and the frame step form theirs.
int16_t multiplyInt16(int a, int b) {
    const long product = static_cast<long>(a) * b;
    if (product < std::numeric_limits<int16_t>::min() ||
        product > std::numeric_limits<int16_t>::max())
        throw ComputationError("16-bit overflow");
    return static_cast<int16_t>(product);
}

// The corners of a ring of radius R, R * sin and R * cos of each corner angle, taken once per
// generation and shared by every ring.
struct CornerCircle {
    CornerCircle(double r, int corners, double cornerStep) : x(corners + 1), y(corners + 1) {
        for (int j = 0; j <= corners; ++j) {
            x[j] = r * std::sin(j * cornerStep);
            y[j] = r * std::cos(j * cornerStep);
        }
    }
    std::vector<double> x;
    std::vector<double> y;
};

// Writes one ring of radius scale * R at height z into level `level`.
void writeRing(ModelState& m, int level, const CornerCircle& circle, double scale, int16_t z) {
    for (std::size_t j = 0; j < circle.x.size(); ++j) {
        m.bodyPoints.at(level, int(j), 0) = roundToInt16(scale * circle.x[j]);
        m.bodyPoints.at(level, int(j), 1) = roundToInt16(scale * circle.y[j]);
        m.bodyPoints.at(level, int(j), 2) = z;
    }
}

void setApex(ModelState& m, int e, int16_t z) {
    m.bodyApex[e][0] = 0;
    m.bodyApex[e][1] = 0;
    m.bodyApex[e][2] = z;
}

// Depth factor: a point at depth -R (nearest) keeps its size, one at +R shrinks to 3/4.
float depthFactor(int16_t radius, float depth) {
    const int16_t eightR = multiplyInt16(8, radius);
    return 1.0f - (static_cast<float>(radius) + depth) / static_cast<float>(eightR);
}

// Spin about the body axis. The running turn advances one corner step per frameCount frames;
// the offset turns by eighths of the corner step of the saved corner count.
double SpinAngle(const ModelState& m, int corners, const ViewValues& view) {
    if (m.turnRunning != 0) {
        const double divisor = static_cast<double>(corners) * m.frameCount;
        if (divisor == 0)
            throw ComputationError("division by zero");
        return multiplyInt16(2, m.frameIndex) * kPi / divisor;
    }
    const int divisor = 4 * m.cornersPerBody[m.currentBody];
    if (divisor == 0)
        throw ComputationError("division by zero");
    return static_cast<double>(view.offset) * kPi / divisor;
}

// What every point of one projection shares: the tilt as the angle-table index, the rotation,
// the zoom factor, the position and the radius that centres the view.
struct Projection {
    int tilt;
    int rotation;
    double zoom;
    int positionX;
    int positionY;
    int16_t radius;
};

Projection ProjectionOf(const ModelState& m, const ViewValues& view) {
    return Projection{.tilt = roundToInt16(360 - static_cast<double>(view.tilt)),
                      .rotation = view.rotation,
                      .zoom = view.zoom / 100.0,
                      .positionX = view.positionX,
                      .positionY = view.positionY,
                      .radius = m.viewRadius};
}

// Tilts a point about the x axis, rotates it about the view's vertical axis, shrinks it by its
// depth and zooms and places it: x and z become the view coordinates, y the depth. Each stage
// writes its result back in single precision before the next one reads it, so every
// intermediate value is rounded to float.
void ProjectPoint(const ModelState& m, const Projection& p, float& x, float& y, float& z) {
    const float y2 = RotateDegFirst(m, y, z, p.tilt);
    const float z2 = RotateDegSecond(m, y, z, p.tilt);
    z = z2;
    y = y2;

    const float x3 = RotateDegFirst(m, x, y, p.rotation);
    const float y3 = RotateDegSecond(m, x, y, p.rotation);
    y = y3;
    x = x3;

    const float f = depthFactor(p.radius, y);
    x = static_cast<float>(((p.zoom * x) * f + p.radius) + p.positionX);
    z = static_cast<float>(((p.zoom * z) * f + p.radius) + p.positionY);
}

// Spins the ring points of levels 0..lastLevel about the body axis, then projects them.
void ProjectRings(ModelState& m, const Projection& p, const RadAngle& spin, int corners,
                  int lastLevel) {
    for (int i = 0; i <= lastLevel; ++i) {
        for (int j = 0; j <= corners; ++j) {
            const double x = m.bodyPoints.at(i, j, 0);
            const double y = m.bodyPoints.at(i, j, 1);
            float& vx = m.viewPoints.at(i, j, 0);
            float& vy = m.viewPoints.at(i, j, 1);
            float& vz = m.viewPoints.at(i, j, 2);
            vx = static_cast<float>(RotateRadFirst(m, x, y, spin));
            vy = static_cast<float>(RotateRadSecond(m, x, y, spin));
            vz = m.bodyPoints.at(i, j, 2);
            ProjectPoint(m, p, vx, vy, vz);
        }
    }
}

// Which way round each projected face runs: the bands between neighbouring rings, then the
// fans from a ring to the apexes, to the first apex with the corners in falling order, to the
// second apex with the corners in rising order.
void OrientFaces(ModelState& m, const ShapeValues& shape, const BodyTopology& topology) {
    const int corners = shape.corners;
    const int levels = shape.levels;
    const auto viewX = [&m](int i, int j) { return m.viewPoints.at(i, j, 0); };
    const auto viewY = [&m](int i, int j) { return m.viewPoints.at(i, j, 2); };

    const int lastBand = topology.lastBand.at(levels);
    for (int i = 0; i <= lastBand; ++i) {
        for (int j = 0; j <= corners - 1; ++j) {
            m.faceSide.at(i, j) =
                FaceOrientation(viewX(i, j), viewX(i, j + 1), viewX(i + 1, j + 1), viewY(i, j),
                                viewY(i, j + 1), viewY(i + 1, j + 1));
        }
    }

    if (!topology.hasFans)
        return;
    const int firstApexRow = topology.firstFan.row.at(levels);
    const int secondApexRow = topology.secondFan.row.at(levels);
    const int firstRing = topology.firstFan.ring.at(levels);
    const int secondRing = topology.secondFan.ring.at(levels);
    const float xa = m.viewApex[0][0];
    const float ya = m.viewApex[0][2];
    const float xb = m.viewApex[1][0];
    const float yb = m.viewApex[1][2];
    for (int j = 0; j <= corners - 1; ++j) {
        m.faceSide.at(firstApexRow, j) =
            FaceOrientation(viewX(firstRing, j + 1), viewX(firstRing, j), xa,
                            viewY(firstRing, j + 1), viewY(firstRing, j), ya);
        m.faceSide.at(secondApexRow, j) =
            FaceOrientation(viewX(secondRing, j), viewX(secondRing, j + 1), xb,
                            viewY(secondRing, j), viewY(secondRing, j + 1), yb);
    }
}

} // namespace

void GenerateBodyPoints(ModelState& m, const ShapeValues& shape) {
    const int corners = shape.corners;
    const int levels = shape.levels;
    m.bodyPoints.recreate(levels, corners);
    m.viewPoints.recreate(levels, corners);
    m.outputPoints.recreate(levels, corners);
    m.faceSide.recreate(levels, corners);

    const double levelStep = kPi / static_cast<double>(levels);
    const double cornerStep = kTwoPi / static_cast<double>(corners);
    const CornerCircle circle(m.viewRadius, corners, cornerStep);
    const int16_t r = m.viewRadius;
    const double rd = r;

    switch (m.currentBody) {
    case Kugel:
        setApex(m, 0, r);
        setApex(m, 1, roundToInt16(-rd));
        // Rings of latitude strictly between the poles: L - 1 of them.
        for (int k = 0; k <= levels - 2; ++k) {
            const double theta = (k + 1) * levelStep;
            writeRing(m, k, circle, std::sin(theta), roundToInt16(rd * std::cos(theta)));
        }
        break;
    case Wuerfel:
    case Zylinder: {
        // Height sqrt(2) * R: with four corners the side of the square equals the height.
        const int16_t height = roundToInt16(std::sqrt(2.0) * rd);
        writeRing(m, 0, circle, 1.0, roundToInt16(height / 2.0));
        writeRing(m, 1, circle, 1.0, roundToInt16(height / 2.0 - height));
        break;
    }
    case Oktaeder:
        setApex(m, 0, r);
        setApex(m, 1, roundToInt16(-rd));
        writeRing(m, 0, circle, 1.0, 0);
        break;
    case Pyramide:
    case Kegel:
        setApex(m, 1, roundToInt16(-rd / 2));
        writeRing(m, 0, circle, 1.0, roundToInt16(rd / 2));
        break;
    case Trichter:
        setApex(m, 0, roundToInt16(rd / 2));
        writeRing(m, 0, circle, 1.0, roundToInt16(-rd / 2));
        break;
    default:
        throw ComputationError("unknown body");
    }
}

bool ProjectBodyPoints(ModelState& m, const ShapeValues& shape, const ViewValues& view) {
    if (m.recomputeSuppressed != 0)
        return false;
    const BodyTopology& topology = TopologyOf(m.currentBody);
    const RadAngle spin(SpinAngle(m, shape.corners, view));
    const Projection p = ProjectionOf(m, view);
    ProjectRings(m, p, spin, shape.corners, topology.highestRing.at(shape.levels));
    // The apexes lie on the axis, so they are tilted and rotated but not spun.
    for (int e = 0; e < 2; ++e) {
        float* a = m.viewApex[e];
        a[0] = m.bodyApex[e][0];
        a[1] = m.bodyApex[e][1];
        a[2] = m.bodyApex[e][2];
        ProjectPoint(m, p, a[0], a[1], a[2]);
    }
    OrientFaces(m, shape, topology);
    return true;
}

ModelState SetUpScene(const BodyScene& scene) {
    ModelState m;
    FillAngleTables(m);
    ResetModelDefaults(m);
    m.viewRadius = scene.radius;
    m.bodyApex[0][2] = scene.radius;
    m.bodyApex[1][2] = static_cast<int16_t>(-scene.radius);
    m.currentBody = static_cast<uint8_t>(scene.body);
    // The offset turns by eighths of the corner step of the saved corner count.
    m.cornersPerBody[scene.body] = static_cast<uint8_t>(scene.shape.corners);
    m.levelsPerBody[scene.body] = static_cast<uint8_t>(scene.shape.levels);
    m.turnSign = scene.mirror ? -1 : 1;
    if (scene.frameCount > 0) {
        m.turnRunning = 1;
        m.frameCount = static_cast<int16_t>(scene.frameCount);
        m.frameIndex = static_cast<int16_t>(scene.frameIndex);
    }
    GenerateBodyPoints(m, scene.shape);
    ProjectBodyPoints(m, scene.shape, scene.view);
    return m;
}

int16_t ViewRadiusFor(int innerWidth) {
    return roundToInt16(innerWidth / 2.0);
}

} // namespace solifa
