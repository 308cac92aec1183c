#pragma once
// The desktop services the program uses, bundled so that a window can be given the real ones
// or fakes. The bundle does not own the services.
#include "platform/clipboard.h"
#include "platform/color_dialog.h"
#include "platform/message_box.h"
#include "platform/printer_dialog.h"
#include "platform/save_dialog.h"
#include "platform/screen_metrics.h"

namespace solifa {

struct Platform {
    ScreenMetrics* screen;
    ColorDialog* colorDialog;
    SaveDialog* saveDialog;
    PrinterDialog* printerDialog;
    MessageBox* messageBox;
    Clipboard* clipboard;
};

// The process-wide Qt implementations. Needs a QApplication while its services are used.
Platform& QtPlatform();

} // namespace solifa
