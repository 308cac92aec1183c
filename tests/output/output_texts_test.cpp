// Confirmation messages, series file names and the caption after writing.
#include <gtest/gtest.h>

#include "app/actions/messages.h"
#include "files/output_texts.h"

namespace solifa {
namespace {

QString PathOfLength(int n) {
    QString p = QStringLiteral("/tmp/");
    const QString tail = QStringLiteral(".bmp");
    p += QString(n - p.size() - tail.size(), QLatin1Char('a'));
    return p + tail;
}

TEST(OutputTexts, FortyCharactersStayOnOneLineFortyOneGoOnTheirOwn) {
    const QString p40 = PathOfLength(40);
    const QString p41 = PathOfLength(41);
    ASSERT_EQ(p40.size(), 40);
    ASSERT_EQ(p41.size(), 41);
    EXPECT_EQ(FileCreatedMessage(p40), "Die Datei " + p40 + " wurde erzeugt!");
    EXPECT_EQ(FileCreatedMessage(p41), "Die Datei  \r\n" + p41 + "\r\n  wurde erzeugt!");

    const QString s40 = p40.left(36) + "_xy.bmp";
    const QString s41 = p41.left(37) + "_xy.bmp";
    EXPECT_EQ(SeriesCreatedMessage(8, p40), " 8 Dateien " + s40 + " wurden erzeugt!");
    EXPECT_EQ(SeriesCreatedMessage(12, p41), " 12 Dateien  \r\n" + s41 + "\r\n  wurden erzeugt!");
}

TEST(OutputTexts, SeriesNamesInsertTheNumberBeforeTheExtension) {
    struct Case {
        const char* path;
        int k;
        const char* frame;
        const char* summary;
    };
    const Case cases[] = {
        {"C:/Bilder/wuerfel.bmp", 1, "C:/Bilder/wuerfel_01.bmp", "C:/Bilder/wuerfel_xy.bmp"},
        {"/home/a/kegel.BMP", 32, "/home/a/kegel_32.BMP", "/home/a/kegel_xy.BMP"},
        // A longer extension of a picture format stays whole; another name keeps the rule.
        {"/home/a/kegel.TikZ", 5, "/home/a/kegel_05.TikZ", "/home/a/kegel_xy.TikZ"},
        {"/home/a/kegel.jpeg", 5, "/home/a/kegel._05jpeg", "/home/a/kegel._xyjpeg"},
        // Without an extension the number goes at the end instead of inside the name.
        {"/home/a/wuerfel", 8, "/home/a/wuerfel_08", "/home/a/wuerfel_xy"},
        {"/home/a.b/wuerfel", 3, "/home/a.b/wuerfel_03", "/home/a.b/wuerfel_xy"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FrameSeriesFileName(c.path, c.k), c.frame) << c.path;
        EXPECT_EQ(SeriesSummaryName(c.path), c.summary) << c.path;
    }
}

TEST(OutputTexts, CaptionNamesTheFolderAndKeepsTheRootSeparator) {
    EXPECT_EQ(CaptionAfterWriting("/tmp/bilder/a.bmp"), "SOLIFA V1.0    /tmp/bilder");
    EXPECT_EQ(CaptionAfterWriting("/a.bmp"), "SOLIFA V1.0    /");
}

} // namespace
} // namespace solifa
