#pragma once
// The texts and file names of the bitmap output: confirmation messages, the numbered names of
// a frame series and the caption after writing.
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

} // namespace solifa
