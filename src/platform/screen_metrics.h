#pragma once
#include <optional>
// The size and logical resolution of the screen the program runs on, and the frames it puts
// around windows.

class QWidget;

namespace solifa {

// A rectangle of the screen in pixels.
struct ScreenArea {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

// The frame around a window: title bar and borders, in pixels.
struct FrameMargins {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

class ScreenMetrics {
public:
    virtual ~ScreenMetrics() = default;
    virtual int widthPixels() const = 0;
    virtual int heightPixels() const = 0;
    // Logical dots per inch, as used to convert between pixels, twips and millimetres.
    virtual double dpiX() const = 0;
    virtual double dpiY() const = 0;
    // The part of the screen that windows may take: the whole screen less the desktop's panels
    // and docks. Without panels it is the whole screen.
    virtual ScreenArea availablePixels() const { return {0, 0, widthPixels(), heightPixels()}; }

    // The widths of the frame the window manager put around a window, in pixels; nullopt while
    // the window has no frame (not shown yet, or not framed by the window manager yet).
    virtual std::optional<FrameMargins> frameOf(const QWidget& window) const = 0;

    // A twip is 1/1440 inch: 15 twips per pixel at 96 DPI.
    double twipsPerPixelX() const { return 1440.0 / dpiX(); }
    double twipsPerPixelY() const { return 1440.0 / dpiY(); }
};

} // namespace solifa
