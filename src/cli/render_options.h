#pragma once
// The command line of the headless renderer: every setting the window's controls offer, with
// the controls' ranges and the window's start values, parsed into one request.
#include <QString>

#include <string>
#include <vector>

#include "core/body_painter.h"
#include "core/model_state.h"
#include "core/settings.h"
#include "files/picture_files.h"

namespace solifa {

// Range of one numeric option, inclusive: the settings of the window, and a few of the
// renderer's own.
struct OptionRange {
    int min;
    int max;
    constexpr OptionRange(int lo, int hi) : min(lo), max(hi) {}
    constexpr OptionRange(const SettingRange& s) : min(s.min), max(s.max) {}
};

inline constexpr OptionRange kCheckRange{0, 1};
inline constexpr OptionRange kDelayRange{10, 10000};
// Pixels of a bitmap, units of a drawing; the window draws one.
inline constexpr OptionRange kLineWidthRange{1, 16};
// Small enough that 8 * radius stays within 16 bits, as the depth factor needs.
inline constexpr OptionRange kViewWidthRange{kOutputSizeMin, 4096};

// The view of the window at start on a screen of 1024 x 768.
inline constexpr int kDefaultViewWidth = kStartViewWidth;
inline constexpr int kDefaultDelayMs = 40;

// The name of standard output for -o and --dump-json.
inline constexpr const char* kStandardOutput = "-";

inline bool IsStandardOutput(const std::string& name) {
    return name == kStandardOutput;
}

// The program as it is installed, which starts every line it writes to stderr.
inline constexpr const char* kProgramName = "solifa-render";

// "solifa-render: " and the text: one line on stderr.
std::string ErrorLine(const std::string& text);

// Everything one run renders. Position values are as the window's "X:" and "Y:" labels show
// them: a positive y moves the body up.
struct RenderRequest {
    int body = Kugel;
    int corners = kCornersSetting.start;
    int levels = kLevelsSetting.start;
    int rotation = kRotationSetting.start;
    int tilt = kTiltSetting.start;
    int offset = kOffsetSetting.start;
    int zoom = kZoomSetting.start;
    int x = kPositionSetting.start;
    int y = kPositionSetting.start;
    bool mirror = false;
    bool smooth = false; // the textbook look of round bodies
    FixedAppearance appearance = StartAppearance();
    ColorRef background = kStartBackground;
    int viewWidth = kDefaultViewWidth;
    int lineWidth = 1;

    // File names are the bytes given, kStandardOutput for standard output.
    std::string outputPath; // empty when only the model is dumped
    PictureFormat format = PictureFormat::Bmp;
    int frames = 0; // 0: one still picture; else one turn in this many frames
    int delayMs = kDefaultDelayMs;
    std::string jsonPath; // empty: no model dump
};

struct ParseOutcome {
    enum class Kind { Render, Help, Version, Error };
    Kind kind = Kind::Error;
    RenderRequest request;
    // The one error line (without newline), or the help or version text (with newlines).
    std::string message;
};

// Parses the arguments that follow the program name, as the bytes the system passed. Body
// names are accepted in German and English, in any letter case. "--help" or "-h" anywhere asks
// for the help; every option may be given once.
ParseOutcome ParseRenderOptions(const std::vector<std::string>& args);

std::string RenderUsage();

// "solifa-render" and the version of the build.
std::string RenderVersion();

// The body index of a German or English name ("Würfel", "wuerfel", "cube"), or -1.
int BodyFromName(const QString& name);

} // namespace solifa
