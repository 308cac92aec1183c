// The bitmap encoder: every row width pads correctly and the pixels read back unchanged.
#include <QBuffer>
#include <QImage>
#include <QImageReader>
#include <gtest/gtest.h>

#include "files/bitmap_file.h"

namespace solifa {
namespace {

TEST(BitmapEncoding, EveryRowPaddingReadsBackPixelForPixel) {
    for (int width : {1, 2, 3, 4, 5, 38, 219}) {
        QImage image(width, 7, QImage::Format_RGB32);
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < width; ++x)
                image.setPixel(x, y, qRgb(x * 37 % 256, y * 51 % 256, (x + y) * 13 % 256));
        QByteArray bytes = EncodeBitmap(image);
        ASSERT_TRUE(bytes.startsWith("BM"));
        EXPECT_EQ(bytes.size(), 54 + ((width * 3 + 3) & ~3) * 7) << width;
        QBuffer buffer(&bytes);
        QImageReader reader(&buffer, "BMP");
        const QImage back = reader.read();
        ASSERT_FALSE(back.isNull()) << width;
        EXPECT_EQ(back.convertToFormat(QImage::Format_RGB32), image) << width;
    }
}

} // namespace
} // namespace solifa
