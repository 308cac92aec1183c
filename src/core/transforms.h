#pragma once
// The four plane rotations and the orientation test of a projected triangle.
// The radian pair is evaluated with sin/cos in double precision; the degree pair looks the
// angle up in the single-precision tables. Three of the four rotations apply turnSign;
// RotateDegFirst does not.
#include <cmath>
#include <cstdint>

#include "core/model_state.h"

namespace solifa {

double RotateRadFirst(const ModelState& m, double p, double q, double r);
double RotateRadSecond(const ModelState& m, double p, double q, double r);

// A radian angle with its cosine and sine taken once, for turning many points by it; the
// results are the same as with the angle itself.
struct RadAngle {
    explicit RadAngle(double r) : cos(std::cos(r)), sin(std::sin(r)) {}
    double cos;
    double sin;
};
double RotateRadFirst(const ModelState& m, double p, double q, const RadAngle& a);
double RotateRadSecond(const ModelState& m, double p, double q, const RadAngle& a);
// d must be 0..360, else ComputationError.
float RotateDegFirst(const ModelState& m, float p, float q, int d);
float RotateDegSecond(const ModelState& m, float p, float q, int d);
// 1 when (x2-x1)(y3-y2) - (y2-y1)(x3-x2) > 0 (clockwise on screen), else 0.
uint8_t FaceOrientation(float x1, float x2, float x3, float y1, float y2, float y3);

} // namespace solifa
