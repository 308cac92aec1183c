// solifa-render: draws one body, or one turn of it, into picture files without a display.
#include <QByteArray>
#include <QGuiApplication>
#include <QString>
#include <QtGlobal>

#include <algorithm>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "cli/render_job.h"
#include "cli/render_options.h"
#include "files/safe_write.h"

namespace {

// What Qt and the libraries under it have to say (notices of the platform, the warnings of
// the PNG library) is no concern of a command that writes files: its one line on stderr is
// its own.
void DropMessage(QtMsgType, const QMessageLogContext&, const QString&) {}

} // namespace

int main(int argc, char** argv) {
    qInstallMessageHandler(DropMessage);
    // Interrupted, the program leaves no temporary and no old version it kept behind.
    solifa::RemoveTemporariesOnSignals();
    // The arguments stay the bytes they are: a file name is written exactly as it was given.
    const std::vector<std::string> args(argv + std::min(argc, 1), argv + argc);

    // The options are read before Qt sees any of them, so none is taken for a Qt option.
    const solifa::ParseOutcome parsed = solifa::ParseRenderOptions(args);
    switch (parsed.kind) {
    case solifa::ParseOutcome::Kind::Help:
    case solifa::ParseOutcome::Kind::Version:
        std::cout << parsed.message << std::flush;
        if (std::cout)
            return solifa::kExitOk;
        std::cerr << solifa::ErrorLine("writing standard output failed") << '\n';
        return solifa::kExitWriteFailed;
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
        qputenv("QT_QPA_PLATFORM", "offscreen");
        app = std::make_unique<QGuiApplication>(qtArgc, qtArgv);
    }

    const solifa::JobResult written = solifa::WriteRenderJob(request, models);
    if (!written.error.empty())
        std::cerr << written.error << '\n';
    return written.exitCode;
}
