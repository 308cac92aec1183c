// The output picture: the view's projection scaled to the chosen output size and painted with
// the view's algorithm onto the hidden picture whose image the output actions take.
#include "model/body_geometry.h"
#include "model/errors.h"
#include "window/form1.h"
#include "window/picture_box.h"
#include "window/scroll_bar.h"

namespace solifa {

void Form1::RenderOutput() {
    const int size = HScroll6->value();
    // The picture is sized in twips at the screen's resolution; converting the pixel counts
    // to twips and back gives the same counts, so they are set directly.
    Picture7->setOuterSize(size + 10, size + 26);
    const float viewWidth = float(Picture1->innerWidth());
    if (viewWidth == 0.0f)
        throw ComputationError("the view has no width to scale from");
    model.outputScale = float(Picture7->innerWidth()) / viewWidth;
    ScaleToOutput();
}

void Form1::ScaleToOutput() {
    const ShapeValues shape = shapeValues();
    const int lastRing = HighestRing(model.currentBody, shape.levels);
    const float scale = model.outputScale;
    for (int r = 0; r <= lastRing; ++r) {
        for (int c = 0; c <= shape.corners; ++c) {
            model.outputPoints.at(r, c, 0) = model.viewPoints.at(r, c, 0) * scale;
            model.outputPoints.at(r, c, 2) = model.viewPoints.at(r, c, 2) * scale;
        }
    }
    for (int a = 0; a < 2; ++a) {
        model.outputApex[a][0] = scale * model.viewApex[a][0];
        model.outputApex[a][2] = scale * model.viewApex[a][2];
    }
    DrawOutput();
}

void Form1::DrawOutput() {
    // Taking the view's background also clears the picture.
    Picture7->setBackColor(Picture1->backColor());
    PaintCurrentBody(Picture7, model.outputPoints, model.outputApex);
}

} // namespace solifa
