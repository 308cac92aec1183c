// The start of the program: the splash first, shown modally until its timer closes it, then the
// main window; and what the splash shows.
#include <QApplication>
#include <QLabel>
#include <QTimer>
#include <gtest/gtest.h>

#include "app/dialogs/logo.h"
#include "app/dialogs/splash_window.h"
#include "app/window/start_up.h"
#include "support/fake_platform.h"
#include "widgets/interval_timer.h"
#include "window/test_form.h"

namespace solifa {
namespace {

TEST(StartUp, MainWindowAppearsOnlyAfterTheSplashHasClosedItself) {
    FakePlatform fake;
    const Platform platform = fake.platform();
    TestForm1 form(platform);
    form.endProcess = [] {};
    Form2 splash(fake.screen);

    struct SeenWhileSplashUp {
        bool ran = false;
        bool splashVisible = false;
        bool mainVisible = true;
        QWidget* modal = nullptr;
        int interval = 0;
        QPoint splashPos;
    } seen;
    // Runs inside the splash's modal loop: look, then shorten the wait.
    QTimer::singleShot(0, &splash, [&] {
        seen.ran = true;
        seen.splashVisible = splash.isVisible();
        seen.mainVisible = form.isVisible();
        seen.modal = QApplication::activeModalWidget();
        seen.interval = splash.Timer1->interval();
        seen.splashPos = splash.pos();
        splash.Timer1->setInterval(20);
    });
    // Only a safety net against hanging; a splash closed this way fails the test below.
    QTimer::singleShot(10000, &splash, [&] { splash.reject(); });

    StartUp(form, splash);

    ASSERT_TRUE(seen.ran);
    EXPECT_TRUE(seen.splashVisible);
    EXPECT_FALSE(seen.mainVisible);
    EXPECT_EQ(seen.modal, &splash);
    EXPECT_EQ(seen.interval, 3000);
    // 497 x 231 pixels on 1024 x 768: (263.5, 268.5) rounded half to even.
    EXPECT_EQ(seen.splashPos, QPoint(264, 268));

    EXPECT_EQ(splash.result(), QDialog::Accepted) << "closed by the safety net, not its timer";
    EXPECT_FALSE(splash.isVisible());
    EXPECT_FALSE(splash.Timer1->isActive());
    EXPECT_TRUE(form.isVisible());
}

struct TitleLayerCase {
    QPoint topLeft; // pixels at 15 twips per pixel
    QColor color;
};

TEST(Splash, TitleIsThreeOverlappingLayersWithTheBlackOneOnTop) {
    FakeScreen screen;
    Form2 splash(screen);
    const TitleLayerCase cases[3] = {
        {{232, 72}, QColor(255, 255, 0)},
        {{234, 74}, QColor(255, 0, 0)},
        {{238, 78}, QColor(0, 0, 0)},
    };
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        const QLabel* label = splash.title[i];
        EXPECT_EQ(label->text(), QStringLiteral("SOLIFA"));
        EXPECT_EQ(label->pos(), cases[i].topLeft);
        EXPECT_EQ(label->width(), 245);
        EXPECT_EQ(label->palette().color(QPalette::WindowText), cases[i].color);
        EXPECT_EQ(label->font().pointSizeF(), 48.0);
        EXPECT_TRUE(label->font().bold());
        EXPECT_TRUE(label->font().italic());
    }

    // Painted, the title shows all three colours: the shadows are not hidden behind the black.
    const QImage shot =
        splash.grab(QRect(splash.title[0]->geometry().united(splash.title[2]->geometry())))
            .toImage();
    bool found[3] = {false, false, false};
    for (int y = 0; y < shot.height(); ++y)
        for (int x = 0; x < shot.width(); ++x)
            for (int i = 0; i < 3; ++i)
                found[i] = found[i] || shot.pixelColor(x, y) == cases[i].color;
    EXPECT_TRUE(found[0] && found[1] && found[2]);
}

TEST(Logo, IsABodyOnATransparentGround) {
    EXPECT_TRUE(DrawLogo(0).isNull());
    const QImage logo = DrawLogo(227);
    ASSERT_EQ(logo.size(), QSize(227, 227));
    EXPECT_EQ(qAlpha(logo.pixel(0, 0)), 0);
    EXPECT_EQ(qAlpha(logo.pixel(226, 226)), 0);
    // The body stands in the middle.
    EXPECT_EQ(qAlpha(logo.pixel(113, 113)), 255);
}

} // namespace
} // namespace solifa
