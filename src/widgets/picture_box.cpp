#include "widgets/picture_box.h"

#include <algorithm>

#include <QAccessibleWidget>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>

#include "qtpaint/qt_color.h"
#include "qtpaint/qt_painter_surface.h"
#include "widgets/focus_frame.h"

namespace solifa {
namespace {

// What assistive technology sees of a picture: a button that can be pressed where a click
// acts, a graphic otherwise.
class PictureBoxAccessible : public QAccessibleWidget {
public:
    explicit PictureBoxAccessible(PictureBox* box) : QAccessibleWidget(box, QAccessible::Graphic) {}

    QAccessible::Role role() const override {
        return box()->pressable() ? QAccessible::Button : QAccessible::Graphic;
    }
    QStringList actionNames() const override {
        QStringList names = QAccessibleWidget::actionNames();
        if (box()->pressable())
            names.prepend(pressAction());
        return names;
    }
    void doAction(const QString& action) override {
        if (action == pressAction() && box()->pressable())
            box()->press();
        else
            QAccessibleWidget::doAction(action);
    }

private:
    PictureBox* box() const { return static_cast<PictureBox*>(widget()); }
};

QAccessibleInterface* PictureBoxAccessibleFactory(const QString& className, QObject* object) {
    if (className == QLatin1String(PictureBox::staticMetaObject.className()))
        if (auto* box = qobject_cast<PictureBox*>(object))
            return new PictureBoxAccessible(box);
    return nullptr;
}

} // namespace

PictureBox::PictureBox(QWidget* parent) : QFrame(parent), backColor_(MakeColorRef(192, 192, 192)) {
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(kBorder);
    setFocusPolicy(Qt::StrongFocus);
    syncImageSize();
    static const bool factoryInstalled = [] {
        QAccessible::installFactory(PictureBoxAccessibleFactory);
        return true;
    }();
    (void)factoryInstalled;
}

void PictureBox::setPressable(bool pressable) {
    pressable_ = pressable;
    update();
}

void PictureBox::press() {
    // The notification may close the window that owns the picture.
    const QPointer<PictureBox> self(this);
    emit mousePressed(Qt::LeftButton);
    if (self)
        emit clicked();
}

QImage& PictureBox::image() {
    syncImageSize();
    return image_;
}

int PictureBox::innerWidth() const {
    return std::max(0, width() - 2 * kBorder);
}

int PictureBox::innerHeight() const {
    return std::max(0, height() - 2 * kBorder);
}

void PictureBox::setBackColor(ColorRef c) {
    backColor_ = c;
    clear();
}

void PictureBox::clear() {
    syncImageSize();
    image_.fill(ToQColor(backColor_));
    update();
}

void PictureBox::setOuterSize(int w, int h) {
    resize(w, h);
    syncImageSize();
}

void PictureBox::setFollowsDeviceRatio(bool follows) {
    followsDeviceRatio_ = follows;
    syncImageSize();
}

double PictureBox::imageRatio() const {
    return followsDeviceRatio_ ? devicePixelRatioF() : 1.0;
}

void PictureBox::syncImageSize() {
    const QSize inner(innerWidth(), innerHeight());
    const double ratio = imageRatio();
    const QSize pixels(qRound(inner.width() * ratio), qRound(inner.height() * ratio));
    if (image_.size() == pixels && image_.devicePixelRatio() == ratio && !image_.isNull()) {
        stateCountedResolution();
        return;
    }
    if (inner.isEmpty()) {
        image_ = QImage();
        return;
    }
    QImage resized(pixels, QImage::Format_RGB32);
    if (resized.isNull()) {
        // Out of memory: no picture rather than one of the wrong size, and the old one's memory
        // given back. The next access tries again; drawing on a null image draws nothing.
        image_ = QImage();
        return;
    }
    resized.setDevicePixelRatio(ratio);
    resized.fill(ToQColor(backColor_));
    const bool ratioChanged = !image_.isNull() && image_.devicePixelRatio() != ratio;
    if (!image_.isNull()) {
        QPainter painter(&resized);
        painter.drawImage(0, 0, image_);
    }
    image_ = std::move(resized);
    stateCountedResolution();
    imageResized();
    if (ratioChanged)
        emit imageRatioChanged();
}

void PictureBox::stateCountedResolution() {
    // Counted pixels leave the program as files and on the clipboard: they say how large they
    // are, as the vector pictures do. An image that already says so stays untouched.
    if (followsDeviceRatio_)
        return;
    SetBitmapResolution(image_);
}

void PictureBox::paintEvent(QPaintEvent* event) {
    QFrame::paintEvent(event);
    syncImageSize();
    if (image_.isNull())
        return;
    QPainter painter(this);
    painter.drawImage(kBorder, kBorder, image_);
    if (pressable_)
        PaintFocusFrame(painter, *this);
}

void PictureBox::resizeEvent(QResizeEvent* event) {
    QFrame::resizeEvent(event);
    syncImageSize();
}

// The picture takes its mouse events itself instead of passing them on to its container.
void PictureBox::mousePressEvent(QMouseEvent* event) {
    event->accept();
    emit mousePressed(event->button());
}

void PictureBox::mouseReleaseEvent(QMouseEvent* event) {
    event->accept();
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
}

void PictureBox::keyPressEvent(QKeyEvent* event) {
    if (pressable_ && IsPressKey(*event, true)) {
        event->accept();
        if (!event->isAutoRepeat())
            press();
        return;
    }
    QFrame::keyPressEvent(event);
}

} // namespace solifa
