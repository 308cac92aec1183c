#include "cli/render_options.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QString>
#include <QStringList>

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdio>
#include <functional>
#include <optional>

#include "cli/argument_text.h"
#include "version.h"

namespace solifa {

namespace {

inline constexpr std::array<const char*, kBodyCount> kEnglishBodyNames = {
    "sphere", "cube", "octahedron", "cylinder", "pyramid", "cone", "funnel"};

// The --format values, "bmp|png|...", and the extensions a picture file is known by.
std::string FormatList() {
    return FormatNames("|");
}
std::string ExtensionList() {
    return FormatNames(", ", ".");
}

// The --format value of the format a turn goes into as one file.
std::string AnimationFormatName() {
    for (const PictureFormatInfo& info : PictureFormats())
        if (info.animates)
            return info.extension;
    return {};
}

std::string RangeText(OptionRange r) {
    return std::to_string(r.min) + ".." + std::to_string(r.max);
}

// A value as the user gave it, quoted and with its control characters escaped.
std::string Quoted(const QString& s) {
    return InQuotes(EchoText(s));
}

// A whole number in plain decimal, with an optional sign; nothing else on the text.
std::optional<int> ParseWhole(const QString& value) {
    const std::string text = value.toStdString();
    const char* first = text.data();
    const char* last = first + text.size();
    if (first != last && *first == '+' && first + 1 != last && *(first + 1) != '-')
        ++first;
    int number = 0;
    const auto [end, ec] = std::from_chars(first, last, number);
    if (first == last || ec != std::errc() || end != last)
        return std::nullopt;
    return number;
}

std::optional<ColorRef> ParseColour(const QString& value) {
    const std::string text = value.toStdString();
    if (text.size() != 7 || text[0] != '#')
        return std::nullopt;
    unsigned rgb = 0;
    const auto [end, ec] = std::from_chars(text.data() + 1, text.data() + 7, rgb, 16);
    if (ec != std::errc() || end != text.data() + 7)
        return std::nullopt;
    return MakeColorRef(static_cast<int>((rgb >> 16) & 0xff), static_cast<int>((rgb >> 8) & 0xff),
                        static_cast<int>(rgb & 0xff));
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

// "1 solid, 2 dash, ..": every dash style by its number.
std::string DashList() {
    std::string s;
    for (int d = kFirstDashStyle; d <= kLastDashStyle; ++d) {
        if (d > kFirstDashStyle)
            s += ", ";
        s += std::to_string(d) + " " + kDrawStyleNames[DrawStyleOfBorder(d)];
    }
    return s;
}

// A start value as the help shows it, in brackets.
std::string Start(int value) {
    return " (" + std::to_string(value) + ")";
}

std::string ColourText(ColorRef c) {
    char text[8];
    std::snprintf(text, sizeof text, "#%02x%02x%02x", RedOf(c), GreenOf(c), BlueOf(c));
    return text;
}

// What the parse has seen beyond the request itself.
struct ParseState {
    RenderRequest request;
    bool cornersGiven = false;
    bool levelsGiven = false;
    bool delayGiven = false;
    std::optional<PictureFormat> format;
};

// One option: its names (a single letter is a short option), the value it takes (none for a
// switch), its line of help, and how it applies its value; apply returns the error's text when
// the value is wrong.
struct OptionDef {
    QStringList names;
    std::string valueName;
    std::string help;
    std::function<std::optional<std::string>(ParseState&, const QString&)> apply;

    // The name as the user writes it: "--zoom", "-o".
    std::string shown() const {
        const QString& name = names.front();
        return (name.size() == 1 ? "-" : "--") + name.toStdString();
    }
};

OptionDef NumberOption(const char* name, OptionRange range, std::string help,
                       std::function<void(ParseState&, int)> set) {
    OptionDef def;
    def.names = QStringList{QString::fromLatin1(name)};
    def.valueName = RangeText(range);
    def.help = std::move(help);
    const std::string shown = def.shown();
    def.apply = [shown, range, set](ParseState& s,
                                    const QString& text) -> std::optional<std::string> {
        const std::optional<int> v = ParseWhole(text);
        if (!v)
            return shown + ": " + Quoted(text) + " is not a whole number; allowed " +
                   RangeText(range);
        if (*v < range.min || *v > range.max)
            return shown + ": " + EchoText(text) + " is outside the allowed range " +
                   RangeText(range);
        set(s, *v);
        return std::nullopt;
    };
    return def;
}

OptionDef CheckOption(const char* name, std::string help,
                      std::function<void(ParseState&, bool)> set) {
    return NumberOption(name, kCheckRange, std::move(help),
                        [set](ParseState& s, int v) { set(s, v != 0); });
}

OptionDef ColourOption(const std::string& name, std::string help,
                       std::function<void(ParseState&, ColorRef)> set) {
    OptionDef def;
    def.names = QStringList{QString::fromStdString(name)};
    def.valueName = "#rrggbb";
    def.help = std::move(help);
    def.apply = [name, set](ParseState& s, const QString& text) -> std::optional<std::string> {
        const std::optional<ColorRef> c = ParseColour(text);
        if (!c)
            return "--" + name + ": " + Quoted(text) + " is not a colour; allowed #000000..#ffffff";
        set(s, *c);
        return std::nullopt;
    };
    return def;
}

// A file name, kept as the bytes given.
OptionDef NameOption(QStringList names, std::string help,
                     std::function<void(ParseState&, std::string)> set) {
    OptionDef def;
    def.names = std::move(names);
    def.valueName = "FILE";
    def.help = std::move(help);
    const std::string shown = def.shown();
    def.apply = [shown, set](ParseState& s, const QString& text) -> std::optional<std::string> {
        if (text.isEmpty())
            return shown + ": the file name is empty";
        set(s, ArgumentBytes(text));
        return std::nullopt;
    };
    return def;
}

// The face group options of one frame of the window: 0 back, 1 front.
void AddGroupOptions(std::vector<OptionDef>& defs, int g) {
    const std::string side = g == 1 ? "front" : "back";
    const FaceGroupStyle start = StartAppearance().groups[g];
    auto group = [g](ParseState& s) -> FaceGroupStyle& { return s.request.appearance.groups[g]; };
    const auto name = [&side](const char* what) { return side + what; };
    defs.push_back(ColourOption(
        name("-face-color"), "fill of the " + side + " faces (" + ColourText(start.faceColor) + ")",
        [group](ParseState& s, ColorRef c) { group(s).faceColor = c; }));
    defs.push_back(
        ColourOption(name("-line-color"),
                     "edges of the " + side + " faces (" + ColourText(start.lineColor) + ")",
                     [group](ParseState& s, ColorRef c) { group(s).lineColor = c; }));
    // The names outlive the definitions: they are copied into the option's QStringList.
    const std::string dash = name("-dash"), transparent = name("-transparent"),
                      visible = name("-visible");
    defs.push_back(NumberOption(dash.c_str(), kDashSetting, DashList() + Start(start.dashStyle),
                                [group](ParseState& s, int v) { group(s).dashStyle = v; }));
    defs.push_back(CheckOption(transparent.c_str(),
                               "\"transparent\": outlines only (" +
                                   std::to_string(start.transparent ? 1 : 0) + ")",
                               [group](ParseState& s, bool v) { group(s).transparent = v; }));
    defs.push_back(
        CheckOption(visible.c_str(),
                    "\"sichtbar\": drawn at all (" + std::to_string(start.visible ? 1 : 0) + ")",
                    [group](ParseState& s, bool v) { group(s).visible = v; }));
}

// A whole-number option of the body and its view, as a row of a table.
struct NumberRow {
    const char* name;
    OptionRange range;
    std::string help;
    void (*set)(ParseState&, int);
};

const NumberRow kShapeNumbers[] = {
    {"corners", kCornersSetting,
     "corners per ring (" + std::to_string(kCornersSetting.start) + "; " +
         std::to_string(kDefaultCorners[Wuerfel]) +
         " for Würfel, Oktaeder and Pyramide, which the window keeps at " +
         std::to_string(kDefaultCorners[Wuerfel]) + ")",
     [](ParseState& s, int x) {
         s.request.corners = x;
         s.cornersGiven = true;
     }},
    {"levels",
     {kSphereLevelsMin, kLevelsSetting.max},
     "levels of the sphere" + Start(kLevelsSetting.start) +
         "; the other bodies have a fixed number of levels and take no --levels",
     [](ParseState& s, int x) {
         s.request.levels = x;
         s.levelsGiven = true;
     }},
    {"rotation", kRotationSetting, "rotation angle in degrees" + Start(kRotationSetting.start),
     [](ParseState& s, int x) { s.request.rotation = x; }},
    {"tilt", kTiltSetting, "tilt angle in degrees" + Start(kTiltSetting.start),
     [](ParseState& s, int x) { s.request.tilt = x; }},
    {"offset", kOffsetSetting, "turn by eighths of the corner step" + Start(kOffsetSetting.start),
     [](ParseState& s, int x) { s.request.offset = x; }},
    {"zoom", kZoomSetting, "zoom in hundredths" + Start(kZoomSetting.start),
     [](ParseState& s, int x) { s.request.zoom = x; }},
    {"x", kPositionSetting, "position, positive moves right" + Start(kPositionSetting.start),
     [](ParseState& s, int x) { s.request.x = x; }},
    {"y", kPositionSetting, "position, positive moves up" + Start(-kPositionSetting.start),
     [](ParseState& s, int x) { s.request.y = x; }},
};

// An option without a value, or one that only asks for a text (then without `set`).
OptionDef SwitchOption(QStringList names, std::string help, void (*set)(ParseState&) = nullptr) {
    OptionDef def;
    def.names = std::move(names);
    def.help = std::move(help);
    if (set)
        def.apply = [set](ParseState& s, const QString&) -> std::optional<std::string> {
            set(s);
            return std::nullopt;
        };
    return def;
}

OptionDef BodyOption() {
    OptionDef body;
    body.names = QStringList{"body"};
    body.valueName = "NAME";
    body.help = "the body (Kugel): " + BodyList();
    body.apply = [](ParseState& s, const QString& text) -> std::optional<std::string> {
        const int index = BodyFromName(text);
        if (index < 0)
            return "--body: unknown body " + Quoted(text) + "; allowed " + BodyList();
        s.request.body = index;
        return std::nullopt;
    };
    return body;
}

// The background and the caps.
void AddCapOptions(std::vector<OptionDef>& v) {
    v.push_back(ColourOption("background", "background (" + ColourText(kStartBackground) + ")",
                             [](ParseState& s, ColorRef c) { s.request.background = c; }));
    const CapStyle caps = StartAppearance().capStyle;
    v.push_back(ColourOption(
        "cap-outside-color", "a cap seen from outside (" + ColourText(caps.color[1]) + ")",
        [](ParseState& s, ColorRef c) { s.request.appearance.capStyle.color[1] = c; }));
    v.push_back(ColourOption(
        "cap-inside-color", "a cap seen from inside (" + ColourText(caps.color[0]) + ")",
        [](ParseState& s, ColorRef c) { s.request.appearance.capStyle.color[0] = c; }));
    v.push_back(CheckOption(
        "top-cap-transparent", "top cap as outline only" + Start(caps.topTransparent),
        [](ParseState& s, bool t) { s.request.appearance.capStyle.topTransparent = t; }));
    v.push_back(CheckOption(
        "bottom-cap-transparent", "bottom cap as outline only" + Start(caps.bottomTransparent),
        [](ParseState& s, bool t) { s.request.appearance.capStyle.bottomTransparent = t; }));
}

OptionDef FormatOption() {
    OptionDef format;
    format.names = QStringList{"format"};
    format.valueName = FormatList();
    format.help = "the picture's format whatever its name";
    format.apply = [](ParseState& s, const QString& text) -> std::optional<std::string> {
        if (const auto f = FormatOfExtension(text)) {
            s.format = *f;
            return std::nullopt;
        }
        return "--format: unknown format " + Quoted(text) + "; allowed " + FormatList();
    };
    return format;
}

// The picture's size and lines, the files and the frames.
void AddOutputOptions(std::vector<OptionDef>& v) {
    v.push_back(NumberOption("view-width", kViewWidthRange,
                             "picture width and height in pixels" + Start(kDefaultViewWidth),
                             [](ParseState& s, int x) { s.request.viewWidth = x; }));
    v.push_back(NumberOption("line-width", kLineWidthRange,
                             "every line this many pixels wide, in SVG and PDF this many "
                             "units, the dashes as much longer (1, as the window starts)",
                             [](ParseState& s, int x) { s.request.lineWidth = x; }));
    v.push_back(NameOption(
        {"o", "output"},
        "picture file, by its extension " + ExtensionList() +
            "; - for standard output (then with --format)",
        [](ParseState& s, std::string name) { s.request.outputPath = std::move(name); }));
    v.push_back(FormatOption());
    v.push_back(NumberOption("frames", kFramesSetting,
                             "one seamless turn in N frames: NAME_01.ext .. NAME_NN.ext, or "
                             "one animated GIF",
                             [](ParseState& s, int x) { s.request.frames = x; }));
    v.push_back(
        NumberOption("delay-ms", kDelayRange,
                     "frame delay of an animated GIF (" + std::to_string(kDefaultDelayMs) + ")",
                     [](ParseState& s, int x) {
                         s.request.delayMs = x;
                         s.delayGiven = true;
                     }));
    v.push_back(NameOption(
        {"dump-json"},
        "the projected model as JSON (of the first frame with --frames); - for standard output",
        [](ParseState& s, std::string name) { s.request.jsonPath = std::move(name); }));
}

// Every option, in the order the help lists them.
const std::vector<OptionDef>& Options() {
    static const std::vector<OptionDef> defs = [] {
        std::vector<OptionDef> v{BodyOption()};
        for (const NumberRow& row : kShapeNumbers)
            v.push_back(NumberOption(row.name, row.range, row.help, row.set));
        v.push_back(SwitchOption({"mirror"}, "turn the other way round (off)",
                                 [](ParseState& s) { s.request.mirror = true; }));
        v.push_back(SwitchOption({"smooth"},
                                 "the textbook look: on sphere, cylinder, cone and funnel only "
                                 "the outline, rims and caps, no lines between faces on one "
                                 "side (off)",
                                 [](ParseState& s) { s.request.smooth = true; }));
        AddGroupOptions(v, 1);
        AddGroupOptions(v, 0);
        AddCapOptions(v);
        AddOutputOptions(v);
        v.push_back(SwitchOption({"v", "version"}, "the program's name and version"));
        v.push_back(SwitchOption({"h", "help"}, "this text"));
        return v;
    }();
    return defs;
}

void AddOptionsTo(QCommandLineParser& parser) {
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsCompactedShortOptions);
    for (const OptionDef& def : Options())
        parser.addOption(QCommandLineOption(def.names, QString::fromStdString(def.help),
                                            QString::fromStdString(def.valueName)));
}

// The checks that need the whole command line.
std::optional<std::string> Complete(ParseState& s) {
    RenderRequest& r = s.request;
    if (s.levelsGiven && r.body != Kugel)
        return std::string("--levels: only the sphere (Kugel) has levels to choose; ") +
               kBodyNames[r.body] + " has a fixed number";
    if (!s.cornersGiven)
        r.corners = kDefaultCorners[r.body];
    if (!s.levelsGiven)
        r.levels = kDefaultLevels[r.body];
    if (r.outputPath.empty() && r.jsonPath.empty())
        return std::string("nothing to write; give -o FILE (") + ExtensionList() +
               ") or --dump-json FILE";
    if (r.outputPath.empty()) {
        if (r.frames != 0)
            return std::string("--frames: needs a picture file, -o FILE");
        if (s.format)
            return std::string("--format: needs a picture file, -o FILE");
    } else if (s.format) {
        r.format = *s.format;
    } else if (IsStandardOutput(r.outputPath)) {
        return std::string("-o -: standard output needs --format ") + FormatList();
    } else if (const auto format = FormatOfName(ArgumentText(r.outputPath))) {
        r.format = *format;
    } else {
        return "-o: " + Quoted(ArgumentText(r.outputPath)) + " has no known picture extension; " +
               "allowed " + ExtensionList() + ", or give --format";
    }
    const bool animates = FormatInfo(r.format).animates;
    if (IsStandardOutput(r.outputPath) && r.frames != 0 && !animates)
        return "--frames: standard output takes one file; a turn goes there as --format " +
               AnimationFormatName();
    if (s.delayGiven && (!animates || r.frames == 0))
        return std::string("--delay-ms: applies only to a GIF output with --frames");
    if (!r.outputPath.empty() && r.outputPath == r.jsonPath)
        return IsStandardOutput(r.jsonPath)
                   ? std::string("--dump-json -: standard output already takes the picture")
                   : std::string("--dump-json: names the same file as -o");

    // Opaque front faces hide the back faces: the window then unchecks and hides the back
    // faces' "sichtbar", so they are not drawn.
    FaceGroupStyle& front = r.appearance.groups[1];
    if (front.visible && !front.transparent)
        r.appearance.groups[0].visible = false;
    return std::nullopt;
}

bool AsksForHelp(const std::vector<std::string>& args) {
    for (const std::string& a : args) {
        if (a == "--")
            return false;
        if (a == "--help" || a == "-h")
            return true;
    }
    return false;
}

} // namespace

std::string ErrorLine(const std::string& text) {
    return std::string(kProgramName) + ": " + text;
}

int BodyFromName(const QString& name) {
    for (int i = 0; i < kBodyCount; ++i) {
        if (name.compare(QString::fromUtf8(kBodyNames[i]), Qt::CaseInsensitive) == 0 ||
            name.compare(QLatin1String(kEnglishBodyNames[i]), Qt::CaseInsensitive) == 0)
            return i;
    }
    // The cube's name spelt without the umlaut.
    if (name.compare(QLatin1String("Wuerfel"), Qt::CaseInsensitive) == 0)
        return Wuerfel;
    return -1;
}

ParseOutcome ParseRenderOptions(const std::vector<std::string>& args) {
    ParseOutcome outcome;
    const auto fail = [&outcome](const std::string& text) {
        outcome.kind = ParseOutcome::Kind::Error;
        outcome.message = ErrorLine(text);
        return outcome;
    };
    if (AsksForHelp(args)) {
        outcome.kind = ParseOutcome::Kind::Help;
        outcome.message = RenderUsage();
        return outcome;
    }

    QCommandLineParser parser;
    AddOptionsTo(parser);
    QStringList arguments{QString::fromLatin1(kProgramName)};
    for (const std::string& a : args)
        arguments << ArgumentText(a);
    if (!parser.parse(arguments))
        return fail(EchoText(parser.errorText()) + " (see --help)");
    if (parser.isSet(QStringLiteral("version"))) {
        outcome.kind = ParseOutcome::Kind::Version;
        outcome.message = RenderVersion();
        return outcome;
    }
    if (!parser.positionalArguments().isEmpty())
        return fail("unexpected argument " + Quoted(parser.positionalArguments().front()) +
                    " (see --help)");

    // The options in the order given, each once.
    ParseState state;
    std::vector<const OptionDef*> seen;
    for (const QString& name : parser.optionNames()) {
        const OptionDef* def = nullptr;
        for (const OptionDef& d : Options())
            if (d.names.contains(name))
                def = &d;
        if (def == nullptr)
            continue;
        if (std::find(seen.begin(), seen.end(), def) != seen.end())
            return fail(def->shown() + ": given more than once; give each option once");
        seen.push_back(def);
        if (!def->apply)
            continue;
        if (const auto error = def->apply(state, parser.value(name)))
            return fail(*error);
    }
    if (const auto error = Complete(state))
        return fail(*error);
    outcome.kind = ParseOutcome::Kind::Render;
    outcome.request = state.request;
    return outcome;
}

std::string RenderUsage() {
    QCommandLineParser parser;
    AddOptionsTo(parser);
    parser.setApplicationDescription(
        QStringLiteral("Draws one body as the SOLIFA window shows it, without a display.\n"
                       "Defaults (in brackets) are the window's start values."));
    // Qt names the program by the path it was started with; the usage names it as installed.
    QString text = parser.helpText();
    text.replace(0, text.indexOf('\n'),
                 QStringLiteral("Usage: %1 [options] -o FILE").arg(QLatin1String(kProgramName)));
    text += QStringLiteral(
        "\nSVG and PDF are vector drawings at 96 pixels per inch: a picture of 960 pixels is\n"
        "10 inches (254 mm) wide in both.\n"
        "With visible, filled front faces the back faces are not drawn, as in the window.\n"
        "File names are taken byte for byte, and every file is written whole or not at all.\n"
        "\n"
        "Exit status:\n"
        "  0  every file was written\n"
        "  1  writing a file failed; one line on stderr names it and the reason, and the old\n"
        "     files stay as they were\n"
        "  2  wrong input; one line on stderr says what is wrong, and nothing is written\n");
    return text.toStdString();
}

std::string RenderVersion() {
    return std::string(kProgramName) + " " + kVersion + "\n";
}

} // namespace solifa
