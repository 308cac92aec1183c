// The window on the screens people have: every control inside the window at start and after
// resizing, the frame and the desktop's panels taken into account, and sharp pictures on
// high-density screens.
#include <QApplication>
#include <QScreen>
#include <gtest/gtest.h>

#include "app/window/control_inventory.h"
#include "form_fixture.h"
#include "widgets/button_3d.h"
#include "widgets/scroll_bar.h"

namespace solifa {
namespace {

struct Screen {
    int width, height;
};

class ScreenFit : public ::testing::TestWithParam<Screen> {
protected:
    void start(const FakeScreen& screen) {
        fake.screen = screen;
        platformView = fake.platform();
        form = std::make_unique<TestForm1>(platformView);
        form->Form_Load();
        form->show();
    }

    // The controls that are not inside the window's inner area, by name.
    QStringList outside() const {
        QStringList names;
        for (const ControlDesign& d : ControlInventory()) {
            const QWidget* w = form->control(QString::fromUtf8(d.name));
            const QRect r(w->mapTo(form.get(), QPoint(0, 0)), w->size());
            if (!form->rect().contains(r))
                names << QString::fromUtf8(d.name);
        }
        return names;
    }

    FakePlatform fake;
    Platform platformView{};
    std::unique_ptr<TestForm1> form;
};

TEST_P(ScreenFit, EveryControlInsideTheWindowAtStartAndAfterResizing) {
    const Screen screen = GetParam();
    FakeScreen fs;
    fs.width = screen.width;
    fs.height = screen.height;
    start(fs);

    // Four fifths of the screen's height; as wide as that, but no wider than the design's
    // proportions allow.
    EXPECT_EQ(form->height(), qRound(0.8 * screen.height));
    EXPECT_EQ(form->width(),
              qRound(std::min(0.8 * screen.width, 0.8 * screen.height * 9870.0 / 6675.0)));
    EXPECT_EQ(form->pos(),
              QPoint((screen.width - form->width()) / 2, (screen.height - form->height()) / 2));
    EXPECT_EQ(outside(), QStringList()) << "at start";
    EXPECT_EQ(form->Picture1->width(), form->Picture1->height());

    const struct {
        const char* name;
        QSize size;
    } windows[] = {{"wide", {2400, 500}}, {"tall", {500, 1400}}, {"small", {330, 230}}};
    for (const auto& w : windows) {
        form->resize(w.size);
        EXPECT_EQ(outside(), QStringList()) << w.name;
        EXPECT_EQ(form->HScroll6->value(), form->Picture1->innerWidth()) << w.name;
    }
}

INSTANTIATE_TEST_SUITE_P(Screens, ScreenFit,
                         ::testing::Values(Screen{1920, 1080}, Screen{2560, 1080},
                                           Screen{3840, 2160}, Screen{1280, 1024},
                                           Screen{1024, 768}));

TEST_F(ScreenFit, OnTheCommonWideScreenTheWholeDesignShows) {
    FakeScreen fs;
    fs.width = 1920;
    fs.height = 1080;
    start(fs);
    EXPECT_EQ(form->size(), QSize(1278, 864));
    EXPECT_NEAR(form->layoutScale(), 864 * 15.0 / 6675, 1e-3);
    // The exit button and the lowest row of frames lie inside, not cut off at the bottom.
    const Button3D* exit = form->SSCommand11;
    EXPECT_LE(exit->mapTo(form.get(), QPoint(0, exit->height())).y(), form->height());
    EXPECT_EQ(exit->text(), QStringLiteral("Programm beenden"));
}

TEST_F(ScreenFit, TheOuterWindowTakesFourFifthsOfTheFreeAreaCentredInIt) {
    // A panel of 40 pixels at the top and a frame with a title bar of 24 pixels.
    FakeScreen fs;
    fs.width = 1920;
    fs.height = 1080;
    fs.available = ScreenArea{0, 40, 1920, 1040};
    fs.frame = FrameMargins{4, 24, 4, 4};
    start(fs);
    const int outerW = qRound(0.8 * 1040 * 9870.0 / 6675.0);
    const int outerH = qRound(0.8 * 1040);
    EXPECT_EQ(form->size(), QSize(outerW - 8, outerH - 28));
    EXPECT_EQ(form->pos(), QPoint(qRound((1920 - 0.8 * 1040 * 9870.0 / 6675.0) / 2),
                                  40 + qRound((1040 - 0.8 * 1040) / 2)));
    EXPECT_EQ(outside(), QStringList());
}

// The pixels of a colour in an image, and the box around them.
struct Ink {
    int count = 0;
    QRect box;
};

Ink InkOf(const QImage& img, QRgb colour) {
    Ink ink;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if ((img.pixel(x, y) & 0xffffff) == (colour & 0xffffff)) {
                ++ink.count;
                ink.box |= QRect(x, y, 1, 1);
            }
    return ink;
}

// Runs only where the screen has two device pixels per logical pixel (QT_SCALE_FACTOR=2).
TEST_F(ScreenFit, HighDensityScreenDrawsTheViewAtDevicePixels) {
    if (qApp->primaryScreen()->devicePixelRatio() != 2.0)
        GTEST_SKIP() << "needs a device pixel ratio of 2";
    start(FakeScreen{});
    EXPECT_EQ(form->Picture1->innerWidth(), 266); // the view keeps its logical size
    for (int body : {0, 1, 5}) {
        form->SSCommand1_Click(body);
        const QImage sharp = form->Picture1->image().copy();
        ASSERT_EQ(sharp.size(),
                  2 * QSize(form->Picture1->innerWidth(), form->Picture1->innerHeight()));
        EXPECT_EQ(sharp.devicePixelRatio(), 2.0);

        form->Picture1->setFollowsDeviceRatio(false);
        form->ProjectBody();
        const QImage plain = form->Picture1->image().copy();
        form->Picture1->setFollowsDeviceRatio(true);
        ASSERT_EQ(plain.size(), sharp.size() / 2);

        // Lines one device pixel wide: twice the length in device pixels gives about twice the
        // ink, where lines two pixels wide would give four times.
        const QRgb line = qRgb(255, 255, 0);
        const Ink fine = InkOf(sharp, line);
        const Ink coarse = InkOf(plain, line);
        ASSERT_GT(coarse.count, 100) << body;
        EXPECT_NEAR(double(fine.count) / coarse.count, 2.0, 0.4) << body;
        // The same picture, drawn finer: its extremes, halved, are those of the plain one.
        EXPECT_EQ(fine.box.left() / 2, coarse.box.left()) << body;
        EXPECT_EQ(fine.box.top() / 2, coarse.box.top()) << body;
        EXPECT_EQ(fine.box.right() / 2, coarse.box.right()) << body;
        EXPECT_EQ(fine.box.bottom() / 2, coarse.box.bottom()) << body;
    }
    // The output picture counts pixels: one image pixel per logical pixel.
    EXPECT_EQ(form->Picture7->image().devicePixelRatio(), 1.0);
}

} // namespace
} // namespace solifa
