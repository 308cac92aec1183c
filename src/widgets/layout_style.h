#pragma once
// The window's style for the controls whose inner parts the style sizes itself: check-box
// indicators grow with the layout, the arrows of a scroll bar are as long as the bar is thick,
// and a frame's title gets the room its font needs.
#include <QProxyStyle>

namespace solifa {

class LayoutStyle : public QProxyStyle {
    Q_OBJECT
public:
    // Based on the application's style.
    LayoutStyle();

    // The layout factor the window's controls are drawn at.
    void setScale(double s) { scale_ = s; }

    int pixelMetric(PixelMetric metric, const QStyleOption* option = nullptr,
                    const QWidget* widget = nullptr) const override;
    QRect subControlRect(ComplexControl control, const QStyleOptionComplex* option, SubControl sub,
                         const QWidget* widget = nullptr) const override;

private:
    double scale_ = 1.0;
};

} // namespace solifa
