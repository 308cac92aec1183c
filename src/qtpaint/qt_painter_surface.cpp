#include "qtpaint/qt_painter_surface.h"

#include <algorithm>
#include <cmath>
#include <new>

#include <QLine>
#include <QList>
#include <QPaintDevice>
#include <QPaintEngine>
#include <QPoint>
#include <QVarLengthArray>

#include "core/edge_drawing.h"

namespace solifa {

namespace {

// The points of one face as QPoints; a face has at most kPolyPointCount corners, so the
// buffer stays on the stack.
using QPointBuffer = QVarLengthArray<QPoint, kPolyPointCount>;

void CopyPoints(const PolyPoint* points, int count, QPointBuffer& out) {
    out.resize(count);
    for (int i = 0; i < count; ++i)
        out[i] = QPoint(points[i].x, points[i].y);
}

// The image lights the pixels the line passes through; a line along pixel borders takes the
// pixels right of or below it, and a line running leftwards takes its ties on the other side.
// Shifted so, a page rendered 1:1 inks the same pixels as the image, edges sharp and one pixel
// wide. The shift of the mathematical line on a page, half a pixel across it or none, for the
// segment from its canonical end.
QPointF VectorStrokeShift(const QLine& canonical) {
    const int dx = canonical.dx(), dy = canonical.dy();
    if (dy == 0)
        return {0, 0.5};
    if (dx == 0)
        return {0.5, 0};
    if (dx > 0)
        return {0, 0};
    return std::abs(dx) >= std::abs(dy) ? QPointF(0.5, 0) : QPointF(0, 0.5);
}

} // namespace

Qt::PenStyle PenStyleFor(DrawStyle style) {
    switch (style) {
    case Dash:
        return Qt::DashLine;
    case Dot:
        return Qt::DotLine;
    case DashDot:
        return Qt::DashDotLine;
    case DashDotDot:
        return Qt::DashDotDotLine;
    case Solid:
        break;
    }
    return Qt::SolidLine;
}

QPen OutlinePen(const QColor& color, DrawStyle style, const QPaintDevice* device) {
    // A one-pixel pen that is not cosmetic: on an image it is the raster engine's fast thin
    // line, and on a scaled SVG or PDF page it stays one picture pixel wide. Where the painter
    // scales logical pixels to device pixels, a cosmetic pen keeps the line one device pixel.
    QPen pen(color, 1, PenStyleFor(style), Qt::FlatCap, Qt::MiterJoin);
    if (device != nullptr && device->devicePixelRatioF() != 1.0)
        pen.setCosmetic(true);
    return pen;
}

QPen LinePen(const QColor& color, DrawStyle style, int lineWidth, const QPaintDevice* device) {
    QPen pen = OutlinePen(color, style, device);
    if (lineWidth > 1) {
        // As wide on every screen as the picture it stands for; rounded corners, without the
        // spikes of mitres at sharp angles.
        pen.setCosmetic(false);
        pen.setWidth(lineWidth);
        pen.setJoinStyle(Qt::RoundJoin);
        pen.setCapStyle(pen.style() == Qt::SolidLine ? Qt::RoundCap : Qt::FlatCap);
    }
    return pen;
}

QLineF PageLine(const QLine& canonical, int lineWidth) {
    const QPointF shift = lineWidth % 2 == 0 ? QPointF(0, 0) : VectorStrokeShift(canonical);
    return QLineF(canonical).translated(shift);
}

QPen PagePen(const QPen& pen, const QLine& canonical, int lineWidth) {
    if (pen.style() == Qt::SolidLine || lineWidth != 1)
        return pen;
    const double dx = std::abs(canonical.dx()), dy = std::abs(canonical.dy());
    QList<qreal> pattern = pen.dashPattern();
    for (qreal& length : pattern)
        length *= std::hypot(dx, dy) / std::max(dx, dy);
    QPen stretched = pen;
    stretched.setDashPattern(pattern);
    return stretched;
}

QtPainterSurface::QtPainterSurface(QPaintDevice* device, int lineWidth)
    : pen_(LinePen(QColor(Qt::black), Solid, std::max(1, lineWidth), device)),
      lineWidth_(std::max(1, lineWidth)) {
    if (device != nullptr && painter_.begin(device)) {
        painter_.setRenderHint(QPainter::Antialiasing, false);
        vector_ = painter_.paintEngine()->type() != QPaintEngine::Raster;
    }
}

QtPainterSurface::~QtPainterSurface() {
    try {
        end();
    } catch (const std::bad_alloc&) {
        // Memory ran out while the device wrote out its document, which is given up. The
        // painter cannot end without trying that again; it is left as it is, a small loss on a
        // path that is rare and ends in a failure anyway.
        [[maybe_unused]] QPainter* abandoned = painterOwner_.release();
    }
}

void QtPainterSurface::end() {
    if (painter_.isActive())
        painter_.end();
}

void QtPainterSurface::setFillStyle(int style) {
    if (style != fillStyle_) {
        fillStyle_ = style;
        brushChanged_ = true;
    }
}

void QtPainterSurface::setFillColor(ColorRef c) {
    if (c != fillColor_) {
        fillColor_ = c;
        brushChanged_ = true;
    }
}

void QtPainterSurface::setForeColor(ColorRef c) {
    const QColor color = ToQColor(c);
    if (color != pen_.color()) {
        pen_.setColor(color);
        penChanged_ = true;
    }
}

void QtPainterSurface::setDrawStyle(DrawStyle style) {
    if (PenStyleFor(style) != pen_.style()) {
        pen_ = LinePen(pen_.color(), style, lineWidth_, painter_.device());
        penChanged_ = true;
    }
}

void QtPainterSurface::setPolyFillMode(int mode) {
    fillRule_ = (mode == 2) ? Qt::WindingFill : Qt::OddEvenFill;
}

void QtPainterSurface::applyPending() {
    if (penChanged_ || penLifted_) {
        painter_.setPen(pen_);
        penChanged_ = false;
        penLifted_ = false;
    }
    applyBrush();
}

void QtPainterSurface::applyBrush() {
    if (brushChanged_) {
        if (fillStyle_ == 0)
            painter_.setBrush(ToQColor(fillColor_));
        else
            painter_.setBrush(Qt::NoBrush);
        brushChanged_ = false;
    }
}

void QtPainterSurface::strokeSegments(const PolyPoint* points, int count, bool closed) {
    // A one-pixel line of an image lays its pattern pixel by pixel along the longer axis, a
    // wider one along its length, as a page does.
    const bool stretchDashes = vector_ && pen_.style() != Qt::SolidLine && lineWidth_ == 1;
    // One call per segment: within one call the raster engine lets a line's direction shape
    // the first pixels of the next, which would shift that line's pattern.
    ForEachSegment(points, count, closed, [&](const DrawnEdge& edge) {
        const QLine line(edge.from.x, edge.from.y, edge.to.x, edge.to.y);
        if (!vector_) {
            painter_.drawLine(line);
            return;
        }
        if (stretchDashes)
            painter_.setPen(PagePen(pen_, line, lineWidth_));
        painter_.drawLine(PageLine(line, lineWidth_));
    });
    if (stretchDashes)
        painter_.setPen(pen_);
}

void QtPainterSurface::polygon(const PolyPoint* points, int count) {
    if (!painter_.isActive() || count <= 0)
        return;
    if (!strokesApart()) {
        applyPending();
        QPointBuffer buffer;
        CopyPoints(points, count, buffer);
        painter_.drawPolygon(buffer.constData(), count, fillRule_);
        return;
    }
    // The inside without its outline, then the sides one by one.
    fillPolygon(points, count);
    applyPending();
    strokeSegments(points, count, true);
}

void QtPainterSurface::polyline(const PolyPoint* points, int count) {
    if (!painter_.isActive() || count <= 0)
        return;
    applyPending();
    if (strokesApart()) {
        strokeSegments(points, count, false);
        return;
    }
    QPointBuffer buffer;
    CopyPoints(points, count, buffer);
    painter_.drawPolyline(buffer.constData(), count);
}

void QtPainterSurface::fillPolygon(const PolyPoint* points, int count) {
    if (!painter_.isActive() || count <= 0 || fillStyle_ != 0)
        return;
    applyBrush();
    // Faces filled one after another keep the pen away until a line is drawn.
    if (!penLifted_) {
        painter_.setPen(Qt::NoPen);
        penLifted_ = true;
    }
    QPointBuffer buffer;
    CopyPoints(points, count, buffer);
    painter_.drawPolygon(buffer.constData(), count, fillRule_);
}

} // namespace solifa
