#pragma once
// Writing a picture's file: the Windows bitmap encoder, and the window's way of putting any
// file's bytes in place with a German reason when it fails.
#include <QImage>
#include <QString>

namespace solifa {

// Writes `bytes` to `path`, replacing an existing file through the safe write path: the old file
// stays untouched unless the new one was written completely; a device or FIFO is written in
// place. On failure returns false and puts the German reason into `reason`.
bool WriteFileBytes(const QByteArray& bytes, const QString& path, QString* reason);

// The picture as the bytes of a 24-bit Windows bitmap file, rows bottom-up. Throws
// std::bad_alloc when memory runs out, and for a null image, which is one whose pixels could not
// be allocated.
QByteArray EncodeBitmap(const QImage& image);

} // namespace solifa
