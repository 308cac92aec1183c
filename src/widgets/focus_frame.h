#pragma once
// The mark of the keyboard focus on controls whose style draws none (scroll bars, colour boxes
// and line samples): a frame in the highlight colour just inside the control's edge.
class QWidget;
class QPainter;

namespace solifa {

// Thickness of the frame in logical pixels.
inline constexpr int kFocusFrameWidth = 2;

// Paints the frame over what `widget` has painted, if it has the keyboard focus.
void PaintFocusFrame(QPainter& painter, const QWidget& widget);

} // namespace solifa
