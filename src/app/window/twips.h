#pragma once
// Twips and the screen's pixels: the design measures in twips, Qt in pixels. The one conversion
// every size, place and line of the window goes through.
#include <QPoint>
#include <QRect>
#include <QSize>
#include <cstdint>

#include "core/model_state.h"
#include "platform/screen_metrics.h"

namespace solifa {

struct Twips {
    explicit Twips(const ScreenMetrics& screen)
        : perPixelX(screen.twipsPerPixelX()), perPixelY(screen.twipsPerPixelY()) {}

    // A design length in twips, scaled in single precision, in fractional pixels.
    double x(int16_t twips, float scale = 1.0f) const { return twips * scale / perPixelX; }
    double y(int16_t twips, float scale = 1.0f) const { return twips * scale / perPixelY; }
    // The same rounded to whole pixels.
    int pixelsX(double twips) const { return qRound(twips / perPixelX); }
    int pixelsY(double twips) const { return qRound(twips / perPixelY); }
    QPoint point(double left, double top) const { return {pixelsX(left), pixelsY(top)}; }
    QSize size(double width, double height) const { return {pixelsX(width), pixelsY(height)}; }
    // A design rectangle, scaled, in pixels. The product is taken in single precision first,
    // as every size of the layout is.
    QRect rect(const DesignRect& r, float scale) const {
        return QRect(qRound(r.left * scale / perPixelX), qRound(r.top * scale / perPixelY),
                     qRound(r.width * scale / perPixelX), qRound(r.height * scale / perPixelY));
    }

    double perPixelX;
    double perPixelY;
};

} // namespace solifa
