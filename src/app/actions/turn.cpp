#include "app/actions/turn.h"

#include <QBuffer>
#include <QFile>

#include <new>
#include <vector>

#include "app/actions/messages.h"
#include "app/actions/output_actions.h"
#include "app/texts.h"
#include "files/gif_writer.h"
#include "files/output_texts.h"
#include "files/safe_write.h"

namespace solifa {
namespace {

// A frame of an animation is shown for 40 ms.
constexpr int kAnimationDelayCentiseconds = 4;

} // namespace

// A frame series written as one looping animation. The frames are encoded as they come and kept
// until the last is in; the animation is then written whole, through the safe write path, under
// the name current at that moment, so a series paused and resumed under another name still
// gives one complete loop in the file the message names.
class GifSeries {
public:
    GifSeries(const QImage& first, const std::vector<QRgb>& palette) : size_(first.size()) {
        buffer_.open(QIODevice::WriteOnly);
        gif_ = std::make_unique<GifWriter>(&buffer_, first.width(), first.height(), palette);
    }
    bool add(const QImage& frame) {
        // Every frame of an animation has its size; the output size may not change meanwhile.
        sizeChanged_ = frame.size() != size_;
        return !sizeChanged_ && gif_->addFrame(frame, kAnimationDelayCentiseconds);
    }
    bool commit(const QString& path) {
        return gif_->finish() && WriteFileBytes(buffer_.data(), path, &writeFailure_);
    }
    // Why it failed, in German.
    QString reason() const {
        if (sizeChanged_)
            return texts::Q(texts::kSeriesSizeChanged);
        if (!writeFailure_.isEmpty())
            return writeFailure_;
        if (gif_->outOfMemory())
            return OutOfMemoryReason();
        return texts::Q(texts::kAnimationNotWritten);
    }

private:
    QBuffer buffer_;
    std::unique_ptr<GifWriter> gif_;
    QSize size_;
    bool sizeChanged_ = false;
    QString writeFailure_;
};

Turn::Turn(ModelState& model, const Platform& platform, TurnView& view, OutputActions& output)
    : model_(model), platform_(platform), view_(view), output_(output) {}

Turn::~Turn() = default;

void Turn::toggle() {
    model_.turnRunning = uint8_t((model_.turnRunning + 1) % 2);
    const bool running = model_.turnRunning != 0;
    view_.runTimer(running);
    view_.showTurnControls(running, texts::Q(running ? texts::kTurnOff : texts::kTurnOn));
    // The button starts a series of the count the bar shows, also while one is pending.
    view_.setFileButtonCaption(running ? texts::SeriesButtonCaption(view_.chosenFrameCount())
                                       : texts::Q(texts::kFileAction));
    // A paused series goes on under the name chosen last, which may have changed.
    if (running && seriesPending())
        chooseKind();
}

void Turn::chooseKind() {
    const bool animation = format_ == PictureFormat::Gif;
    // Frames of an animation are carried over to the new name; numbered files stay as written.
    if (!animation)
        gif_.reset();
    animation_ = animation;
}

void Turn::framesChanged() {
    const int count = view_.chosenFrameCount();
    view_.setFramesValue(count);
    view_.setFileButtonCaption(texts::SeriesButtonCaption(count));
    if (!seriesPending())
        applyFrameCount();
}

void Turn::applyFrameCount() {
    model_.frameCount = int16_t(view_.chosenFrameCount());
    // A lowered count must not leave the frame counter beyond the last frame.
    if (model_.frameIndex >= model_.frameCount)
        model_.frameIndex = int16_t(model_.frameIndex % model_.frameCount);
}

void Turn::endSeries() {
    gif_.reset();
    model_.framesToWrite = 0;
    applyFrameCount();
}

void Turn::showEndMessage(bool success, const QString& text) {
    // The bar stays as the series left it while the message is open.
    const QString title = texts::Q(texts::kFileAction);
    if (success)
        platform_.messageBox->information(view_.messageParent(), title, text);
    else
        platform_.messageBox->error(view_.messageParent(), title, text);
    if (!seriesPending())
        view_.setProgress(0, seriesFrameCount);
}

void Turn::fileWritten(const QString& path) {
    view_.setCaption(CaptionAfterWriting(path));
}

void Turn::mirrorClicked() {
    model_.turnSign = view_.mirrored() ? -1 : 1;
}

void Turn::fileChosen(const QString& path, PictureFormat format) {
    path_ = path;
    format_ = format;
}

void Turn::startSeries(const QString& path, PictureFormat format) {
    fileChosen(path, format);
    // A series started again takes the count the bar shows now. The timer writes the frames,
    // one per tick.
    applyFrameCount();
    gif_.reset();
    chooseKind();
    model_.framesToWrite = uint8_t(model_.frameCount);
    seriesFrameCount = model_.frameCount;
    view_.setProgress(0, seriesFrameCount);
}

void Turn::stop() {
    view_.runTimer(false);
    model_.framesToWrite = 0;
    gif_.reset();
}

std::optional<QString> Turn::writeFrame(int k) {
    if (!animation_) {
        const QString file = FrameSeriesFileName(path_, k);
        std::optional<QString> failure = output_.writePicture(file);
        if (!failure)
            fileWritten(file);
        return failure;
    }
    // The animation is written after its last frame; a name that cannot take it fails at once.
    if (const int error = CheckWritable(QFile::encodeName(path_).toStdString()))
        return FileWriteFailedMessage(path_, WriteFailureText(error));
    try {
        const QImage& frame = output_.renderFrame();
        if (!gif_)
            gif_ = std::make_unique<GifSeries>(frame, output_.pictureColours());
        if (gif_->add(frame))
            return std::nullopt;
    } catch (const std::bad_alloc&) {
        return FileWriteFailedMessage(path_, OutOfMemoryReason());
    }
    return FileWriteFailedMessage(path_, gif_->reason());
}

void Turn::reportSeries(int count) {
    const QString path = path_;
    if (!animation_) {
        endSeries();
        showEndMessage(true, SeriesCreatedMessage(count, path));
        return;
    }
    bool written = false;
    QString reason = OutOfMemoryReason();
    try {
        written = gif_->commit(path);
        if (!written)
            reason = gif_->reason();
    } catch (const std::bad_alloc&) {
    }
    const QString message =
        written ? FileCreatedMessage(path) : FileWriteFailedMessage(path, reason);
    endSeries();
    if (written)
        fileWritten(path);
    showEndMessage(written, message);
}

void Turn::tick() {
    model_.frameIndex = int16_t(model_.frameIndex + 1);
    if (model_.frameIndex >= model_.frameCount)
        model_.frameIndex = 0;
    view_.showFrame();
    if (model_.framesToWrite == 0)
        return;

    const int count = seriesFrameCount;
    const int k = count - model_.framesToWrite + 1;
    if (const std::optional<QString> failure = writeFrame(k)) {
        // The series stops before the message, so ticks during it only turn the body.
        endSeries();
        showEndMessage(false, *failure);
        return;
    }
    model_.framesToWrite = uint8_t(model_.framesToWrite - 1);
    view_.setProgress(count - model_.framesToWrite, count);
    if (model_.framesToWrite == 0)
        reportSeries(count);
}

} // namespace solifa
