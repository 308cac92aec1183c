#pragma once
// The picture formats, one row each: what a file is called, how the window's save dialog and
// the renderer name it, and how it is encoded. The window and the renderer read everything
// they know of a format from here, so a new format is one row and its encoder.
#include <QByteArray>
#include <QImage>
#include <QRgb>
#include <QSize>
#include <QString>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/corner_names.h"
#include "core/surface.h"

class QPaintDevice;

namespace solifa {

enum class PictureFormat { Bmp, Png, Svg, Pdf, Gif, Tex, Tikz };

// Paints a picture onto a paint device: an image of the picture's size or a vector page.
using PicturePainter = std::function<void(QPaintDevice*)>;

// One picture as an encoder takes it: its size, the name of the body it shows, the picture as
// an image, and the colours it can contain; for the vector formats the body drawn onto a
// surface, over the background, in lines lineWidth pixels wide, and its corners by name.
struct PictureSource {
    QSize size;
    QString body;
    std::function<QImage()> image;
    std::vector<QRgb> palette;
    std::function<void(DrawingSurface&)> drawBody;
    ColorRef background = 0;
    int lineWidth = 1;
    std::function<std::vector<NamedCorner>()> corners = {};
};

// The bytes of a file holding the picture; empty when it cannot be encoded. Throws
// std::bad_alloc when memory runs out.
using PictureEncoder = QByteArray (*)(const PictureSource& source);

struct PictureFormatInfo {
    PictureFormat format;
    // Without the dot, in lower case; it names files of the format and is the name the
    // renderer's --format takes.
    const char* extension;
    // The save dialog's filter is the label and the extension's pattern; the bitmap's lists
    // the upper-case pattern first, as the filters of old Windows programs did.
    const char* filterLabel;
    bool upperCasePatternToo;
    PictureEncoder encode;
    bool vectorDrawing; // painted through Qt's SVG or PDF generator (TikZ is written as text)
    bool animates;      // a turn goes into one file rather than a numbered series
};

// Every format, in the order the save dialog lists them.
const std::vector<PictureFormatInfo>& PictureFormats();

const PictureFormatInfo& FormatInfo(PictureFormat format);

// The format a file name asks for by its extension, in any letter case; nullopt for a name
// without one of the table's extensions.
std::optional<PictureFormat> FormatOfName(const QString& path);
// The format of an extension without its dot ("png", "PDF"), in any letter case.
std::optional<PictureFormat> FormatOfExtension(const QString& extension);

// The save dialog's filter of a format: "PNG-Bild (*.png)".
QString FilterText(const PictureFormatInfo& info);

// The canonical extensions joined: "bmp|png|..." with separator "|" and prefix "".
std::string FormatNames(const std::string& separator, const std::string& prefix = "");

// The picture in the format; the one path both the window and the renderer encode through.
QByteArray EncodePicture(PictureFormat format, const PictureSource& source);

} // namespace solifa
