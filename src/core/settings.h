#pragma once
// Every setting a user can make, with its range and its start value, once for the window's
// controls and the command-line renderer alike.
#include "core/body_painter.h"
#include "core/model_state.h"

namespace solifa {

// A whole-number setting: its range, inclusive, and the value it starts with.
struct SettingRange {
    int min;
    int max;
    int start;
};

// The shape of the body.
inline constexpr SettingRange kRotationSetting{0, 359, 0}; // degrees about the upright axis
inline constexpr SettingRange kTiltSetting{0, 90, 0};      // degrees towards the viewer
inline constexpr SettingRange kOffsetSetting{0, 7, 0};     // eighths of the corner step
inline constexpr SettingRange kCornersSetting{3, kMaxCorners, kDefaultCorners[Kugel]};
// The sphere needs two levels for a ring between its poles; the other bodies have one.
inline constexpr SettingRange kLevelsSetting{1, 36, kDefaultLevels[Kugel]};
inline constexpr int kSphereLevelsMin = 2;

// The view.
inline constexpr SettingRange kZoomSetting{80, 300, 100};     // hundredths
inline constexpr SettingRange kPositionSetting{-100, 100, 0}; // pixels, both directions

// The appearance: the sample lines' dash styles 1 solid .. 5 dash-dot-dot, and the start
// look: front faces as yellow outlines over green, back faces red with dotted black lines,
// caps red 192 from inside and purple from outside, all on blue.
inline constexpr SettingRange kDashSetting{1, 5, 1};
inline constexpr FaceGroupStyle kStartFrontFaces{.faceColor = MakeColorRef(0, 128, 0),
                                                 .lineColor = MakeColorRef(255, 255, 0),
                                                 .dashStyle = 1,
                                                 .transparent = true,
                                                 .visible = true};
inline constexpr FaceGroupStyle kStartBackFaces{.faceColor = MakeColorRef(255, 0, 0),
                                                .lineColor = MakeColorRef(0, 0, 0),
                                                .dashStyle = 3,
                                                .transparent = false,
                                                .visible = true};
inline constexpr ColorRef kStartCapInside = MakeColorRef(192, 0, 0);
inline constexpr ColorRef kStartCapOutside = MakeColorRef(192, 0, 192);
inline constexpr ColorRef kStartBackground = MakeColorRef(0, 0, 255);

// The turn about the body axis: frames of one corner step.
inline constexpr SettingRange kFramesSetting{3, 32, kStartFrameCount};

// The output picture's width in pixels: at least this; at most the screen's height in the
// window.
inline constexpr int kOutputSizeMin = 38;

// The start look as the painter takes it.
inline FixedAppearance StartAppearance() {
    FixedAppearance a;
    a.groups[0] = kStartBackFaces;
    a.groups[1] = kStartFrontFaces;
    a.capStyle.color[0] = kStartCapInside;
    a.capStyle.color[1] = kStartCapOutside;
    return a;
}

} // namespace solifa
