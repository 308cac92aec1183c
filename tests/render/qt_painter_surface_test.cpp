// The QPainter surface on real pixels: pen and brush settings, dash patterns, even-odd
// filling, and a whole body painted through it.
#include <gtest/gtest.h>

#include <QBuffer>
#include <QImage>
#include <QSvgGenerator>

#include <array>
#include <cmath>
#include <numbers>
#include <set>
#include <vector>

#include "qtpaint/qt_painter_surface.h"
#include "render_test_support.h"

namespace solifa::test {
namespace {

const ColorRef kBackground = MakeColorRef(0, 0, 255);
const ColorRef kLine = MakeColorRef(255, 255, 0);
const ColorRef kFill = MakeColorRef(0, 128, 0);

QImage Canvas(int w, int h) {
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(ToQColor(kBackground));
    return image;
}

ColorRef At(const QImage& image, int x, int y) {
    return ToColorRef(image.pixelColor(x, y));
}

// Lengths of the runs of colour c along row y.
std::vector<int> RunsAlongRow(const QImage& image, int y, ColorRef c) {
    std::vector<int> runs;
    int run = 0;
    for (int x = 0; x < image.width(); ++x) {
        if (At(image, x, y) == c)
            ++run;
        else if (run > 0) {
            runs.push_back(run);
            run = 0;
        }
    }
    if (run > 0)
        runs.push_back(run);
    return runs;
}

TEST(ColorRefConversion, KeepsRedInTheLowByte) {
    EXPECT_EQ(ToQColor(MakeColorRef(1, 2, 3)), QColor(1, 2, 3));
    EXPECT_EQ(ToColorRef(QColor(Qt::blue)), 0xff0000u);
    EXPECT_EQ(ToColorRef(QColor(192, 0, 192)), MakeColorRef(192, 0, 192));
    EXPECT_EQ(ToColorRef(ToQColor(0x123456u)), 0x123456u);
}

// Draw styles 0..4 give solid, dash, dot, dash-dot and dash-dot-dot lines one pixel wide.
struct DashCase {
    DrawStyle drawStyle;
    std::vector<int> firstRuns; // lengths of the first drawn runs along the line
};

class PenDash : public ::testing::TestWithParam<DashCase> {};

TEST_P(PenDash, DrawStyleSelectsTheDashPattern) {
    QImage image = Canvas(120, 5);
    {
        QtPainterSurface surface(&image);
        surface.setForeColor(kLine);
        surface.setDrawStyle(GetParam().drawStyle);
        const PolyPoint line[] = {{0, 2}, {119, 2}};
        surface.polyline(line, 2);
    }
    const std::vector<int> runs = RunsAlongRow(image, 2, kLine);
    const std::vector<int>& want = GetParam().firstRuns;
    ASSERT_GE(runs.size(), want.size());
    EXPECT_EQ(std::vector<int>(runs.begin(), runs.begin() + static_cast<long>(want.size())), want);
    EXPECT_EQ(RunsAlongRow(image, 1, kLine).size(), 0u) << "the pen is one pixel wide";
    EXPECT_EQ(RunsAlongRow(image, 3, kLine).size(), 0u) << "the pen is one pixel wide";
}

INSTANTIATE_TEST_SUITE_P(Styles, PenDash,
                         ::testing::Values(DashCase{Solid, {119}}, DashCase{Dash, {4, 4, 4}},
                                           DashCase{Dot, {1, 1, 1}},
                                           DashCase{DashDot, {4, 1, 4, 1}},
                                           DashCase{DashDotDot, {4, 1, 1, 4, 1, 1}}));

TEST(QtPainterSurfacePolygon, FillsASelfCrossingOutlineByTheEvenOddRule) {
    // A five-pointed star drawn in one stroke: its centre is enclosed twice.
    QImage image = Canvas(101, 101);
    {
        QtPainterSurface surface(&image);
        surface.setFillStyle(0);
        surface.setFillColor(kFill);
        surface.setForeColor(kFill);
        surface.setPolyFillMode(1);
        PolyPoint star[5];
        for (int k = 0; k < 5; ++k) {
            const double a = -std::numbers::pi / 2 + k * 4 * std::numbers::pi / 5;
            star[k] = {static_cast<int32_t>(std::lround(50 + 45 * std::cos(a))),
                       static_cast<int32_t>(std::lround(50 + 45 * std::sin(a)))};
        }
        surface.polygon(star, 5);
    }
    EXPECT_EQ(At(image, 50, 50), kBackground);
    EXPECT_EQ(At(image, 50, 15), kFill); // inside the upper point
}

TEST(QtPainterSurfaceSettings, EachFaceUsesTheColoursSetBeforeIt) {
    // Colours change back and forth between faces; a stale pen or brush would show.
    const ColorRef red = MakeColorRef(255, 0, 0);
    const ColorRef white = MakeColorRef(255, 255, 255);
    const ColorRef fills[] = {kFill, red, kFill, kFill};
    const ColorRef lines[] = {kLine, kLine, white, kLine};
    QImage image = Canvas(40, 20);
    {
        QtPainterSurface surface(&image);
        surface.setFillStyle(0);
        for (int k = 0; k < 4; ++k) {
            surface.setFillColor(fills[k]);
            surface.setForeColor(lines[k]);
            const PolyPoint box[] = {{10 * k, 0}, {10 * k + 8, 0}, {10 * k + 8, 8}, {10 * k, 8}};
            surface.polygon(box, 4);
            const PolyPoint line[] = {{10 * k, 12}, {10 * k + 8, 12}};
            surface.polyline(line, 2);
        }
    }
    for (int k = 0; k < 4; ++k) {
        EXPECT_EQ(At(image, 10 * k + 4, 4), fills[k]) << "face " << k;
        EXPECT_EQ(At(image, 10 * k + 4, 0), lines[k]) << "face " << k;
        EXPECT_EQ(At(image, 10 * k + 4, 12), lines[k]) << "line " << k;
    }
}

TEST(QtPainterSurfaceDevice, PaintsOnAnSvgGeneratorToo) {
    QBuffer svg;
    svg.open(QIODevice::WriteOnly);
    QSvgGenerator generator;
    generator.setOutputDevice(&svg);
    generator.setSize(QSize(20, 20));
    {
        QtPainterSurface surface(&generator);
        ASSERT_TRUE(surface.isActive());
        surface.setFillColor(MakeColorRef(0x12, 0x34, 0x56));
        const PolyPoint tri[] = {{1, 1}, {18, 1}, {9, 18}};
        surface.polygon(tri, 3);
    }
    EXPECT_TRUE(svg.data().contains("#123456"));
}

// A body painted through the surface: an octahedron seen along its axis, both apexes at the
// centre of a square ring; the first fan faces the viewer, the second faces away.
BodyArrays SquareOctahedron() {
    BodyArrays body(4, 2);
    const float corners[5][2] = {{10, 10}, {50, 10}, {50, 50}, {10, 50}, {10, 10}};
    for (int c = 0; c <= 4; ++c)
        body.setPoint(0, c, corners[c][0], corners[c][1]);
    for (int e = 0; e < 2; ++e) {
        body.apex[e][0] = 30;
        body.apex[e][2] = 30;
    }
    for (int c = 0; c < 4; ++c) {
        body.faceSide.at(1, c) = 1;
        body.faceSide.at(2, c) = 0;
    }
    return body;
}

TEST(PaintedBody, FrontOutlinesLieOverTheBackFacesAndTheBackgroundStaysOutside) {
    const BodyArrays body = SquareOctahedron();
    FixedAppearance look = DistinctAppearance(); // back red, front outlined in yellow
    look.groups[1].transparent = true;
    QImage image = Canvas(61, 61);
    {
        QtPainterSurface surface(&image);
        std::array<PolyPoint, kPolyPointCount> buffer{};
        PaintBody(surface, body.input(Oktaeder, 4, 2), look, buffer);
    }
    EXPECT_EQ(At(image, 30, 10), kLine);
    EXPECT_EQ(At(image, 10, 30), kLine);
    EXPECT_EQ(At(image, 20, 20), kLine); // a diagonal edge to the apex
    EXPECT_EQ(At(image, 30, 16), look.groups[0].faceColor);
    EXPECT_EQ(At(image, 44, 30), look.groups[0].faceColor);
    for (const auto& [x, y] : {std::pair{0, 0}, {60, 0}, {0, 60}, {60, 60}, {30, 5}})
        EXPECT_EQ(At(image, x, y), kBackground) << x << "," << y;
    // Without antialiasing no blended colour appears. The back outlines lie exactly under
    // the front ones.
    std::set<ColorRef> seen;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            seen.insert(At(image, x, y));
    EXPECT_EQ(seen, (std::set<ColorRef>{kBackground, kLine, look.groups[0].faceColor}));
}

class BackOutline : public ::testing::TestWithParam<int> {};

TEST_P(BackOutline, LeavesGapsUnlessSolid) {
    const int dashStyle = GetParam();
    const BodyArrays body = SquareOctahedron();
    FixedAppearance look = DistinctAppearance();
    look.groups[0].transparent = true;
    look.groups[0].dashStyle = dashStyle;
    look.groups[1].visible = false;
    QImage image = Canvas(61, 61);
    {
        QtPainterSurface surface(&image);
        std::array<PolyPoint, kPolyPointCount> buffer{};
        PaintBody(surface, body.input(Oktaeder, 4, 2), look, buffer);
    }
    int gaps = 0;
    for (int x = 11; x < 50; ++x)
        gaps += At(image, x, 10) == kBackground;
    if (dashStyle == 1) {
        EXPECT_EQ(gaps, 0);
    } else {
        EXPECT_GT(gaps, 5);
    }
    EXPECT_EQ(At(image, 30, 16), kBackground); // outline only: nothing filled
}

INSTANTIATE_TEST_SUITE_P(DashStyles, BackOutline, ::testing::Range(1, 6));

} // namespace
} // namespace solifa::test
