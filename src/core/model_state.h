#pragma once
// The one record of state that every computation reads: the selected body, the saved
// parameters of each body, the angle tables, the generated points, their projection and
// the orientation of every face. The five current shape parameters are not here: the
// window keeps them as the captions of its value labels and hands them over as numbers.
#include <array>
#include <cstdint>
#include <map>
#include <string>

#include "core/grid.h"

namespace solifa {

enum BodyKind : uint8_t {
    Kugel = 0, // sphere
    Wuerfel,   // cube
    Oktaeder,  // octahedron
    Zylinder,  // cylinder
    Pyramide,  // pyramid
    Kegel,     // cone
    Trichter,  // funnel
};
constexpr int kBodyCount = 7;

// The body buttons come first in their button array, then one button per offset digit 0..7:
// the button of digit d has index kFirstDigitButton + d.
constexpr int kDigitCount = 8;
constexpr int kFirstDigitButton = kBodyCount;
constexpr int kLastDigitButton = kFirstDigitButton + kDigitCount - 1;
constexpr int kBodyAndDigitButtons = kBodyCount + kDigitCount;

// Button captions of the bodies, by body index.
inline constexpr std::array<const char*, kBodyCount> kBodyNames = {
    "Kugel", "Würfel", "Oktaeder", "Zylinder", "Pyramide", "Kegel", "Trichter"};

inline constexpr std::array<uint8_t, kBodyCount> kDefaultCorners = {18, 4, 4, 18, 4, 18, 18};
inline constexpr std::array<uint8_t, kBodyCount> kDefaultLevels = {18, 1, 2, 1, 1, 1, 1};

// Frames of one corner step of the turn about the body axis, at start.
constexpr int16_t kStartFrameCount = 8;

// A corner or level count never exceeds this; a ring with its closing corner has 37 points.
constexpr int kMaxCorners = 36;
constexpr int kPolyPointCount = 37;

struct PolyPoint {
    int32_t x = 0;
    int32_t y = 0;
};

// Design place and size of a control, in twips relative to its container.
struct DesignRect {
    int16_t left = 0;
    int16_t top = 0;
    int16_t width = 0;
    int16_t height = 0;
};

// Design end points of a line, in twips inside its picture.
struct DesignLine {
    int16_t x1 = 0;
    int16_t x2 = 0;
    int16_t y1 = 0;
    int16_t y2 = 0;
};

// The part of the record that starts the same in every session and that a reset brings back:
// these initialisers are the one statement of its start values.
struct ModelStart {
    int16_t turnSign = 1;
    uint8_t currentBody = Kugel;
    uint8_t selectedDigitButton = kFirstDigitButton;
    std::array<uint8_t, kBodyCount> cornersPerBody = kDefaultCorners;
    std::array<uint8_t, kBodyCount> levelsPerBody = kDefaultLevels;
    uint8_t turnRunning = 0;
    int16_t frameCount = kStartFrameCount;
    int16_t frameIndex = 0;
    uint8_t framesToWrite = 0;
    float outputScale = 1.0f;
};

struct ModelState : ModelStart {
    std::array<PolyPoint, kPolyPointCount> polyPoints{};
    int16_t viewRadius = 0;
    int16_t bodyApex[2][3] = {};
    float viewApex[2][3] = {};
    float outputApex[2][3] = {};
    Grid3<int16_t> bodyPoints;
    Grid3<float> viewPoints;
    Grid2<uint8_t> faceSide;
    Grid3<float> outputPoints;
    std::array<float, 361> sinTable{};
    std::array<float, 361> cosTable{};
    uint8_t recomputeSuppressed = 0;
    std::string startFolder;
    int16_t designFormWidth = 0;
    int16_t designFormHeight = 0;
    std::map<std::string, DesignRect> designGeometry; // keyed by control name, "HScroll1(2)"
    std::map<std::string, DesignLine> designLines;    // keyed by line name, "Line1(0)"
};

// Fills sinTable and cosTable: entry i is sin/cos of (3.1415926535 / 180) * i, formed in
// double precision and stored in single precision.
void FillAngleTables(ModelState& m);

// The start values of the record's ModelStart part, as at program start; the tables, the
// points, the radius and the design stay.
void ResetModelDefaults(ModelState& m);

} // namespace solifa
