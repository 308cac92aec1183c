#pragma once
// The size and logical resolution of the screen the program runs on.

namespace solifa {

class ScreenMetrics {
public:
    virtual ~ScreenMetrics() = default;
    virtual int widthPixels() const = 0;
    virtual int heightPixels() const = 0;
    // Logical dots per inch, as used to convert between pixels, twips and millimetres.
    virtual double dpiX() const = 0;
    virtual double dpiY() const = 0;

    // A twip is 1/1440 inch: 15 twips per pixel at 96 DPI.
    double twipsPerPixelX() const { return 1440.0 / dpiX(); }
    double twipsPerPixelY() const { return 1440.0 / dpiY(); }
};

} // namespace solifa
