#pragma once
// What the body painter needs of a drawing surface: a solid brush, a one-pixel pen with a
// dash style, even-odd filling, and polygons and polylines through integer points.
#include <cstdint>

#include "core/model_state.h"

namespace solifa {

// A 24-bit colour reference: red in the low byte, then green, then blue; high byte 0.
using ColorRef = uint32_t;
constexpr ColorRef MakeColorRef(int r, int g, int b) {
    return static_cast<ColorRef>((r & 0xff) | ((g & 0xff) << 8) | ((b & 0xff) << 16));
}
constexpr int RedOf(ColorRef c) {
    return static_cast<int>(c & 0xff);
}
constexpr int GreenOf(ColorRef c) {
    return static_cast<int>((c >> 8) & 0xff);
}
constexpr int BlueOf(ColorRef c) {
    return static_cast<int>((c >> 16) & 0xff);
}

// Pen draw styles: 0 solid, 1 dash, 2 dot, 3 dash-dot, 4 dash-dot-dot.
enum DrawStyle : int { Solid = 0, Dash = 1, Dot = 2, DashDot = 3, DashDotDot = 4 };

// The draw style of a sample line's border style 1..5 (1 solid .. 5 dash-dot-dot): one less.
// Values outside that range draw solid.
constexpr DrawStyle DrawStyleOfBorder(int borderStyle) {
    return borderStyle >= 1 && borderStyle <= 5 ? static_cast<DrawStyle>(borderStyle - 1) : Solid;
}

class DrawingSurface {
public:
    virtual ~DrawingSurface() = default;
    virtual void setFillStyle(int style) = 0; // 0 = solid
    virtual void setFillColor(ColorRef c) = 0;
    virtual void setForeColor(ColorRef c) = 0;
    virtual void setDrawStyle(DrawStyle style) = 0;
    virtual void setPolyFillMode(int mode) = 0; // 1 = alternate (even-odd)
    virtual void polygon(const PolyPoint* points, int count) = 0;
    virtual void polyline(const PolyPoint* points, int count) = 0;
};

} // namespace solifa
