#pragma once
// The main window as the tests drive it: its controls, its record, the output actions and the
// turn, which the window keeps to itself, in reach under their usual names.
#include "app/window/form1.h"

namespace solifa {

class TestForm1 : public Form1 {
public:
    using Form1::Check1, Form1::Check2, Form1::Check3, Form1::Check4;
    using Form1::Form1;
    using Form1::Frame1, Form1::Frame;
    using Form1::HScroll1, Form1::HScroll2, Form1::HScroll3, Form1::HScroll4, Form1::HScroll6,
        Form1::VScroll1, Form1::VScroll2;
    using Form1::Label1, Form1::Label2, Form1::Label4, Form1::Label5, Form1::Label6, Form1::Label7,
        Form1::Label8, Form1::Label9, Form1::Label14, Form1::Label15, Form1::Label16,
        Form1::Label17;
    using Form1::model, Form1::output, Form1::turn;
    using Form1::Picture1, Form1::Picture2, Form1::Picture3, Form1::Picture4, Form1::Picture5,
        Form1::Picture6, Form1::Picture7;
    using Form1::ProgressBar2, Form1::Timer1;
    // All of them at once, as the appearance reads them.
    const Form1Controls& ui() const { return *this; }
    using Form1::SSCommand1, Form1::SSCommand2, Form1::SSCommand3, Form1::SSCommand4,
        Form1::SSCommand5, Form1::SSCommand6, Form1::SSCommand8, Form1::SSCommand9,
        Form1::SSCommand10, Form1::SSCommand11;
};

} // namespace solifa
