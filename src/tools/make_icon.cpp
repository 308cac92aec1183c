// Writes the program's icon, the logo drawn by the body painter, as a PNG file.
// Usage: make_icon SIZE FILE
#include <QBuffer>
#include <QImage>
#include <QString>
#include <cstdio>

#include "dialogs/logo.h"
#include "output/safe_write.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: make_icon SIZE FILE\n");
        return 2;
    }
    const int size = QString::fromLocal8Bit(argv[1]).toInt();
    const QImage logo = solifa::DrawLogo(size);
    QByteArray png;
    QBuffer buffer(&png);
    if (logo.isNull() || !buffer.open(QIODevice::WriteOnly) || !logo.save(&buffer, "PNG")) {
        std::fprintf(stderr, "make_icon: cannot draw the logo at %s pixels\n", argv[1]);
        return 1;
    }
    if (const int error =
            solifa::WriteFileSafely(argv[2], png.constData(), std::size_t(png.size()))) {
        std::fprintf(stderr, "make_icon: cannot write %s: %s\n", argv[2],
                     solifa::WriteFailureReason(error, solifa::ReasonLanguage::English).c_str());
        return 1;
    }
    return 0;
}
