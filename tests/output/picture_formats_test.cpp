// The name decides the format: "Datei erzeugen" writes a PNG, SVG, PDF or GIF when the name
// asks for one, and a Windows bitmap otherwise; a series into a GIF name is one looping
// animation of the very frames a bitmap series writes.
#include <QBuffer>
#include <QFile>
#include <QImageReader>
#include <QSvgRenderer>
#include <gif_lib.h>

#include <memory>
#include <new>

#include "app/actions/messages.h"
#include "files/bitmap_file.h"
#include "files/gif_writer.h"
#include "files/output_texts.h"
#include "files/picture_files.h"
#include "files/picture_formats.h"
#include "output_fixture.h"
#include "support/picture_resolution.h"
#include "widgets/interval_timer.h"

namespace solifa {
namespace {

QByteArray Contents(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

struct NamedFormat {
    const char* name;
    int filter;          // the filter chosen in the dialog; -1 the preselected bitmap filter
    const char* content; // "bmp", "png", "gif", "svg", "pdf", "tex", "tikz"
};

class FileFormat : public OutputTest, public ::testing::WithParamInterface<NamedFormat> {};

TEST_P(FileFormat, FollowsTheNameOrTheChosenFilter) {
    const NamedFormat c = GetParam();
    const QString path = dir.filePath(QString::fromUtf8(c.name));
    fake.saveDialog.answer(path, c.filter);
    form->SSCommand9->click();

    // The file carries exactly the name chosen, and the messages and caption are as ever.
    EXPECT_EQ(filesInDir(), QStringList{QString::fromUtf8(c.name)});
    ASSERT_EQ(fake.messageBox.messages.size(), 1u);
    EXPECT_EQ(fake.messageBox.messages[0].text, FileCreatedMessage(path));
    EXPECT_EQ(form->windowTitle(), "SOLIFA V1.0    " + dir.path());

    const QImage picture = rgb(form->Picture7->image());
    const std::string content = c.content;
    const QByteArray bytes = Contents(path);
    if (content == "svg") {
        QSvgRenderer drawing(bytes);
        ASSERT_TRUE(drawing.isValid());
        EXPECT_EQ(drawing.viewBox(), QRect(QPoint(0, 0), picture.size()));
        EXPECT_FALSE(bytes.contains("<image")) << "a drawing, not a bitmap in a frame";
    } else if (content == "tex" || content == "tikz") {
        // TikZ of the output picture, a whole document or the picture alone, every corner of
        // the body named.
        EXPECT_TRUE(bytes.startsWith("% SOLIFA: Kugel, 219 x 235 Pixel"));
        EXPECT_EQ(bytes.contains("\\documentclass"), content == "tex");
        EXPECT_TRUE(bytes.contains("\\useasboundingbox (0,0) rectangle (219,235);"));
        const ShapeValues shape = form->shapeValues();
        EXPECT_EQ(
            bytes.count("\\coordinate ("),
            qsizetype(NamedCorners(BodyPaintInput(form->model, shape.corners, shape.levels,
                                                  form->model.outputPoints, form->model.outputApex))
                          .size()));
        EXPECT_TRUE(bytes.contains("\\coordinate (N) at ("));
    } else if (content == "pdf") {
        EXPECT_TRUE(bytes.startsWith("%PDF"));
        // 219 x 235 pixels at 96 per inch are 164.25 x 176.25 points; a page measures whole
        // points, the next larger ones.
        EXPECT_TRUE(bytes.contains("/MediaBox [0 0 165.000000 177.000000]"));
        EXPECT_FALSE(bytes.contains("/Subtype /Image"));
    } else {
        QImageReader reader(path);
        EXPECT_EQ(reader.format(), QByteArray(c.content));
        const QImage read = reader.read();
        // Every format keeps the bitmap's pixels: the picture has few colours and no blends.
        EXPECT_EQ(rgb(read), picture);
        if (content != "gif") {
            EXPECT_EQ(test::StatedPixelsPerMetre(bytes), std::pair(3780, 3780)) << "96 per inch";
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Names, FileFormat,
    ::testing::Values(NamedFormat{"k.png", -1, "png"}, NamedFormat{"k.svg", -1, "svg"},
                      NamedFormat{"k.pdf", -1, "pdf"}, NamedFormat{"k.gif", -1, "gif"},
                      NamedFormat{"k.bmp", -1, "bmp"}, NamedFormat{"K.BMP", -1, "bmp"},
                      NamedFormat{"K.PNG", -1, "png"}, NamedFormat{"kugel", -1, "bmp"},
                      NamedFormat{"k.xyz", -1, "bmp"}, NamedFormat{"my.picture", -1, "bmp"},
                      // A name typed without an extension follows the filter chosen.
                      NamedFormat{"ohne", 2, "png"}, NamedFormat{"ohne", 3, "svg"},
                      NamedFormat{"ohne", 4, "pdf"}, NamedFormat{"ohne", 5, "gif"},
                      NamedFormat{"ohne", 0, "bmp"}, NamedFormat{"k.tex", -1, "tex"},
                      NamedFormat{"K.TIKZ", -1, "tikz"}, NamedFormat{"ohne", 6, "tex"},
                      NamedFormat{"ohne", 7, "tikz"},
                      // An extension wins over the filter.
                      NamedFormat{"k.png", 4, "png"}, NamedFormat{"k.bmp", 2, "bmp"}),
    [](const auto& info) {
        std::string n = std::string(info.param.name) + "_" + std::to_string(info.param.filter + 1);
        for (char& ch : n)
            if (!std::isalnum(static_cast<unsigned char>(ch)))
                ch = '_';
        return n;
    });

// The frames of a GIF file, decoded with its global colour table.
std::vector<QImage> GifFrames(const QString& path, bool* loops, int* delay) {
    int error = 0;
    const std::unique_ptr<GifFileType, void (*)(GifFileType*)> gif(
        DGifOpenFileName(QFile::encodeName(path).constData(), &error), [](GifFileType* g) {
            int e = 0;
            DGifCloseFile(g, &e);
        });
    std::vector<QImage> frames;
    if (!gif || DGifSlurp(gif.get()) != GIF_OK)
        return frames;
    *loops = false;
    const SavedImage& first = gif->SavedImages[0];
    for (int i = 0; i + 1 < first.ExtensionBlockCount; ++i) {
        const ExtensionBlock& b = first.ExtensionBlocks[i];
        *loops = *loops || (b.Function == APPLICATION_EXT_FUNC_CODE && b.ByteCount == 11 &&
                            std::string(reinterpret_cast<char*>(b.Bytes), 11) == "NETSCAPE2.0");
    }
    GraphicsControlBlock control{};
    DGifSavedExtensionToGCB(gif.get(), 0, &control);
    *delay = control.DelayTime;
    for (int k = 0; k < gif->ImageCount; ++k) {
        QImage decoded(gif->SWidth, gif->SHeight, QImage::Format_RGB32);
        for (int p = 0; p < gif->SWidth * gif->SHeight; ++p) {
            const GifColorType c = gif->SColorMap->Colors[gif->SavedImages[k].RasterBits[p]];
            decoded.setPixel(p % gif->SWidth, p / gif->SWidth, qRgb(c.Red, c.Green, c.Blue));
        }
        frames.push_back(decoded);
    }
    return frames;
}

class AnimatedSeries : public OutputTest {
protected:
    void writeSeries(const QString& name) {
        saveAs(dir.filePath(name));
        for (int i = 0; i < form->model.frameCount; ++i)
            form->Timer1_Timer();
    }
};

TEST_F(AnimatedSeries, IsOneLoopingGifOfTheFramesABitmapSeriesWrites) {
    form->SSCommand1[1]->click(); // the cube
    form->VScroll1->setValue(30);
    form->SSCommand3->click(); // the turn runs
    const int start = form->model.frameIndex;
    writeSeries("dreh.gif");
    ASSERT_EQ(filesInDir(), QStringList{"dreh.gif"});
    ASSERT_FALSE(fake.messageBox.messages.empty());
    EXPECT_EQ(fake.messageBox.messages.back().text, FileCreatedMessage(dir.filePath("dreh.gif")));
    // One frame past the last the picture is the first one again: the animation loops.
    form->Timer1_Timer();
    const QImage pastLast = rgb(form->output->renderFrame());

    ASSERT_EQ(form->model.frameIndex, (start + 9) % 8);
    form->model.frameIndex = int16_t(start);
    writeSeries("dreh.bmp");

    bool loops = false;
    int delay = 0;
    const std::vector<QImage> frames = GifFrames(dir.filePath("dreh.gif"), &loops, &delay);
    ASSERT_EQ(frames.size(), 8u);
    EXPECT_TRUE(loops);
    EXPECT_EQ(delay, 4) << "40 ms a frame";
    for (int k = 0; k < 8; ++k) {
        const QString bitmap =
            dir.filePath(QStringLiteral("dreh_%1.bmp").arg(k + 1, 2, 10, QChar('0')));
        EXPECT_EQ(frames[std::size_t(k)], rgb(QImage(bitmap))) << "frame " << k + 1;
    }
    EXPECT_EQ(pastLast, frames.front());
}

TEST_F(AnimatedSeries, IsWrittenOnlyOnceItsLastFrameIsIn) {
    const QByteArray old = "das alte Bild";
    QFile file(dir.filePath("dreh.gif"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(old);
    file.close();
    form->SSCommand3->click();
    saveAs(dir.filePath("dreh.gif"));
    for (int i = 0; i < 7; ++i)
        form->Timer1_Timer();
    form->SSCommand3->click(); // paused: still the old file, and nothing beside it
    EXPECT_EQ(Contents(dir.filePath("dreh.gif")), old);
    EXPECT_EQ(filesInDir(), QStringList{"dreh.gif"});
    form->SSCommand3->click(); // resumed
    form->Timer1_Timer();
    EXPECT_TRUE(Contents(dir.filePath("dreh.gif")).startsWith("GIF89a"));
    EXPECT_EQ(filesInDir(), QStringList{"dreh.gif"});
}

struct GifFailure {
    const char* name;
    QIODevice::OpenMode mode; // how the device is open; read-only fails every write
    QImage frame;             // of a 10 x 10 animation
    const char* reason;
    bool outOfMemory;
};

// Every failure of the GIF encoder says what really went wrong; a null frame is a picture whose
// pixels could not be allocated.
TEST(GifWriter, SaysWhyItFailed) {
    QImage square(10, 10, QImage::Format_RGB32);
    square.fill(Qt::white);
    const GifFailure cases[] = {
        {"NullFrame", QIODevice::WriteOnly, QImage(), "not enough memory", true},
        {"OtherSize", QIODevice::WriteOnly, square.copy(0, 0, 10, 9),
         "frame size differs from the animation's", false},
        {"DeviceFails", QIODevice::ReadOnly, square,
         "cannot write the screen descriptor: the data could not be written", false},
    };
    for (const GifFailure& c : cases) {
        SCOPED_TRACE(c.name);
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(c.mode);
        GifWriter gif(&buffer, 10, 10, {qRgb(255, 255, 255)});
        EXPECT_FALSE(gif.addFrame(c.frame, 4) && gif.finish());
        EXPECT_EQ(gif.errorString(), c.reason);
        EXPECT_EQ(gif.outOfMemory(), c.outOfMemory);
    }
    // The encoders in memory refuse a null picture as memory that ran out, not as a picture
    // of no pixels.
    EXPECT_THROW(EncodeBitmap(QImage()), std::bad_alloc);
    EXPECT_THROW(EncodePng(QImage()), std::bad_alloc);
    EXPECT_THROW(EncodeGif({QImage()}, 0, {qRgb(0, 0, 0)}), std::bad_alloc);
}

struct FormatRow {
    PictureFormat format;
    const char* name;   // its extension and the renderer's name for it
    const char* starts; // the first bytes of its file
    bool vector;
    bool animates;
};

// Each format is found by its extension in any letter case, and encoding a picture through the
// table gives a file of that very format, whichever format comes before or after it.
TEST(PictureFormatTable, FindsAndEncodesEveryFormat) {
    const FormatRow rows[] = {
        {PictureFormat::Bmp, "bmp", "BM", false, false},
        {PictureFormat::Png, "png", "\x89PNG", false, false},
        {PictureFormat::Svg, "svg", "<?xml", true, false},
        {PictureFormat::Pdf, "pdf", "%PDF", true, false},
        {PictureFormat::Gif, "gif", "GIF89a", false, true},
        {PictureFormat::Tex, "tex", "% SOLIFA: Kegel, 6 x 4", false, false},
        {PictureFormat::Tikz, "tikz", "% SOLIFA: Kegel, 6 x 4", false, false},
    };
    ASSERT_EQ(PictureFormats().size(), std::size(rows));
    QImage image(6, 4, QImage::Format_RGB32);
    image.fill(Qt::red);
    const PictureSource source{
        image.size(),      QStringLiteral("Kegel"), [&image] { return image; },
        {qRgb(255, 0, 0)}, [](DrawingSurface&) {},  MakeColorRef(255, 0, 0)};
    for (const FormatRow& row : rows) {
        const QString name = QString::fromUtf8(row.name);
        SCOPED_TRACE(row.name);
        const PictureFormatInfo& info = FormatInfo(row.format);
        EXPECT_EQ(info.format, row.format);
        EXPECT_EQ(info.extension, std::string(row.name));
        EXPECT_EQ(FormatOfExtension(name), row.format);
        EXPECT_EQ(FormatOfExtension(name.toUpper()), row.format);
        EXPECT_EQ(FormatOfName("/a.b/Kegel." + name.toUpper()), row.format);
        EXPECT_EQ(info.vectorDrawing, row.vector);
        EXPECT_EQ(info.animates, row.animates);
        EXPECT_TRUE(EncodePicture(row.format, source).startsWith(row.starts));
    }
    for (const char* unknown : {"", "jpg", "bm", "bmpx", "tar.gz"})
        EXPECT_EQ(FormatOfExtension(QString::fromUtf8(unknown)), std::nullopt) << unknown;
    EXPECT_EQ(FormatOfName("/a.png/kugel"), std::nullopt);
    EXPECT_EQ(FormatNames("|"), "bmp|png|svg|pdf|gif|tex|tikz");
    EXPECT_EQ(FormatNames(", ", "."), ".bmp, .png, .svg, .pdf, .gif, .tex, .tikz");
    // Both TikZ files come from one writer; the document wraps the very picture.
    const QByteArray picture = EncodePicture(PictureFormat::Tikz, source);
    const QByteArray document = EncodePicture(PictureFormat::Tex, source);
    const QByteArray body = picture.mid(picture.indexOf("\\begin{tikzpicture}"));
    EXPECT_TRUE(document.contains("\\begin{document}\n\\noindent\n" + body + "\\end{document}\n"));
    EXPECT_TRUE(body.contains("\\definecolor{solifaFF0000}{RGB}{255,0,0}"));
}

} // namespace
} // namespace solifa
