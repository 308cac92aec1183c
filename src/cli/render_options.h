#pragma once
// The command line of the headless renderer: every setting the window's controls offer, with
// the controls' ranges and the window's start values, parsed into one request.
#include <string>
#include <vector>

#include "model/model_state.h"
#include "render/body_painter.h"

namespace solifa {

enum class PictureFormat { Bmp, Png, Svg, Pdf, Gif };

// Range of one numeric option, inclusive.
struct OptionRange {
    int min;
    int max;
};

inline constexpr OptionRange kCornersRange{3, kMaxCorners};
inline constexpr OptionRange kLevelsRange{1, 36};
inline constexpr OptionRange kSphereLevelsRange{2, 36};
inline constexpr OptionRange kRotationRange{0, 359};
inline constexpr OptionRange kTiltRange{0, 90};
inline constexpr OptionRange kOffsetRange{0, 7};
inline constexpr OptionRange kZoomRange{80, 300};
inline constexpr OptionRange kPositionRange{-100, 100};
inline constexpr OptionRange kDashRange{1, 5};
inline constexpr OptionRange kCheckRange{0, 1};
inline constexpr OptionRange kFramesRange{3, 32};
inline constexpr OptionRange kDelayRange{10, 10000};
// Small enough that 8 * radius stays within 16 bits, as the depth factor needs.
inline constexpr OptionRange kViewWidthRange{38, 4096};

inline constexpr int kDefaultViewWidth = 213;
inline constexpr int kDefaultDelayMs = 40;

// The appearance the window starts with: front faces as yellow outlines over green, back faces
// red with dotted black lines, caps red 192 from inside and purple from outside.
FixedAppearance StartAppearance();
inline constexpr ColorRef kStartBackground = MakeColorRef(0, 0, 255);

// Everything one run renders. Position values are as the window's "X:" and "Y:" labels show
// them: a positive y moves the body up.
struct RenderRequest {
    int body = Kugel;
    int corners = kDefaultCorners[Kugel];
    int levels = kDefaultLevels[Kugel];
    int rotation = 0;
    int tilt = 0;
    int offset = 0;
    int zoom = 100;
    int x = 0;
    int y = 0;
    bool mirror = false;
    FixedAppearance appearance = StartAppearance();
    ColorRef background = kStartBackground;
    int viewWidth = kDefaultViewWidth;

    std::string outputPath; // empty when only the model is dumped
    PictureFormat format = PictureFormat::Bmp;
    int frames = 0; // 0: one still picture; else one turn in this many frames
    int delayMs = kDefaultDelayMs;
    std::string jsonPath; // empty: no model dump
};

struct ParseOutcome {
    enum class Kind { Render, Help, Error };
    Kind kind = Kind::Error;
    RenderRequest request;
    std::string message; // the one error line (without newline) or the help text
};

// Parses the arguments that follow the program name. Body names are accepted in German and
// English, in any letter case.
ParseOutcome ParseRenderOptions(const std::vector<std::string>& args);

std::string RenderUsage();

// The body index of a German or English name ("Würfel", "wuerfel", "cube"), or -1.
int BodyFromName(const std::string& name);

} // namespace solifa
