#pragma once
// The turn about the body axis: starting and stopping it, its frame count and direction, and
// the timer tick that advances the frame and writes the next file of a pending frame series.
#include <QString>
#include <cstdint>
#include <memory>
#include <optional>

#include "core/model_state.h"
#include "files/picture_files.h"
#include "platform/platform.h"

class QWidget;

namespace solifa {

class GifSeries;
class OutputActions;

// What the turn needs of the window: a few facts and a few changes, so that the turn never
// touches a control itself.
class TurnView {
public:
    virtual ~TurnView() = default;
    // The window that owns the messages.
    virtual QWidget* messageParent() = 0;
    // The frame count the frames bar shows, and whether the mirror box is ticked.
    virtual int chosenFrameCount() const = 0;
    virtual bool mirrored() const = 0;
    // Starts the timer at its shortest interval, or stops it.
    virtual void runTimer(bool running) = 0;
    // Shows the controls of the turning body (frames bar, progress, mirror box) or those of
    // the still one (clipboard, print, digits), and the turn button's caption.
    virtual void showTurnControls(bool running, const QString& toggleCaption) = 0;
    virtual void setFileButtonCaption(const QString& caption) = 0;
    virtual void setFramesValue(int count) = 0;
    virtual void setProgress(int value, int maximum) = 0;
    virtual void setCaption(const QString& caption) = 0;
    // Recomputes the projection for the current frame and redraws the view at once.
    virtual void showFrame() = 0;
};

class Turn {
public:
    // The turn shows itself in view; frames are written through output.
    Turn(ModelState& model, const Platform& platform, TurnView& view, OutputActions& output);
    ~Turn();
    Turn(const Turn&) = delete;
    Turn& operator=(const Turn&) = delete;

    // "ein" / "aus".
    void toggle();
    // The frame count moved.
    void framesChanged();
    // The mirror box was clicked.
    void mirrorClicked();
    // One tick of the timer: the next frame, and the next file of a pending series.
    void tick();
    // Starts writing one turn as a frame series into the names of path, or into the file itself
    // as one looping animation when its format is the GIF; choosing again restarts it.
    void startSeries(const QString& path, PictureFormat format);
    // A file was chosen while the body stands still: a paused series goes on under its name
    // once the body turns again.
    void fileChosen(const QString& path, PictureFormat format);
    // Stops the timer and any series at once, as the program ends.
    void stop();

    // The frame count of the series being written, fixed when the series starts. While the
    // series is pending (written or paused) it is the count the body turns by as well, so the
    // files always join into one loop; a count chosen meanwhile takes effect when it ends.
    int16_t seriesFrameCount = 0;

private:
    bool seriesPending() const { return model_.framesToWrite > 0; }
    // Ends the series: the frame count chosen during it takes effect.
    void endSeries();
    // The count the frames bar shows, taken as the turn's frame count.
    void applyFrameCount();
    // Whether the pending series is one animation, by the format of its file.
    void chooseKind();
    // The message at the end of a series, and the emptied progress bar once it is closed.
    void showEndMessage(bool success, const QString& text);
    // A file of the series is on the disk: the caption shows its folder.
    void fileWritten(const QString& path);
    // Writes frame k of the series; on failure the message to show.
    std::optional<QString> writeFrame(int k);
    // The end of a series that was written: the animation put in place, and the message.
    void reportSeries(int count);

    ModelState& model_;
    const Platform& platform_;
    TurnView& view_;
    OutputActions& output_;
    QString path_;                              // the file the series is written into
    PictureFormat format_ = PictureFormat::Bmp; // and its format
    bool animation_ = false;                    // the pending series is one GIF animation
    std::unique_ptr<GifSeries> gif_;            // its file, once the first frame is in
};

} // namespace solifa
