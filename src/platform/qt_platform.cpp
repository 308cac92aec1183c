// The Qt implementations of the platform services.
#include <QClipboard>
#include <QColorDialog>
#include <QFileDialog>
#include <QGuiApplication>
#include <QImage>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QScreen>

#include "platform/platform.h"
#include "render/qt_color.h"

namespace solifa {
namespace {

// Without a screen (no application yet) the metrics describe a common 1024 x 768 display.
class QtScreenMetrics final : public ScreenMetrics {
public:
    int widthPixels() const override {
        const QScreen* s = screen();
        return s ? s->geometry().width() : 1024;
    }
    int heightPixels() const override {
        const QScreen* s = screen();
        return s ? s->geometry().height() : 768;
    }
    double dpiX() const override {
        const QScreen* s = screen();
        return s ? s->logicalDotsPerInchX() : 96.0;
    }
    double dpiY() const override {
        const QScreen* s = screen();
        return s ? s->logicalDotsPerInchY() : 96.0;
    }

private:
    static const QScreen* screen() { return QGuiApplication::primaryScreen(); }
};

class QtColorDialog final : public ColorDialog {
public:
    std::optional<ColorRef> choose(QWidget* parent, ColorRef preset) override {
        // An empty title lets the dialog show its own, translated one.
        const QColor chosen = QColorDialog::getColor(ToQColor(preset), parent);
        if (!chosen.isValid())
            return std::nullopt;
        return ToColorRef(chosen);
    }
};

class QtSaveDialog final : public SaveDialog {
public:
    std::optional<QString> choose(QWidget* parent, const QString& presetPath,
                                  const QStringList& filters, int selectedFilter) override {
        QString selected =
            selectedFilter >= 0 && selectedFilter < filters.size() ? filters[selectedFilter] : "";
        // A path that names a file presets the name field with it. Without a default suffix a
        // name typed without extension is returned as typed.
        const QString path =
            QFileDialog::getSaveFileName(parent, QString(), presetPath, filters.join(";;"),
                                         &selected, QFileDialog::DontConfirmOverwrite);
        if (path.isEmpty())
            return std::nullopt;
        return path;
    }
};

class QtPrinterDialog final : public PrinterDialog {
public:
    std::unique_ptr<QPrinter> choose(QWidget* parent) override {
        auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        // Only the printer itself is chosen; the picture always fills one page.
        QPrintDialog dialog(printer.get(), parent);
        dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
        dialog.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
        dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
        if (dialog.exec() != QDialog::Accepted)
            return nullptr;
        return printer;
    }
};

class QtMessageBox final : public MessageBox {
public:
    void information(QWidget* parent, const QString& title, const QString& text) override {
        show(QMessageBox::Information, parent, title, text);
    }
    void error(QWidget* parent, const QString& title, const QString& text) override {
        show(QMessageBox::Warning, parent, title, text);
    }

private:
    static void show(QMessageBox::Icon icon, QWidget* parent, const QString& title,
                     const QString& text) {
        QMessageBox box(icon, title, text, QMessageBox::Ok, parent);
        box.exec();
    }
};

class QtClipboard final : public Clipboard {
public:
    void clear() override { QGuiApplication::clipboard()->clear(); }
    bool setImage(const QImage& image) override {
        QClipboard* clipboard = QGuiApplication::clipboard();
        clipboard->setImage(image);
        // A desktop without a clipboard service drops the data silently; reading it back is
        // the only way to know.
        return !clipboard->image().isNull();
    }
};

} // namespace

Platform& QtPlatform() {
    static QtScreenMetrics screen;
    static QtColorDialog colorDialog;
    static QtSaveDialog saveDialog;
    static QtPrinterDialog printerDialog;
    static QtMessageBox messageBox;
    static QtClipboard clipboard;
    static Platform platform{&screen,        &colorDialog, &saveDialog,
                             &printerDialog, &messageBox,  &clipboard};
    return platform;
}

} // namespace solifa
