#include "app/dialogs/dialog_geometry.h"

#include <QWidget>

#include "core/rounding.h"
#include "platform/screen_metrics.h"

namespace solifa {

QRect TwipsToPixels(const ScreenMetrics& screen, int left, int top, int width, int height) {
    const double tppX = screen.twipsPerPixelX();
    const double tppY = screen.twipsPerPixelY();
    return QRect(int(roundHalfEven(left / tppX)), int(roundHalfEven(top / tppY)),
                 int(roundHalfEven(width / tppX)), int(roundHalfEven(height / tppY)));
}

void CentreOnScreen(QWidget& window, const ScreenMetrics& screen) {
    const double tppX = screen.twipsPerPixelX();
    const double tppY = screen.twipsPerPixelY();
    // Before the window is shown the desktop has not framed it yet; its own size is all there is.
    const QSize outer = window.isVisible() ? window.frameGeometry().size() : window.size();
    const double top = (screen.heightPixels() * tppY - outer.height() * tppY) / 2;
    const double left = (screen.widthPixels() * tppX - outer.width() * tppX) / 2;
    window.move(int(roundHalfEven(left / tppX)), int(roundHalfEven(top / tppY)));
}

} // namespace solifa
