#pragma once
// What the window says about its controls to a user who hovers them and to assistive
// technology: a tooltip for every control that acts, saying what it sets and how, and a name
// for the controls whose caption says nothing (or that have none). Kept apart from the control
// table, whose captions and places are the design's and must not move.
#include <QString>
#include <map>

class QWidget;

namespace solifa {

struct ControlHelp {
    const char* name;       // the control's design name, "HScroll1(2)"
    const char* spokenName; // nullptr: the caption speaks for the control
    const char* toolTip;
};

// Gives every control of the table its tooltip, accessible name and description (the
// tooltip), and chains the Tab order: the table lists the controls as the window is laid out,
// the body buttons, the view and its bars, the values, the appearance frames top to bottom,
// the output frames, then the bottom row left to right. Throws std::out_of_range for a name
// not built.
void ApplyControlHelp(const std::map<QString, QWidget*>& controls);

} // namespace solifa
