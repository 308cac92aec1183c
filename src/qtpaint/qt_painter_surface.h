#pragma once
// A drawing surface that paints with a QPainter on any paint device: the QImage of the view
// or of the output picture, and equally an SVG or PDF generator. Antialiasing is off, the pen
// is one pixel wide unless a wider line is asked for, polygons are filled with a solid brush.
//
// Dashed outlines are stroked one segment at a time, each segment starting its pattern at its
// canonical end (the end with the smaller y, then the smaller x). Two faces that share an edge
// then lay identical dashes on it, whichever way round each face runs, so a hidden edge reads
// as dashed instead of as the overlay of two shifted patterns.
#include <QColor>
#include <QImage>
#include <QLine>
#include <QPainter>
#include <QPen>
#include <QPointF>
#include <memory>

#include "core/surface.h"
#include "qtpaint/qt_color.h"

class QPaintDevice;

namespace solifa {

// On SVG and PDF pages a picture pixel is a pixel of a display at its logical resolution.
inline constexpr int kVectorPixelsPerInch = 96;
// A bitmap pixel is as large, so a picture has one size in a document in every format: 96 per
// inch are 3780 per metre, as PNG and BMP headers store them. Qt's own default follows the
// screen, and without a screen it is 100 per inch.
inline constexpr int kBitmapPixelsPerMetre = 3780;

// Gives an image of a picture that resolution.
inline void SetBitmapResolution(QImage& image) {
    image.setDotsPerMeterX(kBitmapPixelsPerMetre);
    image.setDotsPerMeterY(kBitmapPixelsPerMetre);
}

// The Qt pen style of a draw style; values outside DrawStyle draw solid.
Qt::PenStyle PenStyleFor(DrawStyle style);

// The pen of every outline in the program's pictures and samples: one pixel wide, flat caps,
// the dash pattern of the draw style. On a device with more pixels than logical ones (the
// image of a view on a high-density screen) the line is one device pixel wide, so it is drawn
// finer rather than thicker.
QPen OutlinePen(const QColor& color, DrawStyle style, const QPaintDevice* device = nullptr);

// The pen of a picture whose lines are lineWidth pixels wide: the outline pen, and a wider line
// as wide in logical pixels on every device, its dashes and gaps as many times longer (Qt
// measures them in line widths), meeting in round joins, solid edges closing their corners with
// round ends and dashes keeping flat ends, which keep their lengths.
QPen LinePen(const QColor& color, DrawStyle style, int lineWidth,
             const QPaintDevice* device = nullptr);

// How a vector page strokes one segment of a picture whose lines are lineWidth wide, given from
// its canonical end: the line moved onto the pixels an image inks (an image centres a line of
// even width on the mathematical line, one of odd width as its one-pixel line), and the pen,
// whose dashes on a one-pixel line are stretched by length / longer axis so that they fall on
// the image's, which lays them pixel by pixel along the longer axis.
QLineF PageLine(const QLine& canonical, int lineWidth);
QPen PagePen(const QPen& pen, const QLine& canonical, int lineWidth);

class QtPainterSurface : public DrawingSurface {
public:
    // Begins painting on device; the painter ends when the surface is destroyed. Every line is
    // lineWidth pixels wide (units on a vector page), its dashes and gaps as many times longer.
    explicit QtPainterSurface(QPaintDevice* device, int lineWidth = 1);
    ~QtPainterSurface() override;
    QtPainterSurface(const QtPainterSurface&) = delete;
    QtPainterSurface& operator=(const QtPainterSurface&) = delete;

    // False when the device could not be painted on (a null image, for example).
    bool isActive() const { return painter_.isActive(); }
    // Ends painting now. A vector device writes out its document here, which throws
    // std::bad_alloc when memory runs out; the destructor, which may not throw, drops that.
    void end();

    void setFillStyle(int style) override; // 0 solid, any other value no fill
    void setFillColor(ColorRef c) override;
    void setForeColor(ColorRef c) override;
    void setDrawStyle(DrawStyle style) override;
    void setPolyFillMode(int mode) override; // 1 even-odd, 2 winding
    void polygon(const PolyPoint* points, int count) override;
    void polyline(const PolyPoint* points, int count) override;
    void fillPolygon(const PolyPoint* points, int count) override;

private:
    // Hands pen and brush to the painter only when a setting changed since the last face.
    void applyPending();
    // The brush alone, for a fill without outline.
    void applyBrush();
    // The outline through points, segment by segment from each segment's canonical end;
    // closed adds the segment from the last point back to the first.
    void strokeSegments(const PolyPoint* points, int count, bool closed);
    // Outlines on their own, apart from the filling: always for dashed pens, and on vector
    // devices for every pen, whose strokes are moved to the pixel centres.
    bool strokesApart() const { return vector_ || pen_.style() != Qt::SolidLine; }

    // The painter is owned apart so that one whose device could not be finished can be let go:
    // its own destructor would try to finish again, and throw where nothing may.
    std::unique_ptr<QPainter> painterOwner_ = std::make_unique<QPainter>();
    QPainter& painter_ = *painterOwner_;
    QPen pen_;
    ColorRef fillColor_ = 0;
    int fillStyle_ = 0;
    Qt::FillRule fillRule_ = Qt::OddEvenFill;
    bool penChanged_ = true;
    // The painter holds no pen, after a fill without outline; the next outline puts it back.
    bool penLifted_ = false;
    bool brushChanged_ = true;
    // An SVG or PDF page rather than pixels: a pixel's line at integer x covers x..x + 1 in
    // an image, so vector strokes are centred at x + 0.5 to cover the same place.
    bool vector_ = false;
    int lineWidth_ = 1;
};

} // namespace solifa
