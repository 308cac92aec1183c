#pragma once
// How the program's windows start: the main window's start-up centres the splash and gives its
// timer the interval, the splash is shown modally until it closes itself, and only then does
// the main window appear.
namespace solifa {

class Form1;
class Form2;

void StartUp(Form1& form, Form2& splash);

} // namespace solifa
