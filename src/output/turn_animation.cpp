// The turn about the body axis and the frame series it writes.
#include "window/form1.h"

namespace solifa {

void Form1::SSCommand3_Click() {}
void Form1::HScroll3_Change() {}
void Form1::HScroll3_Scroll() {}
void Form1::Check4_Click() {}
void Form1::Timer1_Timer() {}

} // namespace solifa
