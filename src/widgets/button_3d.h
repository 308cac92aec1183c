#pragma once
// A push button with a caption colour (the selected one of a group is marked in red) and a
// notification after the mouse was used on it. Clicks arrive as QPushButton::clicked.
#include <QPushButton>

namespace solifa {

class Button3D : public QPushButton {
    Q_OBJECT
public:
    explicit Button3D(const QString& caption, QWidget* parent = nullptr);

    void setCaptionColor(const QColor& c);
    QColor captionColor() const;

    // Sets the largest whole point size from `largest` down to `smallest` at which the caption
    // fits the button's contents; `smallest` when none does.
    void fitCaption(int largest, int smallest);
    // The width the caption has inside the button's frame.
    int captionRoom() const;

signals:
    // A mouse button was released after a press on the button, after any click it caused
    // was handled.
    void pointerUsed();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
    // Return and Enter press a focused button as Space does; Qt's push button takes them only
    // inside dialogs.
    void keyPressEvent(QKeyEvent* event) override;
};

} // namespace solifa
