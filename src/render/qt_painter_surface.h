#pragma once
// A drawing surface that paints with a QPainter on any paint device: the QImage of the view
// or of the output picture, and equally an SVG or PDF generator. Antialiasing is off, the pen
// is one pixel wide, polygons are filled with a solid brush.
#include <QColor>
#include <QPainter>
#include <QPen>

#include "render/qt_color.h"
#include "render/surface.h"

class QPaintDevice;

namespace solifa {

class QtPainterSurface : public DrawingSurface {
public:
    // Begins painting on device; the painter ends when the surface is destroyed.
    explicit QtPainterSurface(QPaintDevice* device);
    ~QtPainterSurface() override;
    QtPainterSurface(const QtPainterSurface&) = delete;
    QtPainterSurface& operator=(const QtPainterSurface&) = delete;

    // False when the device could not be painted on (a null image, for example).
    bool isActive() const { return painter_.isActive(); }

    void setFillStyle(int style) override; // 0 solid, any other value no fill
    void setFillColor(ColorRef c) override;
    void setForeColor(ColorRef c) override;
    void setDrawStyle(int style) override;   // 0..4, see DrawStyle; other values draw solid
    void setPolyFillMode(int mode) override; // 1 even-odd, 2 winding
    void polygon(const PolyPoint* points, int count) override;
    void polyline(const PolyPoint* points, int count) override;

private:
    // Hands pen and brush to the painter only when a setting changed since the last face.
    void applyPending();

    QPainter painter_;
    QPen pen_;
    ColorRef fillColor_ = 0;
    int fillStyle_ = 0;
    Qt::FillRule fillRule_ = Qt::OddEvenFill;
    bool penChanged_ = true;
    bool brushChanged_ = true;
};

} // namespace solifa
