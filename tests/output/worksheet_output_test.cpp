// The worksheet look set up through the window's own controls: hidden edges read as dashed or
// dotted in the view and in the bitmap "Datei erzeugen" writes.
#include <QImageReader>

#include "app/window/control_appearance.h"
#include "output_fixture.h"
#include "support/hidden_edges.h"
#include "widgets/check_box.h"
#include "widgets/line_sample.h"

namespace solifa {
namespace {

struct Look {
    const char* name;
    bool backOutlineOnly;
    int dashClicks; // clicks on the back sample line from its start style, dotted
    DrawStyle style;
};

class WorksheetOutput : public OutputTest, public ::testing::WithParamInterface<Look> {};

TEST_P(WorksheetOutput, HiddenEdgesKeepTheirPatternInTheViewAndInTheFile) {
    // White paper, blue front outlines (their crossings are left out of the measure), the
    // back faces filled red or outlined, in black.
    fake.colorDialog.answer(MakeColorRef(255, 255, 255));
    emit form->Picture5->clicked();
    fake.colorDialog.answer(MakeColorRef(0, 0, 255));
    emit form->Picture4[1]->clicked();
    if (GetParam().backOutlineOnly)
        form->Check1[0]->setValue(1);
    for (int k = 0; k < GetParam().dashClicks; ++k)
        emit form->Picture3[0]->mousePressed(Qt::LeftButton);
    form->HScroll1[0]->setValue(20);
    form->VScroll1->setValue(30);
    ASSERT_EQ(form->Picture3[0]->borderStyle(), static_cast<int>(GetParam().style) + 1);

    const ControlAppearance appearance(form->ui());
    const ShapeValues shape = form->shapeValues();
    const test::BodyEdges viewEdges =
        test::EdgesOf(ViewPaintInput(form->model, shape.corners, shape.levels), appearance);
    ASSERT_FALSE(viewEdges.hidden.empty());
    EXPECT_GT(test::ExpectPatternOnHiddenEdges(view(), viewEdges, GetParam().style, false), 10);

    const QString path = dir.filePath("kugel.bmp");
    saveAs(path);
    const QImage written = QImageReader(path).read();
    ASSERT_FALSE(written.isNull());
    const test::BodyEdges fileEdges =
        test::EdgesOf(BodyPaintInput(form->model, shape.corners, shape.levels,
                                     form->model.outputPoints, form->model.outputApex),
                      appearance);
    EXPECT_GT(test::ExpectPatternOnHiddenEdges(written, fileEdges, GetParam().style, false), 10);
}

INSTANTIATE_TEST_SUITE_P(Looks, WorksheetOutput,
                         ::testing::Values(Look{"FilledDotted", false, 0, Dot},
                                           Look{"OutlinedDashed", true, 4, Dash}),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace solifa
