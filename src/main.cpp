// Starts the program: the application object, the German translations of Qt's own dialogs,
// and the main window.
#include <QApplication>
#include <QLibraryInfo>
#include <QStyleFactory>
#include <QTranslator>

#include "platform/platform.h"
#include "window/form1.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));

    // The interface is German, so Qt's own dialogs speak German too.
    QTranslator qtTranslator;
    if (qtTranslator.load(QStringLiteral("qtbase_de"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtTranslator);

    solifa::Form1 form(solifa::QtPlatform());
    form.Form_Load();
    form.show();
    return QApplication::exec();
}
