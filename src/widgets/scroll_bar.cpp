#include "widgets/scroll_bar.h"

#include <QKeyEvent>
#include <QPainter>

#include "widgets/focus_frame.h"

namespace solifa {

ScrollBar::ScrollBar(Qt::Orientation orientation, QWidget* parent)
    : QScrollBar(orientation, parent) {
    // Clicking a bar gives it the keyboard focus, so its keys work until a handler moves the
    // focus elsewhere.
    setFocusPolicy(Qt::StrongFocus);
    setContextMenuPolicy(Qt::NoContextMenu);
    connect(this, &QAbstractSlider::valueChanged, this, &ScrollBar::onValueChanged);
    connect(this, &QAbstractSlider::sliderPressed, this, &ScrollBar::onSliderPressed);
    connect(this, &QAbstractSlider::sliderReleased, this, &ScrollBar::onSliderReleased);
}

// Qt's scroll bar steps backwards on the right arrow key; left and right here step like up and
// down, towards the minimum and the maximum.
void ScrollBar::keyPressEvent(QKeyEvent* event) {
    if (event->modifiers() == Qt::NoModifier || event->modifiers() == Qt::KeypadModifier) {
        if (event->key() == Qt::Key_Left) {
            triggerAction(SliderSingleStepSub);
            event->accept();
            return;
        }
        if (event->key() == Qt::Key_Right) {
            triggerAction(SliderSingleStepAdd);
            event->accept();
            return;
        }
    }
    QScrollBar::keyPressEvent(event);
}

void ScrollBar::paintEvent(QPaintEvent* event) {
    QScrollBar::paintEvent(event);
    QPainter painter(this);
    PaintFocusFrame(painter, *this);
}

void ScrollBar::onValueChanged(int value) {
    if (isSliderDown())
        emit scrolled(value);
    else
        emit changed(value);
}

void ScrollBar::onSliderPressed() {
    valueAtDragStart_ = value();
}

void ScrollBar::onSliderReleased() {
    // With tracking the value already followed the thumb; without it, QAbstractSlider sets
    // the value after this signal, which then arrives as an ordinary change.
    if (value() != valueAtDragStart_)
        emit changed(value());
}

} // namespace solifa
