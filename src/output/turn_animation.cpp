// The turn about the body axis: start and stop, the frame count, the mirror box, and the timer
// tick that advances the frame and writes the next file of a pending series.
#include <QLabel>
#include <QProgressBar>

#include "output/output_texts.h"
#include "window/button_3d.h"
#include "window/check_box.h"
#include "window/form1.h"
#include "window/interval_timer.h"
#include "window/picture_box.h"
#include "window/scroll_bar.h"

namespace solifa {
namespace {

// The file button while the turn runs: the frame count with a blank where a sign would stand.
QString SeriesButtonCaption(int frameCount) {
    return QStringLiteral(" %1 Dateien erzeugen").arg(frameCount);
}

} // namespace

void Form1::connectTurnHandlers() {
    connect(SSCommand3, &QPushButton::clicked, this, [this] { SSCommand3_Click(); });
    connect(HScroll3, &ScrollBar::changed, this, [this] { HScroll3_Change(); });
    connect(HScroll3, &ScrollBar::scrolled, this, [this] { HScroll3_Scroll(); });
    connect(Check4, &CheckBox::stateClicked, this, [this] { Check4_Click(); });
    connect(Timer1, &IntervalTimer::tick, this, [this] { Timer1_Timer(); });
}

void Form1::SSCommand3_Click() {
    model.turnRunning = uint8_t((model.turnRunning + 1) % 2);
    const bool running = model.turnRunning != 0;
    Timer1->setInterval(running ? 1 : 0);
    SSCommand3->setText(running ? QStringLiteral("aus") : QStringLiteral("ein"));
    HScroll3->setVisible(running);
    Label5[0]->setVisible(running);
    Label5[1]->setVisible(running);
    SSCommand9->setText(running ? SeriesButtonCaption(model.frameCount) : kFileActionText);
    ProgressBar2->setVisible(running);
    SSCommand5->setVisible(!running);
    SSCommand6->setVisible(!running);
    for (int i = kFirstDigitButton; i <= kLastDigitButton; ++i)
        SSCommand1[i]->setVisible(!running);
    Check4->setVisible(running);
}

void Form1::HScroll3_Scroll() {
    model.frameCount = int16_t(HScroll3->value());
    // A lowered count must not leave the frame counter beyond the last frame.
    if (model.frameIndex >= model.frameCount)
        model.frameIndex = int16_t(model.frameIndex % model.frameCount);
    setLabelCaption(Label5[1], QString::number(model.frameCount));
    SSCommand9->setText(SeriesButtonCaption(model.frameCount));
}

void Form1::HScroll3_Change() {
    HScroll3_Scroll();
    focusView();
}

void Form1::Check4_Click() {
    model.turnSign = Check4->value() != 0 ? -1 : 1;
}

void Form1::Timer1_Timer() {
    guarded([&] {
        model.frameIndex = int16_t(model.frameIndex + 1);
        if (model.frameIndex >= model.frameCount)
            model.frameIndex = 0;
        ProjectBody();
        Picture1->repaintNow();
        if (model.framesToWrite == 0)
            return;

        // The series keeps the frame count it was started with.
        const int count = seriesFrameCount > 0 ? seriesFrameCount : model.frameCount;
        const int k = count - model.framesToWrite + 1;
        if (const std::optional<QString> failure =
                writeOutputPicture(FrameSeriesFileName(dialogFileName, k))) {
            // The series stops before the message, so ticks during it only turn the body.
            model.framesToWrite = 0;
            ProgressBar2->setValue(0);
            platform_.messageBox->error(this, kFileActionText, *failure);
            return;
        }
        model.framesToWrite = uint8_t(model.framesToWrite - 1);
        ProgressBar2->setValue(count - model.framesToWrite);
        if (model.framesToWrite == 0) {
            platform_.messageBox->information(this, kFileActionText,
                                              SeriesCreatedMessage(count, dialogFileName));
            ProgressBar2->setValue(0);
        }
    });
}

} // namespace solifa
