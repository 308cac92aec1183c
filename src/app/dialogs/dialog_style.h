#pragma once
// What the small windows share: a plain white window of a fixed size given in twips, captions
// placed in twips, and the logo at the top left.
#include <QColor>
#include <QFont>
#include <QRect>

#include "widgets/text_style.h"

class QDialog;
class QLabel;
class QWidget;

namespace solifa {

class ScreenMetrics;

// The frame of the small windows that show a title and close: a title bar with only the
// close button.
inline constexpr Qt::WindowFlags kTitledSmallWindow =
    Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint;

// Names the window and makes it white and fixed at its design size.
void SetUpSmallWindow(QDialog* window, const ScreenMetrics& screen, const QString& name,
                      int widthTwips, int heightTwips);

// A caption in its font and colour, placed by a rectangle in twips.
QLabel* AddCaption(QWidget* window, const ScreenMetrics& screen, const QString& text,
                   const QFont& font, const QColor& color, const QRect& twips);

// The program's logo as a picture of size x size pixels at (left, top).
QLabel* AddLogo(QWidget* window, int left, int top, int size);

} // namespace solifa
