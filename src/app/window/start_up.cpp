#include "app/window/start_up.h"

#include "app/dialogs/splash_window.h"
#include "app/window/form1.h"
#include "widgets/interval_timer.h"

namespace solifa {

void StartUp(Form1& form, Form2& splash) {
    form.centreSplash = [&splash] { splash.centre(); };
    form.setSplashInterval = [&splash](int ms) { splash.Timer1->setInterval(ms); };
    form.Form_Load();
    splash.exec();
    form.show();
}

} // namespace solifa
