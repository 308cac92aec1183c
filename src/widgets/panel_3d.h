#pragma once
// A 3-D panel with a caption: a label in a raised bevel. It is not a push button, so a window
// that uses it as one gets the pressed look by hand: the bevel shows inset while the mouse
// button is held on it and raised again when it is released.
#include <QLabel>

namespace solifa {

class Panel3D : public QLabel {
    Q_OBJECT
public:
    static constexpr int kInset = 1;
    static constexpr int kRaised = 2;

    explicit Panel3D(const QString& caption, QWidget* parent = nullptr);

    // kInset or kRaised.
    int bevel() const { return bevel_; }
    void setBevel(int bevel);

signals:
    // The left mouse button was pressed and released on the panel.
    void clicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    int bevel_ = kRaised;
};

} // namespace solifa
