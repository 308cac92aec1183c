#pragma once
// The window's messages about the files it writes, and its caption after writing, made of the
// texts of app/texts.h.
#include <QString>

namespace solifa {

// Window caption after a file or series was written: the program's name and the file's folder.
QString CaptionAfterWriting(const QString& path);

// "Die Datei <path> wurde erzeugt!"; a long path stands on its own line.
QString FileCreatedMessage(const QString& path);

// " N Dateien <summary> wurden erzeugt!" with the same rule for long paths, tested on the path.
QString SeriesCreatedMessage(int frameCount, const QString& path);

// Why a file was not written when memory ran out, in the words of every other write failure.
QString OutOfMemoryReason();

// The message for a file that could not be written, with the reason on a line of its own.
QString FileWriteFailedMessage(const QString& path, const QString& reason);

} // namespace solifa
