// The Qt implementations of the platform services, driven through their real dialogs.
#include <functional>

#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QColorDialog>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QMessageBox>
#include <QMimeData>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QScreen>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

#include "platform/platform.h"

namespace solifa {
namespace {

void CloseAllModals() {
    for (int guard = 0; guard < 10; ++guard) {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal)
            return;
        if (auto* dialog = qobject_cast<QDialog*>(modal))
            dialog->reject();
        else
            modal->close();
    }
}

// Each test answers the dialog the code under test opens. A watchdog closes every modal
// window still open after a few seconds, so an unexpected dialog fails a test instead of
// hanging it.
class QtPlatformTest : public ::testing::Test {
protected:
    void SetUp() override {
        watchdog_.setSingleShot(true);
        watchdog_.setInterval(5000);
        QObject::connect(&watchdog_, &QTimer::timeout, [] {
            ADD_FAILURE() << "a modal window was left open";
            CloseAllModals();
        });
        watchdog_.start();
    }

    // Runs `act` on the modal dialog of type T once the code under test shows it.
    template <class T> static void WhenShown(std::function<void(T&)> act) {
        QTimer::singleShot(0, [act] {
            auto* dialog = qobject_cast<T*>(QApplication::activeModalWidget());
            if (!dialog) {
                ADD_FAILURE() << "expected a modal " << T::staticMetaObject.className();
                CloseAllModals();
                return;
            }
            act(*dialog);
        });
    }

    Platform& platform = QtPlatform();

private:
    QTimer watchdog_;
};

TEST_F(QtPlatformTest, ScreenMetricsAreThoseOfThePrimaryScreen) {
    const QScreen* screen = QGuiApplication::primaryScreen();
    ASSERT_NE(screen, nullptr);
    EXPECT_EQ(platform.screen->widthPixels(), screen->geometry().width());
    EXPECT_EQ(platform.screen->heightPixels(), screen->geometry().height());
    EXPECT_DOUBLE_EQ(platform.screen->dpiX(), screen->logicalDotsPerInchX());
    EXPECT_DOUBLE_EQ(platform.screen->twipsPerPixelY(), 1440.0 / screen->logicalDotsPerInchY());
}

TEST_F(QtPlatformTest, ColourDialogOpensAtThePresetAndReturnsTheChoice) {
    WhenShown<QColorDialog>([](QColorDialog& dialog) {
        EXPECT_EQ(dialog.currentColor(), QColor(0, 128, 255));
        dialog.setCurrentColor(QColor(10, 20, 30));
        dialog.accept();
    });
    EXPECT_EQ(platform.colorDialog->choose(nullptr, MakeColorRef(0, 128, 255)),
              MakeColorRef(10, 20, 30));

    WhenShown<QColorDialog>([](QColorDialog& dialog) { dialog.reject(); });
    EXPECT_EQ(platform.colorDialog->choose(nullptr, MakeColorRef(1, 2, 3)), std::nullopt);
}

TEST_F(QtPlatformTest, SaveDialogKeepsATypedNameAsItIsAndNeverAsksBeforeReplacing) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QStringList filters{"Alle Dateien (*)", "Bitmap (*.BMP *.bmp)"};
    const QString typed = dir.filePath("wuerfel");

    WhenShown<QFileDialog>([&](QFileDialog& dialog) {
        EXPECT_EQ(dialog.nameFilters(), filters);
        EXPECT_EQ(dialog.selectedNameFilter(), filters[1]);
        EXPECT_EQ(dialog.acceptMode(), QFileDialog::AcceptSave);
        EXPECT_TRUE(dialog.testOption(QFileDialog::DontConfirmOverwrite));
        EXPECT_TRUE(dialog.defaultSuffix().isEmpty());
        EXPECT_EQ(QFileInfo(dialog.directory().path()), QFileInfo(dir.path()));
        dialog.selectFile(typed);
        static_cast<QDialog&>(dialog).accept();
    });
    EXPECT_EQ(platform.saveDialog->choose(nullptr, dir.filePath("alt.bmp"), filters, 1),
              (SaveChoice{typed, 1}));

    const QString existing = dir.filePath("kugel.bmp");
    QFile file(existing);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    WhenShown<QFileDialog>([&](QFileDialog& dialog) {
        dialog.selectFile(existing);
        static_cast<QDialog&>(dialog).accept();
    });
    EXPECT_EQ(platform.saveDialog->choose(nullptr, existing, filters, 0),
              (SaveChoice{existing, 0}));

    WhenShown<QFileDialog>([](QFileDialog& dialog) { dialog.reject(); });
    EXPECT_EQ(platform.saveDialog->choose(nullptr, existing, filters, 1), std::nullopt);
}

// Confirmed without touching the name field, the dialog gives back the name it offered, with
// the bitmap filter preselected, whatever the name's extension.
class QtSaveDialogOffer : public QtPlatformTest,
                          public ::testing::WithParamInterface<const char*> {};

TEST_P(QtSaveDialogOffer, ConfirmedAsOfferedGivesTheOfferedName) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QStringList filters{"Alle Dateien (*)", "Bitmap (*.BMP *.bmp)", "PNG-Bild (*.png)"};
    const QString offered = dir.filePath(QString::fromUtf8(GetParam()));
    QString shownName;
    WhenShown<QFileDialog>([&](QFileDialog& dialog) {
        if (auto* field = dialog.findChild<QLineEdit*>("fileNameEdit"))
            shownName = field->text();
        static_cast<QDialog&>(dialog).accept();
    });
    const std::optional<SaveChoice> chosen =
        platform.saveDialog->choose(nullptr, offered, filters, 1);
    EXPECT_EQ(shownName, QFileInfo(offered).fileName());
    EXPECT_EQ(chosen, (SaveChoice{offered, 1}));
}

INSTANTIATE_TEST_SUITE_P(Names, QtSaveDialogOffer,
                         ::testing::Values("bild.bmp", "foto.png", "my.picture", "wuerfel"));

TEST_F(QtPlatformTest, PrinterDialogWithoutPrintersStillPrintsToAPdfFile) {
    WhenShown<QPrintDialog>([](QPrintDialog& dialog) { dialog.reject(); });
    EXPECT_EQ(platform.printerDialog->choose(nullptr), nullptr);

    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString pdf = dir.filePath("seite.pdf");
    bool offeredFile = false;
    WhenShown<QPrintDialog>([&](QPrintDialog& dialog) {
        // The file name field takes a name only when the dialog prints to a file, as it does
        // on a machine without printers; beside a printer's queue it is shown but disabled.
        auto* fileName = dialog.findChild<QLineEdit*>("filename");
        offeredFile = fileName && fileName->isVisible() && fileName->isEnabled();
        if (offeredFile)
            fileName->setText(pdf);
        dialog.accept();
    });
    std::unique_ptr<QPrinter> printer = platform.printerDialog->choose(nullptr);
    ASSERT_NE(printer, nullptr);
    // Nothing is painted on a printer of the machine: only a file printer gets a page.
    if (printer->outputFormat() != QPrinter::PdfFormat) {
        EXPECT_FALSE(offeredFile);
        EXPECT_EQ(printer->printerName(), QPrinterInfo::defaultPrinterName());
        GTEST_SKIP() << "a print system offers a printer; printing to a file is not the default";
    }
    EXPECT_TRUE(offeredFile);
    QPainter painter;
    ASSERT_TRUE(painter.begin(printer.get()));
    painter.fillRect(QRect(0, 0, 100, 100), Qt::red);
    painter.end();
    EXPECT_GT(QFileInfo(pdf).size(), 0);
}

struct MessageCase {
    bool error;
    QMessageBox::Icon icon;
};

class QtMessageBoxTest : public QtPlatformTest,
                         public ::testing::WithParamInterface<MessageCase> {};

TEST_P(QtMessageBoxTest, ShowsTitleTextIconAndOneOkButton) {
    bool shown = false;
    WhenShown<QMessageBox>([&](QMessageBox& box) {
        shown = true;
        EXPECT_EQ(box.windowTitle(), "Datei erzeugen");
        EXPECT_EQ(box.text(), "Die Datei /tmp/a.bmp wurde erzeugt!");
        EXPECT_EQ(box.icon(), GetParam().icon);
        EXPECT_EQ(box.standardButtons(), QMessageBox::Ok);
        box.button(QMessageBox::Ok)->click();
    });
    if (GetParam().error)
        platform.messageBox->error(nullptr, "Datei erzeugen",
                                   "Die Datei /tmp/a.bmp wurde erzeugt!");
    else
        platform.messageBox->information(nullptr, "Datei erzeugen",
                                         "Die Datei /tmp/a.bmp wurde erzeugt!");
    EXPECT_TRUE(shown);
}

INSTANTIATE_TEST_SUITE_P(Kinds, QtMessageBoxTest,
                         ::testing::Values(MessageCase{false, QMessageBox::Information},
                                           MessageCase{true, QMessageBox::Warning}));

TEST_F(QtPlatformTest, ClipboardHoldsTheImageUntilCleared) {
    QGuiApplication::clipboard()->setText("anderer Inhalt");
    QImage image(30, 20, QImage::Format_RGB32);
    image.fill(QColor(0, 0, 255));
    platform.clipboard->clear();
    const QByteArray svg = "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"30\" height=\"20\"/>";
    ASSERT_TRUE(platform.clipboard->setImage(image, svg));
    const QImage held = QGuiApplication::clipboard()->image();
    EXPECT_EQ(held.size(), image.size());
    EXPECT_EQ(held.pixelColor(5, 5), QColor(0, 0, 255));
    // One entry holds both: the bitmap and the drawing.
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    ASSERT_NE(data, nullptr);
    EXPECT_TRUE(data->hasImage());
    EXPECT_EQ(data->data("image/svg+xml"), svg);
    platform.clipboard->clear();
    EXPECT_TRUE(QGuiApplication::clipboard()->image().isNull());
}

} // namespace
} // namespace solifa
