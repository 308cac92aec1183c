// The buttons of the main window that open the auxiliary windows, and leaving the program.
#include <QCloseEvent>
#include <QCoreApplication>

#include "dialogs/info_window.h"
#include "dialogs/programs_window.h"
#include "window/button_3d.h"
#include "window/form1.h"
#include "window/interval_timer.h"

namespace solifa {

void Form1::connectDialogHandlers() {
    // Leaving every event loop ends the program: main() returns once its loop has ended, and
    // a dialog's loop that runs at that moment ends as well.
    endProcess = [] { QCoreApplication::exit(0); };
    connect(SSCommand10, &QPushButton::clicked, this, [this] { SSCommand10_Click(); });
    connect(SSCommand8, &QPushButton::clicked, this, [this] { SSCommand8_Click(); });
    connect(SSCommand11, &QPushButton::clicked, this, [this] { SSCommand11_Click(); });
}

void Form1::SSCommand10_Click() {
    // A window that is open already only comes back to the middle and to the front.
    if (!infoWindow)
        infoWindow = new Info(*platform_.screen, this);
    infoWindow->centre();
    infoWindow->show();
    // Shown, the window may have a frame from the desktop; its outer size counts.
    infoWindow->centre();
    infoWindow->raise();
    infoWindow->activateWindow();
}

void Form1::SSCommand8_Click() {
    Form4 programs(*platform_.screen, this);
    programs.exec();
}

void Form1::SSCommand11_Click() {
    EndProgram();
}

void Form1::closeEvent(QCloseEvent* event) {
    event->accept();
    EndProgram();
}

void Form1::EndProgram() {
    Timer1->setInterval(0);
    model.framesToWrite = 0;
    if (infoWindow)
        infoWindow->close();
    if (endProcess)
        endProcess();
}

} // namespace solifa
