#include "widgets/layout_style.h"

#include <QApplication>
#include <QScrollBar>
#include <QStyleFactory>
#include <QStyleOptionGroupBox>
#include <cmath>

namespace solifa {

// A style of the application's kind of its own, which the proxy owns.
LayoutStyle::LayoutStyle() : QProxyStyle(QStyleFactory::create(QApplication::style()->name())) {}

int LayoutStyle::pixelMetric(PixelMetric metric, const QStyleOption* option,
                             const QWidget* widget) const {
    switch (metric) {
    case PM_IndicatorWidth:
    case PM_IndicatorHeight:
    case PM_CheckBoxLabelSpacing: {
        const int base = QProxyStyle::pixelMetric(metric, option, widget);
        return std::max(1, int(std::lround(base * scale_)));
    }
    case PM_ScrollBarExtent:
        // The arrow buttons are as long as this extent; the bar's thickness comes from the
        // layout, so the arrows stay square at every size.
        if (const auto* bar = qobject_cast<const QScrollBar*>(widget))
            return bar->orientation() == Qt::Horizontal ? bar->height() : bar->width();
        break;
    default:
        break;
    }
    return QProxyStyle::pixelMetric(metric, option, widget);
}

QRect LayoutStyle::subControlRect(ComplexControl control, const QStyleOptionComplex* option,
                                  SubControl sub, const QWidget* widget) const {
    QRect r = QProxyStyle::subControlRect(control, option, sub, widget);
    if (control == CC_GroupBox && sub == SC_GroupBoxLabel) {
        // The base style measures the title by its ink, which at large sizes is a pixel or
        // two narrower than the advance the text is drawn with; the last letter was cut.
        if (const auto* box = qstyleoption_cast<const QStyleOptionGroupBox*>(option)) {
            const int needed = box->fontMetrics.horizontalAdvance(box->text) + 2;
            if (r.width() < needed)
                r.setWidth(needed);
        }
    }
    return r;
}

} // namespace solifa
