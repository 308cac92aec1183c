#include "widgets/panel_3d.h"

#include <QMouseEvent>

namespace solifa {

Panel3D::Panel3D(const QString& caption, QWidget* parent) : QLabel(caption, parent) {
    setAlignment(Qt::AlignCenter);
    setFrameShape(QFrame::Panel);
    setLineWidth(2);
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, QColor(192, 192, 192));
    p.setColor(QPalette::Light, Qt::white);
    p.setColor(QPalette::Dark, QColor(128, 128, 128));
    setPalette(p);
    setBevel(kRaised);
}

void Panel3D::setBevel(int bevel) {
    bevel_ = bevel;
    setFrameShadow(bevel == kInset ? QFrame::Sunken : QFrame::Raised);
}

void Panel3D::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton)
        setBevel(kInset);
    event->accept();
}

void Panel3D::mouseReleaseEvent(QMouseEvent* event) {
    event->accept();
    if (event->button() != Qt::LeftButton || bevel_ != kInset)
        return;
    setBevel(kRaised);
    if (rect().contains(event->position().toPoint()))
        emit clicked();
}

} // namespace solifa
