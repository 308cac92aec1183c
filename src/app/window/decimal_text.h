#pragma once
// Numbers as the interface shows them.
#include <QString>

namespace solifa {

// A decimal in its shortest form (no trailing zeros, at most 15 significant digits) with the
// decimal separator of the user's locale: 0,8 / 1 / 1,25 under German.
QString FormatDecimal(double value);

} // namespace solifa
