#pragma once
// Builds one control of the window's table: a factory per kind of control, chosen from a table
// indexed by the kind, so that a new kind is one function and one row.
class QStyle;
class QWidget;

namespace solifa {

struct ControlDesign;

// The control of design d as a child of parent, with its caption, font, range and start value;
// not yet named or placed. layoutStyle sizes the inner parts of frames, check boxes and scroll
// bars with the layout.
QWidget* MakeControl(const ControlDesign& d, QWidget* parent, QStyle* layoutStyle);

} // namespace solifa
