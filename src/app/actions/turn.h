#pragma once
// The turn about the body axis: starting and stopping it, its frame count and direction, and
// the timer tick that advances the frame and writes the next file of a pending frame series.
#include <QString>
#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "core/model_state.h"
#include "platform/platform.h"

class QLabel;
class QProgressBar;
class QWidget;

namespace solifa {

class Button3D;
class CheckBox;
class GifSeries;
class IntervalTimer;
class OutputActions;
class PictureBox;
class ScrollBar;

// The controls the turn touches.
struct TurnControls {
    QWidget* window = nullptr;        // owner of the messages
    Button3D* toggle = nullptr;       // SSCommand3, "ein" / "aus"
    ScrollBar* framesBar = nullptr;   // HScroll3, frames of one corner step
    QLabel* framesCaption = nullptr;  // Label5(0), "Bilder:"
    QLabel* framesValue = nullptr;    // Label5(1)
    CheckBox* mirror = nullptr;       // Check4, the other way round
    Button3D* fileButton = nullptr;   // SSCommand9, whose caption counts the frames
    QProgressBar* progress = nullptr; // ProgressBar2
    // Shown only while the body stands still: the clipboard and print buttons, the digits.
    std::vector<QWidget*> stillOnly;
    IntervalTimer* timer = nullptr; // Timer1
    PictureBox* view = nullptr;     // Picture1, repainted on every frame
};

class Turn {
public:
    // project recomputes and redraws the view; frames are written through output.
    Turn(ModelState& model, const Platform& platform, const TurnControls& controls,
         OutputActions& output, std::function<void()> project);
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
    // Starts writing one turn as a frame series into the names of the chosen file, or into the
    // file itself as one looping animation when the name asks for a GIF; choosing again
    // restarts it.
    void startSeries();
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
    // Whether the pending series is one animation, by the name the dialog holds.
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
    TurnControls controls_;
    OutputActions& output_;
    std::function<void()> project_;
    bool animation_ = false;         // the pending series is one GIF animation
    std::unique_ptr<GifSeries> gif_; // its file, once the first frame is in
};

} // namespace solifa
