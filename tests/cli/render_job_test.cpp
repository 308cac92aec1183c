// The renderer's pictures and files: a turn that joins, the JSON dump, SVG faces with their
// dashes, the PDF page and the looping GIF.
#include <gtest/gtest.h>

#include <QBuffer>
#include <QFile>
#include <QImageReader>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QSvgGenerator>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <gif_lib.h>

#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include "cli/render_job.h"
#include "cli_test_support.h"
#include "core/body_geometry.h"
#include "core/edge_drawing.h"

namespace solifa {
namespace {

RenderRequest Request(std::vector<std::string> args) {
    args.insert(args.end(), {"-o", "picture.bmp"});
    const ParseOutcome o = ParseRenderOptions(args);
    EXPECT_EQ(o.kind, ParseOutcome::Kind::Render) << o.message;
    return o.request;
}

// Pixels of a whose colour appears nowhere in b within one pixel of the same place.
long PixelsWithoutNeighbourOfTheirColour(const QImage& a, const QImage& b) {
    long missing = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            bool found = false;
            for (int v = std::max(0, y - 1); v <= std::min(b.height() - 1, y + 1); ++v)
                for (int u = std::max(0, x - 1); u <= std::min(b.width() - 1, x + 1); ++u)
                    found = found || b.pixel(u, v) == a.pixel(x, y);
            missing += found ? 0 : 1;
        }
    return missing;
}

struct LoopCase {
    const char* body;
    int corners;
    int frames;
    int tilt;
};

class TurnLoop : public ::testing::TestWithParam<LoopCase> {};

TEST_P(TurnLoop, OneFramePastTheLastMatchesTheFirst) {
    const LoopCase c = GetParam();
    RenderRequest r = Request({"--body", c.body, "--corners", std::to_string(c.corners), "--tilt",
                               std::to_string(c.tilt), "--rotation", "25"});
    r.frames = c.frames;
    const ModelState first = ComputeModel(r, 0);
    const ModelState past = ComputeModel(r, c.frames);
    // A whole turn puts every corner where the one before it stood, up to the rounding of
    // the body points.
    for (int ring = 0; ring <= HighestRing(first.currentBody, r.levels); ++ring)
        for (int k = 0; k < c.corners; ++k)
            for (int axis : {0, 2})
                EXPECT_NEAR(past.viewPoints.at(ring, k + 1, axis),
                            first.viewPoints.at(ring, k, axis), 1.0);
    // Rounding moves edges by a pixel, and the dot phase of an edge and which of two faces
    // paints it last follow the corner a face starts from, so a few pixels have no match
    // beside them; a picture one frame off has many times more.
    const QImage a = RenderImage(first, r);
    const QImage b = RenderImage(past, r);
    const long stepMisses =
        PixelsWithoutNeighbourOfTheirColour(a, RenderImage(ComputeModel(r, 1), r));
    EXPECT_GT(stepMisses, 100);
    EXPECT_LT(8 * PixelsWithoutNeighbourOfTheirColour(a, b), stepMisses);
    EXPECT_LT(8 * PixelsWithoutNeighbourOfTheirColour(b, a), stepMisses);
}

INSTANTIATE_TEST_SUITE_P(Bodies, TurnLoop,
                         ::testing::Values(LoopCase{"cube", 4, 8, 30}, LoopCase{"Kugel", 18, 8, 20},
                                           LoopCase{"cone", 18, 3, 60},
                                           LoopCase{"cylinder", 7, 32, 45}));

TEST(RenderJson, HoldsEveryLevelAndRowOfTheProjectedModel) {
    // Five corners and four levels, so that swapped dimensions show.
    const ModelState m = ComputeModel(Request({"--corners", "5", "--levels", "4", "--tilt", "30"}));
    const QJsonObject o = QJsonDocument::fromJson(ModelJson(m)).object();
    EXPECT_EQ(o.keys(), QStringList({"body", "bodyPoints", "corners", "faceSide", "levels",
                                     "viewApex", "viewPoints", "viewRadius"}));
    EXPECT_EQ(o["corners"].toInt(), 5);
    EXPECT_EQ(o["levels"].toInt(), 4);
    EXPECT_EQ(o["viewRadius"].toInt(), 106);
    const auto at = [&o](const char* key, int i, int j) { return o[key][i][j]; };
    ASSERT_EQ(o["viewPoints"].toArray().size(), 5);
    ASSERT_EQ(o["faceSide"].toArray().size(), 5);
    for (int level = 0; level <= 4; ++level) {
        ASSERT_EQ(o["viewPoints"][level].toArray().size(), 6);
        for (int corner = 0; corner <= 5; ++corner) {
            for (int axis = 0; axis < 3; ++axis) {
                EXPECT_EQ(at("bodyPoints", level, corner)[axis].toInt(),
                          m.bodyPoints.at(level, corner, axis));
                // The text reads back as the very single-precision value.
                EXPECT_EQ(static_cast<float>(at("viewPoints", level, corner)[axis].toDouble()),
                          m.viewPoints.at(level, corner, axis));
            }
            EXPECT_EQ(at("faceSide", level, corner).toInt(), m.faceSide.at(level, corner));
        }
    }
    for (int axis = 0; axis < 3; ++axis)
        EXPECT_EQ(static_cast<float>(at("viewApex", 1, axis).toDouble()), m.viewApex[1][axis]);
}

// What an SVG holds, shape by shape: a filled area, or a line; and whether it is dashed.
struct DrawnFace {
    bool outline;
    bool dashed;
    bool operator==(const DrawnFace&) const = default;
};

// The shapes the painter's faces become on a vector page: a filled face is filled without a
// pen, and every edge is one line, drawn once where it was drawn last.
std::vector<DrawnFace> VectorShapes(const std::vector<DrawStep>& steps) {
    std::vector<DrawnFace> faces;
    for (const DrawStep& step : steps) {
        const auto* edge = std::get_if<DrawnEdge>(&step);
        faces.push_back({edge != nullptr, edge != nullptr && edge->style != Solid});
    }
    return faces;
}

// The shapes of an SVG document in order, each with the dash pattern it inherits.
std::vector<DrawnFace> SvgShapes(const QByteArray& svg) {
    std::vector<DrawnFace> shapes;
    std::vector<bool> dashed{false};
    QXmlStreamReader xml(svg);
    while (xml.readNext() != QXmlStreamReader::Invalid && !xml.atEnd()) {
        if (xml.isEndElement())
            dashed.pop_back();
        if (!xml.isStartElement())
            continue;
        const auto dash = xml.attributes().value("stroke-dasharray");
        dashed.push_back(dash.isEmpty() ? dashed.back() : dash != QLatin1String("none"));
        if (xml.name() == QLatin1String("image"))
            ADD_FAILURE() << "a bitmap in the SVG";
        if (xml.name() == QLatin1String("path") || xml.name() == QLatin1String("polygon"))
            shapes.push_back({false, dashed.back()});
        if (xml.name() == QLatin1String("polyline"))
            shapes.push_back({true, dashed.back()});
    }
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    return shapes;
}

class SvgFaces : public ::testing::TestWithParam<std::vector<std::string>> {};

TEST_P(SvgFaces, FillsAndEdgesOfTheDrawnFacesDashedOnTheBackFaces) {
    const RenderRequest r = Request(GetParam());
    const ModelState m = ComputeModel(r);
    EdgeCollector painted;
    std::array<PolyPoint, kPolyPointCount> buffer{};
    PaintBody(painted, PictureInput(m, r), r.appearance, buffer);

    QBuffer out;
    out.open(QIODevice::WriteOnly);
    {
        QSvgGenerator svg;
        svg.setOutputDevice(&out);
        svg.setViewBox(QRect(0, 0, r.viewWidth, r.viewWidth));
        PaintPicture(&svg, m, r);
    }
    // The background square, filled and edged in its own colour.
    std::vector<DrawnFace> expected{
        {false, false}, {true, false}, {true, false}, {true, false}, {true, false}};
    const std::vector<DrawnFace> faces = VectorShapes(painted.steps());
    expected.insert(expected.end(), faces.begin(), faces.end());
    EXPECT_EQ(SvgShapes(out.data()), expected);
    // The back faces of these settings are dotted or dashed, the front ones solid.
    EXPECT_NE(std::count(expected.begin(), expected.end(), DrawnFace{false, true}) +
                  std::count(expected.begin(), expected.end(), DrawnFace{true, true}),
              0);
}

INSTANTIATE_TEST_SUITE_P(
    Bodies, SvgFaces,
    ::testing::Values(std::vector<std::string>{"--body", "Würfel", "--tilt", "30"},
                      std::vector<std::string>{"--body", "Kugel", "--tilt", "40"},
                      std::vector<std::string>{"--body", "Zylinder", "--tilt", "70",
                                               "--back-transparent", "1", "--back-dash", "2"},
                      std::vector<std::string>{"--body", "Kegel", "--tilt", "20", "--smooth"},
                      std::vector<std::string>{"--body", "Zylinder", "--tilt", "20", "--smooth",
                                               "--back-transparent", "1", "--back-dash", "2"}));

// The textbook look in every format: each body renders without error, the bitmap formats as
// the picture itself (a GIF as a turn of three frames); a body of flat faces gives the same
// file with and without it, a round body another.
class TextbookFiles : public ::testing::TestWithParam<int> {};

TEST_P(TextbookFiles, EveryFormatRendersAndFlatBodiesStayAsTheyAre) {
    const int body = GetParam();
    QTemporaryDir dir;
    const auto render = [&dir, body](PictureFormat format, const char* ext, bool smooth) {
        std::vector<std::string> args{"--body", kBodyNames[body], "--tilt",
                                      "30",     "--view-width",   "96"};
        if (smooth)
            args.push_back("--smooth");
        RenderRequest r = Request(args);
        r.outputPath = dir.filePath(QStringLiteral("p%1.%2").arg(smooth).arg(ext)).toStdString();
        r.format = format;
        r.frames = format == PictureFormat::Gif ? 3 : 0;
        EXPECT_EQ(RunRenderJob(r).exitCode, kExitOk) << ext;
        QFile file(QString::fromStdString(r.outputPath));
        EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << ext;
        const QByteArray bytes = file.readAll();
        EXPECT_FALSE(bytes.isEmpty()) << ext;
        if (format == PictureFormat::Bmp || format == PictureFormat::Png) {
            EXPECT_EQ(
                test::DifferingPixels(QImage::fromData(bytes), RenderImage(ComputeModel(r), r)), 0)
                << ext;
        }
        return bytes;
    };
    for (const PictureFormatInfo& info : PictureFormats())
        render(info.format, info.extension, true);
    const bool flat = body == Wuerfel || body == Oktaeder || body == Pyramide;
    EXPECT_EQ(render(PictureFormat::Png, "png", false) == render(PictureFormat::Png, "png", true),
              flat);
}

INSTANTIATE_TEST_SUITE_P(AllBodies, TextbookFiles, ::testing::Range(0, kBodyCount),
                         [](const auto& info) { return std::to_string(info.param); });

TEST(RenderFiles, PdfIsOneVectorPageOfThePicturesSizeAt96PixelsPerInch) {
    QTemporaryDir dir;
    RenderRequest r = Request({"--body", "cone", "--tilt", "30", "--view-width", "192"});
    r.outputPath = dir.filePath("kegel.pdf").toStdString();
    r.format = PictureFormat::Pdf;
    ASSERT_EQ(RunRenderJob(r).exitCode, kExitOk);
    QFile file(QString::fromStdString(r.outputPath));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray pdf = file.readAll();
    EXPECT_EQ(pdf.count("/Type /Page\n"), 1);
    EXPECT_TRUE(pdf.contains("/MediaBox [0 0 144.000000 144.000000]")); // 2 inches
    EXPECT_FALSE(pdf.contains("/Subtype /Image"));
}

// What other programs make of the vector files of a W-pixel picture: librsvg draws the SVG
// exactly W pixels square, and poppler at 960 dpi finds the background in every corner pixel of
// the PDF page, which measures whole points and so may reach beyond the picture.
class VectorFileSize : public ::testing::TestWithParam<int> {};

// The renderer's file of the picture in `format`, named picture.<format> in dir.
QString RenderedFile(const QTemporaryDir& dir, int width, PictureFormat format, const char* ext) {
    RenderRequest r = Request({"--body", "cone", "--tilt", "30", "--view-width",
                               std::to_string(width), "--background", "#0000ff"});
    r.outputPath = dir.filePath(QStringLiteral("picture.") + ext).toStdString();
    r.format = format;
    EXPECT_EQ(RunRenderJob(r).exitCode, kExitOk);
    return QString::fromStdString(r.outputPath);
}

// A corner pixel of the page at 960 dpi: poppler crops the 8 x 8 pixels asked for at the page.
QRgb PdfCornerPixel(const QString& pdf, int pageWidth, bool right, bool bottom) {
    const int cropped = 8;
    const int x = right ? pageWidth - cropped / 2 : 0;
    const int y = bottom ? pageWidth - cropped / 2 : 0;
    const QString base = pdf + "-corner";
    const int rc =
        QProcess::execute("pdftoppm", {"-r", "960", "-png", "-singlefile", "-x", QString::number(x),
                                       "-y", QString::number(y), "-W", QString::number(cropped),
                                       "-H", QString::number(cropped), pdf, base});
    const QImage crop(base + ".png");
    if (rc != 0 || crop.isNull())
        return 0;
    return crop.pixel(right ? crop.width() - 1 : 0, bottom ? crop.height() - 1 : 0) & 0xffffff;
}

TEST_P(VectorFileSize, SvgRasterisesToItsPixelsAndThePdfPageIsPaintedToItsCorners) {
    const int width = GetParam();
    QTemporaryDir dir;
    const QString svg = RenderedFile(dir, width, PictureFormat::Svg, "svg");
    ASSERT_EQ(QProcess::execute("rsvg-convert", {"-o", dir.filePath("svg.png"), svg}), 0);
    EXPECT_EQ(QImage(dir.filePath("svg.png")).size(), QSize(width, width));

    const QString pdf = RenderedFile(dir, width, PictureFormat::Pdf, "pdf");
    // The page in whole points, at ten times 96 dpi.
    const int points = (width * 3 + 3) / 4;
    const int pageWidth = static_cast<int>(std::ceil(points * 960 / 72.0));
    for (const bool right : {false, true})
        for (const bool bottom : {false, true})
            EXPECT_EQ(PdfCornerPixel(pdf, pageWidth, right, bottom), qRgb(0, 0, 255) & 0xffffff)
                << (bottom ? "bottom " : "top ") << (right ? "right" : "left");
}

INSTANTIATE_TEST_SUITE_P(Widths, VectorFileSize, ::testing::Values(38, 43, 213, 1001, 2362, 4096));

TEST(RenderFiles, AnimatedGifHoldsEveryFrameOfTheTurnAndLoopsForever) {
    QTemporaryDir dir;
    RenderRequest r =
        Request({"--body", "Pyramide", "--tilt", "25", "--corners", "5", "--view-width", "120"});
    r.outputPath = dir.filePath("turn.gif").toStdString();
    r.format = PictureFormat::Gif;
    r.frames = 6;
    r.delayMs = 70;
    ASSERT_EQ(RunRenderJob(r).exitCode, kExitOk);

    int error = 0;
    const std::unique_ptr<GifFileType, void (*)(GifFileType*)> gif(
        DGifOpenFileName(r.outputPath.c_str(), &error), [](GifFileType* g) {
            int e = 0;
            DGifCloseFile(g, &e);
        });
    ASSERT_TRUE(gif && DGifSlurp(gif.get()) == GIF_OK);
    EXPECT_EQ(gif->SWidth, 120);
    EXPECT_EQ(gif->SHeight, 120);
    ASSERT_EQ(gif->ImageCount, 6);

    // "NETSCAPE2.0", then the sub-block 1 with a repeat count of 0: loop forever.
    const SavedImage& first = gif->SavedImages[0];
    bool loops = false;
    for (int i = 0; i + 1 < first.ExtensionBlockCount; ++i) {
        const ExtensionBlock& b = first.ExtensionBlocks[i];
        const ExtensionBlock& next = first.ExtensionBlocks[i + 1];
        loops = loops || (b.Function == APPLICATION_EXT_FUNC_CODE && b.ByteCount == 11 &&
                          std::string(reinterpret_cast<char*>(b.Bytes), 11) == "NETSCAPE2.0" &&
                          next.ByteCount == 3 && next.Bytes[0] == 1 && next.Bytes[1] == 0 &&
                          next.Bytes[2] == 0);
    }
    EXPECT_TRUE(loops);

    for (int k = 0; k < gif->ImageCount; ++k) {
        GraphicsControlBlock control{};
        ASSERT_EQ(DGifSavedExtensionToGCB(gif.get(), k, &control), GIF_OK);
        EXPECT_EQ(control.DelayTime, 7);
        const SavedImage& frame = gif->SavedImages[k];
        QImage decoded(120, 120, QImage::Format_RGB32);
        for (int p = 0; p < 120 * 120; ++p) {
            const GifColorType c = gif->SColorMap->Colors[frame.RasterBits[p]];
            decoded.setPixel(p % 120, p / 120, qRgb(c.Red, c.Green, c.Blue));
        }
        EXPECT_EQ(test::DifferingPixels(decoded, RenderImage(ComputeModel(r, k), r)), 0) << k;
    }
}

// The bytes of address space the process has mapped now.
rlim_t MappedBytes() {
    QFile statm("/proc/self/statm");
    if (!statm.open(QIODevice::ReadOnly))
        return 0;
    return rlim_t(statm.readAll().split(' ').front().toULongLong()) * rlim_t(sysconf(_SC_PAGESIZE));
}

// A long animation holds one frame at a time: a child whose address space allows what it has
// mapped and 48 MB more writes 16 frames of 1500 pixels square, 9 MB each.
TEST(RenderFiles, AnimatedGifIsEncodedFrameByFrame) {
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "the address sanitizer needs an address space without a limit";
#endif
    QTemporaryDir dir;
    RenderRequest r = Request({"--body", "Kugel", "--view-width", "1500", "--frames", "16"});
    r.outputPath = dir.filePath("lang.gif").toStdString();
    r.format = PictureFormat::Gif;
    std::vector<ModelState> models;
    ASSERT_EQ(PrepareRenderJob(r, models).exitCode, kExitOk);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        const rlimit limit{MappedBytes() + (rlim_t(48) << 20), RLIM_INFINITY};
        setrlimit(RLIMIT_AS, &limit);
        _exit(WriteRenderJob(r, models).exitCode);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status)) << status;
    EXPECT_EQ(WEXITSTATUS(status), kExitOk);
    EXPECT_EQ(QImageReader(QString::fromStdString(r.outputPath)).imageCount(), 16);
}

} // namespace
} // namespace solifa
