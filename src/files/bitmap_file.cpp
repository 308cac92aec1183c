#include "files/bitmap_file.h"

#include <QFile>
#include <QtEndian>
#include <new>

#include "files/safe_write.h"

namespace solifa {
namespace {

void PutLE32(char* at, quint32 v) {
    qToLittleEndian(v, at);
}
void PutLE16(char* at, quint16 v) {
    qToLittleEndian(v, at);
}

} // namespace

QByteArray EncodeBitmap(const QImage& source) {
    const QImage image = source.convertToFormat(QImage::Format_RGB32);
    // A picture of no pixels is one that could not be allocated, not a bitmap to write.
    if (image.isNull())
        throw std::bad_alloc();
    const int w = image.width();
    const int h = image.height();
    const int rowBytes = (w * 3 + 3) & ~3; // rows are padded to whole 32-bit words
    constexpr int kHeader = 14 + 40;
    QByteArray out(kHeader + qsizetype(rowBytes) * h, '\0');
    char* d = out.data();
    d[0] = 'B';
    d[1] = 'M';
    PutLE32(d + 2, quint32(out.size()));
    PutLE32(d + 10, kHeader);
    PutLE32(d + 14, 40);
    PutLE32(d + 18, quint32(w));
    PutLE32(d + 22, quint32(h)); // positive height: the rows are stored bottom-up
    PutLE16(d + 26, 1);
    PutLE16(d + 28, 24);
    PutLE32(d + 34, quint32(rowBytes) * quint32(h));
    PutLE32(d + 38, 3780); // 96 pixels per inch
    PutLE32(d + 42, 3780);
    for (int y = 0; y < h; ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(h - 1 - y));
        auto* row = reinterpret_cast<uchar*>(d + kHeader + qsizetype(rowBytes) * y);
        for (int x = 0; x < w; ++x) {
            row[3 * x] = uchar(qBlue(line[x]));
            row[3 * x + 1] = uchar(qGreen(line[x]));
            row[3 * x + 2] = uchar(qRed(line[x]));
        }
    }
    return out;
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

} // namespace solifa
