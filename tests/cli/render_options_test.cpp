// The command line: body names in both languages with each body's own corners and levels, and
// exactly the controls' ranges. Defaults and the meaning of each option are checked against the
// window itself.
#include <gtest/gtest.h>

#include <cctype>
#include <string>
#include <vector>

#include "cli/render_options.h"

namespace solifa {
namespace {

RenderRequest Accepted(const std::vector<std::string>& args) {
    const ParseOutcome o = ParseRenderOptions(args);
    EXPECT_EQ(o.kind, ParseOutcome::Kind::Render) << o.message;
    return o.request;
}

TEST(RenderOptions, BodyNamesInGermanAndEnglishInAnyCaseWithTheBodysOwnCorners) {
    const struct {
        const char* name;
        int body;
    } names[] = {{"Kugel", Kugel},       {"SPHERE", Kugel},        {"Würfel", Wuerfel},
                 {"wÜrfel", Wuerfel},    {"wuerfel", Wuerfel},     {"cube", Wuerfel},
                 {"Oktaeder", Oktaeder}, {"octahedron", Oktaeder}, {"zylinder", Zylinder},
                 {"Cylinder", Zylinder}, {"Pyramide", Pyramide},   {"pyramid", Pyramide},
                 {"Kegel", Kegel},       {"cone", Kegel},          {"Trichter", Trichter},
                 {"funnel", Trichter}};
    for (const auto& n : names) {
        const RenderRequest r = Accepted({"--body", n.name, "-o", "b.png"});
        EXPECT_EQ(r.body, n.body) << n.name;
        EXPECT_EQ(r.corners, kDefaultCorners[n.body]) << n.name;
        EXPECT_EQ(r.levels, kDefaultLevels[n.body]) << n.name;
    }
    const RenderRequest given =
        Accepted({"--levels=3", "--corners", "7", "--body=sphere", "-o", "k.svg"});
    EXPECT_EQ(given.corners, 7);
    EXPECT_EQ(given.levels, 3);
    // The corners of the bodies the window keeps at four can still be chosen here.
    EXPECT_EQ(Accepted({"--body", "Oktaeder", "--corners", "6", "-o", "o.png"}).corners, 6);
}

// An option's range and its line of help, which names the window's start value in brackets.
struct RangeCase {
    const char* option;
    int min;
    int max;
    const char* help;
};

// The text with every run of white space as one space: the help wraps its lines.
std::string OneLine(const std::string& text) {
    std::string s;
    for (const char ch : text) {
        const bool space = std::isspace(static_cast<unsigned char>(ch)) != 0;
        if (!space)
            s += ch;
        else if (!s.empty() && s.back() != ' ')
            s += ' ';
    }
    return s;
}

class OptionRanges : public ::testing::TestWithParam<RangeCase> {};

TEST_P(OptionRanges, TakeExactlyTheControlsRangeAndNameItWhenLeft) {
    const RangeCase c = GetParam();
    // A sphere and an animated GIF, so that levels and a frame delay are both allowed.
    const auto with = [&c](int v) {
        std::vector<std::string> args = {"--body", "sphere", "-o", "a.gif"};
        if (std::string(c.option) != "--frames")
            args.insert(args.end(), {"--frames", "8"});
        args.insert(args.end(), {c.option, std::to_string(v)});
        return ParseRenderOptions(args);
    };
    EXPECT_EQ(with(c.min).kind, ParseOutcome::Kind::Render) << with(c.min).message;
    EXPECT_EQ(with(c.max).kind, ParseOutcome::Kind::Render) << with(c.max).message;
    for (int wrong : {c.min - 1, c.max + 1}) {
        const ParseOutcome o = with(wrong);
        EXPECT_EQ(o.kind, ParseOutcome::Kind::Error) << wrong;
        EXPECT_NE(o.message.find(c.option), std::string::npos) << o.message;
        EXPECT_NE(o.message.find(std::to_string(c.min) + ".." + std::to_string(c.max)),
                  std::string::npos)
            << o.message;
    }
}

TEST_P(OptionRanges, HelpGivesTheRangeAndTheStartValue) {
    const RangeCase c = GetParam();
    const std::string help = OneLine(RenderUsage());
    const std::string range = std::to_string(c.min) + ".." + std::to_string(c.max);
    const std::size_t at = help.find(std::string(c.option) + " <" + range + "> " + c.help);
    EXPECT_NE(at, std::string::npos) << help;
}

INSTANTIATE_TEST_SUITE_P(
    Controls, OptionRanges,
    ::testing::Values(
        RangeCase{"--corners", 3, 36,
                  "corners per ring (18; 4 for Würfel, Oktaeder and Pyramide, which the window "
                  "keeps at 4)"},
        RangeCase{"--levels", 2, 36,
                  "levels of the sphere (18); the other bodies have a fixed number of levels "
                  "and take no --levels"},
        RangeCase{"--rotation", 0, 359, "rotation angle in degrees (0)"},
        RangeCase{"--tilt", 0, 90, "tilt angle in degrees (0)"},
        RangeCase{"--offset", 0, 7, "turn by eighths of the corner step (0)"},
        RangeCase{"--zoom", 80, 300, "zoom in hundredths (100)"},
        RangeCase{"-x", -100, 100, "position, positive moves right (0)"},
        RangeCase{"-y", -100, 100, "position, positive moves up (0)"},
        RangeCase{"--front-dash", 1, 5, "1 solid, 2 dash, 3 dot, 4 dash-dot, 5 dash-dot-dot (1)"},
        RangeCase{"--back-dash", 1, 5, "1 solid, 2 dash, 3 dot, 4 dash-dot, 5 dash-dot-dot (3)"},
        RangeCase{"--front-transparent", 0, 1, "\"transparent\": outlines only (1)"},
        RangeCase{"--back-visible", 0, 1, "\"sichtbar\": drawn at all (1)"},
        RangeCase{"--bottom-cap-transparent", 0, 1, "bottom cap as outline only (0)"},
        RangeCase{"--frames", 3, 32, "one seamless turn in N frames"},
        RangeCase{"--delay-ms", 10, 10000, "frame delay of an animated GIF (40)"},
        RangeCase{"--view-width", 38, 4096, "picture width and height in pixels (213)"},
        RangeCase{"--line-width", 1, 16, "every line this many pixels wide"}),
    [](const ::testing::TestParamInfo<RangeCase>& info) {
        std::string name;
        for (const char* p = info.param.option; *p != '\0'; ++p)
            if (std::isalnum(static_cast<unsigned char>(*p)))
                name += *p;
        return name;
    });

} // namespace
} // namespace solifa
