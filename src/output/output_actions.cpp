// The three output actions: the output picture as a bitmap file (or the start of a frame
// series while the turn runs), on the clipboard, and printed on one page.
#include <QLabel>
#include <QPrinter>
#include <QProgressBar>
#include <QStringList>
#include <memory>
#include <optional>

#include "output/bitmap_file.h"
#include "output/output_texts.h"
#include "output/print_page.h"
#include "window/button_3d.h"
#include "window/form1.h"
#include "window/picture_box.h"

namespace solifa {
namespace {

const QString kClipboardTitle = QStringLiteral("Bitmap-Grafik ablegen");
const QString kClipboardDone =
    QStringLiteral("Die Bitmap-Grafik wurde in den Zwischenspeicher abgelegt!");
const QString kClipboardFailed =
    QStringLiteral("Die Bitmap-Grafik konnte nicht in den Zwischenspeicher abgelegt werden.");

// The bitmap filter is preselected; the first pattern is "*" so that names without an
// extension are listed too.
const QStringList kFileFilters = {QStringLiteral("Alle Dateien (*)"),
                                  QStringLiteral("Bitmap (*.BMP *.bmp)")};
constexpr int kBitmapFilter = 1;

} // namespace

void Form1::connectOutputHandlers() {
    connect(SSCommand9, &QPushButton::clicked, this, [this] { SSCommand9_Click(); });
    connect(SSCommand5, &QPushButton::clicked, this, [this] { SSCommand5_Click(); });
    connect(SSCommand6, &QPushButton::clicked, this, [this] { SSCommand6_Click(); });
}

void Form1::SSCommand9_Click() {
    guarded([&] {
        const std::optional<QString> chosen =
            platform_.saveDialog->choose(this, dialogFileName, kFileFilters, kBitmapFilter);
        if (!chosen)
            return;
        const QString path = *chosen;
        // The dialog keeps the name for next time; a running series takes its names from it.
        dialogFileName = path;
        if (model.turnRunning) {
            // The timer writes the frames, one per tick; choosing again restarts the series.
            model.framesToWrite = uint8_t(captionNumber(Label5[1]));
            seriesFrameCount = model.frameCount;
            ProgressBar2->setMaximum(model.frameCount);
            ProgressBar2->setValue(0);
        } else {
            if (const std::optional<QString> failure = writeOutputPicture(path)) {
                platform_.messageBox->error(this, kFileActionText, *failure);
                return;
            }
            platform_.messageBox->information(this, kFileActionText, FileCreatedMessage(path));
        }
        setWindowTitle(CaptionAfterWriting(path));
    });
}

std::optional<QString> Form1::writeOutputPicture(const QString& path) {
    RenderOutput();
    QString reason;
    if (WriteBitmapFile(Picture7->image(), path, &reason))
        return std::nullopt;
    return BitmapWriteFailedMessage(path, reason);
}

void Form1::SSCommand5_Click() {
    guarded([&] {
        platform_.clipboard->clear();
        RenderOutput();
        if (!platform_.clipboard->setImage(Picture7->image())) {
            platform_.messageBox->error(this, kClipboardTitle, kClipboardFailed);
            return;
        }
        platform_.messageBox->information(this, kClipboardTitle, kClipboardDone);
    });
}

void Form1::SSCommand6_Click() {
    guarded([&] {
        // Drawn before the dialog: a cancelled print still leaves a fresh output picture.
        RenderOutput();
        const std::unique_ptr<QPrinter> printer = platform_.printerDialog->choose(this);
        if (!printer)
            return;
        // The picture is printed at the size it has on the display.
        const ScreenMetrics& screen = *platform_.screen;
        const QSizeF size(CentimetresFromTwips(Picture7->width() * screen.twipsPerPixelX()),
                          CentimetresFromTwips(Picture7->height() * screen.twipsPerPixelY()));
        PrintPicturePage(*printer, Picture7->image(), size);
    });
}

} // namespace solifa
