#include <QLabel>
#include <QResizeEvent>
#include <QTimer>
#include <algorithm>

#include "app/window/control_inventory.h"
#include "app/window/form1.h"
#include "app/window/twips.h"
#include "core/rounding.h"
#include "widgets/button_3d.h"
#include "widgets/layout_style.h"
#include "widgets/line_sample.h"
#include "widgets/picture_box.h"
#include "widgets/scroll_bar.h"
#include "widgets/value_label.h"

// The window's place and size: the start rectangle on the screen, the size in twips, and the
// layout pass that scales every control, font and sample line with the window.
namespace solifa {

void Form1::placeControl(QWidget* w, const QRect& r) {
    if (auto* v = qobject_cast<ValueLabel*>(w)) {
        v->setLayoutGeometry(r);
    } else if (auto* l = qobject_cast<QLabel*>(w)) {
        // Fonts grow in whole points while boxes grow smoothly; a caption whose box has become
        // too tight extends to the right rather than being cut off.
        const QFontMetrics fm(l->font());
        const int width = std::max(r.width(), fm.horizontalAdvance(l->text()) + 2);
        const int height = std::max(r.height(), fm.height());
        l->setGeometry(r.x(), r.y(), width, height);
    } else if (auto* b = qobject_cast<Button3D*>(w)) {
        b->setGeometry(r);
        // A caption too wide for its box at the design's 9 pt shrinks in whole points, to no
        // less than 6 pt, or the labels' size where that is smaller still.
        b->fitCaption(9, std::min(6, fonts_.f9));
    } else {
        w->setGeometry(r);
        // The style's measures follow the layout factor.
        if (w->style() == layoutStyle_)
            w->update();
    }
}

double Form1::widthTwips() const {
    const Twips twips(*platform_.screen);
    if (widthTwips_ > 0 && twips.pixelsX(widthTwips_) == width())
        return widthTwips_;
    return width() * twips.perPixelX;
}

double Form1::heightTwips() const {
    const Twips twips(*platform_.screen);
    if (heightTwips_ > 0 && twips.pixelsY(heightTwips_) == height())
        return heightTwips_;
    return height() * twips.perPixelY;
}

void Form1::setSizeTwips(double w, double h) {
    widthTwips_ = w;
    heightTwips_ = h;
    resize(Twips(*platform_.screen).size(w, h));
}

StartRect StartFrame(const ScreenMetrics& screen) {
    // Four fifths of the area the desktop leaves free, but no wider than the design's
    // proportions at that height, so that the whole design fits at the largest scale; centred
    // in that area. In twips in single precision, like every size of the layout.
    const ScreenArea area = screen.availablePixels();
    const Twips twips(screen);
    const float areaW = float(area.width * twips.perPixelX);
    const float areaH = float(area.height * twips.perPixelY);
    StartRect r;
    r.height = 0.8f * areaH;
    r.width = std::min(0.8f * areaW, r.height * float(kDesignFormWidth) / float(kDesignFormHeight));
    r.left = float(area.left * twips.perPixelX) + (areaW - r.width) / 2;
    r.top = float(area.top * twips.perPixelY) + (areaH - r.height) / 2;
    return r;
}

void Form1::placeAtStart() {
    const StartRect frame = StartFrame(*platform_.screen);
    setSizeTwips(frame.width, frame.height);
    // A window's position is that of its frame, its size that of its inner area. Until the
    // window manager has framed the window the frame is not known, so the inner area is fitted
    // to the chosen outer size once it is (fitFrame).
    move(Twips(*platform_.screen).point(frame.left, frame.top));
    startFrame_ = frame;
}

bool Form1::fitFrame() {
    if (!startFrame_)
        return true;
    const std::optional<FrameMargins> m = platform_.screen->frameOf(*this);
    if (!m)
        return false;
    const StartRect frame = *startFrame_;
    startFrame_.reset();
    const Twips twips(*platform_.screen);
    const double w = frame.width - (m->left + m->right) * twips.perPixelX;
    const double h = frame.height - (m->top + m->bottom) * twips.perPixelY;
    if (w > 0 && h > 0)
        setSizeTwips(w, h);
    move(twips.point(frame.left, frame.top));
    return true;
}

void Form1::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (fitFrame())
        return;
    // The frame arrives a little after the window is mapped; look for it for two seconds.
    auto* poll = new QTimer(this);
    poll->setInterval(50);
    connect(poll, &QTimer::timeout, this, [this, poll, ticks = 0]() mutable {
        if (fitFrame() || ++ticks >= 40) {
            startFrame_.reset();
            poll->deleteLater();
        }
    });
    poll->start();
}

float Form1::layoutScale() const {
    // The whole design inside the inner area: the smaller of the two ratios. On a window wider
    // than the design's proportions the controls keep their size and a band stays free at the
    // right; on a taller one the band is at the bottom.
    return std::min(float(widthTwips()) / float(model.designFormWidth),
                    float(heightTwips()) / float(model.designFormHeight));
}

void Form1::LayoutControls() {
    const float s = layoutScale();
    if (!(s >= 0.25f))
        return;
    layoutStyle_->setScale(s);
    fonts_.f9 = int(roundHalfEven(9 * s));
    fonts_.f8 = int(roundHalfEven(8 * s));
    fonts_.f7 = int(roundHalfEven(7 * s));
    fonts_.title = 48 * s;
    const Twips twips(*platform_.screen);

    for (const ControlDesign& d : ControlInventory()) {
        QWidget* w = controls_.at(QString::fromUtf8(d.name));
        const QRect r = pixelRect(model.designGeometry.at(d.name), s);
        QFont f = w->font();
        switch (EffectiveFontGroup(d)) {
        case FontGroup::F9:
            f.setPointSize(fonts_.f9);
            break;
        case FontGroup::F8:
            f.setPointSize(fonts_.f8);
            break;
        case FontGroup::F7:
            f.setPointSize(fonts_.f7);
            break;
        case FontGroup::Title:
            f.setPointSizeF(fonts_.title);
            break;
        default:
            break;
        }
        w->setFont(f);
        placeControl(w, r);
    }
    for (const LineDesign& l : LineInventory()) {
        const DesignLine& g = model.designLines.at(l.name);
        auto* sample = qobject_cast<LineSample*>(controls_.at(QString::fromUtf8(l.picture)));
        sample->setLine(twips.x(g.x1, s), twips.y(g.y1, s), twips.x(g.x2, s), twips.y(g.y2, s));
    }

    ResetOutputSize();
    model.viewRadius = ViewRadiusFor(Picture1->innerWidth());
}

void Form1::ResetOutputSize() {
    // The output size follows the view; it cannot exceed the screen height.
    HScroll6->setMaximum(int(roundHalfEven(platform_.screen->heightPixels())));
    HScroll6->setValue(std::min(int(roundHalfEven(Picture1->innerWidth())), HScroll6->maximum()));
}

void Form1::Form_Resize() {
    guarded([&] {
        LayoutControls();
        GenerateBody();
    });
}

void Form1::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (loaded_)
        Form_Resize();
}

} // namespace solifa
