#include "app/actions/messages.h"

#include <QFileInfo>
#include <cerrno>

#include "app/texts.h"
#include "files/output_texts.h"

namespace solifa {
namespace {

const QString kCrLf = QStringLiteral("\r\n");

// A long path goes on a line of its own, framed by a blank on each side.
QString FramedIfLong(const QString& path, const QString& shown) {
    if (path.size() > texts::kLongPath)
        return QStringLiteral(" ") + kCrLf + shown + kCrLf + QStringLiteral(" ");
    return shown;
}

} // namespace

QString CaptionAfterWriting(const QString& path) {
    return texts::Q(texts::kCaptionAfterFile) + QFileInfo(path).absolutePath();
}

QString FileCreatedMessage(const QString& path) {
    return texts::Q(texts::kFileCreatedBefore) + FramedIfLong(path, path) +
           texts::Q(texts::kFileCreatedAfter);
}

QString SeriesCreatedMessage(int frameCount, const QString& path) {
    return texts::Q(texts::kSeriesCreatedBefore).arg(frameCount) +
           FramedIfLong(path, SeriesSummaryName(path)) + texts::Q(texts::kSeriesCreatedAfter);
}

QString OutOfMemoryReason() {
    return WriteFailureText(ENOMEM);
}

QString FileWriteFailedMessage(const QString& path, const QString& reason) {
    return texts::Q(texts::kFileWriteFailed).arg(path, reason);
}

} // namespace solifa
