#include "app/actions/turn.h"

#include <QBuffer>
#include <QFile>
#include <QProgressBar>

#include <cerrno>
#include <new>

#include "app/actions/output_actions.h"
#include "files/bitmap_file.h"
#include "files/gif_writer.h"
#include "files/output_texts.h"
#include "files/safe_write.h"
#include "widgets/button_3d.h"
#include "widgets/check_box.h"
#include "widgets/interval_timer.h"
#include "widgets/picture_box.h"
#include "widgets/scroll_bar.h"
#include "widgets/value_label.h"

namespace solifa {
namespace {

// The file button while the turn runs: the frame count with a blank where a sign would stand.
QString SeriesButtonCaption(int frameCount) {
    return QStringLiteral(" %1 Dateien erzeugen").arg(frameCount);
}

// A frame of an animation is shown for 40 ms.
constexpr int kAnimationDelayCentiseconds = 4;

QString OutOfMemoryReason() {
    return QString::fromStdString(WriteFailureReason(ENOMEM, ReasonLanguage::German));
}

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
            return QStringLiteral("Die Größe der Bilder hat sich während der Serie geändert.");
        if (!writeFailure_.isEmpty())
            return writeFailure_;
        if (gif_ && gif_->outOfMemory())
            return OutOfMemoryReason();
        return QStringLiteral("Die Animation konnte nicht geschrieben werden.");
    }

private:
    QBuffer buffer_;
    std::unique_ptr<GifWriter> gif_;
    QSize size_;
    bool sizeChanged_ = false;
    QString writeFailure_;
};

Turn::Turn(ModelState& model, const Platform& platform, const TurnControls& controls,
           OutputActions& output, std::function<void()> project)
    : model_(model), platform_(platform), controls_(controls), output_(output),
      project_(std::move(project)) {}

Turn::~Turn() = default;

void Turn::toggle() {
    model_.turnRunning = uint8_t((model_.turnRunning + 1) % 2);
    const bool running = model_.turnRunning != 0;
    controls_.timer->setInterval(running ? 1 : 0);
    controls_.toggle->setText(running ? QStringLiteral("aus") : QStringLiteral("ein"));
    controls_.framesBar->setVisible(running);
    controls_.framesCaption->setVisible(running);
    controls_.framesValue->setVisible(running);
    // The button starts a series of the count the bar shows, also while one is pending.
    controls_.fileButton->setText(running ? SeriesButtonCaption(controls_.framesBar->value())
                                          : kFileActionText);
    controls_.progress->setVisible(running);
    for (QWidget* w : controls_.stillOnly)
        w->setVisible(!running);
    controls_.mirror->setVisible(running);
    // A paused series goes on under the name the dialog holds now, which may have changed.
    if (running && seriesPending())
        chooseKind();
}

void Turn::chooseKind() {
    const bool animation = output_.formatFor(output_.dialogFileName) == PictureFormat::Gif;
    // Frames of an animation are carried over to the new name; numbered files stay as written.
    if (!animation)
        gif_.reset();
    animation_ = animation;
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
    gif_.reset();
    model_.framesToWrite = 0;
    applyFrameCount();
}

void Turn::showEndMessage(bool success, const QString& text) {
    // The bar stays as the series left it while the message is open.
    if (success)
        platform_.messageBox->information(controls_.window, kFileActionText, text);
    else
        platform_.messageBox->error(controls_.window, kFileActionText, text);
    if (!seriesPending())
        controls_.progress->setValue(0);
}

void Turn::fileWritten(const QString& path) {
    controls_.window->setWindowTitle(CaptionAfterWriting(path));
}

void Turn::mirrorClicked() {
    model_.turnSign = controls_.mirror->value() != 0 ? -1 : 1;
}

void Turn::startSeries() {
    // A series started again takes the count the bar shows now. The timer writes the frames,
    // one per tick.
    applyFrameCount();
    gif_.reset();
    chooseKind();
    model_.framesToWrite = uint8_t(model_.frameCount);
    seriesFrameCount = model_.frameCount;
    controls_.progress->setMaximum(model_.frameCount);
    controls_.progress->setValue(0);
}

void Turn::stop() {
    controls_.timer->setInterval(0);
    model_.framesToWrite = 0;
    gif_.reset();
}

std::optional<QString> Turn::writeFrame(int k) {
    const QString& path = output_.dialogFileName;
    if (!animation_) {
        const QString file = FrameSeriesFileName(path, k);
        std::optional<QString> failure = output_.writePicture(file);
        if (!failure)
            fileWritten(file);
        return failure;
    }
    // The animation is written after its last frame; a name that cannot take it fails at once.
    if (const int error = CheckWritable(QFile::encodeName(path).toStdString()))
        return FileWriteFailedMessage(
            path, QString::fromStdString(WriteFailureReason(error, ReasonLanguage::German)));
    try {
        const QImage& frame = output_.renderFrame();
        if (!gif_)
            gif_ = std::make_unique<GifSeries>(frame, output_.pictureColours());
        if (gif_->add(frame))
            return std::nullopt;
    } catch (const std::bad_alloc&) {
        return FileWriteFailedMessage(path, OutOfMemoryReason());
    }
    return FileWriteFailedMessage(path, gif_->reason());
}

void Turn::reportSeries(int count) {
    const QString path = output_.dialogFileName;
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
    project_();
    controls_.view->repaintNow();
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
    controls_.progress->setValue(count - model_.framesToWrite);
    if (model_.framesToWrite == 0)
        reportSeries(count);
}

} // namespace solifa
