#pragma once
// The names of the files a frame series writes, shared by the window and the renderer, and
// writing a file by its name with the reason of a failure in German.
#include <QByteArray>
#include <QString>

namespace solifa {

// Name of frame file k (1-based) of a series: "_" and two digits before the last four
// characters (the extension with its dot), or before a picture format's longer extension; a
// name without an extension gets them at its end.
QString FrameSeriesFileName(const QString& path, int k);

// The series named as a whole in the end message: "_xy" where the frame number would stand.
QString SeriesSummaryName(const QString& path);

// Why a write failed with the error number `error`, in German.
QString WriteFailureText(int error);

// Writes `bytes` to `path`, replacing an existing file through the safe write path: the old file
// stays untouched unless the new one was written completely; a device or FIFO is written in
// place. On failure returns false and puts the German reason into `reason`.
bool WriteFileBytes(const QByteArray& bytes, const QString& path, QString* reason);

} // namespace solifa
