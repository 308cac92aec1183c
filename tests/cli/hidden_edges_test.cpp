// Hidden edges on a worksheet picture keep their dash pattern: every edge lies on two faces,
// and both must lay the same dashes on it, in the bitmap and in the SVG as a reader sees it.
#include <gtest/gtest.h>

#include <QBuffer>
#include <QFile>
#include <QPainter>
#include <QProcess>
#include <QRegularExpression>
#include <QSvgGenerator>
#include <QSvgRenderer>
#include <QTemporaryDir>

#include <algorithm>
#include <cmath>
#include <functional>
#include <sstream>
#include <string>
#include <tuple>

#include "cli/render_job.h"
#include "core/body_geometry.h"
#include "core/corner_names.h"
#include "qtpaint/qt_painter_surface.h"
#include "support/hidden_edges.h"

namespace solifa {
namespace {

struct WorksheetCase {
    int body;
    int tilt;
    int rotation;
    int dashStyle;    // 2 dash, 3 dot
    bool transparent; // back faces outline only, or filled
    bool smooth = false;
};

std::string Name(const WorksheetCase& c) {
    std::ostringstream s;
    s << kBodyNames[c.body] << "_tilt" << c.tilt << "_rot" << c.rotation
      << (c.dashStyle == 2 ? "_dash" : "_dot") << (c.transparent ? "_outline" : "_filled")
      << (c.smooth ? "_textbook" : "");
    std::string name = s.str();
    std::erase_if(
        name, [](char ch) { return !std::isalnum(static_cast<unsigned char>(ch)) && ch != '_'; });
    return name;
}

// Black lines on white; the front outlines blue, so their crossings can be told apart; the
// back faces grey when filled, which is lighter than half black.
RenderRequest Worksheet(const WorksheetCase& c) {
    RenderRequest r;
    r.body = c.body;
    r.corners = kDefaultCorners[c.body];
    r.levels = kDefaultLevels[c.body];
    r.tilt = c.tilt;
    r.rotation = c.rotation;
    r.zoom = 80;
    r.viewWidth = 400;
    r.smooth = c.smooth;
    r.background = MakeColorRef(255, 255, 255);
    FixedAppearance& a = r.appearance;
    a.groups[0] = {MakeColorRef(200, 200, 200), MakeColorRef(0, 0, 0), c.dashStyle, c.transparent,
                   true};
    a.groups[1] = {MakeColorRef(0, 128, 0), MakeColorRef(0, 0, 255), 1, true, true};
    a.capStyle.color[0] = MakeColorRef(200, 200, 200);
    a.capStyle.color[1] = MakeColorRef(200, 200, 200);
    // Caps as outlines: a filled cap seen from outside would rightly hide the edges behind it.
    a.capStyle.topTransparent = true;
    a.capStyle.bottomTransparent = true;
    return r;
}

class HiddenEdgePattern : public ::testing::TestWithParam<WorksheetCase> {};

TEST_P(HiddenEdgePattern, IsKeptInTheBitmapAndInTheSvg) {
    const RenderRequest r = Worksheet(GetParam());
    const ModelState m = ComputeModel(r);
    const test::BodyEdges edges = test::EdgesOf(PictureInput(m, r), r.appearance);
    if (edges.hidden.empty())
        GTEST_SKIP() << "every edge of this view is seen";
    const QSize size(r.viewWidth, r.viewWidth);
    const test::Painting picture = [&](QPaintDevice* device) { PaintPicture(device, m, r); };
    for (bool viaSvg : {false, true}) {
        const int checked =
            test::ExpectPatternOnHiddenEdges(test::Rasterised(picture, size, viaSvg), edges,
                                             DrawStyleOfBorder(GetParam().dashStyle), viaSvg);
        EXPECT_GE(checked, 1) << "no hidden edge long enough to measure";
    }
}

std::vector<WorksheetCase> AllCases() {
    std::vector<WorksheetCase> cases;
    const int tilts[] = {10, 25, 40};
    const int rotations[] = {0, 20, 37};
    for (int body = 0; body < kBodyCount; ++body)
        for (int k = 0; k < 3; ++k)
            for (int dash : {2, 3})
                for (bool transparent : {true, false})
                    cases.push_back({body, tilts[k], rotations[(k + body) % 3], dash, transparent});
    // In the textbook look the back of the lower rim is what stays hidden.
    for (int body : {Zylinder, Kegel})
        for (int tilt : {10, 20, 30})
            for (bool transparent : {true, false})
                cases.push_back({body, tilt, 0, 2, transparent, true});
    return cases;
}

// The textbook look of the cylinder and the cone of 18 corners on a worksheet: a row of pixels
// halfway between the rims, or between the apex and the rim, crosses the two outline lines
// and nothing else; the facet drawing crosses its side lines too.
struct TextbookCase {
    int body;
    int tilt;
};

class TextbookLook : public ::testing::TestWithParam<TextbookCase> {};

// How many separate runs of dark pixels the row y holds.
int LinesCrossed(const QImage& image, int y) {
    int lines = 0;
    bool inLine = false;
    for (int x = 0; x < image.width(); ++x) {
        const bool dark = qGray(image.pixel(x, y)) < 128;
        lines += dark && !inLine;
        inLine = dark;
    }
    return lines;
}

TEST_P(TextbookLook, CrossesTwoLinesHalfwayUpTheSide) {
    WorksheetCase c{GetParam().body, GetParam().tilt, 0, 2, true, true};
    RenderRequest r = Worksheet(c);
    r.corners = 18;
    r.appearance.groups[1].lineColor = MakeColorRef(0, 0, 0);
    const ModelState m = ComputeModel(r);
    // The row halfway between the lower rim and the upper rim or the apex, where they are
    // nearest each other on the picture.
    const auto rimRows = [&m](int ring) {
        float top = 1e9f, bottom = -1e9f;
        for (int i = 0; i < 18; ++i) {
            top = std::min(top, m.viewPoints.at(ring, i, 2));
            bottom = std::max(bottom, m.viewPoints.at(ring, i, 2));
        }
        return std::pair{top, bottom};
    };
    const float lowerTop = rimRows(0).first;
    const float upperBottom = c.body == Zylinder ? rimRows(1).second : m.viewApex[1][2];
    const int y = static_cast<int>(std::lround((lowerTop + upperBottom) / 2));
    ASSERT_LT(upperBottom + 2, y) << "the row meets the upper rim";
    ASSERT_LT(y + 2, lowerTop) << "the row meets the lower rim";

    EXPECT_EQ(LinesCrossed(RenderImage(m, r), y), 2);
    r.smooth = false;
    EXPECT_GT(LinesCrossed(RenderImage(m, r), y), 2) << "the facets' side lines";
}

INSTANTIATE_TEST_SUITE_P(CylinderAndCone, TextbookLook,
                         ::testing::Values(TextbookCase{Zylinder, 10}, TextbookCase{Zylinder, 20},
                                           TextbookCase{Zylinder, 30}, TextbookCase{Kegel, 10},
                                           TextbookCase{Kegel, 20}, TextbookCase{Kegel, 30}),
                         [](const auto& info) {
                             return std::string(info.param.body == Zylinder ? "Cylinder" : "Cone") +
                                    "_tilt" + std::to_string(info.param.tilt);
                         });

INSTANTIATE_TEST_SUITE_P(Worksheets, HiddenEdgePattern, ::testing::ValuesIn(AllCases()),
                         [](const auto& info) { return Name(info.param); });

// A drawing rendered 1:1 covers the bitmap's line pixels and not their neighbours: its strokes
// lie on the pixel centres, and its dashes on the bitmap's dashes.
struct VectorCase {
    const char* format;
    int body;
    int dashStyle;
    double maxStray; // dark pixels beside the lines, as a share of the line pixels
    int edges;       // the picture's edges, each one black stroke in the file
    // The share of the bitmap's line pixels a rendering darkens at least half. Qt's own SVG
    // renderer splits a nearly upright stroke between two pixels, near half ink each, so a
    // few of the cylinder's fall short of the mark.
    double minCovered = 0.9;
};

class VectorPicture : public ::testing::TestWithParam<VectorCase> {};

// The renderer's file of `format` as another program draws it: `tool` with `args`, where "IN" and
// "OUT.png" stand for the file and the PNG it writes ("OUT" for a tool that adds ".png" itself).
QImage RasterisedBy(const RenderRequest& request, PictureFormat format, const QString& tool,
                    const QStringList& args) {
    QTemporaryDir dir;
    RenderRequest r = request;
    r.outputPath = dir.filePath("p").toStdString();
    r.format = format;
    EXPECT_EQ(RunRenderJob(r).exitCode, kExitOk);
    QStringList filled;
    for (const QString& a : args)
        filled << (a == "IN"        ? dir.filePath("p")
                   : a == "OUT"     ? dir.filePath("r")
                   : a == "OUT.png" ? dir.filePath("r.png")
                                    : a);
    QProcess program;
    program.start(tool, filled);
    EXPECT_TRUE(program.waitForFinished(60000));
    EXPECT_EQ(program.exitCode(), 0) << program.readAllStandardError().toStdString();
    return QImage(dir.filePath("r.png")).convertToFormat(QImage::Format_RGB32);
}

// At least half black, or (for pixels beside a line) clearly black: an antialiased line that
// lies where the bitmap's lies leaves its neighbours light grey at most.
bool Dark(const QImage& image, int x, int y) {
    return qGray(image.pixel(x, y)) < 128;
}
bool Black(const QImage& image, int x, int y) {
    return qGray(image.pixel(x, y)) < 64;
}

// Compiles the LaTeX file IN beside it with `latex` and rasterises its first page at 96 dots per
// inch into OUT.png.
QStringList LatexToPng(const QString& latex) {
    return {"-c",
            "cd \"${1%/*}\" && " + latex +
                " -interaction=nonstopmode -halt-on-error \"${1##*/}\" >/dev/null && "
                "pdftoppm -r 96 -png -singlefile -f 1 \"${1##*/}.pdf\" r",
            "sh", "IN"};
}

// The picture as an SVG (drawn by Qt, or by librsvg: "rsvg"), a PDF, or a TikZ document
// compiled by pdfLaTeX ("tex") or LuaLaTeX ("luatex"), rasterised at one pixel per picture
// pixel. A PDF page measures whole points; the picture is its upper left.
QImage VectorRaster(const std::string& format, const ModelState& m, const RenderRequest& r) {
    const QSize size(r.viewWidth, r.viewWidth);
    if (format == "tex" || format == "luatex")
        return RasterisedBy(r, PictureFormat::Tex, "sh",
                            LatexToPng(format == "tex" ? "pdflatex" : "lualatex"));
    if (format == "svg")
        return test::Rasterised([&](QPaintDevice* d) { PaintPicture(d, m, r); }, size, true);
    if (format == "rsvg")
        return RasterisedBy(r, PictureFormat::Svg, "rsvg-convert",
                            {"--background-color", "white", "-o", "OUT.png", "IN"});
    return RasterisedBy(
               r, PictureFormat::Pdf, "pdftoppm",
               {"-r", QString::number(kVectorPixelsPerInch), "-png", "-singlefile", "IN", "OUT"})
        .copy(QRect(QPoint(0, 0), size));
}

// How a rasterised vector picture covers the line pixels of the bitmap of the same picture:
// at least nine in ten of them dark, and few black pixels beside them.
void ExpectCoversTheLines(const QImage& bitmap, const QImage& vector, double maxStray,
                          double minCovered = 0.9) {
    ASSERT_EQ(vector.size(), bitmap.size());
    long line = 0, covered = 0, stray = 0;
    for (int y = 0; y < bitmap.height(); ++y)
        for (int x = 0; x < bitmap.width(); ++x) {
            line += Dark(bitmap, x, y);
            covered += Dark(bitmap, x, y) && Dark(vector, x, y);
            stray += !Dark(bitmap, x, y) && Black(vector, x, y);
        }
    ASSERT_GT(line, 500);
    EXPECT_GE(covered, line * minCovered) << covered << " of " << line << " line pixels";
    EXPECT_LE(stray, line * maxStray) << stray << " dark pixels beside " << line << " line pixels";
}

TEST_P(VectorPicture, CoversTheBitmapsLinePixelsOnePixelWide) {
    WorksheetCase c{GetParam().body, 30, 20, GetParam().dashStyle, true};
    RenderRequest r = Worksheet(c);
    r.appearance.groups[1].lineColor = MakeColorRef(0, 0, 0);
    const ModelState m = ComputeModel(r);
    ExpectCoversTheLines(RenderImage(m, r), VectorRaster(GetParam().format, m, r),
                         GetParam().maxStray, GetParam().minCovered);
}

// The black strokes of a vector file, each as the text of its two ends: an SVG's polylines in a
// group stroked black, a PDF's segments stroked while the stroke colour is black, TikZ's
// \draws in black.
std::vector<std::string> BlackStrokes(PictureFormat format, const RenderRequest& request) {
    QTemporaryDir dir;
    RenderRequest r = request;
    r.outputPath = dir.filePath("p").toStdString();
    r.format = format;
    EXPECT_EQ(RunRenderJob(r).exitCode, kExitOk);
    QFile file(dir.filePath("p"));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    QByteArray text = file.readAll();
    if (format == PictureFormat::Pdf) {
        // The page's content stream is deflated; zlib's own length prefix is put before it.
        const qsizetype start = text.indexOf("stream\n") + 7;
        const QByteArray deflated = text.mid(start, text.indexOf("endstream", start) - start);
        const quint32 hint = quint32(deflated.size()) * 50;
        QByteArray prefixed(4, '\0');
        for (int k = 0; k < 4; ++k)
            prefixed[k] = char((hint >> (24 - 8 * k)) & 0xff);
        text = qUncompress(prefixed + deflated);
        EXPECT_FALSE(text.isEmpty()) << "no content stream";
    }
    std::vector<std::string> strokes;
    bool black = false;
    QByteArrayList lines = text.split('\n');
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QByteArray line = lines[i].trimmed();
        if (format == PictureFormat::Tex) {
            if (line.startsWith("\\draw[solifa000000"))
                strokes.push_back(line.mid(line.indexOf("] ")).toStdString());
        } else if (format == PictureFormat::Svg) {
            if (line.startsWith("<g "))
                black = line.contains("stroke=\"#000000\"");
            if (black && line.startsWith("<polyline"))
                strokes.push_back(line.toStdString());
        } else if (line.endsWith(" SCN")) {
            black = line == "0 0 0 SCN";
        } else if (line == "S" && black && i >= 2) {
            strokes.push_back((lines[i - 2] + " " + lines[i - 1]).toStdString());
        }
    }
    return strokes;
}

// The painter outlines each face, so an edge between two faces comes twice, and a front edge
// over a back one as well; a file strokes each edge once, in the front's pen.
TEST_P(VectorPicture, StrokesEveryEdgeOnce) {
    const VectorCase c = GetParam();
    RenderRequest r = Worksheet({c.body, 30, 20, c.dashStyle, true});
    r.appearance.groups[1].lineColor = MakeColorRef(0, 0, 0);
    const ModelState m = ComputeModel(r);
    const test::BodyEdges edges = test::EdgesOf(
        ViewPaintInput(m, m.bodyPoints.maxCorner(), m.bodyPoints.maxLevel()), r.appearance);
    EXPECT_EQ(int(edges.all.size()), c.edges);
    const std::string format = c.format;
    std::vector<std::string> strokes =
        BlackStrokes(format == "pdf"                         ? PictureFormat::Pdf
                     : format == "tex" || format == "luatex" ? PictureFormat::Tex
                                                             : PictureFormat::Svg,
                     r);
    EXPECT_EQ(int(strokes.size()), c.edges);
    std::sort(strokes.begin(), strokes.end());
    EXPECT_EQ(std::adjacent_find(strokes.begin(), strokes.end()), strokes.end())
        << "a segment stroked twice";
}

INSTANTIATE_TEST_SUITE_P(Formats, VectorPicture,
                         // Dots are single pixels in a bitmap, which no antialiased drawing
                         // reproduces. Nearly upright lines, as the cylinder's, grey a few
                         // neighbours where they step, and Poppler draws line ends a little
                         // larger than Qt.
                         ::testing::Values(VectorCase{"svg", Wuerfel, 1, 0.05, 12},
                                           VectorCase{"svg", Kegel, 2, 0.05, 36},
                                           VectorCase{"svg", Zylinder, 2, 0.12, 54, 0.88},
                                           VectorCase{"rsvg", Wuerfel, 2, 0.05, 12},
                                           VectorCase{"rsvg", Zylinder, 2, 0.12, 54},
                                           VectorCase{"pdf", Wuerfel, 1, 0.15, 12},
                                           VectorCase{"pdf", Zylinder, 1, 0.15, 54},
                                           VectorCase{"tex", Wuerfel, 2, 0.05, 12},
                                           VectorCase{"luatex", Wuerfel, 2, 0.05, 12}),
                         [](const auto& info) {
                             return std::string(info.param.format) + "_" +
                                    std::to_string(info.param.body) + "_dash" +
                                    std::to_string(info.param.dashStyle);
                         });

// Every body's TikZ picture, read into one document that labels a corner of each, compiles:
// each corner is the \coordinate its name says, every \draw runs between two of them, and the
// worksheet cube's corners are A to H with its three hidden edges the dashed \draws.
TEST(TikzPicture, OfEveryBodyCompilesWithALabelOnANamedCorner) {
    QTemporaryDir dir;
    QByteArray document = "\\documentclass{article}\n\\usepackage{tikz}\n\\begin{document}\n";
    static const QRegularExpression namedEdge(R"(^\\draw\[[^]]*\] \([A-Z][0-9_]*\) -- )"
                                              R"(\([A-Z][0-9_]*\);$)");
    for (int body = 0; body < kBodyCount; ++body) {
        SCOPED_TRACE(kBodyNames[body]);
        RenderRequest r = Worksheet({body, 30, 0, 2, true});
        r.offset = 3;
        r.format = PictureFormat::Tikz;
        const QString name = QStringLiteral("k%1.tikz").arg(body);
        r.outputPath = dir.filePath(name).toStdString();
        ASSERT_EQ(RunRenderJob(r).exitCode, kExitOk);
        QFile file(dir.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QByteArray text = file.readAll();

        const std::vector<NamedCorner> corners = NamedCorners(PictureInput(ComputeModel(r), r));
        for (const NamedCorner& c : corners)
            EXPECT_TRUE(text.contains("\\coordinate (" + QByteArray::fromStdString(c.name) +
                                      ") at (" + QByteArray::number(c.at.x) + "," +
                                      QByteArray::number(c.at.y) + ");"))
                << c.name;
        int draws = 0, named = 0, dashed = 0;
        for (const QByteArray& line : text.split('\n')) {
            if (!line.startsWith("\\draw"))
                continue;
            ++draws;
            named += namedEdge.match(QString::fromUtf8(line)).hasMatch();
            dashed += line.contains("dash pattern");
        }
        EXPECT_GT(draws, 0);
        EXPECT_EQ(named, draws) << text.toStdString();
        if (body == Wuerfel) {
            ASSERT_EQ(corners.size(), 8u);
            for (int k = 0; k < 8; ++k)
                EXPECT_EQ(corners[std::size_t(k)].name, std::string(1, char('A' + k)));
            EXPECT_EQ(dashed, 3);
        }
        const QByteArray label = QByteArray::fromStdString(corners.front().name);
        document += "{\\tikzset{every picture/.append style={execute at end picture={\n"
                    "  \\node[below left] at (" +
                    label + ") {$" + label + "$};}}}\n\\input{" + name.toUtf8() + "}}\n\n";
    }
    QFile tex(dir.filePath("blatt.tex"));
    ASSERT_TRUE(tex.open(QIODevice::WriteOnly));
    tex.write(document + "\\end{document}\n");
    tex.close();
    QProcess latex;
    latex.setWorkingDirectory(dir.path());
    latex.start("pdflatex", {"-interaction=nonstopmode", "-halt-on-error", "blatt.tex"});
    ASSERT_TRUE(latex.waitForFinished(60000));
    EXPECT_EQ(latex.exitCode(), 0) << latex.readAllStandardOutput().toStdString();
}

// A print picture's lines: --line-width w inks about w times the pixels of one-pixel lines on
// the worksheet cube, the SVG and the PDF cover the bitmap's lines of that width, and the three
// hidden edges keep their dashes, now w times as long, which begin in the SVG where they begin
// in the bitmap.
struct LineWidthCase {
    const char* medium; // "bitmap", "svg", "rsvg", "pdf", "tex" or "luatex"
    int width;
    int viewWidth = 213; // large enough for several of the wider dashes on each hidden edge
};

class LineWidth : public ::testing::TestWithParam<LineWidthCase> {};

RenderRequest WorksheetCube(int lineWidth, int viewWidth = 213) {
    const ParseOutcome o = ParseRenderOptions({"--body",
                                               "Würfel",
                                               "--tilt",
                                               "30",
                                               "--rotation",
                                               "20",
                                               "--zoom",
                                               "80",
                                               "--background",
                                               "#ffffff",
                                               "--front-line-color",
                                               "#000000",
                                               "--back-line-color",
                                               "#000000",
                                               "--back-transparent",
                                               "1",
                                               "--back-dash",
                                               "2",
                                               "--top-cap-transparent",
                                               "1",
                                               "--bottom-cap-transparent",
                                               "1",
                                               "--line-width",
                                               std::to_string(lineWidth),
                                               "--view-width",
                                               std::to_string(viewWidth),
                                               "-o",
                                               "wuerfel.png"});
    EXPECT_EQ(o.kind, ParseOutcome::Kind::Render) << o.message;
    return o.request;
}

long DarkPixels(const QImage& image) {
    long dark = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            dark += Dark(image, x, y);
    return dark;
}

TEST_P(LineWidth, InksAsManyTimesThePixelsAndKeepsTheHiddenEdgesDashed) {
    const LineWidthCase c = GetParam();
    const std::string medium = c.medium;
    const RenderRequest wide = WorksheetCube(c.width, c.viewWidth);
    const ModelState m = ComputeModel(wide);
    const QImage bitmap = RenderImage(m, wide);
    const double ratio =
        double(DarkPixels(bitmap)) / DarkPixels(RenderImage(m, WorksheetCube(1, c.viewWidth)));
    // Where lines meet they share pixels, and rounded corners add a few.
    EXPECT_NEAR(ratio, c.width, 0.1 * c.width) << "inked " << ratio << " times the pixels";

    const QImage picture = medium == "bitmap" ? bitmap : VectorRaster(medium, m, wide);
    ExpectCoversTheLines(bitmap, picture, 0.1);

    const test::BodyEdges edges = test::EdgesOf(
        ViewPaintInput(m, m.bodyPoints.maxCorner(), m.bodyPoints.maxLevel()), wide.appearance);
    ASSERT_EQ(edges.hidden.size(), 3u);
    // The share of ink is measured against Qt's own drawing of a single stroke.
    if (medium == "bitmap" || medium == "svg") {
        EXPECT_GE(
            test::ExpectPatternOnHiddenEdges(picture, edges, Dash, medium == "svg", {}, c.width),
            1);
    }
    if (medium != "bitmap") {
        EXPECT_GE(test::ExpectDashesWhereTheBitmapHasThem(bitmap, picture, edges, c.width), 6);
    }
}

INSTANTIATE_TEST_SUITE_P(Media, LineWidth,
                         ::testing::Values(LineWidthCase{"bitmap", 2}, LineWidthCase{"bitmap", 3},
                                           LineWidthCase{"bitmap", 5}, LineWidthCase{"svg", 3},
                                           LineWidthCase{"svg", 4}, LineWidthCase{"pdf", 3},
                                           LineWidthCase{"rsvg", 1}, LineWidthCase{"rsvg", 2},
                                           LineWidthCase{"rsvg", 3}, LineWidthCase{"rsvg", 6, 600},
                                           LineWidthCase{"rsvg", 16, 1200}, LineWidthCase{"tex", 1},
                                           LineWidthCase{"tex", 4}, LineWidthCase{"luatex", 3}),
                         [](const auto& info) {
                             const LineWidthCase c = info.param;
                             return std::string(c.medium) + "_" + std::to_string(c.width) +
                                    (c.viewWidth == 213 ? "" : "_" + std::to_string(c.viewWidth));
                         });

} // namespace
} // namespace solifa
