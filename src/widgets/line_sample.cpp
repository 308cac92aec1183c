#include "widgets/line_sample.h"

#include <QPainter>

#include "qtpaint/qt_painter_surface.h"

namespace solifa {

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
    // The pen of the pictures, so the sample shows the pattern the faces get.
    painter.setPen(OutlinePen(lineColor_.value_or(palette().color(QPalette::WindowText)),
                              DrawStyleOfBorder(borderStyle_), &picture));
    painter.drawLine(line_);
}

void LineSample::imageResized() {
    redrawSample();
}

} // namespace solifa
