#include "cli/render_job.h"

#include <QIODevice>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <fcntl.h>
#include <functional>
#include <map>
#include <memory>
#include <new>
#include <optional>
#include <unistd.h>

#include "cli/argument_text.h"
#include "core/body_geometry.h"
#include "core/body_painter.h"
#include "core/errors.h"
#include "core/rounding.h"
#include "files/output_texts.h"
#include "files/picture_files.h"
#include "files/safe_file_device.h"
#include "files/safe_write.h"
#include "qtpaint/qt_painter_surface.h"

namespace solifa {

namespace {

ViewValues ViewValuesOf(const RenderRequest& r) {
    ViewValues v;
    v.tilt = r.tilt;
    v.rotation = r.rotation;
    v.offset = r.offset;
    v.zoom = r.zoom;
    v.positionX = r.x;
    // The "Y:" label shows the vertical bar's value with its sign inverted.
    v.positionY = -r.y;
    return v;
}

// Frame k of a series, named as the window names the frames of its series; the name's bytes
// stay as they were.
std::string FrameFileName(const std::string& path, int k) {
    return ArgumentBytes(FrameSeriesFileName(ArgumentText(path), k));
}

// The name the system writes: standard output is the program's own, which the safe write path
// writes in place.
std::string SystemName(const std::string& name) {
    return IsStandardOutput(name) ? std::string("/dev/stdout") : name;
}

// 0 when standard output is open for writing, else the error number: a closed one has no
// name to be checked by.
int StandardOutputError() {
    const int flags = ::fcntl(STDOUT_FILENO, F_GETFL);
    if (flags < 0)
        return errno;
    return (flags & O_ACCMODE) == O_RDONLY ? EBADF : CheckWritable(SystemName(kStandardOutput));
}

// A file as the error lines name it.
std::string Shown(const std::string& name) {
    return IsStandardOutput(name) ? std::string("standard output") : InQuotes(EchoBytes(name));
}

void PaintBodyOn(DrawingSurface& surface, const ModelState& model, const RenderRequest& request) {
    // The painter's point buffer belongs to the model; a copy keeps the model const.
    std::array<PolyPoint, kPolyPointCount> polyPoints = model.polyPoints;
    PaintBody(surface, PictureInput(model, request), request.appearance, polyPoints);
}

// --- JSON ---

// A non-finite value, which JSON cannot hold, as null.
QJsonValue JsonNumber(double v) {
    return std::isfinite(v) ? QJsonValue(v) : QJsonValue(QJsonValue::Null);
}

// A point as [x, y, z]; coordinate(axis) gives each.
template <class Coordinate> QJsonArray JsonPoint(Coordinate coordinate) {
    QJsonArray point;
    for (int axis = 0; axis < 3; ++axis)
        point.append(JsonNumber(coordinate(axis)));
    return point;
}

template <class T> QJsonArray JsonGrid3(const Grid3<T>& grid) {
    QJsonArray levels;
    for (int level = 0; level <= grid.maxLevel(); ++level) {
        QJsonArray corners;
        for (int corner = 0; corner <= grid.maxCorner(); ++corner)
            corners.append(JsonPoint([&](int axis) { return grid.at(level, corner, axis); }));
        levels.append(corners);
    }
    return levels;
}

// --- files ---

using ContentWriter = std::function<bool(QIODevice& device, std::string& why)>;

std::string WriteFailedLine(const std::string& name, const std::string& why) {
    return ErrorLine("writing " + Shown(name) + " failed: " + why);
}

std::string OutOfMemoryLine(const std::string& name) {
    return WriteFailedLine(name, WriteFailureReason(ENOMEM, ReasonLanguage::English));
}

// Writes the content into a temporary file, complete and synced but not yet in place: the
// error line, or nothing. name is the file as the user named it.
std::optional<std::string> WriteContent(SafeFile& file, const std::string& name,
                                        const ContentWriter& write) {
    std::string why;
    bool written = file.open();
    if (written) {
        SafeFileDevice device(file);
        written = write(device, why);
    }
    if (written && file.finish())
        return std::nullopt;
    if (file.error() != 0)
        why = WriteFailureReason(file.error(), ReasonLanguage::English);
    file.discard();
    return WriteFailedLine(name, why);
}

ContentWriter BytesContent(QByteArray bytes) {
    return [bytes = std::move(bytes)](QIODevice& device, std::string& why) {
        if (device.write(bytes) == bytes.size())
            return true;
        why = device.errorString().toStdString();
        return false;
    };
}

// A still picture is encoded in memory first, as the window encodes it: an encoder writing to
// the file would report a failed write as a warning of its own, beside the program's one line.
ContentWriter PictureContent(const ModelState& model, const RenderRequest& request) {
    const PictureSource source{
        QSize(request.viewWidth, request.viewWidth),
        QString::fromUtf8(kBodyNames[model.currentBody]),
        [&model, &request] { return RenderImage(model, request); },
        PictureColours(request.background, request.appearance),
        [&model, &request](DrawingSurface& surface) { PaintBodyOn(surface, model, request); },
        request.background,
        request.lineWidth,
        [&model, &request] { return NamedCorners(PictureInput(model, request)); }};
    return BytesContent(EncodePicture(request.format, source));
}

int DelayCentiseconds(int ms) {
    return static_cast<int>(roundHalfEven(ms / 10.0));
}

// The frames are rendered and encoded one at a time into the file, so a long animation of a
// large picture holds one frame in memory, not all of them.
ContentWriter GifContent(const std::vector<ModelState>& models, const RenderRequest& request) {
    return [&models, &request](QIODevice& device, std::string& why) {
        const int delay = models.size() > 1 ? DelayCentiseconds(request.delayMs) : 0;
        return WriteGif(
            &device, QSize(request.viewWidth, request.viewWidth), models.size(),
            [&models, &request](std::size_t k) { return RenderImage(models[k], request); }, delay,
            PictureColours(request.background, request.appearance), &why);
    };
}

// One file a request writes: its name as the user gave it, the option that named it, and what
// goes into it.
struct OutputFile {
    enum class Content { Picture, Animation, Json };
    std::string name;
    const char* option;
    Content content;
    std::size_t model = 0; // the model of a picture
};

// The picture, its frames or the animation, then the JSON dump.
std::vector<OutputFile> OutputFiles(const RenderRequest& request) {
    using Content = OutputFile::Content;
    std::vector<OutputFile> files;
    if (!request.outputPath.empty()) {
        if (FormatInfo(request.format).animates)
            files.push_back({request.outputPath, "-o", Content::Animation});
        else if (request.frames > 0)
            for (int k = 1; k <= request.frames; ++k)
                files.push_back({FrameFileName(request.outputPath, k), "-o", Content::Picture,
                                 std::size_t(k - 1)});
        else
            files.push_back({request.outputPath, "-o", Content::Picture});
    }
    if (!request.jsonPath.empty())
        files.push_back({request.jsonPath, "--dump-json", Content::Json});
    return files;
}

ContentWriter ContentOf(const OutputFile& file, const RenderRequest& request,
                        const std::vector<ModelState>& models) {
    switch (file.content) {
    case OutputFile::Content::Json:
        return BytesContent(ModelJson(models.front()));
    case OutputFile::Content::Animation:
        return GifContent(models, request);
    case OutputFile::Content::Picture:
        break;
    }
    return PictureContent(models.at(file.model), request);
}

} // namespace

ModelState ComputeModel(const RenderRequest& request, int frameIndex) {
    BodyScene scene;
    scene.body = request.body;
    scene.radius = ViewRadiusFor(request.viewWidth);
    scene.shape = ShapeValues{request.corners, request.levels};
    scene.view = ViewValuesOf(request);
    scene.mirror = request.mirror;
    if (frameIndex >= 0) {
        scene.frameCount = request.frames;
        scene.frameIndex = frameIndex;
    }
    return SetUpScene(scene);
}

void PaintPicture(QPaintDevice* device, const ModelState& model, const RenderRequest& request) {
    PaintPictureOn(
        device, QSize(request.viewWidth, request.viewWidth), request.background,
        [&](DrawingSurface& surface) { PaintBodyOn(surface, model, request); }, request.lineWidth);
}

PaintInput PictureInput(const ModelState& model, const RenderRequest& request) {
    PaintInput in =
        ViewPaintInput(model, model.bodyPoints.maxCorner(), model.bodyPoints.maxLevel());
    in.smooth = request.smooth;
    return in;
}

QImage RenderImage(const ModelState& model, const RenderRequest& request) {
    QImage image(request.viewWidth, request.viewWidth, QImage::Format_RGB32);
    // Qt gives a null image when the pixels cannot be allocated.
    if (image.isNull())
        throw std::bad_alloc();
    SetBitmapResolution(image);
    PaintPicture(&image, model, request);
    return image;
}

QByteArray ModelJson(const ModelState& m) {
    QJsonObject o;
    o["body"] = m.currentBody;
    o["corners"] = m.bodyPoints.maxCorner();
    o["levels"] = m.bodyPoints.maxLevel();
    o["viewRadius"] = m.viewRadius;
    o["bodyPoints"] = JsonGrid3(m.bodyPoints);
    o["viewPoints"] = JsonGrid3(m.viewPoints);
    QJsonArray apexes;
    for (int e = 0; e < 2; ++e)
        apexes.append(JsonPoint([&](int axis) { return m.viewApex[e][axis]; }));
    o["viewApex"] = apexes;
    QJsonArray rows;
    for (int row = 0; row <= m.faceSide.maxRow(); ++row) {
        QJsonArray sides;
        for (int corner = 0; corner <= m.faceSide.maxCorner(); ++corner)
            sides.append(m.faceSide.at(row, corner));
        rows.append(sides);
    }
    o["faceSide"] = rows;
    return QJsonDocument(o).toJson(QJsonDocument::Compact) + '\n';
}

std::vector<std::string> FilesToWrite(const RenderRequest& request) {
    std::vector<std::string> names;
    for (OutputFile& file : OutputFiles(request))
        names.push_back(std::move(file.name));
    return names;
}

JobResult PrepareRenderJob(const RenderRequest& request, std::vector<ModelState>& models) {
    models.clear();
    try {
        if (request.frames > 0) {
            for (int k = 0; k < request.frames; ++k)
                models.push_back(ComputeModel(request, k));
        } else {
            models.push_back(ComputeModel(request));
        }
    } catch (const ComputationError& e) {
        models.clear();
        return {kExitWrongInput,
                ErrorLine(std::string("--body ") + kBodyNames[request.body] +
                          " cannot be computed with " + std::to_string(request.corners) +
                          " corners and " + std::to_string(request.levels) + " levels (" +
                          e.what() + ")")};
    }

    // Every name is checked before the first byte is written, and no two may name one file.
    const std::vector<OutputFile> files = OutputFiles(request);
    std::map<std::string, const OutputFile*> identities;
    for (const OutputFile& file : files) {
        const std::string name = SystemName(file.name);
        std::string line;
        if (const int error =
                IsStandardOutput(file.name) ? StandardOutputError() : CheckWritable(name)) {
            line = file.option + std::string(": cannot write ") + Shown(file.name) + ": " +
                   (error == EBADF ? std::string("it is closed or open for reading only")
                                   : WriteFailureReason(error, ReasonLanguage::English));
        } else if (const auto [first, fresh] = identities.emplace(FileIdentity(name), &file);
                   !fresh) {
            line = file.option + (" " + Shown(file.name)) + " names the same file as " +
                   first->second->option + " " + Shown(first->second->name);
        } else {
            continue;
        }
        models.clear();
        return {kExitWrongInput, ErrorLine(line)};
    }
    return {};
}

bool NeedsGuiApplication(const RenderRequest& request) {
    return !request.outputPath.empty() && FormatInfo(request.format).vectorDrawing;
}

JobResult WriteRenderJob(const RenderRequest& request, const std::vector<ModelState>& models) {
    if (models.empty())
        return {kExitWriteFailed, ErrorLine("nothing computed to write")};
    // Every file is written in full before the first one takes the place of its old version,
    // so a failure on the way leaves all the old files as they were; the files not yet in
    // place are removed when they go out of scope. What goes to standard output cannot be
    // taken back, so it goes last, once every other file is written.
    std::vector<OutputFile> order = OutputFiles(request);
    std::stable_partition(order.begin(), order.end(),
                          [](const OutputFile& f) { return !IsStandardOutput(f.name); });
    std::vector<std::pair<std::unique_ptr<SafeFile>, const OutputFile*>> files;
    for (const OutputFile& file : order) {
        files.emplace_back(std::make_unique<SafeFile>(SystemName(file.name)), &file);
        std::optional<std::string> error;
        try {
            error = WriteContent(*files.back().first, file.name, ContentOf(file, request, models));
        } catch (const std::bad_alloc&) {
            error = OutOfMemoryLine(file.name);
        }
        if (error)
            return {kExitWriteFailed, *error};
    }
    // Then all replace their old versions together: should one fail, the others are put back.
    std::vector<SafeFile*> written;
    for (const auto& file : files)
        written.push_back(file.first.get());
    if (const std::size_t failed = CommitTogether(written); failed < files.size())
        return {kExitWriteFailed, WriteFailedLine(files[failed].second->name,
                                                  WriteFailureReason(files[failed].first->error(),
                                                                     ReasonLanguage::English))};
    return {};
}

JobResult OutOfMemoryResult(const RenderRequest& request) {
    const std::vector<std::string> paths = FilesToWrite(request);
    return {kExitWriteFailed, paths.empty()
                                  ? ErrorLine(WriteFailureReason(ENOMEM, ReasonLanguage::English))
                                  : OutOfMemoryLine(paths.front())};
}

JobResult RunRenderJob(const RenderRequest& request) {
    std::vector<ModelState> models;
    const JobResult prepared = PrepareRenderJob(request, models);
    if (prepared.exitCode != kExitOk)
        return prepared;
    return WriteRenderJob(request, models);
}

} // namespace solifa
