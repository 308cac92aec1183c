// The Qt implementations of the platform services.
#include <QClipboard>
#include <QColorDialog>
#include <QFileDialog>
#include <QGuiApplication>
#include <QImage>
#include <QMessageBox>
#include <QMimeData>
#include <QPrintDialog>
#include <QPrinter>
#include <QScreen>

#include "platform/platform.h"
#include "qtpaint/qt_color.h"

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
    ScreenArea availablePixels() const override {
        const QScreen* s = screen();
        if (!s)
            return ScreenMetrics::availablePixels();
        const QRect a = s->availableGeometry();
        return {a.left(), a.top(), a.width(), a.height()};
    }
    std::optional<FrameMargins> frameOf(const QWidget& window) const override {
        const QRect outer = window.frameGeometry();
        const QRect inner = window.geometry();
        if (!window.isVisible() || outer == inner)
            return std::nullopt;
        return FrameMargins{inner.left() - outer.left(), inner.top() - outer.top(),
                            outer.right() - inner.right(), outer.bottom() - inner.bottom()};
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
    std::optional<SaveChoice> choose(QWidget* parent, const QString& presetPath,
                                     const QStringList& filters, int selectedFilter) override {
        QFileDialog dialog(parent);
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        // Without a default suffix a name typed without extension is returned as typed.
        dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
        dialog.setNameFilters(filters);
        if (selectedFilter >= 0 && selectedFilter < filters.size())
            dialog.selectNameFilter(filters[selectedFilter]);
        // The name comes after the filter: selecting a filter gives the name in the field the
        // filter's extension, and the name chosen last time must be offered as it was.
        if (!presetPath.isEmpty())
            dialog.selectFile(presetPath);
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
            return std::nullopt;
        const QString path = dialog.selectedFiles().constFirst();
        if (path.isEmpty())
            return std::nullopt;
        return SaveChoice{path, int(filters.indexOf(dialog.selectedNameFilter()))};
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
    bool setImage(const QImage& image, const QByteArray& svg) override {
        QClipboard* clipboard = QGuiApplication::clipboard();
        auto* data = new QMimeData;
        data->setImageData(image);
        if (!svg.isEmpty())
            data->setData(QStringLiteral("image/svg+xml"), svg);
        clipboard->setMimeData(data);
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
