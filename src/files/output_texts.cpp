#include "files/output_texts.h"

#include <QFile>
#include <QFileInfo>

#include "files/safe_write.h"

namespace solifa {
namespace {

const QString kCrLf = QStringLiteral("\r\n");
constexpr int kLongPath = 40;

// Puts `marker` where a series inserts its frame number.
QString InsertBeforeExtension(const QString& path, const QString& marker) {
    if (!QFileInfo(path).fileName().contains(QLatin1Char('.')) || path.size() < 4)
        return path + marker;
    return path.left(path.size() - 4) + marker + path.right(4);
}

// A long path goes on a line of its own, framed by a blank on each side.
QString FramedIfLong(const QString& path, const QString& shown) {
    if (path.size() > kLongPath)
        return QStringLiteral(" ") + kCrLf + shown + kCrLf + QStringLiteral(" ");
    return shown;
}

} // namespace

QString CaptionAfterWriting(const QString& path) {
    return QStringLiteral("SOLIFA V1.0    ") + QFileInfo(path).absolutePath();
}

QString FileCreatedMessage(const QString& path) {
    return QStringLiteral("Die Datei ") + FramedIfLong(path, path) +
           QStringLiteral(" wurde erzeugt!");
}

QString SeriesCreatedMessage(int frameCount, const QString& path) {
    return QStringLiteral(" %1 Dateien ").arg(frameCount) +
           FramedIfLong(path, SeriesSummaryName(path)) + QStringLiteral(" wurden erzeugt!");
}

QString FrameSeriesFileName(const QString& path, int k) {
    return InsertBeforeExtension(path, QStringLiteral("_%1").arg(k, 2, 10, QLatin1Char('0')));
}

QString SeriesSummaryName(const QString& path) {
    return InsertBeforeExtension(path, QStringLiteral("_xy"));
}

bool WriteFileBytes(const QByteArray& bytes, const QString& path, QString* reason) {
    const int error = WriteFileSafely(QFile::encodeName(path).toStdString(), bytes.constData(),
                                      std::size_t(bytes.size()));
    if (error == 0)
        return true;
    if (reason)
        *reason = QString::fromStdString(WriteFailureReason(error, ReasonLanguage::German));
    return false;
}

QString FileWriteFailedMessage(const QString& path, const QString& reason) {
    return QStringLiteral("Die Datei %1 konnte nicht geschrieben werden.\r\n%2").arg(path, reason);
}

} // namespace solifa
