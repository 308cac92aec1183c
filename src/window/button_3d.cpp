#include "window/button_3d.h"

#include <QPointer>

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

void Button3D::mouseReleaseEvent(QMouseEvent* event) {
    // The click this release causes may close the window that owns the control.
    const QPointer<Button3D> self(this);
    QPushButton::mouseReleaseEvent(event);
    if (self)
        emit pointerUsed();
}

} // namespace solifa
