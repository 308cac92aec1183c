#include "output/bitmap_file.h"

#include <QDir>
#include <QFileInfo>
#include <QImageWriter>
#include <QSaveFile>

namespace solifa {
namespace {

QString GermanReason(const QFileDevice& file) {
    switch (file.error()) {
    case QFileDevice::PermissionsError:
    case QFileDevice::OpenError:
        return QStringLiteral("Keine Berechtigung zum Schreiben in diesen Ordner.");
    case QFileDevice::ResourceError:
        return QStringLiteral("Auf dem Datenträger ist nicht genug Platz.");
    case QFileDevice::WriteError:
        return QStringLiteral("Fehler beim Schreiben auf den Datenträger.");
    default:
        return QStringLiteral("Die Datei konnte nicht geschrieben werden (%1).")
            .arg(file.errorString());
    }
}

} // namespace

bool WriteBitmapFile(const QImage& image, const QString& path, QString* reason) {
    const QFileInfo info(path);
    QString why;
    if (info.isDir()) {
        why = QStringLiteral("Der Name bezeichnet einen Ordner.");
    } else if (!info.absoluteDir().exists()) {
        why = QStringLiteral("Der Ordner existiert nicht.");
    } else {
        // Written to a temporary file first and renamed at the end, so a full disk or a
        // broken write never destroys the file that was there before.
        QSaveFile file(path);
        if (!file.open(QIODevice::WriteOnly)) {
            why = GermanReason(file);
        } else {
            QImageWriter writer(&file, "BMP");
            if (!writer.write(image.convertToFormat(QImage::Format_RGB888))) {
                why = writer.error() == QImageWriter::DeviceError
                          ? GermanReason(file)
                          : QStringLiteral("Die Bilddaten konnten nicht geschrieben werden.");
                file.cancelWriting();
            } else if (!file.commit()) {
                why = GermanReason(file);
            } else {
                return true;
            }
        }
    }
    if (reason)
        *reason = why;
    return false;
}

QString BitmapWriteFailedMessage(const QString& path, const QString& reason) {
    return QStringLiteral("Die Datei %1 konnte nicht geschrieben werden.\r\n%2").arg(path, reason);
}

} // namespace solifa
