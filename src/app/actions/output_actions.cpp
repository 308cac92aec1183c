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
#include "files/output_texts.h"
#include "files/safe_write.h"
#include "qtpaint/qt_painter_surface.h"
#include "widgets/picture_box.h"

namespace solifa {
namespace {

// The save dialog's filters: every file first, its pattern "*" lists names without an
// extension too, then one per picture format. The bitmap filter is preselected.
constexpr int kFirstFormatFilter = 1;

QStringList FilterTexts() {
    QStringList texts{QStringLiteral("Alle Dateien (*)")};
    for (const PictureFormatInfo& info : PictureFormats())
        texts << FilterText(info);
    return texts;
}

// The place of a format's filter among FilterTexts.
int FilterOf(PictureFormat format) {
    return kFirstFormatFilter + int(&FormatInfo(format) - PictureFormats().data());
}

// The body of the record with the given points and apexes, in the look's outlines.
PaintInput LookPaintInput(const ModelState& model, const ShapeValues& shape,
                          const Grid3<float>& points, const float (*apex)[3],
                          const LineLook& look) {
    PaintInput in = BodyPaintInput(model, shape.corners, shape.levels, points, apex);
    in.smooth = look.smooth;
    return in;
}

} // namespace

void PaintBodyOnPicture(PictureBox& picture, ModelState& model, const ShapeValues& shape,
                        const Grid3<float>& points, const float (*apex)[3],
                        const AppearanceSource& appearance, const LineLook& look) {
    QtPainterSurface surface(&picture.image(), look.lineWidth);
    PaintBody(surface, LookPaintInput(model, shape, points, apex, look), appearance,
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
                       appearance_, look());
}

std::optional<QString> OutputActions::chooseFile() {
    const std::optional<SaveChoice> chosen = platform_.saveDialog->choose(
        controls_.window, dialogFileName_, FilterTexts(), FilterOf(PictureFormat::Bmp));
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
    const int row = dialogFilter_ - kFirstFormatFilter;
    if (noExtension && row >= 0 && row < int(PictureFormats().size()))
        return PictureFormats()[std::size_t(row)].format;
    return PictureFormat::Bmp;
}

PaintInput OutputActions::outputPaintInput() const {
    return LookPaintInput(model_, shape_(), model_.outputPoints, model_.outputApex, look());
}

PictureSource OutputActions::pictureSource() {
    const QImage& image = controls_.output->image();
    return {image.size(),
            QString::fromUtf8(kBodyNames[model_.currentBody]),
            [&image] { return image; },
            pictureColours(),
            [this](DrawingSurface& surface) {
                PaintBody(surface, outputPaintInput(), appearance_, model_.polyPoints);
            },
            controls_.output->backColor(),
            look().lineWidth,
            [this] { return NamedCorners(outputPaintInput()); }};
}

QByteArray OutputActions::encodePicture(PictureFormat format) {
    // The output picture stays null when its pixels could not be allocated.
    if (controls_.output->image().isNull())
        throw std::bad_alloc();
    return EncodePicture(format, pictureSource());
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
        reason = OutOfMemoryReason();
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
    return EncodePicture(PictureFormat::Svg, pictureSource());
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
