// Timings of the paths whose speed the user feels, each run beside a baseline in the same
// process, so that the ratios hold on a busy machine where the absolute figures drift:
//   geometry   generation and projection of the sphere, the largest body and the start body;
//   painter    the body painter on a QPainter surface, the same polygons drawn with bare
//              QPainter calls (the cost of the drawing itself), and one clear of the image;
//              the same for the worksheet look, dashed back outlines over white, and for
//              the textbook look, which leaves out the lines inside the sphere's outline;
//   window     one movement of the rotation scroll bar on the real main window;
//   output     the output picture at a 4K screen's height, and the file button writing it;
//   series     one frame of a frame series written to a temporary folder;
//   tikz       the README's worksheet cube written as a TikZ document in memory, beside the
//              same cube as SVG.
// scripts/bench runs it and prints the figures as a table.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <QImage>
#include <QLocale>
#include <QPainter>
#include <QPolygon>
#include <QStyleFactory>
#include <QTemporaryDir>
#include <algorithm>
#include <memory>
#include <vector>

#include "app/window/control_appearance.h"
#include "core/body_geometry.h"
#include "core/body_painter.h"
#include "core/corner_names.h"
#include "core/model_state.h"
#include "files/picture_files.h"
#include "files/picture_formats.h"
#include "qtpaint/qt_painter_surface.h"
#include "support/fake_platform.h"
#include "widgets/check_box.h"
#include "widgets/line_sample.h"
#include "widgets/picture_box.h"
#include "widgets/scroll_bar.h"
#include "window/test_form.h"

namespace solifa {
namespace {

constexpr int kViewSize = 1000;     // inner width of the view in pixels
constexpr int16_t kRadius = 500;    // the view radius that goes with it
constexpr int kLargestSphere = 36;  // corners and levels at their maximum
constexpr int kStartSphere = 18;    // the sphere the program starts with
constexpr int kOutputSize4K = 2160; // a 4K screen's height
constexpr int kSeriesFrames = 32;   // the longest frame series
const QColor kBackground(0, 0, 255);

// --- the body without a window ---

ModelState SphereModel(int16_t radius, int n) {
    return SetUpScene({.body = Kugel, .radius = radius, .shape = {n, n}, .view = {}});
}

// The most the painter can be asked to draw: both passes, every face filled, the outlines of
// the back faces dotted.
FixedAppearance WorstCaseAppearance() {
    FixedAppearance a;
    a.groups[0] =
        FaceGroupStyle{MakeColorRef(128, 128, 128), MakeColorRef(0, 0, 0), 3, false, true};
    a.groups[1] =
        FaceGroupStyle{MakeColorRef(255, 255, 0), MakeColorRef(255, 0, 0), 1, false, true};
    a.capStyle.color[0] = MakeColorRef(0, 128, 0);
    a.capStyle.color[1] = MakeColorRef(0, 255, 0);
    return a;
}

// A worksheet: every face as an outline on white, the back ones dashed, the front ones solid.
FixedAppearance WorksheetAppearance() {
    FixedAppearance a;
    a.groups[0] = FaceGroupStyle{MakeColorRef(255, 0, 0), MakeColorRef(0, 0, 0), 2, true, true};
    a.groups[1] = FaceGroupStyle{MakeColorRef(0, 128, 0), MakeColorRef(0, 0, 0), 1, true, true};
    return a;
}

// --- the same drawing in bare QPainter calls ---

// What the body painter asked of a surface, kept in QPainter's terms: the pen and brush of
// each stretch of faces and every face as a QPolygon.
struct RecordedDrawing {
    struct Style {
        QPen pen;
        QBrush brush;
    };
    struct Face {
        int style;
        bool filled;
        QPolygon points;
    };
    std::vector<Style> styles;
    std::vector<Face> faces;
};

class RecordingSurface : public DrawingSurface {
public:
    explicit RecordingSurface(RecordedDrawing& out) : out_(out) {}

    void setFillStyle(int style) override { change(fillStyle_, style); }
    void setFillColor(ColorRef c) override { change(fillColor_, c); }
    void setForeColor(ColorRef c) override { change(foreColor_, c); }
    void setDrawStyle(DrawStyle style) override { change(drawStyle_, style); }
    void setPolyFillMode(int) override {}
    void polygon(const PolyPoint* points, int count) override { add(points, count, true, false); }
    void polyline(const PolyPoint* points, int count) override { add(points, count, false, false); }
    void fillPolygon(const PolyPoint* points, int count) override {
        add(points, count, true, true);
    }

private:
    template <class T, class U> void change(T& field, U value) {
        if (field != static_cast<T>(value)) {
            field = static_cast<T>(value);
            changed_ = true;
        }
    }
    // A fill without outline (noPen) draws in a stretch of its own, without a pen.
    void add(const PolyPoint* points, int count, bool filled, bool noPen) {
        if (changed_ || noPen != noPen_) {
            noPen_ = noPen;
            const QPen pen = noPen ? QPen(Qt::NoPen) : OutlinePen(ToQColor(foreColor_), drawStyle_);
            const QBrush brush = fillStyle_ == 0 ? QBrush(ToQColor(fillColor_)) : QBrush();
            out_.styles.push_back({pen, brush});
            changed_ = false;
        }
        QPolygon polygon(count);
        for (int i = 0; i < count; ++i)
            polygon.setPoint(i, points[i].x, points[i].y);
        out_.faces.push_back({static_cast<int>(out_.styles.size()) - 1, filled, polygon});
    }

    RecordedDrawing& out_;
    int fillStyle_ = 0;
    ColorRef fillColor_ = 0;
    ColorRef foreColor_ = 0;
    DrawStyle drawStyle_ = Solid;
    bool changed_ = true;
    bool noPen_ = false;
};

RecordedDrawing Record(const PaintInput& in, const AppearanceSource& appearance) {
    RecordedDrawing drawing;
    RecordingSurface surface(drawing);
    std::array<PolyPoint, kPolyPointCount> buffer{};
    PaintBody(surface, in, appearance, buffer);
    return drawing;
}

// The recorded faces onto the image with nothing but QPainter calls.
void DrawBare(QImage& image, const RecordedDrawing& drawing) {
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, false);
    int style = -1;
    for (const RecordedDrawing::Face& face : drawing.faces) {
        if (face.style != style) {
            style = face.style;
            painter.setPen(drawing.styles[static_cast<std::size_t>(style)].pen);
            painter.setBrush(drawing.styles[static_cast<std::size_t>(style)].brush);
        }
        if (face.filled)
            painter.drawPolygon(face.points, Qt::OddEvenFill);
        else
            painter.drawPolyline(face.points);
    }
}

// --- the real main window ---

// The main window on a fake 3840 x 2160 screen at 96 DPI (so the output size reaches 2160),
// sized so that the view is 1000 pixels wide inside, showing the sphere 36 x 36 with every
// face filled in both passes and the back outlines dotted.
class BenchWindow {
public:
    BenchWindow() {
        // A 4K screen, so that the output size can reach 2160.
        fake.screen.width = 3840;
        fake.screen.height = 2160;
        platform = fake.platform();
        form = std::make_unique<TestForm1>(platform);
        form->Form_Load();
        form->show();
        // The view keeps its design share of the window's width; its border takes 4 pixels.
        const ModelState& m = form->model;
        const double share = double(m.designGeometry.at("Picture1").width) / m.designFormWidth;
        const double width =
            (kViewSize + 2 * PictureBox::kBorder) * fake.screen.twipsPerPixelX() / share;
        form->setSizeTwips(width, width * m.designFormHeight / m.designFormWidth);
        QCoreApplication::processEvents();

        // Corners and levels at their maximum.
        form->HScroll1[1]->setValue(kLargestSphere);
        form->HScroll1[2]->setValue(kLargestSphere);
        // Both groups filled. Opaque front faces put the back faces away, as they cannot be
        // seen; they are switched on again here so that both passes paint.
        form->Check1[0]->setValue(0);
        form->Check1[1]->setValue(0);
        form->Check2[1]->setValue(1);
        form->Check2[0]->setValue(1);
        // Dotted back outlines, solid front outlines.
        form->Picture3[0]->setBorderStyle(3);
        form->Picture3[1]->setBorderStyle(1);
        form->ProjectBody();
        QCoreApplication::processEvents();
    }

    // Empty when the window is as described above, otherwise what differs.
    std::string problem() const {
        if (form->Picture1->innerWidth() != kViewSize)
            return "view is " + std::to_string(form->Picture1->innerWidth()) + " pixels wide";
        if (form->model.currentBody != Kugel || form->shapeValues().corners != kLargestSphere ||
            form->shapeValues().levels != kLargestSphere)
            return "the window does not show the sphere 36 x 36";
        const RecordedDrawing view =
            Record(ViewPaintInput(form->model, kLargestSphere, kLargestSphere),
                   ControlAppearance(form->ui()));
        const auto filled = std::count_if(view.faces.begin(), view.faces.end(),
                                          [](const RecordedDrawing::Face& f) { return f.filled; });
        if (filled != kLargestSphere * kLargestSphere)
            return "the window does not paint every face filled";
        return {};
    }

    // Sets the output size through its scroll bar; false when the bar cannot reach it.
    bool setOutputSize(int size) {
        form->HScroll6->setValue(size);
        return form->HScroll6->value() == size;
    }

    // The output picture's drawing, recorded after RenderOutput.
    RecordedDrawing recordOutput() {
        form->RenderOutput();
        const ModelState& m = form->model;
        return Record(
            BodyPaintInput(m, kLargestSphere, kLargestSphere, m.outputPoints, m.outputApex),
            ControlAppearance(form->ui()));
    }

    FakePlatform fake;
    Platform platform{};
    std::unique_ptr<TestForm1> form;
};

std::unique_ptr<BenchWindow> gWindow;

// The shared window, created on first use; it needs the QApplication of main().
BenchWindow* Window(benchmark::State& state) {
    if (!gWindow)
        gWindow = std::make_unique<BenchWindow>();
    QCoreApplication::processEvents();
    const std::string problem = gWindow->problem();
    if (!problem.empty()) {
        state.SkipWithError(problem.c_str());
        return nullptr;
    }
    return gWindow.get();
}

// --- 1: geometry ---

void Geometry(benchmark::State& state, int n) {
    ModelState m = SphereModel(kRadius, n);
    const ShapeValues shape{n, n};
    const ViewValues view{};
    for (auto _ : state) {
        GenerateBodyPoints(m, shape);
        ProjectBodyPoints(m, shape, view);
        benchmark::DoNotOptimize(m.viewPoints.at(0, 0, 0));
        benchmark::ClobberMemory();
    }
}

// --- 2: the painter at a 1000-pixel view ---

// The sphere 36 x 36 at the view of 1000, in the textbook look when smooth.
PaintInput LargestSphereInput(const ModelState& m, bool smooth) {
    PaintInput in = ViewPaintInput(m, kLargestSphere, kLargestSphere);
    in.smooth = smooth;
    return in;
}

void PainterOnImage(benchmark::State& state, FixedAppearance (*look)(), bool smooth) {
    const ModelState m = SphereModel(kRadius, kLargestSphere);
    const PaintInput in = LargestSphereInput(m, smooth);
    const FixedAppearance appearance = look();
    std::array<PolyPoint, kPolyPointCount> buffer{};
    QImage image(kViewSize, kViewSize, QImage::Format_RGB32);
    image.fill(kBackground);
    for (auto _ : state) {
        QtPainterSurface surface(&image);
        PaintBody(surface, in, appearance, buffer);
    }
    benchmark::DoNotOptimize(image.constBits());
    state.SetLabel(std::to_string(Record(in, appearance).faces.size()) + " faces");
}

// The baseline draws every face in one call: a filled polygon, or an outline as one polyline.
void BareQPainter(benchmark::State& state, FixedAppearance (*look)(), bool smooth) {
    const ModelState m = SphereModel(kRadius, kLargestSphere);
    const RecordedDrawing drawing = Record(LargestSphereInput(m, smooth), look());
    QImage image(kViewSize, kViewSize, QImage::Format_RGB32);
    image.fill(kBackground);
    for (auto _ : state)
        DrawBare(image, drawing);
    benchmark::DoNotOptimize(image.constBits());
    state.SetLabel(std::to_string(drawing.faces.size()) + " faces");
}

void ClearImage(benchmark::State& state) {
    QImage image(kViewSize, kViewSize, QImage::Format_RGB32);
    for (auto _ : state) {
        image.fill(kBackground);
        benchmark::ClobberMemory();
    }
    benchmark::DoNotOptimize(image.constBits());
}

// --- 3: one movement of the rotation scroll bar ---

void RotationScroll(benchmark::State& state) {
    BenchWindow* w = Window(state);
    if (w == nullptr)
        return;
    ScrollBar* bar = w->form->HScroll1[0];
    int value = bar->value();
    for (auto _ : state) {
        // The change notification projects, clears the view and paints it before returning.
        value = (value + 1) % 360;
        bar->setValue(value);
        benchmark::DoNotOptimize(w->form->Picture1->image().constBits());
    }
}

// --- 4: the output picture at 2160 and the file button ---

void RenderOutput4K(benchmark::State& state) {
    BenchWindow* w = Window(state);
    if (w == nullptr)
        return;
    if (!w->setOutputSize(kOutputSize4K)) {
        state.SkipWithError("the output size does not reach 2160");
        return;
    }
    for (auto _ : state) {
        w->form->RenderOutput();
        benchmark::DoNotOptimize(w->form->Picture7->image().constBits());
    }
    if (w->form->Picture7->innerWidth() < kOutputSize4K)
        state.SkipWithError("RenderOutput did not size the output picture");
}

void BareDraw4K(benchmark::State& state) {
    BenchWindow* w = Window(state);
    if (w == nullptr)
        return;
    if (!w->setOutputSize(kOutputSize4K)) {
        state.SkipWithError("the output size does not reach 2160");
        return;
    }
    const RecordedDrawing drawing = w->recordOutput();
    QImage image(kOutputSize4K, kOutputSize4K, QImage::Format_RGB32);
    for (auto _ : state) {
        image.fill(kBackground);
        DrawBare(image, drawing);
    }
    benchmark::DoNotOptimize(image.constBits());
}

void FileButton4K(benchmark::State& state) {
    BenchWindow* w = Window(state);
    if (w == nullptr)
        return;
    if (!w->setOutputSize(kOutputSize4K)) {
        state.SkipWithError("the output size does not reach 2160");
        return;
    }
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("bild.bmp"));
    const int errorsBefore = w->fake.messageBox.count(FakeMessageBox::Kind::Error);
    for (auto _ : state) {
        w->fake.saveDialog.answer(path);
        w->form->SSCommand9_Click();
    }
    if (!QFileInfo(path).isFile() ||
        QFileInfo(path).size() < qint64(kOutputSize4K) * kOutputSize4K * 3)
        state.SkipWithError("the file button wrote no bitmap of 2160 x 2160");
    else if (w->fake.messageBox.count(FakeMessageBox::Kind::Error) != errorsBefore)
        state.SkipWithError(
            w->fake.messageBox.lastText(FakeMessageBox::Kind::Error).toStdString().c_str());
}

void BareSave(benchmark::State& state, int size) {
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("bild.bmp"));
    QImage image(size, size, QImage::Format_RGB32);
    image.fill(kBackground);
    for (auto _ : state) {
        if (!image.save(path, "BMP")) {
            state.SkipWithError("QImage::save failed");
            break;
        }
    }
}

// --- 5: a frame series at 1000 ---

void SeriesFrame(benchmark::State& state) {
    BenchWindow* w = Window(state);
    if (w == nullptr)
        return;
    TestForm1& form = *w->form;
    if (!w->setOutputSize(kViewSize)) {
        state.SkipWithError("the output size does not reach 1000");
        return;
    }
    form.HScroll3->setValue(kSeriesFrames);
    QTemporaryDir folder;
    const QString baseName = folder.filePath(QStringLiteral("bild.bmp"));
    const int errorsBefore = w->fake.messageBox.count(FakeMessageBox::Kind::Error);
    const int seriesEndsBefore = w->fake.messageBox.count(FakeMessageBox::Kind::Information);
    if (!form.model.turnRunning)
        form.SSCommand3_Click();
    int seriesStarted = 0;
    for (auto _ : state) {
        if (form.model.framesToWrite == 0) {
            // Starting a series is the file button while the turn runs; it is not a frame.
            state.PauseTiming();
            w->fake.saveDialog.answer(baseName);
            form.SSCommand9_Click();
            ++seriesStarted;
            state.ResumeTiming();
            if (form.model.framesToWrite == 0) {
                state.SkipWithError("the file button started no series");
                break;
            }
        }
        form.Timer1_Timer();
    }
    // Leave the window as the other benchmarks expect it: no turn, no pending series.
    form.model.framesToWrite = 0;
    if (form.model.turnRunning)
        form.SSCommand3_Click();
    const int files = static_cast<int>(QDir(folder.path()).entryList(QDir::Files).size());
    if (w->fake.messageBox.count(FakeMessageBox::Kind::Error) != errorsBefore)
        state.SkipWithError(
            w->fake.messageBox.lastText(FakeMessageBox::Kind::Error).toStdString().c_str());
    else if (files != std::min<int>(static_cast<int>(state.iterations()), kSeriesFrames))
        state.SkipWithError("the series did not write one file a frame");
    state.SetLabel(std::to_string(seriesStarted) + " series started, " +
                   std::to_string(w->fake.messageBox.count(FakeMessageBox::Kind::Information) -
                                  seriesEndsBefore) +
                   " finished");
}

void BareFrame(benchmark::State& state) {
    BenchWindow* w = Window(state);
    if (w == nullptr)
        return;
    if (!w->setOutputSize(kViewSize)) {
        state.SkipWithError("the output size does not reach 1000");
        return;
    }
    const RecordedDrawing drawing = w->recordOutput();
    QTemporaryDir folder;
    QImage image(kViewSize, kViewSize, QImage::Format_RGB32);
    int frame = 0;
    for (auto _ : state) {
        image.fill(kBackground);
        DrawBare(image, drawing);
        frame = frame % kSeriesFrames + 1;
        const QString path =
            folder.filePath(QStringLiteral("bild_%1.bmp").arg(frame, 2, 10, QChar('0')));
        if (!image.save(path, "BMP")) {
            state.SkipWithError("QImage::save failed");
            break;
        }
    }
}

// --- 6: the worksheet cube as TikZ ---

// The README's worksheet cube at the default 213 pixels, written into memory as a file of the
// format: black outlines on white, the hidden edges dashed, both caps outlines.
void WorksheetCubeFile(benchmark::State& state, PictureFormat format) {
    const ModelState m = SetUpScene({.body = Wuerfel,
                                     .radius = 106,
                                     .shape = {4, 1},
                                     .view = {.tilt = 30, .offset = 3, .zoom = 80}});
    FixedAppearance look = WorksheetAppearance();
    look.capStyle.topTransparent = look.capStyle.bottomTransparent = true;
    const PaintInput in = ViewPaintInput(m, 4, 1);
    std::array<PolyPoint, kPolyPointCount> buffer{};
    const auto body = [&](DrawingSurface& surface) { PaintBody(surface, in, look, buffer); };
    const ColorRef white = MakeColorRef(255, 255, 255);
    const QSize size(213, 213);
    const PictureSource source{size, QStringLiteral("Würfel"),        {}, {}, body, white,
                               1,    [&] { return NamedCorners(in); }};
    qsizetype bytes = 0;
    for (auto _ : state) {
        bytes = EncodePicture(format, source).size();
        benchmark::DoNotOptimize(bytes);
    }
    state.SetLabel(std::to_string(bytes) + " bytes");
}

void RegisterAll() {
    using benchmark::kMicrosecond;
    using benchmark::kMillisecond;
    // Wall-clock time throughout: the file writes spend part of theirs outside the process.
    const auto add = [](const char* name, auto&& fn, benchmark::TimeUnit unit, auto... args) {
        benchmark::RegisterBenchmark(name, fn, args...)->Unit(unit)->UseRealTime();
    };
    add("geometry/sphere_36x36", Geometry, kMicrosecond, kLargestSphere);
    add("geometry/sphere_18x18", Geometry, kMicrosecond, kStartSphere);
    add("painter/body_painter", PainterOnImage, kMillisecond, WorstCaseAppearance, false);
    add("painter/bare_qpainter", BareQPainter, kMillisecond, WorstCaseAppearance, false);
    add("painter/worksheet", PainterOnImage, kMillisecond, WorksheetAppearance, false);
    add("painter/bare_worksheet", BareQPainter, kMillisecond, WorksheetAppearance, false);
    add("painter/textbook", PainterOnImage, kMillisecond, WorksheetAppearance, true);
    add("painter/bare_textbook", BareQPainter, kMillisecond, WorksheetAppearance, true);
    add("painter/clear_image", ClearImage, kMillisecond);
    add("window/rotation_scroll", RotationScroll, kMillisecond);
    add("output/render_output_2160", RenderOutput4K, kMillisecond);
    add("output/bare_draw_2160", BareDraw4K, kMillisecond);
    add("output/file_button_2160", FileButton4K, kMillisecond);
    add("output/bare_save_2160", BareSave, kMillisecond, kOutputSize4K);
    add("series/frame_1000", SeriesFrame, kMillisecond);
    add("series/bare_frame_1000", BareFrame, kMillisecond);
    add("tikz/worksheet_cube", WorksheetCubeFile, kMicrosecond, PictureFormat::Tex);
    add("tikz/svg_worksheet_cube", WorksheetCubeFile, kMicrosecond, PictureFormat::Svg);
}

} // namespace
} // namespace solifa

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setStyle(QStyleFactory::create("Fusion"));
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));

    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    solifa::RegisterAll();
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    solifa::gWindow.reset(); // the window goes before the application
    return 0;
}
