// The output and turn buttons of the main window, handed on to the output actions and the turn.
#include <QPushButton>

#include "app/window/form1.h"
#include "files/output_texts.h"
#include "widgets/button_3d.h"
#include "widgets/check_box.h"
#include "widgets/interval_timer.h"
#include "widgets/scroll_bar.h"

namespace solifa {

void Form1::RenderOutput() {
    output->RenderOutput();
}

void Form1::ScaleToOutput() {
    output->ScaleToOutput();
}

void Form1::DrawOutput() {
    output->DrawOutput();
}

void Form1::SSCommand9_Click() {
    guarded([&] {
        const std::optional<QString> path = output->chooseFile();
        if (!path)
            return;
        // While the turn runs the button starts a frame series, which the timer writes; the
        // caption follows once a file of it is on the disk.
        if (model.turnRunning) {
            turn->startSeries();
            return;
        }
        if (output->writeAndReport(*path))
            setWindowTitle(CaptionAfterWriting(*path));
    });
}

void Form1::SSCommand5_Click() {
    guarded([&] { output->copyToClipboard(); });
}

void Form1::SSCommand6_Click() {
    guarded([&] { output->print(); });
}

void Form1::SSCommand3_Click() {
    turn->toggle();
}

void Form1::HScroll3_Scroll() {
    turn->framesChanged();
}

void Form1::HScroll3_Change() {
    turn->framesChanged();
    focusView();
}

void Form1::Check4_Click() {
    turn->mirrorClicked();
}

void Form1::Timer1_Timer() {
    guarded([&] { turn->tick(); });
}

} // namespace solifa
