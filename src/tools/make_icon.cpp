// Writes the program's icon, the logo drawn by the body painter: a PNG of SIZE x SIZE pixels,
// or, for a FILE ending in .svg, a drawing of that size that scales.
// Usage: make_icon SIZE FILE
#include <QByteArray>
#include <QImage>
#include <QString>
#include <cstdio>

#include "app/dialogs/logo.h"
#include "files/picture_files.h"
#include "files/safe_write.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: make_icon SIZE FILE\n");
        return 2;
    }
    const int size = QString::fromLocal8Bit(argv[1]).toInt();
    const bool drawing =
        solifa::FormatOfName(QString::fromLocal8Bit(argv[2])) == solifa::PictureFormat::Svg;
    const QByteArray bytes =
        size <= 0 ? QByteArray()
        : drawing
            ? solifa::EncodeSvg(QSize(size, size), QStringLiteral("SOLIFA"),
                                QStringLiteral("Würfel"),
                                [size](QPaintDevice* device) { solifa::PaintLogo(device, size); })
            : solifa::EncodePng(solifa::DrawLogo(size));
    if (bytes.isEmpty()) {
        std::fprintf(stderr, "make_icon: cannot draw the logo at %s pixels\n", argv[1]);
        return 1;
    }
    if (const int error =
            solifa::WriteFileSafely(argv[2], bytes.constData(), std::size_t(bytes.size()))) {
        std::fprintf(stderr, "make_icon: cannot write %s: %s\n", argv[2],
                     solifa::WriteFailureReason(error, solifa::ReasonLanguage::English).c_str());
        return 1;
    }
    return 0;
}
