#pragma once
// Conversions between colour references and QColor, for every part that hands colours to Qt.
#include <QColor>

#include "core/surface.h"

namespace solifa {

inline QColor ToQColor(ColorRef c) {
    return QColor(RedOf(c), GreenOf(c), BlueOf(c));
}

inline ColorRef ToColorRef(const QColor& c) {
    const QColor rgb = c.toRgb();
    return MakeColorRef(rgb.red(), rgb.green(), rgb.blue());
}

} // namespace solifa
