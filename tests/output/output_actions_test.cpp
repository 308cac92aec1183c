// "Datei erzeugen", "Bitmap in Ablage" and "Bitmap drucken", driven by their buttons with
// scripted dialogs, checked on the files, the clipboard, the printed PDF and the messages.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QLabel>
#include <QPageLayout>
#include <QPrinter>
#include <QProcess>
#include <QProgressBar>
#include <QStandardPaths>
#include <QSvgRenderer>
#include <QThread>
#include <unistd.h>

#include "app/actions/messages.h"
#include "files/bitmap_file.h"
#include "files/output_texts.h"
#include "output_fixture.h"
#include "support/write_failures.h"

namespace solifa {
namespace {

using Kind = FakeMessageBox::Kind;
const QString kStartTitle = QStringLiteral("SOLIFA V1.3   ");

QByteArray FileStart(const QString& path, int n) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.read(n) : QByteArray();
}

TEST_F(OutputTest, FileHoldsTheOutputPictureAsABitmap) {
    const QString path = dir.filePath("kugel.bmp");
    saveAs(path);

    ASSERT_EQ(fake.saveDialog.calls.size(), 1u);
    EXPECT_EQ(fake.saveDialog.calls[0].filters,
              (QStringList{"Alle Dateien (*)", "Bitmap (*.BMP *.bmp)", "PNG-Bild (*.png)",
                           "SVG-Grafik (*.svg)", "PDF-Dokument (*.pdf)", "GIF-Animation (*.gif)",
                           "TikZ-Grafik für LaTeX (*.tex)", "TikZ-Bild zum Einbinden (*.tikz)"}));
    EXPECT_EQ(fake.saveDialog.calls[0].selectedFilter, 1);

    EXPECT_EQ(FileStart(path, 2), "BM");
    QImageReader reader(path);
    EXPECT_EQ(reader.format(), "bmp");
    const QImage written = reader.read();
    ASSERT_FALSE(written.isNull());
    EXPECT_EQ(form->Picture7->size(), QSize(223, 239));
    EXPECT_EQ(written.size(), QSize(219, 235));
    EXPECT_EQ(rgb(written), rgb(form->Picture7->image()));
    EXPECT_EQ(written.pixel(0, 0) & 0xffffff, 0x0000ffu);
    EXPECT_EQ(written.pixel(218, 234) & 0xffffff, 0x0000ffu);
    EXPECT_TRUE(contains(written, qRgb(255, 255, 0)));

    ASSERT_EQ(fake.messageBox.messages.size(), 1u);
    EXPECT_EQ(fake.messageBox.messages[0].kind, Kind::Information);
    EXPECT_EQ(fake.messageBox.messages[0].title, "Datei erzeugen");
    EXPECT_EQ(form->windowTitle(), "SOLIFA V1.0    " + dir.path());

    // The dialog offers the name chosen last time.
    saveAs(dir.filePath("zweite.bmp"));
    ASSERT_EQ(fake.saveDialog.calls.size(), 2u);
    EXPECT_EQ(fake.saveDialog.calls[1].presetPath, path);
    EXPECT_EQ(form->output->fileName(), dir.filePath("zweite.bmp"));
}

// A name of a given length in the temporary folder: "a" repeated, then the ending.
QString NameOfLength(const QString& folder, int length, const QString& ending) {
    const int fill = length - int(folder.size()) - 1 - int(ending.size());
    if (fill < 1)
        return QString();
    return folder + "/" + QString(fill, QLatin1Char('a')) + ending;
}

struct NameCase {
    int length; // 0: no length rule, the name is `ending` alone
    const char* ending;
    bool ownLine; // the path stands on a line of its own in the message
};

class FileNameTest : public OutputTest, public ::testing::WithParamInterface<NameCase> {};

TEST_P(FileNameTest, WrittenUnderExactlyThatNameWithTheMessageShapedByItsLength) {
    const NameCase c = GetParam();
    const QString path =
        c.length == 0 ? dir.filePath(c.ending) : NameOfLength(dir.path(), c.length, c.ending);
    if (path.isEmpty())
        GTEST_SKIP() << "temporary folder path too long for " << c.length << " characters";
    ASSERT_TRUE(c.length == 0 || path.size() == c.length);
    saveAs(path);

    EXPECT_EQ(filesInDir(), QStringList{QFileInfo(path).fileName()});
    EXPECT_EQ(FileStart(path, 2), "BM");
    ASSERT_EQ(fake.messageBox.messages.size(), 1u);
    const QByteArray expected = c.ownLine
                                    ? "Die Datei  \r\n" + path.toUtf8() + "\r\n  wurde erzeugt!"
                                    : "Die Datei " + path.toUtf8() + " wurde erzeugt!";
    EXPECT_EQ(fake.messageBox.messages[0].text.toUtf8(), expected);
}

INSTANTIATE_TEST_SUITE_P(Names, FileNameTest,
                         ::testing::Values(NameCase{40, ".bmp", false}, NameCase{41, ".bmp", true},
                                           NameCase{0, "ohne_endung", false},
                                           NameCase{0, "GROSS.BMP", false}));

TEST_F(OutputTest, AnExistingFileIsReplaced) {
    const QString path = dir.filePath("alt.bmp");
    {
        QFile old(path);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("keine Bitmap");
    }
    saveAs(path);
    EXPECT_EQ(QImage(path).size(), QSize(219, 235));
    EXPECT_EQ(fake.messageBox.messages.size(), 1u);
}

TEST_F(OutputTest, ASaveIntoTheRootShowsTheRootInTheCaption) {
    const QString path = QStringLiteral("/solifa_test_root.bmp");
    if (!QFileInfo(QStringLiteral("/")).isWritable() || QFile::exists(path))
        GTEST_SKIP() << "root folder not writable here";
    saveAs(path);
    const bool written = QFile::exists(path);
    QFile::remove(path);
    EXPECT_TRUE(written);
    EXPECT_EQ(form->windowTitle(), "SOLIFA V1.0    /");
}

TEST_F(OutputTest, CancellingTheDialogChangesNothing) {
    const QString title = form->windowTitle();
    const QSize pictureSize = form->Picture7->size();
    fake.saveDialog.cancel();
    form->SSCommand9->click();
    EXPECT_EQ(fake.saveDialog.calls.size(), 1u);
    EXPECT_TRUE(filesInDir().isEmpty());
    EXPECT_TRUE(fake.messageBox.messages.empty());
    EXPECT_EQ(form->windowTitle(), title);
    EXPECT_TRUE(form->output->fileName().isEmpty());
    EXPECT_EQ(form->Picture7->size(), pictureSize); // not even drawn
}

struct UnwritableCase {
    const char* name;
    const char* reason;
    bool readOnlyDisk = false; // the name is on a read-only file system
};

class UnwritableTest : public OutputTest, public ::testing::WithParamInterface<UnwritableCase> {};

TEST_P(UnwritableTest, GivesTheReasonInsteadOfTheConfirmationAndKeepsTheCaption) {
    const UnwritableCase c = GetParam();
    ASSERT_TRUE(QDir(dir.path()).mkdir("ordner"));
    ASSERT_TRUE(QDir(dir.path()).mkdir("gesperrt"));
    ASSERT_TRUE(
        QFile::setPermissions(dir.filePath("gesperrt"), QFile::ReadOwner | QFile::ExeOwner));
    ASSERT_TRUE(test::PutFile(dir.filePath("datei.bmp"), "alt"));
    std::optional<test::SmallDisk> readOnly;
    if (c.readOnlyDisk && !readOnly.emplace(64 * 1024, true).mounted())
        GTEST_SKIP() << readOnly->whyNot().toStdString();
    if (QString(c.name).startsWith("gesperrt/") && geteuid() == 0)
        GTEST_SKIP() << "root may write into a folder without write permission";
    const QString folder = readOnly ? readOnly->path() : dir.path();
    const QString path = folder + "/" + QString::fromUtf8(c.name);
    const QStringList before = test::EntriesOf(folder);
    const QString title = form->windowTitle();
    saveAs(path);

    ASSERT_EQ(fake.messageBox.messages.size(), 1u);
    const auto& m = fake.messageBox.messages[0];
    EXPECT_EQ(m.kind, Kind::Error);
    EXPECT_EQ(m.title, "Datei erzeugen");
    EXPECT_EQ(m.text, FileWriteFailedMessage(path, QString::fromUtf8(c.reason)));
    EXPECT_EQ(form->windowTitle(), title);
    EXPECT_EQ(test::EntriesOf(folder), before);
    EXPECT_EQ(test::FileBytes(dir.filePath("datei.bmp")), "alt");
}

const std::string kLongName = std::string(300, 'a') + ".bmp";

INSTANTIATE_TEST_SUITE_P(
    Paths, UnwritableTest,
    ::testing::Values(UnwritableCase{"fehlt/bild.bmp", "Der Ordner existiert nicht."},
                      UnwritableCase{"ordner", "Der Name bezeichnet einen Ordner."},
                      UnwritableCase{"ordner/", "Der Name bezeichnet einen Ordner."},
                      UnwritableCase{"datei.bmp/bild.bmp", "Ein Teil des Pfads ist kein Ordner."},
                      UnwritableCase{kLongName.c_str(), "Der Name ist zu lang."},
                      UnwritableCase{"gesperrt/bild.bmp", "Keine Berechtigung zum Schreiben."},
                      UnwritableCase{"bild.bmp", "Das Dateisystem ist schreibgeschützt.", true}));

TEST_F(OutputTest, WhileTheTurnRunsTheButtonStartsASeriesAndWritesNothing) {
    form->SSCommand3->click();
    ASSERT_EQ(form->model.turnRunning, 1);
    form->ProgressBar2->setValue(5);
    const QString path = dir.filePath("dreh.bmp");
    saveAs(path);
    form->SSCommand3->click(); // stop before any tick can run

    EXPECT_EQ(form->model.framesToWrite, 8);
    EXPECT_EQ(form->turn->seriesFrameCount, 8);
    EXPECT_EQ(form->ProgressBar2->maximum(), 8);
    EXPECT_EQ(form->ProgressBar2->value(), 0);
    EXPECT_TRUE(filesInDir().isEmpty());
    EXPECT_TRUE(fake.messageBox.messages.empty());
    EXPECT_EQ(form->output->fileName(), path);
    // The caption waits for the first file of the series.
    EXPECT_TRUE(form->windowTitle().startsWith("SOLIFA V1.3   "));
}

TEST_F(OutputTest, ClipboardGetsTheOutputPictureInPlaceOfItsContents) {
    fake.clipboard.image = QImage(5, 5, QImage::Format_Mono);
    form->SSCommand5->click();
    EXPECT_EQ(fake.clipboard.clears, 1);
    EXPECT_EQ(fake.clipboard.image.size(), QSize(219, 235));
    EXPECT_EQ(rgb(fake.clipboard.image), rgb(form->Picture7->image()));
    // The clipboard's encoders take the image's resolution for the files they hand out.
    EXPECT_EQ(fake.clipboard.image.dotsPerMeterX(), 3780);
    EXPECT_EQ(fake.clipboard.image.dotsPerMeterY(), 3780);
    // Beside the bitmap, the same picture as a drawing for programs that take vector graphics.
    QSvgRenderer drawing(fake.clipboard.svg);
    EXPECT_TRUE(drawing.isValid());
    EXPECT_EQ(drawing.viewBox(), QRect(0, 0, 219, 235));
    ASSERT_EQ(fake.messageBox.messages.size(), 1u);
    const auto& m = fake.messageBox.messages[0];
    EXPECT_EQ(m.kind, Kind::Information);
    EXPECT_EQ(m.title, "Bitmap-Grafik ablegen");
    EXPECT_EQ(m.text, "Die Bitmap-Grafik wurde in den Zwischenspeicher abgelegt!");
}

TEST_F(OutputTest, ARefusedClipboardGivesAnError) {
    fake.clipboard.refuse = true;
    form->SSCommand5->click();
    ASSERT_EQ(fake.messageBox.messages.size(), 1u);
    EXPECT_EQ(fake.messageBox.messages[0].kind, Kind::Error);
    EXPECT_EQ(fake.messageBox.messages[0].title, "Bitmap-Grafik ablegen");
    EXPECT_FALSE(fake.messageBox.messages[0].text.contains("wurde in den"));
}

// The bounding box of everything that is not white on the first page, rendered at `dpi`.
QRect PaintedOnFirstPage(const QString& pdf, const QString& pngBase, int dpi) {
    const int rc = QProcess::execute(
        "pdftoppm", {"-r", QString::number(dpi), "-png", "-singlefile", "-f", "1", pdf, pngBase});
    const QImage page(pngBase + ".png");
    if (rc != 0 || page.isNull())
        return QRect();
    QRect box;
    for (int y = 0; y < page.height(); ++y)
        for (int x = 0; x < page.width(); ++x)
            if ((page.pixel(x, y) & 0xffffff) != 0xffffff)
                box |= QRect(x, y, 1, 1);
    return box;
}

int PdfPageCount(const QString& pdf) {
    QProcess info;
    info.start("pdfinfo", {pdf});
    info.waitForFinished();
    for (const QByteArray& line : info.readAllStandardOutput().split('\n'))
        if (line.startsWith("Pages:"))
            return line.mid(6).trimmed().toInt();
    return -1;
}

// The images of a PDF as `pdfimages` finds them: how each is stored, and its pixels.
struct PdfImage {
    QString encoding;
    QImage pixels;
};

std::vector<PdfImage> ImagesIn(const QString& pdf, const QString& prefix) {
    QProcess list;
    list.start("pdfimages", {"-list", pdf});
    list.waitForFinished();
    std::vector<PdfImage> images;
    // Two heading lines, then one line per image; the encoding is the ninth column.
    const QList<QByteArray> lines = list.readAllStandardOutput().split('\n');
    for (qsizetype i = 2; i < lines.size(); ++i) {
        const QList<QByteArray> columns = lines[i].simplified().split(' ');
        if (columns.size() > 8)
            images.push_back({QString::fromLatin1(columns[8]), QImage()});
    }
    if (QProcess::execute("pdfimages", {"-png", pdf, prefix}) != 0)
        return {};
    for (std::size_t i = 0; i < images.size(); ++i)
        images[i].pixels = QImage(prefix + QString::asprintf("-%03zu.png", i));
    return images;
}

int DifferingPixels(const QImage& a, const QImage& b) {
    int differing = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            differing += a.pixel(x, y) != b.pixel(x, y);
    return differing;
}

// The PDF cups-pdf wrote into `folder` once the print system has finished every job; empty
// when none came.
QString PrintedPdf(const QString& folder) {
    for (int wait = 0; wait < 600; ++wait) {
        QProcess pending;
        pending.start("lpstat", {"-W", "not-completed", "-o"});
        pending.waitForFinished();
        const QStringList pdfs = QDir(folder).entryList({"*.pdf"}, QDir::Files);
        if (pending.readAllStandardOutput().trimmed().isEmpty() && !pdfs.isEmpty())
            return QDir(folder).filePath(pdfs.constFirst());
        QThread::msleep(100);
    }
    return QString();
}

// Printed into a PDF file by Qt itself, and through a print system's queue, the page carries
// the output picture's own pixels where the picture stands on the display's scale.
enum class PrintedTo { PdfFile, DefaultQueue };

class PrintedPageTest : public OutputTest, public ::testing::WithParamInterface<PrintedTo> {};

TEST_P(PrintedPageTest, ShowsThePictureLosslessCentredTwoUnitsDown) {
    for (const char* tool : {"pdftoppm", "pdfinfo", "pdfimages"})
        if (QStandardPaths::findExecutable(tool).isEmpty())
            GTEST_SKIP() << "poppler-utils not installed";
    const bool queue = GetParam() == PrintedTo::DefaultQueue;
    // Set by tests/support/private_cups.sh, which runs a print system of its own.
    const QString printedTo = qEnvironmentVariable("SOLIFA_PRINT_OUT");
    if (queue && printedTo.isEmpty())
        GTEST_SKIP() << "no private print system";
    fake.printerDialog.answer(queue ? QString() : dir.filePath("seite.pdf"));
    form->SSCommand6->click();
    EXPECT_TRUE(fake.messageBox.messages.empty());
    const QString pdf = queue ? PrintedPdf(printedTo) : dir.filePath("seite.pdf");
    ASSERT_TRUE(QFile::exists(pdf));
    EXPECT_EQ(PdfPageCount(pdf), 1);

    const std::vector<PdfImage> images = ImagesIn(pdf, dir.filePath("bild"));
    ASSERT_EQ(images.size(), 1u);
    EXPECT_EQ(images[0].encoding, "image") << "stored lossy";
    const QImage picture = rgb(form->Picture7->image());
    ASSERT_EQ(images[0].pixels.size(), picture.size());
    EXPECT_EQ(DifferingPixels(rgb(images[0].pixels), picture), 0);

    constexpr int kDpi = 150;
    const QRect box = PaintedOnFirstPage(pdf, dir.filePath("seite"), kDpi);
    ASSERT_TRUE(box.isValid());
    // The drawing area is the printer's paintable area; 21.1 x 29.7 units span it.
    QPrinter same(QPrinter::HighResolution);
    if (!queue)
        same.setOutputFormat(QPrinter::PdfFormat);
    const QRectF area = same.pageLayout().paintRect(QPageLayout::Millimeter);
    const double pxPerMm = kDpi / 25.4;
    auto unitsX = [&](double px) { return (px / pxPerMm - area.left()) * 21.1 / area.width(); };
    auto unitsY = [&](double px) { return (px / pxPerMm - area.top()) * 29.7 / area.height(); };
    const double tolerance = 0.05;
    EXPECT_NEAR(unitsX(box.left()), 7.60, tolerance);
    EXPECT_NEAR(unitsY(box.top()), 2.0, tolerance);
    EXPECT_NEAR(unitsX(box.right() + 1) - unitsX(box.left()), 5.90, tolerance);
    EXPECT_NEAR(unitsY(box.bottom() + 1) - unitsY(box.top()), 6.32, tolerance);
}

INSTANTIATE_TEST_SUITE_P(Destinations, PrintedPageTest,
                         ::testing::Values(PrintedTo::PdfFile, PrintedTo::DefaultQueue),
                         [](const auto& info) {
                             return info.param == PrintedTo::PdfFile ? "PdfFile" : "DefaultQueue";
                         });

TEST_F(OutputTest, CancelledPrintLeavesAFreshOutputPictureAndNothingElse) {
    ASSERT_NE(form->Picture7->size(), QSize(223, 239));
    fake.printerDialog.cancel();
    form->SSCommand6->click();
    EXPECT_EQ(fake.printerDialog.calls, 1);
    EXPECT_EQ(form->Picture7->size(), QSize(223, 239));
    EXPECT_TRUE(contains(form->Picture7->image(), qRgb(255, 255, 0)));
    EXPECT_TRUE(fake.messageBox.messages.empty());
    EXPECT_TRUE(filesInDir().isEmpty());
}

} // namespace
} // namespace solifa
