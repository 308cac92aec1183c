#include "window/line_sample.h"

#include <QPainter>

namespace solifa {
namespace {

Qt::PenStyle PenStyleOf(int borderStyle) {
    switch (borderStyle) {
    case 0:
        return Qt::NoPen;
    case 2:
        return Qt::DashLine;
    case 3:
        return Qt::DotLine;
    case 4:
        return Qt::DashDotLine;
    case 5:
        return Qt::DashDotDotLine;
    default:
        return Qt::SolidLine;
    }
}

} // namespace

LineSample::LineSample(QWidget* parent) : PictureBox(parent) {
    redrawSample();
}

void LineSample::setBorderStyle(int s) {
    borderStyle_ = s;
    redrawSample();
}

void LineSample::setLineColor(const QColor& c) {
    lineColor_ = c;
    redrawSample();
}

void LineSample::setLine(double x1, double y1, double x2, double y2) {
    line_ = QLineF(x1, y1, x2, y2);
    redrawSample();
}

void LineSample::redrawSample() {
    clear();
    QImage& picture = image();
    if (picture.isNull() || borderStyle_ == 0)
        return;
    QPainter painter(&picture);
    QPen pen(lineColor_.value_or(palette().color(QPalette::WindowText)));
    pen.setWidth(1);
    pen.setStyle(PenStyleOf(borderStyle_));
    pen.setCapStyle(Qt::FlatCap);
    painter.setPen(pen);
    painter.drawLine(line_);
}

void LineSample::imageResized() {
    redrawSample();
}

} // namespace solifa
