#pragma once
// Generation of a body's points and their projection onto the view.
#include "core/body_topology.h"
#include "core/model_state.h"
#include "core/settings.h"

namespace solifa {

// The shape and view values that the window reads from its controls at the moment of a
// recomputation (value-label captions and scroll-bar values), as plain numbers.
struct ShapeValues {
    int corners = kCornersSetting.start; // caption of the corners label
    int levels = kLevelsSetting.start;   // caption of the levels label
};

struct ViewValues {
    int tilt = kTiltSetting.start;          // caption of the tilt label
    int rotation = kRotationSetting.start;  // caption of the rotation label
    int offset = kOffsetSetting.start;      // caption of the offset label
    int zoom = kZoomSetting.start;          // zoom bar value
    int positionX = kPositionSetting.start; // horizontal position bar value
    int positionY = kPositionSetting.start; // vertical position bar value (positive moves down)
};

// A body standing in a view, as the program shows it after start-up and the body's selection.
struct BodyScene {
    int body = Kugel;
    int16_t radius = 0;
    ShapeValues shape;
    ViewValues view;
    bool mirror = false; // turned the other way round
    // 0: the still picture, turned by the offset; else frame `frameIndex` of a turn of one
    // corner step in `frameCount` frames.
    int frameCount = 0;
    int frameIndex = 0;
};

// The record with its tables and start values, set up for the scene: the body selected with
// its corners and levels saved, generated and projected. The apexes a body does not set are
// the sphere's poles, as the sphere the program starts with leaves them.
ModelState SetUpScene(const BodyScene& scene);

// Builds bodyPoints and bodyApex of m.currentBody for radius m.viewRadius, re-creating
// bodyPoints, viewPoints, outputPoints and faceSide with every entry 0.
// Does not project: the caller projects afterwards.
void GenerateBodyPoints(ModelState& m, const ShapeValues& shape);

// Spins, tilts, rotates and projects the points into viewPoints and viewApex and decides
// faceSide. Returns false (and does nothing) while m.recomputeSuppressed is set.
bool ProjectBodyPoints(ModelState& m, const ShapeValues& shape, const ViewValues& view);

// The body radius for a view picture of the given inner width in pixels: half of it, rounded
// half to even (213 gives 106). It is also the offset of the view centre.
int16_t ViewRadiusFor(int innerWidth);

} // namespace solifa
