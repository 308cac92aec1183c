#pragma once
// The platform services for the benchmark program: a fixed 3840 x 2160 screen at 96 DPI, a save
// dialog that answers with the paths given to it, and a message box that only counts. The
// other services are never used by the timed paths and cancel or refuse.
#include <QImage>
#include <QPrinter>
#include <QString>
#include <QStringList>
#include <deque>
#include <memory>
#include <optional>

#include "platform/platform.h"

namespace solifa {

class BenchScreen final : public ScreenMetrics {
public:
    int widthPixels() const override { return 3840; }
    int heightPixels() const override { return 2160; }
    double dpiX() const override { return 96.0; }
    double dpiY() const override { return 96.0; }
};

class BenchSaveDialog final : public SaveDialog {
public:
    std::deque<QString> answers;
    std::optional<QString> choose(QWidget*, const QString&, const QStringList&, int) override {
        if (answers.empty())
            return std::nullopt;
        QString path = answers.front();
        answers.pop_front();
        return path;
    }
};

class BenchMessageBox final : public MessageBox {
public:
    int informations = 0;
    int errors = 0;
    QString lastError;
    void information(QWidget*, const QString&, const QString&) override { ++informations; }
    void error(QWidget*, const QString&, const QString& text) override {
        ++errors;
        lastError = text;
    }
};

class BenchColorDialog final : public ColorDialog {
public:
    std::optional<ColorRef> choose(QWidget*, ColorRef) override { return std::nullopt; }
};

class BenchPrinterDialog final : public PrinterDialog {
public:
    std::unique_ptr<QPrinter> choose(QWidget*) override { return nullptr; }
};

class BenchClipboard final : public Clipboard {
public:
    void clear() override {}
    bool setImage(const QImage&) override { return false; }
};

struct BenchPlatform {
    BenchScreen screen;
    BenchColorDialog colorDialog;
    BenchSaveDialog saveDialog;
    BenchPrinterDialog printerDialog;
    BenchMessageBox messageBox;
    BenchClipboard clipboard;

    Platform platform() {
        return {&screen, &colorDialog, &saveDialog, &printerDialog, &messageBox, &clipboard};
    }
};

} // namespace solifa
