#include "widgets/value_label.h"

#include <QFontMetrics>

#include "widgets/text_style.h"

namespace solifa {

ValueLabel::ValueLabel(const QString& text, QWidget* parent) : QLabel(text, parent) {
    setAlignment(Qt::AlignRight | Qt::AlignTop);
    SetTextColor(this, QColor(0, 0, 255));
}

void ValueLabel::setLayoutGeometry(const QRect& r) {
    layoutRect_ = r;
    fit();
}

void ValueLabel::setCaption(const QString& text) {
    setText(text);
    fit();
}

void ValueLabel::fit() {
    if (layoutRect_.isNull())
        return;
    const int needed = fontMetrics().horizontalAdvance(text()) + 2;
    const int width = std::max(layoutRect_.width(), needed);
    const int right = layoutRect_.x() + layoutRect_.width();
    setGeometry(right - width, layoutRect_.y(), width, layoutRect_.height());
}

void SetLabelCaption(QLabel* label, const QString& text) {
    if (auto* v = qobject_cast<ValueLabel*>(label)) {
        v->setCaption(text);
        return;
    }
    label->setText(text);
    const int needed = label->fontMetrics().horizontalAdvance(text) + 2;
    if (needed > label->width())
        label->resize(needed, label->height());
}

} // namespace solifa
