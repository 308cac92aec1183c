// The handlers of body selection, value entry, view controls, appearance, output size, the
// auxiliary windows and leaving the program.
#include <QCloseEvent>
#include <QCoreApplication>
#include <QGroupBox>
#include <QLabel>
#include <cmath>

#include "app/window/decimal_text.h"
#include "app/window/form1.h"
#include "core/body_geometry.h"
#include "core/settings.h"
#include "widgets/button_3d.h"
#include "widgets/check_box.h"
#include "widgets/interval_timer.h"
#include "widgets/line_sample.h"
#include "widgets/picture_box.h"
#include "widgets/scroll_bar.h"

namespace solifa {
namespace {

const QColor kMarkedColor(192, 0, 0);
const QColor kUnmarkedColor(0, 0, 0);

// Which parameter and end-cap controls each body shows, and the captions of its cap rows.
enum class Cap : uint8_t { Hidden, Shown }; // "Shown" still yields to the cap's own check box
struct BodyControls {
    bool cornersBar;           // HScroll1(1)
    bool levelsBar;            // HScroll1(2)
    Cap insideCap;             // Picture6(0), the cap colour seen from inside
    Cap outsideCap;            // Picture6(1), the cap colour seen from outside
    bool topCapCheck;          // Check3(0), "transparent" of the top cap
    bool bottomCapCheck;       // Check3(1), "transparent" of the bottom cap
    const char* upperCapLabel; // Label6(0); nullptr: caption unchanged
    const char* lowerCapLabel; // Label6(1); nullptr: caption unchanged
    bool capLabels;            // Label6(0) and Label6(1)
    bool title;                // Label9, in the place of the hidden corners bar
};
// clang-format off
constexpr BodyControls kBodyControls[kBodyCount] = {
    {.cornersBar = true, .levelsBar = true, .insideCap = Cap::Hidden, .outsideCap = Cap::Hidden, .topCapCheck = false, .bottomCapCheck = false, .upperCapLabel = nullptr, .lowerCapLabel = nullptr, .capLabels = false, .title = false},
    {.cornersBar = false, .levelsBar = false, .insideCap = Cap::Shown, .outsideCap = Cap::Shown, .topCapCheck = true, .bottomCapCheck = true, .upperCapLabel = "außen / oben", .lowerCapLabel = "innen / unten", .capLabels = true, .title = true},
    {.cornersBar = false, .levelsBar = false, .insideCap = Cap::Hidden, .outsideCap = Cap::Hidden, .topCapCheck = false, .bottomCapCheck = false, .upperCapLabel = nullptr, .lowerCapLabel = nullptr, .capLabels = false, .title = true},
    {.cornersBar = true, .levelsBar = false, .insideCap = Cap::Shown, .outsideCap = Cap::Shown, .topCapCheck = true, .bottomCapCheck = true, .upperCapLabel = "außen / oben", .lowerCapLabel = "innen / unten", .capLabels = true, .title = false},
    {.cornersBar = false, .levelsBar = false, .insideCap = Cap::Shown, .outsideCap = Cap::Shown, .topCapCheck = false, .bottomCapCheck = true, .upperCapLabel = "außen", .lowerCapLabel = "innen / unten", .capLabels = true, .title = true},
    {.cornersBar = true, .levelsBar = false, .insideCap = Cap::Shown, .outsideCap = Cap::Shown, .topCapCheck = false, .bottomCapCheck = true, .upperCapLabel = "außen", .lowerCapLabel = "innen / unten", .capLabels = true, .title = false},
    {.cornersBar = true, .levelsBar = false, .insideCap = Cap::Shown, .outsideCap = Cap::Shown, .topCapCheck = true, .bottomCapCheck = false, .upperCapLabel = "außen / oben", .lowerCapLabel = "innen", .capLabels = true, .title = false},
};
// clang-format on

} // namespace

void Form1::connectHandlers() {
    // Leaving every event loop ends the program: main() returns once its loop has ended, and
    // a dialog's loop that runs at that moment ends as well.
    endProcess = [] { QCoreApplication::exit(0); };
    connect(SSCommand10, &QPushButton::clicked, this, [this] { SSCommand10_Click(); });
    connect(SSCommand8, &QPushButton::clicked, this, [this] { SSCommand8_Click(); });
    connect(SSCommand11, &QPushButton::clicked, this, [this] { SSCommand11_Click(); });
    connect(SSCommand9, &QPushButton::clicked, this, [this] { SSCommand9_Click(); });
    connect(SSCommand5, &QPushButton::clicked, this, [this] { SSCommand5_Click(); });
    connect(SSCommand6, &QPushButton::clicked, this, [this] { SSCommand6_Click(); });
    connect(SSCommand3, &QPushButton::clicked, this, [this] { SSCommand3_Click(); });
    connect(HScroll3, &ScrollBar::changed, this, [this] { HScroll3_Change(); });
    connect(HScroll3, &ScrollBar::scrolled, this, [this] { HScroll3_Scroll(); });
    connect(Check4, &CheckBox::stateClicked, this, [this] { Check4_Click(); });
    connect(Timer1, &IntervalTimer::tick, this, [this] { Timer1_Timer(); });
    for (int i = 0; i < kBodyAndDigitButtons; ++i) {
        connect(SSCommand1[i], &QPushButton::clicked, this, [this, i] { SSCommand1_Click(i); });
        connect(SSCommand1[i], &Button3D::pointerUsed, this, [this] { focusView(); });
    }
    for (Button3D* b : {SSCommand2, SSCommand3, SSCommand4})
        connect(b, &Button3D::pointerUsed, this, [this] { focusView(); });
    for (int i = 0; i < 3; ++i) {
        connect(HScroll1[i], &ScrollBar::changed, this, [this, i] { HScroll1_Change(i); });
        connect(HScroll1[i], &ScrollBar::scrolled, this, [this, i] { HScroll1_Change(i); });
    }
    // Position, zoom and tilt: the scroll notification is the change without the focus step.
    connect(HScroll2, &ScrollBar::changed, this, [this] { HScroll2_Change(); });
    connect(HScroll2, &ScrollBar::scrolled, this, [this] { HScroll2_Scroll(); });
    connect(VScroll2, &ScrollBar::changed, this, [this] { VScroll2_Change(); });
    connect(VScroll2, &ScrollBar::scrolled, this, [this] { VScroll2_Change(); });
    connect(HScroll4, &ScrollBar::changed, this, [this] { HScroll4_Change(); });
    connect(HScroll4, &ScrollBar::scrolled, this, [this] { HScroll4_Scroll(); });
    connect(VScroll1, &ScrollBar::changed, this, [this] { VScroll1_Change(); });
    connect(VScroll1, &ScrollBar::scrolled, this, [this] { VScroll1_Scroll(); });
    connect(SSCommand2, &QPushButton::clicked, this, [this] { SSCommand2_Click(); });
    connect(SSCommand4, &QPushButton::clicked, this, [this] { SSCommand4_Click(); });

    for (int g = 0; g < 2; ++g) {
        connect(Picture2[g], &PictureBox::clicked, this, [this, g] { ChooseColor(Picture2[g]); });
        connect(Picture4[g], &PictureBox::clicked, this, [this, g] { ChooseColor(Picture4[g]); });
        connect(Picture6[g], &PictureBox::clicked, this, [this, g] { ChooseColor(Picture6[g]); });
        connect(Picture3[g], &PictureBox::mousePressed, this, [this, g] { Picture3_MouseDown(g); });
        connect(Check1[g], &CheckBox::stateClicked, this, [this, g] { Check1_Click(g); });
        connect(Check2[g], &CheckBox::stateClicked, this, [this, g] { Check2_Click(g); });
        connect(Check3[g], &CheckBox::stateClicked, this, [this, g] { Check3_Click(g); });
        for (CheckBox* c : {Check1[g], Check2[g], Check3[g]})
            connect(c, &CheckBox::mouseReleased, this, [this] { focusView(); });
    }
    connect(Picture5, &PictureBox::clicked, this, [this] { Picture5_Click(); });
    connect(HScroll6, &ScrollBar::changed, this, [this] { HScroll6_Change(); });
    connect(HScroll6, &ScrollBar::scrolled, this, [this] { HScroll6_Scroll(); });
}

void Form1::markButton(Button3D* button, bool marked) {
    button->setCaptionColor(marked ? kMarkedColor : kUnmarkedColor);
}

// --- body selection and value entry ---

void Form1::SSCommand1_Click(int index) {
    guarded([&] {
        if (index >= kFirstDigitButton) {
            markButton(SSCommand1[model.selectedDigitButton], false);
            setLabelCaption(Label1[9], QString::number(index - kFirstDigitButton));
            model.selectedDigitButton = uint8_t(index);
            ProjectBody();
            markButton(SSCommand1[index], true);
            focusView();
            return;
        }
        model.recomputeSuppressed = 1;
        markButton(SSCommand1[model.currentBody], false);
        model.cornersPerBody[model.currentBody] = uint8_t(captionNumber(Label1[7]));
        model.levelsPerBody[model.currentBody] = uint8_t(captionNumber(Label1[8]));
        HScroll1[2]->setMinimum(index == Kugel ? kSphereLevelsMin : kLevelsSetting.min);
        applyBodyControls(index);
        model.currentBody = uint8_t(index);
        HScroll1[1]->setValue(model.cornersPerBody[index]);
        HScroll1[2]->setValue(model.levelsPerBody[index]);
        model.recomputeSuppressed = 0;
        GenerateBody();
        markButton(SSCommand1[index], true);
        focusView();
    });
    // Whatever happened above, the nested notifications must not stay switched off.
    model.recomputeSuppressed = 0;
}

void Form1::applyBodyControls(int body) {
    const BodyControls& c = kBodyControls[body];
    HScroll1[1]->setVisible(c.cornersBar);
    HScroll1[2]->setVisible(c.levelsBar);
    // A cap's colour box is shown only while its row's "transparent" is not checked.
    Picture6[0]->setVisible(c.insideCap == Cap::Shown && Check3[1]->value() % 2 == 0);
    Picture6[1]->setVisible(c.outsideCap == Cap::Shown && Check3[0]->value() % 2 == 0);
    Check3[0]->setVisible(c.topCapCheck);
    Check3[1]->setVisible(c.bottomCapCheck);
    if (c.upperCapLabel)
        setLabelCaption(Label6[0], QString::fromUtf8(c.upperCapLabel));
    if (c.lowerCapLabel)
        setLabelCaption(Label6[1], QString::fromUtf8(c.lowerCapLabel));
    Label6[0]->setVisible(c.capLabels);
    Label6[1]->setVisible(c.capLabels);
    Label9->setVisible(c.title);
    if (body == Kugel)
        update();
}

void Form1::HScroll1_Change(int index) {
    guarded([&] {
        setLabelCaption(Label1[index + 6], QString::number(HScroll1[index]->value()));
        if (index != 0)
            GenerateBody();
        else
            ProjectBody();
        focusView();
    });
}

// --- view controls ---

void Form1::HScroll2_Scroll() {
    guarded([&] {
        setLabelCaption(Label7[2], QString::number(HScroll2->value()));
        if (!model.turnRunning)
            ProjectBody();
    });
}

void Form1::HScroll2_Change() {
    HScroll2_Scroll();
    focusView();
}

void Form1::VScroll2_Change() {
    guarded([&] {
        setLabelCaption(Label7[3], QString::number(-VScroll2->value()));
        if (!model.turnRunning)
            ProjectBody();
    });
}

void Form1::HScroll4_Scroll() {
    guarded([&] {
        setLabelCaption(Label8[1], FormatDecimal(HScroll4->value() / 100.0));
        if (!model.turnRunning)
            ProjectBody();
    });
}

void Form1::HScroll4_Change() {
    HScroll4_Scroll();
    focusView();
}

void Form1::VScroll1_Scroll() {
    guarded([&] {
        setLabelCaption(Label1[5], QString::number(VScroll1->value()));
        ProjectBody();
    });
}

void Form1::VScroll1_Change() {
    VScroll1_Scroll();
    focusView();
}

void Form1::SSCommand2_Click() {
    HScroll2->setValue(kPositionSetting.start);
    VScroll2->setValue(kPositionSetting.start);
}

void Form1::SSCommand4_Click() {
    HScroll4->setValue(kZoomSetting.start);
}

// --- appearance ---

void Form1::ChooseColor(PictureBox* box) {
    const std::optional<ColorRef> chosen = platform_.colorDialog->choose(this, lastChosenColor_);
    if (!chosen)
        return;
    lastChosenColor_ = *chosen;
    ColorChosen(box, *chosen);
}

void Form1::ColorChosen(PictureBox* box, ColorRef color) {
    guarded([&] {
        box->setBackColor(color);
        clearAndDrawView();
    });
}

void Form1::Picture5_Click() {
    const std::optional<ColorRef> chosen = platform_.colorDialog->choose(this, lastChosenColor_);
    if (!chosen)
        return;
    lastChosenColor_ = *chosen;
    BackColorChosen(*chosen);
}

void Form1::BackColorChosen(ColorRef color) {
    guarded([&] {
        Picture5->setBackColor(color);
        Picture1->setBackColor(color);
        DrawView();
    });
}

void Form1::Picture3_MouseDown(int index) {
    guarded([&] {
        Picture3[index]->setBorderStyle(NextDashStyle(Picture3[index]->borderStyle()));
        clearAndDrawView();
    });
}

void Form1::Check1_Click(int g) {
    guarded([&] {
        Picture2[g]->setVisible(Check1[g]->value() == 0);
        // Opaque front faces hide the back faces entirely, so their settings are put away.
        if (Check2[1]->value() != 0 && Check1[1]->value() == 0) {
            Check2[0]->hide();
            Check2[0]->setValue(0);
        } else {
            Check2[0]->show();
            Check2[0]->setValue(1);
        }
        clearAndDrawView();
    });
}

void Form1::Check2_Click(int g) {
    guarded([&] {
        const bool on = Check2[g]->value() != 0;
        for (QWidget* w : {static_cast<QWidget*>(Picture3[g]), static_cast<QWidget*>(Picture4[g]),
                           static_cast<QWidget*>(Check1[g]), static_cast<QWidget*>(Label2[g]),
                           static_cast<QWidget*>(Label4[g])})
            w->setVisible(on);
        Picture2[g]->setVisible(on && Check1[g]->value() == 0);
        if (g == 1) {
            if (on && Check1[1]->value() == 0) {
                Check2[0]->hide();
                Check2[0]->setValue(0);
            } else if (!on) {
                Check2[0]->show();
                Check2[0]->setValue(1);
            }
        }
        clearAndDrawView();
    });
}

void Form1::Check3_Click(int k) {
    guarded([&] {
        Picture6[1 - k]->setVisible(Check3[k]->value() == 0);
        clearAndDrawView();
    });
}

// --- output size ---

namespace {
float OutputMillimetres(int pixels, double dpi) {
    return float(pixels * 25.4 / dpi);
}
} // namespace

void Form1::HScroll6_Change() {
    const int v = HScroll6->value();
    guarded([&] { setLabelCaption(Label16, QString::number(v)); });
    guarded([&] {
        const float mm = OutputMillimetres(v, platform_.screen->dpiX());
        setLabelCaption(Label17, FormatDecimal(double(std::floor(mm * 10.0f)) / 100));
    });
    guarded([&] { focusView(); });
}

void Form1::HScroll6_Scroll() {
    const int v = HScroll6->value();
    guarded([&] {
        setLabelCaption(Label16, QString::number(v));
        const float mm = OutputMillimetres(v, platform_.screen->dpiX());
        setLabelCaption(Label17, FormatDecimal(double(std::floor(mm)) / 10));
    });
}

// --- auxiliary windows and exit ---

void Form1::SSCommand10_Click() {
    info.showInfo();
}

void Form1::SSCommand8_Click() {
    info.showPrograms();
}

void Form1::SSCommand11_Click() {
    EndProgram();
}

void Form1::closeEvent(QCloseEvent* event) {
    event->accept();
    EndProgram();
}

void Form1::EndProgram() {
    turn->stop();
    info.closeInfo();
    if (endProcess)
        endProcess();
}

} // namespace solifa
