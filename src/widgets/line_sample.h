#pragma once
// The sample of a line style: a picture holding one line drawn with the chosen dash style.
#include <optional>

#include <QColor>
#include <QLineF>

#include "widgets/picture_box.h"

namespace solifa {

class LineSample : public PictureBox {
    Q_OBJECT
public:
    explicit LineSample(QWidget* parent = nullptr);

    // 1 solid, 2 dash, 3 dot, 4 dash-dot, 5 dash-dot-dot; 0 draws no line.
    int borderStyle() const { return borderStyle_; }
    void setBorderStyle(int s);
    // The window text colour of the palette unless set.
    void setLineColor(const QColor& c);
    // End points in pixels of the inner area.
    void setLine(double x1, double y1, double x2, double y2);
    QLineF line() const { return line_; }

    // Clears the picture and draws the line into image(). The setters above and every resize
    // call it, so the picture always shows the current line.
    void redrawSample();

protected:
    void imageResized() override;

private:
    int borderStyle_ = 1;
    std::optional<QColor> lineColor_;
    QLineF line_;
};

} // namespace solifa
