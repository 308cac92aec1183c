#include "widgets/focus_frame.h"

#include <QKeyEvent>
#include <QPainter>
#include <QWidget>

namespace solifa {

void PaintFocusFrame(QPainter& painter, const QWidget& widget) {
    if (!widget.hasFocus())
        return;
    const QColor colour = widget.palette().color(QPalette::Active, QPalette::Highlight);
    const QRect r = widget.rect();
    const int w = kFocusFrameWidth;
    painter.fillRect(r.left(), r.top(), r.width(), w, colour);
    painter.fillRect(r.left(), r.bottom() - w + 1, r.width(), w, colour);
    painter.fillRect(r.left(), r.top(), w, r.height(), colour);
    painter.fillRect(r.right() - w + 1, r.top(), w, r.height(), colour);
}

bool IsPressKey(const QKeyEvent& event, bool space) {
    if ((event.modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier)
        return false;
    const int key = event.key();
    return key == Qt::Key_Return || key == Qt::Key_Enter || (space && key == Qt::Key_Space);
}

} // namespace solifa
