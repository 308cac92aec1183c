#pragma once
// What the body painter needs of a drawing surface: a solid brush, a one-pixel pen with a
// dash style, even-odd filling, and polygons and polylines through integer points.
#include <array>
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

// Pen draw styles, with their names by draw style.
enum DrawStyle : int { Solid = 0, Dash = 1, Dot = 2, DashDot = 3, DashDotDot = 4 };
constexpr int kDrawStyleCount = 5;
inline constexpr std::array<const char*, kDrawStyleCount> kDrawStyleNames = {
    "solid", "dash", "dot", "dash-dot", "dash-dot-dot"};

// A sample line's dash style (its border style) counts the draw styles from 1: 1 solid .. 5
// dash-dot-dot.
constexpr int kFirstDashStyle = 1;
constexpr int kLastDashStyle = kFirstDashStyle + kDrawStyleCount - 1;

// The draw style of a dash style: one less. Values outside the dash styles draw solid.
constexpr DrawStyle DrawStyleOfBorder(int borderStyle) {
    return borderStyle >= kFirstDashStyle && borderStyle <= kLastDashStyle
               ? static_cast<DrawStyle>(borderStyle - kFirstDashStyle)
               : Solid;
}

// The dash style of a draw style: one more.
constexpr int DashStyleOf(DrawStyle style) {
    return kFirstDashStyle + style;
}

// The dash style a click on a sample line of dash style `style` gives: the next one, and the
// first after the last. A sample without a line (0) gets the first.
constexpr int NextDashStyle(int style) {
    return style == kLastDashStyle ? kFirstDashStyle : style + 1;
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
    // The polygon's inside in the brush alone, without its outline: for a face whose sides are
    // drawn apart, as polylines, or not at all.
    virtual void fillPolygon(const PolyPoint* points, int count) = 0;
};

} // namespace solifa
