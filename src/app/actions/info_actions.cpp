#include "app/actions/info_actions.h"

#include "app/dialogs/programs_window.h"

namespace solifa {

void InfoActions::showInfo() {
    if (!infoWindow)
        infoWindow = new Info(screen_, &owner_);
    infoWindow->centre();
    infoWindow->show();
    // Shown, the window may have a frame from the desktop; its outer size counts.
    infoWindow->centre();
    infoWindow->raise();
    infoWindow->activateWindow();
}

void InfoActions::showPrograms() {
    Form4 programs(screen_, &owner_);
    programs.exec();
}

void InfoActions::closeInfo() {
    if (infoWindow)
        infoWindow->close();
}

} // namespace solifa
