#pragma once
// One run of the headless renderer: the model computed as the window computes its view, the
// view's picture painted onto an image, SVG or PDF, and the files written.
#include <QByteArray>
#include <QImage>
#include <string>
#include <vector>

#include "cli/render_options.h"
#include "core/body_geometry.h"
#include "core/body_painter.h"
#include "core/model_state.h"

class QPaintDevice;

namespace solifa {

// Exit statuses of the program.
constexpr int kExitOk = 0;
constexpr int kExitWriteFailed = 1; // a file failed while it was written
constexpr int kExitWrongInput = 2;  // nothing was written

// The model after generation and projection for the request. frameIndex < 0 gives the still
// picture (turned by the offset); 0 .. frames - 1 a frame of the running turn.
// Throws ComputationError when the values cannot be computed.
ModelState ComputeModel(const RenderRequest& request, int frameIndex = -1);

// Paints the view's picture onto device: the background over viewWidth x viewWidth pixels,
// then the body.
void PaintPicture(QPaintDevice* device, const ModelState& model, const RenderRequest& request);

// What the painter draws of the model for the request: the view's points, in the request's look.
PaintInput PictureInput(const ModelState& model, const RenderRequest& request);

// The view's picture as the window keeps it (Format_RGB32). Throws std::bad_alloc when its
// pixels cannot be allocated.
QImage RenderImage(const ModelState& model, const RenderRequest& request);

// The projected model as one JSON object on one line.
QByteArray ModelJson(const ModelState& model);

// Every file the request writes, as the user named it: the picture, its frames or the
// animation, then the JSON dump. kStandardOutput stands for standard output.
std::vector<std::string> FilesToWrite(const RenderRequest& request);

struct JobResult {
    int exitCode = kExitOk;
    std::string error; // one line without newline, empty on success
};

// Computes the model of every picture, checks that every file can be written and that no two
// of them name one file; on wrong input (values that cannot be computed, a path that cannot be
// written, two names of one file) models stays empty.
JobResult PrepareRenderJob(const RenderRequest& request, std::vector<ModelState>& models);

// True when the output is painted through Qt's SVG or PDF generator, which wants a
// QGuiApplication; bitmaps need none.
bool NeedsGuiApplication(const RenderRequest& request);

// Writes the files from the prepared models, every one through the safe write path: all are
// written to temporary files first and put in place only when each was written completely.
// Memory running out fails the file being written, as a full disk does.
JobResult WriteRenderJob(const RenderRequest& request, const std::vector<ModelState>& models);

// The failure when memory runs out outside the writing of a file: it names the first file the
// request writes.
JobResult OutOfMemoryResult(const RenderRequest& request);

// Prepare, then write: nothing is written unless everything was computed and every target
// can be written.
JobResult RunRenderJob(const RenderRequest& request);

} // namespace solifa
