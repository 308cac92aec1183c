// Body selection, value entry, view controls and appearance, driven through the real controls.
#include <QLabel>
#include <QSignalSpy>

#include "core/body_topology.h"
#include "form_fixture.h"
#include "widgets/button_3d.h"
#include "widgets/check_box.h"
#include "widgets/line_sample.h"
#include "widgets/scroll_bar.h"

namespace solifa {
namespace {

TEST_F(FormTest, CornersAndLevelsAreKeptPerBody) {
    form->HScroll1[1]->setValue(12);
    form->HScroll1[2]->setValue(7);
    form->SSCommand1[1]->click();
    EXPECT_EQ(form->Label1[7]->text(), "4");
    EXPECT_EQ(form->Label1[8]->text(), "1");
    for (int i : {0, 2, 3, 4, 5, 6})
        EXPECT_EQ(form->SSCommand1[i]->captionColor(), QColor(0, 0, 0)) << i;
    EXPECT_EQ(form->SSCommand1[1]->captionColor(), QColor(192, 0, 0));

    std::vector<int> levelChanges;
    QObject::connect(form->HScroll1[2], &ScrollBar::changed,
                     [&](int v) { levelChanges.push_back(v); });
    form->SSCommand1[0]->click();
    EXPECT_EQ(form->Label1[7]->text(), "12");
    EXPECT_EQ(form->Label1[8]->text(), "7");
    // Raising the minimum for the sphere moves the levels to 2 before the saved value comes.
    ASSERT_EQ(levelChanges.size(), 2u);
    EXPECT_EQ(levelChanges[0], 2);
    EXPECT_EQ(levelChanges[1], 7);
    EXPECT_EQ(form->model.recomputeSuppressed, 0);
}

TEST_F(FormTest, PressingTheSelectedBodyAgainChangesNoPixel) {
    form->HScroll1[0]->setValue(33);
    form->VScroll1->setValue(20);
    const QImage before = view();
    form->SSCommand1[0]->click();
    EXPECT_EQ(view(), before);
}

// What a body shows follows from its faces: the corners bar for the round bodies, whose
// corner count is a choice (the polyhedra keep theirs, and the title fills the bar's place),
// the levels bar for the sphere, and for each end cap the body has its "transparent" box; the
// colour boxes and captions of the caps whenever it has one, the captions naming the caps.
class BodyControlsTest : public FormTest, public ::testing::WithParamInterface<int> {};

TEST_P(BodyControlsTest, FollowFromTheFacesOfTheBody) {
    const int body = GetParam();
    const BodyTopology& faces = kBodyTopology[body];
    const bool top = faces.topCapRing >= 0;
    const bool bottom = faces.bottomCapRing >= 0;
    const bool round = body == Kugel || body == Zylinder || body == Kegel || body == Trichter;
    form->SSCommand1[body]->click();

    EXPECT_EQ(shown(form->HScroll1[1]), round);
    EXPECT_EQ(shown(form->Label9), !round);
    EXPECT_EQ(shown(form->HScroll1[2]), body == Kugel);
    EXPECT_TRUE(shown(form->HScroll1[0]));
    EXPECT_EQ(shown(form->Check3[0]), top);
    EXPECT_EQ(shown(form->Check3[1]), bottom);
    for (int k = 0; k < 2; ++k) {
        EXPECT_EQ(shown(form->Picture6[k]), top || bottom) << k;
        EXPECT_EQ(shown(form->Label6[k]), top || bottom) << k;
    }
    if (top || bottom) {
        EXPECT_EQ(form->Label6[0]->text(), top ? "außen / oben" : "außen");
        EXPECT_EQ(form->Label6[1]->text(), bottom ? "innen / unten" : "innen");
    } else { // the design's captions stay
        EXPECT_EQ(form->Label6[0]->text(), "außen/oben");
        EXPECT_EQ(form->Label6[1]->text(), "innen/unten");
    }
    EXPECT_EQ(form->model.currentBody, body);
}

INSTANTIATE_TEST_SUITE_P(SevenBodies, BodyControlsTest, ::testing::Range(0, kBodyCount));

TEST_F(FormTest, DigitButtonTurnsByEighthsOfACornerStepWithoutNewPoints) {
    form->SSCommand1[1]->click(); // the cube: corner 0 at (0, R, z)
    const int16_t x0 = form->model.bodyPoints.at(0, 0, 0);
    const float before = form->model.viewPoints.at(0, 0, 0);
    form->SSCommand1[12]->click();
    EXPECT_EQ(form->Label1[9]->text(), "5");
    EXPECT_EQ(form->SSCommand1[12]->captionColor(), QColor(192, 0, 0));
    EXPECT_EQ(form->SSCommand1[7]->captionColor(), QColor(0, 0, 0));
    EXPECT_EQ(form->model.selectedDigitButton, 12);
    EXPECT_EQ(form->model.bodyPoints.at(0, 0, 0), x0);
    EXPECT_NE(form->model.viewPoints.at(0, 0, 0), before);
    // 5/8 of a quarter turn: corner 0 of the top ring moves to R * sin(5 * 90 / 8) off centre.
    const double R = form->model.viewRadius;
    const double spin = 5 * 3.1415926535 / 16;
    const double x = -std::sin(spin) * R; // turned about the axis: x = -sin * y
    const double f = 1 - (R + std::cos(spin) * R) / (8 * R);
    EXPECT_NEAR(form->model.viewPoints.at(0, 0, 0), x * f + R, 0.6);
}

TEST_F(FormTest, DraggingTheCornersThumbRegeneratesAtEveryReportedValue) {
    std::vector<int> seen;
    QObject::connect(form->HScroll1[1], &ScrollBar::scrolled, [&](int v) {
        EXPECT_EQ(form->Label1[7]->text(), QString::number(v));
        EXPECT_EQ(form->model.bodyPoints.maxCorner(), v);
        seen.push_back(v);
    });
    form->HScroll1[1]->setSliderDown(true);
    for (int v = 17; v >= 3; --v)
        form->HScroll1[1]->setValue(v);
    form->HScroll1[1]->setSliderDown(false);
    EXPECT_EQ(seen.size(), 15u);
    EXPECT_EQ(form->Label1[7]->text(), "3");
}

TEST_F(FormTest, ViewBarLabelsAndStandardButtons) {
    struct ZoomText {
        int value;
        const char* text;
    };
    for (const ZoomText z : {ZoomText{80, "0,8"}, {100, "1"}, {125, "1,25"}, {300, "3"}}) {
        form->HScroll4->setValue(z.value);
        EXPECT_EQ(form->Label8[1]->text(), z.text);
    }
    form->VScroll2->setValue(-100);
    EXPECT_EQ(form->Label7[3]->text(), "100");
    form->VScroll2->setValue(35);
    EXPECT_EQ(form->Label7[3]->text(), "-35");
    form->HScroll2->setValue(-100);
    EXPECT_EQ(form->Label7[2]->text(), "-100");
    form->VScroll1->setValue(45);
    EXPECT_EQ(form->Label1[5]->text(), "45");

    form->SSCommand2->click();
    form->SSCommand4->click();
    EXPECT_EQ(form->HScroll2->value(), 0);
    EXPECT_EQ(form->VScroll2->value(), 0);
    EXPECT_EQ(form->Label8[1]->text(), "1");
}

TEST_F(FormTest, PositionAndZoomWaitForTheNextFrameWhileTheTurnRuns) {
    form->model.turnRunning = 1;
    const QImage before = view();
    form->HScroll2->setValue(40);
    form->HScroll4->setValue(200);
    EXPECT_EQ(view(), before);
    EXPECT_EQ(form->Label7[2]->text(), "40");
    form->VScroll1->setValue(30);
    EXPECT_NE(view(), before);
}

TEST_F(FormTest, OpaqueFrontFacesPutAwayTheBackFrame) {
    form->Check1[1]->setValue(0); // front faces filled
    EXPECT_FALSE(shown(form->Check2[0]));
    EXPECT_EQ(form->Check2[0]->value(), 0);
    for (QWidget* w :
         {static_cast<QWidget*>(form->Picture3[0]), static_cast<QWidget*>(form->Picture4[0]),
          static_cast<QWidget*>(form->Check1[0]), static_cast<QWidget*>(form->Label2[0]),
          static_cast<QWidget*>(form->Label4[0]), static_cast<QWidget*>(form->Picture2[0])})
        EXPECT_FALSE(shown(w)) << w->objectName().toStdString();
    EXPECT_TRUE(shown(form->Picture2[1]));

    form->Check2[1]->setValue(0); // front faces off: the back faces come back
    EXPECT_TRUE(shown(form->Check2[0]));
    EXPECT_EQ(form->Check2[0]->value(), 1);
    EXPECT_TRUE(shown(form->Picture2[0]));

    form->Check2[0]->setValue(0); // both off: plain background
    const QImage img = view();
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            ASSERT_EQ(img.pixel(x, y) & 0xffffff, 0x0000ffu);
}

TEST_F(FormTest, ColourChoiceCancelAndPreset) {
    const QImage before = view();
    fake.colorDialog.cancel();
    emit form->Picture4[1]->clicked();
    EXPECT_EQ(form->Picture4[1]->backColor(), MakeColorRef(255, 255, 0));
    EXPECT_EQ(view(), before);

    fake.colorDialog.answer(MakeColorRef(255, 255, 255));
    emit form->Picture4[1]->clicked();
    EXPECT_TRUE(contains(view(), qRgb(255, 255, 255)));
    fake.colorDialog.cancel();
    emit form->Picture5->clicked();
    ASSERT_EQ(fake.colorDialog.presets.size(), 3u);
    EXPECT_EQ(fake.colorDialog.presets[0], 0u);
    EXPECT_EQ(fake.colorDialog.presets[2], MakeColorRef(255, 255, 255));

    fake.colorDialog.answer(MakeColorRef(0, 0, 0));
    emit form->Picture5->clicked();
    EXPECT_EQ(form->Picture1->backColor(), MakeColorRef(0, 0, 0));
    EXPECT_EQ(view().pixel(0, 0) & 0xffffff, 0u);
}

TEST_F(FormTest, FiveClicksOnADashSampleReturnItsStyle) {
    for (int g = 0; g < 2; ++g) {
        const int start = form->Picture3[g]->borderStyle();
        std::vector<int> styles;
        for (int i = 0; i < 5; ++i) {
            emit form->Picture3[g]->mousePressed(Qt::LeftButton);
            styles.push_back(form->Picture3[g]->borderStyle());
        }
        EXPECT_EQ(styles.back(), start);
        for (int s : styles)
            EXPECT_TRUE(s >= 1 && s <= 5);
    }
}

TEST_F(FormTest, CapTransparencyHidesTheColourBoxOfItsRow) {
    form->SSCommand1[1]->click();
    form->Check3[0]->setValue(1);
    EXPECT_FALSE(shown(form->Picture6[1]));
    EXPECT_TRUE(shown(form->Picture6[0]));
    form->Check3[1]->setValue(1);
    EXPECT_FALSE(shown(form->Picture6[0]));
    form->Check3[0]->setValue(0);
    EXPECT_TRUE(shown(form->Picture6[1]));
}

} // namespace
} // namespace solifa
