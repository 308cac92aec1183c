// The program's pictures against the real main window: the same settings made with the
// window's controls and given on the command line give the same pixels.
#include <gtest/gtest.h>

#include <QLocale>
#include <QTemporaryDir>
#include <QTest>

#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "cli/render_job.h"
#include "cli/render_options.h"
#include "cli_test_support.h"
#include "qtpaint/qt_painter_surface.h"
#include "support/fake_platform.h"
#include "widgets/button_3d.h"
#include "widgets/check_box.h"
#include "widgets/line_sample.h"
#include "widgets/picture_box.h"
#include "widgets/scroll_bar.h"
#include "window/form_fixture.h"
#include "window/test_form.h"

namespace solifa {
namespace {

// Settings as a user makes them; unset ones stay at the window's start values.
struct Settings {
    const char* name = "";
    int body = Kugel;
    std::optional<int> corners = {}, levels = {};
    int rotation = 0, tilt = 0, offset = 0, zoom = 100, x = 0, y = 0;
    bool mirror = false;
    std::optional<ColorRef> frontFace = {}, frontLine = {}, backFace = {}, backLine = {},
                            background = {}, capOutside = {}, capInside = {};
    std::optional<int> frontDash = {}, backDash = {};
    std::optional<bool> frontTransparent = {}, frontVisible = {}, backTransparent = {},
                        backVisible = {}, topCap = {}, bottomCap = {};
    // From the view's menu: the worksheet look, the textbook look, and the output picture's line
    // width; the output size is chosen so that the view's lines are viewLines wide.
    bool worksheet = false, smooth = false;
    int lineWidth = 1, viewLines = 1;
};

// The worksheet look as options of the program.
const std::vector<std::string> kWorksheetArgs = {"--background",
                                                 "#ffffff",
                                                 "--front-line-color",
                                                 "#000000",
                                                 "--back-line-color",
                                                 "#000000",
                                                 "--front-transparent",
                                                 "1",
                                                 "--back-transparent",
                                                 "1",
                                                 "--front-dash",
                                                 "1",
                                                 "--back-dash",
                                                 "2",
                                                 "--top-cap-transparent",
                                                 "1",
                                                 "--bottom-cap-transparent",
                                                 "1"};

void PrintTo(const Settings& s, std::ostream* os) {
    *os << s.name;
}

class WindowMatch : public FormTest, public ::testing::WithParamInterface<Settings> {
protected:
    void SetUp() override {
        FormTest::SetUp();
        ASSERT_TRUE(dir.isValid());
    }

    // Makes the settings with the window's controls, in the order a user would, and returns
    // the same settings as options of the program.
    std::vector<std::string> apply(const Settings& s) {
        std::vector<std::string> args = {"--body", kBodyNames[s.body]};
        const auto arg = [&args](const char* option, const std::string& value) {
            args.insert(args.end(), {option, value});
        };
        if (s.mirror) {
            form->Check4->setValue(1);
            args.push_back("--mirror");
        }
        form->SSCommand1[s.body]->click();
        for (int i : {1, 2}) {
            const std::optional<int> v = i == 1 ? s.corners : s.levels;
            if (v) {
                form->HScroll1[i]->setValue(*v);
                arg(i == 1 ? "--corners" : "--levels", std::to_string(*v));
            }
        }
        // Leaving the body and coming back saves its corners, which the offset turns by.
        form->SSCommand1[(s.body + 1) % kBodyCount]->click();
        form->SSCommand1[s.body]->click();
        form->HScroll1[0]->setValue(s.rotation);
        form->VScroll1->setValue(s.tilt);
        form->SSCommand1[7 + s.offset]->click();
        form->HScroll4->setValue(s.zoom);
        form->HScroll2->setValue(s.x);
        form->VScroll2->setValue(-s.y);
        for (const auto& [option, v] : {std::pair{"--rotation", s.rotation},
                                        {"--tilt", s.tilt},
                                        {"--offset", s.offset},
                                        {"--zoom", s.zoom},
                                        {"--x", s.x},
                                        {"--y", s.y}})
            arg(option, std::to_string(v));

        const auto colour = [&](PictureBox* box, const char* option, std::optional<ColorRef> c) {
            if (!c)
                return;
            fake.colorDialog.answer(*c);
            emit box->clicked();
            arg(option, ToQColor(*c).name().toStdString());
        };
        colour(form->Picture2[1], "--front-face-color", s.frontFace);
        colour(form->Picture4[1], "--front-line-color", s.frontLine);
        colour(form->Picture2[0], "--back-face-color", s.backFace);
        colour(form->Picture4[0], "--back-line-color", s.backLine);
        colour(form->Picture6[1], "--cap-outside-color", s.capOutside);
        colour(form->Picture6[0], "--cap-inside-color", s.capInside);
        colour(form->Picture5, "--background", s.background);
        for (int g : {1, 0}) {
            const std::optional<int> dash = g == 1 ? s.frontDash : s.backDash;
            for (int i = 0; dash && i < 5 && form->Picture3[g]->borderStyle() != *dash; ++i)
                emit form->Picture3[g]->mousePressed(Qt::LeftButton);
            if (dash)
                arg(g == 1 ? "--front-dash" : "--back-dash", std::to_string(*dash));
        }
        const auto check = [&](CheckBox* box, const char* option, std::optional<bool> v) {
            // The back box is hidden while filled front faces cover the back faces.
            if (!v || !box->isVisibleTo(form.get()))
                return;
            box->setValue(*v);
            arg(option, *v ? "1" : "0");
        };
        check(form->Check1[1], "--front-transparent", s.frontTransparent);
        check(form->Check2[1], "--front-visible", s.frontVisible);
        check(form->Check1[0], "--back-transparent", s.backTransparent);
        check(form->Check2[0], "--back-visible", s.backVisible);
        check(form->Check3[0], "--top-cap-transparent", s.topCap);
        check(form->Check3[1], "--bottom-cap-transparent", s.bottomCap);
        if (s.worksheet) {
            menuEntry("Arbeitsblatt-Darstellung")->trigger();
            args.insert(args.end(), kWorksheetArgs.begin(), kWorksheetArgs.end());
        }
        if (s.smooth) {
            menuEntry("Lehrbuch-Darstellung runder Körper")->trigger();
            args.push_back("--smooth");
        }
        if (s.lineWidth > 1) {
            menuEntry(QString("Linienstärke/%1 Pixel").arg(s.lineWidth))->trigger();
            form->HScroll6->setValue(form->Picture1->innerWidth() * s.lineWidth / s.viewLines);
            arg("--line-width", std::to_string(s.viewLines));
        }
        return args;
    }

    QImage programPicture(std::vector<std::string> args) {
        args.insert(args.end(), {"-o", "view.bmp"});
        const test::ProgramRun run = test::RunRender(args, dir.path());
        EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
        return QImage(dir.filePath("view.bmp"));
    }

    QTemporaryDir dir;
};

TEST_F(WindowMatch, StartPictureAtTheDesignSizeIsTheProgramsDefault) {
    form->setSizeTwips(9870, 6675);
    ASSERT_EQ(form->Picture1->innerWidth(), 213);
    const QImage window = form->Picture1->image().copy();
    EXPECT_EQ(test::DifferingPixels(programPicture({"--body", "Kugel"}), window), 0);
}

TEST_P(WindowMatch, ProgramDrawsTheWindowsViewPixelForPixel) {
    std::vector<std::string> args = apply(GetParam());
    const int width = form->Picture1->innerWidth();
    ASSERT_EQ(form->Picture1->innerHeight(), width);
    args.insert(args.end(), {"--view-width", std::to_string(width)});
    const QImage window = form->Picture1->image().copy();
    const QImage program = programPicture(args);
    ASSERT_EQ(program.size(), window.size());
    EXPECT_EQ(test::DifferingPixels(program, window), 0);
}

std::vector<Settings> Cases() {
    const ColorRef white = MakeColorRef(255, 255, 255);
    return {
        {.name = "SphereFewRingsTurnedAndMoved",
         .body = Kugel,
         .corners = 7,
         .levels = 5,
         .rotation = 200,
         .tilt = 35,
         .offset = 7,
         .x = -30,
         .y = 25},
        {.name = "CubeSixCornersOffsetZoomed",
         .body = Wuerfel,
         .corners = 6,
         .rotation = 20,
         .tilt = 30,
         .offset = 3,
         .zoom = 150,
         .x = 20,
         .y = 30},
        {.name = "CylinderMirroredFilledFront",
         .body = Zylinder,
         .corners = 12,
         .rotation = 10,
         .tilt = 60,
         .mirror = true,
         .frontFace = MakeColorRef(255, 160, 0),
         .frontTransparent = false},
        {.name = "ConeColoursDashesCaps",
         .body = Kegel,
         .rotation = 120,
         .tilt = 75,
         .frontLine = white,
         .backFace = MakeColorRef(0, 128, 128),
         .backLine = MakeColorRef(96, 96, 96),
         .background = MakeColorRef(250, 250, 220),
         .capInside = MakeColorRef(0, 64, 0),
         .frontDash = 4,
         .backDash = 2,
         .bottomCap = true},
        {.name = "FunnelBackOnlyAsOutlines",
         .body = Trichter,
         .rotation = 300,
         .tilt = 80,
         .zoom = 80,
         .backDash = 5,
         .frontVisible = false,
         .backTransparent = true},
        {.name = "PyramidInTheCornerOfTheView",
         .body = Pyramide,
         .corners = 36,
         .tilt = 90,
         .zoom = 300,
         .x = -100,
         .y = 100,
         .capOutside = white,
         .topCap = true},
        {.name = "WorksheetCubeFromTheMenu",
         .body = Wuerfel,
         .rotation = 20,
         .tilt = 30,
         .worksheet = true},
        {.name = "TextbookCylinderLinesHalfAsWideAsInTheOutput",
         .body = Zylinder,
         .corners = 24,
         .tilt = 40,
         .smooth = true,
         .lineWidth = 6,
         .viewLines = 3},
        {.name = "WorksheetConeTextbookViewLinesAtLeastOnePixel",
         .body = Kegel,
         .tilt = 60,
         .worksheet = true,
         .smooth = true,
         .lineWidth = 2,
         .viewLines = 1},
        {.name = "OctahedronNothingVisible",
         .body = Oktaeder,
         .rotation = 359,
         .tilt = 45,
         .frontVisible = false,
         .backVisible = false},
    };
}

INSTANTIATE_TEST_SUITE_P(Settings, WindowMatch, ::testing::ValuesIn(Cases()),
                         [](const ::testing::TestParamInfo<Settings>& info) {
                             return std::string(info.param.name);
                         });

TEST_F(WindowMatch, WorksheetCubeWrittenWithCtrlSIsTheProgramsPicture) {
    // The output picture as wide as the view draws the view's points unscaled; it is 16 rows
    // taller than wide, in the background colour.
    apply({.body = Wuerfel, .worksheet = true});
    const int width = form->Picture1->innerWidth();
    form->HScroll6->setValue(width - 6);
    form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    for (int lineWidth : {1, 3}) {
        SCOPED_TRACE(lineWidth);
        menuEntry(QString("Linienstärke/%1 Pixel").arg(lineWidth))->trigger();
        const QString name = QString("wuerfel%1.png").arg(lineWidth);
        fake.saveDialog.answer(dir.filePath(name));
        QTest::keyClick(form->Picture1, Qt::Key_S, Qt::ControlModifier);
        const QImage written(dir.filePath(name));
        ASSERT_EQ(written.size(), QSize(width, width + 16));
        std::vector<std::string> args = {"--body",       "Würfel",
                                         "--view-width", std::to_string(width),
                                         "--line-width", std::to_string(lineWidth)};
        args.insert(args.end(), kWorksheetArgs.begin(), kWorksheetArgs.end());
        EXPECT_EQ(test::DifferingPixels(written.copy(0, 0, width, width), programPicture(args)), 0);
        for (int y = width; y < written.height(); ++y)
            for (int x = 0; x < width; ++x)
                ASSERT_EQ(written.pixel(x, y) & 0xffffff, 0xffffffu) << x << "," << y;
    }
    EXPECT_EQ(fake.messageBox.count(FakeMessageBox::Kind::Information), 2);
}

TEST_F(WindowMatch, FramesAreTheWindowsTurnFrameByFrame) {
    // The turn ignores the offset.
    apply({.body = Wuerfel, .corners = 5, .tilt = 25, .offset = 2});
    const int width = form->Picture1->innerWidth();
    const test::ProgramRun run =
        test::RunRender({"--body", "cube", "--corners", "5", "--tilt", "25", "--offset", "2",
                         "--frames", "4", "--view-width", std::to_string(width), "-o", "t.bmp"},
                        dir.path());
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();

    form->HScroll3->setValue(4);
    form->SSCommand3->click();
    // Each tick advances the frame and redraws: frames 1, 2, 3, then 0 again.
    for (int tick = 1; tick <= 4; ++tick) {
        form->Timer1_Timer();
        const int k = form->model.frameIndex;
        SCOPED_TRACE(k);
        ASSERT_EQ(k, tick % 4);
        const QImage written(dir.filePath(QString("t_%1.bmp").arg(k + 1, 2, 10, QChar('0'))));
        EXPECT_EQ(test::DifferingPixels(written, form->Picture1->image()), 0);
    }
    form->SSCommand3->click();
}

} // namespace
} // namespace solifa
