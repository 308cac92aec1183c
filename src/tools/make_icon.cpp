// Writes the program's icon, the logo drawn by the body painter, as a PNG file.
// Usage: make_icon SIZE FILE
#include <QImage>
#include <QString>
#include <cstdio>

#include "dialogs/logo.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: make_icon SIZE FILE\n");
        return 2;
    }
    const int size = QString::fromLocal8Bit(argv[1]).toInt();
    const QImage logo = solifa::DrawLogo(size);
    if (logo.isNull() || !logo.save(QString::fromLocal8Bit(argv[2]), "PNG")) {
        std::fprintf(stderr, "make_icon: cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
