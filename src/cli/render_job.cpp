#include "cli/render_job.h"

#include <QBuffer>
#include <QIODevice>

#include <charconv>
#include <cmath>
#include <functional>
#include <map>
#include <memory>
#include <optional>

#include "model/body_geometry.h"
#include "model/errors.h"
#include "model/rounding.h"
#include "output/bitmap_file.h"
#include "output/output_texts.h"
#include "output/picture_files.h"
#include "output/safe_write.h"
#include "render/body_painter.h"
#include "render/qt_painter_surface.h"

namespace solifa {

namespace {

constexpr const char* kProgram = "solifa-render: ";

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

// Frame k of a series, named as the window names the frames of its series.
std::string FrameFileName(const std::string& path, int k) {
    return FrameSeriesFileName(QString::fromStdString(path), k).toStdString();
}

void PaintBodyOn(DrawingSurface& surface, const ModelState& model, const RenderRequest& request) {
    // The painter's point buffer belongs to the model; a copy keeps the model const.
    std::array<PolyPoint, kPolyPointCount> polyPoints = model.polyPoints;
    PaintBody(surface,
              ViewPaintInput(model, model.bodyPoints.maxCorner(), model.bodyPoints.maxLevel()),
              request.appearance, polyPoints);
}

// --- JSON ---

void AppendNumber(std::string& out, float v) {
    if (!std::isfinite(v)) {
        out += "null";
        return;
    }
    char buffer[32];
    // The shortest text that reads back as the same single-precision value.
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, v);
    out.append(buffer, result.ptr);
}

void AppendNumber(std::string& out, int v) {
    out += std::to_string(v);
}

template <class T> void AppendGrid3(std::string& out, const Grid3<T>& grid) {
    out += '[';
    for (int level = 0; level <= grid.maxLevel(); ++level) {
        out += level == 0 ? "[" : ",[";
        for (int corner = 0; corner <= grid.maxCorner(); ++corner) {
            out += corner == 0 ? "[" : ",[";
            for (int axis = 0; axis < 3; ++axis) {
                if (axis > 0)
                    out += ',';
                AppendNumber(out, grid.at(level, corner, axis));
            }
            out += ']';
        }
        out += ']';
    }
    out += ']';
}

// --- files ---

// Qt's image, SVG and PDF writers and the GIF writer write through this device into the safe
// write path. A failed write is kept by the file, so it is seen even where a writer ignores it.
class SafeFileDevice final : public QIODevice {
public:
    explicit SafeFileDevice(SafeFile& file) : file_(file) {
        open(QIODevice::WriteOnly | QIODevice::Unbuffered);
    }
    bool isSequential() const override { return true; }

protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char* data, qint64 size) override {
        return file_.write(data, std::size_t(size)) ? size : -1;
    }

private:
    SafeFile& file_;
};

using ContentWriter = std::function<bool(QIODevice& device, std::string& why)>;

std::string WriteFailedLine(const std::string& path, const std::string& why) {
    return std::string(kProgram) + "writing \"" + path + "\" failed: " + why;
}

// Writes the content into a temporary file, complete and synced but not yet in place: the
// error line, or nothing.
std::optional<std::string> WriteContent(SafeFile& file, const ContentWriter& write) {
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
    return WriteFailedLine(file.path(), why);
}

ContentWriter BytesContent(QByteArray bytes) {
    return [bytes = std::move(bytes)](QIODevice& device, std::string& why) {
        if (device.write(bytes) == bytes.size())
            return true;
        why = device.errorString().toStdString();
        return false;
    };
}

// A PNG is encoded in memory first: the encoder would report a failed write of the file as a
// warning of its own, beside the program's one line.
ContentWriter PngContent(const QImage& image) {
    QByteArray bytes = EncodePng(image);
    if (!bytes.isEmpty())
        return BytesContent(std::move(bytes));
    return [](QIODevice&, std::string& reason) {
        reason = "the PNG could not be encoded";
        return false;
    };
}

PicturePainter PainterOf(const ModelState& model, const RenderRequest& request) {
    return [&model, &request](QPaintDevice* device) { PaintPicture(device, model, request); };
}

ContentWriter PictureContent(const ModelState& model, const RenderRequest& request) {
    const QSize size(request.viewWidth, request.viewWidth);
    const QString body = QString::fromUtf8(kBodyNames[model.currentBody]);
    switch (request.format) {
    case PictureFormat::Png:
        return PngContent(RenderImage(model, request));
    case PictureFormat::Svg:
        return BytesContent(
            EncodeSvg(size, QStringLiteral("SOLIFA"), body, PainterOf(model, request)));
    case PictureFormat::Pdf:
        return BytesContent(EncodePdf(size, body, PainterOf(model, request)));
    case PictureFormat::Bmp:
    case PictureFormat::Gif:
        break;
    }
    // A Windows bitmap encoded as the window encodes its bitmaps.
    return BytesContent(EncodeBitmap(RenderImage(model, request)));
}

int DelayCentiseconds(int ms) {
    return static_cast<int>(roundHalfEven(ms / 10.0));
}

ContentWriter GifContent(const std::vector<ModelState>& models, const RenderRequest& request) {
    std::vector<QImage> frames;
    for (const ModelState& m : models)
        frames.push_back(RenderImage(m, request));
    const int delay = models.size() > 1 ? DelayCentiseconds(request.delayMs) : 0;
    std::string why;
    QByteArray bytes =
        EncodeGif(frames, delay, PictureColours(request.background, request.appearance), &why);
    if (!bytes.isEmpty())
        return BytesContent(std::move(bytes));
    return [why](QIODevice&, std::string& reason) {
        reason = why;
        return false;
    };
}

// The JSON dump is the last of the files a request writes.
bool IsJsonFile(const RenderRequest& request, std::size_t i, std::size_t count) {
    return !request.jsonPath.empty() && i + 1 == count;
}

// The content of file i of the `count` that FilesToWrite names.
ContentWriter ContentOf(const RenderRequest& request, const std::vector<ModelState>& models,
                        std::size_t i, std::size_t count) {
    if (IsJsonFile(request, i, count))
        return BytesContent(QByteArray::fromStdString(ModelJson(models.front())));
    if (request.format == PictureFormat::Gif)
        return GifContent(models, request);
    return PictureContent(models[i], request);
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
    PaintPictureOn(device, QSize(request.viewWidth, request.viewWidth), request.background,
                   [&](DrawingSurface& surface) { PaintBodyOn(surface, model, request); });
}

QImage RenderImage(const ModelState& model, const RenderRequest& request) {
    QImage image(request.viewWidth, request.viewWidth, QImage::Format_RGB32);
    PaintPicture(&image, model, request);
    return image;
}

std::string ModelJson(const ModelState& m) {
    std::string out = "{";
    out += "\"body\":" + std::to_string(m.currentBody);
    out += ",\"corners\":" + std::to_string(m.bodyPoints.maxCorner());
    out += ",\"levels\":" + std::to_string(m.bodyPoints.maxLevel());
    out += ",\"viewRadius\":" + std::to_string(m.viewRadius);
    out += ",\"bodyPoints\":";
    AppendGrid3(out, m.bodyPoints);
    out += ",\"viewPoints\":";
    AppendGrid3(out, m.viewPoints);
    out += ",\"viewApex\":[";
    for (int e = 0; e < 2; ++e) {
        out += e == 0 ? "[" : ",[";
        for (int axis = 0; axis < 3; ++axis) {
            if (axis > 0)
                out += ',';
            AppendNumber(out, m.viewApex[e][axis]);
        }
        out += ']';
    }
    out += "],\"faceSide\":[";
    for (int row = 0; row <= m.faceSide.maxRow(); ++row) {
        out += row == 0 ? "[" : ",[";
        for (int corner = 0; corner <= m.faceSide.maxCorner(); ++corner) {
            if (corner > 0)
                out += ',';
            AppendNumber(out, m.faceSide.at(row, corner));
        }
        out += ']';
    }
    out += "]}\n";
    return out;
}

std::vector<std::string> FilesToWrite(const RenderRequest& request) {
    std::vector<std::string> files;
    if (!request.outputPath.empty()) {
        if (request.frames > 0 && request.format != PictureFormat::Gif) {
            for (int k = 1; k <= request.frames; ++k)
                files.push_back(FrameFileName(request.outputPath, k));
        } else {
            files.push_back(request.outputPath);
        }
    }
    if (!request.jsonPath.empty())
        files.push_back(request.jsonPath);
    return files;
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
        return {kExitWrongInput, std::string(kProgram) + "--body " + kBodyNames[request.body] +
                                     " cannot be computed with " + std::to_string(request.corners) +
                                     " corners and " + std::to_string(request.levels) +
                                     " levels (" + e.what() + ")"};
    }

    // Every name is checked before the first byte is written, and no two may name one file.
    const std::vector<std::string> paths = FilesToWrite(request);
    const auto option = [&](std::size_t i) {
        return std::string(IsJsonFile(request, i, paths.size()) ? "--dump-json" : "-o");
    };
    std::map<std::string, std::size_t> identities;
    for (std::size_t i = 0; i < paths.size(); ++i) {
        std::string line;
        if (const int error = CheckWritable(paths[i])) {
            line = option(i) + ": cannot write \"" + paths[i] +
                   "\": " + WriteFailureReason(error, ReasonLanguage::English);
        } else if (const auto [first, fresh] = identities.emplace(FileIdentity(paths[i]), i);
                   !fresh) {
            line = option(i) + " \"" + paths[i] + "\" names the same file as " +
                   option(first->second) + " \"" + paths[first->second] + "\"";
        } else {
            continue;
        }
        models.clear();
        return {kExitWrongInput, kProgram + line};
    }
    return {};
}

bool NeedsGuiApplication(const RenderRequest& request) {
    return !request.outputPath.empty() &&
           (request.format == PictureFormat::Svg || request.format == PictureFormat::Pdf);
}

JobResult WriteRenderJob(const RenderRequest& request, const std::vector<ModelState>& models) {
    if (models.empty())
        return {kExitWriteFailed, std::string(kProgram) + "nothing computed to write"};
    // Every file is written in full before the first one takes the place of its old version,
    // so a failure on the way leaves all the old files as they were; the files not yet in
    // place are removed when they go out of scope.
    const std::vector<std::string> paths = FilesToWrite(request);
    std::vector<std::unique_ptr<SafeFile>> files;
    for (std::size_t i = 0; i < paths.size(); ++i) {
        files.push_back(std::make_unique<SafeFile>(paths[i]));
        if (const auto error =
                WriteContent(*files.back(), ContentOf(request, models, i, paths.size())))
            return {kExitWriteFailed, *error};
    }
    for (const std::unique_ptr<SafeFile>& file : files)
        if (!file->commit())
            return {kExitWriteFailed,
                    WriteFailedLine(file->path(),
                                    WriteFailureReason(file->error(), ReasonLanguage::English))};
    return {};
}

JobResult RunRenderJob(const RenderRequest& request) {
    std::vector<ModelState> models;
    const JobResult prepared = PrepareRenderJob(request, models);
    if (prepared.exitCode != kExitOk)
        return prepared;
    return WriteRenderJob(request, models);
}

} // namespace solifa
