#pragma once
// The type of the interface: Arial (served by a metric-compatible font) in fractional point
// sizes, and labels in a colour of their own.
#include <QColor>
#include <QFont>

class QLabel;

namespace solifa {

QFont Arial(double points, bool bold, bool italic = false);
void SetTextColor(QLabel* label, const QColor& color);

} // namespace solifa
