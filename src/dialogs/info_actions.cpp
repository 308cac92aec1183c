// The buttons of the main window that open the auxiliary windows, and leaving the program.
#include <QCloseEvent>

#include "window/form1.h"

namespace solifa {

void Form1::connectDialogHandlers() {}
void Form1::SSCommand10_Click() {}
void Form1::SSCommand8_Click() {}
void Form1::SSCommand11_Click() {}
void Form1::closeEvent(QCloseEvent* event) { event->accept(); }

} // namespace solifa
