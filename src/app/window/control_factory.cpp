#include "app/window/control_factory.h"

#include <QGroupBox>
#include <QLabel>
#include <QProgressBar>
#include <array>

#include "app/window/control_inventory.h"
#include "qtpaint/qt_color.h"
#include "widgets/button_3d.h"
#include "widgets/check_box.h"
#include "widgets/line_sample.h"
#include "widgets/picture_box.h"
#include "widgets/scroll_bar.h"
#include "widgets/text_style.h"
#include "widgets/value_label.h"

namespace solifa {
namespace {

using Factory = QWidget* (*)(const ControlDesign&, QWidget*, QStyle*);

QString CaptionOf(const ControlDesign& d) {
    return QString::fromUtf8(d.caption);
}

QWidget* MakeButton(const ControlDesign& d, QWidget* parent, QStyle*) {
    auto* b = new Button3D(CaptionOf(d), parent);
    b->setFont(Arial(9, d.kind == ControlKind::Button));
    b->setFocusPolicy(Qt::TabFocus);
    if (d.color != 0)
        b->setCaptionColor(ToQColor(d.color));
    return b;
}

QWidget* MakeLabel(const ControlDesign& d, QWidget* parent, QStyle*) {
    // Captions sit at the top of their box, as the design places them.
    auto* l = new QLabel(CaptionOf(d), parent);
    l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    l->setFont(d.kind == ControlKind::Label ? Arial(9, true) : Arial(8.25, false));
    return l;
}

QWidget* MakeValueLabel(const ControlDesign& d, QWidget* parent, QStyle*) {
    auto* v = new ValueLabel(CaptionOf(d), parent);
    v->setFont(Arial(9, true));
    return v;
}

QWidget* MakeTitle(const ControlDesign& d, QWidget* parent, QStyle*) {
    auto* l = new QLabel(CaptionOf(d), parent);
    l->setFont(Arial(48, true, true));
    SetTextColor(l, QColor(0, 0, 255));
    return l;
}

QWidget* MakeFrame(const ControlDesign& d, QWidget* parent, QStyle* layoutStyle) {
    auto* g = new QGroupBox(CaptionOf(d), parent);
    g->setFont(Arial(8.25, false));
    g->setStyle(layoutStyle);
    return g;
}

QWidget* MakeCheckBox(const ControlDesign& d, QWidget* parent, QStyle* layoutStyle) {
    auto* c = new CheckBox(CaptionOf(d), parent);
    c->setFont(Arial(6.75, false));
    c->setValue(d.checked ? 1 : 0);
    c->setFocusPolicy(Qt::TabFocus);
    c->setStyle(layoutStyle);
    return c;
}

QWidget* MakePicture(const ControlDesign& d, QWidget* parent, QStyle*) {
    auto* pb = new PictureBox(parent);
    pb->setBackColor(d.color);
    return pb;
}

QWidget* MakeLineSample(const ControlDesign& d, QWidget* parent, QStyle*) {
    auto* ls = new LineSample(parent);
    ls->setBackColor(d.color);
    return ls;
}

QWidget* MakeScrollBar(const ControlDesign& d, QWidget* parent, QStyle* layoutStyle) {
    auto* sb =
        new ScrollBar(d.kind == ControlKind::HScroll ? Qt::Horizontal : Qt::Vertical, parent);
    sb->setRange(d.minimum, d.maximum);
    sb->setValue(d.value);
    sb->setSmallChange(d.smallChange);
    sb->setLargeChange(d.largeChange);
    sb->setFocusPolicy(Qt::StrongFocus);
    sb->setStyle(layoutStyle);
    return sb;
}

QWidget* MakeProgress(const ControlDesign& d, QWidget* parent, QStyle*) {
    auto* pr = new QProgressBar(parent);
    pr->setRange(d.minimum, d.maximum);
    pr->setValue(0);
    pr->setTextVisible(false);
    return pr;
}

// In the order of ControlKind.
constexpr std::array<Factory, 13> kFactories = {
    MakeButton,     // Button
    MakeButton,     // PlainButton
    MakeLabel,      // Label
    MakeLabel,      // FrameLabel
    MakeValueLabel, // ValueLabel
    MakeFrame,      // Frame
    MakeCheckBox,   // CheckBox
    MakePicture,    // Picture
    MakeLineSample, // LineSample
    MakeScrollBar,  // HScroll
    MakeScrollBar,  // VScroll
    MakeProgress,   // Progress
    MakeTitle,      // Title
};
static_assert(kFactories.size() == size_t(ControlKind::Title) + 1, "one factory per kind");

} // namespace

QWidget* MakeControl(const ControlDesign& d, QWidget* parent, QStyle* layoutStyle) {
    return kFactories.at(size_t(d.kind))(d, parent, layoutStyle);
}

} // namespace solifa
