#pragma once
// Fakes of the platform services for tests: each answers as the test scripts it and records
// what the program showed or asked.
#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include <QImage>
#include <QString>
#include <QStringList>

#include "platform/platform.h"

namespace solifa {

class FakeScreen final : public ScreenMetrics {
public:
    int width = 1024;
    int height = 768;
    double logicalDpiX = 96.0;
    double logicalDpiY = 96.0;
    // The area left by the desktop's panels; the whole screen when unset.
    std::optional<ScreenArea> available;
    // The frame a window manager puts around shown windows; none when unset.
    std::optional<FrameMargins> frame;

    int widthPixels() const override { return width; }
    int heightPixels() const override { return height; }
    double dpiX() const override { return logicalDpiX; }
    double dpiY() const override { return logicalDpiY; }
    ScreenArea availablePixels() const override {
        return available.value_or(ScreenArea{0, 0, width, height});
    }
    std::optional<FrameMargins> frameOf(const QWidget&) const override { return frame; }
};

// Answers from the front of `answers`: a colour, or nullopt for a cancel. With no answer left
// it cancels.
class FakeColorDialog final : public ColorDialog {
public:
    std::deque<std::optional<ColorRef>> answers;
    std::vector<ColorRef> presets; // the preset of every call, in order

    void answer(ColorRef c) { answers.emplace_back(c); }
    void cancel() { answers.emplace_back(std::nullopt); }

    std::optional<ColorRef> choose(QWidget* parent, ColorRef preset) override;
};

// Answers from the front of `answers`: a path, or nullopt for a cancel. With no answer left it
// cancels. `whileOpen`, when set, runs before the answer, as events that arrive while the
// modal dialog is open.
class FakeSaveDialog final : public SaveDialog {
public:
    struct Call {
        QString presetPath;
        QStringList filters;
        int selectedFilter;
    };
    std::deque<std::optional<SaveChoice>> answers;
    std::vector<Call> calls;
    std::function<void()> whileOpen;

    // A chosen name; the filter is the preselected one unless given.
    void answer(const QString& path, int filter = -1) {
        answers.emplace_back(SaveChoice{path, filter});
    }
    void cancel() { answers.emplace_back(std::nullopt); }

    std::optional<SaveChoice> choose(QWidget* parent, const QString& presetPath,
                                     const QStringList& filters, int selectedFilter) override;
};

// Answers from the front of `answers`: the path of a PDF file the printer writes to, an empty
// path for the print system's default queue, or nullopt for a cancel. With no answer left it
// cancels.
class FakePrinterDialog final : public PrinterDialog {
public:
    std::deque<std::optional<QString>> answers;
    int calls = 0;

    void answer(const QString& pdfPath) { answers.emplace_back(pdfPath); }
    void cancel() { answers.emplace_back(std::nullopt); }

    std::unique_ptr<QPrinter> choose(QWidget* parent) override;
};

// Records every message; `whileOpen`, when set, runs while the message is shown.
class FakeMessageBox final : public MessageBox {
public:
    enum class Kind { Information, Error };
    struct Message {
        Kind kind;
        QString title;
        QString text;
    };
    std::vector<Message> messages;
    std::function<void()> whileOpen;

    int count(Kind kind) const;
    QString lastText(Kind kind) const; // empty when there was none

    void information(QWidget* parent, const QString& title, const QString& text) override;
    void error(QWidget* parent, const QString& title, const QString& text) override;
};

// Keeps the image last set; `refuse` makes setImage fail.
class FakeClipboard final : public Clipboard {
public:
    QImage image;
    QByteArray svg;
    int clears = 0;
    int sets = 0;
    bool refuse = false;

    void clear() override;
    bool setImage(const QImage& newImage, const QByteArray& newSvg) override;
};

class FakePlatform {
public:
    FakeScreen screen;
    FakeColorDialog colorDialog;
    FakeSaveDialog saveDialog;
    FakePrinterDialog printerDialog;
    FakeMessageBox messageBox;
    FakeClipboard clipboard;

    Platform platform() {
        return {&screen, &colorDialog, &saveDialog, &printerDialog, &messageBox, &clipboard};
    }
};

} // namespace solifa
