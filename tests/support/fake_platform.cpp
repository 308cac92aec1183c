#include "support/fake_platform.h"

#include <QPrinter>
#include <algorithm>

namespace solifa {
namespace {

template <class T> std::optional<T> TakeFront(std::deque<std::optional<T>>& answers) {
    if (answers.empty() || !answers.front().has_value()) {
        if (!answers.empty())
            answers.pop_front();
        return std::nullopt;
    }
    const T value = *answers.front();
    answers.pop_front();
    return std::optional<T>(std::in_place, value);
}

} // namespace

std::optional<ColorRef> FakeColorDialog::choose(QWidget*, ColorRef preset) {
    presets.push_back(preset);
    return TakeFront(answers);
}

std::optional<SaveChoice> FakeSaveDialog::choose(QWidget*, const QString& presetPath,
                                                 const QStringList& filters, int selectedFilter) {
    calls.push_back({presetPath, filters, selectedFilter});
    if (whileOpen)
        whileOpen();
    std::optional<SaveChoice> choice = TakeFront(answers);
    if (choice && choice->filter < 0)
        choice->filter = selectedFilter;
    return choice;
}

std::unique_ptr<QPrinter> FakePrinterDialog::choose(QWidget*) {
    ++calls;
    const std::optional<QString> path = TakeFront(answers);
    if (!path)
        return nullptr;
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    if (!path->isEmpty()) {
        printer->setOutputFormat(QPrinter::PdfFormat);
        printer->setOutputFileName(*path);
    }
    return printer;
}

void FakeMessageBox::information(QWidget*, const QString& title, const QString& text) {
    messages.push_back({Kind::Information, title, text});
    if (whileOpen)
        whileOpen();
}

void FakeMessageBox::error(QWidget*, const QString& title, const QString& text) {
    messages.push_back({Kind::Error, title, text});
    if (whileOpen)
        whileOpen();
}

void FakeClipboard::clear() {
    ++clears;
    image = QImage();
    svg.clear();
}

bool FakeClipboard::setImage(const QImage& newImage, const QByteArray& newSvg) {
    ++sets;
    if (refuse)
        return false;
    image = newImage;
    svg = newSvg;
    return true;
}

int FakeMessageBox::count(Kind kind) const {
    return int(std::count_if(messages.begin(), messages.end(),
                             [kind](const Message& m) { return m.kind == kind; }));
}

QString FakeMessageBox::lastText(Kind kind) const {
    for (auto it = messages.rbegin(); it != messages.rend(); ++it)
        if (it->kind == kind)
            return it->text;
    return {};
}

} // namespace solifa
