// The information and programs windows: where they open, whether they block the main window,
// and their buttons.
#include <QApplication>
#include <QLabel>
#include <QTest>
#include <QTimer>
#include <cstdlib>
#include <fstream>
#include <gtest/gtest.h>
#include <unistd.h>

#include "app/dialogs/info_window.h"
#include "app/dialogs/programs_window.h"
#include "support/fake_platform.h"
#include "widgets/button_3d.h"
#include "widgets/interval_timer.h"
#include "widgets/panel_3d.h"
#include "window/form_fixture.h"

namespace solifa {
namespace {

// Clicks a control of a window through the window system, as a user would: a window blocked
// by a modal one does not get the click.
void clickThroughWindow(QWidget* control) {
    QWidget* window = control->window();
    const QPoint at = control->mapTo(window, control->rect().center());
    QTest::mouseClick(window->windowHandle(), Qt::LeftButton, {}, at);
}

// The window's outer rectangle lies in the middle of the fake 1024 x 768 screen, to the pixel.
void expectCentredOnTheFakeScreen(const QWidget* window) {
    const QRect outer = window->frameGeometry();
    EXPECT_LE(std::abs(2 * outer.x() + outer.width() - 1024), 1);
    EXPECT_LE(std::abs(2 * outer.y() + outer.height() - 768), 1);
}

struct CentringCase {
    int screenWidth;
    int screenHeight;
    double dpi;
    QRect info; // place and size expected
    QRect form4;
};

class Centring : public ::testing::TestWithParam<CentringCase> {};

// Outer size from the design size in twips; place = (screen - window) / 2, halves to even.
TEST_P(Centring, InfoAndProgramsOpenInTheMiddleOfTheScreen) {
    const CentringCase& c = GetParam();
    FakeScreen screen;
    screen.width = c.screenWidth;
    screen.height = c.screenHeight;
    screen.logicalDpiX = screen.logicalDpiY = c.dpi;
    Info info(screen);
    Form4 programs(screen);
    EXPECT_EQ(info.geometry(), c.info);
    EXPECT_EQ(programs.geometry(), c.form4);
}

INSTANTIATE_TEST_SUITE_P(
    Screens, Centring,
    ::testing::Values(CentringCase{1024, 768, 96, {266, 272, 493, 225}, {355, 291, 314, 186}},
                      CentringCase{1280, 1024, 96, {394, 400, 493, 225}, {483, 419, 314, 186}},
                      CentringCase{800, 600, 96, {154, 188, 493, 225}, {243, 207, 314, 186}},
                      CentringCase{1024, 768, 120, {204, 244, 616, 281}, {316, 268, 392, 232}}));

class AuxiliaryWindows : public FormTest {
protected:
    void SetUp() override {
        FormTest::SetUp();
        form->endProcess = [this] { ++endCalls; };
    }
    int endCalls = 0;
};

TEST_F(AuxiliaryWindows, InfoLeavesTheMainWindowUsableAndComesBackToTheFront) {
    form->SSCommand10->click();
    ASSERT_FALSE(form->info.infoWindow.isNull());
    Info* info = form->info.infoWindow;
    EXPECT_TRUE(info->isVisible());
    EXPECT_EQ(info->windowTitle(), QStringLiteral("Information"));
    expectCentredOnTheFakeScreen(info);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);

    // The main window still takes clicks: a body button and the turn.
    clickThroughWindow(form->SSCommand1[1]);
    EXPECT_EQ(form->model.currentBody, Wuerfel);
    clickThroughWindow(form->SSCommand3);
    EXPECT_TRUE(form->Timer1->isActive());

    // "Info" again: the same window, back in the middle.
    info->move(10, 10);
    form->SSCommand10->click();
    EXPECT_EQ(form->info.infoWindow.data(), info);
    expectCentredOnTheFakeScreen(info);

    // "OK" unloads it; the next opening is a new window.
    clickThroughWindow(info->SSCommand1);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(form->info.infoWindow.isNull());
    form->SSCommand10->click();
    ASSERT_FALSE(form->info.infoWindow.isNull());
    EXPECT_TRUE(form->info.infoWindow->isVisible());
    EXPECT_EQ(endCalls, 0);
}

// Resident memory of this process in bytes, from the kernel's count of pages.
long ResidentBytes() {
    std::ifstream statm("/proc/self/statm");
    long size = 0, resident = 0;
    statm >> size >> resident;
    return resident * sysconf(_SC_PAGESIZE);
}

TEST_F(AuxiliaryWindows, InfoOpenedAndClosedAgainAndAgainLeavesNothingBehind) {
    const auto cycle = [&](int times) {
        for (int i = 0; i < times; ++i) {
            form->SSCommand10->click();
            ASSERT_FALSE(form->info.infoWindow.isNull());
            ASSERT_TRUE(QTest::qWaitForWindowExposed(form->info.infoWindow.data()));
            QCoreApplication::processEvents();
            clickThroughWindow(form->info.infoWindow->SSCommand1);
            QCoreApplication::processEvents();
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            ASSERT_TRUE(form->info.infoWindow.isNull()) << "opening " << i;
        }
    };
    cycle(20); // what is made once and kept (fonts, glyphs, the style's own) is made here
    const long before = ResidentBytes();
    cycle(300);
    [[maybe_unused]] const long grown = ResidentBytes() - before;
    EXPECT_TRUE(form->findChildren<Info*>().isEmpty());
    EXPECT_EQ(QApplication::topLevelWidgets().count(), 1);
#ifndef __SANITIZE_ADDRESS__
    // The sanitizer keeps freed memory in quarantine; without it, the memory comes back.
    EXPECT_LT(grown, 1 << 20);
#endif
}

TEST_F(AuxiliaryWindows, ProgramsBlockTheMainWindowUntilThePanelIsClicked) {
    struct Seen {
        Form4* window = nullptr;
        QRect outer;
        int bevelWhilePressed = 0;
        int bevelAfterRelease = 0;
        bool closedByPanel = false;
    } seen;
    QTimer::singleShot(0, form.get(), [&] {
        seen.window = qobject_cast<Form4*>(QApplication::activeModalWidget());
        if (seen.window == nullptr)
            return;
        Form4* w = seen.window;
        seen.outer = w->frameGeometry();
        clickThroughWindow(form->SSCommand1[1]); // blocked

        QWindow* handle = w->windowHandle();
        const QPoint at = w->SSPanel1->mapTo(w, w->SSPanel1->rect().center());
        QTest::mousePress(handle, Qt::LeftButton, {}, at);
        seen.bevelWhilePressed = w->SSPanel1->bevel();
        QTest::mouseRelease(handle, Qt::LeftButton, {}, at);
        seen.bevelAfterRelease = w->SSPanel1->bevel();
        seen.closedByPanel = !w->isVisible();
        if (w->isVisible())
            w->reject(); // do not hang when the panel failed to close it
    });

    form->SSCommand8->click();

    ASSERT_NE(seen.window, nullptr) << "no modal window was open";
    // Centred when it was loaded, before the desktop framed it.
    EXPECT_EQ(seen.outer.topLeft(), QPoint(355, 291));
    EXPECT_EQ(form->model.currentBody, Kugel);
    EXPECT_EQ(seen.bevelWhilePressed, Panel3D::kInset);
    EXPECT_EQ(seen.bevelAfterRelease, Panel3D::kRaised);
    EXPECT_TRUE(seen.closedByPanel);
    EXPECT_TRUE(form->findChildren<Form4*>().isEmpty());
}

TEST(ProgramsWindow, ShowsAHeadingInBlueAndFourProgramsInRed) {
    FakeScreen screen;
    Form4 programs(screen);
    for (int i = 0; i < 5; ++i) {
        SCOPED_TRACE(i);
        const QLabel* label = programs.Label1[i];
        EXPECT_FALSE(label->text().isEmpty());
        EXPECT_EQ(label->palette().color(QPalette::WindowText),
                  i == 0 ? QColor(0, 0, 255) : QColor(255, 0, 0));
        // Each line fits the window.
        EXPECT_LE(label->x() + label->fontMetrics().horizontalAdvance(label->text()),
                  programs.width());
        if (i > 0) {
            EXPECT_TRUE(label->text().endsWith(QLatin1Char(')')));
        }
    }
    EXPECT_EQ(programs.SSPanel1->text(), QStringLiteral("OK"));
    EXPECT_EQ(programs.SSPanel1->bevel(), Panel3D::kRaised);
}

struct PanelCase {
    const char* name;
    QPoint releaseOffset; // from the centre
    int clicks;
};

TEST(Panel, ReleaseOutsideRestoresTheBevelWithoutAClick) {
    const PanelCase cases[] = {{"inside", {0, 0}, 1}, {"outside", {200, 0}, 0}};
    for (const PanelCase& c : cases) {
        SCOPED_TRACE(c.name);
        Panel3D panel(QStringLiteral("OK"));
        panel.resize(100, 30);
        int clicks = 0;
        QObject::connect(&panel, &Panel3D::clicked, [&] { ++clicks; });
        const QPoint centre = panel.rect().center();
        QTest::mousePress(&panel, Qt::LeftButton, {}, centre);
        EXPECT_EQ(panel.bevel(), Panel3D::kInset);
        QTest::mouseRelease(&panel, Qt::LeftButton, {}, centre + c.releaseOffset);
        EXPECT_EQ(panel.bevel(), Panel3D::kRaised);
        EXPECT_EQ(clicks, c.clicks);
    }
}

} // namespace
} // namespace solifa
