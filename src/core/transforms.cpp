#include "core/transforms.h"

#include <cmath>
#include <string>

#include "core/rounding.h"

namespace solifa {

namespace {

void checkDegree(int d) {
    if (d < 0 || d > 360)
        throw ComputationError("degree index outside the angle tables: " + std::to_string(d));
}

} // namespace

double RotateRadFirst(const ModelState& m, double p, double q, const RadAngle& a) {
    return (a.cos * p - a.sin * q) * m.turnSign;
}

double RotateRadSecond(const ModelState& m, double p, double q, const RadAngle& a) {
    return (a.sin * p + a.cos * q) * m.turnSign;
}

double RotateRadFirst(const ModelState& m, double p, double q, double r) {
    return RotateRadFirst(m, p, q, RadAngle(r));
}

double RotateRadSecond(const ModelState& m, double p, double q, double r) {
    return RotateRadSecond(m, p, q, RadAngle(r));
}

float RotateDegFirst(const ModelState& m, float p, float q, int d) {
    checkDegree(d);
    return m.cosTable[d] * p - m.sinTable[d] * q;
}

float RotateDegSecond(const ModelState& m, float p, float q, int d) {
    checkDegree(d);
    return (m.sinTable[d] * p + m.cosTable[d] * q) * static_cast<float>(m.turnSign);
}

uint8_t FaceOrientation(float x1, float x2, float x3, float y1, float y2, float y3) {
    // z component of the cross product of the edges 1->2 and 2->3; with y growing downwards
    // a positive value means the triangle runs clockwise on the screen.
    const float c = (x2 - x1) * (y3 - y2) - (y2 - y1) * (x3 - x2);
    const double s = (c > 0) ? 1.0 : (c < 0 ? -1.0 : 0.0);
    // s / 2 + 0.5 is 1, 0.5 or 0; rounding half to even maps the degenerate 0.5 to 0.
    return static_cast<uint8_t>(roundHalfEven(s / 2 + 0.5));
}

} // namespace solifa
