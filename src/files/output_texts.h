#pragma once
// The texts and file names of the window's picture output: confirmation and failure messages,
// the numbered names of a frame series, the caption after writing, and writing a file with the
// reason of a failure in German.
#include <QByteArray>
#include <QString>

namespace solifa {

// The file button's caption while the turn stands still, and the title of its messages.
inline const QString kFileActionText = QStringLiteral("Datei erzeugen");

// Window caption after a file or series was written: the program's name and the file's folder.
QString CaptionAfterWriting(const QString& path);

// "Die Datei <path> wurde erzeugt!"; a path longer than 40 characters stands on its own line.
QString FileCreatedMessage(const QString& path);

// " N Dateien <summary> wurden erzeugt!" with the same 40-character rule, tested on the path.
QString SeriesCreatedMessage(int frameCount, const QString& path);

// Name of frame file k (1-based) of a series: "_" and two digits before the last four
// characters (the extension with its dot); a name without an extension gets them at its end.
QString FrameSeriesFileName(const QString& path, int k);

// The series named as a whole in the end message: "_xy" where the frame number would stand.
QString SeriesSummaryName(const QString& path);

// Writes `bytes` to `path`, replacing an existing file through the safe write path: the old file
// stays untouched unless the new one was written completely; a device or FIFO is written in
// place. On failure returns false and puts the German reason into `reason`.
bool WriteFileBytes(const QByteArray& bytes, const QString& path, QString* reason);

// The German message for a file that could not be written.
QString FileWriteFailedMessage(const QString& path, const QString& reason);

} // namespace solifa
