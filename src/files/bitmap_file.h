#pragma once
// The Windows bitmap encoder.
#include <QImage>

namespace solifa {

// The picture as the bytes of a 24-bit Windows bitmap file, rows bottom-up. Throws
// std::bad_alloc when memory runs out, and for a null image, which is one whose pixels could not
// be allocated.
QByteArray EncodeBitmap(const QImage& image);

} // namespace solifa
