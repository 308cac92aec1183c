#pragma once
// The formats a picture goes out in, for the window and the renderer alike: a Windows bitmap,
// a PNG, vector drawings in SVG and PDF at 96 pixels per inch, and a looping GIF animation.
// Each is encoded into bytes, which the safe write path then puts in place. The encoders work in
// memory, and like the byte arrays they fill they throw std::bad_alloc when memory runs out; a
// null image, which is what an image becomes whose pixels could not be allocated, counts as that.
#include <QByteArray>
#include <QImage>
#include <QRgb>
#include <QSize>
#include <QString>
#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "core/body_painter.h"
#include "files/picture_formats.h"

class QIODevice;
class QPaintDevice;

namespace solifa {

// A PNG of the image.
QByteArray EncodePng(const QImage& image);

// A vector drawing of a picture of `size` pixels, one pixel 1/96 inch, painted by `paint`.
// The title names the drawing; the SVG's description says which body it shows.
QByteArray EncodeSvg(QSize size, const QString& title, const QString& description,
                     const PicturePainter& paint);
QByteArray EncodePdf(QSize size, const QString& title, const PicturePainter& paint);

// A GIF animation of the frames, all of the first frame's size, that loops forever, each frame
// shown for delayCentiseconds (0 for a still picture). palette lists the colours the frames
// use, at most 256. Empty on another failure than memory, with the reason in *why.
QByteArray EncodeGif(const std::vector<QImage>& frames, int delayCentiseconds,
                     const std::vector<QRgb>& palette, std::string* why = nullptr);

// The same animation of `count` frames of `size`, frame(k) each, written into the device as the
// frames come, so that only one of them need be in memory. False on another failure than memory,
// with the reason in *why.
bool WriteGif(QIODevice* device, QSize size, std::size_t count,
              const std::function<QImage(std::size_t)>& frame, int delayCentiseconds,
              const std::vector<QRgb>& palette, std::string* why = nullptr);

// The distinct colours a picture of this appearance can contain, background first.
std::vector<QRgb> PictureColours(ColorRef background, const AppearanceSource& appearance);

// Paints a picture of `size` pixels onto an image or a vector page: the background, then what
// `body` draws on the surface. An image is filled; a vector page gets one filled square over the
// whole picture, edged in its own colour so that no seam shows. The surface draws its lines
// lineWidth pixels wide.
void PaintPictureOn(QPaintDevice* device, QSize size, ColorRef background,
                    const std::function<void(DrawingSurface&)>& body, int lineWidth = 1);

} // namespace solifa
