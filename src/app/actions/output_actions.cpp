#include "app/actions/output_actions.h"

#include <QFileInfo>
#include <QPrinter>
#include <QStringList>
#include <cerrno>
#include <memory>
#include <new>

#include "app/actions/messages.h"
#include "app/actions/print_page.h"
#include "app/texts.h"
#include "core/errors.h"
#include "files/bitmap_file.h"
#include "files/safe_write.h"
#include "qtpaint/qt_painter_surface.h"
#include "widgets/picture_box.h"

namespace solifa {
namespace {

// The save dialog's filters and the format each asks for a name without an extension. The
// bitmap filter is preselected; the first pattern is "*" so that names without an extension
// are listed too.
struct FileFilter {
    const char* text;
    std::optional<PictureFormat> format;
};
constexpr FileFilter kFileFilters[] = {
    {"Alle Dateien (*)", std::nullopt},           {"Bitmap (*.BMP *.bmp)", PictureFormat::Bmp},
    {"PNG-Bild (*.png)", PictureFormat::Png},     {"SVG-Grafik (*.svg)", PictureFormat::Svg},
    {"PDF-Dokument (*.pdf)", PictureFormat::Pdf}, {"GIF-Animation (*.gif)", PictureFormat::Gif},
};
constexpr int kBitmapFilter = 1;

QStringList FilterTexts() {
    QStringList texts;
    for (const FileFilter& f : kFileFilters)
        texts << QString::fromUtf8(f.text);
    return texts;
}

} // namespace

void PaintBodyOnPicture(PictureBox& picture, ModelState& model, const ShapeValues& shape,
                        const Grid3<float>& points, const float (*apex)[3],
                        const AppearanceSource& appearance) {
    QtPainterSurface surface(&picture.image());
    PaintBody(surface, BodyPaintInput(model, shape.corners, shape.levels, points, apex), appearance,
              model.polyPoints);
}

OutputActions::OutputActions(ModelState& model, const Platform& platform,
                             const OutputControls& controls, std::function<ShapeValues()> shape,
                             const AppearanceSource& appearance)
    : model_(model), platform_(platform), controls_(controls), shape_(std::move(shape)),
      appearance_(appearance) {}

void OutputActions::RenderOutput() {
    const int size = controls_.outputSize();
    // The picture is sized in twips at the screen's resolution; converting the pixel counts
    // to twips and back gives the same counts, so they are set directly.
    controls_.output->setOuterSize(size + 10, size + 26);
    const float viewWidth = float(controls_.view->innerWidth());
    if (viewWidth == 0.0f)
        throw ComputationError("the view has no width to scale from");
    model_.outputScale = float(controls_.output->innerWidth()) / viewWidth;
    ScaleToOutput();
}

void OutputActions::ScaleToOutput() {
    const ShapeValues shape = shape_();
    const int lastRing = HighestRing(model_.currentBody, shape.levels);
    const float scale = model_.outputScale;
    for (int r = 0; r <= lastRing; ++r) {
        for (int c = 0; c <= shape.corners; ++c) {
            model_.outputPoints.at(r, c, 0) = model_.viewPoints.at(r, c, 0) * scale;
            model_.outputPoints.at(r, c, 2) = model_.viewPoints.at(r, c, 2) * scale;
        }
    }
    for (int a = 0; a < 2; ++a) {
        model_.outputApex[a][0] = scale * model_.viewApex[a][0];
        model_.outputApex[a][2] = scale * model_.viewApex[a][2];
    }
    DrawOutput();
}

void OutputActions::DrawOutput() {
    // Taking the view's background also clears the picture.
    controls_.output->setBackColor(controls_.view->backColor());
    if (controls_.output->image().isNull())
        return; // its pixels could not be allocated; the write that asked for it fails
    PaintBodyOnPicture(*controls_.output, model_, shape_(), model_.outputPoints, model_.outputApex,
                       appearance_);
}

std::optional<QString> OutputActions::chooseFile() {
    const std::optional<SaveChoice> chosen = platform_.saveDialog->choose(
        controls_.window, dialogFileName_, FilterTexts(), kBitmapFilter);
    if (!chosen)
        return std::nullopt;
    dialogFileName_ = chosen->path;
    dialogFilter_ = chosen->filter;
    return chosen->path;
}

PictureFormat OutputActions::formatFor(const QString& path) const {
    if (const std::optional<PictureFormat> named = FormatOfName(path))
        return *named;
    const bool noExtension = QFileInfo(path).suffix().isEmpty();
    if (noExtension && dialogFilter_ >= 0 && dialogFilter_ < int(std::size(kFileFilters)) &&
        kFileFilters[dialogFilter_].format)
        return *kFileFilters[dialogFilter_].format;
    return PictureFormat::Bmp;
}

void OutputActions::paintPicture(QPaintDevice* device) {
    PictureBox& output = *controls_.output;
    const ShapeValues shape = shape_();
    PaintPictureOn(device, output.image().size(), output.backColor(), [&](DrawingSurface& surface) {
        PaintBody(surface,
                  BodyPaintInput(model_, shape.corners, shape.levels, model_.outputPoints,
                                 model_.outputApex),
                  appearance_, model_.polyPoints);
    });
}

QByteArray OutputActions::encodePicture(PictureFormat format) {
    const QImage& image = controls_.output->image();
    // The output picture stays null when its pixels could not be allocated.
    if (image.isNull())
        throw std::bad_alloc();
    const QString title = QString::fromUtf8(kBodyNames[model_.currentBody]);
    const PicturePainter paint = [this](QPaintDevice* device) { paintPicture(device); };
    switch (format) {
    case PictureFormat::Png:
        return EncodePng(image);
    case PictureFormat::Svg:
        return EncodeSvg(image.size(), QStringLiteral("SOLIFA"), title, paint);
    case PictureFormat::Pdf:
        return EncodePdf(image.size(), title, paint);
    case PictureFormat::Gif:
        return EncodeGif({image}, 0, pictureColours());
    case PictureFormat::Bmp:
        break;
    }
    return EncodeBitmap(image);
}

std::optional<QString> OutputActions::writePicture(const QString& path) {
    QString reason;
    try {
        RenderOutput();
        const QByteArray bytes = encodePicture(formatFor(path));
        if (bytes.isEmpty())
            reason = texts::Q(texts::kNotEncoded);
        else if (WriteFileBytes(bytes, path, &reason))
            return std::nullopt;
    } catch (const std::bad_alloc&) {
        // The picture or its encoding did not fit into memory: the old file stays, and the
        // window goes on.
        reason = QString::fromStdString(WriteFailureReason(ENOMEM, ReasonLanguage::German));
    }
    return FileWriteFailedMessage(path, reason);
}

const QImage& OutputActions::renderFrame() {
    RenderOutput();
    const QImage& image = controls_.output->image();
    if (image.isNull())
        throw std::bad_alloc();
    return image;
}

std::vector<QRgb> OutputActions::pictureColours() const {
    return PictureColours(controls_.output->backColor(), appearance_);
}

QByteArray OutputActions::drawingSvg() {
    const QImage& image = controls_.output->image();
    return EncodeSvg(image.size(), QStringLiteral("SOLIFA"),
                     QString::fromUtf8(kBodyNames[model_.currentBody]),
                     [this](QPaintDevice* device) { paintPicture(device); });
}

bool OutputActions::writeAndReport(const QString& path) {
    if (const std::optional<QString> failure = writePicture(path)) {
        platform_.messageBox->error(controls_.window, texts::Q(texts::kFileAction), *failure);
        return false;
    }
    platform_.messageBox->information(controls_.window, texts::Q(texts::kFileAction),
                                      FileCreatedMessage(path));
    return true;
}

void OutputActions::copyToClipboard() {
    platform_.clipboard->clear();
    RenderOutput();
    // The bitmap first, and beside it the drawing, for programs that take vector graphics.
    if (!platform_.clipboard->setImage(controls_.output->image(), drawingSvg())) {
        platform_.messageBox->error(controls_.window, texts::Q(texts::kClipboardTitle),
                                    texts::Q(texts::kClipboardFailed));
        return;
    }
    platform_.messageBox->information(controls_.window, texts::Q(texts::kClipboardTitle),
                                      texts::Q(texts::kClipboardDone));
}

void OutputActions::print() {
    // Drawn before the dialog: a cancelled print still leaves a fresh output picture.
    RenderOutput();
    const std::unique_ptr<QPrinter> printer = platform_.printerDialog->choose(controls_.window);
    if (!printer)
        return;
    // The picture is printed at the size it has on the display.
    const ScreenMetrics& screen = *platform_.screen;
    PictureBox& output = *controls_.output;
    const QSizeF size(CentimetresFromTwips(output.width() * screen.twipsPerPixelX()),
                      CentimetresFromTwips(output.height() * screen.twipsPerPixelY()));
    PrintPicturePage(*printer, output.image(), size);
}

} // namespace solifa
