#pragma once
// A scroll bar with two notifications: `changed` for every value change that is not part of a
// thumb drag, and `scrolled` while the thumb is dragged.
#include <QScrollBar>

namespace solifa {

class ScrollBar : public QScrollBar {
    Q_OBJECT
public:
    explicit ScrollBar(Qt::Orientation orientation, QWidget* parent = nullptr);

    // The step of an arrow click or arrow key, and of a click into the track.
    void setSmallChange(int v) { setSingleStep(v); }
    void setLargeChange(int v) { setPageStep(v); }
    int smallChange() const { return singleStep(); }
    int largeChange() const { return pageStep(); }

    // setValue, setMinimum and setMaximum from code emit `changed` before they return
    // whenever the value moves.

signals:
    // Every value change that is not a drag (arrow, track, key, code), and once when a drag
    // ends with a value other than the one it started from.
    void changed(int value);
    // While the thumb is dragged, for every value the drag reaches.
    void scrolled(int value);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    // The style draws no focus mark on a scroll bar; the bar draws its own.
    void paintEvent(QPaintEvent* event) override;

private:
    void onValueChanged(int value);
    void onSliderPressed();
    void onSliderReleased();

    int valueAtDragStart_ = 0;
};

} // namespace solifa
