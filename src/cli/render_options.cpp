#include "cli/render_options.h"

#include <QFileInfo>
#include <QString>

#include <charconv>
#include <cstdio>
#include <functional>
#include <optional>

namespace solifa {

namespace {

constexpr const char* kProgram = "solifa-render";

inline constexpr std::array<const char*, kBodyCount> kEnglishBodyNames = {
    "sphere", "cube", "octahedron", "cylinder", "pyramid", "cone", "funnel"};

std::string ErrorLine(const std::string& text) {
    return std::string(kProgram) + ": " + text;
}

std::string RangeText(OptionRange r) {
    return std::to_string(r.min) + ".." + std::to_string(r.max);
}

std::string Quoted(const std::string& s) {
    return "\"" + s + "\"";
}

// A whole number in plain decimal, with an optional sign; nothing else on the text.
std::optional<int> ParseWhole(const std::string& text) {
    const char* first = text.data();
    const char* last = first + text.size();
    if (first != last && *first == '+' && first + 1 != last && *(first + 1) != '-')
        ++first;
    int value = 0;
    const auto [end, ec] = std::from_chars(first, last, value);
    if (first == last || ec != std::errc() || end != last)
        return std::nullopt;
    return value;
}

std::optional<ColorRef> ParseColour(const std::string& text) {
    if (text.size() != 7 || text[0] != '#')
        return std::nullopt;
    unsigned value = 0;
    const auto [end, ec] = std::from_chars(text.data() + 1, text.data() + 7, value, 16);
    if (ec != std::errc() || end != text.data() + 7)
        return std::nullopt;
    return MakeColorRef(static_cast<int>((value >> 16) & 0xff),
                        static_cast<int>((value >> 8) & 0xff), static_cast<int>(value & 0xff));
}

std::optional<PictureFormat> FormatOf(const std::string& path) {
    return FormatOfName(QString::fromStdString(path));
}

std::string BodyList() {
    std::string s;
    for (int i = 0; i < kBodyCount; ++i) {
        if (i > 0)
            s += ", ";
        s += std::string(kBodyNames[i]) + "/" + kEnglishBodyNames[i];
    }
    return s;
}

// What the parse has seen so far beyond the request itself.
struct ParseState {
    RenderRequest request;
    bool cornersGiven = false;
    bool levelsGiven = false;
    bool delayGiven = false;
    bool help = false;
};

// One option: its names, whether it takes a value, how the help shows it, and how it applies
// the value; apply returns the error line's text when the value is wrong.
struct OptionDef {
    std::string name;
    std::string shortName;
    bool takesValue = true;
    std::string valueHelp;
    std::string help;
    std::function<std::optional<std::string>(ParseState&, const std::string&)> apply;
};

OptionDef NumberOption(std::string name, OptionRange range, std::string help,
                       std::function<void(ParseState&, int)> set) {
    OptionDef def;
    def.name = name;
    def.valueHelp = RangeText(range);
    def.help = std::move(help);
    def.apply = [name, range, set](ParseState& s,
                                   const std::string& text) -> std::optional<std::string> {
        const std::optional<int> v = ParseWhole(text);
        if (!v)
            return name + ": " + Quoted(text) + " is not a whole number; allowed " +
                   RangeText(range);
        if (*v < range.min || *v > range.max)
            return name + ": " + text + " is outside the allowed range " + RangeText(range);
        set(s, *v);
        return std::nullopt;
    };
    return def;
}

OptionDef CheckOption(std::string name, std::string help,
                      std::function<void(ParseState&, bool)> set) {
    return NumberOption(std::move(name), kCheckRange, std::move(help),
                        [set](ParseState& s, int v) { set(s, v != 0); });
}

OptionDef ColourOption(std::string name, std::string help,
                       std::function<void(ParseState&, ColorRef)> set) {
    OptionDef def;
    def.name = name;
    def.valueHelp = "#rrggbb";
    def.help = std::move(help);
    def.apply = [name, set](ParseState& s, const std::string& text) -> std::optional<std::string> {
        const std::optional<ColorRef> c = ParseColour(text);
        if (!c)
            return name + ": " + Quoted(text) + " is not a colour; allowed #000000..#ffffff";
        set(s, *c);
        return std::nullopt;
    };
    return def;
}

std::string ColourText(ColorRef c) {
    char text[8];
    std::snprintf(text, sizeof text, "#%02x%02x%02x", RedOf(c), GreenOf(c), BlueOf(c));
    return text;
}

// The face group options of one frame of the window: 0 back, 1 front.
void AddGroupOptions(std::vector<OptionDef>& defs, int g) {
    const std::string side = g == 1 ? "front" : "back";
    const FaceGroupStyle start = StartAppearance().groups[g];
    auto group = [g](ParseState& s) -> FaceGroupStyle& { return s.request.appearance.groups[g]; };
    defs.push_back(
        ColourOption("--" + side + "-face-color",
                     "fill of the " + side + " faces (" + ColourText(start.faceColor) + ")",
                     [group](ParseState& s, ColorRef c) { group(s).faceColor = c; }));
    defs.push_back(
        ColourOption("--" + side + "-line-color",
                     "edges of the " + side + " faces (" + ColourText(start.lineColor) + ")",
                     [group](ParseState& s, ColorRef c) { group(s).lineColor = c; }));
    defs.push_back(NumberOption("--" + side + "-dash", kDashSetting,
                                "1 solid, 2 dash, 3 dot, 4 dash-dot, 5 dash-dot-dot (" +
                                    std::to_string(start.dashStyle) + ")",
                                [group](ParseState& s, int v) { group(s).dashStyle = v; }));
    defs.push_back(CheckOption("--" + side + "-transparent",
                               "\"transparent\": outlines only (" +
                                   std::to_string(start.transparent ? 1 : 0) + ")",
                               [group](ParseState& s, bool v) { group(s).transparent = v; }));
    defs.push_back(
        CheckOption("--" + side + "-visible",
                    "\"sichtbar\": drawn at all (" + std::to_string(start.visible ? 1 : 0) + ")",
                    [group](ParseState& s, bool v) { group(s).visible = v; }));
}

const std::vector<OptionDef>& Options() {
    static const std::vector<OptionDef> defs = [] {
        std::vector<OptionDef> v;
        OptionDef body;
        body.name = "--body";
        body.valueHelp = "NAME";
        body.help = "the body (Kugel): " + BodyList();
        body.apply = [](ParseState& s, const std::string& text) -> std::optional<std::string> {
            const int index = BodyFromName(text);
            if (index < 0)
                return "--body: unknown body " + Quoted(text) + "; allowed " + BodyList();
            s.request.body = index;
            return std::nullopt;
        };
        v.push_back(body);
        v.push_back(NumberOption("--corners", kCornersSetting, "corners per ring (body's default)",
                                 [](ParseState& s, int x) {
                                     s.request.corners = x;
                                     s.cornersGiven = true;
                                 }));
        v.push_back(NumberOption("--levels", kLevelsSetting,
                                 "levels, 2..36 for the sphere (body's default)",
                                 [](ParseState& s, int x) {
                                     s.request.levels = x;
                                     s.levelsGiven = true;
                                 }));
        v.push_back(NumberOption("--rotation", kRotationSetting, "rotation angle in degrees (0)",
                                 [](ParseState& s, int x) { s.request.rotation = x; }));
        v.push_back(NumberOption("--tilt", kTiltSetting, "tilt angle in degrees (0)",
                                 [](ParseState& s, int x) { s.request.tilt = x; }));
        v.push_back(NumberOption("--offset", kOffsetSetting,
                                 "turn by eighths of the corner step (0)",
                                 [](ParseState& s, int x) { s.request.offset = x; }));
        v.push_back(NumberOption("--zoom", kZoomSetting, "zoom in hundredths (100)",
                                 [](ParseState& s, int x) { s.request.zoom = x; }));
        v.push_back(NumberOption("--x", kPositionSetting, "position, positive moves right (0)",
                                 [](ParseState& s, int x) { s.request.x = x; }));
        v.push_back(NumberOption("--y", kPositionSetting, "position, positive moves up (0)",
                                 [](ParseState& s, int x) { s.request.y = x; }));
        OptionDef mirror;
        mirror.name = "--mirror";
        mirror.takesValue = false;
        mirror.help = "turn the other way round (off)";
        mirror.apply = [](ParseState& s, const std::string&) -> std::optional<std::string> {
            s.request.mirror = true;
            return std::nullopt;
        };
        v.push_back(mirror);
        AddGroupOptions(v, 1);
        AddGroupOptions(v, 0);
        v.push_back(ColourOption("--background",
                                 "background (" + ColourText(kStartBackground) + ")",
                                 [](ParseState& s, ColorRef c) { s.request.background = c; }));
        const CapStyle caps = StartAppearance().capStyle;
        v.push_back(ColourOption(
            "--cap-outside-color", "a cap seen from outside (" + ColourText(caps.color[1]) + ")",
            [](ParseState& s, ColorRef c) { s.request.appearance.capStyle.color[1] = c; }));
        v.push_back(ColourOption(
            "--cap-inside-color", "a cap seen from inside (" + ColourText(caps.color[0]) + ")",
            [](ParseState& s, ColorRef c) { s.request.appearance.capStyle.color[0] = c; }));
        v.push_back(CheckOption(
            "--top-cap-transparent", "top cap as outline only (0)",
            [](ParseState& s, bool t) { s.request.appearance.capStyle.topTransparent = t; }));
        v.push_back(CheckOption(
            "--bottom-cap-transparent", "bottom cap as outline only (0)",
            [](ParseState& s, bool t) { s.request.appearance.capStyle.bottomTransparent = t; }));
        v.push_back(NumberOption("--view-width", kViewWidthRange,
                                 "picture width and height in pixels (" +
                                     std::to_string(kDefaultViewWidth) + ")",
                                 [](ParseState& s, int x) { s.request.viewWidth = x; }));
        OptionDef output;
        output.name = "--output";
        output.shortName = "-o";
        output.valueHelp = "FILE";
        output.help = "picture file: .bmp, .png, .svg, .pdf or .gif";
        output.apply = [](ParseState& s, const std::string& text) -> std::optional<std::string> {
            const std::optional<PictureFormat> format = FormatOf(text);
            if (!format)
                return "-o: " + Quoted(text) +
                       " has no known picture extension; allowed .bmp, .png, .svg, .pdf, .gif";
            s.request.outputPath = text;
            s.request.format = *format;
            return std::nullopt;
        };
        v.push_back(output);
        v.push_back(NumberOption("--frames", kFramesSetting,
                                 "one seamless turn in N frames: NAME_01.ext .. NAME_NN.ext, or "
                                 "one animated .gif",
                                 [](ParseState& s, int x) { s.request.frames = x; }));
        v.push_back(NumberOption("--delay-ms", kDelayRange,
                                 "frame delay of an animated .gif (" +
                                     std::to_string(kDefaultDelayMs) + ")",
                                 [](ParseState& s, int x) {
                                     s.request.delayMs = x;
                                     s.delayGiven = true;
                                 }));
        OptionDef json;
        json.name = "--dump-json";
        json.valueHelp = "FILE";
        json.help = "the projected model as JSON (of the first frame with --frames)";
        json.apply = [](ParseState& s, const std::string& text) -> std::optional<std::string> {
            if (text.empty())
                return std::string("--dump-json: the file name is empty");
            s.request.jsonPath = text;
            return std::nullopt;
        };
        v.push_back(json);
        OptionDef help;
        help.name = "--help";
        help.shortName = "-h";
        help.takesValue = false;
        help.help = "this text";
        help.apply = [](ParseState& s, const std::string&) -> std::optional<std::string> {
            s.help = true;
            return std::nullopt;
        };
        v.push_back(help);
        return v;
    }();
    return defs;
}

const OptionDef* FindOption(const std::string& name) {
    for (const OptionDef& def : Options())
        if (def.name == name || (!def.shortName.empty() && def.shortName == name))
            return &def;
    return nullptr;
}

// The checks that need the whole command line.
std::optional<std::string> Complete(ParseState& s) {
    RenderRequest& r = s.request;
    if (!s.cornersGiven)
        r.corners = kDefaultCorners[r.body];
    if (!s.levelsGiven)
        r.levels = kDefaultLevels[r.body];
    if (r.body == Kugel && r.levels < kSphereLevelsMin)
        return "--levels: " + std::to_string(r.levels) + " is outside the allowed range " +
               RangeText({kSphereLevelsMin, kLevelsSetting.max}) + " for Kugel (sphere)";
    if (r.outputPath.empty() && r.jsonPath.empty())
        return std::string("nothing to write; give -o FILE (.bmp, .png, .svg, .pdf, .gif) or "
                           "--dump-json FILE");
    if (r.frames != 0 && r.outputPath.empty())
        return std::string("--frames: needs a picture file, -o FILE");
    if (s.delayGiven && (r.format != PictureFormat::Gif || r.frames == 0))
        return std::string("--delay-ms: applies only to a .gif output with --frames");
    if (!r.outputPath.empty() && r.outputPath == r.jsonPath)
        return std::string("--dump-json: names the same file as -o");

    // Opaque front faces hide the back faces: the window then unchecks and hides the back
    // faces' "sichtbar", so they are not drawn.
    FaceGroupStyle& front = r.appearance.groups[1];
    if (front.visible && !front.transparent)
        r.appearance.groups[0].visible = false;
    return std::nullopt;
}

} // namespace

int BodyFromName(const std::string& name) {
    const QString n = QString::fromStdString(name);
    for (int i = 0; i < kBodyCount; ++i) {
        if (n.compare(QString::fromUtf8(kBodyNames[i]), Qt::CaseInsensitive) == 0 ||
            n.compare(QLatin1String(kEnglishBodyNames[i]), Qt::CaseInsensitive) == 0)
            return i;
    }
    // The cube's name spelt without the umlaut.
    if (n.compare(QLatin1String("Wuerfel"), Qt::CaseInsensitive) == 0)
        return Wuerfel;
    return -1;
}

ParseOutcome ParseRenderOptions(const std::vector<std::string>& args) {
    ParseOutcome outcome;
    ParseState state;
    auto fail = [&outcome](const std::string& text) {
        outcome.kind = ParseOutcome::Kind::Error;
        outcome.message = ErrorLine(text);
        return outcome;
    };

    for (std::size_t i = 0; i < args.size(); ++i) {
        std::string name = args[i];
        std::optional<std::string> value;
        if (name.rfind("--", 0) == 0) {
            const std::size_t eq = name.find('=');
            if (eq != std::string::npos) {
                value = name.substr(eq + 1);
                name.erase(eq);
            }
        } else if (name.empty() || name[0] != '-' || name == "-") {
            return fail("unexpected argument " + Quoted(name) + " (see --help)");
        }
        const OptionDef* def = FindOption(name);
        if (def == nullptr)
            return fail("unknown option " + name + " (see --help)");
        if (!def->takesValue) {
            if (value)
                return fail(name + ": takes no value");
        } else if (!value) {
            if (i + 1 >= args.size())
                return fail(name + ": needs a value, " + def->valueHelp);
            value = args[++i];
        }
        if (const auto error = def->apply(state, value.value_or(std::string())))
            return fail(*error);
    }

    if (state.help) {
        outcome.kind = ParseOutcome::Kind::Help;
        outcome.message = RenderUsage();
        return outcome;
    }
    if (const auto error = Complete(state))
        return fail(*error);
    outcome.kind = ParseOutcome::Kind::Render;
    outcome.request = state.request;
    return outcome;
}

std::string RenderUsage() {
    std::string text = std::string("Usage: ") + kProgram +
                       " [options] -o FILE\n"
                       "Draws one body as the SOLIFA window shows it, without a display.\n"
                       "Defaults (in brackets) are the window's start values.\n\n";
    for (const OptionDef& def : Options()) {
        std::string left = "  ";
        if (!def.shortName.empty())
            left += def.shortName + ", ";
        left += def.name;
        if (def.takesValue)
            left += " " + def.valueHelp;
        if (left.size() < 32)
            left.resize(32, ' ');
        else
            left += "\n" + std::string(32, ' ');
        text += left + def.help + "\n";
    }
    text += "\nSVG and PDF are vector drawings at 96 pixels per inch: a picture of 960 pixels is\n"
            "10 inches (254 mm) wide in both.\n"
            "With visible, filled front faces the back faces are not drawn, as in the window.\n"
            "Wrong input gives one line on stderr and exit status 2; nothing is written.\n";
    return text;
}

} // namespace solifa
