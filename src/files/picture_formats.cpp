#include "files/picture_formats.h"

#include <QFileInfo>
#include <QStringList>

#include "files/bitmap_file.h"
#include "files/picture_files.h"
#include "files/tikz_file.h"

namespace solifa {
namespace {

QByteArray BitmapOf(const PictureSource& s) {
    return EncodeBitmap(s.image());
}

QByteArray PngOf(const PictureSource& s) {
    return EncodePng(s.image());
}

// The picture painted on a vector page.
PicturePainter PageOf(const PictureSource& s) {
    return [&s](QPaintDevice* device) {
        PaintPictureOn(device, s.size, s.background, s.drawBody, s.lineWidth);
    };
}

QByteArray SvgOf(const PictureSource& s) {
    return EncodeSvg(s.size, QStringLiteral("SOLIFA"), s.body, PageOf(s));
}

QByteArray PdfOf(const PictureSource& s) {
    return EncodePdf(s.size, s.body, PageOf(s));
}

// A single picture is a GIF of one frame that is never replaced.
QByteArray GifOf(const PictureSource& s) {
    return EncodeGif({s.image()}, 0, s.palette);
}

QByteArray TexOf(const PictureSource& s) {
    return EncodeTikz(s, TikzKind::Document);
}

QByteArray TikzOf(const PictureSource& s) {
    return EncodeTikz(s, TikzKind::Picture);
}

} // namespace

const std::vector<PictureFormatInfo>& PictureFormats() {
    static const std::vector<PictureFormatInfo> formats = {
        {PictureFormat::Bmp, "bmp", "Bitmap", true, BitmapOf, false, false},
        {PictureFormat::Png, "png", "PNG-Bild", false, PngOf, false, false},
        {PictureFormat::Svg, "svg", "SVG-Grafik", false, SvgOf, true, false},
        {PictureFormat::Pdf, "pdf", "PDF-Dokument", false, PdfOf, true, false},
        {PictureFormat::Gif, "gif", "GIF-Animation", false, GifOf, false, true},
        {PictureFormat::Tex, "tex", "TikZ-Grafik für LaTeX", false, TexOf, false, false},
        {PictureFormat::Tikz, "tikz", "TikZ-Bild zum Einbinden", false, TikzOf, false, false},
    };
    return formats;
}

const PictureFormatInfo& FormatInfo(PictureFormat format) {
    for (const PictureFormatInfo& info : PictureFormats())
        if (info.format == format)
            return info;
    return PictureFormats().front();
}

std::optional<PictureFormat> FormatOfName(const QString& path) {
    return FormatOfExtension(QFileInfo(path).suffix());
}

std::optional<PictureFormat> FormatOfExtension(const QString& extension) {
    for (const PictureFormatInfo& info : PictureFormats())
        if (extension.compare(QLatin1String(info.extension), Qt::CaseInsensitive) == 0)
            return info.format;
    return std::nullopt;
}

QString FilterText(const PictureFormatInfo& info) {
    const QString pattern = QStringLiteral("*.") + QLatin1String(info.extension);
    QStringList patterns;
    if (info.upperCasePatternToo)
        patterns << pattern.toUpper();
    patterns << pattern;
    return QString::fromUtf8(info.filterLabel) + QStringLiteral(" (") + patterns.join(' ') + ')';
}

std::string FormatNames(const std::string& separator, const std::string& prefix) {
    std::string names;
    for (const PictureFormatInfo& info : PictureFormats())
        names += (names.empty() ? "" : separator) + prefix + info.extension;
    return names;
}

QByteArray EncodePicture(PictureFormat format, const PictureSource& source) {
    return FormatInfo(format).encode(source);
}

} // namespace solifa
