#include "widgets/button_3d.h"

#include <QKeyEvent>
#include <QPointer>
#include <QStyleOptionButton>

#include "widgets/focus_frame.h"

namespace solifa {

Button3D::Button3D(const QString& caption, QWidget* parent) : QPushButton(caption, parent) {}

void Button3D::setCaptionColor(const QColor& c) {
    QPalette p = palette();
    p.setColor(QPalette::ButtonText, c);
    setPalette(p);
}

QColor Button3D::captionColor() const {
    return palette().color(QPalette::ButtonText);
}

void Button3D::fitCaption(int largest, int smallest) {
    const int room = captionRoom();
    QFont f = font();
    int points = largest;
    for (; points > smallest; --points) {
        f.setPointSize(points);
        if (QFontMetrics(f).horizontalAdvance(text()) <= room)
            break;
    }
    f.setPointSize(points);
    setFont(f);
}

int Button3D::captionRoom() const {
    QStyleOptionButton opt;
    initStyleOption(&opt);
    return style()->subElementRect(QStyle::SE_PushButtonContents, &opt, this).width();
}

void Button3D::mouseReleaseEvent(QMouseEvent* event) {
    // The click this release causes may close the window that owns the control.
    const QPointer<Button3D> self(this);
    QPushButton::mouseReleaseEvent(event);
    if (self)
        emit pointerUsed();
}

void Button3D::keyPressEvent(QKeyEvent* event) {
    if (IsPressKey(*event, false)) {
        event->accept();
        // A held key presses once.
        if (!event->isAutoRepeat() && isEnabled())
            click();
        return;
    }
    QPushButton::keyPressEvent(event);
}

} // namespace solifa
