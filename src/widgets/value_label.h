#pragma once
// A label that shows a number: blue, right-aligned, and anchored at its right edge, so that a
// text wider than the designed box grows to the left instead of being cut off.
#include <QLabel>

namespace solifa {

class ValueLabel : public QLabel {
    Q_OBJECT
public:
    explicit ValueLabel(const QString& text, QWidget* parent = nullptr);
    // The box as laid out; the label may grow leftwards from it to fit its text.
    void setLayoutGeometry(const QRect& r);
    QRect layoutGeometry() const { return layoutRect_; }
    void setCaption(const QString& text);

private:
    void fit();
    QRect layoutRect_;
};

// Sets a label's caption: a number label grows to the left to fit it, any other label to the
// right.
void SetLabelCaption(QLabel* label, const QString& text);

} // namespace solifa
