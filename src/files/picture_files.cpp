#include "files/picture_files.h"

#include <QBuffer>
#include <QImageWriter>
#include <QPageLayout>
#include <QPageSize>
#include <QPagedPaintDevice>
#include <QPdfWriter>
#include <QRegularExpression>
#include <QSvgGenerator>
#include <algorithm>
#include <cmath>
#include <new>
#include <utility>

#include "core/edge_drawing.h"
#include "files/gif_writer.h"
#include "qtpaint/qt_painter_surface.h"

namespace solifa {

QByteArray EncodePng(const QImage& image) {
    if (image.isNull())
        throw std::bad_alloc();
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "PNG");
    // A picture in memory going into memory fails to encode only when memory runs out.
    if (!writer.write(image))
        throw std::bad_alloc();
    return bytes;
}

namespace {

// The generator gives the drawing's width and height in millimetres to six significant digits,
// which some readers round up to a pixel more than the picture has. The same size in CSS
// pixels, each 1/96 inch, is exact: the root element's two values are replaced.
QByteArray WithPixelSize(QByteArray svg, QSize size) {
    const qsizetype start = svg.indexOf("<svg");
    const qsizetype end = start < 0 ? -1 : svg.indexOf('>', start);
    if (end < 0)
        return svg;
    QString root = QString::fromUtf8(svg.mid(start, end - start));
    for (const auto& [name, pixels] : {std::pair{QStringLiteral("width"), size.width()},
                                       std::pair{QStringLiteral("height"), size.height()}})
        root.replace(QRegularExpression(QStringLiteral("(\\s)%1=\"[^\"]*\"").arg(name)),
                     QStringLiteral("\\1%1=\"%2px\"").arg(name).arg(pixels));
    return svg.replace(start, end - start, root.toUtf8());
}

} // namespace

QByteArray EncodeSvg(QSize size, const QString& title, const QString& description,
                     const PicturePainter& paint) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    {
        QSvgGenerator svg;
        svg.setOutputDevice(&buffer);
        svg.setSize(size);
        svg.setViewBox(QRect(QPoint(0, 0), size));
        svg.setResolution(kVectorPixelsPerInch);
        svg.setTitle(title);
        svg.setDescription(description);
        paint(&svg);
    }
    return WithPixelSize(bytes, size);
}

QByteArray EncodePdf(QSize size, const QString& title, const PicturePainter& paint) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter pdf(&buffer);
        // A picture pixel is a pixel of a display at 96 per inch, as in the SVG: the page is
        // exactly the picture, and both files have the same size on paper.
        // A PDF page measures whole points, so a picture whose size is not a whole number of
        // points gets a page up to a point larger, which its background fills.
        pdf.setResolution(kVectorPixelsPerInch);
        const QSize points(int(std::ceil(size.width() * 72.0 / kVectorPixelsPerInch)),
                           int(std::ceil(size.height() * 72.0 / kVectorPixelsPerInch)));
        pdf.setPageLayout(
            QPageLayout(QPageSize(points, QPageSize::Point, QString(), QPageSize::ExactMatch),
                        QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
        pdf.setCreator(QStringLiteral("SOLIFA"));
        pdf.setTitle(title);
        paint(&pdf);
    }
    return bytes;
}

QByteArray EncodeGif(const std::vector<QImage>& frames, int delayCentiseconds,
                     const std::vector<QRgb>& palette, std::string* why) {
    if (frames.empty())
        return {};
    if (frames.front().isNull())
        throw std::bad_alloc();
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    const auto frame = [&frames](std::size_t k) { return frames[k]; };
    if (WriteGif(&buffer, frames.front().size(), frames.size(), frame, delayCentiseconds, palette,
                 why))
        return bytes;
    return {};
}

bool WriteGif(QIODevice* device, QSize size, std::size_t count,
              const std::function<QImage(std::size_t)>& frame, int delayCentiseconds,
              const std::vector<QRgb>& palette, std::string* why) {
    GifWriter gif(device, size.width(), size.height(), palette);
    for (std::size_t k = 0; k < count; ++k)
        if (!gif.addFrame(frame(k), delayCentiseconds))
            break;
    if (gif.finish())
        return true;
    if (gif.outOfMemory())
        throw std::bad_alloc();
    if (why)
        *why = gif.errorString();
    return false;
}

std::vector<QRgb> PictureColours(ColorRef background, const AppearanceSource& appearance) {
    const FaceGroupStyle back = appearance.group(0);
    const FaceGroupStyle front = appearance.group(1);
    const CapStyle caps = appearance.caps();
    const ColorRef all[] = {background,      back.faceColor, back.lineColor, front.faceColor,
                            front.lineColor, caps.color[0],  caps.color[1]};
    std::vector<QRgb> colours;
    for (ColorRef c : all) {
        const QRgb rgb = ToQColor(c).rgb();
        if (std::find(colours.begin(), colours.end(), rgb) == colours.end())
            colours.push_back(rgb);
    }
    return colours;
}

void PaintPictureOn(QPaintDevice* device, QSize size, ColorRef background,
                    const std::function<void(DrawingSurface&)>& body, int lineWidth) {
    if (device->devType() == QInternal::Image) {
        static_cast<QImage*>(device)->fill(ToQColor(background));
        QtPainterSurface surface(device, lineWidth);
        body(surface);
        surface.end();
        return;
    }
    QtPainterSurface surface(device, lineWidth);
    // A PDF page measures whole points and so may end a fraction of a pixel beyond the picture;
    // the background reaches over that fraction too.
    QSizeF page(device->width(), device->height());
    if (const auto* paged = dynamic_cast<const QPagedPaintDevice*>(device)) {
        const QSizeF points = paged->pageLayout().fullRect(QPageLayout::Point).size();
        page = QSizeF(points.width() * device->logicalDpiX() / 72.0,
                      points.height() * device->logicalDpiY() / 72.0);
    }
    const int w = std::max(size.width(), int(std::ceil(page.width())));
    const int h = std::max(size.height(), int(std::ceil(page.height())));
    const PolyPoint square[4] = {{0, 0}, {w, 0}, {w, h}, {0, h}};
    surface.setFillStyle(0);
    surface.setFillColor(background);
    surface.setForeColor(background);
    surface.setDrawStyle(Solid);
    surface.setPolyFillMode(1);
    surface.polygon(square, 4);
    // The painter outlines every face on its own; the page gets each edge once.
    EdgeCollector collector;
    body(collector);
    for (const DrawStep& step : collector.steps()) {
        if (const auto* fill = std::get_if<DrawnFill>(&step)) {
            surface.setFillStyle(0);
            surface.setFillColor(fill->color);
            surface.setPolyFillMode(fill->polyFillMode);
            surface.fillPolygon(fill->corners.data(), int(fill->corners.size()));
        } else {
            const DrawnEdge& edge = std::get<DrawnEdge>(step);
            const PolyPoint ends[2] = {edge.from, edge.to};
            surface.setForeColor(edge.color);
            surface.setDrawStyle(edge.style);
            surface.polyline(ends, 2);
        }
    }
    surface.end();
}

} // namespace solifa
