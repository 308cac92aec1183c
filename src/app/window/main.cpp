// Starts the program: the application object, the German translations of Qt's own dialogs,
// the splash and then the main window.
#include <QApplication>
#include <QIcon>
#include <QLibraryInfo>
#include <QPixmap>
#include <QStyleFactory>
#include <QTranslator>

#include "app/dialogs/logo.h"
#include "app/dialogs/splash_window.h"
#include "app/window/form1.h"
#include "app/window/start_up.h"
#include "files/safe_write.h"
#include "platform/platform.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    // Ended by a signal, the window first removes the named temporary of a file being written,
    // in the handler itself: the event loop may be busy with that very file, or wait in a
    // dialog, and the window ends by the signal as it always did.
    solifa::RemoveTemporariesOnSignals();
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    // The same logo the icon file holds, so the window and the desktop menu show one picture.
    QApplication::setWindowIcon(QIcon(QPixmap::fromImage(solifa::DrawLogo(256))));
    QApplication::setDesktopFileName(QStringLiteral("solifa"));

    // The interface is German, so Qt's own dialogs speak German too.
    QTranslator qtTranslator;
    if (qtTranslator.load(QStringLiteral("qtbase_de"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtTranslator);

    solifa::Form1 form(solifa::QtPlatform());
    solifa::Form2 splash(*form.platform().screen);
    solifa::StartUp(form, splash);
    return QApplication::exec();
}
