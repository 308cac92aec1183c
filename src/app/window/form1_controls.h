#pragma once
// The controls of the main window, named and indexed as the design names them, in one place:
// each is bound by its name to the control the window built from its table of controls.
#include <QString>
#include <array>
#include <map>

#include "core/model_state.h"

class QGroupBox;
class QLabel;
class QProgressBar;
class QWidget;

namespace solifa {

class Button3D;
class CheckBox;
class IntervalTimer;
class LineSample;
class PictureBox;
class ScrollBar;

struct Form1Controls {
    std::array<Button3D*, kBodyAndDigitButtons> SSCommand1{};
    Button3D* SSCommand2 = nullptr;
    Button3D* SSCommand3 = nullptr;
    Button3D* SSCommand4 = nullptr;
    Button3D* SSCommand5 = nullptr;
    Button3D* SSCommand6 = nullptr;
    Button3D* SSCommand8 = nullptr;
    Button3D* SSCommand9 = nullptr;
    Button3D* SSCommand10 = nullptr;
    Button3D* SSCommand11 = nullptr;
    std::array<QLabel*, 10> Label1{};
    std::array<QLabel*, 2> Label2{};
    std::array<QLabel*, 2> Label4{};
    std::array<QLabel*, 2> Label5{};
    std::array<QLabel*, 2> Label6{};
    std::array<QLabel*, 4> Label7{};
    std::array<QLabel*, 2> Label8{};
    QLabel* Label9 = nullptr;
    QLabel* Label14 = nullptr;
    QLabel* Label15 = nullptr;
    QLabel* Label16 = nullptr;
    QLabel* Label17 = nullptr;
    PictureBox* Picture1 = nullptr;
    std::array<PictureBox*, 2> Picture2{};
    std::array<LineSample*, 2> Picture3{};
    std::array<PictureBox*, 2> Picture4{};
    PictureBox* Picture5 = nullptr;
    std::array<PictureBox*, 2> Picture6{};
    PictureBox* Picture7 = nullptr;
    std::array<QGroupBox*, 2> Frame1{};
    std::map<int, QGroupBox*> Frame; // Frame2 .. Frame10 by number
    std::array<CheckBox*, 2> Check1{};
    std::array<CheckBox*, 2> Check2{};
    std::array<CheckBox*, 2> Check3{};
    CheckBox* Check4 = nullptr;
    std::array<ScrollBar*, 3> HScroll1{};
    ScrollBar* HScroll2 = nullptr;
    ScrollBar* HScroll3 = nullptr;
    ScrollBar* HScroll4 = nullptr;
    ScrollBar* HScroll6 = nullptr;
    ScrollBar* VScroll1 = nullptr;
    ScrollBar* VScroll2 = nullptr;
    QProgressBar* ProgressBar2 = nullptr;
    IntervalTimer* Timer1 = nullptr;

    // Binds every control above to the control of its design name in `built` ("HScroll1(2)"
    // for an array's element); throws std::logic_error for a name that was not built or a
    // control of another kind. The timer is no control of the table and stays as it is.
    void bind(const std::map<QString, QWidget*>& built);
};

} // namespace solifa
