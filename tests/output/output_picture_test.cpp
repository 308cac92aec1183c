// The output picture: its size from the output-size bar, its scale from the two widths, and
// a body painted as the view paints it; and the page the picture is printed on.
#include <QPainter>

#include "app/actions/print_page.h"
#include "core/errors.h"
#include "output_fixture.h"
#include "qtpaint/qt_color.h"
#include "widgets/check_box.h"

namespace solifa {
namespace {

class OutputSizeTest : public OutputTest, public ::testing::WithParamInterface<int> {};

TEST_P(OutputSizeTest, PictureTakesTheChosenSizeAndTheRatioOfTheWidths) {
    const int s = GetParam();
    form->HScroll6->setValue(s);
    ASSERT_EQ(form->HScroll6->value(), s);
    form->RenderOutput();
    EXPECT_EQ(form->Picture7->size(), QSize(s + 10, s + 26));
    EXPECT_EQ(form->Picture7->image().size(), QSize(s + 6, s + 22));
    EXPECT_EQ(form->model.outputScale, float(s + 6) / 213.0f);
    EXPECT_TRUE(contains(form->Picture7->image(), qRgb(255, 255, 0))) << "front lines drawn";
}

// 38 is the smallest size the bar allows; 207 makes both inner widths 213.
INSTANTIATE_TEST_SUITE_P(Sizes, OutputSizeTest, ::testing::Values(38, 207, 213, 500));

TEST_F(OutputTest, EqualInnerWidthsGiveScaleOneAndTheViewsPixels) {
    for (int body = 0; body < kBodyCount; ++body) {
        form->SSCommand1[body]->click();
        form->HScroll6->setValue(207);
        form->RenderOutput();
        ASSERT_EQ(form->model.outputScale, 1.0f);
        const QImage out = form->Picture7->image();
        EXPECT_EQ(rgb(out.copy(0, 0, 213, 213)), rgb(view())) << "body " << body;
        EXPECT_TRUE(plain(out.copy(0, 213, 213, out.height() - 213), qRgb(0, 0, 255)));
    }
}

TEST_F(OutputTest, ScaledPointsAreTheViewPointsTimesTheFactor) {
    // The sphere at its start values: rings 0 to 16 of 18 corners, and both poles.
    form->HScroll6->setValue(420);
    form->RenderOutput();
    const float f = form->model.outputScale;
    const ModelState& m = form->model;
    ASSERT_NE(m.viewApex[0][2], 0.0f);
    for (int r = 0; r <= 16; ++r)
        for (int c = 0; c <= 18; ++c)
            for (int a : {0, 2})
                EXPECT_EQ(m.outputPoints.at(r, c, a), m.viewPoints.at(r, c, a) * f);
    for (int k = 0; k < 2; ++k)
        for (int a : {0, 2})
            EXPECT_EQ(m.outputApex[k][a], f * m.viewApex[k][a]);
}

TEST_F(OutputTest, BackgroundFollowsTheViewAndHiddenPassesLeaveItPlain) {
    fake.colorDialog.answer(MakeColorRef(10, 200, 30));
    form->Picture5_Click();
    form->RenderOutput();
    const QImage out = form->Picture7->image();
    for (QPoint corner : {QPoint(0, 0), QPoint(out.width() - 1, out.height() - 1)})
        EXPECT_EQ(out.pixel(corner) & 0xffffff, qRgb(10, 200, 30) & 0xffffff);
    EXPECT_FALSE(plain(out, qRgb(10, 200, 30)));

    // Hiding the front faces brings the back faces back; both are then switched off.
    form->Check2[1]->setValue(0);
    form->Check2[0]->setValue(0);
    form->RenderOutput();
    EXPECT_TRUE(plain(form->Picture7->image(), qRgb(10, 200, 30)));
}

TEST_F(OutputTest, AViewWithoutWidthIsAFaultAndTheActionsEndSilently) {
    form->Picture1->setOuterSize(4, 4);
    ASSERT_EQ(form->Picture1->innerWidth(), 0);
    EXPECT_THROW(form->RenderOutput(), ComputationError);

    form->SSCommand5->click();
    saveAs(dir.filePath("leer.bmp"));
    fake.printerDialog.answer(dir.filePath("leer.pdf"));
    form->SSCommand6->click();
    EXPECT_TRUE(fake.messageBox.messages.empty());
    EXPECT_TRUE(filesInDir().isEmpty());
    EXPECT_EQ(fake.printerDialog.calls, 0);
}

// The page mapping alone, on an image of 100 pixels per unit.
struct PageCase {
    double width, height; // picture size in units
    QRect expected;       // where it lands, in pixels
};

class PrintPageTest : public ::testing::TestWithParam<PageCase> {};

TEST_P(PrintPageTest, PictureStandsCentredTwoUnitsBelowTheTop) {
    const PageCase c = GetParam();
    QImage page(2110, 2970, QImage::Format_RGB32);
    page.fill(Qt::white);
    QImage picture(10, 10, QImage::Format_RGB32);
    picture.fill(Qt::red);
    ASSERT_TRUE(PrintPicturePage(page, picture, QSizeF(c.width, c.height)));

    QRect painted;
    for (int y = 0; y < page.height(); ++y)
        for (int x = 0; x < page.width(); ++x)
            if (page.pixel(x, y) != qRgb(255, 255, 255))
                painted |= QRect(x, y, 1, 1);
    EXPECT_NEAR(painted.left(), c.expected.left(), 1);
    EXPECT_NEAR(painted.top(), c.expected.top(), 1);
    EXPECT_NEAR(painted.right(), c.expected.right(), 1);
    EXPECT_NEAR(painted.bottom(), c.expected.bottom(), 1);
}

INSTANTIATE_TEST_SUITE_P(Sizes, PrintPageTest,
                         ::testing::Values(
                             // 223 x 239 pixels at 15 twips per pixel: 5.899 x 6.322 cm.
                             PageCase{223 * 15 / 1440.0 * 2.54, 239 * 15 / 1440.0 * 2.54,
                                      QRect(760, 200, 590, 632)},
                             // Wider than the page: cut off equally on both sides.
                             PageCase{25.0, 3.0, QRect(0, 200, 2110, 300)}));

} // namespace
} // namespace solifa
