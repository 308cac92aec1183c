#pragma once
// The desktop's clipboard.

#include <QByteArray>

class QImage;

namespace solifa {

class Clipboard {
public:
    virtual ~Clipboard() = default;
    virtual void clear() = 0;
    // Replaces the clipboard's contents by `image`, and beside it in the same entry `svg` as an
    // SVG drawing (image/svg+xml) when given; false if the clipboard refused the image.
    virtual bool setImage(const QImage& image, const QByteArray& svg = {}) = 0;
};

} // namespace solifa
