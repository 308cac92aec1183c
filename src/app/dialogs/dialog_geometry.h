#pragma once
// Placing the small windows: their design sizes are in twips, the screen is measured in pixels,
// and they open in the middle of the screen.
#include <QRect>

class QWidget;

namespace solifa {

class ScreenMetrics;

// A rectangle given in twips, in pixels of the screen.
QRect TwipsToPixels(const ScreenMetrics& screen, int left, int top, int width, int height);

// Puts the window in the middle of the screen: left = (screen width - window width) / 2 and
// top = (screen height - window height) / 2, with the window's outer size once it has a
// frame, computed in twips and rounded to whole pixels.
void CentreOnScreen(QWidget& window, const ScreenMetrics& screen);

} // namespace solifa
