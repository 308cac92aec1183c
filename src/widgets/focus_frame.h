#pragma once
// The mark of the keyboard focus on controls whose style draws none (scroll bars, colour boxes
// and line samples): a frame in the highlight colour just inside the control's edge; and the
// keys that press a focused control.
class QKeyEvent;
class QWidget;
class QPainter;

namespace solifa {

// Thickness of the frame in logical pixels.
inline constexpr int kFocusFrameWidth = 2;

// Paints the frame over what `widget` has painted, if it has the keyboard focus.
void PaintFocusFrame(QPainter& painter, const QWidget& widget);

// Whether the key presses a focused control: Return or Enter, on either part of the keyboard,
// without other modifiers, and Space too where `space` is set.
bool IsPressKey(const QKeyEvent& event, bool space);

} // namespace solifa
