#pragma once
// A picture that keeps what is drawn on it: a persistent image of its inner area, shown inside
// a 2-pixel sunken border, with a background colour that clearing restores.
#include <QFrame>
#include <QImage>

#include "core/settings.h"
#include "core/surface.h"

namespace solifa {

class PictureBox : public QFrame {
    Q_OBJECT
public:
    static constexpr int kBorder = kPictureBorder;

    explicit PictureBox(QWidget* parent = nullptr);

    // The persistent picture, always the size of the inner area (outer size less 4 pixels in
    // each direction) in logical pixels, also while the widget is hidden. A resize keeps the pixels
    // that still fit and clears new ones to the background colour. Draw into it, then update() or
    // repaintNow() to show it. Null while its pixels cannot be allocated.
    QImage& image();

    int innerWidth() const;
    int innerHeight() const;

    // Sets the background colour and clears the picture to it.
    void setBackColor(ColorRef c);
    ColorRef backColor() const { return backColor_; }

    // The whole picture to the background colour.
    void clear();
    // Paints the widget on screen at once instead of at the next return to the event loop.
    void repaintNow() { repaint(); }
    // Outer size in pixels; the position stays and the image follows at once.
    void setOuterSize(int w, int h);

    // The image has the screen's device pixels: inner size times the device pixel ratio, with
    // that ratio set, so that a painter on it draws in logical pixels at the screen's full
    // sharpness. A picture whose pixels are counted (the output picture) keeps one image pixel
    // per logical pixel instead, 96 to the inch like every picture the program writes.
    void setFollowsDeviceRatio(bool follows);
    double imageRatio() const;

    // A picture that acts on a click (a colour box, a line sample) is pressable: with the focus
    // Space, Return and Enter press it, it shows a focus frame, and assistive technology sees a
    // button with a press action. A press notifies as a left click does. Others are graphics.
    void setPressable(bool pressable);
    bool pressable() const { return pressable_; }
    // mousePressed(Qt::LeftButton), then clicked().
    void press();

signals:
    // The left mouse button was released inside the picture after a press on it.
    void clicked();
    // Any mouse button was pressed on the picture.
    void mousePressed(Qt::MouseButton button);
    // The picture moved to a screen of another pixel density: the image took the new ratio and
    // holds the old picture enlarged or reduced until it is drawn again.
    void imageRatioChanged();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

    // Called after the image took a new size (already cleared or carried over); subclasses
    // that keep something drawn in it draw it again here.
    virtual void imageResized() {}

private:
    // Brings the image to the inner size. Qt delivers no resize event to a hidden widget until
    // it is shown, so every access checks the size instead of waiting for one.
    void syncImageSize();
    // The output picture's image says 96 pixels per inch.
    void stateCountedResolution();

    QImage image_;
    ColorRef backColor_;
    bool followsDeviceRatio_ = true;
    bool pressable_ = false;
};

} // namespace solifa
