#include "render/qt_painter_surface.h"

#include <QPaintDevice>
#include <QPoint>
#include <QVarLengthArray>

namespace solifa {

namespace {

Qt::PenStyle PenStyleFor(int drawStyle) {
    switch (drawStyle) {
    case Dash:
        return Qt::DashLine;
    case Dot:
        return Qt::DotLine;
    case DashDot:
        return Qt::DashDotLine;
    case DashDotDot:
        return Qt::DashDotDotLine;
    default:
        return Qt::SolidLine;
    }
}

// The points of one face as QPoints; a face has at most kPolyPointCount corners, so the
// buffer stays on the stack.
using QPointBuffer = QVarLengthArray<QPoint, kPolyPointCount>;

void CopyPoints(const PolyPoint* points, int count, QPointBuffer& out) {
    out.resize(count);
    for (int i = 0; i < count; ++i)
        out[i] = QPoint(points[i].x, points[i].y);
}

} // namespace

QtPainterSurface::QtPainterSurface(QPaintDevice* device) : pen_(QColor(Qt::black)) {
    // A one-pixel pen that is not cosmetic: on an image it is the raster engine's fast thin
    // line, and on a scaled SVG or PDF page it stays one picture pixel wide.
    pen_.setWidth(1);
    pen_.setCapStyle(Qt::FlatCap);
    pen_.setJoinStyle(Qt::MiterJoin);
    if (device != nullptr && painter_.begin(device))
        painter_.setRenderHint(QPainter::Antialiasing, false);
}

QtPainterSurface::~QtPainterSurface() {
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

void QtPainterSurface::setDrawStyle(int style) {
    const Qt::PenStyle penStyle = PenStyleFor(style);
    if (penStyle != pen_.style()) {
        pen_.setStyle(penStyle);
        penChanged_ = true;
    }
}

void QtPainterSurface::setPolyFillMode(int mode) {
    fillRule_ = (mode == 2) ? Qt::WindingFill : Qt::OddEvenFill;
}

void QtPainterSurface::applyPending() {
    if (penChanged_) {
        painter_.setPen(pen_);
        penChanged_ = false;
    }
    if (brushChanged_) {
        if (fillStyle_ == 0)
            painter_.setBrush(ToQColor(fillColor_));
        else
            painter_.setBrush(Qt::NoBrush);
        brushChanged_ = false;
    }
}

void QtPainterSurface::polygon(const PolyPoint* points, int count) {
    if (!painter_.isActive() || count <= 0)
        return;
    applyPending();
    QPointBuffer buffer;
    CopyPoints(points, count, buffer);
    painter_.drawPolygon(buffer.constData(), count, fillRule_);
}

void QtPainterSurface::polyline(const PolyPoint* points, int count) {
    if (!painter_.isActive() || count <= 0)
        return;
    applyPending();
    QPointBuffer buffer;
    CopyPoints(points, count, buffer);
    painter_.drawPolyline(buffer.constData(), count);
}

} // namespace solifa
