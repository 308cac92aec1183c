// solifa-render: draws one body, or one turn of it, into picture files without a display.
#include <QByteArray>
#include <QGuiApplication>
#include <QString>

#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "cli/render_job.h"
#include "cli/render_options.h"

namespace {

// Qt's own notices (such as a missing runtime folder of the session) are no concern of a
// command that writes files; real warnings still reach stderr.
void QtMessages(QtMsgType type, const QMessageLogContext&, const QString& text) {
    if (type == QtDebugMsg || type == QtInfoMsg ||
        text.startsWith(QLatin1String("QStandardPaths:")))
        return;
    std::cerr << text.toLocal8Bit().constData() << '\n';
}

} // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args;
    for (int i = 1; i < argc; ++i)
        args.push_back(QString::fromLocal8Bit(argv[i]).toStdString());

    // The options are read before Qt sees any of them, so none is taken for a Qt option.
    const solifa::ParseOutcome parsed = solifa::ParseRenderOptions(args);
    switch (parsed.kind) {
    case solifa::ParseOutcome::Kind::Help:
        std::cout << parsed.message;
        return solifa::kExitOk;
    case solifa::ParseOutcome::Kind::Error:
        std::cerr << parsed.message << '\n';
        return solifa::kExitWrongInput;
    case solifa::ParseOutcome::Kind::Render:
        break;
    }
    const solifa::RenderRequest& request = parsed.request;

    std::vector<solifa::ModelState> models;
    const solifa::JobResult prepared = solifa::PrepareRenderJob(request, models);
    if (prepared.exitCode != solifa::kExitOk) {
        std::cerr << prepared.error << '\n';
        return prepared.exitCode;
    }

    // Bitmaps are painted on images, which need no application object; the SVG and PDF
    // generators get one on the offscreen platform, which needs no display.
    std::unique_ptr<QGuiApplication> app;
    int qtArgc = 1;
    char* qtArgv[] = {argv[0], nullptr};
    if (solifa::NeedsGuiApplication(request)) {
        qInstallMessageHandler(QtMessages);
        qputenv("QT_QPA_PLATFORM", "offscreen");
        app = std::make_unique<QGuiApplication>(qtArgc, qtArgv);
    }

    const solifa::JobResult written = solifa::WriteRenderJob(request, models);
    if (!written.error.empty())
        std::cerr << written.error << '\n';
    return written.exitCode;
}
