#include "output/turn.h"

#include <QProgressBar>

#include "output/output_actions.h"
#include "output/output_texts.h"
#include "window/button_3d.h"
#include "window/check_box.h"
#include "window/interval_timer.h"
#include "window/picture_box.h"
#include "window/scroll_bar.h"
#include "window/value_label.h"

namespace solifa {
namespace {

// The file button while the turn runs: the frame count with a blank where a sign would stand.
QString SeriesButtonCaption(int frameCount) {
    return QStringLiteral(" %1 Dateien erzeugen").arg(frameCount);
}

} // namespace

Turn::Turn(ModelState& model, const Platform& platform, const TurnControls& controls,
           OutputActions& output, std::function<void()> project)
    : model_(model), platform_(platform), controls_(controls), output_(output),
      project_(std::move(project)) {}

void Turn::toggle() {
    model_.turnRunning = uint8_t((model_.turnRunning + 1) % 2);
    const bool running = model_.turnRunning != 0;
    controls_.timer->setInterval(running ? 1 : 0);
    controls_.toggle->setText(running ? QStringLiteral("aus") : QStringLiteral("ein"));
    controls_.framesBar->setVisible(running);
    controls_.framesCaption->setVisible(running);
    controls_.framesValue->setVisible(running);
    controls_.fileButton->setText(running ? SeriesButtonCaption(model_.frameCount)
                                          : kFileActionText);
    controls_.progress->setVisible(running);
    for (QWidget* w : controls_.stillOnly)
        w->setVisible(!running);
    controls_.mirror->setVisible(running);
}

void Turn::framesChanged() {
    const int count = controls_.framesBar->value();
    SetLabelCaption(controls_.framesValue, QString::number(count));
    controls_.fileButton->setText(SeriesButtonCaption(count));
    if (!seriesPending())
        applyFrameCount();
}

void Turn::applyFrameCount() {
    model_.frameCount = int16_t(controls_.framesBar->value());
    // A lowered count must not leave the frame counter beyond the last frame.
    if (model_.frameIndex >= model_.frameCount)
        model_.frameIndex = int16_t(model_.frameIndex % model_.frameCount);
}

void Turn::endSeries() {
    model_.framesToWrite = 0;
    controls_.progress->setValue(0);
    applyFrameCount();
}

void Turn::mirrorClicked() {
    model_.turnSign = controls_.mirror->value() != 0 ? -1 : 1;
}

void Turn::startSeries() {
    // A series started again takes the count the bar shows now. The timer writes the frames,
    // one per tick.
    applyFrameCount();
    model_.framesToWrite = uint8_t(model_.frameCount);
    seriesFrameCount = model_.frameCount;
    controls_.progress->setMaximum(model_.frameCount);
    controls_.progress->setValue(0);
}

void Turn::stop() {
    controls_.timer->setInterval(0);
    model_.framesToWrite = 0;
}

void Turn::tick() {
    model_.frameIndex = int16_t(model_.frameIndex + 1);
    if (model_.frameIndex >= model_.frameCount)
        model_.frameIndex = 0;
    project_();
    controls_.view->repaintNow();
    if (model_.framesToWrite == 0)
        return;

    const int count = seriesFrameCount;
    const int k = count - model_.framesToWrite + 1;
    if (const std::optional<QString> failure =
            output_.writePicture(FrameSeriesFileName(output_.dialogFileName, k))) {
        // The series stops before the message, so ticks during it only turn the body.
        endSeries();
        platform_.messageBox->error(controls_.window, kFileActionText, *failure);
        return;
    }
    model_.framesToWrite = uint8_t(model_.framesToWrite - 1);
    controls_.progress->setValue(count - model_.framesToWrite);
    if (model_.framesToWrite == 0) {
        endSeries();
        platform_.messageBox->information(controls_.window, kFileActionText,
                                          SeriesCreatedMessage(count, output_.dialogFileName));
    }
}

} // namespace solifa
