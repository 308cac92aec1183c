#pragma once
// What the main window's "Info" and "Programme" buttons do: the information window, open
// beside the main window, and the window of further programs, which blocks it while open.
#include <QPointer>

#include "app/dialogs/info_window.h"

class QWidget;

namespace solifa {

class ScreenMetrics;

class InfoActions {
public:
    // The windows open over `owner`, centred on `screen`.
    InfoActions(QWidget& owner, const ScreenMetrics& screen) : owner_(owner), screen_(screen) {}

    // "Info": opens the information window, or brings the open one back to the middle of the
    // screen and to the front.
    void showInfo();
    // "Programme": the window of further programs, until its "OK".
    void showPrograms();
    // Closes the information window if it is open.
    void closeInfo();

    // The information window while it is open; null once it was closed.
    QPointer<Info> infoWindow;

private:
    QWidget& owner_;
    const ScreenMetrics& screen_;
};

} // namespace solifa
