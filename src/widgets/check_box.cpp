#include "widgets/check_box.h"

#include <QPointer>

namespace solifa {

CheckBox::CheckBox(const QString& text, QWidget* parent) : QCheckBox(text, parent) {
    connect(this, &QAbstractButton::toggled, this, &CheckBox::stateClicked);
}

void CheckBox::mouseReleaseEvent(QMouseEvent* event) {
    // The click this release causes may close the window that owns the control.
    const QPointer<CheckBox> self(this);
    QCheckBox::mouseReleaseEvent(event);
    if (self)
        emit mouseReleased();
}

} // namespace solifa
