// The output and turn buttons of the main window, handed on to the output actions and the turn.
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>

#include "app/actions/messages.h"
#include "app/window/form1.h"
#include "widgets/button_3d.h"
#include "widgets/check_box.h"
#include "widgets/interval_timer.h"
#include "widgets/picture_box.h"
#include "widgets/scroll_bar.h"
#include "widgets/value_label.h"

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
        const PictureFormat format = output->formatFor(*path);
        if (model.turnRunning) {
            turn->startSeries(*path, format);
            return;
        }
        turn->fileChosen(*path, format);
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

int Form1::chosenFrameCount() const {
    return HScroll3->value();
}

bool Form1::mirrored() const {
    return Check4->value() != 0;
}

void Form1::runTimer(bool running) {
    Timer1->setInterval(running ? 1 : 0);
}

void Form1::showTurnControls(bool running, const QString& toggleCaption) {
    SSCommand3->setText(toggleCaption);
    HScroll3->setVisible(running);
    Label5[0]->setVisible(running);
    Label5[1]->setVisible(running);
    ProgressBar2->setVisible(running);
    // The clipboard and print buttons and the digits only while the body stands still.
    SSCommand5->setVisible(!running);
    SSCommand6->setVisible(!running);
    for (int i = kFirstDigitButton; i <= kLastDigitButton; ++i)
        SSCommand1[i]->setVisible(!running);
    Check4->setVisible(running);
}

void Form1::setFileButtonCaption(const QString& caption) {
    SSCommand9->setText(caption);
}

void Form1::setFramesValue(int count) {
    SetLabelCaption(Label5[1], QString::number(count));
}

void Form1::setProgress(int value, int maximum) {
    ProgressBar2->setMaximum(maximum);
    ProgressBar2->setValue(value);
}

void Form1::showFrame() {
    ProjectBody();
    Picture1->repaintNow();
}

} // namespace solifa
