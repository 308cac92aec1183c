// solifa-render: draws one body, or one turn of it, into picture files without a display.
#include <QByteArray>
#include <QGuiApplication>
#include <QString>
#include <QtGlobal>

#include <algorithm>
#include <iostream>
#include <memory>
#include <new>
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

solifa::JobResult Run(const solifa::RenderRequest& request, char* program) {
    std::vector<solifa::ModelState> models;
    const solifa::JobResult prepared = solifa::PrepareRenderJob(request, models);
    if (prepared.exitCode != solifa::kExitOk)
        return prepared;

    // Bitmaps are painted on images, which need no application object; the SVG and PDF
    // generators get one on the offscreen platform, which needs no display.
    std::unique_ptr<QGuiApplication> app;
    int qtArgc = 1;
    char* qtArgv[] = {program, nullptr};
    if (solifa::NeedsGuiApplication(request)) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        app = std::make_unique<QGuiApplication>(qtArgc, qtArgv);
    }
    return solifa::WriteRenderJob(request, models);
}

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

    // Memory running out anywhere is a failure with its one line like any other, not an abort;
    // the writing of each file handles it itself, and this is the last line of defence.
    solifa::JobResult result;
    try {
        result = Run(request, argv[0]);
    } catch (const std::bad_alloc&) {
        result = solifa::OutOfMemoryResult(request);
    }
    if (!result.error.empty())
        std::cerr << result.error << '\n';
    return result.exitCode;
}
