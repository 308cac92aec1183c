#pragma once
// The controls of the main window as data: kind, container, caption, design place and size in
// twips, range and start value, colours and whether each is hidden at start. The window builds
// itself from this table, and the layout scales these values on every pass.
#include <cstdint>
#include <span>

#include "core/surface.h"

namespace solifa {

enum class ControlKind : uint8_t {
    Button,      // 3-D push button, Arial 9 bold
    PlainButton, // 3-D push button, Arial 9 regular
    Label,       // Arial 9 bold, transparent
    FrameLabel,  // Arial 8.25 regular (labels inside the face and cap frames)
    ValueLabel,  // a number the program rewrites: blue, right-aligned, Arial 9 bold
    Frame,       // titled group, Arial 8.25 regular
    CheckBox,    // Arial 6.75 regular
    Picture,     // picture box that keeps its image
    LineSample,  // picture box holding a sample line
    HScroll,
    VScroll,
    Progress,
    Title, // the large program name, Arial 48 bold italic, blue
};

// Which font size a layout pass gives the control.
enum class FontGroup : uint8_t { Auto, None, F9, F8, F7, Title };

struct ControlDesign {
    const char* name; // as the window calls it, e.g. "HScroll1(2)"
    ControlKind kind;
    const char* container; // "" for the window's inner area, else the frame's name
    const char* caption;
    int16_t left, top, width, height;
    bool hidden = false;
    int minimum = 0, maximum = 0, value = 0, smallChange = 1, largeChange = 1;
    ColorRef color = 0; // back colour of pictures; caption colour of marked buttons
    bool checked = false;
    FontGroup font = FontGroup::Auto;
};

// The two sample lines, in twips inside their pictures.
struct LineDesign {
    const char* name;
    const char* picture;
    int16_t x1, x2, y1, y2;
    int style; // 1 solid .. 5 dash-dot-dot
};

std::span<const ControlDesign> ControlInventory();
std::span<const LineDesign> LineInventory();

// The window's inner area as designed, in twips.
constexpr int16_t kDesignFormWidth = 9870;
constexpr int16_t kDesignFormHeight = 6675;

// The output picture: never shown, never laid out.
extern const ControlDesign kPicture7Design;

FontGroup EffectiveFontGroup(const ControlDesign& d);

} // namespace solifa
