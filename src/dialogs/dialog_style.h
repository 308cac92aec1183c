#pragma once
// The look the small windows share: Arial in fractional point sizes, coloured captions and a
// white background.
#include <QColor>
#include <QFont>

class QLabel;
class QWidget;

namespace solifa {

QFont Arial(double points, bool bold, bool italic = false);
void SetTextColor(QLabel* label, const QColor& color);
void SetWhiteBackground(QWidget* window);

} // namespace solifa
