#include "widgets/focus_frame.h"

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

} // namespace solifa
