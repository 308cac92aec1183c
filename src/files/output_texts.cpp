#include "files/output_texts.h"

#include <QFile>
#include <QFileInfo>

#include "files/picture_formats.h"
#include "files/safe_write.h"

namespace solifa {
namespace {

// Puts `marker` where a series inserts its frame number: before the last four characters, the
// dot and three letters of most extensions; before the whole extension of a picture format
// with a longer one (".tikz").
QString InsertBeforeExtension(const QString& path, const QString& marker) {
    if (!QFileInfo(path).fileName().contains(QLatin1Char('.')) || path.size() < 4)
        return path + marker;
    const qsizetype tail = FormatOfName(path) ? QFileInfo(path).suffix().size() + 1 : 4;
    return path.left(path.size() - tail) + marker + path.right(tail);
}

} // namespace

QString FrameSeriesFileName(const QString& path, int k) {
    return InsertBeforeExtension(path, QStringLiteral("_%1").arg(k, 2, 10, QLatin1Char('0')));
}

QString SeriesSummaryName(const QString& path) {
    return InsertBeforeExtension(path, QStringLiteral("_xy"));
}

QString WriteFailureText(int error) {
    return QString::fromStdString(WriteFailureReason(error, ReasonLanguage::German));
}

bool WriteFileBytes(const QByteArray& bytes, const QString& path, QString* reason) {
    const int error = WriteFileSafely(QFile::encodeName(path).toStdString(), bytes.constData(),
                                      std::size_t(bytes.size()));
    if (error == 0)
        return true;
    if (reason)
        *reason = WriteFailureText(error);
    return false;
}

} // namespace solifa
