#pragma once
// Writing a picture as a Windows bitmap file.
#include <QImage>
#include <QString>

namespace solifa {

// Writes `image` to `path` as a Windows bitmap, whatever the name's extension, replacing an
// existing file through the safe write path: the old file stays untouched unless the new one was
// written completely; a device or FIFO is written in place. On failure returns false and puts the
// German reason into `reason`.
bool WriteBitmapFile(const QImage& image, const QString& path, QString* reason);

// The picture as the bytes of a 24-bit Windows bitmap file, rows bottom-up.
QByteArray EncodeBitmap(const QImage& image);

// The German message for a bitmap that could not be written.
QString BitmapWriteFailedMessage(const QString& path, const QString& reason);

} // namespace solifa
