#include "app/window/decimal_text.h"

#include <QLocale>

namespace solifa {

QString FormatDecimal(double value) {
    QLocale locale;
    locale.setNumberOptions(QLocale::OmitGroupSeparator);
    return locale.toString(value, 'g', 15);
}

} // namespace solifa
