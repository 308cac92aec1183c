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

// The appearance: the sample lines' dash styles, starting solid, and the start look: front
// faces as yellow outlines over green, back faces red with dotted black lines, caps red 192
// from inside and purple from outside, all on blue.
inline constexpr SettingRange kDashSetting{kFirstDashStyle, kLastDashStyle, DashStyleOf(Solid)};
inline constexpr FaceGroupStyle kStartFrontFaces{.faceColor = MakeColorRef(0, 128, 0),
                                                 .lineColor = MakeColorRef(255, 255, 0),
                                                 .dashStyle = DashStyleOf(Solid),
                                                 .transparent = true,
                                                 .visible = true};
inline constexpr FaceGroupStyle kStartBackFaces{.faceColor = MakeColorRef(255, 0, 0),
                                                .lineColor = MakeColorRef(0, 0, 0),
                                                .dashStyle = DashStyleOf(Dot),
                                                .transparent = false,
                                                .visible = true};
inline constexpr ColorRef kStartCapInside = MakeColorRef(192, 0, 0);
inline constexpr ColorRef kStartCapOutside = MakeColorRef(192, 0, 192);
inline constexpr ColorRef kStartBackground = MakeColorRef(0, 0, 255);

// The turn about the body axis: frames of one corner step.
inline constexpr SettingRange kFramesSetting{3, 32, kStartFrameCount};

// The view as designed: a square picture box kDesignViewSize twips wide and high outside, at
// 15 twips to the pixel (1440 to the inch on a screen of 96 pixels per inch), inside a border
// of kPictureBorder pixels on each side. Its inner width in pixels is the view's width at start
// on such a screen and the renderer's default picture width.
inline constexpr int16_t kDesignViewSize = 3255;
inline constexpr int kDesignTwipsPerPixel = 15;
inline constexpr int kPictureBorder = 2;
static_assert(kDesignViewSize % kDesignTwipsPerPixel == 0);
inline constexpr int kStartViewWidth = kDesignViewSize / kDesignTwipsPerPixel - 2 * kPictureBorder;

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
