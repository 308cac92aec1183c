#include "app/window/control_inventory.h"

#include <array>

#include "app/texts.h"
#include "core/settings.h"

namespace solifa {
namespace {

using K = ControlKind;
constexpr ColorRef kMarked = MakeColorRef(192, 0, 0);

// A whole number as a value label shows it, formed at compile time so that the labels' start
// captions are the settings' start values.
struct Caption {
    char text[8]{};
};
constexpr Caption CaptionOf(int value) {
    Caption c;
    char digits[8]{};
    int n = 0;
    unsigned v = value < 0 ? 0u - unsigned(value) : unsigned(value);
    do {
        digits[n++] = char('0' + v % 10);
        v /= 10;
    } while (v != 0);
    int k = 0;
    if (value < 0)
        c.text[k++] = '-';
    while (n > 0)
        c.text[k++] = digits[--n];
    return c;
}
// The zoom label shows the factor, hundredths of the bar; a whole factor shows no decimals.
static_assert(kZoomSetting.start % 100 == 0);

constexpr Caption kRotationCaption = CaptionOf(kRotationSetting.start);
constexpr Caption kTiltCaption = CaptionOf(kTiltSetting.start);
constexpr Caption kOffsetCaption = CaptionOf(kOffsetSetting.start);
constexpr Caption kCornersCaption = CaptionOf(kCornersSetting.start);
constexpr Caption kLevelsCaption = CaptionOf(kLevelsSetting.start);
constexpr Caption kFramesCaption = CaptionOf(kFramesSetting.start);
constexpr Caption kPositionXCaption = CaptionOf(kPositionSetting.start);
// The "Y:" label shows the vertical bar's value with its sign inverted.
constexpr Caption kPositionYCaption = CaptionOf(-kPositionSetting.start);
constexpr Caption kZoomCaption = CaptionOf(kZoomSetting.start / 100);

// Every laid-out control, in the order the layout visits them. One control a line.
// clang-format off
constexpr std::array kControls = std::to_array<ControlDesign>({
    // Body buttons and offset digit buttons.
    {.name = "SSCommand1(0)", .kind = K::Button, .container = "", .caption = "Kugel", .left = 120, .top = 120, .width = 1455, .height = 375, .color = kMarked},
    {.name = "SSCommand1(1)", .kind = K::Button, .container = "", .caption = "Würfel", .left = 120, .top = 600, .width = 1455, .height = 375},
    {.name = "SSCommand1(2)", .kind = K::Button, .container = "", .caption = "Oktaeder", .left = 120, .top = 1080, .width = 1455, .height = 375},
    {.name = "SSCommand1(3)", .kind = K::Button, .container = "", .caption = "Zylinder", .left = 120, .top = 1560, .width = 1455, .height = 375},
    {.name = "SSCommand1(4)", .kind = K::Button, .container = "", .caption = "Pyramide", .left = 120, .top = 2040, .width = 1455, .height = 375},
    {.name = "SSCommand1(5)", .kind = K::Button, .container = "", .caption = "Kegel", .left = 120, .top = 2520, .width = 1455, .height = 375},
    {.name = "SSCommand1(6)", .kind = K::Button, .container = "", .caption = "Trichter", .left = 120, .top = 3000, .width = 1455, .height = 375},
    {.name = "SSCommand1(7)", .kind = K::Button, .container = "", .caption = "0", .left = 1680, .top = 3960, .width = 375, .height = 375, .color = kMarked},
    {.name = "SSCommand1(8)", .kind = K::Button, .container = "", .caption = "1", .left = 2160, .top = 3960, .width = 375, .height = 375},
    {.name = "SSCommand1(9)", .kind = K::Button, .container = "", .caption = "2", .left = 2640, .top = 3960, .width = 375, .height = 375},
    {.name = "SSCommand1(10)", .kind = K::Button, .container = "", .caption = "3", .left = 3120, .top = 3960, .width = 375, .height = 375},
    {.name = "SSCommand1(11)", .kind = K::Button, .container = "", .caption = "4", .left = 3600, .top = 3960, .width = 375, .height = 375},
    {.name = "SSCommand1(12)", .kind = K::Button, .container = "", .caption = "5", .left = 4080, .top = 3960, .width = 375, .height = 375},
    {.name = "SSCommand1(13)", .kind = K::Button, .container = "", .caption = "6", .left = 4560, .top = 3960, .width = 375, .height = 375},
    {.name = "SSCommand1(14)", .kind = K::Button, .container = "", .caption = "7", .left = 5040, .top = 3960, .width = 375, .height = 375},

    // Frames first, so that their contents can be placed in them.
    {.name = "Frame4", .kind = K::Frame, .container = "", .caption = "Drehung um Körperachse", .left = 120, .top = 5400, .width = 2295, .height = 1215},
    {.name = "Frame5", .kind = K::Frame, .container = "", .caption = "Position", .left = 2520, .top = 5400, .width = 2415, .height = 1215},
    {.name = "Frame6", .kind = K::Frame, .container = "", .caption = "Zoom", .left = 5040, .top = 5400, .width = 2295, .height = 1215},
    {.name = "Frame2", .kind = K::Frame, .container = "", .caption = "Hintergrund", .left = 5520, .top = 0, .width = 1815, .height = 735},
    {.name = "Frame1(1)", .kind = K::Frame, .container = "", .caption = "Flächen vorn", .left = 5520, .top = 720, .width = 1815, .height = 1695},
    {.name = "Frame1(0)", .kind = K::Frame, .container = "", .caption = "Flächen hinten", .left = 5520, .top = 2400, .width = 1815, .height = 1695},
    {.name = "Frame3", .kind = K::Frame, .container = "", .caption = "Abschluss", .left = 5520, .top = 4100, .width = 1815, .height = 1215},
    {.name = "Frame7", .kind = K::Frame, .container = "", .caption = "Ausgabeformat", .left = 7440, .top = 0, .width = 2295, .height = 1215},
    {.name = "Frame8", .kind = K::Frame, .container = "", .caption = "Ausgabeaktionen", .left = 7440, .top = 1320, .width = 2295, .height = 2535},
    {.name = "Frame9", .kind = K::Frame, .container = "", .caption = "Informationen", .left = 7440, .top = 3960, .width = 2295, .height = 1455},
    {.name = "Frame10", .kind = K::Frame, .container = "", .caption = "Ende", .left = 7440, .top = 5760, .width = 2295, .height = 855},

    // The view, the tilt bar and the shape parameters.
    {.name = "Picture1", .kind = K::Picture, .container = "", .caption = "", .left = 1680, .top = 120, .width = kDesignViewSize, .height = kDesignViewSize, .color = kStartBackground},
    {.name = "VScroll1", .kind = K::VScroll, .container = "", .caption = "", .left = 5040, .top = 120, .width = 375, .height = 3255, .minimum = kTiltSetting.min, .maximum = kTiltSetting.max, .value = kTiltSetting.start, .largeChange = 10},
    {.name = "Label1(0)", .kind = K::Label, .container = "", .caption = "Drehwinkel:", .left = 120, .top = 3480, .width = 1005, .height = 225},
    {.name = "Label1(6)", .kind = K::ValueLabel, .container = "", .caption = kRotationCaption.text, .left = 1470, .top = 3480, .width = 105, .height = 225},
    {.name = "HScroll1(0)", .kind = K::HScroll, .container = "", .caption = "", .left = 1680, .top = 3480, .width = 3735, .height = 375, .minimum = kRotationSetting.min, .maximum = kRotationSetting.max, .value = kRotationSetting.start, .largeChange = 10},
    {.name = "Label1(1)", .kind = K::Label, .container = "", .caption = "Kippwinkel:", .left = 120, .top = 3720, .width = 975, .height = 225},
    {.name = "Label1(5)", .kind = K::ValueLabel, .container = "", .caption = kTiltCaption.text, .left = 1470, .top = 3720, .width = 105, .height = 225},
    {.name = "Label1(2)", .kind = K::Label, .container = "", .caption = "Versatz:", .left = 120, .top = 4025, .width = 705, .height = 225},
    {.name = "Label1(9)", .kind = K::ValueLabel, .container = "", .caption = kOffsetCaption.text, .left = 1470, .top = 4025, .width = 105, .height = 225},
    {.name = "Label1(3)", .kind = K::Label, .container = "", .caption = "Ecken:", .left = 120, .top = 4530, .width = 570, .height = 225},
    {.name = "Label1(7)", .kind = K::ValueLabel, .container = "", .caption = kCornersCaption.text, .left = 1365, .top = 4530, .width = 210, .height = 225},
    {.name = "HScroll1(1)", .kind = K::HScroll, .container = "", .caption = "", .left = 1680, .top = 4440, .width = 3735, .height = 375, .minimum = kCornersSetting.min, .maximum = kCornersSetting.max, .value = kCornersSetting.start, .largeChange = 5},
    {.name = "Label1(4)", .kind = K::Label, .container = "", .caption = "Ebenen:", .left = 120, .top = 5010, .width = 675, .height = 225},
    {.name = "Label1(8)", .kind = K::ValueLabel, .container = "", .caption = kLevelsCaption.text, .left = 1365, .top = 5010, .width = 210, .height = 225},
    {.name = "HScroll1(2)", .kind = K::HScroll, .container = "", .caption = "", .left = 1680, .top = 4920, .width = 3735, .height = 375, .minimum = kSphereLevelsMin, .maximum = kLevelsSetting.max, .value = kLevelsSetting.start, .largeChange = 5},
    {.name = "Label9", .kind = K::Title, .container = "", .caption = "SOLIFA", .left = 1680, .top = 4320, .width = 3615, .height = 975, .hidden = true},

    // Turn about the body axis.
    {.name = "SSCommand3", .kind = K::Button, .container = "Frame4", .caption = texts::kTurnOn, .left = 120, .top = 240, .width = 1095, .height = 375},
    {.name = "Check4", .kind = K::CheckBox, .container = "Frame4", .caption = "", .left = 2040, .top = 180, .width = 225, .height = 195, .hidden = true, .font = FontGroup::F9},
    {.name = "Label5(0)", .kind = K::Label, .container = "Frame4", .caption = "Bilder:", .left = 1320, .top = 420, .width = 540, .height = 225, .hidden = true},
    {.name = "Label5(1)", .kind = K::ValueLabel, .container = "Frame4", .caption = kFramesCaption.text, .left = 2070, .top = 420, .width = 105, .height = 225, .hidden = true},
    {.name = "HScroll3", .kind = K::HScroll, .container = "Frame4", .caption = "", .left = 120, .top = 720, .width = 2055, .height = 375, .hidden = true, .minimum = kFramesSetting.min, .maximum = kFramesSetting.max, .value = kFramesSetting.start, .largeChange = 5},

    // Position.
    {.name = "SSCommand2", .kind = K::PlainButton, .container = "Frame5", .caption = "Standard", .left = 120, .top = 240, .width = 975, .height = 375},
    {.name = "Label7(0)", .kind = K::Label, .container = "Frame5", .caption = "X:", .left = 1200, .top = 240, .width = 165, .height = 225},
    {.name = "Label7(2)", .kind = K::ValueLabel, .container = "Frame5", .caption = kPositionXCaption.text, .left = 1710, .top = 240, .width = 105, .height = 225},
    {.name = "Label7(1)", .kind = K::Label, .container = "Frame5", .caption = "Y:", .left = 1200, .top = 450, .width = 150, .height = 225},
    {.name = "Label7(3)", .kind = K::ValueLabel, .container = "Frame5", .caption = kPositionYCaption.text, .left = 1710, .top = 450, .width = 105, .height = 225},
    {.name = "HScroll2", .kind = K::HScroll, .container = "Frame5", .caption = "", .left = 120, .top = 720, .width = 1695, .height = 375, .minimum = kPositionSetting.min, .maximum = kPositionSetting.max, .value = kPositionSetting.start, .largeChange = 5},
    {.name = "VScroll2", .kind = K::VScroll, .container = "Frame5", .caption = "", .left = 1920, .top = 240, .width = 375, .height = 855, .minimum = kPositionSetting.min, .maximum = kPositionSetting.max, .value = kPositionSetting.start, .largeChange = 10},

    // Zoom.
    {.name = "SSCommand4", .kind = K::PlainButton, .container = "Frame6", .caption = "Standard", .left = 120, .top = 240, .width = 975, .height = 375},
    {.name = "Label8(0)", .kind = K::Label, .container = "Frame6", .caption = "Faktor:", .left = 1200, .top = 360, .width = 585, .height = 225},
    {.name = "Label8(1)", .kind = K::ValueLabel, .container = "Frame6", .caption = kZoomCaption.text, .left = 2070, .top = 360, .width = 105, .height = 225},
    {.name = "HScroll4", .kind = K::HScroll, .container = "Frame6", .caption = "", .left = 120, .top = 720, .width = 2055, .height = 375, .minimum = kZoomSetting.min, .maximum = kZoomSetting.max, .value = kZoomSetting.start, .largeChange = 1},

    // Background.
    {.name = "Picture5", .kind = K::Picture, .container = "Frame2", .caption = "", .left = 120, .top = 240, .width = 375, .height = 375, .color = kStartBackground},

    // Front faces.
    {.name = "Check2(1)", .kind = K::CheckBox, .container = "Frame1(1)", .caption = "sichtbar", .left = 120, .top = 210, .width = 1095, .height = 225, .checked = kStartFrontFaces.visible},
    {.name = "Picture2(1)", .kind = K::Picture, .container = "Frame1(1)", .caption = "", .left = 120, .top = 480, .width = 375, .height = 495, .hidden = kStartFrontFaces.transparent, .color = kStartFrontFaces.faceColor},
    {.name = "Label2(1)", .kind = K::FrameLabel, .container = "Frame1(1)", .caption = "Flächen", .left = 600, .top = 480, .width = 570, .height = 210},
    {.name = "Check1(1)", .kind = K::CheckBox, .container = "Frame1(1)", .caption = "transparent", .left = 600, .top = 720, .width = 1125, .height = 255, .checked = kStartFrontFaces.transparent},
    {.name = "Picture4(1)", .kind = K::Picture, .container = "Frame1(1)", .caption = "", .left = 120, .top = 1080, .width = 375, .height = 255, .color = kStartFrontFaces.lineColor},
    {.name = "Label4(1)", .kind = K::FrameLabel, .container = "Frame1(1)", .caption = "Linien", .left = 600, .top = 1080, .width = 420, .height = 210},
    {.name = "Picture3(1)", .kind = K::LineSample, .container = "Frame1(1)", .caption = "", .left = 120, .top = 1440, .width = 1575, .height = 225, .color = MakeColorRef(192, 192, 192)},

    // Back faces.
    {.name = "Check2(0)", .kind = K::CheckBox, .container = "Frame1(0)", .caption = "sichtbar", .left = 120, .top = 240, .width = 1455, .height = 210, .checked = kStartBackFaces.visible},
    {.name = "Picture2(0)", .kind = K::Picture, .container = "Frame1(0)", .caption = "", .left = 120, .top = 540, .width = 375, .height = 435, .hidden = kStartBackFaces.transparent, .color = kStartBackFaces.faceColor},
    {.name = "Label2(0)", .kind = K::FrameLabel, .container = "Frame1(0)", .caption = "Flächen", .left = 600, .top = 480, .width = 735, .height = 255},
    {.name = "Check1(0)", .kind = K::CheckBox, .container = "Frame1(0)", .caption = "transparent", .left = 600, .top = 750, .width = 1125, .height = 255, .checked = kStartBackFaces.transparent},
    {.name = "Picture4(0)", .kind = K::Picture, .container = "Frame1(0)", .caption = "", .left = 120, .top = 1080, .width = 375, .height = 255, .color = kStartBackFaces.lineColor},
    {.name = "Label4(0)", .kind = K::FrameLabel, .container = "Frame1(0)", .caption = "Linien", .left = 600, .top = 1080, .width = 615, .height = 255},
    {.name = "Picture3(0)", .kind = K::LineSample, .container = "Frame1(0)", .caption = "", .left = 120, .top = 1395, .width = 1575, .height = 225, .color = MakeColorRef(192, 192, 192)},

    // End caps: two of the six lie on the window over the frame's area.
    {.name = "Label6(0)", .kind = K::FrameLabel, .container = "Frame3", .caption = "außen/oben", .left = 600, .top = 180, .width = 870, .height = 210, .hidden = true},
    {.name = "Check3(0)", .kind = K::CheckBox, .container = "Frame3", .caption = "transparent", .left = 600, .top = 360, .width = 1125, .height = 255, .hidden = true},
    {.name = "Label6(1)", .kind = K::FrameLabel, .container = "Frame3", .caption = "innen/unten", .left = 600, .top = 690, .width = 840, .height = 390, .hidden = true},
    {.name = "Picture6(0)", .kind = K::Picture, .container = "Frame3", .caption = "", .left = 120, .top = 720, .width = 375, .height = 375, .hidden = true, .color = kStartCapInside},
    {.name = "Picture6(1)", .kind = K::Picture, .container = "", .caption = "", .left = 5640, .top = 4320, .width = 375, .height = 375, .hidden = true, .color = kStartCapOutside},
    {.name = "Check3(1)", .kind = K::CheckBox, .container = "", .caption = "transparent", .left = 6120, .top = 5010, .width = 1125, .height = 180, .hidden = true},

    // Output format.
    {.name = "Label14", .kind = K::Label, .container = "Frame7", .caption = "Pixel:", .left = 120, .top = 240, .width = 465, .height = 225},
    {.name = "Label16", .kind = K::ValueLabel, .container = "Frame7", .caption = "0", .left = 900, .top = 210, .width = 1275, .height = 225},
    {.name = "Label15", .kind = K::Label, .container = "Frame7", .caption = "cm:", .left = 120, .top = 450, .width = 315, .height = 225},
    {.name = "Label17", .kind = K::ValueLabel, .container = "Frame7", .caption = "0", .left = 660, .top = 450, .width = 1515, .height = 225},
    {.name = "HScroll6", .kind = K::HScroll, .container = "Frame7", .caption = "", .left = 150, .top = 750, .width = 2055, .height = 375, .minimum = kOutputSizeMin, .maximum = 32767, .value = kOutputSizeMin, .largeChange = 1},

    // Output actions.
    {.name = "SSCommand6", .kind = K::Button, .container = "Frame8", .caption = "Bitmap drucken", .left = 120, .top = 240, .width = 2055, .height = 495},
    {.name = "SSCommand5", .kind = K::Button, .container = "Frame8", .caption = "Bitmap in Ablage", .left = 120, .top = 810, .width = 2055, .height = 495},
    {.name = "SSCommand9", .kind = K::Button, .container = "Frame8", .caption = texts::kFileAction, .left = 120, .top = 1440, .width = 2055, .height = 495},
    {.name = "ProgressBar2", .kind = K::Progress, .container = "Frame8", .caption = "", .left = 120, .top = 2040, .width = 2055, .height = 375, .hidden = true, .minimum = 0, .maximum = 100},

    // Information and end.
    {.name = "SSCommand10", .kind = K::Button, .container = "Frame9", .caption = "Info", .left = 120, .top = 270, .width = 2055, .height = 495},
    {.name = "SSCommand8", .kind = K::Button, .container = "Frame9", .caption = "Programme", .left = 120, .top = 840, .width = 2055, .height = 495},
    {.name = "SSCommand11", .kind = K::Button, .container = "Frame10", .caption = "Programm beenden", .left = 120, .top = 240, .width = 2055, .height = 495},
});
// clang-format on

constexpr std::array kLines = std::to_array<LineDesign>({
    {"Line1(0)", "Picture3(0)", 0, 1800, 90, 90, kStartBackFaces.dashStyle},
    {"Line1(1)", "Picture3(1)", 0, 1560, 90, 90, kStartFrontFaces.dashStyle},
});

} // namespace

// clang-format off
const ControlDesign kPicture7Design = {.name = "Picture7", .kind = K::Picture, .container = "", .caption = "", .left = 6030, .top = 450, .width = 3255, .height = 3255, .hidden = true, .color = kStartBackground};
// clang-format on

std::span<const ControlDesign> ControlInventory() {
    return kControls;
}
std::span<const LineDesign> LineInventory() {
    return kLines;
}

FontGroup EffectiveFontGroup(const ControlDesign& d) {
    if (d.font != FontGroup::Auto)
        return d.font;
    switch (d.kind) {
    case K::Frame:
        return FontGroup::F8;
    case K::CheckBox:
        return FontGroup::F7;
    case K::Label:
    case K::FrameLabel:
    case K::ValueLabel:
        return FontGroup::F9;
    case K::Title:
        return FontGroup::Title;
    default:
        return FontGroup::None;
    }
}

} // namespace solifa
