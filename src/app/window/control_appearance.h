#pragma once
// The appearance as the main window's controls hold it: colour boxes, sample lines and check
// boxes, read at the moment the body painter asks. The view and the output picture share it.
#include "app/window/form1_controls.h"
#include "core/body_painter.h"
#include "widgets/check_box.h"
#include "widgets/line_sample.h"
#include "widgets/picture_box.h"

namespace solifa {

class ControlAppearance : public AppearanceSource {
public:
    explicit ControlAppearance(const Form1Controls& form) : form_(form) {}
    bool groupVisible(int g) const override { return form_.Check2[g]->value() != 0; }
    FaceGroupStyle group(int g) const override {
        FaceGroupStyle s;
        s.faceColor = form_.Picture2[g]->backColor();
        s.lineColor = form_.Picture4[g]->backColor();
        s.dashStyle = form_.Picture3[g]->borderStyle();
        s.transparent = form_.Check1[g]->value() != 0;
        s.visible = form_.Check2[g]->value() != 0;
        return s;
    }
    CapStyle caps() const override {
        CapStyle c;
        c.color[0] = form_.Picture6[0]->backColor();
        c.color[1] = form_.Picture6[1]->backColor();
        c.topTransparent = form_.Check3[0]->value() == 1;
        c.bottomTransparent = form_.Check3[1]->value() == 1;
        return c;
    }

private:
    const Form1Controls& form_;
};

} // namespace solifa
