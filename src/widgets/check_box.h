#pragma once
// A check box whose click notification runs on every change of its state, whether the user
// clicked it or the program set it.
#include <QCheckBox>

namespace solifa {

class CheckBox : public QCheckBox {
    Q_OBJECT
public:
    explicit CheckBox(const QString& text, QWidget* parent = nullptr);

    // 0 unchecked, 1 checked.
    int value() const { return isChecked() ? 1 : 0; }
    void setValue(int v) { setChecked(v != 0); }

signals:
    // The state changed, by the user or from code; not emitted when a set keeps the state.
    void stateClicked();
    // A mouse button was released after a press on the box.
    void mouseReleased();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
};

} // namespace solifa
