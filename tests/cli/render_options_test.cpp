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

struct RangeCase {
    const char* option;
    int min;
    int max;
};

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

INSTANTIATE_TEST_SUITE_P(
    Controls, OptionRanges,
    ::testing::Values(RangeCase{"--corners", 3, 36}, RangeCase{"--levels", 2, 36},
                      RangeCase{"--rotation", 0, 359}, RangeCase{"--tilt", 0, 90},
                      RangeCase{"--offset", 0, 7}, RangeCase{"--zoom", 80, 300},
                      RangeCase{"-x", -100, 100}, RangeCase{"-y", -100, 100},
                      RangeCase{"--front-dash", 1, 5}, RangeCase{"--back-dash", 1, 5},
                      RangeCase{"--front-transparent", 0, 1}, RangeCase{"--back-visible", 0, 1},
                      RangeCase{"--bottom-cap-transparent", 0, 1}, RangeCase{"--frames", 3, 32},
                      RangeCase{"--delay-ms", 10, 10000}, RangeCase{"--view-width", 38, 4096},
                      RangeCase{"--line-width", 1, 16}),
    [](const ::testing::TestParamInfo<RangeCase>& info) {
        std::string name;
        for (const char* p = info.param.option; *p != '\0'; ++p)
            if (std::isalnum(static_cast<unsigned char>(*p)))
                name += *p;
        return name;
    });

} // namespace
} // namespace solifa
